#pragma once
// The IL line rules of the IL-to-LD conversion: those every IL reader shares,
// plus token splitting that supplies the missing operand of a bare load, the
// mnemonic of a line and the test for the coil-class instructions that end a
// rung.

#include "model/CILLineParser.h"

#include <string>
#include <vector>

class CLDContext;

class CILLineScanner : public CILLineParser {
public:
    // The catalogue that tells the coil instructions.
    explicit CILLineScanner(const CLDContext& context);

    BOOL IsAllDigits(const std::string& text) const { return IsDecimalDigits(text); }
    // Blank-separated tokens; a line ending in the token "LD" or "LDN" (as
    // written) gets "????" as its operand. FALSE for an empty line.
    BOOL SplitTokens(const std::string& line, std::vector<std::string>& tokens) const;
    // Commas count as blanks; the text before the first blank.
    std::string GetMnemonic(const std::string& line) const;
    // A label ("name:"), ST, STN, STI, or X where "-(X)" is a coil of the catalogue.
    BOOL IsCoilLine(const std::string& mnemonic) const;

private:
    const CLDContext& m_context;
};
