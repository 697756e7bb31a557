#include "CPageCPUIO.h"

#include "CpuPageControls.h"
#include "model/OpenHelpTopic.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

IMPLEMENT_DYNAMIC(CPageCPUIO, CPropertyPage)

namespace {

struct CFilterRow {
    UINT listId;
    const char* label;
    bool shown;
};

// By input group.
constexpr CFilterRow kFilterRows[CPU_FILTER_GROUPS] = {
    {2091, "I0.0-0.3", true}, {2094, "I0.4-0.7", true}, {2092, "I1.0-1.3", true}, {2095, "I1.4-1.7", true},
    {2093, "I2.0-2.3", true}, {2096, "I2.4-2.7", true}, {2097, "I3.0-", false},   {2098, "I3.4-", false},
};

constexpr UINT ID_I_START = 1130;
constexpr UINT ID_I_LENGTH = 1005;
constexpr UINT ID_Q_START = 1154;
constexpr UINT ID_Q_LENGTH = 1016;
constexpr UINT ID_SELECT_ALL = 1137;
constexpr UINT ID_FIRST_STOP_BOX = 1138;
constexpr UINT ID_ROW_LABELS[CPU_STOP_ROWS] = {1131, 1132};
constexpr int kStopColumns = 8;
constexpr int kStartFieldChars = 2;

} // namespace

CPageCPUIO::CPageCPUIO(CZULAppData& app) : CPropertyPage(IDD_CPU_IO_PAGE, "I/O Configuration"), m_model(app) {}

void CPageCPUIO::BuildControls()
{
    using namespace CpuPageControls;
    QLineEdit** starts[] = {&m_iStart, &m_qStart};
    QLineEdit** lengths[] = {&m_iLength, &m_qLength};
    const char* groups[] = {"I Address", "Q Address"};
    const UINT startIds[] = {ID_I_START, ID_Q_START};
    const UINT lengthIds[] = {ID_I_LENGTH, ID_Q_LENGTH};
    for (int area = 0; area < 2; ++area) {
        const int y = 5 + 44 * area;
        Group(this, groups[area], 7, y, 85, 40);
        Label(this, "Start:", 13, y + 13, 31, 10);
        *starts[area] = Field(this, startIds[area], 45, y + 11, 20);
        (*starts[area])->setMaxLength(kStartFieldChars);
        Label(this, "Length:", 13, y + 26, 31, 10);
        *lengths[area] = Field(this, lengthIds[area], 45, y + 24, 20);
        Label(this, "bytes", 68, y + 26, 22, 10);
        (*starts[area])->setEnabled(false);
        (*lengths[area])->setEnabled(false);
    }
    Group(this, "Input Filters(ms)", 100, 5, 176, 62);
    for (int group = 0; group < CPU_FILTER_GROUPS; ++group) {
        const CFilterRow& row = kFilterRows[group];
        const int x = 106 + 86 * (group % 2);
        const int y = 17 + 14 * (group / 2);
        QLabel* label = Label(this, row.label, x, y + 2, 34, 10);
        m_filters[group] = DropList(this, row.listId, x + 36, y, 40);
        label->setVisible(row.shown);
        m_filters[group]->setVisible(row.shown);
    }
    m_selectAll = CheckBox(this, "Select &All", ID_SELECT_ALL, 100, 76, 60);
    connect(m_selectAll, &QCheckBox::clicked, this, [this] {
        ReadControls();
        m_model.OnSelectAllClicked();
        ShowValues();
    });
    Group(this, "Output States while Stop", 7, 90, 269, 50);
    for (int column = 0; column < kStopColumns; ++column)
        Label(this, std::to_string(column).c_str(), 44 + 27 * column, 100, 10, 10);
    for (int row = 0; row < CPU_STOP_ROWS; ++row)
        m_rowLabels[row] = Label(this, "", 13, 112 + 13 * row, 28, 10, ID_ROW_LABELS[row]);
    for (int output = 0; output < CPU_STOP_BOXES; ++output) {
        const int x = 42 + 27 * (output % kStopColumns);
        const int y = 112 + 13 * (output / kStopColumns);
        m_stop[output] = CheckBox(this, "", ID_FIRST_STOP_BOX + output, x, y, 12);
        connect(m_stop[output], &QCheckBox::clicked, this, [this, output] {
            ReadControls();
            m_model.OnStopBoxClicked(output);
            ShowValues();
        });
    }
}

BOOL CPageCPUIO::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    BuildControls();
    m_model.OnInitDialog();
    ShowValues();
    return TRUE;
}

void CPageCPUIO::ReadControls()
{
    m_model.iStartText = FromQString(m_iStart->text());
    m_model.iLengthText = FromQString(m_iLength->text());
    m_model.qStartText = FromQString(m_qStart->text());
    m_model.qLengthText = FromQString(m_qLength->text());
    for (int group = 0; group < CPU_FILTER_GROUPS; ++group)
        m_model.filterSelection[group] = m_filters[group]->currentIndex();
    m_model.selectAll = m_selectAll->isChecked();
    for (int output = 0; output < CPU_STOP_BOXES; ++output)
        m_model.stop[output] = m_stop[output]->isChecked();
}

void CPageCPUIO::ShowValues()
{
    m_iStart->setText(ToQString(m_model.iStartText));
    m_iLength->setText(ToQString(m_model.iLengthText));
    m_qStart->setText(ToQString(m_model.qStartText));
    m_qLength->setText(ToQString(m_model.qLengthText));
    for (int group = 0; group < CPU_FILTER_GROUPS; ++group) {
        CpuPageControls::FillList(m_filters[group], CPageCPUIOModel::FilterItems(), m_model.filterSelection[group]);
        m_filters[group]->setEnabled(m_model.filterEnabled[group]);
    }
    m_selectAll->setChecked(m_model.selectAll);
    for (int output = 0; output < CPU_STOP_BOXES; ++output) {
        m_stop[output]->setChecked(m_model.stop[output]);
        m_stop[output]->setEnabled(m_model.stopEnabled[output]);
    }
    for (int row = 0; row < CPU_STOP_ROWS; ++row)
        m_rowLabels[row]->setText(ToQString(m_model.rowLabel[row]));
}

void CPageCPUIO::SetDefaultSettings()
{
    ReadControls();
    m_model.SetDefaultSettings();
    ShowValues();
}

void CPageCPUIO::ReloadSettings()
{
    ReadControls();
    m_model.ReloadSettings();
    ShowValues();
}

BOOL CPageCPUIO::ApplyIOSettings()
{
    if (!IsWindow())
        return TRUE;
    ReadControls();
    return m_model.ApplyIOSettings();
}

void CPageCPUIO::OnHelp()
{
    OpenHelpTopic("CPU-I-Oshezhi");
}
