// The global variable, FB-instance and initial data views created by class
// name inside a small frame that stands in for the main window's host
// services, edited through the grid's hooks as the grid's editors do.

#include "compiler/CCompileMessage.h"
#include "compiler/InitialDataReport.h"
#include "model/AppDataFixture.h"
#include "model/CZULFB.h"
#include "model/CZULInitData.h"
#include "model/CZULSymbol.h"
#include "platform/CClipboard.h"
#include "platform/CMemoryClipboard.h"
#include "platform/ui/CCPCellCtrl.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/StandardCommands.h"
#include "shell/ui/CGlobalFBIView.h"
#include "shell/ui/CGlobalVarView.h"
#include "shell/ui/CInitDataView.h"
#include "shell/ui/ITableViewHost.h"
#include "shell/ui/RegisterShellUiClasses.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

enum FamilyIndex { VB16 = 2 };

const CRect kFrameRect(0, 0, 800, 500);
constexpr UINT kViewId = 0xE900;

class CFixtureFrame : public CFrameWnd, public ITableViewHost {
public:
    void SetStatusPane(int pane, const std::string& text) override
    {
        panes.push_back(std::to_string(pane) + ":" + text);
    }
    int ShowContextMenu(int menuId, int, int, CWnd*) override
    {
        menus.push_back(menuId);
        return 0;
    }

    std::vector<std::string> panes;
    std::vector<int> menus;
};

class ProjectTableViewsTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        std::string error;
        ASSERT_TRUE(RegisterShellUiClasses(&error)) << error;
        UseFamily(VB16);
        CClipboard::Set(&m_clipboard);
        m_frame = new CFixtureFrame;
        ASSERT_TRUE(m_frame->Create(nullptr, kFrameRect, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    }
    void TearDown() override
    {
        m_frame->DestroyWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CClipboard::Set(nullptr);
        AppDataFixture::TearDown();
    }

    // A view made from its registered class name, as the frame makes it.
    template <typename View>
    View* CreateView(const char* className)
    {
        const CRuntimeClass* cls = CRuntimeClass::FromName(className);
        if (!cls)
            return nullptr;
        auto* view = dynamic_cast<View*>(cls->CreateObject());
        if (!view || !view->Create(m_frame, CRect(0, 0, 780, 480), kViewId, WS_CHILD | WS_VISIBLE))
            return nullptr;
        return view;
    }
    static std::string Text(CCPGridView& view, int column, int row)
    {
        std::string text;
        BYTE mark = 0;
        view.GetCellText(column, row, text, mark);
        return text;
    }
    static BYTE Mark(CCPGridView& view, int column, int row)
    {
        std::string text;
        BYTE mark = 0;
        view.GetCellText(column, row, text, mark);
        return mark;
    }
    void AddSymbol(const std::string& name, const std::string& address, const std::string& type)
    {
        auto* symbol = new CZULSymbol;
        symbol->name = name;
        symbol->address = address;
        symbol->dataType = type;
        m_app->Project.AddSymbol(symbol);
    }

    CMemoryClipboard m_clipboard;
    CFixtureFrame* m_frame = nullptr;
};

TEST_F(ProjectTableViewsTest, GlobalVariablesOpenSortedAndEditWithMarks)
{
    AddSymbol("Two", "%VB2", "BYTE");
    AddSymbol("Ten", "%VB10", "BYTE");
    AddSymbol("Lamp", "%Q0.0", "BOOL");
    auto* view = CreateView<CGlobalVarView>("CGlobalVarView");
    ASSERT_NE(view, nullptr);
    view->SetRowCount(std::max(view->GetTable().GetRecordCount(), CGlobalVarTable::MIN_ROWS));
    CCPGridCtrl& grid = view->GetGridCtrl();
    EXPECT_EQ(grid.GetGridRowCount(), 6);
    EXPECT_EQ(grid.GetGridColCount(), 4);
    EXPECT_EQ(grid.GetCore().GetColumn(3)->title, "Comment");
    EXPECT_EQ(Text(*view, 0, 0), "Lamp");
    EXPECT_EQ(Text(*view, 0, 1), "Ten");
    EXPECT_EQ(Text(*view, 0, 2), "Two");

    grid.GetHost().OnSaveCellData(0, 3, "lamp");
    grid.GetHost().OnSaveCellData(1, 3, "vw10");
    EXPECT_EQ(Text(*view, 1, 3), "%VW10");
    EXPECT_EQ(Text(*view, 2, 3), "INT");
    EXPECT_EQ(Mark(*view, 0, 3), 255);

    // A header click sorts by name byte-wise, in the order opposite to the last one.
    grid.GetHost().OnFixedRowDown(0);
    EXPECT_EQ(grid.GetSortCol(), 0);
    EXPECT_EQ(Text(*view, 0, 0), "lamp");
    EXPECT_EQ(Text(*view, 0, 3), "Lamp");
    grid.GetHost().OnFixedRowDown(0);
    EXPECT_EQ(Text(*view, 0, 0), "Lamp");
    EXPECT_EQ(Text(*view, 0, 3), "lamp");

    // Enter on the last cell appends a row and moves into it.
    view->SetActiveCell(3, 5);
    grid.GetHost().OnKeyDown(VK_RETURN, 1, 0);
    EXPECT_EQ(grid.GetGridRowCount(), 7);
    EXPECT_EQ(grid.GetCore().GetActiveRow(), 6);
    EXPECT_EQ(grid.GetCore().GetActiveCol(), 0);
    ASSERT_FALSE(m_frame->panes.empty());
    EXPECT_EQ(m_frame->panes.back(), "2:  Row 7 , Col 1 ");

    view->SendMessage(WM_CONTEXTMENU, 0, 0);
    EXPECT_EQ(m_frame->menus, (std::vector<int>{102}));
}

TEST_F(ProjectTableViewsTest, GlobalVariablePasteReportsRefusalsAndChecksDuplicates)
{
    CScriptedMessageBox& box = m_ui.box;
    auto* view = CreateView<CGlobalVarView>("CGlobalVarView");
    ASSERT_NE(view, nullptr);
    view->SetRowCount(CGlobalVarTable::MIN_ROWS);
    CCPGridCtrl& grid = view->GetGridCtrl();
    grid.GetHost().OnSaveCellData(0, 0, "Pump");
    grid.GetHost().OnSaveCellData(1, 0, "%Q0.1");

    m_clipboard.Empty();
    grid.SetSelectRange(0, 0, 1, 1);
    EXPECT_EQ(view->OnEditPaste(), GRID_PASTE_NO_DATA);
    ASSERT_EQ(box.Messages().size(), 1u);
    EXPECT_EQ(box.Messages()[0].caption, "Note");
    EXPECT_EQ(box.Messages()[0].text, "Unable to retrieve the data from the clipboard.");

    grid.SetSelectRange(0, 1, 0, 0);
    ASSERT_TRUE(view->OnEditCopy());
    grid.SetSelectRange(0, 1, 1, 1);
    EXPECT_EQ(view->OnEditPaste(), GRID_PASTE_OK);
    EXPECT_EQ(Text(*view, 0, 1), "Pump");
    EXPECT_EQ(Mark(*view, 0, 1), 255);
    EXPECT_EQ(Mark(*view, 1, 1), 255);
    EXPECT_EQ(box.Messages().size(), 1u);

    // Cut empties the copied cells of the first row: its address becomes illegal.
    grid.SetSelectRange(1, 1, 0, 0);
    ASSERT_TRUE(view->OnEditCut());
    EXPECT_EQ(Text(*view, 1, 0), "");
    EXPECT_EQ(Mark(*view, 1, 0), 255);
    EXPECT_EQ(Mark(*view, 1, 1), 0);
}

TEST_F(ProjectTableViewsTest, FBInstancesListedReadOnly)
{
    auto* view = CreateView<CGlobalFBIView>("CGlobalFBIView");
    ASSERT_NE(view, nullptr);
    auto& table = m_app->Project.FBTable;
    view->SetRowCount(std::max(int(table.FBInstances.size()), 1));
    CCPGridCtrl& grid = view->GetGridCtrl();
    EXPECT_EQ(grid.GetGridRowCount(), 1);
    EXPECT_EQ(Text(*view, 0, 0), "");

    ASSERT_TRUE(table.AddFBInstance("T37", "TON", "MAIN", FB_LIST_TABLE));
    ASSERT_TRUE(table.AddFBInstance("C5", "CTU", "SBR_1", FB_LIST_TABLE));
    view->SetRowCount(std::max(int(table.FBInstances.size()), 1));
    EXPECT_EQ(grid.GetGridRowCount(), 2);
    EXPECT_EQ(Text(*view, 0, 1), "C5");
    EXPECT_EQ(Text(*view, 1, 1), "CTU");
    EXPECT_EQ(Text(*view, 2, 1), "SBR_1");
    EXPECT_FALSE(grid.GetCore().GetColumn(0)->kind == CCPCellCtrl::KIND_EDIT);

    grid.SetFocusCell(2, 0);
    grid.GetHost().OnKeyDown(VK_RETURN, 1, 0);
    grid.GetHost().OnKeyDown(VK_DELETE, 1, 0);
    EXPECT_EQ(grid.GetCore().GetActiveCol(), 2);
    EXPECT_EQ(Text(*view, 0, 0), "T37");
    grid.GetHost().OnSetActiveCell(2, 1);
    ASSERT_GE(m_frame->panes.size(), 2u);
    EXPECT_EQ(m_frame->panes[m_frame->panes.size() - 2], "1:");
    EXPECT_EQ(m_frame->panes.back(), "2:  \xB5\xDA 1 \xD0\xD0, \xB5\xDA 3 \xC1\xD0");
}

TEST_F(ProjectTableViewsTest, InitialDataReportLinesLeadBackToTheirCells)
{
    auto* view = CreateView<CInitDataView>("CInitDataView");
    ASSERT_NE(view, nullptr);
    view->SetRowCount(CInitDataTable::MIN_ROWS);
    CCPGridCtrl& grid = view->GetGridCtrl();
    EXPECT_EQ(grid.GetGridColCount(), 5);
    CCPGridHost& host = grid.GetHost();
    host.OnSaveCellData(0, 0, "%VB0");
    host.OnSaveCellData(1, 0, "B#1");
    host.OnSaveCellData(2, 0, "7");
    host.OnSaveCellData(0, 2, "%MB0");
    host.OnSaveCellData(0, 3, "%VW0");
    EXPECT_EQ(Mark(*view, 2, 0), 255);

    EXPECT_EQ(ReportInitialData(m_app->Project), 4);
    const std::vector<std::string> lines = m_ui.output.Lines(OUTPUT_LIST_COMPILE);
    const std::vector<std::string> expected = {
        "$$$ Compiling  : Initial data...",
        "        Initial Data, Row  1, Col  3:  The data type of initial value is not appropriate.",
        "        Initial Data, Row   3, Col  1:  Initial value is not assigned.",
        "        Initial Data, Row  3, Col  1:  You are allowed to make initial value assignments to V memory only. "
        "You can make value assignments to byte (VB), word(VW), double word (VD), or REAL (VD) addresses.",
        "        Initial Data, Row   4, Col  1:  Initial value is not assigned.",
    };
    EXPECT_EQ(lines, expected);

    // The output window's double-click reads row and column and shows that cell.
    int row = 0;
    int column = 0;
    ASSERT_EQ(std::sscanf(lines[3].c_str(), "        Initial Data, Row%d, Col%d", &row, &column), 2);
    view->SetActiveCell(column - 1, row - 1);
    EXPECT_EQ(grid.GetCore().GetActiveRow(), 2);
    EXPECT_EQ(grid.GetCore().GetActiveCol(), 0);
}

TEST_F(ProjectTableViewsTest, InitialDataCutOfTrailingValuesKeepsTheRow)
{
    auto* view = CreateView<CInitDataView>("CInitDataView");
    ASSERT_NE(view, nullptr);
    view->SetRowCount(CInitDataTable::MIN_ROWS);
    CCPGridCtrl& grid = view->GetGridCtrl();
    const char* texts[] = {"%VW0", "1", "2", "3", "4"};
    for (int column = 0; column < CInitDataTable::COLUMN_COUNT; ++column)
        grid.GetHost().OnSaveCellData(column, 0, texts[column]);

    grid.SetSelectRange(4, 4, 0, 0);
    ASSERT_TRUE(view->OnEditCut());
    EXPECT_EQ(grid.GetGridRowCount(), 6);
    EXPECT_EQ(m_app->Project.InitialData[0]->texts, (std::vector<std::string>{"%VW0", "1", "2", "3"}));
    std::string copied;
    ASSERT_TRUE(m_clipboard.GetText(&copied));
    EXPECT_EQ(copied.substr(0, 1), "4");

    // Every column selected: the row goes.
    grid.SetSelectRange(0, 4, 0, 0);
    ASSERT_TRUE(view->OnEditCut());
    EXPECT_EQ(grid.GetGridRowCount(), 5);
    EXPECT_TRUE(m_app->Project.InitialData[0]->texts.empty());
}

TEST_F(ProjectTableViewsTest, InitialDataLockedWhileMonitoring)
{
    auto* view = CreateView<CInitDataView>("CInitDataView");
    ASSERT_NE(view, nullptr);
    view->SetRowCount(CInitDataTable::MIN_ROWS);
    CCPGridCtrl& grid = view->GetGridCtrl();
    grid.GetHost().OnSaveCellData(0, 0, "%VW0");
    m_app->Monitoring = 1;
    grid.GetHost().OnSaveCellData(0, 0, "%VW2");
    EXPECT_EQ(Text(*view, 0, 0), "%VW0");
    EXPECT_FALSE(grid.GetHost().ActivateCtrl(0, 0, TRUE));
    for (UINT id : {ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_TABLE_DELETE_ROW}) {
        CCmdUI ui(id);
        ASSERT_TRUE(ui.DoUpdate(view, FALSE)) << id;
        EXPECT_FALSE(ui.IsEnabled()) << id;
    }
    grid.SetFocusCell(0, 0);
    view->OnDeleteRow();
    EXPECT_EQ(grid.GetGridRowCount(), 6);
    view->OnInsertRowAbove();
    EXPECT_EQ(grid.GetGridRowCount(), 7);
    EXPECT_EQ(Text(*view, 0, 1), "%VW0");
}

} // namespace
