#include "CPIDDispView.h"

#include "model/CZULAppData.h"
#include "plclink/PIDModbus.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/QtText.h"
#include "toolkit/commandbars/draw/CTKUIMetrics.h"

#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <atomic>

namespace {

constexpr int FORM_WIDTH = 820;
constexpr int FORM_HEIGHT = 600;
constexpr int MS_PER_SECOND = 1000;
constexpr int INITIAL_SAMPLE_SECONDS = 3;
// Bytes of the loop table cleared at a start.
constexpr size_t CLEARED_TABLE_BYTES = 98;
constexpr BYTE READ_REGISTERS = 3;
const CRect CHART_FRAME(5, 210, 815, 595);

// The pane under the form's controls that shows the chart.
class CChartPane : public CWnd {
public:
    explicit CChartPane(CPIDDispView& view) : m_view(view) {}

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        m_view.OnDraw(&dc);
    }
    void OnLButtonDown(UINT flags, CPoint point) override
    {
        m_view.OnChartClick(point);
        CWnd::OnLButtonDown(flags, point);
    }

private:
    CPIDDispView& m_view;
};

QLabel* Static(CWnd* form, const std::string& text, const QRect& place, UINT id = 0)
{
    auto* label = new QLabel(ToQString(text), form);
    label->setGeometry(place);
    if (id != 0)
        label->setObjectName(QString::number(id));
    label->show();
    return label;
}

QPushButton* Button(CWnd* form, const std::string& text, const QRect& place, UINT id)
{
    auto* button = new QPushButton(ToQString(text), form);
    button->setGeometry(place);
    button->setObjectName(QString::number(id));
    button->show();
    return button;
}

void Group(CWnd* form, const std::string& title, const QRect& place)
{
    auto* group = new QGroupBox(ToQString(title), form);
    group->setGeometry(place);
    group->lower();
    group->show();
}

// The initial texts of the status statics 1389..1403.
const char* const STATUS_CAPTIONS[PID_DISP_STATICS] = {
    "KP =   TR =   TD =  ",
    "PV_H =   PV_L =  ",
    "XOUTP_H =   XOUTP_L =  ",
    "CYCLE =  ",
    "\xB6\xAF\xCC\xAC\xCF\xEC\xD3\xA6\xC0\xE0\xD0\xCD\xA3\xBA ",
    "PID\xC0\xE0\xD0\xCD\xA3\xBA ",
    "\xD6\xCD\xBA\xF3\xD6\xB5\xBA\xCD\xC6\xAB\xB2\xEE\xD6\xB5\xB4\xA6\xC0\xED\xA3\xBA ",
    "STEP\xB3\xF5\xD6\xB5\xA3\xBA ",
    "STEP\xD0\xDE\xD5\xFD\xD6\xB5\xA3\xBA ",
    "AT_HYS\xA3\xBA   AT_DEV\xA3\xBA ",
    "PVFIL\xD6\xB5\xA3\xBA ",
    "WDG\xD6\xB5\xA3\xBA ",
    "\xD7\xD4\xD5\xFB\xB6\xA8\xD7\xB4\xCC\xAC\xA3\xBA ",
    "\xD7\xD4\xD5\xFB\xB6\xA8\xB1\xA8\xBE\xAF\xA3\xBA ",
    "\xD7\xD4\xD5\xFB\xB6\xA8\xBD\xE1\xB9\xFB\xA3\xBA ",
};

} // namespace

IMPLEMENT_DYNCREATE(CPIDDispView, CFormView)

CPIDDispView::CPIDDispView()
    : CFormView(IDD_PID_DISP_VIEW, QSize(FORM_WIDTH, FORM_HEIGHT))
{
    CPIDMonitorBlock& block = Block();
    std::atomic_ref<BYTE>(block.MonitorLoop).store(PID_NO_LOOP);
    block.Command = PID_COMMAND_AUTO;
    block.CoilState = 0;
}

CPIDDispView::~CPIDDispView() = default;

CPIDMonitorBlock& CPIDDispView::Block() const
{
    return g_pAppData->PIDMonitor;
}

CRect CPIDDispView::GetChartRect() const
{
    return CHART_FRAME;
}

void CPIDDispView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    CWnd* form = GetForm();
    auto* pane = new CChartPane(*this);
    pane->Create(form, CRect(0, 0, FORM_WIDTH, FORM_HEIGHT), IDC_PID_DISP_CHART, WS_CHILD | WS_VISIBLE);
    m_chartPane = pane;

    Static(form, "\xD6\xBB\xD3\xD0\xD3\xC3PID\xCF\xF2\xB5\xBC\xC9\xFA\xB3\xC9\xB5\xC4PID, \xB2\xC5\xC4\xDC\xCA\xB9\xD3\xC3\xC7\xFA\xCF\xDF\xBC\xE0\xCA\xD3", QRect(10, 4, 400, 18));
    Static(form, "\xCF\xD4\xCA\xBE\xB5\xDA\xBC\xB8\xC2\xB7PID", QRect(10, 24, 95, 18));
    for (int k = 0; k < PID_TREND_LOOPS; ++k) {
        auto* radio = new QRadioButton(QString("PID%1").arg(k), form);
        radio->setObjectName(QString::number(IDC_PID_DISP_LOOP0 + static_cast<UINT>(k)));
        radio->setAutoExclusive(false);
        radio->setGeometry(110 + 58 * k, 24, 56, 18);
        radio->show();
        connect(radio, &QRadioButton::clicked, this, [this, k] { OnLoopRadio(k); });
        m_radios[k] = radio;
    }
    Group(form, "PID\xB2\xCE\xCA\xFD", QRect(8, 44, 262, 100));
    Group(form, "\xD7\xD4\xD5\xFB\xB6\xA8\xB2\xCE\xCA\xFD", QRect(278, 44, 344, 162));
    for (int i = 0; i < PID_DISP_STATICS; ++i) {
        const UINT id = IDC_PID_DISP_FIRST_STATIC + static_cast<UINT>(i);
        const QRect place = i < 4 ? QRect(16, 62 + 20 * i, 250, 18) : QRect(286, 60 + 13 * (i - 4), 332, 14);
        m_statics[i] = Static(form, STATUS_CAPTIONS[i], place, id);
    }
    Group(form, "PID\xD7\xD4\xB6\xAF/\xCA\xD6\xB6\xAF", QRect(630, 44, 182, 48));
    Group(form, "\xD7\xD4\xD5\xFB\xB6\xA8\xBF\xAA\xCA\xBC/\xBD\xE1\xCA\xF8", QRect(630, 96, 182, 48));
    const struct {
        const char* text;
        UINT id;
        BYTE command;
        QRect place;
    } commands[] = {
        {"\xD7\xD4\xB6\xAF", IDC_PID_DISP_AUTO, PID_COMMAND_AUTO, QRect(640, 62, 76, 24)},
        {"\xCA\xD6\xB6\xAF", IDC_PID_DISP_MANUAL, PID_COMMAND_MANUAL, QRect(726, 62, 76, 24)},
        {"\xBF\xAA\xCA\xBC", IDC_PID_DISP_TUNE_START, PID_COMMAND_TUNE_START, QRect(640, 114, 76, 24)},
        {"\xBD\xE1\xCA\xF8", IDC_PID_DISP_TUNE_END, PID_COMMAND_TUNE_END, QRect(726, 114, 76, 24)},
    };
    for (const auto& command : commands) {
        const BYTE code = command.command;
        connect(Button(form, command.text, command.place, command.id), &QPushButton::clicked, this,
            [this, code] { OnCommand(code); });
    }
    Static(form, "\xB2\xC9\xD1\xF9\xCA\xB1\xBC\xE4", QRect(630, 154, 56, 18));
    m_sampleTime = new QLineEdit(form);
    m_sampleTime->setObjectName(QString::number(IDC_PID_DISP_SAMPLE_TIME));
    m_sampleTime->setValidator(new QIntValidator(0, 999999, m_sampleTime));
    m_sampleTime->setGeometry(688, 152, 46, 22);
    m_sampleTime->show();
    Static(form, "\xC3\xEB", QRect(738, 154, 16, 18));
    connect(Button(form, "\xD3\xA6\xD3\xC3", QRect(758, 150, 54, 26), IDC_PID_DISP_APPLY), &QPushButton::clicked, this,
        [this] { OnApply(); });

    m_sampleSeconds = INITIAL_SAMPLE_SECONDS;
    m_sampleTime->setText(QString::number(m_sampleSeconds));
}

BOOL CPIDDispView::ReadSampleTime(int& seconds)
{
    bool ok = false;
    const int value = m_sampleTime->text().trimmed().toInt(&ok);
    if (!ok || value < PID_SAMPLE_SECONDS_MIN || value > PID_SAMPLE_SECONDS_MAX) {
        ShowMessage("",
            ByteString::Format("Please enter an integer between %d and %d.", PID_SAMPLE_SECONDS_MIN,
                PID_SAMPLE_SECONDS_MAX),
            MB_OK | MB_ICONEXCLAMATION);
        m_sampleTime->setFocus();
        m_sampleTime->selectAll();
        return FALSE;
    }
    seconds = value;
    return TRUE;
}

void CPIDDispView::OnLoopRadio(int loop)
{
    CPIDMonitorBlock& block = Block();
    if (std::atomic_ref<BYTE>(block.MonitorLoop).load() == loop) {
        m_radios[loop]->setChecked(true);
        return;
    }
    int seconds = 0;
    if (!ReadSampleTime(seconds)) {
        m_radios[loop]->setChecked(false);
        return;
    }
    m_sampleSeconds = seconds;
    for (int k = 0; k < PID_TREND_LOOPS; ++k)
        m_radios[k]->setChecked(k == loop);
    std::atomic_ref<BYTE>(block.MonitorLoop).store(static_cast<BYTE>(loop));
    StartPIDMonitor();
}

void CPIDDispView::OnApply()
{
    int seconds = 0;
    if (!ReadSampleTime(seconds))
        return;
    m_sampleSeconds = seconds;
    StartPIDMonitor();
}

void CPIDDispView::OnCommand(BYTE command)
{
    // The command is in place before the worker can see it pending.
    CPIDMonitorBlock& block = Block();
    std::atomic_ref<BYTE>(block.Command).store(command);
    std::atomic_ref<BYTE>(block.CommandPending).store(1);
    std::atomic_ref<BYTE>(block.RequestFlag).store(1);
}

void CPIDDispView::StartPIDMonitor()
{
    CPIDMonitorBlock& block = Block();
    std::atomic_ref<BYTE>(block.Command).store(PID_COMMAND_AUTO);
    block.CoilState = 0;
    ClearPIDRegisterImage(block, CLEARED_TABLE_BYTES);
    m_sampler.Start();
    m_chart.Reset();
    std::atomic_ref<BYTE>(block.CommandPending).store(0);
    std::atomic_ref<int>(block.FunctionCode).store(READ_REGISTERS);
    std::atomic_ref<int>(block.LastResult).store(0);
    const BYTE loop = std::atomic_ref<BYTE>(block.MonitorLoop).load();
    if (loop >= PID_TREND_LOOPS)
        return;
    SetTimer(PID_SAMPLE_TIMER, static_cast<UINT>(m_sampleSeconds * MS_PER_SECOND));
    if (m_displayState != PID_DISP_STATE_NONE)
        return;
    m_displayState = PID_DISP_STATE_SAMPLING;
    if (m_worker != nullptr)
        m_worker->Start(block);
}

void CPIDDispView::OnTimer(UINT_PTR id)
{
    if (id == PID_SAMPLE_TIMER) {
        SamplePIDValues();
        return;
    }
    CFormView::OnTimer(id);
}

void CPIDDispView::SamplePIDValues()
{
    if (m_sampler.SampleCount() >= PID_SAMPLE_LIMIT)
        return;
    CPIDMonitorBlock& block = Block();
    std::atomic_ref<BYTE>(block.RequestFlag).store(1);
    BYTE image[PID_IMAGE_BYTES];
    ReadPIDRegisterImage(block, image);
    PIDStatusTexts status;
    if (m_sampler.TakeSample(image, status) == PIDSampleResult::TakenWithStatus)
        ShowPIDStatus(status);
    if (m_chartPane != nullptr) {
        const CRect frame = CHART_FRAME;
        m_chartPane->InvalidateRect(&frame, TRUE);
    }
}

void CPIDDispView::ShowPIDStatus(const PIDStatusTexts& texts)
{
    const std::string* lines[PID_DISP_STATICS] = {&texts.Gains, &texts.PVRange, &texts.OutRange, &texts.Cycle,
        &texts.Response, &texts.Type, &texts.Deviation, &texts.StepStart, &texts.StepCorrection, &texts.HysDev,
        &texts.Filter, &texts.Watchdog, &texts.State, &texts.Alarm, &texts.Result};
    for (int i = 0; i < PID_DISP_STATICS; ++i)
        m_statics[i]->setText(ToQString(*lines[i]));
}

PIDChartInput CPIDDispView::ChartInput(const BYTE* image) const
{
    PIDChartInput input;
    input.Sampler = &m_sampler;
    input.SampleSeconds = m_sampleSeconds;
    input.SP = PIDImageShort(image, PID_IMAGE_SP);
    input.PV_L = PIDImageShort(image, PID_IMAGE_PV_L);
    input.Client = CRect(0, 0, FORM_WIDTH, FORM_HEIGHT);
    input.Frame = CHART_FRAME;
    input.UiFont = &GetUIMetrics()->fonts[CTKUIMetrics::kRegular];
    return input;
}

void CPIDDispView::OnDraw(CDC* dc)
{
    if (m_displayState != PID_DISP_STATE_SAMPLING)
        return;
    BYTE image[PID_IMAGE_BYTES];
    ReadPIDRegisterImage(Block(), image);
    m_chart.Draw(*dc, ChartInput(image));
}

void CPIDDispView::OnChartClick(CPoint point)
{
    if (m_chartPane == nullptr)
        return;
    BYTE image[PID_IMAGE_BYTES];
    ReadPIDRegisterImage(Block(), image);
    const CRect band = m_chart.Click(point, ChartInput(image));
    m_chartPane->InvalidateRect(&band, TRUE);
}

void CPIDDispView::OnDestroy()
{
    KillTimer(PID_SAMPLE_TIMER);
    if (m_worker != nullptr)
        m_worker->Stop();
    CFormView::OnDestroy();
}
