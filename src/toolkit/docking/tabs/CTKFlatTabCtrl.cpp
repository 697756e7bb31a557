#include "CTKFlatTabCtrl.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/draw/CTKMemDC.h"
#include "toolkit/commandbars/draw/CTKUIMetrics.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CTKFlatTabCtrl, CWnd)

namespace {

constexpr int kPercent = 100;

struct ButtonSetup {
    UINT commandId;
    BYTE stopBar;
    BYTE direction;
};

// first, scroll left, scroll right, last
const ButtonSetup kButtonSetups[] = {
    {CTKFlatTabCtrl::kCmdFirst, 1, CTKFlatTabCtrl::kPointsLeft},
    {CTKFlatTabCtrl::kCmdScrollLeft, 0, CTKFlatTabCtrl::kPointsLeft},
    {CTKFlatTabCtrl::kCmdScrollRight, 0, CTKFlatTabCtrl::kPointsRight},
    {CTKFlatTabCtrl::kCmdLast, 1, CTKFlatTabCtrl::kPointsRight},
};

} // namespace

CTKFlatTabCtrl::CTKFlatTabCtrl()
    : m_buttonWidth(GetSystemMetrics(SM_CXHSCROLL) - 1), m_stripHeight(GetSystemMetrics(SM_CYHSCROLL)),
      m_measureDC(std::make_unique<CQtImageDC>(1, 1))
{
    static const CMsgEntry<CTKFlatTabCtrl> table[] = {
        {WM_HSCROLL, &CTKFlatTabCtrl::OnHScroll},
        {WM_SYSCOLORCHANGE, &CTKFlatTabCtrl::OnSysColorChange},
    };
    AddMessageTable(table);
    SetClassStyle(CS_DBLCLKS);
    CTKUIMetrics* metrics = GetUIMetrics();
    m_normalFont = &metrics->fonts[CTKUIMetrics::kRegular];
    m_boldFont = &metrics->fonts[CTKUIMetrics::kBold];
    ReadColors();
    CreatePens();
}

CTKFlatTabCtrl::~CTKFlatTabCtrl()
{
    // The page windows belong to the caller: detach them before Qt deletes children.
    while (RemoveItem(0)) {
    }
}

void CTKFlatTabCtrl::ReadColors()
{
    m_clrShadow = GetSysColor(COLOR_BTNSHADOW);
    m_clrButtonText = GetSysColor(COLOR_BTNTEXT);
    m_clrHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrWindow = GetSysColor(COLOR_WINDOW);
    m_clrFace = GetSysColor(COLOR_BTNFACE);
    m_clrWindowText = GetSysColor(COLOR_WINDOWTEXT);
}

void CTKFlatTabCtrl::CreatePens()
{
    m_penShadow.DeleteObject();
    m_penShadow.CreatePen(PS_SOLID, 1, m_clrShadow);
    m_penWindow.DeleteObject();
    m_penWindow.CreatePen(PS_SOLID, 1, m_clrWindow);
    m_penFace.DeleteObject();
    m_penFace.CreatePen(PS_SOLID, 1, m_clrFace);
    m_penButtonText.DeleteObject();
    m_penButtonText.CreatePen(PS_SOLID, 1, m_clrButtonText);
    m_penHighlight.DeleteObject();
    m_penHighlight.CreatePen(PS_SOLID, 1, m_clrHighlight);
}

LRESULT CTKFlatTabCtrl::OnSysColorChange(WPARAM, LPARAM)
{
    Default();
    ReadColors();
    CreatePens();
    Invalidate();
    return 0;
}

void CTKFlatTabCtrl::SetFonts(CFont* normal, CFont* bold)
{
    if (normal)
        m_normalFont = normal;
    if (bold)
        m_boldFont = bold;
}

BOOL CTKFlatTabCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(parent, rect, id, style);
}

int CTKFlatTabCtrl::OnCreate()
{
    if (CWnd::OnCreate() == -1)
        return -1;
    m_style = GetStyle() & kStyleMask;
    if (m_style & kStyleFirstLast)
        m_style |= kStyleButtons;
    CRect client;
    GetClientRect(&client);
    m_clientWidth = client.Width();
    m_clientHeight = client.Height();
    if (m_style & kStyleToolTips)
        EnableToolTips(TRUE);
    SetUpButtons();
    RecalcLayout();
    if (m_style & kStyleScrollBar) {
        m_scrollBar.Create(WS_CHILD | WS_VISIBLE, CRect(), this, kScrollBarId);
        SetSplitterPos(kDefaultSplitterPercent, TRUE);
    } else {
        m_scrollBarRect.SetRectEmpty();
    }
    return 0;
}

void CTKFlatTabCtrl::SetUpButtons()
{
    if (m_style & kStyleFirstLast) {
        m_posFirst = 0;
        m_posScrollLeft = 1;
        m_posScrollRight = 2;
        m_posLast = 3;
        for (int k = 0; k < kButtonCount; ++k) {
            m_buttons[k].commandId = kButtonSetups[k].commandId;
            m_buttons[k].stopBar = kButtonSetups[k].stopBar;
            m_buttons[k].direction = kButtonSetups[k].direction;
        }
        return;
    }
    if (!(m_style & kStyleButtons))
        return;
    m_posScrollLeft = 0;
    m_posScrollRight = 1;
    for (int k = 0; k < 2; ++k) {
        m_buttons[k].commandId = kButtonSetups[k + 1].commandId;
        m_buttons[k].stopBar = kButtonSetups[k + 1].stopBar;
        m_buttons[k].direction = kButtonSetups[k + 1].direction;
    }
}

int CTKFlatTabCtrl::GetButtonsWidth() const
{
    if (m_style & kStyleFirstLast)
        return 4 * m_buttonWidth;
    if (m_style & kStyleButtons)
        return 2 * m_buttonWidth;
    return 0;
}

void CTKFlatTabCtrl::RecalcLayout()
{
    const int h = m_stripHeight;
    const int cx = m_clientWidth;
    const int cy = m_clientHeight;
    if (m_style & kStyleBottom) {
        m_stripRect = CRect(0, cy - h, cx, cy);
        m_pageRect = CRect(0, 0, cx, cy - h);
    } else {
        m_stripRect = CRect(0, 0, cx, h);
        m_pageRect = CRect(0, h, cx, cy);
    }
    if (m_hasPageWindows) {
        for (const auto& tab : m_tabs)
            if (tab->window)
                tab->window->SetWindowPos(nullptr, m_pageRect.left, m_pageRect.top, m_pageRect.Width(),
                                          m_pageRect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const int buttons = GetButtonsWidth() / std::max(1, m_buttonWidth);
    for (int k = 0; k < buttons && k < kButtonCount; ++k)
        m_buttons[k].rect =
            CRect(k * m_buttonWidth, m_stripRect.top + 1, (k + 1) * m_buttonWidth, m_stripRect.bottom);
    UpdateButtons();
}

void CTKFlatTabCtrl::OnSize(UINT, int cx, int cy)
{
    m_clientWidth = cx;
    m_clientHeight = cy;
    RecalcLayout();
    if (m_style & kStyleScrollBar)
        SetSplitterPos(m_splitterPercent, TRUE);
    SyncScrollBar();
}

CFont* CTKFlatTabCtrl::FontOf(int index) const
{
    return index == m_current ? m_boldFont : m_normalFont;
}

CSize CTKFlatTabCtrl::LabelExtent(int index) const
{
    CFont* old = m_measureDC->SelectObject(FontOf(index));
    CSize extent = m_measureDC->GetTextExtent(m_tabs[static_cast<size_t>(index)]->label);
    m_measureDC->SelectObject(old);
    return extent;
}

int CTKFlatTabCtrl::GetTabWidth(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return 0;
    return LabelExtent(index).cx + m_stripHeight + m_stripHeight / 2;
}

int CTKFlatTabCtrl::GetTotalTabWidth() const
{
    const int count = GetItemCount();
    if (count == 0)
        return 0;
    int total = 0;
    for (int i = 0; i < count; ++i)
        total += GetTabWidth(i);
    return total - (count - 1) * GetOverlap();
}

int CTKFlatTabCtrl::GetTabAreaWidth() const
{
    const int right = (m_style & kStyleScrollBar) ? m_splitterPos : m_clientWidth;
    return right - GetButtonsWidth();
}

int CTKFlatTabCtrl::TabStartAtZero(int index) const
{
    int start = 0;
    for (int i = 0; i < index; ++i)
        start += GetTabWidth(i) - GetOverlap();
    return start;
}

int CTKFlatTabCtrl::TabStart(int index) const
{
    return GetButtonsWidth() - m_scrollOffset + TabStartAtZero(index);
}

void CTKFlatTabCtrl::UpdateButtons()
{
    const BOOL left = m_scrollOffset > 0;
    const BOOL right = GetTabAreaWidth() - 1 < GetTotalTabWidth() - m_scrollOffset;
    const int positions[] = {m_posScrollLeft, m_posScrollRight, m_posFirst, m_posLast};
    const BOOL states[] = {left, right, left, right};
    for (int k = 0; k < kButtonCount; ++k)
        if (!m_buttons[positions[k]].rect.IsRectEmpty() && m_buttons[positions[k]].commandId != 0)
            m_buttons[positions[k]].enabled = states[k] ? 1 : 0;
    CRect area(0, m_stripRect.top, GetButtonsWidth(), m_stripRect.bottom);
    InvalidateRect(&area, TRUE);
}

void CTKFlatTabCtrl::InvalidateTabs()
{
    InvalidateRect(&m_stripRect, FALSE);
}

int CTKFlatTabCtrl::InsertItem(int index, const std::string& label, CWnd* window)
{
    if (index < 0 || index > GetItemCount())
        return -1;
    if (window) {
        m_hasPageWindows = 1;
        window->SetParent(this);
        window->SetWindowPos(nullptr, m_pageRect.left, m_pageRect.top, m_pageRect.Width(), m_pageRect.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
    }
    auto tab = std::make_unique<TabItem>();
    tab->window = window;
    tab->label = label;
    tab->tooltip = label;
    m_tabs.insert(m_tabs.begin() + index, std::move(tab));
    if (m_current >= index)
        ++m_current;
    if (m_current == -1)
        m_current = 0;
    UpdateButtons();
    InvalidateTabs();
    SetCurSel(index);
    return index;
}

int CTKFlatTabCtrl::InsertItem(int index, UINT labelId, CWnd* window)
{
    return InsertItem(index, CResourceStore::Instance().LoadString(labelId), window);
}

int CTKFlatTabCtrl::SetCurSel(int index)
{
    if (index < 0 || index >= GetItemCount())
        return -1;
    const int previous = m_current;
    m_current = index;
    const int left = TabStart(index) - GetButtonsWidth();
    const int right = left + GetTabWidth(index);
    if (left <= 0)
        m_scrollOffset += left;
    else if (right > GetTabAreaWidth())
        m_scrollOffset += right - GetTabAreaWidth();
    if (previous != index && previous >= 0 && previous < GetItemCount()) {
        if (CWnd* old = m_tabs[static_cast<size_t>(previous)]->window)
            old->ShowWindow(SW_HIDE);
    }
    if (CWnd* page = m_tabs[static_cast<size_t>(index)]->window)
        page->ShowWindow(SW_SHOW);
    SyncScrollBar();
    UpdateButtons();
    InvalidateTabs();
    return previous;
}

BOOL CTKFlatTabCtrl::RemoveItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return FALSE;
    if (CWnd* window = m_tabs[static_cast<size_t>(index)]->window) {
        window->ShowWindow(SW_HIDE);
        window->SetParent(nullptr);
    }
    m_tabs.erase(m_tabs.begin() + index);
    if (m_tabs.empty())
        m_hasPageWindows = 0;
    return TRUE;
}

BOOL CTKFlatTabCtrl::DeleteItem(int index)
{
    if (!RemoveItem(index))
        return FALSE;
    if (m_tabs.empty()) {
        m_current = -1;
    } else if (index == m_current) {
        // The removed tab's window is hidden already; no other one is to hide.
        m_current = -1;
        SetCurSel(0);
    } else if (index < m_current) {
        --m_current;
    }
    UpdateButtons();
    InvalidateTabs();
    return TRUE;
}

BOOL CTKFlatTabCtrl::DeleteAllItems()
{
    while (RemoveItem(0)) {
    }
    m_current = -1;
    UpdateButtons();
    InvalidateTabs();
    return TRUE;
}

CWnd* CTKFlatTabCtrl::GetTabWindow(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return m_tabs[static_cast<size_t>(index)]->window;
}

BOOL CTKFlatTabCtrl::SetTabText(int index, const std::string& text)
{
    if (index < 0 || index >= GetItemCount())
        return FALSE;
    m_tabs[static_cast<size_t>(index)]->label = text;
    RecalcLayout();
    InvalidateTabs();
    return TRUE;
}

std::string CTKFlatTabCtrl::GetTabText(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return {};
    return m_tabs[static_cast<size_t>(index)]->label;
}

void CTKFlatTabCtrl::SetTipText(int index, const std::string& text)
{
    if (index < 0 || index >= GetItemCount())
        return;
    m_tabs[static_cast<size_t>(index)]->tooltip = text;
}

std::string CTKFlatTabCtrl::GetTipText(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return {};
    return m_tabs[static_cast<size_t>(index)]->tooltip;
}

BOOL CTKFlatTabCtrl::GetItemRect(int index, CRect* rect) const
{
    if (!rect || index < 0 || index >= GetItemCount())
        return FALSE;
    const int start = TabStart(index);
    *rect = CRect(start, m_stripRect.top, start + GetTabWidth(index), m_stripRect.bottom);
    return TRUE;
}

int CTKFlatTabCtrl::HitTest(const CPoint* point) const
{
    if (!point)
        return -1;
    const int x = point->x;
    if (x < GetButtonsWidth())
        return -1;
    if ((m_style & kStyleScrollBar) && x > m_splitterRect.left)
        return -1;
    const int count = GetItemCount();
    int start = GetButtonsWidth() - m_scrollOffset;
    for (int i = 0; i < count; ++i) {
        const int width = GetTabWidth(i);
        const int end = i == count - 1 ? start + width : start + width - GetOverlap();
        if (x >= start && x <= end)
            return i;
        start += width - GetOverlap();
    }
    return -1;
}

int CTKFlatTabCtrl::HitTestButton(const CPoint* point) const
{
    if (!point)
        return -1;
    for (int k = 0; k < kButtonCount; ++k)
        if (m_buttons[k].rect.PtInRect(*point))
            return k;
    return -1;
}

int CTKFlatTabCtrl::FirstVisibleTab() const
{
    const CPoint probe(GetOverlap() + GetButtonsWidth() + 1, 1);
    return HitTest(&probe);
}

void CTKFlatTabCtrl::OnScrollLeft()
{
    const int first = FirstVisibleTab();
    if (first < 0)
        return;
    m_scrollOffset = first > 0 ? TabStartAtZero(first - 1) : 0;
}

void CTKFlatTabCtrl::OnScrollRight()
{
    const int first = FirstVisibleTab();
    if (first < 0 || first + 1 >= GetItemCount())
        return;
    m_scrollOffset += TabStart(first + 1) - GetButtonsWidth();
}

void CTKFlatTabCtrl::ScrollHome()
{
    m_scrollOffset = 0;
    UpdateButtons();
    InvalidateTabs();
}

void CTKFlatTabCtrl::OnScrollLast()
{
    // A row narrower than its area needs no scrolling: the offset never goes below 0.
    m_scrollOffset = std::max(0, GetTotalTabWidth() - GetTabAreaWidth() + 1);
}

BOOL CTKFlatTabCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(static_cast<DWORD>(wParam));
    switch (id) {
    case kCmdScrollLeft: OnScrollLeft(); break;
    case kCmdScrollRight: OnScrollRight(); break;
    case kCmdFirst: m_scrollOffset = 0; break;
    case kCmdLast: OnScrollLast(); break;
    default: return CWnd::OnCommand(wParam, lParam);
    }
    UpdateButtons();
    InvalidateTabs();
    return TRUE;
}

void CTKFlatTabCtrl::SetSplitterPos(int value, BOOL percent)
{
    if (!(m_style & kStyleScrollBar))
        return;
    if (percent) {
        m_splitterPos = m_clientWidth * value / kPercent;
        m_splitterPercent = value;
    } else {
        m_splitterPos = value;
        // Before the first sizing there is no width to take a share of.
        if (m_clientWidth != 0)
            m_splitterPercent = value * kPercent / m_clientWidth;
    }
    const int limit = m_clientWidth - 4 * m_buttonWidth - m_stripHeight;
    m_splitterPos = std::max(0, std::min(m_splitterPos, limit));
    const BOOL bottom = (m_style & kStyleBottom) != 0;
    m_splitterRect = CRect(m_splitterPos, m_stripRect.top, m_splitterPos + kSplitterWidth, m_stripRect.bottom);
    m_scrollBarRect = CRect(m_splitterRect.right, bottom ? m_stripRect.top : m_stripRect.top - 1,
                            m_stripRect.right - m_stripHeight, bottom ? m_stripRect.bottom + 1 : m_stripRect.bottom);
    if (m_scrollBar.IsWindow())
        m_scrollBar.MoveWindow(m_scrollBarRect);
    UpdateButtons();
    InvalidateRect(&m_stripRect, TRUE);
}

CScrollBar* CTKFlatTabCtrl::GetScrollBarCtrl(int bar) const
{
    if (bar != SB_HORZ || !m_scrollBar.IsWindow())
        return nullptr;
    return const_cast<CScrollBar*>(&m_scrollBar);
}

void CTKFlatTabCtrl::SyncScrollBar()
{
    if (!m_scrollBar.IsWindow())
        return;
    CWnd* page = GetTabWindow(m_current);
    if (page) {
        CScrollBar::ShowWindowScrollBar(page, SB_HORZ, FALSE);
        if (page->GetStyle() & WS_HSCROLL) {
            page->ModifyStyle(WS_HSCROLL, 0);
            page->SetWindowPos(nullptr, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        SCROLLINFO info;
        if (CScrollBar::GetWindowScrollInfo(page, SB_HORZ, &info) && info.nPage != 0
            && static_cast<int>(info.nPage) + info.nMin < info.nMax) {
            m_scrollBar.EnableScrollBar(ESB_ENABLE_BOTH);
            m_scrollBar.SetScrollInfo(&info);
            return;
        }
    }
    m_scrollBar.EnableScrollBar(ESB_DISABLE_BOTH);
}

LRESULT CTKFlatTabCtrl::OnHScroll(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<CScrollBar*>(lParam) != &m_scrollBar)
        return Default();
    QPointer<CWnd> page = GetTabWindow(m_current);
    if (!page)
        return 0;
    const UINT code = LOWORD(static_cast<DWORD>(wParam));
    const int position = HIWORD(static_cast<DWORD>(wParam));
    if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
        SCROLLINFO info;
        if (CScrollBar::GetWindowScrollInfo(page, SB_HORZ, &info) && info.nPos != position)
            page->SendMessage(LVM_SCROLL, static_cast<WPARAM>(position - info.nPos), 0);
    }
    if (page)
        page->SendMessage(WM_HSCROLL, wParam, 0);
    SyncScrollBar();
    return 0;
}

BOOL CTKFlatTabCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == HDN_ITEMCHANGED)
        SyncScrollBar();
    return CWnd::OnNotify(wParam, lParam, result);
}

LRESULT CTKFlatTabCtrl::NotifyOwner(UINT code)
{
    CWnd* owner = GetOwner();
    if (!owner)
        return 0;
    NMHDR header;
    header.hwndFrom = this;
    header.idFrom = GetDlgCtrlID();
    header.code = code;
    return owner->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void CTKFlatTabCtrl::RedrawButton(int position)
{
    InvalidateRect(&m_buttons[position].rect, TRUE);
    UpdateWindow();
}

BOOL CTKFlatTabCtrl::PressButton(CPoint point)
{
    const int button = HitTestButton(&point);
    if (button < 0)
        return FALSE;
    if (m_buttons[button].enabled) {
        m_buttons[button].pressed = 1;
        RedrawButton(button);
        SetCapture();
    }
    return TRUE;
}

void CTKFlatTabCtrl::OnLButtonDown(UINT, CPoint point)
{
    if ((m_style & kStyleScrollBar) && m_splitterRect.PtInRect(point)) {
        StartSplitterDrag(point);
        return;
    }
    if (PressButton(point))
        return;
    QPointer<CTKFlatTabCtrl> self(this);
    const int hit = HitTest(&point);
    if (hit >= 0 && hit != m_current && NotifyOwner(TCN_SELCHANGING) == 0 && self) {
        SetCurSel(hit);
        Invalidate();
        NotifyOwner(TCN_SELCHANGE);
    }
    if (self)
        Default();
}

void CTKFlatTabCtrl::OnLButtonUp(UINT, CPoint)
{
    if (m_tracking)
        EndSplitterDrag();
    for (int k = 0; k < kButtonCount; ++k) {
        NavigateButton& button = m_buttons[k];
        if (!button.pressed || !button.enabled)
            continue;
        PostMessage(WM_COMMAND, button.commandId, 0);
        button.pressed = 0;
        RedrawButton(k);
        ReleaseCapture();
        return;
    }
    Default();
}

void CTKFlatTabCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    const int button = HitTestButton(&point);
    if (button >= 0 && m_buttons[button].enabled) {
        PressButton(point);
        return;
    }
    Default();
}

void CTKFlatTabCtrl::OnMouseMove(UINT, CPoint point)
{
    if (m_tracking)
        SetSplitterPos(point.x + m_dragOffset, FALSE);
    UpdateCursor(point);
    Default();
}

void CTKFlatTabCtrl::UpdateCursor(CPoint point)
{
    if (m_tracking || ((m_style & kStyleScrollBar) && m_splitterRect.PtInRect(point)))
        setCursor(GetUIMetrics()->cursors[CTKUIMetrics::kCursorSplitter]);
    else
        unsetCursor();
}

void CTKFlatTabCtrl::OnCaptureChanged(CWnd* wnd)
{
    // Another window took the mouse: the drag is over.
    if (m_tracking && wnd != this) {
        m_tracking = 0;
        unsetCursor();
    }
    Default();
}

void CTKFlatTabCtrl::StartSplitterDrag(CPoint point)
{
    SetCapture();
    m_dragOffset = m_splitterPos - point.x;
    m_focusBeforeDrag = SetFocus();
    m_tracking = 1;
}

void CTKFlatTabCtrl::EndSplitterDrag()
{
    m_tracking = 0;
    ReleaseCapture();
    unsetCursor();
    if (m_focusBeforeDrag)
        m_focusBeforeDrag->SetFocus();
    m_focusBeforeDrag.clear();
}

BOOL CTKFlatTabCtrl::PreTranslateMessage(MSG* msg)
{
    // Escape ends a splitter drag; otherwise it belongs to the page (an
    // in-place edit cancels with it).
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE && m_tracking) {
        EndSplitterDrag();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}

INT_PTR CTKFlatTabCtrl::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    const int hit = HitTest(&point);
    if (hit < 0 || !info)
        return -1;
    info->uId = static_cast<UINT_PTR>(hit) + 1;
    GetItemRect(hit, &info->rect);
    info->text = GetTipText(hit);
    return hit;
}

BOOL CTKFlatTabCtrl::OnEraseBkgnd(CDC* dc)
{
    if (dc && m_tabs.empty())
        dc->FillSolidRect(m_pageRect, GetUIMetrics()->clrFace);
    return TRUE;
}

void CTKFlatTabCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect paint;
    dc.GetClipBox(&paint);
    if (m_style & kStyleScrollBar)
        dc.ExcludeClipRect(m_scrollBarRect);
    CTKMemDC memory(&dc, &m_stripRect, GetSysColor(COLOR_BTNFACE));
    CDC* out = memory.GetDC();
    const CTKUIMetrics* metrics = GetUIMetrics();
    const int h = m_stripHeight;
    const int top = m_stripRect.top;
    out->FillSolidRect(CRect(0, 0, m_stripRect.Width(), h), metrics->clrFace);
    {
        CTKDCSelectGuard pen(out, &m_penShadow);
        const int y = (m_style & kStyleBottom) ? 0 : h - 1;
        out->MoveTo(-2, y);
        out->LineTo(m_stripRect.Width(), y);
    }
    for (const NavigateButton& button : m_buttons) {
        CRect meet;
        if (button.rect.IsRectEmpty() || !meet.IntersectRect(button.rect, paint))
            continue;
        CRect rect = button.rect;
        rect.OffsetRect(0, -top);
        DrawButton(out, button, rect);
    }
    const int buttons = GetButtonsWidth();
    const int area = GetTabAreaWidth();
    const int total = GetTotalTabWidth();
    CRect tabArea(buttons, m_stripRect.top, buttons + std::max(0, area), m_stripRect.bottom);
    CRect meet;
    if (total > 0 && area > 0 && meet.IntersectRect(tabArea, paint)) {
        std::unique_ptr<CDC> row = out->CreateCompatibleDC(total, h);
        if (row) {
            row->FillSolidRect(CRect(0, 0, total, h), metrics->clrFace);
            int x = 0;
            int currentX = 0;
            for (int i = 0; i < GetItemCount(); ++i) {
                if (i == m_current)
                    currentX = x;
                else
                    DrawTab(row.get(), x, 0, i);
                x += GetTabWidth(i) - GetOverlap();
            }
            if (m_current >= 0)
                DrawTab(row.get(), currentX, 0, m_current);
            const int width = std::min(area, total - m_scrollOffset);
            if (width > 0)
                out->BitBlt(buttons, 0, width, h, row.get(), m_scrollOffset, 0, SRCCOPY);
        }
    }
    if (m_style & kStyleScrollBar) {
        CRect splitter = m_splitterRect;
        splitter.OffsetRect(0, -top);
        out->Draw3dRect(splitter, metrics->clrHighlightEdge, metrics->clrShadow);
        splitter.DeflateRect(1, 1);
        out->FillSolidRect(splitter, metrics->clrFace);
    }
}

void CTKFlatTabCtrl::DrawButton(CDC* dc, const NavigateButton& button, const CRect& rect)
{
    const CTKUIMetrics* metrics = GetUIMetrics();
    dc->Draw3dRect(rect, button.pressed ? metrics->clrShadow : metrics->clrHighlightEdge, metrics->clrShadow);
    CRect inside = rect;
    inside.DeflateRect(1, 1);
    dc->FillSolidRect(inside, metrics->clrFace);
    CTKDCSelectGuard pen(dc, const_cast<CPen*>(button.enabled ? &m_penButtonText : &m_penShadow));
    const BOOL left = button.direction == kPointsLeft;
    const int d = left ? -1 : 1;
    const int c = inside.Width() / 2;
    const int length = c + 2;
    const int y0 = inside.top + (inside.Height() - length) / 2;
    int x = (left ? inside.right : inside.left) + ((inside.Width() - (c + 3) / 2 - 1) / 2) * d;
    int y = y0;
    for (int line = length; line > 0; line -= 2) {
        dc->MoveTo(x, y);
        dc->LineTo(x, y + line);
        x += d;
        ++y;
    }
    if (button.stopBar) {
        x += d;
        dc->MoveTo(x, y0);
        dc->LineTo(x, y0 + length);
    }
}

int CTKFlatTabCtrl::DrawTab(CDC* dc, int x, int y, int index)
{
    const int h = m_stripHeight;
    const BOOL current = index == m_current;
    CFont* oldFont = dc->SelectObject(FontOf(index));
    const std::string& label = m_tabs[static_cast<size_t>(index)]->label;
    const CSize extent = dc->GetTextExtent(label);
    const int w = extent.cx + h + h / 2;
    const COLORREF fill = current ? m_clrWindow : m_clrFace;
    const COLORREF text = current ? m_clrWindowText : m_clrButtonText;
    const BOOL bottom = (m_style & kStyleBottom) != 0;
    const int yb = bottom ? y : y + h - 1;
    const int yn = bottom ? y + h - 1 : y;
    {
        CTKDCSelectGuard pen(dc, &m_penButtonText);
        CBrush brush(fill);
        CBrush* oldBrush = dc->SelectObject(&brush);
        const CPoint corners[] = {CPoint(x, yb), CPoint(x + h / 2 - 1, yn), CPoint(x + extent.cx + h - 1, yn),
                                  CPoint(x + w - 1, yb)};
        dc->Polygon(corners, 4);
        dc->SelectObject(oldBrush);
    }
    CRect labelRect(CPoint(x + h / 2 + (h / 2) / 2, y + (h - extent.cy) / 2 - 1), extent);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc->SetTextColor(text);
    dc->DrawText(label, &labelRect, DT_CENTER);
    dc->SetTextColor(oldColor);
    dc->SetBkMode(oldMode);
    if (current) {
        CTKDCSelectGuard shadow(dc, &m_penShadow);
        dc->MoveTo(x + h / 2, yn);
        dc->LineTo(x + 2 * (h / 2) + extent.cx - 1, yn);
        CTKDCSelectGuard window(dc, &m_penWindow);
        dc->MoveTo(x + 1, yb);
        dc->LineTo(x + w - 1, yb);
    } else {
        CTKDCSelectGuard highlight(dc, &m_penHighlight);
        dc->MoveTo(x + 1, yb);
        // Along the slanted left edge, towards the narrow side.
        dc->LineTo(x + h / 2 + 1, bottom ? yb + h : yb - h);
        CTKDCSelectGuard shadow(dc, &m_penShadow);
        dc->MoveTo(x, yb);
        dc->LineTo(x + w, yb);
        dc->MoveTo(x + h / 2, yn);
        dc->LineTo(x + extent.cx + h - 1, yn);
    }
    dc->SelectObject(oldFont);
    return w;
}
