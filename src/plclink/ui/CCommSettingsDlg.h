#pragma once
// Communications: the PC side of the PLC link (serial port, the PLC's
// station address, baud rate, parity, data and stop bits) and the search for
// the station, baud rate and parity at which a PLC answers. OK stores the
// settings in the port object and in the settings section "COM". The search
// runs on a worker that reports through queued calls; the dialog stops and
// joins it before it closes.

#include "plclink/CStationSearch.h"
#include "platform/WinTypes.h"

#include <QDialog>

#include <string>
#include <vector>

class CAnimGifCtrl;
class CSettingsStore;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CCommSettingsDlg : public QDialog, private IStationSearchObserver {
    Q_OBJECT
public:
    // ports: the serial ports of the machine.
    CCommSettingsDlg(const CSettingsStore& settings, const std::vector<std::string>& ports, QWidget* parent = nullptr);
    ~CCommSettingsDlg() override;

    void FillCombos();
    void EnableControls(BOOL enable);
    void OnSearch();
    void OnStop();
    void OnDataBitsChange();
    void OnOK();
    BOOL IsSearching() const { return m_search.IsRunning(); }
    CAnimGifCtrl* Animation() const { return m_animation; }

    void done(int result) override;

signals:
    // The search has ended: 1 found, -1 not.
    void SearchFinished(int result);

private:
    void OnInitDialog(const std::vector<std::string>& ports);
    void OnSearchStatus(const std::string& text) override;
    void OnSearchControlsEnabled(BOOL enable) override;
    void OnSearchFinished(int result) override;
    void SearchEnded(int result);
    void ShowStillPicture();
    void EndSearch();

    const CSettingsStore& m_settings;
    QLabel* m_picture = nullptr;
    CAnimGifCtrl* m_animation = nullptr;
    QLineEdit* m_status = nullptr;
    QComboBox* m_port = nullptr;
    QComboBox* m_station = nullptr;
    QComboBox* m_baud = nullptr;
    QComboBox* m_parity = nullptr;
    QComboBox* m_dataBits = nullptr;
    QComboBox* m_stopBits = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_searchButton = nullptr;
    QPushButton* m_stop = nullptr;
    CStationSearch m_search;
};
