#include "IniFileProfile.h"
#include "model/CZULAppData.h"
#include "model/SharedStrings.h"
#include "plclink/CPlcCommPort.h"
#include "shell/CRecentFileList.h"
#include "shell/Settings.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    TempFolder m_folder;
    CIniFileProfile m_profile{m_folder / "OrvelBuild1.0.0.1.ini"};
    void SetUp() override { g_pAppData = m_app.get(); }
    void TearDown() override { g_pAppData = nullptr; }

    std::unique_ptr<CZULAppData> m_app = std::make_unique<CZULAppData>();
    CPlcCommPort m_port;
};

struct StoredValueCase {
    const char* key;
    const char* stored; // nullptr: missing
    int CZULAppData::*field;
    int expected;
};

TEST_F(SettingsTest, StoredValuesReadWithDefaultsAndClamps)
{
    const StoredValueCase cases[] = {
        {kKeyInterface, " 3", &CZULAppData::Interface, 3},
        {kKeyInterface, "13", &CZULAppData::Interface, 13},
        {kKeyInterface, "", &CZULAppData::Interface, 2},
        {kKeyInterface, "123", &CZULAppData::Interface, 12},
        {kKeyInterface, nullptr, &CZULAppData::Interface, 2},
        {kKeyDefaultCPU, "23", &CZULAppData::DefaultCPU, 8},
        {kKeyDefaultCPU, "-1", &CZULAppData::DefaultCPU, 8},
        {kKeyDefaultCPU, "0", &CZULAppData::DefaultCPU, 0},
        {kKeyDefaultCPU, "22abc", &CZULAppData::DefaultCPU, 22},
        {kKeyDefaultCPU, nullptr, &CZULAppData::DefaultCPU, 8},
        {kKeyDefaultPOULang, "1", &CZULAppData::DefaultPOULang, 1},
        {kKeyDefaultPOULang, "0", &CZULAppData::DefaultPOULang, 2},
        {kKeyDefaultPOULang, "7", &CZULAppData::DefaultPOULang, 2},
        {kKeyDefaultPOULang, "x", &CZULAppData::DefaultPOULang, 2},
        {kKeyAreaTypes, nullptr, &CZULAppData::AreaTypes, -1},
        {kKeyAreaTypes, "4096", &CZULAppData::AreaTypes, 4096},
        {kKeyTypesOfArea, "-1", &CZULAppData::TypesOfArea, -1},
        {kKeyCompileBeforeDown, "1", &CZULAppData::IfCompileBeforeDown, 0},
        {kKeyCompileBeforeOnline, "1", &CZULAppData::IfCompileBeforeOnline, 0},
        {kKeyOnlineFormat, "2", &CZULAppData::OnlineFormat, 0},
    };
    for (const StoredValueCase& c : cases) {
        TempFolder folder;
        CIniFileProfile profile(folder / "settings.ini");
        if (c.stored)
            profile.WriteProfileString(kSectionConfiguration, c.key, c.stored);
        // The application data is too large for the stack.
        auto app = std::make_unique<CZULAppData>();
        app->IfCompileBeforeDown = 1;
        app->OnlineFormat = 1;
        LoadSettings(profile, *app, m_port);
        EXPECT_EQ((*app).*c.field, c.expected) << c.key << " = " << (c.stored ? c.stored : "(missing)");
    }
}

TEST_F(SettingsTest, MissingFilterBoxesAreTickedAndStoredOnesKept)
{
    m_profile.WriteProfileString(kSectionConfiguration, "SelArea3", "0");
    m_profile.WriteProfileString(kSectionConfiguration, "SelType6", "0");
    LoadSettings(m_profile, *m_app, m_port);
    for (int k = 0; k < XREF_AREA_SELECTIONS; ++k)
        EXPECT_EQ(m_app->SelArea[k], k == 3 ? 0 : 1) << k;
    for (int k = 0; k < XREF_TYPE_SELECTIONS; ++k)
        EXPECT_EQ(m_app->SelType[k], k == 6 ? 0 : 1) << k;
}

TEST_F(SettingsTest, SaveWritesConfigurationTextsThatLoadBack)
{
    LoadSettings(m_profile, *m_app, m_port);
    m_app->Interface = 3;
    m_app->DefaultCPU = 17;
    m_app->DefaultPOULang = 1;
    m_app->SelArea[14] = 0;
    SaveSettings(m_profile, *m_app);

    EXPECT_EQ(m_profile.GetProfileString(kSectionConfiguration, kKeyInterface, "?"), " 3");
    EXPECT_EQ(m_profile.GetProfileString(kSectionConfiguration, kKeyAreaTypes, "?"), "-1");
    EXPECT_EQ(m_profile.GetProfileString(kSectionConfiguration, kKeyCompileBeforeDown, "?"), "0");
    EXPECT_EQ(m_profile.GetProfileString(kSectionConfiguration, "SelArea14", "?"), "0");
    EXPECT_FALSE(m_profile.Has(kSectionConfiguration, kKeyPrevProj));
    EXPECT_FALSE(m_profile.Has(kSectionConfiguration, kKeyILTextFont));
    EXPECT_FALSE(m_profile.Has(kSectionCOM, kKeyPort));

    auto reread = std::make_unique<CZULAppData>();
    const CZULAppData& again = *reread;
    LoadSettings(m_profile, *reread, m_port);
    EXPECT_EQ(again.Interface, 3);
    EXPECT_EQ(again.DefaultCPU, 17);
    EXPECT_EQ(again.DefaultPOULang, 1);
    EXPECT_EQ(again.SelArea[14], 0);
    EXPECT_EQ(again.AreaTypes, -1);
}

TEST_F(SettingsTest, SerialSectionAppliedOnlyWithStationAndPort)
{
    const auto writeCom = [this](const char* station, const char* port, const char* parity) {
        m_profile.WriteProfileString(kSectionCOM, kKeyDestAddr, station);
        m_profile.WriteProfileString(kSectionCOM, kKeyPort, port);
        m_profile.WriteProfileString(kSectionCOM, kKeyBaud, "19200");
        m_profile.WriteProfileString(kSectionCOM, kKeyDataBits, "8");
        m_profile.WriteProfileString(kSectionCOM, kKeyStopBits, "1");
        m_profile.WriteProfileString(kSectionCOM, kKeyParity, parity);
    };
    writeCom("", "/dev/ttyUSB0", "Even");
    CPlcCommPort untouched;
    LoadSettings(m_profile, *m_app, untouched);
    EXPECT_EQ(untouched.PortName, "COM1");
    EXPECT_EQ(untouched.BaudRate, 9600);

    writeCom("5", "/dev/ttyUSB0", "Even");
    CPlcCommPort port;
    LoadSettings(m_profile, *m_app, port);
    EXPECT_EQ(port.Station, 5);
    EXPECT_EQ(port.PortName, "/dev/ttyUSB0");
    EXPECT_EQ(port.BaudRate, 19200);
    EXPECT_EQ(port.ParityIndex, 2);

    writeCom("7", "/dev/ttyS0", "Mark");
    LoadSettings(m_profile, *m_app, port);
    EXPECT_EQ(port.Station, 7);
    EXPECT_EQ(port.PortName, "/dev/ttyS0");
    EXPECT_EQ(port.ParityIndex, 2) << "an unknown parity text leaves the parity as it was";
}

TEST_F(SettingsTest, RecentProjectsKeepFourProjectFilesNewestFirst)
{
    CRecentFileList recent;
    recent.Add("/p/a.qpj");
    recent.Add("/p/b.QPJ");
    recent.Add("/p/main.ilp");
    recent.Add("/p/c.qpj");
    recent.Add("/p/d.qpj");
    recent.Add("/p/a.qpj");
    recent.Add("/p/e.qpj");
    ASSERT_EQ(recent.GetSize(), RECENT_PROJECT_COUNT);
    EXPECT_EQ(recent.GetEntry(0), "/p/e.qpj");
    EXPECT_EQ(recent.GetEntry(1), "/p/a.qpj");
    EXPECT_EQ(recent.GetEntry(3), "/p/c.qpj");

    recent.Remove(1);
    recent.WriteList(m_profile);
    CRecentFileList reread;
    reread.ReadList(m_profile);
    ASSERT_EQ(reread.GetSize(), 3);
    EXPECT_EQ(reread.GetEntry(0), "/p/e.qpj");
    EXPECT_EQ(reread.GetEntry(1), "/p/d.qpj");
    EXPECT_EQ(reread.GetEntry(4), "");
}

} // namespace
