#include "CWnd.h"

#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CMessagePump.h"
#include "CPaintDC.h"
#include "CPaintSurface.h"
#include "CWinApp.h"
#include "CWndMessageEvent.h"
#include "QtText.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>

namespace {

QPointer<CWnd> s_capture;
QPointer<CWnd> s_lastFocusLost;
// Modifier keys and buttons of the input event being translated: the state
// that GetKeyState reports while its messages are handled.
bool s_inputSeen = false;
Qt::KeyboardModifiers s_inputModifiers;
Qt::MouseButtons s_inputButtons;

struct KeyMapping {
    int qtKey;
    UINT vk;
};

// Qt keys whose virtual key code is not their own value.
const KeyMapping kKeyMap[] = {
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},          {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},    {Qt::Key_Enter, VK_RETURN},     {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},  {Qt::Key_Alt, VK_MENU},         {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},     {Qt::Key_PageDown, VK_NEXT},    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},        {Qt::Key_Left, VK_LEFT},        {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},      {Qt::Key_Down, VK_DOWN},        {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},    {Qt::Key_Menu, VK_APPS},        {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Semicolon, 0xBA},     {Qt::Key_Equal, 0xBB},
    {Qt::Key_Comma, 0xBC},          {Qt::Key_Minus, 0xBD},          {Qt::Key_Period, 0xBE},
    {Qt::Key_Slash, 0xBF},          {Qt::Key_QuoteLeft, 0xC0},      {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_Backslash, 0xDC},      {Qt::Key_BracketRight, 0xDD},   {Qt::Key_Apostrophe, 0xDE},
};

UINT VirtualKeyOf(const QKeyEvent* key)
{
    int k = key->key();
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return VK_F1 + static_cast<UINT>(k - Qt::Key_F1);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        if (key->modifiers() & Qt::KeypadModifier)
            return VK_NUMPAD0 + static_cast<UINT>(k - Qt::Key_0);
        return static_cast<UINT>(k);
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return static_cast<UINT>(k);
    for (const KeyMapping& m : kKeyMap)
        if (m.qtKey == k)
            return m.vk;
    return 0;
}

BOOL IsExtendedKey(UINT vk)
{
    return (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
}

UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

UINT ButtonMessage(QEvent::Type type, Qt::MouseButton button)
{
    struct Row {
        Qt::MouseButton button;
        UINT down, up, dbl;
    };
    static const Row rows[] = {
        {Qt::LeftButton, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
        {Qt::RightButton, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
        {Qt::MiddleButton, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK},
    };
    for (const Row& r : rows) {
        if (r.button != button)
            continue;
        if (type == QEvent::MouseButtonPress)
            return r.down;
        if (type == QEvent::MouseButtonRelease)
            return r.up;
        return r.dbl;
    }
    return 0;
}

void AppendKeyMessages(QKeyEvent* key, CWnd* wnd, std::vector<MSG>* out)
{
    UINT vk = VirtualKeyOf(key);
    Qt::KeyboardModifiers mods = key->modifiers();
    bool alt = (mods & Qt::AltModifier) && !(mods & Qt::ControlModifier);
    bool down = key->type() == QEvent::KeyPress;
    DWORD bits = 1;
    if (IsExtendedKey(vk))
        bits |= 1u << 24;
    if (alt)
        bits |= 1u << 29;
    if (!down || key->isAutoRepeat())
        bits |= 1u << 30;
    if (!down)
        bits |= 1u << 31;
    bool sys = alt || vk == VK_F1 + 9 || vk == VK_MENU;
    if (vk != 0) {
        UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
        out->push_back({wnd, message, vk, static_cast<LPARAM>(bits), {}});
    }
    if (!down)
        return;
    UINT charMessage = alt ? WM_SYSCHAR : WM_CHAR;
    if ((mods & Qt::ControlModifier) && vk >= 'A' && vk <= 'Z') {
        out->push_back({wnd, charMessage, vk - 0x40, static_cast<LPARAM>(bits), {}});
        return;
    }
    std::string text = FromQString(key->text());
    for (unsigned char c : text) {
        if (c == 0x7F)
            continue;
        out->push_back({wnd, charMessage, c, static_cast<LPARAM>(bits), {}});
    }
}

} // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

CWnd::CWnd(QWidget* parent) : QWidget(parent), m_surface(std::make_unique<CPaintSurface>(this))
{
    CMessagePump::Install();
    setMouseTracking(true);
    // Every window paints all of its pixels: its parents need no repaint beneath it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CWnd::~CWnd()
{
    if (s_capture == this)
        s_capture.clear();
    if (m_created)
        DestroyWindow();
}

BOOL CWnd::Create(CWnd* parent, const CRect& rect, UINT id, DWORD style, const std::string& text)
{
    if (m_created)
        return FALSE;
    if (parent && parentWidget() != parent)
        setParent(parent);
    m_id = id;
    m_style = style & ~WS_VISIBLE;
    m_text = text;
    if (isWindow())
        setWindowTitle(ToQString(text));
    setEnabled(!(style & WS_DISABLED));
    m_created = TRUE;
    m_destroyed = FALSE;
    if (!rect.IsRectNull() || !isWindow())
        setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (SendMessage(WM_CREATE) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    else
        setVisible(false);
    SendSizeIfChanged();
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_created)
        return FALSE;
    SendMessage(WM_DESTROY);
    for (CWnd* child : GetChildWindows())
        child->DestroyWindow();
    for (const auto& timer : m_timers)
        killTimer(timer.second);
    m_timers.clear();
    if (s_capture == this)
        ReleaseCapture();
    m_created = FALSE;
    m_destroyed = TRUE;
    setVisible(false);
    SendMessage(WM_NCDESTROY);
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWndMessageEvent event(message, wParam, lParam, FALSE);
    QCoreApplication::sendEvent(this, &event);
    return event.result;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    QCoreApplication::postEvent(this, new CWndMessageEvent(message, wParam, lParam, TRUE));
    return TRUE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    for (CWnd* child : GetChildWindows()) {
        QPointer<CWnd> alive(child);
        child->SendMessage(message, wParam, lParam);
        if (deep && alive)
            child->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{this, message, wParam, lParam, {}};
    const MSG* outer = m_current;
    m_current = &msg;
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_current = outer;
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    for (auto it = m_msgTables.rbegin(); it != m_msgTables.rend(); ++it)
        if (it->dispatch(this, it->entries, it->count, message, wParam, lParam, result))
            return TRUE;
    return DispatchBuiltIn(message, wParam, lParam, result);
}

BOOL CWnd::DispatchBuiltIn(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    UINT flags = static_cast<UINT>(wParam);
    UINT repeat = LOWORD(static_cast<DWORD>(lParam));
    UINT keyFlags = HIWORD(static_cast<DWORD>(lParam));
    *result = 0;
    switch (message) {
    case WM_CREATE: *result = OnCreate(); return TRUE;
    case WM_DESTROY: OnDestroy(); return TRUE;
    case WM_NCDESTROY: OnNcDestroy(); return TRUE;
    case WM_CLOSE: OnClose(); return TRUE;
    case WM_PAINT: OnPaint(); return TRUE;
    case WM_ERASEBKGND: *result = OnEraseBkgnd(reinterpret_cast<CDC*>(wParam)); return TRUE;
    case WM_SIZE: OnSize(flags, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_MOVE: OnMove(point.x, point.y); return TRUE;
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return TRUE;
    case WM_ACTIVATE:
        OnActivate(LOWORD(static_cast<DWORD>(wParam)), reinterpret_cast<CWnd*>(lParam),
                   HIWORD(static_cast<DWORD>(wParam)));
        return TRUE;
    case WM_TIMER: OnTimer(wParam); return TRUE;
    case WM_SETFOCUS: OnSetFocus(reinterpret_cast<CWnd*>(wParam)); return TRUE;
    case WM_KILLFOCUS: OnKillFocus(reinterpret_cast<CWnd*>(wParam)); return TRUE;
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<CWnd*>(lParam)); return TRUE;
    case WM_LBUTTONDOWN: OnLButtonDown(flags, point); return TRUE;
    case WM_LBUTTONUP: OnLButtonUp(flags, point); return TRUE;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(flags, point); return TRUE;
    case WM_RBUTTONDOWN: OnRButtonDown(flags, point); return TRUE;
    case WM_RBUTTONUP: OnRButtonUp(flags, point); return TRUE;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(flags, point); return TRUE;
    case WM_MBUTTONDOWN: OnMButtonDown(flags, point); return TRUE;
    case WM_MBUTTONUP: OnMButtonUp(flags, point); return TRUE;
    case WM_MOUSEMOVE: OnMouseMove(flags, point); return TRUE;
    case WM_MOUSEWHEEL:
        *result = OnMouseWheel(LOWORD(static_cast<DWORD>(wParam)), static_cast<SHORT>(HIWORD(static_cast<DWORD>(wParam))),
                               point);
        return TRUE;
    case WM_MOUSELEAVE: OnMouseLeave(); return TRUE;
    case WM_CONTEXTMENU: OnContextMenu(reinterpret_cast<CWnd*>(wParam), point); return TRUE;
    case WM_KEYDOWN: OnKeyDown(flags, repeat, keyFlags); return TRUE;
    case WM_KEYUP: OnKeyUp(flags, repeat, keyFlags); return TRUE;
    case WM_CHAR: OnChar(flags, repeat, keyFlags); return TRUE;
    case WM_SYSKEYDOWN: OnSysKeyDown(flags, repeat, keyFlags); return TRUE;
    case WM_SYSKEYUP: OnSysKeyUp(flags, repeat, keyFlags); return TRUE;
    case WM_SYSCHAR: OnSysChar(flags, repeat, keyFlags); return TRUE;
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_NOTIFY: return OnNotify(wParam, lParam, result);
    case WM_SIZEPARENT: *result = OnSizeParent(wParam, lParam); return TRUE;
    case WM_IDLEUPDATECMDUI: OnIdleUpdateCmdUI(static_cast<BOOL>(wParam)); return TRUE;
    default: return FALSE;
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        m_text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (isWindow())
            setWindowTitle(ToQString(m_text));
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(m_text.size());
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0)
            return 0;
        size_t n = GbkSafeLength(m_text, wParam - 1);
        char* buffer = reinterpret_cast<char*>(lParam);
        std::memcpy(buffer, m_text.data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_PAINT: {
        // Opening and closing the paint's device context validates and erases.
        CPaintDC dc(this);
        return 0;
    }
    case WM_ERASEBKGND: {
        auto* dc = reinterpret_cast<CDC*>(wParam);
        if (dc == nullptr || !m_classBackground.IsCreated() || m_classBackground.IsNull())
            return 0;
        CRect box;
        dc->GetClipBox(&box);
        CBrush brush(m_classBackground);
        dc->FillRect(box, &brush);
        return 1;
    }
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        if (isWindow() || !GetParent())
            return 0;
        return GetParent()->SendMessage(message, wParam, lParam);
    case WM_RBUTTONUP: {
        QPoint screen = mapToGlobal(QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(this), MAKELPARAM(screen.x(), screen.y()));
        return 0;
    }
    default:
        return 0;
    }
}

LRESULT CWnd::Default()
{
    if (!m_current)
        return 0;
    return DefWindowProc(m_current->message, m_current->wParam, m_current->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* msg)
{
    for (QPointer<CWnd> wnd = msg->hwnd; wnd; wnd = wnd->GetParent()) {
        if (wnd->PreTranslateMessage(msg))
            return TRUE;
        if (wnd && wnd->isWindow())
            break;
    }
    return FALSE;
}

CWnd* CWnd::GetParent() const
{
    return FromWidget(parentWidget());
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (CWnd* wnd = GetParent(); wnd; wnd = wnd->GetParent())
        if (auto* frame = dynamic_cast<CFrameWnd*>(wnd))
            return frame;
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* top = dynamic_cast<CFrameWnd*>(const_cast<CWnd*>(this));
    for (CFrameWnd* frame = GetParentFrame(); frame; frame = frame->GetParentFrame())
        top = frame;
    return top;
}

CWnd* CWnd::GetOwner() const
{
    return m_owner ? m_owner.data() : GetParent();
}

CWnd* CWnd::GetDlgItem(UINT id) const
{
    for (CWnd* child : GetChildWindows())
        if (child->m_id == id)
            return child;
    return nullptr;
}

std::vector<CWnd*> CWnd::GetChildWindows() const
{
    std::vector<CWnd*> children;
    for (QObject* object : QObject::children())
        if (auto* wnd = dynamic_cast<CWnd*>(object))
            children.push_back(wnd);
    return children;
}

CWnd* CWnd::FromWidget(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* wnd = dynamic_cast<CWnd*>(w))
            return wnd;
    return nullptr;
}

DWORD CWnd::GetStyle() const
{
    DWORD style = m_style & ~(WS_VISIBLE | WS_DISABLED);
    if (!isHidden())
        style |= WS_VISIBLE;
    if (!isEnabled())
        style |= WS_DISABLED;
    return style;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add)
{
    DWORD old = GetStyle();
    DWORD style = (old & ~remove) | add;
    if (style == old)
        return FALSE;
    m_style = style & ~(WS_VISIBLE | WS_DISABLED);
    if ((style ^ old) & WS_DISABLED)
        setEnabled(!(style & WS_DISABLED));
    if ((style ^ old) & WS_VISIBLE)
        setVisible((style & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add)
{
    DWORD style = (m_exStyle & ~remove) | add;
    if (style == m_exStyle)
        return FALSE;
    m_exStyle = style;
    return TRUE;
}

void CWnd::SetWindowText(const std::string& text)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CWnd::GetWindowText()
{
    LRESULT length = SendMessage(WM_GETTEXTLENGTH);
    if (length <= 0)
        return {};
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = SendMessage(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return buffer;
}

BOOL CWnd::ShowWindow(int cmdShow)
{
    BOOL wasVisible = !isHidden();
    switch (cmdShow) {
    case SW_HIDE: setVisible(false); break;
    case SW_SHOWMAXIMIZED:
        if (isWindow())
            showMaximized();
        else
            setVisible(true);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        if (isWindow())
            showMinimized();
        break;
    case SW_RESTORE:
        if (isWindow())
            showNormal();
        else
            setVisible(true);
        break;
    default: setVisible(true); break;
    }
    SendSizeIfChanged();
    return wasVisible;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    BOOL wasDisabled = !isEnabled();
    setEnabled(enable != FALSE);
    return wasDisabled;
}

void CWnd::GetClientRect(CRect* rect) const
{
    *rect = CRect(0, 0, width(), height());
}

void CWnd::GetWindowRect(CRect* rect) const
{
    QPoint origin = mapToGlobal(QPoint(0, 0));
    *rect = CRect(origin.x(), origin.y(), origin.x() + width(), origin.y() + height());
}

void CWnd::ClientToScreen(CPoint* point) const
{
    QPoint p = mapToGlobal(QPoint(point->x, point->y));
    *point = CPoint(p.x(), p.y());
}

void CWnd::ClientToScreen(CRect* rect) const
{
    QPoint origin = mapToGlobal(QPoint(0, 0));
    rect->OffsetRect(origin.x(), origin.y());
}

void CWnd::ScreenToClient(CPoint* point) const
{
    QPoint p = mapFromGlobal(QPoint(point->x, point->y));
    *point = CPoint(p.x(), p.y());
}

void CWnd::ScreenToClient(CRect* rect) const
{
    QPoint origin = mapToGlobal(QPoint(0, 0));
    rect->OffsetRect(-origin.x(), -origin.y());
}

void CWnd::MoveWindow(const CRect& rect, BOOL repaint)
{
    setGeometry(rect.left, rect.top, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
    SendSizeIfChanged();
    if (repaint)
        update();
}

void CWnd::CalcWindowRect(CRect*, UINT)
{
}

void CWnd::Invalidate(BOOL erase)
{
    m_surface->Invalidated(nullptr, erase);
    update();
}

void CWnd::InvalidateRect(const CRect* rect, BOOL erase)
{
    m_surface->Invalidated(rect, erase);
    if (!rect) {
        update();
        return;
    }
    update(rect->left, rect->top, rect->Width(), rect->Height());
}

void CWnd::UpdateWindow()
{
    if (isVisible())
        repaint();
}

CWnd* CWnd::SetFocus()
{
    CWnd* old = GetFocus();
    setFocus(Qt::OtherFocusReason);
    return old;
}

CWnd* CWnd::GetFocus()
{
    return FromWidget(QApplication::focusWidget());
}

CWnd* CWnd::SetCapture()
{
    QPointer<CWnd> old = s_capture;
    if (old == this)
        return old;
    s_capture = this;
    if (isVisible())
        grabMouse();
    if (old)
        old->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(this));
    return old;
}

BOOL CWnd::ReleaseCapture()
{
    QPointer<CWnd> old = s_capture;
    if (!old)
        return TRUE;
    s_capture.clear();
    if (QWidget::mouseGrabber() == old)
        old->releaseMouse();
    old->SendMessage(WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

CWnd* CWnd::GetCapture()
{
    return s_capture;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse)
{
    if (id == 0)
        return 0;
    KillTimer(id);
    int qtId = startTimer(static_cast<int>(elapse));
    if (qtId == 0)
        return 0;
    m_timers[id] = qtId;
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return FALSE;
    killTimer(it->second);
    m_timers.erase(it);
    return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint, TOOLINFO*) const
{
    return -1;
}

std::vector<MSG> CWnd::MessagesFromEvent(QWidget* target, QEvent* event)
{
    std::vector<MSG> out;
    CWnd* wnd = FromWidget(target);
    if (event->isInputEvent()) {
        auto* input = static_cast<QInputEvent*>(event);
        s_inputSeen = true;
        s_inputModifiers = input->modifiers();
        QEvent::Type t = event->type();
        if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick ||
            t == QEvent::MouseMove || t == QEvent::Wheel)
            s_inputButtons = static_cast<QSinglePointEvent*>(event)->buttons();
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        AppendKeyMessages(static_cast<QKeyEvent*>(event), wnd, &out);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QPoint p = mouse->position().toPoint();
        if (wnd && wnd != target)
            p = target->mapTo(wnd, p);
        UINT message = event->type() == QEvent::MouseMove ? WM_MOUSEMOVE : ButtonMessage(event->type(), mouse->button());
        if (message != 0) {
            QPoint g = mouse->globalPosition().toPoint();
            out.push_back({wnd, message, MouseFlags(mouse->buttons(), mouse->modifiers()), MAKELPARAM(p.x(), p.y()),
                           CPoint(g.x(), g.y())});
        }
        break;
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        QPoint g = wheel->globalPosition().toPoint();
        WPARAM w = MAKELONG(static_cast<int>(MouseFlags(wheel->buttons(), wheel->modifiers())), wheel->angleDelta().y());
        out.push_back({wnd, WM_MOUSEWHEEL, w, MAKELPARAM(g.x(), g.y()), CPoint(g.x(), g.y())});
        break;
    }
    default:
        break;
    }
    return out;
}

bool CWnd::event(QEvent* event)
{
    if (event->type() == CWndMessageEvent::EventType()) {
        auto* message = static_cast<CWndMessageEvent*>(event);
        message->result = WindowProc(message->message, message->wParam, message->lParam);
        return true;
    }
    if (!m_destroyed && HandleQtEvent(event))
        return true;
    return QWidget::event(event);
}

BOOL CWnd::HandleQtEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel: {
        QPointer<CWnd> self(this);
        for (MSG msg : MessagesFromEvent(this, event)) {
            if (!self)
                break;
            if (CWinApp::PreTranslate(&msg)) {
                // A translated key (an accelerator) produces no characters.
                if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
                    break;
                continue;
            }
            SendMessage(msg.message, msg.wParam, msg.lParam);
        }
        event->accept();
        return TRUE;
    }
    case QEvent::Leave:
        SendMessage(WM_MOUSELEAVE);
        return FALSE;
    case QEvent::ContextMenu: {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() == QContextMenuEvent::Keyboard)
            SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(this), -1);
        return TRUE;
    }
    case QEvent::Paint: {
        const QPaintEvent* outer = m_paintEvent;
        m_paintEvent = static_cast<QPaintEvent*>(event);
        m_surface->Paint(m_paintEvent);
        m_paintEvent = outer;
        return TRUE;
    }
    case QEvent::Resize:
        QWidget::event(event);
        SendSizeIfChanged();
        return TRUE;
    case QEvent::Move:
        QWidget::event(event);
        SendMessage(WM_MOVE, 0, MAKELPARAM(x(), y()));
        return TRUE;
    case QEvent::Show:
    case QEvent::Hide:
        QWidget::event(event);
        SendMessage(WM_SHOWWINDOW, event->type() == QEvent::Show, 0);
        return TRUE;
    case QEvent::FocusIn: {
        QWidget::event(event);
        CWnd* old = s_lastFocusLost;
        SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old == this ? nullptr : old));
        return TRUE;
    }
    case QEvent::FocusOut:
        QWidget::event(event);
        s_lastFocusLost = this;
        SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(GetFocus()));
        return TRUE;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        QWidget::event(event);
        SendMessage(WM_ACTIVATE, event->type() == QEvent::WindowActivate ? 1 : 0, 0);
        return TRUE;
    case QEvent::Close:
        event->ignore();
        SendMessage(WM_CLOSE);
        return TRUE;
    case QEvent::ToolTip:
        ShowToolTip(event);
        return TRUE;
    default:
        return FALSE;
    }
}

void CWnd::ShowToolTip(QEvent* event)
{
    auto* help = static_cast<QHelpEvent*>(event);
    TOOLINFO info;
    if (!m_toolTips || OnToolHitTest(CPoint(help->pos().x(), help->pos().y()), &info) < 0 || info.text.empty()) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    QRect area(info.rect.left, info.rect.top, info.rect.Width(), info.rect.Height());
    QToolTip::showText(help->globalPos(), ToQString(info.text), this, area);
}

void CWnd::timerEvent(QTimerEvent* event)
{
    for (const auto& timer : m_timers) {
        if (timer.second != event->timerId())
            continue;
        SendMessage(WM_TIMER, timer.first);
        return;
    }
    QWidget::timerEvent(event);
}

void CWnd::SendSizeIfChanged()
{
    if (size() == m_lastSize)
        return;
    m_lastSize = size();
    SendMessage(WM_SIZE, GetSizeType(), MAKELPARAM(width(), height()));
}

UINT CWnd::GetSizeType() const
{
    if (isWindow() && isMaximized())
        return SIZE_MAXIMIZED;
    if (isWindow() && isMinimized())
        return SIZE_MINIMIZED;
    return SIZE_RESTORED;
}

int CWnd::OnCreate()
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnNcDestroy()
{
    Default();
    // The main window going away ends the application.
    CWinApp* app = AfxGetApp();
    if (app && app->GetMainWnd() == this) {
        app->SetMainWnd(nullptr);
        CMessagePump::PostQuitMessage(0);
    }
    PostNcDestroy();
}

void CWnd::PostNcDestroy()
{
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnMove(int, int)
{
    Default();
}

void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}

void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnSetFocus(CWnd*)
{
    Default();
}

void CWnd::OnKillFocus(CWnd*)
{
    Default();
}

void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnMButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnMouseLeave()
{
    Default();
}

void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}

void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysKeyUp(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysChar(UINT, UINT, UINT)
{
    Default();
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(static_cast<DWORD>(wParam));
    int code = HIWORD(static_cast<DWORD>(wParam));
    if (id == 0)
        return FALSE;
    if (lParam == 0) {
        // A menu or accelerator command: not run while it is disabled.
        CCmdUI state(id);
        OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.IsEnabled())
            return TRUE;
        code = CN_COMMAND;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return FALSE;
    AFX_NOTIFY notify{result, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom), static_cast<int>(MAKELONG(static_cast<int>(header->code), WM_NOTIFY)),
                    &notify, nullptr);
}

LRESULT CWnd::OnSizeParent(WPARAM, LPARAM)
{
    return Default();
}

void CWnd::OnIdleUpdateCmdUI(BOOL)
{
    Default();
}

SHORT GetKeyState(int virtualKey)
{
    const SHORT down = static_cast<SHORT>(0x8000);
    Qt::KeyboardModifiers mods = s_inputSeen ? s_inputModifiers : QApplication::keyboardModifiers();
    Qt::MouseButtons buttons = s_inputSeen ? s_inputButtons : QApplication::mouseButtons();
    switch (static_cast<UINT>(virtualKey)) {
    case VK_SHIFT: return (mods & Qt::ShiftModifier) ? down : 0;
    case VK_CONTROL: return (mods & Qt::ControlModifier) ? down : 0;
    case VK_MENU: return (mods & Qt::AltModifier) ? down : 0;
    case VK_LBUTTON: return (buttons & Qt::LeftButton) ? down : 0;
    case VK_RBUTTON: return (buttons & Qt::RightButton) ? down : 0;
    case VK_MBUTTON: return (buttons & Qt::MiddleButton) ? down : 0;
    default: return 0;
    }
}
