#pragma once
// The CPU page of a VC16 CPU with its CANopen master, as the hardware
// window shows it; ShowCanOpenTab brings the CANopen tab to the front,
// which creates the CANopen sheet over the project's settings.

#include "hardware/CpuPagesFixture.h"
#include "hardware/canopen/ui/CCanOpenCfg.h"
#include "hardware/canopen/ui/CCanOpenSheet.h"
#include "hardware/canopen/ui/RegisterCanopenUiClasses.h"
#include "hardware/ui/CCanOpenFrame.h"
#include "hardware/ui/CSheetCPU.h"
#include "platform/ui/CMessagePump.h"

#include <QTabWidget>

#include <memory>
#include <string>

class CanOpenSheetFixture : public CpuPagesFixture {
protected:
    static constexpr int kCanOpenTab = 3;

    void SetUp() override
    {
        CpuPagesFixture::SetUp();
        CMessagePump::Install();
        std::string error;
        ASSERT_TRUE(RegisterCanopenUiClasses(&error)) << error;
    }
    void TearDown() override
    {
        m_frame.reset();
        CpuPagesFixture::TearDown();
    }

    // The CPU page over the project as it stands.
    CSheetCPU& OpenFrame()
    {
        CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VC16);
        m_frame = std::make_unique<CCanOpenFrame>(*m_app);
        m_frame->Create(nullptr, CRect(0, 0, kFrameWidth, kFrameHeight), 0, WS_VISIBLE);
        m_frame->SetModule(&cpu);
        m_frame->OnInitialUpdate();
        return *m_frame->GetSheet();
    }
    CCanOpenCfg* CanOpenPage() { return dynamic_cast<CCanOpenCfg*>(m_frame->GetSheet()->CanOpenPage()); }
    // The CANopen tab to the front, as a click on it does; its sheet.
    CCanOpenSheet* ShowCanOpenTab()
    {
        m_frame->GetSheet()->GetTabControl()->setCurrentIndex(kCanOpenTab);
        return CanOpenPage() ? CanOpenPage()->GetCanOpenSheet() : nullptr;
    }

    std::unique_ptr<CCanOpenFrame> m_frame;

private:
    static constexpr int kFrameWidth = 1200;
    static constexpr int kFrameHeight = 900;
};
