#pragma once
// The CPU property sheet that the CPU's form views embed: pages I/O
// Configuration, Communication Ports and Retentive Ranges, and in the
// CANopen frame a fourth page, the CANopen master configuration, created by
// class name so that this library does not depend on the CANopen windows.

#include "hardware/ui/CPageCPUCom.h"
#include "hardware/ui/CPageCPUIO.h"
#include "hardware/ui/CPageCPURetain.h"
#include "platform/ui/CPropertySheet.h"

#include <memory>

class CZULAppData;
class CZUL_Q7_PLC;

// The run-time class of the CANopen configuration page.
inline constexpr const char* CANOPEN_CONFIG_PAGE_CLASS = "CCanOpenCfg";

class CSheetCPU : public CPropertySheet {
    DECLARE_DYNAMIC(CSheetCPU)
public:
    CSheetCPU(CZULAppData& app, CWnd* parentWnd);
    ~CSheetCPU() override;

    // The CPU's record; set before the window is created.
    void SetModule(CZUL_Q7_PLC* module);
    CZUL_Q7_PLC* GetModule() const { return m_module; }
    CZULAppData& GetAppData() const { return m_app; }

    CPageCPUIO& IOPage() { return m_ioPage; }
    CPageCPUCom& ComPage() { return m_comPage; }
    CPageCPURetain& RetainPage() { return m_retainPage; }
    // Null until AddCanOpenPage found the class.
    CPropertyPage* CanOpenPage() const { return m_canOpenPage.get(); }

    // Creates the CANopen page by class name and adds it as the last tab;
    // FALSE while that class is not registered.
    BOOL AddCanOpenPage();

    // Applies I/O, communication, retentive and CANopen pages in turn; the
    // first that refuses (it showed why) comes to the front and stops the rest.
    BOOL ApplyPages();

    BOOL OnInitDialog() override;

private:
    CZULAppData& m_app;
    CPageCPUIO m_ioPage;
    CPageCPUCom m_comPage;
    CPageCPURetain m_retainPage;
    std::unique_ptr<CPropertyPage> m_canOpenPage;
    CZUL_Q7_PLC* m_module = nullptr;
};
