#pragma once
// The auto-tune control byte of a PID loop and the parameter table that the
// auto-tune wizard shows before it generates the loop's subroutine.
// Control byte: bits 7-6 response (fast, medium, slow, very slow), bits 5-4
// PID type (PID, PI, PD, P), bit 3 automatic deviation, bit 2 automatic
// hysteresis, bits 1-0 reserved.

#include "model/CPIDLoopConfig.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

constexpr int TUNE_CHOICES = 4;

// Radio indexes of the response type and of the PID type.
constexpr int TUNE_RESPONSE_FAST = 0;
constexpr int TUNE_RESPONSE_MEDIUM = 1;
constexpr int TUNE_RESPONSE_SLOW = 2;
constexpr int TUNE_RESPONSE_VERY_SLOW = 3;
constexpr int TUNE_TYPE_PID = 0;
constexpr int TUNE_TYPE_PI = 1;
constexpr int TUNE_TYPE_PD = 2;
constexpr int TUNE_TYPE_P = 3;

// The states of the first auto-tune page: one radio per choice and the
// "automatic deviation and hysteresis" check box.
struct TuneControlPage {
    BOOL Response[TUNE_CHOICES] = {};
    BOOL Type[TUNE_CHOICES] = {};
    BOOL AutoDeviation = FALSE;
};

// The page states that show a control byte.
TuneControlPage DecodeTuneControl(BYTE control);

// The control byte of the page states; the reserved bits come from working.
// A group with no or several radios checked takes its default (slow, PID).
BYTE PackAutoTuneControlByte(const TuneControlPage& page, BYTE working);

struct AutoTuneTableRow {
    std::string Label;
    std::string Address;
    std::string Direction;
    std::string Value; // empty for the PLC's outputs
};

// The fourteen rows of the auto-tune parameter table of a loop.
std::vector<AutoTuneTableRow> BuildAutoTuneTable(const CPIDLoopConfig& loop);

// "b#2#" and the eight binary digits, most significant first.
std::string TuneControlBinaryText(BYTE control);
