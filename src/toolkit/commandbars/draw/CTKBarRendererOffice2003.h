#pragma once
// The Office 2003 bar theme, the program's default: the Office XP drawing
// of menu items and states with gradient dock areas and toolbar bands, dot
// grippers, two-line separators and a gradient expand button. With the
// desktop's luna style its scheme's fixed colours replace the derived ones.

#include "platform/CImageList.h"
#include "toolkit/commandbars/draw/CTKBarRendererOfficeXP.h"
#include "toolkit/commandbars/draw/CTKVisualStyles.h"

class CTKBarRendererOffice2003 : public CTKBarRendererOfficeXP {
public:
    static constexpr int kGlyphSize = 16;

    CTKBarRendererOffice2003();

    void FillCommandBarEntry(CDC* dc, CTKCommandBar* bar) override;
    void DrawRectangle(CDC* dc, CRect rect, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked, BOOL popuped,
                       BOOL inToolbar, int barPosition) override;
    void DrawCommandBarGripper(CSize* out, CDC* dc, CTKCommandBar* bar, BOOL draw) override;
    void DrawCommandBarSeparator(CSize* out, CDC* dc, CTKCommandBar* bar, CTKControl* control, BOOL draw) override;
    void DrawStatusBarPane(CDC* dc, CRect* rect, UINT paneStyle, const std::string& text) override;
    void DrawStatusBarGripper(CDC* dc, int left, int top, int right, int bottom) override;
    void FillDockBar(CDC* dc, CWnd* dockBar) override;
    void RefreshMetrics() override;
    void DrawSpecialControl(CSize* out, CDC* dc, int kind, CTKControl* control, CTKCommandBar* bar, BOOL draw,
                            void* param) override;
    void GetCommandBarBorders(CRect* out, CTKCommandBar* bar) override;
    void DrawTearOffTitle(CSize* out, CDC* dc, CRect rect, BOOL selected, BOOL draw) override;
    int GetThemeStyle() const override { return kTKThemeOffice2003; }
    void DrawGradientBand(CDC* dc, int x, int y, int cx, int cy, BOOL expandedOnly) override;

    // The expand glyph's pixel of grey level v (255 is transparent).
    static COLORREF GlyphColor(COLORREF shadow, COLORREF highlight, int level);
    void DrawExpandArrows(CDC* dc, BOOL vertical, int left, int top, int right, int bottom, BOOL hidden,
                          COLORREF color) const;
    void GradientBandWithBorder(CDC* dc, const CRect& rect, UINT borderIndex, BOOL horizontal, COLORREF from,
                                COLORREF to) const;
    const CImageList& GetExpandGlyph() const { return m_imgExpandGlyph; }

    COLORREF m_clrDockLight = 0;
    COLORREF m_clrDockDark = 0;
    COLORREF m_clrToolbarDark = 0;
    COLORREF m_clrToolbarLight = 0;
    COLORREF m_clrPopupedLight = 0;
    COLORREF m_clrPopupedDark = 0;
    COLORREF m_clrToolbarShadow = 0;
    COLORREF m_clrFloatingCaption = 0;
    COLORREF m_clrExpandDark = 0;
    COLORREF m_clrExpandLight = 0;
    COLORREF m_clrIconColumnDark = 0;
    COLORREF m_clrIconColumnLight = 0;
    COLORREF m_clrGlyphShadow = 0;
    COLORREF m_clrGlyphHighlight = 0;
    COLORREF m_clrStatusPaneBorder = 0;
    BOOL m_bLunaColors = FALSE;

private:
    void ApplyLunaScheme(int scheme);
    void BuildExpandGlyph();
    // The dock area's horizontal gradient over the rectangle, at least half
    // the screen wide from its left edge.
    void FillDockGradient(CDC* dc, CRect rect) const;
    // The parent dock bar's background continued under a docked toolbar.
    void FillParentDockBackground(CDC* dc, CTKCommandBar* bar) const;
    void FillDockedToolbar(CDC* dc, CTKCommandBar* bar);
    void DrawDots(CDC* dc, int x, int y) const;
    void DrawToolbarExpand(CDC* dc, CTKControl* control, CTKCommandBar* bar, void* param);

    CTKVisualStyles m_themeStatus;
    CImageList m_imgExpandGlyph;
};
