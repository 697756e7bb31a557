// The test frame end to end: layout, Ctrl+Tab, command routing, update
// handlers at idle, accelerators, MDI management and the tab-client hooks.

#include "FixtureFrame.h"

#include "platform/Gbk.h"
#include "platform/ui/CIdlePump.h"
#include "platform/ui/CQtStatusLine.h"
#include "platform/ui/CWindowHook.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

CRect GeometryOf(const QWidget& w)
{
    return CRect(w.x(), w.y(), w.x() + w.width(), w.y() + w.height());
}

void ProcessQueue()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// A posted message arms the idle pass, which runs once the queue is empty.
void Idle(CWnd* wnd)
{
    wnd->PostMessage(WM_NULL);
    ProcessQueue();
}

class FixtureFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadFixtureResources();
        FixtureLog().clear();
        frame = std::make_unique<CFixtureFrame>();
        ASSERT_TRUE(frame->LoadFrame(122));
        frame->MoveWindow(CRect(0, 0, 400, 300));
        frame->ShowWindow(SW_SHOW);
        QApplication::setActiveWindow(frame.get());
    }
    void TearDown() override
    {
        frame->DestroyWindow();
        frame.reset();
        ProcessQueue();
    }

    UINT MenuState(UINT id) const { return frame->MenuStrip().Menu().GetMenuState(id, MF_BYCOMMAND); }
    BOOL Enabled(UINT id) const { return (MenuState(id) & MF_GRAYED) == 0; }

    CFixtureApp app;
    std::unique_ptr<CFixtureFrame> frame;
};

TEST_F(FixtureFrameTest, TitleMenuAndAcceleratorsComeFromTheResourceFile)
{
    EXPECT_EQ(frame->GetWindowText(), "OrvelBuilder V1.1.8.0");
    CMenu& menu = frame->MenuStrip().Menu();
    ASSERT_EQ(menu.GetMenuItemCount(), 4);
    EXPECT_EQ(menu.GetMenuString(0, MF_BYPOSITION), "&File");
    EXPECT_EQ(menu.GetMenuString(32695, MF_BYCOMMAND), "&New Project...\tCtrl+N");
    EXPECT_EQ(menu.GetSubMenu(3)->GetMenuString(1, MF_BYPOSITION), Utf8ToGbk("PID自整定"));
}

TEST_F(FixtureFrameTest, BarsTakeTheirShareInCreationOrderAndTheClientGetsTheRest)
{
    EXPECT_EQ(GeometryOf(frame->StatusStrip()), CRect(0, 280, 400, 300));
    EXPECT_EQ(GeometryOf(frame->MenuStrip()), CRect(0, 0, 400, 22));
    EXPECT_EQ(GeometryOf(frame->TopBar()), CRect(0, 22, 400, 46));
    EXPECT_EQ(GeometryOf(*frame->GetMDIClient()), CRect(0, 46, 400, 280));

    frame->MoveWindow(CRect(0, 0, 500, 200));
    EXPECT_EQ(GeometryOf(frame->StatusStrip()), CRect(0, 180, 500, 200));
    EXPECT_EQ(GeometryOf(*frame->GetMDIClient()), CRect(0, 46, 500, 180));
}

TEST_F(FixtureFrameTest, DelayedLayoutRunsInTheNextIdlePass)
{
    frame->TopBar().SetHeight(40);
    frame->DelayRecalcLayout();
    EXPECT_TRUE(frame->IsLayoutPending());
    EXPECT_EQ(GeometryOf(*frame->GetMDIClient()).top, 46);

    ProcessQueue();
    EXPECT_FALSE(frame->IsLayoutPending());
    EXPECT_EQ(GeometryOf(frame->TopBar()), CRect(0, 22, 400, 62));
    EXPECT_EQ(GeometryOf(*frame->GetMDIClient()), CRect(0, 62, 400, 280));
}

TEST_F(FixtureFrameTest, CtrlTabMovesBetweenChildrenAndTabAloneIsSwallowed)
{
    CFixtureChild* a = frame->OpenChild("MAIN");
    CFixtureChild* b = frame->OpenChild("SBR_0");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(frame->MDIGetActive(), b);

    QTest::keyClick(b->View(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(frame->MDIGetActive(), a);
    QTest::keyClick(a->View(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(frame->MDIGetActive(), b);

    QTest::keyClick(b->View(), Qt::Key_Tab);
    EXPECT_EQ(frame->MDIGetActive(), b);
    EXPECT_EQ(b->View()->keyDowns, 0);
    QTest::keyClick(b->View(), Qt::Key_A);
    EXPECT_EQ(b->View()->keyDowns, 1);
}

TEST_F(FixtureFrameTest, CommandsRouteToActiveChildViewDocumentFrameAndApplication)
{
    CFixtureChild* a = frame->OpenChild("MAIN");
    CFixtureChild* b = frame->OpenChild("SBR_0");
    ASSERT_TRUE(a && b);
    const UINT ids[] = {32927, 57634, 57637, 32695, 57664};
    for (UINT id : ids)
        frame->SendMessage(WM_COMMAND, id);
    a->MDIActivate();
    frame->SendMessage(WM_COMMAND, 32927);
    frame->SendMessage(WM_COMMAND, 57637);
    EXPECT_EQ(FixtureLog(), (std::vector<std::string>{"child SBR_0:32927", "view:57634", "document SBR_0:57637",
                                                      "frame:32695", "app:57664", "child MAIN:32927",
                                                      "document MAIN:57637"}));

    FixtureLog().clear();
    a->DestroyWindow();
    b->DestroyWindow();
    frame->SendMessage(WM_COMMAND, 32927);
    EXPECT_TRUE(FixtureLog().empty());
}

TEST_F(FixtureFrameTest, UpdateHandlersSetTheMenuWhenTheQueueRunsEmpty)
{
    ProcessQueue();
    int before = frame->MenuStrip().IdleUpdates();
    ProcessQueue();
    EXPECT_EQ(frame->MenuStrip().IdleUpdates(), before);
    frame->PostMessage(WM_NULL);
    ProcessQueue();
    EXPECT_GT(frame->MenuStrip().IdleUpdates(), before);

    EXPECT_TRUE(Enabled(32695));    // frame: not monitoring
    EXPECT_FALSE(Enabled(32697));   // frame: no project
    EXPECT_FALSE(Enabled(32779));   // the frame's handler comes before the application's
    EXPECT_FALSE(Enabled(32781));   // no handler anywhere
    EXPECT_FALSE(Enabled(32910));   // no child
    EXPECT_FALSE(Enabled(32927));   // only children handle it

    frame->projectOpen = TRUE;
    frame->OpenChild("MAIN");
    Idle(frame.get());
    EXPECT_TRUE(Enabled(32697));
    EXPECT_TRUE(Enabled(32779));
    EXPECT_TRUE(Enabled(32910));
    EXPECT_TRUE(Enabled(32927));
    EXPECT_TRUE(MenuState(32927) & MF_CHECKED);

    frame->OpenChild("SBR_0");
    frame->monitoring = TRUE;
    Idle(frame.get());
    EXPECT_FALSE(Enabled(32695));
    EXPECT_FALSE(Enabled(32779));
    EXPECT_FALSE(MenuState(32927) & MF_CHECKED);
}

TEST_F(FixtureFrameTest, AcceleratorsRunOnlyEnabledCommands)
{
    CFixtureChild* a = frame->OpenChild("MAIN");
    frame->monitoring = TRUE;
    QTest::keyClick(a->View(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(FixtureLog().empty());

    QTest::keyClick(a->View(), Qt::Key_F6);
    EXPECT_FALSE(frame->monitoring);
    QTest::keyClick(a->View(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(a->View(), Qt::Key_Y, Qt::AltModifier);
    EXPECT_EQ(FixtureLog(), (std::vector<std::string>{"frame:32806", "frame:32695", "child MAIN:32927"}));
    EXPECT_EQ(a->View()->keyDowns, 0);
}

TEST_F(FixtureFrameTest, PlainQtEditorsInAViewUseTheAcceleratorsButDialogsDoNot)
{
    CFixtureChild* a = frame->OpenChild("MAIN");
    QLineEdit inView(a->View());
    QTest::keyClick(&inView, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(FixtureLog(), (std::vector<std::string>{"frame:32695"}));

    QDialog dialog(frame.get());
    QLineEdit inDialog(&dialog);
    QTest::keyClick(&inDialog, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&inDialog, Qt::Key_X);
    EXPECT_EQ(FixtureLog().size(), 1u);
    EXPECT_EQ(inDialog.text(), QStringLiteral("x"));
}

TEST_F(FixtureFrameTest, ChildIdsFollowCreationOrderAndCloseActivatesTheNext)
{
    CFixtureChild* a = frame->OpenChild("A");
    CFixtureChild* b = frame->OpenChild("B");
    CFixtureChild* c = frame->OpenChild("C");
    EXPECT_EQ(a->GetDlgCtrlID(), AFX_IDM_FIRST_MDICHILD);
    EXPECT_EQ(c->GetDlgCtrlID(), AFX_IDM_FIRST_MDICHILD + 2);
    EXPECT_TRUE(c->GetExStyle() & WS_EX_MDICHILD);

    frame->SendMessage(WM_COMMAND, 32910);   // posts WM_CLOSE to the active child
    EXPECT_EQ(frame->MDIGetActive(), c);
    ProcessQueue();
    EXPECT_EQ(frame->GetMDIClient()->GetChildrenInCreationOrder(), (std::vector<CMDIChildWnd*>{a, b}));
    EXPECT_EQ(frame->MDIGetActive(), b);

    a->MDIDestroy();
    EXPECT_EQ(b->GetDlgCtrlID(), AFX_IDM_FIRST_MDICHILD);
    EXPECT_EQ(frame->MDIGetActive(), b);
}

TEST_F(FixtureFrameTest, NextAndPreviousWalkTheZOrderSkippingHiddenChildren)
{
    CFixtureChild* a = frame->OpenChild("A");
    CFixtureChild* b = frame->OpenChild("B");
    CFixtureChild* c = frame->OpenChild("C");
    b->MDIActivate();
    a->MDIActivate();   // Z order a, b, c
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        frame->MDINext();
        seen.push_back(static_cast<CFixtureChild*>(frame->MDIGetActive())->Name());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"B", "C", "A", "B"}));

    frame->MDIPrev();
    EXPECT_EQ(frame->MDIGetActive(), a);

    c->ShowWindow(SW_HIDE);
    frame->MDINext();
    frame->MDINext();
    EXPECT_EQ(frame->MDIGetActive(), a);
    EXPECT_EQ(static_cast<LRESULT>(reinterpret_cast<std::intptr_t>(a)),
              frame->GetMDIClient()->SendMessage(WM_MDIGETACTIVE));
}

TEST_F(FixtureFrameTest, MaximisedStatePassesToTheChildThatBecomesActive)
{
    CFixtureChild* a = frame->OpenChild("A");
    CFixtureChild* b = frame->OpenChild("B");
    CRect normal = GeometryOf(*b);
    b->ActivateFrame(SW_SHOWMAXIMIZED);
    BOOL maximized = FALSE;
    EXPECT_EQ(frame->GetMDIClient()->SendMessage(WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)),
              reinterpret_cast<LRESULT>(b));
    EXPECT_TRUE(maximized);
    EXPECT_EQ(GeometryOf(*b), CRect(0, 0, 400, 234));

    a->MDIActivate();
    EXPECT_TRUE(a->IsMaximized());
    EXPECT_FALSE(b->IsMaximized());
    EXPECT_EQ(GeometryOf(*b), normal);

    frame->MoveWindow(CRect(0, 0, 300, 200));
    EXPECT_EQ(GeometryOf(*a), CRect(0, 0, 300, 134));
    a->MDIRestore();
    EXPECT_FALSE(a->IsMaximized());
    EXPECT_EQ(a->activations, 2);
}

// Stands in for the MDI tab client: it watches the client's MDI messages
// and keeps a tab strip above the client area.
class CTabClientStandIn : public CWnd {
public:
    void CalcWindowRect(CRect* rect, UINT) override { rect->top += 18; }
};

class CMessageRecorder : public CWindowHook {
public:
    std::vector<UINT> messages;

protected:
    int OnHookMessage(CWnd*, UINT message, WPARAM*, LPARAM*, LRESULT*) override
    {
        if (message >= WM_MDICREATE && message <= WM_MDIGETACTIVE)
            messages.push_back(message);
        return 0;
    }
};

TEST_F(FixtureFrameTest, TabClientSeesEveryMDIChangeAndPlacesTheClient)
{
    CMessageRecorder recorder;
    recorder.HookWindow(frame->GetMDIClient());
    CFixtureChild* a = frame->OpenChild("A");
    frame->OpenChild("B");
    a->MDIActivate();
    QTest::keyClick(a->View(), Qt::Key_Tab, Qt::ControlModifier);
    a->SendMessage(WM_CLOSE);
    EXPECT_EQ(recorder.messages, (std::vector<UINT>{WM_MDICREATE, WM_MDIACTIVATE, WM_MDICREATE, WM_MDIACTIVATE,
                                                    WM_MDIACTIVATE, WM_MDINEXT, WM_MDIDESTROY}));

    CTabClientStandIn tabClient;
    frame->GetMDIClient()->AttachTabClient(&tabClient);
    frame->RecalcLayout();
    EXPECT_EQ(GeometryOf(*frame->GetMDIClient()), CRect(0, 64, 400, 280));
    frame->GetMDIClient()->DetachTabClient();
}

TEST_F(FixtureFrameTest, ClosingTheMainWindowEndsTheMainLoop)
{
    app.SetMainWnd(frame.get());
    QTimer::singleShot(0, frame.get(), [this] { frame->SendMessage(WM_CLOSE); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(frame->IsWindow());
    EXPECT_EQ(app.GetMainWnd(), nullptr);
}

TEST_F(FixtureFrameTest, StatusLineWritesTheStatusStrip)
{
    CQtStatusLine line(&frame->StatusStrip());
    line.SetStatusText("Ready");
    EXPECT_EQ(frame->StatusStrip().GetWindowText(), "Ready");
    frame->SetMessageText(Utf8ToGbk("就绪"));
    EXPECT_EQ(frame->GetMessageBar()->GetWindowText(), Utf8ToGbk("就绪"));
}

} // namespace
