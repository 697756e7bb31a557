#include "CCanOpenCrossRefList.h"

#include "CCanOpenPdoMapping.h"
#include "CCanOpenSlaveGrid.h"
#include "CanOpenTexts.h"
#include "model/CZULProject.h"
#include "platform/ByteString.h"

namespace {

constexpr int kColumnWidths[CROSS_REF_COLUMNS] = {35, 60, 100, 100, 200, 40, 80, 100};
constexpr int kReceiveMappingIndex = 0x1600;
constexpr int kTransmitMappingIndex = 0x1A00;

struct CPdoListOrder {
    int direction;
    int mappingIndex;
};

// Receive PDOs first, then transmit PDOs.
constexpr CPdoListOrder kListOrder[] = {
    {PDO_LIST_RECEIVE, kReceiveMappingIndex},
    {PDO_LIST_TRANSMIT, kTransmitMappingIndex},
};

const CCanOpenPdo* PdosOf(const CCanOpenSlave& slave, int direction)
{
    return direction == PDO_LIST_RECEIVE ? slave.RPDO : slave.TPDO;
}

std::string GlobalNameAt(const CZULProject& project, const std::string& memory)
{
    const auto found = project.SymbolsByAddress.find(CZULProject::NormalisedSymbolAddress(memory));
    return found == project.SymbolsByAddress.end() ? std::string() : found->second->name;
}

} // namespace

const char* CCanOpenCrossRefList::ColumnHeader(int column)
{
    return column >= 0 && column < CROSS_REF_COLUMNS ? kCrossRefHeaders[column] : "";
}

int CCanOpenCrossRefList::ColumnWidth(int column)
{
    return column >= 0 && column < CROSS_REF_COLUMNS ? kColumnWidths[column] : 0;
}

void CCanOpenCrossRefList::RebuildList(const CCanOpenSlaveGrid& slaves)
{
    m_rows.clear();
    for (int slot = 0; slot < CANOPEN_SLAVES; ++slot) {
        const CCanOpenSlave& slave = slaves.Slave(slot);
        if (slave.Name.empty())
            continue;
        for (const CPdoListOrder& list : kListOrder) {
            const CCanOpenPdo* pdos = PdosOf(slave, list.direction);
            for (int pdo = 0; pdo < CANOPEN_PDOS; ++pdo) {
                for (const CCanOpenMappedObject& object : pdos[pdo].Rows) {
                    if (object.ODName.empty() || object.Mem.empty())
                        continue;
                    m_rows.push_back({object.ODName, object.Index, object.Sub, object.Size, object.Mem, pdo,
                                      list.mappingIndex + pdo, pdos[pdo].COB_ID, list.direction, slave.Node,
                                      slave.Name});
                }
            }
        }
    }
}

std::string CCanOpenCrossRefList::GetCellText(int column, int row, const CZULProject& project) const
{
    if (row < 0 || row >= GetRowCount())
        return {};
    const CCanOpenCrossRefRow& item = Row(row);
    switch (column) {
    case 0:
        return std::to_string(row + 1);
    case 1:
        return std::to_string(item.nodeId);
    case 2:
        return item.slaveName;
    case 3:
        return ByteString::Format(item.direction == PDO_LIST_TRANSMIT ? "TPDO%d %04X %X" : "RPDO%d %04X %X",
                                  item.pdoNumber + 1, item.mappingIndex, item.cobId);
    case 4:
        if (item.subIndex == -1)
            return ByteString::Format("%04X - %s", item.index, item.odName.c_str());
        return ByteString::Format("%04XSub%X - %s", item.index, item.subIndex, item.odName.c_str());
    case 5:
        return std::to_string(item.sizeBits);
    case 6:
        return item.memory;
    case 7:
        return GlobalNameAt(project, item.memory);
    default:
        return {};
    }
}
