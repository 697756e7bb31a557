#include "platform/ui/CDocument.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CView.h"
#include "shell/ui/CMinRowSplitter.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

class CSplitPane : public CView {
    DECLARE_DYNCREATE(CSplitPane)
};
IMPLEMENT_DYNCREATE(CSplitPane, CView)

constexpr int kUpperRow = 100;

class MinRowSplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new CFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, CRect(0, 0, 300, 400), 0, WS_POPUP | WS_VISIBLE));
        m_splitter = new CMinRowSplitter;
        ASSERT_TRUE(m_splitter->CreateStatic(m_frame, 2, 1));
        ASSERT_TRUE(m_splitter->CreateView(0, 0, RUNTIME_CLASS(CSplitPane), CSize(0, kUpperRow), &m_document));
        ASSERT_TRUE(m_splitter->CreateView(1, 0, RUNTIME_CLASS(CSplitPane), CSize(), &m_document));
        m_frame->RecalcLayout();
        m_splitter->SetRowInfo(0, kUpperRow, 0);
        m_splitter->RecalcLayout();
    }
    void TearDown() override
    {
        m_frame->DestroyWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Drags the bar from its place to the row height and lets go there.
    void DragUpperRowTo(int height)
    {
        const int grab = kUpperRow + 2;
        m_splitter->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, grab));
        m_splitter->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, height + 2));
        m_splitter->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, height + 2));
    }
    int UpperRow(int* minimum = nullptr) const
    {
        int current = 0;
        int least = 0;
        m_splitter->GetRowInfo(0, current, least);
        if (minimum != nullptr)
            *minimum = least;
        return current;
    }

    CDocument m_document;
    CFrameWnd* m_frame = nullptr;
    CMinRowSplitter* m_splitter = nullptr;
};

TEST_F(MinRowSplitterTest, UpperRowComesBackToItsLeastHeightAfterTheDrag)
{
    struct Case {
        int dragTo;
        int height;
        int minimum;
    };
    const Case cases[] = {
        {10, kMinUpperRowHeight, kMinUpperRowHeight},
        {34, kMinUpperRowHeight, kMinUpperRowHeight},
        {35, 35, 0},
        {150, 150, 0},
    };
    for (const Case& c : cases) {
        m_splitter->SetRowInfo(0, kUpperRow, 0);
        m_splitter->RecalcLayout();
        DragUpperRowTo(c.dragTo);
        int minimum = -1;
        EXPECT_EQ(UpperRow(&minimum), c.height) << c.dragTo;
        EXPECT_EQ(minimum, c.minimum) << c.dragTo;
    }
}

} // namespace
