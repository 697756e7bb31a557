#pragma once
// The frame's status bar: a row of panes along the bottom of the frame.
// The first plain pane (id 0) stretches over what the others leave and has
// no frame; the other plain panes are a quarter of the screen wide, and an
// indicator pane (a non-zero id such as ID_INDICATOR_NUM) is as wide as its
// text and shows it while its key is on. Drawing is plain; a themed bar
// draws over the same panes.

#include "platform/ui/CWnd.h"

#include <algorithm>

#include <string>
#include <vector>

class CFont;

// Pane styles.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

// Bar style: a size grip in the right corner.
constexpr DWORD SBARS_SIZEGRIP = 0x0100;

// The smallest height of the bar's drawing area (wParam, pixels).
constexpr UINT SB_SETMINHEIGHT = WM_USER + 8;

class CStatusBar : public CWnd {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    // A child of the parent with the status bar's id; the bar gets the
    // size grip when the parent has a sizing frame.
    BOOL CreateBar(CWnd* parent, DWORD style, UINT id = AFX_IDW_STATUS_BAR);
    // One pane per id; 0 is a plain text pane. FALSE for no panes or for an
    // indicator without a text (the string table's, else the key's own);
    // the bar then keeps the panes it had.
    BOOL SetIndicators(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int index) const;
    // FALSE for an index out of range.
    BOOL SetPaneText(int index, const std::string& text);
    std::string GetPaneText(int index) const;
    // The pane's rectangle in client coordinates as the last layout placed it.
    CRect GetItemRect(int index) const;
    // Id, style and width of a pane (all 0 for an index out of range).
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    UINT GetPaneStyle(int index) const;
    void SetPaneStyle(int index, UINT style);
    // The font set by WM_SETFONT; nullptr for the window's own.
    CFont* GetBarFont() const { return m_font; }
    // The bar's height: its default, or the minimum drawing height and the
    // borders when that is more.
    int GetBarHeight() const;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    // The text a pane shows: an indicator's text while its key is on, else the pane's text.
    std::string GetShownText(int index) const;

private:
    struct Pane {
        UINT id = 0;
        UINT style = SBPS_NORMAL;
        int width = 0;
        std::string text;
        CRect rect;
    };
    void LayoutPanes();
    int MeasureText(const std::string& text) const;
    // The indicator's own text, "" for an id that is no indicator.
    static std::string IndicatorText(UINT id);
    // Whether the indicator's key is on.
    static BOOL IsIndicatorOn(UINT id);
    std::vector<Pane> m_panes;
    CFont* m_font = nullptr;   // not owned
    int m_minHeight = 0;
};
