// Keyboard and input method input: committed text as GBK characters, the
// text being composed at the caret, key codes of the unshifted key, the
// keys a dialog keeps, double-clicks by class, and the main window's
// accelerators for keys in floating windows.

#include "platform/CCaret.h"
#include "platform/Gbk.h"
#include "platform/ui/CQtCaret.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/CWnd.h"

#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CKeyWnd : public CWnd {
public:
    std::vector<std::string> log;
    UINT dlgCode = 0;

protected:
    void OnKeyDown(UINT ch, UINT, UINT) override { log.push_back("keydown " + std::to_string(ch)); }
    void OnChar(UINT ch, UINT, UINT) override { log.push_back("char " + std::to_string(ch)); }
    void OnLButtonDown(UINT, CPoint) override { log.push_back("ldown"); }
    void OnLButtonDblClk(UINT, CPoint) override { log.push_back("ldbl"); }
    UINT OnGetDlgCode() override { return dlgCode; }
};

std::vector<std::string> CharsOf(const std::string& gbk)
{
    std::vector<std::string> chars;
    for (unsigned char c : gbk)
        chars.push_back("char " + std::to_string(c));
    return chars;
}

class WindowInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CCaret::Instance().SetView(&caretView);
        ASSERT_TRUE(wnd.Create(nullptr, CRect(10, 10, 210, 110), 0, WS_OVERLAPPED | WS_VISIBLE));
    }
    void TearDown() override
    {
        CCaret::Instance().Destroy();
        CCaret::Instance().SetView(nullptr);
    }
    CQtCaret caretView;
    CKeyWnd wnd;
};

TEST_F(WindowInputTest, CommittedChineseArrivesAsGbkCharacters)
{
    EXPECT_FALSE(static_cast<QWidget&>(wnd).inputMethodQuery(Qt::ImEnabled).toBool());
    wnd.EnableInputMethod();
    EXPECT_TRUE(static_cast<QWidget&>(wnd).inputMethodQuery(Qt::ImEnabled).toBool());

    QInputMethodEvent preedit(QString::fromUtf8("zhong"), {});
    QApplication::sendEvent(&wnd, &preedit);
    EXPECT_TRUE(wnd.log.empty());
    EXPECT_EQ(wnd.GetPreeditText(), "zhong");

    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("中文"));
    QApplication::sendEvent(&wnd, &commit);
    EXPECT_EQ(wnd.log, CharsOf(Utf8ToGbk("中文")));
    EXPECT_EQ(wnd.GetPreeditText(), "");
}

TEST_F(WindowInputTest, TheInputMethodFindsTheCaretAndShowsTheCompositionThere)
{
    wnd.EnableInputMethod();
    CCaret& caret = CCaret::Instance();
    ASSERT_TRUE(caret.Create(static_cast<QWidget*>(&wnd), 2, 16));
    caret.SetPos(40, 20);
    EXPECT_EQ(static_cast<QWidget&>(wnd).inputMethodQuery(Qt::ImCursorRectangle).toRect(), QRect(40, 20, 2, 16));

    QInputMethodEvent preedit(QString::fromUtf8("wen"), {});
    QApplication::sendEvent(&wnd, &preedit);
    auto* view = wnd.findChild<QWidget*>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->pos(), QPoint(40, 20));
    caret.Destroy();
}

TEST_F(WindowInputTest, TheCaretOfAFramedWindowIsFoundInsideTheFrame)
{
    CKeyWnd framed;
    framed.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    ASSERT_TRUE(framed.Create(&wnd, CRect(10, 10, 150, 90), 1, WS_CHILD | WS_BORDER | WS_VISIBLE));
    const CPoint origin = framed.GetClientOrigin();
    ASSERT_NE(origin, CPoint(0, 0));
    framed.EnableInputMethod();
    CCaret& caret = CCaret::Instance();
    ASSERT_TRUE(caret.Create(static_cast<QWidget*>(&framed), 2, 16));
    caret.SetPos(40, 20);
    EXPECT_EQ(static_cast<QWidget&>(framed).inputMethodQuery(Qt::ImCursorRectangle).toRect(),
              QRect(40 + origin.x, 20 + origin.y, 2, 16));

    QInputMethodEvent preedit(QString::fromUtf8("wen"), {});
    QApplication::sendEvent(&framed, &preedit);
    auto* view = framed.findChild<QWidget*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->pos(), QPoint(40 + origin.x, 20 + origin.y));
    caret.Destroy();
}

TEST_F(WindowInputTest, KeyCodesNameTheKeyNotTheShiftedCharacter)
{
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers mods;
        const char* text;
        UINT vk;
    };
    const Case cases[] = {
        {Qt::Key_Exclam, Qt::ShiftModifier, "!", '1'},
        {Qt::Key_ParenRight, Qt::ShiftModifier, ")", '0'},
        {Qt::Key_Asterisk, Qt::ShiftModifier, "*", '8'},
        {Qt::Key_Asterisk, Qt::KeypadModifier, "*", VK_MULTIPLY},
        {Qt::Key_Underscore, Qt::ShiftModifier, "_", 0xBD},
        {Qt::Key_Question, Qt::ShiftModifier, "?", 0xBF},
        {Qt::Key_Plus, Qt::KeypadModifier, "+", VK_ADD},
        {Qt::Key_1, Qt::NoModifier, "1", '1'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        wnd.log.clear();
        QKeyEvent key(QEvent::KeyPress, c.qtKey, c.mods, QString::fromLatin1(c.text));
        QApplication::sendEvent(&wnd, &key);
        const std::vector<std::string> expected = {"keydown " + std::to_string(c.vk),
                                                   "char " + std::to_string(static_cast<unsigned char>(c.text[0]))};
        EXPECT_EQ(wnd.log, expected);
    }
}

TEST_F(WindowInputTest, DoubleClicksOnlyForClassesThatAskForThem)
{
    const QPoint p(5, 5);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, p, wnd.mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(&wnd, &dbl);
    wnd.SetClassStyle(CS_DBLCLKS);
    QApplication::sendEvent(&wnd, &dbl);
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"ldown", "ldbl"}));
}

// A custom control between a line edit and the dialog's buttons.
class DialogKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.resize(300, 200);
        ASSERT_TRUE(control.Create(nullptr, CRect(0, 0, 100, 50), 1, WS_CHILD | WS_VISIBLE));
        control.setParent(&dialog);
        control.setFocusPolicy(Qt::StrongFocus);
        control.show();
        edit = new QLineEdit(&dialog);
        edit->move(0, 60);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        control.setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return control.hasFocus(); }));
    }
    QDialog dialog;
    CKeyWnd control;
    QLineEdit* edit = nullptr;
};

TEST_F(DialogKeysTest, TabMovesOnUnlessTheControlWantsIt)
{
    QTest::keyClick(&control, Qt::Key_Tab);
    EXPECT_TRUE(control.log.empty());
    EXPECT_TRUE(edit->hasFocus());

    control.dlgCode = DLGC_WANTTAB;
    control.setFocus();
    QTest::keyClick(&control, Qt::Key_Tab);
    EXPECT_EQ(control.log, (std::vector<std::string>{"keydown 9", "char 9"}));
    EXPECT_TRUE(control.hasFocus());
}

TEST_F(DialogKeysTest, EscapeCancelsTheDialogUnlessTheControlWantsAllKeys)
{
    control.dlgCode = DLGC_WANTALLKEYS;
    QTest::keyClick(&control, Qt::Key_Escape);
    EXPECT_EQ(control.log, (std::vector<std::string>{"keydown 27", "char 27"}));
    EXPECT_TRUE(dialog.isVisible());

    control.dlgCode = 0;
    QTest::keyClick(&control, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

class CMainWnd : public CWnd {
public:
    int offered = 0;
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN)
            ++offered;
        return msg->message == WM_KEYDOWN && msg->wParam == VK_F1 + 4;
    }
};

TEST(MainWindowAcceleratorsTest, KeysInFloatingWindowsReachTheMainWindowLast)
{
    CWinApp app("AcceleratorTest");
    CMainWnd main;
    ASSERT_TRUE(main.Create(nullptr, CRect(0, 0, 300, 200), 0, WS_OVERLAPPED | WS_VISIBLE));
    app.SetMainWnd(&main);
    CKeyWnd floating;
    ASSERT_TRUE(floating.Create(&main, CRect(50, 50, 150, 150), 0, WS_POPUP | WS_CAPTION | WS_VISIBLE));
    CKeyWnd dialogLike;
    ASSERT_TRUE(dialogLike.Create(nullptr, CRect(50, 50, 150, 150), 0, WS_OVERLAPPED | WS_VISIBLE));

    QTest::keyClick(&floating, Qt::Key_F5);   // the main window's key: translated there
    QTest::keyClick(&floating, Qt::Key_A);    // not one of its keys: the floating window has it
    EXPECT_EQ(main.offered, 2);
    EXPECT_EQ(floating.log, (std::vector<std::string>{"keydown 65", "char 97"}));

    QTest::keyClick(&dialogLike, Qt::Key_F5);   // other top-level windows keep their keys
    EXPECT_EQ(main.offered, 2);
    EXPECT_EQ(dialogLike.log, (std::vector<std::string>{"keydown 116"}));
    app.SetMainWnd(nullptr);
}

// A window with plain Qt controls inside, as a property page has them: a
// key is offered to the window's pre-translation once, whether a control
// takes it, leaves it to the window, or passes it through an inner widget.
class PlainControlKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(page.Create(nullptr, CRect(0, 0, 300, 200), 0, WS_OVERLAPPED | WS_VISIBLE));
        button = new QPushButton(QStringLiteral("Default"), &page);
        spin = new QSpinBox(&page);
        line = new QLineEdit(&page);
    }
    CMainWnd page;
    QPushButton* button = nullptr;
    QSpinBox* spin = nullptr;
    QLineEdit* line = nullptr;
};

TEST_F(PlainControlKeysTest, AKeyIsPreTranslatedOnceOnItsWayUp)
{
    struct Case {
        const char* name;
        QWidget* target;
        Qt::Key key;
    };
    const Case cases[] = {
        {"left by a button", button, Qt::Key_F1},
        {"left by a spin box's inner edit and the spin box", spin->findChild<QLineEdit*>(), Qt::Key_F1},
        {"taken by an edit", line, Qt::Key_A},
        {"translated before the edit sees it", line, Qt::Key_F5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.target, nullptr);
        page.offered = 0;
        QTest::keyClick(c.target, c.key);
        EXPECT_EQ(page.offered, 1);
    }
    EXPECT_EQ(line->text(), QStringLiteral("a"));
}

TEST_F(PlainControlKeysTest, TheWindowItselfStillPreTranslatesItsOwnKeys)
{
    QTest::keyClick(button, Qt::Key_F1);
    QTest::keyClick(&page, Qt::Key_F1);
    QTest::keyClick(&page, Qt::Key_F1);
    EXPECT_EQ(page.offered, 3);
}

// A disabled window gets no key or mouse messages; enabled again it does.
TEST_F(WindowInputTest, ADisabledWindowTakesNoKeysOrClicks)
{
    CKeyWnd child;
    ASSERT_TRUE(child.Create(&wnd, CRect(0, 0, 50, 50), 0, WS_CHILD | WS_VISIBLE));
    struct Case {
        const char* name;
        QWidget* disable;
    };
    const Case cases[] = {{"the window", &child}, {"its parent", &wnd}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        child.log.clear();
        c.disable->setEnabled(false);
        QTest::keyClick(&child, Qt::Key_A);
        QTest::mouseClick(&child, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseDClick(&child, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(child.log.empty());
        c.disable->setEnabled(true);
        QTest::keyClick(&child, Qt::Key_A);
        QTest::mouseClick(&child, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(child.log, (std::vector<std::string>{"keydown 65", "char 97", "ldown"}));
    }
}

} // namespace
