#pragma once
// The drop-down list of a combo box on a command bar: a popup bar whose
// window is a list box of the combo's strings. Its window is made once,
// with the combo box, and afterwards only shown below the combo and hidden
// again. The mouse over the list moves the current item and a release
// picks it; keys move it, Enter picks it and Escape closes the list.

#include "toolkit/commandbars/CTKPopupBar.h"

class CListBox;
class CTKControlComboBox;

// The list shows at most this many rows; more scroll.
constexpr int kTKComboListMaxRows = 12;
// The list's frame: two pixels on each side.
constexpr int kTKComboListFrame = 2;

class CTKControlComboBoxList : public CTKPopupBar {
    DECLARE_SERIAL(CTKControlComboBoxList)
public:
    CTKControlComboBoxList();
    ~CTKControlComboBoxList() override;

    // Creates the hidden list window when it does not exist yet.
    BOOL CreateListWindow();
    CListBox* GetListBox() const { return m_pList; }

    // --- The strings ---
    int AddString(const std::string& text);
    int GetCount() const;
    int GetCurSel() const;
    // -1 clears the current item.
    void SetCurSel(int index);
    std::string GetText(int index) const;
    void ResetContent();

    // --- Overrides of the popup bar ---
    BOOL SetTrackingMode(int mode, BOOL selectFirst, BOOL keyboard) override;
    BOOL Popup(CTKControlPopup* parentControl, BOOL selectFirst) override;
    BOOL OnHookKeyDown(UINT key) override;
    void DrawCommandBar(CDC* dc) override;
    void Copy(const CTKCommandBar* source, BOOL recursive) override;
    // The popup bar's stored form, then the count and the strings.
    void Serialize(CArchive& ar) override;
    BOOL DestroyWindow() override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNcCalcSize(BOOL calcValidRects, CRect* rect) override;
    void OnNcPaint(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    // The mouse over the list box's rows comes to the list window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CTKControlComboBox* GetComboBox() const;
    // The row under the client point becomes the current one.
    void SelectItemAt(CPoint point);

    CListBox* m_pList = nullptr;   // child window, owned by the list window
    // The list window's open holds the popup tracker modal.
    BOOL m_bModal = FALSE;
};
