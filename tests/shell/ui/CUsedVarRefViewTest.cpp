#include "shell/ui/CUsedVarRefView.h"

#include "model/AppDataFixture.h"
#include "model/CXrefStore.h"
#include "model/CpuProfile.h"
#include "platform/ui/CFrameWnd.h"
#include "shell/ui/ICrossRefHost.h"
#include "shell/ui/RegisterShellUiClasses.h"

#include <QCoreApplication>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int READ = 0x8000;
constexpr int WRITTEN = 0x10000;
constexpr int FRAME_WIDTH = 800;
constexpr int FRAME_HEIGHT = 300;

class CRecordingCrossRefHost : public ICrossRefHost {
public:
    void SelectPOUItem(const std::string& label) override { selected.push_back(label); }
    BOOL OpenPOUAt(const std::string& file, int number) override
    {
        opened.emplace_back(file, number);
        return TRUE;
    }
    void ShowCrossRefMenu(CPoint) override { ++menus; }

    std::vector<std::string> selected;
    std::vector<std::pair<std::string, int>> opened;
    int menus = 0;
};

// The view created by class name in a small frame, over a project with
// MAIN "Tank" in IL and subroutine 3 "Pump" in LD.
class CUsedVarRefViewTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        UseFamily(2);
        std::string error;
        ASSERT_TRUE(RegisterShellUiClasses(&error)) << error;
        CZULProject& project = m_app->Project;
        project.ProjectFolder = "/projects/tank";
        project.MainNode.name = "Tank";
        project.MainNode.language = 1;
        auto* pump = new CProjTreeNode;
        pump->kind = NODE_SUBROUTINE;
        pump->name = "Pump";
        pump->number = 3;
        pump->language = 2;
        project.POUs.AddSubroutineNode(pump);
        auto* function = new CZULFunc;
        function->name = "Pump";
        function->number = 3;
        project.POUs.AddSubroutineInterface(function);
        std::fill(std::begin(m_app->SelArea), std::end(m_app->SelArea), 1);
        std::fill(std::begin(m_app->SelType), std::end(m_app->SelType), 1);
        m_app->AreaTypes = static_cast<int>(0xFFFE0000);
        m_app->TypesOfArea = 0x1CF;
        ClearXrefTables();
        SetXrefPositionSource([this] { return m_position; });

        m_frame = new CFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, CRect(0, 0, FRAME_WIDTH, FRAME_HEIGHT), 0, WS_POPUP | WS_VISIBLE));
        const CRuntimeClass* viewClass = CRuntimeClass::FromName("CUsedVarRefView");
        ASSERT_NE(viewClass, nullptr);
        m_view = dynamic_cast<CUsedVarRefView*>(viewClass->CreateObject());
        ASSERT_NE(m_view, nullptr);
        CRect client;
        m_frame->GetClientRect(&client);
        ASSERT_TRUE(m_view->Create(m_frame, client, 1, WS_CHILD | WS_VISIBLE));
        m_view->Attach(m_app.get(), &m_host);
    }
    void TearDown() override
    {
        if (m_frame)
            m_frame->DestroyWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ClearXrefTables();
        SetXrefPositionSource(nullptr);
        AppDataFixture::TearDown();
    }

    void Add(const XrefPosition& at, int access, const std::string& address)
    {
        m_position = at;
        ASSERT_TRUE(AddAddressXref(access, address));
    }

    std::vector<std::string> Row(int item)
    {
        std::vector<std::string> texts;
        for (int column = 0; column < 6; ++column)
            texts.push_back(m_view->GetListCtrl().GetItemText(item, column));
        return texts;
    }

    CFrameWnd* m_frame = nullptr;
    CUsedVarRefView* m_view = nullptr;
    CRecordingCrossRefHost m_host;
    XrefPosition m_position;
};

TEST_F(CUsedVarRefViewTest, ColumnsTakeTheirShareOfTheFrameAndRowsTheirTexts)
{
    CListCtrl& list = m_view->GetListCtrl();
    ASSERT_EQ(list.GetColumnCount(), 6);
    const int widths[] = {100, 160, 160, 160, 160, 133};
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(list.GetColumnWidth(column), widths[column]) << column;

    Add({XREF_POSITION_IL_ROW, 4, "MAIN"}, READ | WRITTEN, "%VW10");
    Add({XREF_POSITION_LADDER_NETWORK, 7, "SBR03"}, WRITTEN, "%Q0.1");
    m_view->OnRefresh();

    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"   0", "%Q0.1", "", "Pump", "Network   7", "Write"}));
    EXPECT_EQ(Row(1), (std::vector<std::string>{"   1", "%VW10", "", "Tank", "Row   4", "RW"}));
}

TEST_F(CUsedVarRefViewTest, DoubleClickAndEnterOpenThePOUAtTheRowOrNetwork)
{
    Add({XREF_POSITION_LADDER_NETWORK, 7, "SBR03"}, WRITTEN, "%Q0.1");
    Add({XREF_POSITION_IL_ROW, 4, "MAIN"}, READ, "%VW10");
    m_view->OnRefresh();
    QTableWidget* table = m_view->GetListCtrl().Table();
    table->viewport()->setFocus();

    const QPoint first = table->visualItemRect(table->item(0, 1)).center();
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, first);
    m_view->GetListCtrl().SetSelectionMark(1);
    QTest::keyClick(table, Qt::Key_Return);
    m_view->GoToReference(-1);

    EXPECT_EQ(m_host.selected, (std::vector<std::string>{"(SBR03) ", "(MAIN) "}));
    EXPECT_EQ(m_host.opened, (std::vector<std::pair<std::string, int>>{{"/projects/tank/SBR03_Pump.ilp", 7},
                                                                        {"/projects/tank/MAIN_Tank.ilp", 4}}));
}

TEST_F(CUsedVarRefViewTest, AListBeyondTheCapacityShowsTheFirstReferencesAndSaysItIsCutShort)
{
    const int saved = XrefCapacity;
    XrefCapacity = 3;
    for (int row = 0; row < 5; ++row)
        Add({XREF_POSITION_IL_ROW, row, "MAIN"}, READ, "%VB" + std::to_string(row));
    m_view->OnRefresh();
    XrefCapacity = saved;

    CListCtrl& list = m_view->GetListCtrl();
    ASSERT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(m_view->GetReferenceCount(), 3);
    EXPECT_EQ(list.GetItemText(2, 1), "%VB2");
    EXPECT_EQ(list.GetItemText(3, 1), "More references than 3: the list is cut short.");
    m_view->GoToReference(3);
    EXPECT_TRUE(m_host.opened.empty());
}

} // namespace
