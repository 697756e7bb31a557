#include "CMessagePump.h"

#include "CIdlePump.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "CWndMessageEvent.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QThread>

#include <algorithm>
#include <iterator>

namespace {

QPointer<CMessagePump> s_pump;

BOOL IsIdleMessage(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MetaCall:
    case QEvent::WindowActivate:
        return TRUE;
    case QEvent::Timer:
        return !CIdlePump::Instance().IsIdleTimer(watched);
    default:
        break;
    }
    if (event->type() == CWndMessageEvent::EventType())
        return static_cast<CWndMessageEvent*>(event)->posted;
    return FALSE;
}

// The keys with which a text field edits its own text.
constexpr QKeySequence::StandardKey kLineEditingKeys[] = {
    QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
};

// A text field with the focus has its editing keys before any accelerator:
// the frame's Select All, Copy, Cut, Paste and Undo would take them away.
bool IsLineEditingKey(const QWidget* widget, const QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !qobject_cast<const QLineEdit*>(widget))
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return std::any_of(std::begin(kLineEditingKeys), std::end(kLineEditingKeys),
                       [key](QKeySequence::StandardKey standard) { return key->matches(standard); });
}

} // namespace

CMessagePump::CMessagePump(QObject* parent) : QObject(parent)
{
}

void CMessagePump::Install()
{
    if (s_pump || !qApp)
        return;
    s_pump = new CMessagePump(qApp);
    qApp->installEventFilter(s_pump);
}

void CMessagePump::PostQuitMessage(int exitCode)
{
    // With no loop running, an exit would stay pending and end the next
    // loop that starts, a modal dialog's included, the moment it starts.
    if (QThread::currentThread()->loopLevel() == 0)
        return;
    QCoreApplication::exit(exitCode);
}

BOOL CMessagePump::WasPreTranslated(const QEvent* event, const QWidget* receiver)
{
    if (!s_pump || s_pump->m_key != event || s_pump->m_keyReceiver != receiver)
        return FALSE;
    return s_pump->m_keyPreTranslated ? TRUE : FALSE;
}

bool CMessagePump::eventFilter(QObject* watched, QEvent* event)
{
    if (IsIdleMessage(watched, event))
        CIdlePump::Instance().Arm();
    switch (event->type()) {
    case QEvent::Show: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->isWindow() && widget->isModal() && CWnd::GetCapture())
            CWnd::ReleaseCapture();
        return false;
    }
    case QEvent::ApplicationDeactivate:
        if (CWnd::GetCapture())
            CWnd::ReleaseCapture();
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return PreTranslatePlainWidget(watched, event);
    default:
        return false;
    }
}

void CMessagePump::FollowKey(QWidget* receiver, const QEvent* event)
{
    // Qt offers a key the widget had no use for to its parent, the same event.
    bool onward = m_key == event && m_keyType == event->type() && m_keyReceiver &&
                  m_keyReceiver->parentWidget() == receiver;
    if (!onward) {
        m_key = event;
        m_keyType = event->type();
        m_keyPreTranslated = false;
    }
    m_keyReceiver = receiver;
}

bool CMessagePump::PreTranslatePlainWidget(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    FollowKey(widget, event);
    // Our windows pre-translate their own messages when they dispatch them;
    // a key is pre-translated once, by the first widget that has it.
    if (m_keyPreTranslated || dynamic_cast<CWnd*>(widget) || IsLineEditingKey(widget, event))
        return false;
    // Only a window of ours in the same top-level window filters: a dialog's
    // keys never reach the accelerators of the frame behind it.
    CWnd* owner = CWnd::FromWidget(widget);
    if (!owner || owner->window() != widget->window())
        return false;
    std::vector<MSG> messages = CWnd::MessagesFromEvent(widget, event);
    if (messages.empty())
        return false;
    QPointer<CMessagePump> self(this);
    bool translated = CWinApp::PreTranslate(&messages.front()) != FALSE;
    // Pre-translation may run a modal loop that sees other keys: the mark
    // is set for this key afterwards.
    if (self && !translated) {
        m_key = event;
        m_keyType = event->type();
        m_keyReceiver = widget;
        m_keyPreTranslated = true;
    }
    return translated;
}
