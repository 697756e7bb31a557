#include "shell/OutputLineRules.h"

#include "model/CZULProject.h"
#include "model/LanguageLibrary.h"
#include "platform/ByteString.h"

#include <iterator>

namespace {

constexpr const char* kInitialDataWord = "Initial Data";
constexpr size_t kInitialDataWordLength = 12;
// A row or column number has at most this many digits, so it fits an int.
constexpr size_t kMaxDigits = 9;
constexpr size_t kTimeTextSize = 32;

const char* const kStatusTexts[] = {
    "Error:  Download aborted due to compile errors.",
    "Note:  Download completed successfully.",
    "Error:  Unable to monitor. The current project is different from that in the PLC.",
    "Error:  Unable to monitor due to compile errors.",
};

// The decimal number after the word, blanks before it skipped: the compiler
// writes the row both as "Row%3d" and as "Row %3d".
BOOL NumberAfter(const std::string& text, size_t at, int& number)
{
    while (at < text.size() && text[at] == ' ')
        ++at;
    size_t used = 0;
    number = 0;
    while (at + used < text.size() && used < kMaxDigits && text[at + used] >= '0' && text[at + used] <= '9')
        number = number * 10 + (text[at + used++] - '0');
    return used > 0;
}

COutputLineTarget RouteCompileLine(const CZULProject& project, const std::string& line)
{
    COutputLineTarget target;
    if (ParseInitialDataLine(line, target.row, target.column)) {
        target.kind = COutputLineTarget::InitialDataCell;
        return target;
    }
    const auto isPOU = [&project](const std::string& name) { return project.IsPOUName(name) != 0; };
    if (!ParseMessagePosition(line, target.pouName, target.row, isPOU))
        return {};
    target.kind = COutputLineTarget::MessagePosition;
    return target;
}

COutputLineTarget RouteFindLine(const std::string& line)
{
    COutputLineTarget target;
    int network = 0;
    int row = 0;
    int column = 0;
    FindReportElement element;
    if (!ParseFindReportLine(line, target.programKind, target.pouName, network, row, column, target.resultIndex,
                             element))
        return {};
    target.kind = COutputLineTarget::FindResult;
    const bool il = target.programKind == FIND_REPORT_IL;
    target.row = il ? row : network;
    target.column = il ? column : element.column;
    return target;
}

} // namespace

BOOL ParseInitialDataLine(const std::string& line, int& row, int& column)
{
    const std::string text = ByteString::TrimLeft(line);
    if (text.compare(0, kInitialDataWordLength, kInitialDataWord) != 0)
        return FALSE;
    const size_t rowAt = text.find("Row");
    if (rowAt == std::string::npos || !NumberAfter(text, rowAt + 3, row))
        return FALSE;
    const size_t colAt = text.find("Col", rowAt);
    return colAt != std::string::npos && NumberAfter(text, colAt + 3, column);
}

COutputLineTarget RouteOutputLine(const CZULProject& project, unsigned list, const std::string& line)
{
    if (list == OUTPUT_LIST_COMPILE)
        return RouteCompileLine(project, line);
    if (list == OUTPUT_LIST_FINDREPLACE)
        return RouteFindLine(line);
    return {};
}

std::string StatusMessageText(int code)
{
    if (code < 1 || code > static_cast<int>(std::size(kStatusTexts)))
        return {};
    return kStatusTexts[code - 1];
}

BOOL FormatStatusLine(int category, int code, const std::tm& localTime, const std::string& plcInfo,
                      std::string& line)
{
    const std::string text = StatusMessageText(code);
    if (category != 0 || text.empty())
        return FALSE;
    char time[kTimeTextSize] = {};
    std::strftime(time, sizeof(time), "%H:%M:%S   ", &localTime);
    line = time + text + "  " + plcInfo;
    return TRUE;
}
