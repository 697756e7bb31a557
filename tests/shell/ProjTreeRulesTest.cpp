#include "shell/ProjTreeRules.h"

#include "model/AppDataFixture.h"
#include "model/CProjTreeNode.h"
#include "model/CZULFunc.h"
#include "shell/POUNameRules.h"

#include <string>
#include <vector>

namespace {

constexpr char SUBROUTINE_LIMIT[] =
    "The number of subroutines reaches the upper limit.\r\nThe application supports 99 subroutines at most.";
constexpr char INTERRUPT_LIMIT[] = "The number of interrupt routines reaches the upper limit.\r\nThe application "
                                   "supports 64 interrupt subroutines at most.";
constexpr char CREATE_TOO_LONG[] = "Unable to create file because the file name or path is too long.";
constexpr char OPEN_TOO_LONG[] = "Unable to open file because the file name or path is too long.";

class ProjTreeRulesTest : public AppDataFixture {
protected:
    CZULProject& Project() { return m_app->Project; }

    void AddSubroutines(const std::vector<int>& numbers)
    {
        for (int number : numbers) {
            CNewPOUPlan plan;
            plan.kind = NODE_SUBROUTINE;
            plan.number = number;
            plan.name = "S" + std::to_string(number);
            plan.label = POULabel(plan.kind, number, plan.name);
            RegisterNewPOU(Project(), plan, 1);
        }
    }
    void AddInterrupts(const std::vector<int>& numbers)
    {
        for (int number : numbers) {
            CNewPOUPlan plan;
            plan.kind = NODE_INTERRUPT;
            plan.number = number;
            plan.name = "I" + std::to_string(number);
            plan.label = POULabel(plan.kind, number, plan.name);
            RegisterNewPOU(Project(), plan, 2);
        }
    }
    static std::vector<int> Range(int count)
    {
        std::vector<int> numbers;
        for (int n = 0; n < count; ++n)
            numbers.push_back(n);
        return numbers;
    }
};

struct NewPOUCase {
    const char* what;
    std::vector<int> subroutines;
    std::vector<int> interrupts;
    int type;
    int pidMode;
    int pidLoop;
    size_t folderLength;
    NewPOUResult result;
    int number;
    std::string name;
    std::string label;
    std::string base;
    std::string message;
    UINT icon;
};

TEST_F(ProjTreeRulesTest, NewPOUNumbersNamesLabelsAndLimits)
{
    // folder + 1 + name + 9 may be 258: with "SBR_2" the folder may be 243 long.
    const NewPOUCase cases[] = {
        {"MAIN", {}, {}, NEW_POU_MAIN, 0, 0, 10, NEW_POU_OK, -1, "MAIN", "(MAIN)  MAIN", "MAIN_MAIN", "", 0},
        {"first subroutine", {}, {}, NEW_POU_SUBROUTINE, 0, 0, 10, NEW_POU_OK, 0, "SBR_0", "(SBR00)  SBR_0",
         "SBR00_SBR_0", "", 0},
        {"lowest gap", {0, 1, 3}, {}, NEW_POU_SUBROUTINE, 0, 0, 10, NEW_POU_OK, 2, "SBR_2", "(SBR02)  SBR_2",
         "SBR02_SBR_2", "", 0},
        {"last free number", Range(98), {}, NEW_POU_SUBROUTINE, 0, 0, 10, NEW_POU_OK, 98, "SBR_98",
         "(SBR98)  SBR_98", "SBR98_SBR_98", "", 0},
        {"99 subroutines", Range(99), {}, NEW_POU_SUBROUTINE, 0, 0, 10, NEW_POU_NO_NUMBER, 99, "", "", "",
         SUBROUTINE_LIMIT, MB_ICONINFORMATION},
        {"PID subroutine", {0}, {}, NEW_POU_SUBROUTINE, 1, 3, 10, NEW_POU_OK, 93, "PID_3", "(SBR93)  PID_3",
         "SBR93_PID_3", "", 0},
        {"auto-tune subroutine", {}, {}, NEW_POU_SUBROUTINE, 2, 0, 10, NEW_POU_OK, 90, "PID_0", "(SBR90)  PID_0",
         "SBR90_PID_0", "", 0},
        {"interrupt gap", {}, {0, 2}, NEW_POU_INTERRUPT, 0, 0, 10, NEW_POU_OK, 1, "INT_1", "(INT01)  INT_1",
         "INT01_INT_1", "", 0},
        {"interrupts ignore subroutines", {0, 1}, {}, NEW_POU_INTERRUPT, 1, 4, 10, NEW_POU_OK, 0, "INT_0",
         "(INT00)  INT_0", "INT00_INT_0", "", 0},
        {"64 interrupts", {}, Range(64), NEW_POU_INTERRUPT, 0, 0, 10, NEW_POU_NO_NUMBER, 64, "", "", "",
         INTERRUPT_LIMIT, MB_ICONINFORMATION},
        {"path at the limit", {0, 1}, {}, NEW_POU_SUBROUTINE, 0, 0, 243, NEW_POU_OK, 2, "SBR_2", "(SBR02)  SBR_2",
         "SBR02_SBR_2", "", 0},
        {"path over the limit", {0, 1}, {}, NEW_POU_SUBROUTINE, 0, 0, 244, NEW_POU_PATH_TOO_LONG, 2, "SBR_2",
         "(SBR02)  SBR_2", "SBR02_SBR_2", CREATE_TOO_LONG, MB_ICONSTOP},
        {"MAIN has no path check", {}, {}, NEW_POU_MAIN, 0, 0, 300, NEW_POU_OK, -1, "MAIN", "(MAIN)  MAIN",
         "MAIN_MAIN", "", 0},
    };
    for (const NewPOUCase& c : cases) {
        SCOPED_TRACE(c.what);
        Project().POUs.ClearSubroutines();
        Project().POUs.ClearInterrupts();
        AddSubroutines(c.subroutines);
        AddInterrupts(c.interrupts);
        m_app->PIDGenerateMode = c.pidMode;
        m_app->CurrentPIDLoop = c.pidLoop;
        Project().ProjectFolder = "/" + std::string(c.folderLength - 1, 'p');
        m_ui.box.Clear();

        CNewPOUPlan plan;
        std::string message;
        const NewPOUResult result = PlanNewPOU(*m_app, c.type, plan, message);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(message, c.message);
        ReportNewPOUResult(result, message);
        if (c.message.empty()) {
            EXPECT_TRUE(m_ui.box.Messages().empty());
            EXPECT_EQ(plan.number, c.number);
            EXPECT_EQ(plan.name, c.name);
            EXPECT_EQ(plan.label, c.label);
            EXPECT_EQ(plan.base, c.base);
            continue;
        }
        ASSERT_EQ(m_ui.box.Messages().size(), 1u);
        const RecordedMessage shown = m_ui.box.Messages()[0];
        EXPECT_EQ(shown.text, c.message);
        EXPECT_EQ(shown.caption, result == NEW_POU_NO_NUMBER ? "Note" : "Error");
        EXPECT_EQ(shown.type & 0xF0u, c.icon);
    }
}

TEST_F(ProjTreeRulesTest, ANewPOUIsRegisteredUnderEveryKey)
{
    CNewPOUPlan plan;
    std::string message;
    ASSERT_EQ(PlanNewPOU(*m_app, NEW_POU_SUBROUTINE, plan, message), NEW_POU_OK);
    plan.name = "Pump";
    CProjTreeNode* sbr = RegisterNewPOU(Project(), plan, 2);
    EXPECT_EQ(Project().POUs.SubroutineNodes.at("Pump"), sbr);
    EXPECT_EQ(sbr->language, 2);
    EXPECT_EQ(sbr->kind, NODE_SUBROUTINE);
    CZULFunc* function = Project().POUs.SubroutineInterfacesByNumber.at(0);
    EXPECT_EQ(function->name, "Pump");
    EXPECT_EQ(Project().POUs.SubroutineInterfacesUpper.at("PUMP"), function);

    ASSERT_EQ(PlanNewPOU(*m_app, NEW_POU_INTERRUPT, plan, message), NEW_POU_OK);
    CProjTreeNode* irq = RegisterNewPOU(Project(), plan, 1);
    EXPECT_EQ(Project().POUs.InterruptNodes.at("INT_0"), irq);
    EXPECT_EQ(Project().POUs.InterruptNodesUpper.at("INT_0"), irq);
    EXPECT_EQ(Project().POUs.InterruptNodesByNumber.at(0), irq);

    ASSERT_EQ(PlanNewPOU(*m_app, NEW_POU_MAIN, plan, message), NEW_POU_OK);
    Project().MainNode.author = "old";
    EXPECT_EQ(RegisterNewPOU(Project(), plan, 1), &Project().MainNode);
    EXPECT_EQ(Project().MainPresent, 1);
    EXPECT_EQ(Project().MainNode.label, "(MAIN)  MAIN");
    EXPECT_EQ(Project().MainNode.author, "");
}

TEST_F(ProjTreeRulesTest, OpeningChecksEveryPOUPathAndRaisesTheLongestPath)
{
    // The label "(SBR00)  " + name; folder + 1 + label may be 258.
    Project().ProjectFolder = "/" + std::string(99, 'p');
    Project().MainPresent = 1;
    Project().MainNode.label = "(MAIN)  MAIN";
    AddSubroutines({0});
    CProjTreeNode* sbr = Project().POUs.SubroutineNodes.at("S0");
    sbr->label = std::string(157, 'x');
    m_app->LongestPOUPathLength = 0;
    EXPECT_TRUE(CheckProjectPOUPaths(*m_app));
    EXPECT_EQ(m_app->LongestPOUPathLength, 258);
    EXPECT_TRUE(m_ui.box.Messages().empty());

    sbr->label += "x";
    EXPECT_FALSE(CheckProjectPOUPaths(*m_app));
    EXPECT_EQ(m_app->LongestPOUPathLength, 259);
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].text, OPEN_TOO_LONG);
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Error");
    EXPECT_EQ(m_ui.box.Messages()[0].type & 0xF0u, MB_ICONINFORMATION);
}

TEST(ProjTreeRules, ProgramChildrenSortInitialDataMainThenLabels)
{
    const auto node = [](int kind, const std::string& label) {
        CProjTreeNode n;
        n.kind = kind;
        n.label = label;
        return n;
    };
    std::vector<CProjTreeNode> nodes = {
        node(NODE_SUBROUTINE, "(SBR10)  Ten"), node(NODE_SUBROUTINE, "(SBR02)  Two"),
        node(NODE_MAIN, "(MAIN)  MAIN"),       node(NODE_INTERRUPT, "(INT00)  Zero"),
        node(NODE_INITIAL_DATA, "Initial Data"),
    };
    std::vector<const CProjTreeNode*> order;
    for (const CProjTreeNode& n : nodes)
        order.push_back(&n);
    std::stable_sort(order.begin(), order.end(),
                     [](const CProjTreeNode* a, const CProjTreeNode* b) { return ComparePOUNodes(a, b) < 0; });
    std::vector<std::string> labels;
    for (const CProjTreeNode* n : order)
        labels.push_back(n->label);
    EXPECT_EQ(labels, (std::vector<std::string>{"Initial Data", "(MAIN)  MAIN", "(INT00)  Zero", "(SBR02)  Two",
                                                "(SBR10)  Ten"}));

    // Labels compare their bytes unsigned: a GBK name sorts after ASCII.
    const CProjTreeNode ascii = node(NODE_SUBROUTINE, "(SBR01)  z");
    const CProjTreeNode gbk = node(NODE_SUBROUTINE, "(SBR01)  \xB1\xC3");
    EXPECT_LT(ComparePOUNodes(&ascii, &gbk), 0);
}

TEST(ProjTreeRules, ADocumentIsThePOUsWhenItsTitleLessTheMarkIsTheName)
{
    struct Case {
        std::vector<std::string> titles;
        const char* name;
        BOOL open;
    };
    const Case cases[] = {
        {{"Pump"}, "Pump", TRUE},
        {{"Pump *"}, "Pump", TRUE},
        {{"Pump*"}, "Pump", TRUE},
        {{"Motor", "Pump *"}, "Pump", TRUE},
        {{"pump"}, "Pump", FALSE},
        {{"Pump2"}, "Pump", FALSE},
        {{"Pu*mp"}, "Pump", FALSE},
        {{}, "Pump", FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.titles.empty() ? std::string() : c.titles.back());
        EXPECT_EQ(IsPOUDocumentOpen(c.titles, c.name), c.open);
    }
}

TEST(ProjTreeRules, HelpTopicsOfItemTexts)
{
    const std::pair<const char*, const char*> cases[] = {
        {"(MAIN)  MAIN", "chengxu"},   {"(SBR02)  SBR_2", "chengxu"}, {"(INT00)  INT_0", "chengxu"},
        {"PROGRAM", "chengxu"},        {"Project: Plant", "gongcheng"}, {"Hardware", "Hardware"},
        {"Initial Data", "Initial Data"}, {"CONFIGURATION", "CONFIGURATION"}, {"", ""},
    };
    for (const auto& [text, topic] : cases)
        EXPECT_EQ(ProjTreeHelpTopic(text), topic) << text;
}

TEST_F(ProjTreeRulesTest, ProgramAndVariableFilesOfEachKind)
{
    CZULProject& project = Project();
    project.ProjectFolder = "/work/plant";
    CProjTreeNode node;
    struct Case {
        int kind;
        int number;
        int language;
        const char* program;
        const char* variables;
    };
    const Case cases[] = {
        {NODE_MAIN, -1, 1, "/work/plant/MAIN_Main.ilp", "/work/plant/MAIN_Main.ilv"},
        {NODE_SUBROUTINE, 5, 2, "/work/plant/SBR05_Main.ilp", "/work/plant/SBR05_Main.ilv"},
        {NODE_INTERRUPT, 12, 1, "/work/plant/INT12_Main.ilp", "/work/plant/INT12_Main.ilv"},
        {NODE_SUBROUTINE, 5, 0, "/work/plant/SBR05_Main", "/work/plant/SBR05_Main.ilv"},
        {NODE_HARDWARE, -1, 1, "", ""},
    };
    for (const Case& c : cases) {
        node.kind = c.kind;
        node.number = c.number;
        node.language = c.language;
        node.name = "Main";
        EXPECT_EQ(POUProgramFilePath(project, node), c.program);
        EXPECT_EQ(POUVarFilePath(project, node), c.variables);
    }
}

TEST(ProjTreeRules, KindsHaveTheirImagesAndMenus)
{
    struct Case {
        int kind;
        int image;
        UINT menu;
    };
    const Case cases[] = {
        {NODE_PROJECT, 0, 139},  {NODE_PROGRAM, 1, 140},  {NODE_INITIAL_DATA, 11, 159},
        {NODE_HARDWARE, 4, 147}, {NODE_GLOBAL_VARIABLES, 7, 143}, {NODE_STATUS_CHART, 3, 145},
        {NODE_COMMUNICATIONS, 8, 150}, {NODE_MAIN, 9, 151}, {NODE_SUBROUTINE, -1, 141}, {NODE_INTERRUPT, -1, 141},
    };
    for (const Case& c : cases) {
        const CProjTreeKindDef* def = FindProjTreeKind(c.kind);
        ASSERT_NE(def, nullptr) << c.kind;
        EXPECT_EQ(def->image, c.image) << c.kind;
        EXPECT_EQ(def->menu, c.menu) << c.kind;
    }
    EXPECT_EQ(FindProjTreeKind(8), nullptr);
    EXPECT_EQ(POUImage(NODE_SUBROUTINE, 1), 10);
    EXPECT_EQ(POUImage(NODE_INTERRUPT, 2), 2);
    EXPECT_EQ(POUImage(NODE_MAIN, 2), 9);
}

} // namespace
