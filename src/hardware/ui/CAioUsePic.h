#pragma once
// The page of an analog input/output module with two inputs: a frame that
// holds the module's parameter dialog.

#include "platform/ui/CFormView.h"

#include <memory>

class CModuleParamDlg;
class CZUL_Q7_PLC;
class IModuleGridRedraw;

class CAioUsePic : public CFormView {
    DECLARE_DYNCREATE(CAioUsePic)
public:
    CAioUsePic();
    ~CAioUsePic() override;

    void SetModule(CZUL_Q7_PLC* module) { m_module = module; }
    void SetGridRedraw(IModuleGridRedraw* grid) { m_grid = grid; }
    // Null when the dialog could not be made.
    CModuleParamDlg* GetDialog() const { return m_dialog; }

    void OnInitialUpdate() override;
    BOOL ApplyToModule();

private:
    CZUL_Q7_PLC* m_module = nullptr;
    IModuleGridRedraw* m_grid = nullptr;
    CModuleParamDlg* m_dialog = nullptr; // child window of the frame control
};
