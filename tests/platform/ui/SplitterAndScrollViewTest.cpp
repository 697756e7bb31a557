// The static splitter (layout by ideal and minimum heights, the dragged
// bar, panes from run-time classes) and the scroll view's positions.

#include "platform/ui/CDocument.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CScrollView.h"
#include "platform/ui/CSplitterWnd.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

class CPaneView : public CView {
    DECLARE_DYNCREATE(CPaneView)
};
IMPLEMENT_DYNCREATE(CPaneView, CView)

// A creatable record that is no window.
class CPlainRecord : public CObject {
    DECLARE_DYNCREATE(CPlainRecord)
};
IMPLEMENT_DYNCREATE(CPlainRecord, CObject)

class CScrollPane : public CScrollView {
    DECLARE_DYNCREATE(CScrollPane)
};
IMPLEMENT_DYNCREATE(CScrollPane, CScrollView)

// Records the cursor requests that reach it from its children.
class CCursorParent : public CWnd {
public:
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override
    {
        asked.push_back({wnd, hitTest, message});
        return TRUE;
    }
    struct Request {
        CWnd* wnd;
        UINT hitTest;
        UINT message;
    };
    std::vector<Request> asked;
};

void MoveMouse(CWnd* wnd, QPointF at)
{
    QMouseEvent move(QEvent::MouseMove, at, wnd->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(wnd, &move);
}

constexpr int FRAME_WIDTH = 300;
constexpr int FRAME_HEIGHT = 400;

class SplitterFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new CFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, CRect(0, 0, FRAME_WIDTH, FRAME_HEIGHT), 0, WS_POPUP | WS_VISIBLE));
        m_splitter = new CSplitterWnd;
        ASSERT_TRUE(m_splitter->CreateStatic(m_frame, 2, 1));
        m_frame->RecalcLayout();
    }
    void TearDown() override
    {
        m_frame->DestroyWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    int Height(int row) const
    {
        int current = 0;
        int minimum = 0;
        m_splitter->GetRowInfo(row, current, minimum);
        return current;
    }
    int ClientHeight() const
    {
        CRect client;
        m_splitter->GetClientRect(&client);
        return client.Height();
    }

    CDocument m_document;
    CFrameWnd* m_frame = nullptr;
    CSplitterWnd* m_splitter = nullptr;
};

} // namespace

TEST(SplitterWndCreate, OnlyRowsOfOneColumn)
{
    CSplitterWnd noRows;
    EXPECT_FALSE(noRows.CreateStatic(nullptr, 0, 1));
    CSplitterWnd twoColumns;
    EXPECT_FALSE(twoColumns.CreateStatic(nullptr, 2, 2));
}

TEST_F(SplitterFixture, PanesComeFromTheirClassesAndJoinTheDocument)
{
    ASSERT_TRUE(m_splitter->CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(0, 100), &m_document));
    ASSERT_TRUE(m_splitter->CreateView(1, 0, RUNTIME_CLASS(CPaneView), CSize(), &m_document));
    EXPECT_EQ(m_document.GetViews().size(), 2u);
    EXPECT_EQ(m_splitter->GetPane(1, 0)->GetDlgCtrlID(), CSplitterWnd::IdFromRowCol(1, 0));

    // A class that makes no window, a taken cell and a cell outside the grid are refused.
    EXPECT_FALSE(m_splitter->CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(), &m_document));
    CSplitterWnd other;
    ASSERT_TRUE(other.CreateStatic(nullptr, 1, 1, WS_POPUP));
    EXPECT_FALSE(other.CreateView(0, 0, RUNTIME_CLASS(CPlainRecord), CSize(), &m_document));
    EXPECT_FALSE(other.CreateView(1, 0, RUNTIME_CLASS(CPaneView), CSize(), &m_document));
    EXPECT_EQ(m_document.GetViews().size(), 2u);
    other.DestroyWindow();
}

TEST_F(SplitterFixture, RowsKeepTheirIdealHeightAndTheLastTakesTheRest)
{
    ASSERT_TRUE(m_splitter->CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(0, 100), &m_document));
    ASSERT_TRUE(m_splitter->CreateView(1, 0, RUNTIME_CLASS(CScrollPane), CSize(), &m_document));
    EXPECT_EQ(Height(0), 100);
    EXPECT_EQ(Height(1), ClientHeight() - 100 - CSplitterWnd::kBarHeight);

    CRect pane;
    m_splitter->GetPane(1, 0)->GetWindowRect(&pane);
    m_splitter->ScreenToClient(&pane);
    EXPECT_EQ(pane.top, 100 + CSplitterWnd::kBarHeight);

    m_splitter->SetRowInfo(0, 10, 40);
    m_splitter->RecalcLayout();
    EXPECT_EQ(Height(0), 40) << "a row is never lower than its minimum";
}

TEST_F(SplitterFixture, DraggedBarMovesWithTheMouseDownToTheMinimum)
{
    ASSERT_TRUE(m_splitter->CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(0, 100), &m_document));
    ASSERT_TRUE(m_splitter->CreateView(1, 0, RUNTIME_CLASS(CPaneView), CSize(), &m_document));
    m_splitter->SetRowInfo(0, 100, 30);

    const int grab = 100 + 2; // inside the bar, 2 pixels below its top
    m_splitter->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, grab));
    EXPECT_TRUE(m_splitter->IsTracking());
    m_splitter->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 152));
    EXPECT_EQ(Height(0), 150);
    m_splitter->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(Height(0), 30);
    m_splitter->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 82));
    EXPECT_FALSE(m_splitter->IsTracking());
    EXPECT_EQ(Height(0), 80);
    EXPECT_EQ(Height(1), ClientHeight() - 80 - CSplitterWnd::kBarHeight);

    // A click beside the bar starts nothing.
    m_splitter->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 200));
    EXPECT_FALSE(m_splitter->IsTracking());
}

TEST_F(SplitterFixture, ScrollViewKeepsItsPositionInsideTheRange)
{
    ASSERT_TRUE(m_splitter->CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(0, 100), &m_document));
    ASSERT_TRUE(m_splitter->CreateView(1, 0, RUNTIME_CLASS(CScrollPane), CSize(), &m_document));
    auto* view = dynamic_cast<CScrollView*>(m_splitter->GetPane(1, 0));
    ASSERT_NE(view, nullptr);

    view->SetScrollSizes(MM_TEXT, CSize(1000, 2000));
    // The bars the total needs take their room first.
    CRect client;
    view->GetClientRect(&client);
    struct Step {
        UINT code;
        int position;
        int expected;
    };
    const int last = 2000 - client.Height();
    const Step steps[] = {
        {SB_LINEDOWN, 0, 20},        // a tenth of the page, a page a tenth of the total
        {SB_PAGEDOWN, 0, 220},
        {SB_LINEUP, 0, 200},
        {SB_THUMBTRACK, 500, 200},   // the thumb moves, the position waits
        {SB_THUMBPOSITION, 500, 500},
        {SB_BOTTOM, 0, last},
        {SB_LINEDOWN, 0, last},
        {SB_TOP, 0, 0},
        {SB_LINEUP, 0, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.code);
        view->SendMessage(WM_VSCROLL, MAKELONG(step.code, step.position), 0);
        EXPECT_EQ(view->GetScrollPos(SB_VERT), step.expected);
    }
    view->SendMessage(WM_VSCROLL, MAKELONG(SB_THUMBTRACK, 300), 0);
    EXPECT_EQ(view->GetTrackPos(SB_VERT), 300);

    view->SetScrollSizes(MM_TEXT, CSize(100, 100));
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0)) << "a smaller surface pulls the position back";
}

TEST(SetCursor, ChildWithoutHandlerAsksItsParentUnlessItHasTheCapture)
{
    CCursorParent parent;
    ASSERT_TRUE(parent.Create(nullptr, CRect(0, 0, 200, 200), 0, WS_POPUP | WS_VISIBLE));
    CWnd child;
    ASSERT_TRUE(child.Create(&parent, CRect(10, 10, 100, 100), 1, WS_CHILD | WS_VISIBLE));

    MoveMouse(&child, QPointF(5, 5));
    ASSERT_EQ(parent.asked.size(), 1u);
    EXPECT_EQ(parent.asked[0].wnd, &child);
    EXPECT_EQ(parent.asked[0].hitTest, static_cast<UINT>(HTCLIENT));
    EXPECT_EQ(parent.asked[0].message, WM_MOUSEMOVE);

    child.SetCapture();
    MoveMouse(&child, QPointF(6, 6));
    EXPECT_EQ(parent.asked.size(), 1u);
    CWnd::ReleaseCapture();
    child.DestroyWindow();
    parent.DestroyWindow();
}
