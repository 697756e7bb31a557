#pragma once
// What the station search tells the Communications dialog, from its worker
// thread: the dialog turns each call into a queued call on its own thread.

#include "platform/WinTypes.h"

#include <string>

// Told from the worker thread.
class IStationSearchObserver {
public:
    virtual ~IStationSearchObserver() = default;
    virtual void OnSearchStatus(const std::string& text) = 0;
    virtual void OnSearchControlsEnabled(BOOL enable) = 0;
    // The port is closed and its settings final: 1 found, -1 not.
    virtual void OnSearchFinished(int result) = 0;
};
