#include "shell/InsTreeRules.h"

#include "model/CpuProfile.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using Catalogue = std::map<std::string, std::vector<std::string>>;

Catalogue Shown(BOOL ld, DWORD familyBit)
{
    Catalogue shown;
    for (const CInsTreeCategory& category : InsTreeCategories(ld, familyBit)) {
        std::vector<std::string>& names = shown[category.name];
        for (const CInstructionDef* row : category.rows)
            names.push_back(row->name);
    }
    return shown;
}

} // namespace

TEST(InsTreeRulesTest, WithoutAProjectEveryVisibleRowShowsInTableOrder)
{
    const struct {
        BOOL ld;
        size_t rows;
        const char* hidden;
    } sets[] = {{TRUE, LD_INSTRUCTION_COUNT - 4u, "-(RET)"}, {FALSE, IL_INSTRUCTION_COUNT - 4u, "RET"}};
    for (const auto& set : sets) {
        const std::vector<CInsTreeCategory> categories = InsTreeCategories(set.ld, INSTREE_NO_PROJECT);
        ASSERT_EQ(categories.size(), size_t(INSTRUCTION_CATEGORY_COUNT));
        size_t rows = 0;
        const CInstructionDef* previous = nullptr;
        for (size_t c = 0; c < categories.size(); ++c) {
            EXPECT_STREQ(categories[c].name, g_InstructionCategories[c].name);
            for (const CInstructionDef* row : categories[c].rows) {
                EXPECT_TRUE(row->visible) << row->name;
                EXPECT_NE(std::string(row->name), set.hidden);
                EXPECT_LT(previous, row);
                previous = row;
            }
            rows += categories[c].rows.size();
        }
        EXPECT_EQ(rows, set.rows);
    }
    EXPECT_EQ(Shown(TRUE, INSTREE_NO_PROJECT).at("Communications"), (std::vector<std::string>{"XMT", "RCV", "MBUSR", "MBUSW"}));
}

TEST(InsTreeRulesTest, CategoriesByFamily)
{
    const std::vector<std::string> restricted = {"Clock", "PID", "Position Control", "additional"};
    const struct {
        DWORD family;
        std::vector<bool> shown; // Clock, PID, Position Control, additional
    } cases[] = {
        {CPU_FAMILY_VB12, {false, false, false, false}},
        {CPU_FAMILY_VB14, {true, true, false, false}},
        {CPU_FAMILY_VB16, {true, true, true, true}},
        {CPU_FAMILY_NONE8, {true, true, false, false}},
        {CPU_FAMILY_VB14EX, {true, true, true, true}},
        {CPU_FAMILY_VA10, {false, false, false, false}},
        {CPU_FAMILY_VC14, {true, true, true, true}},
        {CPU_FAMILY_VC16, {true, true, true, true}},
    };
    for (const auto& c : cases) {
        for (BOOL ld : {TRUE, FALSE}) {
            const Catalogue shown = Shown(ld, c.family);
            for (size_t i = 0; i < restricted.size(); ++i)
                EXPECT_EQ(shown.count(restricted[i]) == 1, c.shown[i]) << c.family << " " << restricted[i] << " ld " << ld;
            // Every other category stays, even when empty.
            const size_t kept = std::count(c.shown.begin(), c.shown.end(), true);
            EXPECT_EQ(shown.size(), INSTRUCTION_CATEGORY_COUNT - restricted.size() + kept);
        }
    }
}

TEST(InsTreeRulesTest, RowsByFamily)
{
    const struct {
        BOOL ld;
        DWORD family;
        const char* category;
        std::vector<std::string> rows;
    } cases[] = {
        {TRUE, CPU_FAMILY_VA10, "Program Control", {"-(LBL)", "-(JMP)", "-(JMPC)", "-(JMPCN)", "-(RETC)", "-(RETCN)"}},
        {FALSE, CPU_FAMILY_VA10, "Program Control", {"CAL", "JMP", "JMPC", "JMPCN", "RETC", "RETCN"}},
        {TRUE, CPU_FAMILY_VC16, "Communications", {"XMT", "RCV", "MBUSR", "MBUSW"}},
        {TRUE, CPU_FAMILY_VB14, "Communications", {"XMT", "RCV"}},
        {TRUE, CPU_FAMILY_VA10, "Counter", {"CTU", "CTD", "HDEF", "HSC"}},
        {TRUE, CPU_FAMILY_VB12, "Counter", {"CTU", "CTD", "HDEF", "HSC", "PLS"}},
        {TRUE, CPU_FAMILY_VB16, "Position Control", {"PHOME", "PABS", "PREL", "PJOG", "PSTOP"}},
        {TRUE, CPU_FAMILY_VC14, "additional", {"SPD", "LINCO", "CRC16"}},
        {FALSE, CPU_FAMILY_VB14, "Move", {"MOVE", "BLKMOVE", "FILL"}},
        {TRUE, CPU_FAMILY_VB14, "Bit Logic", {"-| |-", "-|/|-", "-|I|-", "-|/I|-", "-(NUL)", "-( )", "-(I)", "-(S)", "-(SI)", "-(R)", "-(RI)", "R_TRIG", "F_TRIG"}},
        {TRUE, CPU_FAMILY_VB14, "Numeric", {"ADD", "SUB", "MUL", "DIV", "MOD", "INC", "DEC"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(c.ld, c.family).at(c.category), c.rows) << c.family << " " << c.category;
}

TEST(InsTreeRulesTest, EmptyCategoryStillShows)
{
    // A family bit that no row's mask holds: its categories stay, all empty.
    constexpr DWORD kFamilyOfNoRow = 0x100;
    for (BOOL ld : {TRUE, FALSE}) {
        const std::vector<CInsTreeCategory> categories = InsTreeCategories(ld, kFamilyOfNoRow);
        EXPECT_EQ(categories.size(), size_t(INSTRUCTION_CATEGORY_COUNT - 2));
        for (const CInsTreeCategory& category : categories)
            EXPECT_TRUE(category.rows.empty()) << category.name;
    }
    EXPECT_EQ(Shown(FALSE, CPU_FAMILY_VA10).at("Convert"), (std::vector<std::string>{"DI_TO_R", "R_TO_DI"}));
}

TEST(InsTreeRulesTest, Images)
{
    const CInstructionDef& iec = g_LDInstructionTable[0];
    const CInstructionDef& extension = g_LDInstructionTable[2];
    EXPECT_EQ(InsTreeCategoryImage(TRUE), 0);
    EXPECT_EQ(InsTreeCategoryImage(FALSE), 3);
    EXPECT_EQ(InsTreeInstructionImage(TRUE, iec), 1);
    EXPECT_EQ(InsTreeInstructionImage(FALSE, iec), 2);
    EXPECT_EQ(InsTreeInstructionImage(TRUE, extension), 4);
    EXPECT_EQ(InsTreeInstructionImage(FALSE, extension), 5);
}

TEST(InsTreeRulesTest, InsertWParam)
{
    const struct {
        bool underSubroutines;
        BYTE ldShown;
        BYTE ilShown;
        int wParam;
    } cases[] = {
        {false, 0, 1, 0}, {true, 0, 1, 1}, {false, 1, 0, 2}, {true, 1, 0, 3},
        {false, 0, 0, -1}, {true, 0, 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InsTreeInsertWParam(c.underSubroutines, c.ldShown, c.ilShown), c.wParam)
            << c.underSubroutines << int(c.ldShown) << int(c.ilShown);
}

TEST(InsTreeRulesTest, HelpTopicAndContext)
{
    const struct {
        const char* text;
        const char* parent;
        const char* topic;
        int context;
    } cases[] = {
        {"AND", "Bit Logic", "AND_BOOL", 10},
        {"AND", "Logical Operations", "AND", 41},
        {"ANDN", "Bit Logic", "ANDN_BOOL", -1},
        {"OR", "Bit Logic", "OR_BOOL", -1},
        {"ORN", "Bit Logic", "ORN_BOOL", -1},
        {"LD", "Bit Logic", "LD", -1},
        {"TON", "Timer", "TON", 130},
        {"Motor", "SBR", "CAL", 82},
        {"NO SUCH", "Timer", "NO SUCH", 1},
        {"", "", "", 1},
    };
    for (const auto& c : cases) {
        CScopedUi ui;
        OpenInsTreeHelp(c.text, c.parent);
        const std::vector<RecordedHelp> shown = ui.help.Requests();
        ASSERT_EQ(shown.size(), 1u) << c.text;
        EXPECT_EQ(shown[0].topic, c.topic) << c.text << " under " << c.parent;
        if (c.context >= 0)
            EXPECT_EQ(shown[0].context, c.context) << c.text;
        else
            EXPECT_GT(shown[0].context, 1) << c.text;
    }
}
