#include "shell/ui/CSheetSettings.h"

#include "model/AppDataFixture.h"
#include "model/CProjTreeDOC.h"
#include "model/ProjectModified.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

// The Options sheet on a fresh application data object with every filter
// box ticked and masks that differ from what the boxes give, so that a
// test sees whether the filter page was applied.
class CSheetSettingsTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        AttachProjectDocument(&m_document);
        std::fill(std::begin(m_app->SelArea), std::end(m_app->SelArea), 1);
        std::fill(std::begin(m_app->SelType), std::end(m_app->SelType), 1);
        m_app->AreaTypes = UNAPPLIED;
        m_app->TypesOfArea = UNAPPLIED;
        m_app->DefaultCPU = 8;
        m_app->DefaultPOULang = 1;
    }
    void TearDown() override
    {
        AttachProjectDocument(nullptr);
        AppDataFixture::TearDown();
    }

    // Runs the sheet modally; the script runs once the sheet is up and must close it.
    int Run(CSheetSettings& sheet, std::function<void()> script)
    {
        std::function<void()> waitForSheet = [&] {
            if (!qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                QTimer::singleShot(0, waitForSheet);
                return;
            }
            script();
        };
        QTimer::singleShot(0, waitForSheet);
        return sheet.DoModal();
    }

    template <class T>
    static T* Control(CPropertyPage& page, UINT id)
    {
        return page.findChild<T*>(QString::number(id));
    }

    static constexpr int UNAPPLIED = 0x7;
    CProjTreeDOC m_document;
};

TEST_F(CSheetSettingsTest, ApplyStoresOnlyThePageInFrontAndCancelKeepsIt)
{
    CSheetSettings sheet(*m_app);
    const int result = Run(sheet, [&] {
        EXPECT_EQ(sheet.GetActivePage(), &sheet.GeneralPage());
        EXPECT_FALSE(sheet.IsApplyEnabled());
        Control<QComboBox>(sheet.GeneralPage(), IDC_DEFAULT_CPU)->setCurrentIndex(10);
        EXPECT_TRUE(sheet.IsApplyEnabled());
        Control<QCheckBox>(sheet.FilterPage(), 2292)->click();
        EXPECT_TRUE(sheet.PressButton(ID_APPLY_NOW));
        EXPECT_FALSE(sheet.IsApplyEnabled());
        Control<QComboBox>(sheet.GeneralPage(), IDC_DEFAULT_LANGUAGE)->setCurrentIndex(1);
        EXPECT_TRUE(sheet.PressButton(IDCANCEL));
    });

    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(m_app->DefaultCPU, 14);
    EXPECT_EQ(m_app->DefaultPOULang, 1);
    // The box state is stored at the click, the masks wait for the filter page's apply.
    EXPECT_EQ(m_app->SelArea[6], 0);
    EXPECT_EQ(m_app->AreaTypes, UNAPPLIED);
    EXPECT_EQ(m_app->TypesOfArea, UNAPPLIED);
    EXPECT_TRUE(m_document.IsModified());
}

TEST_F(CSheetSettingsTest, OKAppliesBothPagesAndTheCrossReferenceGetsItsPageInFront)
{
    m_app->XrefOptionsRequest = 1;
    m_app->DefaultCPU = 0;
    m_app->DefaultPOULang = 0;
    CSheetSettings sheet(*m_app);
    const int result = Run(sheet, [&] {
        EXPECT_EQ(sheet.GetActivePage(), &sheet.FilterPage());
        EXPECT_EQ(Control<QComboBox>(sheet.GeneralPage(), IDC_DEFAULT_CPU)->currentText().toStdString(), "VB14-24AR");
        EXPECT_EQ(Control<QComboBox>(sheet.GeneralPage(), IDC_DEFAULT_LANGUAGE)->currentText().toStdString(), "LD");
        EXPECT_TRUE(sheet.PressButton(IDOK));
    });

    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_app->XrefOptionsRequest, 0);
    EXPECT_EQ(m_app->AreaTypes, static_cast<int>(0xFFFE0000));
    EXPECT_EQ(m_app->TypesOfArea, 0x1CF);
    // A row the list cannot show stays while the user chose no other model.
    EXPECT_EQ(m_app->DefaultCPU, 0);
    EXPECT_EQ(m_app->DefaultPOULang, 2);

    // The next opening from the menu shows General again.
    const int again = Run(sheet, [&] {
        EXPECT_EQ(sheet.GetActivePage(), &sheet.GeneralPage());
        EXPECT_TRUE(sheet.PressButton(IDCANCEL));
    });
    EXPECT_EQ(again, IDCANCEL);
}

TEST_F(CSheetSettingsTest, TheFilterBoxesAndTheirSelectAllBox)
{
    CSheetSettings sheet(*m_app);
    Run(sheet, [&] {
        sheet.SetActivePage(&sheet.FilterPage());
        CPropSelCross& page = sheet.FilterPage();
        auto* allTypes = Control<QCheckBox>(page, IDC_SELECT_ALL_TYPES);
        auto* allAreas = Control<QCheckBox>(page, IDC_SELECT_ALL_AREAS);
        EXPECT_FALSE(allTypes->isChecked());
        allAreas->click();
        allTypes->click();
        Control<QCheckBox>(page, 1307)->click(); // Word off
        EXPECT_FALSE(allTypes->isChecked());
        EXPECT_TRUE(allAreas->isChecked());
        allAreas->click();                       // every area off
        Control<QCheckBox>(page, 2292)->click(); // V on
        EXPECT_FALSE(allAreas->isChecked());
        EXPECT_TRUE(sheet.PressButton(ID_APPLY_NOW));
        EXPECT_TRUE(sheet.PressButton(IDCANCEL));
    });

    EXPECT_EQ(m_app->AreaTypes, 0x800000);
    EXPECT_EQ(m_app->TypesOfArea, 0x1CB);
    EXPECT_EQ(m_app->SelType[2], 0);
    EXPECT_EQ(m_app->SelArea[0], 0);
    EXPECT_EQ(m_app->SelArea[6], 1);
}

TEST_F(CSheetSettingsTest, HelpOpensTheTopicOfThePageInFront)
{
    CSheetSettings sheet(*m_app);
    Run(sheet, [&] {
        EXPECT_TRUE(sheet.PressButton(ID_SHEET_HELP));
        sheet.SetActivePage(&sheet.FilterPage());
        EXPECT_TRUE(sheet.PressButton(ID_SHEET_HELP));
        EXPECT_TRUE(sheet.PressButton(IDCANCEL));
    });

    const auto requests = m_ui.help.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].topic, "tongyongxuanxiang");
    EXPECT_EQ(requests[1].context, 1);
}

} // namespace
