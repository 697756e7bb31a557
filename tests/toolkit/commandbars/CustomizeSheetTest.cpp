// The Toolbars page of the customise sheet: every bar with its visibility,
// the buttons each kind of bar allows, the check boxes (the menu bar always
// stays), New with the proposed name, Rename in place, Delete after the
// question, and Reset only for built-in bars.

#include "BarsFrame.h"

#include "support/ScriptedUi.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCustomizeSheet.h"
#include "toolkit/commandbars/CTKCustomizeToolbarsPage.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/CTKToolbarNameDlg.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const CRect kFrameRect(0, 0, 900, 500);
constexpr UINT kMainMenu = 123;
constexpr UINT kStandardBar = 123;
enum Row { kMenuRow = 0, kStandardRow = 1, kCustomRow = 2 };

class CustomizeSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenClassicFrameWithBars(frame, bars, kFrameRect));
        ASSERT_NE(bars->CreateMenuBar("Menu Bar", kMainMenu), nullptr);
        CTKToolBar* standard = bars->AddToolBar("Standard", kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
        ASSERT_TRUE(standard && standard->LoadToolBar(kStandardBar));
        ASSERT_NE(bars->AddCustomToolBar("Custom 1", 0xE800, FALSE), nullptr);
        bars->RelayoutFrame(FALSE);
        ProcessEvents();
        parent.Create(nullptr, CRect(0, 0, 420, 320), 0, WS_VISIBLE);
        sheet = std::make_unique<CTKCustomizeSheet>(bars);
        ASSERT_TRUE(sheet->Create(&parent, WS_CHILD | WS_VISIBLE));
        sheet->MoveWindow(CRect(0, 0, 420, 320), TRUE);
        ProcessEvents();
    }
    void TearDown() override
    {
        sheet.reset();
        parent.DestroyWindow();
        frame->DestroyWindow();
        ProcessEvents();
    }

    CTKCustomizeToolbarsPage& Page() { return sheet->GetToolbarsPage(); }
    QListWidget* List() { return Page().GetList(); }
    BOOL Enabled(UINT id) { return Page().GetButton(id)->isEnabled() ? TRUE : FALSE; }
    std::vector<std::string> Titles()
    {
        std::vector<std::string> titles;
        for (int i = 0; i < List()->count(); ++i)
            titles.push_back(List()->item(i)->text().toStdString());
        return titles;
    }
    // Answers the name dialog that the next action opens with the name (OK) or cancels it.
    void AnswerNameDialog(const std::string& name, BOOL ok)
    {
        QTimer::singleShot(0, [name, ok] {
            auto* dialog = qobject_cast<CTKToolbarNameDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (!ok) {
                dialog->reject();
                return;
            }
            dialog->SetName(name);
            dialog->accept();
        });
    }

    CScopedUi ui;
    std::unique_ptr<CTKFixtureFrame> frame;
    CTKCommandBars* bars = nullptr;
    CWnd parent;
    std::unique_ptr<CTKCustomizeSheet> sheet;
};

TEST_F(CustomizeSheetTest, ListsEveryBarAndEnablesWhatItsKindAllows)
{
    EXPECT_EQ(sheet->GetTabText(0), "Tool&bars");
    EXPECT_EQ(Titles(), (std::vector<std::string> {"Menu Bar", "Standard", "Custom 1"}));
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(List()->item(row)->checkState(), Qt::Checked) << row;
    struct Case {
        int row;
        BOOL reset;
        BOOL renameAndDelete;
    };
    const Case cases[] = {{-1, FALSE, FALSE}, {kMenuRow, TRUE, FALSE}, {kStandardRow, TRUE, FALSE},
                          {kCustomRow, FALSE, TRUE}};
    for (const Case& c : cases) {
        List()->setCurrentRow(c.row);
        EXPECT_EQ(Enabled(CTKCustomizeToolbarsPage::kResetId), c.reset) << c.row;
        EXPECT_EQ(Enabled(CTKCustomizeToolbarsPage::kRenameId), c.renameAndDelete) << c.row;
        EXPECT_EQ(Enabled(CTKCustomizeToolbarsPage::kDeleteId), c.renameAndDelete) << c.row;
        EXPECT_TRUE(Enabled(CTKCustomizeToolbarsPage::kNewId));
    }
    SaveArtefact(sheet->grab().toImage(), "customize_toolbars_page.png");
}

TEST_F(CustomizeSheetTest, CheckBoxesShowAndHideBarsButTheMenuBarStays)
{
    List()->setCurrentRow(kStandardRow);
    List()->item(kStandardRow)->setCheckState(Qt::Unchecked);
    ProcessEvents();
    EXPECT_FALSE(bars->GetBarAt(kStandardRow)->IsVisible());
    EXPECT_EQ(List()->item(kStandardRow)->checkState(), Qt::Unchecked);
    EXPECT_EQ(List()->currentRow(), kStandardRow);
    List()->item(kStandardRow)->setCheckState(Qt::Checked);
    ProcessEvents();
    EXPECT_TRUE(bars->GetBarAt(kStandardRow)->IsVisible());

    List()->item(kMenuRow)->setCheckState(Qt::Unchecked);
    ProcessEvents();
    EXPECT_TRUE(bars->GetBarAt(kMenuRow)->IsVisible());
    EXPECT_EQ(List()->item(kMenuRow)->checkState(), Qt::Checked);
}

TEST_F(CustomizeSheetTest, NewRenameAndDeleteWorkOnToolbarsTheUserMade)
{
    AnswerNameDialog("Custom 2", TRUE);
    Page().OnNew();
    ASSERT_EQ(bars->GetCount(), 4);
    CTKToolBar* made = bars->GetBarAt(3);
    EXPECT_EQ(made->GetBarTitle(), "Custom 2");
    EXPECT_EQ(made->GetBarID(), 0xE801u);
    EXPECT_FALSE(made->IsBuiltIn());
    EXPECT_EQ(Titles().back(), "Custom 2");

    List()->setCurrentRow(3);
    AnswerNameDialog("Mine", TRUE);
    Page().OnRename();
    EXPECT_EQ(made->GetBarTitle(), "Mine");
    EXPECT_EQ(Titles(), (std::vector<std::string> {"Menu Bar", "Standard", "Custom 1", "Mine"}));
    EXPECT_EQ(List()->currentRow(), 3);
    AnswerNameDialog("Other", FALSE);
    Page().OnRename();
    EXPECT_EQ(made->GetBarTitle(), "Mine");

    ui.box.Answer(IDCANCEL);
    Page().OnDelete();
    EXPECT_EQ(bars->GetCount(), 4);
    ui.box.Answer(IDOK);
    Page().OnDelete();
    EXPECT_EQ(bars->GetCount(), 3);
    EXPECT_EQ(Titles(), (std::vector<std::string> {"Menu Bar", "Standard", "Custom 1"}));
    const std::vector<RecordedMessage> asked = ui.box.Messages();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, "Are you sure you want to delete the 'Mine' toolbar?");
    EXPECT_EQ(asked[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
}

TEST_F(CustomizeSheetTest, EachKindOfBarRefusesWhatItDoesNotAllow)
{
    // Rename and Delete leave a built-in bar alone, without a dialog or a question.
    List()->setCurrentRow(kStandardRow);
    Page().OnRename();
    Page().OnDelete();
    EXPECT_EQ(bars->GetCount(), 3);
    EXPECT_EQ(bars->GetBarAt(kStandardRow)->GetBarTitle(), "Standard");
    // Reset leaves a bar the user made alone.
    List()->setCurrentRow(kCustomRow);
    Page().OnReset();
    EXPECT_TRUE(ui.box.Messages().empty());
    // A built-in bar is reset after its own question.
    List()->setCurrentRow(kStandardRow);
    ui.box.Answer(IDCANCEL);
    Page().OnReset();
    ASSERT_EQ(ui.box.Texts(),
              std::vector<std::string> {"Are you sure you want to reset the changes made to the 'Standard' toolbar?"});
}

} // namespace
