#pragma once
// A floating frame: a frameless tool window owned by the host's frame,
// with its own small caption (title and close cross) and sizing edges,
// holding a split group of containers. It is a docking node of type 3; the
// layout deletes it.

#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CMenu.h"
#include "toolkit/docking/CTKDockingPaneNode.h"

class CTKDockingPaneHost;
class CTKDockingPaneSplitGroup;

class CTKDockingPaneMiniWnd : public CFrameWnd, public CTKDockingPaneNode {
public:
    static constexpr int kBorder = 3;
    static constexpr LRESULT kHitClose = 20;

    // Floats node (a pane is wrapped in a new container) at rect (screen coordinates).
    CTKDockingPaneMiniWnd(CTKDockingPaneNode* node, const CRect& rect, CTKDockingPaneLayout* layout);
    ~CTKDockingPaneMiniWnd() override;

    void RecalcLayout(BOOL notify = TRUE) override;
    void RemoveChild(CTKDockingPaneNode* node) override;
    void OnChildChanged(CTKDockingPaneNode* child) override;
    // A frame at this window's place over a copy of its group.
    CTKDockingPaneNode* Clone(CTKDockingPaneLayout* dest, CloneMap* map) const override;
    void SaveToRegistry(CTKDockingPaneLayout* layout) override;
    BOOL LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex) override;

    CTKDockingPaneSplitGroup* GetTopGroup() const { return m_topGroup; }
    BOOL IsCloseEnabled() const { return m_closeEnabled; }
    // The window's system menu: Move, Size and Close named Hide; Close is
    // greyed while every pane of the frame must stay.
    const CMenu& GetSystemMenu() const { return m_systemMenu; }
    int GetCaptionHeight() const;
    // The caption's close cross, in window coordinates.
    CRect GetCloseRect() const;

protected:
    void OnClose() override;
    void OnNcCalcSize(BOOL calcValidRects, CRect* rect) override;
    LRESULT OnNcHitTest(CPoint screenPoint) override;
    void OnNcPaint(CDC* dc) override;
    void PostNcDestroy() override {}

private:
    LRESULT OnNcLButtonDown(WPARAM hit, LPARAM lParam);
    LRESULT OnNcLButtonDblClk(WPARAM hit, LPARAM lParam);
    // Closes through WM_CLOSE while the system menu's Close is enabled.
    LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
    void BuildSystemMenu();
    // Moves (caption) or sizes (edges) the window with the mouse.
    void TrackFrame(LRESULT hit, CPoint screenPoint);
    CTKDockingPaneHost* Host() const;

    CTKDockingPaneSplitGroup* m_topGroup = nullptr;
    BOOL m_closeEnabled = FALSE;
    CMenu m_systemMenu;
};
