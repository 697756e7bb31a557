#include "HardwareWindowFixture.h"
#include "hardware/HardwareTexts.h"
#include "hardware/ui/CAioUsePic.h"
#include "hardware/ui/CCPUInfoView.h"
#include "hardware/ui/CSheetCPU.h"
#include "hardware/ui/CCanOpenFrame.h"
#include "hardware/ui/CHWAIOScrView.h"
#include "hardware/ui/CHWAIView.h"
#include "hardware/ui/CHWAOView.h"
#include "hardware/ui/CHWDIOView.h"
#include "hardware/ui/CHWDIView.h"
#include "hardware/ui/CHWDOView.h"
#include "hardware/ui/CHWHowToView.h"
#include "hardware/ui/CModuleParamDlg.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CResourceStore.h"
#include "resources/ProgramResources.h"
#include "shell/IHardwareWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class HardwareWindowTest : public HardwareWindowFixture {
protected:
    std::vector<std::string> Topics() const
    {
        std::vector<std::string> topics;
        for (const RecordedHelp& request : m_ui.help.Requests())
            topics.push_back(request.topic);
        return topics;
    }
    void Click(QWidget* page, const char* button)
    {
        QTest::mouseClick(page->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    // The pointer over an item's text, as the tree reports it to its view.
    void MoveOver(const char* text)
    {
        CRect rect;
        ASSERT_TRUE(m_tree->GetTreeCtrl().GetItemRect(FindItem(text), &rect, TRUE));
        m_tree->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rect.left + 3, (rect.top + rect.bottom) / 2));
    }
};

TEST_F(HardwareWindowTest, CatalogueOffersTheShownRowsInThreeExpandedGroups)
{
    CTreeCtrl& tree = m_tree->GetTreeCtrl();
    std::vector<std::string> roots;
    std::vector<int> counts;
    for (HTREEITEM root = tree.GetRootItem(); root; root = tree.GetNextSiblingItem(root)) {
        roots.push_back(tree.GetItemText(root));
        int count = 0;
        for (HTREEITEM item = tree.GetChildItem(root); item; item = tree.GetNextSiblingItem(item))
            ++count;
        counts.push_back(count);
    }
    EXPECT_THAT(roots, ElementsAre("CPU Modules", "Digital Modules", "Analog Modules"));
    EXPECT_THAT(counts, ElementsAre(13, 9, 5));
    EXPECT_EQ(nullptr, FindItem("VA10-14AR")) << "rows not shown stay out of the tree";
    EXPECT_EQ(nullptr, FindItem("VC16-40AR"));
    ASSERT_NE(nullptr, FindItem("VF70-04IV"));
    EXPECT_EQ(std::string("AI*2, AO*2, 4-20mA/0-20mA/1-5V/-10V-+10V"),
              m_tree->GetItemRow(FindItem("VF70-04IV"))->description);
    EXPECT_EQ(nullptr, m_tree->GetItemRow(FindItem("CPU Modules")));
}

TEST_F(HardwareWindowTest, DoubleClickInsertsIntoTheGridOnlyWhileTheGridIsTheActiveView)
{
    DoubleClick("VB16-40AR");
    EXPECT_TRUE(Models().empty()) << "no hardware window yet";

    OpenWindow();
    EXPECT_THAT(TabLabels(), ElementsAre("Note"));
    DoubleClick("CPU Modules");
    EXPECT_TRUE(Models().empty()) << "a group inserts nothing";

    DoubleClick("VB16-40AR");
    DoubleClick("VE50-08DX");
    DoubleClick("VF50-04IV");
    EXPECT_THAT(Models(), ElementsAre("VB16-40AR", "VE50-08DX", "VF50-04IV"));
    EXPECT_THAT(TabLabels(), ElementsAre("Note", "1", "2", "3"));
    EXPECT_NE(nullptr, PageAt<CCPUInfoView>(1));
    EXPECT_NE(nullptr, PageAt<CHWDIView>(2));
    EXPECT_NE(nullptr, PageAt<CHWAIView>(3));
    EXPECT_EQ(4, Model().GetFocusRow()) << "the focus moves on to the next slot";
    EXPECT_TRUE(m_doc.IsModified());

    m_hw->SetActiveView(&Info());
    DoubleClick("VE60-08DT");
    EXPECT_EQ(3, Slots()) << "the page host is the active view";
}

TEST_F(HardwareWindowTest, GridAndTabsFollowEachOther)
{
    OpenWindow();
    InsertAt(0, "VB16-40AR");
    InsertAt(1, "VE60-16DT");
    InsertAt(2, "VE70-16DR");

    Grid().SelectModuleRow(2, 1);
    EXPECT_EQ(2, Info().GetCurrentTab());
    Grid().SelectModuleRow(6, 1);
    EXPECT_EQ(0, Info().GetCurrentTab()) << "a row without page shows the note";

    // A click on tab 3 selects grid row 3.
    CTKFlatTabCtrl* tabs = Info().GetTabStrip();
    CRect tab;
    ASSERT_TRUE(tabs->GetItemRect(3, &tab));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, QPoint(tab.CenterPoint().x, tab.CenterPoint().y));
    EXPECT_EQ(3, Info().GetCurrentTab());
    EXPECT_EQ(3, Model().GetFocusRow());

    // Removing the middle module leaves a note page labelled with its row.
    Grid().SelectModuleRow(2, 1);
    m_ui.box.Answer(IDYES);
    QTest::keyClick(Grid().GetGridCtrl().GetTableView(), Qt::Key_Delete);
    EXPECT_THAT(Models(), ElementsAre("VB16-40AR", "", "VE70-16DR"));
    EXPECT_NE(nullptr, PageAt<CHWHowToView>(2));
    EXPECT_THAT(TabLabels(), ElementsAre("Note", "1", "2", "3"));

    // Down on the last row goes round to row 1.
    Grid().SelectModuleRow(Model().GetRowCount(), 1);
    QTest::keyClick(Grid().GetGridCtrl().GetTableView(), Qt::Key_Down);
    EXPECT_EQ(1, Model().GetFocusRow());
    EXPECT_EQ(1, Info().GetCurrentTab());
}

TEST_F(HardwareWindowTest, OpeningCutsTheConfigurationBackAtASecondCpu)
{
    for (BYTE code : {BYTE(5), BYTE(6), BYTE(2), BYTE(9)}) {
        auto record = std::make_unique<CZUL_Q7_PLC>();
        record->InitFromCatalog(*FindCatalogRowByCode(code));
        Project().Modules.push_back(std::move(record));
    }
    Project().CPUFamilyIndex = 2;
    m_app->ApplyVB16Profile();
    m_app->LoadAreaTable();
    OpenWindow();
    EXPECT_THAT(Models(), ElementsAre("VB16-40AR", "VE50-08DX"));
    EXPECT_THAT(TabLabels(), ElementsAre("Note", "1", "2"));
    EXPECT_NE(nullptr, PageAt<CCPUInfoView>(1));
    EXPECT_EQ(1, Info().GetCurrentTab());
}

TEST_F(HardwareWindowTest, CloseAndSaveAreRefusedWhileInconsistentWithTheModuleSelected)
{
    OpenWindow();
    InsertAt(0, "VB16-40AR");
    InsertAt(1, "VE50-08DX");
    InsertAt(2, "VE50-16DX");
    InsertAt(3, "VE60-08DT");
    QPointer<CChildFrameHW> window = m_hw;

    // An empty slot in the middle.
    Grid().SelectModuleRow(3, 1);
    m_ui.box.Answer(IDYES);
    Grid().RemoveModule();
    m_ui.box.Clear();
    IHardwareWindow* check = m_hw;
    EXPECT_FALSE(check->CheckHardwareConfig());
    EXPECT_THAT(m_ui.box.Texts(), ElementsAre(kHardwareInconsistent));
    InsertAt(2, "VE50-16DX");

    // The third module's I start typed onto the second's byte.
    auto* page = PageAt<CHWDIView>(3);
    ASSERT_NE(nullptr, page);
    page->InputStart().edit->setText(QString::number(Slot(1)->iStart));
    Grid().SelectModuleRow(1, 1);
    m_ui.box.Clear();
    m_hw->SendMessage(WM_CLOSE);
    QCoreApplication::sendPostedEvents();
    ASSERT_FALSE(window.isNull()) << "close refused";
    EXPECT_THAT(m_ui.box.Texts(), ElementsAre("I Address of Module 3 has been assigned."));
    EXPECT_EQ(3, Model().GetFocusRow());
    EXPECT_EQ(3, Info().GetCurrentTab());

    page->InputStart().edit->setText("6");
    m_ui.box.Clear();
    EXPECT_TRUE(check->CheckHardwareConfig());
    EXPECT_TRUE(m_ui.box.Texts().empty());
}

TEST_F(HardwareWindowTest, TheCheckStoresThePagesSettingsIntoTheRecords)
{
    OpenWindow();
    InsertAt(0, "VB16-40AR");
    InsertAt(1, "VE60-08DT");
    InsertAt(2, "VF60-02IV");
    auto* outputs = PageAt<CHWDOView>(2);
    auto* analog = PageAt<CHWAOView>(3);
    ASSERT_TRUE(outputs && analog);
    EXPECT_FALSE(outputs->StateBox(8)->isEnabled()) << "boxes beyond the 8 outputs";
    EXPECT_FALSE(outputs->RowLabel(1)->isEnabled());
    QTest::mouseClick(outputs->SelectAllBox(), Qt::LeftButton);
    QTest::mouseClick(outputs->StateBox(3), Qt::LeftButton);
    EXPECT_FALSE(outputs->SelectAllBox()->isChecked());

    QTest::mouseClick(analog->FreezeBox(0), Qt::LeftButton);
    EXPECT_EQ("4000", analog->FreezeValue(0)->text().toStdString());
    analog->FreezeValue(0)->setText("25000");
    EXPECT_EQ(0u, Slot(2)->stopStates[0]) << "nothing stored before the check";

    EXPECT_TRUE(m_hw->CheckHardwareConfig());
    const DWORD expected[] = {1, 1, 1, 0, 1, 1, 1, 1};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(expected[k], Slot(1)->stopStates[k]) << k;
    EXPECT_EQ(1u, Slot(2)->aoStopMode[0]);
    EXPECT_EQ(20000u, Slot(2)->aoFreezeValue[0]) << "clamped on store";
    EXPECT_EQ("20000", analog->FreezeValue(0)->text().toStdString());
}

TEST_F(HardwareWindowTest, HelpTopicsFollowThePage)
{
    OpenWindow();
    InsertAt(0, "VB16-40AR");
    const std::pair<const char*, const char*> modules[] = {
        {"VE50-08DX", "DIcanshu"}, {"VE60-08XR", "DOcanshu"}, {"VE70-08DR", "DOcanshu"},
        {"VF50-04RD", "AIcanshu"}, {"VF60-02IV", "AOcanshu"}, {"VF70-03IV", "AIOcanshu"},
    };
    std::vector<std::string> expected;
    for (size_t i = 0; i < std::size(modules); ++i) {
        InsertAt(static_cast<int>(i) + 1, modules[i].first);
        CWnd* page = Info().GetPage(static_cast<int>(i) + 2);
        ASSERT_NE(nullptr, page) << modules[i].first;
        if (auto* aio = dynamic_cast<CAioUsePic*>(page))
            page = aio->GetDialog();
        Click(page, "Help");
        expected.push_back(modules[i].second);
    }
    EXPECT_EQ(expected, Topics());
}

} // namespace

namespace {

TEST_F(HardwareWindowTest, RemoveCommandIsOfferedOnModuleRowsAndRemovesThroughTheCommandRoute)
{
    std::string error;
    ASSERT_TRUE(InitProgramResources(&error)) << error;
    const CMenu* menu = CResourceStore::Instance().FindMenu(IDR_HW_GRID_MENU);
    ASSERT_NE(nullptr, menu);
    ASSERT_NE(nullptr, menu->GetSubMenu(0));
    EXPECT_EQ(ID_HW_REMOVE_MODULE, menu->GetSubMenu(0)->GetMenuItemID(0));
    EXPECT_EQ("&Remove\tDelete", menu->GetSubMenu(0)->GetMenuString(0, MF_BYPOSITION));

    OpenWindow();
    InsertAt(0, "VB14-24DT");
    InsertAt(1, "VE60-08DT");
    const struct {
        int row;
        BOOL enabled;
    } cases[] = {{1, TRUE}, {2, TRUE}, {3, FALSE}, {5, FALSE}};
    for (const auto& c : cases) {
        Grid().SelectModuleRow(c.row, 1);
        CCmdUI update(ID_HW_REMOVE_MODULE);
        ASSERT_TRUE(update.DoUpdate(&Grid(), TRUE));
        EXPECT_EQ(c.enabled, update.IsEnabled()) << c.row;
    }
    Grid().SelectModuleRow(2, 1);
    m_ui.box.Answer(IDYES);
    Grid().OnCmdMsg(ID_HW_REMOVE_MODULE, CN_COMMAND, nullptr, nullptr);
    EXPECT_THAT(m_ui.box.Texts(), ElementsAre("Are you sure you want to remove this module?"));
    EXPECT_THAT(Models(), ElementsAre("VB14-24DT"));
    EXPECT_THAT(TabLabels(), ElementsAre("Note", "1"));
}

} // namespace

namespace {

TEST_F(HardwareWindowTest, CatalogueTooltipNeedsAClickAndTheFocusedPane)
{
    QWidget* viewport = m_tree->GetTreeCtrl().Tree()->viewport();
    m_tree->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_tree.get()));
    m_tree->GetTreeCtrl().Tree()->setFocus();
    QTest::mouseMove(viewport, Reveal(FindItem("VE60-16DT")));
    EXPECT_FALSE(m_tree->IsTooltipArmed());
    EXPECT_EQ("", m_tree->GetPendingTooltip()) << "before any click";

    QTest::mouseClick(viewport, Qt::LeftButton, {}, Reveal(FindItem("Digital Modules")));
    EXPECT_TRUE(m_tree->IsTooltipArmed());
    ASSERT_TRUE(m_tree->isAncestorOf(QApplication::focusWidget()));
    MoveOver("VE60-08XR");
    EXPECT_EQ("DO 8*Relays", m_tree->GetPendingTooltip());
    MoveOver("Analog Modules");
    EXPECT_EQ("", m_tree->GetPendingTooltip()) << "a group has no description";

    MoveOver("VE60-08XR");
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    EXPECT_FALSE(m_tree->IsTooltipArmed()) << "leaving the pane disarms it";
    EXPECT_EQ("", m_tree->GetPendingTooltip());
}

TEST_F(HardwareWindowTest, CatalogueF1LooksUpTheSelectedText)
{
    for (const char* text : {"VB14-24DT", "CPU Modules"}) {
        m_tree->GetTreeCtrl().SelectItem(FindItem(text));
        QTest::keyClick(m_tree->GetTreeCtrl().Tree(), Qt::Key_F1);
    }
    ASSERT_EQ(2u, m_ui.help.Requests().size());
    EXPECT_EQ("VB14-24DT", m_ui.help.Requests()[0].topic);
    EXPECT_EQ("CPU Modules", m_ui.help.Requests()[1].topic);
    int context = 0;
    CZULAppData::FindHelpContext("CPU Modules", context);
    EXPECT_EQ(context, m_ui.help.Requests()[1].context);
}

} // namespace

namespace {

TEST_F(HardwareWindowTest, ActivationIsReportedToTheMainFrameAndFocusesTheGrid)
{
    OpenWindow();
    ASSERT_FALSE(m_frame->activations.empty());
    EXPECT_TRUE(m_frame->activations.back());
    auto* other = new CMDIChildWnd;
    ASSERT_TRUE(other->Create("Other", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(), m_frame.get()));
    other->MDIActivate();
    EXPECT_FALSE(m_frame->activations.back());
    m_hw->MDIActivate();
    EXPECT_TRUE(m_frame->activations.back());
    EXPECT_EQ(&Grid(), m_hw->GetActiveView());
    other->DestroyWindow();
}

} // namespace

namespace {

TEST_F(HardwareWindowTest, F1OnAPageOpensItsTopicAndOnTheNoteTheFirstContext)
{
    OpenWindow();
    InsertAt(0, "VB16-40AR");
    InsertAt(1, "VE60-08XR");
    auto* page = PageAt<CHWDOView>(2);
    ASSERT_NE(nullptr, page);
    Grid().SelectModuleRow(2, 1);
    QTest::keyClick(page->OutputStart().edit, Qt::Key_F1);
    Info().SetCurrentTab(0);
    QTest::keyClick(Info().GetPage(0), Qt::Key_F1);
    const std::vector<RecordedHelp> requests = m_ui.help.Requests();
    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ("DOcanshu", requests[0].topic);
    EXPECT_EQ(1, requests[1].context);
}

} // namespace

namespace {

TEST_F(HardwareWindowTest, ARefusingCpuPageStopsTheCheckWithTheCpuSelected)
{
    auto cpu = std::make_unique<CZUL_Q7_PLC>();
    cpu->InitFromCatalog(*FindCatalogRowByCode(5));
    cpu->iEnd = 2;
    cpu->qEnd = 1;
    cpu->ports[0].stopBits = 4; // no such item: the ports page refuses
    Project().Modules.push_back(std::move(cpu));
    auto inputs = std::make_unique<CZUL_Q7_PLC>();
    inputs->InitFromCatalog(*FindCatalogRowByCode(6));
    inputs->iStart = inputs->iEnd = 3;
    Project().Modules.push_back(std::move(inputs));
    Project().CPUFamilyIndex = 2;
    m_app->ApplyVB16Profile();
    m_app->LoadAreaTable();
    OpenWindow();
    Grid().SelectModuleRow(2, 1);
    ASSERT_EQ(2, Info().GetCurrentTab());

    EXPECT_FALSE(m_hw->CheckHardwareConfig());
    EXPECT_THAT(m_ui.box.Texts(), ElementsAre("An unknown error with the StopBits of Port0. "));
    EXPECT_EQ(1, Info().GetCurrentTab());
    EXPECT_EQ(1, Model().GetFocusRow());
    auto* page = PageAt<CCPUInfoView>(1);
    ASSERT_TRUE(page && page->GetSheet());
    EXPECT_EQ(&page->GetSheet()->ComPage(), page->GetSheet()->GetActivePage());
}

} // namespace

namespace {

TEST_F(HardwareWindowTest, EachKindGetsItsPage)
{
    const BYTE codes[] = {5, 7, 11, 17, 22, 23, 24, 42};
    for (BYTE code : codes) {
        auto record = std::make_unique<CZUL_Q7_PLC>();
        record->InitFromCatalog(*FindCatalogRowByCode(code));
        Project().Modules.push_back(std::move(record));
    }
    Project().Modules[4]->aiFunction[0] = 4;
    Project().CPUFamilyIndex = 2;
    m_app->ApplyVB16Profile();
    m_app->LoadAreaTable();
    OpenWindow();
    EXPECT_NE(nullptr, PageAt<CCPUInfoView>(1));
    EXPECT_NE(nullptr, PageAt<CHWDIView>(2));
    EXPECT_NE(nullptr, PageAt<CHWDOView>(3));
    EXPECT_NE(nullptr, PageAt<CHWDIOView>(4));
    auto* ntc = PageAt<CHWAIView>(5);
    ASSERT_NE(nullptr, ntc);
    EXPECT_EQ("mfd502-3470", ntc->FunctionList(0)->currentText().toStdString());
    EXPECT_FALSE(ntc->FunctionList(0)->isEnabled()) << "the NTC function cannot be changed";
    EXPECT_EQ(1, ntc->FunctionList(0)->count());
    EXPECT_NE(nullptr, PageAt<CHWAOView>(6));
    EXPECT_NE(nullptr, PageAt<CHWAIOScrView>(7));
    EXPECT_NE(nullptr, PageAt<CAioUsePic>(8));
    EXPECT_THAT(TabLabels(), ElementsAre("Note", "1", "2", "3", "4", "5", "6", "7", "8"));
    Slot(4)->aiFunction[0] = 0;
    ASSERT_TRUE(ntc->ApplyToModule());
    EXPECT_EQ(4, Slot(4)->aiFunction[0]) << "the NTC code is stored as 4";
}

TEST_F(HardwareWindowTest, CanOpenCpusGetTheCanOpenFrame)
{
    auto record = std::make_unique<CZUL_Q7_PLC>();
    record->InitFromCatalog(*FindCatalogRowByCode(47));
    Project().Modules.push_back(std::move(record));
    OpenWindow();
    EXPECT_NE(nullptr, PageAt<CCanOpenFrame>(1));
}

} // namespace
