#include "CAutoTuneStep3Dlg.h"

#include "model/CZULAppData.h"
#include "pid/CPIDGenerator.h"
#include "pid/PIDAutoTune.h"
#include "pid/PIDWizardSummary.h"
#include "platform/ui/QtText.h"

#include <QHeaderView>
#include <QGridLayout>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr int TABLE_COLUMNS = 4;

} // namespace

CAutoTuneStep3Dlg::CAutoTuneStep3Dlg(CPIDWizardContext& context, QWidget* parent)
    : CWizardPage(IDD_AUTOTUNE_STEP3, "\xD7\xD4\xD5\xFB\xB6\xA8\xCF\xF2\xB5\xBC \xB5\xDA\xC8\xFD\xB2\xBD", parent)
    , m_context(context)
{
    const CZULAppData& app = m_context.App;
    AddStatic(PIDLoopLine(app.CurrentPIDLoop), 0, 0, 1, IDC_TUNE_STEP3_LOOP);
    AddStatic("\xD7\xD4\xD5\xFB\xB6\xA8\xB2\xCE\xCA\xFD\xC8\xE7\xCF\xC2\xA3\xBA", 1, 0);
    const std::vector<AutoTuneTableRow> rows = BuildAutoTuneTable(app.PIDLoops[app.CurrentPIDLoop]);
    auto* table = new QTableWidget(static_cast<int>(rows.size()), TABLE_COLUMNS, this);
    table->setObjectName(QString::number(IDC_TUNE_TABLE));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    int r = 0;
    for (const AutoTuneTableRow& row : rows) {
        const std::string cells[TABLE_COLUMNS] = {row.Label, row.Address, row.Direction, row.Value};
        for (int c = 0; c < TABLE_COLUMNS; ++c)
            table->setItem(r, c, new QTableWidgetItem(ToQString(cells[c])));
        ++r;
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    Grid()->addWidget(table, 2, 0);
    AddStatic("\xD7\xD4\xD5\xFB\xB6\xA8\xB3\xC9\xB9\xA6\xBA\xF3\xA3\xAC\xBB\xE1\xD7\xD4\xB6\xAF\xB0\xD1\xB5\xC3\xB5\xBD\xB5\xC4\xB1\xC8\xC0\xFD\xD6\xB5\xA1\xA2\xBB\xFD\xB7\xD6\xCA\xB1\xBC\xE4\xA1\xA2\xCE\xA2\xB7\xD6\xCA\xB1\xBC\xE4\xB4\xE6\xC8\xEBPID\xB6\xD4\xD3\xA6\xB5\xC4\xB4\xE6\xB4\xA2\xC6\xF7\xD6\xD0\xA1\xA3", 3, 0);

    connect(AddButton(IDC_TUNE_STEP3_BACK, "\xC9\xCF\xD2\xBB\xB2\xBD"), &QPushButton::clicked, this,
        [this] { GoTo(IDD_AUTOTUNE_STEP2); });
    connect(AddButton(IDC_TUNE_STEP3_GENERATE, "\xC9\xFA\xB3\xC9\xB4\xFA\xC2\xEB"), &QPushButton::clicked, this, [this] { OnGenerate(); });
    AddCloseAndHelp(IDC_TUNE_STEP3_HELP);
}

void CAutoTuneStep3Dlg::OnGenerate()
{
    CPIDGenerator generator(m_context.App, m_context.Host);
    generator.GeneratePIDCode(PID_GENERATE_AUTOTUNE);
    GoTo(WIZARD_END);
}
