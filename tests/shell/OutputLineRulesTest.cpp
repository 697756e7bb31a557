#include "shell/OutputLineRules.h"

#include "model/AppDataFixture.h"
#include "model/CZULFunc.h"
#include "model/CZULProject.h"

namespace {

// A project with MAIN "Tank" in IL, subroutine 3 "Pump" in IL, subroutine 4
// "Valve" in LD and interrupt routine 2 "Tick" in LD.
class OutputLineRoutingTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        CZULProject& project = m_app->Project;
        project.ProjectFolder = "/projects/tank";
        project.MainNode.name = "Tank";
        project.MainNode.language = 1;
        AddRoutine(NODE_SUBROUTINE, "Pump", 3, 1);
        AddRoutine(NODE_SUBROUTINE, "Valve", 4, 2);
        AddRoutine(NODE_INTERRUPT, "Tick", 2, 2);
    }

    void AddRoutine(int kind, const std::string& name, int number, int language)
    {
        auto* node = new CProjTreeNode;
        node->kind = kind;
        node->name = name;
        node->number = number;
        node->language = language;
        if (kind == NODE_INTERRUPT) {
            m_app->Project.POUs.AddInterruptNode(node);
            return;
        }
        m_app->Project.POUs.AddSubroutineNode(node);
        auto* function = new CZULFunc;
        function->name = name;
        function->number = number;
        m_app->Project.POUs.AddSubroutineInterface(function);
    }
};

struct RouteCase {
    unsigned list;
    const char* line;
    COutputLineTarget::Kind kind;
    const char* pou;
    int row;
    int column;
};

using K = COutputLineTarget;

const RouteCase kRoutes[] = {
    {1, "        POU \"Pump\" (row 12): [Error 012]Unknown operand;  X.", K::MessagePosition, "Pump", 12, 0},
    {1, "        POU \"Valve\" (NetWork: 7): [Warning 003]Empty network;  .", K::MessagePosition, "Valve", 7, 0},
    {1, "        POU \"Nobody\" (row 2): [Error 001]x;  y.", K::None, "", 0, 0},
    {1, "        Initial Data, Row  4, Col  2:  Invalid value.", K::InitialDataCell, "", 4, 2},
    {1, "        Initial Data, Row123, Col  1:  Initial value is not assigned.", K::InitialDataCell, "", 123, 1},
    // The compiler's line of a row without a value: "Row " before the number.
    {1, "        Initial Data, Row   3, Col  1:  Initial value is not assigned.", K::InitialDataCell, "", 3, 1},
    {1, "        Initial Data, Row  12, Col  1:  Initial value is not assigned.", K::InitialDataCell, "", 12, 1},
    {1, "        Initial Data, Row 1234, Col 10:  Invalid value.", K::InitialDataCell, "", 1234, 10},
    {1, "Initial Data, Row   , Col  1:  broken", K::None, "", 0, 0},
    {1, "Compiling...", K::None, "", 0, 0},
    {0, "        POU \"Pump\" (row 12): [Error 012]Unknown operand;  X.", K::None, "", 0, 0},
    {2, "3. IL program \"Pump\": Row 5, \"LD I0.0\" from Col.4.", K::FindResult, "Pump", 5, 4},
    {2, "just text", K::None, "", 0, 0},
    {3, "        Initial Data, Row  4, Col  2:  Invalid value.", K::None, "", 0, 0},
};

} // namespace

TEST_F(OutputLineRoutingTest, EachListLeadsWhereItsLinesPoint)
{
    for (const RouteCase& test : kRoutes) {
        const COutputLineTarget target = RouteOutputLine(m_app->Project, test.list, test.line);
        EXPECT_EQ(target.kind, test.kind) << test.line;
        if (target.kind == K::None)
            continue;
        EXPECT_EQ(target.pouName, test.pou) << test.line;
        EXPECT_EQ(target.row, test.row) << test.line;
        EXPECT_EQ(target.column, test.column) << test.line;
    }
}

TEST_F(OutputLineRoutingTest, AFindHitCarriesItsIndexAndProgramKind)
{
    const COutputLineTarget target =
        RouteOutputLine(m_app->Project, 2, "  17. IL program \"Tank\": Row 9, \"ST Q0.1\" from Col.1.");
    ASSERT_EQ(target.kind, K::FindResult);
    EXPECT_EQ(target.resultIndex, 17);
    EXPECT_EQ(target.programKind, 1);
}

namespace {

struct StatusCase {
    int category;
    int code;
    const char* line;   // nullptr: nothing is written
};

const StatusCase kStatusLines[] = {
    {0, 1, "09:05:07   Error:  Download aborted due to compile errors.  Q7-VB16 V5.2"},
    {0, 2, "09:05:07   Note:  Download completed successfully.  Q7-VB16 V5.2"},
    {0, 3, "09:05:07   Error:  Unable to monitor. The current project is different from that in the PLC.  Q7-VB16 V5.2"},
    {0, 4, "09:05:07   Error:  Unable to monitor due to compile errors.  Q7-VB16 V5.2"},
    {0, 0, nullptr},
    {0, 5, nullptr},
    {1, 2, nullptr},
};

} // namespace

TEST(StatusLines, TimeCodeTextAndConnectedPlc)
{
    std::tm time {};
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 7;
    for (const StatusCase& test : kStatusLines) {
        std::string line = "untouched";
        const BOOL written = FormatStatusLine(test.category, test.code, time, "Q7-VB16 V5.2", line);
        EXPECT_EQ(written, test.line != nullptr) << test.category << "/" << test.code;
        EXPECT_EQ(line, test.line != nullptr ? test.line : "untouched") << test.category << "/" << test.code;
    }
}
