#pragma once
// Hands work to the user-interface thread: worker threads (the monitor,
// the station search, the PID Modbus exchange) never touch windows
// themselves, they post a call that runs later on that thread.

#include <functional>

class IUiPoster {
public:
    virtual ~IUiPoster() = default;
    // Queues the call; it runs on the user-interface thread after the caller returns.
    virtual void Post(std::function<void()> call) = 0;
};
