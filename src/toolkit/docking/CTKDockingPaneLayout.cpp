#include "toolkit/docking/CTKDockingPaneLayout.h"

#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneItem.h"

#include "platform/ui/CFrameWnd.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"

#include <algorithm>

CTKDockingPaneLayout::CTKDockingPaneLayout(CTKDockingPaneHost* host) : m_host(host)
{
    m_client = CreateNode<CTKDockingPaneNode>(CTKDockingPaneNode::kClient, this);
    CWnd* frame = host ? host->GetFrame() : nullptr;
    m_topGroup = CreateNode<CTKDockingPaneSplitGroup>(m_client, TRUE, frame, this);
}

CTKDockingPaneLayout::~CTKDockingPaneLayout()
{
    Clear();
}

void CTKDockingPaneLayout::Clear()
{
    // A floating frame's windows are its Qt children: they go before the
    // frame. Containers let go of their panes, so the panes go last.
    const int order[] = {-1, CTKDockingPaneNode::kFloatingFrame, CTKDockingPaneNode::kPane};
    for (int type : order) {
        for (auto it = m_nodes.rbegin(); it != m_nodes.rend(); ++it) {
            if (!*it)
                continue;
            const int own = (*it)->GetType();
            const bool later = own == CTKDockingPaneNode::kFloatingFrame || own == CTKDockingPaneNode::kPane;
            if (type == -1 ? !later : own == type)
                it->reset();
        }
    }
    m_nodes.clear();
    m_entries.clear();
    m_topGroup = nullptr;
    m_client = nullptr;
}

void CTKDockingPaneLayout::LayoutAll(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params)
{
    if (m_client)
        m_client->Layout(frame, rect, params);
    if (m_topGroup)
        m_topGroup->Layout(frame, rect, params);
}

int CTKDockingPaneLayout::GetAutoHideSide(const CTKDockingPaneNode* node) const
{
    const CTKDockingPaneNode* branch = node;
    for (CTKDockingPaneNode* up = node ? node->GetParentNode() : nullptr; up; up = up->GetParentNode()) {
        auto* group = dynamic_cast<CTKDockingPaneSplitGroup*>(up);
        if (group && m_client && group->ContainsNode(m_client)) {
            const auto& children = group->GetChildren();
            const auto own = std::find(children.begin(), children.end(), branch);
            auto clientBranch = children.begin();
            while (clientBranch != children.end() && !(*clientBranch)->ContainsNode(m_client))
                ++clientBranch;
            const bool before = own < clientBranch;
            if (group->IsHorizontal())
                return before ? 0 : 1;
            return before ? 2 : 3;
        }
        branch = up;
    }
    return 0;
}

void CTKDockingPaneLayout::CopyFrom(const CTKDockingPaneLayout& source)
{
    Clear();
    CTKDockingPaneNode::CloneMap map;
    std::vector<const CTKDockingPaneNode*> roots;
    for (const auto& node : source.m_nodes) {
        if (!node->GetParentNode())
            roots.push_back(node.get());
    }
    for (const CTKDockingPaneNode* root : roots)
        root->Clone(this, &map);
    const auto copyOf = [&map](const CTKDockingPaneNode* node) -> CTKDockingPaneNode* {
        auto it = map.find(node);
        return it == map.end() ? nullptr : it->second;
    };
    m_client = copyOf(source.m_client);
    m_topGroup = static_cast<CTKDockingPaneSplitGroup*>(copyOf(source.m_topGroup));
    for (const PaneEntry& entry : source.m_entries) {
        PaneEntry copy;
        copy.pane = static_cast<CTKDockingPaneItem*>(copyOf(entry.pane));
        copy.floatingHolder = copyOf(entry.floatingHolder);
        copy.dockingHolder = copyOf(entry.dockingHolder);
        copy.lastHolder = copyOf(entry.lastHolder);
        m_entries.push_back(copy);
    }
}

CTKDockingPaneLayout::PaneEntry* CTKDockingPaneLayout::FindEntry(const CTKDockingPaneItem* pane)
{
    for (PaneEntry& entry : m_entries) {
        if (entry.pane == pane)
            return &entry;
    }
    return nullptr;
}

void CTKDockingPaneLayout::AddEntry(CTKDockingPaneItem* pane)
{
    PaneEntry entry;
    entry.pane = pane;
    m_entries.push_back(entry);
}
