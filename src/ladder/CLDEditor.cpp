#include "CLDEditor.h"

#include "CComment.h"
#include "CLDProgram.h"
#include "model/CZULAppData.h"
#include "platform/CBrush.h"
#include "platform/CDC.h"
#include "platform/CPen.h"
#include "pouedit/IPOUEditorHost.h"

#include <algorithm>

namespace {
constexpr int PAGE_CELLS = 2;           // a page step moves this many cells
constexpr int MIN_ITEM_COLUMNS = 4;     // no network item is narrower
constexpr int SCROLL_ROW_MARGIN = 10;   // rows of room below the last network
constexpr int MONITOR_LOCK_WAIT_MS = 50; // a paint waits no longer for the live values
constexpr double RUNG_LINE_FRACTION = 0.625;
constexpr COLORREF LIVE_VALUE_COLOR = RGB(255, 0, 0);
constexpr int FIRST_NETWORK_ROW = 1;
constexpr int ITEM_COLUMN = 1;
} // namespace

CLDEditor::CLDEditor(CLDProgram& program, IPOUEditorHost* host)
    : CPOUEditor(POU_LANGUAGE_LD)
    , m_program(program)
    , m_host(host)
{
}

void CLDEditor::Find(const std::string& text, int mode)
{
    m_program.Find(text, mode);
}

void CLDEditor::ReplaceAll(const std::string& find, const std::string& replace)
{
    m_program.ReplaceAll(find, replace);
}

void CLDEditor::Replace(const std::string& find, const std::string& replace)
{
    m_program.Replace(find, replace);
}

void CLDEditor::OnInitialUpdate()
{
    const CSize cells = m_program.GetExtent();
    const int width = cells.cx * m_cellWidth;
    const int height = m_cellHeight * std::max(cells.cy, m_program.GetInitialRowExtent());
    m_scrollWidth = width;
    m_scrollHeight = height;
    m_extentWidth = width;
    m_extentHeight = height;
    if (m_host)
        m_host->SetScrollSizes(CSize(width, height), CSize(m_cellWidth * PAGE_CELLS, m_cellHeight * PAGE_CELLS),
                               GetCellSize());
}

BOOL CLDEditor::UpdateScrollSizes()
{
    if (m_firstRows.empty())
        return FALSE;
    const CSize cells = m_program.GetExtent();
    m_scrollWidth = cells.cx * m_cellWidth;
    m_scrollHeight = m_cellHeight * std::max(cells.cy, m_firstRows.back() + SCROLL_ROW_MARGIN);
    if (m_host)
        m_host->SetScrollSizes(CSize(m_scrollWidth, m_scrollHeight),
                               CSize(m_cellWidth * PAGE_CELLS, m_cellHeight * PAGE_CELLS), GetCellSize());
    return TRUE;
}

CPoint CLDEditor::GetScrollOrigin() const
{
    int x = 0;
    int y = 0;
    if (m_host)
        m_host->GetScrollPosition(x, y);
    return CPoint(x / m_cellWidth, y / m_cellHeight);
}

BOOL CLDEditor::PointToCell(int x, int y, CPoint* out, BOOL addOrigin) const
{
    if (x < 0 || y < 0 || !out)
        return FALSE;
    *out = CPoint(x / m_cellWidth, y / m_cellHeight);
    if (addOrigin) {
        const CPoint origin = GetScrollOrigin();
        out->x += origin.x;
        out->y += origin.y;
    }
    return TRUE;
}

CPoint CLDEditor::SnapToGrid(int x, int y) const
{
    const int remainder = x % m_cellWidth;
    const int column = remainder * 2 > m_cellWidth ? x - remainder + m_cellWidth : x - remainder;
    const int rung = y - y % m_cellHeight + static_cast<int>(m_cellHeight * RUNG_LINE_FRACTION);
    return CPoint(column, rung);
}

int CLDEditor::ItemWidth(int item) const
{
    const auto& items = m_program.GetItems();
    if (item < 0 || item >= static_cast<int>(items.size()))
        return MIN_ITEM_COLUMNS;
    return std::max(MIN_ITEM_COLUMNS, static_cast<int>(items[size_t(item)]->GetSize(FALSE).cx));
}

CSize CLDEditor::GetDiagramExtent() const
{
    int widest = 0;
    const int count = static_cast<int>(m_program.GetItems().size());
    for (int item = 0; item < count; ++item)
        widest = std::max(widest, ItemWidth(item));
    return CSize(widest * m_cellWidth, m_endRow * m_cellHeight);
}

BOOL CLDEditor::GetVisibleNetworks(int* first, int* last) const
{
    const int entries = static_cast<int>(m_firstRows.size());
    if (entries < 2)
        return FALSE;
    if (entries == 2) {
        *first = *last = 0;
        return TRUE;
    }
    const int lastNetwork = entries - 2;
    const int top = GetScrollOrigin().y;
    const int bottom = top + (m_host ? m_host->GetClientSize().cy : 0) / m_cellHeight;
    *first = lastNetwork;
    *last = lastNetwork;
    int k = 0;
    for (; k <= lastNetwork; ++k) {
        if (m_firstRows[size_t(k)] > top) {
            *first = std::max(0, k - 1);
            break;
        }
    }
    if (k > lastNetwork)
        return TRUE;
    for (k = 0; k <= lastNetwork; ++k) {
        if (m_firstRows[size_t(k)] > bottom) {
            *last = std::min(k + 1, lastNetwork);
            return TRUE;
        }
    }
    return TRUE;
}

void CLDEditor::LayoutRange(int firstItem, int lastItem, int& row, CDC* dc)
{
    auto& items = m_program.GetItems();
    const CPoint origin = GetScrollOrigin();
    for (int item = firstItem; item <= lastItem; ++item) {
        CLDElement* element = items[size_t(item)].get();
        element->SetLayoutRect(CLDCellRect(ITEM_COLUMN, row, ItemWidth(item), item));
        const BOOL highlight = m_networkSelection && item >= 2 * m_selectionFirst && item <= 2 * m_selectionLast + 1;
        const CSize size = element->LayoutAndDraw(m_cellWidth, m_cellHeight, origin.x, origin.y, m_program.GetName(),
                                                  &m_program.GetPositionMap(), dc, highlight);
        row += size.cy;
        if (item % 2 == 0)
            continue;
        ++row;
        const size_t next = size_t(item / 2 + 1);
        if (m_firstRows.size() <= next)
            m_firstRows.resize(next + 1);
        m_firstRows[next] = row;
    }
}

void CLDEditor::LayoutAll()
{
    const int count = static_cast<int>(m_program.GetItems().size());
    if (count < 2)
        return;
    m_program.ClearCellMap();
    m_firstRows.assign(1, FIRST_NETWORK_ROW);
    int row = FIRST_NETWORK_ROW;
    LayoutRange(0, count - 1, row, nullptr);
    m_endRow = m_firstRows.back();
}

void CLDEditor::OnPaint(CDC* dc)
{
    if (!dc || !m_host)
        return;
    const CSize client = m_host->GetClientSize();
    std::unique_ptr<CDC> memory = dc->CreateCompatibleDC(client.cx, client.cy);
    if (!memory)
        return;
    CPen* oldPen = static_cast<CPen*>(memory->SelectStockObject(WHITE_PEN));
    memory->Rectangle(0, 0, client.cx, client.cy);
    memory->SelectObject(oldPen);
    Draw(memory.get());
    dc->BitBlt(0, 0, client.cx, client.cy, memory.get(), 0, 0, SRCCOPY);
}

void CLDEditor::DrawBackground(CDC* dc)
{
    CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
    CBrush brush(m_background);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->Rectangle(0, 0, m_scrollWidth - 1, m_scrollHeight - 1);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
    dc->SetBkColor(m_background);
}

void CLDEditor::FillNetworkSelection(CDC* dc)
{
    if (m_selectionFirst < 0 || m_selectionLast + 1 >= static_cast<int>(m_firstRows.size()))
        return;
    const CPoint origin = GetScrollOrigin();
    const int top = (m_firstRows[size_t(m_selectionFirst)] - origin.y) * m_cellHeight;
    const int bottom = (m_firstRows[size_t(m_selectionLast + 1)] - 1 - origin.y) * m_cellHeight;
    dc->FillSolidRect(CRect(0, top, m_scrollWidth, bottom), LD_HIGHLIGHT_BACK);
}

void CLDEditor::Draw(CDC* dc)
{
    m_program.RebuildLocalSymbolMaps();
    DrawBackground(dc);
    dc->SetBkMode(TRANSPARENT);
    m_program.ClearCellMap();
    const int count = static_cast<int>(m_program.GetItems().size());
    if (count < 2) {
        m_firstRows.assign(1, FIRST_NETWORK_ROW);
        m_program.SetLayoutChanged(FALSE);
        return;
    }
    if (m_networkSelection)
        FillNetworkSelection(dc);
    int firstNetwork = 0;
    int lastNetwork = count / 2 - 1;
    const BOOL all = m_program.GetApp().FullRedraw != 0 || m_firstRows.size() < 2;
    if (!all && !GetVisibleNetworks(&firstNetwork, &lastNetwork)) {
        m_program.SetLayoutChanged(FALSE);
        return;
    }
    if (m_firstRows.empty())
        m_firstRows.push_back(FIRST_NETWORK_ROW);
    if (firstNetwork == 0)
        m_firstRows[0] = FIRST_NETWORK_ROW;
    int row = m_firstRows[size_t(firstNetwork)];
    const size_t after = size_t(lastNetwork + 1);
    const int storedAfter = after < m_firstRows.size() ? m_firstRows[after] : 0;
    LayoutRange(2 * firstNetwork, 2 * lastNetwork + 1, row, dc);
    m_firstRows.resize(size_t(count / 2 + 1));
    if (lastNetwork < count / 2 - 1 && storedAfter > 0) {
        // Networks below the drawn range move with its change of height.
        const int shift = row - storedAfter;
        for (size_t k = after + 1; k + 1 < m_firstRows.size(); ++k)
            m_firstRows[k] += shift;
    }
    m_endRow = m_firstRows.back();
    DrawLiveValues(2 * firstNetwork, 2 * lastNetwork + 1, dc);
    const int oldFlag = m_program.SetSelectionFlag(0);
    DrawFocus(dc);
    m_program.SetSelectionFlag(oldFlag);
    if (m_program.IsLayoutChanged()) {
        m_program.SetLayoutChanged(FALSE);
        UpdateScrollSizes();
    }
}

void CLDEditor::DrawLiveValues(int firstItem, int lastItem, CDC* dc)
{
    CZULAppData& app = m_program.GetApp();
    if (app.Monitoring.load() == 0)
        return;
    if (!app.MonitorValueLock.Lock(MONITOR_LOCK_WAIT_MS))
        return;
    const COLORREF oldColor = dc->SetTextColor(LIVE_VALUE_COLOR);
    const CPoint origin = GetScrollOrigin();
    auto& items = m_program.GetItems();
    for (int item = firstItem; item <= lastItem; ++item)
        items[size_t(item)]->DrawMonitorState(origin.x, origin.y, m_cellWidth, m_cellHeight, dc);
    dc->SetTextColor(oldColor);
    app.MonitorValueLock.Unlock();
}

void CLDEditor::DrawFocus(CDC* dc)
{
    const CPoint origin = GetScrollOrigin();
    CLDElement* selected = m_program.GetSelection();
    if (!selected) {
        CRect shown = m_focusRect;
        shown.OffsetRect(-origin.x * m_cellWidth, -origin.y * m_cellHeight);
        if (!shown.IsRectEmpty())
            dc->DrawFocusRect(shown);
        return;
    }
    selected->DrawFocus(m_cellWidth, m_cellHeight, dc, origin.x, origin.y);
    const CLDCellRect cell = selected->GetPosition();
    const CSize size = selected->GetSize(FALSE);
    m_focusRect = CRect(cell.column * m_cellWidth, cell.row * m_cellHeight, (cell.column + size.cx) * m_cellWidth,
                        (cell.row + size.cy) * m_cellHeight);
}

void CLDEditor::UpdateMonitorDisplay()
{
    m_networkSelection = FALSE;
    Repaint();
}

void CLDEditor::ClearMonitorDisplay()
{
    Repaint();
}

int CLDEditor::NetworkAtRow(int row) const
{
    for (size_t k = 0; k + 1 < m_firstRows.size(); ++k) {
        if (row >= m_firstRows[k] && row < m_firstRows[k + 1])
            return static_cast<int>(k);
    }
    return -1;
}

BOOL CLDEditor::SelectAtPoint(int x, int y)
{
    CPoint cell;
    if (!PointToCell(x, y, &cell, TRUE))
        return FALSE;
    LayoutAll();
    m_networkSelection = FALSE;
    CLDElement* element = nullptr;
    if (m_program.LookupCell(cell.x, cell.y, &element) && element) {
        m_program.Select(element);
        Repaint();
        return TRUE;
    }
    m_program.ClearSelection();
    m_focusRect = CRect(cell.x * m_cellWidth, cell.y * m_cellHeight, (cell.x + 1) * m_cellWidth,
                        (cell.y + 1) * m_cellHeight);
    Repaint();
    return FALSE;
}

void CLDEditor::SelectNetworks(int first, int last)
{
    const int count = m_program.GetNetworkCount();
    if (count == 0)
        return;
    LayoutAll();
    m_selectionFirst = std::clamp(std::min(first, last), 0, count - 1);
    m_selectionLast = std::clamp(std::max(first, last), 0, count - 1);
    m_networkSelection = TRUE;
    m_program.ClearSelection();
    Repaint();
}

void CLDEditor::OnEditSelectAll()
{
    SelectNetworks(0, m_program.GetNetworkCount() - 1);
}

void CLDEditor::EnsureRowVisible(int row)
{
    if (!m_host)
        return;
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    m_host->ScrollTo(x, row * m_cellHeight);
}

BOOL CLDEditor::GoToNetwork(int network)
{
    if (network < 0 || network >= m_program.GetNetworkCount())
        return FALSE;
    LayoutAll();
    EnsureRowVisible(m_firstRows[size_t(network)]);
    SelectNetworks(network, network);
    return TRUE;
}

void CLDEditor::OnEditUndo()
{
    if (m_program.Undo())
        Repaint();
}

void CLDEditor::OnUpdateEditUndo(IPOUCommandUI& ui)
{
    ui.Enable(m_program.CanUndo());
}

void CLDEditor::OnEditRedo()
{
    if (m_program.Redo())
        Repaint();
}

void CLDEditor::OnUpdateEditRedo(IPOUCommandUI& ui)
{
    ui.Enable(m_program.CanRedo());
}

CSize CLDEditor::GetExtent(CSize& size)
{
    const CSize cells = m_program.GetExtent();
    const CSize cell = m_program.GetCellSize();
    size = CSize(cells.cx * cell.cx, cells.cy * cell.cy);
    return size;
}

void CLDEditor::RemoveCaret()
{
    if (!m_host)
        return;
    m_host->HideCaret();
    m_host->DestroyCaret();
}

void CLDEditor::Repaint()
{
    if (m_host)
        m_host->Invalidate();
    TriggerRepaint();
}
