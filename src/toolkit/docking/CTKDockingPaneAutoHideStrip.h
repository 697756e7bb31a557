#pragma once
// An auto-hide strip (node type 5): a thin band along one side of the frame
// with one group of tabs per auto-hidden container. Pointing at a tab (or
// clicking it) slides the container out over the docked area in a
// CTKDockingPaneAutoHideWnd; at most one sliding window is open per strip,
// and every layout pass of the frame closes it.

#include "platform/ui/CHoverTracker.h"
#include "platform/ui/CWnd.h"
#include "toolkit/docking/CTKDockingPaneNode.h"
#include "toolkit/docking/tabs/CTKTabSet.h"

#include <QPointer>

#include <memory>
#include <vector>

class CTKDockingPaneAutoHideWnd;
class CTKDockingPaneHost;
class CTKDockingPaneItem;
class CTKDockingPaneRenderer;
class CTKDockingPaneTabbedContainer;

class CTKDockingPaneAutoHideStrip : public CWnd, public CTKDockingPaneNode {
public:
    // Space between two tab groups along the strip.
    static constexpr int kGroupGap = 8;

    // The tabs of one container: no scroll buttons, drawn by the docking
    // renderer's strip tab renderer, facing away from the frame's edge.
    class CStripTabSet : public CTKTabSet {
    public:
        CStripTabSet(CTKDockingPaneAutoHideStrip* strip, CTKDockingPaneTabbedContainer* container);
        CTKTabRenderer* GetRenderer() const override;
        void Redraw() override;
        BOOL DrawTabIcon(CDC* dc, int x, int y, CTKTabItem* tab, BOOL draw) override;
        int GetPosition() const override;
        void OnLayoutChanged() override {}
        CTKDockingPaneTabbedContainer* GetContainer() const { return m_container; }
        CTKDockingPaneItem* GetPaneAt(int index) const;

    private:
        CTKDockingPaneAutoHideStrip* m_strip;
        CTKDockingPaneTabbedContainer* m_container;
    };

    CTKDockingPaneAutoHideStrip(CTKDockingPaneLayout* layout, int side);
    ~CTKDockingPaneAutoHideStrip() override;

    // Tab position of a strip side: left strip right, right strip left, top strip bottom, bottom strip top.
    static int TabPositionOfSide(int side);

    void AddContainer(CTKDockingPaneTabbedContainer* container);
    void RemoveChild(CTKDockingPaneNode* node) override;
    BOOL IsEmpty() const override;
    void OnChildChanged(CTKDockingPaneNode* child) override;
    void FindNodes(int type, std::vector<CTKDockingPaneNode*>* out) override;
    BOOL ContainsNode(const CTKDockingPaneNode* node) const override;
    // The same side over copies of every container.
    CTKDockingPaneNode* Clone(CTKDockingPaneLayout* dest, CloneMap* map) const override;
    void SaveToRegistry(CTKDockingPaneLayout* layout) override;
    BOOL LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex) override;

    // Takes the strip's band off rect (frame client coordinates); closes an open sliding window.
    virtual void ReserveBand(CWnd* frame, CRect* rect, AFX_SIZEPARENTPARAMS* params);
    // The band's thickness: the strip tab look's header height and tab-area margins.
    int GetThickness() const;
    // The pane of the first tab under a point of the strip window, NULL when none.
    CTKDockingPaneItem* HitTestPane(int x, int y) const;
    void CloseSlideWnd(BOOL delayed);
    void SlideOut(CTKDockingPaneItem* pane, BOOL focus);

    int GetSide() const { return m_side; }
    void SetSide(int side) { m_side = side; }
    CTKDockingPaneAutoHideWnd* GetSlideWnd() const;
    // Forgets the sliding window (it closes itself).
    void ClearSlideWnd(const CTKDockingPaneAutoHideWnd* wnd);
    const std::vector<CTKDockingPaneTabbedContainer*>& GetContainers() const { return m_containers; }
    int GetTabGroupCount() const { return static_cast<int>(m_tabGroups.size()); }
    CStripTabSet* GetTabGroup(int index) const;
    // The pane the open sliding window shows, NULL when none.
    CTKDockingPaneItem* GetShownPane() const;
    CTKDockingPaneHost* Host() const;
    CTKDockingPaneRenderer* Renderer() const;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnTimer(UINT_PTR id) override;

private:
    LRESULT OnMouseHover(WPARAM flags, LPARAM lParam);
    // Rebuilds the tab groups and lays them out in the band (strip client coordinates).
    void LayoutTabGroups(const CRect& band);

    QPointer<CTKDockingPaneAutoHideWnd> m_slideWnd;
    int m_side;
    std::vector<CTKDockingPaneTabbedContainer*> m_containers;
    std::vector<std::unique_ptr<CStripTabSet>> m_tabGroups;
    CHoverTracker m_hover;
};
