#pragma once
// One report list of the Output pane: one column of text lines on a white
// background. A double-click, the right button and F1 go to the view that
// owns the list, with the list's position (0 Common, 1 Compile, 2 FindReplace).

#include "platform/ui/CListCtrl.h"

class COutputView;

class COutputList : public CListCtrl {
    DECLARE_DYNAMIC(COutputList)
public:
    COutputList(COutputView& view, unsigned index);

    unsigned GetIndex() const { return m_index; }
    void SetIndex(unsigned index) { m_index = index; }
    void SetBackgroundColor(COLORREF color);
    COLORREF GetBackgroundColor() const { return m_background; }
    // Appends a line as the new last row and scrolls it into view.
    int AppendLine(const std::string& text);

protected:
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    COutputView& m_view;
    unsigned m_index;
    COLORREF m_background;
};
