#include "EdsImportFixture.h"

#include "hardware/canopen/SlaveTypeFile.h"
#include "platform/FileSystem.h"

#include <sys/stat.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string RealSheet(const std::string& name)
{
    return std::string(ORVEL_EDS_DIR) + "/" + name;
}

auto Fields(const CCanOpenODEntry& e)
{
    return std::tie(e.pdoMappable, e.access, e.dataType, e.defaultValue, e.index, e.subNumber, e.objectType,
                    e.subIndex, e.name, e.sectionKey);
}

} // namespace

class EdsSheetsTest : public EdsImportFixture {
protected:
    void SetUp() override
    {
        if (!FileSystem::FolderExists(ORVEL_EDS_DIR))
            GTEST_SKIP() << "no real data sheets at " << ORVEL_EDS_DIR;
    }

    // Imports a real sheet; the type it made, or null.
    const CCanOpenSlaveType* ImportReal(const std::string& name)
    {
        m_ui.box.Clear();
        m_host.file = RealSheet(name);
        m_import.ImportEdsFile();
        return m_import.SaveFailed() ? nullptr : m_app.FindSlaveType(m_import.TypeName());
    }
};

struct RealSheetCase {
    const char* file;
    const char* typeName;
    int typeCode;
    size_t messages; // the unparsable-item message when strings are mappable
};

TEST_F(EdsSheetsTest, RealSheetsImportAndLoadBackUnchanged)
{
    const RealSheetCase cases[] = {
        {"DS301_profile.eds", "New Product", 0, 0},
        {"technosoft.eds", "iPOS", 0x60192, 0},
        {"PRL120.eds", "PRL120", 0x20192, 1},
    };
    for (const RealSheetCase& c : cases) {
        const CCanOpenSlaveType* type = ImportReal(c.file);
        ASSERT_NE(type, nullptr) << c.file;
        EXPECT_EQ(type->name, c.typeName);
        EXPECT_EQ(type->typeCode, c.typeCode) << c.file;
        EXPECT_EQ(m_ui.box.Messages().size(), c.messages) << c.file;
        ASSERT_FALSE(type->objects.empty()) << c.file;
        // Ordered by index and sub-index; every head has a sub-object after it.
        for (size_t i = 1; i < type->objects.size(); ++i) {
            const CCanOpenODEntry& a = *type->objects[i - 1];
            const CCanOpenODEntry& b = *type->objects[i];
            EXPECT_TRUE(a.index < b.index || (a.index == b.index && a.subIndex < b.subIndex)) << b.sectionKey;
            if (a.subNumber != 0) {
                EXPECT_EQ(b.index, a.index) << a.sectionKey;
            }
        }
        EXPECT_EQ(type->objects.back()->subNumber, 0) << c.file;
    }

    auto reloaded = std::make_unique<CZULAppData>();
    LoadSlaveTypeFolders(*reloaded, m_temp / "none", UserFolder());
    ASSERT_EQ(reloaded->GetSlaveTypeCount(), m_app.GetSlaveTypeCount());
    for (int t = 0; t < m_app.GetSlaveTypeCount(); ++t) {
        const CCanOpenSlaveType& imported = *m_app.GetSlaveType(t);
        const CCanOpenSlaveType* loaded = reloaded->FindSlaveType(imported.name);
        ASSERT_NE(loaded, nullptr) << imported.name;
        EXPECT_EQ(loaded->typeId, imported.typeId);
        EXPECT_EQ(loaded->typeCode, imported.typeCode);
        EXPECT_EQ(loaded->category, imported.category);
        ASSERT_EQ(loaded->objects.size(), imported.objects.size()) << imported.name;
        for (size_t i = 0; i < loaded->objects.size(); ++i)
            EXPECT_EQ(Fields(*loaded->objects[i]), Fields(*imported.objects[i])) << imported.name << " " << i;
    }
}

TEST_F(EdsSheetsTest, WhatTheSheetsSay)
{
    // Hexadecimal sub-numbers keep the SDO parameter records.
    const CCanOpenSlaveType* profile = ImportReal("DS301_profile.eds");
    ASSERT_NE(profile, nullptr);
    const CCanOpenODEntry* sdo = profile->FindEntry(0x1200, -1);
    ASSERT_NE(sdo, nullptr);
    EXPECT_EQ(sdo->subNumber, 3);
    EXPECT_EQ(sdo->name, "SDO server parameter");
    EXPECT_EQ(profile->FindEntry(0x1200, 1)->defaultValue, 0x600); // $NODEID+0x600

    // CR LF, blank-only lines and rww access of a CiA 402 drive.
    const CCanOpenSlaveType* drive = ImportReal("technosoft.eds");
    ASSERT_NE(drive, nullptr);
    const CCanOpenODEntry* control = drive->FindEntry(0x6040, -1);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->name, "Control word");
    EXPECT_EQ(control->access, OD_ACCESS_RWW);
    EXPECT_EQ(control->dataType, OD_TYPE_UNSIGNED16);
    EXPECT_EQ(control->pdoMappable, 1);
    EXPECT_NE(drive->FindEntry(0x6099, 2), nullptr);

    // rwr access and REAL32 values of a vendor module.
    const CCanOpenSlaveType* module = ImportReal("PRL120.eds");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->FindEntry(0x2001, 1)->access, OD_ACCESS_RWR);
    EXPECT_EQ(module->FindEntry(0x2002, 1)->dataType, OD_TYPE_REAL32);
}

TEST_F(EdsSheetsTest, ASheetWithoutProductNameIsRefused)
{
    EXPECT_EQ(ImportReal("sample.eds"), nullptr);
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].type, MB_OK | MB_ICONERROR);
    EXPECT_EQ(m_app.GetSlaveTypeCount(), 2);
    EXPECT_TRUE(FileSystem::ListFolder(UserFolder()).empty());
    EXPECT_TRUE(m_host.inserted.empty());
}

// Hostile and oversized sheets are written by the tests themselves: they run
// whether or not real sheets lie beside the project.
class EdsHostileSheetsTest : public EdsImportFixture {};

struct HostileCase {
    const char* what;
    std::string sheet;
    bool saved; // else refused for its product name
    std::vector<std::string> keys;
};

TEST_F(EdsHostileSheetsTest, HostileSheetsEndCleanly)
{
    const std::string head = "[DeviceInfo]\nProductName=Hostile\n";
    const std::string mapped = "DataType=0x0007\nPDOMapping=1\n";
    const std::string megabyte(1 << 20, 'A');
    const HostileCase cases[] = {
        {"binary bytes and NUL", std::string("\x01\xFF\0[\0]\n", 7) + head + "[2000]\n" + mapped +
         std::string("\0\0\xFE[", 4) + "\n", true, {"2000"}},
        {"a megabyte product name", "[DeviceInfo]\nProductName=" + megabyte + "\n[2000]\n" + mapped, false, {}},
        {"a megabyte parameter name and line", head + "[2000]\nParameterName=" + megabyte + "\n" + mapped +
         megabyte + "\n", true, {"2000"}},
        {"a megabyte header", head + "[" + megabyte + "]\n" + mapped, true, {}},
        {"no [DeviceInfo]", "[2000]\n" + mapped, false, {}},
        {"bad hexadecimal everywhere", head + "[2000]\nDataType=0xGG\nObjectType=0x\nDefaultValue=0x\n"
         "SubNumber=0xFFFFFFFFFFFF\nPDOMapping=0x\n[ZZZZ]\n" + mapped, true, {}},
        {"the largest index and sub-index", head + "[FFFF]\nSubNumber=999999999999\n[FFFFsubFF]\n" + mapped,
         true, {"FFFF", "FFFFSUBFF"}},
        {"headers that are only brackets", head + "[]\n" + mapped + "[\n]\n[[]]\n" + mapped, true, {}},
    };
    int round = 0;
    for (const HostileCase& c : cases) {
        const std::string folder = m_temp / ("user" + std::to_string(++round));
        auto app = std::make_unique<CZULAppData>();
        CEdsImport import(*app, m_host, folder);
        WriteFileText(m_temp / "hostile.eds", c.sheet);
        m_host.file = m_temp / "hostile.eds";
        m_ui.box.Clear();
        import.ImportEdsFile();

        EXPECT_EQ(import.SaveFailed(), !c.saved) << c.what;
        EXPECT_EQ(FileSystem::FileExists(folder + "/Hostile"), c.saved) << c.what;
        const CCanOpenSlaveType* type = app->FindSlaveType("Hostile");
        ASSERT_EQ(type != nullptr, c.saved) << c.what;
        if (type) {
            EXPECT_EQ(EntryKeys(*type), c.keys) << c.what;
            for (const CCanOpenODEntry* entry : type->objects)
                EXPECT_LE(entry->name.size(), OD_ENTRY_NAME_MAX) << c.what;
        }
    }
}

TEST_F(EdsHostileSheetsTest, TensOfThousandsOfObjects)
{
    std::string sheet = "[DeviceInfo]\nProductName=Large\n";
    constexpr int kObjects = 40000;
    // Written from the highest index down; the file lists them rising.
    for (int i = kObjects - 1; i >= 0; --i) {
        char header[32];
        std::snprintf(header, sizeof header, "[%04X]\n", 0x1000 + i);
        sheet += std::string(header) + "DataType=0x0007\nPDOMapping=1\n";
    }
    Import(sheet);
    const CCanOpenSlaveType* type = m_app.FindSlaveType("Large");
    ASSERT_NE(type, nullptr);
    ASSERT_EQ(type->objects.size(), static_cast<size_t>(kObjects));
    EXPECT_EQ(type->objects.front()->index, 0x1000);
    EXPECT_EQ(type->objects.back()->index, 0x1000 + kObjects - 1);
}
