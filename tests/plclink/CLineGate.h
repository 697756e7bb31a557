#pragma once
// A serial line between the link and the PLC simulator that passes frames
// only while the link's side is set to one baud rate and parity, as a real
// PLC answers only at its own settings. The link opens SlavePath().

#include <atomic>
#include <string>
#include <termios.h>
#include <thread>

class CLineGate {
public:
    // parity: 0 none, 1 odd, 2 even.
    CLineGate(const std::string& plcDevice, int baudRate, int parity);
    ~CLineGate();
    CLineGate(const CLineGate&) = delete;
    CLineGate& operator=(const CLineGate&) = delete;

    bool Start();
    const std::string& SlavePath() const { return m_slavePath; }

private:
    void Run();
    bool LineMatches() const;

    std::string m_plcDevice;
    speed_t m_speed;
    int m_parity;
    int m_master = -1;
    int m_slave = -1;
    int m_plc = -1;
    std::string m_slavePath;
    std::atomic<bool> m_stop {false};
    std::thread m_thread;
};
