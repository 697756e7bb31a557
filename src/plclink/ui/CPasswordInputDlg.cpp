#include "CPasswordInputDlg.h"

#include "COnlineHelp.h"
#include "platform/ui/CSecureEdit.h"
#include "plclink/PlcPassword.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kPasswordChars = 8;

} // namespace

CPasswordInputDlg::CPasswordInputDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Enter Password");
    m_password = new CSecureEdit(this);
    m_password->setObjectName("1228");
    m_password->LimitText(kPasswordChars);
    QPushButton* ok = new QPushButton("OK", this);
    ok->setObjectName("1");
    ok->setDefault(true);
    QPushButton* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");
    QFormLayout* fields = new QFormLayout;
    fields->addRow("Password:", m_password);
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(COnlineHelp::Attach(this, "1241", "shurumima"));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CPasswordInputDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CPasswordInputDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_password->SetFocus();
}

void CPasswordInputDlg::OnOK()
{
    m_password->Arm();
    SendPlcPassword(m_password->GetWindowText());
    accept();
}
