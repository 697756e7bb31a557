#include "platform/ui/CStatusBar.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/WinMessages.h"

namespace {

// Height of the bar, width of a fixed pane, width of the plain panes after the first.
constexpr int kBarHeight = 22;
constexpr int kIndicatorWidth = 40;
constexpr int kTextPaneWidth = 160;
constexpr int kPaneGap = 2;
constexpr int kTextInset = 4;

struct IndicatorRecord {
    UINT id;
    int virtualKey;
    const char* text;
};

const IndicatorRecord kIndicators[] = {
    {ID_INDICATOR_NUM, VK_NUMLOCK, "NUM"},
};

} // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CWnd)

CStatusBar::CStatusBar() = default;
CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::CreateBar(CWnd* parent, DWORD style, UINT id)
{
    return Create(parent, CRect(0, 0, 0, kBarHeight), id, style);
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    if (ids == nullptr || count <= 0)
        return FALSE;
    m_panes.assign(static_cast<size_t>(count), Pane{});
    for (int i = 0; i < count; ++i)
        m_panes[static_cast<size_t>(i)].id = ids[i];
    LayoutPanes();
    return TRUE;
}

UINT CStatusBar::GetItemID(int index) const
{
    if (index < 0 || index >= GetCount())
        return 0;
    return m_panes[static_cast<size_t>(index)].id;
}

BOOL CStatusBar::SetPaneText(int index, const std::string& text)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(index)];
    if (pane.text == text)
        return TRUE;
    pane.text = text;
    Invalidate(FALSE);
    return TRUE;
}

std::string CStatusBar::GetPaneText(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    return m_panes[static_cast<size_t>(index)].text;
}

CRect CStatusBar::GetItemRect(int index) const
{
    if (index < 0 || index >= GetCount())
        return CRect();
    return m_panes[static_cast<size_t>(index)].rect;
}

std::string CStatusBar::IndicatorText(UINT id)
{
    for (const IndicatorRecord& record : kIndicators) {
        if (record.id == id)
            return (GetKeyState(record.virtualKey) & 1) ? record.text : "";
    }
    return {};
}

void CStatusBar::LayoutPanes()
{
    CRect client;
    GetClientRect(&client);
    int right = client.right;
    for (size_t i = m_panes.size(); i-- > 1;) {
        const int width = m_panes[i].id != 0 ? kIndicatorWidth : kTextPaneWidth;
        m_panes[i].rect = CRect(right - width, client.top, right, client.bottom);
        right -= width + kPaneGap;
    }
    if (!m_panes.empty())
        m_panes[0].rect = CRect(client.left, client.top, std::max(client.left, right), client.bottom);
}

LRESULT CStatusBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect& free = layout->rect;
    const int height = std::min(kBarHeight, free.Height());
    MoveWindow(CRect(free.left, free.bottom - height, free.right, free.bottom));
    free.bottom -= height;
    layout->sizeTotal.cy += height;
    return 0;
}

void CStatusBar::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    LayoutPanes();
}

void CStatusBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    for (const Pane& pane : m_panes) {
        CRect text = pane.rect;
        text.DeflateRect(kTextInset, 0);
        const std::string shown = pane.id != 0 ? IndicatorText(pane.id) : pane.text;
        dc.DrawText(shown, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}
