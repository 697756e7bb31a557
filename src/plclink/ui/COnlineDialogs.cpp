#include "COnlineDialogs.h"

#include "CCommSettingsDlg.h"
#include "CDownloadDlg.h"
#include "CPasswordDlg.h"
#include "CPasswordInputDlg.h"
#include "CPlcClockDlg.h"
#include "CPlcInfoDlg.h"
#include "plclink/SerialPortList.h"
#include "platform/IMessageBox.h"

#include <QApplication>
#include <QPointer>

COnlineDialogs::COnlineDialogs(QWidget* parent, const CSettingsStore& settings) : m_parent(parent), m_settings(settings)
{
}

void COnlineDialogs::ShowPlcInfo()
{
    CPlcInfoDlg dialog(m_parent);
    dialog.exec();
}

void COnlineDialogs::ShowPlcClock()
{
    CPlcClockDlg dialog(m_parent);
    dialog.exec();
}

void COnlineDialogs::ShowPassword()
{
    CPasswordDlg dialog(m_parent);
    dialog.exec();
}

int COnlineDialogs::EnterPassword()
{
    CPasswordInputDlg dialog(m_parent);
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void COnlineDialogs::ShowDownload()
{
    CDownloadDlg dialog(*this, m_parent);
    dialog.exec();
}

void COnlineDialogs::ShowCommSettings()
{
    QPointer<QWidget> focus = QApplication::focusWidget();
    CCommSettingsDlg dialog(m_settings, ListSerialPorts(), m_parent);
    dialog.exec();
    if (focus)
        focus->setFocus();
}
