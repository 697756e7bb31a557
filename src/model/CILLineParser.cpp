#include "CILLineParser.h"

#include "LanguageLibrary.h"
#include "platform/ByteString.h"

namespace {

bool IsLineBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string TrimLine(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsLineBlank(text[first]))
        ++first;
    while (last > first && IsLineBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string TrimLineStart(const std::string& text)
{
    size_t first = 0;
    while (first < text.size() && IsLineBlank(text[first]))
        ++first;
    return text.substr(first);
}

} // namespace

std::string CILLineParser::StripComments(const std::string& line) const
{
    std::string text = line;
    for (;;) {
        const size_t open = text.find("(*");
        if (open == std::string::npos)
            break;
        const size_t close = text.find("*)", open + 1);
        if (close == std::string::npos)
            break;
        text = text.substr(0, open) + " " + text.substr(close + 2);
    }
    return TrimLine(text);
}

BOOL CILLineParser::IsNetworkHeader(const std::string& line, std::string& number) const
{
    if (line.size() < 12)
        return FALSE;
    std::string text = TrimLine(line);
    if (text.size() < 4 || text.compare(0, 2, "(*") != 0 || text.compare(text.size() - 2, 2, "*)") != 0)
        return FALSE;
    text = TrimLine(text.substr(2, text.size() - 4));
    if (text.size() < 7 || ByteString::Upper(text.substr(0, 7)) != "NETWORK")
        return FALSE;
    text = TrimLine(text.substr(7));
    if (!IsDecimalDigits(text))
        return FALSE;
    number = text;
    return TRUE;
}

BOOL CILLineParser::IsDecimalDigits(const std::string& text) const
{
    return IsDigitString(text);
}

BOOL CILLineParser::SplitAtBlanks(const std::string& line, std::vector<std::string>& tokens) const
{
    std::string rest = TrimLine(line);
    if (rest.empty())
        return FALSE;
    for (size_t blank = rest.find(' '); blank != std::string::npos; blank = rest.find(' ')) {
        tokens.push_back(rest.substr(0, blank));
        rest = TrimLineStart(rest.substr(blank + 1));
    }
    tokens.push_back(rest);
    return TRUE;
}

BOOL CILLineParser::SplitAtDelimiter(const std::string& text, const std::string& delimiter,
                                     std::vector<std::string>& parts) const
{
    if (text.empty() || delimiter.empty())
        return FALSE;
    std::string rest = text;
    for (;;) {
        rest = TrimLine(rest);
        if (rest.empty() || rest == delimiter)
            return TRUE;
        const size_t at = rest.find(delimiter);
        if (at == std::string::npos) {
            parts.push_back(rest);
            return TRUE;
        }
        parts.push_back(rest.substr(0, at));
        rest = rest.substr(at + delimiter.size());
    }
}
