#include "CProjTreeView.h"

#include "IProjTreeHost.h"
#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "model/CZULFunc.h"
#include "model/OpenHelpTopic.h"
#include "model/ProjectModified.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/QtText.h"
#include "shell/POURename.h"
#include "shell/ProjTreeRules.h"
#include "shell/ui/CPOUPropertyDlg.h"

#include <QAbstractItemDelegate>
#include <QImage>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

constexpr int kImageSize = 16;
constexpr COLORREF kTransparentColor = RGB(255, 255, 255);
constexpr char kImageResource[] = ":/Bitmap/projtree";
// How long Communications waits for the serial port before it gives up silently.
constexpr DWORD kPortLockWaitMs = 1500;

CIconImage LoadStrip()
{
    const QImage image = QImage(kImageResource).convertToFormat(QImage::Format_ARGB32);
    CIconImage strip(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            strip.SetPixel(x, y, image.pixel(x, y));
    }
    return strip;
}

bool IsPOUKind(int kind)
{
    return kind == NODE_MAIN || kind == NODE_SUBROUTINE || kind == NODE_INTERRUPT;
}

bool IsRoutineKind(int kind)
{
    return kind == NODE_SUBROUTINE || kind == NODE_INTERRUPT;
}

std::unique_ptr<CProjTreeNode> NewNode(int kind, const std::string& label)
{
    auto node = std::make_unique<CProjTreeNode>();
    node->kind = kind;
    node->label = label;
    return node;
}

} // namespace

IMPLEMENT_DYNCREATE(CProjTreeView, CTreeView)

CProjTreeView::CProjTreeView()
{
    using Cmd = CCmdEntry<CProjTreeView>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_PROJTREE_OPEN_POU, &CProjTreeView::OnOpen),
        Cmd::Command(ID_PROJTREE_OPEN_COMMUNICATIONS, &CProjTreeView::OnOpen),
        Cmd::Command(ID_PROJTREE_OPEN_GLOBAL_VARIABLES, &CProjTreeView::OnOpen),
        Cmd::Command(ID_PROJTREE_OPEN_INITIAL_DATA, &CProjTreeView::OnOpen),
        Cmd::Command(ID_PROJTREE_OPEN_HARDWARE, &CProjTreeView::OnOpenHardware),
        Cmd::Command(ID_PROJTREE_OPEN_STATUS_CHART, &CProjTreeView::OnOpenStatusChart),
        Cmd::Command(ID_PROJTREE_DELETE, &CProjTreeView::OnDelete),
        Cmd::Update(ID_PROJTREE_DELETE, &CProjTreeView::OnUpdatePOUCommand),
        Cmd::Command(ID_PROJTREE_RENAME, &CProjTreeView::OnRename),
        Cmd::Update(ID_PROJTREE_RENAME, &CProjTreeView::OnUpdatePOUCommand),
        Cmd::Command(ID_PROJTREE_PROPERTY, &CProjTreeView::OnProperty),
        Cmd::Update(ID_PROJTREE_PROPERTY, &CProjTreeView::OnUpdatePOUCommand),
        Cmd::Command(ID_PROJTREE_NEW_SUBROUTINE, &CProjTreeView::OnNewSubroutine),
        Cmd::Command(ID_PROJTREE_NEW_INTERRUPT, &CProjTreeView::OnNewInterrupt),
        Cmd::Command(ID_PROJTREE_OPEN_ALL_PROGRAMS, &CProjTreeView::OnOpenAllPrograms),
        Cmd::Command(ID_PROJTREE_CLOSE_ALL, &CProjTreeView::OnCloseAll),
    };
    AddCommandTable(kCommands);
}

CProjTreeView::~CProjTreeView() = default;

void CProjTreeView::Attach(CZULAppData* app, IProjTreeHost* host)
{
    m_app = app;
    m_host = host;
}

DWORD CProjTreeView::GetTreeStyle() const
{
    return TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS | TVS_TRACKSELECT;
}

int CProjTreeView::OnCreate()
{
    if (CTreeView::OnCreate() == -1)
        return -1;
    m_images.Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK);
    m_images.Add(LoadStrip(), kTransparentColor);
    GetTreeCtrl().SetImageList(&m_images);
    // An edit closed without a commit (Escape, focus lost) ends the rename too;
    // a committed one ends it when the tree reports the new name.
    connect(GetTreeCtrl().Tree()->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
        if (!GetTreeCtrl().IsEndLabelEditPending())
            m_renaming = FALSE;
    });
    return 0;
}

HTREEITEM CProjTreeView::InsertNode(CProjTreeNode* node, const std::string& text, int image, HTREEITEM parent,
                                    HTREEITEM after)
{
    HTREEITEM item = GetTreeCtrl().InsertItem(text, image, image, parent, after);
    GetTreeCtrl().SetItemData(item, reinterpret_cast<LPARAM>(node));
    return item;
}

void CProjTreeView::BuildProjectTree()
{
    if (m_projectNode)
        ClearProjectTree();
    CTreeCtrl& tree = GetTreeCtrl();
    const std::string projectName = m_app ? m_app->Project.ProjectName : std::string();
    m_projectNode = NewNode(NODE_PROJECT, PROJTREE_PROJECT_LABEL);
    HTREEITEM root = InsertNode(m_projectNode.get(), m_projectNode->label + projectName, PROJTREE_IMAGE_PROJECT,
                                TVI_ROOT, TVI_LAST);
    m_programNode = NewNode(NODE_PROGRAM, PROJTREE_PROGRAM);
    m_program = InsertNode(m_programNode.get(), PROJTREE_PROGRAM, PROJTREE_IMAGE_PROGRAM, root, TVI_LAST);
    m_initialDataNode = NewNode(NODE_INITIAL_DATA, PROJTREE_INITIAL_DATA);
    m_initialDataItem = InsertNode(m_initialDataNode.get(), PROJTREE_INITIAL_DATA, PROJTREE_IMAGE_INITIAL_DATA,
                                   m_program, TVI_FIRST);
    HTREEITEM configuration = tree.InsertItem(PROJTREE_CONFIGURATION, PROJTREE_IMAGE_CONFIGURATION,
                                              PROJTREE_IMAGE_CONFIGURATION, root);
    HTREEITEM resource =
        tree.InsertItem(PROJTREE_RESOURCE, PROJTREE_IMAGE_RESOURCE, PROJTREE_IMAGE_RESOURCE, configuration);
    m_hardwareNode = NewNode(NODE_HARDWARE, PROJTREE_HARDWARE);
    InsertNode(m_hardwareNode.get(), PROJTREE_HARDWARE, PROJTREE_IMAGE_HARDWARE, resource, TVI_LAST);
    m_globalVariableNode = NewNode(NODE_GLOBAL_VARIABLES, PROJTREE_GLOBAL_VARIABLES);
    InsertNode(m_globalVariableNode.get(), PROJTREE_GLOBAL_VARIABLES, PROJTREE_IMAGE_GLOBAL_VARIABLES, resource,
               TVI_LAST);
    tree.Expand(resource, TVE_EXPAND);
    m_statusChartNode = NewNode(NODE_STATUS_CHART, PROJTREE_STATUS_CHART);
    m_statusChartItem =
        InsertNode(m_statusChartNode.get(), PROJTREE_STATUS_CHART, PROJTREE_IMAGE_STATUS_CHART, root, TVI_LAST);
    m_communicationsNode = NewNode(NODE_COMMUNICATIONS, PROJTREE_COMMUNICATIONS);
    InsertNode(m_communicationsNode.get(), PROJTREE_COMMUNICATIONS, PROJTREE_IMAGE_COMMUNICATIONS, root, TVI_LAST);
    tree.Expand(configuration, TVE_EXPAND);
    tree.Expand(root, TVE_EXPAND);
    tree.Expand(m_program, TVE_EXPAND);
}

void CProjTreeView::FillProjectTree()
{
    if (!m_app)
        return;
    if (!CheckProjectPOUPaths(*m_app)) {
        if (m_host)
            m_host->ResetProject();
        return;
    }
    BuildProjectTree();
    CZULProject& project = m_app->Project;
    if (project.MainPresent)
        InsertPOU(&project.MainNode);
    for (const auto& [name, node] : project.POUs.SubroutineNodes)
        InsertPOU(node);
    for (const auto& [name, node] : project.POUs.InterruptNodes)
        InsertPOU(node);
    GetTreeCtrl().Expand(m_program, TVE_EXPAND);
    SortProgram();
}

void CProjTreeView::ClearProjectTree()
{
    if (GetTreeCtrl().GetCount() > 0)
        GetTreeCtrl().DeleteAllItems();
    // The handles went with the items; no item may be named after this.
    m_program = m_current = m_initialDataItem = m_statusChartItem = nullptr;
    m_projectNode.reset();
    m_programNode.reset();
    m_initialDataNode.reset();
    m_globalVariableNode.reset();
    m_statusChartNode.reset();
    m_hardwareNode.reset();
    m_communicationsNode.reset();
}

HTREEITEM CProjTreeView::InsertPOU(CProjTreeNode* node)
{
    return InsertNode(node, node->label, POUImage(node->kind, node->language), m_program, TVI_LAST);
}

void CProjTreeView::SortProgram()
{
    GetTreeCtrl().SortChildren(m_program, [](LPARAM a, LPARAM b) {
        return ComparePOUNodes(reinterpret_cast<const CProjTreeNode*>(a), reinterpret_cast<const CProjTreeNode*>(b))
               < 0;
    });
}

BOOL CProjTreeView::NewPOU(int type)
{
    if (!m_app || !m_program)
        return FALSE;
    CNewPOUPlan plan;
    std::string message;
    const NewPOUResult result = PlanNewPOU(*m_app, type, plan, message);
    if (result != NEW_POU_OK) {
        ReportNewPOUResult(result, message);
        return FALSE;
    }
    CZULProject& project = m_app->Project;
    CProjTreeNode* node = RegisterNewPOU(project, plan, m_app->DefaultPOULang);
    CZULFunc* function = nullptr;
    if (plan.kind == NODE_SUBROUTINE && m_host && project.POUs.FindSubroutineInterface(plan.name, function))
        m_host->AddCatalogueSubroutine(function);
    m_current = InsertPOU(node);
    SortProgram();
    const std::string path = POUProgramFilePath(project, *node);
    m_app->PIDVarFilePath = POUVarFilePath(project, *node);
    if (m_host && !m_host->CreatePOUDocument(path)) {
        // Without its document the POU has no files: it leaves the project again.
        WithdrawNewPOU(m_current, plan);
        m_host->SyncTabs();
        return FALSE;
    }
    if (m_host)
        m_host->SyncTabs();
    SetProjectModified(TRUE);
    return TRUE;
}

void CProjTreeView::WithdrawNewPOU(HTREEITEM item, const CNewPOUPlan& plan)
{
    DropItem(item);
    CZULProject& project = m_app->Project;
    if (plan.kind == NODE_MAIN) {
        project.MainPresent = 0;
        project.MainNode.Reset();
        return;
    }
    if (plan.kind == NODE_SUBROUTINE)
        m_host->RemoveCatalogueSubroutine(plan.name);
    // Files of that name that were there before stay.
    project.RemovePOUKeepingFiles(plan.name, plan.kind);
}

HTREEITEM CProjTreeView::SetCurrentItem(HTREEITEM item)
{
    m_current = item;
    return item;
}

CProjTreeNode* CProjTreeView::GetItemNode(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    return reinterpret_cast<CProjTreeNode*>(GetTreeCtrl().GetItemData(item));
}

HTREEITEM CProjTreeView::FindNodeItem(const CProjTreeNode* node) const
{
    return node ? FindNodeItemUnder(TVI_ROOT, node) : nullptr;
}

HTREEITEM CProjTreeView::FindNodeItemUnder(HTREEITEM parent, const CProjTreeNode* node) const
{
    const CTreeCtrl& tree = GetTreeCtrl();
    for (HTREEITEM item = tree.GetChildItem(parent); item; item = tree.GetNextSiblingItem(item)) {
        if (GetItemNode(item) == node)
            return item;
        if (HTREEITEM found = FindNodeItemUnder(item, node))
            return found;
    }
    return nullptr;
}

HTREEITEM CProjTreeView::FindPOUItem(const std::string& text) const
{
    const CTreeCtrl& tree = GetTreeCtrl();
    for (HTREEITEM item = tree.GetChildItem(m_program); item; item = tree.GetNextSiblingItem(item)) {
        if (GetItemNode(item) && tree.GetItemText(item).find(text) != std::string::npos)
            return item;
    }
    return nullptr;
}

void CProjTreeView::SetProjectItemText(const std::string& text)
{
    GetTreeCtrl().SetItemText(GetTreeCtrl().GetRootItem(), text);
}

BOOL CProjTreeView::IsPOUDocumentOpen(const CProjTreeNode& node) const
{
    if (!m_host)
        return FALSE;
    return ::IsPOUDocumentOpen(m_host->GetDocumentTitles(), node.name);
}

CProjTreeNode* CProjTreeView::CurrentPOUNode() const
{
    CProjTreeNode* node = GetItemNode(m_current);
    return node && IsPOUKind(node->kind) ? node : nullptr;
}

void CProjTreeView::OpenTreeNode(HTREEITEM item)
{
    if (!item)
        return;
    // A POU view takes its node from the current item, whichever way the item was opened.
    m_current = item;
    GetTreeCtrl().SelectItem(item);
    CProjTreeNode* node = GetItemNode(item);
    if (!node || !m_app || !m_host)
        return;
    switch (node->kind) {
    case NODE_MAIN:
    case NODE_SUBROUTINE:
    case NODE_INTERRUPT:
        OpenPOU(item, *node);
        return;
    case NODE_INITIAL_DATA:
        m_host->OpenInitialDataWindow();
        return;
    case NODE_GLOBAL_VARIABLES:
        m_host->OpenGlobalVariableWindow();
        return;
    case NODE_STATUS_CHART:
        m_host->OpenStatusChartWindow();
        return;
    case NODE_HARDWARE:
        m_host->OpenHardwareWindow();
        return;
    case NODE_COMMUNICATIONS:
        OpenCommunications();
        return;
    default:
        return;
    }
}

void CProjTreeView::OpenPOU(HTREEITEM item, CProjTreeNode& node)
{
    const std::string path = POUProgramFilePath(m_app->Project, node);
    if (FileSystem::FileExists(path)) {
        m_host->OpenPOUDocument(path);
        m_host->SyncTabs();
        return;
    }
    // Only the program file is gone: the user decides, and the other files
    // stay on disk. MAIN's record stays in the project; only its item goes.
    if (ShowMessage(PROJTREE_NOTE_CAPTION, MESSAGE_POU_FILE_MISSING, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        const std::string name = node.name;
        const int kind = node.kind;
        if (kind == NODE_SUBROUTINE)
            m_host->RemoveCatalogueSubroutine(name);
        DropItem(item);
        m_app->Project.RemovePOUKeepingFiles(name, kind);
        SetProjectModified(TRUE);
    }
    m_host->SyncTabs();
}

void CProjTreeView::OpenCommunications()
{
    if (m_app->MonitorPause || m_app->Monitoring)
        return;
    if (!m_app->PortLock.Lock(kPortLockWaitMs))
        return;
    m_app->PortLock.Unlock();
    m_host->ShowCommunicationsDialog();
}

void CProjTreeView::DropItem(HTREEITEM item)
{
    if (m_current == item)
        m_current = nullptr;
    GetTreeCtrl().DeleteItem(item);
}

void CProjTreeView::DeletePOUItem(HTREEITEM item)
{
    CProjTreeNode* node = GetItemNode(item);
    if (!m_app || !node || !IsRoutineKind(node->kind))
        return;
    if (ShowMessage(PROJTREE_NOTE_CAPTION, DeletePOUQuestion(node->name), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    const std::string name = node->name;
    const int kind = node->kind;
    if (kind == NODE_SUBROUTINE && m_host)
        m_host->RemoveCatalogueSubroutine(name);
    // The item goes first: the project destroys the node it points to.
    DropItem(item);
    m_app->Project.DeletePOU(name, kind);
    SetProjectModified(TRUE);
}

void CProjTreeView::OnOpen()
{
    OpenTreeNode(m_current);
}

void CProjTreeView::OnOpenHardware()
{
    if (m_host)
        m_host->OpenHardwareWindow();
}

void CProjTreeView::OnOpenStatusChart()
{
    if (m_host)
        m_host->OpenStatusChartWindow();
}

void CProjTreeView::OnDelete()
{
    const CProjTreeNode* node = CurrentPOUNode();
    if (!node || IsPOUDocumentOpen(*node))
        return;
    DeletePOUItem(m_current);
}

void CProjTreeView::OnUpdatePOUCommand(CCmdUI* cmdUI)
{
    const CProjTreeNode* node = CurrentPOUNode();
    cmdUI->Enable(!(node && IsPOUDocumentOpen(*node)));
}

void CProjTreeView::OnRename()
{
    const CProjTreeNode* node = CurrentPOUNode();
    if (!node || IsPOUDocumentOpen(*node))
        return;
    m_renaming = TRUE;
    if (!GetTreeCtrl().EditLabel(m_current)) {
        m_renaming = FALSE;
        return;
    }
    // The edit shows the POU's name, not its label.
    auto* edit = qobject_cast<QLineEdit*>(GetTreeCtrl().Tree()->itemWidget(m_current, 0));
    if (!edit)
        return;
    edit->setText(ToQString(node->name));
    edit->selectAll();
}

void CProjTreeView::OnEndLabelEdit(HTREEITEM item, const char* text)
{
    m_renaming = FALSE;
    CProjTreeNode* node = GetItemNode(item);
    if (!m_app || !node || !IsPOUKind(node->kind) || !text)
        return;
    RenamePOUInPlace(*m_app, *node, text, *this);
}

BOOL CProjTreeView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->code != TVN_ENDLABELEDIT)
        return CTreeView::OnNotify(wParam, lParam, result);
    const auto* info = reinterpret_cast<const NMTVDISPINFO*>(lParam);
    // Labels are edited only through Rename; the handler sets the item's text itself.
    if (m_renaming)
        OnEndLabelEdit(info->item, info->pszText);
    if (result)
        *result = 0;
    return TRUE;
}

void CProjTreeView::OnProperty()
{
    CProjTreeNode* node = CurrentPOUNode();
    if (!m_app || !node || IsPOUDocumentOpen(*node))
        return;
    CPOUPropertyDlg dialog(m_app->Project, node, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ApplyPOUProperty(*m_app, *node, dialog.GetName(), dialog.GetAuthor(), dialog.GetComment(), *this);
}

void CProjTreeView::OnNewSubroutine()
{
    NewPOU(NEW_POU_SUBROUTINE);
}

void CProjTreeView::OnNewInterrupt()
{
    NewPOU(NEW_POU_INTERRUPT);
}

void CProjTreeView::OnOpenAllPrograms()
{
    if (m_host)
        m_host->OpenAllPrograms();
}

void CProjTreeView::OnCloseAll()
{
    if (m_host)
        m_host->CloseAllWindows();
}

void CProjTreeView::SetPOUItemText(const CProjTreeNode& node, const std::string& label)
{
    if (HTREEITEM item = FindNodeItem(&node))
        GetTreeCtrl().SetItemText(item, label);
}

void CProjTreeView::RenameCatalogueSubroutine(const std::string& oldName, const std::string& newName)
{
    if (m_host)
        m_host->RenameCatalogueSubroutine(oldName, newName);
}

void CProjTreeView::OnLButtonDown(UINT flags, CPoint point)
{
    CTreeView::OnLButtonDown(flags, point);
    m_current = GetTreeCtrl().HitTest(point);
    if (m_current)
        GetTreeCtrl().SelectItem(m_current);
}

void CProjTreeView::OnLButtonDblClk(UINT flags, CPoint point)
{
    CTreeView::OnLButtonDblClk(flags, point);
    m_current = GetTreeCtrl().HitTest(point);
    OpenTreeNode(m_current);
}

void CProjTreeView::OnRButtonDown(UINT flags, CPoint point)
{
    OnLButtonDown(flags, point);
    if (!m_app || m_app->Monitoring || !m_current)
        return;
    const CProjTreeNode* node = GetItemNode(m_current);
    if (!node || !m_host)
        return;
    const CProjTreeKindDef* def = FindProjTreeKind(node->kind);
    if (!def)
        return;
    CPoint screen = point;
    ClientToScreen(&screen);
    // The project's menu holds project commands, which the main frame carries out.
    CWnd* target = node->kind == NODE_PROJECT ? nullptr : this;
    m_host->ShowContextMenu(static_cast<int>(def->menu), screen.x, screen.y, target);
}

void CProjTreeView::OnContextMenu(CWnd*, CPoint)
{
    // The menus open on the button press; the release's context menu stops here.
}

void CProjTreeView::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    CTreeView::OnKeyDown(ch, repeat, flags);
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM selected = tree.GetSelectedItem();
    if (ch == VK_DELETE) {
        const CProjTreeNode* node = GetItemNode(selected);
        if (node && IsRoutineKind(node->kind) && !IsPOUDocumentOpen(*node))
            DeletePOUItem(selected);
        return;
    }
    if (ch == VK_RETURN) {
        OpenTreeNode(selected);
        return;
    }
    if (ch == VK_F1)
        OpenHelpTopic(selected ? ProjTreeHelpTopic(tree.GetItemText(selected)) : std::string());
}
