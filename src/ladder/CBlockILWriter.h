#pragma once
// The IL statements of one box: the call of its function, subroutine or FB
// instance with the box's operands. The current result in front of the box
// is its EN (or the FB's first input); the result it leaves is its ENO (or
// the FB's first output), so a chain of boxes is its texts joined.

#include <string>

class CBlock;

class CBlockILWriter {
public:
    virtual ~CBlockILWriter() = default;

    // The box's lines, each ending with CR LF, in the form its catalogue group chooses.
    std::string WriteBlock(const CBlock& block) const;

    std::string WriteCallForm(const CBlock& block) const;
    std::string WriteCounterTimerForm(const CBlock& block) const;
    std::string WriteArithmeticForm(const CBlock& block) const;
    std::string WriteReorderedForm(const CBlock& block) const;
    std::string WriteShiftForm(const CBlock& block) const;
    std::string WriteInterruptForm(const CBlock& block) const;

private:
    // Whether the operand holds a REAL and nothing else: a local variable,
    // a global symbol or a direct address, by its resolved type.
    static bool IsRealOperand(const CBlock& block, const std::string& operand);
};
