#pragma once
// The tab page of a CANopen-capable CPU: the CPU property sheet with the
// CANopen master configuration as its fourth page, inside the frame of
// dialog template 4032. It has no buttons; each page answers F1 itself.

#include "platform/ui/CFormView.h"

#include <memory>

class CSheetCPU;
class CZULAppData;
class CZUL_Q7_PLC;

constexpr UINT IDD_CANOPEN_FRAME = 4032;
constexpr UINT IDC_CANOPEN_SHEET_FRAME = 4287;

class CCanOpenFrame : public CFormView {
    DECLARE_DYNAMIC(CCanOpenFrame)
public:
    explicit CCanOpenFrame(CZULAppData& app);
    ~CCanOpenFrame() override;

    void SetModule(CZUL_Q7_PLC* module) { m_module = module; }
    CSheetCPU* GetSheet() const { return m_sheet.get(); }

    void OnInitialUpdate() override;

protected:
    void OnDestroy() override;

private:
    CZULAppData& m_app;
    std::unique_ptr<CSheetCPU> m_sheet;
    CZUL_Q7_PLC* m_module = nullptr;
};
