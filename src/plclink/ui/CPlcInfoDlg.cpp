#include "CPlcInfoDlg.h"

#include "COnlineHelp.h"
#include "CColorIndicator.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/QtText.h"
#include "plclink/PlcInfo.h"
#include "plclink/PlcProtocol.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr UINT kModuleListId = 1197;
const char* const kModuleColumns[] = {"Position", "Module", "failure", "description"};

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
    m_modules = new CListCtrl(this);
    m_modules->setObjectName("1197");
    m_modules->CreateInDialog(WS_BORDER | LVS_REPORT | LVS_SINGLESEL, kModuleListId);
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
    m_modules->SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT | LVS_EX_GRIDLINES);
    for (int column = 0; column < static_cast<int>(std::size(kModuleColumns)); ++column)
        m_modules->InsertColumn(column, kModuleColumns[column]);
    SizeColumns();
    ShowPlcInfo();
}

void CPlcInfoDlg::SizeColumns()
{
    CRect client;
    m_modules->GetClientRect(&client);
    int width = client.Width();
    m_modules->SetColumnWidth(0, width / 9);
    m_modules->SetColumnWidth(1, width / 5);
    m_modules->SetColumnWidth(2, width / 9);
    m_modules->SetColumnWidth(3, width * 5 / 9);
}

void CPlcInfoDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    SizeColumns();
}

void CPlcInfoDlg::ShowPlcInfo()
{
    PlcInfoView view;
    m_modules->DeleteAllItems();
    if (!BuildPlcInfoView(view))
        return;
    m_project->setText(ToQString(view.project));
    m_mode->setText(ToQString(view.mode));
    m_modeLamp->SetColor(view.running ? INDICATOR_GREEN : INDICATOR_RED);
    m_cpuType->setText(ToQString(view.cpuType));
    m_firmware->setText(ToQString(view.firmware));
    for (const PlcInfoModuleRow& row : view.modules) {
        int item = m_modules->InsertItem(m_modules->GetItemCount(), row.position);
        m_modules->SetItemText(item, 1, row.module);
        m_modules->SetItemText(item, 2, row.failure);
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
