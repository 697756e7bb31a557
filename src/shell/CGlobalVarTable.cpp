#include "CGlobalVarTable.h"

#include "model/CZULAppData.h"
#include "model/CZULProject.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/GlobalVarFileWriter.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/Gbk.h"
#include "platform/IMessageBox.h"

#include <algorithm>
#include <set>

namespace {

constexpr BYTE kMarkPlain = 0;
constexpr BYTE kMarkComment = 254;
constexpr BYTE kMarkError = 255;

// Areas whose addresses cannot be global symbols.
constexpr OperandTypeFlags kRefusedAreas = OT_AREA_L | OT_AREA_T | OT_AREA_C | OT_AREA_RS | OT_AREA_SR;

constexpr const char* kOverfullCaption = "Note";
constexpr const char* kOverfullText =
    "The table holds %d valid global symbols. Only the first %d by address go into the global variable file; "
    "the others stay in the table.";

const std::vector<std::string> kAllTypes = {"BOOL", "BYTE", "INT", "WORD", "DINT", "DWORD", "REAL"};

// The data types an address of these type bits may take, in list order.
std::vector<std::string> TypeChoices(OperandTypeFlags bits)
{
    if (bits & OT_BOOL)
        return {"BOOL"};
    if (bits & OT_BYTE)
        return {"BYTE"};
    if (bits & OT_WORD_INT)
        return {"INT", "WORD"};
    if (bits & OT_DWORD_DINT)
        return {"DINT", "DWORD"};
    if (bits & OT_REAL)
        return {"REAL"};
    return kAllTypes;
}

OperandTypeFlags TypeMask(const std::string& typeName)
{
    int mask = 0;
    CZULAppData::TypeNameToMask(typeName, mask);
    return OperandTypeFlags(mask);
}

bool IsComplete(const CZULSymbol& symbol)
{
    return !symbol.name.empty() && !symbol.address.empty() && !symbol.dataType.empty() &&
           (symbol.errorFlags & (SYMBOL_ILLEGAL_NAME | SYMBOL_ILLEGAL_ADDRESS)) == 0;
}

bool IsEmpty(const CZULSymbol& symbol)
{
    return symbol.name.empty() && symbol.address.empty() && symbol.dataType.empty() && symbol.comment.empty();
}

void SetFlag(CZULSymbol& symbol, DWORD flag, bool set)
{
    if (set)
        symbol.errorFlags |= flag;
    else
        symbol.errorFlags &= ~flag;
}

// The data type an address of these type bits takes; a WORD or DWORD choice
// of the user is kept.
std::string TypeForAddress(OperandTypeFlags bits, const std::string& current)
{
    if (bits & OT_BOOL)
        return "BOOL";
    if (bits & OT_BYTE)
        return "BYTE";
    if (bits & OT_WORD_INT)
        return current == "WORD" ? "WORD" : "INT";
    if (bits & OT_DWORD_DINT)
        return current == "DWORD" ? "DWORD" : "DINT";
    if (bits & OT_REAL)
        return "REAL";
    return current;
}

const std::string& SortKey(const CZULSymbol& symbol, int column)
{
    if (column == CGlobalVarTable::COL_SYMBOL)
        return symbol.name;
    if (column == CGlobalVarTable::COL_ADDRESS)
        return symbol.address;
    return symbol.dataType;
}

} // namespace

const CGlobalVarTable::ColumnDef CGlobalVarTable::COLUMNS[COLUMN_COUNT] = {
    {"Symbol", 90},
    {"Address", 90},
    {"Data Type", 90},
    {"Comment", 320},
};

CGlobalVarTable::CGlobalVarTable(CZULProject& project)
    : m_project(project)
{
}

int CGlobalVarTable::GetRecordCount() const
{
    return int(m_project.OrderedSymbols.size());
}

CZULSymbol* CGlobalVarTable::GetRecord(int row) const
{
    if (row < 0 || row >= GetRecordCount())
        return nullptr;
    return m_project.OrderedSymbols[size_t(row)];
}

void CGlobalVarTable::RebuildSortedByAddress()
{
    std::set<CZULSymbol*> registered;
    std::vector<CZULSymbol*> sorted;
    for (const auto& entry : m_project.SymbolLookup) {
        if (entry.second && registered.insert(entry.second).second)
            sorted.push_back(entry.second);
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const CZULSymbol* a, const CZULSymbol* b) { return a->address < b->address; });
    const int cleanCount = int(sorted.size());

    std::vector<CZULSymbol*> rows = sorted;
    std::vector<CZULSymbol*> dropped;
    for (CZULSymbol* symbol : m_project.OrderedSymbols) {
        if (registered.count(symbol))
            continue;
        if (IsEmpty(*symbol))
            dropped.push_back(symbol);
        else
            rows.push_back(symbol);
    }
    for (CZULSymbol* symbol : dropped)
        m_project.DestroySymbol(symbol);
    m_project.OrderedSymbols = rows;
    Renumber();
    Revalidate();
    if (cleanCount > MAX_SYMBOLS)
        ReportOverfullTable(cleanCount);
}

void CGlobalVarTable::ReportOverfullTable(int cleanCount) const
{
    ShowMessage(kOverfullCaption, ByteString::Format(kOverfullText, cleanCount, GLOBAL_VAR_FILE_MAX_SYMBOLS),
                MB_OK | MB_ICONINFORMATION);
}

void CGlobalVarTable::SetRowCount(int n)
{
    while (GetRecordCount() < n) {
        CZULSymbol* symbol = m_project.NewSymbolRecord();
        symbol->orderIndex = GetRecordCount();
        m_project.OrderedSymbols.push_back(symbol);
    }
}

void CGlobalVarTable::Renumber()
{
    for (int row = 0; row < GetRecordCount(); ++row)
        m_project.OrderedSymbols[size_t(row)]->orderIndex = row;
}

void CGlobalVarTable::Revalidate()
{
    ValidateAddresses();
    ValidateNames();
    CheckDuplicates();
}

void CGlobalVarTable::ValidateAddress(CZULSymbol& symbol, bool emptyTypeWhenIllegal) const
{
    OperandTypeFlags flags = 0;
    if (symbol.address.empty() || !ParseDirectAddress(symbol.address, flags) || (flags & kRefusedAreas)) {
        symbol.errorFlags |= SYMBOL_ILLEGAL_ADDRESS;
        if (emptyTypeWhenIllegal)
            symbol.dataType.clear();
        return;
    }
    symbol.address = CZULProject::NormalisedSymbolAddress(symbol.address);
    symbol.dataType = TypeForAddress(flags & OT_TYPE_BITS, symbol.dataType);
    symbol.typeFlags = (flags & OT_AREA_BITS) | TypeMask(symbol.dataType);
    symbol.errorFlags &= ~SYMBOL_ILLEGAL_ADDRESS;
}

void CGlobalVarTable::ValidateAddresses()
{
    for (CZULSymbol* symbol : m_project.OrderedSymbols)
        ValidateAddress(*symbol, false);
}

void CGlobalVarTable::ValidateNames()
{
    for (CZULSymbol* symbol : m_project.OrderedSymbols) {
        if (!symbol->name.empty())
            SetFlag(*symbol, SYMBOL_ILLEGAL_NAME, !IsValidSymbolName(symbol->name, true));
    }
}

void CGlobalVarTable::CheckDuplicates()
{
    std::vector<CZULSymbol*> complete;
    std::vector<CZULSymbol*> others;
    for (CZULSymbol* symbol : m_project.OrderedSymbols)
        (IsComplete(*symbol) ? complete : others).push_back(symbol);

    m_project.SymbolLookup.clear();
    m_project.SymbolsUpper.clear();
    m_project.SymbolsByAddress.clear();
    std::map<std::string, std::string>& namesSeen = m_project.SymbolTextMaps[0];
    std::map<std::string, std::string>& addressesSeen = m_project.SymbolTextMaps[1];
    namesSeen.clear();
    addressesSeen.clear();

    for (CZULSymbol* symbol : complete) {
        const std::string upper = ByteString::Upper(symbol->name);
        SetFlag(*symbol, SYMBOL_DUPLICATE_NAME, namesSeen.count(upper) != 0);
        SetFlag(*symbol, SYMBOL_DUPLICATE_ADDRESS, addressesSeen.count(symbol->address) != 0);
        namesSeen[upper] = upper;
        addressesSeen[symbol->address] = symbol->address;
        if (symbol->errorFlags & (SYMBOL_DUPLICATE_NAME | SYMBOL_DUPLICATE_ADDRESS))
            continue;
        m_project.SymbolLookup[symbol->name] = symbol;
        m_project.SymbolLookup[symbol->address] = symbol;
        m_project.SymbolsUpper[upper] = symbol;
        m_project.SymbolsByAddress[CZULProject::NormalisedSymbolAddress(symbol->address)] = symbol;
    }
    for (CZULSymbol* symbol : others) {
        const std::string upper = ByteString::Upper(symbol->name);
        SetFlag(*symbol, SYMBOL_DUPLICATE_NAME, !upper.empty() && namesSeen.count(upper) != 0);
        SetFlag(*symbol, SYMBOL_DUPLICATE_ADDRESS,
                !symbol->address.empty() && addressesSeen.count(symbol->address) != 0);
        if (!upper.empty())
            namesSeen[upper] = upper;
        if (!symbol->address.empty())
            addressesSeen[symbol->address] = symbol->address;
    }
}

BOOL CGlobalVarTable::GetCellText(int column, int row, std::string& text, BYTE& mark) const
{
    text.clear();
    mark = kMarkPlain;
    const CZULSymbol* symbol = GetRecord(row);
    if (!symbol)
        return TRUE;
    switch (column) {
    case COL_SYMBOL:
        text = symbol->name;
        mark = (symbol->errorFlags & SYMBOL_NAME_ERRORS) ? kMarkError : kMarkPlain;
        break;
    case COL_ADDRESS:
        text = symbol->address;
        mark = (symbol->errorFlags & SYMBOL_ADDRESS_ERRORS) ? kMarkError : kMarkPlain;
        break;
    case COL_TYPE:
        text = symbol->dataType;
        break;
    case COL_COMMENT:
        text = symbol->comment;
        mark = kMarkComment;
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

void CGlobalVarTable::StoreName(CZULSymbol& symbol, const std::string& text) const
{
    const std::string name = text.substr(0, GbkSafeLength(text, NAME_MAX_BYTES));
    if (name == symbol.name)
        return;
    symbol.name = name;
    SetFlag(symbol, SYMBOL_ILLEGAL_NAME, name.empty() || !IsValidSymbolName(name, true));
}

void CGlobalVarTable::StoreAddress(CZULSymbol& symbol, const std::string& text) const
{
    if (text == symbol.address)
        return;
    symbol.address = text;
    ValidateAddress(symbol, true);
}

void CGlobalVarTable::StoreDataType(CZULSymbol& symbol, const std::string& text) const
{
    symbol.dataType = text;
    OperandTypeFlags flags = 0;
    const OperandTypeFlags areas = ParseDirectAddress(symbol.address, flags) ? (flags & OT_AREA_BITS) : 0;
    symbol.typeFlags = TypeMask(text) | areas;
}

void CGlobalVarTable::SaveCellData(int column, int row, const std::string& text)
{
    CZULSymbol* symbol = GetRecord(row);
    if (!symbol)
        return;
    const std::string trimmed = ByteString::Trim(text);
    symbol->orderIndex = row;
    switch (column) {
    case COL_SYMBOL:
        StoreName(*symbol, trimmed);
        break;
    case COL_ADDRESS:
        StoreAddress(*symbol, trimmed);
        break;
    case COL_TYPE:
        StoreDataType(*symbol, trimmed);
        break;
    case COL_COMMENT:
        symbol->comment = trimmed;
        break;
    default:
        return;
    }
    CheckDuplicates();
    SetProjectModified(TRUE);
}

std::vector<std::string> CGlobalVarTable::GetTypeChoices(int row, bool atActivation) const
{
    const CZULSymbol* symbol = GetRecord(row);
    if (!symbol || symbol->address.empty())
        return {};
    const DWORD blocking = atActivation ? SYMBOL_ADDRESS_ERRORS : ~DWORD(0);
    if (symbol->errorFlags & blocking)
        return {};
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(symbol->address, flags))
        return {};
    return TypeChoices(flags & OT_TYPE_BITS);
}

void CGlobalVarTable::ClearCell(CZULSymbol& symbol, int column) const
{
    switch (column) {
    case COL_SYMBOL:
        StoreName(symbol, "");
        break;
    case COL_ADDRESS:
        StoreAddress(symbol, "");
        break;
    case COL_TYPE:
        if (symbol.errorFlags == 0)
            break;
        symbol.dataType.clear();
        symbol.typeFlags &= OT_AREA_BITS;
        break;
    case COL_COMMENT:
        symbol.comment.clear();
        break;
    default:
        break;
    }
}

void CGlobalVarTable::ClearCells(int firstCol, int lastCol, int firstRow, int lastRow)
{
    if (firstCol == COL_SYMBOL && lastCol == COL_COMMENT) {
        if (DeleteSymbolRows(firstRow, lastRow - firstRow + 1))
            SetProjectModified(TRUE);
        return;
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        CZULSymbol* symbol = GetRecord(row);
        if (!symbol)
            continue;
        for (int column = firstCol; column <= lastCol; ++column)
            ClearCell(*symbol, column);
    }
    CheckDuplicates();
    SetProjectModified(TRUE);
}

BOOL CGlobalVarTable::InsertSymbolRows(int index, int n)
{
    if (n <= 0 || index < 0 || index > GetRecordCount())
        return FALSE;
    std::vector<CZULSymbol*> added;
    for (int i = 0; i < n; ++i)
        added.push_back(m_project.NewSymbolRecord());
    auto& list = m_project.OrderedSymbols;
    list.insert(list.begin() + index, added.begin(), added.end());
    Renumber();
    return TRUE;
}

BOOL CGlobalVarTable::DeleteSymbolRows(int first, int n)
{
    const int count = GetRecordCount();
    if (count < 2 || n <= 0 || n > count || first < 0 || first + n > count)
        return FALSE;
    if (n == count)
        --n;
    auto& list = m_project.OrderedSymbols;
    const std::vector<CZULSymbol*> removed(list.begin() + first, list.begin() + first + n);
    for (CZULSymbol* symbol : removed)
        m_project.DestroySymbol(symbol);
    Renumber();
    CheckDuplicates();
    return TRUE;
}

BOOL CGlobalVarTable::SortByColumn(int column, bool ascending)
{
    if (column < COL_SYMBOL || column > COL_TYPE)
        return FALSE;
    auto& list = m_project.OrderedSymbols;
    size_t end = list.size();
    while (end > 1 && SortKey(*list[end - 1], column).empty())
        --end;
    if (end <= 1)
        end = list.size();
    const auto before = [column, ascending](const CZULSymbol* a, const CZULSymbol* b) {
        return ascending ? SortKey(*a, column) < SortKey(*b, column) : SortKey(*b, column) < SortKey(*a, column);
    };
    std::stable_sort(list.begin(), list.begin() + std::ptrdiff_t(end), before);
    Renumber();
    return TRUE;
}

void RecheckGlobalVariables(CZULProject& project)
{
    CGlobalVarTable(project).Revalidate();
}
