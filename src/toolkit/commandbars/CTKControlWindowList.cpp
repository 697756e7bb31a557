#include "toolkit/commandbars/CTKControlWindowList.h"

#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIClient.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControls.h"

#include <cstdio>

IMPLEMENT_SERIAL(CTKControlWindowList, CTKControlButton, 0x80000006)

namespace {

constexpr UINT kLowChildIds = 0x8000;
constexpr UINT kLowChildIdsEnd = 0x800E;

} // namespace

CTKControlWindowList::CTKControlWindowList()
{
    m_nId = kTKWindowListId;
}

void CTKControlWindowList::OnCalcDynamicSize(DWORD)
{
    CTKCommandBars* bars = m_pParent ? m_pParent->GetCommandBars() : nullptr;
    const UINT listed = bars ? bars->GetFirstMDIChildId() : kTKMdiFirstChildId;
    RemoveFollowing([listed](const CTKControl* control) { return control->GetID() >= listed; });
    auto* frame = dynamic_cast<CMDIFrameWnd*>(m_pParent ? m_pParent->GetFrameSite() : nullptr);
    CMDIClient* client = frame ? frame->GetMDIClient() : nullptr;
    if (!bars || !client || !client->IsWindow()) {
        SetHideFlags(0);
        return;
    }
    if (ShowPlaceholderForCustomising())
        return;
    const CMDIChildWnd* active = client->GetActive();
    if (active && active->GetDlgCtrlID() >= kLowChildIds && active->GetDlgCtrlID() <= kLowChildIdsEnd)
        bars->SetFirstMDIChildId(kLowChildIds);
    int items = 0;
    for (UINT id = bars->GetFirstMDIChildId(); items < kTKMaxWindowItems; ++id) {
        CWnd* child = client->GetDlgItem(id);
        if (!child)
            return;
        if (!child->IsWindowVisible())
            continue;
        ++items;
        CTKControl* item = m_pControls->AddNewControl(kTKControlButton, id, {}, m_nIndex + items, TRUE);
        char number[16];
        std::snprintf(number, sizeof number, "&%i ", items);
        item->SetCaption(number + child->GetWindowText());
        item->SetBeginGroup(items == 1);
        item->SetChecked(child == active);
        item->SetFlags(kTKListItemFlags);
    }
}
