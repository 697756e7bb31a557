#include "POUWindowFixture.h"

#include "platform/ui/CResourceStore.h"
#include "platform/ui/CMenu.h"
#include "pouedit/ui/CForceDlg.h"
#include "resources/ProgramResources.h"

#include <QApplication>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class ForceDialogTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        UseFamily(2);
    }

    // Types the value and presses Force; the status text afterwards.
    std::string Force(CForceDlg& dialog, const std::string& value)
    {
        QLineEdit* edit = dialog.findChild<QLineEdit*>("1213");
        edit->setText(QString::fromStdString(value));
        QTest::mouseClick(dialog.findChild<QPushButton*>("1"), Qt::LeftButton);
        return dialog.findChild<QLabel*>("1216")->text().toStdString();
    }

    CRecordingWorkbench m_workbench;
};

TEST_F(ForceDialogTest, RefusedValuesKeepTheDialogOpen)
{
    struct Case {
        std::string address;
        std::string value;
    };
    const Case refused[] = {
        {"%Q0.0", "1"}, {"%Q0.0", ""}, {"%VR0", "3"}, {"%VB0", "3.0"}, {"%VB0", "200"}, {"Motor", "TRUE"},
    };
    for (const Case& c : refused) {
        CForceDlg dialog(&m_workbench);
        dialog.SetAddress(c.address);
        dialog.SetSymbol("Motor");
        dialog.show();
        ASSERT_EQ(dialog.findChild<QLabel*>("1216")->text().toStdString(), "None.");
        EXPECT_EQ(dialog.findChild<QLabel*>("1214")->text().toStdString(), c.address);
        EXPECT_EQ(Force(dialog, c.value), "Illegal input.") << c.address << " " << c.value;
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.findChild<QLineEdit*>("1213")->text().toStdString(), c.value);
    }
    EXPECT_TRUE(m_workbench.calls.empty());
}

TEST_F(ForceDialogTest, AcceptedValueForcesAndCloses)
{
    CForceDlg dialog(&m_workbench);
    dialog.SetAddress("%VR4");
    dialog.show();
    EXPECT_EQ(Force(dialog, " 3.0 "), "None.");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_workbench.calls, (std::vector<std::string> {"ForceAddress:%VR4=" + std::to_string(0x40400000)}));
}

TEST_F(ForceDialogTest, HelpButtonAndF1OpenTheForceTopic)
{
    CForceDlg dialog(&m_workbench);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(dialog.findChild<QPushButton*>("1244"), Qt::LeftButton);
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &dialog;
    QTest::keyClick(focus, Qt::Key_F1);
    const std::vector<RecordedHelp> requests = m_ui.help.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const RecordedHelp& request : requests)
        EXPECT_EQ(request.topic, "shuruqiangzhi");
}

TEST(ILContextMenus, EditingAndMonitoringMenusListTheirCommands)
{
    struct Case {
        UINT menu;
        std::vector<UINT> ids;
    };
    const Case cases[] = {
        {157, {57635, 57634, 57637, 0, 57632, 57642, 0, 32955}},
        {126, {32803, 32805, 0, 32953, 32954, 32947}},
    };
    std::string error;
    ASSERT_TRUE(InitProgramResources(&error)) << error;
    for (const Case& c : cases) {
        const CMenu* menu = CResourceStore::Instance().FindMenu(c.menu);
        ASSERT_NE(menu, nullptr) << c.menu;
        const CMenu* popup = menu->GetSubMenu(0);
        ASSERT_NE(popup, nullptr);
        std::vector<UINT> ids;
        for (int i = 0; i < popup->GetMenuItemCount(); ++i)
            ids.push_back(popup->GetMenuItemID(i));
        EXPECT_EQ(ids, c.ids) << c.menu;
    }
}

} // namespace
