#pragma once
// One docking tree with its panes: the top split group (which holds the
// client node), the list of panes with the containers that last held each
// one, the four auto-hide strips, and every node of the tree, which the
// layout alone creates and deletes. The host's live layout creates windows;
// a copy does not.
//
// Saved layouts live in the settings under "DockingPaneLayouts\<name>": a
// "Summary" section and one "Pane-%d" section per node. The frame writes
// its layout when it closes:
//   CTKDockingPaneLayout layout(&host);
//   host.CopyLayoutTo(&layout);
//   layout.WriteToRegistry("ZULNormalLayout");

#include "toolkit/docking/CTKDockingPaneNode.h"

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CSettingsStore;
class CTKDockingPaneAutoHideStrip;
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

    static constexpr int kSideCount = 4;

    // Deletes every node: windows inside floating frames go before their frames.
    void Clear();
    // The strips that exist take their bands off rect, then the client node and the top group.
    void LayoutAll(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params);
    // 0 left, 1 right, 2 top, 3 bottom: the side of the client area the node lies on.
    int GetAutoHideSide(const CTKDockingPaneNode* node) const;
    PaneEntry* FindEntry(const CTKDockingPaneItem* pane);
    // Makes this layout a window-less copy of source: every node, the panes and their holders.
    void CopyFrom(const CTKDockingPaneLayout& source);
    void AddEntry(CTKDockingPaneItem* pane);
    // Moves the container's panes that may auto-hide into a new container on
    // the strip of its side; the strip when something moved, else NULL.
    CTKDockingPaneAutoHideStrip* AutoHide(CTKDockingPaneNode* container);
    // The strip of a side (0 left, 1 right, 2 top, 3 bottom), NULL when none or out of range.
    CTKDockingPaneAutoHideStrip* GetStrip(int side) const;
    void SetStrip(int side, CTKDockingPaneAutoHideStrip* strip);
    // Closes the sliding window of every strip at once.
    void CloseSlideWindows();

    // Drops containers that hold no pane and are no pane's holder, empty
    // groups and floating frames without a group.
    void PurgeEmptyNodes();
    // Writes the layout under "DockingPaneLayouts\<name>" of the application's
    // profile; FALSE when the application has no profile or a write failed.
    BOOL WriteToRegistry(const std::string& name);
    BOOL WriteToStore(const CSettingsStore& store, const std::string& name);
    // Reads a saved layout into this window-less copy. FALSE for a live
    // layout, a missing layout or a rejected node; the layout is then empty
    // again (a client node in the top group).
    BOOL ReadFromStore(const CSettingsStore& store, const std::string& name);

    // Values of a section of the layout being written or read; writes fail and
    // reads give the default while no layout key is open. Reading creates nothing.
    BOOL WriteInt(const std::string& section, const std::string& value, int data);
    BOOL WriteString(const std::string& section, const std::string& value, const std::string& text);
    int ReadInt(const std::string& section, const std::string& value, int defaultValue) const;
    std::string ReadString(const std::string& section, const std::string& value,
                           const std::string& defaultValue) const;

    CTKDockingPaneSplitGroup* GetTopGroup() const { return m_topGroup; }
    void SetTopGroup(CTKDockingPaneSplitGroup* group) { m_topGroup = group; }
    CTKDockingPaneNode* GetClient() const { return m_client; }
    std::vector<PaneEntry>& GetEntries() { return m_entries; }
    int GetNodeCount() const { return static_cast<int>(m_nodes.size()); }
    CTKDockingPaneHost* GetHost() const { return m_host; }
    BOOL IsCopy() const { return m_isCopy; }
    void SetCopy(BOOL copy) { m_isCopy = copy; }

private:
    // The client node inside a new top group.
    void CreateRoot();
    // Creates an empty node of a saved type; NULL for an unknown type.
    CTKDockingPaneNode* CreateNodeOfType(int type);
    BOOL ReadNodes();
    void DeleteNode(CTKDockingPaneNode* node);
    std::string KeyOf(const std::string& section) const;

    std::vector<std::unique_ptr<CTKDockingPaneNode>> m_nodes;
    std::vector<PaneEntry> m_entries;
    CTKDockingPaneSplitGroup* m_topGroup = nullptr;
    CTKDockingPaneNode* m_client = nullptr;
    std::array<CTKDockingPaneAutoHideStrip*, kSideCount> m_strips {};
    CTKDockingPaneHost* m_host;
    const CSettingsStore* m_key = nullptr;   // open while the layout is written or read
    std::string m_keyPath;
    BOOL m_isCopy = TRUE;
};
