#pragma once
// The list-view control in report mode, once for every list of the program:
// columns with an optional header, rows of texts with a value each,
// selection, scrolling (LVM_SCROLL, WM_HSCROLL) and the routing of a cell editor's
// end-of-edit notification. A Qt table inside the client area shows the
// rows; its mouse buttons reach the list as window messages
// (WM_LBUTTONDOWN, WM_RBUTTONDOWN, ...) after the table has selected, its
// keys (WM_KEYDOWN, ...) before the table moves, and the parent is told of
// clicks, double clicks and selection changes with WM_NOTIFY.

#include "platform/ui/CWnd.h"

#include <string>

class QTableWidget;

// List-view styles.
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
// Extended list-view styles.
constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
constexpr DWORD LVS_EX_TRACKSELECT = 0x0008;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;

// List-view messages.
constexpr UINT LVM_FIRST = 0x1000;
constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
constexpr UINT LVM_SCROLL = LVM_FIRST + 20;
constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;

// Notification codes.
constexpr UINT NM_CLICK = static_cast<UINT>(-2);
constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
constexpr UINT NM_RCLICK = static_cast<UINT>(-5);
constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);
constexpr UINT LVN_ENDLABELEDIT = static_cast<UINT>(-106);
// A column of the header changed (its width): sent on to the list's parent.
constexpr UINT HDN_ITEMCHANGED = static_cast<UINT>(-301);

// Item fields, states and search flags.
constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_SELECTED = 0x0002;
// Column alignment.
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;

struct LVITEM {
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    const char* pszText = nullptr;   // GBK
    int cchTextMax = 0;
    int iImage = 0;
    LPARAM lParam = 0;
};

// LVN_ENDLABELEDIT: the edited cell, its new text and (in lParam) the key
// that ended the edit.
struct NMLVDISPINFO {
    NMHDR hdr;
    LVITEM item;
};

// NM_CLICK, NM_DBLCLK, NM_RCLICK: the row and column under the pointer
// (-1 when none); LVN_ITEMCHANGED: the row whose state changed.
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = -1;
    UINT uNewState = 0;
    UINT uOldState = 0;
    CPoint ptAction;
};

class CListCtrl : public CWnd {
    Q_OBJECT
    DECLARE_DYNAMIC(CListCtrl)
public:
    explicit CListCtrl(QWidget* parent = nullptr);

    // The list inside a Qt dialog (no window of the layer as parent).
    BOOL CreateInDialog(DWORD style, UINT id);

    DWORD GetExtendedStyle() const { return m_extendedStyle; }
    void SetExtendedStyle(DWORD style);

    // Columns: the index it got, -1 when out of range.
    int InsertColumn(int column, const std::string& heading, int format = LVCFMT_LEFT, int width = -1);
    BOOL DeleteColumn(int column);
    int GetColumnCount() const;
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);

    // Rows: InsertItem gives the index the row got (the end for a larger index), -1 when refused.
    int InsertItem(int item, const std::string& text);
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetItemText(int item, int subItem, const std::string& text);
    std::string GetItemText(int item, int subItem) const;
    BOOL SetItemData(int item, LPARAM data);
    LPARAM GetItemData(int item) const;

    // Selection: LVIS_SELECTED / LVIS_FOCUSED of a row.
    BOOL SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    // The next row after item (-1: from the start) with the flags.
    int GetNextItem(int item, UINT flags) const;
    int GetSelectionMark() const { return m_selectionMark; }
    int SetSelectionMark(int item);

    // Scrolling: LVM_SCROLL by pixels (vertically in whole rows).
    BOOL Scroll(CSize size);
    BOOL EnsureVisible(int item);
    int GetTopIndex();
    // The cell's rectangle in the list's client coordinates.
    BOOL GetSubItemRect(int item, int subItem, CRect* rect) const;
    // The row under a client point (-1 when none); subItem gets its column.
    int SubItemHitTest(CPoint point, int* subItem = nullptr) const;

    QTableWidget* Table() const { return m_table; }
    QSize sizeHint() const override;

signals:
    // A cell editor's end of edit, routed to a Qt dialog that hosts the list.
    void EndLabelEdit(const NMLVDISPINFO* info);

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyStyles();
    BOOL IsRow(int item) const;
    void NotifyParent(UINT code, int item, int subItem, CPoint point);
    // WM_HSCROLL: a line, a page or to an end.
    void ScrollHorizontally(UINT code);
    void OnTableSelectionChanged();
    void ForwardInput(QObject* watched, QEvent* event);

    QTableWidget* m_table = nullptr;   // child, owned by Qt
    DWORD m_extendedStyle = 0;
    int m_selectionMark = -1;
};
