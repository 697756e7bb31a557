#include "DecompilerFixture.h"
#include "UploadImageBuilder.h"
#include "VarBlockBuilder.h"

#include "model/CZULInitData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/LanguageLibrary.h"
#include "model/POULanguageTable.h"
#include "plclink/CUploadImageParser.h"

#include <cstring>

using B = ObjectCodeBuilder;

namespace {

// Block 5 offsets of formats 1 to 3.
constexpr int kRetain = 6;
constexpr int kStop = 57;
constexpr int kFilters = 121;
constexpr int kAnalogIn = 125;
constexpr int kPorts = 192;
constexpr int kModbus = 202;

// Hardware codes of the module catalogue.
constexpr BYTE kVB14 = 2;
constexpr BYTE kVB16 = 4;
constexpr BYTE kVB14EX = 36;
constexpr BYTE kVA10 = 50;
constexpr BYTE kVC14 = 45;
constexpr BYTE kDigitalOut8 = 9;
constexpr BYTE kAnalogInOut = 42; // kind 0x2000: two inputs, one output
constexpr BYTE kAnalogOut = 23;   // kind 0x800: two outputs

const char* const kCrcMessageGbk = "\xB8\xC3\xCE\xC4\xBC\xFE" "CRC\xD0\xA3\xD1\xE9\xB4\xED\xCE\xF3\xA3\xA1\xC7\xEB"
                                   "\xD6\xD8\xD0\xC2\xB3\xA2\xCA\xD4\xC9\xCF\xD4\xD8\xB2\xD9\xD7\xF7\xA1\xA3";

} // namespace

class UploadImageParserTest : public DecompilerFixture {
protected:
    void SetUp() override
    {
        DecompilerFixture::SetUp();
        Project().ProjectFolder = m_folder.Path();
        std::memset(g_POULanguageTable, 0, sizeof g_POULanguageTable);
    }
    void TearDown() override
    {
        std::memset(g_POULanguageTable, 0, sizeof g_POULanguageTable);
        DecompilerFixture::TearDown();
    }
    CZULProject& Project() { return m_app->Project; }
    BOOL Parse(int format, const std::vector<BYTE>& image)
    {
        m_app->UploadFormat = format;
        Project().TransferBuffer = image;
        return ParseUploadImage(*m_app);
    }
    static WORD Addr(const char* address) { return EncodeAddress(address, 0); }
    // Drops the modules of the previous case; the project owns them.
    void ClearModules()
    {
        Project().Modules.clear();
    }
};

TEST_F(UploadImageParserTest, FormatOneRestoresModulesSettingsPousAndInitialData)
{
    UploadImageBuilder image(1);
    image.Module(kVB14, 0, 1, 0, 1).Module(kAnalogInOut, 0, 3, 0, 1).Module(kDigitalOut8, 255, 255, 2, 2);
    // Retentive ranges: V bytes from 100 and counters from 5 (stored with the areas' image offsets).
    image.CpuByte(kRetain + 1, 0).CpuWord(kRetain + 2, 410 + 100).CpuWord(kRetain + 4, 10);
    image.CpuByte(kRetain + 7, 1).CpuWord(kRetain + 8, 5162 + 5).CpuWord(kRetain + 10, 3);
    image.CpuByte(kStop + 0, 0x05).CpuByte(kStop + 1, 0x02).CpuByte(kStop + 2, 0x81);
    image.CpuByte(kFilters, 0x21).CpuByte(kFilters + 1, 0x43).CpuByte(kFilters + 2, 0x65).CpuByte(kFilters + 3, 0x87);
    image.CpuByte(kAnalogIn, 0x79).CpuByte(kAnalogIn + 1, 0x8B);
    image.CpuByte(kPorts, 2).CpuByte(kPorts + 1, 3).CpuByte(kPorts + 2, 1).CpuByte(kPorts + 3, 2);
    image.CpuByte(kPorts + 5, 5).CpuByte(kPorts + 6, 4).CpuByte(kPorts + 7, 0).CpuByte(kPorts + 8, 1);
    image.CpuWord(kModbus, 6).CpuByte(kModbus + 2, 1).CpuWord(kModbus + 3, 2500).CpuByte(kModbus + 5, 5);
    image.CpuByte(kModbus + 6, 0x38).CpuWord(kModbus + 7, 0x1234); // AO word 0 after the Modbus section
    image.Language(1 + 3, 2);
    image.ObjectCode(B()
                         .Pou(1, 0xFF).Op(B::LD).Addr("%I0.0").Op(B::MPEND)
                         .Pou(2, 3).Op(B::LD).Addr("%L0.0").Op(B::SPEND)
                         .Finish());
    image.VariableBlock(VarBlock({VarRecord(3, 3, {{Addr("%L0.0"), 0x11}})}));
    image.InitialValue(Addr("%VW0"), {0xFF, 0xFF}, 2)
        .InitialValue(Addr("%VB4"), {7, 200}, 1)
        .InitialValue(Addr("%VD8"), {0xFE, 0xFF, 0xFF, 0xFF}, 3)
        .InitialValue(Addr("%VR12"), {0x00, 0x00, 0xC0, 0x3F}, 4)
        .InitialValue(Addr("%VB20"), {1}, 9);

    ASSERT_TRUE(Parse(1, image.Build()));
    ASSERT_EQ(3u, Project().Modules.size());
    EXPECT_EQ(1, Project().CPUFamilyIndex);
    const CZUL_Q7_PLC& cpu = *Project().Modules[0];
    EXPECT_EQ("VB14-24DT", cpu.model);
    EXPECT_EQ(1, cpu.iEnd);
    EXPECT_EQ(1, cpu.qEnd);
    EXPECT_EQ(0, cpu.retain[0].area);
    EXPECT_EQ(100, cpu.retain[0].start);
    EXPECT_EQ(10, cpu.retain[0].length);
    EXPECT_EQ(1, cpu.retain[1].area);
    EXPECT_EQ(5, cpu.retain[1].start);
    const BYTE filters[] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(0, std::memcmp(filters, cpu.inputFilters, sizeof filters));
    EXPECT_EQ(2, cpu.ports[0].address);
    EXPECT_EQ(3, cpu.ports[0].baud);
    EXPECT_EQ(1, cpu.ports[0].dataBits);
    EXPECT_EQ(2, cpu.ports[0].parity);
    EXPECT_EQ(5, cpu.ports[1].address);
    EXPECT_EQ(1, cpu.ports[1].parity);
    const DWORD cpuStops[] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(0, std::memcmp(cpuStops, cpu.stopStates, sizeof cpuStops));

    const CZUL_Q7_PLC& analog = *Project().Modules[1];
    EXPECT_EQ(3, analog.aiEnd);
    EXPECT_EQ(1, analog.aoEnd);
    EXPECT_EQ(8, analog.aiFunction[0]);
    EXPECT_EQ(1, analog.aiFilter[0]);
    EXPECT_EQ(10, analog.aiFunction[1]);
    EXPECT_EQ(3, analog.aiFilter[1]);
    EXPECT_EQ(3, analog.aoRange[0]);
    EXPECT_EQ(1u, analog.aoStopMode[0]);
    EXPECT_EQ(0x1234u, analog.aoFreezeValue[0]);
    const CZUL_Q7_PLC& outputs = *Project().Modules[2];
    EXPECT_EQ(2, outputs.qStart);
    EXPECT_EQ(1u, outputs.stopStates[0]);
    EXPECT_EQ(1u, outputs.stopStates[7]);

    EXPECT_EQ(1, Project().ModbusMaster[1][MODBUS_ENABLE_OFFSET]);
    EXPECT_EQ(1, Project().GetModbusInt(1, MODBUS_SWITCH_OFFSET));
    EXPECT_EQ(2500, Project().GetModbusInt(1, MODBUS_TIMEOUT_OFFSET));
    EXPECT_EQ(5, Project().ModbusRetries);

    EXPECT_EQ(2, g_POULanguageTable[4]);
    ASSERT_EQ(1u, Project().POUs.SubroutineNodes.count("SBR_3"));
    EXPECT_EQ(POU_LANGUAGE_LD, Project().POUs.SubroutineNodes["SBR_3"]->language);
    EXPECT_EQ("VAR_INPUT\nbP0 AT %L0.0 : BOOL ;\nEND_VAR\nVAR_IN_OUT\nEND_VAR\nVAR_OUTPUT\nEND_VAR\nVAR\nEND_VAR\n",
              ReadText("SBR03_SBR_3.ilv"));
    EXPECT_EQ("(*1*)\nLD      %I0.0\n", ReadText("MAIN_MAIN.ilp"));

    ASSERT_EQ(5u, Project().InitialData.size());
    const CZULInitData& word = *Project().InitialData[0];
    EXPECT_EQ((std::vector<std::string>{"%VW0", "-1"}), word.texts);
    EXPECT_EQ(OT_INT, word.rowState1);
    EXPECT_EQ((std::vector<std::string>{"%VB4", "B#7", "B#200"}), Project().InitialData[1]->texts);
    EXPECT_EQ((std::vector<DWORD>{Addr("%VB4"), 7, 200}), Project().InitialData[1]->values);
    EXPECT_EQ((std::vector<std::string>{"%VD8", "DI#-2"}), Project().InitialData[2]->texts);
    EXPECT_EQ((std::vector<std::string>{"%VR12", "1.500000"}), Project().InitialData[3]->texts);
    EXPECT_TRUE(Project().InitialData[4]->texts.empty());
    EXPECT_EQ(128u, Project().LocalBitUsage.size());
    EXPECT_EQ(256u, Project().LocalByteUsage.size());
    EXPECT_TRUE(m_ui.box.Texts().empty());
}

TEST_F(UploadImageParserTest, FormatZeroUsesItsOwnLayoutAndTheHeaderLanguage)
{
    UploadImageBuilder image(0);
    image.Module(kVB14, 0, 1, 0, 1).Module(kAnalogOut, 255, 255, 0, 3);
    image.CpuByte(57 + 1, 0x03);                                 // STOP states of Q1
    image.CpuByte(133, 7).CpuByte(133 + 5, 9);                   // station addresses of both ports
    image.CpuByte(143 + 3, 0x50).CpuWord(143 + 4, 500);         // AO word 1
    image.ObjectCode(B().Pou(1, 0xFF, 2).Op(B::LD).Addr("%I0.1").Op(B::MPEND).Finish());
    ASSERT_TRUE(Parse(0, image.Build()));
    const CZUL_Q7_PLC& cpu = *Project().Modules[0];
    EXPECT_EQ(7, cpu.ports[0].address);
    EXPECT_EQ(9, cpu.ports[1].address);
    EXPECT_EQ(1u, cpu.stopStates[8]);
    EXPECT_EQ(1u, cpu.stopStates[9]);
    EXPECT_EQ(5, Project().Modules[1]->aoRange[1]);
    EXPECT_EQ(500u, Project().Modules[1]->aoFreezeValue[1]);
    EXPECT_EQ(-1, Project().GetModbusInt(1, MODBUS_SWITCH_OFFSET));
    EXPECT_TRUE(Project().InitialData.empty());
    EXPECT_EQ(POU_LANGUAGE_LD, Project().MainNode.language);
    EXPECT_EQ("(*2*)\nLD      %I0.1\n", ReadText("MAIN_MAIN.ilp"));
}

TEST_F(UploadImageParserTest, TheFirstModuleSelectsTheFamilyByFormat)
{
    const struct {
        int format;
        BYTE code;
        int family; // -1: refused
    } cases[] = {
        {0, kVB16, -1}, {1, kVB16, 2},   {3, kVB16, 2},  {1, kVB14EX, 4}, {0, kVA10, 5},
        {1, kVA10, -1}, {2, kVC14, 6},   {2, 48, 7},     {2, kVB14, -1},  {0, 1, 0},
    };
    for (const auto& c : cases) {
        ClearModules();
        Project().CPUFamilyIndex = -1;
        UploadImageBuilder image(c.format);
        image.Module(c.code, 0, 1, 0, 1);
        if (c.format == 2)
            image.CpuWord(kModbus, 2).CpuWord(kModbus + 2, 2);
        else if (c.format != 0)
            image.CpuWord(kModbus, 2);
        const BOOL parsed = Parse(c.format, image.Build());
        EXPECT_EQ(c.family >= 0, parsed != FALSE) << c.format << " " << int(c.code);
        if (c.family >= 0) {
            EXPECT_EQ(c.family, Project().CPUFamilyIndex) << int(c.code);
        } else {
            EXPECT_TRUE(Project().Modules.empty()) << int(c.code);
        }
    }
}

TEST_F(UploadImageParserTest, FormatTwoDecodesItsCanOpenSectionBeforeTheAnalogOutputs)
{
    UploadImageBuilder image(2);
    image.CpuBlockSize(300).Module(kVC14, 0, 1, 0, 1).Module(kAnalogOut, 255, 255, 0, 3);
    // Modbus section of its length only, then a CANopen section with one slave of an unknown type.
    image.CpuWord(kModbus, 2);
    const int canopen = kModbus + 2;
    const int sectionLength = 18 + 4 + 54 + 1;
    image.CpuWord(canopen, sectionLength).CpuWord(canopen + 2, 250).CpuByte(canopen + 6, 0x85);
    image.CpuByte(canopen + 13, 1).CpuWord(canopen + 16, 55);
    image.CpuByte(canopen + 22 + 2, 12).CpuWord(canopen + 22 + 15, 0x0001);
    image.CpuByte(canopen + sectionLength, 0x20).CpuWord(canopen + sectionLength + 1, 77);
    ASSERT_TRUE(Parse(2, image.Build()));
    EXPECT_EQ(6, Project().CPUFamilyIndex);
    EXPECT_EQ(-1, Project().GetModbusInt(1, MODBUS_SWITCH_OFFSET)); // a Modbus section of its length only
    EXPECT_EQ(4, Project().CanOpenBPS);
    EXPECT_EQ(5, Project().CanOpenMasterAddr);
    EXPECT_EQ(1, Project().NotHandleBoot);
    EXPECT_EQ(12, Project().CanOpenSlaves[11].Node);
    EXPECT_EQ(2, Project().Modules[1]->aoRange[0]);
    EXPECT_EQ(77u, Project().Modules[1]->aoFreezeValue[0]);
    const std::vector<std::string> texts = m_ui.box.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find(" 1 ")); // one unknown slave
}

TEST_F(UploadImageParserTest, AWrongChecksumIsRefusedWithTheMessageOfItsFormat)
{
    for (int format : {0, 1}) {
        m_ui.box.Clear();
        UploadImageBuilder image(format);
        image.Module(kVB14, 0, 1, 0, 1);
        std::vector<BYTE> bytes = image.Build();
        bytes[bytes[0] + 8] ^= 0x01; // a byte of the module block
        EXPECT_FALSE(Parse(format, bytes));
        EXPECT_TRUE(Project().Modules.empty());
        const std::vector<RecordedMessage> messages = m_ui.box.Messages();
        ASSERT_EQ(1u, messages.size());
        if (format == 0) {
            EXPECT_EQ("Error", messages[0].caption);
            EXPECT_EQ("Uploaded data error (CRC check), please try again.", messages[0].text);
        } else {
            EXPECT_EQ("\xB4\xED\xCE\xF3", messages[0].caption);
            EXPECT_EQ(kCrcMessageGbk, messages[0].text);
        }
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), messages[0].type & MB_ICONMASK);
    }
}

TEST_F(UploadImageParserTest, ImagesThatDoNotHoldWhatTheyAnnounceAreRefusedBeforeAnythingIsWritten)
{
    auto base = [] {
        UploadImageBuilder image(1);
        image.Module(kVB14, 0, 1, 0, 1).CpuWord(kModbus, 2);
        return image;
    };
    const std::vector<BYTE> good = base().Build();
    ASSERT_TRUE(Parse(1, good));
    const struct {
        const char* what;
        int format;
        std::vector<BYTE> image;
    } cases[] = {
        {"no module", 1, UploadImageBuilder(1).CpuWord(kModbus, 2).Build()},
        {"module of no known kind", 1, base().Module(99, 0, 0, 0, 0).Build()},
        {"analog module of kind 0x2000 in format 2", 2, UploadImageBuilder(2).Module(kVC14, 0, 1, 0, 1)
                                                         .Module(kAnalogInOut, 0, 3, 0, 1).CpuWord(kModbus, 2)
                                                         .CpuWord(kModbus + 2, 2).Build()},
        {"analog module of kind 0x2000 in format 0", 0, UploadImageBuilder(0).Module(kVB14, 0, 1, 0, 1)
                                                         .Module(kAnalogInOut, 0, 3, 0, 1).Build()},
        {"Modbus section beyond block 5", 1, base().CpuWord(kModbus, 400).Build()},
        {"Modbus section too short for its fields", 1, base().CpuWord(kModbus, 4).Build()},
        {"initial value beyond its block", 1, base().InitialValue(Addr("%VW0"), {1, 2, 3}, 2).Build()},
        {"variable records beyond block 9", 1, base().VariableBlock({40, 0, 9, 6, 9, 0, 1}).Build()},
    };
    for (const auto& c : cases) {
        ClearModules();
        EXPECT_FALSE(Parse(c.format, c.image)) << c.what;
    }
    // Every truncation of a good image is refused without reading past its end.
    for (size_t length = 0; length < good.size(); ++length) {
        ClearModules();
        EXPECT_FALSE(Parse(1, std::vector<BYTE>(good.begin(), good.begin() + static_cast<long>(length)))) << length;
    }
    EXPECT_FALSE(Parse(4, good));
}
