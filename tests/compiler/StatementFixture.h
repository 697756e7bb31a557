#pragma once
// Two statement checkers over the same lines: one runs the precompile pass
// (check and count), the other the code pass (check and emit), as the
// compile unit runs them. Each line's findings, counted bytes and indexes,
// and emitted bytes are returned side by side so that tests can hold the
// two passes to the same sizes.

#include "CompilerFixture.h"

#include "compiler/CCompileState.h"
#include "compiler/CILStatementChecker.h"
#include "compiler/CLoopTargetTable.h"
#include "model/CXrefStore.h"

#include <string>
#include <vector>

struct CLineResult {
    std::vector<CILTokenMsg> messages;  // precompile pass
    int countedBytes = 0;               // object-size counter growth
    int countedInstructions = 0;        // InstructionCounter growth
    std::vector<BYTE> code;             // code pass
    int codeInstructions = 0;           // code-pass index growth
    int objectOffsetGrowth = 0;

    std::string Messages() const
    {
        std::string text;
        for (const CILTokenMsg& message : messages)
            text += std::to_string(message.code) + (message.kind ? "w " : " ") + message.text + "\n";
        return text;
    }
};

class StatementFixture : public CompilerFixture {
protected:
    void SetUp() override
    {
        CompilerFixture::SetUp();
        g_CompileState.LoopTargets.Clear();
        g_XrefStore.Clear();
        CompilingFile(FILE_KIND_MAIN_PROGRAM, "MAIN");
    }
    void TearDown() override
    {
        g_XrefStore.Clear();
        g_CompileState.LoopTargets.Clear();
        CompilerFixture::TearDown();
    }

    // Precompile pass over the line only.
    CLineResult Precompile(const std::string& line)
    {
        CLineResult result;
        const int size = m_precompile.GetObjectSize();
        const int counter = g_CompileState.InstructionCounter;
        g_CompileState.RowStartFlag = true;
        m_precompile.CheckLine(line);
        result.countedBytes = m_precompile.GetObjectSize() - size;
        result.countedInstructions = g_CompileState.InstructionCounter - counter;
        int code = 0;
        int kind = 0;
        std::string text;
        while (m_precompile.GetNextMessage(code, kind, text))
            result.messages.push_back({code, kind, text});
        return result;
    }

    // Both passes over the line.
    CLineResult Line(const std::string& line)
    {
        CLineResult result = Precompile(line);
        const int index = m_code.GetCodeInstructionIndex();
        const int offset = g_CompileState.ObjectOffset;
        m_code.SetLine(line);
        m_code.CheckAndEmitLine(1);
        result.code = m_code.TakeEmittedCode();
        result.codeInstructions = m_code.GetCodeInstructionIndex() - index;
        result.objectOffsetGrowth = g_CompileState.ObjectOffset - offset;
        return result;
    }

    // A whole program as the compile unit runs it: every line through the
    // precompile pass first, then every line through the code pass.
    std::vector<CLineResult> Program(const std::vector<std::string>& lines)
    {
        std::vector<CLineResult> results;
        for (const std::string& line : lines)
            results.push_back(Precompile(line));
        for (size_t i = 0; i < lines.size(); ++i) {
            const int index = m_code.GetCodeInstructionIndex();
            const int offset = g_CompileState.ObjectOffset;
            m_code.SetLine(lines[i]);
            m_code.CheckAndEmitLine(1);
            results[i].code = m_code.TakeEmittedCode();
            results[i].codeInstructions = m_code.GetCodeInstructionIndex() - index;
            results[i].objectOffsetGrowth = g_CompileState.ObjectOffset - offset;
        }
        return results;
    }

    // Lines in both passes; every line must pass.
    void Lines(std::initializer_list<const char*> lines)
    {
        for (const char* line : lines) {
            const CLineResult result = Line(line);
            ASSERT_TRUE(result.messages.empty()) << line << "\n" << result.Messages();
        }
    }

    // The code pass wrote what the precompile pass counted.
    static void ExpectPassesAgree(const CLineResult& result, const std::string& line)
    {
        EXPECT_EQ(result.countedBytes, int(result.code.size())) << line;
        EXPECT_EQ(result.objectOffsetGrowth, int(result.code.size())) << line;
        EXPECT_EQ(result.countedInstructions, result.codeInstructions) << line;
    }

    // A network opened in both passes and its first instruction.
    void OpenNetwork() { Lines({"__NETWORK 0", "LD %I0.0"}); }

    CILStatementChecker m_precompile;
    CILStatementChecker m_code;
};
