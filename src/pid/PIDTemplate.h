#pragma once
// The program of a generated PID subroutine: 25 networks in 120 IL lines,
// the same for every project but for loop n's fixed memory and the values
// of its loop record. A network comment of several lines is one entry, its
// lines joined by the byte 0x01 as the ladder storage keeps them.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CZULAppData;
struct CPIDLoopConfig;

constexpr int PID_TEMPLATE_LINES = 120;
constexpr char PID_COMMENT_LINE_BREAK = '\x01';

// Appends the lines of loop n (0 to 7) made from the record; FALSE and
// nothing appended for any other n.
BOOL BuildPIDLoopIL(int loop, const CPIDLoopConfig& config, std::vector<std::string>& lines);

// One builder per loop, each reading its loop record of the application data.
void BuildPIDLoopIL0(const CZULAppData& app, std::vector<std::string>& lines);
void BuildPIDLoopIL1(const CZULAppData& app, std::vector<std::string>& lines);
void BuildPIDLoopIL2(const CZULAppData& app, std::vector<std::string>& lines);
void BuildPIDLoopIL3(const CZULAppData& app, std::vector<std::string>& lines);
void BuildPIDLoopIL4(const CZULAppData& app, std::vector<std::string>& lines);
void BuildPIDLoopIL5(const CZULAppData& app, std::vector<std::string>& lines);
void BuildPIDLoopIL6(const CZULAppData& app, std::vector<std::string>& lines);
void BuildPIDLoopIL7(const CZULAppData& app, std::vector<std::string>& lines);

// The builder of the current loop; the list stays empty when the current
// loop is not 0 to 7 (FALSE).
BOOL BuildCurrentPIDLoopIL(const CZULAppData& app, std::vector<std::string>& lines);
