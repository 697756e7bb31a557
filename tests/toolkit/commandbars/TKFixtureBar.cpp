#include "TKFixtureBar.h"

#include "platform/ui/CQtImageDC.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"

#include <algorithm>

CTKFixtureBar::CTKFixtureBar()
{
    m_nPosition = kTKPositionTop;
    m_nBarType = kTKBarToolbar;
    m_dwStyle = kTKBarStyleGripper;
}

void CTKFixtureBar::LoadCommands(const CToolBarResource& list)
{
    BOOL group = FALSE;
    for (UINT command : list.commands) {
        if (command == 0) {
            group = TRUE;
            continue;
        }
        CTKControl* control = GetControls()->AddNewControl(kTKControlButton, command);
        control->SetBeginGroup(group);
        group = FALSE;
    }
    OnRecalcLayout();
}

CSize CTKFixtureBar::CalcDynamicLayout(int, DWORD)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    CRect borders;
    renderer->GetCommandBarBorders(&borders, this);
    CQtImageDC dc(1, 1);
    CSize gripper;
    renderer->DrawCommandBarGripper(&gripper, &dc, this, FALSE);
    int x = borders.left + gripper.cx;
    int height = 0;
    BOOL first = TRUE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        if (!control->IsVisible())
            continue;
        if (control->GetBeginGroup() && !first) {
            CSize separator;
            renderer->DrawCommandBarSeparator(&separator, &dc, this, control, FALSE);
            x += separator.cy;
        }
        first = FALSE;
        CTKDCSelectGuard font(&dc, renderer->GetControlFont(this, control->IsDefaultItem()));
        const CSize size = control->GetSize(&dc);
        control->SetRect(CRect(x, borders.top, x + size.cx, borders.top + size.cy));
        x += size.cx;
        height = std::max(height, static_cast<int>(size.cy));
    }
    for (int i = 0; i < GetControlCount(); ++i)
        GetControl(i)->SetRowRect(CRect(borders.left, borders.top, x, borders.top + height));
    return CSize(x + borders.right, height + borders.top + borders.bottom);
}

void CTKFixtureBar::OnRecalcLayout()
{
    ++m_layouts;
    m_size = CalcDynamicLayout(0, 0);
    if (IsWindow())
        Invalidate(FALSE);
}

LRESULT CTKFixtureBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect& free = layout->rect;
    MoveWindow(CRect(free.left, free.top, free.right, free.top + m_size.cy));
    free.top += m_size.cy;
    return 0;
}

void CTKFixtureBar::OnLButtonDown(UINT, CPoint point)
{
    if (CTKControl* control = GetControls()->HitTest(point))
        control->OnClick(FALSE, point);
}
