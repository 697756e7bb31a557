#include "CWizardPage.h"

#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdlib>

namespace {

// Every page has the same size, so that they replace each other on screen.
constexpr int PAGE_WIDTH = 560;
constexpr int PAGE_HEIGHT = 400;
constexpr int FLOAT_DIGITS = FLT_DIG;

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

BOOL ParseLong(const std::string& text, long long& value)
{
    const std::string trimmed = Trimmed(text);
    if (trimmed.empty())
        return FALSE;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(trimmed.c_str(), &end, 10);
    return (errno == 0 && *end == '\0') ? TRUE : FALSE;
}

} // namespace

CWizardPage::CWizardPage(UINT dialogId, const std::string& caption, QWidget* parent)
    : QDialog(parent)
    , m_dialogId(dialogId)
{
    setObjectName(QString::number(dialogId));
    setWindowTitle(ToQString(caption));
    setFixedSize(PAGE_WIDTH, PAGE_HEIGHT);
    auto* layout = new QVBoxLayout(this);
    m_grid = new QGridLayout;
    layout->addLayout(m_grid);
    layout->addStretch();
    m_buttons = new QWidget(this);
    auto* row = new QHBoxLayout(m_buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    layout->addWidget(m_buttons);
}

void CWizardPage::GoTo(UINT dialogId)
{
    m_nextPage = dialogId;
    done(QDialog::Accepted);
}

BOOL CWizardPage::FieldError(UINT id, const std::string& text)
{
    ShowMessage("", text, MB_OK | MB_ICONEXCLAMATION);
    if (QLineEdit* edit = Control<QLineEdit>(id)) {
        edit->setFocus();
        edit->selectAll();
    }
    return FALSE;
}

BOOL CWizardPage::ReadInt(UINT id, int& value)
{
    long long parsed = 0;
    if (!ParseLong(GetText(id), parsed) || parsed < INT_MIN || parsed > INT_MAX)
        return FieldError(id, "Please enter an integer.");
    value = static_cast<int>(parsed);
    return TRUE;
}

BOOL CWizardPage::ReadIntRange(UINT id, int low, int high, int& value)
{
    long long parsed = 0;
    if (!ParseLong(GetText(id), parsed) || parsed < low || parsed > high)
        return FieldError(id, ByteString::Format("Please enter an integer between %d and %d.", low, high));
    value = static_cast<int>(parsed);
    return TRUE;
}

BOOL CWizardPage::ReadUnsigned(UINT id, int& value)
{
    long long parsed = 0;
    if (!ParseLong(GetText(id), parsed) || parsed < 0 || parsed > INT_MAX)
        return FieldError(id, "Please enter a positive integer.");
    value = static_cast<int>(parsed);
    return TRUE;
}

BOOL CWizardPage::ReadFloat(UINT id, float& value)
{
    const std::string text = Trimmed(GetText(id));
    char* end = nullptr;
    errno = 0;
    const double parsed = text.empty() ? 0.0 : std::strtod(text.c_str(), &end);
    if (text.empty() || errno != 0 || *end != '\0' || parsed > FLT_MAX || parsed < -FLT_MAX)
        return FieldError(id, "Please enter a number.");
    value = static_cast<float>(parsed);
    return TRUE;
}

void CWizardPage::WriteInt(UINT id, int value)
{
    SetText(id, ByteString::Format("%d", value));
}

void CWizardPage::WriteFloat(UINT id, float value)
{
    SetText(id, ByteString::Format("%.*g", FLOAT_DIGITS, static_cast<double>(value)));
}

void CWizardPage::SetText(UINT id, const std::string& text)
{
    const QString qtext = ToQString(text);
    if (auto* edit = Control<QLineEdit>(id)) {
        edit->setText(qtext);
        return;
    }
    if (auto* label = Control<QLabel>(id))
        label->setText(qtext);
}

std::string CWizardPage::GetText(UINT id) const
{
    if (auto* edit = Control<QLineEdit>(id))
        return FromQString(edit->text());
    if (auto* label = Control<QLabel>(id))
        return FromQString(label->text());
    return {};
}

QLabel* CWizardPage::AddStatic(const std::string& text, int row, int column, int columnSpan, UINT id)
{
    auto* label = new QLabel(ToQString(text), this);
    label->setWordWrap(true);
    if (id != 0)
        label->setObjectName(QString::number(id));
    m_grid->addWidget(label, row, column, 1, columnSpan);
    return label;
}

QLineEdit* CWizardPage::AddEdit(UINT id, int row, int column)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(id));
    m_grid->addWidget(edit, row, column);
    return edit;
}

QPushButton* CWizardPage::AddButton(UINT id, const std::string& text)
{
    auto* button = new QPushButton(ToQString(text), m_buttons);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    m_buttons->layout()->addWidget(button);
    return button;
}

QRadioButton* CWizardPage::AddRadio(UINT id, const std::string& text, int row, int column)
{
    auto* radio = new QRadioButton(ToQString(text), this);
    radio->setObjectName(QString::number(id));
    m_grid->addWidget(radio, row, column);
    return radio;
}

QCheckBox* CWizardPage::AddCheck(UINT id, const std::string& text, int row, int column, int columnSpan)
{
    auto* check = new QCheckBox(ToQString(text), this);
    check->setObjectName(QString::number(id));
    m_grid->addWidget(check, row, column, 1, columnSpan);
    return check;
}

void CWizardPage::AddCloseAndHelp(UINT helpId)
{
    QPushButton* close = AddButton(IDCANCEL, "\xB9\xD8\xB1\xD5");
    connect(close, &QPushButton::clicked, this, [this] {
        m_nextPage = WIZARD_END;
        reject();
    });
    AddButton(helpId, "\xB0\xEF\xD6\xFA");
}
