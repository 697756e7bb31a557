#include "AppDataFixture.h"

#include "model/CSharedCopyBlock.h"
#include "platform/CSharedMemoryBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using AppDataSharedCopyTest = AppDataFixture;

DWORD Field(const CSharedMemoryBlock& block, DWORD offset)
{
    DWORD value = 0;
    std::memcpy(&value, block.Data() + offset, 4);
    return value;
}

} // namespace

// One instance copies, another pastes: the block carries the copier's
// profile sub-type and family bit, and the paste fills the caller's outputs
// and the paste text, which a values-only paste leaves alone.
TEST_F(AppDataSharedCopyTest, CopyInOneInstancePastesInAnother)
{
    UseFamily(6);
    m_app->ProfileSubType = 2;
    const int values[] = {7, -2, 0x12345678};
    ASSERT_TRUE(m_app->CopyToSharedMemory("NETWORK 1", 5, 3, values, 9));

    CSharedMemoryBlock raw;
    ASSERT_TRUE(raw.Open(SHARED_COPY_BLOCK_NAME));
    EXPECT_EQ(Field(raw, SCB_SUB_TYPE), 2u);
    EXPECT_EQ(Field(raw, SCB_FAMILY), 0x40u);

    auto other = std::make_unique<CZULAppData>();
    int kind = 0;
    int count = 0;
    int extra = 0;
    int read[4] = {};
    ASSERT_TRUE(other->PasteFromSharedMemory(kind, count, read, 4, extra, FALSE));
    EXPECT_EQ(kind, 5);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(extra, 9);
    EXPECT_EQ(read[1], -2);
    EXPECT_EQ(read[2], 0x12345678);
    EXPECT_EQ(other->PasteText, "NETWORK 1");

    other->PasteText = "kept";
    EXPECT_FALSE(other->PasteFromSharedMemory(kind, count, read, 2, extra, FALSE)); // no room for three values
    ASSERT_TRUE(other->PasteFromSharedMemory(kind, count, read, 4, extra, TRUE));
    EXPECT_EQ(other->PasteText, "kept");
    EXPECT_TRUE(m_ui.box.Messages().empty());
}
