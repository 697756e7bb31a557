#pragma once
// An accelerator table: key combinations that stand for command ids.

#include "platform/ui/WinMessages.h"

#include <vector>

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt = FVIRTKEY;
    WORD key = 0;
    WORD cmd = 0;
};

class CAcceleratorTable {
public:
    CAcceleratorTable() = default;
    explicit CAcceleratorTable(std::vector<ACCEL> entries) : m_entries(std::move(entries)) {}

    void Add(const ACCEL& accel) { m_entries.push_back(accel); }
    const std::vector<ACCEL>& GetEntries() const { return m_entries; }
    BOOL IsEmpty() const { return m_entries.empty(); }

    // The command of a key-down message (WM_KEYDOWN or WM_SYSKEYDOWN, whose
    // Alt state is bit 29 of lParam) with Shift and Ctrl as given; 0 when
    // no entry matches. The first matching entry wins.
    WORD FindCommand(const MSG& msg, BOOL shift, BOOL control) const;

private:
    std::vector<ACCEL> m_entries;
};
