#pragma once
// The CPU's tab page in the hardware window: the CPU property sheet inside
// the frame of dialog template 170, with "Default", "Cancel" and "Help"
// acting on the page in front. F1 in the view's own controls opens the help
// of the page in front; inside a page the page answers it.

#include "platform/ui/CFormView.h"

#include <memory>

class CSheetCPU;
class CZULAppData;
class CZUL_Q7_PLC;
class QPushButton;

constexpr UINT IDD_CPU_INFO_VIEW = 170;
constexpr UINT IDC_CPU_SHEET_FRAME = 2044;
constexpr UINT IDC_CPU_DEFAULT = 997;
constexpr UINT IDC_CPU_CANCEL = 1015;
constexpr UINT IDC_CPU_HELP = 1016;

class CCPUInfoView : public CFormView {
    DECLARE_DYNAMIC(CCPUInfoView)
public:
    explicit CCPUInfoView(CZULAppData& app);
    ~CCPUInfoView() override;

    // Set by the module page host before the initial update.
    void SetModule(CZUL_Q7_PLC* module) { m_module = module; }
    // Null when the sheet's window could not be created.
    CSheetCPU* GetSheet() const { return m_sheet.get(); }

    void OnInitialUpdate() override;
    void OnDefault();
    void OnCancel();
    void OnHelp();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnDestroy() override;

private:
    CZULAppData& m_app;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_default = nullptr;
    std::unique_ptr<CSheetCPU> m_sheet;
    CZUL_Q7_PLC* m_module = nullptr;
};
