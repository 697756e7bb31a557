#include "CQtStatusLine.h"

#include "CWnd.h"

#include <QThread>

CQtStatusLine::CQtStatusLine(CWnd* statusBar) : m_statusBar(statusBar), m_context(std::make_unique<QObject>())
{
}

CQtStatusLine::~CQtStatusLine() = default;

void CQtStatusLine::SetStatusBar(CWnd* statusBar)
{
    m_statusBar = statusBar;
}

void CQtStatusLine::SetStatusText(const std::string& text)
{
    if (QThread::currentThread() != m_context->thread()) {
        QMetaObject::invokeMethod(m_context.get(), [this, text] { SetStatusText(text); }, Qt::QueuedConnection);
        return;
    }
    if (m_statusBar)
        m_statusBar->SetWindowText(text);
}
