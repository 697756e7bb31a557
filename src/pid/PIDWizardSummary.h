#pragma once
// The texts of the PID wizard that come from the loop record: the loop line
// of pages 2 to 4 and the memory summary of the last page.

#include "model/CPIDLoopConfig.h"

#include <string>
#include <vector>

constexpr int PID_WIZARD_LOOPS = 8;
constexpr int PID_DUTY_PERIOD_MIN = 1;
constexpr int PID_DUTY_PERIOD_MAX = 32000;

struct PIDSummaryText {
    int ControlId;
    std::string Text;
};

// "第 n 路PID".
std::string PIDLoopLine(int loop);

// The statics of the summary page, by control id, in the page's order.
std::vector<PIDSummaryText> BuildPIDSummary(const CPIDLoopConfig& loop, int loopNumber);
