#include "model/CLocalAddressTable.h"

#include "model/CpuProfile.h"

#include <gtest/gtest.h>

namespace {

// A VA10 profile: 4 bytes of BOOL locals, 12 bytes of data locals.
class CLocalAddressTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedBits = LocalBitBytes;
        m_savedData = LocalDataBytes;
        LocalBitBytes = 4;
        LocalDataBytes = 12;
        table.Reset();
    }
    void TearDown() override
    {
        LocalBitBytes = m_savedBits;
        LocalDataBytes = m_savedData;
    }

    CLocalAddressTable table;

private:
    int m_savedBits = 0;
    int m_savedData = 0;
};

} // namespace

TEST_F(CLocalAddressTableTest, BoolAndDataBytesOfTheProfile)
{
    EXPECT_TRUE(table.Reserve("A", "%LB4"));
    for (int bit = 32; bit < 40; ++bit)
        EXPECT_TRUE(table.IsBitUsed(bit)) << bit;
    EXPECT_FALSE(table.IsBitUsed(40));
    EXPECT_FALSE(table.Reserve("B", "%LB3"));  // a BOOL byte
    EXPECT_TRUE(table.Reserve("C", "%L3.7"));
    EXPECT_TRUE(table.IsBitUsed(31));
    EXPECT_FALSE(table.Reserve("D", "%L4.0")); // past the BOOL bytes
    EXPECT_TRUE(table.Reserve("E", "%LW8"));
    EXPECT_TRUE(table.Reserve("F", "%LD15"));  // only the start byte is tested against the area
    EXPECT_TRUE(table.IsBitUsed(8 * 18 + 7));
    EXPECT_FALSE(table.Reserve("G", "%LB16"));
    EXPECT_FALSE(table.Reserve("H", "%Lx.1"));
    EXPECT_FALSE(table.Reserve("I", "%LBx"));
}

TEST_F(CLocalAddressTableTest, SamePairTwiceAndOverlaps)
{
    EXPECT_TRUE(table.Reserve("A", "%LW6"));
    EXPECT_TRUE(table.Reserve("A", "%LW6"));
    EXPECT_EQ(table.PairCount(), 1);
    EXPECT_FALSE(table.Reserve("B", "%LW6"));
    EXPECT_FALSE(table.Reserve("C", "%LB7"));
}

TEST_F(CLocalAddressTableTest, FailedReservationLeavesNoOccupancy)
{
    ASSERT_TRUE(table.Reserve("A", "%LB6"));
    // The double word 4..7 meets byte 6: nothing of it may stay marked.
    EXPECT_FALSE(table.Reserve("B", "%LD4"));
    for (int bit = 32; bit < 48; ++bit)
        EXPECT_FALSE(table.IsBitUsed(bit)) << bit;
    EXPECT_TRUE(table.Reserve("C", "%LW4"));
    // A failed pair is not remembered as reserved.
    EXPECT_FALSE(table.Reserve("B", "%LD4"));
    EXPECT_EQ(table.PairCount(), 2);
}

TEST_F(CLocalAddressTableTest, OtherAddressesPassUnrecorded)
{
    for (const char* address : {"%VB0", "%I0.0", ""})
        EXPECT_TRUE(table.Reserve("A", address)) << address;
    EXPECT_TRUE(table.Reserve("", "%LB4"));
    EXPECT_EQ(table.PairCount(), 0);
    EXPECT_FALSE(table.IsBitUsed(32));
    // Other L forms are accepted as they are and marked nowhere.
    EXPECT_TRUE(table.Reserve("B", "%L5"));
    EXPECT_TRUE(table.Reserve("C", "%LR4"));
    for (int bit = 0; bit < LOCAL_MEMORY_BITS; ++bit)
        ASSERT_FALSE(table.IsBitUsed(bit)) << bit;
}

TEST_F(CLocalAddressTableTest, FreeFunctionUsesTheCompilationTable)
{
    g_LocalAddresses.Reset();
    EXPECT_TRUE(ReserveLocalAddress("A", "%LB4"));
    EXPECT_FALSE(ReserveLocalAddress("B", "%LB4"));
    g_LocalAddresses.Reset();
    EXPECT_TRUE(ReserveLocalAddress("B", "%LB4"));
    g_LocalAddresses.Reset();
}
