#pragma once
// The paint manager of the command bars: every bar and control measures
// and draws itself through the current renderer. The base keeps what all
// themes share: the nine shared fonts, a copy of the colour table, the icon
// options and the drawing routines; each theme fills in the rest.

#include "platform/CFont.h"
#include "platform/ui/CCmdTarget.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"

#include <string>

class CDC;
class CTKCommandBar;
class CTKCommandIcon;
class CTKControl;
class CTKControlComboBox;
class CTKControlEdit;
class CWnd;

// Theme numbers.
constexpr int kTKThemeOfficeXP = 0;
constexpr int kTKThemeClassic = 1;
constexpr int kTKThemeOffice2003 = 2;
constexpr int kTKThemeWindowsXP = 3;

// Popup animations.
constexpr int kTKAnimateUnfold = 2;
constexpr int kTKAnimateSlide = 3;
constexpr int kTKAnimateFade = 4;

// The command bars' own buttons drawn by DrawSpecialControl.
constexpr int kTKSpecialExpand = 0;
constexpr int kTKSpecialPopupExpand = 1;
constexpr int kTKSpecialClose = 2;
constexpr int kTKSpecialDropDown = 3;
constexpr int kTKSpecialMenuEntry = 4;

class CTKBarRenderer : public CCmdTarget {
public:
    CTKBarRenderer();
    ~CTKBarRenderer() override;

    // Makes the theme current unless it already is.
    static void SelectTheme(int theme);
    // 0 Office XP, 2 Office 2003, 3 Windows XP; any other number Classic.
    static CTKBarRenderer* CreateTheme(int theme);
    static void ReleaseTheme();
    static CTKBarRenderer* GetCurrent();

    // Table entry for 0..55; a larger value is a literal colour.
    COLORREF LookupColor(UINT index) const;
    void SetColors(int count, const UINT* indices, const COLORREF* values);
    // The icon options, in the order the options record stores them.
    BOOL* GetOptionBlock() { return &m_bHotIconShadow; }

    static void RefreshFonts();
    static void DeleteFonts();
    static BOOL FontExists(const std::string& face);
    static int GetPopupLineHeight() { return m_nPopupLineHeight; }
    static BOOL IsTahomaMenuFont() { return m_bTahomaMenuFont; }

    // Measures (draw FALSE) or draws a control.
    void DrawControl(CSize* out, CDC* dc, CTKControl* control, BOOL draw);

    // --- Shared drawing routines ---
    void DrawFilledTriangle(CDC* dc, int x1, int y1, int x2, int y2, int x3, int y3, COLORREF color) const;
    void FillRectIndexed(CDC* dc, const CRect& rect, UINT borderIndex, UINT fillIndex) const;
    void Draw3dRectIndexed(CDC* dc, const CRect& rect, UINT topLeftIndex, UINT bottomRightIndex) const;
    static void DrawCheckMark(CDC* dc, const CRect& rect, COLORREF color);
    static void DrawLine(CDC* dc, int x1, int y1, int x2, int y2);
    void DrawLineIndexed(CDC* dc, int x1, int y1, int x2, int y2, UINT index) const;
    static void GradientFill(CDC* dc, const CRect* rect, COLORREF from, COLORREF to, BOOL horizontal);
    void DrawControlText(CSize* out, CDC* dc, const std::string& text, CRect rect, BOOL draw, BOOL vertical,
                         BOOL centre, BOOL triangle, BOOL embossed) const;
    void DrawControlTextAndIcon(CSize* out, CDC* dc, const std::string& text, CRect rect, BOOL vertical, BOOL draw,
                                BOOL embossed, BOOL triangle, int iconCx, int iconCy, BOOL hasIcon) const;
    static void StripMnemonicAmpersands(std::string& text);

    // --- Virtual operations, in slot order ---
    virtual void DrawControlPopupParent(CSize* out, CDC* dc, CTKControl* control, BOOL draw) = 0;
    virtual void DrawControlToolBarParent(CSize* out, CDC* dc, CTKControl* control, BOOL draw);
    virtual void DrawSplitButtonFrame(CDC* dc, CTKControl* control, CRect rect);
    virtual void DrawControlComboBox(CSize* out, CDC* dc, CTKControlComboBox* control, BOOL draw) = 0;
    virtual void DrawControlEdit(CSize* out, CDC* dc, CTKControlEdit* control, BOOL draw) = 0;
    virtual void FillCommandBarEntry(CDC* dc, CTKCommandBar* bar) = 0;
    virtual void DrawControlState(CDC* dc, CRect rect, BOOL enabled, BOOL selected, BOOL pressed, BOOL checked,
                                  BOOL popuped, int barPosition) = 0;
    virtual void DrawControlEntry(CDC* dc, CTKControl* control);
    virtual void DrawRectangle(CDC* dc, CRect rect, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked,
                               BOOL popuped, BOOL inToolbar, int barPosition) = 0;
    virtual void DrawCommandBarGripper(CSize* out, CDC* dc, CTKCommandBar* bar, BOOL draw) = 0;
    virtual void DrawCommandBarSeparator(CSize* out, CDC* dc, CTKCommandBar* bar, CTKControl* control,
                                         BOOL draw) = 0;
    virtual void AdjustExcludeRect(CRect& rect, CTKControl* control) = 0;
    virtual void DrawStatusBarPane(CDC* dc, CRect* rect, UINT paneStyle, const std::string& text) = 0;
    virtual void DrawStatusBarGripper(CDC* dc, int left, int top, int right, int bottom);
    virtual void FillDockBar(CDC* dc, CWnd* dockBar);
    virtual void FillStatusBar(CDC* dc, CWnd* statusBar);
    virtual void RefreshMetrics();
    virtual BOOL IsFlatStyle() const { return FALSE; }
    virtual void DrawSpecialControl(CSize* out, CDC* dc, int kind, CTKControl* control, CTKCommandBar* bar,
                                    BOOL draw, void* param);
    virtual void GetCommandBarBorders(CRect* out, CTKCommandBar* bar);
    virtual void DrawTearOffTitle(CSize* out, CDC* dc, CRect rect, BOOL selected, BOOL draw) = 0;
    virtual void DrawImage(CDC* dc, CPoint point, CSize size, CTKCommandIcon* icon, BOOL selected, BOOL pressed,
                           BOOL enabled, BOOL checked, BOOL popuped, BOOL inToolbar) = 0;
    virtual int GetThemeStyle() const = 0;
    // One row of the customise pages' command list, drawn (draw TRUE) or
    // measured (out: the row height); a null control is the list's empty
    // background.
    virtual void DrawListBoxControl(CSize* out, CDC* dc, CTKControl* control, CRect rect, BOOL selected, BOOL draw);
    virtual CFont* GetControlFont(CTKCommandBar* bar, BOOL bold);
    // Shows a popup's finished image (drawn at 0, 0) in the target's
    // rectangle, growing, sliding or fading in.
    virtual void AnimatePopup(CDC* target, CDC* image, CRect rect, int type);
    // One frame (1..steps) of a popup animation: the part of the finished
    // image that step shows, in the target's rectangle; a fade blends the
    // image over below (the rectangle's earlier pixels, drawn at 0, 0) and
    // its last step shows the finished image.
    void DrawPopupFrame(CDC* target, CDC* image, CDC* below, CRect rect, int type, int step, int steps);
    // Shows the items shown only in the expanded menu growing in between
    // the others.
    virtual void AnimateExpanding(CTKCommandBar* popup, CDC* target, CDC* image);

    int m_nTheme = kTKThemeClassic;
    // The option block, in the order the options record stores it.
    BOOL m_bHotIconShadow = FALSE;
    BOOL m_bNoEmbossedDisabled = FALSE;
    BOOL m_bFadedIcons = FALSE;
    int m_nAnimationSteps = 10;
    int m_nAnimationDuration = 100;
    COLORREF m_clr[CTKSystemColors::kColorCount] {};
    COLORREF m_clrPopupShadow = 0;

    static CFont m_fontRegular;
    static CFont m_fontBold;
    static CFont m_fontStatus;
    static CFont m_fontVert;
    static CFont m_fontVertBold;
    static CFont m_fontSmCaption;
    static CFont m_fontIconTitle;
    static CFont m_fontMarlett;
    static CFont m_fontIconTitleBold;

protected:
    // The text extent of the single-line text in the font.
    static CSize MeasureText(CFont* font, const std::string& text);
    // The size of a box control with a field of the given width, as all
    // themes measure it: the label (written back) and the field, as high as
    // the icon-title font's text and eight pixels.
    static CSize MeasureBoxControl(CTKControl* control, int fieldWidth, BOOL showLabel, int* labelWidth);
    static BOOL IsInPopupBar(const CTKControl* control);
    // A control's caption as the command list shows it: without mnemonic ampersands.
    static std::string ListCaption(const CTKControl* control);
    // Measures a combo box as all themes do and stores its label and
    // drop-down button widths (the button is as wide as the text is high, and two).
    static CSize MeasureComboBox(CTKControlComboBox* control);
    // The field of an edit or combo box: after the label, one pixel in.
    static CRect GetBoxField(const CTKControl* control, int labelWidth);
    // The drop-down button: the right part of the combo box's field.
    static CRect GetComboButton(const CTKControlComboBox* control);
    // The drop-down arrow, the symbol font's down glyph centred in the button moved by (1, 1).
    void DrawComboArrow(CDC* dc, const CTKControlComboBox* control, COLORREF color) const;
    // The combo's own text, in the window text colour, when it has no edit box.
    void DrawComboText(CDC* dc, CTKControlComboBox* control) const;

    static BOOL m_bTahomaMenuFont;
    static int m_nPopupLineHeight;
};
