#pragma once
// The online dialogs of the PLC commands as modal Qt dialogs over the main
// window.

#include "plclink/IOnlineDialogs.h"

class CSettingsStore;
class QWidget;

class COnlineDialogs : public IOnlineDialogs {
public:
    // settings: where the Communications dialog stores the section "COM".
    COnlineDialogs(QWidget* parent, const CSettingsStore& settings);

    void ShowPlcInfo() override;
    void ShowPlcClock() override;
    void ShowPassword() override;
    int EnterPassword() override;
    void ShowDownload() override;
    void ShowCommSettings() override;

private:
    QWidget* m_parent;
    const CSettingsStore& m_settings;
};
