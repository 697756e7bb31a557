#include "CStationSearch.h"

#include "CPlcCommPort.h"
#include "PlcProtocol.h"

namespace {

// Fastest rates first.
const int kSearchBaudRates[] = {38400, 19200, 9600, 4800, 2400, 1200};
const BYTE kSearchParities[] = {0, 1, 2};

} // namespace

CStationSearch::CStationSearch(IStationSearchObserver& observer) : m_observer(observer)
{
}

CStationSearch::~CStationSearch()
{
    RequestStop();
    Join();
}

BOOL CStationSearch::Start(const std::string& portName)
{
    if (m_running.load())
        return FALSE;
    Join();
    g_PlcCommPort.PortName = portName;
    if (!g_PlcCommPort.OpenRaw()) {
        m_observer.OnSearchStatus("Failed to initialize the port.");
        g_PlcCommPort.Close();
        return FALSE;
    }
    m_portName = portName;
    m_stop.store(0);
    m_running.store(true);
    m_thread = std::thread([this] { SearchPlcThread(); });
    return TRUE;
}

void CStationSearch::RequestStop()
{
    m_stop.store(1);
}

void CStationSearch::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

BOOL CStationSearch::IsRunning() const
{
    return m_running.load();
}

int CStationSearch::SearchPlcThread()
{
    CPlcCommPort kept;
    kept.CopySettings(g_PlcCommPort);
    m_observer.OnSearchStatus("Searching...");
    m_observer.OnSearchControlsEnabled(FALSE);
    CPlcCommPort& port = g_PlcCommPort;
    port.PortName = m_portName;
    port.StopBits = 1;
    port.DataBits = 8;
    for (int station = FirstStation; station <= LastStation; ++station) {
        for (int baudRate : kSearchBaudRates) {
            for (BYTE parity : kSearchParities) {
                port.Station = station;
                port.BaudRate = baudRate;
                port.ParityIndex = parity;
                if (m_stop.load() != 0) {
                    m_observer.OnSearchStatus("Stopped");
                    return Finish(FALSE, kept);
                }
                if (!port.Configure()) {
                    m_observer.OnSearchStatus("Failed to operate the port.");
                    return Finish(FALSE, kept);
                }
                if (PlcProbe() == PLC_OK) {
                    m_observer.OnSearchStatus("Searching completed successfully.");
                    return Finish(TRUE, kept);
                }
            }
        }
    }
    m_observer.OnSearchStatus("No suitable parameters.");
    return Finish(FALSE, kept);
}

int CStationSearch::Finish(BOOL found, const CPlcCommPort& kept)
{
    m_observer.OnSearchControlsEnabled(TRUE);
    g_PlcCommPort.Close();
    if (!found)
        g_PlcCommPort.CopySettings(kept);
    int result = found ? 1 : -1;
    m_running.store(false);
    m_observer.OnSearchFinished(result);
    return result;
}
