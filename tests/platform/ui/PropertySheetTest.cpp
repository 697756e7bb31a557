#include "platform/IMessageBox.h"
#include "platform/ui/CFormView.h"
#include "platform/ui/CPropertyPage.h"
#include "platform/ui/CPropertySheet.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A page that writes what happens to it into a shared log.
class LoggingPage : public CPropertyPage {
public:
    LoggingPage(const std::string& caption, std::vector<std::string>& log, bool applies = true)
        : CPropertyPage(100, caption), m_applies(applies), m_log(log)
    {
    }
    BOOL OnInitDialog() override
    {
        m_log.push_back("init " + GetCaption());
        return TRUE;
    }
    BOOL OnApply() override
    {
        m_log.push_back("apply " + GetCaption());
        return m_applies;
    }
    bool m_applies;

private:
    std::vector<std::string>& m_log;
};

TEST(PropertySheet, PagesGetTheirWindowsWhenFirstInFront)
{
    std::vector<std::string> log;
    LoggingPage first("First", log);
    LoggingPage second("Second", log);
    CWnd parent;
    parent.Create(nullptr, CRect(0, 0, 300, 200), 0, WS_VISIBLE);
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    ASSERT_TRUE(sheet.Create(&parent, WS_CHILD | WS_VISIBLE));
    EXPECT_THAT(log, ::testing::ElementsAre("init First"));
    EXPECT_EQ(&first, sheet.GetActivePage());
    EXPECT_FALSE(second.IsWindow());

    ASSERT_TRUE(sheet.SetActivePage(1));
    sheet.SetActivePage(0);
    sheet.SetActivePage(&second);
    EXPECT_THAT(log, ::testing::ElementsAre("init First", "init Second"));
    EXPECT_EQ(1, sheet.GetActiveIndex());

    // A page added to a living sheet becomes the last tab.
    LoggingPage third("Third", log);
    sheet.AddPage(&third);
    EXPECT_EQ(3, sheet.GetPageCount());
    EXPECT_EQ("Third", sheet.GetTabText(2));
    EXPECT_FALSE(sheet.SetActivePage(3));
}

TEST(PropertySheet, APageDestroyedBeforeItsSheetLeavesWithItsTab)
{
    std::vector<std::string> log;
    LoggingPage kept("Kept", log);
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&kept);
    {
        LoggingPage gone("Gone", log);
        sheet.AddPage(&gone);
        ASSERT_TRUE(sheet.Create(nullptr, WS_CHILD));
        sheet.SetActivePage(&gone);
    }
    EXPECT_EQ(1, sheet.GetPageCount());
    EXPECT_EQ("Kept", sheet.GetTabText(0));
    EXPECT_EQ("", sheet.GetTabText(1));
    EXPECT_EQ(&kept, sheet.GetActivePage());
}

TEST(PropertySheet, ModalOkAppliesTheInitialisedPagesAndClosesOnlyWhenAllStored)
{
    std::vector<std::string> log;
    LoggingPage first("First", log);
    LoggingPage refusing("Refusing", log, false);
    LoggingPage never("Never", log);
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&first);
    sheet.AddPage(&refusing);
    sheet.AddPage(&never);

    int okPresses = 0;
    std::function<void()> pressOk = [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(0, pressOk);
            return;
        }
        if (okPresses == 0)
            sheet.SetActivePage(1);
        if (okPresses == 1)
            refusing.m_applies = true;
        ++okPresses;
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        if (dialog->isVisible())
            QTimer::singleShot(0, pressOk);
    };
    QTimer::singleShot(0, pressOk);
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_THAT(log, ::testing::ElementsAre("init First", "init Refusing", "apply First", "apply Refusing",
                                            "apply First", "apply Refusing"));
    EXPECT_EQ(2, okPresses);

    // A second run builds the window again and loads the pages again.
    log.clear();
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_THAT(log, ::testing::ElementsAre("init First"));
    EXPECT_EQ(3, sheet.GetPageCount());
}

TEST(FormView, TheFormKeepsItsTemplateSizeAndScrollsInASmallerView)
{
    CFormView view(170, QSize(500, 300));
    ASSERT_TRUE(view.Create(nullptr, CRect(0, 0, 200, 100), 0, WS_VISIBLE));
    ASSERT_NE(nullptr, view.GetForm());
    EXPECT_EQ(QSize(500, 300), view.GetForm()->size());
    EXPECT_EQ(QSize(200, 100), view.GetScrollArea()->size());
    view.resize(600, 400);
    EXPECT_EQ(QSize(600, 400), view.GetScrollArea()->size());
    EXPECT_EQ(170u, view.GetTemplateId());
}

} // namespace
