#pragma once
// Reading the 100-byte PID table of a loop as the PLC keeps it (little-endian
// words, double words and floats), and the status texts of the trend display.

#include "platform/WinTypes.h"

#include <string>

constexpr int PID_IMAGE_BYTES = 100;

// Byte offsets within the loop's table.
constexpr int PID_IMAGE_PV_H = 0;
constexpr int PID_IMAGE_PV_L = 2;
constexpr int PID_IMAGE_XOUTP_H = 4;
constexpr int PID_IMAGE_XOUTP_L = 6;
constexpr int PID_IMAGE_CYCLE = 8;
constexpr int PID_IMAGE_PV = 12;
constexpr int PID_IMAGE_SP = 14;
constexpr int PID_IMAGE_XOUTP = 24;
constexpr int PID_IMAGE_TUNE_CONTROL = 40;
constexpr int PID_IMAGE_TUNE_STATUS = 41;
constexpr int PID_IMAGE_TUNE_RESULT = 42;
constexpr int PID_IMAGE_PVFIL = 43;
constexpr int PID_IMAGE_HYS = 44;
constexpr int PID_IMAGE_DEV = 48;
constexpr int PID_IMAGE_STEP = 52;
constexpr int PID_IMAGE_WDG = 56;
constexpr int PID_IMAGE_AT_KP = 60;
constexpr int PID_IMAGE_AT_TR = 64;
constexpr int PID_IMAGE_AT_TD = 68;
constexpr int PID_IMAGE_AT_HYS = 72;
constexpr int PID_IMAGE_AT_DEV = 76;
constexpr int PID_IMAGE_STEP_CORRECTION = 80;
constexpr int PID_IMAGE_TD = 84;
constexpr int PID_IMAGE_TR = 88;
constexpr int PID_IMAGE_KP = 92;

int PIDImageShort(const BYTE* image, int offset);
int PIDImageLong(const BYTE* image, int offset);
float PIDImageFloat(const BYTE* image, int offset);

// (value - low) / span * 100; 0 when the span is 0.
float PIDPercent(int value, int low, int span);

// The status statics of the trend display, refreshed from one table copy.
struct PIDStatusTexts {
    std::string Gains;          // 1389
    std::string PVRange;        // 1390
    std::string OutRange;       // 1391
    std::string Cycle;          // 1392
    std::string Response;       // 1393
    std::string Type;           // 1394
    std::string Deviation;      // 1395
    std::string StepStart;      // 1396
    std::string StepCorrection; // 1397
    std::string HysDev;         // 1398
    std::string Filter;         // 1399
    std::string Watchdog;       // 1400
    std::string State;          // 1401
    std::string Alarm;          // 1402
    std::string Result;         // 1403
    int PVSpan = 0;
    int OutSpan = 0;
};

PIDStatusTexts BuildPIDStatus(const BYTE* image);
