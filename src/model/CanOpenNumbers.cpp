#include "CanOpenNumbers.h"

#include "platform/ByteString.h"

#include <cctype>
#include <climits>

namespace {

constexpr int kDecimalBase = 10;
constexpr int kHexBase = 16;

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + kDecimalBase;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + kDecimalBase;
    return -1;
}

} // namespace

int ReadDecimal(const std::string& text)
{
    size_t pos = 0;
    while (pos < text.size() && ByteString::IsBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        value = value * kDecimalBase + (text[pos] - '0');
        if (value > limit)
            value = limit;
    }
    return static_cast<int>(negative ? -value : value);
}

bool IsHexDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (HexValue(c) < 0)
            return false;
    }
    return true;
}

std::uint32_t ReadHexPrefix(const std::string& text, int maxDigits, int& digitsRead)
{
    std::uint32_t value = 0;
    digitsRead = 0;
    while (digitsRead < maxDigits && digitsRead < static_cast<int>(text.size())) {
        const int digit = HexValue(text[digitsRead]);
        if (digit < 0)
            break;
        value = value * kHexBase + static_cast<std::uint32_t>(digit);
        ++digitsRead;
    }
    return value;
}
