#include "toolkit/docking/CTKDockingPaneNode.h"

#include "platform/ui/CFrameWnd.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"

#include <cstdio>

CTKDockingPaneNode::CTKDockingPaneNode(int type, CTKDockingPaneLayout* layout) : m_layout(layout), m_type(type)
{
    if (layout && layout->GetHost())
        m_frame = layout->GetHost()->GetFrame();
}

void CTKDockingPaneNode::Layout(CWnd*, CRect rect, AFX_SIZEPARENTPARAMS* params)
{
    m_rect = rect;
    if (params)
        params->rect = rect;
}

void CTKDockingPaneNode::FindNodes(int type, std::vector<CTKDockingPaneNode*>* out)
{
    if (type == m_type)
        out->push_back(this);
}

BOOL CTKDockingPaneNode::IsEmpty() const
{
    if (m_type != kClient || !m_layout || !m_layout->GetHost())
        return FALSE;
    return m_layout->GetHost()->hideClient;
}

CTKDockingPaneNode* CTKDockingPaneNode::Clone(CTKDockingPaneLayout* dest, CloneMap* map) const
{
    auto* copy = dest->CreateNode<CTKDockingPaneNode>(m_type, dest);
    copy->dockingCX = dockingCX;
    copy->dockingCY = dockingCY;
    (*map)[this] = copy;
    return copy;
}

CRect CTKDockingPaneNode::GetScreenRect() const
{
    CRect rect = m_rect;
    if (m_frame)
        m_frame->ClientToScreen(&rect);
    return rect;
}

void CTKDockingPaneNode::DelayFrameLayout(CWnd* frame)
{
    if (auto* frameWnd = dynamic_cast<CFrameWnd*>(frame))
        frameWnd->DelayRecalcLayout();
}

void CTKDockingPaneNode::SaveToRegistry(CTKDockingPaneLayout* layout)
{
    const std::string key = IndexName(savedIndex);
    layout->WriteInt(key, "Type", m_type);
    layout->WriteInt(key, "DockingCX", dockingCX);
    layout->WriteInt(key, "DockingCY", dockingCY);
}

BOOL CTKDockingPaneNode::LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap&)
{
    const std::string key = IndexName(savedIndex);
    dockingCX = layout->ReadInt(key, "DockingCX", 0);
    dockingCY = layout->ReadInt(key, "DockingCY", 0);
    return TRUE;
}

std::string CTKDockingPaneNode::IndexName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "Pane-%d", index);
    return name;
}

CTKDockingPaneNode* CTKDockingPaneNode::LookupIndex(const IndexMap& nodesByIndex, int index)
{
    if (index <= 0 || index > 0xFFFF)
        return nullptr;
    auto it = nodesByIndex.find(static_cast<WORD>(index));
    return it == nodesByIndex.end() ? nullptr : it->second;
}
