// The tree control: item order under a parent, texts, values and images,
// expand state, hit tests in client coordinates, the selection notice and
// label editing that the parent accepts or refuses.

#include "platform/ui/CTreeCtrl.h"

#include <QAbstractItemDelegate>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kTreeId = 26000;

class CTreeHost : public CWnd {
public:
    std::vector<UINT> codes;
    std::vector<std::string> editedTexts;
    BOOL acceptEdits = TRUE;
    std::vector<UINT> keys;

protected:
    void OnKeyDown(UINT ch, UINT, UINT) override { keys.push_back(ch); }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        codes.push_back(header->code);
        *result = 0;
        if (header->code == TVN_ENDLABELEDIT) {
            editedTexts.push_back(reinterpret_cast<NMTVDISPINFO*>(lParam)->pszText);
            *result = acceptEdits;
        }
        return TRUE;
    }
};

class TreeCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create(nullptr, CRect(0, 0, 300, 400), 0, WS_VISIBLE));
        m_tree = new CTreeCtrl(&m_host);
        ASSERT_TRUE(m_tree->Create(&m_host, CRect(0, 0, 300, 400), kTreeId,
                                   WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS));
    }

    std::vector<std::string> Children(HTREEITEM parent)
    {
        std::vector<std::string> texts;
        for (HTREEITEM item = m_tree->GetChildItem(parent); item; item = m_tree->GetNextSiblingItem(item))
            texts.push_back(m_tree->GetItemText(item));
        return texts;
    }

    CTreeHost m_host;
    CTreeCtrl* m_tree = nullptr;   // child of the host
};

} // namespace

TEST_F(TreeCtrlTest, ItemsKeepTheirPlaceTextValueAndImage)
{
    HTREEITEM fruit = m_tree->InsertItem("Fruit", 0, 1);
    HTREEITEM apple = m_tree->InsertItem("Apple", 2, 3, fruit);
    m_tree->InsertItem("Pear", 2, 3, fruit);
    m_tree->InsertItem("Cherry", 2, 3, fruit, TVI_FIRST);
    m_tree->InsertItem("Banana", 2, 3, fruit, apple);
    EXPECT_EQ(Children(fruit), (std::vector<std::string>{"Cherry", "Apple", "Banana", "Pear"}));
    EXPECT_EQ(Children(TVI_ROOT), (std::vector<std::string>{"Fruit"}));
    EXPECT_EQ(m_tree->GetCount(), 5u);
    EXPECT_EQ(m_tree->GetParentItem(apple), fruit);
    EXPECT_EQ(m_tree->GetParentItem(fruit), nullptr);
    EXPECT_TRUE(m_tree->ItemHasChildren(fruit));
    EXPECT_FALSE(m_tree->ItemHasChildren(apple));

    EXPECT_TRUE(m_tree->SetItemData(apple, 4711));
    EXPECT_EQ(m_tree->GetItemData(apple), 4711);
    int image = -1;
    int selected = -1;
    EXPECT_TRUE(m_tree->GetItemImage(apple, image, selected));
    EXPECT_EQ(image, 2);
    EXPECT_EQ(selected, 3);

    // An item of another tree is refused, not followed.
    CTreeCtrl other;
    HTREEITEM foreign = other.InsertItem("Elsewhere", 0, 0);
    EXPECT_EQ(m_tree->InsertItem("Lost", 0, 0, foreign), nullptr);
    EXPECT_FALSE(m_tree->DeleteItem(foreign));
    EXPECT_EQ(m_tree->GetItemText(foreign), "");

    EXPECT_TRUE(m_tree->DeleteItem(fruit));
    EXPECT_EQ(m_tree->GetCount(), 0u);
}

TEST_F(TreeCtrlTest, ExpandStateHitTestAndSelectionNotice)
{
    HTREEITEM fruit = m_tree->InsertItem("Fruit", 0, 0);
    HTREEITEM apple = m_tree->InsertItem("Apple", 0, 0, fruit);
    EXPECT_EQ(m_tree->GetItemState(fruit, TVIS_EXPANDED), 0u);
    EXPECT_FALSE(m_tree->GetItemRect(apple, nullptr, TRUE));
    EXPECT_TRUE(m_tree->Expand(fruit, TVE_EXPAND));
    EXPECT_EQ(m_tree->GetItemState(fruit, TVIS_EXPANDED), TVIS_EXPANDED);

    CRect text;
    ASSERT_TRUE(m_tree->GetItemRect(apple, &text, TRUE));
    UINT flags = 0;
    EXPECT_EQ(m_tree->HitTest(CPoint(text.left + 2, (text.top + text.bottom) / 2), &flags), apple);
    EXPECT_EQ(flags, TVHT_ONITEMLABEL);
    EXPECT_EQ(m_tree->HitTest(CPoint(text.right + 20, (text.top + text.bottom) / 2), &flags), apple);
    EXPECT_EQ(flags, TVHT_ONITEMRIGHT);
    EXPECT_EQ(m_tree->HitTest(CPoint(5, 380), &flags), nullptr);
    EXPECT_EQ(flags, TVHT_NOWHERE);

    m_host.codes.clear();
    EXPECT_TRUE(m_tree->SelectItem(apple));
    EXPECT_EQ(m_tree->GetSelectedItem(), apple);
    EXPECT_EQ(m_host.codes, std::vector<UINT>{TVN_SELCHANGED});
    EXPECT_TRUE(m_tree->Expand(fruit, TVE_TOGGLE));
    EXPECT_EQ(m_tree->GetItemState(fruit, TVIS_EXPANDED), 0u);
}

// The Return that ends a label edit ends only the edit: the input target (the
// view that opens an item on Return) never sees it.
TEST_F(TreeCtrlTest, ReturnInTheLabelEditorEndsOnlyTheEdit)
{
    m_tree->SetInputTarget(&m_host);
    HTREEITEM pump = m_tree->InsertItem("Pump", 0, 0);
    m_tree->SetItemData(pump, 1);
    ASSERT_TRUE(m_tree->EditLabel(pump));
    auto* editor = m_tree->Tree()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "Feed");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&]() { return m_host.editedTexts.size() == 1u; })) << m_host.editedTexts.size();
    EXPECT_EQ(m_host.editedTexts[0], "Feed");
    EXPECT_TRUE(m_host.keys.empty());

    // With the editor closed, Return reaches the target again.
    QTest::keyClick(m_tree->Tree(), Qt::Key_Return);
    EXPECT_EQ(m_host.keys, std::vector<UINT>{VK_RETURN});
}

TEST_F(TreeCtrlTest, LabelEditEndsWithTheParentsAnswer)
{
    HTREEITEM pump = m_tree->InsertItem("Pump", 0, 0);
    for (BOOL accept : {FALSE, TRUE}) {
        m_host.acceptEdits = accept;
        const size_t edits = m_host.editedTexts.size();
        ASSERT_TRUE(m_tree->EditLabel(pump));
        auto* editor = m_tree->Tree()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText("Feed");
        // The item delegate commits its editor when the editor hands over its text.
        auto* delegate = m_tree->Tree()->itemDelegate();
        emit delegate->commitData(editor);
        emit delegate->closeEditor(editor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(QTest::qWaitFor([&]() { return m_host.editedTexts.size() == edits + 1; })) << m_host.editedTexts.size();
        EXPECT_EQ(m_host.editedTexts.back(), "Feed");
        EXPECT_EQ(m_tree->GetItemText(pump), accept ? "Feed" : "Pump");
    }
}
