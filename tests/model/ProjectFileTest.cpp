#include "ByteBuilder.h"
#include "model/CProjTreeDOC.h"
#include "model/CStatusInput.h"
#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "model/CZULInitData.h"
#include "model/CZULSymbol.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Version {
    BYTE major, minor, patch, build;
};

constexpr Version kCurrent = {2, 0, 1, 0};

bool IsFull(const Version& v)
{
    return v.major == 2 && v.minor == 0 &&
           ((v.patch == 0 && (v.build == 1 || v.build == 2)) || (v.patch == 1 && v.build == 0));
}

bool IsCurrent(const Version& v)
{
    return v.major == 2 && v.minor == 0 && v.patch == 1 && v.build == 0;
}

// A Modbus master block as its reset leaves it, with the enable byte, the
// switch value, the time-out and the flag of the first slave set.
void ModbusBlock(ByteBuilder& b, unsigned enable, int switchValue, unsigned timeout, unsigned firstFlag)
{
    const unsigned pairs[10][2] = {{0, 15}, {0, 15}, {0, 63}, {0, 63}, {64, 319}, {16, 2063}, {0, 2047}, {0, 2047},
                                   {0, 255}, {0, 255}};
    for (unsigned i = 0; i < 31; ++i) {
        b.U32(i == 0 ? firstFlag : 0).U32(0);
        for (const auto& pair : pairs)
            b.U32(pair[0]).U32(pair[1]);
        b.U32(1000).U32(i + 1);
    }
    b.Fill(96, 0).U8(enable).Fill(3, 0).U32(static_cast<unsigned>(switchValue)).U32(timeout);
}

void Filters(ByteBuilder& b, const Version& v, BYTE packed[4])
{
    if (IsFull(v))
        b.U8(packed[0]).U8(packed[1]).U8(packed[2]).U8(packed[3]);
    else
        b.U8(packed[0]).U8(packed[1]);
}

// A project file laid out value by value: a VB16 CPU and an analog module,
// MAIN, one subroutine with its interface, one interrupt routine, a status
// row, two symbols, an FB instance, an initial-data row, the L occupancy
// and, when the header says so, the blob table with blobs 0 (the CANopen
// configuration text), 1 and 199. Symbol records given replace the two
// symbols, each written once.
struct SymbolRecord {
    const char* name;
    const char* address;
};

std::vector<BYTE> ProjectFile(const Version& v, char letter = 'C', unsigned firstModuleCode = 5,
                              unsigned secondModuleCode = 41, const std::vector<SymbolRecord>& symbols = {})
{
    ByteBuilder b;
    b.Raw("ZUL").Fill(4, 0).U8(static_cast<BYTE>(letter)).U8(0).U8(2).U8(0);
    b.U8(v.major).U8(v.minor).U8(v.patch).U8(v.build);

    b.U32(1);
    b.Str("MAIN").Str("(MAIN) MAIN").Str("ann").U32(2).U16(0).U32(2);
    b.U32(1);
    b.Str("Pump").U16(1);
    b.U16(1).NewClass("CZULFBPara").Str("EN").Str("BOOL").U32(0x2001).Str("");
    b.U16(1).U16(0x8001).Str("Q").Str("INT").U32(0x4010).Str("level");
    b.U32(1).Str("Pump").Str("(SBR01) Pump").Str("").U32(3).U16(1).U32(1);
    b.U32(1).Str("Tick").Str("(INT00) Tick").Str("bob").U32(4).U16(0).U32(2);

    b.U32(2);
    BYTE cpuFilters[4] = {0x21, 0x43, 0x65, 0x87};
    b.Str("VB16-40AR").U8(firstModuleCode).U32(1).Str("AC220V Power Suply, DI 24*DC24V, DO 16*Relays");
    b.U8(2).U8(3).U8(1).U8(0).U8(0).U8(1).U8(2).U8(1).U8(0).U8(0).U8(10);
    b.U8(0).U16(100).U16(50).U8(0).U16(0).U16(0).U8(1).U16(2).U16(3).U8(1).U16(0).U16(0);
    b.U32(7);
    for (unsigned i = 0; i < 24; ++i)
        b.U8(i);
    b.U16(24).U8(0).U8(2).Fill(64, 0);
    Filters(b, v, cpuFilters);
    b.U16(16).U8(0).U8(1);
    for (unsigned i = 0; i < 16; ++i)
        b.U32(i & 1);
    b.U16(0).U8(0).U8(0).Fill(8, 0).U16(0).U8(0).U8(0).Fill(18, 0);

    BYTE moduleFilters[4] = {5, 6, 0, 0};
    b.Str("VF70-04IV").U8(secondModuleCode).U32(0x2000).Str("AI*2, AO*2, 4-20mA/0-20mA/1-5V/-10V-+10V");
    b.U8(1).U8(2).U8(1).U8(0).U8(0).U8(1).U8(2).U8(1).U8(0).U8(0).U8(10);
    b.U8(0).U16(0).U16(0).U8(0).U16(0).U16(0).U8(1).U16(0).U16(0).U8(1).U16(0).U16(0);
    b.U32(0).Fill(24, 0);
    b.U16(0).U8(0).U8(0).Fill(64, 0);
    Filters(b, v, moduleFilters);
    b.U16(0).U8(0).U8(0);
    b.U16(2).U8(0).U8(3).U8(1).U8(2).U8(3).U8(0).Fill(4, 0);
    b.U16(2).U8(0).U8(3).U8(1).U32(1).U32(500).U8(2).U32(0).U32(0);

    if (IsFull(v)) {
        ModbusBlock(b, 0, -1, 1000, 0);
        ModbusBlock(b, 1, 1, 700, 1);
    }
    if (IsCurrent(v))
        b.U32(5);

    b.U32(1).Str("%VW0").Str("Level").Str("12").U16(0x1234).U32(0x800014).U32(1).U32(3).U32(12).U32(0).U32(1);
    if (symbols.empty()) {
        b.U32(4);
        b.Str("Start").Str("%I0.0").Str("BOOL").Str("go").U32(0x20001);   // under "%I0.0"
        b.Str("Level").Str("%VW0").Str("INT").Str("").U32(0x800014);      // under "%VW0"
        b.Str("Level").Str("%VW0").Str("INT").Str("").U32(0x800014);      // under "Level"
        b.Str("Start").Str("%I0.0").Str("BOOL").Str("go").U32(0x20001);   // under "Start"
    } else {
        b.U32(static_cast<unsigned>(symbols.size()));
        for (const SymbolRecord& symbol : symbols)
            b.Str(symbol.name).Str(symbol.address).Str("BOOL").Str("").U32(0x20001);
    }
    b.U32(1).Str("TON").Str("T1").Str("").Str("MAIN").U16(0).U16(0);
    b.U32(1).U16(2).Str("VW100").Str("12").U16(1).U32(12).U16(2).U32(0x10).U32(5).U32(0x25).U32(7).U32(1).U32(0);
    b.U32(128);
    for (unsigned i = 0; i < 128; ++i)
        b.U8(i & 1);
    b.U32(256);
    for (unsigned i = 0; i < 256; ++i)
        b.U8(i % 3 == 0);

    const std::string canOpen = "[[NotHandleBoot1]]\n[[CanOpenBPS3]]\n[[CanOpenAllTime100]]\n"
                                "[[CanOpenMasterAddr127]][[NetStates1000]][[MasterStates1010]]"
                                "[[AllSalveStates1030]][[OverTime500]]\n";
    for (unsigned i = 0; i < 200; ++i)
        b.U32(i == 0 ? static_cast<unsigned>(canOpen.size()) : i == 1 ? 3 : i == 199 ? 2 : 0);
    b.Raw(canOpen).U8(0xAA).U8(0xBB).U8(0xCC).U8(0x01).U8(0x02);
    return b.Bytes();
}

std::vector<unsigned char> U(const std::vector<BYTE>& bytes)
{
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
    }
    void TearDown() override { g_pAppData = nullptr; }

    std::string Write(const std::string& name, const std::vector<BYTE>& bytes)
    {
        const std::string path = m_folder / name;
        WriteFileBytes(path, U(bytes));
        return path;
    }
    CZULProject& Project() { return m_app->Project; }
    // Opening derives the FB-instance table again from the POU programs, so
    // a project whose table must stay as stored needs the programs that call them.
    void WriteMainProgram(const std::string& projectName, const std::string& program)
    {
        FileSystem::CreateFolder(m_folder / projectName);
        WriteFileText(m_folder / (projectName + "/MAIN_MAIN.ilp"), program);
    }
    void ExpectEmptyProject()
    {
        EXPECT_TRUE(Project().Modules.empty());
        EXPECT_TRUE(Project().SymbolLookup.empty());
        EXPECT_TRUE(Project().OrderedSymbols.empty());
        EXPECT_TRUE(Project().POUs.SubroutineInterfaces.empty());
        EXPECT_TRUE(Project().POUs.InterruptNodes.empty());
        EXPECT_TRUE(Project().StatusRows.empty());
        EXPECT_TRUE(Project().FBTable.FBInstances.empty());
        EXPECT_TRUE(Project().InitialData.empty());
        EXPECT_EQ(Project().MainPresent, 0);
        EXPECT_EQ(Project().ModbusRetries, 3);
        EXPECT_TRUE(m_app->Blobs[1].empty());
        EXPECT_EQ(m_app->BlobLengths[1], 0u);
    }

    TempFolder m_folder;
    CScopedUi m_ui;
    CProjTreeDOC m_doc;
    std::unique_ptr<CZULAppData> m_app;
};

} // namespace

TEST_F(ProjectFileTest, HandMadeFileOpensFieldByFieldAndSavesByteForByte)
{
    const auto bytes = ProjectFile(kCurrent);
    const std::string path = Write("plant.qpj", bytes);
    WriteMainProgram("plant", "TON T1, 100\r\n");
    ASSERT_TRUE(m_doc.OpenProject(path));
    EXPECT_TRUE(m_ui.box.Messages().empty());
    EXPECT_FALSE(m_doc.IsModified());

    CZULProject& p = Project();
    EXPECT_EQ(p.ProjectPath, path);
    EXPECT_EQ(p.ProjectFolder, m_folder / "plant");
    EXPECT_EQ(p.ProjectName, "plant");
    EXPECT_EQ(p.MainPresent, 1);
    EXPECT_EQ(p.MainNode.label, "(MAIN) MAIN");
    EXPECT_EQ(p.MainNode.author, "ann");
    EXPECT_EQ(p.MainNode.language, 2);

    ASSERT_EQ(p.POUs.SubroutineInterfaces.size(), 1u);
    CZULFunc* pump = p.POUs.SubroutineInterfaces.at("Pump");
    EXPECT_EQ(p.POUs.SubroutineInterfacesUpper.at("PUMP"), pump);
    EXPECT_EQ(p.POUs.SubroutineInterfacesByNumber.at(1), pump);
    CZULFBPara* pin = nullptr;
    ASSERT_TRUE(pump->FindPin("Q", pin));
    EXPECT_EQ(pin->comment, "level");
    EXPECT_EQ(pin->flags, 0x4010u);
    EXPECT_EQ(p.POUs.SubroutineNodes.at("Pump")->label, "(SBR01) Pump");
    CProjTreeNode* tick = p.POUs.InterruptNodes.at("Tick");
    EXPECT_EQ(p.POUs.InterruptNodesUpper.at("TICK"), tick);
    EXPECT_EQ(p.POUs.InterruptNodesByNumber.at(0), tick);
    EXPECT_EQ(tick->author, "bob");

    ASSERT_EQ(p.Modules.size(), 2u);
    const CZUL_Q7_PLC& cpu = *p.Modules[0];
    EXPECT_EQ(cpu.model, "VB16-40AR");
    EXPECT_EQ(cpu.ports[0].address, 2);
    EXPECT_EQ(cpu.ports[0].baud, 3);
    EXPECT_EQ(cpu.retain[0].start, 100);
    EXPECT_EQ(cpu.retain[2].length, 3);
    EXPECT_EQ(cpu.inputFilters[0], 1);
    EXPECT_EQ(cpu.inputFilters[7], 8);
    EXPECT_EQ(cpu.iEnd, 2);
    EXPECT_EQ(cpu.stopStates[15], 1u);
    const CZUL_Q7_PLC& analog = *p.Modules[1];
    EXPECT_EQ(analog.aiEnd, 3);
    EXPECT_EQ(analog.aiFunction[1], 3);
    EXPECT_EQ(analog.aoFreezeValue[0], 500u);
    EXPECT_EQ(p.CPUFamilyIndex, 2);
    EXPECT_EQ(m_app->GetCPUFamilyMask(), CPU_FAMILY_VB16);
    EXPECT_EQ(MaxSubroutineCount, 99);

    EXPECT_EQ(p.ModbusMaster[1][MODBUS_ENABLE_OFFSET], 1);
    EXPECT_EQ(p.GetModbusInt(1, MODBUS_SWITCH_OFFSET), 1);
    EXPECT_EQ(p.GetModbusInt(1, MODBUS_TIMEOUT_OFFSET), 700);
    EXPECT_EQ(p.GetModbusInt(1, 0), 1);
    EXPECT_EQ(p.ModbusRetries, 5);

    ASSERT_EQ(p.StatusRows.size(), 1u);
    EXPECT_EQ(p.StatusRows[0]->symbol, "Level");
    ASSERT_EQ(p.OrderedSymbols.size(), 2u);
    EXPECT_EQ(p.OrderedSymbols[0]->name, "Level");
    EXPECT_EQ(p.OrderedSymbols[0]->orderIndex, 0);
    EXPECT_EQ(p.OrderedSymbols[1]->name, "Start");
    EXPECT_EQ(p.OrderedSymbols[1]->orderIndex, 1);
    EXPECT_EQ(p.SymbolLookup.size(), 4u);
    EXPECT_EQ(p.SymbolLookup.at("%I0.0"), p.SymbolLookup.at("Start"));
    EXPECT_EQ(p.SymbolsUpper.at("START")->comment, "go");
    ASSERT_EQ(p.FBTable.FBInstances.size(), 1u);
    EXPECT_EQ(p.FBTable.FBInstances[0]->instanceName, "T1");
    EXPECT_EQ(p.FBTable.FBInstances[0]->ownerPou, "MAIN");
    ASSERT_EQ(p.InitialData.size(), 1u);
    DWORD code = 0;
    EXPECT_TRUE(p.InitialData[0]->LookupCode(0x25, code));
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(p.LocalBitUsage.size(), 128u);
    EXPECT_EQ(p.LocalBitUsage[1], 1);
    EXPECT_EQ(p.LocalByteUsage.size(), 256u);
    EXPECT_EQ(m_app->BlobLengths[1], 3u);
    EXPECT_EQ(m_app->Blobs[199], (std::vector<BYTE>{0x01, 0x02}));
    EXPECT_EQ(p.CanOpenBPS, 3);
    EXPECT_EQ(p.ForceValues.size(), static_cast<size_t>(FORCE_IMAGE_CELLS));
    EXPECT_EQ(p.ForceMarks.size(), static_cast<size_t>(FORCE_IMAGE_CELLS));

    const std::string copy = m_folder / "copy.qpj";
    ASSERT_TRUE(m_doc.OnSaveDocument(copy));
    EXPECT_TRUE(FilesEqual(path, copy));
}

TEST_F(ProjectFileTest, SymbolsOnOneAddressOpenAndSaveStably)
{
    // The address goes to the first symbol read on it, and a name read a
    // second time is the stored copy of that symbol; saving and opening
    // again then keeps every key on the same symbol, so the bytes repeat.
    struct Case {
        std::vector<SymbolRecord> records;
        const char* addressKey;
        const char* holder;
        size_t symbols;
    };
    const Case cases[] = {
        {{{"Pump", "%Q0.0"}, {"Fan", "%Q0.0"}}, "%Q0.0", "Pump", 2},
        {{{"Fan", "%Q0.0"}, {"Pump", "%Q0.0"}}, "%Q0.0", "Fan", 2},
        {{{"Fan", "Q0.0"}, {"Pump", "%Q0.0"}}, "%Q0.0", "Fan", 2},
        {{{"Pump", "%Q0.0"}, {"Pump", "%Q0.1"}}, "%Q0.0", "Pump", 1},
        {{{"Pump", "%Q0.0"}, {"!early", "%Q0.0"}, {"!after", "%Q0.0"}}, "%Q0.0", "Pump", 3},
        {{{"!late", "%Q0.0"}, {"!early", "%Q0.0"}}, "%Q0.0", "!early", 2},
        {{{"Pump", "%Q0.0"}, {"%Q0.0", "%Q0.1"}}, "%Q0.0", "%Q0.0", 2},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        const std::string stem = "clash" + std::to_string(n++);
        const std::string path = Write(stem + ".qpj", ProjectFile(kCurrent, 'C', 5, 41, c.records));
        WriteMainProgram(stem, "TON T1, 100\r\n");
        WriteMainProgram(stem + "a", "TON T1, 100\r\n");
        ASSERT_TRUE(m_doc.OpenProject(path));
        CZULProject& p = Project();
        EXPECT_EQ(p.OrderedSymbols.size(), c.symbols);
        ASSERT_TRUE(p.SymbolLookup.count(c.addressKey));
        EXPECT_EQ(p.SymbolLookup.at(c.addressKey)->name, c.holder);

        const std::string saved = m_folder / (stem + "a.qpj");
        const std::string again = m_folder / (stem + "b.qpj");
        ASSERT_TRUE(m_doc.OnSaveDocument(saved));
        p.ClearProject();
        ASSERT_TRUE(m_doc.OpenProject(saved));
        EXPECT_EQ(p.SymbolLookup.at(c.addressKey)->name, c.holder);
        ASSERT_TRUE(m_doc.OnSaveDocument(again));
        EXPECT_TRUE(FilesEqual(saved, again));
        p.ClearProject();
    }
}

TEST_F(ProjectFileTest, HeaderAndVersionTable)
{
    const char* invalid = "Invalid project file.  ";
    const char* higher = "Unable to open this project because it was created by a higher version of OrvelBuilder";
    struct Case {
        char letter;
        Version version;
        const char* message; // null: opens
    };
    const Case cases[] = {
        {'C', {2, 0, 1, 0}, nullptr},
        {'C', {2, 0, 1, 7}, nullptr},
        {'X', {2, 0, 1, 3}, nullptr},
        {'P', {2, 0, 1, 0}, invalid},
        {'E', {2, 0, 1, 0}, invalid},
        {'C', {2, 1, 0, 0}, higher},
        {'C', {3, 0, 0, 0}, higher},
        {'C', {2, 0, 2, 0}, higher},
        {'C', {2, 0, 0, 9}, invalid},
        {'C', {2, 0, 0, 1}, invalid},
        {'C', {2, 0, 0, 2}, invalid},
        {'C', {1, 9, 3, 0}, invalid},
        {'C', {1, 0, 0, 0}, invalid},
        {'C', {0x80, 0, 1, 0}, invalid},  // major -128
        {'C', {2, 0xFF, 1, 0}, invalid},  // minor -1
        {'C', {2, 0, 0xFF, 0}, invalid},  // patch -1
    };
    for (const Case& c : cases) {
        m_ui.box.Clear();
        Project().ClearProject();
        const std::string path = Write("v.qpj", ProjectFile(c.version, c.letter));
        const std::string label = std::string(1, c.letter) + " " + std::to_string(c.version.major) + "." +
                                  std::to_string(c.version.minor) + "." + std::to_string(c.version.patch) + "." +
                                  std::to_string(c.version.build);
        const BOOL opened = m_doc.OpenProject(path);
        if (!c.message) {
            EXPECT_TRUE(opened) << label;
            EXPECT_TRUE(m_ui.box.Messages().empty()) << label;
            continue;
        }
        EXPECT_FALSE(opened) << label;
        ASSERT_EQ(m_ui.box.Messages().size(), 1u) << label;
        const RecordedMessage m = m_ui.box.Messages()[0];
        EXPECT_EQ(m.text, c.message) << label;
        EXPECT_EQ(m.caption, "Note") << label;
        EXPECT_EQ(m.type & MB_ICONMASK, MB_ICONINFORMATION) << label;
        EXPECT_TRUE(Project().Modules.empty()) << label;
    }
}

TEST_F(ProjectFileTest, OlderBuildIsReadByTheOlderRules)
{
    const std::string path = Write("old.qpj", ProjectFile({2, 0, 1, 7}));
    ASSERT_TRUE(m_doc.OpenProject(path));
    CZULProject& p = Project();
    ASSERT_EQ(p.Modules.size(), 2u);
    for (BYTE filter : p.Modules[0]->inputFilters)
        EXPECT_EQ(filter, 0);
    EXPECT_EQ(p.Modules[1]->inputFilters[0], 5);
    EXPECT_EQ(p.Modules[1]->inputFilters[1], 6);
    EXPECT_EQ(p.ModbusRetries, 3);
    EXPECT_EQ(p.GetModbusInt(1, MODBUS_SWITCH_OFFSET), -1);
    EXPECT_EQ(p.OrderedSymbols.size(), 2u);
    EXPECT_EQ(m_app->Blobs[1].size(), 3u);

    const std::string saved = m_folder / "saved.qpj";
    ASSERT_TRUE(m_doc.OnSaveDocument(saved));
    const auto bytes = ReadFileBytes(saved);
    ASSERT_GT(bytes.size(), 15u);
    EXPECT_EQ(HexBytes(std::vector<unsigned char>(bytes.begin() + 7, bytes.begin() + 15)),
              "43 00 02 00 02 00 01 00");
    Project().ClearProject();
    ASSERT_TRUE(m_doc.OpenProject(saved));
    EXPECT_EQ(Project().Modules[1]->inputFilters[1], 6);
}

TEST_F(ProjectFileTest, FilesThatAreNoProjectFiles)
{
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        const char* caption;
        const char* text;
    };
    const auto good = ProjectFile(kCurrent);
    std::vector<BYTE> badMagic = good;
    badMagic[5] = 1;
    const std::vector<Case> cases = {
        {"15 bytes", std::vector<BYTE>(good.begin(), good.begin() + 15), "Error", "Invalid project file.  "},
        {"empty", {}, "Error", "Invalid project file.  "},
        {"bad magic", badMagic, "Error", "Invalid project file.  "},
    };
    for (const Case& c : cases) {
        m_ui.box.Clear();
        EXPECT_FALSE(m_doc.OpenProject(Write("bad.qpj", c.bytes))) << c.what;
        ASSERT_EQ(m_ui.box.Messages().size(), 1u) << c.what;
        EXPECT_EQ(m_ui.box.Messages()[0].caption, c.caption) << c.what;
        EXPECT_EQ(m_ui.box.Messages()[0].text, c.text) << c.what;
        EXPECT_EQ(m_ui.box.Messages()[0].type & MB_ICONMASK, MB_ICONERROR) << c.what;
    }
    m_ui.box.Clear();
    EXPECT_FALSE(m_doc.OpenProject(m_folder / "missing.qpj"));
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "System Error");
    EXPECT_EQ(m_ui.box.Messages()[0].text, "Unable to open the project file.");
}

TEST_F(ProjectFileTest, TruncatedFilesAreRefusedAndLeaveAnEmptyProject)
{
    const auto good = ProjectFile(kCurrent);
    ASSERT_TRUE(m_doc.OpenProject(Write("good.qpj", good)));
    const std::string path = m_folder / "cut.qpj";
    for (size_t length = 16; length < good.size(); ++length) {
        // Every cut up to the modules, then a sample: dense in the records,
        // sparse in the raw Modbus blocks and the blob lengths.
        const size_t tail = good.size() - length;
        const bool sampled = length < 160 || (length < 700 && length % 5 == 0) ||
                             (tail < 1100 && length % 9 == 0) || length % 97 == 0 || tail < 8;
        if (!sampled)
            continue;
        m_ui.box.Clear();
        WriteFileBytes(path, U(std::vector<BYTE>(good.begin(), good.begin() + static_cast<long>(length))));
        ASSERT_FALSE(m_doc.OpenProject(path)) << length;
        ASSERT_EQ(m_ui.box.Messages().size(), 1u) << length;
        EXPECT_EQ(m_ui.box.Messages()[0].caption, "Error") << length;
        ExpectEmptyProject();
        if (HasFailure())
            break;
    }
}

TEST_F(ProjectFileTest, DamagedContentsAreRefused)
{
    auto withDoCount = ProjectFile(kCurrent);
    // The CPU's DO count follows its model, code, kind, description, ports,
    // retentive ranges, options, DI part and filters.
    const size_t cpuStart = [] {
        ByteBuilder b;
        b.Fill(15, 0).U32(1).Str("MAIN").Str("(MAIN) MAIN").Str("ann").U32(2).U16(0).U32(2);
        b.U32(1).Str("Pump").U16(1).U16(1).NewClass("CZULFBPara").Str("EN").Str("BOOL").U32(0x2001).Str("");
        b.U16(1).U16(0x8001).Str("Q").Str("INT").U32(0x4010).Str("level");
        b.U32(1).Str("Pump").Str("(SBR01) Pump").Str("").U32(3).U16(1).U32(1);
        b.U32(1).Str("Tick").Str("(INT00) Tick").Str("bob").U32(4).U16(0).U32(2).U32(2);
        return b.Size();
    }();
    const size_t doCountAt = cpuStart + 1 + 9 + 1 + 4 + 1 + 45 + 10 + 1 + 20 + 4 + 24 + 4 + 64 + 4;
    ASSERT_EQ(withDoCount[doCountAt], 16);
    withDoCount[doCountAt] = 40;

    auto badClass = ProjectFile(kCurrent);
    const std::string className = "CZULFBPara";
    auto at = std::search(badClass.begin(), badClass.end(), className.begin(), className.end());
    ASSERT_NE(at, badClass.end());
    *(at + 4) = 'X';

    auto hugeCount = ProjectFile(kCurrent);
    hugeCount[15 + 4] = 0xFF; // MAIN node name length becomes a long string length

    for (auto* bytes : {&withDoCount, &badClass, &hugeCount}) {
        m_ui.box.Clear();
        EXPECT_FALSE(m_doc.OpenProject(Write("damaged.qpj", *bytes)));
        ASSERT_EQ(m_ui.box.Messages().size(), 1u);
        EXPECT_EQ(m_ui.box.Messages()[0].caption, "Error");
        ExpectEmptyProject();
    }
}

TEST_F(ProjectFileTest, UnknownModuleAsksOnce)
{
    const std::string question =
        "There is a unknown module whose index is \"60\" in the current project's Hardware configuration.\n"
        "The project maybe fail to be opened. Are you sure you want to continue?";
    const std::string path = Write("odd.qpj", ProjectFile(kCurrent, 'C', 5, 60));
    m_ui.box.Answer(IDYES);
    ASSERT_TRUE(m_doc.OpenProject(path));
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].text, question);
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Note");
    EXPECT_EQ(m_ui.box.Messages()[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(Project().Modules.size(), 2u);

    for (int answer : {IDNO, IDCANCEL}) {
        m_ui.box.Clear();
        m_ui.box.Answer(answer);
        // Two unknown modules, one question.
        EXPECT_FALSE(m_doc.OpenProject(Write("odd2.qpj", ProjectFile(kCurrent, 'C', 60, 7))));
        ASSERT_EQ(m_ui.box.Messages().size(), 1u);
        EXPECT_EQ(m_app->LoadError, 0);
        ExpectEmptyProject();
    }
}

TEST_F(ProjectFileTest, PathLengthLimit)
{
    struct Case {
        size_t folderLength;
        std::string fileName;
        BOOL result;
        int longest;
    };
    const Case cases[] = {
        {238, "p.qpj", TRUE, 258},
        {239, "p.qpj", FALSE, 259},
        {10, "p.qpj", TRUE, 30},
        {40, "a_very_long_project_name.qpj", TRUE, 69},
    };
    for (const Case& c : cases) {
        m_ui.box.Clear();
        // The folder is the path without the extension.
        const std::string title = c.fileName.substr(0, c.fileName.size() - 4);
        const std::string folder = "/" + std::string(c.folderLength - 2 - title.size(), 'f') + "/" + title;
        ASSERT_EQ(folder.size(), c.folderLength);
        EXPECT_EQ(m_doc.CheckPathLength(folder + ".qpj"), c.result) << c.folderLength;
        EXPECT_EQ(m_app->ProjectFolderLength, static_cast<int>(c.folderLength) + 1);
        EXPECT_EQ(m_app->LongestPOUPathLength, c.longest) << c.folderLength;
        EXPECT_EQ(m_ui.box.Messages().size(), c.result ? 0u : 1u);
        if (!c.result) {
            EXPECT_EQ(m_ui.box.Messages()[0].text, "Unable to open file because the filen name or path is too long. ");
            EXPECT_EQ(m_ui.box.Messages()[0].type & MB_ICONMASK, MB_ICONERROR);
        }
    }
}

TEST_F(ProjectFileTest, CreatedProjectRoundTrips)
{
    const std::string path = m_folder / "line one.qpj";
    FileSystem::CreateFolder(m_folder / "line one/old");
    WriteFileText(m_folder / "line one/old/x.ilp", "old");
    ASSERT_TRUE(m_doc.CreateProject("  " + path + " "));
    EXPECT_TRUE(FileSystem::FileExists(path));
    EXPECT_TRUE(FileSystem::FolderExists(m_folder / "line one"));
    EXPECT_TRUE(FileSystem::ListFolder(m_folder / "line one").empty());
    EXPECT_EQ(Project().ProjectName, "line one");
    EXPECT_EQ(Project().ProjectFolder, m_folder / "line one");

    CZULProject& p = Project();
    p.MainPresent = 1;
    p.MainNode.kind = 2;
    p.MainNode.name = "MAIN";
    p.MainNode.language = 1;
    p.MainNode.number = 0;
    auto* cpu = new CZUL_Q7_PLC;
    cpu->InitFromCatalog(*GetCatalogRow(17)); // VC14, a family whose Modbus blocks are kept
    cpu->inputFilters[3] = 9;
    p.Modules.emplace_back(cpu);
    auto* dio = new CZUL_Q7_PLC;
    dio->InitFromCatalog(*FindCatalogRowByCode(15));
    dio->stopStates[3] = 1;
    p.Modules.emplace_back(dio);
    p.SetModbusInt(0, MODBUS_TIMEOUT_OFFSET, 1234);
    p.ModbusRetries = 7;
    for (const char* name : {"Gamma", "alpha", "Beta"}) {
        auto* symbol = new CZULSymbol;
        symbol->name = name;
        symbol->address = std::string("VB") + std::to_string(name[0]);
        symbol->dataType = "BYTE";
        p.AddSymbol(symbol);
    }
    auto* fb = new CZULFB;
    fb->typeName = "CTU";
    fb->instanceName = "C1";
    fb->ownerPou = "MAIN";
    auto* pin = new CZULFBPara;
    pin->name = "CU";
    fb->AddInput(pin);
    p.FBTable.FBInstances.emplace_back(fb);
    auto* kept = new CZULInitData;
    kept->texts = {"VB0", "1"};
    kept->SetCode(3, 4);
    kept->SetCode(0x13, 5);
    p.InitialData.emplace_back(kept);
    auto* blank = new CZULInitData;
    blank->texts = {"", ""};
    p.InitialData.emplace_back(blank);
    auto* row = new CStatusInput;
    row->addressText = "%QB0";
    p.StatusRows.emplace_back(row);
    auto* func = new CZULFunc;
    func->name = "Fill";
    func->number = 4;
    func->AddOutput(new CZULFBPara);
    p.POUs.AddSubroutineInterface(func);
    p.CanOpenSlaves[3].Name = "CANOPEN_IO";
    p.CanOpenSlaves[3].TPDO[0].Rows[0] = {"uIO_inPut", 0x6000, 1, 8, "%VB3000"};
    m_app->Blobs[42] = {9, 8, 7};
    ASSERT_TRUE(m_doc.OnSaveDocument(path));

    p.ClearProject();
    m_app->ClearProjectBlobs();
    WriteMainProgram("line one", "CTU C1, %I0.1, 10\r\n");
    ASSERT_TRUE(m_doc.OpenProject(path));
    ASSERT_EQ(p.Modules.size(), 2u);
    EXPECT_EQ(p.Modules[0]->model, "VC14-24AR");
    EXPECT_EQ(p.Modules[0]->inputFilters[3], 9);
    EXPECT_EQ(p.Modules[1]->stopStates[3], 1u);
    EXPECT_EQ(p.CPUFamilyIndex, 6);
    EXPECT_EQ(p.GetModbusInt(0, MODBUS_TIMEOUT_OFFSET), 1234);
    EXPECT_EQ(p.ModbusRetries, 7);
    ASSERT_EQ(p.OrderedSymbols.size(), 3u);
    EXPECT_EQ(p.OrderedSymbols[0]->name, "alpha");
    EXPECT_EQ(p.OrderedSymbols[0]->address, "%VB97");
    EXPECT_EQ(p.OrderedSymbols[2]->name, "Gamma");
    EXPECT_EQ(p.OrderedSymbols[2]->orderIndex, 2);
    EXPECT_EQ(p.SymbolLookup.size(), 6u);
    ASSERT_EQ(p.FBTable.FBInstances.size(), 1u);
    EXPECT_EQ(p.FBTable.FBInstances[0]->inputs.GetAt(0)->name, "CU");
    EXPECT_EQ(p.InitialData.size(), 1u);
    EXPECT_EQ(p.StatusRows.size(), 1u);
    EXPECT_EQ(p.POUs.SubroutineInterfacesByNumber.at(4)->GetOutputCount(), 1);
    EXPECT_EQ(p.LocalBitUsage.size(), 128u);
    EXPECT_EQ(p.CanOpenSlaves[3].Name, "CANOPEN_IO");
    EXPECT_EQ(p.CanOpenSlaves[3].TPDO[0].Rows[0].Mem, "%VB3000");
    EXPECT_EQ(m_app->Blobs[42], (std::vector<BYTE>{9, 8, 7}));

    const std::string again = m_folder / "again.qpj";
    ASSERT_TRUE(m_doc.OnSaveDocument(again));
    const std::string third = m_folder / "third.qpj";
    p.ClearProject();
    WriteMainProgram("again", "CTU C1, %I0.1, 10\r\n");
    ASSERT_TRUE(m_doc.OpenProject(again));
    ASSERT_TRUE(m_doc.OnSaveDocument(third));
    EXPECT_TRUE(FilesEqual(again, third));
}

TEST_F(ProjectFileTest, OpeningDerivesTheFBInstanceTableFromThePrograms)
{
    const std::string path = Write("plant.qpj", ProjectFile(kCurrent));
    WriteMainProgram("plant", "TOF T2, 50\r\nCTU C3, %I0.1, 10\r\n");
    ASSERT_TRUE(m_doc.OpenProject(path));
    std::vector<std::string> names;
    std::vector<std::string> types;
    ASSERT_TRUE(Project().FBTable.GetFBInstancesOfPOU("MAIN", names, types));
    EXPECT_EQ(names, (std::vector<std::string>{"T2", "C3"}));
    EXPECT_EQ(types, (std::vector<std::string>{"TOF", "CTU"}));
}

TEST_F(ProjectFileTest, SymbolsAreFoundByAddressAsLoadedAddedAndCleared)
{
    const std::string path = Write("plant.qpj", ProjectFile(kCurrent));
    WriteMainProgram("plant", "LD %I0.0\r\n");
    ASSERT_TRUE(m_doc.OpenProject(path));
    CZULProject& p = Project();
    CZULSymbol* found = nullptr;
    const auto find = [&](const std::string& text) {
        found = nullptr;
        return m_app->FindGlobalSymbol(text, found) ? found->name : std::string("(none)");
    };
    EXPECT_EQ(find(" i0.0 "), "Start");
    EXPECT_EQ(find("%I0.0"), "Start");

    // A symbol added on an address already named stays behind the first;
    // one on a new address, written without '%' and in lower case, is found.
    for (const auto& [name, address] : {std::pair{"Again", " %i0.0"}, std::pair{"Stop", "i0.1 "}}) {
        auto* symbol = new CZULSymbol;
        symbol->name = name;
        symbol->address = address;
        symbol->dataType = "BOOL";
        p.AddSymbol(symbol);
    }
    EXPECT_EQ(find("I0.0"), "Start");
    EXPECT_EQ(find("%i0.1"), "Stop");
    EXPECT_EQ(find("%I0.2"), "(none)");
    EXPECT_EQ(find("stop"), "Stop") << "a text that is no address is a name";

    p.ClearProject();
    EXPECT_EQ(find("%I0.0"), "(none)");
    EXPECT_EQ(find("%I0.1"), "(none)");
}

TEST_F(ProjectFileTest, OpeningKeepsTheFileAttributes)
{
    const std::string path = Write("ro.qpj", ProjectFile(kCurrent));
    ASSERT_TRUE(FileSystem::SetAttributes(path, FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(m_doc.OpenProject(path));
    EXPECT_NE(FileSystem::GetAttributes(path) & FILE_ATTRIBUTE_READONLY, 0u);
    FileSystem::SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
}
