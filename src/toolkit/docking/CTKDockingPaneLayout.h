#pragma once
// One docking tree with its panes: the top split group (which holds the
// client node), the list of panes with the containers that last held each
// one, and every node of the tree, which the layout alone creates and
// deletes. The host's live layout creates windows; a copy does not.

#include "toolkit/docking/CTKDockingPaneNode.h"

#include <memory>
#include <utility>
#include <vector>

class CTKDockingPaneHost;
class CTKDockingPaneItem;
class CTKDockingPaneSplitGroup;

class CTKDockingPaneLayout {
public:
    // A pane and the containers that held it while floating, while docked and at all.
    struct PaneEntry {
        CTKDockingPaneItem* pane = nullptr;
        CTKDockingPaneNode* floatingHolder = nullptr;
        CTKDockingPaneNode* dockingHolder = nullptr;
        CTKDockingPaneNode* lastHolder = nullptr;
    };

    explicit CTKDockingPaneLayout(CTKDockingPaneHost* host);
    virtual ~CTKDockingPaneLayout();
    CTKDockingPaneLayout(const CTKDockingPaneLayout&) = delete;
    CTKDockingPaneLayout& operator=(const CTKDockingPaneLayout&) = delete;

    // Creates a node owned by this layout, at the end of the node list.
    template <class T, class... Args>
    T* CreateNode(Args&&... args)
    {
        auto node = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = node.get();
        m_nodes.push_back(std::move(node));
        return raw;
    }

    // Deletes every node: windows inside floating frames go before their frames.
    void Clear();
    // The client node, then the top group, in rect.
    void LayoutAll(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params);
    // 0 left, 1 right, 2 top, 3 bottom: the side of the client area the node lies on.
    int GetAutoHideSide(const CTKDockingPaneNode* node) const;
    PaneEntry* FindEntry(const CTKDockingPaneItem* pane);
    // Makes this layout a window-less copy of source: every node, the panes and their holders.
    void CopyFrom(const CTKDockingPaneLayout& source);
    void AddEntry(CTKDockingPaneItem* pane);

    CTKDockingPaneSplitGroup* GetTopGroup() const { return m_topGroup; }
    void SetTopGroup(CTKDockingPaneSplitGroup* group) { m_topGroup = group; }
    CTKDockingPaneNode* GetClient() const { return m_client; }
    std::vector<PaneEntry>& GetEntries() { return m_entries; }
    int GetNodeCount() const { return static_cast<int>(m_nodes.size()); }
    CTKDockingPaneHost* GetHost() const { return m_host; }
    BOOL IsCopy() const { return m_isCopy; }
    void SetCopy(BOOL copy) { m_isCopy = copy; }

private:
    std::vector<std::unique_ptr<CTKDockingPaneNode>> m_nodes;
    std::vector<PaneEntry> m_entries;
    CTKDockingPaneSplitGroup* m_topGroup = nullptr;
    CTKDockingPaneNode* m_client = nullptr;
    CTKDockingPaneHost* m_host;
    BOOL m_isCopy = TRUE;
};
