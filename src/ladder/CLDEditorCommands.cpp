// The editing commands of the ladder editor: new networks, contacts, coils
// and blocks beside the selection, the deletions, undo and redo, the size
// limits they check first and their update rules.

#include "CLDEditor.h"

#include "CBlock.h"
#include "CCoil.h"
#include "CComment.h"
#include "CContact.h"
#include "CLDCatalogueInsert.h"
#include "CLDProgram.h"
#include "ILDDialogs.h"
#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "model/DirectAddress.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/ui/WinMessages.h"
#include "pouedit/IPOUEditorHost.h"

#include <algorithm>

namespace {

// The limits of a diagram: the cells of a network's width, the rows of a
// network body below its header, and the rows of the whole diagram.
constexpr int MAX_NETWORK_COLUMNS = 35;
constexpr int MAX_BRANCH_ROWS = 15;
constexpr int MAX_DIAGRAM_ROWS = 2000;

constexpr int BLOCK_CHOICE_SUBROUTINE = 1;

const std::string NEW_OPERAND = "????";
const std::string NEW_CONTACT_TYPE = "-| |-";
const std::string NEW_COIL_TYPE = "-( )";
const std::string NETWORK_COIL_TYPE = "-(NUL)";
const std::string NOT_CONTACT_TYPE = "-|NOT|-";
const std::string NOTE_CAPTION = "Note";
const std::string ERROR_CAPTION = "Error";
const std::string NETWORK_LIMIT = "The number of networks has reached the upper limit. ";
const std::string WIDTH_LIMIT = "The number of horizontal elements in this network has reached the upper limit. ";
const std::string CONTACT_BRANCH_LIMIT = "The number of branches has reached the upper limit. ";
const std::string COIL_BRANCH_LIMIT = "The number of branches has reached the upper limit.  ";
const std::string BLOCK_BESIDE_COIL = "Block and the coil cannot be parallel. ";
const std::string SUBROUTINE_CALLS_ITSELF = "A subroutine can not call itself. ";
const std::string DUPLICATE_INSTANCE = "A duplicate FB instance exists. ";
const std::string ILLEGAL_INSTANCE = "This is not a legal FB instance name. ";

// FB types whose last output is a plain status bit, left without an operand.
const char* const EMPTY_LAST_OUTPUT_TYPES[] = {"CTU", "CTUD", "CTD", "TP", "TON", "TOF"};

BOOL HasEmptyLastOutput(const std::string& type)
{
    for (const char* name : EMPTY_LAST_OUTPUT_TYPES) {
        if (type == name)
            return TRUE;
    }
    return FALSE;
}

void SetActuals(CZULFBParaArray& params, int count)
{
    for (int i = 0; i < count; ++i) {
        if (CZULFBPara* para = params.GetAt(i))
            para->typeText = NEW_OPERAND;
    }
}

BOOL IsKind(const CLDElement* element, int kind)
{
    return element && element->GetKind() == kind;
}

// Every element of a tree, parents before children.
template <typename Visit>
void VisitTree(CLDElement* element, Visit visit)
{
    if (!element)
        return;
    visit(element);
    VisitTree(element->GetChildA(), visit);
    VisitTree(element->GetChildB(), visit);
}

} // namespace

BOOL CLDEditor::IsIdle() const
{
    return !IsMonitoring() && !m_editingOperand;
}

void CLDEditor::FocusView()
{
    if (m_host)
        m_host->SetFocus();
}

int CLDEditor::SelectedItem() const
{
    CLDElement* selected = m_program.GetSelection();
    if (!selected)
        return -1;
    return m_program.ItemIndexOf(CLDProgram::RootOf(selected));
}

BOOL CLDEditor::IsParallelCoilSelected() const
{
    const CLDElement* selected = m_program.GetSelection();
    return IsKind(selected, LD_KIND_COIL) && selected->GetLink() == LD_LINK_PARALLEL;
}

void CLDEditor::FinishEdit(CLDElement* element)
{
    m_program.Select(element);
    m_program.PushUndoSnapshot();
    if (m_host && m_host->HasDocument())
        m_host->SetModified();
    Repaint();
    RelayoutVisible();
    FocusOnSelection();
    UpdateScrollSizes();
    FocusView();
}

void CLDEditor::RelayoutVisible()
{
    LayoutAll();
}

BOOL CLDEditor::CheckWidth()
{
    CLDElement* root = CLDProgram::RootOf(m_program.GetSelection());
    if (!root)
        return FALSE;
    return root->GetSize(FALSE).cx <= MAX_NETWORK_COLUMNS;
}

BOOL CLDEditor::CheckBranchRows(CLDElement* element)
{
    const int rootIndex = m_program.ItemIndexOf(CLDProgram::RootOf(element));
    if (rootIndex < 1)
        return FALSE;
    LayoutAll();
    const int headerRow = m_program.GetItems()[size_t(rootIndex - 1)]->GetPosition().row;
    return LastInParallelChain(element)->GetPosition().row - headerRow <= MAX_BRANCH_ROWS;
}

BOOL CLDEditor::CheckDiagramHeight()
{
    if (m_program.GetNetworkCount() == 0)
        return TRUE;
    LayoutAll();
    // The end row lies one spacing row below the last network's bottom.
    return m_endRow - 1 < MAX_DIAGRAM_ROWS;
}

void CLDEditor::OnInsertNetwork()
{
    m_networkSelection = FALSE;
    if (!IsIdle())
        return;
    const int networks = m_program.GetNetworkCount();
    if (networks >= LD_MAX_NETWORKS) {
        ShowMessage(NOTE_CAPTION, NETWORK_LIMIT, MB_ICONINFORMATION);
        FocusView();
        return;
    }
    CLDElement* selected = m_program.GetSelection();
    const int item = SelectedItem();
    const int count = static_cast<int>(m_program.GetItems().size());
    int rootIndex = -1;
    if (selected && item >= 0 && item + 1 < count) {
        // Before a selected header, after any other selected element.
        const BOOL header = IsKind(selected, LD_KIND_COMMENT);
        rootIndex = header ? item + 1 : item + 2;
    } else if (!IsKind(selected, LD_KIND_COMMENT) && (selected || networks == 0)) {
        rootIndex = count + 1;
    } else {
        return;
    }
    auto* root = new CCoil;
    root->SetOperand(std::string());
    root->SetTypeText(NETWORK_COIL_TYPE);
    root->SetLink(LD_LINK_SERIES);
    m_program.InsertItems(rootIndex - 1, LDItemPtr(new CComment), LDItemPtr(root));
    RenumberHeaders();
    m_currentItem = rootIndex;
    m_program.Select(root);
    auto* contact = new CContact;
    contact->SetOperand(NEW_OPERAND);
    contact->SetTypeText(NEW_CONTACT_TYPE);
    contact->SetLink(LD_LINK_SERIES);
    contact->AttachNames(&m_program.GetNames());
    if (!m_program.AppendSeries(contact)) {
        contact->DeleteTree(FALSE);
        return;
    }
    FinishEdit(contact);
    EnsureFocusVisible(0, 0);
}

void CLDEditor::OnInsertLeftContact()
{
    InsertContact(TRUE);
    FocusView();
}

void CLDEditor::OnInsertRightContact()
{
    InsertContact(FALSE);
    FocusView();
}

BOOL CLDEditor::InsertContact(BOOL left)
{
    m_networkSelection = FALSE;
    if (IsMonitoring())
        return FALSE;
    if (!m_program.GetSelection() || IsParallelCoilSelected()) {
        FocusView();
        return FALSE;
    }
    if (!CheckWidth()) {
        ShowMessage(NOTE_CAPTION, WIDTH_LIMIT, MB_ICONINFORMATION);
        FocusView();
        return FALSE;
    }
    auto* contact = new CContact;
    contact->SetOperand(NEW_OPERAND);
    contact->SetTypeText(NEW_CONTACT_TYPE);
    contact->SetLink(LD_LINK_SERIES);
    contact->AttachNames(&m_program.GetNames());
    if (left) {
        if (!m_program.InsertLeft(contact))
            return FALSE;
    } else if (!m_program.AppendSeries(contact)) {
        contact->DeleteTree(FALSE);
        return FALSE;
    }
    FinishEdit(contact);
    return TRUE;
}

void CLDEditor::OnInsertParallelContact()
{
    m_networkSelection = FALSE;
    CLDElement* selected = m_program.GetSelection();
    if (!IsIdle() || !selected || IsParallelCoilSelected())
        return;
    const BOOL linked = selected->GetLink() == LD_LINK_SERIES || selected->GetLink() == LD_LINK_PARALLEL;
    if (!IsKind(selected, LD_KIND_CONTACT) || selected->GetTypeText() == NOT_CONTACT_TYPE || !linked) {
        FocusView();
        return;
    }
    if (!CheckBranchRows(selected)) {
        ShowMessage(NOTE_CAPTION, CONTACT_BRANCH_LIMIT, MB_TASKMODAL | MB_ICONINFORMATION);
        FocusView();
        return;
    }
    auto* contact = new CContact;
    contact->SetOperand(NEW_OPERAND);
    contact->SetTypeText(NEW_CONTACT_TYPE);
    contact->SetLink(LD_LINK_PARALLEL);
    contact->AttachNames(&m_program.GetNames());
    m_program.AddParallelContact(contact);
    FinishEdit(contact);
}

void CLDEditor::OnInsertCoil()
{
    if (!IsIdle())
        return;
    m_networkSelection = FALSE;
    CLDElement* selected = m_program.GetSelection();
    if (!IsKind(selected, LD_KIND_COIL)) {
        FocusView();
        return;
    }
    if (!CheckBranchRows(selected)) {
        ShowMessage(NOTE_CAPTION, COIL_BRANCH_LIMIT, MB_TASKMODAL | MB_ICONINFORMATION);
        FocusView();
        return;
    }
    auto* coil = new CCoil;
    coil->SetOperand(NEW_OPERAND);
    coil->SetTypeText(NEW_COIL_TYPE);
    coil->SetLink(LD_LINK_PARALLEL);
    coil->AttachNames(&m_program.GetNames());
    if (!m_program.AddParallelCoil(coil)) {
        coil->DeleteTree(FALSE);
        return;
    }
    FinishEdit(coil);
}

BOOL CLDEditor::PrepareBlock(CBlock& block, int choice, const std::string& name, const std::string& instance,
                             std::string* addedInstance)
{
    CZULAppData& app = m_program.GetApp();
    const std::string pou = m_program.GetName();
    const std::string chosen = ByteString::Trim(name);
    if (choice == BLOCK_CHOICE_SUBROUTINE) {
        if (chosen == pou) {
            ShowMessage(NOTE_CAPTION, SUBROUTINE_CALLS_ITSELF, MB_TASKMODAL | MB_ICONINFORMATION);
            FocusView();
            return FALSE;
        }
        auto function = std::make_unique<CZULFunc>();
        // A name the project does not know gives no box.
        if (!app.Project.POUs.CopySubroutineInterface(chosen, function.get()))
            return FALSE;
        SetActuals(function->inputs, function->GetInputCount());
        SetActuals(function->outputs, function->GetOutputCount());
        block.SetFunction(std::move(function));
        return TRUE;
    }
    auto fb = std::make_unique<CZULFB>();
    if (app.LookupFunctionBlock(chosen, *fb)) {
        const int outputs = fb->GetOutputCount();
        SetActuals(fb->inputs, fb->inputs.GetSize());
        SetActuals(fb->outputs, outputs - 1);
        CZULFBPara* last = fb->outputs.GetAt(outputs - 1);
        if (last && HasEmptyLastOutput(fb->typeName))
            last->typeText.clear();
        const std::string upper = ByteString::Upper(ByteString::Trim(instance));
        fb->instanceName = NEW_OPERAND;
        if (upper.empty() || upper == NEW_OPERAND) {
            FocusView();
        } else if (!IsValidFBInstanceName(upper, fb->typeName)) {
            ShowMessage(NOTE_CAPTION, ILLEGAL_INSTANCE, MB_ICONINFORMATION);
            FocusView();
        } else if (!app.Project.FBTable.AddFBInstance(upper, fb->typeName, pou, FB_LIST_TABLE)) {
            ShowMessage(NOTE_CAPTION, DUPLICATE_INSTANCE, MB_ICONINFORMATION);
            FocusView();
        } else {
            fb->instanceName = upper;
            *addedInstance = upper;
        }
        block.SetFB(std::move(fb));
        return TRUE;
    }
    auto function = std::make_unique<CZULFunc>();
    if (!app.LookupFunction(chosen, *function))
        return FALSE;
    SetActuals(function->inputs, function->GetInputCount());
    SetActuals(function->outputs, function->GetOutputCount());
    block.SetFunction(std::move(function));
    return TRUE;
}

void CLDEditor::OnInsertBlock()
{
    m_networkSelection = FALSE;
    // Without a selection there is no network whose width could be at its limit.
    if (!IsIdle() || !m_program.GetSelection())
        return;
    if (!CheckWidth()) {
        ShowMessage(NOTE_CAPTION, WIDTH_LIMIT, MB_ICONINFORMATION);
        FocusView();
        return;
    }
    if (!m_host || !m_host->HasDocument())
        return;
    if (IsParallelCoilSelected()) {
        ShowMessage(ERROR_CAPTION, BLOCK_BESIDE_COIL, MB_TASKMODAL | MB_ICONERROR);
        FocusView();
        return;
    }
    if (!m_dialogs)
        return;
    int choice = 0;
    std::string name;
    std::string instance;
    if (!m_dialogs->SelectBlock(&choice, &name, &instance))
        return;
    auto block = std::make_unique<CBlock>();
    block->SetLink(LD_LINK_SERIES);
    block->AttachNames(&m_program.GetNames());
    std::string addedInstance;
    if (!PrepareBlock(*block, choice, name, instance, &addedInstance))
        return;
    if (!m_program.InsertBlock(block.get())) {
        // The refused box takes its new instance out of the project again.
        if (!addedInstance.empty())
            m_program.GetApp().Project.FBTable.RemoveFBInstance(addedInstance);
        m_program.ClearSelection();
        return;
    }
    FinishEdit(block.release());
}

void CLDEditor::OnDeleteComponent()
{
    EndPendingEdit();
    DeleteSelection(TRUE);
    m_networkSelection = FALSE;
}

void CLDEditor::DeleteSelection(BOOL forward)
{
    if (IsMonitoring())
        return;
    CLDElement* selected = m_program.GetSelection();
    if (!selected || IsKind(selected, LD_KIND_COMMENT)) {
        if (!forward) {
            ScrollAtEdge(VK_LEFT);
            MoveFocus(VK_LEFT);
        }
        return;
    }
    LayoutAll();
    const CLDCellRect cell = selected->GetPosition();
    const int x = cell.column * m_cellWidth + m_cellWidth / 2;
    const int y = cell.row * m_cellHeight + m_cellHeight / 2;
    // A deletion the program refuses (with its own message) still ends as
    // an edit: no selection, the document modified and an undo snapshot.
    m_program.DeleteSelected();
    m_program.ClearSelection();
    if (m_host && m_host->HasDocument())
        m_host->SetModified();
    if (forward) {
        RelayoutVisible();
        SelectAtPoint(x, y, FALSE, FALSE);
    } else {
        RelayoutVisible();
        Repaint();
        MoveFocus(VK_LEFT);
        ScrollAtEdge(VK_LEFT);
        Repaint();
    }
    UpdateScrollSizes();
    m_program.PushUndoSnapshot();
}

void CLDEditor::OnDeleteNetwork()
{
    if (IsMonitoring())
        return;
    if (m_networkSelection) {
        DeleteSelectedNetworks();
        return;
    }
    CLDElement* selected = m_program.GetSelection();
    if (!selected || IsKind(selected, LD_KIND_COMMENT))
        return;
    // The network comes from the tree: the layout's stamps lag behind the last edit.
    const int rootIndex = SelectedItem();
    if (rootIndex < 1)
        return;
    m_program.ClearSelection();
    m_program.RemoveNetworkItems(rootIndex);
    RenumberHeaders();
    const int previous = rootIndex - 2;
    if (previous >= 0) {
        m_program.Select(m_program.GetItems()[size_t(previous)].get());
        m_currentItem = previous;
    } else {
        m_currentItem = -1;
    }
    m_program.PushUndoSnapshot();
    if (m_host && m_host->HasDocument())
        m_host->SetModified();
    Repaint();
    RelayoutVisible();
    UpdateScrollSizes();
}

void CLDEditor::RegisterFBInstances()
{
    const std::string pou = m_program.GetName();
    for (const LDItemPtr& item : m_program.GetItems()) {
        VisitTree(item.get(), [&](CLDElement* element) {
            if (IsKind(element, LD_KIND_BLOCK))
                static_cast<CBlock*>(element)->RegisterFBInstance(pou);
        });
    }
}

void CLDEditor::AfterReload()
{
    RegisterFBInstances();
    m_program.ClearSelection();
    m_firstRows.clear();
    m_networkSelection = FALSE;
    m_currentItem = -1;
    Repaint();
    LayoutAll();
    UpdateScrollSizes();
}

void CLDEditor::OnEditUndo()
{
    if (IsMonitoring())
        return;
    // While an operand is typed, Undo only takes back the typing.
    if (m_editingOperand) {
        m_inplace.Undo();
        Repaint();
        return;
    }
    m_program.GetApp().Project.FBTable.RemoveFBInstancesOfPOU(m_program.GetName());
    m_program.Undo();
    AfterReload();
}

void CLDEditor::OnEditRedo()
{
    if (!IsIdle())
        return;
    m_program.GetApp().Project.FBTable.RemoveFBInstancesOfPOU(m_program.GetName());
    m_program.Redo();
    AfterReload();
}

void CLDEditor::OnUpdateEditUndo(IPOUCommandUI& ui)
{
    ui.Enable(!IsMonitoring() && m_program.GetUndoCount() >= 2 ? TRUE : FALSE);
}

void CLDEditor::OnUpdateEditRedo(IPOUCommandUI& ui)
{
    ui.Enable(!IsMonitoring() && m_program.GetRedoCount() > 0 ? TRUE : FALSE);
}

void CLDEditor::OnUpdateInsertNetwork(IPOUCommandUI& ui)
{
    ui.Enable(IsIdle() && (m_program.GetSelection() || m_program.GetNetworkCount() == 0) ? TRUE : FALSE);
}

void CLDEditor::OnUpdateInsertContact(IPOUCommandUI& ui)
{
    const BOOL anchor = !IsKind(m_program.GetSelection(), LD_KIND_COMMENT) && !IsParallelCoilSelected();
    ui.Enable(IsIdle() && anchor && CheckWidth() ? TRUE : FALSE);
}

void CLDEditor::OnUpdateInsertParallelContact(IPOUCommandUI& ui)
{
    const CLDElement* selected = m_program.GetSelection();
    const BOOL anchor = IsKind(selected, LD_KIND_CONTACT) || IsKind(selected, LD_KIND_LOGIC_NODE);
    ui.Enable(IsIdle() && anchor && CheckDiagramHeight() ? TRUE : FALSE);
}

void CLDEditor::OnUpdateInsertCoil(IPOUCommandUI& ui)
{
    const BOOL anchor = IsKind(m_program.GetSelection(), LD_KIND_COIL);
    ui.Enable(IsIdle() && anchor && CheckDiagramHeight() ? TRUE : FALSE);
}

void CLDEditor::OnUpdateInsertBlock(IPOUCommandUI& ui)
{
    const BOOL anchor = !IsKind(m_program.GetSelection(), LD_KIND_COMMENT) && !IsParallelCoilSelected();
    const BOOL networks = !m_program.GetItems().empty();
    ui.Enable(IsIdle() && anchor && networks && CheckWidth() ? TRUE : FALSE);
}

void CLDEditor::OnUpdateDeleteComponent(IPOUCommandUI& ui)
{
    const CLDElement* selected = m_program.GetSelection();
    const BOOL loneRoot = IsKind(selected, LD_KIND_COIL) && !selected->GetChildB() && !selected->GetParent();
    ui.Enable(IsIdle() && !IsKind(selected, LD_KIND_COMMENT) && !loneRoot ? TRUE : FALSE);
}

void CLDEditor::OnUpdateDeleteNetwork(IPOUCommandUI& ui)
{
    ui.Enable(IsIdle() && !IsKind(m_program.GetSelection(), LD_KIND_COMMENT) ? TRUE : FALSE);
}

void CLDEditor::OnUpdateDrawBranch(IPOUCommandUI& ui)
{
    ui.Enable(IsMonitoring() ? FALSE : TRUE);
}

void CLDEditor::OnLDCommand(UINT id)
{
    switch (id) {
    case ID_LD_NETWORK:
        OnInsertNetwork();
        break;
    case ID_LD_LEFT_CONTACT:
        OnInsertLeftContact();
        break;
    case ID_LD_RIGHT_CONTACT:
        OnInsertRightContact();
        break;
    case ID_LD_PARALLEL_CONTACT:
        OnInsertParallelContact();
        break;
    case ID_LD_COIL:
        OnInsertCoil();
        break;
    case ID_LD_BLOCK:
        OnInsertBlock();
        break;
    case ID_LD_DELETE_COMPONENT:
        OnDeleteComponent();
        break;
    case ID_LD_DELETE_NETWORK:
        OnDeleteNetwork();
        break;
    case ID_LD_BRANCH:
        OnDrawBranch();
        break;
    default:
        break;
    }
}

void CLDEditor::OnUpdateLDCommand(UINT id, IPOUCommandUI& ui)
{
    switch (id) {
    case ID_LD_NETWORK:
        OnUpdateInsertNetwork(ui);
        break;
    case ID_LD_LEFT_CONTACT:
    case ID_LD_RIGHT_CONTACT:
        OnUpdateInsertContact(ui);
        break;
    case ID_LD_PARALLEL_CONTACT:
        OnUpdateInsertParallelContact(ui);
        break;
    case ID_LD_COIL:
        OnUpdateInsertCoil(ui);
        break;
    case ID_LD_BLOCK:
        OnUpdateInsertBlock(ui);
        break;
    case ID_LD_DELETE_COMPONENT:
        OnUpdateDeleteComponent(ui);
        break;
    case ID_LD_DELETE_NETWORK:
        OnUpdateDeleteNetwork(ui);
        break;
    case ID_LD_BRANCH:
        OnUpdateDrawBranch(ui);
        break;
    default:
        ui.Enable(FALSE);
        break;
    }
}

BOOL CLDEditor::InsertFromInstructionTree(std::uintptr_t kind, std::intptr_t item)
{
    return CLDCatalogueInsert(m_program.GetApp(), *this).Insert(kind, item);
}

CLDElement* CLDEditor::GetSelection() const
{
    return m_program.GetSelection();
}

BOOL CLDEditor::AppendSeries(CLDElement* element)
{
    return m_program.AppendSeries(element);
}

BOOL CLDEditor::AddParallelCoil(CLDElement* coil)
{
    return m_program.AddParallelCoil(coil);
}

BOOL CLDEditor::InsertBlock(CLDElement* block)
{
    return m_program.InsertBlock(block);
}

void CLDEditor::FinishInsertion(CLDElement* element)
{
    FinishEdit(element);
}

std::string CLDEditor::GetPOUName() const
{
    return m_program.GetName();
}

void CLDEditor::ShowNote(const std::string& text, UINT type)
{
    ShowMessage(NOTE_CAPTION, text, type);
}
