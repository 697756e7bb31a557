#include "toolkit/docking/tabs/CTKTabSet.h"

#include "platform/ui/CTrackingLoop.h"
#include "platform/ui/CWnd.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

#include <algorithm>

namespace {

// The automatic tab colours, in palette order.
constexpr COLORREF kAutoColors[CTKTabSet::kAutoColorCount] = {
    RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
    RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(216, 171, 192),
};

CPoint PointOf(const MSG& msg)
{
    return CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
}

} // namespace

CTKTabSet::CTKTabSet()
{
    m_buttons.push_back(std::make_unique<CTKTabNavigateButton>(this, CTKTabNavigateButton::kScrollStart,
                                                               CTKTabNavigateButton::kWhenNeeded));
    m_buttons.push_back(std::make_unique<CTKTabNavigateButton>(this, CTKTabNavigateButton::kScrollEnd,
                                                               CTKTabNavigateButton::kWhenNeeded));
    m_buttons.push_back(
        std::make_unique<CTKTabNavigateButton>(this, CTKTabNavigateButton::kClose, CTKTabNavigateButton::kHidden));
}

CTKTabSet::~CTKTabSet()
{
    for (CTKTabItem* tab : m_tabs)
        ReleaseTab(tab);
}

void CTKTabSet::ReleaseTab(CTKTabItem* tab)
{
    // A tab that someone else still holds must not reach back into this set.
    tab->SetTabSet(nullptr);
    tab->SetIndex(-1);
    tab->InternalRelease();
}

std::string CTKTabSet::GetTabCaption(const CTKTabItem* tab) const
{
    return tab->GetRawCaption();
}

const CIconImage* CTKTabSet::GetTabIcon(const CTKTabItem* tab) const
{
    return tab->GetIcon();
}

COLORREF CTKTabSet::GetTabColor(const CTKTabItem* tab) const
{
    const COLORREF color = tab->GetRawColor();
    if (color >= kAutoColorFirst && color < kAutoColorFirst + kAutoColorCount)
        return kAutoColors[color - kAutoColorFirst];
    return color;
}

std::string CTKTabSet::GetTabTooltip(const CTKTabItem* tab) const
{
    return tab->GetTooltip();
}

void CTKTabSet::RefreshIndexes()
{
    for (int i = 0; i < GetTabCount(); ++i)
        m_tabs[static_cast<size_t>(i)]->SetIndex(i);
    OnLayoutChanged();
}

void CTKTabSet::SetSelectedTab(CTKTabItem* tab)
{
    if (tab == m_selected)
        return;
    m_selected = tab;
    OnLayoutChanged();
    EnsureVisible(tab);
}

void CTKTabSet::GetTabSizes(CSize* fixed, CSize* minimum, CSize* maximum) const
{
    if (fixed)
        *fixed = m_fixedSize;
    if (minimum)
        *minimum = m_minimumSize;
    if (maximum)
        *maximum = m_maximumSize;
}

BOOL CTKTabSet::IsFrameVisible() const
{
    const CTKTabRenderer* renderer = GetRenderer();
    return renderer ? renderer->IsStaticFrame() : FALSE;
}

int CTKTabSet::GetPosition() const
{
    const CTKTabRenderer* renderer = GetRenderer();
    return renderer ? renderer->GetPosition() : CTKTabRenderer::kTop;
}

void CTKTabSet::OnTabClick(CTKTabItem* tab)
{
    SetSelectedTab(tab);
}

void CTKTabSet::OnNavigateButtonClick(int)
{
}

CTKTabItem* CTKTabSet::InsertTab(int index, CTKTabItem* tab)
{
    if (tab == nullptr)
        tab = new CTKTabItem;
    if (index < 0 || index > GetTabCount())
        index = GetTabCount();
    m_tabs.insert(m_tabs.begin() + index, tab);
    tab->SetTabSet(this);
    tab->SetRawColor(kAutoColorFirst + static_cast<COLORREF>(m_tabsAdded % kAutoColorCount));
    ++m_tabsAdded;
    RefreshIndexes();
    return tab;
}

BOOL CTKTabSet::RemoveTabAt(int index)
{
    if (index < 0 || index >= GetTabCount())
        return FALSE;
    CTKTabItem* tab = m_tabs[static_cast<size_t>(index)];
    m_tabs.erase(m_tabs.begin() + index);
    if (m_hot == tab)
        m_hot = nullptr;
    if (m_selected == tab) {
        m_selected = nullptr;
        SelectNeighbourTab(index);
    }
    ReleaseTab(tab);
    RefreshIndexes();
    return TRUE;
}

void CTKTabSet::RemoveAllTabs()
{
    for (CTKTabItem* tab : m_tabs)
        ReleaseTab(tab);
    m_tabs.clear();
    m_selected = nullptr;
    m_hot = nullptr;
    RefreshIndexes();
}

void CTKTabSet::SelectNeighbourTab(int index)
{
    if (m_tabs.empty()) {
        SetSelectedTab(nullptr);
        return;
    }
    index = std::clamp(index, 0, GetTabCount() - 1);
    SetSelectedTab(m_tabs[static_cast<size_t>(index)]);
}

void CTKTabSet::SetScrollOffset(int offset)
{
    offset = std::min(offset, 0);
    if (offset == m_scrollOffset)
        return;
    m_scrollOffset = offset;
    OnLayoutChanged();
}

int CTKTabSet::GetTotalTabLength() const
{
    int total = 0;
    for (const CTKTabItem* tab : m_tabs)
        total += tab->GetLength();
    return total;
}

void CTKTabSet::EnsureVisible(CTKTabItem* tab)
{
    CTKTabRenderer* renderer = GetRenderer();
    if (tab == nullptr || renderer == nullptr)
        return;
    renderer->EnsureTabVisible(this, tab);
}

void CTKTabSet::SetTabSizes(CSize fixed, CSize minimum, CSize maximum)
{
    m_fixedSize = fixed;
    m_minimumSize = minimum;
    m_maximumSize = maximum;
    OnLayoutChanged();
}

void CTKTabSet::SetActive(BOOL active)
{
    active = active ? TRUE : FALSE;
    if (active == m_active)
        return;
    m_active = active;
    OnLayoutChanged();
}

CTKTabNavigateButton* CTKTabSet::FindNavigateButton(int kind) const
{
    for (const auto& button : m_buttons) {
        if (button->GetKind() == kind)
            return button.get();
    }
    return nullptr;
}

CTKTabItem* CTKTabSet::GetTab(int index) const
{
    if (index < 0 || index >= GetTabCount())
        return nullptr;
    return m_tabs[static_cast<size_t>(index)];
}

CTKTabNavigateButton* CTKTabSet::GetNavigateButton(int index) const
{
    if (index < 0 || index >= GetNavigateButtonCount())
        return nullptr;
    return m_buttons[static_cast<size_t>(index)].get();
}

CTKTabItem* CTKTabSet::HitTest(int x, int y) const
{
    const CPoint point(x, y);
    if (!m_wholeRect.PtInRect(point))
        return nullptr;
    if (!m_headerRect.IsRectEmpty() && !m_headerRect.PtInRect(point))
        return nullptr;
    for (CTKTabItem* tab : m_tabs) {
        if (tab->GetRect().PtInRect(point) && tab->IsEnabled() && tab->IsVisible())
            return tab;
    }
    return nullptr;
}

BOOL CTKTabSet::IsHotTracking() const
{
    const CTKTabRenderer* renderer = GetRenderer();
    return renderer && renderer->IsHotTracking();
}

BOOL CTKTabSet::OnMouseDown(CWnd* window, int x, int y, BOOL buttonsOnly)
{
    for (const auto& button : m_buttons) {
        if (button->GetRect().PtInRect(CPoint(x, y))) {
            button->Track(window, x, y);
            return TRUE;
        }
    }
    if (buttonsOnly)
        return FALSE;
    CTKTabItem* tab = HitTest(x, y);
    if (tab == nullptr)
        return FALSE;
    if (IsReorderAllowed())
        TrackTabDrag(window, x, y, tab);
    else
        OnTabClick(tab);
    return TRUE;
}

void CTKTabSet::OnMouseMove(CWnd* window, int x, int y)
{
    if (window == nullptr || !window->window()->isActiveWindow() || IsInputLocked())
        return;
    if (IsHotTracking()) {
        CTKTabItem* tab = HitTest(x, y);
        if (tab != m_hot) {
            m_hot = tab;
            Redraw();
        }
    }
    for (const auto& button : m_buttons)
        button->UpdateHover(window, x, y);
}

int CTKTabSet::FillToolInfo(CWnd*, CTKTabItem* tab, TOOLINFO* info) const
{
    if (tab == nullptr)
        return -1;
    const std::string text = GetTabTooltip(tab);
    if (text.empty())
        return -1;
    if (info) {
        info->uId = static_cast<UINT_PTR>(tab->GetIndex());
        info->rect = tab->GetRect();
        info->text = text;
    }
    return tab->GetIndex();
}

void CTKTabSet::SwapTabs(int first, int second)
{
    std::swap(m_tabs[static_cast<size_t>(first)], m_tabs[static_cast<size_t>(second)]);
}

void CTKTabSet::TrackTabDrag(CWnd* window, int x, int y, CTKTabItem* tab)
{
    if (window == nullptr || tab == nullptr)
        return;
    CTKTabItem* remembered = m_selected;
    m_selected = tab;
    if (IsHotTracking())
        m_hot = tab;
    OnLayoutChanged();

    // The places stay where they were when the drag began.
    std::vector<CRect> places;
    for (const CTKTabItem* each : m_tabs)
        places.push_back(each->GetRect());

    CPoint last(x, y);
    CTrackingLoop loop(window);
    loop.SetFilter([&](const MSG& msg) -> BOOL {
        switch (msg.message) {
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
            last = PointOf(msg);
            loop.End();
            return TRUE;
        case WM_KEYDOWN:
            return msg.wParam == VK_ESCAPE ? FALSE : TRUE;
        case WM_KEYUP:
        case WM_CHAR:
            return TRUE;
        case WM_MOUSEMOVE:
            break;
        default:
            return FALSE;
        }
        last = PointOf(msg);
        const int current = tab->GetIndex();
        for (int i = 0; i < static_cast<int>(places.size()) && i < GetTabCount(); ++i) {
            if (i == current || !places[static_cast<size_t>(i)].PtInRect(last))
                continue;
            SwapTabs(current, i);
            RefreshIndexes();
            break;
        }
        return TRUE;
    });
    loop.Run();

    OnMouseMove(window, last.x, last.y);
    m_selected = remembered;
    OnTabClick(tab);
}
