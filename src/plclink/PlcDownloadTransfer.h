#pragma once
// The transfer that the Download dialog starts: port lock (1000 ms), open
// port, download of the project's object file with the options byte, the
// password entry when the PLC asks for one and a second attempt, then the
// outcome: a status line after a success, the message of a failure.

#include "IDownloadProgress.h"
#include "platform/WinTypes.h"

class IOnlineDialogs;

// Option bits of the download, as the Download dialog's check boxes set them.
constexpr BYTE DOWNLOAD_UPLOAD_DISABLED = 0x01;
constexpr BYTE DOWNLOAD_CLEAR_PERMANENT_BACKUP = 0x02;
constexpr BYTE DOWNLOAD_CLEAR_RETENTIVE_V = 0x04;

// The link result: 0 success, -1 when nothing more is to be shown (busy port,
// a port that did not open, a download the user declined), any other code
// after its message has been shown.
int TransferDownload(IDownloadProgress* progress, BYTE options, IOnlineDialogs& dialogs);
