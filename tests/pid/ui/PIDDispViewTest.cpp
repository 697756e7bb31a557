// The PID trend display against libmodbus acting as the PLC on a
// pseudo-terminal: loop radios, sampling from the loop's registers, the
// status texts, the four commands on the loop's coils, the sample time, the
// painted chart, and opening and closing without hangs.

#include "CModbusPlc.h"
#include "LinkTestSupport.h"

#include "model/CZULAppData.h"
#include "pid/ui/CPIDDispView.h"
#include "plclink/CPlcCommPort.h"
#include "plclink/PIDModbus.h"
#include "platform/ui/CWnd.h"
#include "support/ScriptedUi.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int kWaitMs = 5000;
constexpr int kLoop = 2;
constexpr int kLoopRegister = 1450; // (29 - 2) * 50 + 100
constexpr int kViewWidth = 820;
constexpr int kViewHeight = 600;
constexpr UINT kViewId = 61448;
// The chart's left axis and base line in the view, three pixels a percent.
constexpr int kChartLeft = 45;
constexpr int kChartBase = 540;

// Register k of the loop holds bytes 2k (low) and 2k + 1 (high) of its table.
constexpr int kRegPVH = 0;
constexpr int kRegPVL = 1;
constexpr int kRegOutH = 2;
constexpr int kRegOutL = 3;
constexpr int kRegCycle = 4;
constexpr int kRegPV = 6;
constexpr int kRegSP = 7;
constexpr int kRegOut = 12;
constexpr int kRegTuneBytes = 20; // control (low), status (high)
constexpr int kRegResult = 21;    // result (low), PVFIL (high)
constexpr int kRegATKP = 30;      // float at byte 60

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class PIDDispViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = g_pAppData;
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_port = std::make_unique<CScopedGlobalPort>(m_plc.Device());
        m_parent.Create(nullptr, CRect(0, 0, kViewWidth, kViewHeight), 0, WS_VISIBLE);
        SetLoopValues({1000, 0, 32000, 0, 250, 500, 16000});
    }

    void TearDown() override
    {
        Close();
        m_port.reset();
        g_pAppData = m_previous;
    }

    struct LoopValues {
        int pvH, pvL, outH, outL, pv, sp, out;
    };
    void SetLoopValues(const LoopValues& v)
    {
        Register(kRegPVH, v.pvH);
        Register(kRegPVL, v.pvL);
        Register(kRegOutH, v.outH);
        Register(kRegOutL, v.outL);
        Register(kRegPV, v.pv);
        Register(kRegSP, v.sp);
        Register(kRegOut, v.out);
    }
    void Register(int index, int value) { m_plc.SetRegister(kLoopRegister + index, static_cast<WORD>(value)); }
    void Float(int index, float value)
    {
        DWORD bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Register(index, LOWORD(bits));
        Register(index + 1, HIWORD(bits));
    }

    void Open()
    {
        m_view = new CPIDDispView;
        ASSERT_TRUE(m_view->Create(&m_parent, CRect(0, 0, kViewWidth, kViewHeight), kViewId, WS_CHILD | WS_VISIBLE));
        m_view->SetWorker(&m_worker);
        m_view->OnInitialUpdate();
    }

    // Closing the display as its frame does: the view goes, and with it the worker and the port.
    void Close()
    {
        if (m_view)
            m_view->DestroyWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_view.isNull(); }, kWaitMs));
    }

    template <class T>
    T* Control(UINT id) const
    {
        return m_view->findChild<T*>(QString::number(id));
    }
    QString Static(int index) const { return Control<QLabel>(IDC_PID_DISP_FIRST_STATIC + static_cast<UINT>(index))->text(); }
    void ChooseLoop(int loop) { Control<QRadioButton>(IDC_PID_DISP_LOOP0 + static_cast<UINT>(loop))->click(); }
    CPIDMonitorBlock& Block() { return m_app->PIDMonitor; }

    // Ticks until the sample just taken shows the PV percentage.
    bool SampleUntilPV(float percent)
    {
        return QTest::qWaitFor(
            [&] {
                m_view->SamplePIDValues();
                const CPIDTrendSampler& samples = m_view->GetSampler();
                return samples.SampleCount() > 2 && samples.PVPercent(samples.SampleCount() - 1) == percent;
            },
            kWaitMs);
    }

    // The chart with more than twenty samples of the set point at 20 %, PV
    // at 50 % and the output at 80 %; false when PV never showed.
    bool OpenSampledChart()
    {
        SetLoopValues({1000, 0, 1000, 0, 500, 200, 800});
        Open();
        ChooseLoop(kLoop);
        if (!SampleUntilPV(50.0f))
            return false;
        for (int i = 0; i < 20; ++i)
            m_view->SamplePIDValues();
        return true;
    }

    // The view as painted, kept under a name when screenshots are asked for.
    QImage GrabView(const char* screenshot = nullptr) const
    {
        const QImage image = m_view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const char* folder = std::getenv("ORVEL_SCREENSHOT_DIR");
        if (screenshot && folder)
            image.save(QString::fromStdString(std::string(folder) + "/" + screenshot));
        return image;
    }

    CZULAppData* m_previous = nullptr;
    std::unique_ptr<CZULAppData> m_app;
    CScopedUi m_ui;
    CModbusPlc m_plc;
    CScopedTimeouts m_timeouts;
    std::unique_ptr<CScopedGlobalPort> m_port;
    CWnd m_parent;
    CPIDModbusWorker m_worker;
    QPointer<CPIDDispView> m_view;
};

} // namespace

TEST_F(PIDDispViewTest, NothingRunsUntilALoopIsChosen)
{
    Open();
    EXPECT_EQ(m_view->GetDisplayState(), PID_DISP_STATE_NONE);
    EXPECT_EQ(Block().MonitorLoop, PID_NO_LOOP);
    EXPECT_EQ(Control<QLineEdit>(IDC_PID_DISP_SAMPLE_TIME)->text(), "3");
    EXPECT_FALSE(m_worker.IsRunning());
    for (int k = 0; k < PID_TREND_LOOPS; ++k) {
        QRadioButton* radio = Control<QRadioButton>(IDC_PID_DISP_LOOP0 + static_cast<UINT>(k));
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->text(), QString("PID%1").arg(k));
        EXPECT_FALSE(radio->isChecked());
    }
    EXPECT_EQ(Static(0), "KP =   TR =   TD =  ");
    EXPECT_EQ(Static(12), U("自整定状态： "));
    // No chart before the first loop: the chart area stays as the form paints it.
    const QImage before = m_view->grab().toImage();
    EXPECT_NE(before.pixelColor(45, 400), QColor(Qt::black));
    EXPECT_EQ(m_plc.Requests(), 0);
}

// The chosen loop's registers become samples as percentages of the ranges
// the status refresh reads, and the status texts follow the table.
TEST_F(PIDDispViewTest, RegistersOfTheChosenLoopBecomeSamplesAndStatus)
{
    Register(kRegCycle, 500);
    Register(kRegTuneBytes, 0x0580); // control 0x80 slow, PID, manual HYS/DEV; status 0x05
    Register(kRegResult, 0x0383);    // result 0x83 success; PVFIL 3
    Float(kRegATKP, 1.25f);
    Open();
    ChooseLoop(kLoop);
    EXPECT_EQ(m_view->GetDisplayState(), PID_DISP_STATE_SAMPLING);
    EXPECT_EQ(Block().MonitorLoop, kLoop);
    EXPECT_TRUE(m_worker.IsRunning());
    EXPECT_TRUE(Control<QRadioButton>(IDC_PID_DISP_LOOP0 + kLoop)->isChecked());

    ASSERT_TRUE(SampleUntilPV(25.0f)) << m_view->GetSampler().SampleCount();
    const CPIDTrendSampler& samples = m_view->GetSampler();
    const int last = samples.SampleCount() - 1;
    EXPECT_FLOAT_EQ(samples.XOUTPercent(last), 50.0f);
    EXPECT_EQ(samples.PVPoint(last).x, last);
    EXPECT_EQ(samples.PVPoint(last).y, 25);
    EXPECT_FLOAT_EQ(samples.PVPercent(0), 0.0f) << "the first sample comes from the cleared table";

    const struct {
        int index;
        const char* text;
    } statics[] = {
        {1, "PV_H = 1000 PV_L = 0 "},
        {2, "XOUTP_H = 32000 XOUTP_L = 0"},
        {3, "CYCLE = 500"},
        {4, "动态响应类型：慢速"},
        {5, "PID类型：PID"},
        {6, "滞后值和偏差值处理：手动"},
        {10, "PVFIL值：3"},
        {12, "自整定状态：第2个过渡过程"},
        {13, "自整定报警：无报警"},
        {14, "自整定成功：AT_KP = 1.25 AT_TR = 0.00 AT_TD = 0.00"},
    };
    for (const auto& s : statics)
        EXPECT_EQ(Static(s.index), U(s.text)) << s.index;

    // The same loop again changes nothing; another loop starts over from sample 0.
    const int count = samples.SampleCount();
    ChooseLoop(kLoop);
    EXPECT_EQ(samples.SampleCount(), count);
    ChooseLoop(kLoop + 1);
    EXPECT_EQ(samples.SampleCount(), 0);
    EXPECT_EQ(Block().MonitorLoop, kLoop + 1);
    EXPECT_FALSE(Control<QRadioButton>(IDC_PID_DISP_LOOP0 + kLoop)->isChecked());
}

// PV at the bottom and the top of its range, and an empty range, which
// gives 0 % instead of a division by zero.
TEST_F(PIDDispViewTest, PercentagesAtTheEdgesOfTheRange)
{
    const struct {
        LoopValues values;
        float pv;
    } cases[] = {
        {{1000, 200, 32000, 0, 200, 0, 0}, 0.0f},
        {{1000, 200, 32000, 0, 1000, 0, 0}, 100.0f},
        {{400, 400, 0, 0, 400, 0, 0}, 0.0f},
    };
    Open();
    ChooseLoop(kLoop);
    for (const auto& c : cases) {
        SetLoopValues(c.values);
        m_view->SamplePIDValues();
        m_view->SamplePIDValues();
        EXPECT_TRUE(SampleUntilPV(c.pv)) << c.values.pv;
        const CPIDTrendSampler& samples = m_view->GetSampler();
        EXPECT_FLOAT_EQ(samples.XOUTPercent(samples.SampleCount() - 1), 0.0f);
    }
}

// Each command button writes the loop's panel coil: automatic and manual
// coil 560 + n, start and end of auto-tune coil 568 + n.
TEST_F(PIDDispViewTest, CommandsSwitchTheLoopsCoils)
{
    const struct {
        UINT button;
        const char* text;
        int coil;
        BYTE value;
    } cases[] = {
        {IDC_PID_DISP_AUTO, "自动", 560 + kLoop, 1},
        {IDC_PID_DISP_MANUAL, "手动", 560 + kLoop, 0},
        {IDC_PID_DISP_TUNE_START, "开始", 568 + kLoop, 1},
        {IDC_PID_DISP_TUNE_END, "结束", 568 + kLoop, 0},
    };
    Open();
    ChooseLoop(kLoop);
    for (const auto& c : cases) {
        m_plc.SetCoil(c.coil, c.value ? 0 : 1);
        QPushButton* button = Control<QPushButton>(c.button);
        ASSERT_NE(button, nullptr) << c.text;
        EXPECT_EQ(button->text(), U(c.text));
        button->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_plc.Coil(c.coil) == c.value; }, kWaitMs)) << c.text;
    }
    // Sampling goes on after the commands.
    SetLoopValues({100, 0, 100, 0, 40, 0, 10});
    EXPECT_TRUE(SampleUntilPV(40.0f));
}

// The sample time box takes 1 to 600 seconds; outside that, the range
// message and nothing changes. A good time restarts with a timer that ticks
// on its own.
TEST_F(PIDDispViewTest, SampleTimeIsCheckedAndDrivesTheTimer)
{
    Open();
    QLineEdit* box = Control<QLineEdit>(IDC_PID_DISP_SAMPLE_TIME);
    box->setText("0");
    ChooseLoop(kLoop);
    EXPECT_EQ(Block().MonitorLoop, PID_NO_LOOP);
    EXPECT_FALSE(Control<QRadioButton>(IDC_PID_DISP_LOOP0 + kLoop)->isChecked());
    EXPECT_FALSE(m_worker.IsRunning());

    box->setText("3");
    ChooseLoop(kLoop);
    m_view->SamplePIDValues();
    const int count = m_view->GetSampler().SampleCount();
    for (const char* bad : {"0", "601", ""}) {
        m_ui.box.Clear();
        box->setText(bad);
        Control<QPushButton>(IDC_PID_DISP_APPLY)->click();
        EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string> {"Please enter an integer between 1 and 600."}) << bad;
        EXPECT_EQ(m_view->GetSampler().SampleCount(), count) << "no restart";
        EXPECT_EQ(m_view->GetSampleSeconds(), 3);
    }
    box->setText("1");
    Control<QPushButton>(IDC_PID_DISP_APPLY)->click();
    EXPECT_EQ(m_view->GetSampleSeconds(), 1);
    EXPECT_EQ(m_view->GetSampler().SampleCount(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_view->GetSampler().SampleCount() >= 2; }, kWaitMs))
        << "timer 501 samples every second";
}

// The chart as painted: axes black, the grid grey, the set point blue, PV
// red and the output green at their percentages.
TEST_F(PIDDispViewTest, ChartIsPaintedFromTheSamples)
{
    ASSERT_TRUE(OpenSampledChart());
    const QImage image = GrabView("pid-trend-chart.png");
    const int x0 = kChartLeft;
    const int y0 = kChartBase;
    const int samples = m_view->GetSampler().SampleCount();
    const struct {
        const char* what;
        int x, y;
        QColor colour;
    } probes[] = {
        {"left axis", x0, 400, Qt::black},
        {"right axis", x0 + 700, 400, Qt::black},
        {"base line", 300, y0, Qt::black},
        {"chart background", 400, 305, Qt::white},
        {"set point at 20 %", x0 + samples / 2, y0 - 20 * 3, QColor(0, 0, 255)},
        {"PV at 50 %", x0 + samples - 2, y0 - 50 * 3, QColor(255, 0, 0)},
        {"output at 80 %", x0 + samples - 2, y0 - 80 * 3, QColor(0, 255, 0)},
    };
    for (const auto& p : probes)
        EXPECT_EQ(image.pixelColor(p.x, p.y), p.colour) << p.what;
    int grey = 0;
    for (int x = x0 + 6; x < x0 + 700 - 6; ++x)
        grey += image.pixelColor(x, y0 - 30 * 3) == QColor(210, 210, 210) ? 1 : 0;
    EXPECT_GT(grey, 100) << "the dotted grid line at 30 %";
    EXPECT_LT(grey, 690) << "dotted, not solid";
}

// A click in the chart puts the dashed cursor on the sample under it, with
// its value box.
TEST_F(PIDDispViewTest, ClickPlacesTheCursorOnTheSample)
{
    ASSERT_TRUE(OpenSampledChart());
    const int x0 = kChartLeft;
    const int y0 = kChartBase;
    const int top = y0 - 102 * 3;
    const int sample = 12;
    const auto darkInColumn = [&](const QImage& image, int x) {
        int dark = 0;
        for (int y = top + 40; y < y0 - 5; ++y)
            dark += image.pixelColor(x, y) == QColor(Qt::black) ? 1 : 0;
        return dark;
    };
    const QImage before = GrabView();
    QWidget* pane = m_view->GetForm()->childAt(x0 + sample, 400);
    ASSERT_NE(pane, nullptr);
    QTest::mouseClick(pane, Qt::LeftButton, Qt::NoModifier, pane->mapFrom(m_view->GetForm(), QPoint(x0 + sample, 400)));
    const QImage after = GrabView("pid-trend-cursor.png");
    EXPECT_EQ(darkInColumn(before, x0 + sample), 0);
    const int dashes = darkInColumn(after, x0 + sample);
    EXPECT_GT(dashes, 50) << "the cursor line";
    EXPECT_LT(dashes, y0 - 5 - top - 40) << "dashed, not solid";
    int edge = 0;
    for (int y = top + 30; y <= top + 30 + 60; ++y)
        edge += after.pixelColor(x0 + sample + 20 + 100, y) == QColor(Qt::black) ? 1 : 0;
    EXPECT_GT(edge, 10) << "the value box's right edge";
}

// Opening and closing again and again: each close ends the worker before
// the port closes, and nothing hangs.
TEST_F(PIDDispViewTest, OpenAndCloseRepeatedly)
{
    constexpr int kRounds = 20;
    for (int round = 0; round < kRounds; ++round) {
        Open();
        ChooseLoop(round % PID_TREND_LOOPS == 0 ? kLoop : round % PID_TREND_LOOPS);
        m_view->SamplePIDValues();
        if (round % 2 == 0)
            Control<QPushButton>(IDC_PID_DISP_AUTO)->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return g_PlcCommPort.IsOpen(); }, kWaitMs)) << round;
        Close();
        ASSERT_TRUE(m_view.isNull()) << round;
        EXPECT_FALSE(m_worker.IsRunning()) << round;
        EXPECT_FALSE(g_PlcCommPort.IsOpen()) << round;
    }
    // The PLC still answers: no request was left half-sent on the line.
    Open();
    ChooseLoop(kLoop);
    EXPECT_TRUE(SampleUntilPV(25.0f));
}
