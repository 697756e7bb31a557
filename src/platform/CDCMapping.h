#pragma once
// Logical to device coordinates of a device context: the mapping mode with
// its window and viewport origins and extents. The fixed metric and English
// modes count y upwards; text mode is one logical unit per device pixel.

#include "WinTypes.h"

class CDCMapping {
public:
    // Resolution of the device, used by the fixed modes.
    void SetDeviceResolution(int dpiX, int dpiY);

    int SetMapMode(int mode);
    int GetMapMode() const { return m_mode; }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetViewportOrg(int x, int y);
    // Extents count only in the isotropic and anisotropic modes.
    CSize SetWindowExt(int cx, int cy);
    CSize SetViewportExt(int cx, int cy);
    CPoint GetWindowOrg() const { return m_windowOrg; }
    CPoint GetViewportOrg() const { return m_viewportOrg; }
    CSize GetWindowExt() const { return m_windowExt; }
    CSize GetViewportExt() const { return m_viewportExt; }

    CPoint LPtoDP(CPoint logical) const;
    CPoint DPtoLP(CPoint device) const;
    // A rectangle in device units, normalised so that left <= right and top <= bottom.
    CRect LPtoDP(const CRect& logical) const;
    CRect DPtoLP(const CRect& device) const;
    // Lengths (font heights, pen widths) without sign.
    int LengthXToDP(int logical) const;
    int LengthYToDP(int logical) const;
    int LengthXToLP(int device) const;
    int LengthYToLP(int device) const;

    // Device units per logical unit on each axis (negative when the axis flips).
    double ScaleX() const;
    double ScaleY() const;

private:
    int m_mode = 1;
    int m_dpiX = 96;
    int m_dpiY = 96;
    CPoint m_windowOrg;
    CPoint m_viewportOrg;
    CSize m_windowExt {1, 1};
    CSize m_viewportExt {1, 1};
};
