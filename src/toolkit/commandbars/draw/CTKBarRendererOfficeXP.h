#pragma once
// The Office XP bar theme: flat toolbars on a light derived background, hot
// and pressed controls as framed fills in the derived highlight colours,
// popups with a coloured icon column, faded idle icons and hot icons raised
// over their shadow. The Office 2003 theme derives from it.

#include "toolkit/commandbars/draw/CTKBarRenderer.h"

class CTKPopupBar;

class CTKBarRendererOfficeXP : public CTKBarRenderer {
public:
    CTKBarRendererOfficeXP();

    void DrawControlPopupParent(CSize* out, CDC* dc, CTKControl* control, BOOL draw) override;
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
    BOOL IsFlatStyle() const override { return TRUE; }
    void DrawSpecialControl(CSize* out, CDC* dc, int kind, CTKControl* control, CTKCommandBar* bar, BOOL draw,
                            void* param) override;
    void DrawTearOffTitle(CSize* out, CDC* dc, CRect rect, BOOL selected, BOOL draw) override;
    void DrawImage(CDC* dc, CPoint point, CSize size, CTKCommandIcon* icon, BOOL selected, BOOL pressed, BOOL enabled,
                   BOOL checked, BOOL popuped, BOOL inToolbar) override;
    int GetThemeStyle() const override { return kTKThemeOfficeXP; }

    void DrawListBoxControl(CSize* out, CDC* dc, CTKControl* control, CRect rect, BOOL selected, BOOL draw) override;
    // The icon column of popups (expandedOnly FALSE) and of items shown only
    // in the expanded menu (TRUE).
    virtual void DrawGradientBand(CDC* dc, int x, int y, int cx, int cy, BOOL expandedOnly);

protected:
    // The caption label in front of an edit or combo box's field.
    void DrawBoxLabel(CDC* dc, CTKControl* control, int labelWidth);
    // Opens the popup's border where it touches the control that opened it.
    void DrawPopupConnection(CDC* dc, CTKCommandBar* popup, COLORREF color) const;
    // The floating caption shared by the Office themes.
    void DrawFloatingCaption(CSize* out, CDC* dc, CTKCommandBar* bar, BOOL draw, COLORREF fill) const;
    // The hot frame, the icon and the caption of a check item of the
    // list of a toolbar's buttons.
    void DrawMenuEntry(CSize* out, CDC* dc, CTKControl* control, BOOL draw);
};
