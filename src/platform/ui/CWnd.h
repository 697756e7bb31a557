#pragma once
// The window base: a QWidget that speaks in window messages. Qt's input,
// paint, size, timer, focus, show and close events become the messages
// WM_LBUTTONDOWN, WM_PAINT, WM_SIZE, ... and reach the handlers OnLButtonDown,
// OnPaint, OnSize, ...; private messages keep their numbers and are sent
// directly (SendMessage) or posted through the event queue (PostMessage).
// Every message passes the window's hooks (event filters, see CWindowHook)
// first, then the message tables the classes register, then the built-in
// handlers, then DefWindowProc.
//
// Window kinds: a WS_CHILD window lives inside its parent; a WS_POPUP window
// is a top-level window of its own whose owner (the parent given to Create)
// is its transient parent: menus, shadows and outlines are frameless tool
// windows that take no focus, floating frames (with a caption or sizing
// frame) are tool windows. Owned windows are not in the owner's child list.
//
// Non-client area: WM_NCCALCSIZE (by default from WS_BORDER and
// WS_EX_CLIENTEDGE) insets the client rectangle inside the widget; client
// coordinates, mouse positions and child placement start at its corner.
// WS_HSCROLL / WS_VSCROLL give the window its own scroll bars in the
// non-client area, below and right of the client area; they send WM_HSCROLL /
// WM_VSCROLL with lParam 0. GetScrollBarCtrl may name a sibling bar instead:
// then the own bar is not shown and the scroll calls reach that control.
// WM_NCHITTEST sorts each mouse event into client (WM_LBUTTONDOWN, ...) or
// non-client (WM_NCLBUTTONDOWN, ...); WM_NCPAINT paints the frame.
//
// Painting: windows are opaque (an invalidation repaints the window alone,
// not its parents). OnPaint runs inside Qt's paint event and draws through
// CPaintDC into the window's back buffer (CPaintSurface); the erase step
// (WM_ERASEBKGND) fills with the background brush of the window's class.
// GetPaintEvent() returns the paint event (null when WM_PAINT was sent
// outside one). The frame (WM_NCPAINT) and the client area both paint into
// the back buffer; CPaintDC starts at the client origin, clipped to the
// client area.

#include "platform/CBrush.h"
#include "platform/ui/CCmdTarget.h"
#include "platform/ui/WinMessages.h"

#include <QMargins>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CDC;
class CFrameWnd;
class CPaintSurface;
class CScrollBar;
struct SCROLLINFO;
class QInputMethodEvent;
class QKeyEvent;
class QLabel;
class QPaintEvent;

// One line of a window's message table: a private (or any) message number
// and its handler.
template <class T>
struct CMsgEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM wParam, LPARAM lParam);
};

class CWnd : public QWidget, public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    explicit CWnd(QWidget* parent = nullptr);
    ~CWnd() override;

    // --- Creation and destruction ---
    // Gives the widget its parent, rectangle (parent client coordinates),
    // id, style and text, then sends WM_CREATE; OnCreate returning -1 makes
    // the creation fail (the window is destroyed again). WS_VISIBLE shows it.
    virtual BOOL Create(CWnd* parent, const CRect& rect, UINT id, DWORD style, const std::string& text = {});
    // WM_DESTROY to the window and its descendants, hides it, then WM_NCDESTROY.
    virtual BOOL DestroyWindow();
    BOOL IsWindow() const { return m_created; }

    // --- Messages ---
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queues the message; safe from any thread (worker threads notify windows this way).
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);
    // The window's own handling without its hooks; a hook calls it for the
    // default processing of a message it wraps.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message being handled, for handlers and hooks that need all of it.
    const MSG* GetCurrentMessage() const { return m_current; }

    // Filters a queued key or mouse message before it is dispatched; TRUE eats it.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Offers the message to its window and the window's parents up to the top level.
    static BOOL WalkPreTranslateTree(MSG* msg);

    // --- Relations ---
    CWnd* GetParent() const;
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetOwner() const;
    // Moves the window into another parent (NULL: a window of its own) and
    // returns the old parent. A child moved between parents keeps its place
    // in client coordinates; a WS_POPUP window becomes an owned pop-up of
    // the new parent, and a window that changes between pop-up and child
    // keeps its place on the screen. Visibility is kept.
    CWnd* SetParent(CWnd* parent);
    void SetOwner(CWnd* owner) { m_owner = owner; }
    UINT GetDlgCtrlID() const { return m_id; }
    void SetDlgCtrlID(UINT id) { m_id = id; }
    CWnd* GetDlgItem(UINT id) const;
    // CWnd children in creation order.
    std::vector<CWnd*> GetChildWindows() const;
    // The window itself when it is a CWnd, else its nearest CWnd ancestor.
    static CWnd* FromWidget(QWidget* widget);

    // --- Style, text, state ---
    DWORD GetStyle() const;
    DWORD GetExStyle() const { return m_exStyle; }
    BOOL ModifyStyle(DWORD remove, DWORD add);
    BOOL ModifyStyleEx(DWORD remove, DWORD add);
    void SetWindowText(const std::string& text);   // GBK
    std::string GetWindowText();
    virtual BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const { return isVisible(); }
    // Changes place, size, stacking (after insertAfter, or one of wndTop,
    // wndBottom, wndTopMost, wndNoTopMost) and visibility by flags SWP_*.
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    static CWnd* const wndTop;
    static CWnd* const wndBottom;
    static CWnd* const wndTopMost;
    static CWnd* const wndNoTopMost;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const { return isEnabled(); }

    // --- Geometry (client coordinates; right and bottom exclusive) ---
    void GetClientRect(CRect* rect) const;
    void GetWindowRect(CRect* rect) const;   // screen coordinates
    // The client area's corner in widget coordinates (the non-client inset).
    CPoint GetClientOrigin() const { return CPoint(m_ncInsets.left(), m_ncInsets.top()); }
    void ClientToScreen(CPoint* point) const;
    void ClientToScreen(CRect* rect) const;
    void ScreenToClient(CPoint* point) const;
    void ScreenToClient(CRect* rect) const;
    // Moves the window (parent client coordinates); WM_SIZE and WM_MOVE follow at once.
    void MoveWindow(const CRect& rect, BOOL repaint = TRUE);
    // The layout's last word on the rectangle of a window it places.
    virtual void CalcWindowRect(CRect* rect, UINT adjust = 0);
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const CRect* rect, BOOL erase = TRUE);
    // Paints at once what is invalid and not painted yet, nothing else.
    void UpdateWindow();

    // --- Scroll bars (SB_HORZ, SB_VERT; SB_BOTH where named) ---
    // A bar control that stands for the window's own bar; none by default.
    virtual CScrollBar* GetScrollBarCtrl(int bar) const;
    void ShowScrollBar(int bar, BOOL show = TRUE);
    BOOL EnableScrollBar(int bar, UINT arrows);
    BOOL SetScrollInfo(int bar, const SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, SCROLLINFO* info, UINT mask);
    int SetScrollPos(int bar, int position, BOOL redraw = TRUE);
    int GetScrollPos(int bar);
    void SetScrollRange(int bar, int minimum, int maximum, BOOL redraw = TRUE);
    // The window's own bar, shown or not; null before a scroll call made it.
    CScrollBar* GetOwnScrollBar(int bar) const;

    // --- Focus and mouse capture ---
    CWnd* SetFocus();
    static CWnd* GetFocus();
    // Takes the mouse: the window that had it gets WM_CAPTURECHANGED.
    CWnd* SetCapture();
    static BOOL ReleaseCapture();
    static CWnd* GetCapture();

    // --- Input ---
    // Class styles (CS_DBLCLKS: double-clicks arrive as WM_*BUTTONDBLCLK,
    // otherwise as a second button-down).
    void SetClassStyle(UINT style) { m_classStyle = style; }
    UINT GetClassStyle() const { return m_classStyle; }
    // Input methods: committed text arrives as WM_CHAR (GBK bytes), the text
    // being composed shows at the caret.
    void EnableInputMethod(BOOL enable = TRUE);
    const std::string& GetPreeditText() const { return m_preedit; }   // GBK

    // --- Timers (through CTimerService) ---
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);

    // --- Tool tips: asked through OnToolHitTest when Qt wants a tip ---
    void EnableToolTips(BOOL enable = TRUE) { m_toolTips = enable; }
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const;

    const QPaintEvent* GetPaintEvent() const { return m_paintEvent; }
    CPaintSurface* GetPaintSurface() const { return m_surface.get(); }
    // The background brush of the window's class; none (not created) by default.
    void SetClassBackground(const CBrush& brush) { m_classBackground = brush; }
    const CBrush& GetClassBackground() const { return m_classBackground; }

    // Messages a Qt event stands for (empty when none). Keys give the key
    // message followed by its characters (GBK bytes), as the message loop's
    // translation would.
    static std::vector<MSG> MessagesFromEvent(QWidget* target, QEvent* event);

protected:
    bool event(QEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    template <class T, std::size_t N>
    void AddMessageTable(const CMsgEntry<T> (&table)[N])
    {
        m_msgTables.push_back({table, N, &DispatchMessageTable<T>});
    }

    // Default processing of the current message.
    LRESULT Default();

    // --- Handlers; the base versions do the default processing ---
    virtual int OnCreate();
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    // After the window is gone: frames and views delete themselves here.
    virtual void PostNcDestroy();
    // Releases the window object: at once, or after the current message
    // when the window is handling one.
    void OnFinalRelease() override;
    virtual void OnClose();
    virtual void OnPaint();
    // WM_NCCALCSIZE: shrink *rect (the widget's rectangle) to the client area.
    virtual void OnNcCalcSize(BOOL calcValidRects, CRect* rect);
    virtual LRESULT OnNcHitTest(CPoint screenPoint);
    // WM_NCPAINT: dc draws on the whole widget, clipped to the frame.
    virtual void OnNcPaint(CDC* dc);
    virtual UINT OnGetDlgCode();
    // Fills the paint region with the class background; FALSE when there is none.
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnActivate(UINT state, CWnd* other, BOOL minimized);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnSetFocus(CWnd* oldWnd);
    virtual void OnKillFocus(CWnd* newWnd);
    virtual void OnCaptureChanged(CWnd* wnd);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnMButtonDown(UINT flags, CPoint point);
    virtual void OnMButtonUp(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual void OnMouseLeave();
    virtual void OnContextMenu(CWnd* wnd, CPoint point);
    // WM_SETCURSOR, sent before each mouse message of a window that has no
    // capture: TRUE when the handler set the cursor. By default a child
    // window asks its parent first.
    virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    virtual void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
    virtual void OnSysKeyUp(UINT ch, UINT repeat, UINT flags);
    virtual void OnSysChar(UINT ch, UINT repeat, UINT flags);
    // WM_COMMAND: a menu or accelerator command runs only while its update
    // handlers leave it enabled; control notifications route with their code.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_SIZEPARENT from the parent frame's layout: take a share of the area.
    virtual LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    virtual void OnIdleUpdateCmdUI(BOOL disableIfNoHandler);

    // The WM_SIZE kind this window reports.
    virtual UINT GetSizeType() const;

private:
    void OnMenuKeyUp(UINT key);
    using MsgDispatcher = BOOL (*)(CWnd*, const void*, std::size_t, UINT, WPARAM, LPARAM, LRESULT*);
    struct MsgTableRef {
        const void* entries;
        std::size_t count;
        MsgDispatcher dispatch;
    };
    template <class T>
    static BOOL DispatchMessageTable(CWnd* wnd, const void* entries, std::size_t count, UINT message,
                                     WPARAM wParam, LPARAM lParam, LRESULT* result)
    {
        const auto* table = static_cast<const CMsgEntry<T>*>(entries);
        for (std::size_t i = 0; i < count; ++i) {
            if (table[i].message != message)
                continue;
            *result = (static_cast<T*>(wnd)->*table[i].handler)(wParam, lParam);
            return TRUE;
        }
        return FALSE;
    }

    // A WindowProc in progress; the destructor marks every one of them dead
    // so that none touches the window after a handler released it.
    struct DispatchFrame {
        bool alive = true;
        DispatchFrame* outer = nullptr;
    };

    BOOL DispatchBuiltIn(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL DispatchInput(QEvent* event);
    BOOL LetDialogHaveKey(QKeyEvent* key);
    void ToNonClient(MSG* msg);
    // WM_SETCURSOR for a mouse message before it is dispatched.
    void SendSetCursor(const MSG& msg, UINT mouseMessage);
    void HandleInputMethod(QInputMethodEvent* event);
    void PlacePreedit();
    QRect CaretQRect() const;
    BOOL DrawsOwnFrame() const;
    void DefaultNcCalcSize(CRect* rect) const;
    LRESULT DefaultNcHitTest(CPoint screenPoint) const;
    void DefaultNcPaint(CDC* dc) const;
    void RecalcNonClient();
    // The bar the scroll calls reach: the named control or the own bar.
    CScrollBar* ScrollTarget(int bar);
    BOOL ShowsOwnBar(int bar) const;
    void PlaceOwnBars();
    QRect ClientQRect() const;
    void ApplyShowFlags(int cmdShow);
    void MakePopup(CWnd* owner, DWORD style);
    BOOL TakesNoFocus() const;
    BOOL RefuseActivation();
    BOOL HandleQtEvent(QEvent* event);
    void SendSizeIfChanged();
    void ShowToolTip(QEvent* event);

    std::vector<MsgTableRef> m_msgTables;
    DispatchFrame* m_dispatch = nullptr;
    BOOL m_releasePending = FALSE;
    QMargins m_ncInsets;
    static constexpr int kBarCount = 2;
    QPointer<CScrollBar> m_ownBars[kBarCount];   // children, owned by Qt
    std::string m_preedit;
    QPointer<QWidget> m_returnActivation;
    QLabel* m_preeditView = nullptr;   // child widget, owned by Qt
    UINT m_classStyle = 0;
    const MSG* m_current = nullptr;
    const QPaintEvent* m_paintEvent = nullptr;
    std::unique_ptr<CPaintSurface> m_surface;
    CBrush m_classBackground;
    QPointer<CWnd> m_owner;
    std::string m_text;
    // Alt or F10 while pressed with no other key since.
    UINT m_menuKeyAlone = 0;
    QSize m_lastSize{-1, -1};
    UINT m_id = 0;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    BOOL m_created = FALSE;
    BOOL m_destroyed = FALSE;   // after DestroyWindow: Qt events no longer become messages
    BOOL m_toolTips = FALSE;
};

// State of a key as the message handlers ask it: the high bit is set while
// it is down. Known for Shift, Ctrl, Alt and the mouse buttons.
SHORT GetKeyState(int virtualKey);
