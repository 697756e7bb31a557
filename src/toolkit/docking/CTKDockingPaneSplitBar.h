#pragma once
// The 4-pixel bar between two neighbouring children of a split group; a
// drag shares their room anew.

#include "platform/ui/CWnd.h"

class CTKDockingPaneNode;
class CTKDockingPaneSplitGroup;

class CTKDockingPaneSplitBar : public CWnd {
public:
    static constexpr int kFill = 51;

    CTKDockingPaneSplitBar(CTKDockingPaneSplitGroup* group, CTKDockingPaneNode* before, CTKDockingPaneNode* after);
    ~CTKDockingPaneSplitBar() override;

    // Moves the bar (frame client coordinates) below its siblings.
    void Place(const CRect& rect);
    // Shares the two neighbours' extents by where the bar lies within limits
    // (screen coordinates); limits without length change nothing.
    void ApplySplit(const CRect& bar, const CRect& limits);

    CTKDockingPaneNode* GetBefore() const { return m_before; }
    CTKDockingPaneNode* GetAfter() const { return m_after; }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    BOOL IsLocked() const;

    CTKDockingPaneSplitGroup* m_group;
    CTKDockingPaneNode* m_before;
    CTKDockingPaneNode* m_after;
};
