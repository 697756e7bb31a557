#include "CompilerFixture.h"

#include "compiler/CommentFilter.h"

namespace {

struct FilterCase {
    int fileKind;
    bool openBefore;
    const char* line;
    const char* result;
    bool openAfter;
};

using CommentFilterTest = CompilerFixture;

TEST_F(CommentFilterTest, HeadersBecomeNetworkStatementsAndCommentsVanish)
{
    const FilterCase cases[] = {
        {FILE_KIND_MAIN_PROGRAM, false, "(* NETWORK 12 *)", "__NETWORK 12", false},
        {FILE_KIND_MAIN_VARS, false, "(* NETWORK 12 *)", "", false},
        {FILE_KIND_SBR_PROGRAM, false, "(*NETWORK 4*) LD I0.0", "__NETWORK 4  LD I0.0", false},
        {FILE_KIND_INT_PROGRAM, false, "   (* Network 2 *)", "__NETWORK 2", false},
        {FILE_KIND_MAIN_PROGRAM, false, "(* NETWORK A *)", "", false},
        {FILE_KIND_MAIN_PROGRAM, false, "(* NETWORK *)", "", false},
        {FILE_KIND_MAIN_PROGRAM, false, "(* NETWORK 1 2 *)", "", false},
        {FILE_KIND_MAIN_PROGRAM, false, "(* x *) (* NETWORK 5 *)", "__NETWORK 5", false},
        {FILE_KIND_MAIN_PROGRAM, false, "(* Network 3 *) ld a", "__NETWORK 3  LD A", false},
        {FILE_KIND_MAIN_PROGRAM, false, "LD A (* x *) (* y *)", "LD A", false},
        {FILE_KIND_MAIN_PROGRAM, false, "LD A (* x *) ST B", "LD A         ST B", false},
        {FILE_KIND_MAIN_PROGRAM, false, "LD A (* start", "LD A", true},
        {FILE_KIND_MAIN_PROGRAM, true, "end *) ST B", "ST B", false},
        {FILE_KIND_MAIN_PROGRAM, true, "still inside", "", true},
        {FILE_KIND_MAIN_PROGRAM, true, "end *) LD A (* again *)", "LD A (* again *)", false},
        {FILE_KIND_MAIN_PROGRAM, false, "LD A (*)", "LD A", true},
        {FILE_KIND_MAIN_PROGRAM, false, "  LD   A  ", "LD   A", false},
    };
    for (const FilterCase& c : cases) {
        g_CompileState.CurrentFileKind = c.fileKind;
        std::string line = c.line;
        EXPECT_EQ(FilterCommentsAndNetworkHeader(line, c.openBefore, "(*", "*)"), c.openAfter) << c.line;
        EXPECT_EQ(line, c.result) << c.line;
    }
}

} // namespace
