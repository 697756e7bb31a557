#pragma once
// A strip of sloped sheet tabs along the top or bottom of the client area;
// the rest of the area is the page. A tab may carry a window that the
// control adopts, places in the page area and shows only while its tab is
// selected; it never destroys one. The strip may carry navigation buttons
// at its left end and a scroll bar at its right end that stands in for the
// selected page's horizontal scroll bar, with a splitter between the tabs
// and the bar. Selection changes by mouse reach the owner as
// TCN_SELCHANGING (a non-zero answer vetoes) and TCN_SELCHANGE.

#include "platform/CFont.h"
#include "platform/CPen.h"
#include "platform/ui/CScrollBar.h"
#include "platform/ui/CWnd.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class CDC;
class CQtImageDC;

// Tab-control notifications to the owner.
constexpr UINT TCN_SELCHANGE = static_cast<UINT>(-551);
constexpr UINT TCN_SELCHANGING = static_cast<UINT>(-552);

class CTKFlatTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTKFlatTabCtrl)
public:
    // Style bits, the low bits of the window style.
    static constexpr DWORD kStyleBottom = 0x01;
    static constexpr DWORD kStyleButtons = 0x02;
    static constexpr DWORD kStyleFirstLast = 0x04;
    static constexpr DWORD kStyleToolTips = 0x08;
    static constexpr DWORD kStyleScrollBar = 0x10;
    static constexpr DWORD kStyleMask = 0x1F;

    // Commands the navigation buttons post to the control.
    static constexpr UINT kCmdScrollLeft = 9116;
    static constexpr UINT kCmdScrollRight = 9117;
    static constexpr UINT kCmdFirst = 9118;
    static constexpr UINT kCmdLast = 9119;

    static constexpr UINT kScrollBarId = 59904;
    static constexpr int kSplitterWidth = 6;
    static constexpr int kDefaultSplitterPercent = 60;
    static constexpr int kButtonCount = 4;
    // A button position that is not in use.
    static constexpr int kNoButton = 3;

    enum GlyphDirection : BYTE { kPointsRight = 0, kPointsLeft = 2 };

    struct NavigateButton {
        CRect rect;
        BYTE pressed = 0;
        BYTE enabled = 1;
        UINT commandId = 0;
        BYTE stopBar = 0;
        BYTE direction = kPointsRight;
    };

    CTKFlatTabCtrl();
    ~CTKFlatTabCtrl() override;

    virtual void SetFonts(CFont* normal, CFont* bold);
    virtual int InsertItem(int index, const std::string& label, CWnd* window = nullptr);
    virtual int InsertItem(int index, UINT labelId, CWnd* window = nullptr);
    virtual BOOL DeleteItem(int index);
    virtual BOOL DeleteAllItems();
    virtual BOOL GetItemRect(int index, CRect* rect) const;
    virtual int HitTest(const CPoint* point) const;
    virtual int GetCurSel() const { return m_current; }
    // Returns the previous index, -1 for an index out of range.
    virtual int SetCurSel(int index);
    virtual int GetItemCount() const { return static_cast<int>(m_tabs.size()); }
    virtual void SetTipText(int index, const std::string& text);
    virtual std::string GetTipText(int index) const;
    virtual void ScrollHome();
    using CWnd::Create;
    virtual BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    virtual int HitTestButton(const CPoint* point) const;
    virtual BOOL RemoveItem(int index);
    virtual int GetOverlap() const { return m_stripHeight / 2 + 2; }

    CWnd* GetTabWindow(int index) const;
    BOOL SetTabText(int index, const std::string& text);
    // The label of a tab; empty for no such tab.
    std::string GetTabText(int index) const;
    // Pixels from the strip's left (percent FALSE) or per cent of the client width.
    void SetSplitterPos(int value, BOOL percent);
    // The bar that pages scroll with (SB_HORZ), NULL when there is none.
    CScrollBar* GetScrollBarCtrl(int bar) const override;

    // Geometry, in client coordinates.
    int GetButtonWidth() const { return m_buttonWidth; }
    int GetStripHeight() const { return m_stripHeight; }
    int GetButtonsWidth() const;
    int GetTabWidth(int index) const;
    int GetTotalTabWidth() const;
    int GetTabAreaWidth() const;
    int GetScrollOffset() const { return m_scrollOffset; }
    int GetSplitterPos() const { return m_splitterPos; }
    int GetSplitterPercent() const { return m_splitterPercent; }
    BOOL IsTrackingSplitter() const { return m_tracking; }
    DWORD GetTabStyle() const { return m_style; }
    const CRect& GetStripRect() const { return m_stripRect; }
    const CRect& GetPageRect() const { return m_pageRect; }
    const CRect& GetScrollBarRect() const { return m_scrollBarRect; }
    const CRect& GetSplitterRect() const { return m_splitterRect; }
    const NavigateButton& GetButton(int position) const { return m_buttons[position]; }

    BOOL PreTranslateMessage(MSG* msg) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

    // Copies the selected page's horizontal scroll information to the bar.
    void SyncScrollBar();

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    struct TabItem {
        QPointer<CWnd> window;
        std::string label;     // GBK
        std::string tooltip;   // GBK
    };

    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);

    void ReadColors();
    void CreatePens();
    void SetUpButtons();
    void RecalcLayout();
    void UpdateButtons();
    void InvalidateTabs();
    void RedrawButton(int position);
    BOOL PressButton(CPoint point);
    void OnScrollLeft();
    void OnScrollRight();
    void OnScrollLast();
    int FirstVisibleTab() const;
    int TabStartAtZero(int index) const;
    int TabStart(int index) const;
    CSize LabelExtent(int index) const;
    CFont* FontOf(int index) const;
    LRESULT NotifyOwner(UINT code);
    void StartSplitterDrag(CPoint point);
    void EndSplitterDrag();
    void UpdateCursor(CPoint point);

    void DrawButton(CDC* dc, const NavigateButton& button, const CRect& rect);
    int DrawTab(CDC* dc, int x, int y, int index);

    int m_buttonWidth;
    int m_stripHeight;
    int m_current = -1;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_scrollOffset = 0;
    int m_splitterPos = -1;
    int m_splitterPercent = 0;
    BYTE m_hasPageWindows = 0;
    DWORD m_style = 0;
    CRect m_stripRect;
    CRect m_pageRect;
    CRect m_scrollBarRect;
    CRect m_splitterRect;
    CFont* m_normalFont = nullptr;
    CFont* m_boldFont = nullptr;
    COLORREF m_clrShadow = 0;
    COLORREF m_clrButtonText = 0;
    COLORREF m_clrHighlight = 0;
    COLORREF m_clrWindow = 0;
    COLORREF m_clrFace = 0;
    COLORREF m_clrWindowText = 0;
    CScrollBar m_scrollBar;
    CPen m_penShadow;
    CPen m_penWindow;
    CPen m_penFace;
    CPen m_penButtonText;
    CPen m_penHighlight;
    std::vector<std::unique_ptr<TabItem>> m_tabs;
    BYTE m_tracking = 0;
    int m_dragOffset = 0;
    QPointer<CWnd> m_focusBeforeDrag;
    int m_posScrollLeft = kNoButton;
    int m_posScrollRight = kNoButton;
    int m_posFirst = kNoButton;
    int m_posLast = kNoButton;
    NavigateButton m_buttons[kButtonCount];
    std::unique_ptr<CQtImageDC> m_measureDC;
};
