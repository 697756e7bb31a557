#include "toolkit/commandbars/CTKDockBar.h"

#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CPaintDC.h"
#include "toolkit/commandbars/CTKBarDragTracker.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <algorithm>

namespace {

constexpr DWORD kBarStyleMask = 0x40FFFF;
constexpr int kStretchedLength = 32767;

// Rectangles of a vertical dock bar are handled with x and y exchanged.
CRect Turn(const CRect& rect, BOOL horizontal)
{
    return horizontal ? rect : CRect(rect.top, rect.left, rect.bottom, rect.right);
}

CSize Turn(CSize size, BOOL horizontal)
{
    return horizontal ? size : CSize(size.cy, size.cx);
}

} // namespace

CTKDockBar::CTKDockBar(CTKCommandBars* commandBars) : m_entries(1, nullptr), m_pCommandBars(commandBars) {}

CTKDockBar::~CTKDockBar() = default;

BOOL CTKDockBar::Create(CWnd* frame, DWORD style, UINT id)
{
    m_dwBarStyle = style & kBarStyleMask;
    return CWnd::Create(frame, CRect(), id, (style & ~kBarStyleMask) | WS_CLIPSIBLINGS);
}

int CTKDockBar::GetPosition() const
{
    if (m_dwBarStyle & (kTKAlignTop | kTKBorderBottom))
        return kTKPositionTop;
    if (m_dwBarStyle & (kTKAlignBottom | kTKBorderTop))
        return kTKPositionBottom;
    if (m_dwBarStyle & (kTKAlignLeft | kTKBorderRight))
        return kTKPositionLeft;
    return kTKPositionRight;
}

BOOL CTKDockBar::IsHorizontal() const
{
    return (m_dwBarStyle & (kTKAlignTop | kTKAlignBottom)) != 0;
}

CTKToolBar* CTKDockBar::GetBarAt(int index) const
{
    if (index < 0 || index >= GetEntryCount())
        return nullptr;
    return m_entries[static_cast<std::size_t>(index)];
}

int CTKDockBar::FindBar(const CTKToolBar* bar, int skipIndex) const
{
    for (int i = 0; i < GetEntryCount(); ++i)
        if (i != skipIndex && m_entries[static_cast<std::size_t>(i)] == bar)
            return i;
    return -1;
}

void CTKDockBar::InsertEntry(int index, CTKToolBar* bar)
{
    if (index >= 0 && index < GetEntryCount())
        m_entries.insert(m_entries.begin() + index, bar);
    else
        m_entries.push_back(bar);
}

void CTKDockBar::MergeRowBreaks()
{
    std::vector<CTKToolBar*> merged(1, nullptr);
    for (CTKToolBar* entry : m_entries)
        if (entry || merged.back())
            merged.push_back(entry);
    if (merged.back())
        merged.push_back(nullptr);
    m_entries.swap(merged);
    MarkFrameForLayout();
}

void CTKDockBar::MarkFrameForLayout() const
{
    if (CFrameWnd* frame = m_pCommandBars ? m_pCommandBars->GetFrame() : nullptr)
        frame->DelayRecalcLayout(TRUE);
}

void CTKDockBar::RemoveBar(CTKToolBar* bar, int skipIndex)
{
    const int index = FindBar(bar, skipIndex);
    if (index < 0)
        return;
    m_entries.erase(m_entries.begin() + index);
    // An emptied row leaves two row breaks side by side: keep one.
    if (index > 0 && index < GetEntryCount() && !m_entries[static_cast<std::size_t>(index - 1)] &&
        !m_entries[static_cast<std::size_t>(index)])
        m_entries.erase(m_entries.begin() + index);
    MarkFrameForLayout();
}

void CTKDockBar::DockBar(CTKToolBar* bar, const CRect* screenRect)
{
    CTKDockBar* previous = bar->GetDockBar();
    if (previous == this) {
        if (!screenRect)
            return;
        CRect window;
        bar->GetWindowRect(&window);
        if (window == *screenRect)
            return;
    }
    int index = 0;
    CTKBarDragTracker* tracker = bar->GetDragTracker();
    if (screenRect) {
        CRect client = *screenRect;
        ScreenToClient(&client);
        index = InsertBarAt(bar, client, client.CenterPoint());
        if (tracker)
            tracker->SetMRUDockRect(client);
    } else {
        m_entries.push_back(bar);
        m_entries.push_back(nullptr);
        index = GetEntryCount() - 2;
        if (tracker)
            tracker->SetMRUDockRect(CRect());
    }
    if (bar->GetParent() != this)
        bar->SetParent(this);
    if (previous == this)
        RemoveBar(bar, index);
    else if (previous)
        previous->RemoveBar(bar, -1);
    bar->SetDockBar(this);
    IsolateStretchedBars();
    MarkFrameForLayout();
}

int CTKDockBar::InsertBarAt(CTKToolBar* bar, const CRect&, CPoint centre)
{
    const BOOL horizontal = IsHorizontal();
    const int cross = horizontal ? centre.y : centre.x;
    // The leading row break ends an empty row whose far edge is 0.
    int rowStart = 0;
    int farEdge = 0;
    int previousFar = 0;
    for (int i = 0; i < GetEntryCount(); ++i) {
        CTKToolBar* entry = m_entries[static_cast<std::size_t>(i)];
        if (entry) {
            if (entry->IsVisible()) {
                CRect rect;
                entry->GetWindowRect(&rect);
                ScreenToClient(&rect);
                farEdge = std::max(farEdge, horizontal ? rect.bottom : rect.right);
            }
            continue;
        }
        if (farEdge > cross) {
            if (i == 0 || cross == previousFar) {
                m_entries.insert(m_entries.begin() + rowStart + 1, {bar, nullptr});
                return rowStart + 1;
            }
            m_entries.insert(m_entries.begin() + rowStart + 1, bar);
            return rowStart + 1;
        }
        previousFar = farEdge;
        rowStart = i;
        farEdge = 0;
    }
    m_entries.push_back(bar);
    m_entries.push_back(nullptr);
    return GetEntryCount() - 2;
}

void CTKDockBar::IsolateStretchedBars()
{
    for (int i = 1; i < GetEntryCount(); ++i) {
        CTKToolBar* bar = m_entries[static_cast<std::size_t>(i)];
        if (!bar || !(bar->GetDockingFlags() & kTKDockStretch))
            continue;
        if (m_entries[static_cast<std::size_t>(i - 1)]) {
            m_entries.insert(m_entries.begin() + i, nullptr);
            ++i;
        }
        if (i + 1 < GetEntryCount() && m_entries[static_cast<std::size_t>(i + 1)])
            m_entries.insert(m_entries.begin() + i + 1, nullptr);
    }
}

std::vector<CTKToolBar*> CTKDockBar::GetRowBars(int index) const
{
    std::vector<CTKToolBar*> bars;
    if (index < 0 || index >= GetEntryCount())
        return bars;
    int first = index;
    while (first > 0 && m_entries[static_cast<std::size_t>(first - 1)])
        --first;
    for (int i = first; i < GetEntryCount() && m_entries[static_cast<std::size_t>(i)]; ++i) {
        CTKToolBar* bar = m_entries[static_cast<std::size_t>(i)];
        if (bar->GetType() == kTKBarToolbar && bar->IsVisible())
            bars.push_back(bar);
    }
    const BOOL horizontal = IsHorizontal();
    std::stable_sort(bars.begin(), bars.end(), [horizontal](const CTKToolBar* a, const CTKToolBar* b) {
        CRect ra;
        CRect rb;
        a->GetWindowRect(&ra);
        b->GetWindowRect(&rb);
        return horizontal ? ra.left < rb.left : ra.top < rb.top;
    });
    return bars;
}

DWORD CTKDockBar::BarMode(const CTKToolBar* bar, BOOL horizontal) const
{
    DWORD mode = horizontal ? (kTKLayoutHorz | kTKLayoutHorzDock) : kTKLayoutVertDock;
    if (bar->GetDockingFlags() & kTKDockStretch)
        mode |= kTKLayoutStretch;
    if ((bar->GetDockingFlags() & kTKDockHideOverflow) && !(m_pCommandBars && m_pCommandBars->IsCustomizeMode()))
        mode |= kTKLayoutSingleRow;
    return mode;
}

int CTKDockBar::PlaceRow(std::vector<TKROWITEM>& items, int offset, int length, BOOL horizontal, BOOL commit,
                         CTKToolBar** failing)
{
    *failing = nullptr;
    for (TKROWITEM& item : items) {
        const DWORD mode = BarMode(item.bar, horizontal);
        const CSize size = Turn(item.bar->CalcDockingLayout(length, mode, 0), horizontal);
        const CTKBarDragTracker* tracker = item.bar->GetDragTracker();
        const CRect remembered = tracker ? Turn(tracker->GetMRUDockRect(), horizontal) : CRect();
        const int start = remembered.IsRectEmpty() ? 0 : remembered.left;
        item.rect = CRect(start, offset, start + size.cx, offset + size.cy);
        item.preferred = item.rect;
    }
    // By remembered left edge. A bar joins its row at the row's start, so of
    // bars with equal edges the one later in the entries joined earlier and
    // goes first: bars docked one after another keep that order.
    std::stable_sort(items.begin(), items.end(), [](const TKROWITEM& a, const TKROWITEM& b) {
        if (a.rect.left != b.rect.left)
            return a.rect.left < b.rect.left;
        return a.index > b.index;
    });

    const int count = static_cast<int>(items.size());
    int previousRight = 0;
    BOOL previousPushed = FALSE;
    int previousIndex = -1;
    for (TKROWITEM& item : items) {
        BOOL pushed = FALSE;
        if (item.rect.left < previousRight && (previousPushed || previousIndex < item.index)) {
            item.rect.OffsetRect(previousRight - item.rect.left, 0);
            pushed = TRUE;
        }
        previousRight = item.rect.right;
        previousPushed = pushed;
        previousIndex = item.index;
    }
    int previousLeft = length;
    previousPushed = TRUE;
    previousIndex = -1;
    for (int i = count - 1; i >= 0; --i) {
        TKROWITEM& item = items[static_cast<std::size_t>(i)];
        BOOL pushed = FALSE;
        const BOOL mayPush = i == count - 1 || previousPushed || previousIndex > item.index;
        if (item.rect.right > previousLeft && mayPush) {
            item.rect.OffsetRect(previousLeft - item.rect.right, 0);
            pushed = TRUE;
        }
        previousLeft = item.rect.left;
        previousPushed = pushed;
        previousIndex = item.index;
    }
    previousRight = 0;
    for (TKROWITEM& item : items) {
        if (item.rect.left < previousRight)
            item.rect.OffsetRect(previousRight - item.rect.left, 0);
        previousRight = item.rect.right;
    }

    if (count > 0 && items.back().rect.right > length) {
        int before = 0;
        for (TKROWITEM& item : items) {
            const DWORD mode = BarMode(item.bar, horizontal);
            item.minLength = (item.bar->GetDockingFlags() & kTKDockHideOverflow)
                                 ? Turn(item.bar->CalcDockingLayout(1, mode, 0), horizontal).cx
                                 : item.rect.Width();
            item.minBefore = before;
            before += item.minLength;
        }
        int limit = length;
        for (int i = count - 1; i >= 0; --i) {
            TKROWITEM& item = items[static_cast<std::size_t>(i)];
            int left = std::min(item.preferred.left, item.rect.left);
            left = std::max(left, limit - item.rect.Width());
            left = std::max(left, item.minBefore);
            left = std::min(left, limit - item.minLength);
            if ((limit - left < item.minLength || left < item.minBefore) && count > 1) {
                *failing = items.back().bar;
                return 0;
            }
            item.rect.left = std::max(left, 0);
            item.rect.right = limit;
            limit = item.rect.left;
        }
    }

    int extent = 0;
    for (const TKROWITEM& item : items) {
        const DWORD mode = BarMode(item.bar, horizontal);
        extent = std::max(extent, Turn(item.bar->CalcDockingLayout(item.rect.Width(), mode, 0), horizontal).cy);
    }
    if (!commit)
        return extent;
    for (const TKROWITEM& item : items) {
        const DWORD mode = BarMode(item.bar, horizontal) | kTKLayoutCommit;
        const CSize size = Turn(item.bar->CalcDockingLayout(item.rect.Width(), mode, extent), horizontal);
        if (CTKBarDragTracker* tracker = item.bar->GetDragTracker())
            tracker->SetMRUDockId(GetPosition());
        const CRect place(item.rect.left, offset, item.rect.left + size.cx, offset + size.cy);
        item.bar->MoveWindow(Turn(place, horizontal));
        item.bar->Invalidate(FALSE);
    }
    return extent;
}

int CTKDockBar::CalcRowLayout(std::vector<TKROWITEM> bars, int offset, int length, BOOL horizontal, BOOL commit)
{
    int total = 0;
    while (!bars.empty()) {
        std::vector<TKROWITEM> aside;
        for (;;) {
            CTKToolBar* failing = nullptr;
            std::vector<TKROWITEM> row = bars;
            const int extent = PlaceRow(row, offset, length, horizontal, commit, &failing);
            if (!failing) {
                total += extent;
                offset += extent;
                break;
            }
            auto found = std::find_if(bars.begin(), bars.end(), [failing](const TKROWITEM& item) {
                return item.bar == failing;
            });
            aside.push_back(*found);
            bars.erase(found);
        }
        bars = aside;
    }
    return total;
}

CSize CTKDockBar::CalcDockBarLayout(int length, DWORD mode, BOOL commit)
{
    const BOOL horizontal = IsHorizontal();
    CSize size;
    if (mode & kTKLayoutStretch)
        size = horizontal ? CSize(kStretchedLength, 0) : CSize(0, kStretchedLength);
    int offset = 0;
    std::vector<TKROWITEM> row;
    for (int i = 0; i < GetEntryCount(); ++i) {
        CTKToolBar* bar = m_entries[static_cast<std::size_t>(i)];
        if (bar) {
            if (bar->IsVisible()) {
                TKROWITEM item;
                item.bar = bar;
                item.index = i;
                row.push_back(item);
            }
            continue;
        }
        if (row.empty())
            continue;
        offset += CalcRowLayout(row, offset, length, horizontal, commit);
        row.clear();
        if (horizontal)
            size.cy = std::max(size.cy, offset);
        else
            size.cx = std::max(size.cx, offset);
    }
    return size;
}

LRESULT CTKDockBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect& free = layout->rect;
    const BOOL horizontal = IsHorizontal();
    DWORD mode = horizontal ? (kTKLayoutHorz | kTKLayoutHorzDock) : kTKLayoutVertDock;
    if (layout->bStretch)
        mode |= kTKLayoutStretch;
    const int length = horizontal ? free.Width() : free.Height();
    CSize size = CalcDockBarLayout(length, mode, TRUE);
    size.cx = std::min(size.cx, free.Width());
    size.cy = std::min(size.cy, free.Height());
    CRect place;
    switch (GetPosition()) {
    case kTKPositionTop:
        place = CRect(free.left, free.top, free.left + size.cx, free.top + size.cy);
        free.top += size.cy;
        break;
    case kTKPositionBottom:
        place = CRect(free.left, free.bottom - size.cy, free.left + size.cx, free.bottom);
        free.bottom -= size.cy;
        break;
    case kTKPositionLeft:
        place = CRect(free.left, free.top, free.left + size.cx, free.top + size.cy);
        free.left += size.cx;
        break;
    default:
        place = CRect(free.right - size.cx, free.top, free.right, free.top + size.cy);
        free.right -= size.cx;
        break;
    }
    if (horizontal) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
    } else {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
    }
    MoveWindow(place);
    Invalidate(FALSE);
    return 0;
}

void CTKDockBar::OnPaint()
{
    CPaintDC dc(this);
    if (CTKBarRenderer* renderer = m_pCommandBars ? m_pCommandBars->GetBarRenderer() : CTKBarRenderer::GetCurrent())
        renderer->FillDockBar(&dc, this);
}

BOOL CTKDockBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKDockBar::OnRButtonDown(UINT, CPoint point)
{
    if (!m_pCommandBars)
        return;
    ClientToScreen(&point);
    m_pCommandBars->ShowToolBarsMenu(point.x, point.y);
}
