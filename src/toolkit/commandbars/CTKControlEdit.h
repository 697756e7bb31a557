#pragma once
// A text field on a command bar: an optional caption label in front of an
// edit box that lives in the bar. Its text stays in the control while the
// box does not exist. While the box has the focus the bar tracks with the
// control as its key receiver; Enter executes the control (the owner reads
// the text), Escape brings back the text the box had when it took the focus.
// Edit boxes are not shown on vertical bars.

#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKEdit.h"

class CTKControlEdit : public CTKControl, public CTKEditOwner {
    DECLARE_SERIAL(CTKControlEdit)
public:
    CTKControlEdit();
    ~CTKControlEdit() override;

    // --- Overrides ---
    void SetEnabled(BOOL enabled) override;
    void SetRect(const CRect& rect) override;
    void SetHideFlags(DWORD hideFlags) override;
    void OnCalcDynamicSize(DWORD layoutMode) override;
    int OnHookKeyDown(UINT key) override;
    void SetParent(CTKCommandBar* parent) override;
    void Copy(const CTKControl* source, BOOL recursive) override;
    void OnClick(BOOL keyboard, CPoint point) override;
    void OnMouseHover() override;
    BOOL SetSelected(int state) override;
    // The control's stored form, then show label and width.
    void Serialize(CArchive& ar) override;

    // Into the box when it exists, else stored (the box is made when needed).
    void SetEditText(const std::string& text);
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int width) { m_nWidth = width; }
    BOOL GetShowLabel() const { return m_bShowLabel; }
    void SetShowLabel(BOOL show) { m_bShowLabel = show; }
    // Written by the renderer when it measures.
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int width) { m_nLabelWidth = width; }

protected:
    CTKControl& EditingControl() override { return *this; }

private:
    int m_nLabelWidth = 0;
    int m_nWidth = 100;
    BOOL m_bShowLabel = TRUE;
};
