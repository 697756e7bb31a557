// The list box's messages: strings added, inserted and deleted, the
// current item, texts with their lengths, the item under a point, and the
// keys that move the current item.

#include "platform/ui/CListBox.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kListWidth = 120;
constexpr int kListHeight = 200;

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list = new CListBox(&dialog);
        ASSERT_TRUE(list->Create(nullptr, CRect(0, 0, kListWidth, kListHeight), 1, WS_CHILD | WS_VISIBLE));
        dialog.resize(kListWidth, kListHeight);
    }

    QDialog dialog;
    CListBox* list = nullptr;
};

TEST_F(ListBoxTest, StringsAndTheCurrentItemThroughMessages)
{
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetCurSel(), LB_ERR);
    EXPECT_EQ(list->AddString("alpha"), 0);
    EXPECT_EQ(list->AddString("gamma"), 1);
    EXPECT_EQ(list->SendMessage(LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("beta")), 1);
    EXPECT_EQ(list->SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("omega")), 3);
    EXPECT_EQ(list->SendMessage(LB_ADDSTRING, 0, 0), LB_ERR);
    ASSERT_EQ(list->GetCount(), 4);

    struct Item {
        int index;
        const char* text;
        LRESULT length;
    };
    const Item items[] = {{0, "alpha", 5}, {1, "beta", 4}, {2, "gamma", 5}, {3, "omega", 5}, {4, "", LB_ERR},
                          {-1, "", LB_ERR}};
    for (const Item& item : items) {
        EXPECT_EQ(list->SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(item.index)), item.length) << item.index;
        EXPECT_EQ(list->GetText(item.index), item.text) << item.index;
    }
    char buffer[8] = {};
    EXPECT_EQ(list->SendMessage(LB_GETTEXT, 9, reinterpret_cast<LPARAM>(buffer)), LB_ERR);

    EXPECT_EQ(list->SetCurSel(2), 2);
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(list->SetCurSel(7), LB_ERR);
    EXPECT_EQ(list->GetCurSel(), LB_ERR);
    EXPECT_EQ(list->SetCurSel(-1), 0);

    EXPECT_EQ(list->SendMessage(LB_DELETESTRING, 0), 3);
    EXPECT_EQ(list->GetText(0), "beta");
    EXPECT_EQ(list->SendMessage(LB_DELETESTRING, 5), LB_ERR);
    EXPECT_EQ(list->SendMessage(LB_RESETCONTENT), 0);
    EXPECT_EQ(list->GetCount(), 0);
}

TEST_F(ListBoxTest, TheItemUnderAPointAndBelowTheLastItem)
{
    for (const char* text : {"one", "two", "three"})
        list->AddString(text);
    const int height = list->GetItemHeight();
    ASSERT_GT(height, 0);
    struct Case {
        int y;
        UINT item;
        BOOL outside;
    };
    const Case cases[] = {
        {1, 0, FALSE},
        {height + 1, 1, FALSE},
        {2 * height + height / 2, 2, FALSE},
        {kListHeight - 2, 2, TRUE},
    };
    for (const Case& c : cases) {
        BOOL outside = !c.outside;
        EXPECT_EQ(list->ItemFromPoint(CPoint(10, c.y), outside), c.item) << c.y;
        EXPECT_EQ(outside, c.outside) << c.y;
    }
}

TEST_F(ListBoxTest, KeysMoveTheCurrentItemAndStopAtTheEnds)
{
    // An empty list has nothing to move to.
    list->SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(list->GetCurSel(), LB_ERR);
    for (int i = 0; i < 30; ++i)
        list->AddString("item " + std::to_string(i));
    const int page = kListHeight / list->GetItemHeight();
    ASSERT_GT(page, 2);
    struct Case {
        int from;
        UINT key;
        int to;
    };
    const Case cases[] = {
        {-1, VK_DOWN, 0},  {-1, VK_UP, 0},  {0, VK_DOWN, 1},         {0, VK_UP, 0},
        {29, VK_DOWN, 29}, {5, VK_HOME, 0}, {5, VK_END, 29},         {0, VK_NEXT, page - 1},
        {29, VK_NEXT, 29}, {3, VK_PRIOR, 0}, {29, VK_PRIOR, 30 - page}, {7, 'A', 7},
    };
    for (const Case& c : cases) {
        list->SetCurSel(c.from);
        list->SendMessage(WM_KEYDOWN, c.key);
        EXPECT_EQ(list->GetCurSel(), c.to) << c.from << " " << c.key;
    }
}

} // namespace
