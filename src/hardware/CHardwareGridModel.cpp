#include "CHardwareGridModel.h"

#include "CpuChangeRule.h"
#include "HardwareTexts.h"
#include "IHardwareHost.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"
#include "model/ProjectModified.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <iterator>

const CHardwareGridColumn HardwareGridColumns[HW_GRID_DATA_COLUMNS] = {
    {"Module", 80, true},
    {"I Address", 80, true},
    {"Q Address", 80, true},
    {"Comment", 320, false},
};

namespace {

constexpr int COLUMN_MODULE = 0;
constexpr int COLUMN_I_ADDRESS = 1;
constexpr int COLUMN_Q_ADDRESS = 2;
constexpr int COLUMN_COMMENT = 3;

constexpr int CPU_SLOT = 0;
constexpr int MODBUS_RETRIES_AFTER_CPU_CHANGE = 3;

// Channel codes of the analog module pages.
constexpr BYTE AI_FUNCTION_CURRENT_4_20MA = 0;
constexpr BYTE AI_FUNCTION_MFD502 = 4;
constexpr BYTE AI_FUNCTION_PT100 = 5;
constexpr BYTE AI_FUNCTION_TYPE_J_EXT = 7;
constexpr BYTE AI_FILTER_NONE = 0;
constexpr BYTE AO_FUNCTION_DEFAULT = 0;
constexpr DWORD AO_FREEZE_OFF = 0;
constexpr DWORD AO_FREEZE_VALUE_DEFAULT = 4000;
constexpr int NO_AI_DEFAULTS = -1;

enum AddressArea { AREA_I, AREA_Q, AREA_AI, AREA_AQ };

struct CAreaAllocator {
    int (CZULProject::*allocate)(CZUL_Q7_PLC*);
    const char* noRoom;
};

// By AddressArea.
const CAreaAllocator kAreaAllocators[] = {
    {&CZULProject::AllocInputBytes, kNoRoomInI},
    {&CZULProject::AllocOutputBytes, kNoRoomInQ},
    {&CZULProject::AllocAnalogInputWords, kNoRoomInAI},
    {&CZULProject::AllocAnalogOutputWords, kNoRoomInAQ},
};

constexpr int MAX_AREAS_PER_MODULE = 2;

// The areas a module kind occupies, in the order they are placed, and the
// channel settings a new module of the kind starts with.
struct CModuleKindRule {
    DWORD kind;
    AddressArea areas[MAX_AREAS_PER_MODULE];
    int areaCount;
    int aiFunction; // NO_AI_DEFAULTS: the AI channels stay as the catalogue fill left them
    bool aoDefaults;
};

const CModuleKindRule kModuleKindRules[] = {
    {MODULE_KIND_CPU, {AREA_I, AREA_Q}, 2, NO_AI_DEFAULTS, false},
    {MODULE_KIND_DI_AC, {AREA_I}, 1, NO_AI_DEFAULTS, false},
    {MODULE_KIND_DI_DC, {AREA_I}, 1, NO_AI_DEFAULTS, false},
    {MODULE_KIND_DO_TRANSISTOR, {AREA_Q}, 1, NO_AI_DEFAULTS, false},
    {MODULE_KIND_DO_RELAY, {AREA_Q}, 1, NO_AI_DEFAULTS, false},
    {MODULE_KIND_DIO_TRANSISTOR, {AREA_I, AREA_Q}, 2, NO_AI_DEFAULTS, false},
    {MODULE_KIND_DIO_RELAY, {AREA_I, AREA_Q}, 2, NO_AI_DEFAULTS, false},
    {MODULE_KIND_AI, {AREA_AI}, 1, AI_FUNCTION_CURRENT_4_20MA, false},
    {MODULE_KIND_AI_THERMOCOUPLE, {AREA_AI}, 1, AI_FUNCTION_TYPE_J_EXT, false},
    {MODULE_KIND_AI_RTD, {AREA_AI}, 1, AI_FUNCTION_PT100, false},
    {MODULE_KIND_AI_NTC, {AREA_AI}, 1, AI_FUNCTION_MFD502, false},
    {MODULE_KIND_AO, {AREA_AQ}, 1, NO_AI_DEFAULTS, true},
    {MODULE_KIND_AIO_4, {AREA_AQ, AREA_AI}, 2, NO_AI_DEFAULTS, false},
    {MODULE_KIND_AIO_2, {AREA_AQ, AREA_AI}, 2, AI_FUNCTION_CURRENT_4_20MA, true},
};

// Places the record's ranges area by area; the first area without room is
// reported and fails the placement.
bool AllocateRanges(CZULProject& project, CZUL_Q7_PLC& record, const CModuleKindRule& rule)
{
    for (int i = 0; i < rule.areaCount; ++i) {
        const CAreaAllocator& area = kAreaAllocators[rule.areas[i]];
        if ((project.*(area.allocate))(&record))
            continue;
        ShowMessage(kHardwareErrorCaption, area.noRoom, MB_OK | MB_ICONSTOP);
        return false;
    }
    return true;
}

const CModuleKindRule* FindKindRule(DWORD kind)
{
    for (const CModuleKindRule& rule : kModuleKindRules) {
        if (rule.kind == kind)
            return &rule;
    }
    return nullptr;
}

void ApplyChannelDefaults(CZUL_Q7_PLC& record, const CModuleKindRule& rule)
{
    if (rule.aiFunction != NO_AI_DEFAULTS) {
        std::fill(std::begin(record.aiFunction), std::end(record.aiFunction), static_cast<BYTE>(rule.aiFunction));
        std::fill(std::begin(record.aiFilter), std::end(record.aiFilter), AI_FILTER_NONE);
    }
    if (rule.aoDefaults) {
        std::fill(std::begin(record.aoRange), std::end(record.aoRange), AO_FUNCTION_DEFAULT);
        std::fill(std::begin(record.aoStopMode), std::end(record.aoStopMode), AO_FREEZE_OFF);
        std::fill(std::begin(record.aoFreezeValue), std::end(record.aoFreezeValue), AO_FREEZE_VALUE_DEFAULT);
    }
}

std::string RangeText(int start, int end)
{
    return std::to_string(start) + "..." + std::to_string(end);
}

std::string InputAddressText(const CZUL_Q7_PLC& record, int slot)
{
    if (slot == CPU_SLOT && record.kindMask == MODULE_KIND_CPU)
        return "0..." + std::to_string(record.iEnd - record.iStart);
    if (record.kindMask & MODULE_KINDS_WITH_I & ~MODULE_KIND_CPU)
        return RangeText(record.iStart, record.iEnd);
    if (record.kindMask & MODULE_KINDS_WITH_AI)
        return RangeText(record.aiStart, record.aiEnd);
    return {};
}

std::string OutputAddressText(const CZUL_Q7_PLC& record, int slot)
{
    if (slot == CPU_SLOT && record.kindMask == MODULE_KIND_CPU)
        return "0..." + std::to_string(record.qEnd - record.qStart);
    if (record.kindMask & MODULE_KINDS_WITH_Q & ~MODULE_KIND_CPU)
        return RangeText(record.qStart, record.qEnd);
    if (record.kindMask & MODULE_KINDS_WITH_AQ)
        return RangeText(record.aoStart, record.aoEnd);
    return {};
}

} // namespace

CHardwareGridModel::CHardwareGridModel(CZULAppData& app, IHardwareHost& host) : m_app(app), m_host(host) {}

void CHardwareGridModel::OnInitialUpdate()
{
    if (SlotCount() > 0 && !SlotRecord(CPU_SLOT))
        DropAllSlots();
    m_rowCount = ProfileRowCount();
    m_focusRow = 1;
    m_focusColumn = 1;
    SelectDataRowZero();
    m_pageRows = m_rowCount + 1;
}

CModuleCellText CHardwareGridModel::GetCellText(int column, int slot) const
{
    CModuleCellText cell;
    if (column == COLUMN_COMMENT)
        cell.style = HW_GRID_COMMENT_STYLE;
    const CZUL_Q7_PLC* record = SlotRecord(slot);
    if (!record)
        return cell;
    switch (column) {
    case COLUMN_MODULE:
        cell.text = record->model;
        break;
    case COLUMN_I_ADDRESS:
        cell.text = InputAddressText(*record, slot);
        break;
    case COLUMN_Q_ADDRESS:
        cell.text = OutputAddressText(*record, slot);
        break;
    case COLUMN_COMMENT:
        cell.text = record->description;
        break;
    default:
        break;
    }
    return cell;
}

void CHardwareGridModel::SelectModuleRow(int row, int column)
{
    if (row < 1 || column < 1 || row > m_rowCount || column > HW_GRID_DATA_COLUMNS)
        return;
    m_focusRow = row;
    m_focusColumn = column;
    m_selectionFirst = m_selectionLast = m_selectionAnchor = row - 1;
    if (row < m_host.GetTabCount()) {
        if (m_host.GetCurrentTab() != row)
            m_host.SetCurrentTab(row);
        return;
    }
    m_host.SetCurrentTab(0);
}

bool CHardwareGridModel::OnKeyDown(HardwareGridKey key, bool shiftHeld)
{
    const int up = std::max(1, m_focusRow - 1);
    const int down = std::min(m_rowCount, m_focusRow + 1);
    switch (key) {
    case HardwareGridKey::Shift:
    case HardwareGridKey::Control:
        return false;
    case HardwareGridKey::Up:
        MoveFocusTo(shiftHeld || m_focusRow > 1 ? up : m_rowCount, shiftHeld);
        break;
    case HardwareGridKey::Down:
        MoveFocusTo(shiftHeld || m_focusRow < m_rowCount ? down : 1, shiftHeld);
        break;
    case HardwareGridKey::PageUp:
        MoveFocusTo(std::max(1, m_focusRow - m_pageRows), shiftHeld);
        break;
    case HardwareGridKey::PageDown:
        MoveFocusTo(std::min(m_rowCount, m_focusRow + m_pageRows), shiftHeld);
        break;
    case HardwareGridKey::Delete:
        RemoveModule();
        break;
    case HardwareGridKey::F1:
        m_host.PostHelpKey();
        break;
    case HardwareGridKey::Other:
        break;
    }
    return true;
}

void CHardwareGridModel::MoveFocusTo(int row, bool extendSelection)
{
    if (extendSelection)
        ExtendSelectionTo(row);
    else
        SelectModuleRow(row, m_focusColumn);
}

void CHardwareGridModel::OnRightButtonCell(int row, int column)
{
    const int dataRow = row - 1;
    const bool insideSelection = dataRow >= m_selectionFirst && dataRow <= m_selectionLast;
    if (m_selectionLast > m_selectionFirst && insideSelection && column >= 1 && column <= HW_GRID_DATA_COLUMNS) {
        m_focusRow = row;
        m_focusColumn = column;
        return;
    }
    SelectModuleRow(row, column);
}

void CHardwareGridModel::ExtendSelectionTo(int row)
{
    m_focusRow = row;
    m_selectionFirst = std::min(m_selectionAnchor, row - 1);
    m_selectionLast = std::max(m_selectionAnchor, row - 1);
}

void CHardwareGridModel::SelectDataRowZero()
{
    m_selectionFirst = m_selectionLast = m_selectionAnchor = 0;
}

int CHardwareGridModel::ProfileRowCount() const
{
    if (SlotCount() == 0)
        return HW_GRID_EMPTY_ROWS;
    return MaxExpansionModules + 1;
}

void CHardwareGridModel::InsertCatalogModule(const CModuleCatalogEntry* row)
{
    if (!row)
        return;
    const int slot = m_focusRow - 1;
    const int slots = SlotCount();
    if (slot > slots)
        return;
    // A module is replaced by removing it first; the user is told so.
    if (slot < slots && SlotRecord(slot)) {
        ShowMessage(kHardwareNoteCaption, kSlotTakenMessage, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const bool isCpu = row->kind == MODULE_KIND_CPU;
    if ((slot == CPU_SLOT) != isCpu) {
        ShowMessage(kHardwareNoteCaption, isCpu ? kCpuNotHereMessage : kCpuSlotOnlyMessage,
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (isCpu && !ApplyCpuChangeRule(*row))
        return;
    if (AddModuleToConfig(row)) {
        SelectModuleRow(m_focusRow + 1, m_focusColumn);
        m_host.RecheckInitialData();
        m_host.RecheckGlobalVariables();
    }
    m_host.RedrawGrid();
    SetProjectModified(TRUE);
}

bool CHardwareGridModel::ApplyCpuChangeRule(const CModuleCatalogEntry& row)
{
    const CCpuChangeRule* rule = FindCpuChangeRule(row.hardwareCode);
    if (!rule)
        return false;
    const int slots = SlotCount();
    if (rule->Asks(m_rowCount, slots)) {
        if (ShowMessage(kHardwareNoteCaption, rule->question, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        while (SlotCount() > rule->firstDeletedSlot) {
            const int last = SlotCount() - 1;
            DropLastSlot();
            m_host.RemoveTab(last + 1);
        }
    }
    (m_app.*(rule->loadProfile))();
    m_rowCount = MaxExpansionModules + 1;
    ResetAfterCpuChange();
    return true;
}

void CHardwareGridModel::ResetAfterCpuChange()
{
    CZULProject& project = m_app.Project;
    project.ResetModbusMasterConfig();
    project.ModbusRetries = MODBUS_RETRIES_AFTER_CPU_CHANGE;
    project.ResetCanOpenConfig();
    SelectDataRowZero();
    project.FreeForceBuffers();
    project.AllocateForceBuffers();
}

BOOL CHardwareGridModel::AddModuleToConfig(const CModuleCatalogEntry* row)
{
    if (!row)
        return FALSE;
    auto record = std::make_unique<CZUL_Q7_PLC>();
    record->InitFromCatalog(*row);
    const CModuleKindRule* rule = FindKindRule(record->kindMask);
    if (!rule || !AllocateRanges(m_app.Project, *record, *rule))
        return FALSE;
    ApplyChannelDefaults(*record, *rule);
    if (record->kindMask == MODULE_KIND_CPU)
        SetupCpu(*record);
    const int slot = m_focusRow - 1;
    CZUL_Q7_PLC* stored = record.get();
    StoreInSlot(slot, std::move(record));
    m_host.AddModulePage(slot + 1, stored);
    return TRUE;
}

void CHardwareGridModel::SetupCpu(CZUL_Q7_PLC& cpu)
{
    CZULProject& project = m_app.Project;
    std::fill(std::begin(cpu.inputFilters), std::end(cpu.inputFilters), 0);
    project.CPUFamilyIndex = CpuFamilyIndexFromHardwareCode(cpu.hardwareCode);
    project.LocalBitUsage.resize(LOCAL_BIT_ENTRIES);
    project.LocalByteUsage.resize(LOCAL_BYTE_ENTRIES);
    m_app.LoadAreaTable();
    m_host.RebuildInstructionCatalog();
    m_host.RebuildFBInstanceTable();
}

void CHardwareGridModel::RemoveModule()
{
    if (m_selectionFirst >= SlotCount())
        return;
    if (ShowMessage(kHardwareNoteCaption, kRemoveModuleQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    for (int slot = m_selectionFirst; slot <= m_selectionLast && slot < SlotCount(); ++slot) {
        if (slot < SlotCount() - 1) {
            EmptySlot(slot);
            m_host.ReplaceWithNotePage(slot + 1, std::to_string(slot + 1));
            continue;
        }
        DropLastSlot();
        m_host.RemoveTab(slot + 1);
        while (SlotCount() > 0 && !SlotRecord(SlotCount() - 1)) {
            const int last = SlotCount() - 1;
            DropLastSlot();
            m_host.RemoveTab(last + 1);
        }
    }
    m_host.RedrawGrid();
    SetProjectModified(TRUE);
}

bool CHardwareGridModel::CanRemoveModule() const
{
    return m_focusRow - 1 < SlotCount();
}

int CHardwareGridModel::SlotCount() const
{
    return static_cast<int>(m_app.Project.Modules.size());
}

CZUL_Q7_PLC* CHardwareGridModel::SlotRecord(int slot) const
{
    if (slot < 0 || slot >= SlotCount())
        return nullptr;
    return m_app.Project.Modules[static_cast<size_t>(slot)].get();
}

void CHardwareGridModel::StoreInSlot(int slot, std::unique_ptr<CZUL_Q7_PLC> record)
{
    auto& modules = m_app.Project.Modules;
    if (slot == SlotCount()) {
        modules.push_back(std::move(record));
        return;
    }
    modules[static_cast<size_t>(slot)] = std::move(record);
}

void CHardwareGridModel::EmptySlot(int slot)
{
    auto& modules = m_app.Project.Modules;
    modules[static_cast<size_t>(slot)].reset();
}

void CHardwareGridModel::DropLastSlot()
{
    auto& modules = m_app.Project.Modules;
    modules.pop_back();
}

void CHardwareGridModel::DropAllSlots()
{
    while (SlotCount() > 0)
        DropLastSlot();
}
