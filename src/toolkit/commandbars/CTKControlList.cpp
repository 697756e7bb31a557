#include "toolkit/commandbars/CTKControlList.h"

#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControls.h"

namespace {

constexpr DWORD kDropEffectNone = 0;

} // namespace

BOOL CTKControlList::IsCustomizeDragOverAvail(CTKCommandBar* target, CPoint, DWORD* dropEffect)
{
    if (target && target->GetType() == kTKBarPopup)
        return TRUE;
    if (dropEffect)
        *dropEffect = kDropEffectNone;
    return FALSE;
}

void CTKControlList::RemoveFollowing(const std::function<BOOL(const CTKControl*)>& generated)
{
    if (!m_pControls)
        return;
    while (CTKControl* next = m_pControls->GetAt(m_nIndex + 1)) {
        if (!generated(next))
            return;
        m_pControls->Remove(next);
    }
}

BOOL CTKControlList::ShowPlaceholderForCustomising()
{
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        return TRUE;
    }
    SetHideFlags(m_dwHideFlags | kTKHideListPlaceholder);
    return FALSE;
}
