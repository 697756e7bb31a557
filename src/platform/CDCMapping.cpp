#include "CDCMapping.h"

#include "GdiTypes.h"

#include <cmath>
#include <cstdlib>

namespace {

// Logical units per inch of the fixed modes, in the order of their numbers.
struct FixedMode {
    int mode;
    double unitsPerInch;
};

constexpr FixedMode kFixedModes[] = {
    {MM_LOMETRIC, 254.0},
    {MM_HIMETRIC, 2540.0},
    {MM_LOENGLISH, 100.0},
    {MM_HIENGLISH, 1000.0},
    {MM_TWIPS, 1440.0},
};

double UnitsPerInch(int mode)
{
    for (const FixedMode& fixed : kFixedModes) {
        if (fixed.mode == mode)
            return fixed.unitsPerInch;
    }
    return 0.0;
}

int Round(double value)
{
    return static_cast<int>(std::lround(value));
}

} // namespace

void CDCMapping::SetDeviceResolution(int dpiX, int dpiY)
{
    m_dpiX = dpiX > 0 ? dpiX : 96;
    m_dpiY = dpiY > 0 ? dpiY : 96;
}

int CDCMapping::SetMapMode(int mode)
{
    const int old = m_mode;
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    m_mode = mode;
    return old;
}

CPoint CDCMapping::SetWindowOrg(int x, int y)
{
    const CPoint old = m_windowOrg;
    m_windowOrg = CPoint(x, y);
    return old;
}

CPoint CDCMapping::SetViewportOrg(int x, int y)
{
    const CPoint old = m_viewportOrg;
    m_viewportOrg = CPoint(x, y);
    return old;
}

CSize CDCMapping::SetWindowExt(int cx, int cy)
{
    const CSize old = m_windowExt;
    if (cx == 0 || cy == 0)
        return old;
    if (m_mode == MM_ISOTROPIC || m_mode == MM_ANISOTROPIC)
        m_windowExt = CSize(cx, cy);
    return old;
}

CSize CDCMapping::SetViewportExt(int cx, int cy)
{
    const CSize old = m_viewportExt;
    if (cx == 0 || cy == 0)
        return old;
    if (m_mode == MM_ISOTROPIC || m_mode == MM_ANISOTROPIC)
        m_viewportExt = CSize(cx, cy);
    return old;
}

double CDCMapping::ScaleX() const
{
    const double perInch = UnitsPerInch(m_mode);
    if (perInch > 0.0)
        return m_dpiX / perInch;
    if (m_mode == MM_ANISOTROPIC)
        return static_cast<double>(m_viewportExt.cx) / m_windowExt.cx;
    if (m_mode == MM_ISOTROPIC) {
        const double sx = static_cast<double>(m_viewportExt.cx) / m_windowExt.cx;
        const double sy = static_cast<double>(m_viewportExt.cy) / m_windowExt.cy;
        return std::fabs(sx) <= std::fabs(sy) ? sx : (sx < 0 ? -std::fabs(sy) : std::fabs(sy));
    }
    return 1.0;
}

double CDCMapping::ScaleY() const
{
    const double perInch = UnitsPerInch(m_mode);
    if (perInch > 0.0)
        return -m_dpiY / perInch;
    if (m_mode == MM_ANISOTROPIC)
        return static_cast<double>(m_viewportExt.cy) / m_windowExt.cy;
    if (m_mode == MM_ISOTROPIC) {
        const double sx = static_cast<double>(m_viewportExt.cx) / m_windowExt.cx;
        const double sy = static_cast<double>(m_viewportExt.cy) / m_windowExt.cy;
        return std::fabs(sy) <= std::fabs(sx) ? sy : (sy < 0 ? -std::fabs(sx) : std::fabs(sx));
    }
    return 1.0;
}

CPoint CDCMapping::LPtoDP(CPoint logical) const
{
    return CPoint(Round((logical.x - m_windowOrg.x) * ScaleX()) + m_viewportOrg.x,
                  Round((logical.y - m_windowOrg.y) * ScaleY()) + m_viewportOrg.y);
}

CPoint CDCMapping::DPtoLP(CPoint device) const
{
    return CPoint(Round((device.x - m_viewportOrg.x) / ScaleX()) + m_windowOrg.x,
                  Round((device.y - m_viewportOrg.y) / ScaleY()) + m_windowOrg.y);
}

CRect CDCMapping::LPtoDP(const CRect& logical) const
{
    const CPoint a = LPtoDP(logical.TopLeft());
    const CPoint b = LPtoDP(logical.BottomRight());
    CRect device(a.x, a.y, b.x, b.y);
    device.NormalizeRect();
    return device;
}

CRect CDCMapping::DPtoLP(const CRect& device) const
{
    const CPoint a = DPtoLP(device.TopLeft());
    const CPoint b = DPtoLP(device.BottomRight());
    return CRect(a.x, a.y, b.x, b.y);
}

int CDCMapping::LengthXToDP(int logical) const
{
    return Round(std::fabs(logical * ScaleX()));
}

int CDCMapping::LengthYToDP(int logical) const
{
    return Round(std::fabs(logical * ScaleY()));
}

int CDCMapping::LengthXToLP(int device) const
{
    return Round(std::fabs(device / ScaleX()));
}

int CDCMapping::LengthYToLP(int device) const
{
    return Round(std::fabs(device / ScaleY()));
}
