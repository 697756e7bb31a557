#include "CLogicNode.h"

#include "platform/CArchive.h"
#include "platform/CDC.h"
#include "platform/CPen.h"

#include <algorithm>

IMPLEMENT_SERIAL(CLogicNode, CLDElement, 1)

namespace {

// The rung runs at this fraction of the cell height.
constexpr double RUNG_HEIGHT = 0.625;
const char* const CRLF = "\r\n";

} // namespace

CLogicNode::CLogicNode()
{
    m_kind = LD_KIND_LOGIC_NODE;
    m_position.SetCell(0);
}

CLogicNode::~CLogicNode() = default;

void CLogicNode::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_childAIndex << m_childBIndex << m_kind << m_link;
        return;
    }
    int kind = 0;
    ar >> m_childAIndex >> m_childBIndex >> kind >> m_link;
    if (kind != LD_KIND_LOGIC_NODE)
        ar.SetError(CArchive::badClass);
}

BOOL CLogicNode::IsSeriesNode(const CLDElement* element) const
{
    return element && element->GetKind() == LD_KIND_LOGIC_NODE && element->GetLink() == LD_LINK_SERIES;
}

CLDElement* CLogicNode::FirstSearchPart() const
{
    if (m_link == LD_LINK_SERIES)
        return m_childB;
    if (m_link == LD_LINK_PARALLEL)
        return m_childA;
    return nullptr;
}

CLDElement* CLogicNode::SecondSearchPart() const
{
    if (m_link == LD_LINK_SERIES)
        return m_childA;
    if (m_link == LD_LINK_PARALLEL)
        return m_childB;
    return nullptr;
}

int CLogicNode::Find(const std::string& text, int mode)
{
    int hits = 0;
    if (CLDElement* first = FirstSearchPart())
        hits += first->Find(text, mode);
    if (CLDElement* second = SecondSearchPart())
        hits += second->Find(text, mode);
    return hits;
}

int CLogicNode::ReplaceAll(const std::string& find, const std::string& replace)
{
    int hits = 0;
    if (CLDElement* first = FirstSearchPart())
        hits += first->ReplaceAll(find, replace);
    if (CLDElement* second = SecondSearchPart())
        hits += second->ReplaceAll(find, replace);
    return hits;
}

int CLogicNode::ReplaceOne(const std::string& find, const std::string& replace)
{
    int hits = 0;
    if (CLDElement* first = FirstSearchPart())
        hits += first->ReplaceOne(find, replace);
    if (CLDElement* second = SecondSearchPart())
        hits += second->ReplaceOne(find, replace);
    return hits;
}

std::string CLogicNode::GetTypeText() const
{
    return std::string();
}

CSize CLogicNode::GetSize(BOOL printing)
{
    const CSize upperOrRight = m_childA ? m_childA->GetSize(printing) : CSize();
    const CSize lowerOrLeft = m_childB ? m_childB->GetSize(printing) : CSize();
    if (m_link == LD_LINK_SERIES) {
        const int blockCell = m_childA && m_childA->GetKind() == LD_KIND_BLOCK && !printing ? 1 : 0;
        return CSize(lowerOrLeft.cx + upperOrRight.cx + blockCell, std::max(lowerOrLeft.cy, upperOrRight.cy));
    }
    if (m_link == LD_LINK_PARALLEL)
        return CSize(std::max(upperOrRight.cx, lowerOrLeft.cx), upperOrRight.cy + lowerOrLeft.cy + m_extraRows);
    return CSize(0, 0);
}

CSize CLogicNode::LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string& pouName,
                                CLDPositionMap* positionMap, CDC* dc, BOOL highlight)
{
    return Layout(CLDLayoutPass {cellWidth, cellHeight, originCol, originRow, pouName, positionMap, dc, highlight});
}

CSize CLogicNode::LayoutOnly(int cellWidth, int cellHeight, CLDPositionMap* positionMap, int originCol, int originRow)
{
    return Layout(CLDLayoutPass {cellWidth, cellHeight, originCol, originRow, std::string(), positionMap, nullptr, FALSE});
}

CSize CLogicNode::Layout(const CLDLayoutPass& pass)
{
    m_position = m_layoutRect;
    m_extraRows = 0;
    if (m_link == LD_LINK_SERIES)
        return LayoutSeries(pass);
    if (m_link == LD_LINK_PARALLEL)
        return LayoutParallel(pass);
    return CSize(0, 0);
}

void CLogicNode::AbsorbSeriesLeftPart()
{
    while (!m_childA && IsSeriesNode(m_childB)) {
        CLDElement* left = m_childB;
        m_childA = left->GetChildA();
        m_childB = left->GetChildB();
        left->SetChildA(nullptr);
        left->SetChildB(nullptr);
        left->DeleteTree(FALSE);
        if (m_childA)
            m_childA->SetParent(this);
        if (m_childB)
            m_childB->SetParent(this);
    }
}

CSize CLogicNode::LayoutSeries(const CLDLayoutPass& pass)
{
    AbsorbSeriesLeftPart();
    if (m_childA && IsSeriesNode(m_childB))
        m_childB->SetLink(LD_LINK_PARALLEL);
    CSize left;
    if (m_childB)
        left = LayoutChild(m_childB, m_layoutRect, pass);
    m_layoutRect.column += left.cx;
    int blockCell = 0;
    if (m_childA && m_childA->GetKind() == LD_KIND_BLOCK && !pass.IsPrinting())
        blockCell = 1;
    m_layoutRect.column += blockCell;
    CSize right;
    if (m_childA)
        right = LayoutChild(m_childA, m_layoutRect, pass);
    return CSize(left.cx + right.cx + blockCell, std::max(left.cy, right.cy));
}

CSize CLogicNode::LayoutParallel(const CLDLayoutPass& pass)
{
    CSize upper;
    if (m_childA)
        upper = LayoutChild(m_childA, m_layoutRect, pass);
    if (!m_childB)
        return upper;
    const CLDCellRect lowerRect(m_layoutRect.column, m_layoutRect.row + upper.cy + 1, m_layoutRect.spare,
                                m_layoutRect.itemIndex);
    const CSize lower = LayoutChild(m_childB, lowerRect, pass);
    m_extraRows = 1;
    if (pass.IsDrawing())
        DrawBranchLines(upper, lower, pass);
    return CSize(std::max(upper.cx, lower.cx), upper.cy + lower.cy + m_extraRows);
}

void CLogicNode::DrawBranchLines(CSize upper, CSize lower, const CLDLayoutPass& pass)
{
    CDC* dc = pass.dc;
    CPen pen(PS_SOLID, 1, pass.highlight ? LD_HIGHLIGHT_TEXT : m_lineColor);
    CPen* oldPen = dc->SelectObject(&pen);
    const COLORREF oldBack = dc->GetBkColor();
    if (pass.highlight)
        dc->SetBkColor(LD_HIGHLIGHT_BACK);

    const int x0 = (m_position.column - pass.originCol) * pass.cellWidth;
    const int y0 = static_cast<int>((m_position.row - pass.originRow) * pass.cellHeight + RUNG_HEIGHT * pass.cellHeight);
    const int y1 = static_cast<int>((m_position.row + upper.cy + 1 - pass.originRow) * pass.cellHeight
                                    + RUNG_HEIGHT * pass.cellHeight);
    dc->MoveTo(x0, y0);
    dc->LineTo(x0, y1);
    const int xa = x0 + upper.cx * pass.cellWidth;
    const int xb = x0 + lower.cx * pass.cellWidth;
    if (xa > xb) {
        dc->MoveTo(xa, y0);
        dc->LineTo(xa, y1);
        dc->LineTo(xb, y1);
    } else if (xa < xb) {
        dc->MoveTo(xa, y0);
        dc->LineTo(xb, y0);
        dc->LineTo(xb, y1);
    } else {
        dc->MoveTo(xa, y0);
        dc->LineTo(xa, y1);
    }

    dc->SelectObject(oldPen);
    if (pass.highlight)
        dc->SetBkColor(oldBack);
}

BOOL CLogicNode::HitTestOperandText(int, int, int, int, std::string*)
{
    return FALSE;
}

std::string CLogicNode::GetILText()
{
    const CLDElement* parent = m_parent;
    const int parentKind = parent ? parent->GetKind() : LD_KIND_COMMENT;
    const int parentLink = parent ? parent->GetLink() : 0;
    std::string text;
    if (m_link == LD_LINK_SERIES) {
        if (m_childB) {
            const BOOL plain = parentKind == LD_KIND_COIL
                || (parentKind == LD_KIND_LOGIC_NODE && parentLink == LD_LINK_PARALLEL);
            text += plain ? m_childB->GetILText() : "AND(" + std::string(CRLF) + m_childB->GetILText() + ")" + CRLF;
        }
        if (m_childA)
            text += m_childA->GetILText();
        return text;
    }
    if (m_childA) {
        const BOOL plain = parentKind == LD_KIND_LOGIC_NODE && parentLink == LD_LINK_SERIES;
        text += plain ? m_childA->GetILText() : "OR(" + std::string(CRLF) + m_childA->GetILText() + ")" + CRLF;
    }
    if (m_childB)
        text += m_childB->GetILText();
    return text;
}
