#include "CTKPopupShadow.h"

#include "CTKCommandBar.h"
#include "CTKControl.h"
#include "CTKShadowWnd.h"
#include "CTKWindowHookMap.h"
#include "draw/CTKBarRenderer.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CWnd.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Where the strips of two popups meet they are joined into one edge.
void JoinWith(const CTKShadowWnd& other, BOOL bottom, CRect& strip)
{
    const CRect o = other.GetWindowRect();
    if (!bottom && strip.top == o.bottom - 1 && o.left < strip.right && strip.right < o.right)
        strip.top -= 2 * o.Height();
    if (bottom && strip.left == o.right - 1 && o.top < strip.top && strip.bottom < o.bottom)
        strip.left -= 2 * o.Width() + 1;
}

CRect ScreenRect(const CWnd* window)
{
    CRect rect;
    window->GetWindowRect(&rect);
    return rect;
}

} // namespace

CTKPopupShadow::CTKPopupShadow() = default;

CTKPopupShadow::~CTKPopupShadow()
{
    // Windows cannot be destroyed once the application object is gone; the
    // process is ending then, so the strips are left to it.
    if (QCoreApplication::instance())
        return;
    for (auto& shadow : m_shadows)
        static_cast<void>(shadow.release());
}

CTKPopupShadow& CTKPopupShadow::Get()
{
    static CTKPopupShadow shadows;
    return shadows;
}

CTKShadowWnd* CTKPopupShadow::GetShadow(int index) const
{
    if (index < 0 || index >= GetShadowCount())
        return nullptr;
    return m_shadows[index].get();
}

void CTKPopupShadow::ShowShadow(CTKCommandBar* popup, const CRect* exclude)
{
    if (!popup || !popup->IsWindow() || popup->IsCustomizeMode())
        return;
    CTKBarRenderer* renderer = popup->GetBarRenderer();
    const BOOL flat = renderer && renderer->IsFlatStyle();
    if (!flat && !CSystemMetrics::Instance().GetDropShadow())
        return;
    const CRect rect = ScreenRect(popup);
    const CRect excluded = exclude ? *exclude : CRect();
    const COLORREF color = renderer ? renderer->m_clrPopupShadow : 0;
    CreateShadow(TRUE, flat, rect, excluded, popup, color);
    CreateShadow(FALSE, flat, rect, excluded, popup, color);
}

void CTKPopupShadow::ShowControlShadow(CTKControl* control)
{
    CTKCommandBar* bar = control ? control->GetParent() : nullptr;
    if (!bar || !bar->IsWindow() || bar->IsCustomizeMode())
        return;
    CTKBarRenderer* renderer = control->GetBarRenderer();
    if (!renderer || !renderer->IsFlatStyle())
        return;
    // Shown again after a new layout, the strips replace the old ones.
    RemoveShadows(bar);
    CRect rect = control->GetRect();
    bar->ClientToScreen(&rect);
    CreateShadow(TRUE, TRUE, rect, CRect(), bar, renderer->m_clrPopupShadow);
    CreateShadow(FALSE, TRUE, rect, CRect(), bar, renderer->m_clrPopupShadow);
}

void CTKPopupShadow::RemoveControlShadow(CTKControl* control)
{
    CTKCommandBar* bar = control ? control->GetParent() : nullptr;
    // The strips of a popup belong to the popup, not to a control in it.
    if (!bar || bar->GetPosition() == kTKPositionPopup)
        return;
    RemoveShadows(bar);
}

void CTKPopupShadow::CreateShadow(BOOL bottom, BOOL flat, const CRect& popupRect, const CRect& exclude, CWnd* owner,
                                  COLORREF color)
{
    const int t = CTKShadowWnd::kThickness;
    auto shadow = std::make_unique<CTKShadowWnd>(*this, bottom, flat, owner);
    CRect strip = bottom ? CRect(popupRect.left + t, popupRect.bottom, popupRect.right + t, popupRect.bottom + t)
                         : CRect(popupRect.right, popupRect.top + t, popupRect.right + t, popupRect.bottom);
    for (const auto& other : m_shadows)
        if (other->IsBottom() != bottom)
            JoinWith(*other, bottom, strip);
    shadow->SetShadowColor(color);
    shadow->MoveTo(strip);
    CTKShadowWnd* created = shadow.get();
    m_shadows.push_back(std::move(shadow));
    if (flat)
        created->ExcludeRect(exclude);
    for (const auto& listed : m_shadows)
        if (CWnd* listedOwner = listed->GetOwner(); listedOwner && listedOwner->IsWindow())
            created->ExcludeRect(ScreenRect(listedOwner));
    created->show();
    CTKWindowHookMap::Get().AddHook(owner, created);
}

void CTKPopupShadow::RemoveShadow(CTKShadowWnd* shadow)
{
    auto it = std::find_if(m_shadows.begin(), m_shadows.end(), [&](const auto& s) { return s.get() == shadow; });
    if (it == m_shadows.end())
        return;
    std::unique_ptr<CTKShadowWnd> removed = std::move(*it);
    m_shadows.erase(it);
    removed->hide();
    removed->ClearOwner();
}

void CTKPopupShadow::RemoveShadows(CWnd* owner)
{
    std::vector<CTKShadowWnd*> owned;
    for (const auto& shadow : m_shadows)
        if (shadow->GetOwner() == owner)
            owned.push_back(shadow.get());
    for (CTKShadowWnd* shadow : owned)
        RemoveShadow(shadow);
}
