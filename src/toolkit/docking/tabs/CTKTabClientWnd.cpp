#include "toolkit/docking/tabs/CTKTabClientWnd.h"

#include "platform/CImageList.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/CDragOutline.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIClient.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CWindowHook.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKMDIFrameWnd.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKOffscreenDC.h"
#include "toolkit/commandbars/draw/CTKSplitterTracker.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/docking/tabs/CTKMDITabGroup.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabLook.h"
#include "toolkit/docking/tabs/CTKTabNavigateButton.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabWorkspace.h"

#include <QCursor>

namespace {

// The tab look of each bar theme; any other theme takes the first line's look 0.
struct ThemeLook {
    int barTheme;
    int look;
    int colors;   // 0: the look's own colour set
    BOOL staticFrame;
    int clientFrame;
    BOOL colorCoded;
    BOOL hotTracking;
};

constexpr int kOwnColors = 0;
constexpr int kThemedColors = 8;

const ThemeLook kThemeLooks[] = {
    {kTKThemeOfficeXP, 5, kOwnColors, TRUE, CTKTabRenderer::kFrameSingle, FALSE, FALSE},
    {kTKThemeOffice2003, 3, kOwnColors, FALSE, CTKTabRenderer::kFrame3D, TRUE, TRUE},
    {kTKThemeWindowsXP, 0, kThemedColors, FALSE, CTKTabRenderer::kFrame3D, FALSE, TRUE},
};
const ThemeLook kOtherThemeLook = {-1, 0, kOwnColors, FALSE, CTKTabRenderer::kFrame3D, FALSE, FALSE};

// The styles a child loses in groups mode: caption, sizing frame, minimise and maximise boxes.
constexpr DWORD kGroupChildRemovedStyle = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// The margins that the client border narrows, before the look adjusts them.
const CRect kGroupMargins(2, 2, -2, -2);
// The look's parts of the tab client.
constexpr int kPartClient = 1;
constexpr int kPartSplitterSideBySide = 2;
constexpr int kPartSplitterStacked = 3;
// Picture strip of the group commands: 16 pixels a picture, green is transparent.
constexpr int kGroupIconSize = 16;
const COLORREF kGroupIconMask = RGB(0, 255, 0);
// Cursors over a splitter and while a tab is dragged.
constexpr UINT kCursorSplitSideBySide = 9970;
constexpr UINT kCursorSplitStacked = 9971;
constexpr UINT kCursorDragInside = 9425;
constexpr UINT kCursorDragOutside = 9426;
// The default icon of a tab: a small window.
constexpr int kDefaultIconSize = 16;

CPoint PointOf(LPARAM lParam)
{
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

BOOL IsTabButtonMessage(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN
           || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDOWN;
}

} // namespace

// Sees the MDI client's messages for the tab client.
class CTKTabClientWnd::CClientHook : public CWindowHook {
public:
    explicit CClientHook(CTKTabClientWnd* owner) : m_owner(owner) {}

protected:
    int OnHookMessage(CWnd*, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) override
    {
        return m_owner->OnClientMessage(message, *wParam, *lParam, result) ? 1 : 0;
    }

private:
    CTKTabClientWnd* m_owner;
};

IMPLEMENT_DYNAMIC(CTKTabClientWnd, CWnd)

CTKTabClientWnd::CTKTabClientWnd() : m_layoutSink(this), m_hook(std::make_unique<CClientHook>(this))
{
    m_renderer = new CTKTabRenderer;
    m_renderer->SetBoldSelected(TRUE);
    BuildDefaultIcon();

    static const UINT kIconCommands[] = {ID_TABGROUP_NEW_HORIZONTAL, ID_TABGROUP_NEW_VERTICAL};
    if (const CIconImage* strip = CResourceStore::Instance().FindBitmap(kTKTabGroupBitmap)) {
        CImageList list;
        if (list.Create(kGroupIconSize, kGroupIconSize, ILC_COLOR24 | ILC_MASK)) {
            list.Add(*strip, kGroupIconMask);
            CTKCommandImages::Global().AddIconsFromImageList(&list, kIconCommands, 2, kGroupIconSize,
                                                             kGroupIconSize, CTKCommandImages::kNormal, FALSE);
        }
    }

    using Cmd = CCmdEntry<CTKTabClientWnd>;
    static const Cmd kCommands[] = {
        Cmd::CommandRange(ID_TABGROUP_PREVIOUS, ID_TABGROUP_NEW_VERTICAL, &CTKTabClientWnd::OnGroupCommand),
        Cmd::UpdateRange(ID_TABGROUP_PREVIOUS, ID_TABGROUP_NEW_VERTICAL, &CTKTabClientWnd::OnUpdateGroupCommand),
    };
    AddCommandTable(kCommands);
}

CTKTabClientWnd::~CTKTabClientWnd()
{
    Detach();
    DeleteAllGroups();
    m_renderer->InternalRelease();
}

void CTKTabClientWnd::BuildDefaultIcon()
{
    const DWORD frame = CIconImage::ArgbFromColor(RGB(0, 0, 128));
    const DWORD page = CIconImage::ArgbFromColor(RGB(255, 255, 255));
    m_defaultIcon = CIconImage(kDefaultIconSize, kDefaultIconSize);
    for (int y = 2; y < kDefaultIconSize - 2; ++y) {
        for (int x = 1; x < kDefaultIconSize - 1; ++x) {
            const BOOL edge = y < 5 || y == kDefaultIconSize - 3 || x == 1 || x == kDefaultIconSize - 2;
            m_defaultIcon.SetPixel(x, y, edge ? frame : page);
        }
    }
}

CMDIClient* CTKTabClientWnd::GetMDIClient() const
{
    return m_frame ? m_frame->GetMDIClient() : nullptr;
}

BOOL CTKTabClientWnd::IsLiveChild(const CWnd* window) const
{
    CMDIClient* client = GetMDIClient();
    if (window == nullptr || client == nullptr)
        return FALSE;
    for (CMDIChildWnd* child : client->GetChildrenInZOrder()) {
        if (child == window)
            return TRUE;
    }
    return FALSE;
}

CTKCommandBars* CTKTabClientWnd::GetCommandBars() const
{
    auto* frame = dynamic_cast<CTKMDIFrameWnd*>(m_frame.data());
    return frame ? frame->GetCommandBars() : nullptr;
}

void CTKTabClientWnd::RecalcFrame()
{
    if (m_frame && m_frame->IsWindow())
        m_frame->RecalcLayout(TRUE);
}

void CTKTabClientWnd::MoveClientToOrigin()
{
    if (CMDIClient* client = GetMDIClient())
        client->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Attaching ----

BOOL CTKTabClientWnd::AttachToFrame(CMDIFrameWnd* frame, BOOL groupsMode)
{
    m_groupsMode = groupsMode ? TRUE : FALSE;
    if (m_frame || frame == nullptr)
        return FALSE;
    CMDIClient* client = frame->GetMDIClient();
    if (!client->IsWindow() || client->GetTabClient() != nullptr || !m_hook->HookWindow(client))
        return FALSE;
    client->AttachTabClient(this);
    m_frame = frame;
    ApplyBarTheme();
    m_renderer->RefreshMetrics();
    MoveClientToOrigin();
    RecalcFrame();
    SyncTabs();
    return TRUE;
}

BOOL CTKTabClientWnd::Detach()
{
    if (!m_frame)
        return FALSE;
    DeleteAllGroups();
    CMDIClient* client = GetMDIClient();
    m_hook->UnhookWindow(client);
    client->DetachTabClient();
    CMDIFrameWnd* frame = m_frame;
    m_frame = nullptr;
    if (frame->IsWindow())
        frame->RecalcLayout(TRUE);
    return TRUE;
}

void CTKTabClientWnd::DeleteGroup(int index)
{
    CTKMDITabGroup* group = m_groups[static_cast<size_t>(index)].get();
    if (m_currentGroup == group)
        m_currentGroup = nullptr;
    if (m_dropGroup == group)
        m_dropGroup = nullptr;
    m_groups.erase(m_groups.begin() + index);
}

void CTKTabClientWnd::DeleteAllGroups()
{
    while (!m_groups.empty())
        DeleteGroup(GetGroupCount() - 1);
    m_currentGroup = nullptr;
}

void CTKTabClientWnd::SetTabsVisible(BOOL visible)
{
    if (m_groupsMode)
        return;
    m_tabsVisible = visible ? TRUE : FALSE;
    RecalcFrame();
}

void CTKTabClientWnd::ApplyButtonFlags(CTKMDITabGroup* group) const
{
    const int closeMode = (m_buttonFlags & 2) ? CTKTabNavigateButton::kHidden : CTKTabNavigateButton::kAlways;
    const int scrollMode = (m_buttonFlags & 1) ? CTKTabNavigateButton::kWhenNeeded : CTKTabNavigateButton::kAlways;
    if (CTKTabNavigateButton* button = group->FindNavigateButton(CTKTabNavigateButton::kClose))
        button->SetMode(closeMode);
    for (int kind : {CTKTabNavigateButton::kScrollStart, CTKTabNavigateButton::kScrollEnd}) {
        if (CTKTabNavigateButton* button = group->FindNavigateButton(kind))
            button->SetMode(scrollMode);
    }
}

void CTKTabClientWnd::SetTabButtonFlags(int flags)
{
    m_buttonFlags = flags;
    for (const auto& group : m_groups)
        ApplyButtonFlags(group.get());
    RecalcFrame();
}

// ---- Refresh and synchronisation ----

void CTKTabClientWnd::Refresh(BOOL recalcFrame)
{
    if (!m_frame || m_refreshing)
        return;
    m_refreshing = TRUE;
    SyncTabs();
    if (!m_groups.empty())
        RefreshHotTab();
    if (recalcFrame) {
        if (m_groupsMode)
            MoveClientToOrigin();
        if (CTKCommandBars* bars = GetCommandBars())
            bars->RelayoutFrame(FALSE);
        else
            RecalcFrame();
    }
    m_refreshing = FALSE;
}

void CTKTabClientWnd::RefreshHotTab()
{
    CWnd* window = m_groupsMode ? static_cast<CWnd*>(GetMDIClient()) : m_groups.front()->GetDrawWindow();
    if (window == nullptr)
        return;
    CPoint point(QCursor::pos().x(), QCursor::pos().y());
    window->ScreenToClient(&point);
    if (m_groupsMode) {
        OnClientMouseMove(point);
        return;
    }
    m_groups.front()->OnMouseMove(window, point.x, point.y);
}

void CTKTabClientWnd::SyncTabs()
{
    CMDIClient* client = GetMDIClient();
    if (client == nullptr || !client->IsWindow() || !client->IsWindowVisible() || !m_tabsVisible || m_busy)
        return;
    ApplyBarTheme();
    if (!m_frame)
        return;
    m_deferring = TRUE;
    m_lastAdded = nullptr;
    for (const auto& group : m_groups) {
        for (int i = 0; i < group->GetTabCount(); ++i)
            group->GetTab(i)->SetSeen(FALSE);
    }

    // The active child is the topmost; without one no child is walked.
    CMDIChildWnd* active = client->GetActive();
    CTKTabItem* activeTab = nullptr;
    const std::vector<CMDIChildWnd*> children =
        active ? client->GetChildrenInZOrder() : std::vector<CMDIChildWnd*>();
    for (CMDIChildWnd* child : children) {
        const BOOL visible = (child->GetStyle() & WS_VISIBLE) != 0;
        CTKTabItem* tab = FindTab(child);
        if (tab != nullptr && !visible) {
            tab->Remove();
            continue;
        }
        if (tab != nullptr) {
            tab->SetCaption(GetChildCaption(child));
            tab->SetSeen(TRUE);
        } else {
            if (!visible || (child->GetExStyle() & WS_EX_MDICHILD) == 0)
                continue;
            if (m_groups.empty())
                CreateTabGroup(-1);
            CTKMDITabGroup* group = m_currentGroup ? m_currentGroup : m_groups.back().get();
            tab = group->InsertTab(-1, nullptr);
            tab->SetHandle(child);
            tab->SetCaption(GetChildCaption(child));
            group->SetSelectedTab(tab);
            tab->SetSeen(TRUE);
            m_lastAdded = tab;
        }
        if (child == active)
            activeTab = tab;
    }

    for (int g = GetGroupCount() - 1; g >= 0; --g) {
        CTKMDITabGroup* group = m_groups[static_cast<size_t>(g)].get();
        for (int i = group->GetTabCount() - 1; i >= 0; --i) {
            if (!group->GetTab(i)->IsSeen())
                group->RemoveTabAt(i);
        }
        if (group->GetTabCount() > 0)
            continue;
        if (GetGroupCount() > 1) {
            CTKMDITabGroup* heir = m_groups[static_cast<size_t>(g > 0 ? g - 1 : 1)].get();
            heir->SetShare(heir->GetShare() + group->GetShare());
        }
        DeleteGroup(g);
        m_layoutPending = TRUE;
    }

    if (activeTab != nullptr) {
        auto* group = static_cast<CTKMDITabGroup*>(activeTab->GetTabSet());
        if (group->GetSelectedTab() != activeTab)
            group->SetSelectedTab(activeTab);
        SetCurrentGroup(group);
    }

    m_deferring = FALSE;
    if (!m_layoutPending)
        return;
    RecalcFrame();
    if (m_lastAdded != nullptr && m_lastAdded->GetTabSet() != nullptr)
        m_lastAdded->GetTabSet()->EnsureVisible(m_lastAdded);
    m_layoutPending = FALSE;
}

std::string CTKTabClientWnd::GetChildCaption(CWnd* child)
{
    const LRESULT answer = child->SendMessage(kTKMsgTabCaption);
    std::string caption = answer ? reinterpret_cast<const char*>(answer) : "";
    if (caption.empty()) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(child)) {
            if (CDocument* document = frame->GetActiveDocument())
                caption = document->GetTitle();
        }
    }
    if (caption.empty())
        caption = child->GetWindowText();
    return caption;
}

COLORREF CTKTabClientWnd::GetChildColor(CTKTabItem* tab)
{
    CWnd* child = tab->GetHandle();
    if (!IsLiveChild(child))
        return 0;
    const auto color = static_cast<COLORREF>(child->SendMessage(kTKMsgTabColor));
    if (color != 0)
        tab->SetRawColor(color);
    return color;
}

CTKMDITabGroup* CTKTabClientWnd::CreateTabGroup(int index)
{
    auto group = std::make_unique<CTKMDITabGroup>();
    CTKMDITabGroup* created = group.get();
    if (!m_groupsMode) {
        auto* workspace = new CTKTabWorkspace(created);
        workspace->CreateWorkspace(m_frame);
        workspace->EnableToolTips(m_toolTips);
        created->SetWorkspace(workspace);
    }
    if (index < 0 || index > GetGroupCount())
        index = GetGroupCount();
    m_groups.insert(m_groups.begin() + index, std::move(group));
    created->SetClient(this);
    created->SetActive(FALSE);
    created->SetTabSizes(CSize(kTabFixedWidth, kTabFixedHeight), CSize(0, 0), CSize(kTabMaximumWidth, 0));
    ApplyButtonFlags(created);
    m_layoutPending = TRUE;
    return created;
}

// ---- Look-ups ----

CTKMDITabGroup* CTKTabClientWnd::GetGroup(int index) const
{
    if (index < 0 || index >= GetGroupCount())
        return nullptr;
    return m_groups[static_cast<size_t>(index)].get();
}

int CTKTabClientWnd::GroupIndex(const CTKMDITabGroup* group) const
{
    for (int i = 0; i < GetGroupCount(); ++i) {
        if (m_groups[static_cast<size_t>(i)].get() == group)
            return i;
    }
    return -1;
}

CTKTabItem* CTKTabClientWnd::HitTestTab(int x, int y) const
{
    for (const auto& group : m_groups) {
        if (CTKTabItem* tab = group->HitTest(x, y))
            return tab;
    }
    return nullptr;
}

BOOL CTKTabClientWnd::TabPointToScreen(CPoint* point) const
{
    if (m_groupsMode && GetMDIClient() != nullptr) {
        GetMDIClient()->ClientToScreen(point);
        return TRUE;
    }
    if (m_groups.empty() || m_groups.front()->GetDrawWindow() == nullptr)
        return FALSE;
    m_groups.front()->GetDrawWindow()->ClientToScreen(point);
    return TRUE;
}

BOOL CTKTabClientWnd::TabPointFromScreen(CPoint* point) const
{
    if (m_groupsMode && GetMDIClient() != nullptr) {
        GetMDIClient()->ScreenToClient(point);
        return TRUE;
    }
    if (m_groups.empty() || m_groups.front()->GetDrawWindow() == nullptr)
        return FALSE;
    m_groups.front()->GetDrawWindow()->ScreenToClient(point);
    return TRUE;
}

CTKTabItem* CTKTabClientWnd::FindTab(const CWnd* window) const
{
    for (const auto& group : m_groups) {
        for (int i = 0; i < group->GetTabCount(); ++i) {
            if (group->GetTab(i)->GetHandle() == window)
                return group->GetTab(i);
        }
    }
    return nullptr;
}

// ---- Theme ----

void CTKTabClientWnd::ApplyBarTheme()
{
    if (!m_followBarTheme || GetCommandBars() == nullptr)
        return;
    CTKBarRenderer* barRenderer = GetCommandBars()->GetBarRenderer();
    if (barRenderer == nullptr || barRenderer->m_nTheme == m_appliedTheme)
        return;
    const int theme = barRenderer->m_nTheme;
    const ThemeLook* look = &kOtherThemeLook;
    for (const ThemeLook& each : kThemeLooks) {
        if (each.barTheme == theme)
            look = &each;
    }
    m_renderer->SetHotTracking(FALSE);
    m_renderer->SetColorCoded(FALSE);
    m_renderer->SetClientFrame(CTKTabRenderer::kFrame3D);
    m_renderer->SetStaticFrame(FALSE);
    m_renderer->SetLook(look->look);
    if (look->colors != kOwnColors)
        m_renderer->SetColors(look->colors);
    m_renderer->SetStaticFrame(look->staticFrame);
    m_renderer->SetClientFrame(look->clientFrame);
    m_renderer->SetColorCoded(look->colorCoded);
    m_renderer->SetHotTracking(look->hotTracking);
    m_appliedTheme = theme;
    Refresh(TRUE);
}

// ---- Layout ----

void CTKTabClientWnd::CalcWindowRect(CRect* rect, UINT adjust)
{
    CMDIClient* client = GetMDIClient();
    if (m_groups.empty() || !m_tabsVisible) {
        if (client != nullptr)
            client->Invalidate(FALSE);
    } else if (m_groupsMode) {
        LayoutGroups(*rect);
    } else {
        LayoutStrip(rect);
    }
    CWnd::CalcWindowRect(rect, adjust);
}

void CTKTabClientWnd::LayoutStrip(CRect* rect)
{
    CTKMDITabGroup* group = m_groups.front().get();
    CTKTabWorkspace* workspace = group->GetWorkspace();
    if (workspace != nullptr && workspace->IsWindow() && !workspace->isHidden()) {
        workspace->SetWindowPos(nullptr, rect->left, rect->top, rect->Width(), rect->Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
        CQtImageDC dc(1, 1);
        m_renderer->RepositionTabs(group, &dc, CRect(0, 0, rect->Width(), rect->Height()));
        CRect page = *rect;
        m_renderer->AdjustClientRect(group, &page);
        if (page.left > page.right || page.top > page.bottom)
            page.SetRectEmpty();
        *rect = page;
        workspace->Invalidate(FALSE);
        workspace->ShowWindow(SW_SHOWNA);
    }
    if (CMDIClient* client = GetMDIClient())
        client->SetWindowPos(nullptr, rect->left, rect->top, rect->Width(), rect->Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTKTabClientWnd::LayoutGroups(const CRect& rect)
{
    CQtImageDC dc(1, 1);
    CRect margins = kGroupMargins;
    m_renderer->GetLook()->DrawWorkspacePart(&dc, &margins, kPartClient);
    const CRect area(margins.left, margins.top, rect.Width() + margins.right, rect.Height() + margins.bottom);
    const int length = m_horizontal ? area.Height() : area.Width();
    double total = 0;
    for (const auto& group : m_groups)
        total += group->GetShare();
    double running = 0;
    int start = m_horizontal ? area.top : area.left;
    for (int i = 0; i < GetGroupCount(); ++i) {
        CTKMDITabGroup* group = m_groups[static_cast<size_t>(i)].get();
        running += group->GetShare();
        const BOOL last = i == GetGroupCount() - 1;
        const int origin = m_horizontal ? area.top : area.left;
        const int boundary = last ? (m_horizontal ? area.bottom : area.right)
                                  : origin + (total > 0 ? static_cast<int>(length * running / total) : 0);
        const int end = last ? boundary : boundary - kSplitterSize;
        CRect whole = m_horizontal ? CRect(area.left, start, area.right, end) : CRect(start, area.top, end, area.bottom);
        CRect splitter;
        if (!last)
            splitter = m_horizontal ? CRect(area.left, end, area.right, boundary)
                                    : CRect(end, area.top, boundary, area.bottom);
        group->SetSplitterRect(splitter);
        m_renderer->RepositionTabs(group, &dc, whole);
        CRect page = whole;
        m_renderer->AdjustClientRect(group, &page);
        for (int t = 0; t < group->GetTabCount(); ++t) {
            CWnd* child = group->GetTab(t)->GetHandle();
            if (IsLiveChild(child))
                child->MoveWindow(page, child == group->GetActiveWnd());
        }
        start = boundary;
    }
    if (CMDIClient* client = GetMDIClient())
        client->Invalidate(FALSE);
}

// ---- The MDI client's messages ----

LRESULT CTKTabClientWnd::ClientDefault(UINT message, WPARAM wParam, LPARAM lParam)
{
    return GetMDIClient()->WindowProc(message, wParam, lParam);
}

BOOL CTKTabClientWnd::OnClientMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // In groups mode a button pressed on the client itself goes to the frame first, as on a workspace.
    if (m_groupsMode && IsTabButtonMessage(message) && m_frame
        && m_frame->SendMessage(kTKMsgTabNotify, message, lParam) != 0) {
        *result = 0;
        return TRUE;
    }
    switch (message) {
    case WM_MDICREATE:
        *result = ClientDefault(message, wParam, lParam);
        if (m_groupsMode && *result != 0) {
            auto* child = reinterpret_cast<CWnd*>(lParam);
            child->ModifyStyle(kGroupChildRemovedStyle, 0);
            child->ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
            child->MoveWindow(CRect());
        }
        SyncTabs();
        return TRUE;
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        *result = ClientDefault(message, wParam, lParam);
        SyncTabs();
        return TRUE;
    case WM_SIZE:
        *result = ClientDefault(message, wParam, lParam);
        m_layoutPending = TRUE;
        SyncTabs();
        return TRUE;
    case WM_IDLEUPDATECMDUI:
        SyncTabs();
        return FALSE;
    case WM_SYSCOLORCHANGE:
        *result = ClientDefault(message, wParam, lParam);
        m_renderer->RefreshMetrics();
        Refresh(TRUE);
        return TRUE;
    case WM_PAINT:
        OnClientPaint();
        *result = 0;
        return TRUE;
    case WM_ERASEBKGND:
        *result = TRUE;
        return TRUE;
    default:
        break;
    }
    if (!m_groupsMode)
        return FALSE;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        *result = 0;
        return OnClientButtonDown(PointOf(lParam));
    case WM_MOUSEMOVE:
        OnClientMouseMove(PointOf(lParam));
        return FALSE;
    case WM_MOUSELEAVE:
        OnClientMouseMove(CPoint(-1, -1));
        return FALSE;
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT || !OnClientSetCursor())
            return FALSE;
        *result = TRUE;
        return TRUE;
    default:
        return FALSE;
    }
}

void CTKTabClientWnd::OnClientPaint()
{
    CMDIClient* client = GetMDIClient();
    CPaintDC paint(client);
    CRect rect;
    client->GetClientRect(&rect);
    CTKOffscreenDC buffer(&paint, rect);
    CDC* dc = buffer.GetDC();
    if (m_groupsMode && !m_groups.empty()) {
        for (const auto& group : m_groups)
            m_renderer->DrawTabSet(dc, group->GetWholeRect(), group.get());
        for (const auto& group : m_groups) {
            CRect splitter = group->GetSplitterRect();
            if (!splitter.IsRectEmpty())
                m_renderer->GetLook()->DrawWorkspacePart(
                    dc, &splitter, m_horizontal ? kPartSplitterStacked : kPartSplitterSideBySide);
        }
        return;
    }
    CTKCommandBars* bars = GetCommandBars();
    const COLORREF color = bars != nullptr && bars->GetBarRenderer() != nullptr
                               ? bars->GetBarRenderer()->LookupColor(COLOR_APPWORKSPACE)
                               : GetSysColor(COLOR_APPWORKSPACE);
    dc->FillSolidRect(rect, color);
}

BOOL CTKTabClientWnd::OnClientButtonDown(CPoint point)
{
    m_busy = TRUE;
    BOOL handled = FALSE;
    for (int i = 0; i < GetGroupCount() && !handled; ++i) {
        CTKMDITabGroup* group = m_groups[static_cast<size_t>(i)].get();
        if (group->GetSplitterRect().PtInRect(point) && i < GetGroupCount() - 1) {
            TrackSplitter(i, point);
            handled = TRUE;
        } else if (group->GetWholeRect().PtInRect(point)) {
            group->OnMouseDown(GetMDIClient(), point.x, point.y, FALSE);
            handled = TRUE;
        }
    }
    m_busy = FALSE;
    return handled;
}

CRect CTKTabClientWnd::SplitterLimit(int index) const
{
    CRect limit;
    limit.UnionRect(m_groups[static_cast<size_t>(index)]->GetWholeRect(),
                    m_groups[static_cast<size_t>(index) + 1]->GetWholeRect());
    GetMDIClient()->ClientToScreen(&limit);
    return limit;
}

BOOL CTKTabClientWnd::TrackSplitter(int index, CPoint point)
{
    CMDIClient* client = GetMDIClient();
    const CRect limit = SplitterLimit(index);
    CRect track = m_groups[static_cast<size_t>(index)]->GetSplitterRect();
    client->ClientToScreen(&track);
    CPoint screen = point;
    client->ClientToScreen(&screen);
    CTKSplitterTracker tracker;
    if (!tracker.Track(client, limit, &track, screen, !m_horizontal))
        return FALSE;
    ApplySplitterMove(index, limit, m_horizontal ? track.top : track.left);
    RecalcFrame();
    return TRUE;
}

void CTKTabClientWnd::ApplySplitterMove(int index, const CRect& limit, int trackStart)
{
    CTKMDITabGroup* first = GetGroup(index);
    CTKMDITabGroup* second = GetGroup(index + 1);
    const int length = m_horizontal ? limit.Height() : limit.Width();
    // Two groups with no room between them leave nothing to divide.
    if (first == nullptr || second == nullptr || length <= 0)
        return;
    const int origin = m_horizontal ? limit.top : limit.left;
    const double sum = first->GetShare() + second->GetShare();
    const double part = static_cast<double>(trackStart - origin + 2) / length;
    first->SetShare(sum * part);
    second->SetShare(sum - first->GetShare());
}

BOOL CTKTabClientWnd::OnClientSetCursor()
{
    CMDIClient* client = GetMDIClient();
    CPoint point(QCursor::pos().x(), QCursor::pos().y());
    client->ScreenToClient(&point);
    for (const auto& group : m_groups) {
        if (group->GetSplitterRect().PtInRect(point)) {
            ShowCursor(m_horizontal ? kCursorSplitStacked : kCursorSplitSideBySide);
            return TRUE;
        }
    }
    client->unsetCursor();
    return FALSE;
}

void CTKTabClientWnd::ShowCursor(UINT cursorId)
{
    CMDIClient* client = GetMDIClient();
    QCursor cursor;
    if (client == nullptr)
        return;
    if (cursorId == IDC_ARROW || !CResourceStore::Instance().LoadCursor(cursorId, &cursor)) {
        client->unsetCursor();
        return;
    }
    client->setCursor(cursor);
}

void CTKTabClientWnd::OnClientMouseMove(CPoint point)
{
    for (const auto& group : m_groups)
        group->OnMouseMove(GetMDIClient(), point.x, point.y);
}

INT_PTR CTKTabClientWnd::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    if (!CTKPopupTracker::Get().GetTrackedBars().empty())
        return -1;
    CTKTabItem* tab = HitTestTab(point.x, point.y);
    if (tab == nullptr)
        return -1;
    return static_cast<CTKMDITabGroup*>(tab->GetTabSet())->FillToolInfo(GetMDIClient(), tab, info);
}

// ---- Groups ----

void CTKTabClientWnd::SetCurrentGroup(CTKMDITabGroup* group)
{
    if (group == m_currentGroup)
        return;
    if (m_currentGroup != nullptr)
        m_currentGroup->SetActive(FALSE);
    m_currentGroup = group;
    if (group != nullptr)
        group->SetActive(TRUE);
}

BOOL CTKTabClientWnd::IsGroupCommandEnabled(UINT id, CTKTabItem** tabOut)
{
    if (!m_groupsMode || GetMDIClient() == nullptr)
        return FALSE;
    CMDIChildWnd* active = GetMDIClient()->GetActive();
    CTKTabItem* tab = active ? FindTab(active) : nullptr;
    if (tab == nullptr)
        return FALSE;
    if (tabOut != nullptr)
        *tabOut = tab;
    auto* group = static_cast<CTKMDITabGroup*>(tab->GetTabSet());
    const int index = GroupIndex(group);
    const BOOL several = GetGroupCount() > 1;
    switch (id) {
    case ID_TABGROUP_PREVIOUS:
        return index > 0;
    case ID_TABGROUP_NEXT:
        return index < GetGroupCount() - 1;
    case ID_TABGROUP_NEW_HORIZONTAL:
        if (several && !m_horizontal)
            return FALSE;
        return group->GetTabCount() > 1;
    case ID_TABGROUP_NEW_VERTICAL:
        if (several && m_horizontal)
            return FALSE;
        return group->GetTabCount() > 1;
    default:
        return TRUE;
    }
}

void CTKTabClientWnd::OnGroupCommand(UINT id)
{
    CTKTabItem* tab = nullptr;
    if (!IsGroupCommandEnabled(id, &tab))
        return;
    auto* group = static_cast<CTKMDITabGroup*>(tab->GetTabSet());
    const int index = GroupIndex(group);
    switch (id) {
    case ID_TABGROUP_PREVIOUS:
        MoveTab(tab, GetGroup(index - 1), kDropMove);
        break;
    case ID_TABGROUP_NEXT:
        MoveTab(tab, GetGroup(index + 1), kDropMove);
        break;
    case ID_TABGROUP_NEW_HORIZONTAL:
        MoveTab(tab, group, kDropNewHorizontal);
        break;
    case ID_TABGROUP_NEW_VERTICAL:
        MoveTab(tab, group, kDropNewVertical);
        break;
    default:
        break;
    }
}

void CTKTabClientWnd::OnUpdateGroupCommand(CCmdUI* cmdUI)
{
    cmdUI->Enable(IsGroupCommandEnabled(cmdUI->m_nID, nullptr));
}

BOOL CTKTabClientWnd::MoveTab(CTKTabItem* tab, CTKMDITabGroup* target, int kind)
{
    m_deferring = TRUE;
    m_busy = TRUE;
    // The extra reference keeps the tab through its removal; the new group takes it over.
    const BOOL moves = tab != nullptr && target != nullptr && GroupIndex(target) >= 0;
    if (moves && kind == kDropMove) {
        tab->InternalAddRef();
        const COLORREF color = tab->GetRawColor();
        tab->Remove();
        target->InsertTab(-1, tab);
        tab->SetRawColor(color);
        target->SetSelectedTab(tab);
    } else if (moves && (kind == kDropNewHorizontal || kind == kDropNewVertical)) {
        tab->InternalAddRef();
        const COLORREF color = tab->GetRawColor();
        tab->Remove();
        CTKMDITabGroup* created = CreateTabGroup(GroupIndex(target) + 1);
        created->InsertTab(-1, tab);
        tab->SetRawColor(color);
        created->SetSelectedTab(tab);
        target->SetShare(target->GetShare() / 2);
        created->SetShare(target->GetShare());
        m_horizontal = kind == kDropNewHorizontal;
    }
    m_deferring = FALSE;
    m_busy = FALSE;
    m_layoutPending = TRUE;
    SyncTabs();
    return moves;
}

// ---- Dragging tabs between groups ----

void CTKTabClientWnd::BeginDragFeedback()
{
    m_lastDrawnRect.SetRectEmpty();
    m_lastThickness = CSize(0, 0);
    m_dropRect.SetRectEmpty();
    m_dropGroup = nullptr;
    m_dropKind = kDropNone;
    if (CMDIClient* client = GetMDIClient())
        client->UpdateWindow();
    m_outline = std::make_unique<CDragOutline>();
}

void CTKTabClientWnd::DrawDragFeedback(BOOL erase)
{
    CMDIClient* client = GetMDIClient();
    if (!m_outline || client == nullptr)
        return;
    CRect rect = m_dropRect;
    client->ClientToScreen(&rect);
    const CSize thickness = erase ? CSize(0, 0) : CSize(GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME));
    m_outline->DrawDragRect(rect, thickness, &m_lastDrawnRect, m_lastThickness);
    m_lastDrawnRect = rect;
    m_lastThickness = thickness;
}

void CTKTabClientWnd::EndDragFeedback()
{
    DrawDragFeedback(TRUE);
    m_outline.reset();
}

void CTKTabClientWnd::UpdateDropTarget(int x, int y, CTKTabItem* tab)
{
    CMDIClient* client = GetMDIClient();
    CRect drop;
    m_dropGroup = nullptr;
    m_dropKind = kDropNone;
    CRect clientRect;
    if (client != nullptr)
        client->GetClientRect(&clientRect);
    const CPoint point(x, y);
    if (client != nullptr && clientRect.PtInRect(point)) {
        ShowCursor(kCursorDragInside);
        m_dropKind = kDropMenu;
        const BOOL single = GetGroupCount() == 1;
        for (const auto& each : m_groups) {
            CTKMDITabGroup* group = each.get();
            const BOOL allowed = tab == nullptr || tab->GetTabSet() != group || group->GetTabCount() > 1;
            const CRect whole = group->GetWholeRect();
            if (group->GetHeaderRect().PtInRect(point)) {
                drop = group->GetClientRect();
                m_dropKind = kDropMove;
            } else if ((single || m_horizontal) && allowed && whole.bottom - y > 0 && whole.bottom - y < kDropEdge) {
                drop = whole;
                drop.top = (whole.top + whole.bottom) / 2;
                m_dropKind = kDropNewHorizontal;
            } else if ((single || !m_horizontal) && allowed && whole.right - x > 0 && whole.right - x < kDropEdge) {
                drop = whole;
                drop.left = (whole.left + whole.right) / 2;
                m_dropKind = kDropNewVertical;
            } else {
                continue;
            }
            m_dropGroup = group;
            break;
        }
    } else {
        ShowCursor(kCursorDragOutside);
    }
    if (drop == m_dropRect)
        return;
    m_dropRect = drop;
    DrawDragFeedback(FALSE);
}

void CTKTabClientWnd::ShowDropMenu(CPoint point)
{
    CTKCommandBars* bars = GetCommandBars();
    CMDIClient* client = GetMDIClient();
    if (bars == nullptr || client == nullptr)
        return;
    CTKPopupBar* popup = CTKPopupBar::NewPopupBar(bars);
    if (popup == nullptr)
        return;
    // The workspace actions: the group commands that apply to the active child.
    static const UINT kWorkspaceActions[] = {ID_TABGROUP_NEW_HORIZONTAL, ID_TABGROUP_NEW_VERTICAL,
                                             ID_TABGROUP_PREVIOUS, ID_TABGROUP_NEXT};
    CTKControls* controls = popup->GetControls();
    for (UINT id : kWorkspaceActions) {
        if (IsGroupCommandEnabled(id, nullptr))
            controls->AddNewControl(kTKControlButton, id);
    }
    if (CTKControl* cancel = controls->AddNewControl(kTKControlButton, ID_TABGROUP_CANCEL)) {
        cancel->SetBeginGroup(TRUE);
        cancel->SetFlags(cancel->GetFlags() | kTKFlagNoUpdate);
    }
    client->ClientToScreen(&point);
    CTKCommandBars::TrackPopupBar(popup, 0, point.x, point.y, m_frame, nullptr, m_frame);
    popup->InternalRelease();
}
