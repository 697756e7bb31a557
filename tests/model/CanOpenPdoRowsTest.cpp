// The mapping rows of a PDO are stored only once written; what a PDO reads
// must not depend on whether its rows are stored, and copies (the working
// copy of the CANopen window) must not share rows with the original.

#include "model/CCanOpenSlave.h"
#include "model/CZULProject.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

struct FreeSubCase {
    CanOpenFreeSub freeSub;
    int sub;
};

const FreeSubCase kFreeSubCases[] = {{CanOpenFreeSub::none, -1}, {CanOpenFreeSub::zero, 0}};

void ExpectFree(const CCanOpenPdoRows& rows, int sub)
{
    for (const CCanOpenMappedObject& row : rows) {
        EXPECT_EQ(row.ODName, "");
        EXPECT_EQ(row.Index, 0);
        EXPECT_EQ(row.Sub, sub);
        EXPECT_EQ(row.Size, 0);
        EXPECT_EQ(row.Mem, "");
    }
}

} // namespace

TEST(CanOpenPdoRowsTest, FreeRowsReadTheSameStoredOrNot)
{
    for (const FreeSubCase& c : kFreeSubCases) {
        CCanOpenPdoRows rows;
        rows.Reset(c.freeSub);
        ExpectFree(std::as_const(rows), c.sub);
        // Writing one row stores all of them: the others stay free.
        rows[10] = {"Speed", 0x6042, 0, 16, "%VW100"};
        EXPECT_EQ(std::as_const(rows)[10].ODName, "Speed");
        EXPECT_EQ(rows[9].Sub, c.sub);
        EXPECT_EQ(rows[11].Sub, c.sub);
        rows.Reset(c.freeSub);
        ExpectFree(std::as_const(rows), c.sub);
    }
}

TEST(CanOpenPdoRowsTest, CopiesOfASlaveKeepTheirOwnRows)
{
    CCanOpenSlave original;
    CZULProject::ResetCanOpenSlave(original, 2);
    original.TPDO[1].Rows[0] = {"In8", 0x6000, 1, 8, "%VB3000"};

    CCanOpenSlave copy = original;
    copy.TPDO[1].Rows[0].Mem = "%VB3100";
    copy.RPDO[0].Rows[5].ODName = "Out8";
    EXPECT_EQ(original.TPDO[1].Rows[0].Mem, "%VB3000");
    EXPECT_EQ(std::as_const(original).RPDO[0].Rows[5].ODName, "");

    // Assigning a slave whose PDO stores nothing frees what the target stored.
    CCanOpenSlave fresh;
    CZULProject::ResetCanOpenSlave(fresh, 2);
    copy = fresh;
    ExpectFree(std::as_const(copy).TPDO[1].Rows, 0);
    ExpectFree(std::as_const(copy).RPDO[0].Rows, -1);

    copy = original;
    EXPECT_EQ(copy.TPDO[1].Rows[0].Mem, "%VB3000");
    CCanOpenSlave moved = std::move(copy);
    EXPECT_EQ(moved.TPDO[1].Rows[0].ODName, "In8");
}
