#pragma once
// What the PLC Information dialog shows of an identification reply and of
// the PLC's run state, and the Refresh exchange that reads both again.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

struct PlcInfoModuleRow {
    std::string position;
    std::string module;
    std::string failure;
};

struct PlcInfoView {
    std::string project;    // edition and generation, " Plus, V1.1" or " Unknown"
    std::string mode;       // " RUN" or " STOP"
    BOOL running = FALSE;   // the lamp: green in RUN, red in STOP
    std::string cpuType;
    std::string firmware;
    std::vector<PlcInfoModuleRow> modules;  // the CPU first
};

// Fills the view from the n data bytes of an identification reply; FALSE
// when they are not a readable identification.
BOOL BuildPlcInfoView(const BYTE* data, int n, int runState, PlcInfoView& view);
// The same from the last reply in the port's receive buffer and the run
// state kept in the application data.
BOOL BuildPlcInfoView(PlcInfoView& view);

// Reads the run state and the identification again on the open port under
// the port lock (wait 1500 ms); failures are reported, the code returned
// (-1 for a busy port).
int RefreshPlcInfo();
