#pragma once
// The station search of the Communications dialog: on a worker thread it
// tries every station address, baud rate and parity with the probe command
// until a PLC answers. The worker never touches windows: it tells an
// observer, whose calls the dialog turns into queued calls on its own
// thread. A successful search leaves the settings found in the global port;
// a failed or stopped one puts the settings back that the port had before.

#include "IStationSearchObserver.h"
#include "platform/WinTypes.h"

#include <atomic>
#include <string>
#include <thread>

class CPlcCommPort;

class CStationSearch {
public:
    static constexpr int FirstStation = 1;
    static constexpr int LastStation = 31;

    explicit CStationSearch(IStationSearchObserver& observer);
    // Stops and joins a search that still runs.
    ~CStationSearch();
    CStationSearch(const CStationSearch&) = delete;
    CStationSearch& operator=(const CStationSearch&) = delete;

    // Opens the port without line settings and starts the worker; FALSE
    // (status "Failed to initialize the port.", port closed) when it does not
    // open or a search still runs.
    BOOL Start(const std::string& portName);
    // The Stop button: the worker ends before its next combination.
    void RequestStop();
    // Waits for the worker's end.
    void Join();
    BOOL IsRunning() const;

private:
    int SearchPlcThread();
    int Finish(BOOL found, const CPlcCommPort& kept);

    IStationSearchObserver& m_observer;
    std::string m_portName;
    std::atomic<int> m_stop {0};
    std::atomic<bool> m_running {false};
    std::thread m_thread;
};
