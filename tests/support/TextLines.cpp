#include "support/TextLines.h"

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    if (from < text.size())
        lines.push_back(text.substr(from));
    return lines;
}
