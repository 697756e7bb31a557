#pragma once
// Makes the box that an IL statement calls when IL text becomes ladder
// networks: the call forms of functions, FB instances and subroutines, and
// the multi-line forms one box writes (MOVE before an arithmetic or shift
// statement, the negation sequences of SUB, the current-value sequence of
// counters and timers). It tells how many following lines the box used.

#include "CILLineScanner.h"

#include <memory>
#include <string>
#include <vector>

class CBlock;
class CLDContext;

// Results of BuildBlock.
constexpr int IL_BLOCK_FAILED = 0;      // the name is unknown: no box
constexpr int IL_BLOCK_BUILT = 1;       // the box and the count of lines it used
constexpr int IL_BLOCK_KEEP_AS_IL = 2;  // a box would lose operands: keep the network as IL

class CILBlockBuilder {
public:
    // One statement: the network's prepared lines (comments removed, commas
    // blanked), the current line and the last line of the range, the current
    // line's tokens (token 0 is upper-cased here).
    struct Statement {
        const std::vector<std::string>* lines = nullptr;
        int line = 0;
        int lastLine = 0;
        std::vector<std::string>* tokens = nullptr;
    };

    // The catalogue and the project's subroutines the boxes are made from.
    explicit CILBlockBuilder(const CLDContext& context);
    virtual ~CILBlockBuilder() = default;

    // IL_BLOCK_BUILT with the box and in consumed the lines after the current
    // one that belong to it (0 to 3); otherwise no box.
    int BuildBlock(const std::vector<std::string>& lines, int line, int lastLine, std::vector<std::string>& tokens,
                   std::unique_ptr<CBlock>& block, int& consumed);

    int BuildCallBlock(const Statement& statement, int kind, std::unique_ptr<CBlock>& block, int& consumed);
    int BuildReorderedBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed);
    int BuildArithmeticBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed);
    int BuildShiftBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed);
    int BuildMoveBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed);
    int BuildCounterBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed);
    int BuildTimerBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed);
    int BuildInterruptBlock(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed);

    // MUL -1.0 X followed by ADD Y X.
    BOOL IsRealSubPattern(const Statement& statement);
    int BuildRealSub(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed);
    // NOT X, INC X, ADD Y X.
    BOOL IsIntegerSubPattern(const Statement& statement);
    int BuildIntegerSub(const Statement& statement, std::unique_ptr<CBlock>& block, int& consumed);

private:
    // The tokens of a following line, its token 0 upper-cased; empty past the range.
    std::vector<std::string> LineTokens(const Statement& statement, int offset) const;

    const CLDContext& m_context;
    CILLineScanner m_scanner;
};
