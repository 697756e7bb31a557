#include "ForceValue.h"

#include "model/DirectAddress.h"
#include "model/OperandTypeFlags.h"
#include "model/TypedConstants.h"
#include "platform/ByteString.h"

namespace {
constexpr OperandTypeFlags DATA_TYPE_MASK = 0x1FF;
constexpr OperandTypeFlags WORD_OR_INT = OT_WORD | OT_INT;
constexpr OperandTypeFlags DWORD_OR_DINT = OT_DWORD | OT_DINT;

// Whether a value text may be parsed for an address of these data-type bits.
bool ValueSuitsType(OperandTypeFlags type, const std::string& value)
{
    switch (type) {
    case OT_BOOL:
        return value == "TRUE" || value == "FALSE";
    case OT_BYTE:
    case WORD_OR_INT:
    case DWORD_OR_DINT:
        return true;
    case OT_REAL:
        return value.find('.') != std::string::npos;
    default:
        return false;
    }
}
} // namespace

BOOL CheckForceValue(const std::string& address, const std::string& valueText, DWORD& value)
{
    const std::string text = ByteString::Upper(ByteString::Trim(valueText));
    if (text.empty())
        return FALSE;
    OperandTypeFlags addressFlags = 0;
    if (!ParseDirectAddress(address, addressFlags))
        return FALSE;
    const OperandTypeFlags type = addressFlags & DATA_TYPE_MASK;
    if (!ValueSuitsType(type, text))
        return FALSE;
    OperandTypeFlags constantFlags = 0;
    DWORD parsed = 0;
    float real = 0;
    if (!ParseConstant(text, constantFlags, parsed, real) || (type & constantFlags) == 0)
        return FALSE;
    value = parsed;
    return TRUE;
}
