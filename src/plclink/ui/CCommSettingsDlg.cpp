#include "CCommSettingsDlg.h"

#include "CAnimGifCtrl.h"
#include "COnlineHelp.h"
#include "platform/ui/QtText.h"
#include "model/SharedStrings.h"
#include "plclink/CPlcCommPort.h"
#include "platform/CUserInterface.h"
#include "platform/ui/CSettingsStore.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {


// "PC机通讯设置"
const char* const kCommSettingsHelpTopic = "PC\xBB\xFA\xCD\xA8\xD1\xB6\xC9\xE8\xD6\xC3";

struct BaudItem {
    const char* text;
    int rate;
};

// The baud rate list; a rate not listed selects 9600.
const BaudItem kBaudItems[] = {
    {"1200", 1200}, {"2400", 2400}, {"4800", 4800}, {"9600", 9600}, {"19200", 19200}, {"38400", 38400},
};
constexpr int kDefaultBaudItem = 3;


template <class T>
T* Named(const char* id, QWidget* parent)
{
    T* widget = new T(parent);
    widget->setObjectName(id);
    return widget;
}

int Number(const QString& text)
{
    return text.trimmed().toInt();
}

} // namespace

CCommSettingsDlg::CCommSettingsDlg(const CSettingsStore& settings, const std::vector<std::string>& ports, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_search(*this)
{
    setWindowTitle("Communications");
    m_picture = Named<QLabel>("1247", this);
    m_animation = Named<CAnimGifCtrl>("1246", this);
    m_status = Named<QLineEdit>("1243", this);
    m_status->setReadOnly(true);
    m_port = Named<QComboBox>("2042", this);
    m_station = Named<QComboBox>("2047", this);
    m_baud = Named<QComboBox>("2043", this);
    m_parity = Named<QComboBox>("2044", this);
    m_dataBits = Named<QComboBox>("2045", this);
    m_stopBits = Named<QComboBox>("2046", this);
    QLineEdit* pc = Named<QLineEdit>("2041", this);
    pc->setText("0");
    pc->setEnabled(false);
    pc->hide();
    QLabel* pcLabel = new QLabel(ToQString("PC\xBB\xFA\xA3\xBA"), this);
    pcLabel->hide();
    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("1");
    m_cancel = new QPushButton("Cancel", this);
    m_cancel->setObjectName("2");
    m_searchButton = new QPushButton("&Search", this);
    m_searchButton->setObjectName("1238");
    m_stop = new QPushButton("S&top", this);
    m_stop->setObjectName("1240");

    QFormLayout* fields = new QFormLayout;
    fields->addRow("Port:", m_port);
    fields->addRow("Remote:", m_station);
    fields->addRow("Baud Rate:", m_baud);
    fields->addRow("Parity:", m_parity);
    fields->addRow("Data Bits:", m_dataBits);
    fields->addRow("Stop Bits:", m_stopBits);
    QHBoxLayout* search = new QHBoxLayout;
    search->addWidget(m_searchButton);
    search->addWidget(m_stop);
    search->addWidget(m_picture);
    search->addWidget(m_animation);
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(COnlineHelp::Attach(this, "1236", kCommSettingsHelpTopic));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(search);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &CCommSettingsDlg::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_searchButton, &QPushButton::clicked, this, &CCommSettingsDlg::OnSearch);
    connect(m_stop, &QPushButton::clicked, this, &CCommSettingsDlg::OnStop);
    connect(m_dataBits, &QComboBox::currentIndexChanged, this, &CCommSettingsDlg::OnDataBitsChange);
    OnInitDialog(ports);
}

CCommSettingsDlg::~CCommSettingsDlg()
{
    EndSearch();
    m_animation->UnLoad();
}

void CCommSettingsDlg::OnInitDialog(const std::vector<std::string>& ports)
{
    std::vector<std::string> sorted = ports;
    std::sort(sorted.begin(), sorted.end());
    for (const std::string& port : sorted)
        m_port->addItem(ToQString(port));
    if (m_port->count() == 0) {
        ShowMessage("Note", "No serial port on this computer.", MB_OK | MB_ICONINFORMATION);
    } else {
        m_port->setCurrentIndex(0);
        QString current = ToQString(g_PlcCommPort.PortName);
        for (int k = 0; k < m_port->count(); ++k) {
            if (!current.isEmpty() && m_port->itemText(k).startsWith(current)) {
                m_port->setCurrentIndex(k);
                break;
            }
        }
    }
    for (int station = CStationSearch::FirstStation; station <= CStationSearch::LastStation; ++station)
        m_station->addItem(QString::number(station));
    for (const BaudItem& item : kBaudItems)
        m_baud->addItem(item.text);
    for (const char* parity : kParityNames)
        m_parity->addItem(parity);
    m_dataBits->blockSignals(true);
    m_dataBits->addItems({"", "8"});
    m_dataBits->blockSignals(false);
    m_stopBits->addItem("1");
    FillCombos();
    m_picture->setPixmap(QPixmap(":/Bitmap/273"));
    m_picture->show();
    m_animation->hide();
    // Without its picture the dialog simply does not animate.
    m_animation->Load("272", "Gif");
}

void CCommSettingsDlg::FillCombos()
{
    const CPlcCommPort& port = g_PlcCommPort;
    m_station->setCurrentIndex(port.Station - 1);
    int baudIndex = kDefaultBaudItem;
    for (int k = 0; k < static_cast<int>(std::size(kBaudItems)); ++k) {
        if (kBaudItems[k].rate == port.BaudRate)
            baudIndex = k;
    }
    m_baud->setCurrentIndex(baudIndex);
    m_dataBits->setCurrentIndex(1);
    m_parity->setCurrentIndex(port.ParityIndex);
    m_stopBits->setCurrentIndex(port.StopBits - 1);
}

void CCommSettingsDlg::EnableControls(BOOL enable)
{
    for (QWidget* control : {static_cast<QWidget*>(m_ok), static_cast<QWidget*>(m_cancel),
                             static_cast<QWidget*>(m_searchButton), static_cast<QWidget*>(m_port),
                             static_cast<QWidget*>(m_station), static_cast<QWidget*>(m_baud),
                             static_cast<QWidget*>(m_parity), static_cast<QWidget*>(m_dataBits),
                             static_cast<QWidget*>(m_stopBits)})
        control->setEnabled(enable != FALSE);
}

void CCommSettingsDlg::OnDataBitsChange()
{
    if (m_dataBits->currentText().isEmpty())
        m_dataBits->setCurrentIndex(1);
}

void CCommSettingsDlg::OnOK()
{
    CPlcCommPort& port = g_PlcCommPort;
    port.Station = Number(m_station->currentText());
    if (!m_port->currentText().isEmpty())
        port.PortName = FromQString(m_port->currentText());
    port.BaudRate = Number(m_baud->currentText());
    port.DataBits = static_cast<BYTE>(Number(m_dataBits->currentText()));
    port.StopBits = static_cast<BYTE>(Number(m_stopBits->currentText()));
    for (BYTE k = 0; k < std::size(kParityNames); ++k) {
        if (m_parity->currentText() == kParityNames[k])
            port.ParityIndex = k;
    }
    m_settings.WriteString(kSectionCOM, kKeyDestAddr, FromQString(m_station->currentText()));
    m_settings.WriteString(kSectionCOM, kKeyPort, FromQString(m_port->currentText()));
    m_settings.WriteString(kSectionCOM, kKeyBaud, FromQString(m_baud->currentText()));
    m_settings.WriteString(kSectionCOM, kKeyParity, FromQString(m_parity->currentText()));
    m_settings.WriteString(kSectionCOM, kKeyDataBits, FromQString(m_dataBits->currentText()));
    m_settings.WriteString(kSectionCOM, kKeyStopBits, FromQString(m_stopBits->currentText()));
    accept();
}

void CCommSettingsDlg::OnSearch()
{
    if (m_port->currentText().isEmpty())
        return;
    if (!m_search.Start(FromQString(m_port->currentText())))
        return;
    m_picture->hide();
    m_animation->show();
    if (!m_animation->IsPlaying())
        m_animation->Draw();
}

void CCommSettingsDlg::ShowStillPicture()
{
    m_picture->show();
    if (m_animation->IsPlaying())
        m_animation->Stop();
    m_animation->hide();
}

void CCommSettingsDlg::OnStop()
{
    m_search.RequestStop();
}

void CCommSettingsDlg::EndSearch()
{
    m_search.RequestStop();
    m_search.Join();
}

void CCommSettingsDlg::done(int result)
{
    // The worker uses the port and reports to this dialog: it ends first.
    EndSearch();
    ShowStillPicture();
    QDialog::done(result);
}

void CCommSettingsDlg::OnSearchStatus(const std::string& text)
{
    QString status = ToQString(text);
    QMetaObject::invokeMethod(this, [this, status] { m_status->setText(status); }, Qt::QueuedConnection);
}

void CCommSettingsDlg::OnSearchControlsEnabled(BOOL enable)
{
    QMetaObject::invokeMethod(this, [this, enable] { EnableControls(enable); }, Qt::QueuedConnection);
}

void CCommSettingsDlg::OnSearchFinished(int result)
{
    QMetaObject::invokeMethod(this, [this, result] { SearchEnded(result); }, Qt::QueuedConnection);
}

void CCommSettingsDlg::SearchEnded(int result)
{
    m_search.Join();
    ShowStillPicture();
    if (result == 1)
        FillCombos();
    emit SearchFinished(result);
}
