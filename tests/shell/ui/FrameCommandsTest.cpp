#include "WorkbenchFixture.h"

#include "model/CZULAppData.h"
#include "platform/ui/CCmdUI.h"
#include "plclink/CPlcCommands.h"

namespace {

using FrameCommandsTest = WorkbenchFixture;

BOOL Enabled(CMainFrame* frame, UINT id)
{
    CCmdUI cmdUI(id);
    cmdUI.DoUpdate(frame, FALSE);
    return cmdUI.IsEnabled();
}

} // namespace

TEST_F(FrameCommandsTest, MenusGreyByProjectAndMonitoring)
{
    Start();
    CZULAppData& app = *m_app->GetAppData();
    struct Case {
        const char* what;
        UINT id;
        BOOL noProject;
        BOOL project;
        BOOL monitoring;
    };
    const Case cases[] = {
        {"New Project", 32695, TRUE, TRUE, FALSE},
        {"Close Project", 32697, FALSE, TRUE, FALSE},
        {"Compile All", 32935, FALSE, TRUE, FALSE},
        {"Download", ID_PLC_DOWNLOAD, FALSE, TRUE, FALSE},
        {"RUN", ID_PLC_RUN, TRUE, TRUE, FALSE},
        {"Global Variable", 32936, FALSE, TRUE, TRUE},
        {"Reset local variable", 32959, FALSE, TRUE, FALSE},
        {"Options", 32874, TRUE, TRUE, TRUE},
        {"Window Close", 32910, FALSE, FALSE, FALSE},
    };
    for (const Case& test : cases) {
        app.ProjectOpen = 0;
        app.Monitoring = 0;
        EXPECT_EQ(Enabled(m_frame, test.id), test.noProject) << test.what << " without a project";
        app.ProjectOpen = 1;
        EXPECT_EQ(Enabled(m_frame, test.id), test.project) << test.what << " with a project";
        app.Monitoring = 1;
        EXPECT_EQ(Enabled(m_frame, test.id), test.monitoring) << test.what << " while monitoring";
    }
    app.Monitoring = 0;
    app.ProjectOpen = 0;
}

TEST_F(FrameCommandsTest, SymbolicAddressingFlipsTheSwitchAndEndsFindResults)
{
    Start();
    CZULAppData& app = *m_app->GetAppData();
    ASSERT_EQ(app.SymbolicAddressing, 1);
    // Greyed without a POU editor in front.
    m_frame->SendMessage(WM_COMMAND, 32927);
    EXPECT_EQ(app.SymbolicAddressing, 1);
    m_frame->OnSymbolicAddressing();
    EXPECT_EQ(app.SymbolicAddressing, 0);
    EXPECT_EQ(app.SearchFlag, 0);
    m_frame->OnSymbolicAddressing();
    EXPECT_EQ(app.SymbolicAddressing, 1);
}

TEST_F(FrameCommandsTest, F1OpensTheTopicOfTheActiveWindow)
{
    Start();
    m_frame->SendMessage(WM_KEYDOWN, VK_F1);
    m_frame->OpenInitialDataWindow();
    m_frame->SendMessage(WM_KEYDOWN, VK_F1);
    const std::vector<RecordedHelp> requests = m_ui.help.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].topic, "");
    EXPECT_EQ(requests[1].topic, "chushihuabiao");
}

TEST_F(FrameCommandsTest, ReallocatingLocalVariablesAsksFirst)
{
    Start();
    m_app->GetAppData()->ProjectOpen = 1;
    m_ui.box.Answer(IDNO);
    m_frame->SendMessage(WM_COMMAND, 32959);
    m_app->GetAppData()->ProjectOpen = 0;
    EXPECT_EQ(m_ui.box.Texts(),
              std::vector<std::string>{"The 'Reallocate Local Variables' operation will reallocate memories for the "
                                       "local variables.\nAre you sure you want to Reallocate Local Variables? "});
}
