// The frame's placement in the profile: 48 little-endian bytes under
// "Settings" / "Window Position", a minimised frame stored as normal unless
// a value name is given, nothing without a registry key; byte arrays in an
// INI file become letters.

#include "platform/ui/CSettingsStore.h"
#include "support/TempFolder.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKFramePlacement.h"
#include "toolkit/commandbars/CTKProfileRegistry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char kKey[] = "OrvelBuild1.0.0.1";
const char kProfile[] = "OrvelBuilder";
const CRect kNormal(30, 40, 630, 440);

UINT WordAt(const std::vector<BYTE>& bytes, size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) | (UINT(bytes[offset + 3]) << 24);
}

class FramePlacementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
        frame = std::make_unique<CTKFixtureFrame>();
        ASSERT_TRUE(frame->Open(kNormal));
        ProcessEvents();
    }
    void TearDown() override
    {
        frame->DestroyWindow();
        unsetenv("XDG_CONFIG_HOME");
    }
    std::vector<BYTE> Stored(const std::string& value) const
    {
        std::vector<BYTE> bytes;
        CSettingsStore(CSettingsStore::ProfileFilePath(kKey), kProfile).ReadBinary("Settings", value, &bytes);
        return bytes;
    }

    TempFolder home;
    std::unique_ptr<CTKFixtureFrame> frame;
};

TEST_F(FramePlacementTest, TheShowStateAndNormalRectangleAreStored)
{
    struct Case {
        const char* name;
        Qt::WindowState state;
        const char* valueName;
        UINT showCmd;
    };
    const Case cases[] = {
        {"normal", Qt::WindowNoState, nullptr, SW_SHOWNORMAL},
        {"maximised", Qt::WindowMaximized, nullptr, SW_SHOWMAXIMIZED},
        {"minimised", Qt::WindowMinimized, nullptr, SW_SHOWNORMAL},
        {"minimised, named", Qt::WindowMinimized, "Other Position", SW_SHOWMINIMIZED},
    };
    const CTKProfileRegistry profile(kKey, kProfile);
    for (const Case& test : cases) {
        frame->setWindowState(test.state);
        CTKFramePlacement placement;
        EXPECT_TRUE(placement.SaveWindowPlacement(frame.get(), test.valueName, profile)) << test.name;
        const std::vector<BYTE> bytes = Stored(test.valueName ? test.valueName : "Window Position");
        ASSERT_EQ(bytes.size(), size_t(kTKPlacementBytes)) << test.name;
        EXPECT_EQ(WordAt(bytes, 0), 0u) << test.name;
        EXPECT_EQ(WordAt(bytes, 4), UINT(kTKPlacementBytes)) << test.name;
        EXPECT_EQ(WordAt(bytes, 12), test.showCmd) << test.name;
        for (size_t offset = 16; offset < 32; offset += 4)
            EXPECT_EQ(WordAt(bytes, offset), 0u) << test.name << offset;
        const CRect stored(LONG(WordAt(bytes, 32)), LONG(WordAt(bytes, 36)), LONG(WordAt(bytes, 40)),
                           LONG(WordAt(bytes, 44)));
        EXPECT_EQ(stored.Width(), kNormal.Width()) << test.name;
        EXPECT_EQ(stored.Height(), kNormal.Height()) << test.name;
        frame->setWindowState(Qt::WindowNoState);
    }
}

TEST_F(FramePlacementTest, NothingIsStoredWithoutAWindowOrARegistryKey)
{
    CTKFramePlacement placement;
    CWnd noWindow;
    EXPECT_FALSE(placement.SaveWindowPlacement(&noWindow, nullptr, CTKProfileRegistry(kKey, kProfile)));
    EXPECT_TRUE(Stored("Window Position").empty());
    EXPECT_TRUE(placement.SaveWindowPlacement(frame.get(), nullptr, CTKProfileRegistry("", kProfile)));
    EXPECT_TRUE(Stored("Window Position").empty());
}

TEST_F(FramePlacementTest, AnIniFileTakesBytesAsLettersLowNibbleFirst)
{
    EXPECT_EQ(CTKProfileRegistry::BytesToLetters({0x3C, 0x00, 0xFF}), "MDAAPP");
    const std::string ini = home / "bars.ini";
    const CTKProfileRegistry profile("", "", ini);
    EXPECT_TRUE(profile.WriteProfileBinary("Settings", "Bytes", {0x3C, 0x01}));
    EXPECT_EQ(CSettingsStore(ini, "").GetString("Settings", "Bytes", ""), "MDBA");
    EXPECT_TRUE(profile.WriteProfileString("Settings", "Bytes", nullptr));
    EXPECT_FALSE(CSettingsStore(ini, "").HasEntry("Settings", "Bytes"));
}

} // namespace
