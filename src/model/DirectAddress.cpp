#include "DirectAddress.h"

#include "CZULAppData.h"
#include "CpuProfile.h"
#include "ILVocabulary.h"
#include "LanguageLibrary.h"
#include "TypedConstants.h"
#include "platform/ByteString.h"

#include <cstdlib>

namespace {

constexpr OperandTypeFlags kNoFlags = 0xFFFFFFFF;

std::string NormalizeAddress(const std::string& text)
{
    const std::string upper = ByteString::Upper(text);
    if (!upper.empty() && upper[0] == '%')
        return upper;
    return std::string(1, '%') + upper;
}

// The value of a plain decimal integer text; values beyond 64 bits saturate,
// which every range check then refuses.
long long PlainNumber(const std::string& text)
{
    return std::strtoll(text.c_str(), nullptr, 10);
}

bool NumberWithin(const std::string& text, int maximum)
{
    if (!IsPlainNumberText(text, CONST_RADIX_DEC, false))
        return false;
    const long long n = PlainNumber(text);
    return n >= 0 && n <= maximum;
}

bool IsFlipFlopPrefix(const std::string& prefix)
{
    return prefix == "%SR" || prefix == "%RS";
}

bool IsBitAddressNumber(const std::string& prefix, const std::string& number)
{
    const std::string::size_type point = number.find('.');
    if (point == std::string::npos || point == 0)
        return false;
    const std::string byteText = number.substr(0, point);
    const std::string bitText = number.substr(point + 1);
    if (bitText.size() != 1)
        return false;
    return NumberWithin(byteText, g_pAppData->GetAreaMaxIndex(prefix)) &&
           NumberWithin(bitText, g_pAppData->GetBitMaxIndex(prefix));
}

bool IsLargeFamily()
{
    return (GetCPUFamilyMask() & CPU_FAMILIES_LARGE) != 0;
}

// The flags of the V address after a one-character operator ("*" or "&").
bool ParseVAddressAfter(char op, const std::string& text, OperandTypeFlags& flags)
{
    const std::string upper = ByteString::Upper(text);
    if (upper.size() < 2 || upper[0] != op)
        return false;
    return ParseDirectAddress(upper.substr(1), flags) && (flags & OT_AREA_V) != 0;
}

bool InstanceNumberFits(const std::string& number, const char* areaPrefix)
{
    if (!IsDigitString(number))
        return false;
    return PlainNumber(number) <= g_pAppData->GetAreaMaxIndex(areaPrefix);
}

struct InstancePrefix {
    const char* namePrefix;
    const char* areaPrefix;
};

// Instance names of flip-flops, timers and counters and the areas that number them.
constexpr InstancePrefix kInstancePrefixes[] = {
    {"RS", "%RS"},
    {"SR", "%SR"},
    {"T", "%T"},
    {"C", "%C"},
};

struct FBTypePrefix {
    const char* typeName;
    const char* namePrefix;
    const char* areaPrefix;
};

constexpr FBTypePrefix kFBTypes[] = {
    {"TON", "T", "%T"}, {"TOF", "T", "%T"}, {"TP", "T", "%T"},
    {"CTU", "C", "%C"}, {"CTD", "C", "%C"}, {"CTUD", "C", "%C"},
    {"RS", "RS", "%RS"}, {"SR", "SR", "%SR"},
};

} // namespace

bool ParseDirectAddress(const std::string& address, OperandTypeFlags& flags)
{
    flags = kNoFlags;
    const std::string text = NormalizeAddress(address);
    WORD row = 0;
    if (!FindMemoryArea(text, row))
        return false;
    if (g_pAppData->GetAreaUnitCount(text) == 0)
        return false;
    const CMemAreaDef& def = g_MemAreaDefTable[row];
    const std::string prefix(def.prefix);
    const std::string number = text.substr(def.prefixLength);
    if (number.size() >= 2 && number[0] == '0' && number[1] != '.')
        return false;
    if (number.empty())
        return false;
    if (!IsPlainNumberText(number, CONST_RADIX_DEC, true) || number.find_first_of("+-") != std::string::npos)
        return false;
    if (!IsAlignedDirectAddress(text))
        return false;
    if (def.typeBits == OT_BOOL) {
        if (IsFlipFlopPrefix(prefix)) {
            if (!NumberWithin(number, g_pAppData->GetAreaMaxIndex(prefix)))
                return false;
        } else if (!IsBitAddressNumber(prefix, number)) {
            return false;
        }
    } else if (!NumberWithin(number, g_pAppData->GetAreaMaxIndex(prefix))) {
        return false;
    }
    flags = def.areaFlags | (def.typeBits & OT_TYPE_BITS) | OT_DIRECT;
    return true;
}

bool IsAlignedDirectAddress(const std::string& address)
{
    static constexpr std::string_view kWordForms[] = {
        "%IW", "%QW", "%MW", "%VW", "%LW", "%ID", "%QD", "%MD", "%VD", "%LD", "%VR",
        "%SMW", "%SMD", "%AIW", "%AQW", "%ACW",
    };
    const std::string text = NormalizeAddress(address);
    const std::string_view view(text);
    for (std::string_view form : kWordForms) {
        if (!view.starts_with(form))
            continue;
        const std::string number = text.substr(form.size());
        if (!IsDigitString(number))
            return false;
        return (number.back() - '0') % 2 == 0;
    }
    return true;
}

bool IsEightByteBlockAddress(const std::string& address)
{
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(address, flags) || !(flags & OT_BYTE))
        return false;
    if (!(flags & (OT_AREA_L | OT_AREA_V | OT_AREA_M)))
        return false;
    const std::string text = NormalizeAddress(address);
    const long long n = PlainNumber(text.substr(3));
    return n >= 0 && n <= g_pAppData->GetAreaMaxIndex(text.substr(0, 3)) - 7;
}

bool IsValidIdentifier(const std::string& text)
{
    const std::string upper = ByteString::Upper(text);
    if (upper.empty())
        return false;
    if (upper.size() >= 2 && upper[0] == '_' && upper[1] == '_')
        return false;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(upper[i]);
        if ((c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80)
            continue;
        if (c >= '0' && c <= '9' && i > 0)
            continue;
        return false;
    }
    return true;
}

bool IsIndirectOperand(const std::string& text)
{
    if (!IsLargeFamily())
        return false;
    OperandTypeFlags flags = 0;
    return ParseVAddressAfter('*', text, flags) && (flags & OT_DWORD) != 0;
}

bool IsAddressOfOperand(const std::string& text)
{
    if (!IsLargeFamily())
        return false;
    OperandTypeFlags flags = 0;
    return ParseVAddressAfter('&', text, flags);
}

bool ParseAddressOfOperand(const std::string& text, OperandTypeFlags& flags)
{
    OperandTypeFlags addressFlags = 0;
    if (!ParseVAddressAfter('&', text, addressFlags))
        return false;
    flags = OT_AREA_V | OT_ADDRESS_OF;
    return true;
}

bool IsFBInstanceName(const std::string& text)
{
    const std::string upper = ByteString::Upper(text);
    for (const InstancePrefix& p : kInstancePrefixes) {
        if (ByteString::StartsWith(upper, p.namePrefix))
            return InstanceNumberFits(upper.substr(std::string(p.namePrefix).size()), p.areaPrefix);
    }
    return false;
}

bool IsValidFBInstanceName(const std::string& instanceName, const std::string& fbTypeName)
{
    const std::string name = ByteString::Upper(instanceName);
    const std::string type = ByteString::Upper(fbTypeName);
    for (const FBTypePrefix& t : kFBTypes) {
        if (type != t.typeName)
            continue;
        if (!ByteString::StartsWith(name, t.namePrefix))
            return false;
        return InstanceNumberFits(name.substr(std::string(t.namePrefix).size()), t.areaPrefix);
    }
    return false;
}

bool IsValidSymbolName(const std::string& name, bool skipDuplicateCheck)
{
    const std::string trimmed = ByteString::Trim(name);
    if (trimmed.empty() || !IsValidIdentifier(trimmed))
        return false;
    OperandTypeFlags flags = 0;
    if (ParseDirectAddress(trimmed, flags) || ClassifyConstant(trimmed, flags))
        return false;
    if (IsReservedWord(trimmed))
        return false;
    if (skipDuplicateCheck)
        return true;
    return g_pAppData->Project.SymbolsUpper.count(ByteString::Upper(trimmed)) == 0;
}
