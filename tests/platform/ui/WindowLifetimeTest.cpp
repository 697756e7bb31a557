// Windows released or destroyed while messages are on their way: a window
// deleted inside its own handler, a release deferred while the window is
// busy, destroyed children out of every list and out of the queue.

#include "platform/ui/CWnd.h"

#include <QApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kDeleteSelf = 0x0401;
constexpr UINT kReleaseSelf = 0x0402;
constexpr UINT kCount = 0x0403;

class CSelfEndingWnd : public CWnd {
public:
    explicit CSelfEndingWnd(int* counter = nullptr) : m_counter(counter)
    {
        static const CMsgEntry<CSelfEndingWnd> kMessages[] = {
            {kDeleteSelf, &CSelfEndingWnd::OnDeleteSelf},
            {kReleaseSelf, &CSelfEndingWnd::OnReleaseSelf},
            {kCount, &CSelfEndingWnd::OnCount},
        };
        AddMessageTable(kMessages);
    }

    // Set by the handler of kReleaseSelf once it returned from the release.
    bool aliveAfterRelease = false;

    LRESULT OnDeleteSelf(WPARAM, LPARAM)
    {
        delete this;
        return 7;
    }
    LRESULT OnReleaseSelf(WPARAM nested, LPARAM)
    {
        if (nested)
            SendMessage(kReleaseSelf, 0, 0);
        else
            InternalRelease();
        aliveAfterRelease = GetDlgCtrlID() == 5;   // reads a member after the release
        return 0;
    }
    LRESULT OnCount(WPARAM, LPARAM)
    {
        if (m_counter)
            ++*m_counter;
        return 0;
    }

protected:
    void OnIdleUpdateCmdUI(BOOL) override
    {
        if (m_counter)
            *m_counter += 100;
    }

private:
    int* m_counter;
};

TEST(WindowLifetimeTest, AWindowDeletedInsideItsOwnHandlerIsNotTouchedAgain)
{
    QPointer<CSelfEndingWnd> wnd = new CSelfEndingWnd;
    ASSERT_TRUE(wnd->Create(nullptr, CRect(0, 0, 50, 50), 5, WS_OVERLAPPED));
    EXPECT_EQ(wnd->SendMessage(kDeleteSelf), 7);
    EXPECT_TRUE(wnd.isNull());
}

TEST(WindowLifetimeTest, AReleaseWhileTheWindowIsBusyWaitsUntilItIsIdle)
{
    for (WPARAM nested : {WPARAM(0), WPARAM(1)}) {
        SCOPED_TRACE(nested);
        QPointer<CSelfEndingWnd> wnd = new CSelfEndingWnd;
        ASSERT_TRUE(wnd->Create(nullptr, CRect(0, 0, 50, 50), 5, WS_OVERLAPPED));
        wnd->SendMessage(kReleaseSelf, nested);
        ASSERT_FALSE(wnd.isNull());
        EXPECT_TRUE(wnd->aliveAfterRelease);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(wnd.isNull());
    }
}

TEST(WindowLifetimeTest, AReleaseOutsideAnyMessageDeletesAtOnce)
{
    QPointer<CSelfEndingWnd> wnd = new CSelfEndingWnd;
    ASSERT_TRUE(wnd->Create(nullptr, CRect(0, 0, 50, 50), 5, WS_OVERLAPPED));
    wnd->InternalRelease();
    EXPECT_TRUE(wnd.isNull());
}

TEST(WindowLifetimeTest, DestroyedChildrenLeaveTheListsAndTheQueue)
{
    int count = 0;
    CWnd parent;
    ASSERT_TRUE(parent.Create(nullptr, CRect(0, 0, 200, 100), 0, WS_OVERLAPPED));
    CSelfEndingWnd kept(&count);
    CSelfEndingWnd gone(&count);
    ASSERT_TRUE(kept.Create(&parent, CRect(0, 0, 10, 10), 1, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(gone.Create(&parent, CRect(0, 0, 10, 10), 2, WS_CHILD | WS_VISIBLE));

    gone.PostMessage(kCount);
    ASSERT_TRUE(gone.DestroyWindow());
    EXPECT_EQ(parent.GetDlgItem(2), nullptr);
    EXPECT_EQ(parent.GetDlgItem(1), &kept);
    EXPECT_EQ(parent.GetChildWindows(), std::vector<CWnd*>{&kept});

    parent.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(count, 100);   // the idle update reached only the live child
    QCoreApplication::sendPostedEvents(&gone, 0);
    EXPECT_EQ(count, 100);   // the queued message died with the window
    gone.PostMessage(kCount);
    QCoreApplication::sendPostedEvents(&gone, 0);
    EXPECT_EQ(count, 100);
}

} // namespace
