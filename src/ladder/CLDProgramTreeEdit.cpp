// The edits that change the shape of a network tree: new contacts, blocks
// and coils beside the selection, the deletion of the selected element and
// the parallel branch the user draws between two elements.
//
// Shapes kept: a contact or block with link 1 is the childA of its parent
// and one with link 2 its childB; a series node has its left part (a column
// of at least two branches, or a parallel node) in childB and what follows
// in childA; a parallel node has its upper branch (a run) in childA and its
// lower branches in childB. A series node is never the left part of
// another: the layout would turn such a part into a parallel node.

#include "CLDProgram.h"

#include "CBlock.h"
#include "CContact.h"
#include "CLDEditor.h"
#include "CLogicNode.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "pouedit/IPOUEditorHost.h"

namespace {

const std::string NEW_OPERAND = "????";
const std::string NEW_CONTACT_TYPE = "-| |-";
const std::string NOTE_CAPTION = "Note";
const std::string PID_BLOCK_NAME = "PID";
const std::string CANNOT_DELETE_ROOT = "The element can not be deleted individually.\r\n"
                                       "If you want to delete it, please delete the whole network.  ";
const std::string CANNOT_DELETE_NODE = "The element can not be deleted. ";
const std::string CANNOT_DELETE_BEFORE_BLOCK = "The element can not be deleted.  ";
const std::string BRANCH_LIMIT = "The number of branches has reached the upper limit.  ";

// Scroll margins in pixels after an insertion.
constexpr int LEFT_INSERT_DX = 100;
constexpr int PARALLEL_CONTACT_DY = 40;
constexpr int BLOCK_AT_COIL_DX = 50;
constexpr int BLOCK_AFTER_CONTACT_DX = 250;
constexpr int BLOCK_AFTER_BLOCK_DX = 350;
constexpr int BLOCK_DY = 40;
constexpr int PID_BLOCK_DY = 240;

// Results of picking a branch end.
constexpr int PICK_NONE = -1;
constexpr int PICK_SERIES = 1;
constexpr int PICK_IN_SERIES_NODE = 2;
constexpr int PICK_OTHER = 3;

// Cells right of a block to its neighbour: one more when a block follows.
constexpr int BLOCK_NEIGHBOUR_CELLS = 2;
constexpr int BLOCK_PAIR_NEIGHBOUR_CELLS = 3;

BOOL IsKind(const CLDElement* element, int kind)
{
    return element && element->GetKind() == kind;
}

BOOL IsSeriesNode(const CLDElement* element)
{
    return IsKind(element, LD_KIND_LOGIC_NODE) && element->GetLink() == LD_LINK_SERIES;
}

BOOL IsParallelNode(const CLDElement* element)
{
    return IsKind(element, LD_KIND_LOGIC_NODE) && element->GetLink() == LD_LINK_PARALLEL;
}

BOOL IsContactOrBlock(const CLDElement* element)
{
    return IsKind(element, LD_KIND_CONTACT) || IsKind(element, LD_KIND_BLOCK);
}

void SetChildA(CLDElement* parent, CLDElement* child)
{
    parent->SetChildA(child);
    if (child)
        child->SetParent(parent);
}

void SetChildB(CLDElement* parent, CLDElement* child)
{
    parent->SetChildB(child);
    if (child)
        child->SetParent(parent);
}

// Whether the element hangs in its parent's childB slot.
BOOL InColumnSlot(const CLDElement* element)
{
    return element->GetParent() && element->GetParent()->GetChildB() == element;
}

// Puts replacement where old hangs, in whichever slot of old's parent that is.
void PutInPlace(CLDElement* old, CLDElement* replacement)
{
    CLDElement* parent = old->GetParent();
    if (InColumnSlot(old))
        SetChildB(parent, replacement);
    else
        SetChildA(parent, replacement);
    old->SetParent(nullptr);
}

CLogicNode* NewNode(int link, CLDElement* childA, CLDElement* childB)
{
    auto* node = new CLogicNode;
    node->SetLink(link);
    SetChildA(node, childA);
    SetChildB(node, childB);
    return node;
}

// Deletes one element whose children live on elsewhere.
void Free(CLDElement* element)
{
    element->SetChildA(nullptr);
    element->SetChildB(nullptr);
    element->SetParent(nullptr);
    element->DeleteTree(FALSE);
}

CLDElement* ColumnLast(CLDElement* element)
{
    while (element->GetChildB())
        element = element->GetChildB();
    return element;
}

// The run from head followed by tail; returns the run's new head. A run
// ends at a parallel node: what follows one needs a series node around it.
CLDElement* SeriesOf(CLDElement* head, CLDElement* tail)
{
    if (!tail)
        return head;
    if (!head)
        return tail;
    if (IsParallelNode(head))
        return NewNode(LD_LINK_SERIES, tail, head);
    CLDElement* at = head;
    while (at->GetChildA() && !IsParallelNode(at->GetChildA()))
        at = at->GetChildA();
    if (CLDElement* parallel = at->GetChildA())
        SetChildA(at, NewNode(LD_LINK_SERIES, tail, parallel));
    else
        SetChildA(at, tail);
    return head;
}

// A column of branches (link 2, joined by childB) takes old's place. In a
// childA slot a column stands only as the left part of a series node; a
// single contact or block there joins the run instead.
void PutColumnInPlace(CLDElement* old, CLDElement* column)
{
    if (InColumnSlot(old)) {
        PutInPlace(old, column);
        return;
    }
    if (!column->GetChildB() && IsContactOrBlock(column)) {
        column->SetLink(LD_LINK_SERIES);
        PutInPlace(old, column);
        return;
    }
    if (!column->GetChildB() && IsParallelNode(column)) {
        PutInPlace(old, column);
        return;
    }
    CLogicNode* node = NewNode(LD_LINK_SERIES, nullptr, nullptr);
    PutInPlace(old, node);
    SetChildB(node, column);
}

// A run takes old's place; in a column slot it stands as the upper branch
// of a parallel node of its own.
void PutRunInPlace(CLDElement* old, CLDElement* run)
{
    if (!run) {
        PutInPlace(old, nullptr);
        return;
    }
    if (InColumnSlot(old) && !IsParallelNode(run)) {
        CLogicNode* node = NewNode(LD_LINK_PARALLEL, nullptr, nullptr);
        PutInPlace(old, node);
        SetChildA(node, run);
        return;
    }
    PutInPlace(old, run);
}

} // namespace

BOOL CLDProgram::IsMonitoring() const
{
    return m_app.Monitoring.load() != 0;
}

CLDElement* CLDProgram::NewContact(int link)
{
    auto* contact = new CContact;
    contact->SetOperand(NEW_OPERAND);
    contact->SetTypeText(NEW_CONTACT_TYPE);
    contact->SetLink(link);
    contact->AttachNames(&m_names);
    return contact;
}

CLDElement* CLDProgram::RootOf(CLDElement* element)
{
    while (element && element->GetParent())
        element = element->GetParent();
    return element;
}

int CLDProgram::ItemIndexOf(const CLDElement* root) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].get() == root)
            return static_cast<int>(i);
    }
    return -1;
}

void CLDProgram::InsertItems(int index, LDItemPtr header, LDItemPtr root)
{
    header->AttachNames(&m_names);
    root->AttachNames(&m_names);
    const auto at = m_items.begin() + index;
    m_items.insert(m_items.insert(at, std::move(header)) + 1, std::move(root));
}

void CLDProgram::RemoveNetworkItems(int rootIndex)
{
    const auto header = m_items.begin() + rootIndex - 1;
    header->release()->DeleteTree(TRUE);
    (header + 1)->release()->DeleteTree(TRUE);
    m_items.erase(header, header + 2);
    m_positionMap.clear();
}

void CLDProgram::PlaceRightOf(CLDElement* s, CLDElement* e)
{
    if (s->GetLink() == LD_LINK_PARALLEL && IsKind(s, LD_KIND_CONTACT)) {
        // The column element becomes the head of a branch of its own.
        CLDElement* below = s->GetChildB();
        CLogicNode* node = NewNode(LD_LINK_PARALLEL, nullptr, nullptr);
        PutInPlace(s, node);
        SetChildB(node, below);
        s->SetLink(LD_LINK_SERIES);
        s->SetChildB(nullptr);
        SetChildA(node, s);
        SetChildA(s, e);
        return;
    }
    CLDElement* next = s->GetChildA();
    SetChildA(s, e);
    SetChildA(e, next);
}

BOOL CLDProgram::AppendSeries(CLDElement* element)
{
    CLDElement* s = m_selected;
    if (IsMonitoring() || !element || !s)
        return FALSE;
    m_editor->EndPendingEdit();
    const int cellWidth = m_editor->GetCellSize().cx;
    int dx = cellWidth;
    if (IsKind(s, LD_KIND_COIL) && s->GetParent())
        return FALSE;
    if (IsKind(s, LD_KIND_COIL)) {
        SetChildA(s, SeriesOf(s->GetChildA(), element));
        dx = -cellWidth;
    } else if (IsKind(s, LD_KIND_BLOCK) || (IsKind(s, LD_KIND_CONTACT) && s->GetLink() == LD_LINK_SERIES) ||
               (IsKind(s, LD_KIND_CONTACT) && s->GetLink() == LD_LINK_PARALLEL)) {
        PlaceRightOf(s, element);
    } else {
        return FALSE;
    }
    m_editor->EnsureFocusVisible(dx, 0);
    return TRUE;
}

BOOL CLDProgram::InsertLeft(CLDElement* element)
{
    CLDElement* s = m_selected;
    if (!element)
        return FALSE;
    if (!s) {
        element->DeleteTree(FALSE);
        return FALSE;
    }
    m_editor->EndPendingEdit();
    if (IsKind(s, LD_KIND_COIL) && !s->GetParent()) {
        SetChildA(s, SeriesOf(s->GetChildA(), element));
        m_editor->EnsureFocusVisible(-LEFT_INSERT_DX, 0);
        return TRUE;
    }
    if (IsContactOrBlock(s) && s->GetLink() == LD_LINK_SERIES) {
        PutInPlace(s, element);
        SetChildA(element, s);
    } else if (IsKind(s, LD_KIND_CONTACT) && s->GetLink() == LD_LINK_PARALLEL) {
        CLDElement* below = s->GetChildB();
        CLogicNode* node = NewNode(LD_LINK_PARALLEL, nullptr, nullptr);
        PutInPlace(s, node);
        SetChildB(node, below);
        s->SetLink(LD_LINK_SERIES);
        s->SetChildB(nullptr);
        SetChildA(node, element);
        SetChildA(element, s);
    } else {
        element->DeleteTree(FALSE);
        return FALSE;
    }
    m_editor->EnsureFocusVisible(LEFT_INSERT_DX, 0);
    return TRUE;
}

void CLDProgram::AddParallelContact(CLDElement* contact)
{
    CLDElement* s = m_selected;
    if (!contact)
        return;
    if (IsMonitoring() || !s || !IsKind(s, LD_KIND_CONTACT)) {
        contact->DeleteTree(FALSE);
        return;
    }
    m_editor->EndPendingEdit();
    if (s->GetLink() == LD_LINK_PARALLEL) {
        SetChildB(contact, s->GetChildB());
        SetChildB(s, contact);
    } else if (s->GetLink() == LD_LINK_SERIES) {
        CLDElement* rest = s->GetChildA();
        CLogicNode* node = NewNode(LD_LINK_SERIES, nullptr, nullptr);
        PutInPlace(s, node);
        SetChildA(node, rest);
        s->SetChildA(nullptr);
        s->SetLink(LD_LINK_PARALLEL);
        SetChildB(node, s);
        SetChildB(s, contact);
    } else {
        contact->DeleteTree(FALSE);
        return;
    }
    m_editor->Repaint();
    m_editor->EnsureFocusVisible(0, PARALLEL_CONTACT_DY);
}

BOOL CLDProgram::InsertBlock(CLDElement* block)
{
    CLDElement* s = m_selected;
    if (IsMonitoring() || !block || !s)
        return FALSE;
    m_editor->EndPendingEdit();
    int dx = BLOCK_AFTER_CONTACT_DX;
    int dy = BLOCK_DY;
    if (IsKind(s, LD_KIND_COIL)) {
        if (s->GetLink() == LD_LINK_PARALLEL && s->GetParent())
            return FALSE;
        SetChildA(s, SeriesOf(s->GetChildA(), block));
        dx = BLOCK_AT_COIL_DX;
    } else if (IsKind(s, LD_KIND_CONTACT) &&
               (s->GetLink() == LD_LINK_SERIES || s->GetLink() == LD_LINK_PARALLEL)) {
        PlaceRightOf(s, block);
    } else if (IsKind(s, LD_KIND_BLOCK)) {
        PlaceRightOf(s, block);
        dx = BLOCK_AFTER_BLOCK_DX;
        const auto* box = dynamic_cast<const CBlock*>(block);
        if (box && !box->IsFunction() && ByteString::Trim(box->GetName()) == PID_BLOCK_NAME)
            dy = PID_BLOCK_DY;
    } else {
        return FALSE;
    }
    m_editor->EnsureFocusVisible(dx, dy);
    return TRUE;
}

BOOL CLDProgram::AddParallelCoil(CLDElement* coil)
{
    CLDElement* s = m_selected;
    if (IsMonitoring() || !coil || !IsKind(s, LD_KIND_COIL))
        return FALSE;
    m_editor->EndPendingEdit();
    if (s->GetLink() == LD_LINK_PARALLEL) {
        SetChildB(coil, s->GetChildB());
    } else if (s->GetLink() == LD_LINK_SERIES && !s->GetParent()) {
        s->SetLink(LD_LINK_PARALLEL);
        coil->SetChildB(nullptr);
    } else {
        return FALSE;
    }
    SetChildB(s, coil);
    coil->SetChildA(nullptr);
    m_editor->Repaint();
    m_editor->EnsureFocusVisible(0, 0);
    return TRUE;
}

void CLDProgram::DeleteSelected()
{
    CLDElement* selected = m_selected;
    if (!selected)
        return;
    if (IsKind(selected, LD_KIND_COIL)) {
        DeleteCoil(selected);
        return;
    }
    if (!IsContactOrBlock(selected)) {
        ShowMessage(NOTE_CAPTION, CANNOT_DELETE_NODE, MB_ICONINFORMATION);
        return;
    }
    // The instance leaves the project only when the block really goes.
    const BOOL fbInstance = IsKind(selected, LD_KIND_BLOCK) && !selected->IsFunction();
    const std::string instance = ByteString::Upper(ByteString::Trim(selected->GetOperand()));
    if (!UnlinkElement(selected))
        return;
    if (fbInstance)
        m_app.Project.FBTable.RemoveFBInstance(instance);
    if (m_branchStart == selected || m_branchEnd == selected)
        ClearBranchEnds();
    m_positionMap.clear();
    ClearSelection();
    Free(selected);
}

void CLDProgram::DeleteCoil(CLDElement* coil)
{
    CLDElement* below = coil->GetChildB();
    if (!coil->GetParent() && !below) {
        ShowMessage(NOTE_CAPTION, CANNOT_DELETE_ROOT, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
        if (m_host)
            m_host->SetFocus();
        return;
    }
    if (!coil->GetParent()) {
        const int index = ItemIndexOf(coil);
        if (index < 0)
            return;
        SetChildA(below, coil->GetChildA());
        below->SetParent(nullptr);
        if (!below->GetChildB())
            below->SetLink(LD_LINK_SERIES);
        coil->SetChildA(nullptr);
        coil->SetChildB(nullptr);
        m_items[size_t(index)].release();
        m_items[size_t(index)].reset(below);
    } else {
        CLDElement* above = coil->GetParent();
        SetChildB(above, below);
        if (!above->GetParent() && !below)
            above->SetLink(LD_LINK_SERIES);
    }
    m_positionMap.clear();
    ClearSelection();
    Free(coil);
}

BOOL CLDProgram::UnlinkElement(CLDElement* r)
{
    CLDElement* p = r->GetParent();
    if (!p)
        return FALSE;
    CLDElement* g = p->GetParent();
    CLDElement* next = r->GetChildA();
    CLDElement* below = r->GetChildB();
    if (r->GetLink() == LD_LINK_SERIES && IsParallelNode(p) && IsKind(next, LD_KIND_BLOCK)) {
        // A block cannot head a parallel branch.
        ShowMessage(NOTE_CAPTION, CANNOT_DELETE_BEFORE_BLOCK, MB_ICONINFORMATION | MB_TASKMODAL);
        if (m_host)
            m_host->SetFocus();
        return FALSE;
    }
    r->SetChildA(nullptr);
    r->SetChildB(nullptr);
    if (r->GetLink() == LD_LINK_SERIES && IsSeriesNode(p)) {
        // r heads the part right of a series node.
        if (next) {
            SetChildA(p, next);
        } else if (IsParallelNode(g) && g->GetChildA() == p) {
            // The upper branch shrinks to p's left part, which joins g's lower branches.
            CLDElement* column = p->GetChildB();
            SetChildB(ColumnLast(column), g->GetChildB());
            g->SetChildB(nullptr);
            p->SetChildB(nullptr);
            PutColumnInPlace(g, column);
            Free(g);
            Free(p);
        } else if (InColumnSlot(p)) {
            // A series node in a column keeps only its left part: that column
            // continues the column it hangs in.
            CLDElement* column = p->GetChildB();
            p->SetChildB(nullptr);
            PutInPlace(p, column);
            Free(p);
        } else {
            p->SetChildA(nullptr);
        }
        return TRUE;
    }
    if (r->GetLink() == LD_LINK_SERIES && IsParallelNode(p)) {
        // r heads the upper branch of a parallel node.
        CLDElement* lower = p->GetChildB();
        if (next && (next->GetChildA() || IsParallelNode(next))) {
            SetChildA(p, next);
            return TRUE;
        }
        p->SetChildA(nullptr);
        p->SetChildB(nullptr);
        CLDElement* column = lower;
        if (IsSeriesNode(next)) {
            column = next->GetChildB();
            next->SetChildB(nullptr);
            SetChildB(ColumnLast(column), lower);
            Free(next);
        } else if (next) {
            next->SetLink(LD_LINK_PARALLEL);
            SetChildB(next, lower);
            column = next;
        }
        if (column)
            PutColumnInPlace(p, column);
        else
            PutInPlace(p, nullptr);
        Free(p);
        return TRUE;
    }
    if (r->GetLink() == LD_LINK_SERIES) {
        // r follows p in a run, or is the first element of a coil's input.
        if (!p->GetParent() || !IsParallelNode(g) || next || g->GetChildA() != p) {
            SetChildA(p, next);
            return TRUE;
        }
        // The branch p, r shrinks to p: p becomes a column element.
        CLDElement* lower = g->GetChildB();
        g->SetChildA(nullptr);
        g->SetChildB(nullptr);
        p->SetLink(LD_LINK_PARALLEL);
        p->SetChildA(nullptr);
        SetChildB(p, lower);
        PutColumnInPlace(g, p);
        Free(g);
        return TRUE;
    }
    if (IsParallelNode(p)) {
        // r is the first lower branch of a parallel node.
        if (below) {
            SetChildB(p, below);
            return TRUE;
        }
        p->SetChildB(nullptr);
        if (IsSeriesNode(g) && g->GetChildB() == p) {
            // The upper branch goes in series in g's place.
            CLDElement* run = p->GetChildA();
            CLDElement* rest = g->GetChildA();
            p->SetChildA(nullptr);
            g->SetChildA(nullptr);
            g->SetChildB(nullptr);
            PutRunInPlace(g, SeriesOf(run, rest));
            Free(g);
            Free(p);
        } else if (!InColumnSlot(p)) {
            CLDElement* run = p->GetChildA();
            p->SetChildA(nullptr);
            PutRunInPlace(p, run);
            Free(p);
        }
        return TRUE;
    }
    if (IsSeriesNode(p)) {
        // r heads the column of a series node's left part.
        CLDElement* rest = p->GetChildA();
        if (below && below->GetChildB()) {
            SetChildB(p, below);
            return TRUE;
        }
        p->SetChildA(nullptr);
        p->SetChildB(nullptr);
        CLDElement* run = nullptr;
        if (IsParallelNode(below)) {
            run = below->GetChildA();
            below->SetChildA(nullptr);
            Free(below);
        } else if (below) {
            below->SetLink(LD_LINK_SERIES);
            run = below;
        }
        PutRunInPlace(p, SeriesOf(run, rest));
        Free(p);
        return TRUE;
    }
    // r is below p in a column.
    if (below) {
        SetChildB(p, below);
        return TRUE;
    }
    p->SetChildB(nullptr);
    if (IsSeriesNode(g) && g->GetChildB() == p) {
        CLDElement* rest = g->GetChildA();
        g->SetChildA(nullptr);
        g->SetChildB(nullptr);
        p->SetLink(LD_LINK_SERIES);
        PutRunInPlace(g, SeriesOf(p, rest));
        Free(g);
    }
    return TRUE;
}

int CLDProgram::PickBranchStart(int column, int row)
{
    CLDElement* found = nullptr;
    if (!LookupCell(column, row, &found) && !LookupCell(column + 1, row, &found))
        return PICK_NONE;
    if (!found || IsKind(found, LD_KIND_COMMENT) || !found->GetParent()) {
        m_branchStart = nullptr;
        return PICK_NONE;
    }
    m_branchStart = found;
    if (found->GetLink() == LD_LINK_SERIES)
        return PICK_SERIES;
    CLDElement* parent = found->GetParent();
    if (IsSeriesNode(parent) || (IsKind(parent, LD_KIND_LOGIC_NODE) && IsSeriesNode(parent->GetParent())))
        return PICK_IN_SERIES_NODE;
    return PICK_OTHER;
}

int CLDProgram::PickBranchEnd(int leftLimit, int row, int column)
{
    for (int at = column; at >= leftLimit; --at) {
        CLDElement* found = nullptr;
        if (!LookupCell(at, row, &found) || !found)
            continue;
        if (IsKind(found, LD_KIND_COMMENT)) {
            m_branchEnd = nullptr;
            return PICK_NONE;
        }
        m_branchEnd = found;
        return PICK_SERIES;
    }
    return PICK_NONE;
}

BOOL CLDProgram::IsInSeriesRun(CLDElement* from, CLDElement* element)
{
    for (CLDElement* at = from; at; at = at->GetChildA()) {
        if (at == element)
            return TRUE;
    }
    return FALSE;
}

BOOL CLDProgram::BranchBelow(CLDElement* start)
{
    if (!m_editor->CheckBranchRows(start)) {
        ShowMessage(NOTE_CAPTION, BRANCH_LIMIT, MB_ICONINFORMATION | MB_TASKMODAL);
        if (m_host)
            m_host->SetFocus();
        return TRUE;
    }
    if (start->GetLink() == LD_LINK_PARALLEL) {
        CLDElement* q = NewContact(LD_LINK_PARALLEL);
        SetChildB(q, start->GetChildB());
        SetChildB(start, q);
        return TRUE;
    }
    if (IsKind(start, LD_KIND_CONTACT) && start->GetLink() == LD_LINK_SERIES) {
        CLDElement* rest = start->GetChildA();
        CLogicNode* node = NewNode(LD_LINK_SERIES, nullptr, nullptr);
        PutInPlace(start, node);
        SetChildA(node, rest);
        start->SetChildA(nullptr);
        start->SetLink(LD_LINK_PARALLEL);
        SetChildB(node, start);
        SetChildB(start, NewContact(LD_LINK_PARALLEL));
    }
    return TRUE;
}

BOOL CLDProgram::ConnectBranch()
{
    CLDElement* start = m_branchStart;
    CLDElement* end = m_branchEnd;
    // A branch joins contacts and blocks; a coil's column takes no contact.
    if (!start || !end || !IsKind(start, LD_KIND_CONTACT))
        return FALSE;
    if (start == end)
        return BranchBelow(start);
    if (IsInSeriesRun(start, end))
        return WrapInParallel(start, end);
    for (CLDElement* at = end->GetParent(); at && !IsKind(at, LD_KIND_COIL); at = at->GetParent()) {
        if (IsSeriesNode(at) && IsInSeriesRun(start, at))
            return WrapInParallel(start, at);
    }
    for (CLDElement* s = start->GetParent(); s; s = s->GetParent()) {
        if (!IsSeriesNode(s))
            continue;
        if (IsInSeriesRun(s, end))
            return WrapInParallel(s, end);
        for (CLDElement* at = end->GetParent(); at && !IsKind(at, LD_KIND_COIL); at = at->GetParent()) {
            if (IsSeriesNode(at) && IsInSeriesRun(s, at))
                return WrapInParallel(s, at);
        }
    }
    return TRUE;
}

BOOL CLDProgram::WrapInParallel(CLDElement* first, CLDElement* last)
{
    if (!first || !last || !first->GetParent())
        return FALSE;
    CLDElement* parent = first->GetParent();
    if (first != last && IsParallelNode(parent) && parent->GetChildA() == first && !last->GetChildA()) {
        // The run is a whole upper branch: the new contact is one more lower branch.
        CLDElement* q = NewContact(LD_LINK_PARALLEL);
        SetChildB(q, parent->GetChildB());
        SetChildB(parent, q);
    } else if (first == last && IsSeriesNode(first) && first->GetChildB()) {
        // Around a single series node the new contact is one more branch of
        // its left part; a lone node as an upper branch would be a shape of its own.
        SetChildB(ColumnLast(first->GetChildB()), NewContact(LD_LINK_PARALLEL));
    } else {
        CLDElement* rest = last->GetChildA();
        last->SetChildA(nullptr);
        CLogicNode* series = NewNode(LD_LINK_SERIES, nullptr, nullptr);
        PutInPlace(first, series);
        CLogicNode* parallel = NewNode(LD_LINK_PARALLEL, first, NewContact(LD_LINK_PARALLEL));
        SetChildB(series, parallel);
        SetChildA(series, rest);
    }
    m_positionMap.clear();
    m_editor->Repaint();
    m_editor->UpdateScrollSizes();
    PushUndoSnapshot();
    return TRUE;
}

BOOL CLDProgram::SelectRightNeighbour(CLDElement* element)
{
    if (!element)
        return FALSE;
    int cells = 1;
    if (IsKind(element, LD_KIND_BLOCK))
        cells = IsKind(element->GetChildA(), LD_KIND_BLOCK) ? BLOCK_PAIR_NEIGHBOUR_CELLS : BLOCK_NEIGHBOUR_CELLS;
    const CLDCellRect position = element->GetPosition();
    CLDElement* neighbour = nullptr;
    if (LookupCell(position.column + cells, position.row, &neighbour) && neighbour) {
        Select(neighbour);
        return TRUE;
    }
    Select(element);
    return FALSE;
}
