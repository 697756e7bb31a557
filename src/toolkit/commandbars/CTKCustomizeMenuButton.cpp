#include "toolkit/commandbars/CTKCustomizeMenuButton.h"

#include "toolkit/commandbars/CTKCommandBar.h"

void CTKCustomizeMenuButton::Execute()
{
    CTKCommandBar* parent = GetParent();
    CWnd* owner = parent ? parent->GetOwnerSite() : nullptr;
    const UINT id = GetID();
    if (NotifyOwner(this) == 0 && owner && id != 0)
        owner->SendMessage(WM_COMMAND, id, 0);
}

LRESULT CTKCustomizeMenuButton::NotifyOwner(CTKControl* control)
{
    CTKCommandBar* parent = control->GetParent();
    if (!parent)
        return 0;
    CWnd* owner = parent->GetOwnerSite();
    if (CTKCommandBar* root = parent->GetRootBar())
        root->SetTrackingMode(0, FALSE, FALSE);
    if (!owner)
        return 0;
    TKNMCONTROL record;
    record.hdr.idFrom = control->GetID();
    record.hdr.code = kTKExecuteCode;
    record.pControl = control;
    return owner->SendMessage(WM_TK_EXECUTE, control->GetID(), reinterpret_cast<LPARAM>(&record));
}
