// The types in which the live values of boxes are shown, resolved from the
// operands bound to their pins at every monitor refresh: the comparisons,
// the arithmetic and the moves take the type of the instruction variant
// that their operands select, every other box each pin's own type.

#include "CBlock.h"
#include "CLDEditor.h"
#include "CLDProgram.h"
#include "model/CZULAppData.h"
#include "model/CZULFBPara.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/ILVocabulary.h"
#include "model/TypedConstants.h"
#include "platform/ByteString.h"
#include "pouedit/IPOUEditorHost.h"

namespace {

struct GenericInstruction {
    const char* name;
    int kind;
};

enum GenericKind { GENERIC_COMPARE = 1, GENERIC_ARITHMETIC = 2, GENERIC_MOVE = 3, GENERIC_BLOCK_MOVE = 4 };

const GenericInstruction GENERIC_INSTRUCTIONS[] = {
    {"GT", GENERIC_COMPARE},     {"GE", GENERIC_COMPARE},    {"EQ", GENERIC_COMPARE},  {"NE", GENERIC_COMPARE},
    {"LT", GENERIC_COMPARE},     {"LE", GENERIC_COMPARE},    {"ADD", GENERIC_ARITHMETIC},
    {"SUB", GENERIC_ARITHMETIC}, {"MUL", GENERIC_ARITHMETIC}, {"DIV", GENERIC_ARITHMETIC},
    {"MOVE", GENERIC_MOVE},      {"BLKMOVE", GENERIC_BLOCK_MOVE},
};

constexpr OperandTypeFlags AREA_BITS = 0xFFFE0000;      // bit 17 and above
constexpr OperandTypeFlags SYMBOL_KEPT_BITS = 0xFFFF8000; // the access bits and above
constexpr OperandTypeFlags ARITHMETIC_TYPES = OT_INT | OT_DINT | OT_REAL;
constexpr int GENERIC_PINS = 3;

// One pin of a box: an input or an output and its index.
struct Pin {
    BOOL input;
    int index;
};

CZULFBPara* ParaOf(const CBlock& block, const Pin& pin)
{
    const int count = pin.input ? block.GetInputCount() : block.GetOutputCount();
    if (pin.index < 0 || pin.index >= count)
        return nullptr;
    return pin.input ? block.GetInput(pin.index) : block.GetOutput(pin.index);
}

template <typename Visit>
void VisitBlocks(CLDElement* element, Visit visit)
{
    if (!element)
        return;
    if (auto* block = dynamic_cast<CBlock*>(element))
        visit(*block);
    VisitBlocks(element->GetChildA(), visit);
    VisitBlocks(element->GetChildB(), visit);
}

} // namespace

void CLDEditor::FillGenericInstructionMap()
{
    for (const GenericInstruction& row : GENERIC_INSTRUCTIONS)
        m_genericInstructions[row.name] = row.kind;
}

void CLDEditor::ResolveOperandFlags(const std::string& operand, OperandTypeFlags& flags) const
{
    if (!m_host || !m_host->HasDocument())
        return;
    const std::string text = ByteString::Trim(operand);
    if (m_host->LookupLocalSymbolType(text, flags))
        return;
    CZULSymbol* symbol = nullptr;
    OperandTypeFlags parsed = 0;
    if (m_program.GetApp().FindGlobalSymbol(text, symbol) && symbol && ParseDirectAddress(symbol->address, parsed)) {
        flags = (parsed & (symbol->typeFlags | OT_DIRECT | SYMBOL_KEPT_BITS)) | AccessToParamFlags(parsed) | OT_DIRECT;
        return;
    }
    parsed = 0;
    if (ParseDirectAddress(text, parsed) || ClassifyConstant(text, parsed))
        flags = parsed | AccessToParamFlags(parsed);
}

void CLDEditor::ResolveBlockPinTypes(CBlock& block) const
{
    // A function's first pins are its power flow; an FB's pins all carry operands.
    const int first = block.IsFunction() ? 1 : 0;
    for (const BOOL input : {TRUE, FALSE}) {
        const int count = input ? block.GetInputCount() : block.GetOutputCount();
        for (int index = first; index < count; ++index) {
            const CZULFBPara* para = ParaOf(block, Pin {input, index});
            if (!para)
                continue;
            OperandTypeFlags flags = 0;
            ResolveOperandFlags(para->typeText, flags);
            block.SetActualType(input, index, flags & (AREA_BITS | (para->flags & OT_TYPE_BITS)));
        }
    }
}

BOOL CLDEditor::ResolveGenericBlockTypes(CBlock& block) const
{
    const std::string name = ByteString::Upper(ByteString::Trim(block.GetName()));
    const auto found = m_genericInstructions.find(name);
    if (found == m_genericInstructions.end())
        return FALSE;
    const int base = block.IsFunction() ? 1 : 0;
    const Pin in1 {TRUE, base};
    const Pin in2 {TRUE, base + 1};
    const Pin out {FALSE, base};
    // The pins of the instruction's signature, in its operand order.
    Pin order[GENERIC_PINS] = {in1, in2, out};
    int used = GENERIC_PINS;
    if (found->second == GENERIC_COMPARE) {
        used = 2;
    } else if (found->second == GENERIC_MOVE) {
        order[1] = out;
        used = 2;
    } else if (found->second == GENERIC_BLOCK_MOVE) {
        order[1] = out;
        order[2] = in2;
    }
    OperandTypeFlags flags[GENERIC_PINS] = {};
    for (int k = 0; k < used; ++k) {
        if (const CZULFBPara* para = ParaOf(block, order[k]))
            ResolveOperandFlags(para->typeText, flags[k]);
    }
    if (found->second == GENERIC_ARITHMETIC) {
        OperandTypeFlags common = flags[0] & flags[1] & flags[2] & ARITHMETIC_TYPES;
        if (common == (OT_DINT | OT_REAL))
            common = OT_DINT;
        for (int k = 0; k < used; ++k)
            block.SetActualType(order[k].input, order[k].index, (flags[k] & AREA_BITS) | common);
        return TRUE;
    }
    COpcodeDef signature {};
    signature.operandCount = DWORD(used);
    for (int k = 0; k < used; ++k)
        signature.operandMasks[k] = flags[k];
    int badPosition = -1;
    const bool matched = CheckInstructionOperands(name, signature, badPosition);
    for (int k = 0; k < used; ++k) {
        const OperandTypeFlags type = matched ? (flags[k] & AREA_BITS) | (signature.operandMasks[k] & OT_TYPE_BITS)
                                              : flags[k];
        block.SetActualType(order[k].input, order[k].index, type);
    }
    return TRUE;
}

void CLDEditor::ResolveLiveValueTypes()
{
    FillGenericInstructionMap();
    for (const LDItemPtr& item : m_program.GetItems()) {
        VisitBlocks(item.get(), [this](CBlock& block) {
            if (!ResolveGenericBlockTypes(block))
                ResolveBlockPinTypes(block);
        });
    }
    m_genericInstructions.clear();
}
