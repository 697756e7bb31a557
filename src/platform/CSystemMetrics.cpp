#include "CSystemMetrics.h"

#include "CFont.h"

#include <strings.h>

namespace {

struct SysColorEntry {
    int index;
    COLORREF color;
};

// The fixed colour table, in index order.
constexpr SysColorEntry kSysColors[] = {
    {COLOR_SCROLLBAR, RGB(212, 208, 200)},
    {COLOR_BACKGROUND, RGB(58, 110, 165)},
    {COLOR_ACTIVECAPTION, RGB(10, 36, 106)},
    {COLOR_INACTIVECAPTION, RGB(128, 128, 128)},
    {COLOR_MENU, RGB(212, 208, 200)},
    {COLOR_WINDOW, RGB(255, 255, 255)},
    {COLOR_WINDOWFRAME, RGB(0, 0, 0)},
    {COLOR_MENUTEXT, RGB(0, 0, 0)},
    {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
    {COLOR_ACTIVEBORDER, RGB(212, 208, 200)},
    {COLOR_INACTIVEBORDER, RGB(212, 208, 200)},
    {COLOR_APPWORKSPACE, RGB(128, 128, 128)},
    {COLOR_HIGHLIGHT, RGB(10, 36, 106)},
    {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(212, 208, 200)},
    {COLOR_BTNSHADOW, RGB(128, 128, 128)},
    {COLOR_GRAYTEXT, RGB(128, 128, 128)},
    {COLOR_BTNTEXT, RGB(0, 0, 0)},
    {COLOR_INACTIVECAPTIONTEXT, RGB(212, 208, 200)},
    {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
    {COLOR_3DDKSHADOW, RGB(64, 64, 64)},
    {COLOR_3DLIGHT, RGB(212, 208, 200)},
    {COLOR_INFOTEXT, RGB(0, 0, 0)},
    {COLOR_INFOBK, RGB(255, 255, 225)},
    {25, RGB(181, 181, 181)},
    {COLOR_HOTLIGHT, RGB(0, 0, 128)},
    {COLOR_GRADIENTACTIVECAPTION, RGB(166, 202, 240)},
    {COLOR_GRADIENTINACTIVECAPTION, RGB(192, 192, 192)},
    {COLOR_MENUHILIGHT, RGB(49, 106, 197)},
    {COLOR_MENUBAR, RGB(212, 208, 200)},
};

struct MetricEntry {
    int index;
    int value;
};

// The fixed metrics of a 1280 by 1024 desktop with a 30-pixel task bar.
constexpr MetricEntry kMetrics[] = {
    {SM_CXSCREEN, 1280},
    {SM_CYSCREEN, 1024},
    {SM_CXVSCROLL, 17},
    {SM_CYHSCROLL, 17},
    {SM_CYCAPTION, 19},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},
    {SM_CYVTHUMB, 17},
    {SM_CXHTHUMB, 17},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, 19},
    {SM_CXFULLSCREEN, 1280},
    {SM_CYFULLSCREEN, 975},
    {SM_CYVSCROLL, 17},
    {SM_CXHSCROLL, 17},
    {SM_SWAPBUTTON, 0},
    {SM_CXFRAME, 4},
    {SM_CYFRAME, 4},
    {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4},
    {SM_CMOUSEBUTTONS, 3},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 15},
    {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},
    {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13},
};

constexpr LONG STOCK_FONT_HEIGHT = -12;
const char* const FIXED_FACE = "DejaVu Sans Mono";

LOGFONT DefaultFont(LONG height, LONG weight = FW_NORMAL)
{
    LOGFONT font;
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = GB2312_CHARSET;
    CFont::SetFaceName(font, CSystemMetrics::DefaultFace());
    return font;
}

} // namespace

LOGFONT CSystemMetrics::GetFixedFont() const
{
    LOGFONT font = DefaultFont(STOCK_FONT_HEIGHT);
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    CFont::SetFaceName(font, FIXED_FACE);
    return font;
}

LOGFONT CSystemMetrics::GetGuiFont() const
{
    LOGFONT font = DefaultFont(STOCK_FONT_HEIGHT);
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    return font;
}

CSystemMetrics& CSystemMetrics::Instance()
{
    static CSystemMetrics metrics;
    return metrics;
}

CSystemMetrics::CSystemMetrics()
{
    Reset();
}

void CSystemMetrics::Reset()
{
    for (const SysColorEntry& entry : kSysColors)
        m_colors[entry.index] = entry.color;
    for (int& value : m_metrics)
        value = 0;
    for (const MetricEntry& entry : kMetrics)
        m_metrics[entry.index] = entry.value;
    m_menuFont = DefaultFont(-12);
    m_iconTitleFont = DefaultFont(-12);
    m_statusFont = DefaultFont(-12);
    m_smallCaptionFont = DefaultFont(-11, FW_BOLD);
    m_families = {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif"};
    m_workArea = CRect(0, 0, 1280, 994);
    m_bitsPerPixel = 32;
    m_dropShadow = TRUE;
}

COLORREF CSystemMetrics::GetSysColor(int index) const
{
    if (index < 0 || index >= kSysColorCount)
        return 0;
    return m_colors[index];
}

void CSystemMetrics::SetSysColor(int index, COLORREF color)
{
    if (index < 0 || index >= kSysColorCount)
        return;
    m_colors[index] = color;
}

int CSystemMetrics::GetMetric(int index) const
{
    if (index < 0 || index >= kSystemMetricCount)
        return 0;
    return m_metrics[index];
}

void CSystemMetrics::SetMetric(int index, int value)
{
    if (index < 0 || index >= kSystemMetricCount)
        return;
    m_metrics[index] = value;
}

BOOL CSystemMetrics::FontExists(const std::string& face) const
{
    for (const std::string& family : m_families) {
        if (strcasecmp(family.c_str(), face.c_str()) == 0)
            return TRUE;
    }
    return FALSE;
}

COLORREF GetSysColor(int index)
{
    return CSystemMetrics::Instance().GetSysColor(index);
}

int GetSystemMetrics(int index)
{
    return CSystemMetrics::Instance().GetMetric(index);
}
