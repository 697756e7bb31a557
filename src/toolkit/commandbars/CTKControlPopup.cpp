#include "toolkit/commandbars/CTKControlPopup.h"

#include "platform/CArchive.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupShadow.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

IMPLEMENT_SERIAL(CTKControlPopup, CTKControl, 0x80000006)

CTKControlPopup::CTKControlPopup()
{
    m_nType = kTKControlPopup;
}

CTKControlPopup::~CTKControlPopup()
{
    SetCommandBar(nullptr);
}

void CTKControlPopup::SetCommandBar(CTKCommandBar* bar)
{
    if (bar == m_pCommandBar)
        return;
    if (bar)
        bar->InternalAddRef();
    if (m_pCommandBar)
        m_pCommandBar->InternalRelease();
    m_pCommandBar = bar;
}

namespace {

// The first stored schema that carries the style of a popup control.
constexpr int kSchemaPopupStyle = 5;

} // namespace

void CTKControlPopup::Serialize(CArchive& ar)
{
    CTKControl::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (m_pCommandBar ? m_pCommandBar->GetBarID() : 0u) << m_nStyle;
        return;
    }
    ar >> m_nCommandBarId;
    if (m_nLoadedSchema >= kSchemaPopupStyle)
        ar >> m_nStyle;
}

BOOL CTKControlPopup::IsInPopupBar() const
{
    return m_pParent && m_pParent->GetPosition() == kTKPositionPopup;
}

void CTKControlPopup::OnPopupShown()
{
    if (IsInPopupBar() || m_nType < kTKControlPopup || m_nType > kTKControlSplitButtonPopup)
        return;
    auto* popup = dynamic_cast<CTKPopupBar*>(m_pCommandBar);
    if (popup && popup->HasShadow())
        CTKPopupShadow::Get().ShowControlShadow(this);
}

void CTKControlPopup::AdjustExcludeRect(CRect& rect)
{
    if (CTKBarRenderer* renderer = GetBarRenderer())
        renderer->AdjustExcludeRect(rect, this);
}

BOOL CTKControlPopup::IsEqual(const CTKControl* other) const
{
    if (!CTKControl::IsEqual(other))
        return FALSE;
    const auto* popup = dynamic_cast<const CTKControlPopup*>(other);
    if (!popup)
        return FALSE;
    if (m_pCommandBar && popup->m_pCommandBar)
        return m_pCommandBar->GetControls()->IsEqual(popup->m_pCommandBar->GetControls());
    return TRUE;
}

void CTKControlPopup::Copy(const CTKControl* source, BOOL recursive)
{
    CTKControl::Copy(source, recursive);
    const auto* popup = dynamic_cast<const CTKControlPopup*>(source);
    if (!popup)
        return;
    m_nStyle = popup->m_nStyle;
    m_nCommandBarId = popup->m_nCommandBarId;
    if (!recursive || !popup->m_pCommandBar) {
        SetCommandBar(popup->m_pCommandBar);
        return;
    }
    CTKCommandBar* clone = popup->m_pCommandBar->Clone(TRUE);
    SetCommandBar(clone);
    if (clone)
        clone->InternalRelease();
}

BOOL CTKControlPopup::SetPopuped(BOOL popuped)
{
    m_bPopuped = popuped;
    if (!m_pCommandBar)
        return FALSE;
    if (popuped) {
        if (m_pCommandBar->GetTrackingMode() == 0)
            m_pCommandBar->Popup(this, m_nSelected == kTKSelectedKeyboard);
        OnPopupShown();
        return TRUE;
    }
    m_pCommandBar->SetTrackingMode(0, TRUE, FALSE);
    RedrawParent();
    return TRUE;
}

void CTKControlPopup::OnClick(BOOL keyboard, CPoint point)
{
    if (!m_bEnabled || !m_pParent)
        return;
    const BOOL customizing = IsCustomizeMode();
    if (m_bPopuped && !IsInPopupBar()) {
        // A second click on an open menu-bar title closes its menu.
        m_pParent->SetTrackingMode(0, FALSE, FALSE);
        return;
    }
    const BOOL split = m_nType == kTKControlSplitButtonPopup && !customizing;
    if (split && m_pParent->GetType() == kTKBarPopup) {
        if (keyboard) {
            Execute();
            return;
        }
        if (point.x < m_rcControl.right - kTKSplitMenuArrowWidth) {
            // The item executes on release.
            if (m_pParent->IsWindow())
                m_pParent->KillTimer(kTKHoverTimer);
            return;
        }
    } else if (split && !keyboard && point.x < m_rcControl.right - kTKSplitToolArrowWidth) {
        CRect main = m_rcControl;
        main.right -= kTKSplitToolArrowWidth;
        TrackButton(main);
        return;
    }
    if (customizing && m_pCommandBar && !m_pCommandBar->IsCustomizable())
        return;
    m_pParent->SetPopuped(m_nIndex, FALSE);
    if (customizing)
        OnCustomizeMouseDown();
}

void CTKControlPopup::OnLButtonUp(CPoint point)
{
    if (m_nType != kTKControlSplitButtonPopup || !m_bEnabled || !m_pParent || m_pParent->GetType() != kTKBarPopup)
        return;
    if (point.x < m_rcControl.right - kTKSplitMenuArrowWidth)
        Execute();
}

BOOL CTKControlPopup::OnLButtonDblClk(CPoint point)
{
    auto* popup = dynamic_cast<CTKPopupBar*>(m_pCommandBar);
    const BOOL opensMenu = m_nType == kTKControlPopup || m_nType == kTKControlButtonPopup;
    if (!opensMenu || !popup)
        return CTKControl::OnLButtonDblClk(point);
    if (!m_bPopuped && m_pParent)
        m_pParent->SetPopuped(m_nIndex, FALSE);
    if (m_pCommandBar != popup || !m_bPopuped)
        return FALSE;
    const int defaultItem = popup->GetDefaultItem(0, TRUE);
    if (CTKControl* item = popup->GetControl(defaultItem)) {
        item->Execute();
        return TRUE;
    }
    if (!popup->HasHiddenCommands())
        return FALSE;
    popup->ExpandMenu();
    return TRUE;
}

void CTKControlPopup::OnMouseHover()
{
    if (!m_pParent)
        return;
    if (m_pParent->GetTrackingMode() == 2 || IsInPopupBar()) {
        if (m_bEnabled)
            m_pParent->SetPopuped(m_nIndex, FALSE);
        return;
    }
    CTKControl::OnMouseHover();
}

BOOL CTKControlPopup::SetSelected(int state)
{
    if (!CTKControl::SetSelected(state) || !m_pParent)
        return FALSE;
    const BOOL opensByTracking = m_bEnabled && m_pParent->GetTrackingMode() == 2;
    const BOOL buttonLike = m_nType == kTKControlButtonPopup || m_nType == kTKControlSplitButtonPopup;
    if (buttonLike && m_pParent->GetType() != kTKBarPopup) {
        if (opensByTracking && state == kTKSelectedKeyboard)
            m_pParent->SetPopuped(m_nIndex, FALSE);
        return TRUE;
    }
    if (IsInPopupBar())
        return TRUE;
    if (opensByTracking && state != kTKSelectedNone) {
        // Moving along an open menu bar opens the next menu.
        m_pParent->SetPopuped(m_nIndex, FALSE);
        return TRUE;
    }
    if (state == kTKSelectedNone && m_bPopuped)
        m_pParent->SetPopuped(-1, FALSE);
    return TRUE;
}

void CTKControlPopup::OnCustomizeDragOver(CTKControl* dragged, CPoint, DWORD*)
{
    if (!m_pCommandBar || !m_pCommandBar->IsCustomizable() || !m_pParent)
        return;
    const auto* popup = dynamic_cast<const CTKControlPopup*>(dragged);
    if (popup && popup->IsContainPopup(this)) {
        // The control would be dropped into itself.
        m_pParent->SetPopuped(-1, FALSE);
        m_pParent->SetSelected(-1, FALSE);
        return;
    }
    m_pParent->SetPopuped(m_nIndex, FALSE);
}

BOOL CTKControlPopup::IsContainPopup(const CTKControlPopup* other) const
{
    if (!other || !m_pCommandBar || !other->m_pCommandBar)
        return FALSE;
    if (m_pCommandBar == other->m_pCommandBar)
        return TRUE;
    const CTKControls* controls = m_pCommandBar->GetControls();
    for (int i = 0; i < controls->GetCount(); ++i) {
        const auto* inner = dynamic_cast<const CTKControlPopup*>(controls->GetAt(i));
        if (inner && (inner->IsContainPopup(other) || other->IsContainPopup(inner)))
            return TRUE;
    }
    return FALSE;
}

void CTKControlPopup::ExpandPopupAfterDelay()
{
    auto* popup = dynamic_cast<CTKPopupBar*>(m_pCommandBar);
    if (m_nType == kTKControlPopup && m_bPopuped && popup && popup->HasHiddenCommands() && IsCursorOver())
        popup->ExpandMenu();
}
