#include "CStatusChartTable.h"

#include "model/CMemAreaInfo.h"
#include "model/CStatusInput.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/MonitorItems.h"
#include "model/ProjectModified.h"
#include "model/TypedConstants.h"
#include "platform/ByteString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

const CStatusChartTable::ColumnDef CStatusChartTable::COLUMNS[COLUMN_COUNT] = {
    {"Address", 80}, {"Symbol", 100}, {"Format", 110}, {"Current Value", 150}, {"New Value", 150},
};

const CStatusChartTable::FormatDef CStatusChartTable::FORMATS[FORMAT_COUNT] = {
    {"BOOL", STATUS_FORMAT_BOOL},         {"REAL", STATUS_FORMAT_REAL},     {"Unsigned", STATUS_FORMAT_UNSIGNED},
    {"Signed", STATUS_FORMAT_SIGNED},     {"Binary", STATUS_FORMAT_BINARY}, {"Hexadecimal", STATUS_FORMAT_HEX},
};

namespace {

constexpr OperandTypeFlags kTimerCounter = OT_AREA_T | OT_AREA_C;
constexpr OperandTypeFlags kIntegerBits = OT_BYTE | OT_WORD | OT_INT | OT_DWORD | OT_DINT;
constexpr OperandTypeFlags kRewritableConstants = OT_BOOL | kIntegerBits;
constexpr BYTE kMarkPlain = 0;
constexpr BYTE kMarkForced = 1;
constexpr BYTE kMarkInvalid = 255;
constexpr const char* kBlank = " ";
// The monitor thread stores a cycle's values under the value lock; the
// chart waits this long for it and otherwise shows no value in that cell.
constexpr DWORD kValueLockWaitMs = 100;
constexpr size_t kNumberTextBytes = 64;

enum class Width { None, Byte, Word, Dword };

Width AddressWidth(OperandTypeFlags flags)
{
    if (flags & OT_BYTE)
        return Width::Byte;
    if (flags & (OT_WORD | OT_INT))
        return Width::Word;
    if (flags & (OT_DWORD | OT_DINT))
        return Width::Dword;
    return Width::None;
}

// The three prefixes of a format, by width.
struct WidthPrefixes {
    const char* byte;
    const char* word;
    const char* dword;
};
constexpr WidthPrefixes kUnsignedPrefixes = {"B#", "W#", "DW#"};
constexpr WidthPrefixes kHexPrefixes = {"B#16#", "W#16#", "DW#16#"};
constexpr WidthPrefixes kBinaryPrefixes = {"B#2#", "W#2#", "DW#2#"};

const char* PrefixOf(const WidthPrefixes& prefixes, Width width)
{
    if (width == Width::Byte)
        return prefixes.byte;
    return width == Width::Word ? prefixes.word : prefixes.dword;
}

DWORD CutToWidth(DWORD value, Width width)
{
    if (width == Width::Byte)
        return value & 0xFF;
    return width == Width::Word ? value & 0xFFFF : value;
}

int SignedOfWidth(DWORD value, Width width)
{
    if (width == Width::Byte)
        return int(static_cast<signed char>(value & 0xFF));
    if (width == Width::Word)
        return int(static_cast<short>(value & 0xFFFF));
    return int(value);
}

std::string Printed(const char* format, double value)
{
    char buffer[kNumberTextBytes];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string Decimal(long long value)
{
    return std::to_string(value);
}

std::string HexDigits(DWORD value)
{
    char buffer[kNumberTextBytes];
    std::snprintf(buffer, sizeof buffer, "%x", unsigned(value));
    return buffer;
}

std::string BinaryDigits(DWORD value)
{
    std::string digits;
    FormatBinaryString(value, digits);
    return digits;
}

// The integer formats' text of a value already cut to its width.
std::string IntegerText(DWORD format, Width width, DWORD value)
{
    switch (format) {
    case STATUS_FORMAT_SIGNED:
        return (width == Width::Dword ? "DI#" : "") + Decimal(SignedOfWidth(value, width));
    case STATUS_FORMAT_UNSIGNED:
        return PrefixOf(kUnsignedPrefixes, width) + Decimal(CutToWidth(value, width));
    case STATUS_FORMAT_HEX:
        return PrefixOf(kHexPrefixes, width) + HexDigits(CutToWidth(value, width));
    case STATUS_FORMAT_BINARY:
        return PrefixOf(kBinaryPrefixes, width) + BinaryDigits(CutToWidth(value, width));
    default:
        return {};
    }
}

bool IsIntegerFormat(DWORD format)
{
    return format == STATUS_FORMAT_SIGNED || format == STATUS_FORMAT_UNSIGNED || format == STATUS_FORMAT_HEX
        || format == STATUS_FORMAT_BINARY;
}

DWORD FloatBits(float value)
{
    DWORD bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

bool IsTimerOrCounter(OperandTypeFlags flags)
{
    return (flags & kTimerCounter) != 0;
}

bool IsPlainBool(OperandTypeFlags flags)
{
    return (flags & OT_BOOL) && !IsTimerOrCounter(flags);
}

void ClearNewValue(CStatusInput& record)
{
    record.newValue = 0;
    record.spare = 0;
    record.newValueValid = 0;
}

} // namespace

CStatusChartTable::CStatusChartTable(CZULAppData& app) : m_app(app) {}

bool CStatusChartTable::IsMonitoring() const
{
    return m_app.Monitoring.load() != 0;
}

void CStatusChartTable::SetRowCount(int n)
{
    auto& rows = m_app.Project.StatusRows;
    for (const std::unique_ptr<CStatusInput>& record : rows) {
        OperandTypeFlags flags = 0;
        if (ParseDirectAddress(record->addressText, flags))
            record->encodedAddress = EncodeAddress(record->addressText, 0);
    }
    while (int(rows.size()) < n)
        rows.push_back(std::make_unique<CStatusInput>());
}

int CStatusChartTable::GetRecordCount() const
{
    return int(m_app.Project.StatusRows.size());
}

CStatusInput* CStatusChartTable::GetRecord(int row) const
{
    if (row < 0 || row >= GetRecordCount())
        return nullptr;
    return m_app.Project.StatusRows[size_t(row)].get();
}

DWORD CStatusChartTable::FormatCode(const std::string& name)
{
    for (const FormatDef& format : FORMATS) {
        if (name == format.name)
            return format.code;
    }
    return STATUS_FORMAT_NONE;
}

const char* CStatusChartTable::FormatName(DWORD code)
{
    for (const FormatDef& format : FORMATS) {
        if (code == format.code)
            return format.name;
    }
    return "";
}

void CStatusChartTable::SetFormat(CStatusInput& record, DWORD code) const
{
    record.format = code;
    record.symbol = FormatName(code);
}

std::string CStatusChartTable::CanonicalAddress(const std::string& address, OperandTypeFlags flags)
{
    std::string text = ByteString::Upper(ByteString::Trim(address));
    if (!IsTimerOrCounter(flags) && (text.empty() || text[0] != '%'))
        text.insert(0, "%");
    return text;
}

std::vector<std::string> CStatusChartTable::FormatChoices(const CStatusInput& record) const
{
    if (!record.valid)
        return {};
    if (IsPlainBool(record.flags))
        return {FormatName(STATUS_FORMAT_BOOL)};
    std::vector<std::string> choices;
    if (record.flags & kIntegerBits) {
        for (DWORD code : {STATUS_FORMAT_SIGNED, STATUS_FORMAT_UNSIGNED, STATUS_FORMAT_HEX, STATUS_FORMAT_BINARY})
            choices.emplace_back(FormatName(code));
    }
    // A double word is as often a REAL as an integer.
    if (record.flags & (OT_REAL | OT_DWORD | OT_DINT))
        choices.emplace_back(FormatName(STATUS_FORMAT_REAL));
    return choices;
}

std::vector<std::string> CStatusChartTable::GetFormatChoices(int row) const
{
    const CStatusInput* record = GetRecord(row);
    return record ? FormatChoices(*record) : std::vector<std::string>();
}

void CStatusChartTable::ValidateAddress(CStatusInput& record) const
{
    if (record.addressText.empty()) {
        record.encodedAddress = 0;
        record.flags = 0;
        record.valid = 0;
        record.symbol.clear();
        record.newValueText.clear();
        ClearNewValue(record);
        return;
    }
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(record.addressText, flags)) {
        record.encodedAddress = 0;
        record.flags = 0;
        record.valid = 0;
        record.symbol.clear();
        return;
    }
    record.addressText = CanonicalAddress(record.addressText, flags);
    record.encodedAddress = EncodeAddress(record.addressText, 0);
    record.flags = flags;
    record.valid = 1;
    // Keep a format the address offers; otherwise take its natural one.
    const std::vector<std::string> choices = FormatChoices(record);
    const char* current = FormatName(record.format);
    if (std::find(choices.begin(), choices.end(), current) == choices.end()) {
        if (IsPlainBool(flags))
            SetFormat(record, STATUS_FORMAT_BOOL);
        else if (flags & kIntegerBits)
            SetFormat(record, STATUS_FORMAT_UNSIGNED);
        else if (flags & OT_REAL)
            SetFormat(record, STATUS_FORMAT_REAL);
    } else {
        SetFormat(record, record.format);
    }
    ValidateNewValue(record);
}

BOOL CStatusChartTable::ValidateNewValue(CStatusInput& record) const
{
    OperandTypeFlags constantType = 0;
    DWORD value = 0;
    float realValue = 0.0f;
    if (record.newValueText.empty() || !ParseConstant(record.newValueText, constantType, value, realValue)) {
        ClearNewValue(record);
        return FALSE;
    }
    constantType &= OT_TYPE_BITS;
    if (record.format != STATUS_FORMAT_REAL && (constantType & OT_REAL)) {
        value = DWORD(static_cast<int>(realValue));
        constantType = OT_DWORD;
    }
    NormalizeNewValue(record.format, constantType, record.flags, value, realValue, record.newValueText);
    record.newValue = value;
    record.spare = FloatBits(realValue);
    record.newValueValid = 1;
    return TRUE;
}

void CStatusChartTable::NormalizeNewValue(DWORD format, OperandTypeFlags constantType, OperandTypeFlags addressFlags,
                                          DWORD& value, float& realValue, std::string& text)
{
    if (format == STATUS_FORMAT_REAL) {
        if (constantType & OT_REAL) {
            text = Printed("%#.5f", realValue);
            value = FloatBits(realValue);
        } else if (constantType & kRewritableConstants) {
            realValue = float(int(value));
            text = Printed("%#.5f", realValue);
            value = FloatBits(realValue);
        }
        return;
    }
    if (format == STATUS_FORMAT_BOOL) {
        value = value != 0 ? 1 : 0;
        text = value ? "2#1" : "2#0";
    } else if (IsIntegerFormat(format) && (constantType & kRewritableConstants)) {
        const Width width = AddressWidth(addressFlags);
        if (width != Width::None) {
            value = format == STATUS_FORMAT_SIGNED ? DWORD(SignedOfWidth(value, width)) : CutToWidth(value, width);
            text = IntegerText(format, width, value);
        }
    }
    realValue = float(int(value));
}

void CStatusChartTable::FormatCurrentValue(std::string& text, int value, DWORD format, OperandTypeFlags addressFlags)
{
    if (format == STATUS_FORMAT_BOOL) {
        text = "2#" + text;
        return;
    }
    const Width width = AddressWidth(addressFlags);
    if (!IsIntegerFormat(format) || width == Width::None)
        return;
    text = IntegerText(format, width, CutToWidth(DWORD(value), width));
}

void CStatusChartTable::CurrentValueText(const CStatusInput& record, std::string& text, BYTE& mark) const
{
    text = kBlank;
    mark = kMarkPlain;
    if (!record.valid || !IsMonitoring())
        return;
    if (m_app.Project.ForceMap.count(record.addressText) != 0)
        mark = kMarkForced;
    // A REAL format reads the double word as a real number.
    OperandTypeFlags flags = record.flags;
    if (record.format == STATUS_FORMAT_REAL)
        flags = (flags & ~(OT_DWORD | OT_DINT)) | OT_REAL;
    std::string valueText;
    std::string bitText;
    int value = 0;
    if (!m_app.MonitorValueLock.Lock(kValueLockWaitMs))
        return;
    const BOOL monitored = FormatMonitoredValue(record.addressText, valueText, value, bitText, flags);
    m_app.MonitorValueLock.Unlock();
    if (!monitored)
        return;
    FormatCurrentValue(valueText, value, record.format, record.flags);
    text = valueText;
}

BOOL CStatusChartTable::GetCellText(int column, int row, std::string& text, BYTE& mark) const
{
    text.clear();
    mark = kMarkPlain;
    const CStatusInput* record = GetRecord(row);
    if (!record)
        return FALSE;
    switch (column) {
    case COL_ADDRESS:
        text = record->addressText;
        mark = record->valid ? kMarkPlain : kMarkInvalid;
        break;
    case COL_SYMBOL: {
        const auto& symbols = m_app.Project.SymbolsByAddress;
        const auto found = symbols.find(CZULProject::NormalisedSymbolAddress(record->addressText));
        if (record->valid && found != symbols.end() && found->second)
            text = found->second->name;
        break;
    }
    case COL_FORMAT:
        text = record->symbol;
        break;
    case COL_CURRENT:
        CurrentValueText(*record, text, mark);
        break;
    case COL_NEW:
        text = record->newValueText;
        mark = record->newValueValid ? kMarkPlain : kMarkInvalid;
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

BOOL CStatusChartTable::SaveCellData(int column, int row, const std::string& edited)
{
    if (row < 0)
        return FALSE;
    const std::string text = ByteString::Trim(edited);
    if (column == COL_ADDRESS) {
        if (row >= GetRecordCount())
            SetRowCount(row + 1);
        CStatusInput& record = *GetRecord(row);
        record.addressText = text;
        ValidateAddress(record);
        SetProjectModified(TRUE);
        return TRUE;
    }
    CStatusInput* record = GetRecord(row);
    if (!record)
        return FALSE;
    if (column == COL_FORMAT) {
        const std::vector<std::string> choices = FormatChoices(*record);
        if (!text.empty() && std::find(choices.begin(), choices.end(), text) == choices.end())
            return FALSE;
        SetFormat(*record, FormatCode(text));
        ValidateNewValue(*record);
        SetProjectModified(TRUE);
        return TRUE;
    }
    if (column == COL_NEW && record->valid) {
        record->newValueText = text;
        ValidateNewValue(*record);
        SetProjectModified(TRUE);
        return TRUE;
    }
    return FALSE;
}

void CStatusChartTable::ClearCells(int firstCol, int lastCol, int firstRow, int lastRow)
{
    if (firstRow < 0 || lastRow < firstRow)
        return;
    if (firstCol <= 0 && lastCol >= COLUMN_COUNT - 1) {
        DeleteStatusRows(firstRow, lastRow - firstRow + 1);
        return;
    }
    for (int row = firstRow; row <= lastRow && row < GetRecordCount(); ++row) {
        for (int column = std::max(firstCol, 0); column <= lastCol && column < COLUMN_COUNT; ++column)
            SaveCellData(column, row, "");
    }
}

BOOL CStatusChartTable::InsertStatusRows(int index, int n)
{
    auto& rows = m_app.Project.StatusRows;
    if (n <= 0 || index < 0 || index > GetRecordCount())
        return FALSE;
    for (int i = 0; i < n; ++i)
        rows.insert(rows.begin() + index, std::make_unique<CStatusInput>());
    SetProjectModified(TRUE);
    return TRUE;
}

BOOL CStatusChartTable::DeleteStatusRows(int first, int n)
{
    const int count = GetRecordCount();
    if (count < 2 || n <= 0 || n >= count || first < 0 || first + n > count)
        return FALSE;
    auto& rows = m_app.Project.StatusRows;
    rows.erase(rows.begin() + first, rows.begin() + first + n);
    SetProjectModified(TRUE);
    return TRUE;
}

void CStatusChartTable::SortByAddress(bool ascending)
{
    auto& rows = m_app.Project.StatusRows;
    int last = GetRecordCount() - 1;
    while (last > 0 && rows[size_t(last)]->addressText.empty())
        --last;
    if (last <= 0)
        last = GetRecordCount() - 1;
    if (last <= 0)
        return;
    std::stable_sort(rows.begin(), rows.begin() + last + 1,
                     [ascending](const std::unique_ptr<CStatusInput>& a, const std::unique_ptr<CStatusInput>& b) {
                         return ascending ? a->addressText < b->addressText : b->addressText < a->addressText;
                     });
    SetProjectModified(TRUE);
}

void CStatusChartTable::AppendForcedRow(const std::string& address, WORD encoded, OperandTypeFlags flags, DWORD format)
{
    auto record = std::make_unique<CStatusInput>();
    record->addressText = address;
    record->encodedAddress = encoded;
    record->flags = flags;
    record->valid = 1;
    SetFormat(*record, format);
    m_app.Project.StatusRows.push_back(std::move(record));
    SetProjectModified(TRUE);
}
