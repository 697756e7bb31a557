#include "CCanOpenSlaveGrid.h"

#include "CanOpenTexts.h"
#include "model/CZULProject.h"
#include "model/CanOpenNumbers.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"

#include <iterator>

namespace {

constexpr int kColumnWidths[SLAVE_LIST_COLUMNS] = {30, 100, 55, 54, 54, 90, 55, 54, 55};

constexpr int kWatchHeartbeat = 0;
constexpr int kWatchNodeGuarding = 1;
constexpr unsigned kMaxTime = 65535;
constexpr int kDefaultGuardTime = 1000;
constexpr int kDefaultProducerTime = 500;
constexpr int kDefaultLifeFactor = 3;
constexpr int kConsumerMargin = 100;

bool InTimeRange(int value)
{
    return value != 0 && static_cast<unsigned>(value) <= kMaxTime;
}

std::string Number(int value)
{
    return ByteString::Format("%d", value);
}

std::vector<std::string> Entries(const char* const* first, const char* const* last)
{
    return std::vector<std::string>(first, last);
}

// The position of the text among the entries; -1 when it is none of them.
int EntryIndex(const char* const* first, const char* const* last, const std::string& text)
{
    for (const char* const* entry = first; entry != last; ++entry) {
        if (text == *entry)
            return static_cast<int>(entry - first);
    }
    return -1;
}

} // namespace

CCanOpenSlaveGrid::CCanOpenSlaveGrid(const CZULProject& project)
    : m_slaves(CANOPEN_SLAVES), m_usage(LOCAL_MEMORY_MARKS, 0)
{
    for (int slot = 0; slot < CANOPEN_SLAVES; ++slot) {
        CZULProject::ResetCanOpenSlave(Slave(slot), slot);
        if (!project.CanOpenSlaves[slot].Name.empty())
            Slave(slot) = project.CanOpenSlaves[slot];
    }
}

void CCanOpenSlaveGrid::StoreToProject(CZULProject& project) const
{
    for (int slot = 0; slot < CANOPEN_SLAVES; ++slot)
        project.CanOpenSlaves[slot] = Slave(slot);
}

const char* CCanOpenSlaveGrid::ColumnHeader(int column)
{
    if (column < 0 || column >= SLAVE_LIST_COLUMNS)
        return "";
    return kSlaveListHeaders[column];
}

int CCanOpenSlaveGrid::ColumnWidth(int column)
{
    if (column < 0 || column >= SLAVE_LIST_COLUMNS)
        return 0;
    return kColumnWidths[column];
}

std::vector<std::string> CCanOpenSlaveGrid::CreateCellCtrl(int column)
{
    switch (column) {
    case SLAVE_COL_SUPERVISION:
        return Entries(std::begin(kSupervisionEntries), std::end(kSupervisionEntries));
    case SLAVE_COL_ERROR_HANDLING:
        return Entries(std::begin(kErrorHandlingEntries), std::end(kErrorHandlingEntries));
    case SLAVE_COL_VALID:
        return Entries(std::begin(kValidEntries), std::end(kValidEntries));
    default:
        return {};
    }
}

bool CCanOpenSlaveGrid::IsConfigured(int slot) const
{
    return slot >= 0 && slot < CANOPEN_SLAVES && !Slave(slot).Name.empty();
}

std::string CCanOpenSlaveGrid::SupervisionTimeText(const CCanOpenSlave& slave) const
{
    if (slave.Watch == kWatchNodeGuarding)
        return Number(InTimeRange(slave.NodeTime) ? slave.NodeTime : kDefaultGuardTime);
    if (slave.Watch == kWatchHeartbeat)
        return Number(InTimeRange(slave.HeartTime) ? slave.HeartTime : kDefaultProducerTime);
    return "";
}

std::string CCanOpenSlaveGrid::LifeFactorText(const CCanOpenSlave& slave) const
{
    if (slave.Watch != kWatchNodeGuarding)
        return "";
    return Number(InTimeRange(slave.LifeGene) ? slave.LifeGene : kDefaultLifeFactor);
}

std::string CCanOpenSlaveGrid::ConsumerTimeText(const CCanOpenSlave& slave) const
{
    if (slave.Watch != kWatchHeartbeat)
        return "";
    const bool valid = slave.HeartOverTime > slave.HeartTime && static_cast<unsigned>(slave.HeartOverTime) <= kMaxTime;
    return Number(valid ? slave.HeartOverTime : slave.HeartTime + kConsumerMargin);
}

std::string CCanOpenSlaveGrid::GetCellText(int column, int row) const
{
    if (!IsConfigured(row))
        return "";
    const CCanOpenSlave& slave = Slave(row);
    switch (column) {
    case SLAVE_COL_ADDRESS:
        return Number(row + 1);
    case SLAVE_COL_NAME:
        return slave.Name;
    case SLAVE_COL_SUPERVISION:
        return kSupervisionEntries[slave.Watch == kWatchHeartbeat ? 0 : 1];
    case SLAVE_COL_GUARD_TIME:
        return SupervisionTimeText(slave);
    case SLAVE_COL_LIFE_FACTOR:
        return LifeFactorText(slave);
    case SLAVE_COL_CONSUMER_TIME:
        return ConsumerTimeText(slave);
    case SLAVE_COL_ERROR_HANDLING:
        return kErrorHandlingEntries[slave.ErrHandel == 1 || slave.ErrHandel == 2 ? slave.ErrHandel : 0];
    case SLAVE_COL_TYPE:
        return slave.Type == 0 ? std::string() : Number(slave.Type);
    case SLAVE_COL_VALID:
        return kValidEntries[slave.Valid == 0 ? 0 : 1];
    default:
        return "";
    }
}

void CCanOpenSlaveGrid::StoreSupervisionTime(CCanOpenSlave& slave, int value)
{
    if (slave.Watch == kWatchNodeGuarding) {
        slave.NodeTime = InTimeRange(value) ? value : kDefaultGuardTime;
        return;
    }
    slave.HeartTime = InTimeRange(value) ? value : kDefaultProducerTime;
    if (slave.HeartTime >= slave.HeartOverTime || static_cast<unsigned>(slave.HeartOverTime) > kMaxTime)
        slave.HeartOverTime = slave.HeartTime + kConsumerMargin;
}

void CCanOpenSlaveGrid::StoreConsumerTime(CCanOpenSlave& slave, int value)
{
    slave.HeartOverTime = value;
    if (slave.HeartTime >= slave.HeartOverTime || static_cast<unsigned>(slave.HeartOverTime) > kMaxTime)
        slave.HeartOverTime = slave.HeartTime + kConsumerMargin;
}

void CCanOpenSlaveGrid::OnSaveCellData(int column, int row, const std::string& text)
{
    if (!IsConfigured(row))
        return;
    CCanOpenSlave& slave = Slave(row);
    const std::string value = ByteString::Trim(text);
    const bool heartbeat = slave.Watch == kWatchHeartbeat;
    const bool guarding = slave.Watch == kWatchNodeGuarding;
    switch (column) {
    case SLAVE_COL_ADDRESS:
        slave.Node = row + 1;
        break;
    case SLAVE_COL_NAME:
        slave.Name = value;
        break;
    case SLAVE_COL_SUPERVISION:
        slave.Watch = value == kSupervisionEntries[0] ? kWatchHeartbeat : kWatchNodeGuarding;
        break;
    case SLAVE_COL_GUARD_TIME:
        if (!heartbeat && !guarding)
            return;
        StoreSupervisionTime(slave, ReadDecimal(value));
        break;
    case SLAVE_COL_LIFE_FACTOR:
        if (!guarding)
            return;
        slave.LifeGene = InTimeRange(ReadDecimal(value)) ? ReadDecimal(value) : kDefaultLifeFactor;
        break;
    case SLAVE_COL_CONSUMER_TIME:
        if (!heartbeat)
            return;
        StoreConsumerTime(slave, ReadDecimal(value));
        break;
    case SLAVE_COL_ERROR_HANDLING: {
        const int entry = EntryIndex(std::begin(kErrorHandlingEntries), std::end(kErrorHandlingEntries), value);
        slave.ErrHandel = entry < 0 ? 0 : entry;
        break;
    }
    case SLAVE_COL_TYPE:
        slave.Type = ReadDecimal(value) > 0 ? ReadDecimal(value) : 0;
        break;
    case SLAVE_COL_VALID:
        slave.Valid = value == kValidEntries[0] ? 0 : 1;
        break;
    default:
        return;
    }
    SetProjectModified(TRUE);
}

BOOL CCanOpenSlaveGrid::MoveSlave(int step)
{
    const int from = m_focusRow;
    if (!IsConfigured(from))
        return FALSE;
    int to = from + step;
    while (to >= 0 && to < CANOPEN_SLAVES && IsConfigured(to))
        to += step;
    if (to < 0 || to >= CANOPEN_SLAVES)
        return FALSE;
    CCanOpenSlave& moved = Slave(to);
    moved = Slave(from);
    moved.Node = to + 1;
    for (int k = 0; k < CANOPEN_PDOS; ++k) {
        if (CZULProject::DefaultCobId(true, k, moved.Node) == 0)
            continue;
        moved.RPDO[k].COB_ID = CZULProject::DefaultCobId(true, k, moved.Node);
        moved.TPDO[k].COB_ID = CZULProject::DefaultCobId(false, k, moved.Node);
    }
    CZULProject::ResetCanOpenSlave(Slave(from), from);
    m_focusRow = to;
    SetProjectModified(TRUE);
    return TRUE;
}

BOOL CCanOpenSlaveGrid::MoveSlaveUp()
{
    return MoveSlave(-1);
}

BOOL CCanOpenSlaveGrid::MoveSlaveDown()
{
    return MoveSlave(1);
}

BOOL CCanOpenSlaveGrid::DeleteSlave()
{
    if (!IsConfigured(m_focusRow))
        return FALSE;
    CZULProject::ResetCanOpenSlave(Slave(m_focusRow), m_focusRow);
    m_focusColumn = SLAVE_COL_ADDRESS;
    SetProjectModified(TRUE);
    return TRUE;
}

void CCanOpenSlaveGrid::SetFocusCell(int row, int column)
{
    m_focusRow = row;
    m_focusColumn = column;
}

void CCanOpenSlaveGrid::GetFocusCell(int& row, int& column) const
{
    row = m_focusRow;
    column = m_focusColumn;
}
