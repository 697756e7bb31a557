#pragma once
// A text field on a command bar: an optional caption label in front of an
// edit box that lives in the bar. Its text stays in the control while the
// box does not exist. While the box has the focus the bar tracks with the
// control as its key receiver; Enter executes the control (the owner reads
// the text), Escape brings back the text the box had when it took the focus.
// Edit boxes are not shown on vertical bars.

#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKEdit.h"

#include <QPointer>

class CTKControlEdit : public CTKControl, public CTKEditOwner {
    DECLARE_SERIAL(CTKControlEdit)
public:
    CTKControlEdit();
    ~CTKControlEdit() override;

    // --- Virtual operations after those of the control ---
    // A new box object of this control's kind, not created yet.
    virtual CTKEdit* CreateEditWindow();
    void OnEditDestroy(const std::string& text) override;

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

    // The box's text when it exists, else the stored text.
    std::string GetEditText() const;
    void SetEditText(const std::string& text);
    CTKEdit* GetEditCtrl() const { return m_pEdit.data(); }
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int width) { m_nWidth = width; }
    BOOL GetShowLabel() const { return m_bShowLabel; }
    void SetShowLabel(BOOL show) { m_bShowLabel = show; }
    // Written by the renderer when it measures.
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int width) { m_nLabelWidth = width; }

protected:
    CTKControl& EditingControl() override { return *this; }
    CTKEdit* EditWindow() const override { return m_pEdit.data(); }
    std::string EditText() const override { return GetEditText(); }

private:
    void CreateEditObject();
    void DestroyEditWindow();
    BOOL HasEditFocus() const;
    void ShowEditWindow() const;

    int m_nLabelWidth = 0;
    QPointer<CTKEdit> m_pEdit;
    int m_nWidth = 100;
    std::string m_strEditText;
    BOOL m_bShowLabel = TRUE;
};
