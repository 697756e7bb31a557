#include "shell/GeneralSettingsRules.h"

#include "model/CZULAppData.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TEST(GeneralSettingsCpuList, CatalogueRowsMapToListPositions)
{
    const std::pair<int, int> cases[] = {
        {1, 0},  {2, 1},  {5, 3},   {8, 6},   {11, 9},  {14, 10}, {17, 14}, {18, 13}, {22, 17},
        // Rows the list lacks: VA10 (0), the plain VB12EX (4), VB14EX variants 12, 13, VC 19, bad rows.
        {0, 6},  {4, 6},  {12, 6},  {13, 6},  {19, 6},  {23, 6},  {-1, 6},
    };
    for (const auto& [row, position] : cases)
        EXPECT_EQ(CpuListPosition(row), position) << row;
    EXPECT_STREQ(CPU_LIST[CPU_LIST_FALLBACK].model, "VB14-24AR");
}

TEST(GeneralSettingsControls, LoadShowsTheSettingsAndStoreReadsThemBack)
{
    struct Case {
        const char* name;
        int compileBeforeDown;
        int language;
        int defaultCpu;
        int shownLanguage;
        int shownCpu;
        int storedLanguage;
    };
    const Case cases[] = {
        {"IL, VC16-40AT", 0, 1, 21, 0, 16, 1},
        {"LD, VB12-14AT", 1, 2, 1, 1, 0, 2},
        {"language 0 shows LD", 0, 0, 8, 1, 6, 2},
    };
    for (const Case& test : cases) {
        const auto owned = std::make_unique<CZULAppData>();
        CZULAppData& app = *owned;
        app.IfCompileBeforeDown = test.compileBeforeDown;
        app.IfCompileBeforeOnline = 1 - test.compileBeforeDown;
        app.OnlineFormat = 2;
        app.DefaultPOULang = test.language;
        app.DefaultCPU = test.defaultCpu;
        const CGeneralSettingsControls loaded = LoadGeneralSettings(app);
        EXPECT_EQ(loaded.compileBeforeDownload, test.compileBeforeDown ? 0 : 1) << test.name;
        EXPECT_EQ(loaded.compileBeforeMonitoring, test.compileBeforeDown) << test.name;
        EXPECT_EQ(loaded.integerFormat, 2) << test.name;
        EXPECT_EQ(loaded.languagePosition, test.shownLanguage) << test.name;
        EXPECT_EQ(loaded.cpuPosition, test.shownCpu) << test.name;

        StoreGeneralSettings(app, loaded, loaded);
        EXPECT_EQ(app.IfCompileBeforeDown, test.compileBeforeDown) << test.name;
        EXPECT_EQ(app.IfCompileBeforeOnline, 1 - test.compileBeforeDown) << test.name;
        EXPECT_EQ(app.OnlineFormat, 2) << test.name;
        EXPECT_EQ(app.DefaultPOULang, test.storedLanguage) << test.name;
        EXPECT_EQ(app.DefaultCPU, test.defaultCpu) << test.name;
    }
}

TEST(GeneralSettingsControls, AStoredRowTheListLacksStaysUnlessAnotherModelIsChosen)
{
    struct Case {
        const char* name;
        int storedRow;
        int chosenPosition;
        int expectedRow;
    };
    const Case cases[] = {
        {"VA10 kept under the fallback", 0, CPU_LIST_FALLBACK, 0},
        {"VA10 replaced by a chosen VB16", 0, 10, 14},
        {"offered row follows the list", 8, CPU_LIST_FALLBACK, 8},
        {"offered row changed", 21, 3, 5},
        {"nothing selected keeps the row", 21, -1, 21},
    };
    for (const Case& test : cases) {
        const auto owned = std::make_unique<CZULAppData>();
        CZULAppData& app = *owned;
        app.DefaultCPU = test.storedRow;
        const CGeneralSettingsControls loaded = LoadGeneralSettings(app);
        CGeneralSettingsControls controls = loaded;
        controls.cpuPosition = test.chosenPosition;
        StoreGeneralSettings(app, loaded, controls);
        EXPECT_EQ(app.DefaultCPU, test.expectedRow) << test.name;
    }
}

} // namespace
