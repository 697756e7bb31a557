#include "CDownloadDlg.h"

#include "COnlineHelp.h"
#include "platform/ui/CColorStatic.h"
#include "platform/ui/QtText.h"
#include "model/CZULAppData.h"
#include "plclink/PlcDownloadTransfer.h"
#include "plclink/PlcProtocol.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr COLORREF kNoteColor = 0x0000FF;

const char* const kUploadDisabledNote =
    "Notice:\n  If this checkbox is not checked, the CPU shall be set to \"Upload Enabled\".\n"
    "  If this checkbox is checked, the CPU shall be set to \"Upload Disabled\", \n"
    "  And you cannot upload unless you have set the CPU to \"Upload Enabled\".";

QCheckBox* NamedBox(const char* id, const char* text, QWidget* parent)
{
    QCheckBox* box = new QCheckBox(text, parent);
    box->setObjectName(id);
    return box;
}

} // namespace

CDownloadDlg::CDownloadDlg(IOnlineDialogs& dialogs, QWidget* parent) : QDialog(parent), m_dialogs(dialogs)
{
    setWindowTitle("Download project");
    m_download = new QPushButton("Download", this);
    m_download->setObjectName("1");
    m_download->setDefault(true);
    m_close = new QPushButton("Close", this);
    m_close->setObjectName("2");
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("1229");
    m_progress->setRange(0, 100);
    m_result = new QLabel(this);
    m_result->setObjectName("1233");
    m_uploadDisabled = NamedBox("1230", "Set the CPU to \"&Upload Disabled\".", this);
    m_clearRetentive = NamedBox("1231", "Clear the Retentive Ranges in &V area after downloading.", this);
    m_clearBackup = NamedBox("1232", "Clear the &Permanent Backup Ranges after downloading.", this);
    m_note = new CColorStatic(this);
    m_note->setObjectName("1234");
    QLabel* currentPlc = new QLabel("Curr PLC", this);
    currentPlc->setObjectName("1285");
    currentPlc->hide();

    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_download);
    buttons->addWidget(m_close);
    buttons->addWidget(COnlineHelp::Attach(this, "1242", "xiazaiduihua"));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(m_uploadDisabled);
    layout->addWidget(m_clearRetentive);
    layout->addWidget(m_clearBackup);
    layout->addWidget(m_note);
    layout->addWidget(m_progress);
    layout->addWidget(m_result);
    layout->addLayout(buttons);

    connect(m_uploadDisabled, &QCheckBox::clicked, this, &CDownloadDlg::OnUploadDisabledClicked);
    connect(m_download, &QPushButton::clicked, this, &CDownloadDlg::OnDownload);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    OnInitDialog();
}

void CDownloadDlg::OnInitDialog()
{
    m_uploadDisabled->setChecked(false);
    m_clearRetentive->setChecked(true);
    m_clearBackup->setChecked(true);
    m_note->SetTextColor(kNoteColor);
    m_note->setText(ToQString(g_pAppData->DownloadNoteText));
    m_progress->setValue(0);
}

void CDownloadDlg::OnUploadDisabledClicked()
{
    if (m_uploadDisabled->isChecked())
        m_note->setText(kUploadDisabledNote);
    else
        m_note->setText(ToQString(g_pAppData->DownloadNoteText));
}

BYTE CDownloadDlg::Options() const
{
    BYTE options = 0;
    if (m_uploadDisabled->isChecked())
        options |= DOWNLOAD_UPLOAD_DISABLED;
    if (m_clearBackup->isChecked())
        options |= DOWNLOAD_CLEAR_PERMANENT_BACKUP;
    if (m_clearRetentive->isChecked())
        options |= DOWNLOAD_CLEAR_RETENTIVE_V;
    return options;
}

int CDownloadDlg::ProgressPosition()
{
    return m_progress->value();
}

void CDownloadDlg::SetProgressPosition(int position)
{
    m_progress->setValue(position);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CDownloadDlg::OnDownload()
{
    m_download->setEnabled(false);
    m_close->setEnabled(false);
    m_result->setText("Result:");
    BYTE options = Options();
    m_progress->setValue(0);
    int result = TransferDownload(this, options, m_dialogs);
    if (result == PLC_OK) {
        m_result->setText("Result: successful.");
        m_progress->setValue(100);
    } else if (result != PLC_DECLINED) {
        m_result->setText("Result: failed");
    }
    setFocus();
    m_download->setEnabled(true);
    m_close->setEnabled(true);
    if (result == PLC_OK)
        accept();
}
