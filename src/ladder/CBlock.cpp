#include "CBlock.h"

#include "CBlockILWriter.h"
#include "CLDNameTables.h"
#include "model/CFindResult.h"
#include "model/CFindState.h"
#include "model/ILocalVarLookup.h"
#include "model/ProjectModified.h"
#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/OperandTypeFlags.h"
#include "model/TypedConstants.h"
#include "platform/ByteString.h"
#include "platform/CArchive.h"
#include "platform/CDC.h"
#include "platform/CPen.h"
#include "platform/CUserInterface.h"

#include <algorithm>

IMPLEMENT_SERIAL(CBlock, CLDElement, 1)

namespace {

const char* const UNSET_OPERAND = "????";
const char* const CRLF = "\r\n";
const char* const WORD_LOGIC_PREFIX = "__";
// The word-logic boxes share their names with the bit-logic instructions.
const char* const WORD_LOGIC_NAMES[] = {"AND", "ANDN", "OR", "ORN", "XOR", "XORN", "NOT"};

constexpr int BLOCK_WIDTH = 2;
constexpr int MIN_BLOCK_HEIGHT = 2;
constexpr int ANCHOR_UNSET_X = -2;
constexpr int OPERAND_SHOWN_BYTES = 14;
constexpr int ALIAS_DIGITS = 2;
constexpr int LD_IGNORE_BLOCKS = 8; // "All Blocks" in the LD ignore mask
constexpr unsigned OUTPUT_LIST_FIND_REPLACE = 2;
constexpr int GROUP_NAME = 0;
constexpr int GROUP_OUTPUT = 1;
constexpr int GROUP_INPUT = 2;

// Fractions of the cell.
constexpr double RUNG_Y = 0.625;
constexpr double BOX_MARGIN_Y = 0.1;
constexpr double FB_TITLE_DROP = 0.2;
constexpr double TITLE_Y = 0.325;
constexpr double INSTANCE_ABOVE_TITLE = 0.375;
constexpr double PIN_STUB = 0.1;
constexpr double OPERAND_GAP = 0.06;
constexpr double LABEL_RAISE = 0.05;
constexpr double EMPTY_TEXT_HEIGHT = 0.4;
constexpr double INSTANCE_LABEL_RAISE = 0.1;
constexpr double EMPTY_INSTANCE_LABEL_RAISE = 0.075;

// Find frames and locks, relative to a label's anchor.
constexpr int FRAME_INSET = 10;
constexpr int FRAME_TOP = 2;
constexpr int INSTANCE_FRAME_RIGHT = 13;
constexpr int LABEL_FRAME_BOTTOM = 1;
constexpr int INSTANCE_FRAME_BOTTOM = 6;
constexpr int INPUT_LOCK_LEFT = 3;
constexpr int OUTPUT_LOCK_SHIFT = 113;
constexpr int LOCK_TOP = 3;
constexpr int NAME_FRAME_LEFT = 5;
constexpr int NAME_FRAME_TOP = 6;
constexpr int FB_NAME_FRAME_TOP = 14;
constexpr int NAME_FRAME_NARROWING = 43;
constexpr int NAME_FRAME_LOWERING = 3;

const char* const PARAMETERS_NOTE = "Actual Parameters maybe need to be adjusted after pasting!";
const char* const SUBROUTINE_DELETED = "The subroutine has been deleted!";
const char* const NOTE_CAPTION = "Note";

constexpr int LIVE_VALUE_GAP = 6;
constexpr int LIVE_VALUE_WIDTH = 5;
constexpr COLORREF LIVE_VALUE_TEXT = RGB(0, 0, 255);
constexpr COLORREF LIVE_VALUE_BACK = RGB(255, 255, 255);
constexpr int LD_TEXT_LEFT_SHIFT = 5;  // DrawText starts a left-anchored text this far right
constexpr int LD_TEXT_RIGHT_SHIFT = 3; // and ends a right-anchored text this far left

constexpr COLORREF BOX_FILL = RGB(255, 128, 128);
constexpr COLORREF CHANGED_INTERFACE_FILL = RGB(14, 180, 168);
constexpr COLORREF PRINT_FILL = RGB(255, 255, 255);
constexpr COLORREF INVALID_TEXT = RGB(255, 0, 0);

int Fraction(double fraction, int size)
{
    return static_cast<int>(fraction * size);
}

bool IsUnset(const std::string& text)
{
    return text.empty() || text == UNSET_OPERAND;
}

bool IsInterruptName(const std::string& text)
{
    if (!g_pAppData)
        return false;
    std::string converted;
    int number = 0;
    return g_pAppData->Project.POUs.ConvertInterruptName(text, converted, TRUE)
        || (ParsePOUAlias(ByteString::Upper(text), "INT", number) && text.size() == 3 + ALIAS_DIGITS);
}

} // namespace

CBlock::CBlock()
{
    m_kind = LD_KIND_BLOCK;
    m_width = BLOCK_WIDTH;
    m_height = MIN_BLOCK_HEIGHT;
    m_link = LD_LINK_SERIES;
    m_selectedLabel = -1;
    for (CPoint& anchor : m_anchors)
        anchor = CPoint(ANCHOR_UNSET_X, 0);
}

CBlock::~CBlock() = default;

void CBlock::SetFunction(std::unique_ptr<CZULFunc> function)
{
    m_function = std::move(function);
    m_fb.reset();
    m_isFunction = 1;
    RefreshCounts();
}

void CBlock::SetFB(std::unique_ptr<CZULFB> block)
{
    m_fb = std::move(block);
    m_function.reset();
    m_isFunction = 0;
    RefreshCounts();
}

void CBlock::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nameFound << m_instanceFound;
        for (const int found : m_labelFound)
            ar << found;
        ar << m_childAIndex << m_childBIndex << m_kind << m_link << m_isFunction;
        if (m_isFunction && m_function)
            m_function->Serialize(ar);
        else if (!m_isFunction && m_fb)
            m_fb->Serialize(ar);
        return;
    }
    ar >> m_nameFound >> m_instanceFound;
    for (int& found : m_labelFound)
        ar >> found;
    ar >> m_childAIndex >> m_childBIndex >> m_kind >> m_link >> m_isFunction;
    if (!ar.IsOK())
        return;
    if (m_isFunction) {
        auto function = std::make_unique<CZULFunc>();
        function->Serialize(ar);
        SetFunction(std::move(function));
    } else {
        auto block = std::make_unique<CZULFB>();
        block->Serialize(ar);
        SetFB(std::move(block));
    }
}

BOOL CBlock::IsFunction() const
{
    return m_isFunction;
}

std::string CBlock::GetTypeText() const
{
    return std::string();
}

std::string CBlock::GetOperand() const
{
    return m_fb && !m_isFunction ? m_fb->instanceName : std::string();
}

std::string CBlock::GetName() const
{
    if (m_isFunction)
        return m_function ? m_function->name : std::string();
    return m_fb ? m_fb->typeName : std::string();
}

int CBlock::GetInputCount() const
{
    if (m_isFunction)
        return m_function ? m_function->inputs.GetSize() : 0;
    return m_fb ? m_fb->inputs.GetSize() : 0;
}

int CBlock::GetOutputCount() const
{
    if (m_isFunction)
        return m_function ? m_function->outputs.GetSize() : 0;
    return m_fb ? m_fb->outputs.GetSize() : 0;
}

CZULFBPara* CBlock::GetInput(int index) const
{
    if (m_isFunction)
        return m_function ? m_function->inputs.GetAt(index) : nullptr;
    return m_fb ? m_fb->inputs.GetAt(index) : nullptr;
}

CZULFBPara* CBlock::GetOutput(int index) const
{
    if (m_isFunction)
        return m_function ? m_function->outputs.GetAt(index) : nullptr;
    return m_fb ? m_fb->outputs.GetAt(index) : nullptr;
}

std::string CBlock::GetInputOperand(int index) const
{
    const CZULFBPara* para = GetInput(index);
    return para ? para->typeText : std::string();
}

std::string CBlock::GetOutputOperand(int index) const
{
    const CZULFBPara* para = GetOutput(index);
    return para ? para->typeText : std::string();
}

void CBlock::RefreshCounts()
{
    m_inputCount = GetInputCount();
    m_outputCount = GetOutputCount();
}

void CBlock::UpdateHeight()
{
    RefreshCounts();
    const int v = m_inputCount > m_outputCount ? m_inputCount : m_outputCount + 1;
    m_height = std::max(MIN_BLOCK_HEIGHT, v / 2 + 1);
}

std::string CBlock::GetInstructionName() const
{
    const std::string name = ByteString::Trim(GetName());
    for (const char* logic : WORD_LOGIC_NAMES) {
        if (name == logic)
            return WORD_LOGIC_PREFIX + name;
    }
    return name;
}

BOOL CBlock::InterfaceChanged(const CZULFunc* current)
{
    RefreshCounts();
    if (!current)
        return FALSE;
    return current->GetInputCount() != m_inputCount || current->GetOutputCount() != m_outputCount;
}

// Labels beyond the slots belong to parameters that only the Parameters dialog edits.
int CBlock::InputLabel(int index) const
{
    if (index < 1 || index >= m_inputCount || index >= BLOCK_LABEL_SLOTS)
        return -1;
    return index;
}

int CBlock::OutputLabel(int index) const
{
    const int label = m_inputCount + index;
    if (index < 1 || index >= m_outputCount || label >= BLOCK_LABEL_SLOTS)
        return -1;
    return label;
}

CPoint CBlock::GetLabelAnchor(int label) const
{
    if (label < 0 || label >= BLOCK_LABEL_SLOTS)
        return CPoint(ANCHOR_UNSET_X, 0);
    return m_anchors[label];
}

int CBlock::GetLabelFound(int label) const
{
    return label >= 0 && label < BLOCK_LABEL_SLOTS ? m_labelFound[label] : 0;
}

CZULFBPara* CBlock::LabelParameter(int label) const
{
    if (label <= 0)
        return nullptr;
    if (label < m_inputCount)
        return GetInput(label);
    if (label > m_inputCount)
        return GetOutput(label - m_inputCount);
    return nullptr;
}

int CBlock::LastLabel() const
{
    return std::min(BLOCK_LABEL_SLOTS - 1, m_inputCount + m_outputCount - 1);
}

BOOL CBlock::IsSeriesBoxOrNode(const CLDElement* element) const
{
    return element && (element->GetKind() == LD_KIND_BLOCK || element->GetKind() == LD_KIND_LOGIC_NODE);
}

CSize CBlock::GetSize(BOOL printing)
{
    UpdateHeight();
    if (m_link != LD_LINK_SERIES || !m_childA)
        return CSize(m_width, m_height);
    const CSize next = m_childA->GetSize(printing);
    const int wiring = IsSeriesBoxOrNode(m_childA) && !printing ? 1 : 0;
    return CSize(m_width + wiring + next.cx, std::max(m_height, next.cy));
}

CSize CBlock::LayoutOnly(int cellWidth, int cellHeight, CLDPositionMap* positionMap, int originCol, int originRow)
{
    return Layout({cellWidth, cellHeight, originCol, originRow, std::string(), positionMap, nullptr, FALSE}, TRUE);
}

CSize CBlock::LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string& pouName,
                            CLDPositionMap* positionMap, CDC* dc, BOOL highlight)
{
    const CLDLayoutPass pass {cellWidth, cellHeight, originCol, originRow, pouName, positionMap, dc, highlight};
    return Layout(pass, !pass.IsPrinting());
}

CSize CBlock::Layout(const CLDLayoutPass& pass, BOOL wiringCell)
{
    UpdateHeight();
    m_position = m_layoutRect;
    CSize size(m_width, m_height);
    if (m_link == LD_LINK_SERIES && m_childA) {
        const int wiring = IsSeriesBoxOrNode(m_childA) && wiringCell ? 1 : 0;
        const CLDCellRect rect(m_position.column + m_width + wiring, m_position.row, m_position.spare,
                               m_position.itemIndex);
        const CSize next = LayoutChild(m_childA, rect, pass);
        size = CSize(m_width + wiring + next.cx, std::max(m_height, next.cy));
    }
    m_position = m_layoutRect;
    const int textHeight =
        pass.IsDrawing() ? pass.dc->GetTextExtent("0").cy : Fraction(EMPTY_TEXT_HEIGHT, pass.cellHeight);
    ComputeAnchors(pass.cellWidth, pass.cellHeight, textHeight);
    if (pass.IsDrawing())
        DrawBox(pass);
    for (int column = 0; column < m_width; ++column) {
        for (int row = 0; row < m_height; ++row)
            InsertPosition(m_position.column + column, m_position.row + row, this, pass.positionMap);
    }
    return size;
}

void CBlock::ComputeAnchors(int cellWidth, int cellHeight, int textHeight)
{
    const int W = cellWidth;
    const int H = cellHeight;
    const int column = m_position.column;
    const int row = m_position.row;
    if (!m_isFunction) {
        const double raise = IsUnset(GetOperand()) ? EMPTY_INSTANCE_LABEL_RAISE : INSTANCE_LABEL_RAISE;
        m_anchors[0] = CPoint(column * W + W / 2, row * H - Fraction(raise, H));
    }
    const int rowTop = row * H + Fraction(RUNG_Y, H) - Fraction(LABEL_RAISE, H);
    for (int i = 1; i < m_inputCount; ++i) {
        const int label = InputLabel(i);
        if (label < 0)
            break;
        const int height = GetInputOperand(i).empty() ? Fraction(EMPTY_TEXT_HEIGHT, H) : textHeight;
        m_anchors[label] = CPoint(column * W - W / 2 - Fraction(OPERAND_GAP, W), rowTop + i * H / 2 - height / 2);
    }
    for (int j = 1; j < m_outputCount; ++j) {
        const int label = OutputLabel(j);
        if (label < 0)
            break;
        const int height = GetOutputOperand(j).empty() ? Fraction(EMPTY_TEXT_HEIGHT, H) : textHeight;
        m_anchors[label] = CPoint(column * W + W + W / 2 + Fraction(OPERAND_GAP, W), rowTop + j * H / 2 - height / 2);
    }
}

void CBlock::SetActualType(BOOL input, int index, OperandTypeFlags type)
{
    if (index < 0)
        return;
    std::vector<OperandTypeFlags>& types = input ? m_inputTypes : m_outputTypes;
    if (size_t(index) >= types.size())
        types.resize(size_t(index) + 1, 0);
    types[size_t(index)] = type;
}

OperandTypeFlags CBlock::GetActualType(BOOL input, int index) const
{
    const std::vector<OperandTypeFlags>& types = input ? m_inputTypes : m_outputTypes;
    return index >= 0 && size_t(index) < types.size() ? types[size_t(index)] : 0;
}

BOOL CBlock::RegisterFBInstance(const std::string& pouName) const
{
    if (m_isFunction || !m_fb || IsUnset(m_fb->instanceName) || !g_pAppData)
        return FALSE;
    return g_pAppData->Project.FBTable.AddFBInstance(m_fb->instanceName, m_fb->typeName, pouName, FB_LIST_TABLE);
}

BOOL CBlock::CheckOperand(DWORD flags, const std::string& operand) const
{
    const std::string text = ByteString::Trim(operand);
    if (text.empty() || text.find('?') != std::string::npos)
        return FALSE;
    if (IsInterruptName(text))
        return TRUE;
    if (!GetNames())
        return FALSE;
    if (IsIndirectOperand(ByteString::Upper(text)))
        return (flags & OT_VAR) && (flags & OT_POINTER);
    return OperandSuitsMask(flags, text);
}

void CBlock::SetOperand(const std::string& entered)
{
    if (m_selectedLabel < 0 || m_selectedLabel >= BLOCK_LABEL_SLOTS)
        return;
    std::string text = ByteString::Trim(entered);
    if (text.empty())
        text = UNSET_OPERAND;
    OperandTypeFlags flags = 0;
    if (ParseDirectAddress(text, flags))
        text = ByteString::Upper(text);
    if (m_selectedLabel == 0 && !m_isFunction) {
        if (!m_fb || text == m_fb->instanceName)
            return;
        if (g_pAppData)
            g_pAppData->Project.FBTable.RemoveFBInstance(ByteString::Upper(m_fb->instanceName));
        const CLDNameTables* names = GetNames();
        if (!names || names->POUName.empty() || !g_pAppData)
            return;
        if (!g_pAppData->Project.FBTable.AddFBInstance(text, m_fb->typeName, names->POUName, FB_LIST_TABLE))
            text = UNSET_OPERAND;
        m_fb->instanceName = text;
        return;
    }
    CZULSymbol* symbol = nullptr;
    if (g_pAppData && g_pAppData->FindGlobalSymbol(text, symbol))
        text = symbol->address;
    CZULFBPara* para = LabelParameter(m_selectedLabel);
    if (para)
        para->typeText = text;
}

BOOL CBlock::GetEditPosition(CPoint* point, int cellWidth, int /*cellHeight*/)
{
    if (!point)
        return FALSE;
    if (!m_isFunction && m_selectedLabel < 0) {
        m_selectedLabel = 0;
        *point = m_anchors[0];
        return TRUE;
    }
    if (m_inputCount <= 1 && m_outputCount <= 1)
        return FALSE;
    const int last = m_outputCount <= 2 ? m_inputCount + m_outputCount - 2 : LastLabel();
    if (m_selectedLabel >= std::min(last, BLOCK_LABEL_SLOTS - 1))
        return FALSE;
    int next = m_selectedLabel < 0 ? 1 : m_selectedLabel + 1;
    if (next == m_inputCount)
        ++next;
    if (next >= BLOCK_LABEL_SLOTS)
        return FALSE;
    *point = m_anchors[next];
    if (next < m_inputCount)
        point->x += cellWidth;
    point->y += 1;
    return TRUE;
}

BOOL CBlock::HitLabel(int label, int x, int y, int labelWidth, int cellHeight) const
{
    const CPoint anchor = m_anchors[label];
    return anchor.x <= x && x <= anchor.x + labelWidth && anchor.y <= y && y <= anchor.y + cellHeight / 2;
}

BOOL CBlock::HitTestOperandLabel(CPoint* point, std::string* text, int cellWidth, int cellHeight, BOOL select)
{
    if (!point)
        return FALSE;
    std::vector<int> labels;
    if (!m_isFunction)
        labels.push_back(0);
    for (int i = 1; i < m_inputCount; ++i) {
        if (InputLabel(i) >= 0)
            labels.push_back(InputLabel(i));
    }
    for (int j = 1; j < m_outputCount; ++j) {
        if (OutputLabel(j) >= 0)
            labels.push_back(OutputLabel(j));
    }
    for (const int label : labels) {
        if (!HitLabel(label, point->x, point->y, cellWidth, cellHeight))
            continue;
        *point = m_anchors[label];
        if (text) {
            const CZULFBPara* para = LabelParameter(label);
            *text = para ? ToDisplayOperand(para->typeText) : GetOperand();
        }
        if (select)
            m_selectedLabel = label;
        return TRUE;
    }
    if (select)
        m_selectedLabel = -1;
    return FALSE;
}

BOOL CBlock::HitTestOperandText(int x, int y, int cellWidth, int cellHeight, std::string* text)
{
    for (int label = 1; label <= LastLabel(); ++label) {
        const CZULFBPara* para = LabelParameter(label);
        if (!para || !HitLabel(label, x, y, cellWidth, cellHeight))
            continue;
        if (text)
            *text = para->typeText;
        return TRUE;
    }
    return FALSE;
}

std::string CBlock::GetILText()
{
    std::string text;
    if (m_parent && m_parent->GetKind() == LD_KIND_COIL)
        text = std::string("LD TRUE") + CRLF;
    text += CBlockILWriter().WriteBlock(*this);
    if (m_link == LD_LINK_SERIES && m_childA)
        text += m_childA->GetILText();
    return text;
}

void CBlock::ClearFoundFlags()
{
    std::fill(std::begin(m_labelFound), std::end(m_labelFound), 0);
    m_nameFound = 0;
    m_instanceFound = 0;
}

void CBlock::DrawBox(const CLDLayoutPass& pass)
{
    CDC* dc = pass.dc;
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    const BOOL printing = pass.IsPrinting();
    const CPoint origin = CellOrigin(W, H, pass.originCol, pass.originRow);
    const COLORREF colour = pass.highlight ? LD_HIGHLIGHT_TEXT : m_lineColor;
    const COLORREF oldText = dc->GetTextColor();
    const COLORREF oldBack = dc->GetBkColor();
    CPen pen(PS_SOLID, 1, colour);
    CPen* oldPen = dc->SelectObject(&pen);

    const int rungY = origin.y + Fraction(RUNG_Y, H);
    const int boxLeft = origin.x + W / 2;
    const int boxRight = boxLeft + W;
    const BOOL wiredIn = !printing && m_parent && m_parent->GetChildA() == this && IsSeriesBoxOrNode(m_parent);
    dc->MoveTo(wiredIn ? origin.x - W : origin.x, rungY);
    dc->LineTo(boxLeft, rungY);
    dc->MoveTo(boxRight, rungY);
    dc->LineTo(origin.x + 2 * W + (!printing && IsSeriesBoxOrNode(m_childA) ? W : 0), rungY);

    const int drop = m_isFunction ? 0 : Fraction(FB_TITLE_DROP, H);
    const CRect box(boxLeft, origin.y + Fraction(BOX_MARGIN_Y, H) + drop, boxRight,
                    origin.y + m_height * H - Fraction(BOX_MARGIN_Y, H));
    m_drawnRect = CRect(box.left - 1, box.top - 1, box.right + 1, box.bottom + 1);
    COLORREF fill = pass.highlight ? LD_HIGHLIGHT_BACK : printing ? PRINT_FILL : BOX_FILL;
    CZULFunc* current = nullptr;
    const BOOL subroutine = m_isFunction && g_pAppData && !g_pAppData->InstructionCatalog.count(GetName())
        && g_pAppData->Project.POUs.FindSubroutineInterface(GetName(), current);
    if (subroutine && !pass.highlight && !printing && InterfaceChanged(current))
        fill = CHANGED_INTERFACE_FILL;
    dc->FillSolidRect(box, fill);
    dc->Rectangle(box);

    std::string title = GetInstructionName();
    if (title.rfind(WORD_LOGIC_PREFIX, 0) == 0)
        title = title.substr(std::string(WORD_LOGIC_PREFIX).size());
    const int titleY = Fraction(TITLE_Y, H) + drop;
    DrawText(title, W, titleY, LD_TEXT_CENTRE, dc, pass.originCol, pass.originRow, W, H, pass.highlight);
    if (!m_isFunction && m_selectedLabel != 0) {
        const std::string instance = GetOperand();
        const int oldMode = dc->SetBkMode(OPAQUE);
        if (IsUnset(instance))
            dc->SetTextColor(INVALID_TEXT);
        DrawText(IsUnset(instance) ? UNSET_OPERAND : instance, W, titleY - Fraction(INSTANCE_ABOVE_TITLE, H),
                 LD_TEXT_CENTRE, dc, pass.originCol, pass.originRow, W, H, FALSE);
        dc->SetBkMode(oldMode);
        dc->SetTextColor(oldText);
    }
    if (subroutine) {
        // Pin names follow the subroutine's current interface where it still covers the box.
        for (int i = 0; i < m_inputCount && current->GetInputCount() >= m_inputCount; ++i)
            GetInput(i)->name = current->inputs.GetAt(i)->name;
        for (int j = 0; j < m_outputCount && current->GetOutputCount() >= m_outputCount; ++j)
            GetOutput(j)->name = current->outputs.GetAt(j)->name;
    }
    DrawPins(pass, boxLeft, boxRight, oldText);
    dc->SelectObject(oldPen);
    if (!printing)
        DrawMarks(pass);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
}

void CBlock::DrawPins(const CLDLayoutPass& pass, int boxLeft, int boxRight, COLORREF textColour)
{
    CDC* dc = pass.dc;
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    const CPoint origin = CellOrigin(W, H, pass.originCol, pass.originRow);
    const int stub = Fraction(PIN_STUB, W);
    const int gap = Fraction(OPERAND_GAP, W);
    for (int i = 0; i < m_inputCount; ++i) {
        const int y = Fraction(RUNG_Y, H) + i * H / 2;
        dc->MoveTo(boxLeft, origin.y + y);
        dc->LineTo(boxLeft - stub, origin.y + y);
        dc->SetTextColor(textColour);
        DrawText(GetInput(i)->name, W / 2, y, LD_TEXT_LEFT, dc, pass.originCol, pass.originRow,
                 W, H, pass.highlight);
        if (i > 0)
            DrawOperandText(pass, InputLabel(i), GetInput(i), W / 2 - gap, y, LD_TEXT_RIGHT);
    }
    for (int j = 0; j < m_outputCount; ++j) {
        const int y = Fraction(RUNG_Y, H) + j * H / 2;
        dc->MoveTo(boxRight, origin.y + y);
        dc->LineTo(boxRight + stub, origin.y + y);
        dc->SetTextColor(textColour);
        DrawText(GetOutput(j)->name, 2 * W - W / 2, y, LD_TEXT_RIGHT, dc, pass.originCol,
                 pass.originRow, W, H, pass.highlight);
        if (j > 0)
            DrawOperandText(pass, OutputLabel(j), GetOutput(j), 2 * W - W / 2 + gap, y,
                            LD_TEXT_LEFT);
    }
}

void CBlock::DrawOperandText(const CLDLayoutPass& pass, int label, const CZULFBPara* para, int x, int y,
                             int alignment)
{
    if (label >= 0 && label == m_selectedLabel)
        return;
    CDC* dc = pass.dc;
    const std::string operand = ByteString::Trim(para->typeText);
    BOOL valid = CheckOperand(para->flags, operand);
    OperandTypeFlags flags = 0;
    const std::string name = GetName();
    if (name == "MOVE" && para == GetInput(1) && ParseAddressOfOperand(operand, flags))
        valid = TRUE;
    if ((name == "DIV" || name == "MOD") && para == GetOutput(1) && operand == ByteString::Trim(GetInputOperand(2)))
        valid = FALSE;
    if (label >= 0)
        m_forced[label] = IsMonitoring() && IsOperandForced(operand) ? 1 : 0;
    const std::string shown = FitText(ToDisplayOperand(operand.empty() ? std::string(UNSET_OPERAND) : operand),
                                      OPERAND_SHOWN_BYTES);
    const int oldMode = dc->SetBkMode(valid ? TRANSPARENT : OPAQUE);
    if (!valid)
        dc->SetTextColor(INVALID_TEXT);
    DrawText(shown, x, y, alignment, dc, pass.originCol, pass.originRow, pass.cellWidth, pass.cellHeight,
             pass.highlight);
    dc->SetBkMode(oldMode);
}

BOOL CBlock::Matches(const std::string& text, const std::string& searchCopy, std::string* copy) const
{
    const CFindState& state = g_pAppData->Find;
    *copy = SearchCopy(state, text);
    if (ByteString::Find(*copy, searchCopy) < 0 || (state.LdIgnoreMask & LD_IGNORE_BLOCKS))
        return FALSE;
    return !state.WholeWord || *copy == searchCopy;
}

void CBlock::FillResult(int action, int instanceFlag, int paramIndex, int paramGroup, const std::string& text) const
{
    CFindState& state = g_pAppData->Find;
    if (state.ResultCount <= 0 || state.ResultCount >= FIND_TABLE_SIZE)
        return;
    CFindResult& record = state.Results[size_t(state.ResultCount)];
    if (!record.POUName.empty())
        return;
    FillFindResult(record, action, state.CurrentNetwork, GetName(), text);
    record.InstanceFlag = instanceFlag;
    record.ParamIndex = paramIndex;
    record.ParamGroup = paramGroup;
}

std::string CBlock::OperandReportLine(int label, BOOL replaced) const
{
    const CFindState& state = g_pAppData->Find;
    const BOOL input = label < m_inputCount;
    const int index = input ? label : label - m_inputCount;
    const CZULFBPara* para = LabelParameter(label);
    const char* direction = input ? "Input" : "Output";
    return ByteString::Format("    %d. LD program \"%s\": (Network:%d), %s Para.%s%d \"%s\" of instruction \"%s\", "
                              "Position(%d,%d), Size(%d,%d).",
                              state.ResultCount, state.CurrentPOUName.c_str(), state.CurrentNetwork, direction,
                              replaced ? " " : "", index, para ? para->typeText.c_str() : "", GetName().c_str(),
                              m_position.column, m_position.row, m_width, m_height);
}

int CBlock::Find(const std::string& text, int mode)
{
    CLDElement* next = m_link == LD_LINK_SERIES ? m_childA : nullptr;
    const int later = next ? next->Find(text, mode) : 0;
    ClearFoundFlags();
    if (mode == LD_FIND_CLEAR || !g_pAppData)
        return later;
    RefreshCounts();
    CFindState& state = g_pAppData->Find;
    const std::string searchCopy = SearchCopy(state, text);
    std::string copy;
    int hits = 0;
    // Label -1 stands for the instruction name.
    std::vector<int> labels {-1};
    if (!m_isFunction)
        labels.push_back(0);
    for (int label = 1; label <= LastLabel(); ++label) {
        if (LabelParameter(label))
            labels.push_back(label);
    }
    for (const int label : labels) {
        const CZULFBPara* para = LabelParameter(label);
        const std::string examined = label < 0 ? GetName() : para ? para->typeText : GetOperand();
        if (!Matches(examined, searchCopy, &copy))
            continue;
        ++hits;
        if (ShouldMarkHit(state, mode)) {
            (label < 0 ? m_nameFound : label == 0 ? m_instanceFound : m_labelFound[label]) = 1;
            ++state.MarkCounter;
        }
        if (mode == LD_FIND_MARK)
            continue;
        ++state.ResultCount;
        std::string line;
        if (label < 0) {
            FillResult(LD_FIND_ACTION_FOUND, 0, 0, GROUP_NAME, std::string());
            line = ByteString::Format("    %d. LD program \"%s\": (Network:%d), Instruction \"%s\", Position(%d,%d), "
                                      "Size(%d,%d).",
                                      state.ResultCount, state.CurrentPOUName.c_str(), state.CurrentNetwork,
                                      GetName().c_str(), m_position.column, m_position.row, m_width, m_height);
        } else if (label == 0) {
            FillResult(LD_FIND_ACTION_FOUND, 1, 0, GROUP_NAME, examined);
            line = ByteString::Format("    %d. LD program \"%s\": (Network:%d), Instance \"%s\" of FB \"%s\", "
                                      "Position(%d,%d), Size(%d,%d).",
                                      state.ResultCount, state.CurrentPOUName.c_str(), state.CurrentNetwork,
                                      examined.c_str(), GetName().c_str(), m_position.column, m_position.row,
                                      m_width, m_height);
        } else {
            const BOOL input = label < m_inputCount;
            FillResult(LD_FIND_ACTION_FOUND, 0, input ? label : label - m_inputCount,
                       input ? GROUP_INPUT : GROUP_OUTPUT, examined);
            line = OperandReportLine(label, FALSE);
        }
        CUserInterface::Output().AppendOutputLine(OUTPUT_LIST_FIND_REPLACE, line);
    }
    return hits + later;
}

int CBlock::ReplaceAll(const std::string& find, const std::string& replace)
{
    return ReplaceOperands(find, replace, FALSE);
}

int CBlock::ReplaceOne(const std::string& find, const std::string& replace)
{
    return ReplaceOperands(find, replace, TRUE);
}

int CBlock::ReplaceOperands(const std::string& find, const std::string& replace, BOOL firstOnly)
{
    CLDElement* next = m_link == LD_LINK_SERIES ? m_childA : nullptr;
    const int later = next ? (firstOnly ? next->ReplaceOne(find, replace) : next->ReplaceAll(find, replace)) : 0;
    ClearFoundFlags();
    if (!g_pAppData)
        return later;
    RefreshCounts();
    CFindState& state = g_pAppData->Find;
    const std::string searchCopy = SearchCopy(state, find);
    std::string copy;
    int hits = 0;
    for (int label = 1; label <= LastLabel(); ++label) {
        CZULFBPara* para = LabelParameter(label);
        if (!para || !Matches(para->typeText, searchCopy, &copy))
            continue;
        ++hits;
        if (state.MarksShown)
            m_labelFound[label] = 1;
        ++state.ResultCount;
        const BOOL input = label < m_inputCount;
        const std::string line = OperandReportLine(label, TRUE);
        const BOOL change = !firstOnly || state.ResultCount == 1;
        if (change) {
            para->typeText.replace(size_t(ByteString::Find(copy, searchCopy)), find.size(), replace);
            m_labelFound[label] = 1;
        }
        FillResult(LD_FIND_ACTION_REPLACED, firstOnly && !m_isFunction ? 1 : 0, input ? label : label - m_inputCount,
                   input ? GROUP_INPUT : GROUP_OUTPUT, para->typeText);
        if (firstOnly)
            continue;
        CUserInterface::Output().AppendOutputLine(
            OUTPUT_LIST_FIND_REPLACE,
            line + ByteString::Format("\r \"%s\" is replaced as \"%s\".", find.c_str(), replace.c_str()));
        SetProjectModified(TRUE);
    }
    return hits + later;
}

int CBlock::GetForced(int label) const
{
    return label >= 0 && label < BLOCK_LABEL_SLOTS ? m_forced[label] : 0;
}

void CBlock::DrawMarks(const CLDLayoutPass& pass) const
{
    CDC* dc = pass.dc;
    const int W = pass.cellWidth;
    const int H = pass.cellHeight;
    // Anchors are in document cells; the page starts at the origin cell.
    const CPoint page(-pass.originCol * W, -pass.originRow * H);
    if (!m_isFunction && m_instanceFound) {
        const CPoint a(m_anchors[0].x + page.x, m_anchors[0].y + page.y);
        DrawFoundFrame(dc, CRect(a.x + FRAME_INSET, a.y + FRAME_TOP, a.x + W - INSTANCE_FRAME_RIGHT,
                                 a.y + H / 2 - INSTANCE_FRAME_BOTTOM));
    }
    for (int label = 1; label <= LastLabel(); ++label) {
        if (!LabelParameter(label))
            continue;
        const CPoint a(m_anchors[label].x + page.x, m_anchors[label].y + page.y);
        const BOOL input = label <= m_inputCount;
        if (m_labelFound[label] && input)
            DrawFoundFrame(dc, CRect(a.x + FRAME_INSET, a.y + FRAME_TOP, a.x + W, a.y + H / 2 - LABEL_FRAME_BOTTOM));
        if (m_labelFound[label] && !input)
            DrawFoundFrame(dc, CRect(a.x, a.y + FRAME_TOP, a.x + W - FRAME_INSET, a.y + H / 2 - LABEL_FRAME_BOTTOM));
        if (IsMonitoring() && m_forced[label])
            DrawPadlock(dc, a.x + W + INPUT_LOCK_LEFT - (input ? 0 : OUTPUT_LOCK_SHIFT), a.y + LOCK_TOP);
    }
    if (m_nameFound) {
        const CPoint origin = CellOrigin(W, H, pass.originCol, pass.originRow);
        const int left = origin.x + 2 * W / 3 + NAME_FRAME_LEFT;
        const int top = origin.y + (m_isFunction ? NAME_FRAME_TOP : FB_NAME_FRAME_TOP);
        DrawFoundFrame(dc, CRect(left, top, left + W - NAME_FRAME_NARROWING, top + H / 2 - NAME_FRAME_LOWERING));
    }
}

std::string CBlock::GetTransferText() const
{
    std::string operands;
    for (int i = 1; i < GetInputCount(); ++i)
        operands += GetInputOperand(i) + " ";
    for (int j = 1; j < GetOutputCount(); ++j)
        operands += GetOutputOperand(j) + " ";
    const std::string name = GetName();
    if (!m_isFunction)
        return name + " " + GetOperand() + " " + operands;
    if (g_pAppData && g_pAppData->InstructionCatalog.count(name))
        return name + " " + operands;
    std::string alias;
    int isSubroutine = 0;
    if (!g_pAppData || !g_pAppData->Project.POUs.ConvertPOUName(name, alias, isSubroutine) || !isSubroutine) {
        ShowMessage(NOTE_CAPTION, SUBROUTINE_DELETED, MB_OK | MB_ICONINFORMATION);
        return "CAL ";
    }
    if (GetInputCount() > 1 || GetOutputCount() > 1)
        ShowMessage(NOTE_CAPTION, PARAMETERS_NOTE, MB_OK | MB_ICONINFORMATION);
    return "CAL " + alias + " " + operands;
}

void CBlock::DrawMonitorState(int originCol, int originRow, int cellWidth, int cellHeight, CDC* dc)
{
    CLDElement::DrawMonitorState(originCol, originRow, cellWidth, cellHeight, dc);
    if (!dc)
        return;
    for (int i = 1; i < GetInputCount(); ++i)
        DrawLiveValue(dc, GetInput(i), i, TRUE, originCol, originRow, cellWidth, cellHeight);
    for (int j = 1; j < GetOutputCount(); ++j)
        DrawLiveValue(dc, GetOutput(j), j, FALSE, originCol, originRow, cellWidth, cellHeight);
}

void CBlock::DrawLiveValue(CDC* dc, const CZULFBPara* para, int pin, BOOL input, int originCol, int originRow,
                           int cellWidth, int cellHeight)
{
    OperandTypeFlags constant = 0;
    const std::string operand = ByteString::Trim(para->typeText);
    if (para->name.empty() || ClassifyConstant(operand, constant))
        return;
    const int W = cellWidth;
    std::string value;
    std::string bits;
    int flags = 0;
    const int expected = static_cast<int>(GetActualType(input, pin) & OT_TYPE_BITS);
    std::string text = operand;
    if (GetLiveValueText(operand, &value, &bits, expected, &flags)) {
        if ((expected & OT_BOOL) && (static_cast<DWORD>(flags) & (OT_AREA_T | OT_AREA_C)))
            value = bits;
        if (value.size() < size_t(LIVE_VALUE_WIDTH))
            value.insert(0, size_t(LIVE_VALUE_WIDTH) - value.size(), ' ');
        text = operand + ": " + value;
    }
    const COLORREF oldText = dc->SetTextColor(LIVE_VALUE_TEXT);
    const COLORREF oldBack = dc->SetBkColor(LIVE_VALUE_BACK);
    const int oldMode = dc->SetBkMode(OPAQUE);
    const int y = Fraction(RUNG_Y, cellHeight) + pin * cellHeight / 2;
    if (input)
        DrawText(text, W / 2 - LIVE_VALUE_GAP + LD_TEXT_RIGHT_SHIFT, y, LD_TEXT_RIGHT, dc, originCol, originRow, W,
                 cellHeight, FALSE);
    else
        DrawText(text, 2 * W - W / 2 + LIVE_VALUE_GAP - LD_TEXT_LEFT_SHIFT, y, LD_TEXT_LEFT, dc, originCol,
                 originRow, W, cellHeight, FALSE);
    dc->SetBkMode(oldMode);
    dc->SetBkColor(oldBack);
    dc->SetTextColor(oldText);
}

void CBlock::SetFindResultMark(const CFindResult& record, int mark)
{
    if (record.LineText.empty()) {
        m_nameFound = mark;
        return;
    }
    if (record.InstanceFlag == 1 && record.ParamGroup == GROUP_NAME) {
        m_instanceFound = mark;
        return;
    }
    // Output labels follow the input labels.
    const int label = record.ParamGroup == GROUP_INPUT    ? record.ParamIndex
                      : record.ParamGroup == GROUP_OUTPUT ? m_inputCount + record.ParamIndex
                                                          : -1;
    if (label >= 0 && label < BLOCK_LABEL_SLOTS)
        m_labelFound[label] = mark;
}
