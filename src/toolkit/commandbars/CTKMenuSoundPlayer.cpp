#include "toolkit/commandbars/CTKMenuSoundPlayer.h"

namespace {

const char* const kSoundAliases[] = {nullptr, "MenuCommand", "MenuPopup"};

// The system's sounds: there are none here.
class CSilentSoundOutput : public ITKSoundOutput {
public:
    void PlayAlias(const char*) override {}
    void StopAll() override {}
};

} // namespace

CTKMenuSoundPlayer::CTKMenuSoundPlayer(ITKSoundOutput& output) : m_output(output) {}

CTKMenuSoundPlayer::~CTKMenuSoundPlayer()
{
    Stop();
}

CTKMenuSoundPlayer& CTKMenuSoundPlayer::Get()
{
    static CSilentSoundOutput silent;
    static CTKMenuSoundPlayer player(silent);
    return player;
}

void CTKMenuSoundPlayer::Play(int kind)
{
    if (kind != kTKSoundCommand && kind != kTKSoundPopup)
        return;
    if (!m_thread.joinable()) {
        m_request = kTKSoundIdle;
        m_thread = std::thread(&CTKMenuSoundPlayer::Run, this);
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_request = kind;
    }
    m_wake.notify_one();
}

void CTKMenuSoundPlayer::Stop()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_request = kTKSoundStop;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CTKMenuSoundPlayer::Run()
{
    for (;;) {
        int request = kTKSoundIdle;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_request != kTKSoundIdle; });
            request = m_request;
        }
        if (request == kTKSoundStop)
            break;
        m_output.PlayAlias(kSoundAliases[request]);
        // A request that came while the sound played is dropped; a stop is kept.
        int pending = m_request.load();
        while (pending != kTKSoundStop && !m_request.compare_exchange_weak(pending, kTKSoundIdle)) {
        }
    }
    m_output.StopAll();
}
