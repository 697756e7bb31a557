#include "CLDSelectBlockDlg.h"

#include "ladder/CLDBlockChoices.h"
#include "platform/ui/QtText.h"
#include "plclink/ui/COnlineHelp.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const char* const HELP_TOPIC = "canshu-LD";
const char* const UNSET_INSTANCE = "????";
constexpr int LIST_MIN_WIDTH = 160;
} // namespace

CLDSelectBlockDlg::CLDSelectBlockDlg(CZULAppData& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setWindowTitle("Select Function/FB/SBR");
    m_functionRadio = new QRadioButton("&Function/FB", this);
    m_functionRadio->setObjectName("1214");
    m_subroutineRadio = new QRadioButton("&SBR", this);
    m_subroutineRadio->setObjectName("1215");
    m_functions = new QComboBox(this);
    m_functions->setObjectName("1216");
    m_functions->setMinimumWidth(LIST_MIN_WIDTH);
    m_instanceEdit = new QLineEdit(this);
    m_instanceEdit->setObjectName("1217");
    m_subroutines = new QComboBox(this);
    m_subroutines->setObjectName("1218");
    m_subroutines->setMinimumWidth(LIST_MIN_WIDTH);
    QLabel* instanceLabel = new QLabel("&Instance:", this);
    instanceLabel->setBuddy(m_instanceEdit);
    QPushButton* ok = new QPushButton("OK", this);
    ok->setObjectName("1");
    ok->setDefault(true);
    QPushButton* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");

    QGridLayout* fields = new QGridLayout;
    fields->addWidget(m_functionRadio, 0, 0);
    fields->addWidget(m_functions, 0, 1);
    fields->addWidget(instanceLabel, 1, 0, Qt::AlignRight);
    fields->addWidget(m_instanceEdit, 1, 1);
    fields->addWidget(m_subroutineRadio, 2, 0);
    fields->addWidget(m_subroutines, 2, 1);
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(COnlineHelp::Attach(this, "1243", HELP_TOPIC));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CLDSelectBlockDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_functionRadio, &QRadioButton::clicked, this, &CLDSelectBlockDlg::OnRadioFunction);
    connect(m_subroutineRadio, &QRadioButton::clicked, this, &CLDSelectBlockDlg::OnRadioSubroutine);
    connect(m_functions, qOverload<int>(&QComboBox::activated), this, &CLDSelectBlockDlg::OnSelchangeFunction);
    connect(m_subroutines, qOverload<int>(&QComboBox::activated), this, &CLDSelectBlockDlg::OnSelchangeSubroutine);
}

void CLDSelectBlockDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CLDSelectBlockDlg::OnInitDialog()
{
    m_initialised = true;
    m_choice = LD_CHOICE_FUNCTION;
    m_functions->clear();
    for (const std::string& name : CLDBlockChoices::FunctionsAndFBs(m_app))
        m_functions->addItem(ToQString(name));
    m_functions->setCurrentIndex(0);
    m_name = FromQString(m_functions->currentText());
    m_instanceEdit->setEnabled(false);
    const std::vector<std::string> subroutines = CLDBlockChoices::Subroutines(m_app);
    m_subroutines->clear();
    for (const std::string& name : subroutines)
        m_subroutines->addItem(ToQString(name));
    m_subroutines->setCurrentIndex(0);
    m_subroutines->setEnabled(false);
    m_subroutineRadio->setEnabled(!subroutines.empty());
    m_functionRadio->setChecked(true);
    m_instanceEdit->setText(ToQString(m_instance));
}

void CLDSelectBlockDlg::OnRadioFunction()
{
    m_choice = LD_CHOICE_FUNCTION;
    m_functions->setEnabled(true);
    m_subroutines->setEnabled(false);
    m_name = FromQString(m_functions->currentText());
}

void CLDSelectBlockDlg::OnRadioSubroutine()
{
    m_choice = LD_CHOICE_SUBROUTINE;
    m_subroutines->setEnabled(true);
    m_functions->setEnabled(false);
    m_name = FromQString(m_subroutines->currentText());
}

void CLDSelectBlockDlg::OnSelchangeSubroutine()
{
    m_name = FromQString(m_subroutines->currentText());
}

void CLDSelectBlockDlg::OnSelchangeFunction()
{
    m_name = FromQString(m_functions->currentText());
    if (!CLDBlockChoices::IsFBType(m_app, m_name)) {
        m_instanceEdit->setEnabled(false);
        return;
    }
    m_instanceEdit->setEnabled(true);
    m_instance = UNSET_INSTANCE;
    m_instanceEdit->setText(ToQString(m_instance));
    m_instanceEdit->selectAll();
    m_instanceEdit->setFocus();
}

void CLDSelectBlockDlg::accept()
{
    m_instance = FromQString(m_instanceEdit->text());
    m_choice = m_subroutineRadio->isChecked() ? LD_CHOICE_SUBROUTINE : LD_CHOICE_FUNCTION;
    QDialog::accept();
}
