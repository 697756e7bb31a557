#include "toolkit/commandbars/CTKControlComboBox.h"

#include "platform/CArchive.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControlComboBoxList.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupTracker.h"

IMPLEMENT_SERIAL(CTKControlComboBox, CTKControlPopup, 0x80000006)

namespace {

// Answers of OnHookKeyDown.
constexpr int kKeyConsumed = 1;
constexpr int kKeyToWindow = 2;

} // namespace

CTKControlComboBox::CTKControlComboBox()
{
    m_nType = kTKControlComboBox;
    // The list is made once, with its window, and lives as long as the combo box.
    auto* list = new CTKControlComboBoxList;
    list->CreateListWindow();
    SetCommandBar(list);
    list->InternalRelease();
}

CTKControlComboBox::~CTKControlComboBox()
{
    DestroyEditWindow();
}

CTKControlComboBoxList* CTKControlComboBox::GetList() const
{
    return dynamic_cast<CTKControlComboBoxList*>(GetCommandBar());
}

int CTKControlComboBox::AddString(const std::string& text)
{
    CTKControlComboBoxList* list = GetList();
    return list ? list->AddString(text) : -1;
}

int CTKControlComboBox::GetCount() const
{
    CTKControlComboBoxList* list = GetList();
    return list ? list->GetCount() : 0;
}

int CTKControlComboBox::GetCurSel() const
{
    CTKControlComboBoxList* list = GetList();
    return list ? list->GetCurSel() : -1;
}

void CTKControlComboBox::SetCurSel(int index)
{
    CTKControlComboBoxList* list = GetList();
    if (!list || list->GetCurSel() == index)
        return;
    list->SetCurSel(index);
    OnSelChanged();
}

std::string CTKControlComboBox::GetListText(int index) const
{
    CTKControlComboBoxList* list = GetList();
    return list ? list->GetText(index) : std::string();
}

std::string CTKControlComboBox::GetSelectedItemText() const
{
    const int index = GetCurSel();
    return index < 0 ? std::string() : GetListText(index);
}

BOOL CTKControlComboBox::IsListDropped() const
{
    CTKControlComboBoxList* list = GetList();
    return list && list->GetTrackingMode() != 0 && list->GetParentControl() == this;
}

void CTKControlComboBox::SetEditText(const std::string& text)
{
    if (m_pEdit && m_pEdit->IsWindow()) {
        if (m_pEdit->GetWindowText() != text)
            m_pEdit->SetWindowText(text);
        return;
    }
    m_strEditText = text;
    RedrawParent();
}

void CTKControlComboBox::SetEditable(BOOL editable)
{
    m_bEditable = editable;
    if (editable)
        CreateEditObject();
    else
        DestroyEditWindow();
}

void CTKControlComboBox::OnSelChanged()
{
    const std::string text = GetSelectedItemText();
    if (m_pEdit && m_pEdit->IsWindow())
        m_pEdit->SetWindowText(text);
    else
        m_strEditText = text;
    InvalidateParent();
}

void CTKControlComboBox::SetEnabled(BOOL enabled)
{
    if (enabled == m_bEnabled)
        return;
    m_bEnabled = enabled;
    EnableEditWindow(enabled);
    RedrawParent();
}

void CTKControlComboBox::SetRect(const CRect& rect)
{
    if (m_bEditable)
        CreateEditObject();
    if (rect == m_rcControl && IsEditWindowPlaced())
        return;
    m_rcControl = rect;
    PlaceEditWindow(rect, m_nLabelWidth, m_nDropDownWidth);
}

void CTKControlComboBox::SetHideFlags(DWORD hideFlags)
{
    if (hideFlags == m_dwHideFlags)
        return;
    m_dwHideFlags = hideFlags;
    ShowEditWindow();
    DelayLayoutParent();
}

void CTKControlComboBox::Execute()
{
    m_nSavedSel = GetCurSel();
    CTKControlPopup::Execute();
}

void CTKControlComboBox::OnCalcDynamicSize(DWORD layoutMode)
{
    const DWORD flags = (layoutMode & kTKLayoutVertDock) ? (m_dwHideFlags | kTKHideVertical)
                                                         : (m_dwHideFlags & ~kTKHideVertical);
    if (flags == m_dwHideFlags)
        return;
    m_dwHideFlags = flags;
    ShowEditWindow();
}

int CTKControlComboBox::OnHookKeyDown(UINT)
{
    return m_bEditable ? kKeyToWindow : kKeyConsumed;
}

void CTKControlComboBox::SetParent(CTKCommandBar* parent)
{
    const BOOL moved = parent && parent != m_pParent;
    m_pParent = parent;
    if (!parent) {
        DestroyEditWindow();
        return;
    }
    CTKControlComboBoxList* list = GetList();
    if (!moved || !list)
        return;
    // The new bar's site window owns the list. Only owns: the list lives as
    // long as its combo boxes hold it, never shorter than its owner window.
    if (CWnd* site = parent->GetSite())
        list->SetOwner(site);
}

void CTKControlComboBox::Copy(const CTKControl* source, BOOL recursive)
{
    const auto* combo = dynamic_cast<const CTKControlComboBox*>(source);
    if (combo && combo != this) {
        m_nLabelStyle = combo->m_nLabelStyle;
        m_nWidth = combo->m_nWidth;
        m_strEditText = combo->GetEditText();
        if (combo->m_bEditable)
            SetEditable(TRUE);
        SetEditText(m_strEditText);
    }
    CTKControlPopup::Copy(source, recursive);
}

BOOL CTKControlComboBox::SetPopuped(BOOL popuped)
{
    if (!m_bEditable) {
        // A list closed without a choice keeps the item it had.
        if (popuped)
            m_nSavedSel = GetCurSel();
        else
            SetCurSel(m_nSavedSel);
    }
    return CTKControlPopup::SetPopuped(popuped);
}

void CTKControlComboBox::OnClick(BOOL keyboard, CPoint point)
{
    if (IsCustomizeMode()) {
        m_pParent->SetPopuped(-1, FALSE);
        m_pParent->SetSelected(-1, FALSE);
        OnCustomizeMouseDown();
        return;
    }
    if (!keyboard || !m_pEdit || !m_pEdit->IsWindow()) {
        CTKControlPopup::OnClick(keyboard, point);
        return;
    }
    if (HasEditFocus())
        Execute();
    else
        m_pEdit->SetFocus();
}

void CTKControlComboBox::OnMouseHover()
{
    if (CTKPopupTracker::Get().GetModalDepth() == 0)
        CTKControlPopup::OnMouseHover();
}

BOOL CTKControlComboBox::SetSelected(int state)
{
    const BOOL changed = CTKControlPopup::SetSelected(state);
    if (state == kTKSelectedNone)
        GiveEditFocusBack();
    return changed;
}

void CTKControlComboBox::Serialize(CArchive& ar)
{
    CTKControlPopup::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bEditable << m_nWidth << m_nLabelStyle;
        return;
    }
    BOOL editable = FALSE;
    ar >> editable >> m_nWidth >> m_nLabelStyle;
    if (ar.IsOK())
        SetEditable(editable);
}
