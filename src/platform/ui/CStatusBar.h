#pragma once
// The frame's status bar: a row of panes along the bottom of the frame.
// Pane 0 takes what the others leave; an indicator pane (a non-zero id such
// as ID_INDICATOR_NUM) shows its key's text while the key is on. Drawing is
// plain; a themed bar draws over the same panes.

#include "platform/ui/CWnd.h"

#include <algorithm>

#include <string>
#include <vector>

class CStatusBar : public CWnd {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    // A child of the parent with the status bar's id.
    BOOL CreateBar(CWnd* parent, DWORD style, UINT id = AFX_IDW_STATUS_BAR);
    // One pane per id; 0 is a plain text pane. FALSE for no panes.
    BOOL SetIndicators(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int index) const;
    // FALSE for an index out of range.
    BOOL SetPaneText(int index, const std::string& text);
    std::string GetPaneText(int index) const;
    // The pane's rectangle in client coordinates as the last layout placed it.
    CRect GetItemRect(int index) const;

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    struct Pane {
        UINT id = 0;
        std::string text;
        CRect rect;
    };
    void LayoutPanes();
    // The indicator's text, "" while its key is off.
    static std::string IndicatorText(UINT id);
    std::vector<Pane> m_panes;
};
