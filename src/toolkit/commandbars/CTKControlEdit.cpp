#include "toolkit/commandbars/CTKControlEdit.h"

#include "platform/CArchive.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupTracker.h"

IMPLEMENT_SERIAL(CTKControlEdit, CTKControl, 0x80000006)

namespace {

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

void CTKControlEdit::SetEnabled(BOOL enabled)
{
    if (enabled == m_bEnabled)
        return;
    m_bEnabled = enabled;
    EnableEditWindow(enabled);
    RedrawParent();
}

void CTKControlEdit::SetRect(const CRect& rect)
{
    CreateEditObject();
    if (rect == m_rcControl && IsEditWindowPlaced())
        return;
    m_rcControl = rect;
    PlaceEditWindow(rect, m_nLabelWidth, 0);
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
    if (state == kTKSelectedNone)
        GiveEditFocusBack();
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
