#include "MonitorItems.h"

#include "CStatusInput.h"
#include "CZULAppData.h"
#include "CZULStatus.h"
#include "DirectAddress.h"
#include "platform/ByteString.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Key prefixes in the order they are compared.
struct MonitorPrefix {
    const char* prefix;
    int monitorClass;
};

const MonitorPrefix MONITOR_PREFIXES[] = {
    {"%IB", MONITOR_CLASS_BYTE},  {"%QB", MONITOR_CLASS_BYTE},  {"%SMB", MONITOR_CLASS_BYTE},
    {"%MB", MONITOR_CLASS_BYTE},  {"%VB", MONITOR_CLASS_BYTE},  {"%LB", MONITOR_CLASS_BYTE},
    {"%SR", MONITOR_CLASS_BYTE},  {"%RS", MONITOR_CLASS_BYTE},  {"%HC", MONITOR_CLASS_DWORD},
    {"%AIW", MONITOR_CLASS_WORD}, {"%AQW", MONITOR_CLASS_WORD}, {"%T", MONITOR_CLASS_TIMER_COUNTER},
    {"%C", MONITOR_CLASS_TIMER_COUNTER},
};

// Room for the hexadecimal digits of a double word.
constexpr int kMaxIntegerDigits = 16;
constexpr int kHexBase = 16;

constexpr OperandTypeFlags SINGLE_ITEM_AREAS = OT_AREA_T | OT_AREA_C | OT_AREA_RS | OT_AREA_SR | OT_AREA_HC
                                               | OT_AREA_AI | OT_AREA_AQ;

// Trimmed, upper-cased, with a "%" in front.
std::string NormalisedOperand(const std::string& text)
{
    std::string operand = ByteString::Upper(ByteString::Trim(text));
    if (!operand.empty() && operand[0] != '%')
        operand.insert(0, "%");
    return operand;
}

int FirstDigit(const std::string& text, int from)
{
    for (size_t i = size_t(std::max(from, 0)); i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            return int(i);
    }
    return -1;
}

int LeadingNumber(const std::string& text, int from)
{
    return std::atoi(text.c_str() + from);
}

// "%V100.3" -> "%VB100"; "" when the text has no digit.
std::string BitByteKey(const std::string& operand)
{
    const int digit = FirstDigit(operand, 1);
    if (digit < 0)
        return "";
    const int point = ByteString::Find(operand, '.');
    const std::string byteText = point < 0 ? operand : operand.substr(0, size_t(point));
    return byteText.substr(0, size_t(digit)) + "B" + byteText.substr(size_t(digit));
}

// The area prefix of a word or double-word operand without its width letter
// ("%VW" -> "%V") and its number; false when there is none.
bool WidePrefix(const std::string& operand, int searchFrom, std::string& prefix, int& number)
{
    const int digit = FirstDigit(operand, searchFrom);
    if (digit < 1)
        return false;
    prefix = operand.substr(0, size_t(digit - 1));
    number = LeadingNumber(operand, digit);
    return true;
}

CZULStatus* NewItem(const std::string& key)
{
    auto* item = new CZULStatus;
    item->operand = key;
    return item;
}

void InsertBytes(const std::string& prefix, int number, int count)
{
    for (int i = 0; i < count; ++i) {
        const std::string key = ByteString::Format("%s%s%d", prefix.c_str(), "B", number + i);
        g_pAppData->Project.Monitor.InsertMonitorEntry(key, NewItem(key));
    }
}

CZULStatus* FindItem(const std::string& key)
{
    const auto& table = g_pAppData->Project.Monitor.MonitorTable;
    const auto found = table.find(key);
    return found == table.end() ? nullptr : found->second.get();
}

// The bytes n, n + 1, ... of a wide operand, low byte first.
bool ReadBytes(const std::string& operand, int count, DWORD& value)
{
    std::string prefix;
    int number = 0;
    if (!WidePrefix(operand, 2, prefix, number))
        return false;
    value = 0;
    for (int i = 0; i < count; ++i) {
        const CZULStatus* item = FindItem(prefix + "B" + std::to_string(number + i));
        if (!item)
            return false;
        value |= DWORD(item->value & 0xFF) << (8 * i);
    }
    return true;
}

// Lower-case hexadecimal digits, as "%x" prints them; a chart formats many per monitor cycle.
std::string Hex(DWORD value)
{
    char digits[kMaxIntegerDigits];
    const auto result = std::to_chars(digits, digits + sizeof(digits), value, kHexBase);
    return std::string(digits, result.ptr);
}

std::string Decimal(int value)
{
    return std::to_string(value);
}

// Value text of an integer row: Mixed, DEC and HEX forms; other formats leave the text.
void SetIntegerText(std::string& text, const std::string& mixed, const std::string& dec, const std::string& hex)
{
    switch (g_pAppData->OnlineFormat) {
    case ONLINE_FORMAT_MIXED: text = mixed; break;
    case ONLINE_FORMAT_DEC: text = dec; break;
    case ONLINE_FORMAT_HEX: text = hex; break;
    default: break;
    }
}

std::string RealText(DWORD pattern)
{
    const double x = DwordToFloat(pattern);
    if (std::fabs(x) <= 0.00001)
        return ByteString::FormatDouble("%0.3e", x);
    if (x < 999999)
        return ByteString::FormatDouble("%0.7f", x);
    return ByteString::FormatDouble("%0.5e", x);
}

// Timers, counters, analog words, high-speed counters and flip-flops: the item of the key itself.
BOOL FormatSingleItem(const std::string& operand, std::string& valueText, int& value, std::string& bitText,
                      OperandTypeFlags flags)
{
    const CZULStatus* item = FindItem(operand);
    if (!item)
        return FALSE;
    if (flags & (OT_AREA_RS | OT_AREA_SR)) {
        const int n = LeadingNumber(operand, 3);
        value = (item->value >> (n % 8)) & 1;
        valueText = value ? "1" : "0";
        return TRUE;
    }
    value = item->value;
    if (flags & OT_AREA_HC) {
        SetIntegerText(valueText, Decimal(value), Decimal(value), Hex(DWORD(value)));
        return TRUE;
    }
    const std::string signed16 = Decimal(short(value));
    SetIntegerText(valueText, signed16, signed16, Hex(DWORD(value)));
    if (flags & (OT_AREA_T | OT_AREA_C))
        bitText = item->statusBit ? "1" : "0";
    return TRUE;
}

} // namespace

int CZULAppData::ResolveAddressOffset(const std::string& key, WORD& code, WORD& number) const
{
    const std::string operand = NormalisedOperand(key);
    code = 0;
    const int digit = FirstDigit(operand, 0);
    if (digit < 0)
        return MONITOR_CLASS_NONE;
    const int n = LeadingNumber(operand, digit);
    number = WORD(n);
    const std::string prefix = operand.substr(0, size_t(digit));
    for (const MonitorPrefix& row : MONITOR_PREFIXES) {
        if (prefix != row.prefix)
            continue;
        const int base = GetAreaBase(prefix, FALSE);
        int offset = n;
        if (prefix == "%SR" || prefix == "%RS")
            offset = n / 8;
        else if (row.monitorClass == MONITOR_CLASS_TIMER_COUNTER)
            offset = 2 * n;
        code = WORD(base + offset);
        return row.monitorClass;
    }
    return MONITOR_CLASS_NONE;
}

BOOL AddMonitorAddress(const std::string& text)
{
    const std::string operand = NormalisedOperand(text);
    OperandTypeFlags flags = 0;
    if (operand.empty() || !g_pAppData || !ParseDirectAddress(operand, flags))
        return FALSE;
    if ((flags & SINGLE_ITEM_AREAS) || (flags & OT_BYTE)) {
        g_pAppData->Project.Monitor.InsertMonitorEntry(operand, NewItem(operand));
        return TRUE;
    }
    if (flags & OT_BOOL) {
        const std::string key = BitByteKey(operand);
        if (key.empty())
            return FALSE;
        g_pAppData->Project.Monitor.InsertMonitorEntry(key, NewItem(key));
        return TRUE;
    }
    std::string prefix;
    int number = 0;
    if (!WidePrefix(operand, 1, prefix, number))
        return FALSE;
    if (flags & (OT_WORD | OT_INT)) {
        InsertBytes(prefix, number, 2);
        return TRUE;
    }
    if (flags & (OT_DWORD | OT_DINT | OT_REAL)) {
        InsertBytes(prefix, number, 4);
        return TRUE;
    }
    return FALSE;
}

BOOL FormatMonitoredValue(const std::string& text, std::string& valueText, int& value, std::string& bitText,
                          OperandTypeFlags flags)
{
    const std::string operand = NormalisedOperand(text);
    if (operand.empty() || !g_pAppData)
        return FALSE;
    if (flags & SINGLE_ITEM_AREAS)
        return FormatSingleItem(operand, valueText, value, bitText, flags);
    if (flags & OT_BYTE) {
        const CZULStatus* item = FindItem(operand);
        if (!item)
            return FALSE;
        value = item->value;
        SetIntegerText(valueText, Hex(DWORD(value)), Decimal(value), Hex(DWORD(value)));
        return TRUE;
    }
    if (flags & OT_BOOL) {
        const CZULStatus* item = FindItem(BitByteKey(operand));
        const int point = ByteString::Find(operand, '.');
        if (!item || point < 0)
            return FALSE;
        value = (item->value >> (LeadingNumber(operand, point + 1) & 7)) & 1;
        valueText = value ? "1" : "0";
        return TRUE;
    }
    DWORD bytes = 0;
    if (flags & (OT_INT | OT_WORD)) {
        if (!ReadBytes(operand, 2, bytes))
            return FALSE;
        value = int(bytes);
        const std::string hex = Hex(bytes);
        if (flags & OT_INT)
            SetIntegerText(valueText, Decimal(short(bytes)), Decimal(short(bytes)), hex);
        else
            SetIntegerText(valueText, hex, Decimal(int(bytes)), hex);
        return TRUE;
    }
    if (!(flags & (OT_DINT | OT_DWORD | OT_REAL)) || !ReadBytes(operand, 4, bytes))
        return FALSE;
    value = int(bytes);
    if (flags & OT_DINT)
        SetIntegerText(valueText, Decimal(value), Decimal(value), Hex(bytes));
    else if (flags & OT_DWORD)
        SetIntegerText(valueText, Hex(bytes), Decimal(value), Hex(bytes));
    else
        valueText = RealText(bytes);
    return TRUE;
}
