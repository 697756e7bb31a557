#include "CBlockILWriter.h"

#include "CBlock.h"
#include "CLDNameTables.h"
#include "model/CInstructionDef.h"
#include "model/ILocalVarLookup.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/OperandTypeFlags.h"

namespace {

const char* const CRLF = "\r\n";
const char* const SEP = ", ";
const char* const GAP4 = "    ";
const char* const GAP3 = "   ";

// Catalogue groups and the forms they choose; any other group is a call.
enum class BlockForm { Call, Reordered, Arithmetic, Shift, CounterTimer, Interrupt };

struct GroupForm {
    int group;
    BlockForm form;
};

constexpr GroupForm GROUP_FORMS[] = {
    {1, BlockForm::Reordered},
    {3, BlockForm::Arithmetic},
    {4, BlockForm::Shift},
    {6, BlockForm::Arithmetic},
    {10, BlockForm::CounterTimer},
    {11, BlockForm::Interrupt},
    {12, BlockForm::CounterTimer},
};

BlockForm FormOf(const std::string& name)
{
    if (!g_pAppData)
        return BlockForm::Call;
    const auto row = g_pAppData->InstructionCatalog.find(name);
    if (row == g_pAppData->InstructionCatalog.end() || !row->second)
        return BlockForm::Call;
    for (const GroupForm& entry : GROUP_FORMS) {
        if (entry.group == row->second->group)
            return entry.form;
    }
    return BlockForm::Call;
}

// The operands of inputs 1 onward, then outputs 1 onward, as the call forms join them.
std::string CallOperands(const CBlock& block, const char* firstGap)
{
    std::string text;
    const int inputs = block.GetInputCount();
    for (int i = 1; i < inputs; ++i)
        text += (i == 1 ? firstGap : SEP) + block.GetInputOperand(i);
    for (int j = 1; j < block.GetOutputCount(); ++j)
        text += (j == 1 && inputs <= 1 ? firstGap : SEP) + block.GetOutputOperand(j);
    return text;
}

} // namespace

std::string CBlockILWriter::WriteBlock(const CBlock& block) const
{
    switch (FormOf(block.GetName())) {
    case BlockForm::Reordered:
        return WriteReorderedForm(block);
    case BlockForm::Arithmetic:
        return WriteArithmeticForm(block);
    case BlockForm::Shift:
        return WriteShiftForm(block);
    case BlockForm::CounterTimer:
        return WriteCounterTimerForm(block);
    case BlockForm::Interrupt:
        return WriteInterruptForm(block);
    case BlockForm::Call:
        break;
    }
    return WriteCallForm(block);
}

std::string CBlockILWriter::WriteCallForm(const CBlock& block) const
{
    const std::string name = block.GetName();
    if (!block.IsFunction())
        return name + GAP3 + block.GetOperand() + CallOperands(block, GAP3) + CRLF;
    if (g_pAppData && g_pAppData->InstructionCatalog.count(name))
        return name + CallOperands(block, GAP4) + CRLF;
    std::string alias;
    int isSubroutine = 0;
    if (!g_pAppData || !g_pAppData->Project.POUs.ConvertPOUName(name, alias, isSubroutine) || !isSubroutine)
        return std::string("CAL  ") + name + CRLF;
    return "CAL    " + alias + CallOperands(block, GAP4) + CRLF;
}

std::string CBlockILWriter::WriteReorderedForm(const CBlock& block) const
{
    return block.GetName() + "  " + block.GetInputOperand(1) + SEP + block.GetOutputOperand(1) + SEP
        + block.GetInputOperand(2) + CRLF;
}

std::string CBlockILWriter::WriteShiftForm(const CBlock& block) const
{
    const std::string in = block.GetInputOperand(1);
    const std::string out = block.GetOutputOperand(1);
    std::string text;
    if (out != in)
        text = "MOVE   " + in + SEP + out + CRLF;
    return text + block.GetName() + "  " + out + SEP + block.GetInputOperand(2) + CRLF;
}

std::string CBlockILWriter::WriteArithmeticForm(const CBlock& block) const
{
    const std::string name = block.GetName();
    const std::string in1 = block.GetInputOperand(1);
    const std::string in2 = block.GetInputOperand(2);
    const std::string out = block.GetOutputOperand(1);
    std::string text;
    if (in1 != out && in2 == out) {
        // The result overwrites the second input.
        if (name == "SUB") {
            if (IsRealOperand(block, in2))
                return "MUL     -1.0, " + in2 + CRLF + "ADD    " + in1 + SEP + in2 + CRLF;
            return "NOT    " + in2 + CRLF + "INC    " + in2 + CRLF + "ADD    " + in1 + SEP + in2 + CRLF;
        }
        // No in-place form exists: all three operands, which the compiler reports.
        if (name == "DIV" || name == "MOD")
            return name + GAP4 + in1 + SEP + in2 + SEP + out + CRLF;
        return name + GAP4 + in1 + SEP + in2 + CRLF;
    }
    if (in1 != out)
        text = "MOVE    " + in1 + SEP + out + CRLF;
    text += name + GAP4;
    if (block.GetInputCount() >= 3)
        text += in2 + SEP;
    for (int j = 1; j < block.GetOutputCount(); ++j)
        text += block.GetOutputOperand(j);
    return text + CRLF;
}

std::string CBlockILWriter::WriteCounterTimerForm(const CBlock& block) const
{
    const std::string instance = block.GetOperand();
    std::string text = block.GetName() + GAP3 + instance;
    for (int i = 1; i < block.GetInputCount(); ++i)
        text += SEP + block.GetInputOperand(i);
    const int last = block.GetOutputCount() - 1;
    for (int j = 1; j < last; ++j)
        text += SEP + block.GetOutputOperand(j);
    text += CRLF;
    // The current value (ET, CV) goes out whatever the rung state; Q flows on.
    if (last >= 1 && !block.GetOutputOperand(last).empty())
        text += std::string("__CR_EQ_1") + CRLF + "MOVE    " + instance + SEP + block.GetOutputOperand(last) + CRLF
            + "__CR_RESTORE" + CRLF;
    return text;
}

std::string CBlockILWriter::WriteInterruptForm(const CBlock& block) const
{
    std::string first = block.GetInputOperand(1);
    std::string swapped;
    if (block.GetName() == "ATCH" && g_pAppData && g_pAppData->Project.POUs.SwapInterruptName(first, swapped))
        first = swapped;
    std::string text = block.GetName() + GAP4 + first;
    for (int i = 2; i < block.GetInputCount(); ++i)
        text += SEP + block.GetInputOperand(i);
    for (int j = 1; j < block.GetOutputCount(); ++j)
        text += SEP + block.GetOutputOperand(j);
    return text + CRLF;
}

bool CBlockILWriter::IsRealOperand(const CBlock& block, const std::string& operand)
{
    OperandTypeFlags flags = 0;
    const CLDNameTables* names = block.GetNames();
    CZULSymbol* symbol = nullptr;
    if (names && names->LocalVariables && names->LocalVariables->FindLocalVar(operand, flags))
        return (flags & OT_TYPE_BITS) == OT_REAL;
    if (g_pAppData && g_pAppData->FindGlobalSymbol(operand, symbol))
        return (symbol->typeFlags & OT_TYPE_BITS) == OT_REAL;
    return ParseDirectAddress(operand, flags) && (flags & OT_TYPE_BITS) == OT_REAL;
}
