#include "CPageCPURetain.h"

#include "CpuPageControls.h"
#include "model/OpenHelpTopic.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cstdlib>
#include <string>

IMPLEMENT_DYNAMIC(CPageCPURetain, CPropertyPage)

namespace {

struct CRangeRow {
    const char* label;
    UINT areaId;
    UINT startId;
    UINT lengthId;
};

constexpr CRangeRow kRangeRows[CPU_RETAIN_RANGES] = {
    {"Range 1:", 1111, 1184, 1189},
    {"Range 2:", 1102, 1196, 1199},
    {"Range 3:", 1106, 1221, 1223},
    {"Range 4:", 1109, 1227, 1244},
};

void ShowNumber(QSpinBox* spin, const std::string& text)
{
    const QSignalBlocker blocker(spin);
    spin->setValue(std::atoi(text.c_str()));
}

} // namespace

CPageCPURetain::CPageCPURetain(CZULAppData& app) : CPropertyPage(IDD_CPU_RETAIN_PAGE, "Retentive Ranges"), m_model(app)
{
}

void CPageCPURetain::BuildControls()
{
    using namespace CpuPageControls;
    Label(this, "Data Area", 60, 12, 45, 10);
    Label(this, "Start", 120, 12, 45, 10);
    Label(this, "Length", 180, 12, 45, 10);
    for (int range = 0; range < CPU_RETAIN_RANGES; ++range) {
        const CRangeRow& row = kRangeRows[range];
        const int y = 28 + 22 * range;
        Label(this, row.label, 15, y + 2, 40, 10);
        m_areas[range] = DropList(this, row.areaId, 60, y, 45);
        m_starts[range] = SpinField(this, row.startId, 120, y, 50);
        m_lengths[range] = SpinField(this, row.lengthId, 180, y, 50);
        connect(m_areas[range], &QComboBox::activated, this, [this, range] {
            ReadControls();
            m_model.OnAreaChanged(range);
            ShowValues();
        });
        connect(m_starts[range], &QSpinBox::valueChanged, this, [this, range] {
            ReadControls();
            m_model.OnStartChanged(range);
            ShowValues();
        });
        connect(m_lengths[range], &QSpinBox::valueChanged, this, [this, range] {
            ReadControls();
            m_model.OnLengthChanged(range);
            ShowValues();
        });
    }
}

BOOL CPageCPURetain::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    BuildControls();
    for (QComboBox* list : m_areas)
        CpuPageControls::FillList(list, CPageCPURetainModel::AreaItems(), 0);
    m_model.OnInitDialog();
    ShowValues();
    // Loading wrote every field once; the fields report that as their first change.
    for (int range = 0; range < CPU_RETAIN_RANGES; ++range) {
        m_model.OnStartChanged(range);
        m_model.OnLengthChanged(range);
    }
    return TRUE;
}

void CPageCPURetain::ReadControls()
{
    for (int range = 0; range < CPU_RETAIN_RANGES; ++range) {
        m_model.area[range] = m_areas[range]->currentIndex();
        m_model.startText[range] = std::to_string(m_starts[range]->value());
        m_model.lengthText[range] = std::to_string(m_lengths[range]->value());
    }
}

void CPageCPURetain::ShowValues()
{
    for (int range = 0; range < CPU_RETAIN_RANGES; ++range) {
        const QSignalBlocker blocker(m_areas[range]);
        m_areas[range]->setCurrentIndex(m_model.area[range]);
        ShowNumber(m_starts[range], m_model.startText[range]);
        ShowNumber(m_lengths[range], m_model.lengthText[range]);
    }
}

void CPageCPURetain::SetDefaultSettings()
{
    ReadControls();
    m_model.SetDefaultSettings();
    ShowValues();
}

void CPageCPURetain::ReloadSettings()
{
    ReadControls();
    m_model.ReloadSettings();
    ShowValues();
}

BOOL CPageCPURetain::ApplyRetentiveRanges()
{
    if (!IsWindow())
        return TRUE;
    ReadControls();
    return m_model.ApplyRetentiveRanges();
}

void CPageCPURetain::OnHelp()
{
    OpenHelpTopic("CPU-baochi");
}
