#include "CLDEditor.h"

#include "CBlock.h"
#include "CCoil.h"
#include "CComment.h"
#include "CLDProgram.h"
#include "model/CFindResult.h"
#include "model/CFindState.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CBrush.h"
#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/CPen.h"
#include "platform/CPrintInfo.h"
#include "pouedit/LocalTimeText.h"
#include "platform/CUserInterface.h"
#include "platform/ui/WinMessages.h"
#include "pouedit/IPOUEditorView.h"
#include "pouedit/IPOUEditorHost.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
constexpr int PAGE_CELLS = 2;           // a page step moves this many cells
constexpr int MIN_ITEM_COLUMNS = 4;     // no network item is narrower
constexpr int SCROLL_ROW_MARGIN = 10;   // rows of room below the last network
constexpr int MONITOR_LOCK_WAIT_MS = 50; // a paint waits no longer for the live values
constexpr double RUNG_LINE_FRACTION = 0.625;
constexpr COLORREF LIVE_VALUE_COLOR = RGB(255, 0, 0);
constexpr int FIRST_NETWORK_ROW = 1;
constexpr int ITEM_COLUMN = 1;
constexpr DWORD DELETION_LOCK_WAIT_MS = 20;

// Printing, in print units of 1/150 inch.
constexpr int LD_PRINT_FONT = 1;           // the LD text font of the application data
constexpr int PRINT_FONT_HEIGHT = 21;
constexpr int PRINT_UNITS_PER_INCH = 150;
constexpr int PRINT_WINDOW_X = 600;
constexpr int PRINT_WINDOW_Y = 400;
constexpr int PRINT_VIEWPORT_X = 4;
constexpr double PRINT_VIEWPORT_Y = 2.6666667;
constexpr int PRINT_FIRST_TOP = 140;       // top of the first network of a page
constexpr int PRINT_FIRST_LIMIT = 160;     // below this the network is the page's first
constexpr int PRINT_NETWORK_GAP = 40;
constexpr int PRINT_NETWORK_MARGIN = 80;   // header and spacing around a network's rows
constexpr int PRINT_SIDE_MARGINS = 200;
constexpr int PRINT_BOTTOM_ROOM = 90;
constexpr int PRINT_FIRST_ROOM = 240;
constexpr int PRINT_LEFT = 100;
constexpr int PRINT_HEADER_Y = 60;
constexpr int PRINT_TIME_FROM_RIGHT = 450;
constexpr int PRINT_HEADER_RULE = 65;
constexpr int PRINT_FOOTER_RULE = 80;
constexpr int PRINT_FOOTER_Y = 85;
constexpr int PRINT_COVER_X = 102;
constexpr int PRINT_COVER_Y = 110;
constexpr int PRINT_COVER_FIRST_DECLARATION = 7;
constexpr UINT PRINT_COVER_PAGE = 1;
// "The element at this place no longer exists; search again."
const char* const ELEMENT_VANISHED = "\xB5\xB1\xC7\xB0\xCE\xBB\xD6\xC3\xB6\xD4\xD3\xA6\xB5\xC4\xD4\xAA\xBC\xFE\xB2\xBB"
                                     "\xB4\xE6\xD4\xDA\xA3\xAC\xC7\xEB\xD6\xD8\xD0\xC2\xB2\xE9\xD5\xD2";
} // namespace

CLDEditor::CLDEditor(CLDProgram& program, IPOUEditorHost* host)
    : CPOUEditor(POU_LANGUAGE_LD)
    , m_program(program)
    , m_host(host)
{
    m_printFont = program.GetApp().Fonts[LD_PRINT_FONT];
    m_printFont.lfHeight = PRINT_FONT_HEIGHT;
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
    if (m_printing)
        return CPoint(0, m_printRowOrigin / m_cellHeight);
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
    return std::max(MIN_ITEM_COLUMNS, static_cast<int>(items[size_t(item)]->GetSize(m_printing).cx));
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
    const int originY = GetScrollOrigin().y * m_cellHeight;
    const int width = m_host ? m_host->GetClientSize().cx : m_scrollWidth;
    dc->FillSolidRect(CRect(0, m_bandTop - originY, width, m_bandBottom - originY), LD_HIGHLIGHT_BACK);
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
    DrawOperandEditor(dc);
    if (m_drawingBranch) {
        const CPoint origin = GetScrollOrigin();
        m_branchTracker.Draw(dc, origin.x * m_cellWidth, origin.y * m_cellHeight);
    }
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
    FocusOnSelection();
}

void CLDEditor::DrawOperandEditor(CDC* dc)
{
    if (!m_editingOperand)
        return;
    const CPoint origin = GetScrollOrigin();
    m_inplace.Paint(dc, origin.x, origin.y);
    if (m_host)
        m_host->ShowCaretAt(m_inplace.GetCaretPos(origin.x, origin.y));
}

void CLDEditor::FocusOnSelection()
{
    const CLDElement* selected = m_program.GetSelection();
    if (!selected)
        return;
    const CLDCellRect cell = selected->GetPosition();
    m_focusRect = CRect(cell.column * m_cellWidth, cell.row * m_cellHeight,
                        (cell.column + std::max(1, selected->GetWidth())) * m_cellWidth,
                        (cell.row + std::max(1, selected->GetHeight())) * m_cellHeight);
}

void CLDEditor::UpdateMonitorDisplay()
{
    m_networkSelection = FALSE;
    CommitOperandEdit();
    Repaint();
    ResolveLiveValueTypes();
}

void CLDEditor::ClearMonitorDisplay()
{
    Repaint();
}

BOOL CLDEditor::IsMonitoring() const
{
    return m_program.GetApp().Monitoring.load() != 0;
}

int CLDEditor::VerticalScrollMax() const
{
    return m_host ? m_host->GetTotalSize().cy : m_scrollHeight;
}

void CLDEditor::ScrollTo(int x, int y)
{
    if (m_host)
        m_host->ScrollTo(std::max(0, x), std::max(0, y));
}

int CLDEditor::ItemIndexAtPoint(int x, int y, BOOL scrolled)
{
    CPoint cell;
    if (!PointToCell(x, y, &cell, scrolled))
        return -1;
    const auto& items = m_program.GetItems();
    const int count = static_cast<int>(items.size());
    for (int item = 0; item < count; ++item) {
        const int row = items[size_t(item)]->GetPosition().row;
        if (row == cell.y)
            return item;
        if (row > cell.y)
            return item - 1;
    }
    return count - 1;
}

int CLDEditor::HeaderIndexForRow(int row) const
{
    if (row <= FIRST_NETWORK_ROW)
        return 0;
    const int entries = static_cast<int>(m_firstRows.size());
    for (int k = 0; k < entries - 1; ++k) {
        if (m_firstRows[size_t(k)] == row)
            return 2 * k;
        if (m_firstRows[size_t(k)] > row)
            return 2 * k - 2;
    }
    return std::max(0, 2 * (entries - 2));
}

BOOL CLDEditor::SelectAtPoint(int x, int y, BOOL scrolled, BOOL noEdit)
{
    // Look-ups work on the networks as they are now, not as the last paint left them.
    LayoutAll();
    m_currentItem = ItemIndexAtPoint(x, y, scrolled);
    CPoint cell;
    if (!PointToCell(x, y, &cell, scrolled))
        return FALSE;
    m_clickCell.column = cell.x;
    m_clickCell.row = cell.y;
    m_program.SetSelectionFlag(0);
    const CPoint diagram = scrolled ? ToDiagram(x, y) : CPoint(x, y);
    if (m_editingOperand) {
        if (m_inplace.Contains(diagram.x, diagram.y)) {
            m_inplace.PlaceCaret(diagram.x);
            Repaint();
            return TRUE;
        }
        CommitOperandEdit();
    }
    CLDElement* element = nullptr;
    if (m_program.LookupCell(cell.x, cell.y, &element) && element) {
        m_program.Select(element);
        FocusOnSelection();
        if (noEdit || IsMonitoring() || !OpenOperandEditor(element, diagram))
            RemoveOperandEditor();
        Repaint();
        return TRUE;
    }
    m_program.ClearSelection();
    m_focusRect = CRect(cell.x * m_cellWidth, cell.y * m_cellHeight, (cell.x + 1) * m_cellWidth,
                        (cell.y + 1) * m_cellHeight);
    RemoveOperandEditor();
    Repaint();
    return FALSE;
}

void CLDEditor::MoveFocus(UINT key)
{
    const CRect& focus = m_focusRect;
    CPoint point;
    switch (key) {
    case VK_LEFT:
        if (focus.left / m_cellWidth <= 0)
            return;
        point = CPoint(focus.left - m_cellWidth / 2, focus.top + m_cellHeight / 2);
        break;
    case VK_RIGHT:
        if (focus.right / m_cellWidth >= m_program.GetExtent().cx - 1)
            return;
        point = CPoint(focus.right + m_cellWidth / 2, focus.top + m_cellHeight / 2);
        break;
    case VK_DOWN:
        if (focus.bottom >= VerticalScrollMax())
            return;
        point = CPoint(focus.left + m_cellWidth / 2, focus.bottom + m_cellHeight / 2);
        break;
    case VK_UP:
        if (focus.top <= 0)
            return;
        point = CPoint(focus.left + m_cellWidth / 2, focus.top - m_cellHeight / 2);
        break;
    default:
        return;
    }
    SelectAtPoint(point.x, point.y, FALSE, FALSE);
}

void CLDEditor::ScrollAtEdge(UINT key)
{
    if (!m_view || !m_host)
        return;
    const CPoint origin = GetScrollOrigin();
    const CSize client = m_host->GetClientSize();
    const CRect& focus = m_focusRect;
    int bar = -1;
    int step = POU_SCROLL_LINEUP;
    if (key == VK_LEFT && focus.left >= 0 && focus.left <= origin.x * m_cellWidth) {
        bar = POU_SCROLL_HORZ;
    } else if (key == VK_UP && focus.top > 0 && focus.top <= origin.y * m_cellHeight) {
        bar = POU_SCROLL_VERT;
    } else if (key == VK_RIGHT && focus.right < m_program.GetExtent().cx * m_cellWidth &&
               focus.right + m_cellWidth >= origin.x * m_cellWidth + client.cx) {
        bar = POU_SCROLL_HORZ;
        step = POU_SCROLL_LINEDOWN;
    } else if (key == VK_DOWN && focus.bottom < VerticalScrollMax() &&
               focus.bottom >= origin.y * m_cellHeight + client.cy) {
        bar = POU_SCROLL_VERT;
        step = POU_SCROLL_LINEDOWN;
    }
    if (bar < 0)
        return;
    m_view->PostScroll(bar, step);
    m_view->PostScroll(bar, step);
}

namespace {
// d raised to the next multiple of the step (d itself when it is one).
int RoundUp(int d, int step)
{
    return d % step == 0 ? d : d + step - d % step;
}
} // namespace

void CLDEditor::EnsureFocusVisible(int dx, int dy)
{
    if (!m_program.GetSelection() || !m_host)
        return;
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    const CSize client = m_host->GetClientSize();
    if (m_focusRect.right - x > client.cx - m_cellWidth)
        x = RoundUp(m_focusRect.right - client.cx, m_cellWidth) + m_cellWidth + dx;
    if (m_focusRect.bottom - y + dy > client.cy - m_cellHeight / 2)
        y = RoundUp(m_focusRect.bottom - client.cy, m_cellHeight) + m_cellHeight + dy;
    ScrollTo(x, y);
    Repaint();
}

void CLDEditor::SelectNetworksByRows(int, int row1, int, int row2)
{
    const int lo = std::min(row1, row2);
    const int hi = std::max(row1, row2);
    if (hi <= 0 || m_endRow < lo) {
        m_networkSelection = FALSE;
        return;
    }
    const int entries = static_cast<int>(m_firstRows.size());
    if (entries < 2)
        return;
    int first = entries - 2;
    for (int k = 0; k < entries - 1; ++k) {
        if (m_firstRows[size_t(k)] >= lo) {
            first = m_firstRows[size_t(k)] > lo && k > 0 ? k - 1 : k;
            break;
        }
    }
    for (int k = 0; k < entries; ++k) {
        if (m_firstRows[size_t(k)] > hi) {
            m_selectionFirst = first;
            m_selectionLast = std::max(first, k - 1);
            m_bandTop = m_firstRows[size_t(first)] * m_cellHeight;
            m_bandBottom = (m_firstRows[size_t(k)] - 1) * m_cellHeight;
            m_networkSelection = TRUE;
            return;
        }
    }
    m_networkSelection = FALSE;
}

void CLDEditor::ExtendNetworkSelection(UINT key)
{
    LayoutAll();
    if (!m_networkSelection) {
        m_networkSelection = TRUE;
        m_anchorColumn = (m_focusRect.left + m_cellWidth / 2) / m_cellWidth;
        m_anchorRow = (m_focusRect.bottom + m_cellHeight / 2) / m_cellHeight;
    }
    ScrollAtEdge(key);
    MoveFocus(key);
    const int column = (m_focusRect.left + m_cellWidth / 2) / m_cellWidth;
    const int row = (m_focusRect.bottom + m_cellHeight / 2) / m_cellHeight;
    m_selectionItem = HeaderIndexForRow(row);
    SelectNetworksByRows(m_anchorColumn, m_anchorRow, column, row);
    Repaint();
}

void CLDEditor::OnEditSelectAll()
{
    if (IsMonitoring())
        return;
    if (m_editingOperand) {
        m_inplace.SetSelection(-1, -1);
        Repaint();
        return;
    }
    const int count = m_program.GetNetworkCount();
    if (count == 0)
        return;
    LayoutAll();
    m_networkSelection = TRUE;
    m_selectionFirst = 0;
    m_selectionLast = count - 1;
    m_bandTop = m_program.GetItems()[0]->GetPosition().row * m_cellHeight;
    m_bandBottom = m_endRow * m_cellHeight;
    Repaint();
}

BOOL CLDEditor::ShiftNetworkRows(int network, int delta)
{
    if (network < 0 || network >= static_cast<int>(m_firstRows.size()))
        return FALSE;
    for (size_t k = size_t(network); k < m_firstRows.size(); ++k)
        m_firstRows[k] += delta;
    return TRUE;
}

void CLDEditor::RenumberHeaders()
{
    const auto& items = m_program.GetItems();
    for (size_t item = 0; item < items.size(); item += 2) {
        if (items[item]->GetKind() == LD_KIND_COMMENT)
            static_cast<CComment*>(items[item].get())->SetNetworkNumber(static_cast<int>(item / 2));
    }
}

void CLDEditor::DeleteSelectedNetworks()
{
    if (!m_networkSelection)
        return;
    if (!m_deletionLock.Lock(DELETION_LOCK_WAIT_MS))
        return;
    LayoutAll();
    const int count = m_program.GetNetworkCount();
    const int first = std::clamp(m_selectionFirst, 0, count - 1);
    const int last = std::clamp(m_selectionLast, first, count - 1);
    const int firstRow = m_firstRows[size_t(first)];
    const int removedRows = m_firstRows[size_t(last + 1)] - firstRow;
    m_firstRows.erase(m_firstRows.begin() + first, m_firstRows.begin() + last + 1);
    if (last == count - 1)
        m_firstRows[size_t(first)] = firstRow;
    else
        ShiftNetworkRows(first, -removedRows);
    m_endRow = m_firstRows.back();
    m_program.DeleteNetworks(first, last);
    RenumberHeaders();
    m_program.ClearSelection();
    m_networkSelection = FALSE;
    m_currentItem = -1;
    m_program.PushUndoSnapshot();
    if (m_host && m_host->HasDocument())
        m_host->SetModified();
    Repaint();
    UpdateScrollSizes();
    m_deletionLock.Unlock();
}

CLDElement* CLDEditor::LastInParallelChain(CLDElement* element)
{
    while (element && element->GetChildB())
        element = element->GetChildB();
    return element;
}

BOOL CLDEditor::GoToNetwork(int network)
{
    Repaint();
    LayoutAll();
    if (network < 0 || network >= static_cast<int>(m_firstRows.size()))
        return FALSE;
    int x = 0;
    int y = 0;
    if (m_host)
        m_host->GetScrollPosition(x, y);
    ScrollTo(x, m_firstRows[size_t(network)] * m_cellHeight);
    Repaint();
    return TRUE;
}

BOOL CLDEditor::ShowFindResult(int result, int column, int row)
{
    CFindState& state = m_program.GetApp().Find;
    if (result < 0 || result >= static_cast<int>(state.Results.size()))
        return FALSE;
    CFindResult& record = state.Results[size_t(result)];
    // The search may be older than the element: only a live element is shown.
    CLDElement* element = CLDElement::FromFindResult(record);
    if (!element) {
        ShowMessage("", ELEMENT_VANISHED, MB_OK);
        return FALSE;
    }
    LayoutAll();
    const CLDCellRect position = element->GetPosition();
    if (position.column != column || position.row != row) {
        record.RowOrColumn = position.column;
        record.ColumnOrRow = position.row;
    }
    const int clientCells = m_host ? m_host->GetClientSize().cx / m_cellWidth : 0;
    ScrollTo(position.column * m_cellWidth - clientCells / 2 * m_cellWidth, (position.row - 1) * m_cellHeight);
    Repaint();
    return TRUE;
}

BOOL CLDEditor::GetSelectionFindText(std::string* text) const
{
    CLDElement* selected = m_program.GetSelection();
    if (IsMonitoring() || !m_program.GetSelectionFlag() || !selected)
        return FALSE;
    const int kind = selected->GetKind();
    std::string found;
    if (kind == LD_KIND_COIL || kind == LD_KIND_CONTACT)
        found = selected->GetTypeText();
    else if (kind == LD_KIND_BLOCK)
        found = static_cast<CBlock*>(selected)->GetInstructionName();
    *text = ByteString::Trim(found);
    return text->empty() ? FALSE : TRUE;
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


void CLDEditor::DistributeNetworks(const std::vector<CSize>& networkCells, float pageWidth, float pageHeight,
                                   CPrintLayout* layout)
{
    layout->tops.clear();
    layout->scales.clear();
    layout->pageBreaks.clear();
    int y = PRINT_FIRST_TOP;
    const int count = static_cast<int>(networkCells.size());
    for (int k = 0; k < count; ++k) {
        const float h = static_cast<float>(LD_CELL_HEIGHT * networkCells[size_t(k)].cy + PRINT_NETWORK_MARGIN);
        const float w = static_cast<float>(LD_CELL_WIDTH * networkCells[size_t(k)].cx);
        const float room = pageWidth - PRINT_SIDE_MARGINS;
        const float s = w > room ? room / w : 1.0f;
        if (y > PRINT_FIRST_LIMIT) {
            if (h * s <= pageHeight - PRINT_BOTTOM_ROOM - y) {
                layout->tops.push_back(y);
                layout->scales.push_back(s);
                y += static_cast<int>(h * s) + PRINT_NETWORK_GAP;
                continue;
            }
            layout->pageBreaks.push_back(2 * k + 1 - 2);
            y = PRINT_FIRST_TOP;
        }
        const float v = h > pageHeight - PRINT_FIRST_ROOM ? (pageHeight - PRINT_FIRST_ROOM) / h : 1.0f;
        const float scale = std::min(v, s);
        layout->tops.push_back(y);
        layout->scales.push_back(scale);
        y += static_cast<int>(h * scale) + PRINT_NETWORK_GAP;
    }
    if (count > 0)
        layout->pageBreaks.push_back(2 * count - 1);
}

void CLDEditor::SetPrintMapping(CDC* dc)
{
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(PRINT_WINDOW_X, PRINT_WINDOW_Y);
    dc->SetViewportExt(PRINT_VIEWPORT_X * dc->GetDeviceCaps(LOGPIXELSX),
                       static_cast<int>(PRINT_VIEWPORT_Y * dc->GetDeviceCaps(LOGPIXELSY)));
}

BOOL CLDEditor::OnPreparePrinting(CPrintInfo* info)
{
    CommitOperandEdit();
    if (!info || !info->DoPreparePrinting())
        return FALSE;
    CDC* printer = info->GetPrinterDC();
    if (!printer)
        return FALSE;
    m_printing = TRUE;
    m_firstRows.clear();
    Repaint();
    m_printPageWidth = static_cast<float>(printer->GetDeviceCaps(HORZRES)) * PRINT_UNITS_PER_INCH /
                       static_cast<float>(printer->GetDeviceCaps(LOGPIXELSX));
    m_printPageHeight = static_cast<float>(printer->GetDeviceCaps(VERTRES)) * PRINT_UNITS_PER_INCH /
                        static_cast<float>(printer->GetDeviceCaps(LOGPIXELSY));
    const auto& items = m_program.GetItems();
    std::vector<CSize> cells;
    for (size_t root = 1; root < items.size(); root += 2) {
        CSize size = items[root]->GetSize(TRUE);
        if (items[root]->GetKind() == LD_KIND_COIL)
            size.cy = std::max<LONG>(size.cy, static_cast<CCoil*>(items[root].get())->GetChainLength());
        cells.push_back(size);
    }
    DistributeNetworks(cells, m_printPageWidth, m_printPageHeight, &m_print);
    if (items.empty()) {
        info->SetMaxPage(0);
        return -1;
    }
    info->SetMaxPage(static_cast<UINT>(m_print.pageBreaks.size()) + PRINT_COVER_PAGE);
    return TRUE;
}

void CLDEditor::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info)
        return;
    if (info->GetMaxPage() == 0) {
        dc->EndDoc();
        return;
    }
    SetPrintMapping(dc);
    PrintPage(dc, info);
}

void CLDEditor::PrintPage(CDC* dc, CPrintInfo* info)
{
    CFont font;
    font.CreateFontIndirect(&m_printFont);
    CFont* oldFont = dc->SelectObject(&font);
    if (m_host && m_host->HasDocument()) {
        PrintFrame(dc, info);
        if (info->m_nCurPage == PRINT_COVER_PAGE) {
            PrintCover(dc);
        } else {
            dc->SelectObject(oldFont);
            PrintNetworks(dc, info);
        }
    }
    dc->SelectObject(oldFont);
}

void CLDEditor::PrintFrame(CDC* dc, const CPrintInfo* info)
{
    const int f = m_printFont.lfHeight;
    const int width = static_cast<int>(m_printPageWidth);
    const int height = static_cast<int>(m_printPageHeight);
    dc->TextOut(PRINT_LEFT, PRINT_HEADER_Y, m_host->GetDocumentTitle());
    dc->TextOut(width - PRINT_TIME_FROM_RIGHT, PRINT_HEADER_Y, "Printed:  " + FormatLocalTime(std::time(nullptr)));
    dc->MoveTo(PRINT_LEFT, f + PRINT_HEADER_RULE);
    dc->LineTo(width - PRINT_LEFT, f + PRINT_HEADER_RULE);
    dc->MoveTo(PRINT_LEFT, height - PRINT_FOOTER_RULE);
    dc->LineTo(width - PRINT_LEFT, height - PRINT_FOOTER_RULE);
    char footer[32];
    std::snprintf(footer, sizeof(footer), " %u/%u ", info->m_nCurPage, info->GetMaxPage());
    TEXTMETRIC metrics {};
    dc->GetTextMetrics(&metrics);
    const int half = static_cast<int>(std::strlen(footer)) * metrics.tmAveCharWidth / 2;
    dc->TextOut(width / 2 - half, height + f - PRINT_FOOTER_Y, footer);
}

void CLDEditor::PrintCover(CDC* dc)
{
    const int f = m_printFont.lfHeight;
    std::string created;
    std::string modified;
    m_host->GetFileTimes(created, modified);
    const std::string texts[] = {
        "Project Name:  " + m_program.GetApp().Project.ProjectName,
        "    POU Name:  " + m_host->GetDocumentTitle(),
        "     Created:  " + created,
        "    Modified:  " + modified,
    };
    int line = 1;
    for (const std::string& text : texts) {
        dc->TextOut(PRINT_COVER_X, line * f + PRINT_COVER_Y + 2 * line, text);
        ++line;
    }
    std::vector<std::string> declarations;
    m_host->GetLocalVarDeclLines(declarations);
    if (declarations.size() < 2)
        return;
    for (size_t i = 0; i < declarations.size(); ++i)
        dc->TextOut(PRINT_COVER_X, (f + 2) * (static_cast<int>(i) + PRINT_COVER_FIRST_DECLARATION) + PRINT_COVER_Y,
                    declarations[i]);
}

void CLDEditor::PrintNetworks(CDC* dc, const CPrintInfo* info)
{
    const auto& items = m_program.GetItems();
    if (items.empty())
        return;
    const size_t page = info->m_nCurPage - PRINT_COVER_PAGE - 1;
    if (page >= m_print.pageBreaks.size())
        return;
    m_program.ClearCellMap();
    CPoint origin(PRINT_LEFT, 0);
    dc->LPtoDP(&origin);
    dc->SetViewportOrg(origin.x, origin.y);
    const int firstItem = page == 0 ? 0 : m_print.pageBreaks[page - 1] + 1;
    const int lastRoot = m_print.pageBreaks[page];
    for (int header = firstItem; header + 1 <= lastRoot; header += 2) {
        const size_t k = size_t(header / 2);
        const float scale = m_print.scales[k];
        m_cellWidth = static_cast<int>(scale * LD_CELL_WIDTH);
        m_cellHeight = std::max(1, static_cast<int>(scale * LD_CELL_HEIGHT));
        const int top = m_print.tops[k];
        for (int item = header; item <= header + 1; ++item) {
            const int row = (item == header ? top : top + LD_CELL_HEIGHT) / m_cellHeight;
            CLDElement* element = items[size_t(item)].get();
            element->SetLayoutRect(CLDCellRect(0, row, ItemWidth(item), item));
            element->LayoutAndDraw(m_cellWidth, m_cellHeight, 0, m_printRowOrigin / m_cellHeight, m_program.GetName(),
                                   &m_program.GetPositionMap(), dc, FALSE);
        }
    }
}

void CLDEditor::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_printing = FALSE;
    m_print = CPrintLayout();
    m_cellWidth = LD_CELL_WIDTH;
    m_cellHeight = LD_CELL_HEIGHT;
}
