// The report list: columns and rows, selection, scrolling by LVM_SCROLL,
// the notifications its parent receives, the end-of-edit routing of a cell
// editor to a window owner or to a Qt dialog, and the list view.

#include "platform/ui/CInPlaceEdit.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CListView.h"
#include "platform/ui/CScrollBar.h"

#include <QDialog>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kListId = 25000;

struct Notice {
    UINT code = 0;
    UINT_PTR id = 0;
    int item = -1;
    int subItem = -1;
};

class CListHost : public CWnd {
public:
    std::vector<Notice> notices;
    std::vector<std::string> editedTexts;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        *result = 0;
        if (header->code == LVN_ENDLABELEDIT) {
            editedTexts.push_back(reinterpret_cast<NMLVDISPINFO*>(lParam)->item.pszText);
            return TRUE;
        }
        auto* item = reinterpret_cast<NMITEMACTIVATE*>(lParam);
        notices.push_back({header->code, header->idFrom, item->iItem, item->iSubItem});
        return TRUE;
    }
};

std::vector<UINT> Codes(const std::vector<Notice>& notices)
{
    std::vector<UINT> codes;
    for (const Notice& n : notices)
        codes.push_back(n.code);
    return codes;
}

} // namespace

class ListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(nullptr, CRect(0, 0, 400, 200), 0, WS_OVERLAPPED | WS_VISIBLE));
        ASSERT_TRUE(list.Create(&host, CRect(0, 0, 400, 200), kListId,
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS));
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        ASSERT_EQ(list.InsertColumn(0, "Index", LVCFMT_RIGHT, 60), 0);
        ASSERT_EQ(list.InsertColumn(1, "Address", LVCFMT_LEFT, 120), 1);
        ASSERT_EQ(list.InsertColumn(5, "POU"), 2);
    }

    void Fill(int rows)
    {
        for (int row = 0; row < rows; ++row) {
            list.InsertItem(row, std::to_string(row));
            list.SetItemText(row, 1, "VW" + std::to_string(row * 2));
        }
    }

    CListHost host;
    CListCtrl list;
};

TEST_F(ListCtrlTest, KeepsColumnsRowsAndTheirValues)
{
    EXPECT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(list.GetColumnWidth(1), 120);
    EXPECT_EQ(list.InsertColumn(-1, "x"), -1);
    Fill(3);
    EXPECT_EQ(list.InsertItem(99, "last"), 3);
    EXPECT_EQ(list.InsertItem(1, "second"), 1);
    EXPECT_EQ(list.GetItemCount(), 5);
    EXPECT_EQ(list.SendMessage(LVM_GETITEMCOUNT), 5);
    EXPECT_EQ(list.GetItemText(1, 0), "second");
    EXPECT_EQ(list.GetItemText(2, 1), "VW2");
    EXPECT_EQ(list.GetItemText(1, 1), "");
    EXPECT_EQ(list.GetItemText(9, 0), "");
    EXPECT_FALSE(list.SetItemText(9, 0, "x"));
    EXPECT_FALSE(list.SetItemText(0, 3, "x"));
    // GBK text passes unchanged.
    EXPECT_TRUE(list.SetItemText(0, 2, "\xD6\xF7\xB3\xCC\xD0\xF2"));
    EXPECT_EQ(list.GetItemText(0, 2), "\xD6\xF7\xB3\xCC\xD0\xF2");
    EXPECT_TRUE(list.SetItemData(4, 0x1234));
    EXPECT_EQ(list.GetItemData(4), 0x1234);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemData(3), 0x1234);
    EXPECT_FALSE(list.DeleteItem(4));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    // A list without columns takes no rows.
    EXPECT_TRUE(list.DeleteColumn(2) && list.DeleteColumn(1) && list.DeleteColumn(0));
    EXPECT_EQ(list.InsertItem(0, "x"), -1);
}

TEST_F(ListCtrlTest, SelectionScrollingAndNotificationsToTheParent)
{
    Fill(40);
    host.notices.clear();
    EXPECT_TRUE(list.SetItemState(5, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 5);
    EXPECT_EQ(list.GetNextItem(5, LVNI_SELECTED), -1);
    EXPECT_EQ(list.GetSelectionMark(), 5);
    ASSERT_FALSE(host.notices.empty());
    EXPECT_EQ(host.notices.back().code, LVN_ITEMCHANGED);
    EXPECT_EQ(host.notices.back().id, kListId);
    // Single selection: selecting another row drops the first.
    list.SetItemState(7, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetItemState(5, LVIS_SELECTED), 0u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 7);

    EXPECT_EQ(list.GetTopIndex(), 0);
    CRect row0;
    ASSERT_TRUE(list.GetSubItemRect(0, 0, &row0));
    EXPECT_TRUE(list.Scroll(CSize(0, 3 * row0.Height())));
    EXPECT_EQ(list.GetTopIndex(), 3);
    EXPECT_TRUE(list.EnsureVisible(39));
    EXPECT_GT(list.GetTopIndex(), 3);
    list.SendMessage(LVM_SCROLL, 0, -1000 * row0.Height());
    EXPECT_EQ(list.GetTopIndex(), 0);

    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(2, 1, &cell));
    int column = -1;
    EXPECT_EQ(list.SubItemHitTest(cell.CenterPoint(), &column), 2);
    EXPECT_EQ(column, 1);
    host.notices.clear();
    QWidget* viewport = list.Table()->viewport();
    QPoint inViewport = viewport->mapFrom(&list, QPoint(cell.CenterPoint().x, cell.CenterPoint().y));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, inViewport);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, inViewport);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    std::vector<UINT> codes = Codes(host.notices);
    ASSERT_FALSE(codes.empty());
    EXPECT_NE(std::find(codes.begin(), codes.end(), NM_CLICK), codes.end());
    EXPECT_EQ(host.notices.back().code, NM_DBLCLK);
    EXPECT_EQ(host.notices.back().item, 2);
    EXPECT_EQ(host.notices.back().subItem, 1);
}

TEST_F(ListCtrlTest, TheCellEditorsEndReachesTheOwnerOrTheQtDialogAsTheListsOwn)
{
    Fill(2);
    CListHost owner;
    list.SetOwner(&owner);
    CRect cell;
    list.GetSubItemRect(1, 1, &cell);
    CInPlaceEdit* edit = new CInPlaceEdit(&list, cell, 0, 61446, 1, 1, "VW2", 'M');
    edit->SendMessage(WM_KILLFOCUS);
    ASSERT_EQ(owner.editedTexts, std::vector<std::string>{"M"});
    EXPECT_TRUE(host.editedTexts.empty());
    delete edit;

    // In a Qt dialog the list reports the end with a signal.
    QDialog dialog;
    CListCtrl inDialog(&dialog);
    ASSERT_TRUE(inDialog.CreateInDialog(LVS_REPORT, 1027));
    inDialog.InsertColumn(0, "Variable");
    inDialog.InsertItem(0, "IN1");
    QSignalSpy ends(&inDialog, &CListCtrl::EndLabelEdit);
    CInPlaceEdit* dialogEdit = new CInPlaceEdit(&inDialog, CRect(0, 0, 80, 20), 0, 61446, 0, 0, "IN1", ' ');
    std::string seen;
    int row = -1;
    QObject::connect(&inDialog, &CListCtrl::EndLabelEdit, [&](const NMLVDISPINFO* info) {
        seen = info->item.pszText;
        row = info->item.iItem;
        EXPECT_EQ(info->hdr.hwndFrom, &inDialog);
        EXPECT_EQ(info->hdr.idFrom, 1027u);
    });
    dialogEdit->SendMessage(WM_KILLFOCUS);
    EXPECT_EQ(ends.count(), 1);
    EXPECT_EQ(seen, "IN1");
    EXPECT_EQ(row, 0);
    delete dialogEdit;
}

namespace {

class CReportView : public CListView {
protected:
    DWORD GetListStyle() const override { return LVS_REPORT | LVS_NOCOLUMNHEADER; }
};

} // namespace

TEST_F(ListCtrlTest, ScrollsSidewaysOnWmHscrollAndReportsColumnChanges)
{
    Fill(3);
    list.SetColumnWidth(2, 900);
    QScrollBar* bar = list.Table()->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), bar->pageStep());
    struct Row {
        UINT code;
        int expected;   // -1: the maximum
    };
    const Row rows[] = {
        {SB_LINERIGHT, bar->singleStep()},
        {SB_PAGERIGHT, bar->singleStep() + bar->pageStep()},
        {SB_PAGELEFT, bar->singleStep()},
        {SB_LINELEFT, 0},
        {SB_RIGHT, -1},
        {SB_THUMBTRACK, -1},   // the thumb's distance comes with LVM_SCROLL
        {SB_LEFT, 0},
    };
    for (const Row& row : rows) {
        list.SendMessage(WM_HSCROLL, MAKELONG(static_cast<int>(row.code), 5), 0);
        EXPECT_EQ(bar->value(), row.expected < 0 ? bar->maximum() : row.expected) << row.code;
    }
    // A wider column reaches the parent with the new range already in place.
    host.notices.clear();
    const int before = bar->maximum();
    list.SetColumnWidth(0, 160);
    ASSERT_EQ(Codes(host.notices), std::vector<UINT>{HDN_ITEMCHANGED});
    EXPECT_EQ(host.notices[0].subItem, 0);
    EXPECT_EQ(bar->maximum(), before + 100);
    SCROLLINFO info;
    ASSERT_TRUE(CScrollBar::GetWindowScrollInfo(&list, SB_HORZ, &info));
    EXPECT_EQ(info.nMax - static_cast<int>(info.nPage) + 1, bar->maximum());
}

// A list made with the scroll styles, as the output lists are, shows one
// vertical bar once its rows overflow, not the window's beside the table's.
TEST_F(ListCtrlTest, ScrollStylesGiveOneVerticalBar)
{
    CListCtrl scrolled;
    ASSERT_TRUE(scrolled.Create(&host, CRect(0, 0, 400, 200), kListId + 1,
                                WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | LVS_REPORT));
    ASSERT_EQ(scrolled.InsertColumn(0, "Info", LVCFMT_LEFT, 100), 0);
    constexpr int kOverflowingRows = 50;
    for (int row = 0; row < kOverflowingRows; ++row)
        scrolled.InsertItem(row, std::to_string(row));
    const auto verticalBars = [&scrolled] {
        int shown = 0;
        for (QScrollBar* bar : scrolled.findChildren<QScrollBar*>())
            shown += bar->orientation() == Qt::Vertical && bar->isVisibleTo(&scrolled) ? 1 : 0;
        return shown;
    };
    // The table's own bar appears once the table has laid out its rows.
    ASSERT_TRUE(QTest::qWaitFor([&] { return scrolled.Table()->verticalScrollBar()->isVisibleTo(&scrolled); }));
    EXPECT_EQ(verticalBars(), 1);
}

TEST(ListViewTest, TheListFillsTheViewWithTheViewsStyles)
{
    CWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, CRect(0, 0, 300, 200), 0, WS_OVERLAPPED | WS_VISIBLE));
    auto* view = new CReportView;
    view->m_bAutoDelete = FALSE;
    ASSERT_TRUE(view->Create(&frame, CRect(0, 0, 300, 200), AFX_IDW_PANE_FIRST, WS_CHILD | WS_VISIBLE));
    CListCtrl& list = view->GetListCtrl();
    EXPECT_TRUE(list.IsWindow());
    EXPECT_TRUE(list.GetStyle() & LVS_NOCOLUMNHEADER);
    EXPECT_TRUE(list.Table()->horizontalHeader()->isHidden());
    view->MoveWindow(CRect(0, 0, 250, 120));
    CRect client;
    list.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 250);
    EXPECT_EQ(client.Height(), 120);
    delete view;
}
