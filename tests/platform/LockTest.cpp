#include "platform/CEvent.h"
#include "platform/CMutex.h"
#include "platform/Tick.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(CMutexTest, ReleaseByAThreadThatDoesNotHoldItDoesNothing)
{
    CMutex lock;
    ASSERT_TRUE(lock.Lock(0));
    std::thread other([&] {
        EXPECT_FALSE(lock.Unlock());
        EXPECT_FALSE(lock.Lock(20));
    });
    other.join();
    EXPECT_TRUE(lock.IsHeldByCurrentThread());
    EXPECT_TRUE(lock.Unlock());
    EXPECT_FALSE(lock.Unlock());
}

TEST(CMutexTest, OwnerTakesAgainAndNeedsAReleasePerTake)
{
    CMutex lock;
    ASSERT_TRUE(lock.Lock(0));
    ASSERT_TRUE(lock.Lock(0));
    EXPECT_TRUE(lock.Unlock());
    std::atomic<bool> got{false};
    std::thread blocked([&] { got = lock.Lock(20) != FALSE; });
    blocked.join();
    EXPECT_FALSE(got);
    EXPECT_TRUE(lock.Unlock());
    std::thread free([&] {
        got = lock.Lock(0) != FALSE;
        lock.Unlock();
    });
    free.join();
    EXPECT_TRUE(got);
}

TEST(CMutexTest, WaiterGetsTheLockWhenTheHolderReleasesIt)
{
    CMutex lock;
    ASSERT_TRUE(lock.Lock(0));
    std::atomic<bool> got{false};
    std::thread waiter([&] {
        got = lock.Lock(5000) != FALSE;
        lock.Unlock();
    });
    Sleep(10);
    lock.Unlock();
    waiter.join();
    EXPECT_TRUE(got);
}

TEST(CEventTest, AutoResetLetsOneWaitThroughAndTimesOutOtherwise)
{
    CEvent event;
    EXPECT_FALSE(event.IsSignalled());
    EXPECT_FALSE(event.Lock(10));
    event.SetEvent();
    EXPECT_TRUE(event.Lock(0));
    EXPECT_FALSE(event.Lock(10)) << "the first wait consumed the signal";
    event.SetEvent();
    event.ResetEvent();
    EXPECT_FALSE(event.Lock(0));
}

TEST(CEventTest, SignalFromAnotherThreadWakesTheWaiter)
{
    CEvent event;
    std::thread setter([&] {
        Sleep(10);
        event.SetEvent();
    });
    EXPECT_TRUE(event.Lock(5000));
    setter.join();
}
