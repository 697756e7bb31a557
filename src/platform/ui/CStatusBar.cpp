#include "platform/ui/CStatusBar.h"

#include "platform/CFont.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/WinMessages.h"

namespace {

// Height of the bar before a minimum height asks for more, and the border
// above and below the drawing area.
constexpr int kBarHeight = 22;
constexpr int kVerticalBorder = 2;
constexpr int kPaneGap = 2;
constexpr int kTextInset = 4;
// A fixed pane is its width and three edges wide; plain panes a quarter of the screen.
constexpr int kPaneEdges = 3;
constexpr int kScreenParts = 4;

struct IndicatorRecord {
    UINT id;
    int virtualKey;
    const char* text;
};

const IndicatorRecord kIndicators[] = {
    {ID_INDICATOR_NUM, VK_NUMLOCK, "NUM"},
};

const IndicatorRecord* FindIndicator(UINT id)
{
    for (const IndicatorRecord& record : kIndicators) {
        if (record.id == id)
            return &record;
    }
    return nullptr;
}

} // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CWnd)

CStatusBar::CStatusBar() = default;
CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::CreateBar(CWnd* parent, DWORD style, UINT id)
{
    if (parent && (parent->GetStyle() & WS_THICKFRAME))
        style |= SBARS_SIZEGRIP;
    return Create(parent, CRect(0, 0, 0, kBarHeight), id, style);
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    if (ids == nullptr || count <= 0)
        return FALSE;
    std::vector<Pane> panes(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        Pane& pane = panes[static_cast<size_t>(i)];
        pane.id = ids[i];
        if (pane.id == 0) {
            pane.width = GetSystemMetrics(SM_CXSCREEN) / kScreenParts;
            if (i == 0)
                pane.style = SBPS_STRETCH | SBPS_NOBORDERS;
            continue;
        }
        pane.text = IndicatorText(pane.id);
        if (pane.text.empty())
            return FALSE;
        pane.width = MeasureText(pane.text);
    }
    m_panes = std::move(panes);
    LayoutPanes();
    Invalidate(FALSE);
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

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    id = 0;
    style = 0;
    width = 0;
    if (index < 0 || index >= GetCount())
        return;
    const Pane& pane = m_panes[static_cast<size_t>(index)];
    id = pane.id;
    style = pane.style;
    width = pane.width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= GetCount())
        return;
    Pane& pane = m_panes[static_cast<size_t>(index)];
    pane.id = id;
    pane.style = style;
    pane.width = std::max(0, width);
    LayoutPanes();
    Invalidate(FALSE);
}

UINT CStatusBar::GetPaneStyle(int index) const
{
    if (index < 0 || index >= GetCount())
        return 0;
    return m_panes[static_cast<size_t>(index)].style;
}

void CStatusBar::SetPaneStyle(int index, UINT style)
{
    if (index < 0 || index >= GetCount())
        return;
    m_panes[static_cast<size_t>(index)].style = style;
    LayoutPanes();
    Invalidate(FALSE);
}

int CStatusBar::GetBarHeight() const
{
    return std::max(kBarHeight, m_minHeight + 2 * kVerticalBorder);
}

std::string CStatusBar::GetShownText(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    const Pane& pane = m_panes[static_cast<size_t>(index)];
    if (pane.id != 0 && !IsIndicatorOn(pane.id))
        return {};
    return pane.text;
}

std::string CStatusBar::IndicatorText(UINT id)
{
    std::string text = CResourceStore::Instance().LoadString(id);
    if (!text.empty())
        return text;
    const IndicatorRecord* record = FindIndicator(id);
    return record ? record->text : "";
}

BOOL CStatusBar::IsIndicatorOn(UINT id)
{
    const IndicatorRecord* record = FindIndicator(id);
    return !record || (GetKeyState(record->virtualKey) & 1);
}

int CStatusBar::MeasureText(const std::string& text) const
{
    CQtImageDC screen(1, 1);
    CFont* old = m_font ? screen.SelectObject(m_font) : nullptr;
    const int width = screen.GetTextExtent(text).cx;
    if (old)
        screen.SelectObject(old);
    return width;
}

void CStatusBar::LayoutPanes()
{
    CRect client;
    GetClientRect(&client);
    const int edges = kPaneEdges * GetSystemMetrics(SM_CXEDGE);
    int stretch = -1;
    int fixed = 0;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (stretch < 0 && (m_panes[i].style & SBPS_STRETCH))
            stretch = static_cast<int>(i);
        else
            fixed += m_panes[i].width + edges;
        if (i > 0)
            fixed += kPaneGap;
    }
    int left = client.left;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        const int width = static_cast<int>(i) == stretch ? std::max(0, client.Width() - fixed)
                                                         : m_panes[i].width + edges;
        int right = left + width;
        if (i + 1 == m_panes.size())
            right = std::max(right, client.right);
        m_panes[i].rect = CRect(left, client.top + kVerticalBorder, right, client.bottom);
        left = right + kPaneGap;
    }
}

LRESULT CStatusBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT:
        m_font = reinterpret_cast<CFont*>(wParam);
        if (lParam)
            Invalidate(FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case SB_SETMINHEIGHT:
        m_minHeight = static_cast<int>(wParam);
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

LRESULT CStatusBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect& free = layout->rect;
    const int height = std::min(GetBarHeight(), free.Height());
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
    if (m_font)
        dc.SelectObject(m_font);
    for (int i = 0; i < GetCount(); ++i) {
        CRect text = GetItemRect(i);
        text.DeflateRect(kTextInset, 0);
        dc.DrawText(GetShownText(i), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}
