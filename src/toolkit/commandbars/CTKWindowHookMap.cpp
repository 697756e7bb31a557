#include "CTKWindowHookMap.h"

#include "platform/ui/CWindowHook.h"
#include "platform/ui/CWnd.h"

#include <algorithm>

namespace {

template <typename T>
bool Contains(const std::vector<T*>& list, const T* item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

// The map's watch on one window: its sinks in the order of attachment.
class CTKWindowHookMap::CRecord : public CWindowHook {
public:
    CRecord(CTKWindowHookMap& map, CWnd* window) : m_map(map) { HookWindow(window); }

    std::vector<CTKHookSink*> m_hooks;

protected:
    int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) override
    {
        const std::vector<CTKHookSink*> snapshot = m_hooks;
        int answer = kTKHookNotHandled;
        m_map.EnterWalk();
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
            CRecord* current = m_map.FindRecord(window);
            if (current != this)
                break;
            if (!Contains(m_hooks, *it))
                continue;
            answer = (*it)->OnHookMessage(window, message, wParam, lParam, result);
            if (answer != kTKHookNotHandled)
                break;
        }
        m_map.LeaveWalk();
        return answer == kTKHookHandled ? kTKHookHandled : kTKHookNotHandled;
    }

    void OnWindowDestroyed(CWnd* window) override
    {
        m_map.EnterWalk();
        m_map.RemoveRecord(window);
        m_map.LeaveWalk();
    }

private:
    CTKWindowHookMap& m_map;
};

CTKWindowHookMap::CTKWindowHookMap() = default;

CTKWindowHookMap::~CTKWindowHookMap() = default;

CTKWindowHookMap& CTKWindowHookMap::Get()
{
    static CTKWindowHookMap map;
    return map;
}

CTKWindowHookMap::CRecord* CTKWindowHookMap::FindRecord(const CWnd* window) const
{
    auto it = m_records.find(window);
    return it == m_records.end() ? nullptr : it->second.get();
}

void CTKWindowHookMap::AddHook(CWnd* window, CTKHookSink* hook)
{
    if (!window || !hook)
        return;
    CRecord* record = FindRecord(window);
    if (!record) {
        auto created = std::make_unique<CRecord>(*this, window);
        record = created.get();
        m_records.emplace(window, std::move(created));
    }
    if (!Contains(record->m_hooks, hook))
        record->m_hooks.push_back(hook);
}

void CTKWindowHookMap::RemoveHook(CWnd* window, CTKHookSink* hook)
{
    CRecord* record = FindRecord(window);
    if (!record)
        return;
    auto it = std::find(record->m_hooks.begin(), record->m_hooks.end(), hook);
    if (it == record->m_hooks.end())
        return;
    record->m_hooks.erase(it);
    if (record->m_hooks.empty())
        RemoveRecord(window);
}

void CTKWindowHookMap::RemoveHookFromAll(CTKHookSink* hook)
{
    std::vector<CWnd*> windows;
    for (const auto& [window, record] : m_records)
        if (Contains(record->m_hooks, hook))
            windows.push_back(const_cast<CWnd*>(window));
    for (CWnd* window : windows)
        RemoveHook(window, hook);
}

BOOL CTKWindowHookMap::IsHooked(const CWnd* window) const
{
    return FindRecord(window) != nullptr;
}

int CTKWindowHookMap::GetHookCount(const CWnd* window) const
{
    const CRecord* record = FindRecord(window);
    return record ? static_cast<int>(record->m_hooks.size()) : 0;
}

void CTKWindowHookMap::RemoveRecord(CWnd* window)
{
    auto it = m_records.find(window);
    if (it == m_records.end())
        return;
    std::unique_ptr<CRecord> record = std::move(it->second);
    m_records.erase(it);
    record->UnhookAll();
    if (m_nWalkDepth > 0)
        m_retired.push_back(std::move(record));
}

void CTKWindowHookMap::LeaveWalk()
{
    if (--m_nWalkDepth == 0)
        m_retired.clear();
}

void CTKWindowHookMap::AddTrackingHook(CTKHookSink* hook)
{
    if (hook && !Contains(m_trackingHooks, hook))
        m_trackingHooks.push_back(hook);
}

void CTKWindowHookMap::RemoveTrackingHook(CTKHookSink* hook)
{
    auto it = std::find(m_trackingHooks.begin(), m_trackingHooks.end(), hook);
    if (it != m_trackingHooks.end())
        m_trackingHooks.erase(it);
}

BOOL CTKWindowHookMap::DispatchToTrackingHooks(UINT message, WPARAM wParam, LPARAM lParam)
{
    const std::vector<CTKHookSink*> snapshot = m_trackingHooks;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        if (!Contains(m_trackingHooks, *it))
            continue;
        WPARAM w = wParam;
        LPARAM l = lParam;
        LRESULT result = 0;
        int answer = (*it)->OnHookMessage(nullptr, message, &w, &l, &result);
        if (answer == kTKHookHandled)
            return TRUE;
        if (answer == kTKHookStop)
            return FALSE;
    }
    return TRUE;
}
