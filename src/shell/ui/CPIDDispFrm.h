#pragma once
// The PID trend window: an MDI child whose client is a flat tab strip
// holding its view (by class name), and the sampling worker the view runs.

#include "platform/ui/CMDIChildWnd.h"
#include "plclink/PIDModbus.h"

#include <memory>

class CTKFlatTabCtrl;

class CPIDDispFrm : public CMDIChildWnd {
    DECLARE_DYNCREATE(CPIDDispFrm)
public:
    CPIDDispFrm();
    ~CPIDDispFrm() override;

    CTKFlatTabCtrl* GetTabStrip() const { return m_tabs.get(); }
    CWnd* GetView() const { return m_view; }
    // The sampling worker of the trend display; it ends before the port closes.
    CPIDModbusWorker& GetWorker() { return m_worker; }

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnClose() override;
    void OnDestroy() override;

private:
    std::unique_ptr<CTKFlatTabCtrl> m_tabs;
    CWnd* m_view = nullptr;
    CPIDModbusWorker m_worker;
};
