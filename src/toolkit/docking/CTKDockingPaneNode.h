#pragma once
// A node of a frame's docking tree: a pane, a tabbed container, a split
// group, a floating frame or the client area. Every node belongs to one
// layout, which creates its list entry and deletes it; nodes only point at
// each other.

#include "platform/WinTypes.h"

#include <map>
#include <string>
#include <vector>

class CTKDockingPaneLayout;
class CWnd;
struct AFX_SIZEPARENTPARAMS;

class CTKDockingPaneNode {
public:
    // Source nodes to their copies while a layout is copied.
    using CloneMap = std::map<const CTKDockingPaneNode*, CTKDockingPaneNode*>;
    // Saved node numbers to the nodes read for them.
    using IndexMap = std::map<WORD, CTKDockingPaneNode*>;

    enum Type { kPane = 0, kContainer = 1, kSplitGroup = 2, kFloatingFrame = 3, kClient = 4, kAutoHideStrip = 5 };

    CTKDockingPaneNode(int type, CTKDockingPaneLayout* layout);
    virtual ~CTKDockingPaneNode() = default;
    CTKDockingPaneNode(const CTKDockingPaneNode&) = delete;
    CTKDockingPaneNode& operator=(const CTKDockingPaneNode&) = delete;

    // Takes rect as the node's rectangle and hands it back through params.
    virtual void Layout(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params);
    virtual void UpdateIdle() {}
    virtual BOOL ContainsNode(const CTKDockingPaneNode* node) const { return node == this; }
    virtual void SetParentFrame(CWnd* frame) { m_frame = frame; }
    virtual void SetParentContainer(CTKDockingPaneNode* parent) { m_parent = parent; }
    virtual void OnChildChanged(CTKDockingPaneNode*) {}
    virtual void OnAttached(CTKDockingPaneNode*) {}
    virtual void RemoveChild(CTKDockingPaneNode*) {}
    // Appends the node when its type matches.
    virtual void FindNodes(int type, std::vector<CTKDockingPaneNode*>* out);
    virtual BOOL IsEmpty() const;
    // A copy of the node and everything below it in dest, recorded in map.
    virtual CTKDockingPaneNode* Clone(CTKDockingPaneLayout* dest, CloneMap* map) const;
    // Writes the node's values under its saved key of the layout being written.
    virtual void SaveToRegistry(CTKDockingPaneLayout* layout);
    // Reads them back; FALSE rejects the node (a missing or dangling reference).
    virtual BOOL LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex);

    // The key of a saved node number, "Pane-%d".
    static std::string IndexName(int index);
    // The saved number of a node, 0 for none.
    static int SavedIndexOf(const CTKDockingPaneNode* node) { return node ? node->savedIndex : 0; }
    // The node a saved number stands for, NULL for 0 or an unknown number.
    static CTKDockingPaneNode* LookupIndex(const IndexMap& nodesByIndex, int index);

    // The rectangle in screen coordinates.
    CRect GetScreenRect() const;

    int GetType() const { return m_type; }
    CRect GetRect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    int dockingCX = 0;
    int dockingCY = 0;
    // The node's number while its layout is written (1..N in node-list order).
    int savedIndex = 0;
    CTKDockingPaneLayout* GetLayout() const { return m_layout; }
    CTKDockingPaneNode* GetParentNode() const { return m_parent; }
    CWnd* GetFrame() const { return m_frame; }

    // Asks a frame window for a layout in the next idle pass.
    static void DelayFrameLayout(CWnd* frame);

private:
    CRect m_rect;
    CTKDockingPaneLayout* m_layout;
    CTKDockingPaneNode* m_parent = nullptr;
    CWnd* m_frame = nullptr;
    int m_type;
};
