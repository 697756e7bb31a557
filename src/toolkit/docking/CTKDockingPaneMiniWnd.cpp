#include "toolkit/docking/CTKDockingPaneMiniWnd.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CTrackingLoop.h"
#include "toolkit/commandbars/draw/CTKDCPenGuard.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/docking/CTKDockingPaneDragTracker.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneRenderer.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

#include <algorithm>

namespace {

constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_THICKFRAME;
constexpr int kCaptionExtra = 4;
constexpr int kCloseSize = 12;
constexpr int kTextInset = 4;
constexpr int kMinimumSize = 40;

// The framework's text for a Close that only hides the window.
constexpr UINT AFX_IDS_HIDE = 0xF011;

struct SystemMenuItem {
    WPARAM command;   // 0 a separator
    const char* text;
};

// A window's standard system menu, which a floating frame trims.
const SystemMenuItem kStandardSystemMenu[] = {
    {SC_RESTORE, "&Restore"}, {SC_MOVE, "&Move"},         {SC_SIZE, "&Size"}, {SC_MINIMIZE, "Mi&nimize"},
    {SC_MAXIMIZE, "Ma&ximize"}, {0, ""}, {SC_CLOSE, "&Close\tAlt+F4"},
};

// A floating frame is neither minimised nor maximised.
const WPARAM kTrimmedCommands[] = {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE};

} // namespace

CTKDockingPaneMiniWnd::CTKDockingPaneMiniWnd(CTKDockingPaneNode* node, const CRect& rect,
                                             CTKDockingPaneLayout* layout)
    : CTKDockingPaneNode(kFloatingFrame, layout)
{
    m_bAutoDelete = FALSE;
    static const CMsgEntry<CTKDockingPaneMiniWnd> table[] = {
        {WM_NCLBUTTONDOWN, &CTKDockingPaneMiniWnd::OnNcLButtonDown},
        {WM_NCLBUTTONDBLCLK, &CTKDockingPaneMiniWnd::OnNcLButtonDblClk},
        {WM_SYSCOMMAND, &CTKDockingPaneMiniWnd::OnSysCommand},
    };
    AddMessageTable(table);
    CTKDockingPaneHost* host = Host();
    CWnd* owner = host ? host->GetFrame() : nullptr;
    CTKDockingPaneNode::SetParentFrame(this);
    SetRect(rect);
    if (!layout->IsCopy()) {
        SetClassStyle(CS_DBLCLKS);
        Create(owner, rect, 0, kFrameStyle);
        MoveWindow(rect, FALSE);
        BuildSystemMenu();
        m_closeEnabled = TRUE;
    }
    if (!node)
        return;
    if (node->GetType() == kPane) {
        node = layout->CreateNode<CTKDockingPaneTabbedContainer>(static_cast<CTKDockingPaneItem*>(node), this,
                                                                 layout);
    }
    m_topGroup = layout->CreateNode<CTKDockingPaneSplitGroup>(node, TRUE, this, layout);
    m_topGroup->SetParentContainer(this);
    node->OnAttached(m_topGroup);
    OnChildChanged(m_topGroup);
    RecalcLayout();
}

void CTKDockingPaneMiniWnd::BuildSystemMenu()
{
    m_systemMenu.CreatePopupMenu();
    for (const SystemMenuItem& item : kStandardSystemMenu)
        m_systemMenu.AppendMenu(item.command == 0 ? MF_SEPARATOR : MF_STRING, static_cast<UINT>(item.command),
                                item.text);
    for (WPARAM command : kTrimmedCommands)
        m_systemMenu.DeleteMenu(static_cast<UINT>(command), MF_BYCOMMAND);
    const std::string hide = CResourceStore::Instance().LoadString(AFX_IDS_HIDE);
    if (hide.empty())
        return;
    m_systemMenu.DeleteMenu(static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND);
    m_systemMenu.AppendMenu(MF_STRING, static_cast<UINT>(SC_CLOSE), hide);
}

CTKDockingPaneMiniWnd::~CTKDockingPaneMiniWnd()
{
    if (IsWindow())
        DestroyWindow();
}

CTKDockingPaneHost* CTKDockingPaneMiniWnd::Host() const
{
    return GetLayout() ? GetLayout()->GetHost() : nullptr;
}

void CTKDockingPaneMiniWnd::RecalcLayout(BOOL notify)
{
    if (!IsWindow())
        return;
    CFrameWnd::RecalcLayout(notify);
    if (!m_topGroup || m_topGroup->IsEmpty()) {
        ShowWindow(SW_HIDE);
        return;
    }
    AFX_SIZEPARENTPARAMS params;
    CRect client;
    GetClientRect(&client);
    params.rect = client;
    m_topGroup->Layout(this, client, &params);
    if (Host())
        Host()->UpdateHolders();
}

CTKDockingPaneNode* CTKDockingPaneMiniWnd::Clone(CTKDockingPaneLayout* dest, CloneMap* map) const
{
    CRect rect = GetRect();
    if (IsWindow())
        GetWindowRect(&rect);
    auto* copy = dest->CreateNode<CTKDockingPaneMiniWnd>(nullptr, rect, dest);
    (*map)[this] = copy;
    if (!m_topGroup)
        return copy;
    copy->m_topGroup = static_cast<CTKDockingPaneSplitGroup*>(m_topGroup->Clone(dest, map));
    copy->m_topGroup->SetParentContainer(copy);
    copy->m_topGroup->OnAttached(copy);
    return copy;
}

void CTKDockingPaneMiniWnd::RemoveChild(CTKDockingPaneNode* node)
{
    if (node != m_topGroup)
        return;
    m_topGroup->SetParentContainer(nullptr);
    m_topGroup = nullptr;
    if (IsWindow())
        ShowWindow(SW_HIDE);
}

void CTKDockingPaneMiniWnd::OnChildChanged(CTKDockingPaneNode*)
{
    if (!IsWindow() || !m_topGroup)
        return;
    std::vector<CTKDockingPaneNode*> containers;
    m_topGroup->FindNodes(kContainer, &containers);
    const std::size_t count = containers.size();
    BOOL closable = FALSE;
    for (CTKDockingPaneNode* node : containers) {
        auto* container = static_cast<CTKDockingPaneTabbedContainer*>(node);
        container->SetCaptionVisible(count != 1);
        for (CTKDockingPaneItem* pane : container->GetPanes())
            closable = closable || !(pane->GetOptions() & CTKDockingPaneItem::kNoClose);
    }
    SetWindowText(count == 1 ? static_cast<CTKDockingPaneTabbedContainer*>(containers.front())->GetCaption()
                             : std::string());
    if (count >= 1) {
        m_closeEnabled = closable;
        m_systemMenu.EnableMenuItem(static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND | (closable ? MF_ENABLED : MF_GRAYED));
        if (!IsWindowVisible())
            ShowWindow(SW_SHOWNOACTIVATE);
    }
    DelayRecalcLayout();
    update();
}

void CTKDockingPaneMiniWnd::OnClose()
{
    CTKDockingPaneHost* host = Host();
    if (!m_topGroup || !host)
        return;
    std::vector<CTKDockingPaneNode*> panes;
    m_topGroup->FindNodes(kPane, &panes);
    for (CTKDockingPaneNode* node : panes) {
        auto* pane = static_cast<CTKDockingPaneItem*>(node);
        if (pane->GetOptions() & CTKDockingPaneItem::kNoClose)
            continue;
        if (host->NotifyAction(CTKDockingPaneHost::kActionClosing, pane, nullptr))
            continue;
        pane->Close();
        host->NotifyAction(CTKDockingPaneHost::kActionClosed, pane, nullptr);
    }
}

int CTKDockingPaneMiniWnd::GetCaptionHeight() const
{
    CTKDockingPaneHost* host = Host();
    const int text = host && host->GetRenderer() ? host->GetRenderer()->GetCaptionHeight() : kCloseSize;
    return text + kCaptionExtra;
}

CRect CTKDockingPaneMiniWnd::GetCloseRect() const
{
    const int right = width() - kBorder - 2;
    const int top = kBorder + (GetCaptionHeight() - kCloseSize) / 2;
    return CRect(right - kCloseSize, top, right, top + kCloseSize);
}

void CTKDockingPaneMiniWnd::OnNcCalcSize(BOOL, CRect* rect)
{
    rect->DeflateRect(kBorder, kBorder);
    rect->top += GetCaptionHeight();
}

LRESULT CTKDockingPaneMiniWnd::OnNcHitTest(CPoint screenPoint)
{
    CRect window;
    GetWindowRect(&window);
    const CPoint p(screenPoint.x - window.left, screenPoint.y - window.top);
    const int w = window.Width();
    const int h = window.Height();
    if (GetCloseRect().PtInRect(p))
        return kHitClose;
    const bool left = p.x < kBorder;
    const bool right = p.x >= w - kBorder;
    const bool top = p.y < kBorder;
    const bool bottom = p.y >= h - kBorder;
    if (top)
        return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (bottom)
        return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left)
        return HTLEFT;
    if (right)
        return HTRIGHT;
    if (p.y < kBorder + GetCaptionHeight())
        return HTCAPTION;
    return HTCLIENT;
}

void CTKDockingPaneMiniWnd::OnNcPaint(CDC* dc)
{
    const CRect whole(0, 0, width(), height());
    dc->FillSolidRect(whole, GetSysColor(COLOR_3DFACE));
    dc->Draw3dRect(whole, GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_3DDKSHADOW));
    CRect inner = whole;
    inner.DeflateRect(1, 1);
    dc->Draw3dRect(inner, GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DSHADOW));
    const CRect caption(kBorder, kBorder, whole.right - kBorder, kBorder + GetCaptionHeight());
    dc->FillSolidRect(caption, GetSysColor(COLOR_ACTIVECAPTION));
    CTKDockingPaneHost* host = Host();
    const COLORREF textColor = GetSysColor(COLOR_CAPTIONTEXT);
    CRect text(caption.left + kTextInset, caption.top, GetCloseRect().left, caption.bottom);
    if (host && host->GetRenderer()) {
        CTKDCSelectGuard font(dc, host->GetRenderer()->GetCaptionFont());
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(textColor);
        dc->DrawText(GetWindowText(), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    const CRect close = GetCloseRect();
    CTKDCPenGuard pen(dc, m_closeEnabled ? textColor : GetSysColor(COLOR_GRAYTEXT));
    for (int shift = 0; shift < 2; ++shift) {
        dc->MoveTo(close.left + 2 + shift, close.top + 2);
        dc->LineTo(close.right - 2 + shift, close.bottom - 2);
        dc->MoveTo(close.left + 2 + shift, close.bottom - 3);
        dc->LineTo(close.right - 2 + shift, close.top - 1);
    }
}

LRESULT CTKDockingPaneMiniWnd::OnNcLButtonDown(WPARAM hit, LPARAM lParam)
{
    const CPoint screen(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (static_cast<LRESULT>(hit) == kHitClose) {
        SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        return 0;
    }
    raise();
    if (static_cast<LRESULT>(hit) == HTCAPTION && Host() && m_topGroup) {
        CTKDockingPaneDragTracker tracker(Host());
        tracker.Track(m_topGroup, screen.x, screen.y);
        return 0;
    }
    TrackFrame(static_cast<LRESULT>(hit), screen);
    return 0;
}

LRESULT CTKDockingPaneMiniWnd::OnSysCommand(WPARAM command, LPARAM)
{
    if ((command & kSystemCommandMask) != SC_CLOSE)
        return 0;
    if (!(m_systemMenu.GetMenuState(static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND) & MF_GRAYED))
        SendMessage(WM_CLOSE);
    return 0;
}

LRESULT CTKDockingPaneMiniWnd::OnNcLButtonDblClk(WPARAM hit, LPARAM)
{
    if (static_cast<LRESULT>(hit) == HTCAPTION && Host() && m_topGroup)
        Host()->ToggleDocking(m_topGroup);
    return 0;
}

void CTKDockingPaneMiniWnd::TrackFrame(LRESULT hit, CPoint screenPoint)
{
    CRect start;
    GetWindowRect(&start);
    CTrackingLoop loop(this);
    loop.SetFilter([&](const MSG& msg) -> BOOL {
        if (msg.message == WM_LBUTTONUP) {
            loop.End();
            return TRUE;
        }
        if (msg.message != WM_MOUSEMOVE)
            return FALSE;
        CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        ClientToScreen(&point);
        const int dx = point.x - screenPoint.x;
        const int dy = point.y - screenPoint.y;
        CRect rect = start;
        if (hit == HTCAPTION)
            rect.OffsetRect(dx, dy);
        if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
            rect.left = std::min(rect.left + dx, rect.right - kMinimumSize);
        if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT)
            rect.right = std::max(rect.right + dx, rect.left + kMinimumSize);
        if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT)
            rect.top = std::min(rect.top + dy, rect.bottom - kMinimumSize);
        if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
            rect.bottom = std::max(rect.bottom + dy, rect.top + kMinimumSize);
        MoveWindow(rect, TRUE);
        return TRUE;
    });
    loop.Run();
}

void CTKDockingPaneMiniWnd::SaveToRegistry(CTKDockingPaneLayout* layout)
{
    CTKDockingPaneNode::SaveToRegistry(layout);
    const std::string key = IndexName(savedIndex);
    CRect rect = GetRect();
    if (IsWindow())
        GetWindowRect(&rect);
    layout->WriteInt(key, "TopContaner", SavedIndexOf(m_topGroup));
    layout->WriteInt(key, "WindowRectTopPos", rect.top);
    layout->WriteInt(key, "WindowRectBottomPos", rect.bottom);
    layout->WriteInt(key, "WindowRectLeftPos", rect.left);
    layout->WriteInt(key, "WindowRectRightPos", rect.right);
}

BOOL CTKDockingPaneMiniWnd::LoadFromRegistry(CTKDockingPaneLayout* layout, const IndexMap& nodesByIndex)
{
    CTKDockingPaneNode::LoadFromRegistry(layout, nodesByIndex);
    const std::string key = IndexName(savedIndex);
    CRect rect;
    rect.top = layout->ReadInt(key, "WindowRectTopPos", 0);
    rect.bottom = layout->ReadInt(key, "WindowRectBottomPos", 0);
    rect.left = layout->ReadInt(key, "WindowRectLeftPos", 0);
    rect.right = layout->ReadInt(key, "WindowRectRightPos", 0);
    SetRect(rect);
    CTKDockingPaneNode* node = LookupIndex(nodesByIndex, layout->ReadInt(key, "TopContaner", 0));
    if (!node || node->GetType() != kSplitGroup || node->GetParentNode())
        return FALSE;
    m_topGroup = static_cast<CTKDockingPaneSplitGroup*>(node);
    m_topGroup->SetParentContainer(this);
    m_topGroup->OnAttached(this);
    return TRUE;
}
