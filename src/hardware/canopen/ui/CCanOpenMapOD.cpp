#include "CCanOpenMapOD.h"

#include "CCanOpenNetwork.h"
#include "CanOpenContextMenu.h"
#include "CanOpenGridColumns.h"
#include "CanOpenTreeSearch.h"
#include "CanOpenUiTexts.h"
#include "hardware/canopen/CCanOpenODTree.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "hardware/ui/CpuPageControls.h"
#include "model/CZULAppData.h"
#include "model/OpenHelpTopic.h"
#include "platform/ByteString.h"
#include "platform/ui/CCPCellCtrl.h"
#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/QtText.h"
#include "platform/ui/WinMessages.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTableView>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

IMPLEMENT_DYNAMIC(CCanOpenMapOD, CPropertyPage)

namespace {

constexpr UINT kPdoEditorBase = 5100;
constexpr UINT kMapEditorId = 5200;
// The widest text of each PDO column: name, COB-ID, type, event and inhibit time.
constexpr const char* kPdoWidestTexts[] = {"TPDO 8", "16#57F", "255", "65535", "65535"};
// The keys that would move the tree's selection; slaves are picked by mouse only.
constexpr UINT kIgnoredTreeKeys[] = {VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};

CRect ToCRect(const QRect& place)
{
    return CRect(place.left(), place.top(), place.right() + 1, place.bottom() + 1);
}

QPushButton* Button(QWidget* parent, UINT id, const char* text, const QRect& place)
{
    auto* button = new QPushButton(ToQString(text), parent);
    button->setObjectName(QString::number(id));
    button->setGeometry(place);
    return button;
}

void InsertTreeItems(CTreeCtrl& tree, const CODTreeItem& item, HTREEITEM parent)
{
    HTREEITEM inserted = tree.InsertItem(item.text, item.image, item.selectedImage, parent);
    for (const CODTreeItem& child : item.children)
        InsertTreeItems(tree, child, inserted);
}

// The slave number of a slave item ("从站3 - PRL120"); 0 for other items.
int SlaveNumberOf(const std::string& text)
{
    if (!ByteString::StartsWith(text, kSlaveItemPrefix))
        return 0;
    return std::atoi(text.c_str() + std::string(kSlaveItemPrefix).size());
}

bool IsSelfOrAncestor(const QTreeWidgetItem* item, const QTreeWidgetItem* of)
{
    for (const QTreeWidgetItem* line = of; line; line = line->parent())
        if (line == item)
            return true;
    return false;
}

// A left-button release on the grid's cells, handled by the grid first: the
// whole focus row is then selected unless the active column has an editor.
bool SelectFocusRowOnRelease(CCPGridCtrl& grid, QObject* watched, QEvent* event)
{
    QWidget* cells = grid.GetTableView()->viewport();
    if (watched != cells || event->type() != QEvent::MouseButtonRelease
        || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return false;
    QPointer<CCPGridCtrl> alive(&grid);
    cells->removeEventFilter(&grid);
    QCoreApplication::sendEvent(cells, event);
    if (!alive)
        return true;
    cells->installEventFilter(&grid);
    const CCPGridCore& core = grid.GetCore();
    const CCPGridColumn* active = core.GetColumn(core.GetActiveCol());
    if (!active || active->kind == CCPCellCtrl::KIND_DISPLAY)
        grid.SetSelectRange(0, core.GetGridColCount() - 1, core.GetActiveRow(), core.GetActiveRow());
    return true;
}

} // namespace

CCanOpenPdoGridCtrl::CCanOpenPdoGridCtrl(CCanOpenPdoTable& table, std::function<void(int, int)> selectPdo,
                                         QWidget* parent)
    : CCPGridCtrl(parent), m_table(table), m_selectPdo(std::move(selectPdo))
{
    for (int column = 0; column < m_table.ColumnCount(); ++column) {
        AddCol(FitColumnWidth(*this, CCanOpenPdoTable::ColumnWidth(column), CCanOpenPdoTable::ColumnHeader(column),
                              kPdoWidestTexts[column]),
               CCanOpenPdoTable::ColumnHeader(column));
        const int kind = column == PDO_COL_TYPE ? CCPCellCtrl::KIND_DROPDOWN
                         : m_table.IsEditableColumn(column) ? CCPCellCtrl::KIND_EDIT
                                                            : CCPCellCtrl::KIND_DISPLAY;
        DefineColCtrl(column, kind, 0, kPdoEditorBase + UINT(column));
    }
    SetGridRowCount(CANOPEN_PDOS, TRUE);
    GetTableView()->viewport()->installEventFilter(this);
}

bool CCanOpenPdoGridCtrl::eventFilter(QObject* watched, QEvent* event)
{
    return SelectFocusRowOnRelease(*this, watched, event) || CCPGridCtrl::eventFilter(watched, event);
}

BOOL CCanOpenPdoGridCtrl::GetCellText(int column, int row, std::string& text, BYTE& mark)
{
    text = m_table.GetCellText(column, row);
    mark = GRID_MARK_PLAIN;
    return TRUE;
}

void CCanOpenPdoGridCtrl::OnSaveCellData(int column, int row, const std::string& text)
{
    m_table.OnSaveCellData(column, row, text);
}

void CCanOpenPdoGridCtrl::CreateCellCtrl(UINT id, CCPCellCtrl& control)
{
    if (id != kPdoEditorBase + PDO_COL_TYPE)
        return;
    control.ResetContent();
    for (const std::string& entry : CCanOpenPdoTable::TypeEntries())
        control.AddString(entry);
}

void CCanOpenPdoGridCtrl::SelectFirstCell()
{
    // Only the look changes: the PDO the mapping grid shows stays.
    m_selectingFirstCell = true;
    const int row = GetCore().GetActiveRow();
    SetActiveCell(0, row);
    SetSelectRange(0, 0, row, row);
    m_selectingFirstCell = false;
}

void CCanOpenPdoGridCtrl::OnSetActiveCell(int, int row)
{
    if (!m_selectingFirstCell && row >= 0 && row < CANOPEN_PDOS && m_table.Row(row).pdo >= 0)
        m_selectPdo(m_table.Row(row).pdo, m_table.List());
}

CCanOpenMapGridCtrl::CCanOpenMapGridCtrl(CCanOpenMapODModel& model, QWidget* parent)
    : CCPGridCtrl(parent), m_model(model)
{
    for (int column = 0; column < MAP_GRID_COLUMNS; ++column) {
        AddCol(CCanOpenMapODModel::MapColumnWidth(column), CCanOpenMapODModel::MapColumnHeader(column));
        DefineColCtrl(column, column == MAP_COL_MEMORY ? CCPCellCtrl::KIND_EDIT : CCPCellCtrl::KIND_DISPLAY, 0,
                      kMapEditorId + UINT(column));
    }
    SetGridRowCount(CANOPEN_PDO_ROWS, TRUE);
    GetTableView()->viewport()->installEventFilter(this);
}

bool CCanOpenMapGridCtrl::eventFilter(QObject* watched, QEvent* event)
{
    return SelectFocusRowOnRelease(*this, watched, event) || CCPGridCtrl::eventFilter(watched, event);
}

BOOL CCanOpenMapGridCtrl::GetCellText(int column, int row, std::string& text, BYTE& mark)
{
    text = m_model.GetMapCellText(column, row);
    mark = GRID_MARK_PLAIN;
    return TRUE;
}

void CCanOpenMapGridCtrl::OnSaveCellData(int column, int row, const std::string& text)
{
    m_model.OnSaveMapCell(column, row, text);
}

CCanOpenMapOD::CCanOpenMapOD(CZULAppData& app, CCanOpenNetwork& network)
    : CPropertyPage(IDD_CANOPEN_MAP_PAGE, kMapPageCaption),
      m_app(app),
      m_network(network),
      m_model(network.Model().SlaveGrid())
{
    using Cmd = CCmdEntry<CCanOpenMapOD>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_CANOPEN_ADD_OD, &CCanOpenMapOD::OnAddMappedObject),
        Cmd::Command(ID_CANOPEN_DELETE_OD, &CCanOpenMapOD::OnDeleteMappedObject),
    };
    AddCommandTable(kCommands);
}

BOOL CCanOpenMapOD::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CpuPageControls::Group(this, kAddedSlavesGroup, 2, 7, 150, 238);
    CpuPageControls::Group(this, kPdoMappingGroup, 155, 7, 343, 238);
    connect(Button(this, IDC_MAP_ADD_OBJECT, kAddObjectButton, DialogRect(13, 19, 32, 13)), &QPushButton::clicked,
            this, [this] { OnAddMappedObject(); });
    connect(Button(this, IDC_MAP_DELETE_OBJECT, kDeleteButton, DialogRect(165, 127, 32, 13)), &QPushButton::clicked,
            this, [this] { OnDeleteMappedObject(); });
    connect(Button(this, IDC_MAP_SAVE, kSaveButton, DialogRect(408, 249, 32, 13)), &QPushButton::clicked, this,
            [this] { StoreCurrentSlave(); });
    connect(Button(this, IDC_MAP_HELP, kHelpButton, DialogRect(448, 249, 32, 13)), &QPushButton::clicked, this,
            [] { OpenHelpTopic(kMapPageCaption); });

    m_transmitLabel = CpuPageControls::Label(this, "", 164, 18, 164, 9, IDC_MAP_TRANSMIT_LABEL);
    m_receiveLabel = CpuPageControls::Label(this, "", 353, 18, 139, 9, IDC_MAP_RECEIVE_LABEL);
    m_mapLabel = CpuPageControls::Label(this, "", 200, 129, 166, 9, IDC_MAP_MAPPING_LABEL);
    m_tree = new CTreeCtrl;
    m_tree->Create(this, ToCRect(DialogRect(4, 36, 146, 207)), 2000,
                   WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    connect(m_tree->Tree(), &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { OnTreeItemClicked(item); });
    connect(m_tree->Tree(), &QTreeWidget::itemDoubleClicked, this, [this] { OnAddMappedObject(); });
    auto select = [this](int pdo, int list) { OnSelectPdo(pdo, list); };
    m_transmitGrid = new CCanOpenPdoGridCtrl(m_model.TransmitTable(), select, this);
    m_transmitGrid->setObjectName(QString::number(IDC_MAP_TRANSMIT_GRID));
    m_transmitGrid->setGeometry(DialogRect(159, 27, 185, 94));
    m_receiveGrid = new CCanOpenPdoGridCtrl(m_model.ReceiveTable(), select, this);
    m_receiveGrid->setObjectName(QString::number(IDC_MAP_RECEIVE_GRID));
    m_receiveGrid->setGeometry(DialogRect(347, 27, 148, 94));
    m_mapGrid = new CCanOpenMapGridCtrl(m_model, this);
    m_mapGrid->setObjectName(QString::number(IDC_MAP_MAPPING_GRID));
    m_mapGrid->setGeometry(DialogRect(160, 141, 335, 102));
    m_tree->Tree()->viewport()->installEventFilter(this);
    m_mapGrid->GetTableView()->viewport()->installEventFilter(this);
    // The page is already on screen: its new controls must be shown.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->show();
    BuildODTree();
    ShowLabels();
    m_transmitGrid->SelectFirstCell();
    m_receiveGrid->SelectFirstCell();
    m_model.SetInitialised(true);
    return TRUE;
}

void CCanOpenMapOD::BuildODTree()
{
    m_openItem = nullptr;
    m_tree->DeleteAllItems();
    InsertTreeItems(*m_tree, CCanOpenODTree::BuildODTree(m_network.Model().SlaveGrid(), m_app), TVI_ROOT);
    m_tree->Expand(m_tree->GetRootItem(), TVE_EXPAND);
}

void CCanOpenMapOD::ShowLabels()
{
    m_transmitLabel->setText(ToQString(m_model.TransmitLabel()));
    m_receiveLabel->setText(ToQString(m_model.ReceiveLabel()));
    m_mapLabel->setText(ToQString(m_model.MapLabel()));
}

void CCanOpenMapOD::RepaintGrids()
{
    ShowLabels();
    m_transmitGrid->RefreshCells();
    m_receiveGrid->RefreshCells();
    m_mapGrid->RefreshCells();
}

QTreeWidgetItem* CCanOpenMapOD::FindTreeItem(const std::string& text) const
{
    return FindTreeItemByText(m_tree, text);
}

// A changed network shows its new node numbers; no slave is current then.
void CCanOpenMapOD::OnSetActive()
{
    SetFocus();
    if (!m_network.Model().IsRebuildNeeded() || !m_tree)
        return;
    m_network.Model().SetRebuildNeeded(FALSE);
    m_model.Clear();
    BuildODTree();
    RepaintGrids();
}

void CCanOpenMapOD::OnKillActive()
{
    SetFocus();
    StoreCurrentSlave();
}

BOOL CCanOpenMapOD::StoreCurrentSlave()
{
    return m_model.StoreCurrentSlave();
}

void CCanOpenMapOD::OnTreeItemClicked(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const int node = SlaveNumberOf(FromQString(item->text(0)));
    if (node >= 1 && node <= CANOPEN_SLAVES && node != m_model.CurrentSlave()) {
        m_model.SelectSlave(node);
        RepaintGrids();
        m_receiveGrid->SelectFirstCell();
    }
    ExpandOnly(item);
}

void CCanOpenMapOD::ExpandOnly(QTreeWidgetItem* item)
{
    for (QTreeWidgetItem* open = m_openItem; open && !IsSelfOrAncestor(open, item); open = open->parent())
        open->setExpanded(false);
    item->setExpanded(true);
    m_openItem = item;
}

void CCanOpenMapOD::OnSelectPdo(int pdo, int list)
{
    if (m_model.OnSelectPdo(pdo, list)) {
        CCanOpenPdoGridCtrl* clicked = list == PDO_LIST_TRANSMIT ? m_transmitGrid : m_receiveGrid;
        CCanOpenPdoGridCtrl* other = clicked == m_transmitGrid ? m_receiveGrid : m_transmitGrid;
        other->SelectFirstCell();
        clicked->setFocus();
    }
    ShowLabels();
    m_mapGrid->RefreshCells();
}

CCanOpenPdoMapping CCanOpenMapOD::Mapping()
{
    CCanOpenPdoMapping mapping(m_network.Model().SlaveGrid(), m_app);
    const int node = m_model.CurrentSlave();
    const CCanOpenPdoRow& row = (m_model.ShownList() == PDO_LIST_RECEIVE ? m_model.ReceiveTable()
                                                                          : m_model.TransmitTable())
                                    .Row(m_model.ShownPdo());
    mapping.ShowPdo(node == NO_SLAVE ? -1 : node - 1, m_model.ShownList(), m_model.ShownPdo(), row.cobId);
    return mapping;
}

void CCanOpenMapOD::OnAddMappedObject()
{
    HTREEITEM selected = m_tree->GetSelectedItem();
    if (!selected || m_model.CurrentSlave() == NO_SLAVE)
        return;
    // The walk up from the clicked item, as the mapping commands read it.
    std::vector<std::unique_ptr<CMapTreeItem>> chain;
    for (HTREEITEM item = selected; item; item = m_tree->GetParentItem(item)) {
        auto node = std::make_unique<CMapTreeItem>();
        node->text = m_tree->GetItemText(item);
        node->hasChildren = m_tree->ItemHasChildren(item) != FALSE;
        if (!chain.empty())
            chain.back()->parent = node.get();
        chain.push_back(std::move(node));
    }
    StoreCurrentSlave();
    if (Mapping().OnAddMappedObject(*chain.front()))
        m_model.ReloadMapGrid();
    m_mapGrid->RefreshCells();
}

void CCanOpenMapOD::OnDeleteMappedObject()
{
    if (m_model.CurrentSlave() == NO_SLAVE)
        return;
    StoreCurrentSlave();
    if (Mapping().OnDeleteMappedObject(m_mapGrid->FocusRow()))
        m_model.ReloadMapGrid();
    m_mapGrid->RefreshCells();
}

bool CCanOpenMapOD::eventFilter(QObject* watched, QEvent* event)
{
    QPoint at;
    QPoint screen;
    if (!GetRightPress(*event, at, screen))
        return CPropertyPage::eventFilter(watched, event);
    if (m_tree && watched == m_tree->Tree()->viewport())
        return OnTreeRightPress(at, screen);
    // A mapping row under the cursor becomes the focus row and offers its menu.
    if (m_mapGrid && watched == m_mapGrid->GetTableView()->viewport())
        return ShowGridCellContextMenu(*this, *m_mapGrid, IDR_CANOPEN_MAPPED_MENU, at, screen);
    return CPropertyPage::eventFilter(watched, event);
}

// The item under the cursor is selected: a branch as a left click takes
// it, an object offers its menu.
bool CCanOpenMapOD::OnTreeRightPress(const QPoint& at, const QPoint& screen)
{
    QTreeWidgetItem* item = m_tree->Tree()->itemAt(at);
    if (!item)
        return true;
    m_tree->SelectItem(item);
    if (item->childCount() > 0) {
        OnTreeItemClicked(item);
        return true;
    }
    ExpandOnly(item);
    ShowCanOpenContextMenu(*this, IDR_CANOPEN_OD_TREE_MENU, screen);
    return true;
}

BOOL CCanOpenMapOD::PreTranslateMessage(MSG* msg)
{
    const bool inTree = m_tree && msg->hwnd == m_tree && msg->message == WM_KEYDOWN;
    if (inTree && std::ranges::find(kIgnoredTreeKeys, UINT(msg->wParam)) != std::end(kIgnoredTreeKeys))
        return TRUE;
    return CPropertyPage::PreTranslateMessage(msg);
}

// F1: the main window must not open its own help as well.
void CCanOpenMapOD::OnHelp()
{
    OpenHelpTopic(kMapPageCaption);
    m_app.HelpShownByPage = 1;
}
