#include "CMonitorThread.h"

#include "CPlcCommPort.h"
#include "PlcProtocol.h"
#include "model/CZULAppData.h"
#include "model/CZULStatus.h"
#include "platform/CUserInterface.h"

#include <chrono>


namespace {

constexpr DWORD kValueLockWaitMs = 100;
constexpr DWORD kPausePollMs = 10;

struct FailureMessage {
    int code;
    const char* caption;
    UINT icon;
    const char* text;
};

// What the user is told when a link failure ends monitoring.
const FailureMessage kFailureMessages[] = {
    {PLC_TIMEOUT, "Note", MB_ICONINFORMATION,
     "Communication time-out. \r\nCheck the port, communication parameters and the attached cable."},
    {PLC_WRONG_REPLY, "Communication Error", MB_ICONERROR,
     "PLC responsed wrongly.\r\nCheck the port, communication parameters and the attached cable."},
    {PLC_BLOCK_MISMATCH, "Communication Error", MB_ICONERROR,
     "PLC responsed wrongly.\r\nCheck the port, communication parameters and the attached cable."},
    {PLC_SEND_FAILED, "Communication Error", MB_ICONERROR,
     "Transmission failed.\r\nCheck the port, communication parameters and the attached cable."},
    {PLC_RECEIVE_FAILED, "Communication Error", MB_ICONERROR,
     " Receiving data failed.\r\nCheck the port, communication parameters and the attached cable. "},
    {PLC_CHECKSUM, "Communication Error", MB_ICONERROR,
     "Received data error (CRC check).\r\nCheck the port, communication parameters and the attached cable."},
    {PLC_LINE_ERROR, "Communication Error", MB_ICONERROR,
     "Parity error or Framing error.\r\nCheck the port, communication parameters and the attached cable."},
    {PLC_NOT_OPEN, "Communication Error", MB_ICONERROR, "The specified communication port is not open."},
    {PLC_SHORT_MONITOR_REPLY, "Communication Error", MB_ICONERROR,
     "An unpredictable communication error occured. \r\nPlease contact with us."},
};

const FailureMessage* FindFailureMessage(int code)
{
    for (const FailureMessage& row : kFailureMessages) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

int Word(const BYTE* p)
{
    return p[0] | (p[1] << 8);
}

int Dword(const BYTE* p)
{
    DWORD value = static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16)
                  | (static_cast<DWORD>(p[3]) << 24);
    return static_cast<int>(value);
}

CZULStatus* ItemOf(const CZULProject& project, WORD code)
{
    auto it = project.Monitor.MonitorCodeMap.find(code);
    return it != project.Monitor.MonitorCodeMap.end() ? it->second : nullptr;
}

} // namespace

CMonitorThread::CMonitorThread(std::function<void()> notify) : m_notify(std::move(notify)) {}

CMonitorThread::~CMonitorThread()
{
    RequestStop();
    if (m_thread.joinable())
        m_thread.join();
}

void CMonitorThread::Start()
{
    m_thread = std::thread([this] { m_exitCode = MonitorThreadProc(); });
}

void CMonitorThread::RequestStop()
{
    std::lock_guard<std::mutex> hold(m_stopGuard);
    m_stopRequested = true;
    m_stopSignal.notify_all();
}

bool CMonitorThread::StopRequested()
{
    std::lock_guard<std::mutex> hold(m_stopGuard);
    return m_stopRequested;
}

BOOL CMonitorThread::Finish(DWORD boundMs)
{
    RequestStop();
    if (!m_thread.joinable())
        return TRUE;
    BOOL ended = g_pAppData->MonitorEndEvent->Lock(boundMs);
    m_thread.join();
    return ended;
}

void CMonitorThread::PauseFor(DWORD ms)
{
    std::unique_lock<std::mutex> hold(m_stopGuard);
    m_stopSignal.wait_for(hold, std::chrono::milliseconds(ms), [this] { return m_stopRequested; });
}

BOOL CMonitorThread::StoreCycleValues(const std::vector<BYTE>& data)
{
    const CZULProject& project = g_pAppData->Project;
    const std::vector<WORD>& bytes = project.MonitorAddressLists[0];
    const std::vector<WORD>& words = project.MonitorAddressLists[1];
    const std::vector<WORD>& timers = project.MonitorAddressLists[2];
    const std::vector<WORD>& dwords = project.MonitorAddressLists[3];
    size_t needed = bytes.size() + 2 * words.size() + 3 * timers.size() + 4 * dwords.size();
    if (data.size() < needed)
        return FALSE;
    const BYTE* p = data.data();
    for (WORD code : bytes) {
        if (CZULStatus* item = ItemOf(project, code))
            item->value = p[0];
        p += 1;
    }
    for (WORD code : words) {
        if (CZULStatus* item = ItemOf(project, code))
            item->value = Word(p);
        p += 2;
    }
    // A timer's or counter's bit is its number's bit of the status byte.
    const int timerBase = g_pAppData->GetAreaBase("%T", FALSE);
    for (WORD code : timers) {
        if (CZULStatus* item = ItemOf(project, code)) {
            int bit = (((code - timerBase) / 2) % 8 + 8) % 8;
            item->statusBit = (p[0] >> bit) & 1;
            item->value = Word(p + 1);
        }
        p += 3;
    }
    for (WORD code : dwords) {
        if (CZULStatus* item = ItemOf(project, code))
            item->value = Dword(p);
        p += 4;
    }
    return TRUE;
}

UINT CMonitorThread::EndOnFailure(int code)
{
    // A failure after monitoring was switched off is the end of the last
    // exchange, not news for the user.
    const FailureMessage* message = g_pAppData->Monitoring.load() != 0 ? FindFailureMessage(code) : nullptr;
    if (message != nullptr) {
        std::string caption = message->caption;
        std::string text = message->text;
        UINT type = MB_OK | message->icon;
        CUserInterface::Poster().Post([caption, text, type] { ShowMessage(caption, text, type); });
    }
    g_pAppData->Monitoring = 0;
    g_pAppData->MonitorEndEvent->SetEvent();
    m_notify();
    return FindFailureMessage(code) != nullptr ? static_cast<UINT>(code) : static_cast<UINT>(PLC_MONITOR_ENDED);
}

UINT CMonitorThread::MonitorThreadProc()
{
    if (g_pAppData == nullptr)
        return 0;
    CZULAppData& app = *g_pAppData;
    app.MonitorEndEvent->ResetEvent();
    int retriesLeft = TimeoutRetries;
    while (app.Monitoring.load() != 0 && !StopRequested()) {
        if (app.MonitorPause.load() != 0) {
            PauseFor(kPausePollMs);
            continue;
        }
        int result = PLC_OK;
        {
            std::lock_guard<std::mutex> line(g_PlcCommPort.LineInUse());
            // A borrower that came while the last cycle was still under way goes first.
            if (app.MonitorPause.load() != 0)
                continue;
            m_cycle.clear();
            app.MonitorRoundEvent->ResetEvent();
            result = PlcBlockRead('L', m_cycle);
        }
        if (result == PLC_TIMEOUT && retriesLeft > 0) {
            --retriesLeft;
            continue;
        }
        if (result != PLC_OK)
            return EndOnFailure(result);
        retriesLeft = TimeoutRetries;
        app.MonitorRoundEvent->SetEvent();
        if (!app.MonitorValueLock.Lock(kValueLockWaitMs))
            continue;
        BOOL stored = StoreCycleValues(m_cycle);
        app.MonitorValueLock.Unlock();
        if (!stored)
            return EndOnFailure(PLC_SHORT_MONITOR_REPLY);
        if (app.Monitoring.load() != 0) {
            m_notify();
            PauseFor(CyclePauseMs);
        }
    }
    app.MonitorEndEvent->SetEvent();
    return 0;
}
