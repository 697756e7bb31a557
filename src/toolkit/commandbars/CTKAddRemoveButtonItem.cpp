#include "toolkit/commandbars/CTKAddRemoveButtonItem.h"

#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

namespace {

constexpr DWORD kItemFlags = kTKFlagNoUpdate | kTKFlagNoCustomize;

} // namespace

CTKAddRemoveButtonItem::CTKAddRemoveButtonItem(CTKControl* target) : m_pTarget(target)
{
    m_dwFlags = kItemFlags;
    m_pTarget->InternalAddRef();
}

CTKAddRemoveButtonItem::CTKAddRemoveButtonItem(CTKToolBar* resetBar) : m_pResetBar(resetBar)
{
    m_dwFlags = kItemFlags;
}

CTKAddRemoveButtonItem::~CTKAddRemoveButtonItem()
{
    if (m_pTarget)
        m_pTarget->InternalRelease();
}

// Themes that draw no menu-entry look of their own show a plain menu item.
CSize CTKAddRemoveButtonItem::GetSize(CDC* dc)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    CSize size;
    if (renderer)
        renderer->DrawSpecialControl(&size, dc, kTKSpecialMenuEntry, this, m_pParent, FALSE, nullptr);
    if (size.cx > 0 && size.cy > 0)
        return size;
    return CTKControlButton::GetSize(dc);
}

void CTKAddRemoveButtonItem::Draw(CDC* dc)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    CSize size;
    if (renderer)
        renderer->DrawSpecialControl(&size, dc, kTKSpecialMenuEntry, this, m_pParent, FALSE, nullptr);
    if (size.cx > 0 && size.cy > 0) {
        renderer->DrawSpecialControl(&size, dc, kTKSpecialMenuEntry, this, m_pParent, TRUE, nullptr);
        return;
    }
    CTKControlButton::Draw(dc);
}

void CTKAddRemoveButtonItem::Execute()
{
    CTKPopupTracker& tracker = CTKPopupTracker::Get();
    if (m_pResetBar) {
        tracker.CloseTrackedBars();
        m_pResetBar->Reset();
        return;
    }
    if (!m_pTarget)
        return;
    const BOOL hide = (m_pTarget->GetHideFlags() & kTKHideCustomize) == 0;
    m_pTarget->SetHideFlags(hide ? m_pTarget->GetHideFlags() | kTKHideCustomize
                                 : m_pTarget->GetHideFlags() & ~kTKHideCustomize);
    SetChecked(!hide);
    if (CTKCommandBar* bar = m_pTarget->GetParent())
        bar->OnRecalcLayout();
    for (CTKCommandBar* open : tracker.GetTrackedBars()) {
        if (open->IsWindow())
            open->Invalidate(FALSE);
    }
}
