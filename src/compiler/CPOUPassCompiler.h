#pragma once
// The compile unit with its two passes over a work file. The precompile pass
// collects the labels of a POU program, works out the row the user sees for
// every line, expands each call of a subroutine with parameters into a fixed
// sequence of generated lines, checks every line without emitting code and
// measures the POU's object size. The code pass writes the POU's block
// header to the object file, emits every line again, replays the call
// expansions in the same order and closes the POU with its end marker.

#include "CPOUCompiler.h"
#include "model/OperandTypeFlags.h"

#include <array>
#include <string>
#include <vector>

constexpr int MAX_PRECOMPILE_LINE = 1024;
constexpr int MAX_CODE_LINE = 256;
constexpr int MAX_CALL_PARAMETERS = 16;
constexpr int MAX_EXPANDED_CALLS = 256;
constexpr int POU_HEADER_BYTES = 6;

// Kind and number bytes of a POU block header.
constexpr BYTE POU_BLOCK_MAIN = 1;
constexpr BYTE POU_BLOCK_SUBROUTINE = 2;
constexpr BYTE POU_BLOCK_INTERRUPT = 3;
constexpr BYTE POU_NUMBER_MAIN = 0xFF;

class CPOUEntry;
class CVariableEntry;

class CPOUPassCompiler : public CPOUCompiler {
public:
    CPOUPassCompiler(const std::string& sourcePath, const std::string& projectPath);

protected:
    void Precompile() override;
    void GenerateCode(const std::string& sourcePath) override;

private:
    // What a line keeps of a token once the checker moves on.
    struct LineToken {
        std::string written;
        std::string upper;
        OperandTypeFlags flags = 0;
    };
    // The actual parameters of one call consumed so far, by class.
    struct CallState {
        std::string name;
        int inputs = 0;
        int outputs = 0;
        int inOuts = 0;
        int inputsUsed = 0;
        int outputsUsed = 0;
        int inOutsUsed = 0;
        CVariableEntry* lastInput = nullptr;
        CVariableEntry* lastOutput = nullptr;
        CVariableEntry* lastInOut = nullptr;
        std::vector<std::string> copyBack;
        bool calGenerated = false;
        bool AllConsumed() const
        {
            return inputsUsed == inputs && outputsUsed == outputs && inOutsUsed == inOuts;
        }
    };

    // How the formal parameters of one class are walked.
    struct FormalWalk {
        CVariableEntry* (*first)(const std::string& label);
        CVariableEntry* (*next)(const std::string& label, CVariableEntry* from);
    };
    // The next formal of a class for an actual, counted and type-checked
    // against it (matches is false after the mismatch was reported); null
    // when the interface has no formal of the class left.
    CVariableEntry* TakeFormal(const CallState& call, const LineToken& actual, FormalWalk walk,
                               CVariableEntry*& last, int& used, const char* what, bool& matches);

    // The work copy of a program, the file itself otherwise; "" when missing.
    static std::string PreparedSource(const std::string& sourcePath);
    static BOOL ReadSourceLines(const std::string& path, std::vector<std::string>& lines);
    std::vector<LineToken> TokenizeLine(const std::string& line);
    std::string EndMarker() const;
    CPOUEntry* CurrentPOUEntry() const;

    // Precompile pass.
    void CollectLabels(const std::vector<std::string>& lines, bool programFile);
    void CheckLabelDefinition(const LineToken& name, int row);
    void PrecompileLines(const std::vector<std::string>& lines, bool programFile);
    void PrecompileCall(const std::string& line);
    void ExpandCallWithParameters(const std::vector<LineToken>& tokens, const std::string& name);
    bool ExpandActual(CallState& call, const LineToken& actual);
    bool CheckFormal(const CVariableEntry& formal, const LineToken& actual, const char* what, int number);
    void Generate(const std::string& line);
    void GenerateCall(CallState& call);
    void ReportCall(const std::string& detail);
    int ExpansionRow() const;
    // The generated lines of the current expansion row, the row added when new.
    std::array<std::string, EXPANSION_LINES>& CurrentExpansion();

    // Code pass.
    void WriteBlockHeader();
    BYTE LanguageByte(int tableEntry) const;
    void EmitLine(const std::string& line);
    void EmitCall(const std::string& line);
};
