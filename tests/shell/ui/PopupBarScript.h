#pragma once
// Context menus open as popup bars of the frame's command bars, each in a
// tracking loop of its own: while the action that opens one runs, the first
// popup bar that comes up is handed to the script, which must close it.

#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"

#include <QTimer>

#include <functional>

inline void WhilePopupBarOpens(const std::function<void()>& action, const std::function<void(CTKPopupBar*)>& script)
{
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const auto& bars = CTKPopupTracker::Get().GetTrackedBars();
        auto* popup = bars.empty() ? nullptr : dynamic_cast<CTKPopupBar*>(bars.front());
        if (popup == nullptr)
            return;
        poll.stop();
        script(popup);
    });
    poll.start();
    action();
}
