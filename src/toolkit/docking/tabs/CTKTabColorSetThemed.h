#pragma once
// The colour set of type 8: tabs drawn by the desktop's visual style. The
// desktop offers none, so it draws as the default set.

#include "toolkit/commandbars/draw/CTKVisualStyles.h"
#include "toolkit/docking/tabs/CTKTabColorSetDefault.h"

class CTKTabColorSetThemed : public CTKTabColorSetDefault {
public:
    void RefreshColors() override;
    BOOL IsThemed() override;

private:
    CTKVisualStyles m_tabTheme;
    CTKVisualStyles m_toolbarTheme;
};
