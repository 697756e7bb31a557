#include "CLDElement.h"

#include "CLDContext.h"
#include "CLDNameTables.h"
#include "model/CFindResult.h"
#include "model/CFindState.h"
#include "model/CInstructionDef.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/ILocalVarLookup.h"
#include "model/MonitorItems.h"
#include "model/TypedConstants.h"
#include "platform/ByteString.h"
#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/CPen.h"

#include <algorithm>
#include <cmath>
#include <mutex>

IMPLEMENT_DYNAMIC(CLDElement, CObject)

namespace {

constexpr int LD_TEXT_FONT = 1;             // the application's LD text font record
constexpr int LD_TEXT_LEFT_GAP = 5;         // a left-anchored text starts this far right of its anchor
constexpr int LD_TEXT_RIGHT_GAP = 3;        // a right-anchored text ends this far left of its anchor
constexpr int LD_FOCUS_INSET = 2;
constexpr OperandTypeFlags AREA_FLAG_MASK = 0xFFFE0000; // the operand flags from bit 17 up
constexpr int FIND_LANGUAGE_LD = 2;
const char* const LABEL_COIL_TYPE = "-(LBL)";
const char* const FIT_TEXT_MARK = "..";
const char* const UNSET_OPERAND = "????";
constexpr OperandTypeFlags VAR_CLASS_BITS = 0x18000;

// The padlock of a forced operand: body, yellow field, shackle of radius 2
// over 190 degrees from 10 degrees.
constexpr int PADLOCK_BODY_WIDTH = 7;
constexpr int PADLOCK_BODY_HEIGHT = 6;
constexpr int PADLOCK_LEFT_UPRIGHT = 1;
constexpr int PADLOCK_RIGHT_UPRIGHT = 5;
constexpr int PADLOCK_SHACKLE_CENTRE = 3;
constexpr int PADLOCK_SHACKLE_RISE = 2;
constexpr int PADLOCK_SHACKLE_RADIUS = 2;
constexpr double PADLOCK_SHACKLE_START = 10.0;
constexpr double PADLOCK_SHACKLE_SWEEP = 190.0;
constexpr double DEGREES_PER_HALF_TURN = 180.0;
constexpr COLORREF PADLOCK_FIELD = RGB(255, 255, 0);
constexpr COLORREF FOUND_FRAME_COLOUR = RGB(0, 0, 255);
constexpr int FOUND_FRAME_PEN = 2;

CPoint PointOnCircle(CPoint centre, int radius, double degrees)
{
    const double radians = degrees * M_PI / DEGREES_PER_HALF_TURN;
    return CPoint(centre.x + static_cast<int>(std::lround(radius * std::cos(radians))),
                  centre.y - static_cast<int>(std::lround(radius * std::sin(radians))));
}

BOOL SharesTypeAndOneOf(OperandTypeFlags flags, DWORD mask, OperandTypeFlags classBits)
{
    return (flags & mask & OT_TYPE_BITS) && (flags & mask & classBits);
}

// The registry of live elements and the serial number of each; a deleted
// element leaves it before its memory is freed.
struct LiveRegistry {
    std::mutex lock;
    std::unordered_map<const CLDElement*, std::uint64_t> elements;
    std::uint64_t lastSerial = 0;
};

LiveRegistry& Registry()
{
    static LiveRegistry registry;
    return registry;
}

// Everything up to the last "%" removed and one "%" in front.
std::string WithSinglePercent(const std::string& address)
{
    const int last = ByteString::ReverseFind(address, '%');
    return "%" + ByteString::Mid(address, last + 1);
}

} // namespace

BOOL CLDLayoutPass::IsPrinting() const
{
    return dc && dc->IsPrinting();
}

CLDElement::CLDElement()
{
    LiveRegistry& registry = Registry();
    const std::lock_guard<std::mutex> guard(registry.lock);
    m_serial = ++registry.lastSerial;
    registry.elements[this] = m_serial;
}

CLDElement::~CLDElement()
{
    {
        LiveRegistry& registry = Registry();
        const std::lock_guard<std::mutex> guard(registry.lock);
        registry.elements.erase(this);
    }
    m_childA = nullptr;
    m_childB = nullptr;
    m_parent = nullptr;
    m_guardA = 0;
    m_guardB = 0;
}

void CLDElement::Serialize(CArchive&)
{
}

void CLDElement::NormaliseOperand()
{
}

void CLDElement::NormaliseTree()
{
    NormaliseOperand();
    if (m_childA)
        m_childA->NormaliseTree();
    if (m_childB)
        m_childB->NormaliseTree();
}

void CLDElement::AssertValid() const
{
}

void CLDElement::Dump() const
{
}

BOOL CLDElement::IsFunction() const
{
    return FALSE;
}

BOOL CLDElement::GetEditPosition(CPoint*, int, int)
{
    return FALSE;
}

BOOL CLDElement::IsValid() const
{
    return TRUE;
}

void CLDElement::AddUniqueString(const std::string& text, std::vector<std::string>* list)
{
    if (!list)
        return;
    for (auto entry = list->rbegin(); entry != list->rend(); ++entry) {
        if (*entry == text)
            return;
    }
    list->push_back(text);
}

int CLDElement::GetItemIndex() const
{
    return m_position.itemIndex;
}

void CLDElement::SetLayoutRect(const CLDCellRect& rect)
{
    m_layoutRect = rect;
}

CSize CLDElement::GetSize(BOOL)
{
    return CSize(0, 0);
}

CSize CLDElement::LayoutAndDraw(int, int, int, int, const std::string&, CLDPositionMap*, CDC*, BOOL)
{
    return CSize(0, 0);
}

void CLDElement::DrawText(const std::string& text, int x, int y, int alignment, CDC* dc, int originCol, int originRow,
                          int cellWidth, int cellHeight, BOOL inverse)
{
    if (!dc)
        return;
    CFont font;
    LOGFONT record {};
    if (g_pAppData)
        record = g_pAppData->Fonts[LD_TEXT_FONT];
    font.CreateFontIndirect(&record);
    CFont* oldFont = dc->SelectObject(&font);
    const CSize extent = dc->GetTextExtent(text);
    CPoint start;
    if (alignment == LD_TEXT_LEFT)
        start = CPoint(x + LD_TEXT_LEFT_GAP, y - extent.cy / 2);
    else if (alignment == LD_TEXT_RIGHT)
        start = CPoint(x - extent.cx - LD_TEXT_RIGHT_GAP, y - extent.cy / 2);
    else
        start = CPoint(x - extent.cx / 2, y - extent.cy / 2 - 1);
    const CPoint cell = CellOrigin(cellWidth, cellHeight, originCol, originRow);
    start.Offset(cell.x, cell.y);

    const COLORREF oldText = dc->GetTextColor();
    const COLORREF oldBack = dc->GetBkColor();
    if (inverse) {
        dc->SetBkColor(LD_HIGHLIGHT_BACK);
        dc->SetTextColor(LD_HIGHLIGHT_TEXT);
    }
    if (dc->IsPrinting())
        dc->SetTextColor(RGB(0, 0, 0));
    dc->TextOut(start.x, start.y, text);
    if (inverse || dc->IsPrinting()) {
        dc->SetTextColor(oldText);
        dc->SetBkColor(oldBack);
    }
    dc->SelectObject(oldFont);
}

void CLDElement::DrawFocus(int cellWidth, int cellHeight, CDC* dc, int originCol, int originRow)
{
    if (!dc)
        return;
    const int left = (m_position.column - originCol) * cellWidth + LD_FOCUS_INSET;
    const int top = (m_position.row - originRow) * cellHeight + LD_FOCUS_INSET;
    const int right = (m_position.column + m_width - originCol) * cellWidth - LD_FOCUS_INSET;
    const int bottom = (m_position.row + m_height - originRow) * cellHeight - LD_FOCUS_INSET;
    dc->DrawFocusRect(CRect(left, top, right, bottom));
}

int CLDElement::GetKind() const
{
    return m_kind;
}

void CLDElement::SetLink(int link)
{
    m_link = link;
}

std::string CLDElement::GetOperand() const
{
    return std::string();
}

std::string CLDElement::ToDisplayOperand(const std::string& operand)
{
    OperandTypeFlags flags = 0;
    if (ClassifyConstant(operand, flags))
        return ByteString::Upper(operand);
    const BOOL symbolic = g_pAppData && g_pAppData->SymbolicAddressing;
    CZULSymbol* symbol = nullptr;
    std::string name;
    if (ParseDirectAddress(operand, flags)) {
        std::string address = operand;
        if (!IsFBInstanceName(operand) && !ByteString::StartsWith(operand, "%"))
            address = "%" + address;
        address = ByteString::Upper(address);
        if (!symbolic)
            return address;
        if (g_pAppData->FindGlobalSymbol(address, symbol))
            return symbol->name;
        if (m_names && m_names->FindLocalSymbol(address, name))
            return name;
        return address;
    }
    if (g_pAppData && g_pAppData->FindGlobalSymbol(operand, symbol))
        return symbolic ? symbol->name : symbol->address;
    std::string address;
    if (m_names && m_names->FindLocalAddress(ByteString::Upper(operand), address))
        return symbolic ? operand : address;
    return IsIndirectOperand(operand) ? ByteString::Upper(operand) : operand;
}

BOOL CLDElement::GetLiveValueText(const std::string& operand, std::string* valueText, std::string* bitText,
                                  int expectedType, int* operandFlags)
{
    const std::string upper = ByteString::Upper(operand);
    std::string value;
    OperandTypeFlags flags = 0;
    if (upper == "TRUE" || upper == "FALSE") {
        value = upper == "TRUE" ? "1" : "0";
    } else if (ClassifyConstant(operand, flags)) {
        value = operand;
    } else {
        const std::string address = MonitoredAddress(operand);
        if (!ParseDirectAddress(address, flags))
            return FALSE;
        if (operandFlags)
            *operandFlags = static_cast<int>(flags);
        std::string bits;
        int number = 0;
        const BOOL formatted = FormatMonitoredValue(address, value, number, bits,
                                                    static_cast<OperandTypeFlags>(expectedType) | (flags & AREA_FLAG_MASK));
        if (formatted) {
            if (valueText)
                *valueText = value;
            if (bitText)
                *bitText = bits;
        }
        return formatted;
    }
    if (valueText)
        *valueText = value;
    if (operandFlags)
        *operandFlags = static_cast<int>(flags);
    return TRUE;
}

std::string CLDElement::MonitoredAddress(const std::string& operand) const
{
    std::string address;
    if (m_names && m_names->FindLocalAddress(ByteString::Upper(operand), address))
        return address;
    CZULSymbol* symbol = nullptr;
    if (g_pAppData && g_pAppData->FindGlobalSymbol(operand, symbol))
        return symbol->address;
    return operand;
}

BOOL CLDElement::ToAddressOperand(const std::string& operand, std::string* address)
{
    std::string result;
    OperandTypeFlags flags = 0;
    CZULSymbol* symbol = nullptr;
    if (m_kind == LD_KIND_COIL && g_pAppData) {
        const auto row = g_pAppData->CoilCatalog.find(GetTypeText());
        if (row != g_pAppData->CoilCatalog.end() && row->second && (row->second->pinMasks[0] & OT_POU_REF)) {
            result = operand;
            if (address)
                *address = result;
            return TRUE;
        }
    }
    if (ClassifyConstant(operand, flags)) {
        result = operand;
    } else if (ParseDirectAddress(operand, flags)) {
        result = WithSinglePercent(operand);
        if (IsFBInstanceName(result.substr(1)))
            result = result.substr(1);
    } else if (g_pAppData && g_pAppData->FindGlobalSymbol(operand, symbol)) {
        result = WithSinglePercent(symbol->address);
    } else if (!m_names || !m_names->FindLocalAddress(ByteString::Upper(operand), result)) {
        return FALSE;
    }
    if (address)
        *address = result;
    return TRUE;
}

void CLDElement::SetFindResultMark(const CFindResult&, int)
{
}

BYTE CLDElement::GetTypeByte() const
{
    switch (m_kind) {
    case LD_KIND_COIL:
        return LD_TYPE_COIL;
    case LD_KIND_LOGIC_NODE:
        return LD_TYPE_LOGIC_NODE;
    case LD_KIND_CONTACT:
        return LD_TYPE_CONTACT;
    case LD_KIND_BLOCK:
        return LD_TYPE_BLOCK;
    default:
        return LD_TYPE_OTHER;
    }
}

void CLDElement::Flatten(std::vector<CLDElement*>* elements, std::vector<BYTE>* typeBytes)
{
    if (!elements || !typeBytes)
        return;
    typeBytes->push_back(GetTypeByte());
    elements->push_back(this);
    m_childAIndex = -1;
    if (m_childA) {
        m_childAIndex = static_cast<int>(elements->size());
        m_childA->Flatten(elements, typeBytes);
    }
    m_childBIndex = -1;
    if (m_childB) {
        m_childBIndex = static_cast<int>(elements->size());
        m_childB->Flatten(elements, typeBytes);
    }
}

void CLDElement::Relink(const std::vector<CLDElement*>* elements)
{
    if (!elements)
        return;
    LinkChildren(*elements);
}

void CLDElement::LinkChildren(const std::vector<CLDElement*>& elements)
{
    const int count = static_cast<int>(elements.size());
    if (m_childAIndex >= 0 && m_childAIndex < count && elements[size_t(m_childAIndex)]) {
        m_childA = elements[size_t(m_childAIndex)];
        AdoptChild(m_childA);
        m_childA->Relink(&elements);
    }
    if (m_childBIndex >= 0 && m_childBIndex < count && elements[size_t(m_childBIndex)]) {
        m_childB = elements[size_t(m_childBIndex)];
        AdoptChild(m_childB);
        m_childB->Relink(&elements);
    }
}

BOOL CLDElement::LinkSequence(const std::vector<CLDElement*>& elements, int rootIndex)
{
    const int count = static_cast<int>(elements.size());
    if (rootIndex < 0 || rootIndex >= count || !elements[size_t(rootIndex)])
        return FALSE;
    std::vector<bool> named(elements.size(), false);
    named[size_t(rootIndex)] = true;
    for (const CLDElement* element : elements) {
        if (!element)
            continue;
        for (const int index : {element->m_childAIndex, element->m_childBIndex}) {
            if (index == -1)
                continue;
            if (index < 0 || index >= count || !elements[size_t(index)] || named[size_t(index)])
                return FALSE;
            named[size_t(index)] = true;
        }
    }
    elements[size_t(rootIndex)]->Relink(&elements);
    return TRUE;
}

CLDCellRect CLDElement::GetPosition() const
{
    return m_position;
}

void CLDElement::SetPosition(const CLDCellRect& position)
{
    m_position = position;
}

void CLDElement::DeleteTree(BOOL removeInstance)
{
    if (CLDElement* childA = m_childA) {
        m_childA = nullptr;
        childA->DeleteTree(removeInstance);
    }
    if (CLDElement* childB = m_childB) {
        m_childB = nullptr;
        childB->DeleteTree(removeInstance);
    }
    if (m_kind == LD_KIND_COIL && m_names && GetTypeText() == LABEL_COIL_TYPE)
        m_names->RemoveLabel(GetOperand());
    if (m_kind == LD_KIND_BLOCK && removeInstance && !IsFunction() && g_pAppData)
        g_pAppData->Project.FBTable.RemoveFBInstance(ByteString::Upper(ByteString::Trim(GetOperand())));
    delete this;
}

void CLDElement::ReleaseCopy()
{
    if (CLDElement* childA = m_childA) {
        m_childA = nullptr;
        childA->ReleaseCopy();
    }
    if (CLDElement* childB = m_childB) {
        m_childB = nullptr;
        childB->ReleaseCopy();
    }
    delete this;
}

void CLDElement::DrawMonitorState(int originCol, int originRow, int cellWidth, int cellHeight, CDC* dc)
{
    if (m_childA)
        m_childA->DrawMonitorState(originCol, originRow, cellWidth, cellHeight, dc);
    if (m_childB)
        m_childB->DrawMonitorState(originCol, originRow, cellWidth, cellHeight, dc);
}

void CLDElement::SetOperand(const std::string&)
{
}

BOOL CLDElement::HitTestOperandLabel(CPoint*, std::string*, int, int, BOOL)
{
    return FALSE;
}

BOOL CLDElement::IsLive(const CLDElement* element, std::uint64_t serial)
{
    LiveRegistry& registry = Registry();
    const std::lock_guard<std::mutex> guard(registry.lock);
    const auto found = registry.elements.find(element);
    return found != registry.elements.end() && found->second == serial;
}

CLDElement* CLDElement::FromFindResult(const CFindResult& result)
{
    if (!result.Element || !IsLive(result.Element, result.ElementSerial))
        return nullptr;
    return result.Element;
}

size_t CLDElement::LiveCount()
{
    LiveRegistry& registry = Registry();
    const std::lock_guard<std::mutex> guard(registry.lock);
    return registry.elements.size();
}

std::string CLDElement::PositionKey(int column, int row)
{
    const DWORD key = (static_cast<DWORD>(static_cast<WORD>(row)) << 16) | static_cast<WORD>(column);
    return ByteString::Format("%d", static_cast<int>(key));
}

void CLDElement::InsertPosition(int column, int row, CLDElement* element, CLDPositionMap* positionMap)
{
    if (!positionMap)
        return;
    (*positionMap)[PositionKey(column, row)] = element;
}

std::string CLDElement::FitText(const std::string& text, int n)
{
    if (static_cast<int>(text.size()) <= n)
        return text;
    const int kept = CZULAppData::GetDbcsByteKind(text, n - 1) == DBCS_LEAD ? n - 3 : n - 2;
    return text.substr(0, size_t(std::max(kept, 0))) + FIT_TEXT_MARK;
}

void CLDElement::AttachNames(CLDNameTables* names)
{
    m_names = names;
    if (m_childA)
        m_childA->AttachNames(names);
    if (m_childB)
        m_childB->AttachNames(names);
}

void CLDElement::AdoptChild(CLDElement* child)
{
    child->m_parent = this;
    child->m_names = m_names;
}

CSize CLDElement::LayoutChild(CLDElement* child, const CLDCellRect& rect, const CLDLayoutPass& pass)
{
    child->SetLayoutRect(rect);
    AdoptChild(child);
    if (pass.IsDrawing())
        return child->LayoutAndDraw(pass.cellWidth, pass.cellHeight, pass.originCol, pass.originRow, pass.pouName,
                                    pass.positionMap, pass.dc, pass.highlight);
    return child->LayoutOnly(pass.cellWidth, pass.cellHeight, pass.positionMap, pass.originCol, pass.originRow);
}

CLDElement* CLDElement::GetSuccessor() const
{
    if (m_link == LD_LINK_SERIES)
        return m_childA;
    if (m_link == LD_LINK_PARALLEL)
        return m_childB;
    return nullptr;
}

CSize CLDElement::LayoutSuccessor(const CLDLayoutPass& pass)
{
    if (m_link == LD_LINK_SERIES) {
        if (!m_childA)
            return CSize(m_width, m_height);
        const CLDCellRect rect(m_position.column + m_width, m_position.row, m_position.spare, m_position.itemIndex);
        const CSize next = LayoutChild(m_childA, rect, pass);
        return CSize(m_width + next.cx, std::max(m_height, next.cy));
    }
    if (m_link == LD_LINK_PARALLEL) {
        if (!m_childB)
            return CSize(m_width, m_height);
        const CLDCellRect rect(m_position.column, m_position.row + m_height, m_position.spare, m_position.itemIndex);
        const CSize below = LayoutChild(m_childB, rect, pass);
        return CSize(std::max(m_width, below.cx), m_height + below.cy);
    }
    return CSize(0, 0);
}

CSize CLDElement::SuccessorSize(BOOL printing)
{
    if (m_link == LD_LINK_SERIES) {
        if (!m_childA)
            return CSize(m_width, m_height);
        const CSize next = m_childA->GetSize(printing);
        return CSize(m_width + next.cx, std::max(m_height, next.cy));
    }
    if (m_link == LD_LINK_PARALLEL) {
        if (!m_childB)
            return CSize(m_width, m_height);
        const CSize below = m_childB->GetSize(printing);
        return CSize(std::max(m_width, below.cx), m_height + below.cy);
    }
    return CSize(0, 0);
}

CPoint CLDElement::CellOrigin(int cellWidth, int cellHeight, int originCol, int originRow) const
{
    return CPoint((m_position.column - originCol) * cellWidth, (m_position.row - originRow) * cellHeight);
}

BOOL CLDElement::ShouldMarkHit(const CFindState& state, int mode)
{
    if (mode == LD_FIND_MARK)
        return TRUE;
    if (state.CurrentFileSearch)
        return state.ResultCount == 0 || state.MarksShown;
    return state.MarksShown != 0;
}

void CLDElement::FillFindResult(CFindResult& record, int action, int network, const std::string& elementText,
                                const std::string& lineText) const
{
    record.Element = const_cast<CLDElement*>(this);
    record.ElementSerial = m_serial;
    record.Action = action;
    record.Language = FIND_LANGUAGE_LD;
    record.POUName = g_pAppData ? g_pAppData->Find.CurrentPOUName : std::string();
    record.Network = network;
    record.ElementKind = m_kind;
    record.ElementText = elementText;
    record.InstanceFlag = 0;
    record.ParamIndex = 0;
    record.ParamGroup = 0;
    record.LineText = lineText;
    record.RowOrColumn = m_position.column;
    record.ColumnOrRow = m_position.row;
    record.LengthOrWidth = m_width;
    record.Length2OrHeight = m_height;
}

std::string CLDElement::SearchCopy(const CFindState& state, const std::string& text)
{
    return state.MatchCase ? text : ByteString::Upper(text);
}

BOOL CLDElement::MatchesSearch(const std::string& text, const std::string& searchCopy, std::string* copy,
                               int ignoreBit)
{
    const CFindState& state = g_pAppData->Find;
    *copy = SearchCopy(state, text);
    if (ByteString::Find(*copy, searchCopy) < 0 || (state.LdIgnoreMask & ignoreBit))
        return FALSE;
    return !state.WholeWord || *copy == searchCopy;
}

std::string CLDElement::OperandEditText(const std::string& operand)
{
    CZULSymbol* symbol = nullptr;
    if (g_pAppData && g_pAppData->SymbolicAddressing && g_pAppData->FindGlobalSymbol(operand, symbol))
        return symbol->name;
    return operand;
}

BOOL CLDElement::OperandSuitsMask(DWORD mask, const std::string& text) const
{
    if (text.empty() || text == UNSET_OPERAND)
        return TRUE;
    if (!m_names)
        return FALSE; // the element belongs to no POU
    OperandTypeFlags flags = 0;
    if (m_names->LocalVariables && m_names->LocalVariables->FindLocalVar(text, flags))
        return SharesTypeAndOneOf(flags, mask, VAR_CLASS_BITS);
    CZULSymbol* symbol = nullptr;
    if (m_names->Context && m_names->Context->FindGlobalSymbol(text, symbol)) {
        OperandTypeFlags addressFlags = 0;
        ParseDirectAddress(symbol->address, addressFlags);
        return SharesTypeAndOneOf(addressFlags | symbol->typeFlags, mask, OT_AREA_BITS);
    }
    if (ParseDirectAddress(text, flags))
        return SharesTypeAndOneOf(flags, mask, OT_AREA_BITS);
    if (!(mask & OT_CONSTANT) || !ClassifyConstant(text, flags))
        return FALSE;
    return (flags & mask & OT_TYPE_BITS) != 0;
}

BOOL CLDElement::IsOperandForced(const std::string& operand) const
{
    if (!m_names || !m_names->ForceQuery)
        return FALSE;
    if (m_names->IsForced(operand))
        return TRUE;
    CZULSymbol* symbol = nullptr;
    return m_names->Context && m_names->Context->FindGlobalSymbol(operand, symbol)
        && m_names->IsForced(symbol->address);
}

BOOL CLDElement::IsMonitoring()
{
    return g_pAppData && g_pAppData->Monitoring.load() != 0;
}

void CLDElement::DrawPadlock(CDC* dc, int left, int top)
{
    dc->FillSolidRect(CRect(left, top, left + PADLOCK_BODY_WIDTH, top + PADLOCK_BODY_HEIGHT), RGB(0, 0, 0));
    dc->FillSolidRect(CRect(left + 1, top + 1, left + PADLOCK_BODY_WIDTH - 1, top + PADLOCK_BODY_HEIGHT - 1),
                      PADLOCK_FIELD);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&pen);
    const int shackleTop = top - PADLOCK_SHACKLE_RISE;
    for (const int upright : {PADLOCK_LEFT_UPRIGHT, PADLOCK_RIGHT_UPRIGHT}) {
        dc->MoveTo(left + upright, top);
        dc->LineTo(left + upright, shackleTop);
    }
    const CPoint centre(left + PADLOCK_SHACKLE_CENTRE, shackleTop);
    const CPoint start = PointOnCircle(centre, PADLOCK_SHACKLE_RADIUS, PADLOCK_SHACKLE_START);
    const CPoint end = PointOnCircle(centre, PADLOCK_SHACKLE_RADIUS, PADLOCK_SHACKLE_START + PADLOCK_SHACKLE_SWEEP);
    dc->Arc(centre.x - PADLOCK_SHACKLE_RADIUS, centre.y - PADLOCK_SHACKLE_RADIUS, centre.x + PADLOCK_SHACKLE_RADIUS,
            centre.y + PADLOCK_SHACKLE_RADIUS, start.x, start.y, end.x, end.y);
    dc->MoveTo(centre.x, shackleTop);
    dc->LineTo(centre.x, shackleTop + 1);
    dc->SelectObject(oldPen);
}

void CLDElement::DrawFoundFrame(CDC* dc, const CRect& frame)
{
    CPen pen(PS_SOLID, FOUND_FRAME_PEN, FOUND_FRAME_COLOUR);
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    dc->Rectangle(frame);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

std::string CLDElement::InnerTypeText(const std::string& typeText, char open, char close)
{
    std::string inner = typeText;
    const int closeAt = ByteString::ReverseFind(inner, close);
    if (closeAt >= 0) {
        inner = ByteString::Left(inner, closeAt);
        const int openAt = ByteString::ReverseFind(inner, open);
        if (openAt >= 0)
            inner = ByteString::Mid(inner, openAt + 1);
    }
    return ByteString::Trim(inner);
}
