// The settings file in place of the registry profile.

#include "support/FileBytes.h"
#include "support/FullFileSystem.h"
#include "support/TempFolder.h"

#include "platform/Gbk.h"
#include "platform/ui/CSettingsStore.h"
#include "platform/ui/CWinApp.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

bool Exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Points $XDG_CONFIG_HOME at a temporary folder for one test.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        m_hadOld = old != nullptr;
        if (old)
            m_old = old;
        setenv("XDG_CONFIG_HOME", m_home.Path().c_str(), 1);
    }
    void TearDown() override
    {
        if (m_hadOld)
            setenv("XDG_CONFIG_HOME", m_old.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }

    TempFolder m_home;
    std::string m_old;
    bool m_hadOld = false;
};

TEST_F(SettingsStoreTest, ProfileUnderANonAsciiFolderIsWrittenInThatFolder)
{
    // The folder name is UTF-8 on disk and GBK in the program's paths.
    const std::string home = m_home / "\xE9\x85\x8D\xE7\xBD\xAE";
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    CSettingsStore store(CSettingsStore::ProfileFilePath("OrvelBuild1.0.0.1"), "ZUL_Q7");
    ASSERT_TRUE(store.WriteInt("COM", "Port", 3));
    ASSERT_TRUE(store.Flush());
    EXPECT_TRUE(Exists(home + "/OrvelBuilder/OrvelBuild1.0.0.1.ini"));
    EXPECT_EQ(CSettingsStore(CSettingsStore::ProfileFilePath("OrvelBuild1.0.0.1"), "ZUL_Q7").GetInt("COM", "Port", 0), 3);
}

TEST_F(SettingsStoreTest, EveryValueTypeRoundTripsUnderTheRegistryKey)
{
    const std::string path = CSettingsStore::ProfileFilePath("OrvelBuild1.0.0.1");
    EXPECT_EQ(path, m_home.Path() + "/OrvelBuilder/OrvelBuild1.0.0.1.ini");
    CSettingsStore store(path, "ZUL_Q7");

    const std::vector<std::string> texts = {
        "C:\\Orvel\\project", Utf8ToGbk("项目一"), "", "a, b; c", "@ByteArray(x)", "  padded  ", "=",
    };
    for (size_t i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(store.WriteString("Settings", "Text" + std::to_string(i), texts[i]));
    const int numbers[] = {0, -1, 2147483647, -2147483647 - 1, 187500};
    for (int n : numbers)
        ASSERT_TRUE(store.WriteInt("COM", "N" + std::to_string(n), n));
    std::vector<BYTE> bytes(48);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<BYTE>(i * 37);
    ASSERT_TRUE(store.WriteBinary("Settings", "Window Position", bytes));
    ASSERT_TRUE(store.WriteBinary("Settings", "Empty", {}));
    ASSERT_TRUE(store.WriteInt("DockingPaneLayouts\\ZULNormalLayout\\Pane-1", "Docking", 3));

    CSettingsStore reader(path, "ZUL_Q7");
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reader.GetString("Settings", "Text" + std::to_string(i), "?"), texts[i]) << i;
    for (int n : numbers)
        EXPECT_EQ(reader.GetInt("COM", "N" + std::to_string(n), 12345), n);
    std::vector<BYTE> read;
    EXPECT_TRUE(reader.ReadBinary("Settings", "Window Position", &read));
    EXPECT_EQ(read, bytes);
    EXPECT_TRUE(reader.ReadBinary("Settings", "Empty", &read));
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(reader.GetInt("DockingPaneLayouts\\ZULNormalLayout\\Pane-1", "Docking", 0), 3);
    EXPECT_EQ(reader.GetSubSections("DockingPaneLayouts"), (std::vector<std::string>{"ZULNormalLayout"}));
    EXPECT_EQ(reader.GetEntries("COM").size(), 5u);
}

TEST_F(SettingsStoreTest, WrongTypesAndMissingValuesGiveTheDefault)
{
    CSettingsStore store(m_home / "s.ini", "App");
    ASSERT_TRUE(store.WriteString("S", "Word", "12x"));
    ASSERT_TRUE(store.WriteString("S", "Huge", "99999999999"));
    ASSERT_TRUE(store.WriteBinary("S", "Bytes", {1, 2}));
    ASSERT_TRUE(store.WriteInt("S", "Number", 7));

    EXPECT_EQ(store.GetInt("S", "Word", -5), -5);
    EXPECT_EQ(store.GetInt("S", "Huge", -5), -5);
    EXPECT_EQ(store.GetInt("S", "Bytes", -5), -5);
    EXPECT_EQ(store.GetInt("S", "Missing", -5), -5);
    EXPECT_EQ(store.GetString("S", "Bytes", "def"), "def");
    EXPECT_EQ(store.GetString("S", "Number"), "7");
    std::vector<BYTE> data{9};
    EXPECT_FALSE(store.ReadBinary("S", "Number", &data));
    EXPECT_TRUE(data.empty());
    EXPECT_FALSE(store.WriteString("S", "", "x"));
}

TEST_F(SettingsStoreTest, ReadingCreatesNothingAndDeletingRemovesWhatWasThere)
{
    const std::string path = m_home / "sub/never.ini";
    CSettingsStore store(path, "App");
    EXPECT_EQ(store.GetString("Recent File List", "File1", "none"), "none");
    EXPECT_FALSE(store.HasSection("Recent File List"));
    EXPECT_FALSE(store.DeleteEntry("Recent File List", "File1"));
    EXPECT_FALSE(store.DeleteSection("Recent File List"));
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(Exists(m_home / "sub"));

    ASSERT_TRUE(store.WriteString("Layout", "A", "1"));
    ASSERT_TRUE(store.WriteString("Layout\\Inner", "B", "2"));
    ASSERT_TRUE(store.WriteString("Other", "C", "3"));
    EXPECT_TRUE(store.DeleteEntry("Layout", "A"));
    EXPECT_FALSE(store.HasEntry("Layout", "A"));
    EXPECT_TRUE(store.HasSection("Layout"));   // its subsection still holds a value
    EXPECT_TRUE(store.DeleteSection("Layout"));
    EXPECT_FALSE(store.HasSection("Layout\\Inner"));
    EXPECT_EQ(store.GetString("Other", "C"), "3");
}

TEST_F(SettingsStoreTest, AFileThatCannotBeWrittenReportsFailure)
{
    ASSERT_TRUE(CSettingsStore(m_home / "plain", "").WriteString("S", "x", "1"));
    CSettingsStore blocked(m_home / "plain/inside.ini", "App");   // "plain" is a file, not a folder
    EXPECT_FALSE(blocked.WriteString("S", "x", "1"));
    EXPECT_FALSE(blocked.WriteBinary("S", "x", {1}));
}

TEST_F(SettingsStoreTest, TheApplicationProfileNeedsARegistryKey)
{
    CWinApp app("ZUL_Q7");
    EXPECT_FALSE(app.WriteProfileString("COM", "Port", "/dev/ttyUSB0"));
    EXPECT_EQ(app.GetProfileInt("COM", "Baud", 9600), 9600);

    app.SetRegistryKey("OrvelBuild1.0.0.1");
    EXPECT_TRUE(app.WriteProfileString("COM", "Port", "/dev/ttyUSB0"));
    EXPECT_TRUE(app.WriteProfileInt("COM", "Baud", 187500));
    EXPECT_TRUE(app.WriteProfileBinary("Settings", "Window Position", {0, 48}));
    CSettingsStore file(CSettingsStore::ProfileFilePath("OrvelBuild1.0.0.1"), "ZUL_Q7");
    EXPECT_EQ(file.GetString("COM", "Port"), "/dev/ttyUSB0");
    EXPECT_EQ(app.GetProfileInt("COM", "Baud", 0), 187500);
    std::vector<BYTE> bytes;
    EXPECT_TRUE(app.GetProfileBinary("Settings", "Window Position", &bytes));
    EXPECT_EQ(bytes, (std::vector<BYTE>{0, 48}));
}

// The file as a later start of the program finds it: the values written,
// in the settings file's own text, byte for byte.
constexpr const char* kWrittenFile = "[App]\n"
                                     "COM\\Baud=187500\n"
                                     "COM\\PORT=/dev/ttyUSB0\n"
                                     "Layout\\Pane-1\\Docking=3\n"
                                     "Settings\\Text=\"a, b\"\n"
                                     "Settings\\Window%20Position=@ByteArray(\\0\\x30)\n";

void WriteSample(const CSettingsStore& store)
{
    ASSERT_TRUE(store.WriteString("COM", "PORT", "/dev/ttyUSB0"));
    ASSERT_TRUE(store.WriteInt("COM", "Baud", 9600));
    ASSERT_TRUE(store.WriteInt("COM", "Baud", 187500));
    ASSERT_TRUE(store.WriteString("Settings", "Text", "a, b"));
    ASSERT_TRUE(store.WriteBinary("Settings", "Window Position", {0, 48}));
    ASSERT_TRUE(store.WriteInt("Layout\\Pane-1", "Docking", 3));
    ASSERT_TRUE(store.WriteInt("Gone", "Value", 1));
    ASSERT_TRUE(store.DeleteSection("Gone"));
}

void ExpectSampleRead(const CSettingsStore& store)
{
    EXPECT_EQ(store.GetString("COM", "PORT"), "/dev/ttyUSB0");
    EXPECT_EQ(store.GetInt("COM", "Baud", 0), 187500);
    EXPECT_EQ(store.GetString("Settings", "Text"), "a, b");
    std::vector<BYTE> bytes;
    EXPECT_TRUE(store.ReadBinary("Settings", "Window Position", &bytes));
    EXPECT_EQ(bytes, (std::vector<BYTE>{0, 48}));
    EXPECT_EQ(store.GetInt("Layout\\Pane-1", "Docking", 0), 3);
    EXPECT_FALSE(store.HasSection("Gone"));
}

TEST_F(SettingsStoreTest, WritesWaitInMemoryAndReachTheDiskInOneFlush)
{
    const std::string path = m_home / "profile.ini";
    CSettingsStore store(path, "App");
    WriteSample(store);
    EXPECT_TRUE(store.HasPendingWrites());
    EXPECT_FALSE(Exists(path));
    ExpectSampleRead(store);
    {
        SCOPED_TRACE("another store on the same file, before the flush");
        ExpectSampleRead(CSettingsStore(path, "App"));
    }

    ASSERT_TRUE(store.Flush());
    EXPECT_FALSE(store.HasPendingWrites());
    EXPECT_EQ(ReadFileText(path), kWrittenFile);
    ExpectSampleRead(store);
}

TEST_F(SettingsStoreTest, PendingWritesReachTheDiskSoonWithoutAFlush)
{
    const std::string path = m_home / "profile.ini";
    CSettingsStore store(path, "App");
    WriteSample(store);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !store.HasPendingWrites(); }, 20 * CSettingsStore::kFlushDelayMs));
    EXPECT_EQ(ReadFileText(path), kWrittenFile);
}

TEST_F(SettingsStoreTest, AStoreThatGoesWritesWhatIsPending)
{
    const std::string path = m_home / "profile.ini";
    {
        CSettingsStore store(path, "App");
        WriteSample(store);
    }
    EXPECT_EQ(ReadFileText(path), kWrittenFile);
}

TEST_F(SettingsStoreTest, AFailedFlushKeepsTheValuesPendingForTheNextOne)
{
    const std::string path = m_home / "profile.ini";
    CSettingsStore store(path, "App");
    ASSERT_TRUE(store.WriteString("COM", "PORT", "/dev/ttyUSB0"));
    ASSERT_TRUE(store.Flush());
    WriteSample(store);
    {
        FullFileSystem full;
        EXPECT_FALSE(store.Flush());
    }
    EXPECT_TRUE(store.HasPendingWrites());
    ExpectSampleRead(store);
    EXPECT_EQ(ReadFileText(path), "[App]\nCOM\\PORT=/dev/ttyUSB0\n");

    ASSERT_TRUE(store.Flush());
    EXPECT_EQ(ReadFileText(path), kWrittenFile);
}

TEST_F(SettingsStoreTest, TheApplicationProfileIsWrittenTogetherAtExit)
{
    const std::string path = CSettingsStore::ProfileFilePath("OrvelBuild1.0.0.1");
    {
        CWinApp app("App");
        app.SetRegistryKey("OrvelBuild1.0.0.1");
        WriteSample(CSettingsStore(path, "App"));
        EXPECT_EQ(ReadFileText(path), kWrittenFile);
        for (int n = 0; n < 100; ++n)
            ASSERT_TRUE(app.WriteProfileInt("Many", "N" + std::to_string(n), n));
        EXPECT_EQ(app.GetProfileInt("Many", "N99", -1), 99);
        EXPECT_EQ(ReadFileText(path), kWrittenFile);
        ASSERT_TRUE(app.FlushProfile());
        EXPECT_NE(ReadFileText(path), kWrittenFile);
        ASSERT_TRUE(app.WriteProfileString("COM", "PORT", "/dev/ttyS1"));
    }
    CSettingsStore nextStart(path, "App");
    EXPECT_EQ(nextStart.GetString("COM", "PORT"), "/dev/ttyS1");
    EXPECT_EQ(nextStart.GetInt("Many", "N0", -1), 0);
    EXPECT_EQ(nextStart.GetInt("Many", "N99", -1), 99);
}

} // namespace
