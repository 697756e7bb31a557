#include "shell/FrameCommandRules.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct RuleCase {
    const char* what;
    CFrameCommandState state;
    UINT id;
    BOOL enabled;
};

constexpr BOOL Y = TRUE;
constexpr BOOL N = FALSE;

// monitoring, project, PID trend, family, child active, POU editor active
const CFrameCommandState kIdleNoProject {N, N, N, 2, N, N};
const CFrameCommandState kIdleProject {N, Y, N, 2, N, N};
const CFrameCommandState kMonitoring {Y, Y, N, 2, Y, Y};
const CFrameCommandState kTrendOpen {N, Y, Y, 4, Y, N};
const CFrameCommandState kPidFamily4 {N, Y, N, 4, N, N};
const CFrameCommandState kPidFamily16 {N, Y, N, 16, N, N};
const CFrameCommandState kPidFamilyNoProject {N, N, N, 16, N, N};
const CFrameCommandState kEditorActive {N, Y, N, 2, Y, Y};
const CFrameCommandState kOtherChildActive {N, Y, N, 2, Y, N};

const RuleCase kCases[] = {
    {"New Project without a project", kIdleNoProject, 32695, Y},
    {"New Project while monitoring", kMonitoring, 32695, N},
    {"Open Project while monitoring", kMonitoring, 32696, N},
    {"Import while monitoring", kMonitoring, 32781, N},
    {"Close Project without a project", kIdleNoProject, 32697, N},
    {"Close Project with a project", kIdleProject, 32697, Y},
    {"Close Project while monitoring", kMonitoring, 32697, N},
    {"Save while monitoring", kMonitoring, 32779, N},
    {"Save As while monitoring", kMonitoring, 32780, N},
    {"Export while monitoring", kMonitoring, 32782, N},
    {"New Subroutine without a project", kIdleNoProject, 32921, N},
    {"New Subroutine with a project", kIdleProject, 32921, Y},
    {"New Interrupt while monitoring", kMonitoring, 32922, N},
    {"Compile All while monitoring", kMonitoring, 32935, N},
    {"Compile All with a project", kIdleProject, 32935, Y},
    {"Global Variable while monitoring", kMonitoring, 32936, Y},
    {"Global Variable without a project", kIdleNoProject, 32936, N},
    {"Cross Reference with a project", kIdleProject, 32928, Y},
    {"Status Chart without a project", kIdleNoProject, 32932, N},
    {"Upload without a project", kIdleNoProject, 32793, Y},
    {"Upload while monitoring", kMonitoring, 32793, N},
    {"Upload with the PID trend open", kTrendOpen, 32793, N},
    {"Download without a project", kIdleNoProject, 32794, N},
    {"Download with a project", kIdleProject, 32794, Y},
    {"Download while monitoring", kMonitoring, 32794, N},
    {"Download with the PID trend open", kTrendOpen, 32794, N},
    {"Compare with the PID trend open", kTrendOpen, 32795, N},
    {"Clear while monitoring", kMonitoring, 32796, N},
    {"Password with the PID trend open", kTrendOpen, 32889, N},
    {"Information while monitoring", kMonitoring, 32798, N},
    {"Clock without a project", kIdleNoProject, 32799, Y},
    {"RUN while monitoring", kMonitoring, 32802, N},
    {"STOP with the PID trend open", kTrendOpen, 32804, N},
    {"Reset local variable without a project", kIdleNoProject, 32959, N},
    {"Reset local variable with a project", kIdleProject, 32959, Y},
    {"Reset local variable while monitoring", kMonitoring, 32959, N},
    {"Options while monitoring", kMonitoring, 32874, Y},
    {"Open All Programs without a project", kIdleNoProject, 32962, Y},
    {"Window Close without a child", kIdleProject, 32910, N},
    {"Window Close with a child", kOtherChildActive, 32910, Y},
    {"Window Close All without a child", kIdleProject, 32911, N},
    {"tab Close without a child", kIdleProject, 32876, Y},
    {"Symbolic Addressing in a POU editor", kEditorActive, 32927, Y},
    {"Symbolic Addressing in another window", kOtherChildActive, 32927, N},
    {"PID wizard for family 4", kPidFamily4, 32967, Y},
    {"PID wizard for family 16", kPidFamily16, 32967, Y},
    {"PID wizard for family 2", kIdleProject, 32967, N},
    {"PID wizard without a project", kPidFamilyNoProject, 32967, N},
    {"PID trend for family 16", kPidFamily16, 61449, Y},
    {"PID trend while monitoring", {Y, Y, N, 4, N, N}, 61449, N},
    {"Full Screen while monitoring", kMonitoring, 32964, Y},
};

} // namespace

TEST(FrameCommandRules, EachCommandFollowsItsRule)
{
    for (const RuleCase& test : kCases) {
        EnableRule rule = EnableRule::Always;
        ASSERT_TRUE(FindFrameCommandRule(test.id, rule)) << test.what;
        EXPECT_EQ(IsRuleEnabled(rule, test.state), test.enabled) << test.what;
    }
}

TEST(FrameCommandRules, TheTableNamesEachCommandOnceAndNoEditCommand)
{
    int count = 0;
    const CFrameCommandRule* rules = FrameCommandRules(count);
    std::set<UINT> ids;
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(ids.insert(rules[i].id).second) << rules[i].id;
    EnableRule rule = EnableRule::Always;
    EXPECT_FALSE(FindFrameCommandRule(57634, rule)); // Copy goes to the active POU view
}

TEST(FrameCommandRules, F1TopicFollowsTheActiveChild)
{
    const struct {
        const char* frameClass;
        const char* topic;
    } cases[] = {
        {"CChildFrmEditor", "bianliang-IL"},
        {"CChildFrmStatus", "biao-bianliang"},
        {"CChFrmInitData", "chushihuabiao"},
        {"CChFrmCrossRef", "biao-jiaochasuoyin"},
        {"CChildFrameHW", "yingjianpeizhibiao"},
        {"CChildFrameVar", "biao-quanju"},
        {"CPIDDispFrm", ""},
        {nullptr, ""},
    };
    for (const auto& test : cases)
        EXPECT_STREQ(ChildHelpTopic(test.frameClass), test.topic) << (test.frameClass ? test.frameClass : "none");
}
