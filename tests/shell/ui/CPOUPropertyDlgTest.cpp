#include "shell/ui/CPOUPropertyDlg.h"

#include "model/AppDataFixture.h"
#include "model/CProjTreeDOC.h"
#include "model/ProjectModified.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <string>

namespace {

// Subroutine 5 "Old" in LD with an author, beside subroutine 1 "Pump"; no
// program file exists, so the dates are empty.
class CPOUPropertyDlgTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        AttachProjectDocument(&m_document);
        m_app->Project.ProjectFolder = "/nonexistent/project";
        m_app->Project.MainNode.name = "Main";
        m_old = AddSubroutine("Old", 5);
        m_old->language = 2;
        m_old->author = "Ann";
        m_old->comment = "fills the tank";
        AddSubroutine("Pump", 1);
    }
    void TearDown() override
    {
        AttachProjectDocument(nullptr);
        AppDataFixture::TearDown();
    }

    CProjTreeNode* AddSubroutine(const std::string& name, int number)
    {
        auto* node = new CProjTreeNode;
        node->kind = NODE_SUBROUTINE;
        node->name = name;
        node->number = number;
        m_app->Project.POUs.AddSubroutineNode(node);
        auto* function = new CZULFunc;
        function->name = name;
        function->number = number;
        m_app->Project.POUs.AddSubroutineInterface(function);
        return node;
    }

    template <class T>
    static T* Control(CPOUPropertyDlg& dialog, UINT id)
    {
        return dialog.findChild<T*>(QString::number(id));
    }

    CProjTreeDOC m_document;
    CProjTreeNode* m_old = nullptr;
};

TEST_F(CPOUPropertyDlgTest, ShowsTheNodeWithIndexAndLanguageDisabled)
{
    CPOUPropertyDlg dialog(m_app->Project, m_old);
    EXPECT_EQ(dialog.windowTitle().toStdString(), " Property (SBR05)");
    EXPECT_EQ(Control<QLineEdit>(dialog, IDC_POU_NAME)->text().toStdString(), "Old");
    EXPECT_EQ(Control<QLineEdit>(dialog, IDC_POU_INDEX)->text().toStdString(), "05");
    EXPECT_FALSE(Control<QLineEdit>(dialog, IDC_POU_INDEX)->isEnabled());
    EXPECT_EQ(Control<QLineEdit>(dialog, IDC_POU_LANGUAGE)->text().toStdString(), "LD");
    EXPECT_FALSE(Control<QLineEdit>(dialog, IDC_POU_LANGUAGE)->isEnabled());
    EXPECT_EQ(Control<QLineEdit>(dialog, IDC_POU_AUTHOR)->text().toStdString(), "Ann");
    EXPECT_EQ(Control<QPlainTextEdit>(dialog, IDC_POU_COMMENT)->toPlainText().toStdString(), "fills the tank");
    EXPECT_EQ(Control<QLabel>(dialog, IDC_POU_CREATED)->text().toStdString(), "Created: ");
    EXPECT_EQ(Control<QLabel>(dialog, IDC_POU_MODIFIED)->text().toStdString(), "Modified: ");
    EXPECT_FALSE(m_document.IsModified());
}

TEST_F(CPOUPropertyDlgTest, OKAcceptsOnlyANameTheRulesAllow)
{
    struct Case {
        const char* typed;
        bool accepted;
        const char* message;
        const char* shownName;
    };
    const Case cases[] = {
        {" New ", true, nullptr, "New"},
        {"Old", true, nullptr, "Old"},
        {"OLD", false, "A duplicate POU name existes.", "OLD"},
        {"  ", false, "This is not a legal POU name.", ""},
        {"main", false, "A duplicate POU name existes.", "main"},
    };
    for (const Case& test : cases) {
        m_ui.box.Clear();
        CPOUPropertyDlg dialog(m_app->Project, m_old);
        Control<QLineEdit>(dialog, IDC_POU_NAME)->setText(QString::fromUtf8(test.typed));
        Control<QLineEdit>(dialog, IDC_POU_AUTHOR)->setText(QStringLiteral("Bob"));
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, test.accepted) << test.typed;
        EXPECT_EQ(Control<QLineEdit>(dialog, IDC_POU_NAME)->text().toStdString(), test.shownName) << test.typed;
        if (test.accepted) {
            EXPECT_EQ(dialog.GetName(), test.shownName) << test.typed;
            EXPECT_EQ(dialog.GetAuthor(), "Bob") << test.typed;
            EXPECT_TRUE(m_ui.box.Messages().empty()) << test.typed;
            continue;
        }
        ASSERT_EQ(m_ui.box.Messages().size(), 1u) << test.typed;
        EXPECT_EQ(m_ui.box.Messages()[0].caption, "Error");
        EXPECT_EQ(m_ui.box.Messages()[0].text, test.message) << test.typed;
    }
    EXPECT_EQ(m_old->name, "Old");
}

TEST_F(CPOUPropertyDlgTest, TypingMarksTheProjectModifiedEvenWhenCancelledAndF1OpensHelp)
{
    CPOUPropertyDlg dialog(m_app->Project, m_old);
    dialog.show();
    QTest::keyClicks(Control<QLineEdit>(dialog, IDC_POU_NAME), "x");
    dialog.reject();
    EXPECT_TRUE(m_document.IsModified());

    QTest::keyClick(&dialog, Qt::Key_F1);
    ASSERT_EQ(m_ui.help.Requests().size(), 1u);
    EXPECT_EQ(m_ui.help.Requests()[0].context, 1);
}

} // namespace
