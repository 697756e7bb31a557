#include "AppDataFixture.h"
#include "ByteBuilder.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "platform/CArchive.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

std::vector<unsigned char> U(const std::vector<BYTE>& bytes)
{
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

// The application data whose header copy tells the module which version it reads.
class ModuleRecordTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        SetVersion(2, 0, 1, 0);
    }
    void SetVersion(BYTE a, BYTE b, BYTE c, BYTE d)
    {
        BYTE* h = m_app->ProjectFileHeader;
        h[11] = a;
        h[12] = b;
        h[13] = c;
        h[14] = d;
    }
};

// A module as the file holds it; filters either packed into four bytes or as two plain bytes.
ByteBuilder ModuleBytes(bool packedFilters, unsigned doCount)
{
    ByteBuilder b;
    b.Str("VB14-24DT").U8(2).U32(1).Str("DC24V");
    b.U8(3).U8(4).U8(5).U8(6).U8(7);  // port 0: address, baud, data bits, parity, stop bits
    b.U8(1).U8(2).U8(1).U8(0).U8(0);  // port 1
    b.U8(10);
    b.U8(0).U16(100).U16(20).U8(0).U16(0).U16(0).U8(1).U16(5).U16(3).U8(1).U16(0).U16(0);
    b.U32(0xA5A5);
    for (int i = 0; i < 24; ++i)
        b.U8(i);
    b.U16(14).U8(0).U8(1);
    for (int i = 0; i < 16; ++i)
        b.U32(0x100 + i);
    if (packedFilters)
        b.U8(0x21).U8(0x43).U8(0x65).U8(0x87);
    else
        b.U8(9).U8(11);
    b.U16(doCount).U8(0).U8(1);
    for (unsigned i = 0; i < (doCount + 7) / 8 * 8; ++i)
        b.U32(i % 2);
    b.U16(0).U8(0).U8(0);
    for (int i = 0; i < 4; ++i)
        b.U8(i).U8(i + 4);
    b.U16(0).U8(0).U8(0);
    for (int i = 0; i < 2; ++i)
        b.U8(i + 1).U32(i).U32(1000 + i);
    return b;
}

} // namespace

TEST_F(ModuleRecordTest, ReadsAndWritesTheStoredLayout)
{
    const auto bytes = ModuleBytes(true, 10).Bytes();
    CArchive in(bytes);
    CZUL_Q7_PLC module;
    module.Serialize(in);
    ASSERT_TRUE(in.IsOK()) << in.GetErrorText();
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_EQ(module.model, "VB14-24DT");
    EXPECT_EQ(module.hardwareCode, 2);
    EXPECT_EQ(module.ports[0].address, 3);
    EXPECT_EQ(module.ports[0].baud, 4);
    EXPECT_EQ(module.ports[0].dataBits, 5);
    EXPECT_EQ(module.ports[0].parity, 6);
    EXPECT_EQ(module.ports[0].stopBits, 7);
    EXPECT_EQ(module.retain[0].start, 100);
    EXPECT_EQ(module.retain[2].area, 1);
    EXPECT_EQ(module.retain[2].length, 3);
    EXPECT_EQ(module.optionWord, 0xA5A5u);
    EXPECT_EQ(module.optionBytes[23], 23);
    EXPECT_EQ(module.diChannelWords[15], 0x10Fu);
    const BYTE filters[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(std::memcmp(module.inputFilters, filters, 8), 0);
    EXPECT_EQ(module.doCount, 10);
    EXPECT_EQ(module.stopStates[15], 1u);
    EXPECT_EQ(module.aiFilter[3], 7);
    EXPECT_EQ(module.aoRange[1], 2);
    EXPECT_EQ(module.aoFreezeValue[1], 1001u);

    CArchive out;
    module.Serialize(out);
    EXPECT_TRUE(BytesEqual(U(bytes), U(out.GetBuffer())));
}

TEST_F(ModuleRecordTest, FilterLayoutFollowsTheFileVersion)
{
    struct Case {
        BYTE version[4];
        bool packed;
    };
    for (const Case& c : {Case{{2, 0, 1, 0}, true}, Case{{2, 0, 0, 2}, true}, Case{{2, 0, 0, 1}, true},
                          Case{{2, 0, 1, 3}, false}, Case{{1, 9, 3, 0}, false}}) {
        SetVersion(c.version[0], c.version[1], c.version[2], c.version[3]);
        const auto bytes = ModuleBytes(c.packed, 8).Bytes();
        CArchive in(bytes);
        CZUL_Q7_PLC module;
        module.inputFilters[5] = 12;
        module.Serialize(in);
        const int build = c.version[3];
        ASSERT_TRUE(in.IsOK()) << build;
        EXPECT_EQ(in.GetRemaining(), 0u) << build;
        if (c.packed) {
            EXPECT_EQ(module.inputFilters[0], 1) << build;
            EXPECT_EQ(module.inputFilters[5], 6) << build;
        } else {
            EXPECT_EQ(module.inputFilters[0], 9) << build;
            EXPECT_EQ(module.inputFilters[1], 11) << build;
            EXPECT_EQ(module.inputFilters[5], 12) << build;
        }
    }
}

TEST_F(ModuleRecordTest, StopStatesFollowTheOutputCount)
{
    struct Case {
        WORD doCount;
        size_t states;
    };
    CZUL_Q7_PLC none;
    CArchive noOutputs;
    none.Serialize(noOutputs);
    const size_t baseSize = noOutputs.GetBuffer().size();
    for (const Case& c : {Case{0, 0}, Case{1, 8}, Case{9, 16}, Case{32, 32}}) {
        CZUL_Q7_PLC module;
        module.doCount = c.doCount;
        CArchive out;
        module.Serialize(out);
        EXPECT_EQ(out.GetBuffer().size(), baseSize + 4 * c.states) << c.doCount;
        CArchive in(out.GetBuffer());
        CZUL_Q7_PLC read;
        read.Serialize(in);
        EXPECT_TRUE(in.IsOK()) << c.doCount;
        EXPECT_EQ(in.GetRemaining(), 0u) << c.doCount;
    }
}

TEST_F(ModuleRecordTest, MoreOutputsThanStopStatesIsAReadError)
{
    for (unsigned doCount : {33u, 0xFFFFu}) {
        CArchive in(ModuleBytes(true, doCount).Bytes());
        CZUL_Q7_PLC module;
        module.Serialize(in);
        EXPECT_FALSE(in.IsOK()) << doCount;
    }
}

TEST_F(ModuleRecordTest, DefaultsAndCatalogueInitialisation)
{
    CZUL_Q7_PLC module;
    EXPECT_EQ(module.hardwareCode, 0xFF);
    EXPECT_EQ(FindCatalogRowByCode(0xFF), nullptr);
    module.qStart = 4;
    module.retain[0].length = 9;
    module.optionBytes[0] = 3;
    for (DWORD& state : module.stopStates)
        state = 1;
    for (BYTE& filter : module.inputFilters)
        filter = 5;

    const CModuleCatalogEntry* row = GetCatalogRow(6); // VB14-24DT: 14 DI, 10 DO
    ASSERT_NE(row, nullptr);
    module.InitFromCatalog(*row);
    EXPECT_EQ(module.model, "VB14-24DT");
    EXPECT_EQ(module.hardwareCode, 2);
    EXPECT_EQ(module.kindMask, MODULE_KIND_CPU);
    EXPECT_EQ(module.description, "DC24V Power Suply, DI 14*DC24V, DO 10*DC24V");
    EXPECT_EQ(module.diCount, 14);
    EXPECT_EQ(module.doCount, 10);
    EXPECT_EQ(module.stopStates[15], 0u);
    EXPECT_EQ(module.stopStates[16], 1u);
    EXPECT_EQ(module.inputFilters[7], 0);
    EXPECT_EQ(module.qStart, 4);
    EXPECT_EQ(module.retain[0].length, 9);
    EXPECT_EQ(module.optionBytes[0], 3);
    for (const CModulePortSettings& port : module.ports) {
        EXPECT_EQ(port.address, 1);
        EXPECT_EQ(port.baud, 2);
        EXPECT_EQ(port.parity, 0);
        EXPECT_EQ(port.dataBits, 1);
        EXPECT_EQ(port.stopBits, 0);
    }
    EXPECT_EQ(module.portOption, 10);

    // The controller row lists four outputs; the record clears the two it holds.
    CZUL_Q7_PLC controller;
    controller.aoFreezeValue[1] = 77;
    controller.aoRange[1] = 3;
    controller.InitFromCatalog(*FindCatalogRowByCode(38));
    EXPECT_EQ(controller.aoCount, 4);
    EXPECT_EQ(controller.aoRange[1], 0);
    EXPECT_EQ(controller.aoFreezeValue[1], 77u);
}

TEST(ModuleCatalogTest, RowsByIndexAndCode)
{
    std::set<int> codes;
    int shown[3] = {};
    for (int i = 0; i < MODULE_CATALOG_ROWS; ++i) {
        const CModuleCatalogEntry& row = ModuleCatalog[i];
        codes.insert(row.hardwareCode);
        EXPECT_LT(std::strlen(row.model), 15u);
        EXPECT_LE(row.aiCount, 4) << row.model;
        const int group = i < MODULE_CATALOG_FIRST_DIGITAL_ROW ? 0 : i < MODULE_CATALOG_FIRST_ANALOG_ROW ? 1 : 2;
        EXPECT_EQ((row.kind & MODULE_KIND_CPU) != 0, group == 0) << row.model;
        shown[group] += row.shown ? 1 : 0;
    }
    EXPECT_EQ(codes.size(), static_cast<size_t>(MODULE_CATALOG_ROWS));
    EXPECT_EQ(shown[0], 13);
    EXPECT_EQ(shown[1], 9);
    EXPECT_EQ(shown[2], 5);
    EXPECT_STREQ(GetCatalogRow(0)->model, "VA10-14AR");
    EXPECT_STREQ(GetCatalogRow(44)->model, "VF70-04IV");
    EXPECT_EQ(GetCatalogRow(45), nullptr);
    EXPECT_EQ(GetCatalogRow(-1), nullptr);
    EXPECT_STREQ(FindCatalogRowByCode(41)->model, "VF70-04IV");
    EXPECT_EQ(FindCatalogRowByCode(0), nullptr);
}
