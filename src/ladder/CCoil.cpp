#include "CCoil.h"

#include "CLDNameTables.h"
#include "model/CFindResult.h"
#include "model/CFindState.h"
#include "model/CInstructionDef.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/ILVocabulary.h"
#include "model/OperandTypeFlags.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"
#include "platform/CArchive.h"
#include "platform/CDC.h"
#include "platform/CPen.h"
#include "platform/CUserInterface.h"

#include <algorithm>

IMPLEMENT_SERIAL(CCoil, CLDElement, 1)

namespace {

// How a coil's IL line is formed from its operand.
enum class LineForm {
    Operand,  // the mnemonic, then the operand
    Label,    // the operand and ":"
    Alone,    // the mnemonic only
    Empty,    // "-(NUL)": nothing, or the result stored to %BR0.0
};

struct CoilLineRow {
    const char* inner;
    const char* mnemonic; // with the blanks that follow it
    LineForm form;
};

constexpr CoilLineRow COIL_LINES[] = {
    {"", "ST   ", LineForm::Operand},
    {"/", "STN   ", LineForm::Operand},
    {"I", "STI   ", LineForm::Operand},
    {"S", "S    ", LineForm::Operand},
    {"SI", "SI    ", LineForm::Operand},
    {"R", "R    ", LineForm::Operand},
    {"RI", "RI    ", LineForm::Operand},
    {"NUL", "", LineForm::Empty},
    {"LBL", "", LineForm::Label},
    {"JMP", "JMP    ", LineForm::Operand},
    {"JMPC", "JMPC    ", LineForm::Operand},
    {"JMPCN", "JMPCN    ", LineForm::Operand},
    {"NEXT", "NEXT", LineForm::Alone},
    {"RET", "RET", LineForm::Alone},
    {"RETC", "RETC", LineForm::Alone},
    {"RETCN", "RETCN", LineForm::Alone},
    {"END", "END", LineForm::Alone},
    {"STOP", "STOP", LineForm::Alone},
    {"WDR", "WDR", LineForm::Alone},
    {"ENI", "ENI", LineForm::Alone},
    {"DISI", "DISI", LineForm::Alone},
};

const char* const OPERANDLESS_TYPES[] = {"-(NUL)", "-(NEXT)", "-(ENI)", "-(DISI)", "-(RET)",
                                         "-(RETC)", "-(RETCN)", "-(END)", "-(STOP)", "-(WDR)"};
const char* const LABEL_TYPES[] = {"-(LBL)", "-(JMP)", "-(JMPC)", "-(JMPCN)"};
// Logic instructions after which a "-(NUL)" coil stores nothing when they take two operands.
const char* const BOX_LOGIC_MNEMONICS[] = {"AND", "ANDN", "OR", "ORN", "XOR"};

const char* const LABEL_COIL = "-(LBL)";
const char* const UNSET_OPERAND = "????";
const char* const NO_INPUT_LINE = "LD    TRUE\r\n";
const char* const EMPTY_COIL_LINE = "ST   %BR0.0\r\n";
const char* const CRLF = "\r\n";
constexpr char EXCHANGE_SEPARATOR = '\x01';
constexpr int OPERAND_SHOWN_BYTES = 16;
constexpr int LD_IGNORE_COILS = 4; // "All Coils" in the LD ignore mask
constexpr unsigned OUTPUT_LIST_FIND_REPLACE = 2;
constexpr int MIN_AREA_WIDTH = 1;

// Fractions of the cell.
constexpr double RUNG_Y = 0.625;
constexpr double LEFT_LEAD_END = 0.35;
constexpr double RIGHT_LEAD_START = 0.65;
constexpr double LEFT_ARC_RIGHT = 0.55;
constexpr double RIGHT_ARC_LEFT = 0.45;
constexpr double SYMBOL_TOP = 0.375;
constexpr double SYMBOL_BOTTOM = 0.875;
constexpr double OPERAND_Y = 0.25;
constexpr double STATE_LEFT = 0.46;
constexpr double STATE_RIGHT = 0.54;
constexpr double OPERAND_AREA_BOTTOM = 0.05;
constexpr double EDIT_INSET_X = 0.05;
constexpr double EDIT_INSET_Y = 0.125;

// Find frames and the padlock, relative to the cell.
constexpr int TYPE_FRAME_SIDE = 30;
constexpr int TYPE_FRAME_TOP = 18;
constexpr int TYPE_FRAME_BOTTOM = 13;
constexpr int OPERAND_FRAME_SIDE = 10;
constexpr int OPERAND_FRAME_TOP = 2;
constexpr int OPERAND_FRAME_BOTTOM = 5;
constexpr int PADLOCK_RIGHT = 34;
constexpr int PADLOCK_TOP = 18;
constexpr int RAIL_PEN = 3;

constexpr COLORREF HIGHLIGHT_LINE = RGB(250, 250, 250);
constexpr COLORREF MONITOR_TEXT = RGB(0, 0, 255);
constexpr COLORREF INVALID_TEXT = RGB(255, 0, 0);
constexpr COLORREF ENERGISED_STATE = RGB(0, 0, 255);
constexpr COLORREF IDLE_STATE = RGB(255, 255, 255);

int Fraction(double fraction, int size)
{
    return static_cast<int>(fraction * size);
}

template <size_t N>
bool IsOneOf(const std::string& text, const char* const (&names)[N])
{
    return std::find_if(std::begin(names), std::end(names), [&](const char* name) { return text == name; })
        != std::end(names);
}

const CoilLineRow& FindLineRow(const std::string& inner)
{
    for (const CoilLineRow& row : COIL_LINES) {
        if (inner == row.inner)
            return row;
    }
    return COIL_LINES[0];
}

// The mnemonic of the input's last line, and whether that line has a comma.
std::string LastMnemonic(const std::string& input, bool* comma)
{
    *comma = false;
    const std::string lineEnd = CRLF;
    if (input.size() < lineEnd.size() || input.compare(input.size() - lineEnd.size(), lineEnd.size(), lineEnd) != 0)
        return std::string();
    const std::string body = input.substr(0, input.size() - 2);
    const int cr = ByteString::ReverseFind(body, '\r');
    std::string line = cr < 0 ? body : ByteString::Mid(body, cr + 1);
    if (!line.empty() && line[0] == '\n')
        line.erase(0, 1);
    line = ByteString::TrimLeft(line);
    *comma = line.find(',') != std::string::npos;
    const size_t blank = line.find(' ');
    if (blank != std::string::npos)
        line.erase(blank);
    return ByteString::Trim(line);
}

} // namespace

CCoil::CCoil()
{
    m_kind = LD_KIND_COIL;
    m_link = LD_LINK_SERIES;
    m_width = 1;
    m_height = 1;
    m_operand = UNSET_OPERAND;
}

CCoil::~CCoil() = default;

void CCoil::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_coilFound << m_operandFound << m_childAIndex << m_childBIndex << m_operand << m_typeText << m_kind
           << m_link << m_graphical << m_ilText;
        return;
    }
    ar >> m_coilFound >> m_operandFound >> m_childAIndex >> m_childBIndex >> m_operand >> m_typeText >> m_kind
        >> m_link >> m_graphical >> m_ilText;
}

std::string CCoil::GetTypeText() const
{
    return m_typeText;
}

std::string CCoil::GetOperand() const
{
    return m_operand;
}

std::string CCoil::GetInnerText() const
{
    return InnerTypeText(m_typeText, '(', ')');
}

BOOL CCoil::HasOperand() const
{
    return !IsOneOf(m_typeText, OPERANDLESS_TYPES);
}

BOOL CCoil::IsLabelType() const
{
    return IsOneOf(m_typeText, LABEL_TYPES);
}

CCoil* CCoil::NextInChain() const
{
    if (m_link != LD_LINK_PARALLEL)
        return nullptr;
    return dynamic_cast<CCoil*>(m_childB);
}

void CCoil::SetOperand(const std::string& text)
{
    std::string operand = ByteString::Trim(text);
    OperandTypeFlags flags = 0;
    if (operand.empty())
        operand = UNSET_OPERAND;
    else if (ParseDirectAddress(operand, flags))
        operand = ByteString::Upper(operand);
    m_operand = operand;
}

void CCoil::NormaliseOperand()
{
    if (!HasOperand())
        return;
    const std::string operand = ByteString::Trim(m_operand);
    if (operand.empty() || operand == UNSET_OPERAND) {
        m_operand = UNSET_OPERAND;
        return;
    }
    if (!IsLabelType()) {
        SetOperand(ToDisplayOperand(operand));
        return;
    }
    SetOperand(operand);
    if (m_typeText == LABEL_COIL && GetNames())
        GetNames()->AddLabel(m_operand);
}

DWORD CCoil::GetOperandPinMask() const
{
    if (!g_pAppData)
        return 0;
    const auto row = g_pAppData->CoilCatalog.find(m_typeText);
    if (row == g_pAppData->CoilCatalog.end() || !row->second)
        return 0;
    return row->second->pinMasks[0];
}

BOOL CCoil::IsOperandValidForMask(DWORD mask, const std::string& text) const
{
    return OperandSuitsMask(mask, text);
}

std::string CCoil::GetExchangeText() const
{
    return m_typeText + EXCHANGE_SEPARATOR + m_operand;
}

std::string CCoil::CoilLine(const std::string& operand) const
{
    const std::string inner = GetInnerText();
    const CoilLineRow& row = FindLineRow(inner);
    switch (row.form) {
    case LineForm::Operand:
        return row.mnemonic + operand + CRLF;
    case LineForm::Label:
        return operand + ":" + CRLF;
    case LineForm::Alone:
        return inner + CRLF;
    case LineForm::Empty:
        break;
    }
    return std::string();
}

std::string CCoil::GetILText()
{
    if (!m_graphical)
        return m_ilText;
    std::string input;
    if (m_childA)
        input = m_childA->GetILText();
    else if (m_typeText != LABEL_COIL)
        input = NO_INPUT_LINE;
    bool comma = false;
    const std::string last = LastMnemonic(input, &comma);
    const bool endsInLogic = !IsNonLogicInstruction(last) && !(comma && IsOneOf(last, BOX_LOGIC_MNEMONICS));

    std::string lines;
    for (CCoil* coil = this; coil; coil = dynamic_cast<CCoil*>(coil->m_childB)) {
        std::string operand;
        if (!coil->ToAddressOperand(coil->m_operand, &operand) || operand.empty())
            operand = coil->m_operand;
        if (operand.empty())
            operand = UNSET_OPERAND;
        lines += coil->CoilLine(operand);
        if (coil->GetInnerText() == "NUL" && !coil->m_childB && endsInLogic)
            lines += EMPTY_COIL_LINE;
    }
    return input + lines;
}

CSize CCoil::GetSize(BOOL printing)
{
    m_chainLength = 1;
    for (const CCoil* coil = NextInChain(); coil; coil = coil->NextInChain())
        ++m_chainLength;
    const CSize input = m_childA ? m_childA->GetSize(printing) : CSize(0, 0);
    // The coils of the chain stand one below another, so the network is at
    // least as high as its chain.
    const int height = std::max({input.cy, m_height, m_link == LD_LINK_PARALLEL ? m_chainLength : 0});
    return CSize(input.cx + m_width, height);
}

CSize CCoil::LayoutOnly(int cellWidth, int cellHeight, CLDPositionMap* positionMap, int originCol, int originRow)
{
    return Layout({cellWidth, cellHeight, originCol, originRow, std::string(), positionMap, nullptr, FALSE});
}

CSize CCoil::LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string& pouName,
                           CLDPositionMap* positionMap, CDC* dc, BOOL highlight)
{
    return Layout({cellWidth, cellHeight, originCol, originRow, pouName, positionMap, dc, highlight});
}

CSize CCoil::Layout(const CLDLayoutPass& pass)
{
    CSize input(0, 0);
    if (m_childA)
        input = LayoutChild(m_childA, m_layoutRect, pass);
    m_position = m_layoutRect;
    m_position.column = m_layoutRect.column + std::max(m_layoutRect.spare, MIN_AREA_WIDTH) - 1;
    const BOOL drawing = pass.IsDrawing() && m_graphical;
    if (drawing) {
        DrawSymbol(pass);
        DrawMarks(pass);
    }
    InsertPosition(m_position.column, m_position.row, this, pass.positionMap);
    if (drawing) {
        const int y = (m_position.row - pass.originRow) * pass.cellHeight + Fraction(RUNG_Y, pass.cellHeight);
        CPen pen(PS_SOLID, 1, pass.highlight ? HIGHLIGHT_LINE : m_lineColor);
        CPen* oldPen = pass.dc->SelectObject(&pen);
        pass.dc->MoveTo((m_layoutRect.column - pass.originCol + input.cx) * pass.cellWidth, y);
        pass.dc->LineTo((m_position.column - pass.originCol) * pass.cellWidth, y);
        pass.dc->SelectObject(oldPen);
    }
    int rows = 1;
    for (CCoil* coil = NextInChain(), *holder = this; coil; holder = coil, coil = coil->NextInChain()) {
        coil->SetParent(holder);
        coil->AttachNames(GetNames());
        coil->m_layoutRect = CLDCellRect(m_position.column, m_position.row + rows, m_position.spare,
                                         m_position.itemIndex);
        coil->m_position = coil->m_layoutRect;
        InsertPosition(coil->m_position.column, coil->m_position.row, coil, pass.positionMap);
        if (pass.IsDrawing() && coil->m_graphical) {
            coil->DrawSymbol(pass);
            coil->DrawMarks(pass);
        }
        ++rows;
    }
    if (drawing)
        DrawChainLinks(pass, rows);
    return CSize(m_position.column + m_width + 1, std::max({m_height, static_cast<int>(input.cy), rows}));
}

// The line that joins the coils of a chain on the left and the segment of
// the right rail beside them.
void CCoil::DrawChainLinks(const CLDLayoutPass& pass, int rows)
{
    CDC* dc = pass.dc;
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    const CPoint origin = CellOrigin(W, H, pass.originCol, pass.originRow);
    const COLORREF colour = pass.highlight ? HIGHLIGHT_LINE : m_lineColor;
    if (m_childB && rows > 1) {
        CPen pen(PS_SOLID, 1, colour);
        CPen* oldPen = dc->SelectObject(&pen);
        dc->MoveTo(origin.x, origin.y + Fraction(RUNG_Y, H));
        dc->LineTo(origin.x, origin.y + (rows - 1) * H + Fraction(RUNG_Y, H));
        dc->SelectObject(oldPen);
    }
    CPen rail(PS_SOLID, RAIL_PEN, colour);
    CPen* oldPen = dc->SelectObject(&rail);
    m_railX = origin.x + W;
    m_railTop = origin.y;
    m_railBottom = origin.y + rows * H;
    dc->MoveTo(m_railX, m_railTop);
    dc->LineTo(m_railX, m_railBottom);
    dc->SelectObject(oldPen);
}

void CCoil::DrawSymbol(const CLDLayoutPass& pass)
{
    CDC* dc = pass.dc;
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    const CPoint origin = CellOrigin(W, H, pass.originCol, pass.originRow);
    const int x = origin.x;
    const int y = origin.y;
    const COLORREF colour = pass.highlight ? HIGHLIGHT_LINE : m_lineColor;
    const COLORREF oldText = dc->GetTextColor();
    const COLORREF oldBack = dc->GetBkColor();
    if (pass.highlight)
        dc->SetBkColor(LD_HIGHLIGHT_BACK);
    CPen thin(PS_SOLID, 1, colour);
    CPen thick(PS_SOLID, 2, colour);
    CPen* oldPen = dc->SelectObject(&thin);
    const int rungY = y + Fraction(RUNG_Y, H);
    dc->MoveTo(x, rungY);
    dc->LineTo(x + Fraction(LEFT_LEAD_END, W), rungY);
    dc->MoveTo(x + Fraction(RIGHT_LEAD_START, W), rungY);
    dc->LineTo(x + W, rungY);
    dc->SelectObject(&thick);
    const int top = y + Fraction(SYMBOL_TOP, H);
    const int bottom = y + Fraction(SYMBOL_BOTTOM, H);
    const int leftArcLeft = x + Fraction(LEFT_LEAD_END, W);
    const int rightArcRight = x + Fraction(RIGHT_LEAD_START, W);
    dc->Arc(leftArcLeft, top, x + Fraction(LEFT_ARC_RIGHT, W), bottom, leftArcLeft, top, leftArcLeft, bottom);
    dc->Arc(x + Fraction(RIGHT_ARC_LEFT, W), top, rightArcRight, bottom, rightArcRight, bottom, rightArcRight, top);
    dc->SelectObject(oldPen);
    DrawText(GetInnerText(), W / 2, Fraction(RUNG_Y, H), LD_TEXT_CENTRE, dc, pass.originCol, pass.originRow, W, H,
             pass.highlight);
    DrawOperand(pass);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
}

void CCoil::DrawOperand(const CLDLayoutPass& pass)
{
    if (!HasOperand())
        return;
    CDC* dc = pass.dc;
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    NormaliseOperand();
    if (m_selectedLabel > 0)
        return;
    const BOOL monitoring = IsMonitoring();
    if (m_operand == UNSET_OPERAND) {
        dc->SetTextColor(INVALID_TEXT);
        DrawText(UNSET_OPERAND, W / 2, Fraction(OPERAND_Y, H), LD_TEXT_CENTRE, dc, pass.originCol, pass.originRow, W,
                 H, pass.highlight);
        return;
    }
    std::string shown = m_operand;
    if (!IsLabelType()) {
        if (!IsOperandValidForMask(GetOperandPinMask(), m_operand))
            dc->SetTextColor(INVALID_TEXT);
        if (monitoring)
            m_forced = IsOperandForced(m_operand) ? 1 : 0;
        shown = ToDisplayOperand(m_operand);
    }
    if (monitoring)
        dc->SetTextColor(MONITOR_TEXT);
    DrawText(FitText(shown, OPERAND_SHOWN_BYTES), W / 2, Fraction(OPERAND_Y, H), LD_TEXT_CENTRE, dc, pass.originCol,
             pass.originRow, W, H, pass.highlight && !monitoring);
}

void CCoil::DrawMarks(const CLDLayoutPass& pass) const
{
    if (pass.dc->IsPrinting())
        return;
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    const CPoint origin = CellOrigin(W, H, pass.originCol, pass.originRow);
    if (m_operandFound) {
        DrawFoundFrame(pass.dc, CRect(origin.x + OPERAND_FRAME_SIDE, origin.y - OPERAND_FRAME_TOP,
                                      origin.x + W - OPERAND_FRAME_SIDE, origin.y + H / 2 - OPERAND_FRAME_BOTTOM));
    }
    if (m_coilFound) {
        DrawFoundFrame(pass.dc, CRect(origin.x + TYPE_FRAME_SIDE, origin.y + TYPE_FRAME_TOP,
                                      origin.x + W - TYPE_FRAME_SIDE, origin.y + H / 2 + TYPE_FRAME_BOTTOM));
    }
    if (IsMonitoring() && m_forced)
        DrawPadlock(pass.dc, origin.x + W - PADLOCK_RIGHT, origin.y + PADLOCK_TOP);
}

void CCoil::DrawMonitorState(int originCol, int originRow, int cellWidth, int cellHeight, CDC* dc)
{
    CLDElement::DrawMonitorState(originCol, originRow, cellWidth, cellHeight, dc);
    if (!dc || !m_graphical)
        return;
    std::string value;
    const BOOL known = GetLiveValueText(m_operand, &value, nullptr, OT_BOOL, nullptr);
    const CPoint origin = CellOrigin(cellWidth, cellHeight, originCol, originRow);
    dc->FillSolidRect(CRect(origin.x + Fraction(STATE_LEFT, cellWidth), origin.y + Fraction(SYMBOL_TOP, cellHeight),
                            origin.x + Fraction(STATE_RIGHT, cellWidth),
                            origin.y + Fraction(SYMBOL_BOTTOM, cellHeight)),
                      known && value == "1" ? ENERGISED_STATE : IDLE_STATE);
    DrawText(GetInnerText(), cellWidth / 2, Fraction(RUNG_Y, cellHeight), LD_TEXT_CENTRE, dc, originCol, originRow,
             cellWidth, cellHeight, FALSE);
}

BOOL CCoil::GetEditPosition(CPoint* point, int cellWidth, int cellHeight)
{
    if ((!m_childA && m_link == LD_LINK_SERIES) || m_selectedLabel > 0)
        return FALSE;
    if (point) {
        *point = CPoint(m_position.column * cellWidth + Fraction(EDIT_INSET_X, cellWidth),
                        m_position.row * cellHeight + Fraction(EDIT_INSET_Y, cellHeight));
    }
    return TRUE;
}

BOOL CCoil::InOperandArea(int x, int y, int cellWidth, int cellHeight) const
{
    const int left = m_position.column * cellWidth;
    const int top = m_position.row * cellHeight;
    return x >= left && x <= left + cellWidth && y >= top
        && y <= top + cellHeight / 2 - OPERAND_AREA_BOTTOM * cellHeight;
}

BOOL CCoil::HitTestOperandText(int x, int y, int cellWidth, int cellHeight, std::string*)
{
    return HasOperand() && InOperandArea(x, y, cellWidth, cellHeight);
}

BOOL CCoil::HitTestOperandLabel(CPoint* point, std::string* text, int cellWidth, int cellHeight, BOOL select)
{
    if (!HasOperand()) {
        m_selectedLabel = -1;
        return FALSE;
    }
    if (!point || !InOperandArea(point->x, point->y, cellWidth, cellHeight)) {
        if (select)
            m_selectedLabel = -1;
        return FALSE;
    }
    *point = CPoint(m_position.column * cellWidth, m_position.row * cellHeight);
    if (text)
        *text = OperandEditText(m_operand);
    if (select)
        m_selectedLabel = 1;
    return TRUE;
}

BOOL CCoil::Matches(const std::string& text, const std::string& searchCopy, std::string* copy) const
{
    return MatchesSearch(text, searchCopy, copy, LD_IGNORE_COILS);
}

std::string CCoil::OperandReportLine(const std::string& operand) const
{
    const CFindState& state = g_pAppData->Find;
    return ByteString::Format("    %d. LD program \"%s\": (Network:%d), Parameter \"%s\" of coil \"%s\", "
                              "Position(%d,%d) Size(%d,%d).",
                              state.ResultCount, state.CurrentPOUName.c_str(), state.CurrentNetwork, operand.c_str(),
                              m_typeText.c_str(), m_position.column, m_position.row, m_width, m_height);
}

void CCoil::FillResult(int action, const std::string& lineText) const
{
    CFindState& state = g_pAppData->Find;
    if (state.ResultCount <= 0 || state.ResultCount >= FIND_TABLE_SIZE)
        return;
    CFindResult& record = state.Results[size_t(state.ResultCount)];
    if (record.POUName.empty())
        FillFindResult(record, action, state.CurrentNetwork, m_typeText, lineText);
}

int CCoil::Find(const std::string& text, int mode)
{
    m_coilFound = 0;
    m_operandFound = 0;
    if (m_childA)
        m_childA->Find(text, mode);
    if (mode != LD_FIND_CLEAR && g_pAppData) {
        CFindState& state = g_pAppData->Find;
        const std::string searchCopy = SearchCopy(state, text);
        std::string copy;
        if (Matches(m_typeText, searchCopy, &copy)) {
            if (ShouldMarkHit(state, mode)) {
                m_coilFound = 1;
                ++state.MarkCounter;
            }
            if (mode != LD_FIND_MARK) {
                ++state.ResultCount;
                const std::string line = ByteString::Format(
                    "    %d. LD program \"%s\": (Network:%d), Coil \"%s\", Position(%d,%d) Size(%d,%d).",
                    state.ResultCount, state.CurrentPOUName.c_str(), state.CurrentNetwork, m_typeText.c_str(),
                    m_position.column, m_position.row, m_width, m_height);
                CUserInterface::Output().AppendOutputLine(OUTPUT_LIST_FIND_REPLACE, line);
                FillResult(LD_FIND_ACTION_FOUND, std::string());
            }
        }
        if (HasOperand() && Matches(m_operand, searchCopy, &copy)) {
            if (ShouldMarkHit(state, mode)) {
                m_operandFound = 1;
                ++state.MarkCounter;
            }
            if (mode != LD_FIND_MARK) {
                ++state.ResultCount;
                CUserInterface::Output().AppendOutputLine(OUTPUT_LIST_FIND_REPLACE, OperandReportLine(m_operand));
                FillResult(LD_FIND_ACTION_FOUND, m_operand);
            }
        }
    }
    if (CCoil* next = NextInChain())
        next->Find(text, mode);
    return 1;
}

// Replaces the search text in the operand (the first occurrence, found in
// the working copy, so a search in another case replaces the same bytes).
int CCoil::ReplaceHere(const std::string& find, const std::string& replace, BOOL onlyFirst)
{
    m_coilFound = 0;
    m_operandFound = 0;
    if (m_childA) {
        if (onlyFirst)
            m_childA->ReplaceOne(find, replace);
        else
            m_childA->ReplaceAll(find, replace);
    }
    CFindState* state = g_pAppData ? &g_pAppData->Find : nullptr;
    std::string copy;
    const std::string searchCopy = state ? SearchCopy(*state, find) : std::string();
    if (state && HasOperand() && Matches(m_operand, searchCopy, &copy)) {
        ++state->ResultCount;
        const std::string before = m_operand;
        const bool change = !onlyFirst || state->ResultCount == 1;
        if (change)
            m_operand.replace(size_t(ByteString::Find(copy, searchCopy)), find.size(), replace);
        if (change && (onlyFirst || state->MarksShown))
            m_operandFound = 1;
        FillResult(LD_FIND_ACTION_REPLACED, m_operand);
        if (!onlyFirst) {
            CUserInterface::Output().AppendOutputLine(
                OUTPUT_LIST_FIND_REPLACE,
                OperandReportLine(before)
                    + ByteString::Format(" \r \"%s\" is replaced as \"%s\".", find.c_str(), replace.c_str()));
            SetProjectModified(TRUE);
        }
    }
    if (CCoil* next = NextInChain()) {
        if (onlyFirst)
            next->ReplaceOne(find, replace);
        else
            next->ReplaceAll(find, replace);
    }
    return 1;
}

int CCoil::ReplaceAll(const std::string& find, const std::string& replace)
{
    return ReplaceHere(find, replace, FALSE);
}

int CCoil::ReplaceOne(const std::string& find, const std::string& replace)
{
    return ReplaceHere(find, replace, TRUE);
}

void CCoil::SetFindResultMark(const CFindResult& record, int mark)
{
    // The operand mark for a hit with a line text, else the coil's own mark.
    (record.LineText.empty() ? m_coilFound : m_operandFound) = mark;
}
