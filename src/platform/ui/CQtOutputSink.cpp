#include "CQtOutputSink.h"

#include <QObject>
#include <QThread>

#include <cstdio>

namespace {

constexpr unsigned kListCount = 3;

} // namespace

CQtOutputSink::CQtOutputSink(IOutputSink* target) : m_target(target), m_context(std::make_unique<QObject>())
{
}

CQtOutputSink::~CQtOutputSink() = default;

BOOL CQtOutputSink::OnUiThread() const
{
    return QThread::currentThread() == m_context->thread();
}

void CQtOutputSink::Run(std::function<void()> call)
{
    if (OnUiThread()) {
        call();
        return;
    }
    QMetaObject::invokeMethod(m_context.get(), std::move(call), Qt::QueuedConnection);
}

BOOL CQtOutputSink::AppendOutputLine(unsigned list, const std::string& text)
{
    if (list >= kListCount)
        return FALSE;
    Run([this, list, text] {
        if (m_target)
            m_target->AppendOutputLine(list, text);
        else
            std::fprintf(stderr, "%s\n", text.c_str());
    });
    return TRUE;
}

void CQtOutputSink::ClearOutputList(unsigned list)
{
    if (list >= kListCount)
        return;
    Run([this, list] {
        if (m_target)
            m_target->ClearOutputList(list);
    });
}

void CQtOutputSink::LogStatusMessage(int category, int code, int reserved)
{
    Run([this, category, code, reserved] {
        if (m_target)
            m_target->LogStatusMessage(category, code, reserved);
    });
}
