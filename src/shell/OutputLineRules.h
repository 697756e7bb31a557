#pragma once
// The Output pane's rules that need no window: where a double-clicked line
// leads (a cell of the initial-data table, a compiler message's POU row or
// network, a find hit) and the texts of the time-stamped status lines.

#include "platform/WinTypes.h"

#include <ctime>
#include <string>

class CZULProject;

// The three lists of the Output pane.
constexpr unsigned OUTPUT_LIST_COMMON = 0;
constexpr unsigned OUTPUT_LIST_COMPILE = 1;
constexpr unsigned OUTPUT_LIST_FINDREPLACE = 2;
constexpr unsigned OUTPUT_LIST_COUNT = 3;

// What a double-click on a line does.
struct COutputLineTarget {
    enum Kind { None, InitialDataCell, MessagePosition, FindResult };
    Kind kind = None;
    int row = 0;          // initial-data row (from 1), IL row or LD network
    int column = 0;       // initial-data column (from 1), IL column or LD element column
    int resultIndex = 0;  // the hit's index in the find-result table
    int programKind = 0;  // find hits: 1 IL, 2 LD
    std::string pouName;
};

// "Initial Data, Row  4, Col  2:  ..." (leading blanks allowed): the cell; FALSE for any other text.
BOOL ParseInitialDataLine(const std::string& line, int& row, int& column);

// The target of a line of the list; the project tells POU names apart.
COutputLineTarget RouteOutputLine(const CZULProject& project, unsigned list, const std::string& line);

// The text of a status code (1 to 4); "" for any other code.
std::string StatusMessageText(int code);
// The Common line of a status code: local time "%H:%M:%S   ", the code's
// text, two blanks and the connected PLC; FALSE (nothing to write) for an
// unknown code or a category other than 0.
BOOL FormatStatusLine(int category, int code, const std::tm& localTime, const std::string& plcInfo,
                      std::string& line);
