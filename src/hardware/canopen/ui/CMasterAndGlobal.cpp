#include "CMasterAndGlobal.h"

#include "CanOpenUiTexts.h"
#include "hardware/ui/CpuPageControls.h"
#include "model/OpenHelpTopic.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

IMPLEMENT_DYNAMIC(CMasterAndGlobal, CPropertyPage)

namespace {

QPushButton* Button(QWidget* parent, const char* text, UINT id, int x, int y)
{
    constexpr int kWidth = 50;
    constexpr int kHeight = 14;
    auto* button = new QPushButton(ToQString(text), parent);
    button->setGeometry(DialogRect(x, y, kWidth, kHeight));
    button->setObjectName(QString::number(id));
    return button;
}

// The number fields take digits only.
QLineEdit* NumberField(QWidget* parent, UINT id, int x, int y, int cx)
{
    QLineEdit* field = CpuPageControls::Field(parent, id, x, y, cx);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
    return field;
}

QString FieldText(const QLineEdit* field)
{
    return field->text().trimmed();
}

} // namespace

CMasterAndGlobal::CMasterAndGlobal(CZULProject& project)
    : CPropertyPage(IDD_CANOPEN_MASTER_PAGE, kMasterPageCaption), m_model(project)
{
    m_model.SetBringToFront([this] { BringToFront(); });
}

// This page in front of its sheet, and every page that holds that sheet in
// front of its own, out to the CPU's sheet.
void CMasterAndGlobal::BringToFront()
{
    for (QWidget* window = this; window; window = window->parentWidget()) {
        auto* page = dynamic_cast<CPropertyPage*>(window);
        if (page && page->GetSheet())
            page->GetSheet()->SetActivePage(page);
    }
}

void CMasterAndGlobal::BuildControls()
{
    using namespace CpuPageControls;
    Group(this, kGlobalGroup, 14, 12, 220, 60);
    Label(this, kBaudRateLabel, 26, 30, 50, 10);
    m_baud = DropList(this, IDC_CANOPEN_BAUD, 90, 28, 80);
    Label(this, kSdoTimeoutLabel, 26, 50, 50, 10);
    m_overTime = NumberField(this, IDC_CANOPEN_SDO_TIMEOUT, 90, 48, 80);
    Label(this, "ms", 175, 50, 20, 10);

    Group(this, kMasterGroup, 250, 12, 220, 60);
    Label(this, kMasterAddressLabel, 262, 30, 50, 10);
    m_masterAddress = NumberField(this, IDC_CANOPEN_MASTER_ADDRESS, 330, 28, 60);
    m_masterAddress->setEnabled(false);
    m_configureAtStart = CheckBox(this, kConfigureAtStartBox, IDC_CANOPEN_CONFIGURE_AT_START, 262, 50, 120);

    Group(this, kStatusGroup, 14, 84, 456, 72);
    Label(this, kMasterStatusLabel, 26, 102, 60, 10);
    Label(this, "%VB", 90, 102, 20, 10);
    m_masterStates = NumberField(this, IDC_CANOPEN_MASTER_STATUS, 112, 100, 60);
    Label(this, kOneByte, 180, 102, 50, 10);
    Label(this, kSlavesStatusLabel, 26, 124, 60, 10);
    Label(this, "%VD", 90, 124, 20, 10);
    m_allSlaveStates = NumberField(this, IDC_CANOPEN_SLAVES_STATUS, 112, 122, 60);
    Label(this, kSlavesBytes, 180, 124, 50, 10);
    m_netStates = NumberField(this, IDC_CANOPEN_NET_STATUS, 250, 100, 60);

    QPushButton* save = Button(this, kSaveButton, IDC_CANOPEN_MASTER_SAVE, 360, 240);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, [this] { ApplyMasterSettings(); });
    QPushButton* help = Button(this, kHelpButton, IDC_CANOPEN_MASTER_HELP, 420, 240);
    connect(help, &QPushButton::clicked, this, [this] { OnHelp(); });
    // The page is already on screen: its new controls must be shown.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->show();
    // The network status start is kept but not offered.
    m_netStates->setVisible(false);
    m_netStates->setEnabled(false);
}

BOOL CMasterAndGlobal::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    BuildControls();
    m_model.OnInitDialog();
    CpuPageControls::FillList(m_baud, CMasterAndGlobalModel::BaudRateItems(), m_model.baudSelection);
    ShowValues();
    return TRUE;
}

void CMasterAndGlobal::ReadControls()
{
    m_model.allSlaveStatesText = FromQString(FieldText(m_allSlaveStates));
    m_model.masterAddressText = FromQString(FieldText(m_masterAddress));
    m_model.masterStatesText = FromQString(FieldText(m_masterStates));
    m_model.netStatesText = FromQString(FieldText(m_netStates));
    m_model.overTimeText = FromQString(FieldText(m_overTime));
    m_model.configureAtStart = m_configureAtStart->isChecked() ? TRUE : FALSE;
    m_model.baudSelection = m_baud->currentIndex();
}

void CMasterAndGlobal::ShowValues()
{
    m_allSlaveStates->setText(ToQString(m_model.allSlaveStatesText));
    m_masterAddress->setText(ToQString(m_model.masterAddressText));
    m_masterStates->setText(ToQString(m_model.masterStatesText));
    m_netStates->setText(ToQString(m_model.netStatesText));
    m_overTime->setText(ToQString(m_model.overTimeText));
    m_configureAtStart->setChecked(m_model.configureAtStart != FALSE);
}

BOOL CMasterAndGlobal::ApplyMasterSettings()
{
    if (!m_model.IsInitialised())
        return TRUE;
    ReadControls();
    const BOOL stored = m_model.ApplyMasterSettings();
    ShowValues();
    return stored;
}

void CMasterAndGlobal::OnHelp()
{
    OpenHelpTopic(kMasterPageCaption);
}
