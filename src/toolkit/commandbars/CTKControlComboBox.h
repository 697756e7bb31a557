#pragma once
// A drop-down list on a command bar: an optional caption label, a field
// with the current text (typed into an edit box of the bar when the combo
// is editable) and a button that opens the list below it. Picking an item
// with the mouse or Enter executes the control (the owner reads the choice);
// a list closed without a choice keeps the item it had. Combo boxes are not
// shown on vertical bars.

#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKEdit.h"

class CTKControlComboBoxList;

class CTKControlComboBox : public CTKControlPopup, public CTKEditOwner {
    DECLARE_SERIAL(CTKControlComboBox)
public:
    CTKControlComboBox();
    ~CTKControlComboBox() override;

    // --- Virtual operations after those of the popup control ---
    // The list's current item becomes the text.
    virtual void OnSelChanged();

    // --- Overrides ---
    void SetEnabled(BOOL enabled) override;
    void SetRect(const CRect& rect) override;
    void SetHideFlags(DWORD hideFlags) override;
    void Execute() override;
    void OnCalcDynamicSize(DWORD layoutMode) override;
    int OnHookKeyDown(UINT key) override;
    void SetParent(CTKCommandBar* parent) override;
    void Copy(const CTKControl* source, BOOL recursive) override;
    BOOL SetPopuped(BOOL popuped) override;
    void OnClick(BOOL keyboard, CPoint point) override;
    void OnMouseHover() override;
    BOOL SetSelected(int state) override;
    // The popup control's stored form, then editable, width and label style.
    void Serialize(CArchive& ar) override;

    // --- The list ---
    CTKControlComboBoxList* GetList() const;
    int AddString(const std::string& text);
    int GetCount() const;
    int GetCurSel() const;
    // A different item becomes current and the text follows it.
    void SetCurSel(int index);
    std::string GetListText(int index) const;
    // The text of the list's current item; empty when none.
    std::string GetSelectedItemText() const;
    BOOL IsListDropped() const;

    // --- The field ---
    void SetEditText(const std::string& text);
    void SetEditable(BOOL editable);
    BOOL IsEditable() const { return m_bEditable; }
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int width) { m_nWidth = width; }
    // 1 draws the caption as a label in front of the field.
    int GetLabelStyle() const { return m_nLabelStyle; }
    void SetLabelStyle(int style) { m_nLabelStyle = style; }
    BOOL GetShowLabel() const { return m_nLabelStyle == kLabelShown; }
    // Written by the renderer when it measures.
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int width) { m_nLabelWidth = width; }
    int GetDropDownWidth() const { return m_nDropDownWidth; }
    void SetDropDownWidth(int width) { m_nDropDownWidth = width; }

    static constexpr int kLabelShown = 1;

protected:
    CTKControl& EditingControl() override { return *this; }

private:
    int m_nLabelWidth = 0;
    int m_nDropDownWidth = 0;
    BOOL m_bEditable = FALSE;
    int m_nLabelStyle = 0;
    int m_nWidth = 100;
    int m_nSavedSel = -1;
};
