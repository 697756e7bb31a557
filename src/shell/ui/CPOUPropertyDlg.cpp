#include "CPOUPropertyDlg.h"

#include "model/CProjTreeNode.h"
#include "model/OpenHelpTopic.h"
#include "model/ProjectModified.h"
#include "platform/ui/QtText.h"
#include "shell/POUNameRules.h"
#include "shell/POUPropertyFields.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <class T>
T* Named(T* control, UINT id)
{
    control->setObjectName(QString::number(id));
    return control;
}

void MarkProjectModified()
{
    SetProjectModified(TRUE);
}

} // namespace

CPOUPropertyDlg::CPOUPropertyDlg(const CZULProject& project, const CProjTreeNode* node, QWidget* parent)
    : QDialog(parent), m_project(project), m_node(node)
{
    setWindowTitle(QStringLiteral("POU Property"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    m_nameEdit = Named(new QLineEdit(this), IDC_POU_NAME);
    m_indexEdit = Named(new QLineEdit(this), IDC_POU_INDEX);
    m_authorEdit = Named(new QLineEdit(this), IDC_POU_AUTHOR);
    m_languageEdit = Named(new QLineEdit(this), IDC_POU_LANGUAGE);
    m_commentEdit = Named(new QPlainTextEdit(this), IDC_POU_COMMENT);
    m_indexEdit->setEnabled(false);
    m_languageEdit->setEnabled(false);
    grid->addWidget(new QLabel(QStringLiteral("&Name:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("&Index:"), this), 0, 1);
    grid->addWidget(m_nameEdit, 1, 0);
    grid->addWidget(m_indexEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("&Author:"), this), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("&Language:"), this), 2, 1);
    grid->addWidget(m_authorEdit, 3, 0);
    grid->addWidget(m_languageEdit, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("&Comment:"), this), 4, 0);
    grid->addWidget(m_commentEdit, 5, 0, 1, 2);
    layout->addLayout(grid);
    m_created = Named(new QLabel(QStringLiteral("Date Created:"), this), IDC_POU_CREATED);
    m_modified = Named(new QLabel(QStringLiteral("Last Modified:"), this), IDC_POU_MODIFIED);
    layout->addWidget(m_created);
    layout->addWidget(m_modified);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPOUPropertyDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPOUPropertyDlg::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { OnHelp(); });
    OnInitDialog();
    connect(m_nameEdit, &QLineEdit::textEdited, this, MarkProjectModified);
    connect(m_authorEdit, &QLineEdit::textEdited, this, MarkProjectModified);
    connect(m_commentEdit, &QPlainTextEdit::textChanged, this, MarkProjectModified);
}

void CPOUPropertyDlg::OnInitDialog()
{
    if (!m_node)
        return;
    const CPOUPropertyFields fields = LoadPOUPropertyFields(m_project, *m_node);
    setWindowTitle(ToQString(fields.caption));
    m_indexEdit->setText(ToQString(fields.index));
    m_languageEdit->setText(ToQString(fields.language));
    m_nameEdit->setText(ToQString(fields.name));
    m_authorEdit->setText(ToQString(fields.author));
    m_commentEdit->setPlainText(ToQString(fields.comment));
    m_created->setText(ToQString(fields.created));
    m_modified->setText(ToQString(fields.modified));
    m_name = fields.name;
    m_author = fields.author;
    m_comment = fields.comment;
}

void CPOUPropertyDlg::accept()
{
    if (!m_node) {
        QDialog::accept();
        return;
    }
    std::string name = FromQString(m_nameEdit->text());
    std::string message;
    const POUNameResult result = CheckPOUName(m_project, *m_node, name, POUNameForm::Dialog, message);
    m_nameEdit->setText(ToQString(name));
    if (result != POU_NAME_OK && result != POU_NAME_UNCHANGED) {
        ReportPOUNameResult(result, message);
        if (result == POU_NAME_EMPTY)
            m_nameEdit->setFocus();
        return;
    }
    m_name = name;
    m_author = FromQString(m_authorEdit->text());
    m_comment = FromQString(m_commentEdit->toPlainText());
    QDialog::accept();
}

void CPOUPropertyDlg::OnHelp()
{
    // The dialog has no topic of its own: the help opens at its first context.
    OpenHelpTopic("");
}

void CPOUPropertyDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1)
        OnHelp();
    QDialog::keyPressEvent(event);
}
