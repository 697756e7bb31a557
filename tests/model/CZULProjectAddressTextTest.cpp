#include "AppDataFixture.h"

#include "model/CMemAreaInfo.h"
#include "model/CZULProject.h"
#include "model/OperandTypeFlags.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using CZULProjectAddressTextTest = AppDataFixture;

} // namespace

// Encoded addresses read back as the operand text of their type over the
// live area table; a type without a text form in the area gives "".
TEST_F(CZULProjectAddressTextTest, FormatAddressGivesTheOperandTextOfItsType)
{
    UseFamily(6);
    const struct {
        const char* address;
        short statusBits;
        OperandTypeFlags type;
        const char* text;
    } cases[] = {
        {"%I1.3", 0, OT_BOOL, "%I1.3"},   {"%VB7", 0, OT_BYTE, "%VB7"},      {"%VW100", 0, OT_INT, "%VW100"},
        {"%VD20", 0, OT_DWORD, "%VD20"},  {"%VD20", 0, OT_REAL, "%VR20"},    {"%LD4", 0, OT_REAL, "%LD4"},
        {"%MB2", 0, OT_REAL, ""},         {"%T5", 0, OT_INT, "T5"},          {"%T5", 1, OT_BOOL, "T5"},
        {"%C9", 0, OT_INT, "C9"},         {"%C9", 1, OT_BOOL, "C9"},         {"%HC1", 0, OT_DINT, "%HC1"},
    };
    for (const auto& c : cases) {
        const EncodedPlcAddress address = EncodeAddress(c.address, c.statusBits);
        EXPECT_EQ(CZULProject::FormatAddress(address, c.type), c.text) << c.address;
    }
}

TEST_F(CZULProjectAddressTextTest, FindAreaOfOffsetNamesTheAreaAndTheIndexInIt)
{
    UseFamily(6);
    int index = 0;
    EXPECT_EQ(CZULProject::FindAreaOfOffset(EncodeAddress("%VB12", 0) & 0x1FFF, index), "%V");
    EXPECT_EQ(index, 12);
    EXPECT_EQ(CZULProject::FindAreaOfOffset(0x1FFF, index), "");
    EXPECT_EQ(index, -1);
    EXPECT_EQ(CZULProject::FormatAddress(0x1FFF, OT_BYTE), "");
}
