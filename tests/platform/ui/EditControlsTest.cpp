// The small edit controls: the password edit that gives its text once per
// arming and keeps its bullets, the coloured static text, and the in-place
// cell editor of a list with its keystrokes, growth and end-of-edit report.

#include "platform/CClipboard.h"
#include "platform/CFont.h"
#include "platform/CMemoryClipboard.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CColorStatic.h"
#include "platform/ui/CInPlaceEdit.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CSecureEdit.h"

#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kListId = 1027;
constexpr UINT kEditorId = 61446;
constexpr int kVariableColumn = 2;

std::string ReadLine(CEdit& edit)
{
    char buffer[32] = {};
    WORD size = sizeof(buffer) - 1;
    std::memcpy(buffer, &size, sizeof(size));
    LRESULT copied = edit.SendMessage(EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, static_cast<size_t>(copied));
}

} // namespace

TEST(SecureEditTest, GivesItsTextOncePerArmingAndKeepsItsPasswordCharacter)
{
    QDialog dialog;
    auto* edit = new CSecureEdit(&dialog);
    edit->LimitText(8);
    QTest::keyClicks(edit, "secret123");

    EXPECT_EQ(edit->GetWindowText(), "");
    edit->Arm();
    EXPECT_EQ(edit->GetWindowText(), "secret12");
    EXPECT_EQ(edit->GetWindowText(), "");
    EXPECT_EQ(ReadLine(*edit), "");
    edit->Arm();
    EXPECT_EQ(ReadLine(*edit), "secret12");
    EXPECT_EQ(ReadLine(*edit), "");

    EXPECT_EQ(edit->SendMessage(EM_SETPASSWORDCHAR, 0), 0);
    EXPECT_NE(edit->SendMessage(EM_GETPASSWORDCHAR), 0);
    QLineEdit* line = edit->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->echoMode(), QLineEdit::Password);
    EXPECT_EQ(line->displayText().size(), 8);
    EXPECT_FALSE(line->displayText().contains('s'));
    EXPECT_EQ(line->contextMenuPolicy(), Qt::NoContextMenu);

    // A disabled edit takes no keys.
    edit->setEnabled(false);
    QTest::keyClicks(edit, "x");
    edit->Arm();
    EXPECT_EQ(edit->GetWindowText(), "secret12");
}

TEST(EditMessagesTest, SelectionMarginsFontAndClipboardThroughMessages)
{
    CMemoryClipboard clipboard;
    CClipboard::Set(&clipboard);
    QDialog dialog;
    CEdit edit(&dialog);
    ASSERT_TRUE(edit.CreateInDialog(0, 1));
    edit.SetWindowText("hello world");
    QLineEdit* line = edit.findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);

    struct Selection {
        int start;
        int end;
        LRESULT answer;
    };
    const Selection selections[] = {
        {0, 5, MAKELONG(0, 5)},
        {6, -1, MAKELONG(6, 11)},
        {3, 3, MAKELONG(3, 3)},
    };
    for (const Selection& s : selections) {
        edit.SetSel(s.start, s.end);
        DWORD start = 99;
        DWORD end = 99;
        EXPECT_EQ(edit.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)),
                  s.answer);
        EXPECT_EQ(static_cast<LRESULT>(MAKELONG(start, end)), s.answer);
    }

    edit.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(4, 7));
    EXPECT_EQ(line->textMargins(), QMargins(4, 0, 7, 0));
    edit.SendMessage(EM_SETMARGINS, EC_RIGHTMARGIN, 0);
    EXPECT_EQ(line->textMargins(), QMargins(4, 0, 0, 0));

    CFont font;
    ASSERT_TRUE(font.CreateFont(-20, 400, FALSE, FALSE, "DejaVu Sans"));
    edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&font), TRUE);
    EXPECT_EQ(edit.SendMessage(WM_GETFONT), reinterpret_cast<LRESULT>(&font));
    EXPECT_EQ(line->font().pixelSize(), 20);

    // Cut takes the selection to the clipboard; paste puts it in place of
    // the selection, the first line only.
    edit.SetSel(0, 6);
    edit.SendMessage(WM_CUT);
    std::string text;
    ASSERT_TRUE(clipboard.GetText(&text));
    EXPECT_EQ(text, "hello ");
    EXPECT_EQ(edit.GetWindowText(), "world");
    clipboard.SetText("big\r\nsecond line");
    edit.SetSel(5, 5);
    edit.SendMessage(WM_PASTE);
    EXPECT_EQ(edit.GetWindowText(), "worldbig");
    edit.SetSel(0, 5);
    edit.SendMessage(WM_COPY);
    ASSERT_TRUE(clipboard.GetText(&text));
    EXPECT_EQ(text, "world");

    // A password never reaches the clipboard.
    edit.SendMessage(EM_SETPASSWORDCHAR, '*');
    edit.SetSel(0, -1);
    edit.SendMessage(WM_COPY);
    ASSERT_TRUE(clipboard.GetText(&text));
    EXPECT_EQ(text, "world");
    CClipboard::Set(nullptr);
}

TEST(ColorStaticTest, StartsFromTheSystemButtonColoursAndTakesItsTextColour)
{
    CSystemMetrics& metrics = CSystemMetrics::Instance();
    metrics.SetSysColor(COLOR_BTNTEXT, RGB(0x10, 0x20, 0x30));
    metrics.SetSysColor(COLOR_BTNFACE, RGB(0xE0, 0xE1, 0xE2));
    CColorStatic label;
    metrics.Reset();
    EXPECT_EQ(label.GetTextColor(), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(label.GetBkColor(), RGB(0xE0, 0xE1, 0xE2));
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(0xE0, 0xE1, 0xE2));
    EXPECT_TRUE(label.autoFillBackground());

    label.SetTextColor(RGB(0xFF, 0, 0));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
}

namespace {

struct EndOfEdit {
    CWnd* from = nullptr;
    UINT_PTR id = 0;
    int row = -1;
    int column = -1;
    UINT mask = 0;
    std::string text;
    UINT key = 0;
};

// The dialog that owns the parameter list: it keeps the end-of-edit reports.
class CParameterWnd : public CWnd {
public:
    std::vector<EndOfEdit> ends;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
        if (info->hdr.code != LVN_ENDLABELEDIT)
            return FALSE;
        ends.push_back({info->hdr.hwndFrom, info->hdr.idFrom, info->item.iItem, info->item.iSubItem, info->item.mask,
                        info->item.pszText ? info->item.pszText : "", static_cast<UINT>(info->item.lParam)});
        *result = 0;
        return TRUE;
    }
};

} // namespace

class InPlaceEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.Create(nullptr, CRect(40, 40, 360, 240), 0, WS_OVERLAPPED | WS_VISIBLE));
        ASSERT_TRUE(list.Create(&owner, CRect(10, 10, 310, 190), kListId, WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL));
        list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 90);
        list.InsertColumn(1, "Type", LVCFMT_LEFT, 70);
        list.InsertColumn(2, "Variable", LVCFMT_LEFT, 110);
        const char* rows[][3] = {{"EN", "BOOL", ""}, {"IN1", "WORD", "VW10"}, {"OUT", "WORD", "VW12"}};
        for (int row = 0; row < 3; ++row) {
            list.InsertItem(row, rows[row][0]);
            list.SetItemText(row, 1, rows[row][1]);
            list.SetItemText(row, 2, rows[row][2]);
        }
        owner.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    }

    CInPlaceEdit* OpenEditor(int row, UINT firstChar)
    {
        CRect cell;
        EXPECT_TRUE(list.GetSubItemRect(row, kVariableColumn, &cell));
        return new CInPlaceEdit(&list, cell, 0, kEditorId, row, kVariableColumn, list.GetItemText(row, kVariableColumn),
                                firstChar);
    }

    CParameterWnd owner;
    CListCtrl list;
};

TEST_F(InPlaceEditTest, KeystrokesEditTheCellAndTheEndIsReportedThroughTheList)
{
    struct Case {
        const char* name;
        UINT firstChar;
        const char* typed;
        Qt::Key endKey;
        const char* text;
        UINT key;
    };
    const Case cases[] = {
        {"typing A replaces the text", 'A', "", Qt::Key_Tab, "A", VK_TAB},
        {"the space bar keeps the text", ' ', "", Qt::Key_Return, "VW10", VK_RETURN},
        {"Escape restores the text", 'A', "BC", Qt::Key_Escape, "VW10", VK_ESCAPE},
        {"plus and minus are ignored", 'V', "+1-2", Qt::Key_Tab, "V12", VK_TAB},
        {"operand characters are taken", '%', "IW0.1 #_x", Qt::Key_Return, "%IW0.1 #_x", VK_RETURN},
        {"other characters are ignored", 'M', "B!(1)*", Qt::Key_Return, "MB1", VK_RETURN},
        {"Backspace deletes", 'Q', "B3\b\b", Qt::Key_Return, "Q", VK_RETURN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner.ends.clear();
        QPointer<CInPlaceEdit> edit = OpenEditor(1, c.firstChar);
        ASSERT_TRUE(edit->hasFocus());
        for (const char* k = c.typed; *k; ++k) {
            if (*k == '\b')
                QTest::keyClick(edit.data(), Qt::Key_Backspace);
            else
                QTest::keyClicks(edit.data(), QString(QChar(*k)));
        }
        QTest::keyClick(edit.data(), c.endKey);
        ASSERT_EQ(owner.ends.size(), 1u);
        const EndOfEdit& end = owner.ends[0];
        EXPECT_EQ(end.from, &list);
        EXPECT_EQ(end.id, kListId);
        EXPECT_EQ(end.row, 1);
        EXPECT_EQ(end.column, kVariableColumn);
        EXPECT_EQ(end.mask, LVIF_TEXT | LVIF_PARAM);
        EXPECT_EQ(end.text, c.text);
        EXPECT_EQ(end.key, c.key);
        EXPECT_TRUE(list.hasFocus());
        EXPECT_TRUE(QTest::qWaitFor([&] { return edit.isNull(); }, 10000));
    }
}

TEST_F(InPlaceEditTest, TheOpeningKeyDecidesBetweenNewTextAndTheSelectedOldText)
{
    QPointer<CInPlaceEdit> typed = OpenEditor(2, 'A');
    EXPECT_EQ(typed->GetWindowText(), "A");
    EXPECT_EQ(typed->GetSelLength(), 0);
    EXPECT_EQ(typed->GetCursorPosition(), 1);
    list.SetFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return typed.isNull(); }, 10000));
    // Losing the focus ends the edit without a key.
    ASSERT_EQ(owner.ends.size(), 1u);
    EXPECT_EQ(owner.ends[0].text, "A");
    EXPECT_EQ(owner.ends[0].key, 0u);
    EXPECT_EQ(owner.ends[0].row, 2);

    QPointer<CInPlaceEdit> kept = OpenEditor(2, ' ');
    EXPECT_EQ(kept->GetWindowText(), "VW12");
    EXPECT_EQ(kept->GetSelStart(), 0);
    EXPECT_EQ(kept->GetSelLength(), 4);
    QTest::keyClicks(kept.data(), "M");
    EXPECT_EQ(kept->GetWindowText(), "M");
    delete kept.data();
}

TEST_F(InPlaceEditTest, GrowsWithItsTextUpToTheRightEdgeOfTheList)
{
    QPointer<CInPlaceEdit> edit = OpenEditor(1, ' ');
    CRect start;
    edit->GetWindowRect(&start);
    QTest::keyClicks(edit.data(), "VW1000");
    CRect grown;
    edit->GetWindowRect(&grown);
    EXPECT_EQ(grown.Width(), start.Width());

    QTest::keyClicks(edit.data(), "0000000000000000000000000000000000000000");
    edit->GetWindowRect(&grown);
    CRect client;
    list.GetClientRect(&client);
    list.ClientToScreen(&client);
    EXPECT_GT(grown.Width(), start.Width());
    EXPECT_EQ(grown.left, start.left);
    EXPECT_EQ(grown.right, client.right);
    delete edit.data();
}

TEST_F(InPlaceEditTest, PictureOfTheParameterListWhileACellIsEdited)
{
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    QPointer<CInPlaceEdit> edit = OpenEditor(1, 'V');
    QTest::keyClicks(edit.data(), "B20");
    QImage picture = owner.grab().toImage();
    const std::string path = QCoreApplication::applicationDirPath().toStdString() + "/in_place_edit.png";
    EXPECT_TRUE(picture.save(QString::fromStdString(path)));
    // The editor covers the cell: its inside is the window colour, the cell's old text is hidden.
    CRect cell;
    list.GetSubItemRect(1, kVariableColumn, &cell);
    QPoint inside = list.mapTo(&owner, QPoint(cell.right - 4, cell.top + cell.Height() / 2));
    EXPECT_EQ(picture.pixelColor(inside), QColor(Qt::white));
    delete edit.data();
}
