#include "WorkbenchFixture.h"
#include "hardware/HardwareTexts.h"
#include "hardware/ui/CChildFrameHW.h"
#include "hardware/ui/RegisterHardwareUiClasses.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"

#include <gmock/gmock.h>

namespace {

class HardwareSaveCheckTest : public WorkbenchFixture {
protected:
    void Append(BYTE code)
    {
        auto record = std::make_unique<CZUL_Q7_PLC>();
        if (code != 0)
            record->InitFromCatalog(*FindCatalogRowByCode(code));
        else
            record.reset();
        g_pAppData->Project.Modules.push_back(std::move(record));
    }
};

TEST_F(HardwareSaveCheckTest, TheMainFrameRunsTheCheckOnlyWhileTheHardwareWindowIsOpen)
{
    std::string error;
    ASSERT_TRUE(RegisterHardwareUiClasses(&error)) << error;
    Start();
    ASSERT_NE(nullptr, g_pAppData);
    g_pAppData->Project.CPUFamilyIndex = CpuFamilyIndexFromHardwareCode(5);
    g_pAppData->ApplyVB16Profile();
    g_pAppData->LoadAreaTable();
    Append(5);
    Append(0);
    Append(6);
    EXPECT_TRUE(m_frame->CheckHardwareConfig()) << "no hardware window";

    m_frame->OpenHardwareWindow();
    CSingletonSlot& slot = m_frame->GetSlot(SingletonWindow::Hardware);
    ASSERT_TRUE(slot.open);
    ASSERT_NE(nullptr, dynamic_cast<CChildFrameHW*>(slot.frame.data()));
    m_ui.box.Clear();
    EXPECT_FALSE(m_frame->CheckHardwareConfig());
    EXPECT_THAT(m_ui.box.Texts(), ::testing::ElementsAre(kHardwareInconsistent));

    auto& modules = g_pAppData->Project.Modules;
    modules[0]->iEnd = 2;
    modules[0]->qEnd = 1;
    modules[1] = std::make_unique<CZUL_Q7_PLC>();
    modules[1]->InitFromCatalog(*FindCatalogRowByCode(6));
    modules[1]->iStart = modules[1]->iEnd = 3;
    modules[2]->iStart = modules[2]->iEnd = 4;
    m_ui.box.Clear();
    EXPECT_TRUE(m_frame->CheckHardwareConfig());
    EXPECT_TRUE(m_ui.box.Texts().empty()) << (m_ui.box.Texts().empty() ? "" : m_ui.box.Texts().front());
}

} // namespace
