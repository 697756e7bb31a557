#include "toolkit/commandbars/CTKCustomizeMenuEdit.h"

#include "toolkit/commandbars/CTKCustomizeMenuButton.h"

void CTKCustomizeMenuEdit::Execute()
{
    CTKCustomizeMenuButton::NotifyOwner(this);
}
