#include "CContact.h"

#include "CLDNameTables.h"
#include "model/CFindResult.h"
#include "model/CFindState.h"
#include "model/CInstructionDef.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/OperandTypeFlags.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"
#include "platform/CArchive.h"
#include "platform/CDC.h"
#include "platform/CPen.h"
#include "platform/CUserInterface.h"

#include <algorithm>

IMPLEMENT_SERIAL(CContact, CLDElement, 1)

namespace {

// The mnemonics of a contact type in its three forms.
struct ContactMnemonics {
    const char* inner;
    const char* load;
    const char* andForm;
    const char* orForm;
};

constexpr ContactMnemonics CONTACT_MNEMONICS[] = {
    {"", "LD", "AND", "OR"},
    {"/", "LDN", "ANDN", "ORN"},
    {"I", "LDI", "ANDI", "ORI"},
    {"/I", "LDNI", "ANDNI", "ORNI"},
    {"NOT", "NOT", "NOT", "NOT"},
};

const char* const UNSET_OPERAND = "????";
const char* const NOT_INNER = "NOT";
const char* const IL_OPERAND_GAP = "    ";
const char* const CRLF = "\r\n";
constexpr char TRANSFER_SEPARATOR = '\x01';
constexpr int OPERAND_SHOWN_BYTES = 16;
constexpr int LD_IGNORE_CONTACT = 2; // bit of the LD ignore mask
constexpr unsigned OUTPUT_LIST_FIND_REPLACE = 2;

// Fractions of the cell.
constexpr double RUNG_Y = 0.625;
constexpr double BAR_LEFT = 0.4;
constexpr double BAR_RIGHT = 0.6;
constexpr double BAR_TOP = 0.425;
constexpr double BAR_BOTTOM = 0.8;
constexpr double OPERAND_Y = 0.175;
constexpr double STATE_LEFT = 0.46;
constexpr double STATE_RIGHT = 0.54;
constexpr double STATE_TOP = 0.375;
constexpr double STATE_BOTTOM = 0.875;
constexpr double OPERAND_AREA_BOTTOM = 0.05;
constexpr double EDIT_INSET = 0.05;
constexpr int LABEL_AREA_BOTTOM = 5;           // pixels above the middle of the cell
constexpr int STATE_TEXT_X = 50;               // fixed offset of the inner text over the live state
constexpr int STATE_TEXT_Y = 25;

// Find frames, relative to the cell.
constexpr int TYPE_FRAME_SIDE = 30;
constexpr int TYPE_FRAME_TOP = 18;
constexpr int TYPE_FRAME_BOTTOM = 13;
constexpr int OPERAND_FRAME_SIDE = 10;
constexpr int OPERAND_FRAME_TOP = 2;
constexpr int OPERAND_FRAME_BOTTOM = 5;
constexpr int PADLOCK_RIGHT = 38;
constexpr int PADLOCK_TOP = 18;

constexpr COLORREF LINE_COLOUR = RGB(0, 0, 0);
constexpr COLORREF MONITOR_TEXT = RGB(0, 0, 255);
constexpr COLORREF INVALID_TEXT = RGB(255, 0, 0);
constexpr COLORREF CLOSED_STATE = RGB(0, 0, 255);
constexpr COLORREF OPEN_STATE = RGB(255, 255, 255);

int Fraction(double fraction, int size)
{
    return static_cast<int>(fraction * size);
}

const ContactMnemonics* FindMnemonics(const std::string& inner)
{
    for (const ContactMnemonics& row : CONTACT_MNEMONICS) {
        if (inner == row.inner)
            return &row;
    }
    return &CONTACT_MNEMONICS[0];
}

} // namespace

CContact::CContact()
{
    m_kind = LD_KIND_CONTACT;
    m_width = 1;
    m_height = 1;
    m_position.SetCell(0);
}

CContact::~CContact() = default;

void CContact::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_typeFound << m_operandFound << m_childAIndex << m_childBIndex << m_operand << m_typeText << m_kind
           << m_link;
        return;
    }
    ar >> m_typeFound >> m_operandFound >> m_childAIndex >> m_childBIndex >> m_operand >> m_typeText >> m_kind
        >> m_link;
}

std::string CContact::GetTypeText() const
{
    return m_typeText;
}

std::string CContact::GetOperand() const
{
    return m_operand;
}

std::string CContact::GetInnerText() const
{
    return InnerTypeText(m_typeText, '|', '|');
}

BOOL CContact::IsNotType() const
{
    return GetInnerText() == NOT_INNER;
}

void CContact::SetOperand(const std::string& text)
{
    std::string operand = ByteString::Trim(text);
    OperandTypeFlags flags = 0;
    if (operand.empty())
        operand = UNSET_OPERAND;
    else if (ParseDirectAddress(operand, flags))
        operand = ByteString::Upper(operand);
    m_operand = operand;
}

void CContact::NormaliseOperand()
{
    const std::string operand = ByteString::Trim(m_operand);
    if (operand.empty() || operand == UNSET_OPERAND) {
        m_operand = UNSET_OPERAND;
        return;
    }
    SetOperand(ToDisplayOperand(operand));
}

DWORD CContact::GetOperandPinMask() const
{
    if (!g_pAppData)
        return 0;
    const auto row = g_pAppData->ContactCatalog.find(m_typeText);
    if (row == g_pAppData->ContactCatalog.end() || !row->second)
        return 0;
    return row->second->pinMasks[0];
}

BOOL CContact::IsOperandValidForMask(DWORD mask, const std::string& text) const
{
    return OperandSuitsMask(mask, text);
}

std::string CContact::AddressText()
{
    if (IsNotType())
        return std::string();
    std::string address;
    if (ToAddressOperand(m_operand, &address))
        address = ByteString::Trim(address);
    if (address.empty())
        address = ByteString::Trim(m_operand);
    return address.empty() ? UNSET_OPERAND : address;
}

std::string CContact::GetTransferText()
{
    return m_typeText + TRANSFER_SEPARATOR + AddressText();
}

std::string CContact::GetILText()
{
    const ContactMnemonics* mnemonics = FindMnemonics(GetInnerText());
    const int parentKind = m_parent ? m_parent->GetKind() : LD_KIND_COMMENT;
    const int parentLink = m_parent ? m_parent->GetLink() : 0;
    const char* mnemonic = nullptr;
    if (m_link == LD_LINK_SERIES) {
        const bool load = parentKind == LD_KIND_COIL
            || (parentKind == LD_KIND_LOGIC_NODE && parentLink == LD_LINK_PARALLEL);
        mnemonic = load ? mnemonics->load : mnemonics->andForm;
    } else {
        const bool load = parentKind == LD_KIND_LOGIC_NODE && parentLink == LD_LINK_SERIES;
        mnemonic = load ? mnemonics->load : mnemonics->orForm;
    }
    std::string text = std::string(mnemonic) + IL_OPERAND_GAP + AddressText() + CRLF;
    CLDElement* next = m_link == LD_LINK_SERIES ? m_childA : m_childB;
    if (next)
        text += next->GetILText();
    return text;
}

CSize CContact::GetSize(BOOL printing)
{
    return SuccessorSize(printing);
}

CSize CContact::LayoutOnly(int cellWidth, int cellHeight, CLDPositionMap* positionMap, int originCol, int originRow)
{
    return Layout({cellWidth, cellHeight, originCol, originRow, std::string(), positionMap, nullptr, FALSE});
}

CSize CContact::LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string& pouName,
                              CLDPositionMap* positionMap, CDC* dc, BOOL highlight)
{
    return Layout({cellWidth, cellHeight, originCol, originRow, pouName, positionMap, dc, highlight});
}

CSize CContact::Layout(const CLDLayoutPass& pass)
{
    m_position = m_layoutRect;
    const CPoint origin = CellOrigin(pass.cellWidth, pass.cellHeight, pass.originCol, pass.originRow);
    if (pass.IsDrawing()) {
        CDC* dc = pass.dc;
        const COLORREF oldText = dc->GetTextColor();
        const COLORREF oldBack = dc->GetBkColor();
        DrawSymbol(pass, origin);
        DrawOperand(pass);
        dc->SetTextColor(oldText);
        dc->SetBkColor(oldBack);
        if (!dc->IsPrinting())
            DrawMarks(pass, origin);
    }
    InsertPosition(m_position.column, m_position.row, this, pass.positionMap);
    if (m_link != LD_LINK_PARALLEL || !m_childB)
        return LayoutSuccessor(pass);
    const CLDCellRect below(m_position.column, m_position.row + m_height, m_position.spare, m_position.itemIndex);
    const CSize lower = LayoutChild(m_childB, below, pass);
    if (pass.IsDrawing())
        DrawParallelLinks(pass, origin, lower);
    return CSize(std::max(m_width, lower.cx), m_height + lower.cy);
}

void CContact::DrawSymbol(const CLDLayoutPass& pass, CPoint origin)
{
    CDC* dc = pass.dc;
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    const COLORREF colour = pass.highlight ? LD_HIGHLIGHT_TEXT : LINE_COLOUR;
    CPen thin(PS_SOLID, 1, colour);
    CPen thick(PS_SOLID, 2, colour);
    if (pass.highlight)
        dc->SetBkColor(LD_HIGHLIGHT_BACK);
    CPen* oldPen = dc->SelectObject(&thin);
    const int rungY = origin.y + Fraction(RUNG_Y, H);
    dc->MoveTo(origin.x, rungY);
    dc->LineTo(origin.x + Fraction(BAR_LEFT, W), rungY);
    dc->MoveTo(origin.x + Fraction(BAR_RIGHT, W), rungY);
    dc->LineTo(origin.x + W, rungY);
    DrawText(GetInnerText(), W / 2, Fraction(RUNG_Y, H), LD_TEXT_CENTRE, dc, pass.originCol, pass.originRow, W, H,
             pass.highlight);
    dc->SelectObject(&thick);
    for (const double bar : {BAR_LEFT, BAR_RIGHT}) {
        dc->MoveTo(origin.x + Fraction(bar, W), origin.y + Fraction(BAR_TOP, H));
        dc->LineTo(origin.x + Fraction(bar, W), origin.y + Fraction(BAR_BOTTOM, H));
    }
    dc->SelectObject(oldPen);
}

// The operand above the symbol. The stored operand takes the display form
// whole (a long one is only shown cut), and it is kept while the in-place
// editor works on it, so neither the cut nor the editing loses it.
void CContact::DrawOperand(const CLDLayoutPass& pass)
{
    CDC* dc = pass.dc;
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    const BOOL labelSelected = m_selectedLabel > 0;
    m_operand = ByteString::Trim(m_operand);
    const int oldMode = dc->SetBkMode(OPAQUE);
    if (m_operand.empty() || m_operand == UNSET_OPERAND) {
        m_operand = UNSET_OPERAND;
        if (!labelSelected && !IsNotType()) {
            dc->SetTextColor(INVALID_TEXT);
            DrawText(UNSET_OPERAND, W / 2, Fraction(OPERAND_Y, H), LD_TEXT_CENTRE, dc, pass.originCol,
                     pass.originRow, W, H, pass.highlight);
        }
        dc->SetBkMode(oldMode);
        return;
    }
    const BOOL valid = IsOperandValidForMask(GetOperandPinMask(), m_operand);
    const std::string display = ToDisplayOperand(m_operand);
    const std::string shown = FitText(display, OPERAND_SHOWN_BYTES);
    const BOOL monitoring = IsMonitoring();
    if (monitoring) {
        dc->SetTextColor(MONITOR_TEXT);
        DrawText(shown, W / 2, Fraction(OPERAND_Y, H), LD_TEXT_CENTRE, dc, pass.originCol, pass.originRow, W, H,
                 FALSE);
    } else if (!labelSelected) {
        if (!valid)
            dc->SetTextColor(INVALID_TEXT);
        DrawText(shown, W / 2, Fraction(OPERAND_Y, H), LD_TEXT_CENTRE, dc, pass.originCol, pass.originRow, W, H,
                 pass.highlight);
    }
    dc->SetBkMode(oldMode);
    SetOperand(display);
    if (monitoring)
        m_forced = IsOperandForced(display) ? 1 : 0;
}

void CContact::DrawMarks(const CLDLayoutPass& pass, CPoint origin) const
{
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    if (m_typeFound) {
        DrawFoundFrame(pass.dc, CRect(origin.x + TYPE_FRAME_SIDE, origin.y + TYPE_FRAME_TOP,
                                      origin.x + W - TYPE_FRAME_SIDE, origin.y + H / 2 + TYPE_FRAME_BOTTOM));
    }
    if (m_operandFound) {
        DrawFoundFrame(pass.dc, CRect(origin.x + OPERAND_FRAME_SIDE, origin.y - OPERAND_FRAME_TOP,
                                      origin.x + W - OPERAND_FRAME_SIDE, origin.y + H / 2 - OPERAND_FRAME_BOTTOM));
    }
    if (IsMonitoring() && m_forced)
        DrawPadlock(pass.dc, origin.x + W - PADLOCK_RIGHT, origin.y + PADLOCK_TOP);
}

void CContact::DrawParallelLinks(const CLDLayoutPass& pass, CPoint origin, CSize below) const
{
    CDC* dc = pass.dc;
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    const COLORREF oldText = dc->GetTextColor();
    const COLORREF oldBack = dc->GetBkColor();
    CPen pen(PS_SOLID, 1, pass.highlight ? LD_HIGHLIGHT_TEXT : LINE_COLOUR);
    if (pass.highlight)
        dc->SetBkColor(LD_HIGHLIGHT_BACK);
    CPen* oldPen = dc->SelectObject(&pen);
    const int y0 = origin.y + Fraction(RUNG_Y, H);
    const int y1 = (m_position.row + 1 - pass.originRow) * H + Fraction(RUNG_Y, H);
    dc->MoveTo(origin.x, y0);
    dc->LineTo(origin.x, y1);
    const int xa = origin.x + W;
    const int xb = origin.x + below.cx * W;
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
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
}

void CContact::DrawMonitorState(int originCol, int originRow, int cellWidth, int cellHeight, CDC* dc)
{
    if (dc) {
        std::string value;
        std::string bits;
        int flags = 0;
        const BOOL known = GetLiveValueText(m_operand, &value, &bits, OT_BOOL, &flags);
        if (static_cast<DWORD>(flags) & (OT_AREA_T | OT_AREA_C))
            value = bits;
        const std::string inner = GetInnerText();
        const bool negated = inner == "/" || inner == "/I";
        const bool closed = known && ((value == "1") != negated);
        const CPoint origin = CellOrigin(cellWidth, cellHeight, originCol, originRow);
        dc->FillSolidRect(CRect(origin.x + Fraction(STATE_LEFT, cellWidth), origin.y + Fraction(STATE_TOP, cellHeight),
                                origin.x + Fraction(STATE_RIGHT, cellWidth),
                                origin.y + Fraction(STATE_BOTTOM, cellHeight)),
                          closed ? CLOSED_STATE : OPEN_STATE);
        DrawText(inner, STATE_TEXT_X, STATE_TEXT_Y, LD_TEXT_CENTRE, dc, originCol, originRow, cellWidth, cellHeight,
                 FALSE);
    }
    CLDElement::DrawMonitorState(originCol, originRow, cellWidth, cellHeight, dc);
}

BOOL CContact::GetEditPosition(CPoint* point, int cellWidth, int cellHeight)
{
    if (m_selectedLabel > 0)
        return FALSE;
    if (point) {
        *point = CPoint(m_position.column * cellWidth + Fraction(EDIT_INSET, cellWidth),
                        m_position.row * cellHeight + Fraction(EDIT_INSET, cellHeight));
    }
    return TRUE;
}

BOOL CContact::InOperandArea(int x, int y, int cellWidth, int cellHeight) const
{
    const int left = m_position.column * cellWidth;
    const int top = m_position.row * cellHeight;
    return x >= left && x <= left + cellWidth && y >= top
        && y <= top + cellHeight / 2 - OPERAND_AREA_BOTTOM * cellHeight;
}

BOOL CContact::HitTestOperandText(int x, int y, int cellWidth, int cellHeight, std::string* text)
{
    if (IsNotType())
        return FALSE;
    if (text)
        *text = m_operand;
    return InOperandArea(x, y, cellWidth, cellHeight);
}

BOOL CContact::HitTestOperandLabel(CPoint* point, std::string* text, int cellWidth, int cellHeight, BOOL select)
{
    if (IsNotType()) {
        m_selectedLabel = -1;
        return FALSE;
    }
    const int left = m_position.column * cellWidth;
    const int top = m_position.row * cellHeight;
    const bool hit = point && point->x >= left && point->x <= left + cellWidth && point->y >= top
        && point->y <= top + cellHeight / 2 - LABEL_AREA_BOTTOM;
    if (!hit) {
        if (select)
            m_selectedLabel = -1;
        return FALSE;
    }
    *point = CPoint(left, top);
    if (text)
        *text = OperandEditText(m_operand);
    if (select)
        m_selectedLabel = 1;
    return TRUE;
}

BOOL CContact::Matches(const std::string& text, const std::string& searchCopy, std::string* copy) const
{
    return MatchesSearch(text, searchCopy, copy, LD_IGNORE_CONTACT);
}

std::string CContact::OperandReportLine() const
{
    const CFindState& state = g_pAppData->Find;
    return ByteString::Format("    %d. LD program \"%s\": (Network:%d), Parameter \"%s\" of contact \"%s\", "
                              "Position(%d,%d), Size(%d,%d).",
                              state.ResultCount, state.CurrentPOUName.c_str(), state.CurrentNetwork,
                              m_operand.c_str(), m_typeText.c_str(), m_position.column, m_position.row, m_width,
                              m_height);
}

void CContact::FillOperandResult(int action, const std::string& lineText) const
{
    CFindState& state = g_pAppData->Find;
    if (state.ResultCount <= 0 || state.ResultCount >= FIND_TABLE_SIZE)
        return;
    CFindResult& record = state.Results[size_t(state.ResultCount)];
    if (record.POUName.empty())
        FillFindResult(record, action, state.CurrentNetwork, m_typeText, lineText);
}

int CContact::Find(const std::string& text, int mode)
{
    m_typeFound = 0;
    m_operandFound = 0;
    int hits = 0;
    if (mode != LD_FIND_CLEAR && g_pAppData) {
        CFindState& state = g_pAppData->Find;
        const std::string searchCopy = SearchCopy(state, text);
        std::string copy;
        if (Matches(m_typeText, searchCopy, &copy)) {
            ++hits;
            if (ShouldMarkHit(state, mode)) {
                m_typeFound = 1;
                ++state.MarkCounter;
            }
            if (mode != LD_FIND_MARK) {
                ++state.ResultCount;
                const std::string line = ByteString::Format(
                    "    %d. LD program \"%s\": (Network:%d), Contact \"%s\", Position(%d,%d), Size(%d,%d).",
                    state.ResultCount, state.CurrentPOUName.c_str(), state.CurrentNetwork, m_typeText.c_str(),
                    m_position.column, m_position.row, m_width, m_height);
                FillOperandResult(LD_FIND_ACTION_FOUND, std::string());
                CUserInterface::Output().AppendOutputLine(OUTPUT_LIST_FIND_REPLACE, line);
            }
        }
        if (Matches(m_operand, searchCopy, &copy)) {
            ++hits;
            if (ShouldMarkHit(state, mode)) {
                m_operandFound = 1;
                ++state.MarkCounter;
            }
            if (mode != LD_FIND_MARK) {
                ++state.ResultCount;
                FillOperandResult(LD_FIND_ACTION_FOUND, m_operand);
                CUserInterface::Output().AppendOutputLine(OUTPUT_LIST_FIND_REPLACE, OperandReportLine());
            }
        }
    }
    CLDElement* next = GetSuccessor();
    return hits + (next ? next->Find(text, mode) : 0);
}

// Whole-word matching compares the working copies, so that an operand in
// mixed case that Find reports is replaced as well.
int CContact::ReplaceAll(const std::string& find, const std::string& replace)
{
    m_typeFound = 0;
    m_operandFound = 0;
    int hits = 0;
    if (g_pAppData) {
        CFindState& state = g_pAppData->Find;
        const std::string searchCopy = SearchCopy(state, find);
        std::string copy;
        if (Matches(m_operand, searchCopy, &copy)) {
            hits = 1;
            if (state.MarksShown)
                m_operandFound = 1;
            ++state.ResultCount;
            const std::string before = m_operand;
            FillOperandResult(LD_FIND_ACTION_REPLACED, before);
            const std::string line = OperandReportLine();
            m_operand.replace(size_t(ByteString::Find(copy, searchCopy)), find.size(), replace);
            CUserInterface::Output().AppendOutputLine(
                OUTPUT_LIST_FIND_REPLACE,
                line + ByteString::Format("\r \"%s\" is replaced as \"%s\".", find.c_str(), replace.c_str()));
            SetProjectModified(TRUE);
        }
    }
    CLDElement* next = GetSuccessor();
    return hits + (next ? next->ReplaceAll(find, replace) : 0);
}

int CContact::ReplaceOne(const std::string& find, const std::string& replace)
{
    m_typeFound = 0;
    m_operandFound = 0;
    int hits = 0;
    if (g_pAppData) {
        CFindState& state = g_pAppData->Find;
        const std::string searchCopy = SearchCopy(state, find);
        std::string copy;
        if (Matches(m_operand, searchCopy, &copy)) {
            hits = 1;
            ++state.ResultCount;
            if (state.ResultCount == 1) {
                m_operand.replace(size_t(ByteString::Find(copy, searchCopy)), find.size(), replace);
                m_operandFound = 1;
            }
            FillOperandResult(LD_FIND_ACTION_REPLACED, m_operand);
        }
    }
    CLDElement* next = GetSuccessor();
    return hits + (next ? next->ReplaceOne(find, replace) : 0);
}

void CContact::SetFindResultMark(const CFindResult& record, int mark)
{
    // The operand mark for a hit with a line text, else the type mark.
    (record.LineText.empty() ? m_typeFound : m_operandFound) = mark;
}
