#include "platform/ui/CScreenMetricsFollower.h"

#include "platform/CSystemMetrics.h"

#include <QScreen>
#include <QWindow>

namespace {

// A Qt rectangle as the platform keeps one: right and bottom exclusive.
CRect ToCRect(const QRect& rect)
{
    return CRect(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
}

} // namespace

CScreenMetricsFollower::CScreenMetricsFollower(QWidget* window) : m_window(window)
{
    if (!m_window)
        return;
    m_window->winId();
    if (QWindow* handle = m_window->windowHandle())
        m_screenChanged = QObject::connect(handle, &QWindow::screenChanged, [this](QScreen* screen) {
            Follow(screen);
            Apply();
        });
    Follow(m_window->screen());
    Apply();
}

CScreenMetricsFollower::~CScreenMetricsFollower()
{
    QObject::disconnect(m_screenChanged);
    Disconnect();
}

void CScreenMetricsFollower::Apply()
{
    QScreen* screen = m_window ? m_window->screen() : nullptr;
    if (!screen)
        return;
    CSystemMetrics& metrics = CSystemMetrics::Instance();
    const QRect whole = screen->geometry();
    metrics.SetMetric(SM_CXSCREEN, whole.width());
    metrics.SetMetric(SM_CYSCREEN, whole.height());
    metrics.SetWorkArea(ToCRect(screen->availableGeometry()));
}

void CScreenMetricsFollower::Follow(QScreen* screen)
{
    Disconnect();
    if (!screen)
        return;
    m_geometryChanged = QObject::connect(screen, &QScreen::geometryChanged, [this] { Apply(); });
    m_workAreaChanged = QObject::connect(screen, &QScreen::availableGeometryChanged, [this] { Apply(); });
}

void CScreenMetricsFollower::Disconnect()
{
    QObject::disconnect(m_geometryChanged);
    QObject::disconnect(m_workAreaChanged);
}
