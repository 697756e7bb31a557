#include "CLDCommentDlg.h"

#include "platform/ByteString.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/QtText.h"
#include "plclink/ui/COnlineHelp.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const HELP_TOPIC = "wangluo-LD";
const char* const CRLF = "\r\n";
constexpr int EDIT_MIN_WIDTH = 360;
constexpr int EDIT_MIN_HEIGHT = 120;
} // namespace

CLDCommentDlg::CLDCommentDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Comment");
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName("2031");
    m_edit->setMinimumSize(EDIT_MIN_WIDTH, EDIT_MIN_HEIGHT);
    QPushButton* ok = new QPushButton("OK", this);
    ok->setObjectName("1");
    ok->setDefault(true);
    QPushButton* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(COnlineHelp::Attach(this, "1237", HELP_TOPIC));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CLDCommentDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CLDCommentDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        // The edit shows the stored CR LF line breaks as its own line ends.
        std::string text = m_comment;
        ByteString::Replace(text, CRLF, "\n");
        m_edit->setPlainText(ToQString(text));
        m_edit->document()->setModified(false);
    }
    QDialog::showEvent(event);
    m_edit->setFocus();
}

bool CLDCommentDlg::IsModified() const
{
    return m_edit->document()->isModified();
}

void CLDCommentDlg::OnOK()
{
    if (IsModified() && m_document)
        m_document->SetModifiedFlag(TRUE);
    std::string text = FromQString(m_edit->toPlainText());
    ByteString::Replace(text, "\n", CRLF);
    m_comment = text;
    accept();
}
