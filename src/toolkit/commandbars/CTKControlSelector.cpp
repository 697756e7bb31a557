#include "toolkit/commandbars/CTKControlSelector.h"

#include "platform/CArchive.h"
#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QCursor>

#include <algorithm>

IMPLEMENT_SERIAL(CTKControlSelector, CTKControl, 0x80000006)

namespace {

// The renderer's colour entries of a plain cell's text and of the cell frames.
constexpr UINT kCellTextColor = 46;
constexpr UINT kCellFrameColor = 43;
constexpr int kButtonDownBit = 0x8000;

} // namespace

CTKControlSelector::CTKControlSelector() = default;

void CTKControlSelector::DrawCell(CDC*, const CRect&, COLORREF) {}

CSize CTKControlSelector::GetSize(CDC*)
{
    return CSize(m_nColumns * m_nCellWidth, m_nRows * m_nCellHeight);
}

void CTKControlSelector::Draw(CDC* dc)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    const COLORREF frame = renderer ? renderer->LookupColor(kCellFrameColor) : GetSysColor(COLOR_BTNSHADOW);
    const COLORREF plainText = renderer ? renderer->LookupColor(kCellTextColor) : GetSysColor(COLOR_WINDOWTEXT);
    for (int column = 0; column < m_nColumns; ++column) {
        for (int row = 0; row < m_nRows; ++row) {
            CRect cell(m_rcControl.left + column * m_nCellWidth, m_rcControl.top + row * m_nCellHeight,
                       m_rcControl.left + (column + 1) * m_nCellWidth, m_rcControl.top + (row + 1) * m_nCellHeight);
            cell.DeflateRect(1, 1);
            const BOOL selected = column < m_nSelectedColumns && row < m_nSelectedRows;
            dc->FillSolidRect(cell, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            dc->Draw3dRect(cell, frame, frame);
            DrawCell(dc, cell, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : plainText);
        }
    }
}

void CTKControlSelector::OnCalcDynamicSize(DWORD)
{
    if (!m_bGrowing) {
        m_nSelectedColumns = 0;
        m_nSelectedRows = 0;
        m_nColumns = m_nInitialColumns;
        m_nRows = m_nInitialRows;
    }
    SetSelection(m_nSelectedColumns, m_nSelectedRows, TRUE);
}

void CTKControlSelector::Copy(const CTKControl* source, BOOL recursive)
{
    CTKControl::Copy(source, recursive);
    const auto* selector = dynamic_cast<const CTKControlSelector*>(source);
    if (!selector || selector == this)
        return;
    m_nInitialColumns = selector->m_nInitialColumns;
    m_nInitialRows = selector->m_nInitialRows;
    m_nMaxColumns = selector->m_nMaxColumns;
    m_nMaxRows = selector->m_nMaxRows;
    m_nCellWidth = selector->m_nCellWidth;
    m_nCellHeight = selector->m_nCellHeight;
}

void CTKControlSelector::OnClick(BOOL, CPoint) {}

void CTKControlSelector::OnLButtonUp(CPoint)
{
    if (m_nSelectedColumns <= 0 || m_nSelectedRows <= 0)
        return;
    m_nChosenColumns = m_nSelectedColumns;
    m_nChosenRows = m_nSelectedRows;
    Execute();
}

void CTKControlSelector::OnMouseMove(CPoint point)
{
    int columns = 0;
    while (columns < m_nColumns && m_rcControl.left + columns * m_nCellWidth < point.x)
        ++columns;
    int rows = 0;
    while (rows < m_nRows && m_rcControl.top + rows * m_nCellHeight < point.y)
        ++rows;
    SetSelection(columns, rows, FALSE);
}

BOOL CTKControlSelector::GrowTo(CPoint point)
{
    const int columns = std::min(m_nMaxColumns, std::max(m_nColumns, (point.x - m_rcControl.left) / m_nCellWidth + 1));
    const int rows = std::min(m_nMaxRows, std::max(m_nRows, (point.y - m_rcControl.top) / m_nCellHeight + 1));
    if (columns == m_nColumns && rows == m_nRows)
        return FALSE;
    m_nColumns = columns;
    m_nRows = rows;
    return TRUE;
}

BOOL CTKControlSelector::SetSelected(int state)
{
    const BOOL buttonDown = (GetKeyState(VK_LBUTTON) & kButtonDownBit) != 0;
    if (state == kTKSelectedNone && buttonDown && m_pParent) {
        const QPoint global = QCursor::pos();
        CPoint point(global.x(), global.y());
        m_pParent->ScreenToClient(&point);
        const BOOL beyond = point.x >= m_rcControl.left + m_nColumns * m_nCellWidth ||
                            point.y >= m_rcControl.top + m_nRows * m_nCellHeight;
        if (beyond && GrowTo(point)) {
            SetSelection(m_nSelectedColumns, m_nSelectedRows, TRUE);
            m_bGrowing = TRUE;
            m_pParent->OnRecalcLayout();
            m_bGrowing = FALSE;
            OnMouseMove(point);
        } else {
            SetSelection(0, 0, FALSE);
        }
    }
    return CTKControl::SetSelected(state);
}

void CTKControlSelector::SetSelection(int columns, int rows, BOOL notify)
{
    if (!notify && columns == m_nSelectedColumns && rows == m_nSelectedRows)
        return;
    m_nSelectedColumns = columns;
    m_nSelectedRows = rows;
    InvalidateParent();
    CWnd* site = m_pParent ? m_pParent->GetSite() : nullptr;
    if (!site)
        return;
    TKNMCONTROL record;
    record.hdr.idFrom = m_nId;
    record.hdr.code = kTKSelectorChangedCode;
    record.pControl = this;
    site->SendMessage(WM_TK_EXECUTE, m_nId, reinterpret_cast<LPARAM>(&record));
}

void CTKControlSelector::SetInitialSize(int columns, int rows)
{
    m_nInitialColumns = columns;
    m_nInitialRows = rows;
}

void CTKControlSelector::SetMaximumSize(int columns, int rows)
{
    m_nMaxColumns = columns;
    m_nMaxRows = rows;
}

void CTKControlSelector::Serialize(CArchive& ar)
{
    CTKControl::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nInitialColumns << m_nInitialRows << m_nMaxColumns << m_nMaxRows << m_nCellWidth << m_nCellHeight;
        return;
    }
    ar >> m_nInitialColumns >> m_nInitialRows >> m_nMaxColumns >> m_nMaxRows >> m_nCellWidth >> m_nCellHeight;
    // A cell of no size would divide by zero when the grid grows.
    if (m_nCellWidth <= 0 || m_nCellHeight <= 0)
        ar.SetError(CArchive::badCount);
}
