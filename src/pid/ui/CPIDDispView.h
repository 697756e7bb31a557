#pragma once
// The PID trend display: one loop of the running PLC sampled over the
// serial link every few seconds, its PV and output drawn as curves against
// the set point, its parameters and auto-tune state as texts, and the four
// commands automatic, manual, start and end auto-tune.

#include "pid/CPIDTrendChart.h"
#include "pid/CPIDTrendSampler.h"
#include "platform/ui/CFormView.h"

class CPIDModbusWorker;
struct CPIDMonitorBlock;
class QLabel;
class QLineEdit;
class QRadioButton;

constexpr UINT IDD_PID_DISP_VIEW = 313;
constexpr UINT IDC_PID_DISP_LOOP0 = 1324; // 1324..1331 "PID0".."PID7"
constexpr UINT IDC_PID_DISP_FIRST_STATIC = 1389; // 1389..1403 the status texts
constexpr UINT IDC_PID_DISP_CHART = 1404;
constexpr UINT IDC_PID_DISP_SAMPLE_TIME = 1405;
constexpr UINT IDC_PID_DISP_APPLY = 1406;
constexpr UINT IDC_PID_DISP_AUTO = 1336;
constexpr UINT IDC_PID_DISP_MANUAL = 1337;
constexpr UINT IDC_PID_DISP_TUNE_START = 6337;
constexpr UINT IDC_PID_DISP_TUNE_END = 6338;
constexpr UINT PID_SAMPLE_TIMER = 501;
constexpr int PID_TREND_LOOPS = 8;
constexpr int PID_DISP_STATICS = 15;
constexpr int PID_SAMPLE_SECONDS_MIN = 1;
constexpr int PID_SAMPLE_SECONDS_MAX = 600;

constexpr int PID_DISP_STATE_NONE = 1;
constexpr int PID_DISP_STATE_SAMPLING = 2;
constexpr BYTE PID_NO_LOOP = 255;

// Commands of the loop's panel bits.
constexpr BYTE PID_COMMAND_AUTO = 1;
constexpr BYTE PID_COMMAND_MANUAL = 2;
constexpr BYTE PID_COMMAND_TUNE_START = 3;
constexpr BYTE PID_COMMAND_TUNE_END = 4;

class CPIDDispView : public CFormView {
    DECLARE_DYNCREATE(CPIDDispView)
public:
    CPIDDispView();
    ~CPIDDispView() override;

    // The frame's worker; set before the initial update.
    void SetWorker(CPIDModbusWorker* worker) { m_worker = worker; }

    void OnInitialUpdate() override;

    // The user's actions.
    void OnLoopRadio(int loop);
    void OnApply();
    void OnCommand(BYTE command);
    // Timer 501.
    void SamplePIDValues();
    // Painting of the chart pane and its click.
    void OnDraw(CDC* dc);
    void OnChartClick(CPoint point);

    int GetDisplayState() const { return m_displayState; }
    int GetSampleSeconds() const { return m_sampleSeconds; }
    const CPIDTrendSampler& GetSampler() const { return m_sampler; }
    CRect GetChartRect() const;

protected:
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void StartPIDMonitor();
    // Reads the sample time box; FALSE after the range message.
    BOOL ReadSampleTime(int& seconds);
    void ShowPIDStatus(const PIDStatusTexts& texts);
    PIDChartInput ChartInput(const BYTE* image) const;
    CPIDMonitorBlock& Block() const;

    CPIDModbusWorker* m_worker = nullptr;
    int m_sampleSeconds = 3;
    int m_displayState = PID_DISP_STATE_NONE;
    CPIDTrendSampler m_sampler;
    CPIDTrendChart m_chart;
    CWnd* m_chartPane = nullptr;
    QRadioButton* m_radios[PID_TREND_LOOPS] = {};
    QLabel* m_statics[PID_DISP_STATICS] = {};
    QLineEdit* m_sampleTime = nullptr;
};
