#include "toolkit/docking/CTKDockingPaneAutoHideStrip.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CPaintDC.h"
#include "toolkit/commandbars/draw/CTKDrawingServices.h"
#include "toolkit/docking/CTKDockingPaneAutoHideWnd.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneRenderer.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabLook.h"
#include "toolkit/docking/tabs/CTKTabNavigateButton.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

#include <algorithm>

namespace {

constexpr DWORD kStripStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

} // namespace

CTKDockingPaneAutoHideStrip::CStripTabSet::CStripTabSet(CTKDockingPaneAutoHideStrip* strip,
                                                        CTKDockingPaneTabbedContainer* container)
    : m_strip(strip), m_container(container)
{
    FindNavigateButton(CTKTabNavigateButton::kScrollStart)->SetMode(CTKTabNavigateButton::kHidden);
    FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->SetMode(CTKTabNavigateButton::kHidden);
}

CTKTabRenderer* CTKDockingPaneAutoHideStrip::CStripTabSet::GetRenderer() const
{
    CTKDockingPaneRenderer* renderer = m_strip->Renderer();
    return renderer ? renderer->GetStripTabRenderer() : nullptr;
}

void CTKDockingPaneAutoHideStrip::CStripTabSet::Redraw()
{
    if (m_strip->IsWindow())
        m_strip->Invalidate(FALSE);
}

BOOL CTKDockingPaneAutoHideStrip::CStripTabSet::DrawTabIcon(CDC* dc, int x, int y, CTKTabItem* tab, BOOL draw)
{
    const CTKDockingPaneItem* pane = tab ? GetPaneAt(tab->GetIndex()) : nullptr;
    return pane ? pane->DrawTabIcon(GetRenderer(), dc, x, y, draw) : FALSE;
}

int CTKDockingPaneAutoHideStrip::CStripTabSet::GetPosition() const
{
    return TabPositionOfSide(m_strip->GetSide());
}

CTKDockingPaneItem* CTKDockingPaneAutoHideStrip::CStripTabSet::GetPaneAt(int index) const
{
    return m_container->GetPaneAt(index);
}

CTKDockingPaneAutoHideStrip::CTKDockingPaneAutoHideStrip(CTKDockingPaneLayout* layout, int side)
    : CTKDockingPaneNode(kAutoHideStrip, layout), m_side(side), m_hover(this)
{
    static const CMsgEntry<CTKDockingPaneAutoHideStrip> table[] = {
        {WM_MOUSEHOVER, &CTKDockingPaneAutoHideStrip::OnMouseHover},
    };
    AddMessageTable(table);
}

CTKDockingPaneAutoHideStrip::~CTKDockingPaneAutoHideStrip()
{
    CloseSlideWnd(FALSE);
    if (IsWindow())
        DestroyWindow();
    m_tabGroups.clear();
}

int CTKDockingPaneAutoHideStrip::TabPositionOfSide(int side)
{
    static const int positions[] = {CTKTabRenderer::kRight, CTKTabRenderer::kLeft, CTKTabRenderer::kBottom,
                                    CTKTabRenderer::kTop};
    if (side < 0 || side >= CTKDockingPaneLayout::kSideCount)
        return CTKTabRenderer::kTop;
    return positions[side];
}

CTKDockingPaneHost* CTKDockingPaneAutoHideStrip::Host() const
{
    return GetLayout() ? GetLayout()->GetHost() : nullptr;
}

CTKDockingPaneRenderer* CTKDockingPaneAutoHideStrip::Renderer() const
{
    return Host() ? Host()->GetRenderer() : nullptr;
}

void CTKDockingPaneAutoHideStrip::AddContainer(CTKDockingPaneTabbedContainer* container)
{
    if (!container)
        return;
    CWnd* focus = CWnd::GetFocus();
    const BOOL hadFocus = focus && container->IsWindow() && (focus == container || container->isAncestorOf(focus));
    m_containers.push_back(container);
    container->SetParentContainer(this);
    container->SetParentFrame(GetFrame());
    DelayFrameLayout(GetFrame());
    container->OnAttached(this);
    if (hadFocus && GetFrame())
        GetFrame()->SetFocus();
    // A frame that takes no focus itself still takes it away from the hidden pane.
    if (CWnd* still = CWnd::GetFocus(); hadFocus && still && (still == container || container->isAncestorOf(still)))
        still->clearFocus();
    if (IsWindow())
        Invalidate(FALSE);
}

void CTKDockingPaneAutoHideStrip::RemoveChild(CTKDockingPaneNode* node)
{
    auto it = std::find(m_containers.begin(), m_containers.end(), node);
    if (it == m_containers.end())
        return;
    m_containers.erase(it);
    if (IsWindow())
        Invalidate(FALSE);
    DelayFrameLayout(GetFrame());
    if (m_containers.empty() && IsWindow()) {
        CloseSlideWnd(FALSE);
        DestroyWindow();
    }
    node->SetParentContainer(nullptr);
}

BOOL CTKDockingPaneAutoHideStrip::IsEmpty() const
{
    return std::all_of(m_containers.begin(), m_containers.end(),
                       [](const CTKDockingPaneTabbedContainer* container) { return container->IsEmpty(); });
}

void CTKDockingPaneAutoHideStrip::OnChildChanged(CTKDockingPaneNode*)
{
    if (m_slideWnd)
        CloseSlideWnd(Host() ? Host()->redocking : FALSE);
}

void CTKDockingPaneAutoHideStrip::FindNodes(int type, std::vector<CTKDockingPaneNode*>* out)
{
    for (CTKDockingPaneTabbedContainer* container : m_containers) {
        if (container->IsEmpty())
            continue;
        if (container->GetType() == type)
            out->push_back(container);
        else
            container->FindNodes(type, out);
    }
}

BOOL CTKDockingPaneAutoHideStrip::ContainsNode(const CTKDockingPaneNode* node) const
{
    if (node == this)
        return TRUE;
    return std::any_of(m_containers.begin(), m_containers.end(),
                       [node](const CTKDockingPaneTabbedContainer* container) { return container->ContainsNode(node); });
}

CTKDockingPaneNode* CTKDockingPaneAutoHideStrip::Clone(CTKDockingPaneLayout* dest, CloneMap* map) const
{
    auto* copy = dest->CreateNode<CTKDockingPaneAutoHideStrip>(dest, m_side);
    copy->dockingCX = dockingCX;
    copy->dockingCY = dockingCY;
    (*map)[this] = copy;
    for (CTKDockingPaneTabbedContainer* container : m_containers)
        copy->AddContainer(static_cast<CTKDockingPaneTabbedContainer*>(container->Clone(dest, map)));
    return copy;
}

void CTKDockingPaneAutoHideStrip::SaveToRegistry(CTKDockingPaneLayout* layout)
{
    CTKDockingPaneNode::SaveToRegistry(layout);
    const std::string key = IndexName(savedIndex);
    layout->WriteInt(key, "Direction", m_side);
    int number = 0;
    for (CTKDockingPaneTabbedContainer* container : m_containers)
        layout->WriteInt(key, IndexName(++number), container->savedIndex);
    layout->WriteInt(key, "Panes", number);
}

BOOL CTKDockingPaneAutoHideStrip::LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex)
{
    CTKDockingPaneNode::LoadFromRegistry(layout, nodesByIndex);
    const std::string key = IndexName(savedIndex);
    const int side = layout->ReadInt(key, "Direction", 0);
    if (side < 0 || side >= CTKDockingPaneLayout::kSideCount || layout->GetStrip(side))
        return FALSE;
    m_side = side;
    const int count = layout->ReadInt(key, "Panes", 0);
    for (int number = 1; number <= count; ++number) {
        CTKDockingPaneNode* node = LookupIndex(nodesByIndex, layout->ReadInt(key, IndexName(number), 0));
        if (!node || node->GetType() != kContainer || node->GetParentNode())
            return FALSE;
        AddContainer(static_cast<CTKDockingPaneTabbedContainer*>(node));
    }
    layout->SetStrip(side, this);
    return TRUE;
}

int CTKDockingPaneAutoHideStrip::GetThickness() const
{
    CTKDockingPaneRenderer* renderer = Renderer();
    CTKTabLook* look = renderer && renderer->GetStripTabRenderer() ? renderer->GetStripTabRenderer()->GetLook() : nullptr;
    if (!look)
        return 0;
    const CRect margins = look->GetTabAreaMargins();
    return look->GetHeaderHeight(nullptr) + margins.top + margins.bottom;
}

void CTKDockingPaneAutoHideStrip::ReserveBand(CWnd* frame, CRect* rect, AFX_SIZEPARENTPARAMS* params)
{
    if (IsEmpty()) {
        if (IsWindow())
            DestroyWindow();
        return;
    }
    if (!IsWindow() && GetLayout() && !GetLayout()->IsCopy()) {
        setMouseTracking(true);
        Create(frame, CRect(), 0, kStripStyle);
    }
    CloseSlideWnd(FALSE);
    const int thickness = GetThickness();
    CRect band = *rect;
    switch (m_side) {
    case 0:
        band.right = band.left + thickness;
        rect->left += thickness;
        break;
    case 1:
        band.left = band.right - thickness;
        rect->right -= thickness;
        break;
    case 2:
        band.bottom = band.top + thickness;
        rect->top += thickness;
        break;
    default:
        band.top = band.bottom - thickness;
        rect->bottom -= thickness;
        break;
    }
    SetRect(band);
    LayoutTabGroups(CRect(0, 0, band.Width(), band.Height()));
    if (params && IsWindow()) {
        MoveWindow(band, TRUE);
        Invalidate(FALSE);
    }
}

void CTKDockingPaneAutoHideStrip::LayoutTabGroups(const CRect& band)
{
    m_tabGroups.clear();
    CTKDockingPaneRenderer* renderer = Renderer();
    CTKTabRenderer* tabs = renderer ? renderer->GetStripTabRenderer() : nullptr;
    if (!tabs || !tabs->GetLook())
        return;
    const BOOL alongX = m_side == 2 || m_side == 3;
    int start = 0;
    if (!alongX && GetLayout()) {
        CTKDockingPaneAutoHideStrip* top = GetLayout()->GetStrip(2);
        if (top && !top->IsEmpty())
            start = top->GetThickness();
    }
    const CRect margins = tabs->GetLook()->GetTabAreaMargins();
    for (CTKDockingPaneTabbedContainer* container : m_containers) {
        if (container->IsEmpty())
            continue;
        auto group = std::make_unique<CStripTabSet>(this, container);
        for (CTKDockingPaneItem* pane : container->GetPanes()) {
            CTKTabItem* tab = group->InsertTab(-1, nullptr);
            tab->SetCaption(pane->GetTabCaption());
            tab->SetColor(CTKDockingPaneTabbedContainer::TabColorForId(static_cast<int>(pane->GetId())));
            if (pane == container->GetSelected())
                group->SetSelectedTab(tab);
        }
        CRect place = band;
        if (alongX)
            place.left = start;
        else
            place.top = start;
        tabs->RepositionTabs(group.get(), nullptr, place);
        start += group->GetTotalTabLength() + margins.left + margins.right + kGroupGap;
        m_tabGroups.push_back(std::move(group));
    }
}

CTKDockingPaneAutoHideStrip::CStripTabSet* CTKDockingPaneAutoHideStrip::GetTabGroup(int index) const
{
    if (index < 0 || index >= GetTabGroupCount())
        return nullptr;
    return m_tabGroups[static_cast<std::size_t>(index)].get();
}

CTKDockingPaneItem* CTKDockingPaneAutoHideStrip::HitTestPane(int x, int y) const
{
    for (const auto& group : m_tabGroups) {
        if (CTKTabItem* tab = group->HitTest(x, y))
            return group->GetPaneAt(tab->GetIndex());
    }
    return nullptr;
}

CTKDockingPaneItem* CTKDockingPaneAutoHideStrip::GetShownPane() const
{
    if (!m_slideWnd || !m_slideWnd->GetContainer())
        return nullptr;
    return m_slideWnd->GetContainer()->GetSelected();
}

void CTKDockingPaneAutoHideStrip::ClearSlideWnd(const CTKDockingPaneAutoHideWnd* wnd)
{
    if (m_slideWnd == wnd)
        m_slideWnd = nullptr;
}

void CTKDockingPaneAutoHideStrip::CloseSlideWnd(BOOL delayed)
{
    if (!m_slideWnd)
        return;
    CTKDockingPaneAutoHideWnd* wnd = m_slideWnd;
    m_slideWnd = nullptr;
    if (delayed) {
        wnd->DetachContainer();
        wnd->SetTimer(CTKDockingPaneAutoHideWnd::kTimerClose, CTKDockingPaneAutoHideWnd::kCloseDelayMs);
        return;
    }
    wnd->Hide();
}

void CTKDockingPaneAutoHideStrip::SlideOut(CTKDockingPaneItem* pane, BOOL focus)
{
    CTKDockingPaneTabbedContainer* container = pane ? pane->GetContainer() : nullptr;
    if (!container || container->GetParentNode() != this || !GetFrame())
        return;
    container->SelectPane(pane, focus);
    if (IsWindow())
        Invalidate(FALSE);
    // The window deletes itself once it has closed.
    auto* wnd = new CTKDockingPaneAutoHideWnd(this, container);
    if (focus)
        pane->SetFocus();
    if (auto* frame = dynamic_cast<CFrameWnd*>(GetFrame()))
        frame->RecalcLayout();
    m_slideWnd = wnd;
}

void CTKDockingPaneAutoHideStrip::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    CWnd::GetClientRect(&client);
    CTKDockingPaneRenderer* renderer = Renderer();
    CTKTabRenderer* tabs = renderer ? renderer->GetStripTabRenderer() : nullptr;
    CTKTabColorSet* colors = tabs ? tabs->GetColorSet() : nullptr;
    if (!colors)
        return;
    const CTKColorPair pair = colors->secondGradient;
    if (m_side == 1 || pair.first == pair.second) {
        dc.FillSolidRect(client, pair.second);
    } else {
        CRect wide = client;
        wide.right = wide.left + std::max(client.Width(), CSystemMetrics::Instance().GetMetric(SM_CXFULLSCREEN) / 2);
        GradientFillRectPair(&dc, &wide, &pair, TRUE);
    }
    for (const auto& group : m_tabGroups)
        tabs->DrawTabSet(&dc, group->GetWholeRect(), group.get());
}

BOOL CTKDockingPaneAutoHideStrip::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKDockingPaneAutoHideStrip::OnMouseMove(UINT flags, CPoint point)
{
    for (const auto& group : m_tabGroups)
        group->OnMouseMove(this, point.x, point.y);
    if (HitTestPane(point.x, point.y))
        m_hover.Track(flags, point);
    else
        m_hover.Cancel();
    CWnd::OnMouseMove(flags, point);
}

void CTKDockingPaneAutoHideStrip::OnMouseLeave()
{
    m_hover.Cancel();
    for (const auto& group : m_tabGroups)
        group->OnMouseMove(this, -1, -1);
}

void CTKDockingPaneAutoHideStrip::OnTimer(UINT_PTR id)
{
    if (m_hover.OnTimer(id))
        return;
    CWnd::OnTimer(id);
}

LRESULT CTKDockingPaneAutoHideStrip::OnMouseHover(WPARAM, LPARAM lParam)
{
    CTKDockingPaneItem* pane = HitTestPane(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const BOOL active = window()->isActiveWindow();
    if (pane && active && pane != GetShownPane()) {
        CloseSlideWnd(FALSE);
        SlideOut(pane, FALSE);
    }
    return 1;
}

void CTKDockingPaneAutoHideStrip::OnLButtonDown(UINT flags, CPoint point)
{
    CTKDockingPaneItem* pane = HitTestPane(point.x, point.y);
    if (!pane) {
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    if (pane == GetShownPane()) {
        pane->SetFocus();
        return;
    }
    CloseSlideWnd(FALSE);
    SlideOut(pane, TRUE);
}

CTKDockingPaneAutoHideWnd* CTKDockingPaneAutoHideStrip::GetSlideWnd() const
{
    return m_slideWnd;
}
