#include "toolkit/docking/CTKDockingPaneLayout.h"

#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CSettingsStore.h"
#include "platform/ui/CWinApp.h"
#include "toolkit/docking/CTKDockingPaneAutoHideStrip.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneMiniWnd.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

#include <algorithm>
#include <set>

namespace {

constexpr const char* kLayoutsSection = "DockingPaneLayouts";
constexpr const char* kSummary = "Summary";
constexpr int kMaxSavedIndex = 0xFFFF;

} // namespace

CTKDockingPaneLayout::CTKDockingPaneLayout(CTKDockingPaneHost* host) : m_host(host)
{
    CreateRoot();
}

void CTKDockingPaneLayout::CreateRoot()
{
    m_client = CreateNode<CTKDockingPaneNode>(CTKDockingPaneNode::kClient, this);
    CWnd* frame = m_host ? m_host->GetFrame() : nullptr;
    m_topGroup = CreateNode<CTKDockingPaneSplitGroup>(m_client, TRUE, frame, this);
}

CTKDockingPaneLayout::~CTKDockingPaneLayout()
{
    Clear();
}

void CTKDockingPaneLayout::Clear()
{
    // A sliding window holds a container window: it goes back first.
    CloseSlideWindows();
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
    m_strips = {};
    m_topGroup = nullptr;
    m_client = nullptr;
}

void CTKDockingPaneLayout::LayoutAll(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params)
{
    for (CTKDockingPaneAutoHideStrip* strip : m_strips) {
        if (strip)
            strip->ReserveBand(frame, &rect, params);
    }
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
    for (int side = 0; side < kSideCount; ++side)
        m_strips[side] = static_cast<CTKDockingPaneAutoHideStrip*>(copyOf(source.m_strips[side]));
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

CTKDockingPaneAutoHideStrip* CTKDockingPaneLayout::GetStrip(int side) const
{
    if (side < 0 || side >= kSideCount)
        return nullptr;
    return m_strips[side];
}

void CTKDockingPaneLayout::SetStrip(int side, CTKDockingPaneAutoHideStrip* strip)
{
    if (side >= 0 && side < kSideCount)
        m_strips[side] = strip;
}

void CTKDockingPaneLayout::CloseSlideWindows()
{
    for (CTKDockingPaneAutoHideStrip* strip : m_strips) {
        if (strip)
            strip->CloseSlideWnd(FALSE);
    }
}

CTKDockingPaneAutoHideStrip* CTKDockingPaneLayout::AutoHide(CTKDockingPaneNode* node)
{
    auto* source = dynamic_cast<CTKDockingPaneTabbedContainer*>(node);
    if (!source)
        return nullptr;
    std::vector<CTKDockingPaneItem*> moving;
    for (CTKDockingPaneItem* pane : source->GetPanes()) {
        if (!(pane->GetOptions() & CTKDockingPaneItem::kNoAutoHide))
            moving.push_back(pane);
    }
    if (moving.empty())
        return nullptr;
    const int side = GetAutoHideSide(source);
    CTKDockingPaneAutoHideStrip* strip = m_strips[side];
    if (!strip) {
        strip = CreateNode<CTKDockingPaneAutoHideStrip>(this, side);
        m_strips[side] = strip;
    }
    CTKDockingPaneItem* selected = source->GetSelected();
    auto* container = CreateNode<CTKDockingPaneTabbedContainer>(nullptr, source->GetFrame(), this);
    container->dockingCX = source->dockingCX;
    container->dockingCY = source->dockingCY;
    CTKDockingPaneItem* select = nullptr;
    for (CTKDockingPaneItem* pane : moving) {
        source->RemoveChild(pane);
        container->AddPane(pane);
        if (pane == selected)
            select = pane;
    }
    container->SelectPane(select ? select : moving.front(), FALSE);
    strip->AddContainer(container);
    return strip;
}

void CTKDockingPaneLayout::DeleteNode(CTKDockingPaneNode* node)
{
    auto it = std::find_if(m_nodes.begin(), m_nodes.end(), [node](const auto& own) { return own.get() == node; });
    if (it != m_nodes.end())
        m_nodes.erase(it);
}

void CTKDockingPaneLayout::PurgeEmptyNodes()
{
    std::set<const CTKDockingPaneNode*> marked;
    for (const PaneEntry& entry : m_entries) {
        marked.insert(entry.dockingHolder);
        marked.insert(entry.floatingHolder);
        marked.insert(entry.pane->GetParentNode());
    }
    std::vector<CTKDockingPaneNode*> containers;
    for (const auto& node : m_nodes) {
        if (node->GetType() == CTKDockingPaneNode::kContainer && !marked.count(node.get()))
            containers.push_back(node.get());
    }
    for (CTKDockingPaneNode* container : containers) {
        if (CTKDockingPaneNode* parent = container->GetParentNode())
            parent->RemoveChild(container);
    }
    std::vector<CTKDockingPaneNode*> purged;
    for (const auto& node : m_nodes) {
        const int type = node->GetType();
        const BOOL unmarkedContainer = type == CTKDockingPaneNode::kContainer && !marked.count(node.get());
        auto* group = dynamic_cast<CTKDockingPaneSplitGroup*>(node.get());
        auto* frame = dynamic_cast<CTKDockingPaneMiniWnd*>(node.get());
        if (unmarkedContainer || (group && group->GetChildren().empty()) || (frame && !frame->GetTopGroup()))
            purged.push_back(node.get());
    }
    // A pane's last holder may be among them: it no longer exists.
    for (PaneEntry& entry : m_entries) {
        if (std::find(purged.begin(), purged.end(), entry.lastHolder) != purged.end())
            entry.lastHolder = nullptr;
    }
    for (CTKDockingPaneNode* node : purged)
        DeleteNode(node);
}

std::string CTKDockingPaneLayout::KeyOf(const std::string& section) const
{
    return m_keyPath + "\\" + section;
}

BOOL CTKDockingPaneLayout::WriteInt(const std::string& section, const std::string& value, int data)
{
    return m_key && m_key->WriteInt(KeyOf(section), value, data);
}

BOOL CTKDockingPaneLayout::WriteString(const std::string& section, const std::string& value, const std::string& text)
{
    return m_key && m_key->WriteString(KeyOf(section), value, text);
}

int CTKDockingPaneLayout::ReadInt(const std::string& section, const std::string& value, int defaultValue) const
{
    return m_key ? m_key->GetInt(KeyOf(section), value, defaultValue) : defaultValue;
}

std::string CTKDockingPaneLayout::ReadString(const std::string& section, const std::string& value,
                                             const std::string& defaultValue) const
{
    return m_key ? m_key->GetString(KeyOf(section), value, defaultValue) : defaultValue;
}

BOOL CTKDockingPaneLayout::WriteToRegistry(const std::string& name)
{
    const CWinApp* app = AfxGetApp();
    const CSettingsStore* store = app ? app->GetProfileStore() : nullptr;
    if (!store) {
        PurgeEmptyNodes();
        return FALSE;
    }
    return WriteToStore(*store, name);
}

BOOL CTKDockingPaneLayout::WriteToStore(const CSettingsStore& store, const std::string& name)
{
    m_key = &store;
    m_keyPath = std::string(kLayoutsSection) + "\\" + name;
    const int oldCount = ReadInt(kSummary, "Panes", 0);
    for (int index = 1; index <= oldCount; ++index)
        store.DeleteSection(KeyOf(CTKDockingPaneNode::IndexName(index)));
    store.DeleteSection(KeyOf(kSummary));
    PurgeEmptyNodes();
    int number = 0;
    for (const auto& node : m_nodes)
        node->savedIndex = ++number;
    for (const auto& node : m_nodes)
        node->SaveToRegistry(this);
    WriteInt(kSummary, "TopContainer", CTKDockingPaneNode::SavedIndexOf(m_topGroup));
    WriteInt(kSummary, "Client", CTKDockingPaneNode::SavedIndexOf(m_client));
    const BOOL written = WriteInt(kSummary, "Panes", number);
    m_key = nullptr;
    return written;
}

CTKDockingPaneNode* CTKDockingPaneLayout::CreateNodeOfType(int type)
{
    switch (type) {
    case CTKDockingPaneNode::kPane:
        return CreateNode<CTKDockingPaneItem>(0, CRect(), this);
    case CTKDockingPaneNode::kContainer:
        return CreateNode<CTKDockingPaneTabbedContainer>(nullptr, nullptr, this);
    case CTKDockingPaneNode::kSplitGroup:
        return CreateNode<CTKDockingPaneSplitGroup>(nullptr, FALSE, nullptr, this);
    case CTKDockingPaneNode::kFloatingFrame:
        return CreateNode<CTKDockingPaneMiniWnd>(nullptr, CRect(), this);
    case CTKDockingPaneNode::kClient:
        return CreateNode<CTKDockingPaneNode>(CTKDockingPaneNode::kClient, this);
    case CTKDockingPaneNode::kAutoHideStrip:
        return CreateNode<CTKDockingPaneAutoHideStrip>(this, 0);
    default:
        return nullptr;
    }
}

BOOL CTKDockingPaneLayout::ReadNodes()
{
    const int count = ReadInt(kSummary, "Panes", 0);
    if (count <= 0 || count > kMaxSavedIndex)
        return FALSE;
    CTKDockingPaneNode::IndexMap nodesByIndex;
    std::vector<CTKDockingPaneNode*> read;
    for (int index = 1; index <= count; ++index) {
        const int type = ReadInt(CTKDockingPaneNode::IndexName(index), "Type", -1);
        CTKDockingPaneNode* node = CreateNodeOfType(type);
        if (!node)
            return FALSE;
        node->savedIndex = index;
        nodesByIndex[static_cast<WORD>(index)] = node;
        read.push_back(node);
    }
    for (CTKDockingPaneNode* node : read) {
        if (!node->LoadFromRegistry(this, nodesByIndex))
            return FALSE;
    }
    auto* top = dynamic_cast<CTKDockingPaneSplitGroup*>(
        CTKDockingPaneNode::LookupIndex(nodesByIndex, ReadInt(kSummary, "TopContainer", 0)));
    CTKDockingPaneNode* client = CTKDockingPaneNode::LookupIndex(nodesByIndex, ReadInt(kSummary, "Client", 0));
    if (!top || top->GetParentNode() || !client || client->GetType() != CTKDockingPaneNode::kClient ||
        !top->ContainsNode(client))
        return FALSE;
    m_topGroup = top;
    m_client = client;
    return TRUE;
}

BOOL CTKDockingPaneLayout::ReadFromStore(const CSettingsStore& store, const std::string& name)
{
    if (!m_isCopy)
        return FALSE;
    Clear();
    m_key = &store;
    m_keyPath = std::string(kLayoutsSection) + "\\" + name;
    const BOOL read = ReadNodes();
    m_key = nullptr;
    if (read)
        return TRUE;
    Clear();
    CreateRoot();
    return FALSE;
}
