#include "CPasswordDlg.h"

#include "COnlineHelp.h"
#include "platform/ui/CSecureEdit.h"
#include "plclink/PlcPassword.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kPasswordChars = 8;

struct LevelButton {
    const char* id;
    const char* text;
};

const LevelButton kLevelButtons[] = {
    {"1101", "Level 1: &Full"},
    {"1104", "Level 2: &Partial"},
    {"1108", "Level 3: &Minimum"},
};

CSecureEdit* NamedEdit(const char* id, QWidget* parent)
{
    CSecureEdit* edit = new CSecureEdit(parent);
    edit->setObjectName(id);
    edit->LimitText(kPasswordChars);
    return edit;
}

} // namespace

CPasswordDlg::CPasswordDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Password");
    m_oldPassword = NamedEdit("999", this);
    m_newPassword = NamedEdit("1188", this);
    m_confirmation = NamedEdit("1191", this);
    QGroupBox* levels = new QGroupBox("Privilege", this);
    QVBoxLayout* levelLayout = new QVBoxLayout(levels);
    QButtonGroup* group = new QButtonGroup(this);
    for (int k = 0; k < 3; ++k) {
        m_levels[k] = new QRadioButton(kLevelButtons[k].text, levels);
        m_levels[k]->setObjectName(kLevelButtons[k].id);
        group->addButton(m_levels[k], k);
        levelLayout->addWidget(m_levels[k]);
    }
    QPushButton* apply = new QPushButton("&Apply", this);
    apply->setObjectName("3");
    QPushButton* close = new QPushButton("Close", this);
    close->setObjectName("2");

    QFormLayout* fields = new QFormLayout;
    fields->addRow("Old Password:", m_oldPassword);
    fields->addRow(levels);
    fields->addRow("New Password:", m_newPassword);
    fields->addRow("Confirm:", m_confirmation);
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(close);
    buttons->addWidget(COnlineHelp::Attach(this, "4", "shezhimima"));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_levels[0], &QRadioButton::clicked, this, &CPasswordDlg::OnLevelFull);
    connect(m_levels[1], &QRadioButton::clicked, this, &CPasswordDlg::OnLevelRestricted);
    connect(m_levels[2], &QRadioButton::clicked, this, &CPasswordDlg::OnLevelRestricted);
    connect(m_newPassword, &CEdit::Changed, this, &CPasswordDlg::OnNewPasswordChange);
    connect(apply, &QPushButton::clicked, this, &CPasswordDlg::OnApply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    OnInitDialog();
}

void CPasswordDlg::OnInitDialog()
{
    m_oldPassword->setEnabled(true);
    m_levels[0]->setChecked(true);
    m_newPassword->setEnabled(false);
    m_confirmation->setEnabled(false);
}

int CPasswordDlg::LevelIndex() const
{
    for (int k = 0; k < 3; ++k) {
        if (m_levels[k]->isChecked())
            return k;
    }
    return 0;
}

void CPasswordDlg::OnLevelFull()
{
    m_newPassword->SetWindowText({});
    m_confirmation->SetWindowText({});
    m_newPassword->setEnabled(false);
    m_confirmation->setEnabled(false);
}

void CPasswordDlg::OnLevelRestricted()
{
    m_newPassword->setEnabled(true);
}

void CPasswordDlg::OnNewPasswordChange()
{
    m_confirmation->setEnabled(true);
}

void CPasswordDlg::OnApply()
{
    m_oldPassword->Arm();
    m_newPassword->Arm();
    m_confirmation->Arm();
    PlcPasswordChange change;
    change.oldPassword = m_oldPassword->GetWindowText();
    change.level = LevelIndex() + 1;
    change.newPassword = m_newPassword->GetWindowText();
    change.confirmation = m_confirmation->GetWindowText();
    ApplyPlcPasswordChange(change);
}
