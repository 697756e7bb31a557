#pragma once
// Lets any number of hook sinks watch any window: each watched window gets
// one record that sees its messages first and offers them to its sinks, the
// sink attached last first. Beside the windows the map keeps the tracking
// hooks, to which the frame passes key-downs and wheel turns while a bar
// tracks. Sinks may add or remove hooks while a message is offered to them:
// the walk runs over a copy and checks every sink again before it calls it.

#include "toolkit/commandbars/CTKHookSink.h"

#include <map>
#include <memory>
#include <vector>

class CTKWindowHookMap {
public:
    CTKWindowHookMap();
    ~CTKWindowHookMap();
    CTKWindowHookMap(const CTKWindowHookMap&) = delete;
    CTKWindowHookMap& operator=(const CTKWindowHookMap&) = delete;

    // The map of the user-interface thread.
    static CTKWindowHookMap& Get();

    // Adding a hook twice, or removing an absent one, does nothing.
    void AddHook(CWnd* window, CTKHookSink* hook);
    void RemoveHook(CWnd* window, CTKHookSink* hook);
    void RemoveHookFromAll(CTKHookSink* hook);
    BOOL IsHooked(const CWnd* window) const;
    int GetHookCount(const CWnd* window) const;

    void AddTrackingHook(CTKHookSink* hook);
    void RemoveTrackingHook(CTKHookSink* hook);
    int GetTrackingHookCount() const { return static_cast<int>(m_trackingHooks.size()); }
    // Offers the message to the tracking hooks, newest first, with no
    // window: the first answer 1 ends with TRUE, the first answer 2 with
    // FALSE; when all answer 0 (or there are none) the message counts as
    // handled (TRUE).
    BOOL DispatchToTrackingHooks(UINT message, WPARAM wParam, LPARAM lParam);

private:
    class CRecord;
    friend class CRecord;

    CRecord* FindRecord(const CWnd* window) const;
    void RemoveRecord(CWnd* window);
    // Records removed while a walk runs go when the outermost walk ends.
    void EnterWalk() { ++m_nWalkDepth; }
    void LeaveWalk();

    std::map<const CWnd*, std::unique_ptr<CRecord>> m_records;
    std::vector<std::unique_ptr<CRecord>> m_retired;
    std::vector<CTKHookSink*> m_trackingHooks;
    int m_nWalkDepth = 0;
};
