#pragma once
// A serial line between the link and the PLC simulator that passes frames
// only while the link's side is set to one baud rate and parity, as a real
// PLC answers only at its own settings. The link opens SlavePath().

#include "support/CPseudoTerminal.h"

#include <atomic>
#include <string>
#include <termios.h>
#include <thread>

class CLineGate {
public:
    // A rate the driver knows by constant; parity: 0 none, 1 odd, 2 even.
    CLineGate(const std::string& plcDevice, int baudRate, int parity);
    ~CLineGate();
    CLineGate(const CLineGate&) = delete;
    CLineGate& operator=(const CLineGate&) = delete;

    bool Start();
    const std::string& SlavePath() const { return m_pty.SlavePath(); }

private:
    void Run();
    bool LineMatches() const;

    std::string m_plcDevice;
    speed_t m_speed;
    int m_parity;
    CPseudoTerminal m_pty;
    int m_plc = -1;
    std::atomic<bool> m_stop {false};
    std::thread m_thread;
};
