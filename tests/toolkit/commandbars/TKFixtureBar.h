#pragma once
// A fixture bar for the bar base: it lays its controls out in one row at
// their measured sizes (after the gripper, a separator's width between
// groups), takes a strip at the top of its frame, and hands a left-button
// press to the control under the mouse.

#include "platform/ui/CResourceStore.h"
#include "toolkit/commandbars/CTKCommandBar.h"

class CTKFixtureBar : public CTKCommandBar {
public:
    CTKFixtureBar();

    // One button per command of the list, a separator before each group.
    void LoadCommands(const CToolBarResource& list);
    void OnRecalcLayout() override;
    CSize CalcDynamicLayout(int length, DWORD mode) override;

    int LayoutCount() const { return m_layouts; }

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    CSize m_size;
    int m_layouts = 0;
};
