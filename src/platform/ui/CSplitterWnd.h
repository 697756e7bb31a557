#pragma once
// A static splitter of panes in rows, one above the other, with a bar
// between each two rows that the user drags to share the height. Each row
// but the last keeps its ideal height (at least its minimum); the last row
// takes the rest. Panes are created from their run-time class and, when
// they are views, joined to a document.

#include "platform/ui/CWnd.h"

#include <vector>

class CDocument;
struct CRuntimeClass;

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    // The height of the bar between two rows.
    static constexpr int kBarHeight = 7;

    CSplitterWnd() = default;

    // Rows of one column each; FALSE for no rows or more than one column.
    BOOL CreateStatic(CWnd* parent, int rows, int columns, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = AFX_IDW_PANE_FIRST);
    // Creates the pane of (row, column) from its class with an initial
    // height; a view joins the document. FALSE when the class makes no window
    // or the window cannot be created.
    BOOL CreateView(int row, int column, const CRuntimeClass* viewClass, CSize initialSize, CDocument* document);

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetColumnCount() const { return 1; }
    CWnd* GetPane(int row, int column) const;
    static UINT IdFromRowCol(int row, int column);
    void SetRowInfo(int row, int ideal, int minimum);
    void GetRowInfo(int row, int& current, int& minimum) const;
    // The pane with the focus or the frame's active view; null when neither is a pane.
    CWnd* GetActivePane(int* row = nullptr, int* column = nullptr) const;
    void SetActivePane(int row, int column);
    virtual void RecalcLayout();
    // TRUE while the user drags a bar.
    BOOL IsTracking() const { return m_trackedBar >= 0; }

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;

private:
    struct Row {
        CWnd* pane = nullptr; // a child window; destroyed with the splitter
        int ideal = 0;
        int minimum = 0;
        int current = 0;
    };

    BOOL IsValidCell(int row, int column) const;
    // The index of the bar under the point (the bar below that row), or -1.
    int HitBar(CPoint point) const;
    int BarTop(int bar) const;

    std::vector<Row> m_rows;
    int m_trackedBar = -1;
    int m_trackOffset = 0;
};
