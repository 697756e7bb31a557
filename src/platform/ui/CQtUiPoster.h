#pragma once
// Posting to the user-interface thread with a queued Qt invocation: the
// call runs on the thread that created the poster (the user-interface
// thread) once the event loop gets to it. Calls still queued when the
// poster is destroyed are dropped.

#include "platform/IUiPoster.h"

#include <QObject>

#include <memory>

class CQtUiPoster : public IUiPoster {
public:
    CQtUiPoster();
    ~CQtUiPoster() override;

    void Post(std::function<void()> call) override;

private:
    std::unique_ptr<QObject> m_context;
};
