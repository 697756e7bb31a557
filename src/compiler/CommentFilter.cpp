#include "CommentFilter.h"

#include "CCompileState.h"
#include "model/LanguageLibrary.h"
#include "platform/ByteString.h"

namespace {

const char kNetworkWord[] = "NETWORK";
const char kHeaderEnd[] = "*)";

// The header comment at the start of the line turned into "__NETWORK n rest";
// false, and the line untouched, when the line opens with no header.
bool ConvertNetworkHeader(std::string& line, const std::string& opening)
{
    std::string upper = ByteString::Upper(line);
    if (opening.empty() || !ByteString::StartsWith(upper, opening))
        return false;
    upper = ByteString::TrimLeft(upper.substr(opening.size()));
    if (!ByteString::StartsWith(upper, kNetworkWord))
        return false;
    upper = ByteString::TrimLeft(upper.substr(sizeof kNetworkWord - 1));
    int end = ByteString::Find(upper, kHeaderEnd);
    if (end < 1)
        return false;
    const int blank = ByteString::Find(upper, ' ');
    if (blank > 0 && blank < end)
        end = blank;
    const std::string number = upper.substr(0, size_t(end));
    if (!IsDigitString(number))
        return false;
    upper = ByteString::TrimLeft(upper.substr(size_t(end)));
    if (!ByteString::StartsWith(upper, kHeaderEnd))
        return false;
    line = "__NETWORK " + number + " " + upper.substr(sizeof kHeaderEnd - 1);
    return true;
}

void Blank(std::string& line, size_t first, size_t end)
{
    for (size_t i = first; i < end && i < line.size(); ++i)
        line[i] = ' ';
}

} // namespace

bool FilterCommentsAndNetworkHeader(std::string& line, bool commentOpen, const std::string& opening,
                                    const std::string& closing)
{
    line = ByteString::TrimLeft(line);
    if (g_CompileState.IsProgramFile())
        ConvertNetworkHeader(line, opening);

    if (commentOpen) {
        const int close = ByteString::Find(line, closing);
        if (close < 0) {
            line.clear();
            return true;
        }
        Blank(line, 0, size_t(close) + closing.size());
        line = ByteString::Trim(line);
        return false;
    }

    const int open = opening.empty() ? -1 : ByteString::Find(line, opening);
    if (open < 0) {
        line = ByteString::Trim(line);
        return false;
    }
    const int close = ByteString::Find(line, closing, open);
    if (close < 0 || size_t(close) < size_t(open) + opening.size()) {
        Blank(line, size_t(open), line.size());
        line = ByteString::Trim(line);
        return true;
    }
    Blank(line, size_t(open), size_t(close) + closing.size());
    line = ByteString::Trim(line);
    return FilterCommentsAndNetworkHeader(line, false, opening, closing);
}
