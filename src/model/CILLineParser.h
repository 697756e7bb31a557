#pragma once
// The small set of text rules for IL lines that the whole system shares:
// removing comments, recognising a network header and reading its number,
// and cutting text into tokens or lines. Byte-oriented: a double-byte
// character is two bytes, and its trail byte never matches "(", "*", a
// blank or a digit.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CILLineParser {
public:
    virtual ~CILLineParser() = default;

    // Every "(*" ... "*)" (the first "*)" at or after the "(*", so "(*)" is
    // complete) becomes one blank; the result is trimmed. Comments do not nest.
    std::string StripComments(const std::string& line) const;
    // "(* Network 12 *)", "(*NETWORK 3*)": TRUE and the number text.
    BOOL IsNetworkHeader(const std::string& line, std::string& number) const;
    BOOL IsDecimalDigits(const std::string& text) const;
    // Appends the blank-separated tokens (runs of blanks are one separator,
    // tabs are none); FALSE for a line that is empty after trimming.
    BOOL SplitAtBlanks(const std::string& line, std::vector<std::string>& tokens) const;
    // Appends the parts between delimiters; the rest is trimmed before each
    // search, so empty parts vanish. FALSE when the text or delimiter is empty.
    BOOL SplitAtDelimiter(const std::string& text, const std::string& delimiter,
                          std::vector<std::string>& parts) const;
};
