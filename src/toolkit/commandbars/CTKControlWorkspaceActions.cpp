#include "toolkit/commandbars/CTKControlWorkspaceActions.h"

#include "platform/ui/CMDIClient.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/ITKTabGroupCommands.h"

IMPLEMENT_SERIAL(CTKControlWorkspaceActions, CTKControlButton, 0x80000006)

namespace {

// The tab-group commands in menu order: new horizontal and vertical
// group, move to the previous and the next group.
constexpr UINT kGroupCommands[] = {9422, 9423, 9420, 9421};

// The tab client of the frame's MDI client, or the client itself when it is one.
const ITKTabGroupCommands* FindTabClient(const CTKCommandBar* bar)
{
    auto* frame = dynamic_cast<CMDIFrameWnd*>(bar->GetFrameSite());
    if (!frame)
        return nullptr;
    CMDIClient* client = frame->GetMDIClient();
    if (const auto* tabClient = dynamic_cast<const ITKTabGroupCommands*>(client->GetTabClient()))
        return tabClient;
    return dynamic_cast<const ITKTabGroupCommands*>(client);
}

} // namespace

CTKControlWorkspaceActions::CTKControlWorkspaceActions()
{
    m_nId = kTKWorkspaceActionsId;
}

void CTKControlWorkspaceActions::OnCalcDynamicSize(DWORD)
{
    if (!m_pParent)
        return;
    RemoveFollowing([](const CTKControl* control) {
        return control->GetID() >= kTKFirstGroupCommand && control->GetID() <= kTKLastGroupCommand;
    });
    const ITKTabGroupCommands* tabClient = FindTabClient(m_pParent);
    if (!tabClient)
        return;
    SetHideFlags(m_dwHideFlags | kTKHideListPlaceholder);
    int added = 0;
    for (UINT id : kGroupCommands) {
        if (!tabClient->IsGroupCommandEnabled(id))
            continue;
        CTKControl* item = m_pControls->AddNewControl(kTKControlButton, id, {}, m_nIndex + 1 + added, TRUE);
        ++added;
        if (added == 1)
            item->SetBeginGroup(m_bBeginGroup);
    }
}
