#include "CQtUiPoster.h"

#include <QMetaObject>

CQtUiPoster::CQtUiPoster() : m_context(std::make_unique<QObject>())
{
}

CQtUiPoster::~CQtUiPoster() = default;

void CQtUiPoster::Post(std::function<void()> call)
{
    if (!call)
        return;
    QMetaObject::invokeMethod(m_context.get(), std::move(call), Qt::QueuedConnection);
}
