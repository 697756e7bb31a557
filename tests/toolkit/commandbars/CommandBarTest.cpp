// The bar base in the fixture frame: a fixture bar with the commands of the
// main frame's Standard toolbar, painted in the Classic theme. Execution
// reaches the frame's handlers (or only the return-command slot), idle
// updates follow the frame's update handlers, the press loop executes only
// when released over the button, status prompts, tooltips, help ids, and
// the customise insertion marker.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CIdlePump.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CScreenShot.h"
#include "platform/ui/HelpMessages.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKControlButton.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"

#include "TKFixtureBar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const CRect kFrameRect(40, 30, 640, 330);
constexpr UINT kStandardToolBar = 123;
constexpr UINT kBarId = 59419;
constexpr UINT kNewProject = 32695;
constexpr UINT kOpenProject = 32696;
constexpr UINT kSaveProject = 32779;
constexpr UINT kCloseProject = 32697;
constexpr UINT kPrintPreview = 57609;
constexpr UINT kPrint = 57607;
constexpr UINT kCut = 57635;
constexpr UINT kCopy = 57634;
const UINT kIconCommands[] = {kNewProject, kOpenProject, kSaveProject, kCloseProject, kPrintPreview};

struct Sent {
    UINT message;
    WPARAM wParam;
    std::string text;
    TKNMCONTROL record;
};

// The fixture frame with a few command and update handlers; it records the
// messages the bar sends it.
class CRecordingFrame : public CTKFixtureFrame {
public:
    CRecordingFrame()
    {
        using Cmd = CCmdEntry<CRecordingFrame>;
        static const Cmd kCommands[] = {
            Cmd::Command(kNewProject, &CRecordingFrame::OnNewProject),
            Cmd::Update(kNewProject, &CRecordingFrame::OnUpdateEnable),
            Cmd::Command(kOpenProject, &CRecordingFrame::OnOther),
            Cmd::Update(kOpenProject, &CRecordingFrame::OnUpdateDisable),
            Cmd::Command(kSaveProject, &CRecordingFrame::OnOther),
            Cmd::Update(kSaveProject, &CRecordingFrame::OnUpdateCheck),
            Cmd::Command(kPrintPreview, &CRecordingFrame::OnOther),
            Cmd::Update(kPrintPreview, &CRecordingFrame::OnUpdateDisableAndCheck),
            Cmd::Command(kCopy, &CRecordingFrame::OnOther),
            Cmd::Command(kPrint, &CRecordingFrame::OnOther),
            Cmd::Command(kCut, &CRecordingFrame::OnOther),
            Cmd::Update(kCopy, &CRecordingFrame::OnUpdateText),
        };
        AddCommandTable(kCommands);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_TK_EXECUTE:
            sent.push_back({message, wParam, {}, *reinterpret_cast<const TKNMCONTROL*>(lParam)});
            if (takeExecute)
                return 1;
            break;
        case WM_COMMAND:
        case WM_POPMESSAGESTRING:
        case WM_TK_CONTROL_SELECTED:
            sent.push_back({message, wParam, {}, {}});
            break;
        case WM_SETMESSAGESTRING:
            sent.push_back({message, wParam, reinterpret_cast<const char*>(lParam), {}});
            break;
        default:
            break;
        }
        return CTKFixtureFrame::WindowProc(message, wParam, lParam);
    }

    void OnNewProject() { ran.push_back(kNewProject); }
    void OnOther() { ran.push_back(0); }
    void OnUpdateEnable(CCmdUI* cmdUI) { cmdUI->Enable(TRUE); }
    void OnUpdateDisable(CCmdUI* cmdUI) { cmdUI->Enable(FALSE); }
    void OnUpdateCheck(CCmdUI* cmdUI) { cmdUI->SetCheck(1); }
    void OnUpdateDisableAndCheck(CCmdUI* cmdUI)
    {
        cmdUI->Enable(FALSE);
        cmdUI->SetCheck(1);
    }
    void OnUpdateText(CCmdUI* cmdUI) { cmdUI->SetText("Copy &Now"); }

    std::vector<Sent> sent;
    std::vector<UINT> ran;
    BOOL takeExecute = FALSE;
};

// A bar whose own reflected update handler answers for every control.
class CReflectingBar : public CTKFixtureBar {
public:
    CReflectingBar()
    {
        using Cmd = CCmdEntry<CReflectingBar>;
        static const Cmd kCommands[] = {Cmd::ReflectedUpdate(&CReflectingBar::OnUpdateReflected)};
        AddCommandTable(kCommands);
    }
    void OnUpdateReflected(CCmdUI* cmdUI)
    {
        asked.push_back(cmdUI->m_nID);
        cmdUI->Enable(FALSE);
    }
    std::vector<UINT> asked;
};

void SendMouse(QWidget* widget, QEvent::Type type, CPoint screen, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPoint global(screen.x, screen.y);
    QMouseEvent event(type, widget->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

template <class Bar>
class BarTestBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        ASSERT_TRUE(frame.Open(kFrameRect));
        QApplication::setActiveWindow(&frame);
        CTKCommandImages::Global().RemoveAll();
        ASSERT_TRUE(CTKCommandImages::Global().SetIcons(kMaskedStripId, kIconCommands, 5, 0, 0,
                                                        CTKCommandImages::kNormal));
        const CToolBarResource* list = CResourceStore::Instance().FindToolBar(kStandardToolBar);
        ASSERT_NE(list, nullptr);
        bar = new Bar;
        ASSERT_TRUE(bar->Create(&frame, CRect(), kBarId, WS_CHILD | WS_VISIBLE));
        bar->LoadCommands(*list);
        frame.RecalcLayout();
        ProcessEvents();
        frame.sent.clear();
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        ProcessEvents();
        CTKCommandImages::Global().RemoveAll();
    }

    CTKControl* Find(UINT id) const { return bar->GetControls()->FindControl(id); }
    std::vector<UINT> SentMessages() const
    {
        std::vector<UINT> messages;
        for (const Sent& s : frame.sent)
            messages.push_back(s.message);
        return messages;
    }
    CPoint ScreenPoint(CPoint client) const
    {
        bar->ClientToScreen(&client);
        return client;
    }

    CWinApp app{"ToolkitTest"};
    CRecordingFrame frame;
    Bar* bar = nullptr;   // a child window of the frame
};

using CommandBarTest = BarTestBase<CTKFixtureBar>;
using ReflectingBarTest = BarTestBase<CReflectingBar>;

TEST_F(CommandBarTest, TheStandardToolBarLoadsWithItsGroupsAndPrompts)
{
    ASSERT_EQ(bar->GetControlCount(), 11);
    const CTKControl* open = Find(kOpenProject);
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->GetBeginGroup());
    EXPECT_FALSE(Find(kSaveProject)->GetBeginGroup());
    EXPECT_EQ(open->GetTooltipText(), "Open Project");
    EXPECT_EQ(open->GetDescription(), "Open an existing project");
    EXPECT_EQ(bar->GetOwnerSite(), &frame);
}

TEST_F(CommandBarTest, AKeyboardClickSendsTheRecordThenTheCommand)
{
    CTKControl* control = Find(kNewProject);
    control->OnClick(TRUE, CPoint());
    ASSERT_EQ(SentMessages(), (std::vector<UINT>{WM_TK_EXECUTE, WM_COMMAND}));
    const Sent& execute = frame.sent[0];
    EXPECT_EQ(execute.wParam, kNewProject);
    EXPECT_EQ(execute.record.pControl, control);
    EXPECT_EQ(execute.record.hdr.idFrom, kNewProject);
    EXPECT_EQ(execute.record.hdr.code, kTKExecuteCode);
    EXPECT_EQ(frame.sent[1].wParam, kNewProject);
    EXPECT_EQ(frame.ran, (std::vector<UINT>{kNewProject}));

    // Still shown as executing until the next idle pass.
    EXPECT_EQ(control->GetPressed(), kTKPressedExecuting);
    CIdlePump::Instance().RunIdle();
    EXPECT_EQ(control->GetPressed(), kTKPressedNone);
}

TEST_F(CommandBarTest, AnOwnerThatTakesTheRecordGetsNoCommand)
{
    frame.takeExecute = TRUE;
    Find(kNewProject)->OnClick(TRUE, CPoint());
    EXPECT_EQ(SentMessages(), (std::vector<UINT>{WM_TK_EXECUTE}));
    EXPECT_TRUE(frame.ran.empty());
}

TEST_F(CommandBarTest, WithAReturnCommandSlotNothingIsSent)
{
    UINT chosen = 0;
    bar->SetReturnCommandSlot(&chosen);
    Find(kSaveProject)->OnClick(TRUE, CPoint());
    EXPECT_EQ(chosen, kSaveProject);
    EXPECT_TRUE(SentMessages().empty());
    EXPECT_TRUE(frame.ran.empty());
}

TEST_F(CommandBarTest, DisabledButtonsIgnoreClicks)
{
    Find(kNewProject)->SetEnabled(FALSE);
    Find(kNewProject)->OnClick(TRUE, CPoint());
    EXPECT_TRUE(SentMessages().empty());
}

TEST_F(CommandBarTest, IdleUpdatesFollowTheFrameExceptForControlsWithoutAutomaticUpdate)
{
    struct Case {
        UINT id;
        DWORD flags;
        BOOL disableIfNoHandler;
        BOOL enabled;
        BOOL checked;
    };
    const Case cases[] = {
        {kNewProject, 0, TRUE, TRUE, FALSE},
        {kOpenProject, 0, TRUE, FALSE, FALSE},
        {kSaveProject, 0, TRUE, TRUE, TRUE},
        {kPrintPreview, 0, TRUE, FALSE, TRUE},
        // No handler at all: disabled only when asked to.
        {kCloseProject, 0, TRUE, FALSE, FALSE},
        {kCloseProject, 0, FALSE, TRUE, FALSE},
        // Flag 8 keeps what the control had.
        {kPrintPreview, kTKFlagNoUpdate, TRUE, TRUE, FALSE},
        {kOpenProject, kTKFlagNoUpdate, TRUE, TRUE, FALSE},
        {kCloseProject, kTKFlagNoUpdate, TRUE, TRUE, FALSE},
    };
    for (const Case& c : cases) {
        CTKControl* control = Find(c.id);
        control->SetEnabled(TRUE);
        control->SetChecked(FALSE);
        control->SetFlags(c.flags);
        bar->SendMessage(WM_IDLEUPDATECMDUI, c.disableIfNoHandler);
        EXPECT_EQ(control->GetEnabled(), c.enabled) << c.id << " flags " << c.flags;
        EXPECT_EQ(control->GetChecked(), c.checked) << c.id << " flags " << c.flags;
    }
}

TEST_F(CommandBarTest, TheIdlePassUpdatesTheBarAndDoesItsDeferredLayoutOnce)
{
    const int layouts = bar->LayoutCount();
    CIdlePump::Instance().RunIdle();
    EXPECT_FALSE(Find(kOpenProject)->GetEnabled());
    EXPECT_FALSE(Find(kCloseProject)->GetEnabled());
    EXPECT_TRUE(Find(kSaveProject)->GetChecked());
    // The caption handler renamed Copy: one layout for the burst of changes.
    EXPECT_EQ(Find(kCopy)->GetCaption(), "Copy &Now");
    EXPECT_EQ(bar->LayoutCount(), layouts + 1);
    EXPECT_FALSE(bar->IsLayoutDue());
    EXPECT_FALSE(bar->IsRedrawDue());
    CIdlePump::Instance().RunIdle();
    EXPECT_EQ(bar->LayoutCount(), layouts + 1);

    // A hidden bar is not updated.
    bar->ShowWindow(SW_HIDE);
    Find(kOpenProject)->SetEnabled(TRUE);
    bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(Find(kOpenProject)->GetEnabled());
}

TEST_F(ReflectingBarTest, TheBarsOwnReflectedHandlerAnswersBeforeTheFrame)
{
    bar->asked.clear();
    bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(bar->asked.size(), 11u);
    EXPECT_FALSE(Find(kNewProject)->GetEnabled());
    EXPECT_FALSE(Find(kSaveProject)->GetChecked());
}

TEST_F(CommandBarTest, ThePressLoopExecutesOnlyWhenReleasedOverTheButton)
{
    CTKControl* control = Find(kNewProject);
    const CRect rc = control->GetRect();
    const CPoint inside = rc.CenterPoint();
    const CPoint outside(rc.right + 40, rc.bottom - 2);
    struct Case {
        const char* what;
        std::vector<CPoint> moves;
        BOOL executes;
    };
    const Case cases[] = {
        {"released without a move", {}, TRUE},
        {"moved inside", {CPoint(inside.x + 1, inside.y)}, TRUE},
        {"dragged out", {outside}, FALSE},
        {"dragged out and back", {outside, inside}, TRUE},
        // The bar's corner pixel is outside the button like any other.
        {"last move to the corner", {outside, CPoint(0, 0)}, FALSE},
    };
    for (const Case& c : cases) {
        frame.ran.clear();
        QTimer::singleShot(0, &frame, [&] {
            for (CPoint move : c.moves)
                SendMouse(bar, QEvent::MouseMove, ScreenPoint(move), Qt::NoButton, Qt::LeftButton);
            // The release point itself does not decide.
            SendMouse(bar, QEvent::MouseButtonRelease, ScreenPoint(outside), Qt::LeftButton, Qt::NoButton);
        });
        SendMouse(bar, QEvent::MouseButtonPress, ScreenPoint(inside), Qt::LeftButton, Qt::LeftButton);
        EXPECT_EQ(frame.ran.size(), c.executes ? 1u : 0u) << c.what;
        EXPECT_EQ(control->GetSelected(), kTKSelectedNone) << c.what;
        EXPECT_NE(control->GetPressed(), kTKPressedMouse) << c.what;
        EXPECT_EQ(bar->GetSelectedIndex(), -1) << c.what;
    }
}

TEST_F(CommandBarTest, AMoveToTheCornerPixelIsAMoveLikeAnyOther)
{
    // A button in the bar's corner pressed for a part of it only: the last
    // move to (0, 0) stays on the button but outside the part.
    CTKControl* control = Find(kNewProject);
    control->SetRect(CRect(0, 0, 23, 23));
    const CRect part(5, 5, 23, 23);
    struct Case {
        CPoint last;
        BOOL executes;
    };
    const Case cases[] = {
        {CPoint(0, 0), FALSE},
        {CPoint(10, 10), TRUE},
    };
    for (const Case& c : cases) {
        frame.ran.clear();
        QTimer::singleShot(0, &frame, [&] {
            SendMouse(bar, QEvent::MouseMove, ScreenPoint(CPoint(12, 12)), Qt::NoButton, Qt::LeftButton);
            SendMouse(bar, QEvent::MouseMove, ScreenPoint(c.last), Qt::NoButton, Qt::LeftButton);
            SendMouse(bar, QEvent::MouseButtonRelease, ScreenPoint(c.last), Qt::LeftButton, Qt::NoButton);
        });
        control->TrackButton(part);
        EXPECT_EQ(frame.ran.size(), c.executes ? 1u : 0u) << c.last.x << "," << c.last.y;
    }
}

TEST_F(CommandBarTest, SelectingShowsThePromptAndDeselectingPutsTheIdlePromptBack)
{
    ASSERT_TRUE(bar->SetSelected(Find(kOpenProject)->GetIndex(), FALSE));
    ASSERT_TRUE(bar->SetSelected(-1, FALSE));
    ASSERT_EQ(SentMessages(), (std::vector<UINT>{WM_SETMESSAGESTRING, WM_TK_CONTROL_SELECTED, WM_POPMESSAGESTRING,
                                                 WM_TK_CONTROL_SELECTED}));
    EXPECT_EQ(frame.sent[0].text, "Open an existing project");
    EXPECT_EQ(frame.sent[1].wParam, kOpenProject);
    EXPECT_EQ(frame.sent[2].wParam, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(frame.sent[3].wParam, 0u);
}

TEST_F(CommandBarTest, TooltipsAndHelpIdsComeFromTheControlUnderThePoint)
{
    const CTKControl* save = Find(kSaveProject);
    TOOLINFO info;
    EXPECT_EQ(bar->OnToolHitTest(save->GetRect().CenterPoint(), &info), static_cast<INT_PTR>(kSaveProject));
    EXPECT_EQ(info.text, "Save Project");
    EXPECT_EQ(info.rect, save->GetRect());
    const CPoint gripper(2, 2);
    EXPECT_EQ(bar->OnToolHitTest(gripper, &info), -1);

    const CPoint centre = save->GetRect().CenterPoint();
    EXPECT_EQ(bar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(centre.x, centre.y)),
              static_cast<LRESULT>(kSaveProject + HID_BASE_COMMAND));
    EXPECT_EQ(bar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(gripper.x, gripper.y)),
              static_cast<LRESULT>(kBarId + HID_BASE_CONTROL));
}

TEST_F(CommandBarTest, TheInsertPositionFollowsTheNearestCentre)
{
    const CTKControl* newProject = Find(kNewProject);
    const CTKControl* open = Find(kOpenProject);
    const CTKControl* save = Find(kSaveProject);
    const CRect n = newProject->GetRect();
    const CRect o = open->GetRect();
    const CRect s = save->GetRect();
    constexpr int kThick = 6;
    struct Case {
        const char* what;
        CPoint point;
        const CTKControl* dragged;
        int index;
        BOOL after;
        CRect marker;
    };
    const Case cases[] = {
        {"before a button", CPoint(o.left + 2, o.top + 3), nullptr, open->GetIndex(), FALSE,
         CRect(o.left, o.top, o.left + kThick, o.bottom)},
        {"after a button, next in the same group", CPoint(o.right - 2, o.top + 3), nullptr, open->GetIndex(), TRUE,
         CRect(o.right, o.top, o.right + kThick, o.bottom)},
        {"after a button, next begins a group", CPoint(n.right - 2, n.top + 3), nullptr, newProject->GetIndex(),
         TRUE, CRect(n.right - kThick, n.top, n.right, n.bottom)},
        {"on the dragged button itself", CPoint(s.left + 2, s.top + 3), save, save->GetIndex(), FALSE, CRect()},
    };
    for (const Case& c : cases) {
        CRect marker(1, 1, 2, 2);
        BOOL after = -1;
        EXPECT_EQ(bar->CalcInsertPosition(c.dragged, c.point, &marker, &after), c.index) << c.what;
        EXPECT_EQ(after, c.after) << c.what;
        if (c.marker.IsRectEmpty()) {
            EXPECT_TRUE(marker.IsRectEmpty()) << c.what;
        } else {
            EXPECT_EQ(marker, c.marker) << c.what;
        }
    }

    // An empty bar: the marker stands at the start.
    bar->GetControls()->RemoveAll();
    CRect client;
    bar->GetClientRect(&client);
    CRect marker;
    BOOL after = FALSE;
    EXPECT_EQ(bar->CalcInsertPosition(nullptr, CPoint(40, 5), &marker, &after), -1);
    EXPECT_TRUE(after);
    EXPECT_EQ(marker, CRect(2, 2, 8, client.bottom - 2));
}

TEST_F(CommandBarTest, DraggingOverShowsTheMarkerAndLeavingClearsIt)
{
    CTKControl* dragged = new CTKControlButton;
    dragged->SetID(kPrint);
    const CRect open = Find(kOpenProject)->GetRect();
    EXPECT_EQ(bar->OnCustomizeDragOver(dragged, CPoint(open.left + 2, open.top + 3)), kTKDropNone);
    EXPECT_EQ(bar->GetDropMarker(), CRect(open.left, open.top, open.left + 6, open.bottom));
    bar->OnCustomizeDragLeave();
    EXPECT_TRUE(bar->GetDropMarker().IsRectEmpty());
    dragged->InternalRelease();
}

TEST_F(CommandBarTest, DroppingInsertsACopyAtTheMarkerOrRegroupsTheControlItself)
{
    const CToolBarResource* list = CResourceStore::Instance().FindToolBar(kStandardToolBar);
    constexpr UINT kDragged = 99;
    constexpr DWORD kCopy = 1;
    struct Case {
        const char* what;
        UINT dragged;      // kDragged: a control from elsewhere
        UINT over;         // the control dropped on
        BOOL farHalf;      // dropped on its far half
        int moved;         // pixels from the drag start
        DWORD result;
        int count;
        UINT groupAt[2];   // ids expected to begin a group, in order of the check
        BOOL groups[2];
    };
    const Case cases[] = {
        {"before a group's first button takes its group", kDragged, kOpenProject, FALSE, 30, kCopy, 12,
         {kDragged, kOpenProject}, {TRUE, FALSE}},
        {"after a button", kDragged, kOpenProject, TRUE, 30, kCopy, 12, {kOpenProject, kDragged}, {TRUE, FALSE}},
        {"on itself, far half", kSaveProject, kSaveProject, TRUE, 10, kTKDropOnItself, 11,
         {kSaveProject, kOpenProject}, {TRUE, TRUE}},
        {"on itself, near half", kOpenProject, kOpenProject, FALSE, 10, kTKDropOnItself, 11,
         {kOpenProject, kSaveProject}, {FALSE, FALSE}},
        {"on itself, hardly moved", kSaveProject, kSaveProject, TRUE, 3, kTKDropOnItself, 11,
         {kSaveProject, kOpenProject}, {FALSE, TRUE}},
    };
    for (const Case& c : cases) {
        bar->GetControls()->RemoveAll();
        bar->LoadCommands(*list);
        CTKControl* outside = new CTKControlButton;
        outside->SetID(kDragged);
        CTKControl* dragged = c.dragged == kDragged ? outside : Find(c.dragged);
        const CRect over = Find(c.over)->GetRect();
        const CPoint point(c.farHalf ? over.right - 2 : over.left + 2, over.top + 3);
        bar->SetDropMarker(CRect(1, 1, 5, 5), FALSE);
        EXPECT_EQ(bar->OnCustomizeDrop(dragged, kCopy, point, CPoint(point.x - c.moved, point.y)), c.result) << c.what;
        EXPECT_EQ(bar->GetControlCount(), c.count) << c.what;
        EXPECT_TRUE(bar->GetDropMarker().IsRectEmpty()) << c.what;
        for (int i = 0; i < 2; ++i) {
            const CTKControl* control = Find(c.groupAt[i]);
            ASSERT_NE(control, nullptr) << c.what;
            EXPECT_EQ(control->GetBeginGroup(), c.groups[i]) << c.what << " " << c.groupAt[i];
        }
        outside->InternalRelease();
    }
}

TEST_F(CommandBarTest, TheDropMarkerInvertsItsCapsAndBar)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF black = RGB(0, 0, 0);
    struct Case {
        BOOL vertical;
        CRect marker;
        CPoint inverted[3];
        CPoint untouched[2];
    };
    const Case cases[] = {
        // Between buttons: caps across top and bottom, a bar at left + 2.
        {FALSE, CRect(10, 4, 16, 26), {CPoint(10, 4), CPoint(12, 15), CPoint(15, 25)}, {CPoint(10, 5), CPoint(14, 15)}},
        // Between rows: caps down both sides, a bar at top + 2.
        {TRUE, CRect(4, 10, 26, 16), {CPoint(4, 10), CPoint(15, 12), CPoint(25, 15)}, {CPoint(5, 10), CPoint(15, 14)}},
    };
    for (const Case& c : cases) {
        CQtImageDC dc(32, 32);
        dc.FillSolidRect(CRect(0, 0, 32, 32), face);
        bar->SetDropMarker(c.marker, c.vertical);
        bar->DrawDropMarker(&dc);
        for (CPoint p : c.inverted)
            EXPECT_EQ(ProbeColor(dc.GetImage(), p.x, p.y), black) << c.vertical << " " << p.x << "," << p.y;
        for (CPoint p : c.untouched)
            EXPECT_EQ(ProbeColor(dc.GetImage(), p.x, p.y), face) << c.vertical << " " << p.x << "," << p.y;
    }
}

TEST_F(CommandBarTest, TheClassicBarShowsEveryButtonState)
{
    CIdlePump::Instance().RunIdle();   // Open and Close Project disabled, Save checked
    Find(kPrint)->SetSelected(kTKSelectedHot);
    Find(kCut)->SetSelected(kTKSelectedHot);
    Find(kCut)->SetPressed(kTKPressedMouse);
    bar->Invalidate(FALSE);
    ProcessEvents();
    SaveScreenshot("commandbar_classic_states.png");
    const QImage screen = CScreenShot::Compose();

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    auto probe = [&](CPoint client) { const CPoint p = ScreenPoint(client); return ProbeColor(screen, p.x, p.y); };

    CRect client;
    bar->GetClientRect(&client);
    CRect onScreen = client;
    bar->ClientToScreen(&onScreen);
    constexpr int kZoom = 3;
    const QImage strip = screen.copy(onScreen.left, onScreen.top, onScreen.Width(), onScreen.Height());
    SaveArtefact(strip.scaled(strip.size() * kZoom), "commandbar_classic_states_zoomed.png");
    // Raised bar edge and a raised gripper.
    EXPECT_EQ(probe(CPoint(0, 0)), light);
    EXPECT_EQ(probe(CPoint(client.right - 1, client.bottom - 1)), shadow);
    EXPECT_EQ(probe(CPoint(3, client.Height() / 2)), light);
    EXPECT_EQ(probe(CPoint(5, client.Height() / 2)), shadow);

    struct Edge {
        UINT id;
        COLORREF topLeft;
        COLORREF bottomRight;
    };
    const Edge edges[] = {
        {kSaveProject, shadow, light},   // checked: sunken
        {kPrint, light, shadow},         // hot: raised
        {kCut, shadow, light},           // hot and pressed: sunken
        {kNewProject, face, face},       // normal: flat
    };
    for (const Edge& e : edges) {
        const CRect rc = Find(e.id)->GetRect();
        EXPECT_EQ(probe(CPoint(rc.left, rc.top + 2)), e.topLeft) << e.id;
        EXPECT_EQ(probe(CPoint(rc.right - 1, rc.bottom - 3)), e.bottomRight) << e.id;
    }
    // A checked button that is not hot shows the checkerboard of face and highlight.
    const CRect save = Find(kSaveProject)->GetRect();
    const COLORREF a = probe(CPoint(save.left + 1, save.top + 1));
    const COLORREF b = probe(CPoint(save.left + 2, save.top + 1));
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == face && b == light) || (a == light && b == face));
    // Separators before a group are sunken lines.
    const CRect open = Find(kOpenProject)->GetRect();
    EXPECT_EQ(probe(CPoint(open.left - 4, open.top + 4)), shadow);
    EXPECT_EQ(probe(CPoint(open.left - 3, open.top + 4)), light);
    // Disabled icons are embossed in highlight and shadow only.
    const CRect close = Find(kCloseProject)->GetRect();
    int embossed = 0;
    for (int y = close.top + 3; y < close.bottom - 3; ++y) {
        for (int x = close.left + 3; x < close.right - 3; ++x) {
            const COLORREF c = probe(CPoint(x, y));
            EXPECT_TRUE(c == face || c == light || c == shadow) << x << "," << y;
            embossed += c == shadow ? 1 : 0;
        }
    }
    EXPECT_GT(embossed, 10);
}

} // namespace
