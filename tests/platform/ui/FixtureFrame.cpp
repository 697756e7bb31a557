#include "FixtureFrame.h"

#include "platform/ui/CResourceStore.h"

#include <gtest/gtest.h>

namespace {

void Log(const std::string& who, UINT id)
{
    FixtureLog().push_back(who + ":" + std::to_string(id));
}

// Shows an update handler's answer in the menu item.
class CMenuItemCmdUI : public CCmdUI {
public:
    CMenuItemCmdUI(CMenu& menu, UINT id) : CCmdUI(id), m_menu(menu) {}
    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        m_menu.EnableMenuItem(m_nID, on ? MF_ENABLED : MF_GRAYED);
    }
    void SetCheck(int check) override
    {
        CCmdUI::SetCheck(check);
        m_menu.CheckMenuItem(m_nID, check ? MF_CHECKED : MF_UNCHECKED);
    }

private:
    CMenu& m_menu;
};

} // namespace

std::vector<std::string>& FixtureLog()
{
    static std::vector<std::string> log;
    return log;
}

void LoadFixtureResources()
{
    static bool loaded = false;
    if (loaded)
        return;
    std::string error;
    ASSERT_TRUE(CResourceStore::Instance().LoadFile(":/tests/fixture.rc", &error)) << error;
    loaded = true;
}

LRESULT CFixtureStrip::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect& free = layout->rect;
    if (m_bottom) {
        MoveWindow(CRect(free.left, free.bottom - m_height, free.right, free.bottom));
        free.bottom -= m_height;
    } else {
        MoveWindow(CRect(free.left, free.top, free.right, free.top + m_height));
        free.top += m_height;
    }
    layout->sizeTotal.cy += m_height;
    return 0;
}

CFixtureMenuStrip::CFixtureMenuStrip() : CFixtureStrip(22, false)
{
    m_menu.LoadMenu(123);
}

void CFixtureMenuStrip::OnIdleUpdateCmdUI(BOOL disableIfNoHandler)
{
    ++m_idleUpdates;
    if (CFrameWnd* frame = GetParentFrame())
        UpdateMenu(m_menu, frame, disableIfNoHandler);
}

void CFixtureMenuStrip::UpdateMenu(CMenu& menu, CCmdTarget* target, BOOL disableIfNoHandler)
{
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        if (CMenu* sub = menu.GetSubMenu(i)) {
            UpdateMenu(*sub, target, disableIfNoHandler);
            continue;
        }
        UINT id = menu.GetMenuItemID(i);
        if (id == 0)
            continue;
        CMenuItemCmdUI state(menu, id);
        state.DoUpdate(target, disableIfNoHandler);
    }
}

CFixtureDocument::CFixtureDocument()
{
    using Cmd = CCmdEntry<CFixtureDocument>;
    static const Cmd kCommands[] = {
        Cmd::Command(57637, &CFixtureDocument::OnEditPaste),
    };
    AddCommandTable(kCommands);
}

void CFixtureDocument::OnEditPaste()
{
    Log("document " + GetTitle(), 57637);
}

CFixtureView::CFixtureView()
{
    using Cmd = CCmdEntry<CFixtureView>;
    static const Cmd kCommands[] = {
        Cmd::Command(57634, &CFixtureView::OnEditCopy),
    };
    AddCommandTable(kCommands);
    setFocusPolicy(Qt::StrongFocus);
}

void CFixtureView::OnEditCopy()
{
    Log("view", 57634);
}

void CFixtureView::OnKeyDown(UINT ch, UINT, UINT)
{
    if (ch != VK_SHIFT && ch != VK_CONTROL && ch != VK_MENU)
        ++keyDowns;
}

CFixtureChild::CFixtureChild(const std::string& name) : m_name(name)
{
    using Cmd = CCmdEntry<CFixtureChild>;
    static const Cmd kCommands[] = {
        Cmd::Command(32927, &CFixtureChild::OnSymbolicAddressing),
        Cmd::Update(32927, &CFixtureChild::OnUpdateSymbolicAddressing),
    };
    AddCommandTable(kCommands);
    m_document.SetTitle(name);
}

CFixtureChild::~CFixtureChild()
{
    if (m_view)
        m_document.RemoveView(m_view);
}

int CFixtureChild::OnCreate()
{
    if (CMDIChildWnd::OnCreate() == -1)
        return -1;
    m_view = new CFixtureView;
    m_document.AddView(m_view);
    CRect area;
    GetClientRect(&area);
    if (!m_view->Create(this, area, AFX_IDW_PANE_FIRST, WS_CHILD | WS_VISIBLE))
        return -1;
    SetActiveView(m_view);
    return 0;
}

void CFixtureChild::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(activate, activateWnd, deactivateWnd);
    if (activate)
        ++activations;
}

void CFixtureChild::OnSymbolicAddressing()
{
    Log("child " + m_name, 32927);
}

void CFixtureChild::OnUpdateSymbolicAddressing(CCmdUI* cmdUI)
{
    cmdUI->SetRadio(m_name == "MAIN");
}

CFixtureFrame::CFixtureFrame()
{
    using Cmd = CCmdEntry<CFixtureFrame>;
    static const Cmd kCommands[] = {
        Cmd::Command(32695, &CFixtureFrame::OnNewProject),
        Cmd::Command(32697, &CFixtureFrame::OnCloseProject),
        Cmd::Command(32910, &CFixtureFrame::OnWindowClose),
        Cmd::Command(32806, &CFixtureFrame::OnMonitor),
        Cmd::Update(32695, &CFixtureFrame::OnUpdateNotMonitoring),
        Cmd::Update(32697, &CFixtureFrame::OnUpdateProjectOpen),
        Cmd::Update(32910, &CFixtureFrame::OnUpdateChildActive),
        Cmd::Update(32779, &CFixtureFrame::OnUpdateSave),
    };
    AddCommandTable(kCommands);
    m_bAutoDelete = FALSE;
}

int CFixtureFrame::OnCreate()
{
    if (CMDIFrameWnd::OnCreate() == -1)
        return -1;
    if (!m_statusStrip.Create(this, CRect(), AFX_IDW_STATUS_BAR, WS_CHILD | WS_VISIBLE))
        return -1;
    if (!m_menuStrip.Create(this, CRect(), 0, WS_CHILD | WS_VISIBLE))
        return -1;
    if (!m_topBar.Create(this, CRect(), AFX_IDW_TOOLBAR, WS_CHILD | WS_VISIBLE))
        return -1;
    return 0;
}

CFixtureChild* CFixtureFrame::OpenChild(const std::string& name)
{
    auto* child = new CFixtureChild(name);
    if (!child->Create(name, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(), this)) {
        delete child;
        return nullptr;
    }
    return child;
}

BOOL CFixtureFrame::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
        if (GetKeyState(VK_CONTROL) < 0)
            GetMDIClient()->SendMessage(WM_MDINEXT, 0, 0);
        return TRUE;
    }
    return CMDIFrameWnd::PreTranslateMessage(msg);
}

void CFixtureFrame::OnNewProject()
{
    Log("frame", 32695);
    projectOpen = TRUE;
}

void CFixtureFrame::OnCloseProject()
{
    Log("frame", 32697);
    projectOpen = FALSE;
}

void CFixtureFrame::OnWindowClose()
{
    Log("frame", 32910);
    if (CMDIChildWnd* child = MDIGetActive())
        child->PostMessage(WM_CLOSE);
}

void CFixtureFrame::OnMonitor()
{
    Log("frame", 32806);
    monitoring = !monitoring;
}

void CFixtureFrame::OnUpdateNotMonitoring(CCmdUI* cmdUI)
{
    cmdUI->Enable(!monitoring);
}

void CFixtureFrame::OnUpdateProjectOpen(CCmdUI* cmdUI)
{
    cmdUI->Enable(projectOpen && !monitoring);
}

void CFixtureFrame::OnUpdateChildActive(CCmdUI* cmdUI)
{
    cmdUI->Enable(MDIGetActive() != nullptr);
}

void CFixtureFrame::OnUpdateSave(CCmdUI* cmdUI)
{
    cmdUI->Enable(projectOpen && !monitoring);
}

CFixtureApp::CFixtureApp() : CWinApp("ZUL_Q7")
{
    using Cmd = CCmdEntry<CFixtureApp>;
    static const Cmd kCommands[] = {
        Cmd::Command(32779, &CFixtureApp::OnSaveProject),
        Cmd::Update(32779, &CFixtureApp::OnUpdateSave),
        Cmd::Command(57664, &CFixtureApp::OnAbout),
    };
    AddCommandTable(kCommands);
}

void CFixtureApp::OnSaveProject()
{
    Log("app", 32779);
}

void CFixtureApp::OnAbout()
{
    Log("app", 57664);
}

void CFixtureApp::OnUpdateSave(CCmdUI* cmdUI)
{
    cmdUI->Enable(TRUE);
}
