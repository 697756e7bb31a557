#include "CPIDWizardStep4Dlg.h"

#include "model/CZULAppData.h"
#include "pid/CPIDGenerator.h"
#include "pid/PIDWizardSummary.h"

#include <QLabel>
#include <QPushButton>

namespace {

// CPU families that can tune a loop.
constexpr DWORD TUNING_FAMILY_A = 4;
constexpr DWORD TUNING_FAMILY_B = 16;

// The operands of the PID block beside the statics of the summary.
struct SummaryRow {
    const char* Operand;
    UINT ControlId;
};

const SummaryRow SUMMARY_ROWS[] = {
    {"PV_H", 1358}, {"PV_L", 1359}, {"XOUTP_H", 1360}, {"XOUTP_L", 1361}, {"CYCLE", 1362},
    {"PV", 1354}, {"SP", 1355}, {"X0", 1356}, {"XOUT", 1363}, {"XOUTP", 1364},
    {"TD", 1357}, {"TR", 1352}, {"KP", 1351}, {"AUTO", 1353},
};

constexpr int SUMMARY_COLUMNS = 2;

} // namespace

CPIDWizardStep4Dlg::CPIDWizardStep4Dlg(CPIDWizardContext& context, QWidget* parent)
    : CWizardPage(IDD_PID_WIZARD_STEP4, "PID\xCF\xF2\xB5\xBC \xB5\xDA\xCB\xC4\xB2\xBD", parent)
    , m_context(context)
{
    const CZULAppData& app = m_context.App;
    const int n = app.CurrentPIDLoop;
    AddStatic(PIDLoopLine(n), 0, 0, 4, IDC_PID_STEP4_LOOP);
    int index = 0;
    for (const SummaryRow& row : SUMMARY_ROWS) {
        const int line = 1 + index / SUMMARY_COLUMNS;
        const int column = (index % SUMMARY_COLUMNS) * 2;
        AddStatic(row.Operand, line, column);
        AddStatic("", line, column + 1, 1, row.ControlId);
        ++index;
    }
    const int below = 2 + index / SUMMARY_COLUMNS;
    QLabel* picture = AddStatic("PID", 1, 4, 1, IDC_PID_STEP4_PICTURE);
    picture->setFrameShape(QFrame::Box);
    picture->setAlignment(Qt::AlignCenter);
    AddStatic("", below, 0, 4, 1365);
    AddStatic("\xC8\xE7\xB9\xFB\xBB\xB9\xD0\xE8\xD2\xAAPID\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xA6\xC4\xDC\xA3\xAC\xBC\xCC\xD0\xF8\xD7\xD4\xD5\xFB\xB6\xA8\xCF\xF2\xB5\xBC\xA3\xAC\xC8\xE7\xB9\xFB\xB2\xBB\xD0\xE8\xD2\xAA\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xAC\xD6\xB4\xD0\xD0\xC9\xFA\xB3\xC9\xB4\xFA\xC2\xEB\xA3\xAC\xBE\xCD\xD6\xBB\xC9\xFA\xB2\xFAPID\xB5\xC4\xB9\xA6\xC4\xDC\xC1\xCB\xA1\xA3", below + 1, 0, 5);
    for (const PIDSummaryText& text : BuildPIDSummary(app.PIDLoops[n], n))
        SetText(static_cast<UINT>(text.ControlId), text.Text);

    connect(AddButton(IDC_PID_STEP4_BACK, "\xC9\xCF\xD2\xBB\xB2\xBD"), &QPushButton::clicked, this,
        [this] { GoTo(IDD_PID_WIZARD_STEP3); });
    QPushButton* autoTune = AddButton(IDC_PID_STEP4_AUTOTUNE, "\xD7\xD4\xD5\xFB\xB6\xA8\xC9\xE8\xD6\xC3");
    const DWORD family = app.GetCPUFamilyMask();
    autoTune->setEnabled(family == TUNING_FAMILY_A || family == TUNING_FAMILY_B);
    connect(autoTune, &QPushButton::clicked, this, [this] { GoTo(IDD_AUTOTUNE_STEP1); });
    connect(AddButton(IDC_PID_STEP4_GENERATE, "\xC9\xFA\xB3\xC9\xB4\xFA\xC2\xEB"), &QPushButton::clicked, this, [this] { OnGenerate(); });
    AddCloseAndHelp(IDC_PID_STEP4_HELP);
}

void CPIDWizardStep4Dlg::OnGenerate()
{
    CPIDGenerator generator(m_context.App, m_context.Host);
    generator.GeneratePIDCode(PID_GENERATE_WIZARD);
    GoTo(WIZARD_END);
}
