// The menu-sound thread: each request plays its alias once, a request that
// comes while a sound plays is dropped, and a stop ends and joins the
// thread even while a sound plays.

#include "toolkit/commandbars/CTKMenuSoundPlayer.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// Records the aliases; with a hold, a sound plays until it is released.
class CountingOutput : public ITKSoundOutput {
public:
    void PlayAlias(const char* alias) override
    {
        std::unique_lock<std::mutex> lock(mutex);
        played.push_back(alias);
        changed.notify_all();
        changed.wait(lock, [this] { return !hold; });
    }
    void StopAll() override
    {
        std::lock_guard<std::mutex> lock(mutex);
        ++stops;
        changed.notify_all();
    }
    void WaitForPlayed(size_t count)
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return played.size() >= count; });
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(mutex);
        hold = false;
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> played;
    int stops = 0;
    bool hold = false;
};

TEST(MenuSoundTest, EachRequestPlaysItsAliasOnTheSoundThread)
{
    CountingOutput output;
    CTKMenuSoundPlayer player(output);
    EXPECT_FALSE(player.IsRunning());
    player.Play(kTKSoundCommand);
    output.WaitForPlayed(1);
    player.Stop();
    EXPECT_FALSE(player.IsRunning());
    // A stop is no sound; a later request starts a new thread.
    player.Play(kTKSoundStop);
    EXPECT_FALSE(player.IsRunning());
    player.Play(kTKSoundPopup);
    output.WaitForPlayed(2);
    EXPECT_TRUE(player.IsRunning());
    player.Stop();
    EXPECT_EQ(output.played, (std::vector<std::string>{"MenuCommand", "MenuPopup"}));
    EXPECT_EQ(output.stops, 2);
}

TEST(MenuSoundTest, ARequestWhileASoundPlaysIsDroppedAndStopWaitsForTheSound)
{
    CountingOutput output;
    output.hold = true;
    CTKMenuSoundPlayer player(output);
    player.Play(kTKSoundCommand);
    output.WaitForPlayed(1);
    player.Play(kTKSoundPopup);
    output.Release();
    player.Stop();
    EXPECT_EQ(output.played, std::vector<std::string>{"MenuCommand"});
    EXPECT_EQ(output.stops, 1);
    EXPECT_FALSE(player.IsRunning());
}

TEST(MenuSoundTest, AStopDuringASoundIsKept)
{
    CountingOutput output;
    output.hold = true;
    CTKMenuSoundPlayer player(output);
    player.Play(kTKSoundPopup);
    output.WaitForPlayed(1);
    std::thread release([&] { output.Release(); });
    player.Stop();
    release.join();
    EXPECT_FALSE(player.IsRunning());
    EXPECT_EQ(output.stops, 1);
}

} // namespace
