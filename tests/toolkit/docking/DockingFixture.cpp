#include "DockingFixture.h"

#include "platform/ui/CPaintDC.h"
#include "toolkit/docking/CTKDockingPaneItem.h"

IMPLEMENT_DYNCREATE(CTKFixturePaneView, CView)

void CTKFixturePaneView::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(rect, RGB(255, 255, 255));
}

namespace {

struct ProgramPane {
    UINT id;
    CRect rect;
    int direction;
};

// The program's panes in creation order.
const ProgramPane kPanes[] = {
    {kWorkspacePane, CRect(0, 0, 230, 140), CTKDockingPaneHost::kDockLeft},
    {kOutputPane, CRect(0, 0, 80, 120), CTKDockingPaneHost::kDockBottom},
    {kInstructionsPane, CRect(0, 0, 140, 100), CTKDockingPaneHost::kDockLeft},
    {kCatalogPane, CRect(0, 0, 160, 200), CTKDockingPaneHost::kDockLeft},
};

} // namespace

CTKDockingFixtureFrame::CTKDockingFixtureFrame()
{
    static const CMsgEntry<CTKDockingFixtureFrame> table[] = {
        {CTKDockingPaneHost::kPaneNotify, &CTKDockingFixtureFrame::OnPaneNotify},
    };
    AddMessageTable(table);
}

int CTKDockingFixtureFrame::OnCreate()
{
    if (CTKFixtureFrame::OnCreate() == -1)
        return -1;
    if (!m_host.AttachToFrame(this))
        return -1;
    for (const ProgramPane& program : kPanes) {
        CTKDockingPaneItem* pane = m_host.NewPane(program.id, program.rect, program.direction, nullptr);
        pane->SetOptions(kPaneOptions);
    }
    m_host.PlacePane(Pane(kInstructionsPane), Pane(kWorkspacePane));
    m_host.PlacePane(Pane(kCatalogPane), Pane(kInstructionsPane));
    m_host.OpenPane(Pane(kWorkspacePane));
    SetInterface(2);
    return 0;
}

void CTKDockingFixtureFrame::SetInterface(int setting)
{
    const int style = (setting == 0 || setting == 3) ? 3 : 5;
    m_host.SetStyle(style);
}

LRESULT CTKDockingFixtureFrame::OnPaneNotify(WPARAM kind, LPARAM lParam)
{
    Notice notice {kind, lParam, -1};
    if (kind == CTKDockingPaneHost::kNotifyAction) {
        auto* action = reinterpret_cast<CTKDockingPaneAction*>(lParam);
        notice.action = action->action;
        if (action->action == refuseAction)
            action->cancel = 1;
    }
    notices.push_back(notice);
    if (kind == CTKDockingPaneHost::kNotifyShowing) {
        auto* pane = reinterpret_cast<CTKDockingPaneItem*>(lParam);
        shown[pane->GetId()] = true;
        if (!pane->HasHostedWindow()) {
            const CRuntimeClass* viewClass = CRuntimeClass::FromName("CTKFixturePaneView");
            if (pane->HostView(this, viewClass, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, nullptr,
                               AFX_IDW_PANE_FIRST))
                ++viewsCreated[pane->GetId()];
        }
        return 1;
    }
    if (kind == CTKDockingPaneHost::kNotifyClosing) {
        if (vetoClose)
            return CTKDockingPaneHost::kVeto;
        shown[reinterpret_cast<CTKDockingPaneItem*>(lParam)->GetId()] = false;
        return 1;
    }
    return 0;
}
