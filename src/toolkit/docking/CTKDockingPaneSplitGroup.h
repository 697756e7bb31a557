#pragma once
// A row (horizontal) or column of docking nodes with a 4-pixel split bar
// between neighbours. The group shares its rectangle among the children in
// proportion to their docking sizes; the child that holds the client area
// takes what the others leave.

#include "toolkit/docking/CTKDockingPaneNode.h"

#include <memory>
#include <vector>

class CTKDockingPaneSplitBar;

class CTKDockingPaneSplitGroup : public CTKDockingPaneNode {
public:
    static constexpr int kGap = 4;

    // One child's span along the split axis.
    struct Span {
        int start;
        int end;
    };

    CTKDockingPaneSplitGroup(CTKDockingPaneNode* first, BOOL horizontal, CWnd* frame, CTKDockingPaneLayout* layout);
    ~CTKDockingPaneSplitGroup() override;

    // Divides [start, start + room) among the extents; clientIndex (-1 for
    // none) takes the rest, which becomes its extent. A child never ends
    // before it starts.
    static std::vector<Span> ComputeSpans(std::vector<int>* extents, int clientIndex, int start, int room);

    void InsertChild(CTKDockingPaneNode* node, CTKDockingPaneNode* neighbour, BOOL after);
    void ReplaceChild(CTKDockingPaneNode* old, CTKDockingPaneNode* node);
    void RemoveChild(CTKDockingPaneNode* node) override;
    void RebuildSplitBars();

    void Layout(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params) override;
    BOOL ContainsNode(const CTKDockingPaneNode* node) const override;
    void OnChildChanged(CTKDockingPaneNode* child) override;
    void OnAttached(CTKDockingPaneNode* parent) override;
    void FindNodes(int type, std::vector<CTKDockingPaneNode*>* out) override;
    BOOL IsEmpty() const override;
    // The same orientation and size over copies of every child.
    CTKDockingPaneNode* Clone(CTKDockingPaneLayout* dest, CloneMap* map) const override;
    void SaveToRegistry(CTKDockingPaneLayout* layout) override;
    BOOL LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex) override;

    BOOL IsHorizontal() const { return m_horizontal; }
    const std::vector<CTKDockingPaneNode*>& GetChildren() const { return m_children; }
    int GetSplitBarCount() const { return static_cast<int>(m_bars.size()); }
    CTKDockingPaneSplitBar* GetSplitBar(int index) const { return m_bars.at(index).get(); }

private:
    int FindChild(const CTKDockingPaneNode* node) const;
    void LinkChild(CTKDockingPaneNode* node);

    std::vector<CTKDockingPaneNode*> m_children;
    std::vector<std::unique_ptr<CTKDockingPaneSplitBar>> m_bars;
    BOOL m_horizontal;
};
