#pragma once
// The edit box of an edit or combo-box control of a command bar: a child
// of the bar placed in the control's field. Typed keys go straight to it,
// past the frame's accelerators (Tab, Enter and Escape still reach the
// bar, which tracks while the box has the focus); copy, cut and paste
// commands go to it while it has the focus; its mouse moves keep the bar's
// hot tracking.

#include "platform/ui/CEdit.h"

#include <QPointer>

#include <string>

class CTKCommandBar;
class CTKControl;
class CTKEdit;

// The control behind an edit box: it owns the box, keeps its text while
// the box does not exist, and is what the box's messages call. While the
// box has the focus the bar tracks with the control selected as its key
// receiver, inside the popup tracker's modal state.
class CTKEditOwner {
public:
    virtual ~CTKEditOwner() = default;
    // A new box object of this control's kind, not created yet.
    virtual CTKEdit* CreateEditWindow();
    virtual void OnEditSetFocus(CWnd* oldFocus);
    virtual void OnEditKillFocus();
    // Escape in the box: the text it had when it took the focus comes back.
    virtual void OnEditCancel();
    // The box goes: its text stays with the control.
    virtual void OnEditDestroy(const std::string& text);

    // The box's text when it exists, else the stored text.
    std::string GetEditText() const;
    CTKEdit* GetEditCtrl() const { return m_pEdit.data(); }

protected:
    virtual CTKControl& EditingControl() = 0;

    void CreateEditObject();
    // The box goes and its text stays with the control.
    void DestroyEditWindow();
    BOOL HasEditFocus() const;
    // Shown while the control is, hidden while it is not.
    void ShowEditWindow();
    void EnableEditWindow(BOOL enabled);
    // Whether the box is made and lives in the control's bar.
    BOOL IsEditWindowPlaced();
    // Makes the box in the control's bar once and moves it onto the field:
    // after the label and a gap, rightReserve short of the control's right
    // edge, inset from its edges.
    void PlaceEditWindow(const CRect& rect, int labelWidth, int rightReserve);
    // The control is no longer selected: a box with the focus gives it back
    // to the window that had it, or to the bar's site, if that still exists.
    void GiveEditFocusBack();

    QPointer<CTKEdit> m_pEdit;
    std::string m_strEditText;

private:
    // The text when the box took the focus, for Escape.
    std::string m_savedText;
    BOOL m_modal = FALSE;
};

class CTKEdit : public CEdit {
    Q_OBJECT
public:
    CTKEdit(CTKControl* control, CTKEditOwner* owner);
    ~CTKEdit() override;

    CTKControl* GetControl() const { return m_pControl; }
    // The control lets go of the box (it is about to delete it).
    void Detach();

    // Copy and cut are enabled with a selection, paste with text on the clipboard.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;
    // Copy, cut and paste become the clipboard messages; nothing else is taken.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The command the box would take from the frame, as OnCommand does.
    static BOOL IsEditCommand(UINT id);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnDestroy() override;

private:
    CTKCommandBar* GetBar() const;

    CTKControl* m_pControl;
    CTKEditOwner* m_pOwner;
};
