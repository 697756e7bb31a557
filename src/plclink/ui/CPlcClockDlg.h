#pragma once
// Time of Day Clock: the PC's time, the PLC's time (read again every third
// second under the port lock, its lamp green, or yellow after a failure) and
// the time to set the PLC to. Opened by the Clock command over the port it
// keeps open, with the clock reply in the port's receive buffer; it closes
// the port when it goes.

#include "plclink/PlcClock.h"

#include <QDialog>

class CColorIndicator;
class QDateEdit;
class QPushButton;
class QTimeEdit;
class QTimer;

class CPlcClockDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int TimerId = 100;
    static constexpr int TimerPeriodMs = 1000;

    explicit CPlcClockDlg(QWidget* parent = nullptr);
    ~CPlcClockDlg() override;

    void OnTimer();
    void OnModifyTimeChanged();
    void OnModify();
    BOOL HasReadError() const { return m_error; }

private:
    void OnInitDialog();
    void ShowPlcTime(const PlcClockTime& time);
    void ShowPcTime();

    QDateEdit* m_pcDate = nullptr;
    QTimeEdit* m_pcTime = nullptr;
    CColorIndicator* m_plcLamp = nullptr;
    QDateEdit* m_plcDate = nullptr;
    QTimeEdit* m_plcTime = nullptr;
    QDateEdit* m_modifyDate = nullptr;
    QTimeEdit* m_modifyTime = nullptr;
    QPushButton* m_modify = nullptr;
    QTimer* m_timer = nullptr;
    int m_ticks = 0;
    BOOL m_modifyEdited = FALSE;
    BOOL m_error = FALSE;
};
