#include "toolkit/commandbars/draw/CTKBarRendererOffice2003.h"

#include "platform/CDC.h"
#include "platform/CIconImage.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/draw/CTKDCPenGuard.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/draw/ExcludeRectCorners.h"

#include <algorithm>
#include <iterator>

namespace {

// Colour-table entries.
constexpr UINT kWindow = 5;
constexpr UINT kFace = 15;
constexpr UINT kShadow = 16;
constexpr UINT kLight = 20;
constexpr UINT kBarBack = 30;
constexpr UINT kHotFill = 31;
constexpr UINT kHotBorder = 32;
constexpr UINT kCheckedFill = 36;
constexpr UINT kGripper = 38;
constexpr UINT kSeparator = 39;
constexpr UINT kPopupBack = 41;
constexpr UINT kExpandedColumn = 42;
constexpr UINT kFrame = 43;
constexpr UINT kSelectedText = 45;
constexpr UINT kBarText = 46;
constexpr UINT kCheckedBorder = 50;
constexpr UINT kExpandLightBase = 51;
constexpr UINT kGradientEnd = 55;

// Blend weights of the derived colours.
constexpr int kIconColumnWeight = 550;
constexpr int kDockWeight = 205;
constexpr int kPopupedWeight = 550;
constexpr int kExpandWeight = 51;
constexpr int kPaneBorderWeight = 70;

// Dock bar styles that make a dock bar a flat vertical one.
constexpr DWORD kAlignRight = 0x4000;
constexpr DWORD kBorderLeft = 0x0100;

constexpr UINT kNoBorders = 0x0100;
constexpr UINT kPaneDisabled = 0x04000000;

constexpr int kStatusGripperPart = 3;
constexpr int kStatusGripperWidth = 18;
constexpr int kExpandButtonSize = 12;
constexpr int kPopupExpandHeight = 18;
constexpr int kTearOffHeight = 9;
constexpr int kTearOffDotsHalf = 32;
constexpr int kTransparentLevel = 255;
constexpr COLORREF kGlyphMask = RGB(0, 255, 0);

// Grey levels of the expand glyph, row by row.
constexpr unsigned char kExpandGlyph[CTKBarRendererOffice2003::kGlyphSize][CTKBarRendererOffice2003::kGlyphSize] = {
    {0xff, 0xff, 0xff, 0xff, 0xfc, 0xea, 0xc6, 0xb4, 0xb4, 0xb4, 0xc6, 0xfc, 0xff, 0xff, 0xff, 0xff},
    {0xff, 0xff, 0xff, 0xea, 0xea, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x7e, 0x7e, 0xc6, 0xff, 0xff, 0xff},
    {0xff, 0xff, 0xea, 0xfc, 0xfc, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x7e, 0x6c, 0x5a, 0x90, 0xff, 0xff},
    {0xff, 0xea, 0xfc, 0xfc, 0xfc, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x7e, 0x6c, 0x5a, 0x36, 0x7e, 0xff},
    {0xea, 0xfc, 0xfc, 0xfc, 0xfc, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x7e, 0x6c, 0x5a, 0x36, 0x24, 0xea},
    {0xea, 0xfc, 0xfc, 0xfc, 0xfc, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x7e, 0x6c, 0x48, 0x36, 0x24, 0x5a},
    {0xea, 0xea, 0xea, 0xea, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x90, 0x7e, 0x6c, 0x48, 0x24, 0x12, 0x24},
    {0xc6, 0xea, 0xea, 0xea, 0xc6, 0xc6, 0xc6, 0xb4, 0x90, 0x7e, 0x7e, 0x48, 0x36, 0x24, 0x12, 0x12},
    {0xc6, 0xc6, 0xc6, 0xc6, 0xc6, 0xb4, 0xb4, 0x90, 0x7e, 0x7e, 0x6c, 0x48, 0x36, 0x12, 0x12, 0x00},
    {0xc6, 0xb4, 0xb4, 0xb4, 0xb4, 0xb4, 0x90, 0x7e, 0x7e, 0x6c, 0x5a, 0x36, 0x24, 0x12, 0x00, 0x00},
    {0xc6, 0x90, 0x90, 0x90, 0x90, 0x90, 0x7e, 0x7e, 0x6c, 0x6c, 0x48, 0x36, 0x24, 0x12, 0x00, 0x36},
    {0xfc, 0x90, 0x7e, 0x7e, 0x7e, 0x7e, 0x6c, 0x6c, 0x5a, 0x5a, 0x36, 0x24, 0x12, 0x00, 0x00, 0xb4},
    {0xff, 0xc6, 0x6c, 0x6c, 0x6c, 0x6c, 0x5a, 0x5a, 0x5a, 0x48, 0x36, 0x24, 0x12, 0x00, 0x48, 0xff},
    {0xff, 0xff, 0xb4, 0x6c, 0x5a, 0x5a, 0x5a, 0x48, 0x48, 0x36, 0x24, 0x12, 0x00, 0x36, 0xff, 0xff},
    {0xff, 0xff, 0xff, 0xc6, 0x5a, 0x48, 0x48, 0x48, 0x36, 0x24, 0x24, 0x12, 0x6c, 0xff, 0xff, 0xff},
    {0xff, 0xff, 0xff, 0xff, 0xfc, 0xb4, 0x6c, 0x48, 0x36, 0x5a, 0x7e, 0xea, 0xff, 0xff, 0xff, 0xff},
};

// The fixed colours of a luna scheme.
struct LunaColors {
    COLORREF dockLight;
    COLORREF dockDark;
    COLORREF toolbarDark;
    COLORREF toolbarLight;
    COLORREF popupedLight;
    COLORREF popupedDark;
    COLORREF toolbarShadow;
    COLORREF floatingCaption;
    COLORREF expandDark;
    COLORREF expandLight;
    COLORREF iconColumnDark;
    COLORREF iconColumnLight;
    COLORREF glyphHighlight;
    COLORREF glyphShadow;
    COLORREF statusPaneBorder;
    COLORREF popupShadow;
    COLORREF entry12;
    COLORREF entry30;
    COLORREF entry31;
    COLORREF entry32;
    COLORREF entry33;
    COLORREF entry36;
    COLORREF entry38;
    COLORREF entry39;
    COLORREF entry40;
    COLORREF entry41;
    COLORREF entry43;
    COLORREF entry47;
    COLORREF entry51;
    COLORREF entry52;
    COLORREF entry53;
};

// Schemes "normalcolor", "homestead" and "metallic".
constexpr LunaColors kLunaColors[] = {
    {RGB(158, 190, 245), RGB(196, 218, 250), RGB(129, 169, 226), RGB(221, 236, 254), RGB(227, 239, 255),
     RGB(147, 181, 231), RGB(59, 97, 156), RGB(42, 102, 201), RGB(0, 53, 145), RGB(117, 166, 241),
     RGB(121, 161, 220), RGB(203, 221, 246), RGB(227, 239, 254), RGB(129, 169, 226), RGB(211, 211, 211),
     RGB(22, 30, 54), RGB(144, 153, 174), RGB(158, 190, 245), RGB(255, 238, 194), RGB(0, 0, 128),
     RGB(254, 128, 62), RGB(255, 192, 111), RGB(39, 65, 118), RGB(106, 140, 203), RGB(109, 150, 208),
     RGB(246, 246, 246), RGB(0, 45, 150), RGB(0, 0, 0), RGB(216, 231, 252), RGB(158, 190, 245),
     RGB(203, 225, 252)},
    {RGB(217, 217, 167), RGB(242, 241, 228), RGB(183, 198, 145), RGB(244, 247, 222), RGB(236, 240, 213),
     RGB(194, 206, 159), RGB(96, 128, 88), RGB(116, 134, 94), RGB(96, 119, 107), RGB(176, 194, 140),
     RGB(164, 180, 120), RGB(230, 230, 209), RGB(236, 240, 213), RGB(184, 198, 147), RGB(211, 211, 211),
     RGB(31, 34, 25), RGB(151, 160, 123), RGB(217, 217, 167), RGB(255, 238, 194), RGB(63, 93, 56),
     RGB(254, 128, 62), RGB(255, 192, 111), RGB(81, 94, 51), RGB(96, 128, 88), RGB(159, 174, 122),
     RGB(244, 244, 238), RGB(117, 141, 94), RGB(0, 0, 0), RGB(226, 231, 191), RGB(171, 192, 138),
     RGB(216, 227, 182)},
    {RGB(215, 215, 229), RGB(243, 243, 247), RGB(153, 151, 181), RGB(243, 244, 250), RGB(233, 231, 241),
     RGB(186, 185, 205), RGB(124, 124, 148), RGB(122, 121, 153), RGB(118, 116, 146), RGB(179, 178, 200),
     RGB(133, 131, 162), RGB(215, 215, 226), RGB(232, 232, 241), RGB(176, 174, 197), RGB(236, 234, 218),
     RGB(36, 32, 41), RGB(155, 154, 179), RGB(215, 215, 229), RGB(255, 238, 194), RGB(75, 75, 111),
     RGB(254, 128, 62), RGB(255, 192, 111), RGB(84, 84, 117), RGB(110, 109, 143), RGB(168, 167, 190),
     RGB(253, 250, 255), RGB(124, 124, 148), RGB(0, 0, 0), RGB(223, 223, 234), RGB(177, 176, 195),
     RGB(214, 211, 231)},
};

// The state gradients of docked toolbars under a luna scheme.
struct StateGradient {
    COLORREF from;
    COLORREF to;
    UINT border;
};
constexpr StateGradient kLunaHot = {RGB(255, 242, 200), RGB(255, 212, 151), kHotBorder};
constexpr StateGradient kLunaChecked = {RGB(255, 213, 140), RGB(255, 173, 85), kCheckedBorder};
constexpr StateGradient kLunaPressed = {RGB(254, 142, 75), RGB(255, 207, 139), kCheckedBorder};

BOOL IsVerticalDock(int position)
{
    return position == kTKPositionLeft || position == kTKPositionRight;
}

BOOL IsDocked(int position)
{
    return position >= kTKPositionTop && position <= kTKPositionRight;
}

int Channel(COLORREF color, int shift)
{
    return static_cast<int>((color >> shift) & 0xff);
}

// The bottom-right corner of the last visible control, or nothing.
BOOL LastVisibleControl(CTKCommandBar* bar, CRect* rect)
{
    for (int i = bar->GetControlCount() - 1; i >= 0; --i) {
        CTKControl* control = bar->GetControl(i);
        if (control && control->IsVisible()) {
            *rect = control->GetRect();
            return TRUE;
        }
    }
    return FALSE;
}

} // namespace

CTKBarRendererOffice2003::CTKBarRendererOffice2003()
{
    m_bFadedIcons = FALSE;
    m_bHotIconShadow = FALSE;
    RefreshMetrics();
}

COLORREF CTKBarRendererOffice2003::GlyphColor(COLORREF shadow, COLORREF highlight, int level)
{
    if (level == kTransparentLevel)
        return kGlyphMask;
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        const int s = Channel(shadow, 8 * i);
        const int h = Channel(highlight, 8 * i);
        channels[i] = s - (s - h) * level / kTransparentLevel;
    }
    return RGB(channels[0], channels[1], channels[2]);
}

void CTKBarRendererOffice2003::RefreshMetrics()
{
    CTKBarRenderer::RefreshMetrics();
    m_themeStatus.CloseThemeData();
    m_themeStatus.OpenThemeData(nullptr, "STATUS");

    auto blend = [this](UINT a, UINT b, int weight) {
        return CTKSystemColors::BlendColors(m_clr[a], m_clr[b], weight);
    };
    m_clrIconColumnDark = m_clr[kExpandedColumn];
    m_clrIconColumnLight = blend(kWindow, kExpandedColumn, kIconColumnWeight);
    m_clrDockDark = blend(kFace, kWindow, kDockWeight);
    m_clrToolbarLight = m_clrDockDark;
    m_clrDockLight = m_clr[kFace];
    m_clrToolbarDark = m_clr[kFace];
    m_clrToolbarShadow = m_clr[kBarBack];
    m_clrFloatingCaption = m_clr[kShadow];
    m_clrPopupedLight = m_clr[kPopupBack];
    m_clrPopupedDark = blend(kWindow, kFace, kPopupedWeight);
    m_clrExpandDark = m_clr[kShadow];
    m_clrExpandLight = blend(kExpandLightBase, kShadow, kExpandWeight);
    m_bLunaColors = FALSE;
    m_clrGlyphHighlight = m_clr[kPopupBack];
    m_clrGlyphShadow = blend(kWindow, kFace, kPopupedWeight);
    m_clrStatusPaneBorder = blend(kFace, kWindow, kPaneBorderWeight);
    m_clr[kGradientEnd] = CTKSystemColors::Instance().GetLightGradient().second;

    const int scheme = CTKSystemColors::IsLunaVisualStyle();
    if (!CTKSystemColors::Instance().IsLunaColorsDisabled() && scheme >= 1 &&
        scheme <= static_cast<int>(std::size(kLunaColors)))
        ApplyLunaScheme(scheme);
    BuildExpandGlyph();
}

void CTKBarRendererOffice2003::ApplyLunaScheme(int scheme)
{
    const LunaColors& luna = kLunaColors[scheme - 1];
    m_clrDockLight = luna.dockLight;
    m_clrDockDark = luna.dockDark;
    m_clrToolbarDark = luna.toolbarDark;
    m_clrToolbarLight = luna.toolbarLight;
    m_clrPopupedLight = luna.popupedLight;
    m_clrPopupedDark = luna.popupedDark;
    m_clrToolbarShadow = luna.toolbarShadow;
    m_clrFloatingCaption = luna.floatingCaption;
    m_clrExpandDark = luna.expandDark;
    m_clrExpandLight = luna.expandLight;
    m_clrIconColumnDark = luna.iconColumnDark;
    m_clrIconColumnLight = luna.iconColumnLight;
    m_clrGlyphHighlight = luna.glyphHighlight;
    m_clrGlyphShadow = luna.glyphShadow;
    m_clrStatusPaneBorder = luna.statusPaneBorder;
    m_clrPopupShadow = luna.popupShadow;
    const UINT indices[] = {12, 30, 31, 32, 37, 50, 33, 36, 38, 39, 40, 41, 43, 47, 51, 52, 53};
    const COLORREF values[] = {luna.entry12, luna.entry30, luna.entry31, luna.entry32, luna.entry32, luna.entry32,
                               luna.entry33, luna.entry36, luna.entry38, luna.entry39, luna.entry40, luna.entry41,
                               luna.entry43, luna.entry47, luna.entry51, luna.entry52, luna.entry53};
    static_assert(std::size(indices) == std::size(values));
    SetColors(static_cast<int>(std::size(indices)), indices, values);
    m_bLunaColors = TRUE;
}

void CTKBarRendererOffice2003::BuildExpandGlyph()
{
    CIconImage bitmap(kGlyphSize, kGlyphSize);
    for (int y = 0; y < kGlyphSize; ++y) {
        for (int x = 0; x < kGlyphSize; ++x)
            bitmap.SetPixel(x, y,
                            CIconImage::ArgbFromColor(GlyphColor(m_clrGlyphShadow, m_clrGlyphHighlight,
                                                                 kExpandGlyph[y][x])));
    }
    m_imgExpandGlyph = CImageList();
    m_imgExpandGlyph.Create(kGlyphSize, kGlyphSize, ILC_COLOR24 | ILC_MASK);
    m_imgExpandGlyph.Add(bitmap, kGlyphMask);
}

void CTKBarRendererOffice2003::DrawGradientBand(CDC* dc, int x, int y, int cx, int cy, BOOL expandedOnly)
{
    const CRect band(x, y, x + cx, y + cy);
    if (expandedOnly)
        GradientFill(dc, &band, m_clrIconColumnLight, m_clrIconColumnDark, TRUE);
    else
        GradientFill(dc, &band, m_clrToolbarLight, m_clrToolbarDark, TRUE);
}

void CTKBarRendererOffice2003::GradientBandWithBorder(CDC* dc, const CRect& rect, UINT borderIndex, BOOL horizontal,
                                                      COLORREF from, COLORREF to) const
{
    GradientFill(dc, &rect, from, to, horizontal);
    Draw3dRectIndexed(dc, rect, borderIndex, borderIndex);
}

void CTKBarRendererOffice2003::FillDockGradient(CDC* dc, CRect rect) const
{
    rect.right = rect.left + std::max(rect.Width(), GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    GradientFill(dc, &rect, m_clrDockLight, m_clrDockDark, TRUE);
}

void CTKBarRendererOffice2003::FillDockBar(CDC* dc, CWnd* dockBar)
{
    CRect client;
    dockBar->GetClientRect(&client);
    if (dockBar->GetStyle() & (kAlignRight | kBorderLeft)) {
        dc->FillSolidRect(client, m_clrDockDark);
        return;
    }
    FillDockGradient(dc, client);
}

void CTKBarRendererOffice2003::FillParentDockBackground(CDC* dc, CTKCommandBar* bar) const
{
    CWnd* dock = bar->GetParent();
    if (!dock || !bar->IsWindow())
        return;
    CRect barWindow;
    bar->GetWindowRect(&barWindow);
    CPoint origin(barWindow.left, barWindow.top);
    dock->ScreenToClient(&origin);
    CRect area;
    dock->GetClientRect(&area);
    area.OffsetRect(-origin.x, -origin.y);
    if (dock->GetStyle() & (kAlignRight | kBorderLeft)) {
        dc->FillSolidRect(area, m_clrDockDark);
        return;
    }
    FillDockGradient(dc, area);
}

void CTKBarRendererOffice2003::FillDockedToolbar(CDC* dc, CTKCommandBar* bar)
{
    CRect client;
    bar->GetClientRect(&client);
    dc->FillSolidRect(client, LookupColor(kFace));
    FillParentDockBackground(dc, bar);
    CRect last;
    const BOOL hasControls = LastVisibleControl(bar, &last);
    if (!IsVerticalDock(bar->GetPosition())) {
        dc->ExcludeClipRect(CRect(client.left, client.top, client.left + 3, client.bottom));
        ExcludeRectCorners(dc, client.left + 3, client.top + 1, client.right, client.bottom - 1);
        const CRect band(client.left, client.top + 1, client.right, hasControls ? last.bottom + 1 : client.bottom - 1);
        GradientFill(dc, &band, m_clrToolbarLight, m_clrToolbarDark, FALSE);
        dc->FillSolidRect(CRect(client.left, band.bottom, client.right, client.bottom - 1), m_clrToolbarDark);
        dc->FillSolidRect(client.left + 5, client.bottom - 1, client.Width() - 7, 1, m_clrToolbarShadow);
        dc->SelectClipRgn(nullptr);
        return;
    }
    dc->ExcludeClipRect(CRect(client.left, client.top, client.right, client.top + 3));
    ExcludeRectCorners(dc, client.left + 1, client.top + 3, client.right - 1, client.bottom);
    const CRect band(client.left + 1, client.top, hasControls ? last.right + 1 : client.right - 1, client.bottom);
    GradientFill(dc, &band, m_clrToolbarLight, m_clrToolbarDark, TRUE);
    dc->FillSolidRect(CRect(band.right, client.top, client.right - 1, client.bottom), m_clrToolbarDark);
    dc->FillSolidRect(client.right - 1, client.top + 5, 1, client.Height() - 7, m_clrToolbarShadow);
    dc->SelectClipRgn(nullptr);
}

void CTKBarRendererOffice2003::FillCommandBarEntry(CDC* dc, CTKCommandBar* bar)
{
    CRect client;
    bar->GetClientRect(&client);
    const int position = bar->GetPosition();
    if (bar->GetType() == kTKBarMenu) {
        FillDockGradient(dc, client);
        if (position != kTKPositionFloating)
            return;
        Draw3dRectIndexed(dc, client, kFrame, kFrame);
        Draw3dRectIndexed(dc, CRect(client.left + 1, client.top + 1, client.right - 1, client.bottom - 1), kFrame,
                          kFrame);
        const COLORREF frame = LookupColor(kFrame);
        dc->SetPixel(2, 2, frame);
        dc->SetPixel(client.right - 2, 2, frame);
        dc->SetPixel(2, client.bottom - 2, frame);
        dc->SetPixel(client.right - 2, client.bottom - 2, frame);
        return;
    }
    if (IsDocked(position)) {
        FillDockedToolbar(dc, bar);
        return;
    }
    if (position == kTKPositionPopup) {
        FillRectIndexed(dc, client, kFrame, kPopupBack);
        if (bar->GetType() == kTKBarPopup)
            DrawGradientBand(dc, 1, 2, m_nPopupLineHeight + 5, client.bottom - 4, FALSE);
        DrawPopupConnection(dc, bar, LookupColor(kPopupBack));
        return;
    }
    CTKBarRendererOfficeXP::FillCommandBarEntry(dc, bar);
}

void CTKBarRendererOffice2003::DrawRectangle(CDC* dc, CRect rect, BOOL selected, BOOL pressed, BOOL enabled,
                                             BOOL checked, BOOL popuped, BOOL inToolbar, int barPosition)
{
    if (popuped) {
        GradientFill(dc, &rect, m_clrPopupedLight, m_clrPopupedDark, FALSE);
        Draw3dRectIndexed(dc, rect, kFrame, kFrame);
        return;
    }
    if (!m_bLunaColors || !inToolbar || !IsDocked(barPosition)) {
        CTKBarRendererOfficeXP::DrawRectangle(dc, rect, selected, pressed, enabled, checked, popuped, inToolbar,
                                              barPosition);
        return;
    }
    const StateGradient* fill = nullptr;
    if (!enabled)
        fill = selected == kTKSelectedKeyboard ? &kLunaHot : nullptr;
    else if (checked && !pressed)
        fill = selected ? &kLunaPressed : &kLunaChecked;
    else if (pressed == kTKPressedExecuting || (selected && pressed))
        fill = &kLunaPressed;
    else if (selected || pressed)
        fill = &kLunaHot;
    if (!fill)
        return;
    GradientBandWithBorder(dc, rect, fill->border, IsVerticalDock(barPosition), fill->from, fill->to);
}

void CTKBarRendererOffice2003::DrawDots(CDC* dc, int x, int y) const
{
    dc->FillSolidRect(CRect(x + 1, y + 1, x + 3, y + 3), LookupColor(kLight));
    dc->FillSolidRect(CRect(x, y, x + 2, y + 2), LookupColor(kGripper));
}

void CTKBarRendererOffice2003::DrawCommandBarGripper(CSize* out, CDC* dc, CTKCommandBar* bar, BOOL draw)
{
    CRect client;
    bar->GetClientRect(&client);
    *out = CSize();
    const int position = bar->GetPosition();
    if (position == kTKPositionTop || position == kTKPositionBottom) {
        *out = CSize(6, 0);
        if (!draw)
            return;
        for (int y = 8; y - 3 < client.Height() - 8; y += 4)
            DrawDots(dc, 5, y - 3);
        return;
    }
    if (IsVerticalDock(position)) {
        *out = CSize(0, 9);
        if (!draw)
            return;
        for (int x = 8; x - 3 < client.Width() - 8; x += 4)
            DrawDots(dc, x - 3, 6);
        return;
    }
    if (position == kTKPositionFloating)
        DrawFloatingCaption(out, dc, bar, draw, m_clrFloatingCaption);
}

void CTKBarRendererOffice2003::DrawCommandBarSeparator(CSize* out, CDC* dc, CTKCommandBar* bar, CTKControl* control,
                                                       BOOL draw)
{
    const int position = bar->GetPosition();
    if (!draw || !IsDocked(position)) {
        CTKBarRendererOfficeXP::DrawCommandBarSeparator(out, dc, bar, control, draw);
        return;
    }
    *out = CSize();
    CRect client;
    bar->GetClientRect(&client);
    const CRect& row = control->GetRowRect();
    const CRect& rc = control->GetRect();
    if (!IsVerticalDock(position)) {
        if (control->GetRowStart()) {
            DrawLineIndexed(dc, row.left + 4, row.top - 4, row.right, row.top - 4, kSeparator);
            DrawLineIndexed(dc, client.left + 5, row.top - 3, row.right, row.top - 3, kLight);
            return;
        }
        DrawLineIndexed(dc, rc.left - 4, row.top + 4, rc.left - 4, row.bottom - 4, kSeparator);
        DrawLineIndexed(dc, rc.left - 3, row.top + 5, rc.left - 3, client.bottom - 3, kLight);
        return;
    }
    if (control->GetRowStart()) {
        DrawLineIndexed(dc, row.right + 2, row.top + 4, row.right + 2, row.bottom, kSeparator);
        DrawLineIndexed(dc, row.right + 3, row.top + 5, row.right + 3, client.bottom, kLight);
        return;
    }
    DrawLineIndexed(dc, row.left + 4, rc.top - 4, row.right - 4, rc.top - 4, kSeparator);
    DrawLineIndexed(dc, client.left + 5, rc.top - 3, row.right - 3, rc.top - 3, kLight);
}

void CTKBarRendererOffice2003::GetCommandBarBorders(CRect* out, CTKCommandBar* bar)
{
    const int position = bar ? bar->GetPosition() : kTKPositionNone;
    if (position == kTKPositionTop || position == kTKPositionBottom) {
        *out = CRect(4, 2, 2, 2);
        return;
    }
    *out = CRect(2, 2, 2, 2);
}

void CTKBarRendererOffice2003::DrawTearOffTitle(CSize* out, CDC* dc, CRect rect, BOOL selected, BOOL draw)
{
    *out = CSize(0, kTearOffHeight);
    if (!draw)
        return;
    const CRect strip(1, 1, rect.right + 1, rect.Height() + 1);
    dc->FillSolidRect(strip, LookupColor(kPopupBack));
    CRect inner = strip;
    inner.DeflateRect(1, 1);
    if (selected)
        FillRectIndexed(dc, inner, kHotBorder, kHotFill);
    else
        dc->FillSolidRect(inner, LookupColor(kBarBack));
    const int d = std::min(rect.Width() / 2 - 10, kTearOffDotsHalf);
    const int centre = (inner.left + inner.right) / 2;
    for (int x = centre - d + 3; x - 3 < centre + d; x += 4)
        DrawDots(dc, x - 3, 4);
}

void CTKBarRendererOffice2003::DrawStatusBarPane(CDC* dc, CRect* rect, UINT paneStyle, const std::string& text)
{
    if (!(paneStyle & kNoBorders))
        Draw3dRectIndexed(dc, *rect, m_clrStatusPaneBorder, m_clrStatusPaneBorder);
    if (paneStyle & kPaneDisabled)
        return;
    CRect textRect = *rect;
    textRect.DeflateRect(2, 1);
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER);
}

void CTKBarRendererOffice2003::DrawStatusBarGripper(CDC* dc, int left, int top, int right, int bottom)
{
    if (m_themeStatus.IsThemeOpen()) {
        const CRect grip(right - kStatusGripperWidth, top, right, bottom);
        m_themeStatus.DrawThemeBackground(dc, kStatusGripperPart, 0, &grip, nullptr);
        return;
    }
    const int w = right - left;
    const int h = bottom - top;
    {
        CTKDCPenGuard pen(dc, GetSysColor(COLOR_BTNSHADOW));
        for (int s = 0; s <= 10; s += 5) {
            DrawLine(dc, left + w - s, top + h - 1, left + w, top + h - 1 - s);
            DrawLine(dc, left + w - 1 - s, top + h - 1, left + w, top + h - 2 - s);
            DrawLine(dc, left + w - 2 - s, top + h - 1, left + w, top + h - 3 - s);
        }
    }
    CTKDCPenGuard pen(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    for (int s = 0; s <= 10; s += 5)
        DrawLine(dc, left + w - 3 - s, top + h - 1, left + w, top + h - 4 - s);
}

void CTKBarRendererOffice2003::DrawExpandArrows(CDC* dc, BOOL vertical, int left, int top, int right, int bottom,
                                                BOOL hidden, COLORREF color) const
{
    CTKDCPenGuard pen(dc, color);
    if (!vertical) {
        const int c = (left + right) / 2;
        DrawLine(dc, c - 2, bottom - 10, c + 3, bottom - 10);
        DrawFilledTriangle(dc, c - 2, bottom - 7, c + 2, bottom - 7, c, bottom - 5, color);
        if (!hidden)
            return;
        DrawFilledTriangle(dc, left + 3, top + 5, left + 4, top + 6, left + 3, top + 7, color);
        DrawFilledTriangle(dc, left + 7, top + 5, left + 8, top + 6, left + 7, top + 7, color);
        return;
    }
    const int m = (top + bottom) / 2;
    DrawLine(dc, right - 10, m - 2, right - 10, m + 3);
    DrawFilledTriangle(dc, right - 5, m, right - 7, m - 2, right - 7, m + 2, color);
    if (!hidden)
        return;
    DrawFilledTriangle(dc, left + 5, top + 3, left + 6, top + 4, left + 7, top + 3, color);
    DrawFilledTriangle(dc, left + 5, top + 7, left + 6, top + 8, left + 7, top + 7, color);
}

void CTKBarRendererOffice2003::DrawToolbarExpand(CDC* dc, CTKControl* control, CTKCommandBar* bar, void* param)
{
    const int position = bar ? bar->GetPosition() : kTKPositionNone;
    const BOOL vertical = IsVerticalDock(position) || position == kTKPositionPopup;
    const CRect r = control->GetRect();
    const BOOL open = bar && bar->GetPopupedIndex() == control->GetIndex();
    if (vertical) {
        dc->ExcludeClipRect(CRect(r.right - 1, r.top, r.right, r.bottom));
        ExcludeRectCorners(dc, r.left, r.top, r.right - 1, r.bottom);
    } else {
        dc->ExcludeClipRect(CRect(r.left, r.bottom - 1, r.right, r.bottom));
        ExcludeRectCorners(dc, r.left, r.top, r.right, r.bottom - 1);
    }
    if (open) {
        if (m_bLunaColors)
            GradientFill(dc, &r, kLunaPressed.from, kLunaPressed.to, vertical);
        else
            dc->FillSolidRect(r, LookupColor(kCheckedFill));
    } else if (control->GetSelected()) {
        if (m_bLunaColors)
            GradientFill(dc, &r, kLunaHot.from, kLunaHot.to, vertical);
        else
            dc->FillSolidRect(r, LookupColor(kHotFill));
    } else {
        GradientFill(dc, &r, m_clrExpandLight, m_clrExpandDark, vertical);
    }
    const BOOL hidden = param && *static_cast<BOOL*>(param);
    DrawExpandArrows(dc, vertical, r.left + 1, r.top + 1, r.right + 1, r.bottom + 1, hidden, LookupColor(kLight));
    const UINT arrow = !open && control->GetSelected() ? kSelectedText : kBarText;
    DrawExpandArrows(dc, vertical, r.left, r.top, r.right, r.bottom, hidden, LookupColor(arrow));
    dc->SelectClipRgn(nullptr);
}

void CTKBarRendererOffice2003::DrawSpecialControl(CSize* out, CDC* dc, int kind, CTKControl* control,
                                                  CTKCommandBar* bar, BOOL draw, void* param)
{
    if (kind == kTKSpecialExpand && control) {
        *out = CSize();
        if (draw) {
            DrawToolbarExpand(dc, control, bar, param);
            return;
        }
        const CSize size = param ? *static_cast<CSize*>(param) : CSize();
        const int position = bar ? bar->GetPosition() : kTKPositionNone;
        const BOOL vertical = IsVerticalDock(position) || position == kTKPositionPopup;
        control->SetRect(vertical ? CRect(0, size.cy - kExpandButtonSize, size.cx, size.cy)
                                  : CRect(size.cx - kExpandButtonSize, 1, size.cx, size.cy));
        return;
    }
    if (kind == kTKSpecialPopupExpand && control) {
        *out = CSize(0, kPopupExpandHeight);
        if (!draw)
            return;
        DrawControlEntry(dc, control);
        const CRect& r = control->GetRect();
        const int c = (r.left + r.right) / 2;
        const int t = r.top;
        m_imgExpandGlyph.Draw(dc, 0, CPoint(c - 7, t + 1), 0);
        for (int offset : {0, 1, 4, 5}) {
            const CPoint stroke[] = {CPoint(c - 2, t + 5 + offset), CPoint(c, t + 7 + offset),
                                     CPoint(c + 3, t + 4 + offset)};
            dc->Polyline(stroke, 3);
        }
        return;
    }
    CTKBarRendererOfficeXP::DrawSpecialControl(out, dc, kind, control, bar, draw, param);
}
