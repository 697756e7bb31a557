#include "toolkit/docking/CTKDockingPaneSplitGroup.h"

#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneSplitBar.h"

#include <algorithm>

CTKDockingPaneSplitGroup::CTKDockingPaneSplitGroup(CTKDockingPaneNode* first, BOOL horizontal, CWnd* frame,
                                                   CTKDockingPaneLayout* layout)
    : CTKDockingPaneNode(kSplitGroup, layout), m_horizontal(horizontal)
{
    SetParentFrame(frame);
    if (!first)
        return;
    m_children.push_back(first);
    dockingCX = first->dockingCX;
    dockingCY = first->dockingCY;
    first->SetParentContainer(this);
    first->SetParentFrame(frame);
}

CTKDockingPaneSplitGroup::~CTKDockingPaneSplitGroup() = default;

std::vector<CTKDockingPaneSplitGroup::Span> CTKDockingPaneSplitGroup::ComputeSpans(std::vector<int>* extentsInOut,
                                                                                  int clientIndex, int start,
                                                                                  int room)
{
    std::vector<int>& extents = *extentsInOut;
    std::vector<Span> spans;
    if (extents.empty())
        return spans;
    int total = 0;
    for (int extent : extents)
        total += extent;
    total += kGap * (static_cast<int>(extents.size()) - 1);
    if (clientIndex >= 0 && total < room) {
        extents[clientIndex] += room - total;
        total = room;
    }
    const double ratio = total > 0 ? static_cast<double>(room) / total : 0.0;
    const int last = static_cast<int>(extents.size()) - 1;
    const int limit = start + room;
    for (int i = 0; i <= last; ++i) {
        int end = limit;
        if (i < last)
            end = start + static_cast<int>((extents[i] + kGap) * ratio) - kGap;
        end = std::max(end, start);
        spans.push_back({start, end});
        start = end + kGap;
    }
    return spans;
}

int CTKDockingPaneSplitGroup::FindChild(const CTKDockingPaneNode* node) const
{
    auto it = std::find(m_children.begin(), m_children.end(), node);
    return it == m_children.end() ? -1 : static_cast<int>(it - m_children.begin());
}

void CTKDockingPaneSplitGroup::LinkChild(CTKDockingPaneNode* node)
{
    node->SetParentContainer(this);
    node->SetParentFrame(GetFrame());
    DelayFrameLayout(GetFrame());
    RebuildSplitBars();
    if (GetParentNode())
        GetParentNode()->OnChildChanged(this);
    node->OnAttached(this);
}

void CTKDockingPaneSplitGroup::InsertChild(CTKDockingPaneNode* node, CTKDockingPaneNode* neighbour, BOOL after)
{
    const int at = FindChild(neighbour);
    auto position = m_children.end();
    if (after && at >= 0)
        position = m_children.begin() + at + 1;
    else if (!after)
        position = at >= 0 ? m_children.begin() + at : m_children.begin();
    m_children.insert(position, node);
    LinkChild(node);
}

void CTKDockingPaneSplitGroup::ReplaceChild(CTKDockingPaneNode* old, CTKDockingPaneNode* node)
{
    const int at = FindChild(old);
    if (at < 0)
        m_children.push_back(node);
    else
        m_children[at] = node;
    node->SetParentContainer(this);
    RebuildSplitBars();
    if (GetParentNode())
        GetParentNode()->OnChildChanged(this);
}

void CTKDockingPaneSplitGroup::RemoveChild(CTKDockingPaneNode* node)
{
    const int at = FindChild(node);
    if (at < 0)
        return;
    m_children.erase(m_children.begin() + at);
    RebuildSplitBars();
    DelayFrameLayout(GetFrame());
    if (GetParentNode()) {
        GetParentNode()->OnChildChanged(this);
        if (m_children.empty())
            GetParentNode()->RemoveChild(this);
    }
    node->SetParentContainer(nullptr);
}

void CTKDockingPaneSplitGroup::RebuildSplitBars()
{
    m_bars.clear();
    if (m_children.size() < 2 || !GetLayout() || GetLayout()->IsCopy())
        return;
    CTKDockingPaneNode* before = nullptr;
    for (CTKDockingPaneNode* child : m_children) {
        if (child->IsEmpty())
            continue;
        if (before)
            m_bars.push_back(std::make_unique<CTKDockingPaneSplitBar>(this, before, child));
        before = child;
    }
}

void CTKDockingPaneSplitGroup::Layout(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params)
{
    SetParentFrame(frame);
    SetRect(rect);
    std::vector<CTKDockingPaneNode*> visible;
    for (CTKDockingPaneNode* child : m_children) {
        if (!child->IsEmpty())
            visible.push_back(child);
    }
    CTKDockingPaneNode* client = GetLayout()->GetClient();
    const BOOL hideClient = GetLayout()->GetHost() && GetLayout()->GetHost()->hideClient;
    if (hideClient && client && ContainsNode(client))
        client->Layout(frame, CRect(), params);
    if (visible.empty())
        return;
    if (visible.size() == 1) {
        visible.front()->Layout(frame, rect, params);
        return;
    }
    std::vector<int> extents;
    int clientIndex = -1;
    for (CTKDockingPaneNode* child : visible) {
        if (clientIndex < 0 && client && child->ContainsNode(client)) {
            const BOOL reset = !hideClient || (child->dockingCX == 0 && child->dockingCY == 0);
            if (reset) {
                child->dockingCX = 0;
                child->dockingCY = 0;
                clientIndex = static_cast<int>(extents.size());
            }
        }
        extents.push_back(m_horizontal ? child->dockingCX : child->dockingCY);
    }
    const int start = m_horizontal ? rect.left : rect.top;
    const int room = m_horizontal ? rect.Width() : rect.Height();
    const std::vector<Span> spans = ComputeSpans(&extents, clientIndex, start, room);
    // The client child keeps the room the others leave, so a split bar drag shares real sizes.
    if (clientIndex >= 0) {
        CTKDockingPaneNode* clientChild = visible[static_cast<std::size_t>(clientIndex)];
        (m_horizontal ? clientChild->dockingCX : clientChild->dockingCY) = extents[static_cast<std::size_t>(clientIndex)];
    }
    for (std::size_t i = 0; i < visible.size(); ++i) {
        const Span& span = spans[i];
        CRect childRect = m_horizontal ? CRect(span.start, rect.top, span.end, rect.bottom)
                                       : CRect(rect.left, span.start, rect.right, span.end);
        visible[i]->Layout(frame, childRect, params);
        if (i + 1 >= visible.size() || i >= m_bars.size())
            continue;
        CRect gap = m_horizontal ? CRect(span.end, rect.top, span.end + kGap, rect.bottom)
                                 : CRect(rect.left, span.end, rect.right, span.end + kGap);
        gap.IntersectRect(gap, rect);
        m_bars[i]->Place(gap);
    }
}

BOOL CTKDockingPaneSplitGroup::ContainsNode(const CTKDockingPaneNode* node) const
{
    for (CTKDockingPaneNode* child : m_children) {
        if (child->ContainsNode(node))
            return TRUE;
    }
    return FALSE;
}

void CTKDockingPaneSplitGroup::OnChildChanged(CTKDockingPaneNode*)
{
    if (GetParentNode())
        GetParentNode()->OnChildChanged(this);
    RebuildSplitBars();
    DelayFrameLayout(GetFrame());
}

void CTKDockingPaneSplitGroup::OnAttached(CTKDockingPaneNode* parent)
{
    SetParentFrame(parent->GetFrame());
    RebuildSplitBars();
    for (CTKDockingPaneNode* child : m_children)
        child->OnAttached(parent);
}

void CTKDockingPaneSplitGroup::FindNodes(int type, std::vector<CTKDockingPaneNode*>* out)
{
    for (CTKDockingPaneNode* child : m_children) {
        if (child->IsEmpty())
            continue;
        if (child->GetType() == type)
            out->push_back(child);
        else
            child->FindNodes(type, out);
    }
}

CTKDockingPaneNode* CTKDockingPaneSplitGroup::Clone(CTKDockingPaneLayout* dest, CloneMap* map) const
{
    auto* copy = dest->CreateNode<CTKDockingPaneSplitGroup>(nullptr, m_horizontal, nullptr, dest);
    copy->dockingCX = dockingCX;
    copy->dockingCY = dockingCY;
    (*map)[this] = copy;
    for (CTKDockingPaneNode* child : m_children)
        copy->InsertChild(child->Clone(dest, map), nullptr, TRUE);
    return copy;
}

BOOL CTKDockingPaneSplitGroup::IsEmpty() const
{
    for (CTKDockingPaneNode* child : m_children) {
        if (!child->IsEmpty())
            return FALSE;
    }
    return TRUE;
}

void CTKDockingPaneSplitGroup::SaveToRegistry(CTKDockingPaneLayout* layout)
{
    CTKDockingPaneNode::SaveToRegistry(layout);
    const std::string key = IndexName(savedIndex);
    layout->WriteInt(key, "Horiz", m_horizontal ? 1 : 0);
    int number = 0;
    for (CTKDockingPaneNode* child : m_children)
        layout->WriteInt(key, IndexName(++number), child->savedIndex);
    layout->WriteInt(key, "Panes", number);
}

BOOL CTKDockingPaneSplitGroup::LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex)
{
    CTKDockingPaneNode::LoadFromRegistry(layout, nodesByIndex);
    const std::string key = IndexName(savedIndex);
    m_horizontal = layout->ReadInt(key, "Horiz", 0) != 0;
    const int count = layout->ReadInt(key, "Panes", 0);
    for (int number = 1; number <= count; ++number) {
        CTKDockingPaneNode* node = LookupIndex(nodesByIndex, layout->ReadInt(key, IndexName(number), 0));
        // A node has one parent, and a group never holds itself or a group above it.
        if (!node || node->GetParentNode() || node->ContainsNode(this) || node->GetType() == kPane)
            return FALSE;
        InsertChild(node, nullptr, TRUE);
    }
    return TRUE;
}
