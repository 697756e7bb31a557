// Double-clicking the HW Catalog of the running program over the hardware
// window: a row that the slot under the focus does not take changes
// nothing and says why.

#include "WorkbenchFixture.h"

#include "hardware/HardwareTexts.h"
#include "hardware/CHardwareGridModel.h"
#include "hardware/ui/CChildFrameHW.h"
#include "hardware/ui/CHardwareGridView.h"
#include "hardware/ui/CQ7PLCTreeView.h"
#include "hardware/ui/RegisterHardwareUiClasses.h"
#include "model/CZUL_Q7_PLC.h"
#include "platform/ui/CTreeCtrl.h"
#include "support/ModalScript.h"

#include <QTest>
#include <QTreeWidget>

namespace {

constexpr UINT kNewProjectCommand = 32695;
constexpr int kFirstDataColumn = 1;
constexpr UINT kRemoveModuleCommand = 32852;

class HardwareCatalogRoadTest : public WorkbenchFixture {
protected:
    void SetUp() override
    {
        WorkbenchFixture::SetUp();
        std::string error;
        ASSERT_TRUE(RegisterHardwareUiClasses(&error)) << error;
    }
    // A new project (its CPU in slot 0), the hardware window and the catalogue pane.
    void OpenHardware()
    {
        Start();
        App().DefaultPOULang = 1;
        AnswerFileDialog(m_folder / "Rack.qpj");
        Command(kNewProjectCommand);
        ASSERT_EQ(App().ProjectOpen, 1);
        m_frame->OpenHardwareWindow();
        auto* hardware = dynamic_cast<CChildFrameHW*>(m_frame->GetSlot(SingletonWindow::Hardware).frame.data());
        ASSERT_NE(hardware, nullptr);
        m_grid = hardware->GetGridView();
        ASSERT_NE(m_grid, nullptr);
        // The user brings the catalogue's tab to the front of its group.
        m_frame->OpenPane(ID_PANE_HWCATALOG);
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_frame->GetPaneView(ID_PANE_HWCATALOG) != nullptr; }));
        m_catalog = dynamic_cast<CQ7PLCTreeView*>(m_frame->GetPaneView(ID_PANE_HWCATALOG));
        ASSERT_NE(m_catalog, nullptr);
        // The grid stays the hardware window's active view.
        hardware->SetActiveView(m_grid);
    }
    HTREEITEM FindItem(const std::string& text)
    {
        CTreeCtrl& tree = m_catalog->GetTreeCtrl();
        for (HTREEITEM root = tree.GetRootItem(); root; root = tree.GetNextSiblingItem(root))
            for (HTREEITEM item = tree.GetChildItem(root); item; item = tree.GetNextSiblingItem(item))
                if (tree.GetItemText(item) == text)
                    return item;
        return nullptr;
    }
    void DoubleClick(const std::string& model)
    {
        HTREEITEM item = FindItem(model);
        ASSERT_NE(item, nullptr) << model;
        CTreeCtrl& tree = m_catalog->GetTreeCtrl();
        tree.Tree()->scrollToItem(item);
        CRect text;
        ASSERT_TRUE(tree.GetItemRect(item, &text, TRUE));
        const QPoint point =
            tree.Tree()->viewport()->mapFrom(m_catalog, QPoint(text.left + 3, (text.top + text.bottom) / 2));
        QTest::mouseDClick(tree.Tree()->viewport(), Qt::LeftButton, {}, point);
    }
    std::vector<std::string> Models()
    {
        std::vector<std::string> models;
        for (const auto& record : App().Project.Modules)
            models.push_back(record ? record->model : "");
        return models;
    }

    CHardwareGridView* m_grid = nullptr;
    CQ7PLCTreeView* m_catalog = nullptr;
};

} // namespace

TEST_F(HardwareCatalogRoadTest, ARowTheFocusedSlotDoesNotTakeIsRefusedWithItsReason)
{
    ASSERT_NO_FATAL_FAILURE(OpenHardware());
    const std::vector<std::string> before = Models();
    ASSERT_FALSE(before.empty());

    struct Case {
        int focusRow;   // grid row, 1 = the CPU slot
        const char* model;
        const char* message;
    };
    const Case cases[] = {
        {1, "VB14-24DT", kSlotTakenMessage},
        {1, "VE50-08DX", kSlotTakenMessage},
        {2, "VB14-24DT", kCpuNotHereMessage},
    };
    for (const Case& c : cases) {
        m_ui.box.Clear();
        m_grid->GetModel()->SelectModuleRow(c.focusRow, kFirstDataColumn);
        ASSERT_NO_FATAL_FAILURE(DoubleClick(c.model));
        const std::vector<RecordedMessage> boxes = m_ui.box.Messages();
        ASSERT_EQ(boxes.size(), 1u) << c.model;
        EXPECT_EQ(boxes[0].caption, "Note");
        EXPECT_EQ(boxes[0].text, c.message) << c.model;
        EXPECT_EQ(Models(), before) << c.model;
    }

    // The way the message names: remove the CPU, then insert the new one.
    m_ui.box.Clear();
    m_ui.box.Answer(IDYES);
    m_grid->GetModel()->SelectModuleRow(1, kFirstDataColumn);
    m_grid->SendMessage(WM_COMMAND, kRemoveModuleCommand);
    ASSERT_TRUE(Models().empty() || Models()[0].empty());
    m_grid->GetModel()->SelectModuleRow(1, kFirstDataColumn);
    DoubleClick("VB14-24DT");
    ASSERT_FALSE(Models().empty());
    EXPECT_EQ(Models()[0], "VB14-24DT");
}
