#include "CCanOpenCrossRef.h"

#include "CanOpenGridColumns.h"
#include "CanOpenUiTexts.h"
#include "hardware/canopen/CCanOpenPdoMapping.h"
#include "model/CZULAppData.h"
#include "model/OpenHelpTopic.h"
#include "platform/ui/CCPCellCtrl.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/QtText.h"

#include <QPushButton>

IMPLEMENT_DYNAMIC(CCanOpenCrossRef, CPropertyPage)

namespace {

// The widest text of the columns whose texts have a fixed format.
constexpr const char* kCrossRefWidestTexts[CROSS_REF_COLUMNS] = {"", "126", "", "TPDO8 1A07 57F", "", "", "", ""};

} // namespace

CCanOpenCrossRefGrid::CCanOpenCrossRefGrid(const CCanOpenCrossRefList& list, const CZULAppData& app, QWidget* parent)
    : CCPGridCtrl(parent), m_list(list), m_app(app)
{
    for (int column = 0; column < CROSS_REF_COLUMNS; ++column) {
        AddCol(FitColumnWidth(*this, CCanOpenCrossRefList::ColumnWidth(column),
                              CCanOpenCrossRefList::ColumnHeader(column), kCrossRefWidestTexts[column]),
               CCanOpenCrossRefList::ColumnHeader(column));
        DefineColCtrl(column, CCPCellCtrl::KIND_DISPLAY, 0, 0);
    }
    SetGridRowCount(m_list.GetGridRowCount(), TRUE);
}

BOOL CCanOpenCrossRefGrid::GetCellText(int column, int row, std::string& text, BYTE& mark)
{
    text = m_list.GetCellText(column, row, m_app.Project);
    mark = GRID_MARK_PLAIN;
    return TRUE;
}

CCanOpenCrossRef::CCanOpenCrossRef(CZULAppData& app, CCanOpenSlaveGrid& slaves)
    : CPropertyPage(IDD_CANOPEN_CROSSREF_PAGE, kCrossRefPageCaption), m_app(app), m_slaves(slaves)
{
}

BOOL CCanOpenCrossRef::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_grid = new CCanOpenCrossRefGrid(m_list, m_app, this);
    m_grid->setObjectName(QString::number(IDC_CROSSREF_GRID));
    m_grid->setGeometry(DialogRect(7, 15, 487, 229));
    auto* reassign = new QPushButton(ToQString(kReassignButton), this);
    reassign->setObjectName(QString::number(IDC_CROSSREF_REASSIGN));
    reassign->setGeometry(DialogRect(372, 249, 60, 13));
    connect(reassign, &QPushButton::clicked, this, [this] { OnReassignMemory(); });
    auto* help = new QPushButton(ToQString(kHelpButton), this);
    help->setObjectName(QString::number(IDC_CROSSREF_HELP));
    help->setGeometry(DialogRect(448, 249, 32, 13));
    connect(help, &QPushButton::clicked, this, [] { OpenHelpTopic(kCrossRefPageCaption); });
    // The page is already on screen: its new controls must be shown.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->show();
    return TRUE;
}

void CCanOpenCrossRef::RebuildList()
{
    m_list.RebuildList(m_slaves);
    if (!m_grid)
        return;
    m_grid->SetGridRowCount(m_list.GetGridRowCount(), TRUE);
    m_grid->UpdateScrollSizes();
    m_grid->RefreshCells();
}

void CCanOpenCrossRef::OnReassignMemory()
{
    CCanOpenPdoMapping mapping(m_slaves, m_app);
    mapping.OnReassignMemory();
    RebuildList();
}

void CCanOpenCrossRef::OnHelp()
{
    OpenHelpTopic(kCrossRefPageCaption);
}
