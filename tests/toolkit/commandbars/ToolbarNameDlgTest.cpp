// The toolbar name dialog: the proposed "Custom n", the bar id of a new
// toolbar from the custom range (taken ids skipped in any order, the
// exhausted range refused), blank and taken names refused with the dialog
// left open, renaming to the bar's own title, and names shown as text.

#include "BarsFrame.h"

#include "support/ScriptedUi.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/CTKToolbarNameDlg.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const CRect kFrameRect(0, 0, 800, 400);

struct Bar {
    const char* title;
    UINT id;
};

class ToolbarNameDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenClassicFrameWithBars(frame, bars, kFrameRect));
        ASSERT_NE(bars->AddToolBar("Standard", kTKPositionTop, RUNTIME_CLASS(CTKToolBar)), nullptr);
    }
    void TearDown() override
    {
        frame->DestroyWindow();
        ProcessEvents();
    }

    void AddBars(const std::vector<Bar>& list)
    {
        for (const Bar& bar : list)
            ASSERT_NE(bars->AddCustomToolBar(bar.title, bar.id, TRUE), nullptr);
    }

    // Runs OK on the dialog with the name; the dialog's outcome: 1 accepted,
    // 0 rejected, -1 still open.
    int PressOk(CTKToolbarNameDlg& dialog, const std::string& name)
    {
        int outcome = -1;
        QObject::connect(&dialog, &QDialog::accepted, [&outcome] { outcome = 1; });
        QObject::connect(&dialog, &QDialog::rejected, [&outcome] { outcome = 0; });
        dialog.SetName(name);
        dialog.OnOK();
        return outcome;
    }

    CScopedUi ui;
    std::unique_ptr<CTKFixtureFrame> frame;
    CTKCommandBars* bars = nullptr;
};

TEST_F(ToolbarNameDlgTest, ProposesTheLowestFreeCustomNumber)
{
    struct Case {
        std::vector<Bar> bars;
        const char* proposed;
    };
    const std::vector<Case> cases = {
        {{}, "Custom 1"},
        {{{"Custom 1", 0xE800}, {"Custom 2", 0xE801}}, "Custom 3"},
        {{{"Custom 2", 0xE800}}, "Custom 1"},
        {{{"custom 1", 0xE800}, {"Custom 10", 0xE801}}, "Custom 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.proposed);
        while (bars->GetCount() > 1)
            bars->RemoveBar(bars->GetBarAt(1));
        AddBars(c.bars);
        CTKToolbarNameDlg dialog(nullptr, bars, nullptr);
        dialog.OnInitDialog();
        EXPECT_EQ(dialog.GetName(), c.proposed);
        EXPECT_EQ(dialog.windowTitle(), "New Toolbar");
    }
}

TEST_F(ToolbarNameDlgTest, NewToolbarsTakeTheLowestFreeCustomId)
{
    struct Case {
        const char* name;
        std::vector<Bar> bars;
        UINT id;
    };
    const std::vector<Case> cases = {
        {"none taken", {}, 0xE800},
        {"two taken in order", {{"A", 0xE800}, {"B", 0xE801}}, 0xE802},
        {"two taken in reverse order", {{"A", 0xE801}, {"B", 0xE800}}, 0xE802},
        {"a gap", {{"A", 0xE800}, {"B", 0xE802}}, 0xE801},
        {"ids outside the range", {{"A", 0xE7FF}, {"B", 0xE8FF}}, 0xE800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        while (bars->GetCount() > 1)
            bars->RemoveBar(bars->GetBarAt(1));
        AddBars(c.bars);
        CTKToolbarNameDlg dialog(nullptr, bars, nullptr);
        dialog.OnInitDialog();
        EXPECT_EQ(PressOk(dialog, "Fresh"), 1);
        EXPECT_EQ(dialog.GetBarId(), c.id);
    }
    EXPECT_TRUE(ui.box.Messages().empty());
}

TEST_F(ToolbarNameDlgTest, AnExhaustedRangeIsRefusedAndCancels)
{
    std::vector<Bar> all;
    std::vector<std::string> titles;
    for (UINT id = CTKToolbarNameDlg::kLastCustomBarId;; --id) {
        titles.push_back("Bar " + std::to_string(id));
        if (id == CTKToolbarNameDlg::kFirstCustomBarId)
            break;
    }
    ASSERT_EQ(titles.size(), 255u);
    for (std::size_t i = 0; i < titles.size(); ++i)
        all.push_back({titles[i].c_str(), CTKToolbarNameDlg::kLastCustomBarId - static_cast<UINT>(i)});
    AddBars(all);
    const int count = bars->GetCount();
    CTKToolbarNameDlg dialog(nullptr, bars, nullptr);
    dialog.OnInitDialog();
    EXPECT_EQ(PressOk(dialog, "One Too Many"), 0);
    ASSERT_EQ(ui.box.Texts(), std::vector<std::string> {"Sorry you have reached your limit."});
    EXPECT_EQ(ui.box.Messages()[0].type, MB_OK | MB_ICONERROR);
    EXPECT_EQ(bars->GetCount(), count);
}

TEST_F(ToolbarNameDlgTest, BlankAndTakenNamesKeepTheDialogOpen)
{
    AddBars({{"Custom 1", 0xE800}, {"50%s off", 0xE801}});
    CTKToolBar* renamed = bars->GetBarAt(1);
    struct Case {
        CTKToolBar* bar;
        const char* name;
        int outcome;
        const char* message;
    };
    const Case cases[] = {
        {nullptr, "", -1, "The toolbar name cannot be blank. Type a name."},
        {nullptr, "Standard", -1, "A toolbar named 'Standard' already exists. Type another name."},
        {nullptr, "50%s off", -1, "A toolbar named '50%s off' already exists. Type another name."},
        {nullptr, "standard", 1, nullptr},
        {renamed, "Custom 1", 1, nullptr},
        {renamed, "Standard", -1, "A toolbar named 'Standard' already exists. Type another name."},
        {renamed, "Mine", 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.box.Clear();
        CTKToolbarNameDlg dialog(nullptr, bars, c.bar);
        dialog.OnInitDialog();
        EXPECT_EQ(PressOk(dialog, c.name), c.outcome);
        if (c.message) {
            ASSERT_EQ(ui.box.Texts(), std::vector<std::string> {c.message});
            EXPECT_EQ(ui.box.Messages()[0].type, MB_OK | MB_ICONERROR);
        } else {
            EXPECT_TRUE(ui.box.Texts().empty());
        }
    }
}

TEST_F(ToolbarNameDlgTest, RenamingStartsFromTheBarsTitleUnderItsOwnCaption)
{
    AddBars({{"Custom 4", 0xE800}});
    CTKToolbarNameDlg dialog(nullptr, bars, bars->GetBarAt(1));
    dialog.show();
    EXPECT_EQ(dialog.GetName(), "Custom 4");
    EXPECT_EQ(dialog.windowTitle(), "Rename Toolbar");
    ProcessEvents();
    SaveArtefact(dialog.grab().toImage(), "toolbar_name_dialog.png");
    dialog.hide();
}

} // namespace
