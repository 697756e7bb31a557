#pragma once
// Download project: the options of the download (upload disabled, clearing
// the retentive V ranges and the permanent backup ranges), the note about
// the connected PLC, and the transfer with its progress and result. Shown
// after a compilation for Download; it closes itself after a success.

#include "plclink/IDownloadProgress.h"
#include "platform/WinTypes.h"

#include <QDialog>

class CColorStatic;
class IOnlineDialogs;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

class CDownloadDlg : public QDialog, public IDownloadProgress {
    Q_OBJECT
public:
    // The dialogs that the transfer opens when the PLC asks for a password.
    explicit CDownloadDlg(IOnlineDialogs& dialogs, QWidget* parent = nullptr);

    void OnUploadDisabledClicked();
    void OnDownload();
    BYTE Options() const;

    int ProgressPosition() override;
    void SetProgressPosition(int position) override;

private:
    void OnInitDialog();

    IOnlineDialogs& m_dialogs;
    QPushButton* m_download = nullptr;
    QPushButton* m_close = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_result = nullptr;
    QCheckBox* m_uploadDisabled = nullptr;
    QCheckBox* m_clearRetentive = nullptr;
    QCheckBox* m_clearBackup = nullptr;
    CColorStatic* m_note = nullptr;
};
