#include "toolkit/commandbars/CTKControlEdit.h"

#include "platform/CArchive.h"
#include "platform/ui/WinMessages.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKUIMetrics.h"

IMPLEMENT_SERIAL(CTKControlEdit, CTKControl, 0x80000006)

namespace {

constexpr DWORD kEditStyle = WS_CHILD | ES_AUTOHSCROLL;
constexpr UINT kShowFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
// The box sits inside the field: after the label and this gap, and this far
// from the control's other edges.
constexpr int kLabelGap = 4;
constexpr int kFieldInset = 3;
// Answers of OnHookKeyDown.
constexpr int kKeyToWindow = 2;
// The first stored schema that carries the label setting and the width.
constexpr int kSchemaEditFields = 6;

} // namespace

CTKControlEdit::CTKControlEdit()
{
    m_nType = kTKControlEdit;
}

CTKControlEdit::~CTKControlEdit()
{
    DestroyEditWindow();
}

CTKEdit* CTKControlEdit::CreateEditWindow()
{
    return new CTKEdit(this, this);
}

void CTKControlEdit::CreateEditObject()
{
    if (!m_pEdit)
        m_pEdit = CreateEditWindow();
}

void CTKControlEdit::DestroyEditWindow()
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

BOOL CTKControlEdit::HasEditFocus() const
{
    return m_pEdit && m_pEdit->IsWindow() && CWnd::GetFocus() == m_pEdit.data();
}

void CTKControlEdit::ShowEditWindow() const
{
    if (!m_pEdit || !m_pEdit->IsWindow())
        return;
    m_pEdit->SetWindowPos(nullptr, 0, 0, 0, 0, kShowFlags | (m_dwHideFlags == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

std::string CTKControlEdit::GetEditText() const
{
    if (m_pEdit && m_pEdit->IsWindow())
        return m_pEdit->GetWindowText();
    return m_strEditText;
}

void CTKControlEdit::SetEditText(const std::string& text)
{
    CreateEditObject();
    if (m_pEdit && m_pEdit->IsWindow()) {
        if (m_pEdit->GetWindowText() != text)
            m_pEdit->SetWindowText(text);
        return;
    }
    m_strEditText = text;
}

void CTKControlEdit::OnEditDestroy(const std::string& text)
{
    m_strEditText = text;
}

void CTKControlEdit::SetEnabled(BOOL enabled)
{
    if (enabled == m_bEnabled)
        return;
    m_bEnabled = enabled;
    if (m_pEdit && m_pEdit->IsWindow())
        m_pEdit->EnableWindow(enabled);
    RedrawParent();
}

void CTKControlEdit::SetRect(const CRect& rect)
{
    CreateEditObject();
    CTKEdit* edit = m_pEdit.data();
    if (rect == m_rcControl && edit && edit->IsWindow() && edit->GetParent() == m_pParent)
        return;
    m_rcControl = rect;
    if (!edit || !m_pParent || !m_pParent->IsWindow())
        return;
    if (!edit->IsWindow()) {
        if (!edit->Create(m_pParent, CRect(), 0, kEditStyle))
            return;
        edit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&GetUIMetrics()->fonts[CTKUIMetrics::kRegular]));
        if (!m_strEditText.empty())
            edit->SetWindowText(m_strEditText);
        if (!m_bEnabled)
            edit->EnableWindow(FALSE);
    }
    if (edit->GetParent() != m_pParent)
        edit->SetParent(m_pParent);
    edit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    CRect field = rect;
    field.left += m_nLabelWidth + kLabelGap;
    field.DeflateRect(0, kFieldInset);
    field.right -= kFieldInset;
    edit->MoveWindow(field);
    ShowEditWindow();
}

void CTKControlEdit::SetHideFlags(DWORD hideFlags)
{
    if (hideFlags == m_dwHideFlags)
        return;
    m_dwHideFlags = hideFlags;
    ShowEditWindow();
    DelayLayoutParent();
}

void CTKControlEdit::OnCalcDynamicSize(DWORD layoutMode)
{
    const DWORD flags = (layoutMode & kTKLayoutVertDock) ? (m_dwHideFlags | kTKHideVertical)
                                                         : (m_dwHideFlags & ~kTKHideVertical);
    if (flags == m_dwHideFlags)
        return;
    m_dwHideFlags = flags;
    ShowEditWindow();
}

int CTKControlEdit::OnHookKeyDown(UINT)
{
    return kKeyToWindow;
}

void CTKControlEdit::SetParent(CTKCommandBar* parent)
{
    m_pParent = parent;
    if (!parent)
        DestroyEditWindow();
}

void CTKControlEdit::Copy(const CTKControl* source, BOOL recursive)
{
    const auto* edit = dynamic_cast<const CTKControlEdit*>(source);
    if (edit && edit != this) {
        m_nWidth = edit->m_nWidth;
        SetEditText(edit->GetEditText());
        m_bShowLabel = edit->m_bShowLabel;
    }
    CTKControl::Copy(source, recursive);
}

void CTKControlEdit::OnClick(BOOL keyboard, CPoint)
{
    if (IsCustomizeMode()) {
        m_pParent->SetPopuped(-1, FALSE);
        m_pParent->SetSelected(-1, FALSE);
        OnCustomizeMouseDown();
        return;
    }
    if (keyboard && HasEditFocus()) {
        Execute();
        return;
    }
    if (m_pEdit && m_pEdit->IsWindow())
        m_pEdit->SetFocus();
}

void CTKControlEdit::OnMouseHover()
{
    if (CTKPopupTracker::Get().GetModalDepth() == 0)
        CTKControl::OnMouseHover();
}

BOOL CTKControlEdit::SetSelected(int state)
{
    const BOOL changed = CTKControl::SetSelected(state);
    if (state != kTKSelectedNone || !HasEditFocus() || !m_pParent)
        return changed;
    // The focus goes back only to a window that still exists.
    CWnd* back = m_pParent->GetSavedFocus();
    if (!back || !back->IsWindow())
        back = m_pParent->GetSite();
    if (back && back->IsWindow() && back != m_pEdit.data())
        back->SetFocus();
    m_pParent->Invalidate(FALSE);
    return changed;
}

void CTKControlEdit::Serialize(CArchive& ar)
{
    CTKControl::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bShowLabel << m_nWidth;
        return;
    }
    if (m_nLoadedSchema >= kSchemaEditFields)
        ar >> m_bShowLabel >> m_nWidth;
}
