#pragma once
// One of the four strips at the frame's sides that hold docked toolbars in
// rows (columns at the left and right). Each toolbar keeps the place where
// it was dropped; bars that overlap are pushed apart, a short row shrinks
// the bars that can hide their overflow, and what still does not fit wraps
// into a further row.

#include "platform/ui/CWnd.h"

#include <vector>

class CTKCommandBars;
class CTKToolBar;

// Bar styles that tell a dock bar's side.
constexpr DWORD kTKAlignTop = 0x2000;
constexpr DWORD kTKAlignBottom = 0x8000;
constexpr DWORD kTKAlignLeft = 0x1000;
constexpr DWORD kTKAlignRight = 0x4000;
constexpr DWORD kTKBorderTop = 0x0200;
constexpr DWORD kTKBorderBottom = 0x0800;
constexpr DWORD kTKBorderLeft = 0x0100;
constexpr DWORD kTKBorderRight = 0x0400;

// One bar of a row while the row is laid out.
struct TKROWITEM {
    CTKToolBar* bar = nullptr;
    CRect rect;
    CRect preferred;
    int index = 0;
    int minLength = 0;
    int minBefore = 0;
};

class CTKDockBar : public CWnd {
public:
    explicit CTKDockBar(CTKCommandBars* commandBars);
    ~CTKDockBar() override;

    BOOL Create(CWnd* frame, DWORD style, UINT id);
    // 0 top, 1 bottom, 2 left, 3 right.
    int GetPosition() const;
    BOOL IsHorizontal() const;

    // Docks the bar at the screen rectangle, or as a new last row.
    void DockBar(CTKToolBar* bar, const CRect* screenRect);
    void RemoveBar(CTKToolBar* bar, int skipIndex);
    int FindBar(const CTKToolBar* bar, int skipIndex) const;
    // The visible toolbars of the row holding the entry, ordered along the row.
    std::vector<CTKToolBar*> GetRowBars(int index) const;
    CTKToolBar* GetBarAt(int index) const;
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    // Restoring a saved arrangement: puts the bar (nullptr a row break)
    // at the entry index, or at the end when the index lies beyond it.
    void InsertEntry(int index, CTKToolBar* bar);
    // Row breaks side by side become one; the array starts and ends with one.
    void MergeRowBreaks();
    CTKCommandBars* GetCommandBars() const { return m_pCommandBars; }

    CSize CalcDockBarLayout(int length, DWORD mode, BOOL commit);

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    // A right click on the dock bar opens the toolbars menu.
    void OnRButtonDown(UINT flags, CPoint point) override;

private:
    int InsertBarAt(CTKToolBar* bar, const CRect& rect, CPoint centre);
    void IsolateStretchedBars();
    void MarkFrameForLayout() const;
    int CalcRowLayout(std::vector<TKROWITEM> bars, int offset, int length, BOOL horizontal, BOOL commit);
    int PlaceRow(std::vector<TKROWITEM>& items, int offset, int length, BOOL horizontal, BOOL commit,
                 CTKToolBar** failing);
    DWORD BarMode(const CTKToolBar* bar, BOOL horizontal) const;

    DWORD m_dwBarStyle = 0;
    // Rows of bars, each row ended by nullptr; the first entry is nullptr.
    std::vector<CTKToolBar*> m_entries;
    CTKCommandBars* m_pCommandBars;
};
