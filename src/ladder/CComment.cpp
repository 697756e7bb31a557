#include "CComment.h"

#include "model/CFindResult.h"
#include "model/CFindState.h"
#include "model/CZULAppData.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"
#include "platform/CArchive.h"
#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/CPen.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <vector>

IMPLEMENT_SERIAL(CComment, CLDElement, 1)

namespace {

constexpr int COMMENT_WIDTH = 2;
constexpr int COMMENT_HEIGHT = 1;
constexpr int LD_COMMENT_FONT = 2;           // the application's LD comment font record
constexpr int LD_PRINT_FONT_HEIGHT = 21;     // the comment font's height in print units
constexpr int LD_IGNORE_COMMENT = 1;         // bit of the LD ignore mask
constexpr unsigned OUTPUT_LIST_FIND_REPLACE = 2;
constexpr COLORREF INVALID_TEXT = RGB(250, 0, 0);
constexpr COLORREF COMMENT_TEXT = RGB(0, 127, 0);
constexpr COLORREF FOUND_MARK = RGB(0, 0, 255);
constexpr int FOUND_MARK_PEN = 2;
constexpr int FOUND_MARK_LEFT = 5;
constexpr int FOUND_MARK_TOP = 2;
constexpr int FOUND_MARK_RIGHT = 30;
constexpr int FOUND_MARK_BOTTOM = 5;
constexpr char IL_LINE_BREAK = '\x01';
const char* const CRLF = "\r\n";

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = text.find(CRLF); at != std::string::npos; at = text.find(CRLF, start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

int CellsFor(int pixels, int cell)
{
    return (pixels + cell - 1) / cell;
}

} // namespace

CComment::CComment()
{
    m_kind = LD_KIND_COMMENT;
    m_width = COMMENT_WIDTH;
    m_height = COMMENT_HEIGHT;
    m_position.SetCell(0);
}

CComment::~CComment() = default;

void CComment::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_found << m_childAIndex << m_childBIndex << m_text << m_network << m_position.column
           << m_position.row;
        return;
    }
    ar >> m_found >> m_childAIndex >> m_childBIndex >> m_text >> m_network >> m_position.column >> m_position.row;
    m_valid = 1;
}

std::string CComment::GetTypeText() const
{
    return std::string();
}

std::string CComment::GetShownText() const
{
    std::string shown = ByteString::Format("(* Network %d *)", m_network) + CRLF;
    if (!m_valid)
        return shown + "(* Invalid Network *)";
    if (!m_text.empty())
        shown += "(* " + m_text + " *)";
    return shown;
}

CSize CComment::GetSize(BOOL)
{
    return CSize(COMMENT_WIDTH, m_height);
}

CSize CComment::LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string&,
                              CLDPositionMap* positionMap, CDC* dc, BOOL highlight)
{
    if (!dc)
        return LayoutOnly(cellWidth, cellHeight, positionMap, originCol, originRow);
    m_position = m_layoutRect;
    const CPoint origin = CellOrigin(cellWidth, cellHeight, originCol, originRow);
    m_text = ByteString::Trim(m_text);
    const std::string shown = GetShownText();

    LOGFONT record {};
    if (g_pAppData)
        record = g_pAppData->Fonts[LD_COMMENT_FONT];
    if (dc->IsPrinting())
        record.lfHeight = LD_PRINT_FONT_HEIGHT;
    CFont font;
    font.CreateFontIndirect(&record);
    CFont* oldFont = dc->SelectObject(&font);
    const COLORREF oldText = dc->GetTextColor();
    const COLORREF oldBack = dc->GetBkColor();
    if (!m_valid) {
        dc->SetTextColor(INVALID_TEXT);
    } else if (highlight) {
        dc->SetTextColor(LD_HIGHLIGHT_TEXT);
        dc->SetBkColor(LD_HIGHLIGHT_BACK);
    } else {
        dc->SetTextColor(dc->IsPrinting() ? RGB(0, 0, 0) : COMMENT_TEXT);
    }

    const std::vector<std::string> lines = SplitLines(shown);
    int widest = 0;
    int lineHeight = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const CSize extent = dc->GetTextExtent(lines[i]);
        lineHeight = extent.cy;
        widest = std::max(widest, extent.cx);
        if (!lines[i].empty())
            dc->TextOut(origin.x, origin.y + static_cast<int>(i) * lineHeight, lines[i]);
    }
    if (cellWidth > 0 && cellHeight > 0) {
        m_width = CellsFor(widest, cellWidth);
        m_height = CellsFor(static_cast<int>(lines.size()) * lineHeight, cellHeight);
    }

    dc->SetTextColor(oldText);
    dc->SelectObject(oldFont);
    dc->SetBkColor(oldBack);
    if (!dc->IsPrinting() && m_found)
        DrawFoundMark(dc, origin.x, origin.y, cellWidth, cellHeight);
    EnterCoveredCells(positionMap);
    return CSize(m_width, m_height);
}

void CComment::DrawFoundMark(CDC* dc, int x, int y, int cellWidth, int cellHeight) const
{
    CPen pen(PS_SOLID, FOUND_MARK_PEN, FOUND_MARK);
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    dc->Rectangle(x - FOUND_MARK_LEFT, y - FOUND_MARK_TOP, x + cellWidth + FOUND_MARK_RIGHT,
                  y + cellHeight / 2 - FOUND_MARK_BOTTOM);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

CSize CComment::LayoutOnly(int, int, CLDPositionMap* positionMap, int, int)
{
    m_position = m_layoutRect;
    EnterCoveredCells(positionMap);
    return CSize(m_width, m_height);
}

void CComment::EnterCoveredCells(CLDPositionMap* positionMap)
{
    for (int row = m_position.row; row < m_position.row + m_height; ++row) {
        for (int column = m_position.column; column < m_position.column + m_width; ++column)
            InsertPosition(column, row, this, positionMap);
    }
}

BOOL CComment::HitTestOperandText(int, int, int, int, std::string*)
{
    return FALSE;
}

std::string CComment::GetILText()
{
    std::string text = "(* " + ByteString::Format("Network %d ", m_network) + "*)" + CRLF;
    if (m_text.empty())
        return text;
    std::string comment = m_text;
    ByteString::Replace(comment, CRLF, std::string(1, IL_LINE_BREAK));
    return text + "(*" + comment + "*)" + CRLF;
}

BOOL CComment::Matches(const std::string& text, std::string& commentCopy, int& at) const
{
    const CFindState& state = g_pAppData->Find;
    const std::string searchCopy = SearchCopy(state, text);
    commentCopy = SearchCopy(state, m_text);
    at = ByteString::Find(commentCopy, searchCopy);
    if (at < 0 || (state.LdIgnoreMask & LD_IGNORE_COMMENT))
        return FALSE;
    return !state.WholeWord || commentCopy == searchCopy;
}

std::string CComment::ReportLine() const
{
    const CFindState& state = g_pAppData->Find;
    return ByteString::Format("    %d. LD program \"%s\": (Network:%d), Comment \"(* Network %d *)\", "
                              "Position(%d,%d), Size(%d,%d).",
                              state.ResultCount, state.CurrentPOUName.c_str(), m_network, m_network,
                              m_position.column, m_position.row, m_width, m_height);
}

int CComment::Find(const std::string& text, int mode)
{
    m_found = 0;
    if (mode == LD_FIND_CLEAR || !g_pAppData)
        return 0;
    CFindState& state = g_pAppData->Find;
    std::string commentCopy;
    int at = 0;
    if (!Matches(text, commentCopy, at))
        return 0;
    if (ShouldMarkHit(state, mode)) {
        m_found = 1;
        ++state.MarkCounter;
    }
    if (mode == LD_FIND_MARK)
        return 1;
    ++state.ResultCount;
    const std::string line = ReportLine();
    if (state.ResultCount < FIND_TABLE_SIZE && state.Results[size_t(state.ResultCount)].POUName.empty()) {
        CFindResult& record = state.Results[size_t(state.ResultCount)];
        FillFindResult(record, LD_FIND_ACTION_FOUND, m_network, std::string(1, static_cast<char>(m_network & 0xFF)),
                       std::string());
        record.TextOffset = at;
    }
    CUserInterface::Output().AppendOutputLine(OUTPUT_LIST_FIND_REPLACE, line);
    return 1;
}

int CComment::ReplaceAll(const std::string& find, const std::string& replace)
{
    m_found = 0;
    if (!g_pAppData)
        return 0;
    CFindState& state = g_pAppData->Find;
    std::string commentCopy;
    int at = 0;
    if (!Matches(find, commentCopy, at))
        return 0;
    if (state.MarksShown)
        m_found = 1;
    ++state.ResultCount;
    if (state.ResultCount < FIND_TABLE_SIZE && state.Results[size_t(state.ResultCount)].POUName.empty()) {
        FillFindResult(state.Results[size_t(state.ResultCount)], LD_FIND_ACTION_REPLACED, m_network,
                       std::string(1, static_cast<char>(m_network & 0xFF)), commentCopy);
    }
    m_text.replace(size_t(at), find.size(), replace);
    const std::string line = ReportLine() + ByteString::Format("\r \"%s\" is replace as \"%s\".", find.c_str(),
                                                               replace.c_str());
    CUserInterface::Output().AppendOutputLine(OUTPUT_LIST_FIND_REPLACE, line);
    SetProjectModified(TRUE);
    return 1;
}

int CComment::ReplaceOne(const std::string& find, const std::string& replace)
{
    m_found = 0;
    if (!g_pAppData)
        return 0;
    CFindState& state = g_pAppData->Find;
    std::string commentCopy;
    int at = 0;
    if (!Matches(find, commentCopy, at))
        return 0;
    ++state.ResultCount;
    if (state.ResultCount < FIND_TABLE_SIZE && state.Results[size_t(state.ResultCount)].POUName.empty()) {
        CFindResult& record = state.Results[size_t(state.ResultCount)];
        FillFindResult(record, LD_FIND_ACTION_REPLACED, m_network, std::string(1, static_cast<char>(m_network & 0xFF)),
                       commentCopy);
        record.TextOffset = at;
    }
    if (state.ResultCount == 1) {
        m_text.replace(size_t(at), find.size(), replace);
        m_found = 1;
    }
    return 1;
}

void CComment::SetFindResultMark(const CFindResult&, int mark)
{
    m_found = mark;
}
