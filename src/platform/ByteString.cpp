#include "ByteString.h"

#include "Gbk.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace ByteString {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string TrimLeft(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return s.substr(i);
}

std::string TrimRight(const std::string& s)
{
    size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1]))
        --n;
    return s.substr(0, n);
}

std::string Trim(const std::string& s)
{
    size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1]))
        --n;
    size_t i = 0;
    while (i < n && IsBlank(s[i]))
        ++i;
    return s.substr(i, n - i);
}

namespace {

template <typename Map>
std::string MapAscii(const std::string& s, Map map)
{
    std::string out = s;
    size_t i = 0;
    while (i < out.size()) {
        // Plain ASCII bytes are single characters; only a possible lead byte needs the GBK rule.
        const int len = static_cast<unsigned char>(out[i]) < 0x80 ? 1 : GbkCharLength(out, i);
        if (len == 1)
            out[i] = map(out[i]);
        i += static_cast<size_t>(len);
    }
    return out;
}

} // namespace

std::string Upper(const std::string& s)
{
    return MapAscii(s, [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
}

std::string Lower(const std::string& s)
{
    return MapAscii(s, [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
}

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && Upper(a) == Upper(b);
}

std::string Mid(const std::string& s, int first)
{
    return Mid(s, first, static_cast<int>(s.size()));
}

std::string Mid(const std::string& s, int first, int count)
{
    const int size = static_cast<int>(s.size());
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first >= size)
        return std::string();
    if (count > size - first)
        count = size - first;
    return s.substr(static_cast<size_t>(first), static_cast<size_t>(count));
}

std::string Left(const std::string& s, int count)
{
    return Mid(s, 0, count);
}

std::string Right(const std::string& s, int count)
{
    const int size = static_cast<int>(s.size());
    if (count >= size)
        return s;
    if (count <= 0)
        return std::string();
    return s.substr(static_cast<size_t>(size - count));
}

int Find(const std::string& s, const std::string& sub, int start)
{
    if (start < 0)
        start = 0;
    if (static_cast<size_t>(start) > s.size())
        return -1;
    size_t pos = s.find(sub, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int Find(const std::string& s, char c, int start)
{
    if (start < 0)
        start = 0;
    if (static_cast<size_t>(start) > s.size())
        return -1;
    const size_t pos = s.find(c, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int ReverseFind(const std::string& s, char c)
{
    size_t pos = s.rfind(c);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int FindOneOf(const std::string& s, const std::string& chars)
{
    size_t pos = s.find_first_of(chars);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int Replace(std::string& s, const std::string& from, const std::string& to)
{
    if (from.empty())
        return 0;
    int count = 0;
    size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
        ++count;
    }
    return count;
}

int Remove(std::string& s, char c)
{
    size_t before = s.size();
    std::erase(s, c);
    return static_cast<int>(before - s.size());
}

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

namespace {

// Widens a two-digit exponent ("e+10", "E-05") to the three digits of the old runtime.
void WidenExponent(std::string& number)
{
    size_t e = number.find_last_of("eE");
    if (e == std::string::npos || e + 1 >= number.size())
        return;
    size_t digits = e + 1;
    if (number[digits] == '+' || number[digits] == '-')
        ++digits;
    size_t count = number.size() - digits;
    if (count < 3)
        number.insert(digits, 3 - count, '0');
}

// One floating conversion: flags, width and precision around its letter.
struct FieldSpec {
    std::string flags;
    int width = -1;
    int precision = -1;
    std::string length;
    char conversion = 0;
};

bool IsIn(char c, const char* set)
{
    return c != 0 && std::strchr(set, c) != nullptr;
}

int ReadNumber(const char*& p)
{
    int value = 0;
    while (*p >= '0' && *p <= '9')
        value = value * 10 + (*p++ - '0');
    return value;
}

// FALSE when the text is not one floating conversion and nothing else.
bool ParseFloatConversion(const char* p, FieldSpec& f)
{
    if (*p++ != '%')
        return false;
    while (IsIn(*p, "-+ #0"))
        f.flags += *p++;
    if (*p >= '0' && *p <= '9')
        f.width = ReadNumber(p);
    if (*p == '.') {
        ++p;
        f.precision = ReadNumber(p);
    }
    if (!IsIn(*p, "eEfFgGaA"))
        return false;
    f.conversion = *p++;
    return *p == 0;
}

std::string BuildConversion(const FieldSpec& f)
{
    std::string pattern = "%";
    for (char c : f.flags)
        if (c != '-' && c != '0')
            pattern += c;
    if (f.precision >= 0)
        pattern += "." + std::to_string(f.precision);
    pattern += f.conversion;
    return pattern;
}

// A floating field: formatted without its width, exponent widened, then padded.
std::string FormatFloatField(const FieldSpec& f, double value)
{
    std::string body = Format(BuildConversion(f).c_str(), value);
    WidenExponent(body);
    if (f.width < 0 || static_cast<int>(body.size()) >= f.width)
        return body;
    size_t pad = static_cast<size_t>(f.width) - body.size();
    if (f.flags.find('-') != std::string::npos)
        return body + std::string(pad, ' ');
    bool finite = body.find_first_of("nN") == std::string::npos;
    if (f.flags.find('0') != std::string::npos && finite) {
        size_t at = (!body.empty() && (body[0] == '+' || body[0] == '-' || body[0] == ' ')) ? 1 : 0;
        return body.insert(at, pad, '0');
    }
    return std::string(pad, ' ') + body;
}

} // namespace

std::string Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    va_list measure;
    va_copy(measure, args);
    int n = std::vsnprintf(nullptr, 0, fmt, measure);
    va_end(measure);
    std::string out;
    if (n > 0) {
        out.assign(static_cast<size_t>(n) + 1, '\0');
        std::vsnprintf(out.data(), out.size(), fmt, args);
        out.resize(static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

std::string FormatDouble(const char* conversion, double value)
{
    FieldSpec f;
    if (!ParseFloatConversion(conversion, f))
        return std::string();
    return FormatFloatField(f, value);
}

} // namespace ByteString
