#include "CPageGenSetting.h"

#include "model/OpenHelpTopic.h"
#include "platform/ui/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

IMPLEMENT_DYNAMIC(CPageGenSetting, CPropertyPage)

namespace {

constexpr char HELP_TOPIC[] = "tongyongxuanxiang";

struct FormatRadio {
    const char* text;
    UINT id;
};
constexpr FormatRadio FORMAT_RADIOS[] = {
    {"Mixed", IDC_FORMAT_MIXED},
    {"DEC", IDC_FORMAT_DEC},
    {"HEX", IDC_FORMAT_HEX},
};

template <class T>
T* Named(T* control, UINT id)
{
    control->setObjectName(QString::number(id));
    return control;
}

void SetChecked(QCheckBox* box, int checked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(checked != 0);
}

} // namespace

CPageGenSetting::CPageGenSetting(CZULAppData& app)
    : CPropertyPage(IDD_GENERAL_SETTINGS, "General"), m_app(app)
{
}

BOOL CPageGenSetting::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (!m_language)
        BuildControls();
    m_loaded = LoadGeneralSettings(m_app);
    ShowControls();
    return TRUE;
}

void CPageGenSetting::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* defaults = new QGroupBox(QStringLiteral("Defaults"), this);
    auto* defaultsLayout = new QFormLayout(defaults);
    m_language = Named(new QComboBox(defaults), IDC_DEFAULT_LANGUAGE);
    m_language->addItems({QStringLiteral("IL"), QStringLiteral("LD")});
    m_cpu = Named(new QComboBox(defaults), IDC_DEFAULT_CPU);
    for (const CCpuListEntry& entry : CPU_LIST)
        m_cpu->addItem(ToQString(entry.model));
    defaultsLayout->addRow(QStringLiteral("Programming &Language:"), m_language);
    defaultsLayout->addRow(QStringLiteral("CPU Type for New Projects:"), m_cpu);
    layout->addWidget(defaults);

    auto* format = new QGroupBox(QStringLiteral("Integer Format while Monitoring"), this);
    auto* formatLayout = new QHBoxLayout(format);
    m_format = new QButtonGroup(this);
    int index = 0;
    for (const FormatRadio& radio : FORMAT_RADIOS) {
        auto* button = Named(new QRadioButton(ToQString(radio.text), format), radio.id);
        m_format->addButton(button, index++);
        formatLayout->addWidget(button);
    }
    layout->addWidget(format);

    auto* others = new QGroupBox(QStringLiteral("Others"), this);
    auto* othersLayout = new QVBoxLayout(others);
    m_compileBeforeDownload = Named(new QCheckBox(QStringLiteral("Compile the project before downloading"), others),
                                    IDC_COMPILE_BEFORE_DOWNLOAD);
    m_compileBeforeMonitoring = Named(
        new QCheckBox(QStringLiteral("Compile the project before monitoring"), others), IDC_COMPILE_BEFORE_MONITORING);
    m_compileBeforeDownload->setEnabled(false);
    m_compileBeforeMonitoring->setEnabled(false);
    othersLayout->addWidget(m_compileBeforeDownload);
    othersLayout->addWidget(m_compileBeforeMonitoring);
    layout->addWidget(others);
    layout->addStretch();

    const auto changed = [this] { SetModified(TRUE); };
    connect(m_language, &QComboBox::currentIndexChanged, this, changed);
    connect(m_cpu, &QComboBox::currentIndexChanged, this, changed);
    connect(m_format, &QButtonGroup::idClicked, this, changed);
    connect(m_compileBeforeDownload, &QCheckBox::clicked, this, changed);
    connect(m_compileBeforeMonitoring, &QCheckBox::clicked, this, changed);
}

void CPageGenSetting::ShowControls()
{
    SetChecked(m_compileBeforeDownload, m_loaded.compileBeforeDownload);
    SetChecked(m_compileBeforeMonitoring, m_loaded.compileBeforeMonitoring);
    const QSignalBlocker quietLanguage(m_language);
    const QSignalBlocker quietCpu(m_cpu);
    m_language->setCurrentIndex(m_loaded.languagePosition);
    m_cpu->setCurrentIndex(m_loaded.cpuPosition);
    if (QAbstractButton* radio = m_format->button(m_loaded.integerFormat)) {
        radio->setChecked(true);
        return;
    }
    // An unknown format ticks no radio button.
    m_format->setExclusive(false);
    for (QAbstractButton* radio : m_format->buttons())
        radio->setChecked(false);
    m_format->setExclusive(true);
}

CGeneralSettingsControls CPageGenSetting::ReadControls() const
{
    CGeneralSettingsControls controls;
    controls.compileBeforeDownload = m_compileBeforeDownload->isChecked() ? 1 : 0;
    controls.compileBeforeMonitoring = m_compileBeforeMonitoring->isChecked() ? 1 : 0;
    controls.integerFormat = m_format->checkedId();
    controls.languagePosition = m_language->currentIndex();
    controls.cpuPosition = m_cpu->currentIndex();
    return controls;
}

BOOL CPageGenSetting::ApplyGeneralSettings()
{
    if (!m_language)
        return TRUE;
    const CGeneralSettingsControls controls = ReadControls();
    StoreGeneralSettings(m_app, m_loaded, controls);
    m_loaded = LoadGeneralSettings(m_app);
    m_loaded.cpuPosition = controls.cpuPosition;
    return TRUE;
}

void CPageGenSetting::OnHelp()
{
    OpenHelpTopic(HELP_TOPIC);
}
