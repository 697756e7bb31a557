#pragma once
// An item of the context menu of a customised control. Choosing it closes
// the menu and tells the customise sheet first; the sheet's command
// follows only when the sheet did not take the notification.

#include "toolkit/commandbars/CTKControlButton.h"

class CTKCustomizeMenuButton : public CTKControlButton {
public:
    void Execute() override;

    // Closes the menu of the control and sends the sheet the control's
    // notification; the sheet's answer (0: not taken).
    static LRESULT NotifyOwner(CTKControl* control);
};
