#include "CPlcClockDlg.h"

#include "CColorIndicator.h"
#include "COnlineHelp.h"
#include "plclink/CPlcCommPort.h"
#include "plclink/PlcProtocol.h"
#include "model/SharedServices.h"
#include "platform/CUserInterface.h"

#include <QApplication>
#include <QDateEdit>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kReadEveryTicks = 3;

template <class T>
T* Named(const char* id, QWidget* parent)
{
    T* widget = new T(parent);
    widget->setObjectName(id);
    return widget;
}

QGroupBox* PickerGroup(const QString& title, QWidget* date, QWidget* time, QWidget* parent)
{
    QGroupBox* group = new QGroupBox(title, parent);
    QHBoxLayout* layout = new QHBoxLayout(group);
    layout->addWidget(date);
    layout->addWidget(time);
    return group;
}

} // namespace

CPlcClockDlg::CPlcClockDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Time of Day Clock...");
    m_pcDate = Named<QDateEdit>("1169", this);
    m_pcTime = Named<QTimeEdit>("1171", this);
    m_plcDate = Named<QDateEdit>("1159", this);
    m_plcTime = Named<QTimeEdit>("1160", this);
    m_modifyDate = Named<QDateEdit>("1157", this);
    m_modifyTime = Named<QTimeEdit>("1158", this);
    m_plcLamp = new CColorIndicator("Current PLC Time", this);
    m_plcLamp->setObjectName("1193");
    m_modify = new QPushButton("&Modify", this);
    m_modify->setObjectName("1156");
    QPushButton* close = new QPushButton("Close", this);
    close->setObjectName("2");

    QWidget* plcTime = new QWidget(this);
    QVBoxLayout* plcLayout = new QVBoxLayout(plcTime);
    plcLayout->addWidget(m_plcLamp);
    plcLayout->addWidget(PickerGroup(QString(), m_plcDate, m_plcTime, plcTime));
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_modify);
    buttons->addWidget(close);
    buttons->addWidget(COnlineHelp::Attach(this, "1240", "CPU-shizhong"));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(PickerGroup("Current PC Time", m_pcDate, m_pcTime, this));
    layout->addWidget(plcTime);
    layout->addWidget(PickerGroup("Modify PLC Time To", m_modifyDate, m_modifyTime, this));
    layout->addLayout(buttons);

    m_timer = new QTimer(this);
    m_timer->setInterval(TimerPeriodMs);
    connect(m_timer, &QTimer::timeout, this, &CPlcClockDlg::OnTimer);
    connect(m_modifyTime, &QTimeEdit::timeChanged, this, &CPlcClockDlg::OnModifyTimeChanged);
    connect(m_modify, &QPushButton::clicked, this, &CPlcClockDlg::OnModify);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    OnInitDialog();
}

CPlcClockDlg::~CPlcClockDlg()
{
    m_timer->stop();
    g_PlcCommPort.Close();
}

void CPlcClockDlg::OnInitDialog()
{
    for (QWidget* picker : {static_cast<QWidget*>(m_pcDate), static_cast<QWidget*>(m_pcTime),
                            static_cast<QWidget*>(m_plcDate), static_cast<QWidget*>(m_plcTime)})
        picker->setEnabled(false);
    m_modifyDate->setDateRange(QDate(2000, 1, 1), QDate(2037, 12, 31));
    m_modifyDate->setCalendarPopup(true);
    m_modifyTime->setDisplayFormat("HH:mm:ss");
    m_pcTime->setDisplayFormat("HH:mm:ss");
    m_plcTime->setDisplayFormat("HH:mm:ss");
    QDateTime now = QDateTime::currentDateTime();
    m_modifyDate->setDate(now.date());
    m_modifyTime->setTime(now.time());
    ShowPcTime();
    m_ticks = 0;
    m_modifyEdited = FALSE;
    m_error = FALSE;
    m_plcLamp->SetColor(INDICATOR_GREEN);
    PlcClockTime time;
    if (DecodePlcClock(g_PlcCommPort.RxBuffer + 4, time)) {
        ShowPlcTime(time);
    } else {
        // A garbled clock reply is not shown as a date.
        m_error = TRUE;
        m_plcLamp->SetColor(INDICATOR_YELLOW);
        ShowCommError(nullptr, 1, 'C', PLC_WRONG_REPLY);
    }
    m_timer->start();
}

void CPlcClockDlg::ShowPcTime()
{
    QDateTime now = QDateTime::currentDateTime();
    m_pcDate->setDate(now.date());
    m_pcTime->setTime(now.time());
}

void CPlcClockDlg::ShowPlcTime(const PlcClockTime& time)
{
    m_plcDate->setDate(QDate(time.year, time.month, time.day));
    m_plcTime->setTime(QTime(time.hour, time.minute, time.second));
}

void CPlcClockDlg::OnTimer()
{
    ShowPcTime();
    if (!m_modifyEdited) {
        m_modifyTime->blockSignals(true);
        m_modifyTime->setTime(QTime::currentTime());
        m_modifyTime->blockSignals(false);
    }
    ++m_ticks;
    if (m_ticks % kReadEveryTicks != 0 || m_error)
        return;
    PlcClockTime time;
    int result = ReadPlcClockTime(time);
    if (result == PLC_DECLINED)
        return;
    if (result != PLC_OK) {
        m_error = TRUE;
        m_plcLamp->SetColor(INDICATOR_YELLOW);
        return;
    }
    m_plcLamp->SetColor(INDICATOR_GREEN);
    ShowPlcTime(time);
}

void CPlcClockDlg::OnModifyTimeChanged()
{
    m_modifyEdited = TRUE;
}

void CPlcClockDlg::OnModify()
{
    QDate date = m_modifyDate->date();
    QTime clock = m_modifyTime->time();
    if (date.year() < 2000) {
        ShowMessage("Note", "The century must be 21.", MB_OK | MB_ICONINFORMATION);
        return;
    }
    m_modify->setEnabled(false);
    PlcClockTime time {date.year(), date.month(), date.day(), clock.hour(), clock.minute(), clock.second()};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    int result = WritePlcClockTime(time);
    QApplication::restoreOverrideCursor();
    if (result == PLC_OK)
        m_plcLamp->SetColor(INDICATOR_GREEN);
    else if (result != PLC_DECLINED)
        m_plcLamp->SetColor(INDICATOR_YELLOW);
    m_modify->setEnabled(true);
}
