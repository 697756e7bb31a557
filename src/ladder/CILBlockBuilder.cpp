#include "CILBlockBuilder.h"

#include "CBlock.h"
#include "CLDContext.h"
#include "model/CInstructionDef.h"
#include "model/CPOURegistry.h"
#include "model/CZULFB.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

namespace {

constexpr int NO_GROUP = -1;
constexpr int GROUP_REORDERED = 1;
constexpr int GROUP_ARITHMETIC = 3;
constexpr int GROUP_SHIFT = 4;
constexpr int GROUP_REAL_ARITHMETIC = 6;
constexpr int GROUP_COUNTER = 10;
constexpr int GROUP_INTERRUPT = 11;
constexpr int GROUP_TIMER = 12;
constexpr int GROUP_MOVE = 14;

// Tokens of the three-operand DIV and MOD line: name, IN1, IN2, OUT.
constexpr size_t THREE_OPERAND_TOKENS = 4;

const char* const CURRENT_VALUE_LINE = "__CR_EQ_1";
const char* const NEGATIVE_ONE = "-1.0";
const char* const NOTE_CAPTION = "Note";
const char* const MISSING_SUBROUTINE = "\xB9\xA4\xB3\xCC\xD6\xD0\xB2\xBB\xB4\xE6\xD4\xDA\xD7\xD3\xB3\xCC\xD0\xF2\xA1\xB0"
                                       "%s\xA1\xB1\xA3\xAC\xD7\xD3\xB3\xCC\xD0\xF2\xB5\xC4\xCA\xB5\xB2\xCE\xBD\xAB\xB1\xBB"
                                       "\xC9\xBE\xB3\xFD\xA1\xA3";

const std::string& Token(const std::vector<std::string>& tokens, size_t k)
{
    static const std::string none;
    return k < tokens.size() ? tokens[k] : none;
}

int GroupOf(const CLDContext& context, const std::string& name)
{
    const CInstructionDef* row = context.FindInstruction(name);
    return row ? row->group : NO_GROUP;
}

std::unique_ptr<CBlock> FunctionBox(const CLDContext& context, const std::string& name)
{
    auto function = std::make_unique<CZULFunc>();
    if (!context.LookupFunction(name, *function))
        return nullptr;
    auto block = std::make_unique<CBlock>();
    block->SetFunction(std::move(function));
    return block;
}

std::unique_ptr<CBlock> FBBox(const CLDContext& context, const std::string& type, const std::string& instance)
{
    auto fb = std::make_unique<CZULFB>();
    if (!context.LookupFunctionBlock(type, *fb))
        return nullptr;
    fb->instanceName = instance;
    auto block = std::make_unique<CBlock>();
    block->SetFB(std::move(fb));
    return block;
}

// A parameter gets the operand only when the line has it.
void SetInput(CBlock& block, int index, const std::vector<std::string>& tokens, size_t k)
{
    CZULFBPara* para = block.GetInput(index);
    if (para && k < tokens.size())
        para->typeText = tokens[k];
}

void SetOutput(CBlock& block, int index, const std::vector<std::string>& tokens, size_t k)
{
    CZULFBPara* para = block.GetOutput(index);
    if (para && k < tokens.size())
        para->typeText = tokens[k];
}

int Deliver(std::unique_ptr<CBlock> made, std::unique_ptr<CBlock>& block, int used, int& consumed)
{
    if (!made)
        return IL_BLOCK_FAILED;
    block = std::move(made);
    consumed = used;
    return IL_BLOCK_BUILT;
}

} // namespace

CILBlockBuilder::CILBlockBuilder(const CLDContext& context)
    : m_context(context)
    , m_scanner(context)
{
}

int CILBlockBuilder::BuildBlock(const std::vector<std::string>& lines, int line, int lastLine,
                                std::vector<std::string>& tokens, std::unique_ptr<CBlock>& block, int& consumed)
{
    block.reset();
    consumed = 0;
    if (tokens.empty())
        return IL_BLOCK_FAILED;
    tokens[0] = ByteString::Upper(tokens[0]);
    const Statement statement {&lines, line, lastLine, &tokens};
    const CInstructionDef* row = m_context.FindInstruction(tokens[0]);
    const int group = row ? row->group : NO_GROUP;
    switch (group) {
    case GROUP_REORDERED:
        return BuildReorderedBlock(statement, block, consumed);
    case GROUP_ARITHMETIC:
    case GROUP_REAL_ARITHMETIC:
        return BuildArithmeticBlock(statement, block, consumed);
    case GROUP_SHIFT:
        return BuildShiftBlock(statement, block, consumed);
    case GROUP_COUNTER:
        return BuildCounterBlock(statement, block, consumed);
    case GROUP_INTERRUPT:
        return BuildInterruptBlock(statement, block, consumed);
    case GROUP_TIMER:
        return BuildTimerBlock(statement, block, consumed);
    case GROUP_MOVE:
        return BuildMoveBlock(statement, block, consumed);
    default:
        break;
    }
    return BuildCallBlock(statement, row ? row->kind : INSTRUCTION_KIND_FUNCTION, block, consumed);
}

std::vector<std::string> CILBlockBuilder::LineTokens(const Statement& statement, int offset) const
{
    std::vector<std::string> tokens;
    const int index = statement.line + offset;
    if (index > statement.lastLine || index < 0 || index >= int(statement.lines->size()))
        return tokens;
    m_scanner.SplitTokens((*statement.lines)[size_t(index)], tokens);
    if (!tokens.empty())
        tokens[0] = ByteString::Upper(tokens[0]);
    return tokens;
}

int CILBlockBuilder::BuildCallBlock(const Statement& statement, int kind, std::unique_ptr<CBlock>& block,
                                    int& consumed)
{
    const std::vector<std::string>& t = *statement.tokens;
    if (kind == INSTRUCTION_KIND_FB) {
        std::unique_ptr<CBlock> made = FBBox(m_context, t[0], Token(t, 1));
        if (made)
            SetInput(*made, 1, t, 2);
        return Deliver(std::move(made), block, 0, consumed);
    }
    if (t[0] != "CAL") {
        std::unique_ptr<CBlock> made = FunctionBox(m_context, t[0]);
        if (made) {
            const int inputs = made->GetInputCount();
            for (int i = 1; i < inputs; ++i)
                SetInput(*made, i, t, size_t(i));
            for (int j = 1; j < made->GetOutputCount(); ++j)
                SetOutput(*made, j, t, size_t(inputs - 1 + j));
        }
        return Deliver(std::move(made), block, 0, consumed);
    }
    const std::string& name = Token(t, 1);
    auto function = std::make_unique<CZULFunc>();
    auto made = std::make_unique<CBlock>();
    if (m_context.POUs().CopySubroutineInterface(name, function.get())) {
        made->SetFunction(std::move(function));
        const int inputs = made->GetInputCount();
        for (int i = 1; i < inputs; ++i)
            SetInput(*made, i, t, size_t(i + 1));
        for (int j = 1; j < made->GetOutputCount(); ++j)
            SetOutput(*made, j, t, size_t(inputs + j));
        return Deliver(std::move(made), block, 0, consumed);
    }
    // The subroutine is gone: a box of its name without parameters. Its
    // actual parameters are dropped only where the user is told so.
    const BOOL pasting = m_context.IsPastingIL();
    if (!pasting && t.size() > 2)
        return IL_BLOCK_KEEP_AS_IL;
    function->name = name;
    made->SetFunction(std::move(function));
    if (pasting)
        ShowMessage(NOTE_CAPTION, ByteString::Format(MISSING_SUBROUTINE, name.c_str()), MB_OK | MB_ICONINFORMATION);
    return Deliver(std::move(made), block, 0, consumed);
}

int CILBlockBuilder::BuildReorderedBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed)
{
    const std::vector<std::string>& t = *statement.tokens;
    std::unique_ptr<CBlock> made = FunctionBox(m_context, t[0]);
    if (made) {
        SetInput(*made, 1, t, 1);
        SetInput(*made, 2, t, 3);
        SetOutput(*made, 1, t, 2);
    }
    return Deliver(std::move(made), block, 0, consumed);
}

int CILBlockBuilder::BuildInterruptBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed)
{
    const std::vector<std::string>& t = *statement.tokens;
    std::unique_ptr<CBlock> made = FunctionBox(m_context, t[0]);
    if (!made)
        return IL_BLOCK_FAILED;
    std::vector<std::string> operands = t;
    std::string routine;
    if (t[0] == "ATCH" && t.size() > 1 && m_context.POUs().ConvertInterruptName(t[1], routine, FALSE))
        operands[1] = routine;
    const int inputs = made->GetInputCount();
    for (int i = 1; i < inputs; ++i)
        SetInput(*made, i, operands, size_t(i));
    for (int j = 1; j < made->GetOutputCount(); ++j)
        SetOutput(*made, j, operands, size_t(inputs - 1 + j));
    return Deliver(std::move(made), block, 0, consumed);
}

int CILBlockBuilder::BuildShiftBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed)
{
    const std::vector<std::string>& t = *statement.tokens;
    if (t[0] == "MOVE") {
        const std::vector<std::string> next = LineTokens(statement, 1);
        std::unique_ptr<CBlock> made = next.empty() ? nullptr : FunctionBox(m_context, next[0]);
        if (made) {
            SetInput(*made, 1, t, 1);
            SetInput(*made, 2, next, 2);
            SetOutput(*made, 1, t, 2);
        }
        return Deliver(std::move(made), block, 1, consumed);
    }
    std::unique_ptr<CBlock> made = FunctionBox(m_context, t[0]);
    if (made) {
        SetInput(*made, 1, t, 1);
        SetInput(*made, 2, t, 2);
        SetOutput(*made, 1, t, 1);
    }
    return Deliver(std::move(made), block, 0, consumed);
}

int CILBlockBuilder::BuildArithmeticBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed)
{
    const std::vector<std::string>& t = *statement.tokens;
    if (t[0] == "NOT" && IsIntegerSubPattern(statement))
        return BuildIntegerSub(statement, block, consumed);
    if (t[0] == "MUL" && IsRealSubPattern(statement))
        return BuildRealSub(statement, block, consumed);
    if (t[0] == "MOVE") {
        const std::vector<std::string> next = LineTokens(statement, 1);
        std::unique_ptr<CBlock> made = next.empty() ? nullptr : FunctionBox(m_context, next[0]);
        if (made) {
            SetOutput(*made, 1, t, 2);
            SetInput(*made, 1, t, 1);
            SetInput(*made, 2, next, 1);
        }
        return Deliver(std::move(made), block, 1, consumed);
    }
    std::unique_ptr<CBlock> made = FunctionBox(m_context, t[0]);
    if (!made)
        return IL_BLOCK_FAILED;
    if (made->GetInputCount() > 2 && t.size() == THREE_OPERAND_TOKENS) {
        // DIV and MOD whose result overwrites the second input: IN1, IN2, OUT.
        SetInput(*made, 1, t, 1);
        SetInput(*made, 2, t, 2);
        SetOutput(*made, 1, t, 3);
        return Deliver(std::move(made), block, 0, consumed);
    }
    if (t.size() > 1) {
        SetOutput(*made, 1, t, t.size() - 1);
        SetInput(*made, 1, t, t.size() - 1);
    }
    if (made->GetInputCount() > 2)
        SetInput(*made, 2, t, 1);
    return Deliver(std::move(made), block, 0, consumed);
}

BOOL CILBlockBuilder::IsRealSubPattern(const Statement& statement)
{
    const std::vector<std::string>& t = *statement.tokens;
    if (ByteString::Upper(Token(t, 0)) != "MUL" || statement.line >= statement.lastLine || Token(t, 1) != NEGATIVE_ONE)
        return FALSE;
    const std::vector<std::string> next = LineTokens(statement, 1);
    return Token(next, 0) == "ADD" && t.size() > 2 && next.size() > 2 && next[2] == t[2];
}

int CILBlockBuilder::BuildRealSub(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed)
{
    const std::vector<std::string>& t = *statement.tokens;
    const std::vector<std::string> next = LineTokens(statement, 1);
    std::unique_ptr<CBlock> made = FunctionBox(m_context, "SUB");
    if (made) {
        SetInput(*made, 1, next, 1);
        SetInput(*made, 2, t, 2);
        SetOutput(*made, 1, t, 2);
    }
    return Deliver(std::move(made), block, 1, consumed);
}

BOOL CILBlockBuilder::IsIntegerSubPattern(const Statement& statement)
{
    const std::vector<std::string>& t = *statement.tokens;
    if (ByteString::Upper(Token(t, 0)) != "NOT" || t.size() < 2 || statement.line + 2 > statement.lastLine)
        return FALSE;
    const std::vector<std::string> next = LineTokens(statement, 1);
    const std::vector<std::string> after = LineTokens(statement, 2);
    return Token(next, 0) == "INC" && Token(next, 1) == t[1] && Token(after, 0) == "ADD" && after.size() > 2
        && after[2] == t[1];
}

int CILBlockBuilder::BuildIntegerSub(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed)
{
    const std::vector<std::string>& t = *statement.tokens;
    const std::vector<std::string> after = LineTokens(statement, 2);
    std::unique_ptr<CBlock> made = FunctionBox(m_context, "SUB");
    if (made) {
        SetInput(*made, 1, after, 1);
        SetInput(*made, 2, t, 1);
        SetOutput(*made, 1, t, 1);
    }
    return Deliver(std::move(made), block, 2, consumed);
}

int CILBlockBuilder::BuildMoveBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed)
{
    const std::vector<std::string>& t = *statement.tokens;
    if (statement.line < statement.lastLine) {
        std::vector<std::string> next = LineTokens(statement, 1);
        const Statement following {statement.lines, statement.line + 1, statement.lastLine, &next};
        const BOOL subFollows = (Token(next, 0) == "NOT" && IsIntegerSubPattern(following))
            || (Token(next, 0) == "MUL" && IsRealSubPattern(following));
        if (!subFollows && !next.empty() && t.size() > 1) {
            const int group = GroupOf(m_context, next[0]);
            const BOOL sameTarget = next.back() == t.back();
            if (sameTarget && (group == GROUP_ARITHMETIC || group == GROUP_REAL_ARITHMETIC))
                return BuildArithmeticBlock(statement, block, consumed);
            if (!sameTarget && group == GROUP_SHIFT && Token(t, 2) == Token(next, 1))
                return BuildShiftBlock(statement, block, consumed);
        }
    }
    return BuildCallBlock(statement, INSTRUCTION_KIND_FUNCTION, block, consumed);
}

int CILBlockBuilder::BuildCounterBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed)
{
    const std::vector<std::string>& t = *statement.tokens;
    std::unique_ptr<CBlock> made = FBBox(m_context, t[0], Token(t, 1));
    if (!made)
        return IL_BLOCK_FAILED;
    const int inputs = made->GetInputCount();
    const int outputs = made->GetOutputCount();
    for (int i = 1; i < inputs; ++i)
        SetInput(*made, i, t, size_t(i + 1));
    for (int j = 1; j < outputs - 1; ++j)
        SetOutput(*made, j, t, size_t(inputs + j));
    const std::vector<std::string> move = LineTokens(statement, 2);
    const BOOL currentValue = statement.line + 2 <= statement.lastLine
        && ByteString::Trim((*statement.lines)[size_t(statement.line + 1)]) == CURRENT_VALUE_LINE;
    if (!currentValue)
        return Deliver(std::move(made), block, 0, consumed);
    SetOutput(*made, outputs - 1, move, 2);
    return Deliver(std::move(made), block, 3, consumed);
}

int CILBlockBuilder::BuildTimerBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed)
{
    const std::vector<std::string>& t = *statement.tokens;
    std::unique_ptr<CBlock> made = FBBox(m_context, t[0], Token(t, 1));
    if (!made)
        return IL_BLOCK_FAILED;
    SetInput(*made, 1, t, 2);
    const BOOL currentValue = statement.line + 2 <= statement.lastLine
        && ByteString::Trim((*statement.lines)[size_t(statement.line + 1)]) == CURRENT_VALUE_LINE;
    if (!currentValue)
        return Deliver(std::move(made), block, 0, consumed);
    SetOutput(*made, 1, LineTokens(statement, 2), 2);
    return Deliver(std::move(made), block, 3, consumed);
}
