#include "CForceDlg.h"

#include "platform/ui/QtText.h"
#include "plclink/ui/COnlineHelp.h"
#include "pouedit/ForceValue.h"
#include "pouedit/IPOUWorkbenchHost.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const STATUS_NONE = "None.";
const char* const STATUS_ILLEGAL = "Illegal input.";
} // namespace

CForceDlg::CForceDlg(IPOUWorkbenchHost* workbench, QWidget* parent) : QDialog(parent), m_workbench(workbench)
{
    setWindowTitle("Force");
    m_status = new QLabel(this);
    m_status->setObjectName("1216");
    m_value = new QLineEdit(this);
    m_value->setObjectName("1213");
    m_addressText = new QLabel(this);
    m_addressText->setObjectName("1214");
    m_symbolText = new QLabel(this);
    m_symbolText->setObjectName("1215");
    QPushButton* force = new QPushButton("&Force", this);
    force->setObjectName("1");
    force->setDefault(true);
    QPushButton* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("2");
    QFormLayout* fields = new QFormLayout;
    fields->addRow("Symbol:", m_symbolText);
    fields->addRow("Address:", m_addressText);
    fields->addRow("&Value:", m_value);
    fields->addRow("Comment:", m_status);
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(force);
    buttons->addWidget(cancel);
    buttons->addWidget(COnlineHelp::Attach(this, "1244", "shuruqiangzhi"));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    connect(force, &QPushButton::clicked, this, &CForceDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CForceDlg::showEvent(QShowEvent* event)
{
    OnInitDialog();
    QDialog::showEvent(event);
    m_value->setFocus();
}

void CForceDlg::OnInitDialog()
{
    m_addressText->setText(ToQString(m_address));
    m_symbolText->setText(ToQString(m_symbol));
    m_status->setText(STATUS_NONE);
}

void CForceDlg::OnOK()
{
    m_status->setText(STATUS_NONE);
    DWORD value = 0;
    if (!CheckForceValue(m_address, FromQString(m_value->text()), value)) {
        m_status->setText(STATUS_ILLEGAL);
        return;
    }
    if (m_workbench)
        m_workbench->ForceAddress(m_address, static_cast<int>(value));
    accept();
}
