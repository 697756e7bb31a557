#include "CCanOpenNetwork.h"

#include "CCanOpenBootDlg.h"
#include "CCanOpenKindDlg.h"
#include "CCanOpenSlaveList.h"
#include "CanOpenContextMenu.h"
#include "CanOpenTreeSearch.h"
#include "CanOpenUiTexts.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "hardware/ui/CpuPageControls.h"
#include "model/CCanOpenSlaveType.h"
#include "model/CZULAppData.h"
#include "model/OpenHelpTopic.h"
#include "platform/ByteString.h"
#include "platform/CPathProvider.h"
#include "platform/IMessageBox.h"
#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/QtText.h"

#include <QFileDialog>
#include <QTableView>
#include <QPushButton>
#include <QTreeWidget>

#include <utility>

IMPLEMENT_DYNAMIC(CCanOpenNetwork, CPropertyPage)

namespace {

// Images of the type tree's items.
constexpr int kRootImage = 13;
constexpr int kCategoryImage = 6;
constexpr int kCategorySelectedImage = 1;
constexpr int kTypeImage = 12;

struct CNetworkButton {
    UINT id;
    const char* text;
    int x;
    int width;
};

constexpr int kButtonY = 19;
constexpr int kButtonHeight = 13;
constexpr CNetworkButton kButtons[] = {
    {IDC_NETWORK_IMPORT_EDS, kImportEdsButton, 15, 32}, {IDC_NETWORK_DELETE_TYPE, kDeleteButton, 56, 32},
    {IDC_NETWORK_MOVE_UP, kMoveUpButton, 160, 32},      {IDC_NETWORK_MOVE_DOWN, kMoveDownButton, 201, 32},
    {IDC_NETWORK_DELETE_SLAVE, kDeleteButton, 242, 32}, {IDC_NETWORK_BOOT, kBootButton, 283, 36},
};

QPushButton* Button(QWidget* parent, UINT id, const char* text, const QRect& place)
{
    auto* button = new QPushButton(ToQString(text), parent);
    button->setObjectName(QString::number(id));
    button->setGeometry(place);
    return button;
}

CRect ToCRect(const QRect& place)
{
    return CRect(place.left(), place.top(), place.right() + 1, place.bottom() + 1);
}

} // namespace

CCanOpenNetwork::CCanOpenNetwork(CZULAppData& app, std::string userCanOpenFolder)
    : CPropertyPage(IDD_CANOPEN_NETWORK_PAGE, kNetworkPageCaption),
      m_app(app),
      m_model(app, userCanOpenFolder),
      m_import(app, *this, std::move(userCanOpenFolder))
{
    using Cmd = CCmdEntry<CCanOpenNetwork>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_CANOPEN_ADD_SLAVE, &CCanOpenNetwork::AddSlaveToNetwork),
        Cmd::Command(ID_CANOPEN_DELETE_TYPE, &CCanOpenNetwork::OnDeleteSlaveType),
        Cmd::Command(ID_CANOPEN_SLAVE_UP, &CCanOpenNetwork::OnMoveSlaveUp),
        Cmd::Command(ID_CANOPEN_SLAVE_DOWN, &CCanOpenNetwork::OnMoveSlaveDown),
        Cmd::Command(ID_CANOPEN_DELETE_SLAVE, &CCanOpenNetwork::OnDeleteSlave),
        Cmd::Command(ID_CANOPEN_BOOT, &CCanOpenNetwork::OnBootProcedure),
    };
    AddCommandTable(kCommands);
}

CCanOpenNetwork::~CCanOpenNetwork() = default;

void CCanOpenNetwork::BuildControls()
{
    CpuPageControls::Group(this, kSlaveTypesGroup, 8, 7, 139, 238);
    CpuPageControls::Group(this, kSlaveListGroup, 152, 7, 339, 238);
    void (CCanOpenNetwork::*const commands[])() = {&CCanOpenNetwork::OnImportEds,    &CCanOpenNetwork::OnDeleteSlaveType,
                                                   &CCanOpenNetwork::OnMoveSlaveUp,  &CCanOpenNetwork::OnMoveSlaveDown,
                                                   &CCanOpenNetwork::OnDeleteSlave,  &CCanOpenNetwork::OnBootProcedure};
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const CNetworkButton& item = kButtons[i];
        QPushButton* button = Button(this, item.id, item.text, DialogRect(item.x, kButtonY, item.width, kButtonHeight));
        connect(button, &QPushButton::clicked, this, [this, command = commands[i]] { (this->*command)(); });
    }
    QPushButton* save = Button(this, IDC_NETWORK_SAVE, "\xB1\xA3\xB4\xE6", DialogRect(408, 249, 32, 13));
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, [this] { SaveToProject(); });
    QPushButton* help = Button(this, IDC_NETWORK_HELP, "\xB0\xEF\xD6\xFA", DialogRect(448, 249, 32, 13));
    connect(help, &QPushButton::clicked, this, [this] { OpenHelp(); });

    m_tree = new CTreeCtrl;
    m_tree->Create(this, ToCRect(DialogRect(10, 36, 135, 207)), IDC_NETWORK_TYPE_TREE,
                   WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS);
    connect(m_tree->Tree(), &QTreeWidget::itemDoubleClicked, this, [this] { AddSlaveToNetwork(); });

    m_list = new CCanOpenSlaveList(m_model.SlaveGrid(), this);
    m_list->setObjectName(QString::number(IDC_NETWORK_SLAVE_LIST));
    m_list->setGeometry(DialogRect(154, 36, 336, 207));
    m_tree->Tree()->viewport()->installEventFilter(this);
    m_list->GetTableView()->viewport()->installEventFilter(this);
    // The page is already on screen: its new controls must be shown.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->show();
}

QTreeWidgetItem* CCanOpenNetwork::BranchItem(const std::string& category) const
{
    switch (CCanOpenNetworkModel::BranchOf(category)) {
    case SLAVE_BRANCH_IO:
        return m_ioItem;
    case SLAVE_BRANCH_DRIVE:
        return m_driveItem;
    default:
        return m_rootItem;
    }
}

void CCanOpenNetwork::BuildTypeTree()
{
    m_rootItem = m_tree->InsertItem(kAllSlaveTypesItem, kRootImage, kRootImage);
    m_ioItem = m_tree->InsertItem(kIoCategoryItem, kCategoryImage, kCategorySelectedImage, m_rootItem);
    m_driveItem = m_tree->InsertItem(kDriveCategoryItem, kCategoryImage, kCategorySelectedImage, m_rootItem);
    for (int position = 0; position < m_app.GetSlaveTypeCount(); ++position) {
        const CCanOpenSlaveType* type = m_app.GetSlaveType(position);
        m_tree->InsertItem(type->name, kTypeImage, kTypeImage, BranchItem(type->category));
    }
    m_tree->Expand(m_rootItem, TVE_EXPAND);
    m_tree->Expand(m_driveItem, TVE_EXPAND);
}

BOOL CCanOpenNetwork::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    BuildControls();
    BuildTypeTree();
    m_list->SetFocusCell(0, 0);
    m_model.SetInitialised(true);
    return TRUE;
}

void CCanOpenNetwork::OnDestroy()
{
    m_model.SetInitialised(false);
    CPropertyPage::OnDestroy();
}

void CCanOpenNetwork::OnSetActive()
{
    SetFocus();
}

void CCanOpenNetwork::OnKillActive()
{
    SetFocus();
}

QTreeWidgetItem* CCanOpenNetwork::FindTreeItem(const std::string& text) const
{
    return FindTreeItemByText(m_tree, text);
}

void CCanOpenNetwork::RepaintSlaves()
{
    m_list->RefreshCells();
}

void CCanOpenNetwork::AddSlaveToNetwork()
{
    HTREEITEM item = m_tree->GetSelectedItem();
    if (!item)
        return;
    if (m_model.AddSlaveToNetwork(m_tree->GetItemText(item)) >= 0)
        RepaintSlaves();
}

void CCanOpenNetwork::OnDeleteSlaveType()
{
    HTREEITEM item = m_tree->GetSelectedItem();
    if (!item)
        return;
    const bool isTypeItem = item != m_rootItem && item != m_ioItem && item != m_driveItem;
    if (m_model.DeleteSlaveType(m_tree->GetItemText(item), isTypeItem))
        m_tree->DeleteItem(item);
}

void CCanOpenNetwork::OnImportEds()
{
    m_import.ImportEdsFile();
}

void CCanOpenNetwork::OnMoveSlaveUp()
{
    m_model.MoveSlaveUp();
    RepaintSlaves();
}

void CCanOpenNetwork::OnMoveSlaveDown()
{
    m_model.MoveSlaveDown();
    RepaintSlaves();
}

void CCanOpenNetwork::OnDeleteSlave()
{
    m_model.DeleteSlave();
    RepaintSlaves();
}

void CCanOpenNetwork::OnBootProcedure()
{
    const int slot = m_model.FocusSlave();
    if (slot < 0)
        return;
    CCanOpenBootDlg dialog(slot + 1, m_model.SlaveGrid().Slave(slot).BootProg, this);
    if (dialog.DoModal() == IDOK)
        m_model.StoreBootSteps(slot, dialog.GetSteps());
}

BOOL CCanOpenNetwork::SaveToProject()
{
    return m_model.SaveToProject();
}

// Opens in the default project folder; the path comes back with blanks trimmed.
std::string CCanOpenNetwork::ChooseEdsFile()
{
    QFileDialog dialog(this, ToQString(kImportEdsTitle), ToQString(CPathProvider::DefaultProjectFolder()),
                       ToQString(kEdsFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(ToQString(kEdsExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return ByteString::Trim(FromQString(dialog.selectedFiles().constFirst()));
}

std::string CCanOpenNetwork::ChooseCategory()
{
    CCanOpenKindDlg dialog(this);
    dialog.DoModal();
    return dialog.GetKey();
}

void CCanOpenNetwork::InsertSlaveTypeItem(const std::string& typeName, const std::string& category)
{
    if (!m_tree)
        return;
    QTreeWidgetItem* branch = BranchItem(category);
    m_tree->InsertItem(typeName, kTypeImage, kTypeImage, branch);
    m_tree->Expand(branch, TVE_EXPAND);
}

bool CCanOpenNetwork::eventFilter(QObject* watched, QEvent* event)
{
    QPoint at;
    QPoint screen;
    if (!GetRightPress(*event, at, screen))
        return CPropertyPage::eventFilter(watched, event);
    if (m_tree && watched == m_tree->Tree()->viewport())
        return OnTreeRightPress(at, screen);
    // A data cell under the cursor becomes the focus cell and offers the slave menu.
    if (m_list && watched == m_list->GetTableView()->viewport())
        return ShowGridCellContextMenu(*this, *m_list, IDR_CANOPEN_SLAVE_MENU, at, screen);
    return CPropertyPage::eventFilter(watched, event);
}

// The item under the cursor is selected; a slave type offers its menu.
bool CCanOpenNetwork::OnTreeRightPress(const QPoint& at, const QPoint& screen)
{
    QTreeWidgetItem* item = m_tree->Tree()->itemAt(at);
    if (!item)
        return false;
    m_tree->SelectItem(item);
    if (!m_app.FindSlaveType(FromQString(item->text(0))))
        return false;
    ShowCanOpenContextMenu(*this, IDR_CANOPEN_TYPE_MENU, screen);
    return true;
}

void CCanOpenNetwork::OpenHelp()
{
    OpenHelpTopic(kNetworkPageCaption);
}

// F1: the main window must not open its own help as well.
void CCanOpenNetwork::OnHelp()
{
    OpenHelp();
    m_app.HelpShownByPage = 1;
}
