#pragma once
// The main frame's output service as Qt-free code sees it: lines for the
// three lists of the Output pane (0 "Common", 1 "Compile", 2 "FindReplace")
// and the time-stamped status lines of the PLC commands.

#include "WinTypes.h"

#include <string>

class IOutputSink {
public:
    virtual ~IOutputSink() = default;
    // Appends a line to list 0, 1 or 2; any other list returns FALSE and does nothing.
    virtual BOOL AppendOutputLine(unsigned list, const std::string& text) = 0;
    // Deletes every row of a list (Compile All empties the Compile list first).
    virtual void ClearOutputList(unsigned list) = 0;
    // Writes the time-stamped line of a status code into the Common list.
    virtual void LogStatusMessage(int category, int code, int reserved) = 0;
};
