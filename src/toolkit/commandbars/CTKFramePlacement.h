#pragma once
// The main frame's window placement, written into the profile when the
// frame closes (section "Settings", value "Window Position", 48 bytes).
// The minimised and maximised positions are not known here and stay 0.

#include "platform/WinTypes.h"

#include <vector>

class CWnd;
class CTKProfileRegistry;

constexpr int kTKPlacementBytes = 48;

class CTKFramePlacement {
public:
    CTKFramePlacement();
    virtual ~CTKFramePlacement() = default;

    // FALSE (nothing written) for a frame without a window; else TRUE,
    // whether the profile took the value or not. Without a value name a
    // minimised frame is stored as shown normally.
    BOOL SaveWindowPlacement(CWnd* frame, const char* valueName, const CTKProfileRegistry& profile);

    // The stored value of the placement read last.
    std::vector<BYTE> PlacementBytes() const;
    UINT GetShowCmd() const { return m_showCmd; }

private:
    BOOL ReadPlacement(CWnd* frame);

    UINT m_length = kTKPlacementBytes;
    UINT m_flags = 0;
    UINT m_showCmd = 0;
    LONG m_minPosition[2] = {};
    LONG m_maxPosition[2] = {};
    LONG m_normalPosition[4] = {};
};
