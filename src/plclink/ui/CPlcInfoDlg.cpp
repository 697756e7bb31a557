#include "CPlcInfoDlg.h"

#include "COnlineHelp.h"
#include "CColorIndicator.h"
#include "platform/ui/QtText.h"
#include "plclink/PlcInfo.h"
#include "plclink/PlcProtocol.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QLabel* NamedLabel(const char* id, QWidget* parent)
{
    QLabel* label = new QLabel(parent);
    label->setObjectName(id);
    return label;
}

} // namespace

CPlcInfoDlg::CPlcInfoDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("PLC Information");
    m_firmware = NamedLabel("1224", this);
    m_cpuType = NamedLabel("1226", this);
    m_modeLamp = new CColorIndicator("Operating Mode:", this);
    m_modeLamp->setObjectName("1211");
    m_mode = NamedLabel("1228", this);
    m_project = NamedLabel("1225", this);
    m_modules = new QTreeWidget(this);
    m_modules->setObjectName("1197");
    QPushButton* refresh = new QPushButton("&Refresh", this);
    refresh->setObjectName("1582");
    QPushButton* close = new QPushButton("Close", this);
    close->setObjectName("2");

    QFormLayout* fields = new QFormLayout;
    fields->addRow("Firmware Version:", m_firmware);
    fields->addRow("CPU Type:", m_cpuType);
    fields->addRow(m_modeLamp, m_mode);
    fields->addRow("Project:", m_project);
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(refresh);
    buttons->addWidget(close);
    buttons->addWidget(COnlineHelp::Attach(this, "1583", "PLC-xinxi"));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_modules);
    layout->addLayout(buttons);
    connect(refresh, &QPushButton::clicked, this, &CPlcInfoDlg::OnRefresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    OnInitDialog();
}

void CPlcInfoDlg::OnInitDialog()
{
    m_modules->setRootIsDecorated(false);
    m_modules->setAllColumnsShowFocus(true);
    m_modules->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_modules->setMouseTracking(true);
    m_modules->setHeaderLabels({"Position", "Module", "failure", "description"});
    m_modules->setStyleSheet("QTreeView::item { border: 1px solid #d0d0d0; }");
    SizeColumns();
    ShowPlcInfo();
}

void CPlcInfoDlg::SizeColumns()
{
    int width = m_modules->viewport()->width();
    m_modules->setColumnWidth(0, width / 9);
    m_modules->setColumnWidth(1, width / 5);
    m_modules->setColumnWidth(2, width / 9);
    m_modules->setColumnWidth(3, width * 5 / 9);
}

void CPlcInfoDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    SizeColumns();
}

void CPlcInfoDlg::ShowPlcInfo()
{
    PlcInfoView view;
    m_modules->clear();
    if (!BuildPlcInfoView(view))
        return;
    m_project->setText(ToQString(view.project));
    m_mode->setText(ToQString(view.mode));
    m_modeLamp->SetColor(view.running ? INDICATOR_GREEN : INDICATOR_RED);
    m_cpuType->setText(ToQString(view.cpuType));
    m_firmware->setText(ToQString(view.firmware));
    for (const PlcInfoModuleRow& row : view.modules) {
        QTreeWidgetItem* item = new QTreeWidgetItem(m_modules);
        item->setText(0, ToQString(row.position));
        item->setText(1, ToQString(row.module));
        item->setText(2, ToQString(row.failure));
    }
}

void CPlcInfoDlg::OnRefresh()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    int result = RefreshPlcInfo();
    QApplication::restoreOverrideCursor();
    if (result == PLC_OK)
        ShowPlcInfo();
}
