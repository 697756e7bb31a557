#include "CPageCPUCom.h"

#include "CpuPageControls.h"
#include "model/OpenHelpTopic.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

IMPLEMENT_DYNAMIC(CPageCPUCom, CPropertyPage)

namespace {

struct CPortRow {
    const char* port0Label;
    const char* port1Label;
    UINT port0Id;
    UINT port1Id;
};

// In the order of CpuPortList.
constexpr CPortRow kPortRows[PORT_LIST_COUNT] = {
    {"&Address:", "A&ddress:", 2048, 2057},   {"&Baudrate:", "Ba&udrate:", 2049, 2053},
    {"&Parity:", "Pa&rity:", 2050, 2054},     {"Da&taBits:", "DataB&its:", 2051, 2055},
    {"&StopBits:", "St&opBits:", 2052, 2056},
};

constexpr UINT ID_MODBUS_MASTER = 1245;
constexpr UINT ID_TIMEOUT_LABEL = 1278;
constexpr UINT ID_TIMEOUT = 1279;
constexpr UINT ID_RETRY_LABEL = 1280;
constexpr UINT ID_RETRIES = 1281;
constexpr UINT ID_MS_LABEL = 1282;
constexpr UINT ID_TIMES_LABEL = 1283;

constexpr int kGroupX[CPU_PORT_COUNT] = {7, 145};
constexpr int kGroupWidth = 130;
constexpr int kRowTop = 20;
constexpr int kRowStep = 16;

} // namespace

CPageCPUCom::CPageCPUCom(CZULAppData& app) : CPropertyPage(IDD_CPU_COM_PAGE, "Communication Ports"), m_model(app) {}

void CPageCPUCom::BuildControls()
{
    using namespace CpuPageControls;
    const char* groups[CPU_PORT_COUNT] = {"Port0 (RS232/RS485)", "Port1 (RS485)"};
    for (int port = 0; port < CPU_PORT_COUNT; ++port) {
        const int x = kGroupX[port];
        Group(this, groups[port], x, 5, kGroupWidth, 112);
        for (int list = 0; list < PORT_LIST_COUNT; ++list) {
            const CPortRow& row = kPortRows[list];
            const int y = kRowTop + kRowStep * list;
            QLabel* label = Label(this, port == 0 ? row.port0Label : row.port1Label, x + 6, y + 2, 45, 10);
            m_lists[port][list] = DropList(this, port == 0 ? row.port0Id : row.port1Id, x + 55, y, 65);
            label->setBuddy(m_lists[port][list]);
        }
        QComboBox* dataBits = m_lists[port][PORT_LIST_DATA_BITS];
        connect(dataBits, &QComboBox::activated, this, [this, port] {
            ReadControls();
            m_model.OnDataBitsChanged(port);
            ShowValues();
        });
    }
    m_master = CheckBox(this, "Modbus Master", ID_MODBUS_MASTER, kGroupX[1] + 6, 101, 80);
    connect(m_master, &QCheckBox::clicked, this, [this] {
        ReadControls();
        m_model.OnModbusMasterClicked();
        ShowValues();
    });
    Label(this, "Timeout", 7, 127, 36, 10, ID_TIMEOUT_LABEL);
    m_timeout = Field(this, ID_TIMEOUT, 45, 125, 40);
    Label(this, "ms", 88, 127, 15, 10, ID_MS_LABEL);
    Label(this, "Retry", 115, 127, 25, 10, ID_RETRY_LABEL);
    m_retries = Field(this, ID_RETRIES, 142, 125, 30);
    Label(this, "\xB4\xCE", 175, 127, 10, 10, ID_TIMES_LABEL)->hide();
}

BOOL CPageCPUCom::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    BuildControls();
    m_model.OnInitDialog();
    ShowValues();
    return TRUE;
}

void CPageCPUCom::ReadControls()
{
    for (int port = 0; port < CPU_PORT_COUNT; ++port)
        for (int list = 0; list < PORT_LIST_COUNT; ++list)
            m_model.selection[port][list] = m_lists[port][list]->currentIndex();
    m_model.master = m_master->isChecked();
    m_model.timeoutText = FromQString(m_timeout->text());
    m_model.retriesText = FromQString(m_retries->text());
}

void CPageCPUCom::ShowValues()
{
    for (int port = 0; port < CPU_PORT_COUNT; ++port) {
        for (int list = 0; list < PORT_LIST_COUNT; ++list) {
            QComboBox* combo = m_lists[port][list];
            CpuPageControls::FillList(combo, CPageCPUComModel::ListItems(static_cast<CpuPortList>(list)),
                                      m_model.selection[port][list]);
            combo->setEnabled(port == 0 || m_model.port1Enabled);
        }
    }
    m_lists[1][PORT_LIST_ADDRESS]->setEnabled(m_model.port1AddressEnabled);
    const QSignalBlocker blocker(m_master);
    m_master->setChecked(m_model.master);
    m_master->setEnabled(m_model.port1Enabled);
    m_timeout->setText(ToQString(m_model.timeoutText));
    m_retries->setText(ToQString(m_model.retriesText));
    m_timeout->setEnabled(m_model.masterFieldsEnabled);
    m_retries->setEnabled(m_model.masterFieldsEnabled);
}

void CPageCPUCom::SetDefaultSettings()
{
    ReadControls();
    m_model.SetDefaultSettings();
    ShowValues();
}

void CPageCPUCom::ReloadSettings()
{
    ReadControls();
    m_model.ReloadSettings();
    ShowValues();
}

BOOL CPageCPUCom::ApplyPortSettings()
{
    if (!IsWindow())
        return TRUE;
    ReadControls();
    return m_model.ApplyPortSettings();
}

void CPageCPUCom::OnHelp()
{
    OpenHelpTopic("CPU-tongxun");
}
