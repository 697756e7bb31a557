#include "TabClientFixture.h"

#include "platform/ui/CMenu.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

namespace {

constexpr int kNoTabIconsFlags = 2;
// The interface settings and their bar themes; any other setting is Office 2003.
int BarThemeOf(int setting)
{
    switch (setting) {
    case 0: return kTKThemeWindowsXP;
    case 1: return kTKThemeOfficeXP;
    case 3: return kTKThemeClassic;
    default: return kTKThemeOffice2003;
    }
}

constexpr UINT kFirstTabMenuCommand = 32779;
constexpr UINT kLastTabMenuCommand = 32880;

} // namespace

CTKTabFixtureFrame::CTKTabFixtureFrame(BOOL groupsMode) : m_groupsMode(groupsMode)
{
    static const CMsgEntry<CTKTabFixtureFrame> kMessages[] = {
        {kTKMsgTabNotify, &CTKTabFixtureFrame::OnTabNotify},
    };
    AddMessageTable(kMessages);
    using Cmd = CCmdEntry<CTKTabFixtureFrame>;
    static const Cmd kCommands[] = {
        Cmd::CommandRange(kFirstTabMenuCommand, kLastTabMenuCommand, &CTKTabFixtureFrame::OnTabMenuCommand),
    };
    AddCommandTable(kCommands);
}

int CTKTabFixtureFrame::OnCreate()
{
    if (CTKFixtureFrame::OnCreate() == -1)
        return -1;
    auto* bars = new CTKCommandBars;
    SetCommandBars(bars);
    bars->SetFrame(this);
    if (!bars->CreateDockBars())
        return -1;
    if (!m_tabClient.AttachToFrame(this, m_groupsMode))
        return -1;
    if (!m_groupsMode) {
        m_tabClient.GetRenderer()->SetShowIcons(FALSE);
        m_tabClient.SetTabButtonFlags(kNoTabIconsFlags);
    }
    return 0;
}

void CTKTabFixtureFrame::OnDestroy()
{
    CTKFixtureFrame::OnDestroy();
    m_tabClient.Detach();
}

void CTKTabFixtureFrame::SetInterface(int setting)
{
    CTKBarRenderer::SelectTheme(BarThemeOf(setting));
    GetCommandBars()->RefreshAllBars();
}

CMDIChildWnd* CTKTabFixtureFrame::OpenChild(const std::string& title)
{
    auto* child = new CMDIChildWnd;
    if (!child->Create(title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 160, 120), this))
        return nullptr;
    return child;
}

LRESULT CTKTabFixtureFrame::OnTabNotify(WPARAM mouseMessage, LPARAM point)
{
    notices.push_back(mouseMessage);
    if (mouseMessage != WM_RBUTTONDOWN)
        return 0;
    CPoint at(GET_X_LPARAM(point), GET_Y_LPARAM(point));
    CTKTabItem* tab = m_tabClient.HitTestTab(at.x, at.y);
    if (tab != nullptr && tab->GetHandle() != nullptr)
        GetMDIClient()->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(tab->GetHandle()));
    m_tabClient.Refresh(TRUE);
    CMenu menu;
    if (menu.LoadMenu(kTabMenuId) && menu.GetSubMenu(0) != nullptr && m_tabClient.TabPointToScreen(&at))
        CTKCommandBars::ShowContextMenu(menu.GetSubMenu(0), TPM_RIGHTBUTTON, at.x, at.y, this, nullptr, this,
                                        GetCommandBars());
    m_tabClient.Refresh(TRUE);
    return 1;
}

void CTKTabFixtureFrame::OnTabMenuCommand(UINT id)
{
    commands.push_back(id);
}
