#include "CCanOpenPdoTable.h"

#include "CanOpenTexts.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"

#include <cstdlib>
#include <iterator>

namespace {

constexpr int kColumnWidths[] = {40, 42, 54, 54, 54};
constexpr int kReceiveColumns = 4;
constexpr int kTransmitColumns = 5;
constexpr int kReceiveIndexBase = 0x1600;
constexpr int kTransmitIndexBase = 0x1A00;
constexpr int kMaxTime = 65535;
constexpr size_t kMaxHexDigits = 4;
constexpr const char* kHexPrefix = "16#";

bool IsTransmissionType(int type)
{
    return type == PDO_TYPE_EVENT || type == PDO_TYPE_DEFAULT;
}

bool IsCobId(int value)
{
    return value >= PDO_MIN_COB_ID && value <= PDO_MAX_COB_ID;
}

int TimeOr(int value, int fallback)
{
    return value <= 0 || value > kMaxTime ? fallback : value;
}

// "16#1C0" as hexadecimal (at most four digits), anything else as decimal.
int ReadCobId(const std::string& text)
{
    if (text.rfind(kHexPrefix, 0) == 0) {
        const std::string digits = ByteString::Upper(text.substr(3, kMaxHexDigits));
        return static_cast<int>(std::strtoul(digits.c_str(), nullptr, 16));
    }
    return std::atoi(text.c_str());
}

} // namespace

CCanOpenPdoTable::CCanOpenPdoTable(int list) : m_list(list) {}

int CCanOpenPdoTable::ColumnCount() const
{
    return IsReceive() ? kReceiveColumns : kTransmitColumns;
}

const char* CCanOpenPdoTable::ColumnHeader(int column)
{
    return column >= 0 && column < kTransmitColumns ? kPdoGridHeaders[column] : "";
}

int CCanOpenPdoTable::ColumnWidth(int column)
{
    return column >= 0 && column < kTransmitColumns ? kColumnWidths[column] : 0;
}

std::vector<std::string> CCanOpenPdoTable::TypeEntries()
{
    return {std::to_string(PDO_TYPE_EVENT), std::to_string(PDO_TYPE_DEFAULT)};
}

bool CCanOpenPdoTable::IsEditableColumn(int column) const
{
    return column >= PDO_COL_COB_ID && column < ColumnCount();
}

void CCanOpenPdoTable::Load(const CCanOpenSlave& slave)
{
    const CCanOpenPdo* pdos = IsReceive() ? slave.RPDO : slave.TPDO;
    const int indexBase = IsReceive() ? kReceiveIndexBase : kTransmitIndexBase;
    for (int pdo = 0; pdo < CANOPEN_PDOS; ++pdo) {
        const CCanOpenPdo& source = pdos[pdo];
        m_rows[pdo] = {pdo, indexBase + pdo, source.COB_ID, source.CommType, source.EventTime, source.ForbiddenTime};
    }
}

void CCanOpenPdoTable::Store(CCanOpenSlave& slave) const
{
    CCanOpenPdo* pdos = IsReceive() ? slave.RPDO : slave.TPDO;
    for (const CCanOpenPdoRow& row : m_rows) {
        if (row.pdo < 0)
            continue;
        CCanOpenPdo& target = pdos[row.pdo];
        target.COB_ID = row.cobId;
        target.CommType = row.commType;
        target.EventTime = row.eventTime;
        target.ForbiddenTime = row.inhibitTime;
    }
}

void CCanOpenPdoTable::Clear()
{
    for (CCanOpenPdoRow& row : m_rows)
        row = CCanOpenPdoRow{};
}

std::string CCanOpenPdoTable::GetCellText(int column, int row)
{
    if (row < 0 || row >= CANOPEN_PDOS || m_rows[row].pdo < 0)
        return {};
    CCanOpenPdoRow& pdo = m_rows[row];
    switch (column) {
    case PDO_COL_NAME:
        return ByteString::Format(IsReceive() ? "RPDO %d" : "TPDO %d", pdo.pdo + 1);
    case PDO_COL_COB_ID:
        if (!IsCobId(pdo.cobId))
            pdo.cobId = 0;
        return pdo.cobId == 0 ? std::string() : ByteString::Format("16#%X", pdo.cobId);
    case PDO_COL_TYPE:
        if (!IsTransmissionType(pdo.commType))
            pdo.commType = PDO_TYPE_DEFAULT;
        return std::to_string(pdo.commType);
    case PDO_COL_EVENT_TIME:
        if (IsReceive() && pdo.commType != PDO_TYPE_EVENT)
            return {};
        pdo.eventTime = TimeOr(pdo.eventTime, PDO_DEFAULT_EVENT_TIME);
        return std::to_string(pdo.eventTime);
    case PDO_COL_INHIBIT_TIME:
        if (IsReceive())
            return {};
        pdo.inhibitTime = TimeOr(pdo.inhibitTime, PDO_DEFAULT_INHIBIT_TIME);
        return std::to_string(pdo.inhibitTime);
    default:
        return {};
    }
}

void CCanOpenPdoTable::StoreCobId(CCanOpenPdoRow& row, const std::string& text)
{
    if (row.pdo < PDO_FIRST_FREE_COB_ID)
        return;
    if (!IsReceive() && text.empty()) {
        row.cobId = 0;
        return;
    }
    const int value = ReadCobId(text);
    if (IsCobId(value))
        row.cobId = value;
    else if (IsReceive())
        row.cobId = 0;
}

void CCanOpenPdoTable::OnSaveCellData(int column, int row, const std::string& edited)
{
    SetProjectModified(TRUE);
    if (row < 0 || row >= CANOPEN_PDOS || m_rows[row].pdo < 0)
        return;
    const std::string text = ByteString::Trim(edited);
    CCanOpenPdoRow& pdo = m_rows[row];
    switch (column) {
    case PDO_COL_COB_ID:
        StoreCobId(pdo, text);
        break;
    case PDO_COL_TYPE: {
        const int type = std::atoi(text.c_str());
        pdo.commType = IsTransmissionType(type) ? type : PDO_TYPE_DEFAULT;
        break;
    }
    case PDO_COL_EVENT_TIME:
        if (!IsReceive() || pdo.commType == PDO_TYPE_EVENT)
            pdo.eventTime = TimeOr(std::atoi(text.c_str()), PDO_DEFAULT_EVENT_TIME);
        break;
    case PDO_COL_INHIBIT_TIME:
        if (!IsReceive())
            pdo.inhibitTime = TimeOr(std::atoi(text.c_str()), PDO_DEFAULT_INHIBIT_TIME);
        break;
    default:
        break;
    }
}
