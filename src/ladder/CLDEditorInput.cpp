// The ladder editor's answers to the mouse, the keyboard, focus changes and
// the scroll bars of its view; the in-place operand editor it opens on an
// operand label, and the dialog of the selected element.

#include "CLDEditor.h"

#include "CBlock.h"
#include "CCoil.h"
#include "CComment.h"
#include "CContact.h"
#include "CLDProgram.h"
#include "ILDDialogs.h"
#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "model/OpenHelpTopic.h"
#include "platform/CursorShapes.h"
#include "platform/ui/WinMessages.h"
#include "pouedit/IPOUEditorHost.h"
#include "pouedit/IPOUEditorView.h"

#include <algorithm>

namespace {
constexpr UINT CHAR_BACKSPACE = 0x08;
constexpr UINT CHAR_RETURN = 0x0D;
constexpr UINT CHAR_ESCAPE = 0x1B;
constexpr UINT LAST_CONTROL_CHAR = 31;
constexpr int LD_TEXT_FONT = 1;           // the LD text font of the application data
constexpr int CARET_WIDTH = 2;            // twice the window border
constexpr int ENTER_EDIT_DROP = 4;        // Enter selects this far below the edit position
constexpr int ENTER_SCROLL_MARGIN = 50;
constexpr int KEY_POINT_BELOW_TOP = 20;       // keys pick the point this far below a cell's top
constexpr int NETWORK_SCROLL_BACK = 120;     // a network range scrolled down shows this much above the focus
constexpr int PAGE_COLUMNS = 2;               // a horizontal page step
constexpr int KEYBOARD_MENU = -1;
// A branch click snaps to the nearest cell boundary and to its row's rung
// line, five eighths down the row; the mouse scrolls the diagram within
// this many pixels of the right and bottom edges.
constexpr int RUNG_LINE_EIGHTHS = 5;
constexpr int BRANCH_SCROLL_EDGE = 5;

// Help topics of the editor.
const char* const HELP_MONITORING = "jianshi-LD";
const char* const HELP_COMMENT = "wangluo-LD";
const char* const HELP_EDITING = "LD-bianji";
const char* const HELP_SUBROUTINE = "CAL";

// Coils without an operand: Enter opens their dialog instead of the operand editor.
const char* const OPERANDLESS_COILS[] = {"-(NUL)", "-(RET)", "-(RETC)", "-(RETCN)", "-(DISI)", "-(ENI)"};

BOOL IsOperandlessCoil(const CLDElement* element)
{
    if (element->GetKind() != LD_KIND_COIL)
        return FALSE;
    const std::string type = element->GetTypeText();
    for (const char* coil : OPERANDLESS_COILS) {
        if (type == coil)
            return TRUE;
    }
    return FALSE;
}
} // namespace

BOOL CLDEditor::HasDocument() const
{
    return m_host && m_host->HasDocument();
}

CPoint CLDEditor::ToDiagram(int x, int y) const
{
    const CPoint origin = GetScrollOrigin();
    return CPoint(x + origin.x * m_cellWidth, y + origin.y * m_cellHeight);
}

// ---- the in-place operand editor ----

BOOL CLDEditor::OpenOperandEditor(CLDElement* element, const CPoint& diagramPoint)
{
    CPoint label = diagramPoint;
    std::string text;
    if (!element->HitTestOperandLabel(&label, &text, m_cellWidth, m_cellHeight, TRUE))
        return FALSE;
    if (m_host) {
        const LOGFONT& font = m_program.GetApp().Fonts[LD_TEXT_FONT];
        TEXTMETRIC metrics;
        m_host->MeasureFont(font, metrics);
        m_inplace.CreateFont(font, metrics);
    }
    m_inplace.Open(label, m_cellWidth, text);
    m_editingOperand = TRUE;
    if (m_host) {
        const CPoint origin = GetScrollOrigin();
        m_host->CreateCaret(CSize(CARET_WIDTH, m_inplace.GetLineHeight()));
        m_host->ShowCaretAt(m_inplace.GetCaretPos(origin.x, origin.y));
    }
    return TRUE;
}

void CLDEditor::RemoveOperandEditor()
{
    m_editingOperand = FALSE;
    m_inplace.Close();
    RemoveCaret();
}

// The element keeps its stored operand while it is typed; only a commit
// hands it the typed text, so a paint, a save or an IL listing in between
// never sees a half-typed operand.
void CLDEditor::CommitOperandEdit()
{
    if (!m_editingOperand)
        return;
    if (CLDElement* selected = m_program.GetSelection()) {
        selected->SetOperand(m_inplace.GetText());
        selected->SetSelectedLabel(-1);
    }
    RemoveOperandEditor();
    m_program.PushUndoSnapshot();
    if (HasDocument())
        m_host->SetModified();
}

BOOL CLDEditor::EndPendingEdit()
{
    CommitOperandEdit();
    m_networkSelection = FALSE;
    return TRUE;
}

// ---- focus ----

void CLDEditor::OnSetFocus()
{
    if (m_focusRect.IsRectEmpty())
        m_focusRect = CRect(0, 0, m_cellWidth, m_cellHeight);
}

void CLDEditor::OnKillFocus()
{
    CommitOperandEdit();
    if (m_host)
        m_host->HideCaret();
    Repaint();
}

// ---- mouse ----

void CLDEditor::OnLButtonDown(UINT, int x, int y)
{
    if (m_host)
        m_host->SetFocus();
    if (m_drawingBranch) {
        BranchClick(x, y);
        return;
    }
    SelectAtPoint(x, y, TRUE, FALSE);
    CPoint cell;
    if (PointToCell(x, y, &cell, TRUE)) {
        m_anchorColumn = cell.x;
        m_anchorRow = cell.y;
    }
    m_mouseDown = TRUE;
    m_networkSelection = FALSE;
    if (m_host)
        m_host->SetCapture();
}

void CLDEditor::OnMouseMove(UINT, int x, int y)
{
    if (m_drawingBranch) {
        BranchMouseMove(x, y);
        return;
    }
    if (!m_mouseDown)
        return;
    if (m_editingOperand) {
        const CPoint diagram = ToDiagram(x, y);
        m_inplace.DragTo(diagram.x, diagram.y, TRUE);
        Repaint();
        return;
    }
    DragSelect(x, y);
}

// A drag out of the pressed cell selects what lies under the pointer and
// the whole networks from the pressed row to the pointer's, scrolling
// when the pointer nears an edge.
void CLDEditor::DragSelect(int x, int y)
{
    CPoint cell;
    if (!PointToCell(x, y, &cell, TRUE) || (cell.x == m_anchorColumn && cell.y == m_anchorRow))
        return;
    SelectAtPoint(x, y, TRUE, TRUE);
    m_dragItem = m_currentItem;
    const CSize client = m_host ? m_host->GetClientSize() : CSize();
    if (y > client.cy - m_cellHeight)
        ScrollBar(POU_SCROLL_VERT, POU_SCROLL_LINEDOWN, 0);
    else if (y < m_cellHeight)
        ScrollBar(POU_SCROLL_VERT, POU_SCROLL_LINEUP, 0);
    if (x < m_cellWidth)
        ScrollBar(POU_SCROLL_HORZ, POU_SCROLL_LINEUP, 0);
    else if (x > client.cx - m_cellWidth)
        ScrollBar(POU_SCROLL_HORZ, POU_SCROLL_LINEDOWN, 0);
    if (!IsMonitoring())
        SelectNetworksByRows(m_anchorColumn, m_anchorRow, cell.x, cell.y);
    Repaint();
}

void CLDEditor::OnLButtonUp(UINT, int, int)
{
    m_mouseDown = FALSE;
    if (m_host)
        m_host->ReleaseCapture();
}

void CLDEditor::OnLButtonDblClk(UINT, int x, int y)
{
    if (!m_editingOperand) {
        EditSelectedElement();
        return;
    }
    const CPoint diagram = ToDiagram(x, y);
    if (m_inplace.Contains(diagram.x, diagram.y))
        m_inplace.SetSelection(-1, -1);
    else
        CommitOperandEdit();
    Repaint();
}

void CLDEditor::OnRButtonDown(UINT, int x, int y)
{
    if (m_drawingBranch) {
        EndBranchDrawing();
        m_menuSuppressed = TRUE;
        return;
    }
    const CPoint diagram = ToDiagram(x, y);
    if (m_editingOperand) {
        // Inside the operand editor its own menu follows.
        if (m_inplace.Contains(diagram.x, diagram.y))
            return;
        CommitOperandEdit();
    }
    SelectAtPoint(x, y, TRUE, TRUE);
    if (m_networkSelection && (diagram.y < m_bandTop || diagram.y >= m_bandBottom))
        m_networkSelection = FALSE;
}

int CLDEditor::GetContextMenuId(CPoint& point)
{
    if (m_menuSuppressed || m_drawingBranch) {
        m_menuSuppressed = FALSE;
        EndBranchDrawing();
        return NO_CONTEXT_MENU;
    }
    const CPoint origin = GetScrollOrigin();
    if (point == CPoint(KEYBOARD_MENU, KEYBOARD_MENU))
        point = CPoint(m_focusRect.CenterPoint().x - origin.x * m_cellWidth,
                       m_focusRect.CenterPoint().y - origin.y * m_cellHeight);
    const CSize client = m_host ? m_host->GetClientSize() : CSize();
    if (point.x >= client.cx || point.y >= client.cy)
        return NO_CONTEXT_MENU;
    const CPoint diagram = ToDiagram(point.x, point.y);
    if (m_editingOperand && m_inplace.Contains(diagram.x, diagram.y))
        return MENU_OPERAND_EDIT;
    if (m_program.GetSelection())
        m_contextPoint = diagram;
    return IsMonitoring() ? MENU_MONITOR : MENU_LD_EDIT;
}

BOOL CLDEditor::OnSetCursor(UINT, UINT, int x, int y)
{
    if (m_drawingBranch && m_host) {
        m_host->SetCursorShape(CURSOR_BRANCH);
        return TRUE;
    }
    if (!m_editingOperand || !m_host)
        return FALSE;
    const CPoint diagram = ToDiagram(x, y);
    if (!m_inplace.Contains(diagram.x, diagram.y))
        return FALSE;
    m_host->SetCursorShape(IDC_IBEAM);
    return TRUE;
}

// ---- keyboard ----

void CLDEditor::OnKeyDown(UINT key, UINT, UINT)
{
    if (!HasDocument())
        return;
    if (key == VK_F1) {
        ShowHelp();
        return;
    }
    const BOOL shift = m_host->IsKeyDown(VK_SHIFT);
    if (m_editingOperand) {
        m_inplace.HandleKey(key, shift);
        Repaint();
        return;
    }
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (!shift) {
            m_networkSelection = FALSE;
            ScrollAtEdge(key);
            MoveFocus(key);
        } else if (IsMonitoring()) {
            return;
        } else if (key == VK_UP || key == VK_DOWN) {
            MoveNetworkSelection(key);
        } else {
            ExtendNetworkSelection(key);
        }
        return;
    case VK_PRIOR:
    case VK_NEXT:
        if (shift && !IsMonitoring())
            MoveNetworkSelection(key == VK_PRIOR ? VK_UP : VK_DOWN);
        ScrollBar(POU_SCROLL_VERT, key == VK_PRIOR ? POU_SCROLL_PAGEUP : POU_SCROLL_PAGEDOWN, 0);
        return;
    case VK_DELETE:
        DeleteByKey(TRUE);
        return;
    default:
        return;
    }
}

// While the PLC is monitored nothing is deleted; the key still marks the
// document modified.
void CLDEditor::DeleteByKey(BOOL forward)
{
    if (!IsMonitoring() && m_networkSelection) {
        DeleteSelectedNetworks();
    } else if (!IsMonitoring()) {
        CommitOperandEdit();
        DeleteSelection(forward);
    }
    if (m_host && m_host->HasDocument())
        m_host->SetModified();
}

void CLDEditor::OnChar(UINT ch, UINT, UINT)
{
    if (!HasDocument())
        return;
    if (ch == 0 || ch > LAST_CONTROL_CHAR)
        m_networkSelection = FALSE;
    if (ch == CHAR_ESCAPE) {
        if (m_drawingBranch) {
            EndBranchDrawing();
            return;
        }
        if (m_editingOperand) {
            CommitOperandEdit();
            Repaint();
        }
        return;
    }
    if (ch == CHAR_RETURN) {
        if (!IsMonitoring())
            OnEnter();
        return;
    }
    if (m_editingOperand) {
        m_inplace.InsertChar(ch);
        Repaint();
        return;
    }
    if (ch == CHAR_BACKSPACE)
        DeleteByKey(FALSE);
}

// Enter opens the operand editor on the selected element, or, on an
// element whose operand is being typed, commits it and moves right.
void CLDEditor::OnEnter()
{
    CLDElement* selected = m_program.GetSelection();
    if (!selected) {
        OnKeyDown(VK_RIGHT, 1, 0);
        Repaint();
        return;
    }
    if (IsOperandlessCoil(selected)) {
        EditSelectedElement();
        return;
    }
    CPoint position;
    if (selected->GetEditPosition(&position, m_cellWidth, m_cellHeight)) {
        SelectAtPoint(position.x, position.y + ENTER_EDIT_DROP, FALSE, FALSE);
        EnsureFocusVisible(0, 0);
        return;
    }
    CommitOperandEdit();
    SelectRightNeighbour();
    RemoveCaret();
    Repaint();
    EnsureFocusVisible(ENTER_SCROLL_MARGIN, ENTER_SCROLL_MARGIN);
}

void CLDEditor::SelectRightNeighbour()
{
    CLDElement* selected = m_program.GetSelection();
    if (!selected)
        return;
    LayoutAll();
    if (m_program.SelectRightNeighbour(selected))
        FocusOnSelection();
}

BOOL CLDEditor::MoveNetworkSelection(UINT key)
{
    const auto& items = m_program.GetItems();
    if (items.size() < 2)
        return FALSE;
    LayoutAll();
    const int focusX = m_focusRect.left + m_cellWidth / 2;
    if (!m_networkSelection) {
        m_networkSelection = TRUE;
        m_anchorColumn = focusX / m_cellWidth;
        m_anchorRow = (m_focusRect.top + KEY_POINT_BELOW_TOP) / m_cellHeight;
        if (m_anchorRow == 0) {
            m_anchorRow = 1;
            SelectAtPoint(focusX, m_focusRect.top + m_cellHeight + KEY_POINT_BELOW_TOP, FALSE, TRUE);
        }
        m_selectionItem = HeaderIndexForRow(m_anchorRow);
        SelectNetworksByRows(m_anchorColumn, m_anchorRow, m_anchorColumn + 1, m_anchorRow);
        Repaint();
        return TRUE;
    }
    const int lastHeader = static_cast<int>(items.size()) - 2;
    if (key == VK_DOWN && m_selectionItem < lastHeader)
        m_selectionItem += 2;
    else if (key != VK_DOWN && m_selectionItem > 0)
        m_selectionItem -= 2;
    m_selectionItem = std::clamp(m_selectionItem, 0, lastHeader);
    const int firstRow = m_firstRows[size_t(m_selectionItem / 2)];
    SelectAtPoint(m_cellWidth + m_cellWidth / 2, firstRow * m_cellHeight + KEY_POINT_BELOW_TOP, FALSE, TRUE);
    EnsureFocusVisible(0, 0);
    SelectNetworksByRows(m_anchorColumn, m_anchorRow, m_anchorColumn, firstRow);
    if (m_host) {
        int x = 0;
        int y = 0;
        m_host->GetScrollPosition(x, y);
        const int clientHeight = m_host->GetClientSize().cy;
        if (key == VK_DOWN && m_focusRect.bottom + m_cellHeight >= y + clientHeight)
            ScrollTo(x, m_focusRect.top - NETWORK_SCROLL_BACK);
        else if (key != VK_DOWN && y >= m_focusRect.top)
            ScrollTo(x, m_focusRect.bottom - clientHeight);
    }
    Repaint();
    return TRUE;
}

// ---- help ----

std::string CLDEditor::HelpTopicOfSelection() const
{
    const CLDElement* selected = m_program.GetSelection();
    if (!selected)
        return std::string();
    switch (selected->GetKind()) {
    case LD_KIND_COIL:
    case LD_KIND_CONTACT:
        return selected->GetTypeText();
    case LD_KIND_BLOCK: {
        const auto* block = static_cast<const CBlock*>(selected);
        if (block->GetFunction())
            return block->GetFunction()->name;
        return block->GetFB() ? block->GetFB()->typeName : std::string();
    }
    case LD_KIND_COMMENT:
        return HELP_COMMENT;
    default:
        return std::string();
    }
}

void CLDEditor::ShowHelp()
{
    std::string topic = HELP_MONITORING;
    if (!IsMonitoring()) {
        CommitOperandEdit();
        topic = HelpTopicOfSelection();
        int context = 0;
        CZULFunc* subroutine = nullptr;
        if (topic.empty())
            topic = HELP_EDITING;
        else if (!CZULAppData::FindHelpContext(topic, context) &&
                 m_program.GetApp().Project.POUs.FindSubroutineInterface(topic, subroutine))
            topic = HELP_SUBROUTINE;
    }
    OpenHelpTopic(topic);
}

// ---- scroll bars ----

void CLDEditor::OnVScroll(UINT code, UINT position)
{
    ScrollBar(POU_SCROLL_VERT, code, position);
}

void CLDEditor::OnHScroll(UINT code, UINT position)
{
    ScrollBar(POU_SCROLL_HORZ, code, position);
}

void CLDEditor::ScrollBar(int bar, UINT code, UINT position)
{
    CommitOperandEdit();
    if (!m_host)
        return;
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    const BOOL vertical = bar == POU_SCROLL_VERT;
    const int cell = vertical ? m_cellHeight : m_cellWidth;
    const CSize total = m_host->GetTotalSize();
    const CSize client = m_host->GetClientSize();
    const int maximum = std::max(0, vertical ? total.cy - client.cy : total.cx - client.cx);
    int pos = vertical ? y : x;
    switch (code) {
    case POU_SCROLL_LINEUP:
        pos -= cell;
        break;
    case POU_SCROLL_LINEDOWN:
        pos += cell;
        break;
    case POU_SCROLL_PAGEUP:
        pos -= vertical ? cell : PAGE_COLUMNS * cell;
        break;
    case POU_SCROLL_PAGEDOWN:
        pos += vertical ? cell : PAGE_COLUMNS * cell;
        break;
    case POU_SCROLL_THUMBTRACK:
        pos = vertical && m_view ? GetScrollPosition(POU_SCROLL_VERT, TRUE) : static_cast<int>(position);
        break;
    case POU_SCROLL_TOP:
        pos = 0;
        break;
    case POU_SCROLL_BOTTOM:
        if (!vertical)
            return;
        pos = maximum;
        break;
    default:
        return;
    }
    pos = std::clamp(pos, 0, maximum - maximum % cell);
    pos -= pos % cell;
    ScrollTo(vertical ? x : pos, vertical ? pos : y);
    Repaint();
}

// ---- element dialogs ----

void CLDEditor::EditSelectedElement()
{
    if (IsMonitoring() || !HasDocument())
        return;
    CLDElement* selected = m_program.GetSelection();
    if (selected && m_dialogs) {
        const int kind = selected->GetKind();
        if (kind == LD_KIND_COIL || kind == LD_KIND_CONTACT) {
            std::string type;
            if (m_dialogs->EditContactCoil(m_program, *selected, kind == LD_KIND_COIL, &type)) {
                if (kind == LD_KIND_COIL)
                    static_cast<CCoil*>(selected)->SetTypeText(type);
                else
                    static_cast<CContact*>(selected)->SetTypeText(type);
                m_program.PushUndoSnapshot();
                m_host->SetModified();
            }
        } else if (kind == LD_KIND_BLOCK) {
            if (m_dialogs->EditBlockParameters(m_host->GetPOUName(), m_program, *static_cast<CBlock*>(selected))) {
                m_program.PushUndoSnapshot();
                m_host->SetModified();
            }
        } else if (kind == LD_KIND_COMMENT) {
            auto* comment = static_cast<CComment*>(selected);
            std::string text = comment->GetText();
            BOOL modified = FALSE;
            if (m_dialogs->EditComment(&text, &modified)) {
                comment->SetText(text);
                if (modified)
                    m_host->SetModified();
            }
        }
    }
    m_host->SetFocus();
    Repaint();
    UpdateScrollSizes();
}

// ---- branch drawing ----

void CLDEditor::OnDrawBranch()
{
    if (IsMonitoring())
        return;
    CommitOperandEdit();
    RemoveCaret();
    m_networkSelection = FALSE;
    m_branchTracker.Reset();
    m_drawingBranch = TRUE;
    // The view keeps the mouse while the branch is drawn.
    if (m_host) {
        m_host->SetCapture();
        m_host->SetCursorShape(CURSOR_BRANCH);
    }
    Repaint();
}

void CLDEditor::BranchClick(int x, int y)
{
    const CPoint diagram = ToDiagram(x, y);
    const int offset = diagram.x % LD_CELL_WIDTH;
    const int snappedX = diagram.x - offset + (offset > LD_CELL_WIDTH / 2 ? LD_CELL_WIDTH : 0);
    const int snappedY = diagram.y - diagram.y % LD_CELL_HEIGHT + LD_CELL_HEIGHT * RUNG_LINE_EIGHTHS / 8;
    CPoint startCell;
    CPoint endCell;
    const int result = m_branchTracker.AddPoint(snappedX, snappedY, &startCell, &endCell);
    if (result == CLDBranchTracker::POINT_START) {
        LayoutAll();
        m_program.PickBranchStart(startCell.x, startCell.y);
        Repaint();
        return;
    }
    if (result != CLDBranchTracker::POINT_COMPLETE && result != CLDBranchTracker::POINT_REFUSED) {
        Repaint();
        return;
    }
    if (result == CLDBranchTracker::POINT_COMPLETE) {
        LayoutAll();
        // Without both ends the program makes no branch.
        m_program.PickBranchEnd(startCell.x, startCell.y, endCell.x);
        m_program.ConnectBranch();
    }
    EndBranchDrawing();
    RelayoutVisible();
    UpdateScrollSizes();
    if (HasDocument())
        m_host->SetModified();
}

void CLDEditor::BranchMouseMove(int x, int y)
{
    const CSize client = m_host ? m_host->GetClientSize() : CSize();
    if (y >= client.cy - BRANCH_SCROLL_EDGE)
        ScrollBar(POU_SCROLL_VERT, POU_SCROLL_LINEDOWN, 0);
    else if (y <= 0)
        ScrollBar(POU_SCROLL_VERT, POU_SCROLL_LINEUP, 0);
    if (x <= 0)
        ScrollBar(POU_SCROLL_HORZ, POU_SCROLL_LINEUP, 0);
    else if (x >= client.cx - BRANCH_SCROLL_EDGE)
        ScrollBar(POU_SCROLL_HORZ, POU_SCROLL_LINEDOWN, 0);
    const CPoint diagram = ToDiagram(x, y);
    m_branchTracker.SetMouse(diagram.x, diagram.y);
    Repaint();
}

void CLDEditor::EndBranchDrawing()
{
    if (!m_drawingBranch)
        return;
    m_drawingBranch = FALSE;
    m_branchTracker.Reset();
    m_program.ClearBranchEnds();
    if (m_host) {
        m_host->ReleaseCapture();
        m_host->SetCursorShape(IDC_ARROW);
    }
    Repaint();
}
