#pragma once
// A raw, non-blocking pseudo-terminal: a test or the simulated PLC drives
// the master side, the port under test opens SlavePath(). The slave side
// stays open as long as this lives, so the master stays readable while no
// port has it open; while it is open the device guard lets tests open it.

#include <string>
#include <sys/types.h>

class CPseudoTerminal {
public:
    CPseudoTerminal() = default;
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    // FALSE when no pseudo-terminal could be had; nothing stays open then.
    bool Open();
    void Close();
    bool IsOpen() const { return m_master >= 0; }
    int MasterFd() const { return m_master; }
    int SlaveFd() const { return m_slave; }
    const std::string& SlavePath() const { return m_slavePath; }

    // No echo, no line editing, no character translation.
    static void MakeRaw(int fd);

private:
    int m_master = -1;
    int m_slave = -1;
    dev_t m_device = 0;  // the slave side's device number; 0 while closed
    std::string m_slavePath;
};
