#include "CInitDataTable.h"

#include "model/CZULAppData.h"
#include "model/CZULInitData.h"
#include "model/CZULProject.h"
#include "model/DirectAddress.h"
#include "model/TypedConstants.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"

#include <cstdlib>

namespace {

constexpr BYTE kMarkPlain = 0;
constexpr BYTE kMarkError = 255;
constexpr DWORD kNoAddress = 0xFFFFFFFF;
// "%VB", "%VW" or "%VD": the area prefix of an upper-cased V address.
constexpr size_t kPrefixLength = 3;
constexpr OperandTypeFlags kValueTypes = OT_BYTE | OT_WORD | OT_INT | OT_DWORD | OT_DINT | OT_REAL;

// Bytes of one value at an address of these type bits.
int ValueWidth(OperandTypeFlags flags)
{
    if (flags & OT_BYTE)
        return 1;
    if (flags & OT_WORD_INT)
        return 2;
    return 4;
}

int ValueCount(const CZULInitData& record)
{
    return record.texts.empty() ? 0 : int(record.texts.size()) - 1;
}

bool HasCode(const CZULInitData& record, int column)
{
    DWORD code = 0;
    return record.LookupCode(DWORD(column), code) != FALSE;
}

void SetWord(CZULInitData& record, int index, DWORD value)
{
    if (record.values.size() <= size_t(index))
        record.values.resize(size_t(index) + 1, 0);
    record.values[size_t(index)] = value;
}

// Words follow the texts: one per text.
void FitWords(CZULInitData& record)
{
    record.values.resize(record.texts.size(), 0);
}

void MarkAddressUnusable(CZULInitData& record)
{
    SetWord(record, 0, kNoAddress);
    record.rowState1 = 0;
    record.rowState2 = 0;
}

// Removes the last text and its code, then every empty text before it.
void RemoveTrailingTexts(CZULInitData& record)
{
    record.RemoveCode(DWORD(record.texts.size() - 1));
    record.texts.pop_back();
    while (!record.texts.empty() && record.texts.back().empty()) {
        record.RemoveCode(DWORD(record.texts.size() - 1));
        record.texts.pop_back();
    }
    FitWords(record);
}

} // namespace

CInitDataTable::CInitDataTable(CZULAppData& app)
    : m_app(app)
{
}

bool CInitDataTable::IsMonitoring() const
{
    return m_app.Monitoring.load() != 0;
}

int CInitDataTable::GetRecordCount() const
{
    return int(m_app.Project.InitialData.size());
}

CZULInitData* CInitDataTable::GetRecord(int row) const
{
    if (row < 0 || row >= GetRecordCount())
        return nullptr;
    return m_app.Project.InitialData[size_t(row)].get();
}

void CInitDataTable::SetRowCount(int n)
{
    while (GetRecordCount() < n)
        m_app.Project.InitialData.push_back(std::make_unique<CZULInitData>());
}

void CInitDataTable::ValidateRow(CZULInitData& record) const
{
    FitWords(record);
    const std::string address = record.texts.empty() ? std::string() : record.texts[0];
    if (address.empty()) {
        MarkAddressUnusable(record);
        if (ValueCount(record) == 0)
            record.RemoveCode(COL_ADDRESS);
        else
            record.SetCode(COL_ADDRESS, INIT_CODE_ILLEGAL_ADDRESS);
        return;
    }
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(address, flags)) {
        MarkAddressUnusable(record);
        record.SetCode(COL_ADDRESS, INIT_CODE_ILLEGAL_ADDRESS);
        return;
    }
    if (!(flags & OT_AREA_V) || (flags & OT_BOOL) || !(flags & kValueTypes)) {
        MarkAddressUnusable(record);
        record.SetCode(COL_ADDRESS, INIT_CODE_NOT_V_MEMORY);
        return;
    }
    record.texts[0] = CZULProject::NormalisedSymbolAddress(address);
    const std::string prefix = record.texts[0].substr(0, kPrefixLength);
    const int byte = std::atoi(record.texts[0].c_str() + kPrefixLength);
    SetWord(record, 0, DWORD(WORD(m_app.GetAreaBase(prefix, FALSE) + byte)));
    const int maxIndex = m_app.GetAreaMaxIndex(prefix);
    record.rowState2 = DWORD((maxIndex - byte) / ValueWidth(flags) + 1);
    record.rowState1 = flags;
    record.RemoveCode(COL_ADDRESS);
    const int capacity = int(record.rowState2);
    for (int i = 1; i <= ValueCount(record); ++i) {
        if (i <= capacity) {
            ValidateValue(record, i);
            continue;
        }
        SetWord(record, i, 0);
        record.SetCode(DWORD(i), INIT_CODE_OUT_OF_RANGE);
    }
}

void CInitDataTable::ValidateValue(CZULInitData& record, int i) const
{
    if (i < 1 || i >= int(record.texts.size()))
        return;
    SetWord(record, i, 0);
    if (HasCode(record, COL_ADDRESS)) {
        record.SetCode(DWORD(i), INIT_CODE_ADDRESS_UNKNOWN);
        return;
    }
    if (DWORD(i) > record.rowState2) {
        record.SetCode(DWORD(i), INIT_CODE_OUT_OF_RANGE);
        return;
    }
    OperandTypeFlags constantFlags = 0;
    DWORD value = 0;
    float realValue = 0;
    if (!ParseConstant(record.texts[size_t(i)], constantFlags, value, realValue)) {
        record.SetCode(DWORD(i), INIT_CODE_ILLEGAL_VALUE);
        return;
    }
    if (!(constantFlags & record.rowState1 & kValueTypes)) {
        record.SetCode(DWORD(i), INIT_CODE_WRONG_TYPE);
        return;
    }
    record.texts[size_t(i)] = ByteString::Upper(record.texts[size_t(i)]);
    SetWord(record, i, value);
    record.RemoveCode(DWORD(i));
}

BOOL CInitDataTable::GetCellText(int column, int row, std::string& text, BYTE& mark) const
{
    text.clear();
    mark = kMarkPlain;
    const CZULInitData* record = GetRecord(row);
    if (!record || column < 0 || column >= COLUMN_COUNT)
        return TRUE;
    if (size_t(column) < record->texts.size())
        text = record->texts[size_t(column)];
    if (HasCode(*record, column))
        mark = kMarkError;
    return TRUE;
}

BOOL CInitDataTable::SaveCellData(int column, int row, const std::string& text)
{
    if (IsMonitoring() || column < 0 || column >= COLUMN_COUNT || row < 0)
        return FALSE;
    const std::string trimmed = ByteString::Trim(text);
    if (column == COL_ADDRESS) {
        SetRowCount(row + 1);
        CZULInitData& record = *GetRecord(row);
        if (record.texts.empty())
            record.texts.emplace_back();
        record.texts[0] = trimmed;
        ValidateRow(record);
        SetProjectModified(TRUE);
        return TRUE;
    }
    CZULInitData* record = GetRecord(row);
    if (!record || !StoreValue(*record, column, trimmed))
        return FALSE;
    SetProjectModified(TRUE);
    return TRUE;
}

BOOL CInitDataTable::StoreValue(CZULInitData& record, int column, const std::string& text) const
{
    if (record.texts.empty())
        return FALSE;
    const int last = int(record.texts.size()) - 1;
    if ((record.texts[0].empty() && !text.empty()) || column > last + 1)
        return FALSE;
    if (!text.empty()) {
        if (column == last + 1)
            record.texts.push_back(text);
        else
            record.texts[size_t(column)] = text;
        FitWords(record);
        ValidateValue(record, column);
        return TRUE;
    }
    if (column == last) {
        RemoveTrailingTexts(record);
        return TRUE;
    }
    if (record.HasText())
        return FALSE;
    record.texts.clear();
    record.values.clear();
    record.RemoveAllCodes();
    return TRUE;
}

BOOL CInitDataTable::ClearCells(int firstCol, int lastCol, int firstRow, int lastRow)
{
    if (IsMonitoring())
        return FALSE;
    if (firstCol == COL_ADDRESS && lastCol == COLUMN_COUNT - 1) {
        if (!DeleteInitRows(firstRow, lastRow - firstRow + 1))
            return FALSE;
        SetProjectModified(TRUE);
        return TRUE;
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstCol; column <= lastCol; ++column)
            SaveCellData(column, row, "");
    }
    SetProjectModified(TRUE);
    return TRUE;
}

BOOL CInitDataTable::InsertInitRows(int index, int n)
{
    if (n <= 0 || index < 0 || index > GetRecordCount())
        return FALSE;
    auto& list = m_app.Project.InitialData;
    for (int i = 0; i < n; ++i)
        list.insert(list.begin() + index, std::make_unique<CZULInitData>());
    return TRUE;
}

BOOL CInitDataTable::DeleteInitRows(int first, int n)
{
    const int count = GetRecordCount();
    if (count < 2 || n < 1 || n > count || first < 0 || first + n > count)
        return FALSE;
    if (n == count)
        --n;
    auto& list = m_app.Project.InitialData;
    list.erase(list.begin() + first, list.begin() + first + n);
    return TRUE;
}

BOOL RecheckInitialData(CZULAppData& app)
{
    const CInitDataTable table(app);
    for (const auto& record : app.Project.InitialData) {
        if (record && record->HasText())
            table.ValidateRow(*record);
    }
    return TRUE;
}
