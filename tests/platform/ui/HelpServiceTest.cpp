// The help service: the page of a context opens in the viewer; without the
// help folder, without the page or when the viewer fails, a plain message
// says so and nothing opens.

#include "platform/CPathProvider.h"
#include "platform/FileSystem.h"
#include "platform/ui/CQtHelpService.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class HelpServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        help.SetViewer([this](const std::string& path) {
            opened.push_back(path);
            return viewerWorks;
        });
    }

    void InstallPages(std::initializer_list<int> contexts)
    {
        ASSERT_TRUE(FileSystem::CreateFolder(folder / "help"));
        for (int context : contexts)
            WriteFileText(folder / ("help/" + std::to_string(context) + ".html"), "<html></html>");
    }

    CScopedUi ui;
    TempFolder folder;
    CQtHelpService help {folder / "help"};
    std::vector<std::string> opened;
    BOOL viewerWorks = TRUE;
};

TEST_F(HelpServiceTest, OpensThePageOfTheContext)
{
    InstallPages({1, 290});
    help.ShowHelp("PLC-xinxi", 290);
    help.ShowHelp("no such topic", 1);
    EXPECT_EQ(opened, (std::vector<std::string>{folder / "help/290.html", folder / "help/1.html"}));
    EXPECT_TRUE(ui.box.Messages().empty());
}

TEST_F(HelpServiceTest, SaysPlainlyWhenNoHelpIsThere)
{
    struct Case {
        const char* name;
        bool folder;
        bool page;
        BOOL viewer;
        const char* text;
    };
    const Case cases[] = {
        {"no help folder", false, false, TRUE, "No help is installed."},
        {"no page of the context", true, false, TRUE, "No help is installed for this topic."},
        {"the viewer fails", true, true, FALSE, "The help page could not be opened."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder other;
        CQtHelpService service(other / "help");
        if (c.folder) {
            ASSERT_TRUE(FileSystem::CreateFolder(other / "help"));
        }
        if (c.page)
            WriteFileText(other / "help/300.html", "<html></html>");
        int viewerCalls = 0;
        service.SetViewer([&](const std::string&) {
            ++viewerCalls;
            return c.viewer;
        });
        ui.box.Clear();
        service.ShowHelp("CPU-shizhong", 300);
        ASSERT_EQ(ui.box.Messages().size(), 1u);
        EXPECT_EQ(ui.box.Messages()[0].caption, "Help");
        EXPECT_EQ(ui.box.Messages()[0].text, c.text);
        EXPECT_EQ(viewerCalls, c.page ? 1 : 0);
    }
}

TEST(HelpServiceFolderTest, TheShippedDataHoldsTheHelpFolder)
{
    TempFolder shipped;
    CPathProvider::SetSharedDataFolder(shipped.Path());
    CQtHelpService service;
    EXPECT_EQ(service.PagePath(213), shipped / "help/213.html");
    CPathProvider::SetSharedDataFolder({});
}
