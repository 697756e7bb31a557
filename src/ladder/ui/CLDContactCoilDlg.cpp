#include "CLDContactCoilDlg.h"

#include "ladder/CLDContactCoilCheck.h"
#include "ladder/CLDProgram.h"
#include "ladder/LDLocalLookup.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/ui/QtText.h"
#include "plclink/ui/COnlineHelp.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const DEFAULT_COIL_TYPE = "-(NUL)";
const char* const DEFAULT_CONTACT_TYPE = "-| |-";
const char* const HELP_TOPIC = "canshu-LD";
constexpr int ADDRESS_MIN_WIDTH = 160;

CLDContactCoilCheck MakeCheck(const CLDProgram& program)
{
    return CLDContactCoilCheck(program.GetApp(), MakeLocalLookup(program));
}
} // namespace

CLDContactCoilDlg::CLDContactCoilDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Contact/Coil");
    m_address = new QLineEdit(this);
    m_address->setObjectName("1019");
    m_address->setMinimumWidth(ADDRESS_MIN_WIDTH);
    m_type = new QComboBox(this);
    m_type->setObjectName("1003");
    QPushButton* ok = new QPushButton("OK", this);
    ok->setObjectName("1");
    ok->setDefault(true);
    QPushButton* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");
    QFormLayout* fields = new QFormLayout;
    fields->addRow("&Address:", m_address);
    fields->addRow("&Type:", m_type);
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(COnlineHelp::Attach(this, "3", HELP_TOPIC));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CLDContactCoilDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_type, qOverload<int>(&QComboBox::activated), this, &CLDContactCoilDlg::OnSelchangeType);
}

void CLDContactCoilDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised)
        OnInitDialog();
    QDialog::showEvent(event);
    m_address->setFocus();
}

void CLDContactCoilDlg::OnInitDialog()
{
    m_initialised = true;
    m_typeText = ByteString::Trim(m_typeText);
    if (!m_program)
        return;
    const CLDContactCoilCheck check = MakeCheck(*m_program);
    const BOOL parallel = !m_coil && m_element && CLDContactCoilCheck::IsParallelPosition(*m_element);
    setWindowTitle(m_coil ? "Coil" : "Contact");
    m_type->clear();
    for (const std::string& type : check.TypeList(m_coil, parallel))
        m_type->addItem(ToQString(type));
    const int count = check.OperandCount(m_coil, m_typeText);
    const int found = m_type->findText(ToQString(m_typeText));
    if (!m_typeText.empty() && found >= 0) {
        m_type->setCurrentIndex(found);
    } else {
        m_type->setCurrentIndex(0);
        if (m_typeText.empty())
            m_typeText = m_coil ? DEFAULT_COIL_TYPE : DEFAULT_CONTACT_TYPE;
    }
    if (count != 0)
        m_address->setText(ToQString(m_addressText));
    EnableAddress(count);
}

void CLDContactCoilDlg::EnableAddress(int operandCount)
{
    m_address->setEnabled(operandCount != 0);
    if (operandCount == 0)
        m_address->clear();
}

void CLDContactCoilDlg::OnSelchangeType()
{
    m_typeText = FromQString(m_type->currentText());
    if (!m_program)
        return;
    const CZULAppData& app = m_program->GetApp();
    const auto& catalogue = m_coil ? app.CoilCatalog : app.ContactCatalog;
    if (catalogue.find(m_typeText) == catalogue.end())
        return;
    EnableAddress(MakeCheck(*m_program).OperandCount(m_coil, m_typeText));
}

void CLDContactCoilDlg::OnOK()
{
    m_addressText = FromQString(m_address->text());
    m_typeText = FromQString(m_type->currentText());
    if (!m_program || !m_element) {
        accept();
        return;
    }
    const int result = MakeCheck(*m_program).Apply(*m_element, m_coil, m_typeText, m_addressText,
                                                   m_previousOperand, &m_program->GetNames());
    if (result == LD_ENTRY_STAY_ADDRESS)
        m_address->setFocus();
    if (result == LD_ENTRY_CLOSE)
        accept();
}
