#pragma once
// The tab-group commands of the MDI tab client in a menu: one item per
// command (9422, 9423, 9420, 9421) the tab client can carry out now; none
// without a tab client.

#include "toolkit/commandbars/CTKControlList.h"

constexpr UINT kTKWorkspaceActionsId = 35002;
constexpr UINT kTKFirstGroupCommand = 9420;
constexpr UINT kTKLastGroupCommand = 9423;

class CTKControlWorkspaceActions : public CTKControlList {
    DECLARE_SERIAL(CTKControlWorkspaceActions)
public:
    CTKControlWorkspaceActions();

    void OnCalcDynamicSize(DWORD layoutMode) override;
};
