#include "CPropSelCross.h"

#include "model/CZULAppData.h"
#include "model/OpenHelpTopic.h"
#include "model/ProjectModified.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

IMPLEMENT_DYNAMIC(CPropSelCross, CPropertyPage)

namespace {

constexpr int AREA_COLUMNS = 5;
constexpr int TYPE_COLUMNS = 4;

void Show(QCheckBox* box, bool checked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

} // namespace

CPropSelCross::CPropSelCross(CZULAppData& app)
    : CPropertyPage(IDD_CROSS_REFERENCE_OPTIONS, "Cross Reference Options"), m_app(app),
      m_areas{XREF_AREA_BOXES, XREF_AREA_BOX_COUNT, app.SelArea, nullptr, {}},
      m_types{XREF_TYPE_BOXES, XREF_TYPE_BOX_COUNT, app.SelType, nullptr, {}}
{
}

BOOL CPropSelCross::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (!m_areas.selectAll) {
        auto* layout = new QVBoxLayout(this);
        BuildGroup(m_areas, "Memory Type", IDC_SELECT_ALL_AREAS, AREA_COLUMNS);
        BuildGroup(m_types, "Data Type", IDC_SELECT_ALL_TYPES, TYPE_COLUMNS);
        layout->addStretch();
    }
    ShowGroup(m_areas);
    ShowGroup(m_types);
    Show(m_areas.selectAll, false);
    Show(m_types.selectAll, false);
    return TRUE;
}

void CPropSelCross::BuildGroup(BoxGroup& group, const char* caption, UINT selectAllId, int columns)
{
    auto* frame = new QGroupBox(ToQString(caption), this);
    auto* grid = new QGridLayout(frame);
    for (int box = 0; box < group.count; ++box) {
        auto* check = new QCheckBox(ToQString(group.boxes[box].text), frame);
        check->setObjectName(QString::number(group.boxes[box].controlId));
        grid->addWidget(check, box / columns, box % columns);
        connect(check, &QCheckBox::clicked, this, [this, &group, box] { OnBoxClicked(group, box); });
        group.checks.push_back(check);
    }
    group.selectAll = new QCheckBox(QStringLiteral("Select All/None"), frame);
    group.selectAll->setObjectName(QString::number(selectAllId));
    grid->addWidget(group.selectAll, (group.count + columns - 1) / columns, 0, 1, columns);
    connect(group.selectAll, &QCheckBox::clicked, this, [this, &group] { OnSelectAll(group); });
    layout()->addWidget(frame);
}

void CPropSelCross::ShowGroup(const BoxGroup& group)
{
    for (int box = 0; box < group.count; ++box)
        Show(group.checks[static_cast<size_t>(box)], group.states[box] != 0);
}

void CPropSelCross::OnBoxClicked(BoxGroup& group, int box)
{
    group.states[box] = group.checks[static_cast<size_t>(box)]->isChecked() ? 1 : 0;
    Show(group.selectAll, false);
    SetModified(TRUE);
    SetProjectModified(TRUE);
}

void CPropSelCross::OnSelectAll(BoxGroup& group)
{
    const int state = group.selectAll->isChecked() ? 1 : 0;
    for (int box = 0; box < group.count; ++box)
        group.states[box] = state;
    ShowGroup(group);
    SetModified(TRUE);
    SetProjectModified(TRUE);
}

void CPropSelCross::ApplyFilter()
{
    ApplyXrefFilter(m_app);
}

BOOL CPropSelCross::OnApply()
{
    ApplyFilter();
    return TRUE;
}

void CPropSelCross::OnHelp()
{
    // The page has no topic of its own: the help opens at its first context.
    OpenHelpTopic("");
}
