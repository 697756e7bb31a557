#pragma once
// Plays the menu sounds on a thread of its own so that the user interface
// never waits for a sound. Requests never queue: one that arrives while a
// sound plays is dropped.

#include "toolkit/commandbars/ITKSoundOutput.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// Sound requests.
constexpr int kTKSoundIdle = 0;
constexpr int kTKSoundCommand = 1;
constexpr int kTKSoundPopup = 2;
constexpr int kTKSoundStop = 3;

class CTKMenuSoundPlayer {
public:
    explicit CTKMenuSoundPlayer(ITKSoundOutput& output);
    ~CTKMenuSoundPlayer();
    CTKMenuSoundPlayer(const CTKMenuSoundPlayer&) = delete;
    CTKMenuSoundPlayer& operator=(const CTKMenuSoundPlayer&) = delete;

    // The player of the process, over the system's (silent) sounds.
    static CTKMenuSoundPlayer& Get();

    // kTKSoundCommand or kTKSoundPopup; starts the thread when it does not run.
    void Play(int kind);
    // Ends the thread and waits for it; a later request starts a new one.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }

private:
    void Run();

    ITKSoundOutput& m_output;
    std::atomic<int> m_request{kTKSoundIdle};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
};
