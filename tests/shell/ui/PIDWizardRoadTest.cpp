// The PID wizard from the main window: on a new VB16 project it makes the
// loop's subroutine SBR(90 + n) in LD with its variable file, makes it again
// after the question on a second run, and the project compiles with it.

#include "WorkbenchFixture.h"

#include "model/CZULAppData.h"
#include "model/CZULFunc.h"
#include "pid/CPIDGenerator.h"
#include "pid/PIDTemplate.h"
#include "pid/ui/CPIDWizardStep1Dlg.h"
#include "pid/ui/CPIDWizardStep2Dlg.h"
#include "pid/ui/CPIDWizardStep3Dlg.h"
#include "pid/ui/CPIDWizardStep4Dlg.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"
#include "platform/ui/CWizardPage.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "shell/ui/CProjTreeView.h"
#include "support/FileBytes.h"

#include "support/ModalScript.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_COMPILE_ALL = 32935;
constexpr UINT ID_PID_WIZARD = 32967;
constexpr int kCpuRowVB16 = 14;      // "VB16-40AR" in the module catalogue
constexpr int kLanguageIL = 1;
constexpr int kLanguageLD = 2;
constexpr int kWaitMs = 20000;

// One step of a wizard run: on the page, an optional edit, then a button.
struct PageStep {
    UINT page;
    UINT field;
    const char* text;
    UINT button;
};

class PIDWizardRoadTest : public WorkbenchFixture {
protected:
    // Runs the wizard command with its pages answered by the steps; the
    // pages seen, in order.
    std::vector<UINT> RunWizard(const std::vector<PageStep>& steps)
    {
        size_t next = 0;
        std::vector<UINT> seen;
        QTimer driver;
        driver.setInterval(5);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            auto* page = qobject_cast<CWizardPage*>(QApplication::activeModalWidget());
            if (page == nullptr || !page->isVisible())
                return;
            seen.push_back(page->GetDialogId());
            if (next >= steps.size() || steps[next].page != page->GetDialogId()) {
                ADD_FAILURE() << "unexpected page " << page->GetDialogId();
                page->reject();
                return;
            }
            const PageStep& step = steps[next++];
            if (step.field != 0)
                page->Control<QLineEdit>(step.field)->setText(QString::fromUtf8(step.text));
            page->Control<QPushButton>(step.button)->click();
        });
        driver.start();
        Command(ID_PID_WIZARD);
        driver.stop();
        EXPECT_EQ(next, steps.size());
        return seen;
    }

    static std::vector<std::string> ParamNames(const CZULFBParaArray& params)
    {
        std::vector<std::string> names;
        for (int i = 0; i < params.GetSize(); ++i)
            names.push_back(params.GetAt(i)->name);
        return names;
    }

    int OpenDocumentsNamed(const std::string& fileName)
    {
        const auto& documents = m_app->GetPOUTemplate()->GetDocuments();
        return static_cast<int>(std::count_if(documents.begin(), documents.end(), [&](CDocument* document) {
            return FileSystem::FileNameOf(document->GetPathName()) == fileName;
        }));
    }
};

} // namespace

TEST_F(PIDWizardRoadTest, WizardGeneratesTheLoopSubroutineAndRegeneratesIt)
{
    Start();
    App().DefaultCPU = kCpuRowVB16;
    App().DefaultPOULang = kLanguageIL;
    EXPECT_FALSE(CommandEnabled(ID_PID_WIZARD)) << "no project";
    AnswerFileDialog(m_folder / "Oven.qpj");
    Command(ID_NEW_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 1) << ::testing::PrintToString(m_ui.box.Texts());
    ASSERT_TRUE(CommandEnabled(ID_PID_WIZARD));
    // MAIN in IL, new POUs in LD: the subroutine's program comes from the template.
    App().DefaultPOULang = kLanguageLD;

    SCOPED_TRACE("first run: loop 2 made new");
    const std::vector<PageStep> first = {
        {IDD_PID_WIZARD_STEP1, 0, "", IDC_PID_STEP1_NEXT},
        {IDD_PID_WIZARD_STEP2, IDC_PID_KP, "2.5", IDC_PID_STEP2_NEXT},
        {IDD_PID_WIZARD_STEP3, IDC_PID_PV_H, "1000", IDC_PID_STEP3_NEXT},
        {IDD_PID_WIZARD_STEP4, 0, "", IDC_PID_STEP4_GENERATE},
    };
    App().CurrentPIDLoop = 2;
    RunWizard(first);
    EXPECT_EQ(App().PIDGenerateMode, 0);
    CProjTreeView* tree = m_frame->GetProjTreeView();
    ASSERT_NE(tree->FindPOUItem("(SBR92)  PID_2"), nullptr) << ::testing::PrintToString(m_ui.box.Texts());
    const std::string program = App().Project.ProjectFolder + "/SBR92_PID_2.ilp";
    const std::string variables = App().Project.ProjectFolder + "/SBR92_PID_2.ilv";
    ASSERT_TRUE(FileSystem::FileExists(variables));
    // The interface read from the variable file that the generation wrote.
    CZULFunc* function = nullptr;
    ASSERT_TRUE(App().Project.POUs.FindSubroutineInterface("PID_2", function));
    EXPECT_EQ(function->number, 92);
    EXPECT_EQ(ParamNames(function->inputs), (std::vector<std::string> {"EN", "P2_PV", "P2_SP", "P2_AUTO"}));
    EXPECT_EQ(ParamNames(function->outputs), (std::vector<std::string> {"ENO", "P2_A_OUT"}));
    EXPECT_EQ(OpenDocumentsNamed("SBR92_PID_2.ilp"), 1);
    CPOUEditorDoc* made = m_frame->GetActivePOUDocument();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetLanguage(), POU_LANGUAGE_LD);
    EXPECT_FLOAT_EQ(App().PIDLoops[2].KP, 2.5f);

    SCOPED_TRACE("second run: the question, then the same subroutine made again");
    m_ui.box.Clear();
    m_ui.box.Answer(IDYES);
    const std::vector<PageStep> second = {
        {IDD_PID_WIZARD_STEP1, 0, "", IDC_PID_STEP1_NEXT},
        {IDD_PID_WIZARD_STEP2, IDC_PID_KP, "4", IDC_PID_STEP2_NEXT},
        {IDD_PID_WIZARD_STEP3, 0, "", IDC_PID_STEP3_NEXT},
        {IDD_PID_WIZARD_STEP4, 0, "", IDC_PID_STEP4_GENERATE},
    };
    RunWizard(second);
    const std::vector<std::string> texts = m_ui.box.Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), Utf8ToGbk("PID 2 对应的SBR92子程序已经存在，继续将覆盖现有子程序。"));
    std::vector<std::string> lines;
    BuildCurrentPIDLoopIL(App(), lines);
    EXPECT_EQ(ReadFileText(program), CPIDGenerator::ProgramText(lines));
    EXPECT_NE(ReadFileText(program).find("MOVE    4.000000, %VR3874"), std::string::npos);
    // The old window closes once messages run; only one subroutine exists.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            m_ui.poster.RunPosted();
            return OpenDocumentsNamed("SBR92_PID_2.ilp") == 0;
        },
        kWaitMs));
    EXPECT_EQ(App().Project.POUs.SubroutineNodes.size(), 1u);

    SCOPED_TRACE("Compile All takes the generated subroutine");
    Command(ID_COMPILE_ALL);
    const std::vector<std::string> compiled = OutputLines(OUTPUT_LIST_COMPILE);
    ASSERT_FALSE(compiled.empty());
    EXPECT_NE(compiled.back().find("Compilation successful   :  0 errors"), std::string::npos)
        << ::testing::PrintToString(compiled);
    EXPECT_TRUE(std::any_of(compiled.begin(), compiled.end(),
                            [](const std::string& line) { return line.find("PID_2") != std::string::npos; }))
        << ::testing::PrintToString(compiled);
}
