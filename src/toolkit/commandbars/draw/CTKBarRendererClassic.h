#pragma once
// The Classic bar theme: the system's 3-D look with raised and sunken edges,
// a halftone for checked buttons, the highlight colour behind selected menu
// items, and embossed disabled icons and captions.

#include "toolkit/commandbars/draw/CTKBarRenderer.h"

class CTKBarRendererClassic : public CTKBarRenderer {
public:
    CTKBarRendererClassic();

    void DrawControlPopupParent(CSize* out, CDC* dc, CTKControl* control, BOOL draw) override;
    void DrawSplitButtonFrame(CDC* dc, CTKControl* control, CRect rect) override;
    void DrawControlComboBox(CSize* out, CDC* dc, CTKControlComboBox* control, BOOL draw) override;
    void DrawControlEdit(CSize* out, CDC* dc, CTKControlEdit* control, BOOL draw) override;
    void FillCommandBarEntry(CDC* dc, CTKCommandBar* bar) override;
    void DrawControlState(CDC* dc, CRect rect, BOOL enabled, BOOL selected, BOOL pressed, BOOL checked, BOOL popuped,
                          int barPosition) override;
    void DrawRectangle(CDC* dc, CRect rect, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked, BOOL popuped,
                       BOOL inToolbar, int barPosition) override;
    void DrawCommandBarGripper(CSize* out, CDC* dc, CTKCommandBar* bar, BOOL draw) override;
    void DrawCommandBarSeparator(CSize* out, CDC* dc, CTKCommandBar* bar, CTKControl* control, BOOL draw) override;
    void AdjustExcludeRect(CRect& rect, CTKControl* control) override;
    void DrawStatusBarPane(CDC* dc, CRect* rect, UINT paneStyle, const std::string& text) override;
    void DrawSpecialControl(CSize* out, CDC* dc, int kind, CTKControl* control, CTKCommandBar* bar, BOOL draw,
                            void* param) override;
    void GetCommandBarBorders(CRect* out, CTKCommandBar* bar) override;
    void DrawTearOffTitle(CSize* out, CDC* dc, CRect rect, BOOL selected, BOOL draw) override;
    void DrawImage(CDC* dc, CPoint point, CSize size, CTKCommandIcon* icon, BOOL selected, BOOL pressed, BOOL enabled,
                   BOOL checked, BOOL popuped, BOOL inToolbar) override;
    int GetThemeStyle() const override { return kTKThemeClassic; }

    virtual void DrawTextLine(CDC* dc, const std::string& text, CRect* rect, UINT format, BOOL draw, BOOL selected,
                              BOOL enabled);

protected:
    // The caption label in front of an edit or combo box's field.
    void DrawBoxLabel(CDC* dc, CTKControl* control, int labelWidth);

private:
    void FillHalftone(CDC* dc, const CRect& rect) const;
};
