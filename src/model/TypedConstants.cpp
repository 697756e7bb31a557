#include "TypedConstants.h"

#include "platform/ByteString.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kMaxNumberText = 100;
constexpr OperandTypeFlags kNoFlags = 0xFFFFFFFF;

enum class Base { Binary, Octal, Decimal, Hex };

Base BaseOfRadix(int radix)
{
    if (radix <= 2)
        return Base::Binary;
    if (radix <= 8)
        return Base::Octal;
    if (radix >= 11 && radix <= 16)
        return Base::Hex;
    return Base::Decimal;
}

bool IsDigitOf(char c, Base base)
{
    if (c == '0' || c == '1')
        return true;
    if (c >= '2' && c <= '7')
        return base != Base::Binary;
    if (c == '8' || c == '9')
        return base == Base::Decimal || base == Base::Hex;
    return base == Base::Hex && c >= 'A' && c <= 'F';
}

// The character rules of both number checks; specialE lets "E" stand in a
// decimal text that holds a "." and lets a sign follow it.
bool CheckNumberChars(const std::string& text, int radix, bool fractionAllowed, bool specialE)
{
    const Base base = BaseOfRadix(radix);
    const bool fraction = fractionAllowed && base == Base::Decimal;
    const bool textHasPoint = text.find('.') != std::string::npos;
    bool pointSeen = false;
    bool digitSeen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigitOf(c, base)) {
            digitSeen = true;
            continue;
        }
        if (c == 'E' && specialE && base == Base::Decimal && textHasPoint)
            continue;
        if ((c == '+' || c == '-') && base == Base::Decimal) {
            const bool afterE = specialE && i > 0 && text[i - 1] == 'E';
            if (i != 0 && !afterE)
                return false;
            if (afterE)
                pointSeen = false;
            continue;
        }
        if (c == '.' && fraction && !pointSeen) {
            pointSeen = true;
            continue;
        }
        return false;
    }
    return digitSeen;
}

bool IsPlainDecimalInteger(const std::string& text)
{
    return IsNumberText(text, CONST_RADIX_DEC, false);
}

// A decimal integer text read as a 64-bit value; values beyond 64 bits saturate.
long long DecimalToInt64(const std::string& text)
{
    return std::strtoll(text.c_str(), nullptr, 10);
}

template <typename T>
bool DigitsToValue(const std::string& text, int base, int maxDigits, std::uint64_t maxValue, T& value)
{
    value = 0;
    if (maxDigits > 0 && static_cast<int>(text.size()) > maxDigits)
        return false;
    std::uint64_t result = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= base)
            return false;
        result = result * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (result > maxValue)
            return false;
    }
    value = static_cast<T>(result);
    return true;
}

struct PrefixRadix {
    const char* prefix;
    int radix;
};

constexpr PrefixRadix kPrefixes[] = {
    {"I#2#", CONST_RADIX_BIN}, {"DI#2#", CONST_RADIX_BIN}, {"B#2#", CONST_RADIX_BIN},
    {"DW#2#", CONST_RADIX_BIN}, {"W#2#", CONST_RADIX_BIN}, {"2#", CONST_RADIX_BIN},
    {"I#8#", CONST_RADIX_OCT}, {"DI#8#", CONST_RADIX_OCT}, {"B#8#", CONST_RADIX_OCT},
    {"DW#8#", CONST_RADIX_OCT}, {"W#8#", CONST_RADIX_OCT}, {"8#", CONST_RADIX_OCT},
    {"I#16#", CONST_RADIX_HEX}, {"DI#16#", CONST_RADIX_HEX}, {"B#16#", CONST_RADIX_HEX},
    {"DW#16#", CONST_RADIX_HEX}, {"W#16#", CONST_RADIX_HEX}, {"16#", CONST_RADIX_HEX},
    {"T#", CONST_RADIX_TIME}, {"TOD#", CONST_RADIX_TIME_OF_DAY}, {"D#", CONST_RADIX_DATE},
    {"DT#", CONST_RADIX_DATE_AND_TIME},
    {"I#", CONST_RADIX_DEC}, {"DI#", CONST_RADIX_DEC}, {"B#", CONST_RADIX_DEC},
    {"DW#", CONST_RADIX_DEC}, {"W#", CONST_RADIX_DEC},
};

struct PrefixType {
    const char* prefix;
    OperandTypeFlags type;
};

// The type a prefix gives, tested in this order.
constexpr PrefixType kTypedPrefixes[] = {
    {"I#2#", OT_INT}, {"DI#2#", OT_DINT}, {"B#2#", OT_BYTE}, {"DW#2#", OT_DWORD}, {"W#2#", OT_WORD}, {"2#", OT_WORD},
    {"I#8#", OT_INT}, {"DI#8#", OT_DINT}, {"B#8#", OT_BYTE}, {"DW#8#", OT_DWORD}, {"W#8#", OT_WORD}, {"8#", OT_WORD},
    {"I#16#", OT_INT}, {"DI#16#", OT_DINT}, {"B#16#", OT_BYTE}, {"DW#16#", OT_DWORD}, {"W#16#", OT_WORD},
    {"16#", OT_WORD},
    {"I#", OT_INT}, {"DI#", OT_DINT}, {"B#", OT_BYTE}, {"DW#", OT_DWORD}, {"W#", OT_WORD},
};

bool IsDateOrTimeRadix(int radix)
{
    return radix >= CONST_RADIX_TIME && radix <= CONST_RADIX_DATE_AND_TIME;
}

// The digit conversions of one width, by radix.
template <typename T>
struct RadixConversions {
    bool (*bin)(const std::string&, T&);
    bool (*oct)(const std::string&, T&);
    bool (*hex)(const std::string&, T&);
};

const RadixConversions<BYTE> kByteConversions{BinToByte, OctToByte, HexToByte};
const RadixConversions<WORD> kWordConversions{BinToWord, OctToWord, HexToWord};
const RadixConversions<DWORD> kDwordConversions{BinToDword, OctToDword, HexToDword};

// Converts prefixed digits of radix 2, 8 or 16 with the conversion of one width.
template <typename T>
bool ConvertRadixDigits(int radix, const std::string& digits, T& value, const RadixConversions<T>& conversions)
{
    if (radix == CONST_RADIX_BIN)
        return conversions.bin(digits, value);
    if (radix == CONST_RADIX_OCT)
        return conversions.oct(digits, value);
    return conversions.hex(digits, value);
}

// How an integer parser read its text.
enum class IntegerText { Invalid, Prefixed, Decimal };

// The reading common to the integer parsers: digits after a radix prefix are
// converted at the width of the conversions into `converted`; a plain decimal
// integer is read as 64 bits into `decimal`. Dates and times are invalid.
template <typename T>
IntegerText ReadIntegerText(const std::string& text, const RadixConversions<T>& conversions, T& converted,
                            long long& decimal)
{
    std::string digits;
    const int radix = SplitConstantPrefix(text, digits);
    if (IsDateOrTimeRadix(radix))
        return IntegerText::Invalid;
    if (radix != CONST_RADIX_DEC)
        return ConvertRadixDigits(radix, digits, converted, conversions) ? IntegerText::Prefixed : IntegerText::Invalid;
    if (!IsPlainDecimalInteger(digits))
        return IntegerText::Invalid;
    decimal = DecimalToInt64(digits);
    return IntegerText::Decimal;
}

// An integer constant of a type whose slot takes the nearest limit when a
// decimal value lies outside [minimum, maximum]. Prefixed digits are taken
// at the width of the conversions and stored as the slot's type.
template <typename T, typename Slot>
int ParseClampedInteger(const std::string& text, const RadixConversions<T>& conversions, long long minimum,
                        long long maximum, Slot& slot)
{
    T converted = 0;
    long long n = 0;
    const IntegerText read = ReadIntegerText(text, conversions, converted, n);
    if (read == IntegerText::Invalid)
        return CONST_PARSE_INVALID_TEXT;
    if (read == IntegerText::Prefixed) {
        slot = static_cast<Slot>(converted);
        return CONST_PARSE_OK;
    }
    if (n < minimum) {
        slot = static_cast<Slot>(minimum);
        return CONST_PARSE_OUT_OF_RANGE;
    }
    if (n > maximum) {
        slot = static_cast<Slot>(maximum);
        return CONST_PARSE_OUT_OF_RANGE;
    }
    slot = static_cast<Slot>(n);
    return CONST_PARSE_OK;
}

// The type of a recognised constant, or 0. The text is upper-case.
OperandTypeFlags RecognizeConstantType(const std::string& text)
{
    if (text == "TRUE" || text == "FALSE")
        return OT_BOOL;
    for (const PrefixType& p : kTypedPrefixes) {
        if (ByteString::StartsWith(text, p.prefix))
            return p.type;
    }
    const bool hasPoint = text.find('.') != std::string::npos;
    if (!hasPoint && IsNumberText(text, CONST_RADIX_DEC, false))
        return OT_INT;
    if (hasPoint && IsNumberText(text, CONST_RADIX_DEC, true))
        return OT_REAL;
    return 0;
}

DWORD WidenSlot(OperandTypeFlags type, const CConstantValue& value)
{
    switch (type) {
    case OT_BOOL: return value.boolValue;
    case OT_BYTE: return value.byteValue;
    case OT_WORD: return value.wordValue;
    case OT_INT: return static_cast<DWORD>(static_cast<int>(value.intValue));
    case OT_DWORD: return value.dwordValue;
    case OT_DINT: return static_cast<DWORD>(value.dintValue);
    default: return 0;
    }
}

} // namespace

void GetByteLimits(BYTE& maximum, BYTE& minimum)
{
    maximum = 255;
    minimum = 0;
}

void GetWordLimits(WORD& maximum, WORD& minimum)
{
    maximum = 65535;
    minimum = 0;
}

void GetDwordLimits(DWORD& maximum, DWORD& minimum)
{
    maximum = 0xFFFFFFFF;
    minimum = 0;
}

void GetIntLimits(short& maximum, short& minimum)
{
    maximum = 32767;
    minimum = -32768;
}

void GetDintLimits(int& maximum, int& minimum)
{
    maximum = std::numeric_limits<int>::max();
    minimum = std::numeric_limits<int>::min();
}

void GetRealLimits(float& maximum, float& minimum)
{
    maximum = std::numeric_limits<float>::max();  // bit pattern 0x7F7FFFFF
    minimum = std::numeric_limits<float>::min();  // bit pattern 0x00800000
}

bool IsNumberText(const std::string& text, int radix, bool fractionAllowed)
{
    if (text.empty() || text.size() > kMaxNumberText)
        return false;
    return CheckNumberChars(text, radix, fractionAllowed, true);
}

bool IsPlainNumberText(const std::string& text, int radix, bool fractionAllowed)
{
    if (text.empty())
        return false;
    return CheckNumberChars(text, radix, fractionAllowed, false);
}

bool HexToDword(const std::string& text, DWORD& value)
{
    return DigitsToValue(text, 16, 8, 0xFFFFFFFFull, value);
}

bool HexToWord(const std::string& text, WORD& value)
{
    return DigitsToValue(text, 16, 4, 0xFFFFull, value);
}

bool HexToByte(const std::string& text, BYTE& value)
{
    return DigitsToValue(text, 16, 2, 0xFFull, value);
}

bool OctToDword(const std::string& text, DWORD& value)
{
    return DigitsToValue(text, 8, 0, 0xFFFFFFFFull, value);
}

bool OctToWord(const std::string& text, WORD& value)
{
    return DigitsToValue(text, 8, 0, 0xFFFFull, value);
}

bool OctToByte(const std::string& text, BYTE& value)
{
    return DigitsToValue(text, 8, 0, 0xFFull, value);
}

bool BinToDword(const std::string& text, DWORD& value)
{
    return DigitsToValue(text, 2, 32, 0xFFFFFFFFull, value);
}

bool BinToWord(const std::string& text, WORD& value)
{
    return DigitsToValue(text, 2, 16, 0xFFFFull, value);
}

bool BinToByte(const std::string& text, BYTE& value)
{
    return DigitsToValue(text, 2, 8, 0xFFull, value);
}

int SplitConstantPrefix(const std::string& text, std::string& digits)
{
    for (const PrefixRadix& p : kPrefixes) {
        if (ByteString::StartsWith(text, p.prefix)) {
            digits = ByteString::TrimLeft(text.substr(std::strlen(p.prefix)));
            return p.radix;
        }
    }
    digits = text;
    return CONST_RADIX_DEC;
}

int ParseBoolConstant(const std::string& text, CConstantValue& value)
{
    if (text == "TRUE" || text == "FALSE") {
        value.boolValue = text == "TRUE" ? 1 : 0;
        return CONST_PARSE_OK;
    }
    DWORD converted = 0;
    long long n = 0;
    const IntegerText read = ReadIntegerText(text, kDwordConversions, converted, n);
    if (read == IntegerText::Invalid)
        return CONST_PARSE_INVALID_TEXT;
    value.boolValue = (read == IntegerText::Prefixed ? converted != 0 : n != 0) ? 1 : 0;
    return CONST_PARSE_OK;
}

int ParseByteConstant(const std::string& text, CConstantValue& value)
{
    return ParseClampedInteger(text, kByteConversions, 0, 255, value.byteValue);
}

int ParseWordConstant(const std::string& text, CConstantValue& value)
{
    return ParseClampedInteger(text, kWordConversions, 0, 65535, value.wordValue);
}

int ParseDwordConstant(const std::string& text, CConstantValue& value)
{
    DWORD converted = 0;
    long long n = 0;
    const IntegerText read = ReadIntegerText(text, kDwordConversions, converted, n);
    if (read == IntegerText::Invalid)
        return CONST_PARSE_INVALID_TEXT;
    if (read == IntegerText::Prefixed) {
        value.dwordValue = converted;
        return CONST_PARSE_OK;
    }
    if (n < 0 || n > 0xFFFFFFFFLL)
        return CONST_PARSE_OUT_OF_RANGE;
    value.dwordValue = static_cast<DWORD>(n);
    return CONST_PARSE_OK;
}

int ParseIntConstant(const std::string& text, CConstantValue& value)
{
    return ParseClampedInteger(text, kWordConversions, -32768, 32767, value.intValue);
}

int ParseDintConstant(const std::string& text, CConstantValue& value)
{
    return ParseClampedInteger(text, kDwordConversions, std::numeric_limits<int>::min(),
                               std::numeric_limits<int>::max(), value.dintValue);
}

int ParseRealConstant(const std::string& text, CConstantValue& value)
{
    if (!IsNumberText(text, CONST_RADIX_DEC, true))
        return CONST_PARSE_INVALID_TEXT;
    const double d = std::strtod(text.c_str(), nullptr);
    // A magnitude beyond the single range becomes infinite, which the range check refuses.
    if (std::fabs(d) > std::numeric_limits<float>::max())
        value.realValue = d < 0 ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    else
        value.realValue = static_cast<float>(d);
    return CONST_PARSE_OK;
}

int ParseTypedConstant(const std::string& text, OperandTypeFlags typeBits, CConstantValue& value)
{
    switch (typeBits) {
    case OT_BOOL: return ParseBoolConstant(text, value);
    case OT_BYTE: return ParseByteConstant(text, value);
    case OT_WORD: return ParseWordConstant(text, value);
    case OT_DWORD: return ParseDwordConstant(text, value);
    case OT_INT: return ParseIntConstant(text, value);
    case OT_DINT: return ParseDintConstant(text, value);
    case OT_REAL: return ParseRealConstant(text, value);
    default: return CONST_PARSE_TYPE_NOT_SUPPORTED;
    }
}

bool IsConstantInRange(OperandTypeFlags type, const CConstantValue& value)
{
    if (type != OT_REAL)
        return true;
    const float magnitude = std::fabs(value.realValue);
    if (magnitude == 0.0f)
        return true;
    float maximum = 0;
    float minimum = 0;
    GetRealLimits(maximum, minimum);
    return magnitude >= minimum && magnitude <= maximum;
}

bool CheckConstantText(const std::string& text, OperandTypeFlags type, CConstantValue& value)
{
    return ParseTypedConstant(text, type, value) == CONST_PARSE_OK && IsConstantInRange(type, value);
}

bool ClassifyConstant(const std::string& text, OperandTypeFlags& flags)
{
    flags = kNoFlags;
    const std::string upper = ByteString::Upper(text);
    const OperandTypeFlags type = RecognizeConstantType(upper);
    CConstantValue value;
    if (type == 0 || !CheckConstantText(upper, type, value))
        return false;
    flags = type | OT_CONSTANT | OT_READABLE;
    return true;
}

bool ParseConstant(const std::string& text, OperandTypeFlags& flags, DWORD& value, float& realValue)
{
    flags = kNoFlags;
    const std::string upper = ByteString::Upper(text);
    const OperandTypeFlags type = RecognizeConstantType(upper);
    CConstantValue parsed;
    if (type == 0 || !CheckConstantText(upper, type, parsed))
        return false;
    flags = type | OT_CONSTANT;
    if (type == OT_REAL) {
        realValue = parsed.realValue;
        DWORD bits = 0;
        std::memcpy(&bits, &parsed.realValue, sizeof bits);
        value = RebuildDwordFromBytes(bits);
        return true;
    }
    value = WidenSlot(type, parsed);
    return true;
}
