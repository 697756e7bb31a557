#include "toolkit/docking/CTKDockingPaneHost.h"

#include "platform/ui/CFrameWnd.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/docking/CTKDockingPaneAutoHideStrip.h"
#include "toolkit/docking/CTKDockingPaneAutoHideWnd.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneMiniWnd.h"
#include "toolkit/docking/CTKDockingPaneRenderer.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

CTKDockingPaneHost::CTKDockingPaneHost() : m_images(std::make_unique<CTKCommandImages>())
{
    static const CMsgEntry<CTKDockingPaneHost> table[] = {
        {WM_SYSCOLORCHANGE, &CTKDockingPaneHost::OnSysColorChange},
        {WM_SETTINGCHANGE, &CTKDockingPaneHost::OnSettingChange},
    };
    AddMessageTable(table);
    SetStyle(CTKDockingPaneRenderer::kTypeSystem);
}

LRESULT CTKDockingPaneHost::OnSysColorChange(WPARAM, LPARAM)
{
    CTKSystemColors::Instance().RefreshColors(FALSE);
    if (m_renderer)
        m_renderer->RefreshMetrics();
    RecalcFrames();
    return 0;
}

LRESULT CTKDockingPaneHost::OnSettingChange(WPARAM, LPARAM)
{
    if (m_renderer)
        m_renderer->RefreshMetrics();
    RecalcFrames();
    return 0;
}

CTKDockingPaneHost::~CTKDockingPaneHost()
{
    m_layout.reset();
    m_images->RemoveAll();
}

BOOL CTKDockingPaneHost::AttachToFrame(CFrameWnd* frame)
{
    if (m_frame || !frame)
        return FALSE;
    m_frame = frame;
    if (!Create(frame, CRect(), 0, WS_CHILD))
        return FALSE;
    m_layout = std::make_unique<CTKDockingPaneLayout>(this);
    m_layout->SetCopy(FALSE);
    return TRUE;
}

CTKDockingPaneItem* CTKDockingPaneHost::NewPane(UINT id, const CRect& rect, int direction,
                                                CTKDockingPaneNode* neighbour)
{
    if (!m_layout)
        return nullptr;
    auto* pane = m_layout->CreateNode<CTKDockingPaneItem>(id, rect, m_layout.get());
    m_layout->AddEntry(pane);
    DockNode(pane, direction, neighbour);
    UpdateHolders();
    return pane;
}

void CTKDockingPaneHost::PlacePane(CTKDockingPaneNode* node, CTKDockingPaneNode* target)
{
    AttachToContainer(node, target);
    UpdateHolders();
}

void CTKDockingPaneHost::DockNode(CTKDockingPaneNode* node, int direction, CTKDockingPaneNode* neighbour)
{
    if (!m_layout || !node)
        return;
    if (!neighbour)
        neighbour = m_layout->GetTopGroup();
    const BOOL horizontal = direction == kDockLeft || direction == kDockRight;
    const BOOL after = direction == kDockRight || direction == kDockBottom;
    if (node->GetType() == CTKDockingPaneNode::kPane) {
        node = m_layout->CreateNode<CTKDockingPaneTabbedContainer>(static_cast<CTKDockingPaneItem*>(node),
                                                                   neighbour->GetFrame(), m_layout.get());
    }
    CTKDockingPaneSplitGroup* top = m_layout->GetTopGroup();
    if (neighbour == top) {
        if (top->IsHorizontal() == horizontal) {
            top->InsertChild(node, nullptr, after);
        } else {
            auto* group = m_layout->CreateNode<CTKDockingPaneSplitGroup>(top, horizontal, top->GetFrame(),
                                                                         m_layout.get());
            m_layout->SetTopGroup(group);
            group->InsertChild(node, nullptr, after);
        }
        CTKDockingPaneNode::DelayFrameLayout(neighbour->GetFrame());
        return;
    }
    if (neighbour->GetType() == CTKDockingPaneNode::kPane && neighbour->GetParentNode())
        neighbour = neighbour->GetParentNode();
    auto* parent = dynamic_cast<CTKDockingPaneSplitGroup*>(neighbour->GetParentNode());
    if (!parent)
        return;
    if (parent->IsHorizontal() == horizontal) {
        parent->InsertChild(node, neighbour, after);
    } else {
        auto* group = m_layout->CreateNode<CTKDockingPaneSplitGroup>(neighbour, horizontal, parent->GetFrame(),
                                                                     m_layout.get());
        parent->ReplaceChild(neighbour, group);
        group->InsertChild(node, neighbour, after);
    }
    CTKDockingPaneNode::DelayFrameLayout(neighbour->GetFrame());
}

void CTKDockingPaneHost::MoveNode(CTKDockingPaneNode* node, int direction, CTKDockingPaneNode* neighbour)
{
    if (!m_layout || !node || node == neighbour)
        return;
    Detach(node);
    if (auto* container = dynamic_cast<CTKDockingPaneTabbedContainer*>(node)) {
        // The container window goes back to the host's frame with its panes.
        container->SetParentFrame(m_frame);
    }
    DockNode(node, direction, neighbour);
}

void CTKDockingPaneHost::AttachToContainer(CTKDockingPaneNode* node, CTKDockingPaneNode* target)
{
    if (!node || !target)
        return;
    if (target->GetType() == CTKDockingPaneNode::kPane)
        target = target->GetParentNode();
    auto* container = dynamic_cast<CTKDockingPaneTabbedContainer*>(target);
    if (!container)
        return;
    std::vector<CTKDockingPaneNode*> panes;
    if (node->GetType() == CTKDockingPaneNode::kPane)
        panes.push_back(node);
    else
        node->FindNodes(CTKDockingPaneNode::kPane, &panes);
    for (CTKDockingPaneNode* each : panes) {
        auto* pane = static_cast<CTKDockingPaneItem*>(each);
        if (pane->GetParentNode() == container)
            continue;
        if (CTKDockingPaneNode* old = pane->GetParentNode())
            old->RemoveChild(pane);
        container->AddPane(pane);
    }
}

void CTKDockingPaneHost::Detach(CTKDockingPaneNode* node)
{
    if (CTKDockingPaneNode* parent = node->GetParentNode())
        parent->RemoveChild(node);
}

CTKDockingPaneMiniWnd* CTKDockingPaneHost::FloatNode(CTKDockingPaneNode* node, const CRect& rect)
{
    if (!m_layout || !node)
        return nullptr;
    Detach(node);
    return m_layout->CreateNode<CTKDockingPaneMiniWnd>(node, rect, m_layout.get());
}

void CTKDockingPaneHost::OpenPane(CTKDockingPaneItem* pane)
{
    if (!pane || !m_layout)
        return;
    if (CTKDockingPaneTabbedContainer* container = pane->GetContainer()) {
        container->SelectPane(pane, TRUE);
        if (auto* strip = dynamic_cast<CTKDockingPaneAutoHideStrip*>(container->GetParentNode());
            strip && strip->GetShownPane() != pane) {
            strip->CloseSlideWnd(FALSE);
            strip->SlideOut(pane, TRUE);
        }
    } else {
        CTKDockingPaneLayout::PaneEntry* entry = m_layout->FindEntry(pane);
        auto* holder = entry ? dynamic_cast<CTKDockingPaneTabbedContainer*>(entry->lastHolder) : nullptr;
        if (!holder)
            return;
        holder->AddPane(pane);
    }
    pane->SetFocus();
}

void CTKDockingPaneHost::OpenPaneById(UINT id)
{
    OpenPane(FindPane(id));
}

void CTKDockingPaneHost::ClosePane(CTKDockingPaneItem* pane)
{
    if (!pane)
        return;
    if (Notify(kNotifyClosing, reinterpret_cast<LPARAM>(pane)) == kVeto)
        return;
    if (CTKDockingPaneNode* container = pane->GetParentNode())
        container->RemoveChild(pane);
}

void CTKDockingPaneHost::AutoHidePane(CTKDockingPaneNode* node)
{
    if (!node || !m_layout)
        return;
    if (node->GetType() == CTKDockingPaneNode::kPane)
        node = node->GetParentNode();
    if (!node || !node->GetParentNode())
        return;
    if (auto* strip = dynamic_cast<CTKDockingPaneAutoHideStrip*>(node->GetParentNode())) {
        strip->CloseSlideWnd(FALSE);
        return;
    }
    m_layout->AutoHide(node);
    CTKDockingPaneNode::DelayFrameLayout(m_frame);
}

void CTKDockingPaneHost::CopyLayoutTo(CTKDockingPaneLayout* dest) const
{
    if (dest && m_layout)
        dest->CopyFrom(*m_layout);
}

void CTKDockingPaneHost::CloseAllPanes()
{
    if (!m_layout)
        return;
    std::vector<CTKDockingPaneItem*> panes;
    for (const auto& entry : m_layout->GetEntries())
        panes.push_back(entry.pane);
    for (CTKDockingPaneItem* pane : panes)
        pane->Close();
}

CTKDockingPaneItem* CTKDockingPaneHost::FindPane(UINT id) const
{
    if (!m_layout)
        return nullptr;
    for (const auto& entry : m_layout->GetEntries()) {
        if (entry.pane->GetId() == id)
            return entry.pane;
    }
    return nullptr;
}

BOOL CTKDockingPaneHost::SetStyle(int type)
{
    if (m_renderer && m_renderer->GetType() == type)
        return TRUE;
    std::unique_ptr<CTKDockingPaneRenderer> renderer = CTKDockingPaneRenderer::CreateOfType(type);
    if (!renderer)
        return FALSE;
    m_renderer = std::move(renderer);
    RecalcFrames();
    return TRUE;
}

int CTKDockingPaneHost::GetStyleType() const
{
    return m_renderer ? m_renderer->GetType() : -1;
}

BOOL CTKDockingPaneHost::IsFloating(const CTKDockingPaneItem* pane)
{
    CTKDockingPaneTabbedContainer* container = pane->GetContainer();
    if (!container)
        return FALSE;
    CWnd* frame = container->GetFrame();
    return dynamic_cast<CTKDockingPaneMiniWnd*>(frame) || dynamic_cast<CTKDockingPaneAutoHideWnd*>(frame);
}

CTKDockingPaneNode* CTKDockingPaneHost::GetHolder(CTKDockingPaneItem* pane, BOOL docked)
{
    CTKDockingPaneLayout::PaneEntry* entry = m_layout ? m_layout->FindEntry(pane) : nullptr;
    if (!entry)
        return nullptr;
    return docked ? entry->floatingHolder : entry->dockingHolder;
}

void CTKDockingPaneHost::ToggleDocking(CTKDockingPaneNode* node)
{
    if (!node)
        return;
    if (node->GetType() == CTKDockingPaneNode::kPane) {
        auto* pane = static_cast<CTKDockingPaneItem*>(node);
        TogglePaneDocking(pane, GetHolder(pane, !IsFloating(pane)));
        return;
    }
    std::vector<CTKDockingPaneNode*> panes;
    node->FindNodes(CTKDockingPaneNode::kPane, &panes);
    UINT remembered = 0;
    if (auto* container = dynamic_cast<CTKDockingPaneTabbedContainer*>(node); container && container->GetSelected())
        remembered = container->GetSelected()->GetId();
    for (CTKDockingPaneNode* each : panes) {
        auto* pane = static_cast<CTKDockingPaneItem*>(each);
        if (pane->HasFocus())
            remembered = pane->GetId();
    }
    CTKDockingPaneNode* previousOwn = nullptr;
    for (CTKDockingPaneNode* each : panes) {
        auto* pane = static_cast<CTKDockingPaneItem*>(each);
        CTKDockingPaneNode* holder = GetHolder(pane, !IsFloating(pane));
        const BOOL own = holder != nullptr;
        if (!holder)
            holder = previousOwn;
        previousOwn = own ? holder : nullptr;
        if (!TogglePaneDocking(pane, holder) && pane->GetId() == remembered)
            remembered = 0;
    }
    if (remembered > 0)
        OpenPaneById(remembered);
}

BOOL CTKDockingPaneHost::TogglePaneDocking(CTKDockingPaneItem* pane, CTKDockingPaneNode* holder)
{
    const BOOL floating = IsFloating(pane);
    if (!floating && (pane->GetOptions() & CTKDockingPaneItem::kNoFloat))
        return FALSE;
    if (NotifyAction(floating ? kActionDocking : kActionFloating, pane, holder))
        return FALSE;
    if (holder) {
        redocking = TRUE;
        AttachToContainer(pane, holder);
        redocking = FALSE;
    } else {
        CTKDockingPaneTabbedContainer* container = pane->GetContainer();
        const CRect rect = container ? container->GetScreenRect() : CRect();
        FloatNode(pane, rect);
    }
    UpdateHolders();
    NotifyAction(floating ? kActionDocked : kActionFloated, pane, holder);
    return TRUE;
}

void CTKDockingPaneHost::UpdateHolders()
{
    if (!m_layout)
        return;
    for (auto& entry : m_layout->GetEntries()) {
        CTKDockingPaneTabbedContainer* container = entry.pane->GetContainer();
        if (!container || !container->GetFrame())
            continue;
        CTKDockingPaneNode* parent = container->GetParentNode();
        if (parent && parent->GetType() == CTKDockingPaneNode::kAutoHideStrip)
            continue;
        if (IsFloating(entry.pane))
            entry.floatingHolder = container;
        else
            entry.dockingHolder = container;
        entry.lastHolder = container;
    }
}

LRESULT CTKDockingPaneHost::Notify(WPARAM kind, LPARAM lParam)
{
    return m_frame ? m_frame->SendMessage(kPaneNotify, kind, lParam) : 0;
}

BOOL CTKDockingPaneHost::NotifyAction(int action, CTKDockingPaneItem* pane, CTKDockingPaneNode* target, int extra)
{
    CTKDockingPaneAction record;
    record.action = action;
    record.pane = pane;
    record.target = target;
    record.extra = extra;
    Notify(kNotifyAction, reinterpret_cast<LPARAM>(&record));
    return record.cancel != 0;
}

void CTKDockingPaneHost::RecalcFrames()
{
    if (!IsWindow() || !m_layout)
        return;
    for (const auto& entry : m_layout->GetEntries()) {
        if (CTKDockingPaneTabbedContainer* container = entry.pane->GetContainer()) {
            CTKDockingPaneNode::DelayFrameLayout(container->GetFrame());
            container->Invalidate();
        }
    }
}

LRESULT CTKDockingPaneHost::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* params = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!m_layout || !m_layout->GetTopGroup() || !params)
        return 0;
    m_layout->LayoutAll(m_frame, params->rect, params);
    UpdateHolders();
    return 0;
}

void CTKDockingPaneHost::OnIdleUpdateCmdUI(BOOL)
{
    if (!m_layout)
        return;
    for (const auto& entry : m_layout->GetEntries())
        entry.pane->UpdateIdle();
}
