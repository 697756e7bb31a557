// The PID trend window from the main window, against libmodbus acting as the
// PLC on a pseudo-terminal: while it is open the PLC commands are disabled,
// its commands reach the loop's coils, and closing it ends the worker before
// the port closes, again and again.

#include "WorkbenchFixture.h"

#include "CModbusPlc.h"
#include "LinkTestSupport.h"

#include "model/CZULAppData.h"
#include "pid/ui/CPIDDispView.h"
#include "pid/ui/RegisterPidUiClasses.h"
#include "plclink/CPlcCommPort.h"
#include "shell/ui/CPIDDispFrm.h"
#include "support/ModalScript.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_PLC_DOWNLOAD = 32794;
constexpr UINT ID_PID_TREND = 61449;
constexpr int kCpuRowVB16 = 14; // "VB16-40AR" in the module catalogue
constexpr int kLanguageIL = 1;
constexpr int kWaitMs = 5000;
constexpr int kLoop = 3;
constexpr int kAutoCoil = 560 + kLoop;

class PIDTrendWindowTest : public WorkbenchFixture {
protected:
    void SetUp() override
    {
        WorkbenchFixture::SetUp();
        std::string error;
        ASSERT_TRUE(RegisterPidUiClasses(&error)) << error;
    }

    void NewProject()
    {
        App().DefaultCPU = kCpuRowVB16;
        App().DefaultPOULang = kLanguageIL;
        AnswerFileDialog(m_folder / "Trend.qpj");
        Command(ID_NEW_PROJECT);
    }

    CPIDDispFrm* TrendFrame() { return dynamic_cast<CPIDDispFrm*>(m_frame->GetSlot(SingletonWindow::PIDTrend).frame.data()); }

    template <class T>
    T* Control(CWnd* view, UINT id)
    {
        return view->findChild<T*>(QString::number(id));
    }

    CModbusPlc m_plc;
    CScopedTimeouts m_timeouts;
};

} // namespace

TEST_F(PIDTrendWindowTest, TrendWindowHoldsThePortAndSwitchesTheLoop)
{
    Start();
    NewProject();
    ASSERT_EQ(App().ProjectOpen, 1) << ::testing::PrintToString(m_ui.box.Texts());
    CScopedGlobalPort port(m_plc.Device());
    ASSERT_TRUE(CommandEnabled(ID_PLC_DOWNLOAD));
    ASSERT_TRUE(CommandEnabled(ID_PID_TREND));

    constexpr int kRounds = 5;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        Command(ID_PID_TREND);
        CPIDDispFrm* frame = TrendFrame();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(App().PIDTrendOpen, 1);
        EXPECT_FALSE(CommandEnabled(ID_PLC_DOWNLOAD)) << "the display has the port to itself";
        CWnd* view = frame->GetView();
        ASSERT_NE(dynamic_cast<CPIDDispView*>(view), nullptr);

        Control<QRadioButton>(view, IDC_PID_DISP_LOOP0 + kLoop)->click();
        EXPECT_TRUE(frame->GetWorker().IsRunning());
        const BYTE wanted = round % 2 == 0 ? 1 : 0;
        m_plc.SetCoil(kAutoCoil, wanted ? 0 : 1);
        Control<QPushButton>(view, wanted ? IDC_PID_DISP_AUTO : IDC_PID_DISP_MANUAL)->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_plc.Coil(kAutoCoil) == wanted; }, kWaitMs));

        QPointer<CPIDDispFrm> closing(frame);
        frame->SendMessage(WM_CLOSE);
        ASSERT_TRUE(QTest::qWaitFor([&] { return closing.isNull() && App().PIDTrendOpen == 0; }, kWaitMs));
        EXPECT_FALSE(g_PlcCommPort.IsOpen()) << "the worker ended and the port closed";
        EXPECT_TRUE(CommandEnabled(ID_PLC_DOWNLOAD));
    }
}
