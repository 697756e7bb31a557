#pragma once
// The output service as Qt-free code reaches it: lines and status codes
// are handed to the Output pane's sink on the user-interface thread (posted
// when they come from another thread); without a sink the lines go to the
// standard error stream.

#include "platform/IOutputSink.h"

#include <functional>
#include <memory>

class QObject;

class CQtOutputSink : public IOutputSink {
public:
    explicit CQtOutputSink(IOutputSink* target = nullptr);
    ~CQtOutputSink() override;

    void SetTarget(IOutputSink* target) { m_target = target; }

    BOOL AppendOutputLine(unsigned list, const std::string& text) override;
    void ClearOutputList(unsigned list) override;
    void LogStatusMessage(int category, int code, int reserved) override;

private:
    BOOL OnUiThread() const;
    void Run(std::function<void()> call);

    IOutputSink* m_target;
    std::unique_ptr<QObject> m_context;
};
