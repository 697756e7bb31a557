#include "CLDContactCoilCheck.h"

#include "CLDElement.h"
#include "CLDNameTables.h"
#include "model/CInstructionDef.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/InstructionCatalog.h"
#include "model/TypedConstants.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <utility>

namespace {
const char* const TYPE_NUL = "-(NUL)";
const char* const TYPE_LBL = "-(LBL)";
const char* const TYPE_NOT = "-|NOT|-";
const char* const UNSET_OPERAND = "????";
const char* const CAPTION_NOTE = "Note";
const char* const CAPTION_ERROR = "Error";
const char* const MSG_DUPLICATE_LABEL = "A duplicate identifier already existed.";
const char* const MSG_ILLEGAL_IDENTIFIER = "This is not a legal identifier.";
const char* const MSG_LOCAL_MISMATCH = "The data type or I/O type is not valid for the instruction operand.";
const char* const MSG_MEMORY_MISMATCH = "The data type or memory type is not valid for the instruction operand.";
const char* const MSG_TYPE_MISMATCH = "The data type is not valid for the instruction operand.";
const char* const MSG_NOT_LEGAL = "The input is not legal.";
// The operand mask of the label and jump coils: a label and nothing else.
constexpr DWORD LABEL_MASK = OT_POU_REF;
constexpr OperandTypeFlags VARIABLE_CLASS_BITS = OT_VAR;

BOOL Shares(OperandTypeFlags flags, DWORD mask, OperandTypeFlags groupBits)
{
    return (flags & mask & groupBits) != 0;
}

BOOL SharesTypeAnd(OperandTypeFlags flags, DWORD mask, OperandTypeFlags classBits)
{
    return Shares(flags, mask, OT_TYPE_BITS) && Shares(flags, mask, classBits);
}

int Refuse(const char* caption, const char* text, UINT icon, int result)
{
    ShowMessage(caption, text, MB_OK | icon);
    return result;
}

int TablePosition(const std::string& name)
{
    int position = 0;
    for (const CInstructionDef& row : g_LDInstructionTable) {
        if (name == row.name)
            return position;
        ++position;
    }
    return position;
}

const CInstructionDef* CatalogueRow(const CZULAppData& app, BOOL coil, const std::string& type)
{
    const auto& catalogue = coil ? app.CoilCatalog : app.ContactCatalog;
    const auto row = catalogue.find(type);
    return row == catalogue.end() ? nullptr : row->second;
}
} // namespace

CLDContactCoilCheck::CLDContactCoilCheck(const CZULAppData& app, LDLocalLookup locals)
    : m_app(app), m_locals(std::move(locals))
{
}

std::vector<std::string> CLDContactCoilCheck::TypeList(BOOL coil, BOOL parallel) const
{
    std::vector<std::string> types;
    for (const auto& entry : coil ? m_app.CoilCatalog : m_app.ContactCatalog) {
        if (!coil && parallel && entry.first == TYPE_NOT)
            continue;
        types.push_back(entry.first);
    }
    // In the order of the instruction table; entries it lacks follow by name.
    std::sort(types.begin(), types.end(), [](const std::string& a, const std::string& b) {
        return std::make_pair(TablePosition(a), a) < std::make_pair(TablePosition(b), b);
    });
    return types;
}

int CLDContactCoilCheck::OperandCount(BOOL coil, const std::string& type) const
{
    const CInstructionDef* row = CatalogueRow(m_app, coil, type);
    return row ? row->pinCount : 0;
}

DWORD CLDContactCoilCheck::OperandMask(BOOL coil, const std::string& type) const
{
    const CInstructionDef* row = CatalogueRow(m_app, coil, type);
    return row && row->pinCount > 0 ? row->pinMasks[0] : 0;
}

BOOL CLDContactCoilCheck::IsParallelPosition(const CLDElement& element)
{
    if (element.GetLink() == LD_LINK_PARALLEL)
        return TRUE;
    for (const CLDElement* up = element.GetParent(); up; up = up->GetParent()) {
        if (up->GetLink() == LD_LINK_PARALLEL && !up->GetChildB())
            return TRUE;
    }
    return FALSE;
}

int CLDContactCoilCheck::Apply(CLDElement& element, BOOL coil, const std::string& type, const std::string& address,
                               const std::string& previous, CLDNameTables* labels) const
{
    const int count = OperandCount(coil, type);
    const DWORD mask = OperandMask(coil, type);
    if (type == TYPE_NUL || count == 0) {
        element.SetOperand(address);
        return LD_ENTRY_CLOSE;
    }
    const size_t lastPercent = address.rfind('%');
    const std::string bare = lastPercent == std::string::npos ? address : address.substr(lastPercent + 1);
    if (mask == LABEL_MASK)
        return ApplyLabel(element, type, bare, previous, labels);
    return ApplyOperand(element, coil, mask, address, bare);
}

int CLDContactCoilCheck::ApplyLabel(CLDElement& element, const std::string& type, const std::string& bare,
                                    const std::string& previous, CLDNameTables* labels) const
{
    const std::string before = ByteString::Trim(previous);
    if (!IsValidIdentifier(bare)) {
        if (!ByteString::Trim(bare).empty())
            return Refuse(CAPTION_NOTE, MSG_ILLEGAL_IDENTIFIER, MB_ICONINFORMATION, LD_ENTRY_STAY);
        if (labels) {
            auto& list = labels->LDLabelList;
            list.erase(std::remove(list.begin(), list.end(), before), list.end());
        }
        element.SetOperand(UNSET_OPERAND);
        return LD_ENTRY_CLOSE;
    }
    element.SetOperand(bare);
    // A label coil reopened without a change keeps its own label: that is no duplicate.
    if (!labels || (type == TYPE_LBL && bare == before))
        return LD_ENTRY_CLOSE;
    auto& list = labels->LDLabelList;
    if (std::find(list.begin(), list.end(), bare) != list.end()) {
        if (type != TYPE_LBL)
            return LD_ENTRY_CLOSE;
        element.SetOperand(before);
        return Refuse(CAPTION_NOTE, MSG_DUPLICATE_LABEL, MB_ICONINFORMATION, LD_ENTRY_CLOSE);
    }
    if (type != TYPE_LBL)
        return LD_ENTRY_CLOSE;
    const auto last = std::find(list.rbegin(), list.rend(), before);
    if (last != list.rend())
        list.erase(std::next(last).base());
    list.push_back(bare);
    return LD_ENTRY_CLOSE;
}

int CLDContactCoilCheck::ApplyOperand(CLDElement& element, BOOL coil, DWORD mask, const std::string& address,
                                      const std::string& bare) const
{
    OperandTypeFlags flags = 0;
    if (m_locals && m_locals(address, flags)) {
        if (!SharesTypeAnd(flags, mask, VARIABLE_CLASS_BITS))
            return Refuse(CAPTION_NOTE, MSG_LOCAL_MISMATCH, MB_ICONINFORMATION, LD_ENTRY_STAY);
        element.SetOperand(address);
        return LD_ENTRY_CLOSE;
    }
    CZULSymbol* symbol = nullptr;
    if (m_app.FindGlobalSymbol(address, symbol)) {
        OperandTypeFlags addressFlags = 0;
        ParseDirectAddress(symbol->address, addressFlags);
        if (!SharesTypeAnd(addressFlags | symbol->typeFlags, mask, OT_AREA_BITS))
            return Refuse(CAPTION_NOTE, MSG_MEMORY_MISMATCH, MB_ICONINFORMATION, LD_ENTRY_STAY);
        element.SetOperand(symbol->address);
        return LD_ENTRY_CLOSE;
    }
    if (ParseDirectAddress(address, flags)) {
        const std::string upperBare = ByteString::Upper(bare);
        if (!coil && IsFBInstanceName(upperBare)) {
            element.SetOperand(upperBare);
            return LD_ENTRY_CLOSE;
        }
        if (!SharesTypeAnd(flags, mask, OT_AREA_BITS))
            return Refuse(CAPTION_NOTE, MSG_MEMORY_MISMATCH, MB_ICONINFORMATION, LD_ENTRY_STAY);
        element.SetOperand(ByteString::Upper(address));
        return LD_ENTRY_CLOSE;
    }
    if ((mask & OT_CONSTANT) && ClassifyConstant(address, flags)) {
        if (!Shares(flags, mask, OT_TYPE_BITS))
            return Refuse(CAPTION_NOTE, MSG_TYPE_MISMATCH, MB_ICONINFORMATION, LD_ENTRY_STAY);
        element.SetOperand(address);
        return LD_ENTRY_CLOSE;
    }
    return Refuse(CAPTION_ERROR, MSG_NOT_LEGAL, MB_ICONERROR, LD_ENTRY_STAY_ADDRESS);
}
