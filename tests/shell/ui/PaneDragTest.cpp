// The program's panes moved with the mouse in the main frame as main builds
// it: a caption dragged to another edge docks the pane there, a tab dragged
// off its row takes its pane along, and a caption double-click leaves a pane
// that may not float where it is.

#include "WorkbenchFixture.h"

#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabItem.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

namespace {

class PaneDragTest : public WorkbenchFixture {
protected:
    void SetUp() override
    {
        WorkbenchFixture::SetUp();
        Start();
        m_frame->MoveWindow(CRect(0, 0, 1000, 700), TRUE);
        m_frame->show();
        m_frame->RecalcLayout();
        QCoreApplication::processEvents();
    }
    CTKDockingPaneTabbedContainer* ContainerOf(UINT id)
    {
        CTKDockingPaneItem* pane = m_frame->GetPaneHost().FindPane(id);
        return pane ? pane->GetContainer() : nullptr;
    }
    CRect ClientArea() { return m_frame->GetPaneHost().GetLayout()->GetClient()->GetScreenRect(); }
    // Presses at a client point of the window, moves along the screen path
    // and releases at its end. Each step is queued before the one before it
    // runs, so that a step which opens a tracking loop finds the next one
    // waiting inside it.
    static void DragFrom(CWnd* wnd, QPoint press, const std::vector<CPoint>& screenPath)
    {
        std::vector<std::function<void()>> steps;
        steps.push_back([wnd, press]() { QTest::mousePress(wnd, Qt::LeftButton, {}, press); });
        for (const CPoint& point : screenPath)
            steps.push_back([wnd, point]() { QTest::mouseMove(wnd, wnd->mapFromGlobal(QPoint(point.x, point.y))); });
        const CPoint last = screenPath.back();
        steps.push_back([wnd, last]() {
            QTest::mouseRelease(wnd, Qt::LeftButton, {}, wnd->mapFromGlobal(QPoint(last.x, last.y)));
        });
        bool done = false;
        RunSteps(steps, 0, &done);
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
    }
    static void RunSteps(std::vector<std::function<void()>> steps, std::size_t next, bool* done)
    {
        if (next == steps.size()) {
            *done = true;
            return;
        }
        QTimer::singleShot(0, [steps, next, done]() { RunSteps(steps, next + 1, done); });
        steps[next]();
    }
    void Relayout()
    {
        m_frame->RecalcLayout();
        QCoreApplication::processEvents();
    }
    // A layout in the settings file, one "key/value=text" line per value.
    static std::vector<std::string> StoredLayout(const std::string& name)
    {
        const CSettingsStore store = Settings();
        const std::string section = std::string("DockingPaneLayouts\\") + name;
        std::vector<std::string> lines;
        for (const std::string& key : store.GetSubSections(section))
            for (const std::string& value : store.GetEntries(section + "\\" + key))
                lines.push_back(key + "/" + value + "=" + store.GetString(section + "\\" + key, value));
        return lines;
    }
    // The live layout as the frame writes it, stored beside the program's under another name.
    std::vector<std::string> LiveLayout()
    {
        CTKDockingPaneLayout copy(&m_frame->GetPaneHost());
        m_frame->GetPaneHost().CopyLayoutTo(&copy);
        EXPECT_TRUE(copy.WriteToStore(Settings(), "Live"));
        return StoredLayout("Live");
    }
    bool LayoutWritten() { return StoredLayout(kProgramLayout) == LiveLayout(); }
    static constexpr const char* kProgramLayout = "ZULNormalLayout";
};

TEST_F(PaneDragTest, OutputCaptionDraggedToTheTopOfTheEditorsDocksItThere)
{
    CTKDockingPaneTabbedContainer* output = ContainerOf(ID_PANE_OUTPUT);
    ASSERT_NE(output, nullptr);
    const QPoint caption(30, 8);
    ASSERT_EQ(output->HitTest(caption.x(), caption.y()), CTKDockingPaneTabbedContainer::kHitCaption);
    const CRect before = output->GetScreenRect();
    const CRect client = ClientArea();
    ASSERT_GT(before.top, client.top);
    DragFrom(output, caption, {CPoint(before.left + 60, before.top - 40), CPoint(client.CenterPoint().x, client.top + 8)});
    Relayout();
    output = ContainerOf(ID_PANE_OUTPUT);
    ASSERT_NE(output, nullptr);
    EXPECT_LE(output->GetScreenRect().bottom, ClientArea().top) << "the Output pane docks above the editors";
}

TEST_F(PaneDragTest, TabDraggedOffItsRowDocksItsPaneAtTheRightEdge)
{
    CTKDockingPaneTabbedContainer* left = ContainerOf(ID_PANE_WORKSPACE);
    ASSERT_NE(left, nullptr);
    ASSERT_TRUE(left->IsTabsVisible());
    int instructionsTab = -1;
    for (int i = 0; i < left->GetTabCount(); ++i) {
        if (left->GetPaneAt(i) == m_frame->GetPaneHost().FindPane(ID_PANE_INSTRUCTIONS))
            instructionsTab = i;
    }
    ASSERT_GE(instructionsTab, 0);
    const CPoint tab = left->GetTab(instructionsTab)->GetRect().CenterPoint();
    const CRect client = ClientArea();
    DragFrom(left, QPoint(tab.x, tab.y),
             {CPoint(client.CenterPoint().x, client.CenterPoint().y), CPoint(client.right - 5, client.CenterPoint().y)});
    Relayout();
    CTKDockingPaneTabbedContainer* moved = ContainerOf(ID_PANE_INSTRUCTIONS);
    ASSERT_NE(moved, nullptr);
    EXPECT_NE(moved, ContainerOf(ID_PANE_WORKSPACE)) << "the Instructions pane left the tabbed group";
    EXPECT_GE(moved->GetScreenRect().left, ClientArea().right) << "and docks right of the editors";
    EXPECT_FALSE(m_frame->IsPaneClosed(ID_PANE_WORKSPACE));
}

// Each move or close of a pane is in the settings file at once, not only
// when the program ends.
TEST_F(PaneDragTest, EveryMoveAndCloseOfAPaneIsWrittenAtOnce)
{
    CTKDockingPaneTabbedContainer* output = ContainerOf(ID_PANE_OUTPUT);
    ASSERT_NE(output, nullptr);
    const CRect before = output->GetScreenRect();
    const CRect client = ClientArea();
    DragFrom(output, QPoint(30, 8),
             {CPoint(before.left + 60, before.top - 40), CPoint(client.CenterPoint().x, client.top + 8)});
    Relayout();
    ASSERT_LE(ContainerOf(ID_PANE_OUTPUT)->GetScreenRect().bottom, ClientArea().top);
    ASSERT_TRUE(QTest::qWaitFor([&] { return LayoutWritten(); })) << "the drag's layout is written";
    const std::vector<std::string> afterDrag = StoredLayout(kProgramLayout);

    Command(ID_PANE_OUTPUT);
    ASSERT_TRUE(m_frame->IsPaneClosed(ID_PANE_OUTPUT));
    ASSERT_TRUE(QTest::qWaitFor([&] { return LayoutWritten(); })) << "View > Output's close is written";
    EXPECT_NE(StoredLayout(kProgramLayout), afterDrag);
}

// The program's panes never float: a double-click on the caption, or a drop
// in the middle of the editors, leaves the pane docked where it was.
TEST_F(PaneDragTest, PanesThatMayNotFloatStayDocked)
{
    CTKDockingPaneTabbedContainer* output = ContainerOf(ID_PANE_OUTPUT);
    ASSERT_NE(output, nullptr);
    const CRect before = output->GetScreenRect();
    QTest::mouseDClick(output, Qt::LeftButton, {}, QPoint(30, 8));
    Relayout();
    EXPECT_EQ(ContainerOf(ID_PANE_OUTPUT)->GetScreenRect(), before);
    EXPECT_EQ(ContainerOf(ID_PANE_OUTPUT)->GetFrame(), static_cast<CWnd*>(m_frame.data()));

    const CPoint middle = ClientArea().CenterPoint();
    DragFrom(ContainerOf(ID_PANE_OUTPUT), QPoint(30, 8), {CPoint(middle.x, middle.y - 30), middle});
    Relayout();
    EXPECT_EQ(ContainerOf(ID_PANE_OUTPUT)->GetScreenRect(), before);
    EXPECT_EQ(ContainerOf(ID_PANE_OUTPUT)->GetFrame(), static_cast<CWnd*>(m_frame.data()));
}

} // namespace
