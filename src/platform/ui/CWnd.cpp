#include "CWnd.h"

#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CMessagePump.h"
#include "CPaintDC.h"
#include "CPaintSurface.h"
#include "CQtCaret.h"
#include "CScrollBar.h"
#include "CTimerService.h"
#include "CWinApp.h"
#include "CWindowStack.h"
#include "CWndMessageEvent.h"
#include "QtText.h"

#include "platform/CCaret.h"
#include "platform/CSystemMetrics.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QHelpEvent>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
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

// Shifted symbols of the US layout and the key that carries them: Shift+1
// is VK_1, as the key codes name keys, not characters.
const KeyMapping kShiftedKeyMap[] = {
    {Qt::Key_Exclam, '1'},       {Qt::Key_At, '2'},           {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},       {Qt::Key_Percent, '5'},      {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},    {Qt::Key_Asterisk, '8'},     {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},   {Qt::Key_Underscore, 0xBD},  {Qt::Key_Plus, 0xBB},
    {Qt::Key_BraceLeft, 0xDB},   {Qt::Key_BraceRight, 0xDD},  {Qt::Key_Bar, 0xDC},
    {Qt::Key_Colon, 0xBA},       {Qt::Key_QuoteDbl, 0xDE},    {Qt::Key_Less, 0xBC},
    {Qt::Key_Greater, 0xBE},     {Qt::Key_Question, 0xBF},    {Qt::Key_AsciiTilde, 0xC0},
};

// Operator keys of the numeric keypad.
const KeyMapping kKeypadMap[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},     {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Slash, VK_DIVIDE},
};

UINT Lookup(const KeyMapping* begin, const KeyMapping* end, int qtKey)
{
    for (const KeyMapping* m = begin; m != end; ++m)
        if (m->qtKey == qtKey)
            return m->vk;
    return 0;
}

UINT VirtualKeyOf(const QKeyEvent* key)
{
    int k = key->key();
    if (key->modifiers() & Qt::KeypadModifier) {
        if (UINT vk = Lookup(std::begin(kKeypadMap), std::end(kKeypadMap), k))
            return vk;
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return VK_F1 + static_cast<UINT>(k - Qt::Key_F1);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        if (key->modifiers() & Qt::KeypadModifier)
            return VK_NUMPAD0 + static_cast<UINT>(k - Qt::Key_0);
        return static_cast<UINT>(k);
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return static_cast<UINT>(k);
    if (UINT vk = Lookup(std::begin(kKeyMap), std::end(kKeyMap), k))
        return vk;
    return Lookup(std::begin(kShiftedKeyMap), std::end(kShiftedKeyMap), k);
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

// The non-client message of a client mouse message.
UINT NonClientMessage(UINT message)
{
    struct Row {
        UINT client, nonClient;
    };
    static const Row rows[] = {
        {WM_MOUSEMOVE, WM_NCMOUSEMOVE},         {WM_LBUTTONDOWN, WM_NCLBUTTONDOWN},
        {WM_LBUTTONUP, WM_NCLBUTTONUP},         {WM_LBUTTONDBLCLK, WM_NCLBUTTONDBLCLK},
        {WM_RBUTTONDOWN, WM_NCRBUTTONDOWN},     {WM_RBUTTONUP, WM_NCRBUTTONUP},
        {WM_RBUTTONDBLCLK, WM_NCRBUTTONDBLCLK}, {WM_MBUTTONDOWN, WM_NCMBUTTONDOWN},
        {WM_MBUTTONUP, WM_NCMBUTTONUP},         {WM_MBUTTONDBLCLK, WM_NCMBUTTONDBLCLK},
    };
    for (const Row& r : rows)
        if (r.client == message)
            return r.nonClient;
    return 0;
}

BOOL IsDialogKey(int qtKey)
{
    return qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab || qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter
           || qtKey == Qt::Key_Escape;
}

// The top-level window keeps the key that may ask for the menu: one key
// reaches every window it passes on its way up (a plain widget's key goes to
// the window that wraps it and then, left unused, to that window's parents),
// and Alt or F10 asks once, not once per window, which opened the menu and
// closed it again.
BOOL IsMenuKey(UINT key)
{
    return key == VK_MENU || key == VK_F10;
}

CWnd* MenuKeyKeeper(CWnd* wnd)
{
    CWnd* top = CWnd::FromWidget(wnd->window());
    return top ? top : wnd;
}

} // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

CWnd* const CWnd::wndTop = nullptr;
CWnd* const CWnd::wndBottom = reinterpret_cast<CWnd*>(1);
CWnd* const CWnd::wndTopMost = reinterpret_cast<CWnd*>(-1);
CWnd* const CWnd::wndNoTopMost = reinterpret_cast<CWnd*>(-2);

CWnd::CWnd(QWidget* parent) : QWidget(parent), m_surface(std::make_unique<CPaintSurface>(this))
{
    CMessagePump::Install();
    setMouseTracking(true);
    // Every window paints all of its pixels: its parents need no repaint beneath it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CWnd::~CWnd()
{
    for (DispatchFrame* frame = m_dispatch; frame; frame = frame->outer)
        frame->alive = false;
    if (s_capture == this)
        s_capture.clear();
    if (m_created)
        DestroyWindow();
    CTimerService::Instance().KillTimers(this);
}

void CWnd::OnFinalRelease()
{
    if (!m_dispatch) {
        delete this;
        return;
    }
    // Handlers up the stack still run on this window: delete it after them.
    if (m_releasePending)
        return;
    m_releasePending = TRUE;
    deleteLater();
}

BOOL CWnd::Create(CWnd* parent, const CRect& rect, UINT id, DWORD style, const std::string& text)
{
    if (m_created)
        return FALSE;
    m_style = style & ~WS_VISIBLE;
    if (style & WS_POPUP)
        MakePopup(parent, style);
    else if (parent && parentWidget() != parent)
        setParent(parent);
    m_id = id;
    m_text = text;
    if (isWindow())
        setWindowTitle(ToQString(text));
    setEnabled(!(style & WS_DISABLED));
    m_created = TRUE;
    m_destroyed = FALSE;
    CPoint origin = parent && !isWindow() ? parent->GetClientOrigin() : CPoint();
    if (!rect.IsRectNull() || !isWindow())
        setGeometry(rect.left + origin.x, rect.top + origin.y, rect.Width(), rect.Height());
    RecalcNonClient();
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
    // Children and owned pop-ups go with the window.
    for (QObject* object : QObject::children())
        if (auto* wnd = dynamic_cast<CWnd*>(object); wnd && wnd->m_created)
            wnd->DestroyWindow();
    CTimerService::Instance().KillTimers(this);
    CWindowStack::Instance().Remove(this);
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
    DispatchFrame frame;
    frame.outer = m_dispatch;
    m_dispatch = &frame;
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result) && frame.alive)
        result = DefWindowProc(message, wParam, lParam);
    // A handler may have deleted the window: then nothing of it is touched.
    if (!frame.alive)
        return result;
    m_dispatch = frame.outer;
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
    case WM_NCCALCSIZE: OnNcCalcSize(static_cast<BOOL>(wParam), reinterpret_cast<CRect*>(lParam)); return TRUE;
    case WM_NCHITTEST: *result = OnNcHitTest(point); return TRUE;
    case WM_NCPAINT: OnNcPaint(reinterpret_cast<CDC*>(wParam)); return TRUE;
    case WM_GETDLGCODE: *result = static_cast<LRESULT>(OnGetDlgCode()); return TRUE;
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
    case WM_SETCURSOR:
        *result = OnSetCursor(reinterpret_cast<CWnd*>(wParam), LOWORD(static_cast<DWORD>(lParam)),
                              HIWORD(static_cast<DWORD>(lParam)));
        return TRUE;
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
    case WM_SYSKEYDOWN:
        MenuKeyKeeper(this)->m_menuKeyAlone = IsMenuKey(static_cast<UINT>(wParam)) ? static_cast<UINT>(wParam) : 0;
        return 0;
    case WM_SYSKEYUP:
        OnMenuKeyUp(static_cast<UINT>(wParam));
        return 0;
    case WM_NCCALCSIZE:
        DefaultNcCalcSize(reinterpret_cast<CRect*>(lParam));
        return 0;
    case WM_NCHITTEST:
        return DefaultNcHitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    case WM_NCPAINT:
        DefaultNcPaint(reinterpret_cast<CDC*>(wParam));
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

// Alt or F10 released with no other key between asks the top-level window
// for its menu, as the system's keyboard menu command.
void CWnd::OnMenuKeyUp(UINT key)
{
    CWnd* keeper = MenuKeyKeeper(this);
    const BOOL alone = key != 0 && key == keeper->m_menuKeyAlone;
    keeper->m_menuKeyAlone = 0;
    if (!alone)
        return;
    if (CWnd* top = FromWidget(window()))
        top->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
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
    // Destroyed windows and owned top-level windows are not children.
    std::vector<CWnd*> children;
    for (QObject* object : QObject::children())
        if (auto* wnd = dynamic_cast<CWnd*>(object); wnd && !wnd->m_destroyed && !wnd->isWindow() &&
                                                     wnd != m_ownBars[SB_HORZ] && wnd != m_ownBars[SB_VERT])
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
    if ((style ^ old) & (WS_BORDER | WS_HSCROLL | WS_VSCROLL))
        RecalcNonClient();
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
    DWORD changed = style ^ m_exStyle;
    m_exStyle = style;
    if (changed & WS_EX_CLIENTEDGE)
        RecalcNonClient();
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
    ApplyShowFlags(cmdShow);
    BOOL nowVisible = !isHidden();
    // Top-level windows hear of it from their show and hide events.
    if (!isWindow() && nowVisible != wasVisible)
        SendMessage(WM_SHOWWINDOW, nowVisible, 0);
    SendSizeIfChanged();
    return wasVisible;
}

void CWnd::ApplyShowFlags(int cmdShow)
{
    bool quiet = cmdShow == SW_SHOWNA || cmdShow == SW_SHOWNOACTIVATE;
    if (isWindow() && isHidden() && (quiet || TakesNoFocus()))
        m_returnActivation = QApplication::activeWindow();
    switch (cmdShow) {
    case SW_HIDE: setVisible(false); break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE: {
        bool quiet = testAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_ShowWithoutActivating, true);
        setVisible(true);
        setAttribute(Qt::WA_ShowWithoutActivating, quiet);
        break;
    }
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
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        CRect rect;
        GetWindowRect(&rect);
        if (!isWindow() && GetParent())
            GetParent()->ScreenToClient(&rect);
        if (!(flags & SWP_NOMOVE))
            rect.OffsetRect(x - rect.left, y - rect.top);
        if (!(flags & SWP_NOSIZE))
            rect = CRect(rect.left, rect.top, rect.left + cx, rect.top + cy);
        MoveWindow(rect, !(flags & SWP_NOREDRAW));
    }
    if (flags & SWP_FRAMECHANGED)
        RecalcNonClient();
    if (!(flags & SWP_NOZORDER)) {
        auto* above = const_cast<CWnd*>(insertAfter);
        if (above == wndBottom) {
            if (isWindow())
                CWindowStack::Instance().SendToBottom(this);
            else
                lower();
        } else if (above == wndTop || above == wndTopMost || above == wndNoTopMost) {
            if (isWindow())
                CWindowStack::Instance().BringToTop(this);
            else
                raise();
        } else if (isWindow()) {
            CWindowStack::Instance().PlaceBelow(this, above);
        } else {
            stackUnder(above);
        }
    }
    if (flags & SWP_SHOWWINDOW)
        ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    BOOL wasDisabled = !isEnabled();
    setEnabled(enable != FALSE);
    return wasDisabled;
}

void CWnd::GetClientRect(CRect* rect) const
{
    QRect client = ClientQRect();
    *rect = CRect(0, 0, client.width(), client.height());
}

QRect CWnd::ClientQRect() const
{
    QRect client = rect().marginsRemoved(m_ncInsets);
    return QRect(client.topLeft(), client.size().expandedTo(QSize(0, 0)));
}

void CWnd::GetWindowRect(CRect* rect) const
{
    QPoint origin = mapToGlobal(QPoint(0, 0));
    *rect = CRect(origin.x(), origin.y(), origin.x() + width(), origin.y() + height());
}

void CWnd::ClientToScreen(CPoint* point) const
{
    QPoint p = mapToGlobal(QPoint(point->x + m_ncInsets.left(), point->y + m_ncInsets.top()));
    *point = CPoint(p.x(), p.y());
}

void CWnd::ClientToScreen(CRect* rect) const
{
    QPoint origin = mapToGlobal(QPoint(m_ncInsets.left(), m_ncInsets.top()));
    rect->OffsetRect(origin.x(), origin.y());
}

void CWnd::ScreenToClient(CPoint* point) const
{
    QPoint p = mapFromGlobal(QPoint(point->x, point->y));
    *point = CPoint(p.x() - m_ncInsets.left(), p.y() - m_ncInsets.top());
}

void CWnd::ScreenToClient(CRect* rect) const
{
    QPoint origin = mapToGlobal(QPoint(m_ncInsets.left(), m_ncInsets.top()));
    rect->OffsetRect(-origin.x(), -origin.y());
}

void CWnd::MoveWindow(const CRect& rect, BOOL repaint)
{
    CWnd* parent = isWindow() ? nullptr : GetParent();
    CPoint origin = parent ? parent->GetClientOrigin() : CPoint();
    setGeometry(rect.left + origin.x, rect.top + origin.y, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
    SendSizeIfChanged();
    if (repaint)
        update();
}

void CWnd::CalcWindowRect(CRect*, UINT)
{
}

void CWnd::Invalidate(BOOL erase)
{
    InvalidateRect(nullptr, erase);
}

void CWnd::InvalidateRect(const CRect* rect, BOOL erase)
{
    QRect client = ClientQRect();
    QRect area = rect ? QRect(rect->left, rect->top, rect->Width(), rect->Height()).translated(client.topLeft()) & client
                      : client;
    // A hidden window is painted whole when it shows: only the erase is kept.
    m_surface->Invalidated(isVisible() ? area : QRect(), erase);
    if (area.isEmpty() || !isVisible())
        return;
    update(area);
}

void CWnd::UpdateWindow()
{
    const QRegion pending = m_surface->GetPendingRegion();
    if (!isVisible() || pending.isEmpty())
        return;
    repaint(pending);
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
    return CTimerService::Instance().SetTimer(this, id, elapse);
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    return CTimerService::Instance().KillTimer(this, id);
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
        // Another key going down ends Alt's or F10's being pressed alone,
        // also a key that a window or the bars take for themselves (the
        // letter of Alt+F), whose message reaches no default handling.
        if (wnd && !IsMenuKey(VirtualKeyOf(static_cast<QKeyEvent*>(event))))
            MenuKeyKeeper(wnd)->m_menuKeyAlone = 0;
        AppendKeyMessages(static_cast<QKeyEvent*>(event), wnd, &out);
        break;
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
        if (wnd)
            p -= QPoint(wnd->m_ncInsets.left(), wnd->m_ncInsets.top());
        QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonDblClick && wnd && !(wnd->m_classStyle & CS_DBLCLKS))
            type = QEvent::MouseButtonPress;
        UINT message = type == QEvent::MouseMove ? WM_MOUSEMOVE : ButtonMessage(type, mouse->button());
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
        // A destroyed window takes no more queued messages.
        if (message->posted && m_destroyed)
            return true;
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
    case QEvent::Wheel:
        // A disabled window takes no input; Qt passes it on as it does for
        // its own disabled widgets.
        if (!isEnabled())
            return FALSE;
        if (event->type() == QEvent::MouseButtonPress)
            m_returnActivation.clear();   // the user turns to the window
        return DispatchInput(event);
    case QEvent::InputMethod:
        HandleInputMethod(static_cast<QInputMethodEvent*>(event));
        return TRUE;
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
        QPointer<CWnd> self(this);
        const QPaintEvent* outer = m_paintEvent;
        m_paintEvent = static_cast<QPaintEvent*>(event);
        m_surface->Paint(m_paintEvent);
        if (self)
            m_paintEvent = outer;
        return TRUE;
    }
    case QEvent::Resize:
        QWidget::event(event);
        RecalcNonClient();
        SendSizeIfChanged();
        return TRUE;
    case QEvent::Move: {
        QWidget::event(event);
        CWnd* parent = isWindow() ? nullptr : GetParent();
        CPoint origin = parent ? parent->GetClientOrigin() : CPoint();
        SendMessage(WM_MOVE, 0, MAKELPARAM(x() - origin.x, y() - origin.y));
        return TRUE;
    }
    case QEvent::Show:
    case QEvent::Hide:
        QWidget::event(event);
        if (!isWindow())
            return TRUE;
        if (event->type() == QEvent::Show)
            CWindowStack::Instance().BringToTop(this);
        else
            m_returnActivation.clear();
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
        // Only top-level windows are activated; their children are not told.
        QWidget::event(event);
        if (!isWindow())
            return TRUE;
        if (event->type() == QEvent::WindowActivate && RefuseActivation())
            return TRUE;
        if (event->type() == QEvent::WindowActivate)
            CWindowStack::Instance().BringToTop(this);
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

BOOL CWnd::DispatchInput(QEvent* event)
{
    bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    // Left to Qt, the dialog moves the focus, accepts or cancels.
    if (key && LetDialogHaveKey(static_cast<QKeyEvent*>(event)))
        return FALSE;
    // A key that a plain widget inside left to its window was pre-translated
    // there: its key message is not translated a second time.
    bool keyTranslated = key && CMessagePump::WasPreTranslated(event, this);
    QPointer<CWnd> self(this);
    for (MSG msg : MessagesFromEvent(this, event)) {
        if (!self)
            break;
        const UINT mouseMessage = msg.message;
        if (!key && msg.message != WM_MOUSEWHEEL)
            ToNonClient(&msg);
        if (!self)
            break;
        if (!key && mouseMessage != WM_MOUSEWHEEL)
            SendSetCursor(msg, mouseMessage);
        if (!self)
            break;
        if (keyTranslated) {
            keyTranslated = false;
            SendMessage(msg.message, msg.wParam, msg.lParam);
            continue;
        }
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

BOOL CWnd::LetDialogHaveKey(QKeyEvent* key)
{
    if (!IsDialogKey(key->key()) || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return FALSE;
    QWidget* top = window();
    if (top == this || !qobject_cast<QDialog*>(top))
        return FALSE;
    auto code = static_cast<UINT>(SendMessage(WM_GETDLGCODE, VirtualKeyOf(key), 0));
    if (code & DLGC_WANTALLKEYS)
        return FALSE;
    bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    return !(tab && (code & DLGC_WANTTAB));
}

void CWnd::ToNonClient(MSG* msg)
{
    UINT nonClient = NonClientMessage(msg->message);
    if (nonClient == 0 || s_capture == this)
        return;
    LPARAM screen = MAKELPARAM(msg->pt.x, msg->pt.y);
    LRESULT hit = SendMessage(WM_NCHITTEST, 0, screen);
    if (hit == HTCLIENT)
        return;
    msg->message = nonClient;
    msg->wParam = static_cast<WPARAM>(hit);
    msg->lParam = screen;
}

void CWnd::SendSetCursor(const MSG& msg, UINT mouseMessage)
{
    if (s_capture == this)
        return;
    const LRESULT hit = msg.message == mouseMessage ? HTCLIENT : static_cast<LRESULT>(msg.wParam);
    SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(this), MAKELPARAM(static_cast<int>(hit), static_cast<int>(mouseMessage)));
}

void CWnd::EnableInputMethod(BOOL enable)
{
    setAttribute(Qt::WA_InputMethodEnabled, enable != FALSE);
}

void CWnd::HandleInputMethod(QInputMethodEvent* event)
{
    event->accept();
    m_preedit = FromQString(event->preeditString());
    PlacePreedit();
    // The candidate list follows the caret while the text is composed.
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
    std::string committed = FromQString(event->commitString());
    QPointer<CWnd> self(this);
    for (unsigned char c : committed) {
        if (!self)
            return;
        SendMessage(WM_CHAR, c, 1);
    }
}

QRect CWnd::CaretQRect() const
{
    const auto* caret = dynamic_cast<const CQtCaret*>(CCaret::Instance().GetView());
    if (caret == nullptr || caret->GetOwner() != static_cast<const QWidget*>(this))
        return {};
    const CRect& rect = caret->GetCaretRect();
    return QRect(rect.left, rect.top, rect.Width(), rect.Height()).translated(m_ncInsets.left(), m_ncInsets.top());
}

void CWnd::PlacePreedit()
{
    if (m_preedit.empty()) {
        if (m_preeditView)
            m_preeditView->hide();
        return;
    }
    if (!m_preeditView) {
        m_preeditView = new QLabel(this);
        m_preeditView->setAutoFillBackground(true);
        m_preeditView->setAttribute(Qt::WA_TransparentForMouseEvents);
        QFont font = m_preeditView->font();
        font.setUnderline(true);
        m_preeditView->setFont(font);
    }
    m_preeditView->setText(ToQString(m_preedit));
    m_preeditView->adjustSize();
    QRect caret = CaretQRect();
    QPoint at = caret.isNull() ? ClientQRect().topLeft() : caret.topLeft();
    m_preeditView->move(at);
    m_preeditView->show();
    m_preeditView->raise();
}

QVariant CWnd::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled: return testAttribute(Qt::WA_InputMethodEnabled);
    case Qt::ImCursorRectangle: return CaretQRect();
    default: return QWidget::inputMethodQuery(query);
    }
}

BOOL CWnd::DrawsOwnFrame() const
{
    return !isWindow() || (windowFlags() & Qt::FramelessWindowHint);
}

void CWnd::RecalcNonClient()
{
    CRect client(0, 0, width(), height());
    SendMessage(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    QMargins insets(std::max(client.left, 0), std::max(client.top, 0), std::max(width() - client.right, 0),
                    std::max(height() - client.bottom, 0));
    if (insets == m_ncInsets) {
        PlaceOwnBars();
        return;
    }
    // Children keep their place in the client area.
    QPoint shift(insets.left() - m_ncInsets.left(), insets.top() - m_ncInsets.top());
    m_ncInsets = insets;
    if (!shift.isNull())
        for (CWnd* child : GetChildWindows())
            child->move(child->pos() + shift);
    PlaceOwnBars();
    update();
}

void CWnd::DefaultNcCalcSize(CRect* rect) const
{
    if (!rect)
        return;
    if (DrawsOwnFrame() && (m_style & WS_BORDER))
        rect->DeflateRect(GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CXBORDER));
    if (DrawsOwnFrame() && (m_exStyle & WS_EX_CLIENTEDGE))
        rect->DeflateRect(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CXEDGE));
    // The own bars take their width from the inside of the frame.
    if (ShowsOwnBar(SB_VERT))
        rect->right = std::max(rect->left, rect->right - GetSystemMetrics(SM_CXVSCROLL));
    if (ShowsOwnBar(SB_HORZ))
        rect->bottom = std::max(rect->top, rect->bottom - GetSystemMetrics(SM_CYHSCROLL));
}

BOOL CWnd::ShowsOwnBar(int bar) const
{
    const DWORD style = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    return (m_style & style) && GetScrollBarCtrl(bar) == nullptr;
}

void CWnd::PlaceOwnBars()
{
    if (!m_created || m_destroyed)
        return;
    const QRect client = ClientQRect();
    for (int bar : {SB_HORZ, SB_VERT}) {
        if (!ShowsOwnBar(bar)) {
            if (m_ownBars[bar])
                m_ownBars[bar]->hide();
            continue;
        }
        CScrollBar* own = ScrollTarget(bar);
        if (!own)
            continue;
        const QRect place = bar == SB_VERT
                                ? QRect(client.right() + 1, client.top(), GetSystemMetrics(SM_CXVSCROLL), client.height())
                                : QRect(client.left(), client.bottom() + 1, client.width(), GetSystemMetrics(SM_CYHSCROLL));
        own->setGeometry(place);
        own->show();
        own->raise();
    }
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
    return nullptr;
}

CScrollBar* CWnd::GetOwnScrollBar(int bar) const
{
    if (bar != SB_HORZ && bar != SB_VERT)
        return nullptr;
    return m_ownBars[bar];
}

CScrollBar* CWnd::ScrollTarget(int bar)
{
    if (bar != SB_HORZ && bar != SB_VERT)
        return nullptr;
    if (CScrollBar* control = GetScrollBarCtrl(bar))
        return control;
    if (m_ownBars[bar])
        return m_ownBars[bar];
    if (!m_created || m_destroyed)
        return nullptr;
    auto* own = new CScrollBar(this);
    own->SetWindowBar();
    const DWORD style = WS_CHILD | (bar == SB_VERT ? SBS_VERT : 0);
    if (!own->Create(style, CRect(), this, 0)) {
        delete own;
        return nullptr;
    }
    m_ownBars[bar] = own;
    return own;
}

void CWnd::ShowScrollBar(int bar, BOOL show)
{
    DWORD styles = 0;
    if (bar == SB_HORZ || bar == SB_BOTH)
        styles |= WS_HSCROLL;
    if (bar == SB_VERT || bar == SB_BOTH)
        styles |= WS_VSCROLL;
    for (int one : {SB_HORZ, SB_VERT}) {
        if (CScrollBar* control = GetScrollBarCtrl(one); control && (styles & (one == SB_VERT ? WS_VSCROLL : WS_HSCROLL)))
            control->ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
    ModifyStyle(show ? 0 : styles, show ? styles : 0);
}

BOOL CWnd::EnableScrollBar(int bar, UINT arrows)
{
    BOOL done = FALSE;
    for (int one : {SB_HORZ, SB_VERT}) {
        if (bar != one && bar != SB_BOTH)
            continue;
        if (CScrollBar* target = ScrollTarget(one))
            done = target->EnableScrollBar(arrows) || done;
    }
    return done;
}

BOOL CWnd::SetScrollInfo(int bar, const SCROLLINFO* info, BOOL redraw)
{
    CScrollBar* target = ScrollTarget(bar);
    return target ? target->SetScrollInfo(info, redraw) : FALSE;
}

BOOL CWnd::GetScrollInfo(int bar, SCROLLINFO* info, UINT mask)
{
    CScrollBar* target = ScrollTarget(bar);
    return target ? target->GetScrollInfo(info, mask) : FALSE;
}

int CWnd::SetScrollPos(int bar, int position, BOOL redraw)
{
    CScrollBar* target = ScrollTarget(bar);
    return target ? target->SetScrollPos(position, redraw) : 0;
}

int CWnd::GetScrollPos(int bar)
{
    CScrollBar* target = ScrollTarget(bar);
    return target ? target->GetScrollPos() : 0;
}

void CWnd::SetScrollRange(int bar, int minimum, int maximum, BOOL redraw)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minimum;
    info.nMax = maximum;
    SetScrollInfo(bar, &info, redraw);
}

LRESULT CWnd::DefaultNcHitTest(CPoint screenPoint) const
{
    QPoint local = mapFromGlobal(QPoint(screenPoint.x, screenPoint.y));
    if (rect().contains(local) && !ClientQRect().contains(local))
        return HTBORDER;
    return HTCLIENT;
}

void CWnd::DefaultNcPaint(CDC* dc) const
{
    if (!dc || !DrawsOwnFrame())
        return;
    CRect frame(0, 0, width(), height());
    if (m_style & WS_BORDER) {
        dc->Draw3dRect(frame, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        frame.DeflateRect(GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CXBORDER));
    }
    if (m_exStyle & WS_EX_CLIENTEDGE) {
        // The sunken edge: shadow and highlight outside, dark shadow and light inside.
        dc->Draw3dRect(frame, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
        frame.DeflateRect(1, 1);
        dc->Draw3dRect(frame, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    }
}

BOOL CWnd::TakesNoFocus() const
{
    return (windowFlags() & Qt::WindowDoesNotAcceptFocus) ? TRUE : FALSE;
}

BOOL CWnd::RefuseActivation()
{
    // A window shown without activation, or one that takes no focus, hands
    // the activation back where the window system should have left it.
    QPointer<QWidget> back = m_returnActivation;
    m_returnActivation.clear();
    if (!back && TakesNoFocus() && GetOwner())
        back = GetOwner()->window();
    if (!back || back == this)
        return FALSE;
    QApplication::setActiveWindow(back);
    return TRUE;
}

CWnd* CWnd::SetParent(CWnd* parent)
{
    CWnd* old = GetParent();
    const bool shown = !isHidden();
    if (!(m_style & WS_POPUP) && !isWindow() && parent) {
        // Child to child: the place in client coordinates stays.
        if (parent == old)
            return old;
        const CPoint oldOrigin = old ? old->GetClientOrigin() : CPoint();
        const QPoint place = pos() - QPoint(oldOrigin.x, oldOrigin.y);
        setParent(parent);
        const CPoint origin = parent->GetClientOrigin();
        move(place + QPoint(origin.x, origin.y));
        setVisible(shown);
        return old;
    }
    CRect screen;
    GetWindowRect(&screen);
    if (m_style & WS_POPUP)
        MakePopup(parent, m_style);
    else
        setParent(parent);
    CRect place = screen;
    if (parent && !isWindow()) {
        parent->ScreenToClient(&place);
        const CPoint origin = parent->GetClientOrigin();
        place.OffsetRect(origin.x, origin.y);
    }
    setGeometry(place.left, place.top, place.Width(), place.Height());
    setVisible(shown);
    return old;
}

void CWnd::MakePopup(CWnd* owner, DWORD style)
{
    // Menus, shadows and outlines have no caption: they take no focus.
    bool framed = (style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME);
    Qt::WindowFlags flags = Qt::Tool;
    if (!framed)
        flags |= Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    setParent(owner ? owner->window() : nullptr, flags);
    setAttribute(Qt::WA_ShowWithoutActivating, !framed);
    SetOwner(owner);
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

void CWnd::SendSizeIfChanged()
{
    QSize client = ClientQRect().size();
    if (client == m_lastSize)
        return;
    m_lastSize = client;
    SendMessage(WM_SIZE, GetSizeType(), MAKELPARAM(client.width(), client.height()));
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

void CWnd::OnNcCalcSize(BOOL, CRect*)
{
    Default();
}

LRESULT CWnd::OnNcHitTest(CPoint)
{
    return Default();
}

void CWnd::OnNcPaint(CDC*)
{
    Default();
}

UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
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

BOOL CWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (isWindow() || !GetParent())
        return FALSE;
    return GetParent()->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hitTest, message)) != 0;
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
