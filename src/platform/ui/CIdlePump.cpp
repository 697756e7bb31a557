#include "CIdlePump.h"

#include "CWnd.h"

#include <QApplication>

CIdlePump::CIdlePump(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CIdlePump::RunIdle);
}

CIdlePump& CIdlePump::Instance()
{
    static CIdlePump* pump = new CIdlePump(qApp);
    return *pump;
}

void CIdlePump::Arm()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void CIdlePump::RunIdle()
{
    m_timer.stop();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* wnd = dynamic_cast<CWnd*>(widget);
        if (!wnd || !wnd->isVisible())
            continue;
        QPointer<CWnd> alive(wnd);
        wnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        if (alive)
            wnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
    }
}
