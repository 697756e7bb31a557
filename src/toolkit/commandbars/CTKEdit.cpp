#include "toolkit/commandbars/CTKEdit.h"

#include "platform/CClipboard.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/StandardCommands.h"
#include "platform/ui/WinMessages.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKUIMetrics.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace {

constexpr DWORD kEditStyle = WS_CHILD | ES_AUTOHSCROLL;
constexpr UINT kEditShowFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
// The box sits inside the field: after the label and this gap, and this far
// from the control's other edges.
constexpr int kLabelGap = 4;
constexpr int kFieldInset = 3;

} // namespace

void CTKEditOwner::OnEditSetFocus(CWnd* oldFocus)
{
    CTKControl& control = EditingControl();
    CTKCommandBar* bar = control.GetParent();
    if (!bar)
        return;
    if (!bar->GetSavedFocus())
        bar->SetSavedFocus(oldFocus ? oldFocus : bar->GetSite());
    m_savedText = GetEditText();
    bar->SetPopuped(-1, FALSE);
    bar->SetTrackingMode(1, FALSE, FALSE);
    bar->SetSelected(control.GetIndex(), FALSE);
    if (!m_modal)
        CTKPopupTracker::Get().EnterModal();
    m_modal = TRUE;
    bar->SetKeyReceiver(&control);
}

void CTKEditOwner::OnEditKillFocus()
{
    if (m_modal)
        CTKPopupTracker::Get().LeaveModal();
    m_modal = FALSE;
    CTKControl& control = EditingControl();
    CTKCommandBar* bar = control.GetParent();
    if (bar && bar->GetKeyReceiver() == &control)
        bar->SetKeyReceiver(nullptr);
}

void CTKEditOwner::OnEditCancel()
{
    CTKEdit* edit = m_pEdit.data();
    if (edit && edit->IsWindow() && edit->GetWindowText() != m_savedText)
        edit->SetWindowText(m_savedText);
}

void CTKEditOwner::OnEditDestroy(const std::string& text)
{
    m_strEditText = text;
}

CTKEdit* CTKEditOwner::CreateEditWindow()
{
    return new CTKEdit(&EditingControl(), this);
}

std::string CTKEditOwner::GetEditText() const
{
    if (m_pEdit && m_pEdit->IsWindow())
        return m_pEdit->GetWindowText();
    return m_strEditText;
}

void CTKEditOwner::CreateEditObject()
{
    if (!m_pEdit)
        m_pEdit = CreateEditWindow();
}

void CTKEditOwner::DestroyEditWindow()
{
    OnEditKillFocus();
    CTKEdit* edit = m_pEdit.data();
    m_pEdit.clear();
    if (!edit)
        return;
    if (edit->IsWindow())
        m_strEditText = edit->GetWindowText();
    edit->Detach();
    edit->DestroyWindow();
    edit->InternalRelease();
}

BOOL CTKEditOwner::HasEditFocus() const
{
    return m_pEdit && m_pEdit->IsWindow() && CWnd::GetFocus() == m_pEdit.data();
}

void CTKEditOwner::ShowEditWindow()
{
    if (!m_pEdit || !m_pEdit->IsWindow())
        return;
    const UINT show = EditingControl().GetHideFlags() == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    m_pEdit->SetWindowPos(nullptr, 0, 0, 0, 0, kEditShowFlags | show);
}

void CTKEditOwner::EnableEditWindow(BOOL enabled)
{
    if (m_pEdit && m_pEdit->IsWindow())
        m_pEdit->EnableWindow(enabled);
}

BOOL CTKEditOwner::IsEditWindowPlaced()
{
    return m_pEdit && m_pEdit->IsWindow() && m_pEdit->GetParent() == EditingControl().GetParent();
}

void CTKEditOwner::PlaceEditWindow(const CRect& rect, int labelWidth, int rightReserve)
{
    const CTKControl& control = EditingControl();
    CTKCommandBar* bar = control.GetParent();
    CTKEdit* edit = m_pEdit.data();
    if (!edit || !bar || !bar->IsWindow())
        return;
    if (!edit->IsWindow()) {
        if (!edit->Create(bar, CRect(), 0, kEditStyle))
            return;
        edit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&GetUIMetrics()->fonts[CTKUIMetrics::kRegular]));
        if (!m_strEditText.empty())
            edit->SetWindowText(m_strEditText);
        if (!control.GetEnabled())
            edit->EnableWindow(FALSE);
    }
    if (edit->GetParent() != bar)
        edit->SetParent(bar);
    edit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    CRect field = rect;
    field.left += labelWidth + kLabelGap;
    field.right -= rightReserve + kFieldInset;
    field.DeflateRect(0, kFieldInset);
    edit->MoveWindow(field);
    ShowEditWindow();
}

void CTKEditOwner::GiveEditFocusBack()
{
    CTKCommandBar* bar = EditingControl().GetParent();
    if (!HasEditFocus() || !bar)
        return;
    CWnd* back = bar->GetSavedFocus();
    if (!back || !back->IsWindow())
        back = bar->GetSite();
    if (back && back->IsWindow() && back != m_pEdit.data())
        back->SetFocus();
    bar->Invalidate(FALSE);
}

namespace {

// The keys the bar handles while it tracks: they take the normal way.
BOOL IsBarKey(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter ||
           key == Qt::Key_Escape;
}

} // namespace

CTKEdit::CTKEdit(CTKControl* control, CTKEditOwner* owner) : m_pControl(control), m_pOwner(owner)
{
}

CTKEdit::~CTKEdit()
{
    // Destroyed here, while the box is still one, so its text reaches the control.
    if (IsWindow())
        DestroyWindow();
}

void CTKEdit::Detach()
{
    m_pControl = nullptr;
    m_pOwner = nullptr;
}

CTKCommandBar* CTKEdit::GetBar() const
{
    return m_pControl ? m_pControl->GetParent() : nullptr;
}

BOOL CTKEdit::IsEditCommand(UINT id)
{
    return id == ID_EDIT_COPY || id == ID_EDIT_CUT || id == ID_EDIT_PASTE;
}

BOOL CTKEdit::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info)
{
    if (code != CN_UPDATE_COMMAND_UI || !IsEditCommand(id))
        return FALSE;
    if (info)
        return TRUE;
    auto* state = static_cast<CCmdUI*>(extra);
    if (!state)
        return FALSE;
    if (id == ID_EDIT_PASTE) {
        state->Enable(CClipboard::Get().IsFormatAvailable(CF_TEXT));
        return TRUE;
    }
    int start = 0;
    int end = 0;
    GetSel(start, end);
    state->Enable(start != end);
    return TRUE;
}

BOOL CTKEdit::OnCommand(WPARAM wParam, LPARAM)
{
    struct CommandMessage {
        UINT id;
        UINT message;
    };
    static constexpr CommandMessage kCommands[] = {
        {ID_EDIT_COPY, WM_COPY},
        {ID_EDIT_CUT, WM_CUT},
        {ID_EDIT_PASTE, WM_PASTE},
    };
    const UINT id = LOWORD(wParam);
    for (const CommandMessage& command : kCommands) {
        if (command.id == id) {
            SendMessage(command.message);
            return TRUE;
        }
    }
    return FALSE;
}

bool CTKEdit::event(QEvent* event)
{
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (!key || !isEnabled())
        return CEdit::event(event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (IsBarKey(keyEvent->key())) {
        if (event->type() == QEvent::KeyPress && keyEvent->key() == Qt::Key_Escape && m_pOwner)
            m_pOwner->OnEditCancel();
        return CEdit::event(event);
    }
    DispatchKeyDirectly(keyEvent);
    return true;
}

bool CTKEdit::eventFilter(QObject* watched, QEvent* event)
{
    const bool handled = CEdit::eventFilter(watched, event);
    CTKCommandBar* bar = GetBar();
    if (event->type() != QEvent::MouseMove || !bar || !bar->IsWindow())
        return handled;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!widget)
        return handled;
    // The bar keeps tracking its hot control while the mouse is over the box.
    const QPoint global = widget->mapToGlobal(mouse->position().toPoint());
    CPoint point(global.x(), global.y());
    bar->ScreenToClient(&point);
    bar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    return handled;
}

void CTKEdit::OnSetFocus(CWnd* oldWnd)
{
    QPointer<CTKEdit> self(this);
    if (m_pOwner)
        m_pOwner->OnEditSetFocus(oldWnd);
    if (!self)
        return;
    CEdit::OnSetFocus(oldWnd);
    PostMessage(EM_SETSEL, 0, -1);
}

void CTKEdit::OnKillFocus(CWnd* newWnd)
{
    CEdit::OnKillFocus(newWnd);
    if (m_pOwner)
        m_pOwner->OnEditKillFocus();
}

void CTKEdit::OnDestroy()
{
    if (m_pOwner)
        m_pOwner->OnEditDestroy(GetWindowText());
    CEdit::OnDestroy();
}
