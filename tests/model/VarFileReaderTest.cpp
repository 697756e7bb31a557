#include "model/VarFileReader.h"

#include "model/CLocalOccupancy.h"
#include "model/CpuProfile.h"

#include "AppDataFixture.h"
#include "support/TempFolder.h"

#include "platform/FileSystem.h"

namespace {

const char* const ALLOCATION_MESSAGE = "The memory allocation for the local variables does not suit the current CPU. \n"
                                       "Please execute 'Reallocate Local Variables' menu command to correct it.";

// A VA10-sized L area (4 BOOL bytes, 12 data bytes) and empty maps.
class LocalAreaTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        m_savedBits = LocalBitBytes;
        m_savedData = LocalDataBytes;
        LocalBitBytes = 4;
        LocalDataBytes = 12;
    }
    void TearDown() override
    {
        LocalBitBytes = m_savedBits;
        LocalDataBytes = m_savedData;
        AppDataFixture::TearDown();
    }

    static CLocalVarEntry Entry(OperandTypeFlags mask, const std::string& address = "")
    {
        CLocalVarEntry entry;
        entry.DataTypeMask = mask;
        entry.Address = address;
        return entry;
    }

    std::vector<BYTE> bits;
    std::vector<BYTE> bytes;
    TempFolder temp;

private:
    int m_savedBits = 0;
    int m_savedData = 0;
};

} // namespace

TEST(VarFileLineTest, DeclarationPartsAndSections)
{
    const struct {
        const char* line;
        VarLineKind kind;
        const char* symbol;
        const char* address;
        const char* type;
        const char* comment;
    } cases[] = {
        {"    IN1  AT  %LW4 : INT ; (* speed *) ", VarLineKind::Declaration, "IN1", "%LW4", "INT", "speed"},
        {"X AT %LB4:BYTE;", VarLineKind::Declaration, "X", "%LB4", "BYTE", ""},
        {"START\tAT\t%L0.1 : BOOL ; (* go", VarLineKind::Declaration, "START", "%L0.1", "BOOL", ""},
        {"DATA AT %LD8 : DWORD ; (* a: b; *)", VarLineKind::Declaration, "DATA", "%LD8", "DWORD", "a: b;"},
        {"RATE_AT AT %LD8 : REAL ;", VarLineKind::Declaration, "RATE_AT", "%LD8", "REAL", ""},
        {"DATA : BYTE ;", VarLineKind::Other, "", "", "", ""},
        {"X AT %LB4 BYTE ;", VarLineKind::Other, "", "", "", ""},
        {"  END_VAR ", VarLineKind::EndVar, "", "", "", ""},
        {"var", VarLineKind::Other, "", "", "", ""},
    };
    for (const auto& c : cases) {
        OperandTypeFlags flags = 0;
        VarDeclaration d;
        EXPECT_EQ(ParseVarFileLine(c.line, flags, d), c.kind) << c.line;
        if (c.kind != VarLineKind::Declaration)
            continue;
        EXPECT_EQ(d.symbol, c.symbol) << c.line;
        EXPECT_EQ(d.address, c.address) << c.line;
        EXPECT_EQ(d.dataType, c.type) << c.line;
        EXPECT_EQ(d.comment, c.comment) << c.line;
    }
    const struct {
        const char* line;
        OperandTypeFlags flags;
    } sections[] = {{"VAR_INPUT", 0xA000}, {"VAR_IN_OUT", 0x1E000}, {"VAR_OUTPUT", 0x1C000}, {" VAR ", 0x18000}};
    for (const auto& s : sections) {
        OperandTypeFlags flags = 0;
        VarDeclaration d;
        EXPECT_EQ(ParseVarFileLine(s.line, flags, d), VarLineKind::Section) << s.line;
        EXPECT_EQ(flags, s.flags) << s.line;
    }
}

TEST_F(LocalAreaTest, FirstFitAllocation)
{
    CLocalOccupancy occupancy(bits, bytes);
    EXPECT_EQ(bits.size(), 128u);
    EXPECT_EQ(bytes.size(), 256u);
    CLocalVarEntry word = Entry(OT_WORD);
    CLocalVarEntry byte = Entry(OT_BYTE);
    CLocalVarEntry dword = Entry(OT_REAL);
    CLocalVarEntry word2 = Entry(OT_INT);
    ASSERT_TRUE(occupancy.AssignNewAddress(word));
    ASSERT_TRUE(occupancy.AssignNewAddress(byte));
    ASSERT_TRUE(occupancy.AssignNewAddress(dword));
    ASSERT_TRUE(occupancy.AssignNewAddress(word2));
    EXPECT_EQ(word.Address, "%LW4");
    EXPECT_EQ(byte.Address, "%LB6");
    EXPECT_EQ(dword.Address, "%LD8");
    EXPECT_EQ(word2.Address, "%LW12");

    occupancy.Release(word);
    EXPECT_EQ(word.Address, "");
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 0);
    CLocalVarEntry again = Entry(OT_BYTE);
    ASSERT_TRUE(occupancy.AssignNewAddress(again));
    EXPECT_EQ(again.Address, "%LB4");

    for (int i = 0; i < 32; ++i) {
        CLocalVarEntry flag = Entry(OT_BOOL);
        ASSERT_TRUE(occupancy.AssignNewAddress(flag)) << i;
        if (i == 0) {
            EXPECT_EQ(flag.Address, "%L0.0");
        }
        if (i == 31) {
            EXPECT_EQ(flag.Address, "%L3.7");
        }
    }
    CLocalVarEntry extra = Entry(OT_BOOL, "%L9.9");
    EXPECT_FALSE(occupancy.AssignNewAddress(extra));
    EXPECT_EQ(extra.Address, "");
    CLocalVarEntry none = Entry(OT_POINTER);
    EXPECT_FALSE(occupancy.AssignNewAddress(none));
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

TEST_F(LocalAreaTest, AddressesOutsideTheCpuAreWarnedAndLeftAlone)
{
    CLocalOccupancy occupancy(bits, bytes);
    occupancy.MarkUsed(Entry(OT_WORD, "%LW14"));
    EXPECT_EQ(bytes[10], 1);
    EXPECT_EQ(bytes[11], 1);
    occupancy.MarkUsed(Entry(OT_DWORD, "%LD14"));   // bytes 16 and 17 are past the area
    occupancy.MarkUsed(Entry(OT_BOOL, "%L4.0"));
    occupancy.MarkUsed(Entry(OT_BYTE, "%LB2"));
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>(4, ALLOCATION_MESSAGE));
    EXPECT_EQ(bytes[12], 0);

    m_ui.box.Clear();
    m_app->CheckLocalVarAllocation = 0;
    occupancy.MarkUsed(Entry(OT_BOOL, "%L4.0"));
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

TEST_F(LocalAreaTest, LoadSymbolsAndFreeAddressesOfAFile)
{
    const std::string path = temp / "SBR01_PUMP.ilv";
    ASSERT_TRUE(FileSystem::SafeSave(path, std::string("EARLY AT %LB6 : BYTE ;\r\n"
                                                       "VAR_INPUT\r\n"
                                                       "    START  AT  %L0.1 : BOOL ; (* go *) \r\n"
                                                       "    Speed  AT  %LW4 : INT ; (* rpm *) \r\n"
                                                       "END_VAR\r\n"
                                                       "VAR\r\n"
                                                       "    odd  AT  %LB7 : STRING ;\r\n"
                                                       "    speed  AT  %LD8 : DINT ;\r\n"
                                                       "END_VAR\r\n")));
    CLocalVarMap map;
    LoadVarFileSymbols(path, map);
    ASSERT_EQ(map.size(), 3u);
    const CLocalVarEntry* start = map.at("START").get();
    EXPECT_EQ(start->ClassName, "VAR_INPUT");
    EXPECT_EQ(start->ClassFlags, 0xA000u);
    EXPECT_EQ(start->DataTypeMask, OT_BOOL | OT_AREA_L);
    EXPECT_EQ(start->Comment, "go");
    EXPECT_EQ(start->Row, 1);
    const CLocalVarEntry* early = map.at("EARLY").get();
    EXPECT_EQ(early->ClassName, "");
    EXPECT_EQ(early->ClassFlags, 0u);
    // The later "speed" replaced "Speed".
    const CLocalVarEntry* speed = map.at("SPEED").get();
    EXPECT_EQ(speed->Symbol, "speed");
    EXPECT_EQ(speed->ClassFlags, 0x18000u);
    EXPECT_EQ(speed->Row, 4);

    CLocalOccupancy occupancy(bits, bytes);
    std::fill(bits.begin(), bits.end(), BYTE(1));
    std::fill(bytes.begin(), bytes.end(), BYTE(1));
    FreeVarFileAddresses(path, bits, bytes);
    EXPECT_EQ(bits[1], 0);
    EXPECT_EQ(bits[0], 1);
    const std::vector<BYTE> expected = {0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + 9), expected);

    CLocalVarMap none;
    LoadVarFileSymbols(temp / "missing.ilv", none);
    EXPECT_TRUE(none.empty());
}
