// The status chart view made by class name inside a small frame that stands
// in for the main window's host services, with monitoring and the force
// commands running against the PLC simulator.

#include "MonitorFixture.h"

#include "model/CStatusInput.h"
#include "model/CpuProfile.h"
#include "platform/ui/CCPCellCtrl.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "shell/CForceCommands.h"
#include "shell/ui/CChildFrmStatus.h"
#include "shell/ui/CStatusTblView.h"
#include "shell/ui/ITableViewHost.h"
#include "shell/ui/RegisterShellUiClasses.h"

#include <QCoreApplication>
#include <QImage>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;
using Col = CStatusChartTable::Column;

const CRect kFrameRect(0, 0, 800, 500);
constexpr UINT kViewId = 5602;

class CChartHostFrame : public CMDIFrameWnd, public ITableViewHost {
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
    CForceCommands* GetForceCommands() override { return commands; }

    CForceCommands* commands = nullptr;
    std::vector<std::string> panes;
    std::vector<int> menus;
};

class StatusChartViewTest : public MonitorFixture {
protected:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        std::string error;
        ASSERT_TRUE(RegisterShellUiClasses(&error)) << error;
        m_blockType = ForceTableBlockType;
        app->Project.ForceImageSize = FORCE_IMAGE_CELLS;
        app->Project.AllocateForceBuffers();
        commands = std::make_unique<CForceCommands>(*app);
        frame = new CChartHostFrame;
        frame->commands = commands.get();
        ASSERT_TRUE(frame->Create(nullptr, kFrameRect, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        const CRuntimeClass* cls = CRuntimeClass::FromName("CStatusTblView");
        ASSERT_NE(cls, nullptr);
        view = dynamic_cast<CStatusTblView*>(cls->CreateObject());
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(view->Create(frame, CRect(0, 0, 780, 480), kViewId, WS_CHILD | WS_VISIBLE));
        view->SetRowCount(CStatusChartTable::MIN_ROWS);
    }
    void TearDown() override
    {
        if (app->Monitoring.load() != 0) {
            command->ToggleMonitor();
            RunUntilMonitoringEnds();
        }
        frame->DestroyWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        commands.reset();
        ForceTableBlockType = m_blockType;
        MonitorFixture::TearDown();
    }

    std::string Text(int column, int row, BYTE* mark = nullptr)
    {
        std::string text;
        BYTE shown = 0;
        view->GetCellText(column, row, text, shown);
        if (mark)
            *mark = shown;
        return text;
    }
    void Type(int column, int row, const std::string& text) { view->OnSaveCellData(column, row, text); }
    bool Enabled(UINT id)
    {
        CCmdUI ui(id);
        EXPECT_TRUE(ui.DoUpdate(view, FALSE)) << id;
        return ui.IsEnabled() != FALSE;
    }
    Texts FormatList(int row)
    {
        view->SetActiveCell(Col::COL_FORMAT, row);
        CCPCellCtrl control(CCPCellCtrl::KIND_DROPDOWN, 0, 100 + Col::COL_FORMAT);
        view->CreateCellCtrl(control.GetDlgCtrlID(), control);
        return control.GetItems();
    }

    std::unique_ptr<CForceCommands> commands;
    CChartHostFrame* frame = nullptr;
    CStatusTblView* view = nullptr;
    int m_blockType = 0;
};

TEST_F(StatusChartViewTest, GridShowsTheChartColumnsAndItsOwnContextMenu)
{
    CCPGridCtrl& grid = view->GetGridCtrl();
    EXPECT_EQ(grid.GetGridColCount(), Col::COLUMN_COUNT);
    EXPECT_EQ(grid.GetGridRowCount(), 6);
    EXPECT_EQ(app->Project.StatusRows.size(), 6u);

    Type(Col::COL_ADDRESS, 0, "qb0");
    Type(Col::COL_ADDRESS, 1, "t5");
    Type(Col::COL_ADDRESS, 2, "i0.0");
    EXPECT_EQ(Text(Col::COL_ADDRESS, 0), "%QB0");
    EXPECT_EQ(Text(Col::COL_ADDRESS, 1), "T5");
    EXPECT_EQ(FormatList(0), Texts({"Signed", "Unsigned", "Hexadecimal", "Binary"}));
    EXPECT_EQ(FormatList(2), Texts({"BOOL"}));
    EXPECT_EQ(FormatList(4), Texts());
    EXPECT_EQ(frame->panes.back(), "2:  Row 5 , Col 3 ");

    // Typing an address below the last row adds the row to the chart and the grid.
    Type(Col::COL_ADDRESS, 7, "vw2");
    EXPECT_EQ(app->Project.StatusRows.size(), 8u);
    EXPECT_EQ(grid.GetGridRowCount(), 8);

    // With monitoring off every Current Value is blank and the force commands wait.
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(Text(Col::COL_CURRENT, row), " ");
    for (UINT id : {ID_STATUS_FORCE, ID_STATUS_UNFORCE, ID_STATUS_FORCE_ALL, ID_STATUS_UNFORCE_ALL,
                    ID_STATUS_READ_ALL_FORCED})
        EXPECT_FALSE(Enabled(id)) << id;

    // Delete Row on the active row; a header click sorts by address.
    view->SetActiveCell(Col::COL_ADDRESS, 3);
    view->OnDeleteRow();
    EXPECT_EQ(grid.GetGridRowCount(), 7);
    // The first click reverses the grid's ascending order.
    grid.GetHost().OnFixedRowDown(Col::COL_ADDRESS);
    Texts sorted;
    for (int row = 0; row < grid.GetGridRowCount(); ++row)
        sorted.push_back(Text(Col::COL_ADDRESS, row));
    EXPECT_EQ(sorted, Texts({"T5", "%VW2", "%QB0", "%I0.0", "", "", ""}));

    view->SendMessage(WM_CONTEXTMENU, 0, 0);
    EXPECT_EQ(frame->menus, std::vector<int>({STATUS_CONTEXT_MENU}));
}

TEST_F(StatusChartViewTest, MonitoredRowsShowLiveValuesAndForceCommandsChangeThePlcTable)
{
    for (const char* address : {"%VW100", "%VB102", "%VD104", "%Q0.1", "%QB1"})
        ASSERT_TRUE(AddMonitorAddress(address)) << address;
    BuildMonitorLists(*app);
    ServeProjectLists();
    sim.SetMemory(CodeOf("%VB100"), {0xFE, 0xFF, 0x81, 0, 0x00, 0x00, 0xC0, 0x3F});
    sim.SetMemory(CodeOf("%QB0"), {0x02, 0x0A});

    const struct {
        const char* address;
        const char* format;
        const char* shown;
    } rows[] = {
        {"%VW100", "Signed", "-2"},
        {"%VB102", "Hexadecimal", "B#16#81"},
        {"%VD104", "REAL", "1.5"},
        {"%Q0.1", "BOOL", "2#1"},
        {"%QB1", "Binary", "B#2#1010"},
        {"%VW100", "Unsigned", "W#65534"},
    };
    int row = 0;
    for (const auto& r : rows) {
        Type(Col::COL_ADDRESS, row, r.address);
        Type(Col::COL_FORMAT, row, r.format);
        ++row;
    }
    StartMonitoring();
    poster.RunPosted();
    row = 0;
    for (const auto& r : rows) {
        BYTE mark = 0;
        EXPECT_NE(Text(Col::COL_CURRENT, row, &mark).find(r.shown), std::string::npos) << r.address << " " << r.format;
        EXPECT_EQ(mark, 0);
        ++row;
    }

    // Force: the PLC's table holds the operand and the row is marked.
    Type(Col::COL_NEW, 3, "0");
    view->SetActiveCell(Col::COL_NEW, 3);
    EXPECT_TRUE(Enabled(ID_STATUS_FORCE));
    view->OnForce();
    BYTE mark = 0;
    Text(Col::COL_CURRENT, 3, &mark);
    EXPECT_EQ(mark, 1);
    std::vector<BYTE> table = sim.ForceTable();
    ASSERT_GE(table.size(), 11u);
    EXPECT_EQ(table[6], 1);
    EXPECT_EQ(Text(Col::COL_NEW, 3), "");
    EXPECT_FALSE(Enabled(ID_STATUS_FORCE));
    EXPECT_TRUE(Enabled(ID_STATUS_UNFORCE));

    // Force All takes every row with a new value.
    Type(Col::COL_NEW, 0, "-3");
    Type(Col::COL_NEW, 2, "2.5");
    view->OnForceAll();
    table = sim.ForceTable();
    EXPECT_EQ(table[6], 1);
    EXPECT_EQ(table[8], 1);
    EXPECT_EQ(table[9], 1);
    for (int r : {0, 2, 3, 5}) {
        Text(Col::COL_CURRENT, r, &mark);
        EXPECT_EQ(mark, 1) << r;
    }

    // Unforce on the active row, then Read All Forced appends what is left.
    view->SetActiveCell(Col::COL_NEW, 3);
    view->OnUnforce();
    EXPECT_EQ(sim.ForceTable()[6], 0);
    Text(Col::COL_CURRENT, 3, &mark);
    EXPECT_EQ(mark, 0);
    view->OnReadAllForced();
    EXPECT_EQ(view->GetGridCtrl().GetGridRowCount(), 8);
    EXPECT_EQ(Text(Col::COL_ADDRESS, 6), "%VW100");
    EXPECT_EQ(Text(Col::COL_FORMAT, 6), "Unsigned");

    view->OnUnforceAll();
    EXPECT_TRUE(sim.ForceTable().empty());
    EXPECT_TRUE(app->Project.ForceMap.empty());
    Text(Col::COL_CURRENT, 0, &mark);
    EXPECT_EQ(mark, 0);

    // The next cycle is painted into the grid.
    NextCycle();
    poster.RunPosted();
    view->RefreshMonitorValues();
    QImage image(view->width(), view->height(), QImage::Format_ARGB32);
    view->render(&image);
    EXPECT_TRUE(ui.box.Texts().empty());

    // The PID trend display takes the port: the commands wait.
    app->PIDTrendOpen = 1;
    EXPECT_FALSE(Enabled(ID_STATUS_FORCE_ALL));
    app->PIDTrendOpen = 0;
}

TEST_F(StatusChartViewTest, CutAndClearEmptyCellsOrDeleteWholeRows)
{
    const Texts addresses = {"%VW0", "%VW2", "%VW4", "%VW6"};
    for (int row = 0; row < 4; ++row) {
        Type(Col::COL_ADDRESS, row, addresses[size_t(row)]);
        Type(Col::COL_NEW, row, "5");
    }
    CCPGridCtrl& grid = view->GetGridCtrl();

    // Delete clears the selected New Value cells only.
    ASSERT_TRUE(grid.SetSelectRange(Col::COL_NEW, Col::COL_NEW, 0, 1));
    grid.GetHost().OnKeyDown(VK_DELETE, 1, 0);
    EXPECT_EQ(Text(Col::COL_NEW, 0), "");
    EXPECT_EQ(Text(Col::COL_NEW, 1), "");
    EXPECT_EQ(Text(Col::COL_NEW, 2), "W#5");
    EXPECT_EQ(app->Project.StatusRows[0]->newValueValid, 0u);

    // A cut that reaches the last column deletes its rows.
    ASSERT_TRUE(grid.SetSelectRange(Col::COL_FORMAT, Col::COL_NEW, 1, 2));
    EXPECT_TRUE(view->OnEditCut());
    EXPECT_EQ(grid.GetGridRowCount(), 4);
    EXPECT_EQ(Text(Col::COL_ADDRESS, 1), "%VW6");

    // Clearing whole rows deletes them, but never the last one.
    ASSERT_TRUE(grid.SetSelectRange(Col::COL_ADDRESS, Col::COL_NEW, 0, 3));
    view->OnEditClear();
    EXPECT_EQ(grid.GetGridRowCount(), 4);
    ASSERT_TRUE(grid.SetSelectRange(Col::COL_ADDRESS, Col::COL_NEW, 0, 2));
    view->OnEditClear();
    EXPECT_EQ(grid.GetGridRowCount(), 1);
    EXPECT_EQ(app->Project.StatusRows.size(), 1u);
}

TEST_F(StatusChartViewTest, FrameMakesTheViewWithTheProjectRows)
{
    app->Project.StatusRows.clear();
    for (int k = 0; k < 9; ++k)
        app->Project.StatusRows.push_back(std::make_unique<CStatusInput>());
    app->Project.StatusRows[8]->addressText = "%VW8";
    auto* chartFrame = new CChildFrmStatus;
    ASSERT_TRUE(chartFrame->Create("Status Chart", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, kFrameRect, frame));
    auto* chart = dynamic_cast<CStatusTblView*>(chartFrame->GetView());
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chartFrame->GetRowCount(), 9);
    EXPECT_EQ(chart->GetGridCtrl().GetGridRowCount(), 9);
    chartFrame->DestroyWindow();
}

} // namespace
