#include "HardwareWindowFixture.h"
#include "hardware/HardwareTexts.h"
#include "hardware/ui/CAioUsePic.h"
#include "hardware/ui/CHWAIOScrView.h"
#include "hardware/ui/CHWAIView.h"
#include "hardware/ui/CHWAOView.h"
#include "hardware/ui/CHWDIOView.h"
#include "hardware/ui/CHWDOView.h"
#include "hardware/ui/CModuleParamDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class ModulePagesTest : public HardwareWindowFixture {
protected:
    void SetUp() override
    {
        HardwareWindowFixture::SetUp();
        OpenWindow();
        InsertAt(0, "VB16-40AR");
    }
    // Inserts a module in the next slot and returns its page.
    template <class Page>
    Page* Add(const std::string& model)
    {
        const int slot = Slots();
        InsertAt(slot, model);
        return PageAt<Page>(slot + 1);
    }
    void Click(QWidget* page, const char* button)
    {
        QTest::mouseClick(page->findChild<QPushButton*>(button), Qt::LeftButton);
    }
};

TEST_F(ModulePagesTest, TypedStartsWriteThroughWithinTheBoundsOfTheArea)
{
    auto* page = Add<CHWDOView>("VE60-16DT");
    ASSERT_NE(nullptr, page);
    CStartFieldControls& start = page->OutputStart();
    EXPECT_EQ(0, start.upDown->minimum());
    EXPECT_EQ(30, start.upDown->maximum()) << "Q area 0..31, two bytes long";
    EXPECT_EQ("2", start.length->text().toStdString());
    struct {
        const char* typed;
        const char* shown;
        int start;
    } cases[] = {{"3", "3", 3}, {"", "0", 0}, {"31", "30", 30}, {"12", "12", 12}};
    for (const auto& c : cases) {
        m_doc.SetModifiedFlag(FALSE);
        start.edit->setText(c.typed);
        EXPECT_EQ(c.shown, start.edit->text().toStdString()) << c.typed;
        EXPECT_EQ(c.start, Slot(1)->qStart) << c.typed;
        EXPECT_EQ(c.start + 1, Slot(1)->qEnd) << c.typed;
        EXPECT_TRUE(m_doc.IsModified()) << c.typed;
        EXPECT_EQ(std::to_string(c.start) + "..." + std::to_string(c.start + 1),
                  Model().GetCellText(2, 1).text)
            << "the grid shows the new range";
    }
    EXPECT_EQ("Q12.x", page->RowLabel(0)->text().toStdString());
    EXPECT_EQ("Q13.x", page->RowLabel(1)->text().toStdString());
}

TEST_F(ModulePagesTest, AnalogStartsStepByTwo)
{
    auto* page = Add<CHWAIView>("VF50-04IV");
    ASSERT_NE(nullptr, page);
    QScrollBar* upDown = page->InputStart().upDown;
    EXPECT_EQ(2, upDown->singleStep());
    EXPECT_EQ(56, upDown->maximum());
    upDown->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ("2", page->InputStart().edit->text().toStdString());
    EXPECT_EQ(2, Slot(1)->aiStart);
    EXPECT_EQ(9, Slot(1)->aiEnd);
}

TEST_F(ModulePagesTest, DefaultMovesTheRangeAndCancelBringsBackTheOpeningStartAndStoredStates)
{
    auto* page = Add<CHWDOView>("VE60-08DT");
    ASSERT_NE(nullptr, page);
    Slot(1)->stopStates[2] = 1;
    page->OutputStart().edit->setText("9");
    QTest::mouseClick(page->StateBox(0), Qt::LeftButton);
    Click(page, "Default");
    EXPECT_EQ(2, Slot(1)->qStart) << "first free byte after the CPU's two";
    EXPECT_EQ("2", page->OutputStart().edit->text().toStdString());
    EXPECT_FALSE(page->StateBox(0)->isChecked());
    EXPECT_EQ("Q2.x", page->RowLabel(0)->text().toStdString());

    Click(page, "Cancel");
    EXPECT_EQ(2, Slot(1)->qStart) << "the start of the moment the page opened";
    EXPECT_TRUE(page->StateBox(2)->isChecked()) << "states as last stored";
    EXPECT_FALSE(page->StateBox(0)->isChecked());
}

TEST_F(ModulePagesTest, DefaultWithoutRoomReportsAndLeavesBothRangesWhereTheyWere)
{
    auto* dio = Add<CHWDIOView>("VE70-16DR");
    auto* aio = Add<CAioUsePic>("VF70-03IV");
    ASSERT_TRUE(dio && aio && aio->GetDialog());
    // Every other Q byte is taken: the I range would fit, the Q range does not.
    Slot(0)->qEnd = 31;
    dio->InputStart().edit->setText("10");
    const int qStart = Slot(1)->qStart;
    Click(dio, "Default");
    EXPECT_THAT(m_ui.box.Texts(), ElementsAre(kNoRoomInQ));
    EXPECT_EQ(10, Slot(1)->iStart) << "the I range would have moved to byte 3";
    EXPECT_EQ(qStart, Slot(1)->qStart);

    // The dialog: AQ fits, AI does not.
    m_ui.box.Clear();
    Slot(0)->qEnd = 1;
    auto record = std::make_unique<CZUL_Q7_PLC>();
    record->InitFromCatalog(*FindCatalogRowByCode(18));
    record->aiStart = 0;
    record->aiEnd = 63;
    Project().Modules.push_back(std::move(record));
    Slot(2)->aoStart = 10;
    Slot(2)->aoEnd = 11;
    Click(aio->GetDialog(), "Default");
    EXPECT_THAT(m_ui.box.Texts(), ElementsAre(kNoRoomForModule));
    EXPECT_EQ(10, Slot(2)->aoStart) << "no half-moved record";
}

TEST_F(ModulePagesTest, AnalogInputListsFollowTheKind)
{
    auto* thermo = Add<CHWAIView>("VF50-04RD");
    ASSERT_NE(nullptr, thermo);
    EXPECT_EQ("Pt100", thermo->FunctionList(0)->currentText().toStdString());
    thermo->FunctionList(2)->setCurrentIndex(1);
    thermo->FilterList(2)->setCurrentIndex(2);
    ASSERT_TRUE(m_hw->CheckHardwareConfig());
    EXPECT_EQ(6, Slot(1)->aiFunction[2]) << "Cu50";
    EXPECT_EQ(2, Slot(1)->aiFilter[2]);
    EXPECT_EQ(5, Slot(1)->aiFunction[0]);
}

TEST_F(ModulePagesTest, FreezeValueFollowsTheFunctionButNotTheTyping)
{
    auto* page = Add<CHWAOView>("VF60-02IV");
    ASSERT_NE(nullptr, page);
    page->FunctionList(1)->setCurrentIndex(3);
    QTest::mouseClick(page->FreezeBox(1), Qt::LeftButton);
    EXPECT_EQ("-10000", page->FreezeValue(1)->text().toStdString());
    page->FunctionList(1)->setCurrentIndex(0);
    page->OnFunctionChanged(1);
    EXPECT_EQ("4000", page->FreezeValue(1)->text().toStdString());
    page->FreezeValue(1)->setText("20000");
    page->FunctionList(1)->setCurrentIndex(2);
    page->OnFunctionChanged(1);
    EXPECT_EQ("5000", page->FreezeValue(1)->text().toStdString());
    QTest::mouseClick(page->FreezeBox(1), Qt::LeftButton);
    EXPECT_EQ("", page->FreezeValue(1)->text().toStdString());
    EXPECT_FALSE(page->FreezeValue(1)->isEnabled());
    ASSERT_TRUE(m_hw->CheckHardwareConfig());
    EXPECT_EQ(0u, Slot(1)->aoStopMode[1]);
    EXPECT_EQ(0u, Slot(1)->aoFreezeValue[1]);
    EXPECT_EQ(2, Slot(1)->aoRange[1]);
}

TEST_F(ModulePagesTest, OneOutputDialogKeepsTheSecondChannelDisabled)
{
    auto* page = Add<CAioUsePic>("VF70-03IV");
    ASSERT_TRUE(page && page->GetDialog());
    CModuleParamDlg& dialog = *page->GetDialog();
    EXPECT_TRUE(dialog.OutputFunction(0)->isEnabled());
    EXPECT_FALSE(dialog.OutputFunction(1)->isEnabled());
    EXPECT_FALSE(dialog.FreezeBox(1)->isEnabled());
    EXPECT_FALSE(dialog.FreezeValue(1)->isEnabled());
    EXPECT_TRUE(dialog.InputFunction(1)->isEnabled());
    EXPECT_FALSE(dialog.InputFunction(2)->isEnabled());

    QTest::mouseClick(dialog.FreezeBox(0), Qt::LeftButton);
    dialog.OutputFunction(0)->setCurrentIndex(2);
    dialog.FreezeValue(0)->setText("30000");
    dialog.ClampFreezeValue(0);
    EXPECT_EQ("5000", dialog.FreezeValue(0)->text().toStdString());
    Click(&dialog, "Default");
    EXPECT_FALSE(dialog.FreezeBox(0)->isChecked());
    EXPECT_FALSE(dialog.FreezeValue(1)->isEnabled());
    EXPECT_EQ("0", dialog.FreezeValue(1)->text().toStdString());
}

} // namespace
