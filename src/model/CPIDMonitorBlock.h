#pragma once
// The exchange block between the PID trend display and its Modbus worker:
// the display raises the request flag, the worker answers with the result
// and the loop's register image.

#include "platform/WinTypes.h"

#include <mutex>

struct CPIDMonitorBlock {
    BYTE RequestFlag = 0;
    int LastResult = 0;
    int FunctionCode = 0;
    BYTE CommandPending = 0; // write-coil request
    BYTE LoopData[100] = {}; // 50 little-endian words of the loop's V block
    BYTE MonitorLoop = 0;    // 0..7
    BYTE Command = 0;        // coil kind 1..4
    BYTE CoilState = 0;
    // Held while the worker writes LoopData and while the display reads or clears it.
    mutable std::mutex LoopDataLock;
};
