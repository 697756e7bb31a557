#include "CPOUVarTable.h"

#include "model/CZULAppData.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "model/CZULProject.h"
#include "model/DirectAddress.h"
#include "model/SharedStrings.h"
#include "model/VarFileReader.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/IMessageBox.h"

#include <algorithm>

namespace {

constexpr size_t MAP_BUCKETS = 23;

struct VarFileSection {
    const char* keyword;
    OperandTypeFlags direction;
};

// Sections of the file in the order they are written.
const VarFileSection FILE_SECTIONS[] = {
    {"VAR_INPUT", OT_INPUT},
    {"VAR_IN_OUT", OT_DIRECTION_BITS},
    {"VAR_OUTPUT", OT_OUTPUT},
    {"VAR", 0},
};

// Classes a new row of a subroutine's empty table takes, by position.
const char* const NEW_SUBROUTINE_CLASSES[] = {"VAR_INPUT", "VAR_IN_OUT", "VAR_OUTPUT"};

const char* const SUBROUTINE_CLASS_CHOICES[] = {"VAR_INPUT", "VAR_IN_OUT", "VAR_OUTPUT", "VAR"};
const char* const DATA_TYPE_CHOICES[] = {"BOOL", "BYTE", "WORD", "INT", "DWORD", "DINT", "REAL"};

struct ParamAreas {
    OperandTypeFlags typeMask;
    DWORD inputAreas;
    DWORD otherAreas; // outputs and in-outs
};

// The areas a parameter accepts, by its first matching data type.
const ParamAreas PARAM_AREAS[] = {
    {OT_BOOL, 0x61FE1000, 0x18C0000},
    {OT_BYTE | OT_WORD | OT_DWORD, 0x19E1000, 0x18C0000},
    {OT_INT, 0x19FE1000, 0x118C0000},
    {OT_DINT, 0x59E1000, 0x18C0000},
    {OT_REAL, 0x1800000, 0x1800000},
};

std::string DeclarationLine(const CLocalVarEntry& entry)
{
    return ByteString::Format("    %s  AT  %s : %s ; (* %s *)", entry.Symbol.c_str(), entry.Address.c_str(),
                              entry.DataType.c_str(), entry.Comment.c_str());
}

OperandTypeFlags TypeMaskOf(const std::string& typeName)
{
    int mask = 0;
    if (!CZULAppData::TypeNameToMask(typeName, mask))
        return 0;
    return OperandTypeFlags(mask);
}

} // namespace

const CPOUVarTable::ColumnInfo CPOUVarTable::COLUMNS[COLUMN_COUNT] = {
    {"Address", 60}, {"Symbol", 100}, {"Var Type", 100}, {"Data Type", 100}, {"Comment", 260},
};

CPOUVarTable::CPOUVarTable(std::vector<BYTE>& bitCells, std::vector<BYTE>& byteCells, bool subroutine)
    : m_occupancy(bitCells, byteCells)
    , m_subroutine(subroutine)
    , m_symbols(MAP_BUCKETS)
    , m_addresses(MAP_BUCKETS)
    , m_upperSymbols(MAP_BUCKETS)
    , m_duplicates(MAP_BUCKETS)
{
}

bool CPOUVarTable::IsMonitoring()
{
    return g_pAppData && g_pAppData->Monitoring != 0;
}

CLocalVarEntry* CPOUVarTable::GetEntry(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return nullptr;
    return m_rows[size_t(row)].get();
}

const CNameRowSet* CPOUVarTable::FindDuplicateSet(const std::string& name) const
{
    auto found = m_duplicates.find(ByteString::Upper(name));
    return found == m_duplicates.end() ? nullptr : found->second.get();
}

BOOL CPOUVarTable::GetCellText(int column, int row, std::string& text, BYTE& mark) const
{
    const CLocalVarEntry* entry = GetEntry(row);
    if (!entry)
        return FALSE;
    const bool unplaced = !entry->Symbol.empty() && entry->Address.empty();
    mark = MARK_PLAIN;
    switch (column) {
    case COL_ADDRESS:
        text = entry->Address;
        return TRUE;
    case COL_SYMBOL:
        text = entry->Symbol;
        mark = IsNameValid(*entry) && !entry->Address.empty() ? MARK_PLAIN : MARK_ERROR;
        return TRUE;
    case COL_CLASS:
        text = entry->ClassName;
        mark = unplaced ? MARK_ERROR : MARK_PLAIN;
        return TRUE;
    case COL_TYPE:
        text = entry->DataType;
        mark = unplaced ? MARK_ERROR : MARK_PLAIN;
        return TRUE;
    case COL_COMMENT:
        text = entry->Comment;
        mark = MARK_COMMENT;
        return TRUE;
    default:
        return FALSE;
    }
}

std::vector<std::string> CPOUVarTable::GetColumnChoices(int column) const
{
    if (column == COL_CLASS && m_subroutine)
        return {std::begin(SUBROUTINE_CLASS_CHOICES), std::end(SUBROUTINE_CLASS_CHOICES)};
    if (column == COL_CLASS)
        return {"VAR"};
    if (column == COL_TYPE)
        return {std::begin(DATA_TYPE_CHOICES), std::end(DATA_TYPE_CHOICES)};
    return {};
}

void CPOUVarTable::EnterMaps(CLocalVarEntry& entry)
{
    m_symbols[entry.Symbol] = &entry;
    m_addresses[entry.Address] = &entry;
    m_upperSymbols[ByteString::Upper(entry.Symbol)] = &entry;
}

void CPOUVarTable::LeaveMaps(const std::string& symbol, const CLocalVarEntry& entry)
{
    auto leave = [&entry](EntryMap& map, const std::string& key) {
        auto found = map.find(key);
        if (found != map.end() && found->second == &entry)
            map.erase(found);
    };
    leave(m_symbols, symbol);
    leave(m_addresses, entry.Address);
    leave(m_upperSymbols, ByteString::Upper(symbol));
}

void CPOUVarTable::UpdateCompletion(CLocalVarEntry& entry)
{
    const bool complete = IsNameValid(entry) && HasAddress(entry) && !entry.ClassName.empty()
                          && !entry.DataType.empty();
    entry.Value2 = complete ? 1 : 0;
    if (!complete)
        return;
    entry.DataTypeMask |= OT_AREA_L;
    EnterMaps(entry);
}

BOOL CPOUVarTable::AllocateAddress(CLocalVarEntry& entry)
{
    m_occupancy.Release(entry);
    const BOOL assigned = m_occupancy.AssignNewAddress(entry);
    entry.Value3 = assigned ? 1 : 0;
    return assigned;
}

BOOL CPOUVarTable::OnCellEdited(int column, int row, const std::string& text)
{
    CLocalVarEntry* entry = GetEntry(row);
    if (IsMonitoring() || !entry)
        return FALSE;
    const std::string value = ByteString::Trim(text);
    entry->Row = row;
    if (IsComplete(*entry))
        LeaveMaps(entry->Symbol, *entry);
    switch (column) {
    case COL_SYMBOL: {
        const std::string oldName = entry->Symbol;
        entry->Symbol = value;
        entry->Value1 = ValidateSymbol(oldName, *entry) ? 1 : 0;
        break;
    }
    case COL_CLASS:
        entry->ClassName = value;
        entry->ClassFlags = 0;
        GetVarSectionFlags(value, entry->ClassFlags);
        break;
    case COL_TYPE:
        entry->DataType = value;
        entry->DataTypeMask = TypeMaskOf(value);
        break;
    case COL_COMMENT:
        if (!entry->Symbol.empty() || !entry->Comment.empty())
            entry->Comment = value;
        break;
    default:
        break;
    }
    if (!IsNameValid(*entry)) {
        entry->Value2 = 0;
        return TRUE;
    }
    // Every edit of a declared row places its variable anew, first fit, so
    // the table stays packed towards the low addresses.
    if (!entry->ClassName.empty() && !entry->DataType.empty())
        AllocateAddress(*entry);
    UpdateCompletion(*entry);
    return TRUE;
}

BOOL CPOUVarTable::ValidateSymbol(const std::string& oldName, CLocalVarEntry& entry)
{
    auto held = m_symbols.find(oldName);
    if (held != m_symbols.end() && held->second == &entry)
        LeaveMaps(oldName, entry);
    const bool legal = IsValidSymbolName(entry.Symbol, false);
    const bool unique = TrackDuplicateName(oldName, entry);
    if (legal && unique)
        return TRUE;
    m_occupancy.Release(entry);
    return FALSE;
}

bool CPOUVarTable::TrackDuplicateName(const std::string& oldName, CLocalVarEntry& entry)
{
    const WORD row = WORD(entry.Row);
    const std::string oldKey = ByteString::Upper(oldName);
    const std::string newKey = ByteString::Upper(entry.Symbol);
    if (oldKey == newKey)
        return m_duplicates.count(newKey) == 0;
    LeaveDuplicateSet(oldKey, row);
    if (newKey.empty())
        return true;
    auto set = m_duplicates.find(newKey);
    if (set != m_duplicates.end()) {
        set->second->Add(row);
        return false;
    }
    auto holder = m_upperSymbols.find(newKey);
    if (holder == m_upperSymbols.end() || holder->second == &entry)
        return true;
    CLocalVarEntry& other = *holder->second;
    auto rows = std::make_unique<CNameRowSet>();
    rows->Add(WORD(other.Row));
    rows->Add(row);
    m_duplicates[newKey] = std::move(rows);
    LeaveMaps(other.Symbol, other);
    m_occupancy.Release(other);
    other.Value1 = 0;
    other.Value2 = 0;
    return false;
}

void CPOUVarTable::LeaveDuplicateSet(const std::string& key, WORD row)
{
    auto set = m_duplicates.find(key);
    if (set == m_duplicates.end() || !set->second->Contains(row))
        return;
    set->second->Remove(row);
    if (set->second->GetCount() > 1)
        return;
    const bool remains = set->second->GetCount() == 1;
    const WORD remaining = set->second->First();
    m_duplicates.erase(set);
    if (remains)
        RevalidateRow(remaining);
}

void CPOUVarTable::RevalidateRow(WORD row)
{
    CLocalVarEntry* entry = GetEntry(row);
    if (!entry)
        return;
    entry->Value1 = ValidateSymbol(entry->Symbol, *entry) ? 1 : 0;
    if (!IsNameValid(*entry))
        return;
    if (!entry->ClassName.empty() && !entry->DataType.empty())
        AllocateAddress(*entry);
    UpdateCompletion(*entry);
}

BOOL CPOUVarTable::ClearCells(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    if (IsMonitoring())
        return FALSE;
    if (firstColumn == COL_ADDRESS && lastColumn == COLUMN_COUNT - 1)
        return DeleteRows(firstRow, lastRow - firstRow + 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        CLocalVarEntry* entry = GetEntry(row);
        if (!entry)
            continue;
        if (firstColumn <= COL_SYMBOL && COL_SYMBOL <= lastColumn) {
            LeaveDuplicateSet(ByteString::Upper(entry->Symbol), WORD(row));
            if (IsComplete(*entry)) {
                LeaveMaps(entry->Symbol, *entry);
                m_occupancy.Release(*entry);
            }
            entry->Symbol.clear();
            entry->Value1 = 0;
            entry->Value2 = 0;
        }
        if (firstColumn <= COL_COMMENT && COL_COMMENT <= lastColumn)
            entry->Comment.clear();
    }
    return TRUE;
}

void CPOUVarTable::RenumberFrom(int first, int delta)
{
    for (auto& [name, rows] : m_duplicates)
        rows->Shift(WORD(first), delta);
}

void CPOUVarTable::RenumberRows()
{
    for (int row = 0; row < GetRowCount(); ++row)
        m_rows[size_t(row)]->Row = row;
}

BOOL CPOUVarTable::DeleteRows(int first, int count)
{
    const int rows = GetRowCount();
    if (IsMonitoring() || rows < 2 || count < 1 || count > rows || first < 0 || first + count > rows)
        return FALSE;
    if (count == rows) {
        first = 1;
        count = rows - 1;
    }
    for (int row = first; row < first + count; ++row) {
        CLocalVarEntry& entry = *m_rows[size_t(row)];
        if (IsComplete(entry)) {
            LeaveMaps(entry.Symbol, entry);
            m_occupancy.Release(entry);
        }
        auto set = m_duplicates.find(ByteString::Upper(entry.Symbol));
        if (set != m_duplicates.end())
            set->second->Remove(WORD(row));
    }
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
    RenumberFrom(first + count, -count);
    RenumberRows();
    // A name left on one row is that row's alone again.
    std::vector<WORD> revived;
    for (auto set = m_duplicates.begin(); set != m_duplicates.end();) {
        if (set->second->GetCount() > 1) {
            ++set;
            continue;
        }
        if (set->second->GetCount() == 1)
            revived.push_back(set->second->First());
        set = m_duplicates.erase(set);
    }
    for (WORD row : revived)
        RevalidateRow(row);
    return TRUE;
}

std::unique_ptr<CLocalVarEntry> CPOUVarTable::NewRow(const CLocalVarEntry* model) const
{
    auto entry = std::make_unique<CLocalVarEntry>();
    entry->Value3 = 1;
    if (!model)
        return entry;
    entry->ClassName = model->ClassName;
    entry->ClassFlags = model->ClassFlags;
    entry->DataType = model->DataType;
    entry->DataTypeMask = model->DataTypeMask & ~OT_AREA_L;
    return entry;
}

BOOL CPOUVarTable::InsertRows(int current, int count, bool below)
{
    if (IsMonitoring() || count < 1 || GetRowCount() + count > MAX_ROWS)
        return FALSE;
    const CLocalVarEntry* model = GetEntry(current);
    int at = below ? current + 1 : current;
    at = std::clamp(at, 0, GetRowCount());
    std::vector<std::unique_ptr<CLocalVarEntry>> added;
    for (int i = 0; i < count; ++i)
        added.push_back(NewRow(model));
    RenumberFrom(at, count);
    m_rows.insert(m_rows.begin() + at, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    RenumberRows();
    return TRUE;
}

void CPOUVarTable::EnsureRowCount(int n)
{
    n = std::min(n, MAX_ROWS);
    const int existing = GetRowCount();
    const CLocalVarEntry* last = existing > 0 ? m_rows.back().get() : nullptr;
    for (int row = existing; row < n; ++row) {
        auto entry = std::make_unique<CLocalVarEntry>();
        entry->DataType = "BOOL";
        entry->DataTypeMask = OT_BOOL;
        entry->Value3 = 1;
        entry->Row = row;
        entry->ClassName = "VAR";
        if (m_subroutine && last)
            entry->ClassName = last->ClassName;
        else if (m_subroutine && row < int(std::size(NEW_SUBROUTINE_CLASSES)))
            entry->ClassName = NEW_SUBROUTINE_CLASSES[row];
        GetVarSectionFlags(entry->ClassName, entry->ClassFlags);
        m_rows.push_back(std::move(entry));
    }
}

int CPOUVarTable::GetOpeningRowCount(int declarations)
{
    return std::clamp(declarations + 1, MIN_INITIAL_ROWS, MAX_ROWS);
}

BOOL CPOUVarTable::ReadVarFile(const std::string& path, bool reallocate)
{
    m_rows.clear();
    m_symbols.clear();
    m_addresses.clear();
    m_upperSymbols.clear();
    m_duplicates.clear();
    std::vector<std::string> lines;
    if (!ReadVarFileLines(path, lines))
        return FALSE;
    std::string className;
    OperandTypeFlags classFlags = 0;
    for (const std::string& line : lines) {
        OperandTypeFlags flags = 0;
        VarDeclaration declaration;
        const VarLineKind kind = ParseVarFileLine(line, flags, declaration);
        if (kind == VarLineKind::Section || kind == VarLineKind::EndVar) {
            className = kind == VarLineKind::Section ? ByteString::Trim(line) : std::string();
            classFlags = kind == VarLineKind::Section ? flags : 0;
            continue;
        }
        if (kind != VarLineKind::Declaration)
            continue;
        auto entry = std::make_unique<CLocalVarEntry>();
        entry->Symbol = declaration.symbol;
        entry->ClassName = className;
        entry->ClassFlags = classFlags;
        entry->DataType = declaration.dataType;
        entry->DataTypeMask = TypeMaskOf(declaration.dataType);
        entry->Comment = declaration.comment;
        entry->Address = declaration.address;
        entry->Row = GetRowCount();
        entry->Value1 = 1;
        entry->Value3 = 1;
        if (entry->DataTypeMask != 0 && reallocate)
            entry->Value3 = m_occupancy.AssignNewAddress(*entry) ? 1 : 0;
        // A declaration outside any section is complete too; it is saved as VAR.
        if (entry->DataTypeMask != 0 && HasAddress(*entry)) {
            entry->Value2 = 1;
            entry->DataTypeMask |= OT_AREA_L;
            EnterMaps(*entry);
        }
        m_rows.push_back(std::move(entry));
    }
    return TRUE;
}

BOOL CPOUVarTable::ReadDocumentVarFile(const std::string& varFilePath)
{
    if (!g_pAppData)
        return ReadVarFile(varFilePath, false);
    if (g_pAppData->PIDGenerateMode == 1 || g_pAppData->PIDGenerateMode == 2)
        g_pAppData->WritePIDVarFile(g_pAppData->PIDVarFilePath);
    const std::string& path = varFilePath.empty() ? g_pAppData->PIDVarFilePath : varFilePath;
    const BOOL read = ReadVarFile(path, g_pAppData->LocalVarMapOption != 0);
    g_pAppData->LocalVarMapOption = 0;
    return read;
}

std::vector<const CLocalVarEntry*> CPOUVarTable::CompleteRows(OperandTypeFlags direction) const
{
    std::vector<const CLocalVarEntry*> rows;
    for (const auto& entry : m_rows) {
        if (IsComplete(*entry) && (entry->ClassFlags & OT_DIRECTION_BITS) == direction)
            rows.push_back(entry.get());
    }
    return rows;
}

std::string CPOUVarTable::BuildVarFileText() const
{
    std::string text;
    for (const VarFileSection& section : FILE_SECTIONS) {
        const auto rows = CompleteRows(section.direction);
        if (rows.empty())
            continue;
        text += std::string(section.keyword) + "\r\n";
        for (const CLocalVarEntry* entry : rows)
            text += DeclarationLine(*entry) + " \r\n";
        text += "END_VAR\r\n";
    }
    return text;
}

BOOL CPOUVarTable::WriteVarFile(const std::string& path)
{
    for (const auto& entry : m_rows) {
        if (IsComplete(*entry))
            m_occupancy.MarkUsed(*entry);
    }
    if (path.empty()) {
        ShowMessage("Error", "Invalid local variable file.", MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    if (!FileSystem::SafeSave(path, BuildVarFileText())) {
        ShowMessage("System Error", "Unable to create the local variable file.", MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

void CPOUVarTable::GetDeclarationLines(std::vector<std::string>& lines) const
{
    const bool anyComplete = std::any_of(m_rows.begin(), m_rows.end(),
                                         [](const auto& entry) { return IsComplete(*entry); });
    if (!anyComplete)
        return;
    lines = {"", "(* Local Variable Definition *)", ""};
    for (const VarFileSection& section : FILE_SECTIONS) {
        const auto rows = CompleteRows(section.direction);
        if (rows.empty())
            continue;
        lines.push_back(section.keyword);
        for (const CLocalVarEntry* entry : rows)
            lines.push_back(DeclarationLine(*entry));
        lines.push_back("END_VAR");
        lines.push_back("");
    }
}

void CPOUVarTable::SetParamAllowedAreas(CZULFBPara& para, const CLocalVarEntry& entry)
{
    const bool input = (entry.ClassFlags & OT_DIRECTION_BITS) == OT_INPUT;
    for (const ParamAreas& areas : PARAM_AREAS) {
        if (entry.DataTypeMask & areas.typeMask) {
            para.flags |= input ? areas.inputAreas : areas.otherAreas;
            return;
        }
    }
}

BOOL CPOUVarTable::RebuildCallInterface(const std::string& programPath, CZULProject& project) const
{
    const std::string fileName = programPath.substr(size_t(ByteString::ReverseFind(programPath, '/') + 1));
    const int underscore = ByteString::Find(fileName, '_');
    const int dot = ByteString::ReverseFind(fileName, '.');
    const int end = dot > underscore ? dot : int(fileName.size());
    const std::string name = ByteString::Mid(fileName, underscore + 1, end - underscore - 1);
    CZULFunc* function = nullptr;
    if (!project.POUs.FindSubroutineInterface(name, function) || !function)
        return FALSE;
    function->ClearParams();
    auto addParam = [](const std::string& symbol, DWORD flags) {
        auto* para = new CZULFBPara;
        para->SetNameAndFlags(symbol, flags);
        return para;
    };
    function->AddInput(addParam("EN", OT_EN_PARAM));
    function->AddOutput(addParam("ENO", OT_ENO_PARAM));
    for (OperandTypeFlags direction : {OT_INPUT, OT_DIRECTION_BITS, OT_OUTPUT}) {
        for (const CLocalVarEntry* entry : CompleteRows(direction)) {
            CZULFBPara* para = addParam(entry->Symbol, entry->DataTypeMask | entry->ClassFlags);
            SetParamAllowedAreas(*para, *entry);
            if (direction == OT_OUTPUT)
                function->AddOutput(para);
            else
                function->AddInput(para);
        }
    }
    return TRUE;
}

const char* CPOUVarTable::GetPasteMessage(int code)
{
    if (code < 0 || code >= SharedListSize(kGridPasteMessages))
        return "";
    return kGridPasteMessages[code];
}

BOOL CPOUVarTable::ReportPasteResult(int code)
{
    if (code == 0)
        return TRUE;
    ShowMessage(kGridPasteCaption, GetPasteMessage(code), MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

BOOL CPOUVarTable::GetEnterTarget(int column, int row, int& nextColumn, int& nextRow)
{
    if (column < COL_COMMENT) {
        nextColumn = column + 1;
        nextRow = row;
        return TRUE;
    }
    if (row + 1 >= GetRowCount() && !InsertRows(row, 1, true))
        return FALSE;
    nextColumn = COL_SYMBOL;
    nextRow = row + 1;
    return TRUE;
}

BOOL CPOUVarTable::CanInsertRow(int firstColumn, int lastColumn) const
{
    return firstColumn == lastColumn && GetRowCount() < MAX_ROWS;
}

BOOL CPOUVarTable::CanDeleteRow(int firstColumn, int lastColumn) const
{
    return firstColumn == lastColumn && GetRowCount() >= 2;
}

BOOL CPOUVarTable::CanClear(int firstColumn)
{
    return firstColumn != COL_CLASS && firstColumn != COL_TYPE;
}
