#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/docking/CTKDockingPaneAutoHideWnd.h"
#include "toolkit/docking/CTKDockingPaneDragTracker.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneMiniWnd.h"
#include "toolkit/docking/CTKDockingPaneRenderer.h"
#include "toolkit/docking/tabs/CTKTabItem.h"

#include <algorithm>

namespace {

constexpr DWORD kContainerStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// The title band reaches this far below the caption text band.
constexpr int kTitleExtra = 3;

} // namespace

CTKDockingPaneTabbedContainer::CTKDockingPaneTabbedContainer(CTKDockingPaneItem* pane, CWnd* frame,
                                                             CTKDockingPaneLayout* layout)
    : CTKDockingPaneNode(kContainer, layout),
      m_closeButton(CTKDockingPaneCaptionButton::kCloseGlyph, this),
      m_pinButton(CTKDockingPaneCaptionButton::kPinGlyph, this)
{
    CTKDockingPaneNode::SetParentFrame(frame);
    if (!pane)
        return;
    dockingCX = pane->dockingCX;
    dockingCY = pane->dockingCY;
    AddPane(pane);
    SelectPane(pane, TRUE);
}

CTKDockingPaneTabbedContainer::~CTKDockingPaneTabbedContainer()
{
    // The panes' windows belong to the application, not to this window.
    for (CTKDockingPaneItem* pane : m_panes)
        pane->SetParentContainer(nullptr);
}

COLORREF CTKDockingPaneTabbedContainer::TabColorForId(int id)
{
    return kAutoColorFirst + id % kAutoColorCount;
}

CTKDockingPaneHost* CTKDockingPaneTabbedContainer::Host() const
{
    return GetLayout() ? GetLayout()->GetHost() : nullptr;
}

CTKDockingPaneRenderer* CTKDockingPaneTabbedContainer::Renderer() const
{
    return Host() ? Host()->GetRenderer() : nullptr;
}

BOOL CTKDockingPaneTabbedContainer::IsLive() const
{
    return GetLayout() && !GetLayout()->IsCopy() && GetFrame();
}

void CTKDockingPaneTabbedContainer::CreateContainerWindow()
{
    SetClassStyle(CS_DBLCLKS);
    EnableToolTips(TRUE);
    setMouseTracking(true);
    Create(GetFrame(), CRect(), 0, kContainerStyle);
}

void CTKDockingPaneTabbedContainer::AddPane(CTKDockingPaneItem* pane)
{
    if (!pane)
        return;
    if (!IsWindow() && IsLive())
        CreateContainerWindow();
    m_panes.push_back(pane);
    pane->SetParentContainer(this);
    pane->CTKDockingPaneNode::SetParentFrame(GetFrame());
    DelayFrameLayout(GetFrame());
    SelectPane(pane, TRUE);
    RebuildTabs();
    if (GetParentNode())
        GetParentNode()->OnChildChanged(this);
}

void CTKDockingPaneTabbedContainer::RemoveChild(CTKDockingPaneNode* node)
{
    auto it = std::find(m_panes.begin(), m_panes.end(), node);
    if (it == m_panes.end())
        return;
    auto* pane = *it;
    m_panes.erase(it);
    RebuildTabs();
    pane->SetParentContainer(nullptr);
    if (GetParentNode())
        GetParentNode()->OnChildChanged(this);
    if (m_panes.empty() && IsWindow())
        DestroyWindow();
    DelayFrameLayout(GetFrame());
    if (pane == m_selected)
        SelectPane(m_panes.empty() ? nullptr : m_panes.back(), TRUE);
}

void CTKDockingPaneTabbedContainer::SelectPane(CTKDockingPaneItem* pane, BOOL focus)
{
    m_selected = pane;
    RebuildTabs();
    DelayFrameLayout(GetFrame());
    if (GetParentNode())
        GetParentNode()->OnChildChanged(this);
    if (focus && pane)
        pane->SetFocus();
}

void CTKDockingPaneTabbedContainer::RebuildTabs()
{
    if (!IsWindow())
        return;
    ++m_layoutLock;
    RemoveAllTabs();
    for (CTKDockingPaneItem* pane : m_panes) {
        CTKTabItem* tab = InsertTab(-1, nullptr);
        tab->SetCaption(pane->GetTabCaption());
        tab->SetColor(TabColorForId(static_cast<int>(pane->GetId())));
        tab->SetHandle(pane->GetHostedWindow());
        if (pane == m_selected)
            CTKTabSet::SetSelectedTab(tab);
    }
    m_closeButton.ClearHot();
    m_pinButton.ClearHot();
    --m_layoutLock;
}

CRect CTKDockingPaneTabbedContainer::GetPaneArea()
{
    CRect area;
    CWnd::GetClientRect(&area);
    if (CTKDockingPaneRenderer* renderer = Renderer())
        renderer->RepositionContainer(this, &area);
    return area;
}

int CTKDockingPaneTabbedContainer::HitTest(int x, int y) const
{
    CRect client;
    CWnd::GetClientRect(&client);
    const CPoint point(x, y);
    if (m_tabsVisible) {
        if (CTKTabItem* tab = CTKTabSet::HitTest(x, y))
            return tab->GetIndex();
    }
    CTKDockingPaneRenderer* renderer = Renderer();
    if (m_captionKind == kCaptionFloating || !m_captionVisible || !renderer || !client.PtInRect(point))
        return -1;
    CRect below = client;
    renderer->AdjustCaptionRect(this, &below);
    return y < below.top ? kHitCaption : -1;
}

CTKDockingPaneItem* CTKDockingPaneTabbedContainer::GetPaneAt(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_panes.size()))
        return nullptr;
    return m_panes[static_cast<std::size_t>(index)];
}

std::string CTKDockingPaneTabbedContainer::GetCaption() const
{
    return m_selected ? m_selected->GetCaption() : std::string();
}

void CTKDockingPaneTabbedContainer::SetCaptionVisible(BOOL visible)
{
    m_captionVisible = visible;
    DelayFrameLayout(GetFrame());
}

void CTKDockingPaneTabbedContainer::UpdateButtonTip(CTKDockingPaneCaptionButton*)
{
    // OnToolHitTest reads the buttons' rectangles when a tip is wanted.
}

INT_PTR CTKDockingPaneTabbedContainer::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    struct Tip {
        const CTKDockingPaneCaptionButton* button;
        UINT text;
    };
    const Tip tips[] = {{&m_pinButton, kTipAutoHide}, {&m_closeButton, kTipClose}};
    for (const Tip& tip : tips) {
        if (tip.button->GetRect().IsRectEmpty() || !tip.button->GetRect().PtInRect(point))
            continue;
        if (info) {
            info->uId = tip.text;
            info->rect = tip.button->GetRect();
            info->text = CResourceStore::Instance().LoadString(tip.text);
        }
        return tip.text;
    }
    return -1;
}

void CTKDockingPaneTabbedContainer::SetParentFrame(CWnd* frame)
{
    CTKDockingPaneNode::SetParentFrame(frame);
    if (IsWindow() && frame && GetParent() != frame)
        SetParent(frame);
}

void CTKDockingPaneTabbedContainer::OnAttached(CTKDockingPaneNode* parent)
{
    SetParentFrame(parent->GetFrame());
    const BOOL strip = parent->GetType() == kAutoHideStrip;
    m_captionVisible = TRUE;
    if (strip && IsWindow())
        ShowWindow(SW_HIDE);
}

BOOL CTKDockingPaneTabbedContainer::IsTitleHit(const CRect& screenRect, int x, int y) const
{
    const CPoint point(x, y);
    CRect band = screenRect;
    CTKDockingPaneRenderer* renderer = Renderer();
    if (m_captionVisible) {
        band.bottom = band.top + (renderer ? renderer->GetCaptionHeight() : 0) + kTitleExtra;
    } else if (CWnd* frame = GetFrame(); frame && frame->IsWindow() && dynamic_cast<CTKDockingPaneMiniWnd*>(frame)) {
        CRect window;
        frame->GetWindowRect(&window);
        band.top = window.top;
        band.bottom = screenRect.top;
    } else {
        band.SetRectEmpty();
    }
    if (band.PtInRect(point))
        return TRUE;
    if (!m_tabsVisible)
        return FALSE;
    const int tabHeight = GetHeaderRect().Height();
    const CRect row(screenRect.left, screenRect.bottom - tabHeight, screenRect.right, screenRect.bottom);
    return row.PtInRect(point);
}

BOOL CTKDockingPaneTabbedContainer::IsInSlideWnd() const
{
    return dynamic_cast<CTKDockingPaneAutoHideWnd*>(GetFrame()) != nullptr;
}

void CTKDockingPaneTabbedContainer::StartPaneDrag(CTKDockingPaneNode* node, CPoint point)
{
    CTKDockingPaneHost* host = Host();
    if (!host || !node)
        return;
    ClientToScreen(&point);
    CTKDockingPaneDragTracker tracker(host);
    tracker.Track(node, point.x, point.y);
}

void CTKDockingPaneTabbedContainer::Layout(CWnd* frame, CRect rect, AFX_SIZEPARENTPARAMS* params)
{
    SetParentFrame(frame);
    SetRect(rect);
    if (!params || !IsWindow())
        return;
    MoveWindow(rect, TRUE);
    Invalidate(FALSE);
    CTKDockingPaneNode* parent = GetParentNode();
    const BOOL sliding = parent && parent->GetType() == kAutoHideStrip;
    m_tabsVisible = m_panes.size() >= 2 && !sliding;
    if (dynamic_cast<CTKDockingPaneMiniWnd*>(frame))
        m_captionKind = kCaptionFloating;
    else
        m_captionKind = sliding ? kCaptionSliding : kCaptionDocked;
    RebuildTabs();
    ++m_layoutLock;
    CRect area = GetPaneArea();
    --m_layoutLock;
    area.OffsetRect(rect.left, rect.top);
    for (CTKDockingPaneItem* pane : m_panes) {
        pane->ShowPane(pane == m_selected);
        pane->Layout(frame, area, params);
    }
}

void CTKDockingPaneTabbedContainer::UpdateIdle()
{
    CWnd* focus = CWnd::GetFocus();
    const BOOL active = focus && (focus == this || isAncestorOf(focus));
    if (active != m_active) {
        m_active = active;
        Invalidate(FALSE);
    }
    if (m_selected && m_selected->GetHostedWindow())
        m_selected->GetHostedWindow()->SendMessage(WM_IDLEUPDATECMDUI, 0, 0);
}

void CTKDockingPaneTabbedContainer::FindNodes(int type, std::vector<CTKDockingPaneNode*>* out)
{
    for (CTKDockingPaneItem* pane : m_panes) {
        if (pane->GetType() == type)
            out->push_back(pane);
    }
}

CTKDockingPaneNode* CTKDockingPaneTabbedContainer::Clone(CTKDockingPaneLayout* dest, CloneMap* map) const
{
    auto* copy = dest->CreateNode<CTKDockingPaneTabbedContainer>(nullptr, nullptr, dest);
    copy->dockingCX = dockingCX;
    copy->dockingCY = dockingCY;
    (*map)[this] = copy;
    for (CTKDockingPaneItem* pane : m_panes)
        copy->AddPane(static_cast<CTKDockingPaneItem*>(pane->Clone(dest, map)));
    if (m_selected)
        copy->SelectPane(static_cast<CTKDockingPaneItem*>((*map)[m_selected]), FALSE);
    return copy;
}

CTKTabRenderer* CTKDockingPaneTabbedContainer::GetRenderer() const
{
    CTKDockingPaneRenderer* renderer = Renderer();
    return renderer ? renderer->GetContainerTabRenderer() : nullptr;
}

void CTKDockingPaneTabbedContainer::Redraw()
{
    if (m_layoutLock == 0 && IsWindow())
        Invalidate(FALSE);
}

BOOL CTKDockingPaneTabbedContainer::DrawTabIcon(CDC* dc, int x, int y, CTKTabItem* tab, BOOL draw)
{
    const CTKDockingPaneItem* pane = tab ? GetPaneAt(tab->GetIndex()) : nullptr;
    return pane ? pane->DrawTabIcon(GetRenderer(), dc, x, y, draw) : FALSE;
}

void CTKDockingPaneTabbedContainer::OnLayoutChanged()
{
    if (m_layoutLock == 0 && Host())
        Host()->RecalcFrames();
}

void CTKDockingPaneTabbedContainer::SetSelectedTab(CTKTabItem* tab)
{
    CTKTabSet::SetSelectedTab(tab);
    if (m_layoutLock != 0 || !tab)
        return;
    if (CTKDockingPaneItem* pane = GetPaneAt(tab->GetIndex()); pane && pane != m_selected) {
        SelectPane(pane, TRUE);
        RecalcFrameNow();
    }
}

void CTKDockingPaneTabbedContainer::RecalcFrameNow()
{
    if (auto* frame = dynamic_cast<CFrameWnd*>(GetFrame()))
        frame->RecalcLayout();
}

void CTKDockingPaneTabbedContainer::FocusSelected()
{
    if (m_selected && m_selected->GetHostedWindow())
        m_selected->GetHostedWindow()->SetFocus();
    else
        SetFocus();
    if (Host())
        Host()->SendMessage(WM_IDLEUPDATECMDUI, 0, 0);
}

void CTKDockingPaneTabbedContainer::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    CWnd::GetClientRect(&client);
    if (CTKDockingPaneRenderer* renderer = Renderer())
        renderer->DrawContainer(&dc, this, client);
}

BOOL CTKDockingPaneTabbedContainer::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKDockingPaneTabbedContainer::ClickClose(CPoint point)
{
    if (!m_closeButton.TrackCaptionButton(point) || !m_selected || !Host())
        return;
    CTKDockingPaneItem* pane = m_selected;
    if (Host()->NotifyAction(CTKDockingPaneHost::kActionClosing, pane, this))
        return;
    CTKDockingPaneHost* host = Host();
    pane->Close();
    host->NotifyAction(CTKDockingPaneHost::kActionClosed, pane, nullptr);
}

void CTKDockingPaneTabbedContainer::OnLButtonDown(UINT flags, CPoint point)
{
    FocusSelected();
    if (!m_closeButton.GetRect().IsRectEmpty() && m_closeButton.GetRect().PtInRect(point)) {
        ClickClose(point);
        return;
    }
    if (!m_pinButton.GetRect().IsRectEmpty() && m_pinButton.GetRect().PtInRect(point)) {
        ClickAutoHide(point);
        return;
    }
    if (m_tabsVisible && OnMouseDown(this, point.x, point.y, TRUE))
        return;
    const int hit = HitTest(point.x, point.y);
    if (hit == kHitCaption && !IsInSlideWnd()) {
        StartPaneDrag(this, point);
        return;
    }
    if (hit >= 0) {
        m_tabRects.clear();
        for (int i = 0; i < GetTabCount(); ++i)
            m_tabRects.push_back(GetTab(i)->GetRect());
        m_draggedTab = GetPaneAt(hit);
        SelectPane(m_draggedTab, TRUE);
        RecalcFrameNow();
        CTKTabSet::OnMouseMove(this, point.x, point.y);
        SetCapture();
        Invalidate(FALSE);
    }
    CWnd::OnLButtonDown(flags, point);
}

void CTKDockingPaneTabbedContainer::ClickAutoHide(CPoint point)
{
    if (!m_pinButton.TrackCaptionButton(point) || !m_selected || !Host())
        return;
    CTKDockingPaneHost* host = Host();
    if (IsInSlideWnd()) {
        host->ToggleDocking(this);
        return;
    }
    CTKDockingPaneItem* pane = m_selected;
    if (host->NotifyAction(CTKDockingPaneHost::kActionAutoHiding, pane, this))
        return;
    host->AutoHidePane(pane);
    host->NotifyAction(CTKDockingPaneHost::kActionAutoHidden, pane, nullptr);
}

void CTKDockingPaneTabbedContainer::DragTab(CPoint point)
{
    for (std::size_t i = 0; i < m_tabRects.size() && i < m_panes.size(); ++i) {
        if (!m_tabRects[i].PtInRect(point))
            continue;
        auto dragged = std::find(m_panes.begin(), m_panes.end(), m_draggedTab);
        if (dragged != m_panes.end() && m_panes[i] != m_draggedTab) {
            std::iter_swap(dragged, m_panes.begin() + static_cast<std::ptrdiff_t>(i));
            RecalcFrameNow();
        }
        return;
    }
    // Off the tab row the selected pane is dragged.
    EndTabDrag();
    if (!IsInSlideWnd())
        StartPaneDrag(m_selected, point);
}

void CTKDockingPaneTabbedContainer::EndTabDrag()
{
    if (!m_draggedTab)
        return;
    m_draggedTab = nullptr;
    if (CWnd::GetCapture() == this)
        ReleaseCapture();
}

void CTKDockingPaneTabbedContainer::OnLButtonUp(UINT flags, CPoint point)
{
    EndTabDrag();
    CWnd::OnLButtonUp(flags, point);
}

void CTKDockingPaneTabbedContainer::OnCaptureChanged(CWnd* wnd)
{
    m_draggedTab = nullptr;
    CWnd::OnCaptureChanged(wnd);
}

void CTKDockingPaneTabbedContainer::OnLButtonDblClk(UINT flags, CPoint point)
{
    for (const CTKDockingPaneCaptionButton* button : {&m_closeButton, &m_pinButton}) {
        if (!button->GetRect().IsRectEmpty() && button->GetRect().PtInRect(point))
            return;
    }
    const int hit = HitTest(point.x, point.y);
    const BOOL keepSliding = IsInSlideWnd() && m_selected && (m_selected->GetOptions() & CTKDockingPaneItem::kNoAutoHide);
    if (hit == kHitCaption && Host() && !keepSliding)
        Host()->ToggleDocking(this);
    else if (hit == kHitCaption)
        return;
    else if (hit >= 0 && Host())
        Host()->ToggleDocking(GetPaneAt(hit));
    else
        CWnd::OnLButtonDblClk(flags, point);
}

void CTKDockingPaneTabbedContainer::OnRButtonDown(UINT, CPoint point)
{
    const int hit = m_tabsVisible ? HitTest(point.x, point.y) : -1;
    if (hit >= 0) {
        SelectPane(GetPaneAt(hit), TRUE);
        RecalcFrameNow();
    }
    FocusSelected();
    if (Host())
        Host()->Notify(CTKDockingPaneHost::kNotifyRightClick, reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
}

void CTKDockingPaneTabbedContainer::OnMouseMove(UINT flags, CPoint point)
{
    CTKTabSet::OnMouseMove(this, point.x, point.y);
    if (m_draggedTab) {
        DragTab(point);
    } else {
        m_closeButton.UpdateHotState(point);
        m_pinButton.UpdateHotState(point);
    }
    CWnd::OnMouseMove(flags, point);
}

void CTKDockingPaneTabbedContainer::OnMouseLeave()
{
    const CPoint away(-1, -1);
    CTKTabSet::OnMouseMove(this, away.x, away.y);
    m_closeButton.UpdateHotState(away);
    m_pinButton.UpdateHotState(away);
}

void CTKDockingPaneTabbedContainer::SaveToRegistry(CTKDockingPaneLayout* layout)
{
    CTKDockingPaneNode::SaveToRegistry(layout);
    const std::string key = IndexName(savedIndex);
    layout->WriteInt(key, "Selected", SavedIndexOf(m_selected));
    layout->WriteInt(key, "Panes", static_cast<int>(m_panes.size()));
    int number = 0;
    for (CTKDockingPaneItem* pane : m_panes)
        layout->WriteInt(key, IndexName(++number), pane->savedIndex);
}

BOOL CTKDockingPaneTabbedContainer::LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex)
{
    CTKDockingPaneNode::LoadFromRegistry(layout, nodesByIndex);
    const std::string key = IndexName(savedIndex);
    const int selected = layout->ReadInt(key, "Selected", 0);
    const int count = layout->ReadInt(key, "Panes", 0);
    CTKDockingPaneItem* select = nullptr;
    for (int number = 1; number <= count; ++number) {
        const int index = layout->ReadInt(key, IndexName(number), 0);
        CTKDockingPaneNode* node = LookupIndex(nodesByIndex, index);
        if (!node || node->GetType() != kPane || node->GetParentNode())
            return FALSE;
        auto* pane = static_cast<CTKDockingPaneItem*>(node);
        AddPane(pane);
        if (index == selected)
            select = pane;
    }
    if (select)
        SelectPane(select, TRUE);
    return TRUE;
}
