#pragma once
// The one place that answers for the desktop: system colours, system
// metrics, the interface fonts and what the window system can do. The values
// are fixed (DejaVu Sans, one colour table, scroll bars 17, edges 2, small
// icons 16) so that layouts come out the same on every machine; tests
// override single values and put the defaults back with Reset.

#include "GdiTypes.h"

#include <string>
#include <vector>

// System colour indices.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_DESKTOP = COLOR_BACKGROUND;
constexpr int kSysColorCount = 31;

// System metric indices.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_SWAPBUTTON = 23;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CMOUSEBUTTONS = 43;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;
constexpr int kSystemMetricCount = 100;

class CSystemMetrics {
public:
    static CSystemMetrics& Instance();

    // Back to the fixed defaults.
    void Reset();

    // 0 for an index outside the table.
    COLORREF GetSysColor(int index) const;
    void SetSysColor(int index, COLORREF color);
    // 0 for an unknown index.
    int GetMetric(int index) const;
    void SetMetric(int index, int value);

    // The menu font (also the message and status font) and the icon-title font.
    LOGFONT GetMenuFont() const { return m_menuFont; }
    void SetMenuFont(const LOGFONT& font) { m_menuFont = font; }
    LOGFONT GetIconTitleFont() const { return m_iconTitleFont; }
    void SetIconTitleFont(const LOGFONT& font) { m_iconTitleFont = font; }
    // The status bar's font and the font of small (tool window) captions.
    LOGFONT GetStatusFont() const { return m_statusFont; }
    void SetStatusFont(const LOGFONT& font) { m_statusFont = font; }
    LOGFONT GetSmallCaptionFont() const { return m_smallCaptionFont; }
    void SetSmallCaptionFont(const LOGFONT& font) { m_smallCaptionFont = font; }
    // The two stock fonts: fixed pitch, and the font of dialogs and controls.
    LOGFONT GetFixedFont() const;
    LOGFONT GetGuiFont() const;
    // The face used where a font record names none.
    static const char* DefaultFace() { return "DejaVu Sans"; }

    // Font families that count as installed (compared without regard to case).
    BOOL FontExists(const std::string& face) const;
    void SetFontFamilies(const std::vector<std::string>& families) { m_families = families; }

    // The desktop work area, without task bars.
    CRect GetWorkArea() const { return m_workArea; }
    void SetWorkArea(const CRect& area) { m_workArea = area; }
    int GetBitsPerPixel() const { return m_bitsPerPixel; }
    void SetBitsPerPixel(int bits) { m_bitsPerPixel = bits; }

    // What the window system offers: no visual styles, no gradient fill (the
    // banding path), alpha blending, translucent windows and drop shadows,
    // silent sounds.
    BOOL IsAppThemed() const { return FALSE; }
    BOOL HasGradientFill() const { return FALSE; }
    BOOL HasAlphaBlend() const { return TRUE; }
    BOOL HasLayeredWindows() const { return TRUE; }
    BOOL GetDropShadow() const { return m_dropShadow; }
    void SetDropShadow(BOOL on) { m_dropShadow = on; }
    BOOL SoundsEnabled() const { return FALSE; }
    // The common-controls version as (major << 16) | minor: 5.82, the one without visual styles.
    DWORD GetComCtlVersion() const { return (5u << 16) | 82u; }

private:
    CSystemMetrics();

    COLORREF m_colors[kSysColorCount] {};
    int m_metrics[kSystemMetricCount] {};
    LOGFONT m_menuFont {};
    LOGFONT m_iconTitleFont {};
    LOGFONT m_statusFont {};
    LOGFONT m_smallCaptionFont {};
    std::vector<std::string> m_families;
    CRect m_workArea;
    int m_bitsPerPixel = 32;
    BOOL m_dropShadow = TRUE;
};

// Shorthands of the service.
COLORREF GetSysColor(int index);
int GetSystemMetrics(int index);
