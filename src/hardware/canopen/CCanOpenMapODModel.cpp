#include "CCanOpenMapODModel.h"

#include "CCanOpenSlaveGrid.h"
#include "CanOpenTexts.h"
#include "model/DirectAddress.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"

#include <algorithm>
#include <iterator>

namespace {

struct CMapColumn {
    const char* header;
    int width;
};

// "名称", "索引", "大小", "对应本地内存"
constexpr CMapColumn kMapColumns[MAP_GRID_COLUMNS] = {
    {"\xC3\xFB\xB3\xC6", 240},
    {"\xCB\xF7\xD2\xFD", 80},
    {"\xB4\xF3\xD0\xA1", 50},
    {"\xB6\xD4\xD3\xA6\xB1\xBE\xB5\xD8\xC4\xDA\xB4\xE6", 100},
};

struct CSizeTypes {
    int bits;
    OperandTypeFlags types;
};

constexpr CSizeTypes kSizeTypes[] = {
    {1, OT_BOOL},
    {8, OT_BYTE},
    {16, OT_WORD | OT_INT},
    {32, OT_DWORD | OT_DINT | OT_REAL},
};

bool SuitsSize(int bits, OperandTypeFlags flags)
{
    for (const CSizeTypes& size : kSizeTypes)
        if (size.bits == bits)
            return (flags & size.types) != 0;
    return false;
}

} // namespace

CCanOpenMapODModel::CCanOpenMapODModel(CCanOpenSlaveGrid& slaves) : m_slaves(slaves) {}

const char* CCanOpenMapODModel::MapColumnHeader(int column)
{
    return column >= 0 && column < MAP_GRID_COLUMNS ? kMapColumns[column].header : "";
}

int CCanOpenMapODModel::MapColumnWidth(int column)
{
    return column >= 0 && column < MAP_GRID_COLUMNS ? kMapColumns[column].width : 0;
}

bool CCanOpenMapODModel::HasCurrentSlave() const
{
    return m_node != NO_SLAVE && m_slaves.IsConfigured(m_node - 1);
}

CCanOpenPdo& CCanOpenMapODModel::ShownRecord()
{
    CCanOpenSlave& slave = m_slaves.Slave(m_node - 1);
    return m_list == PDO_LIST_RECEIVE ? slave.RPDO[m_pdo] : slave.TPDO[m_pdo];
}

void CCanOpenMapODModel::WriteBack()
{
    if (!m_initialised || !HasCurrentSlave())
        return;
    CCanOpenSlave& slave = m_slaves.Slave(m_node - 1);
    if (m_slaveLoaded) {
        m_receive.Store(slave);
        m_transmit.Store(slave);
    }
    if (m_mapLoaded)
        std::copy(std::begin(m_rows), std::end(m_rows), ShownRecord().Rows.begin());
}

void CCanOpenMapODModel::SelectSlave(int node)
{
    if (node < 1 || node > CANOPEN_SLAVES || !m_slaves.IsConfigured(node - 1))
        return;
    WriteBack();
    const CCanOpenSlave& slave = m_slaves.Slave(node - 1);
    m_receive.Load(slave);
    m_transmit.Load(slave);
    m_slaveLoaded = true;
    m_node = node;
    m_pdo = 0;
    m_list = PDO_LIST_RECEIVE;
    ReloadMapGrid();
}

BOOL CCanOpenMapODModel::OnSelectPdo(int pdo, int list)
{
    if (!m_mapLoaded || !HasCurrentSlave() || pdo < 0 || pdo >= CANOPEN_PDOS)
        return FALSE;
    if (pdo == m_pdo && list == m_list)
        return FALSE;
    std::copy(std::begin(m_rows), std::end(m_rows), ShownRecord().Rows.begin());
    m_pdo = pdo;
    m_list = list == PDO_LIST_TRANSMIT ? PDO_LIST_TRANSMIT : PDO_LIST_RECEIVE;
    ReloadMapGrid();
    SetProjectModified(TRUE);
    return TRUE;
}

void CCanOpenMapODModel::ReloadMapGrid()
{
    if (!HasCurrentSlave())
        return;
    const CCanOpenPdo& record = ShownRecord();
    std::copy(std::begin(record.Rows), std::end(record.Rows), m_rows);
    m_mapLoaded = true;
}

BOOL CCanOpenMapODModel::StoreCurrentSlave()
{
    if (!m_initialised || !HasCurrentSlave())
        return TRUE;
    WriteBack();
    SetProjectModified(TRUE);
    return TRUE;
}

void CCanOpenMapODModel::Clear()
{
    m_slaveLoaded = false;
    m_mapLoaded = false;
    m_node = NO_SLAVE;
    m_transmit.Clear();
    m_receive.Clear();
    for (CCanOpenMappedObject& row : m_rows)
        row = CCanOpenMappedObject{};
}

std::string CCanOpenMapODModel::TransmitLabel() const
{
    return m_slaveLoaded ? ByteString::Format(kSlaveTransmitGridLabel, m_node) : kTransmitGridLabel;
}

std::string CCanOpenMapODModel::ReceiveLabel() const
{
    return m_slaveLoaded ? ByteString::Format(kSlaveReceiveGridLabel, m_node) : kReceiveGridLabel;
}

std::string CCanOpenMapODModel::MapLabel() const
{
    if (!m_mapLoaded)
        return kMapGridLabel;
    return ByteString::Format(m_list == PDO_LIST_RECEIVE ? kReceiveMapLabel : kTransmitMapLabel, m_node, m_pdo + 1);
}

std::string CCanOpenMapODModel::GetMapCellText(int column, int row) const
{
    if (!m_mapLoaded || row < 0 || row >= CANOPEN_PDO_ROWS || m_rows[row].ODName.empty())
        return {};
    const CCanOpenMappedObject& object = m_rows[row];
    switch (column) {
    case MAP_COL_NAME:
        return object.ODName;
    case MAP_COL_INDEX:
        return object.Sub == -1 ? ByteString::Format("%04X", object.Index)
                                : ByteString::Format("%04XSub%X", object.Index, object.Sub);
    case MAP_COL_SIZE:
        return std::to_string(object.Size);
    case MAP_COL_MEMORY:
        return object.Mem;
    default:
        return {};
    }
}

void CCanOpenMapODModel::OnSaveMapCell(int column, int row, const std::string& edited)
{
    SetProjectModified(TRUE);
    if (column != MAP_COL_MEMORY || row < 0 || row >= CANOPEN_PDO_ROWS || m_rows[row].ODName.empty())
        return;
    const std::string text = ByteString::Upper(ByteString::Trim(edited));
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(text, flags))
        return;
    const OperandTypeFlags access = m_list == PDO_LIST_TRANSMIT ? OT_READABLE : OT_WRITABLE;
    if ((flags & access) == 0 || !SuitsSize(m_rows[row].Size, flags))
        return;
    m_rows[row].Mem = text.front() == '%' ? text : "%" + text;
}
