#pragma once
// The Cross Reference window: an MDI child whose client is a flat tab strip
// holding its view; the view comes by class name.

#include "platform/ui/CMDIChildWnd.h"

#include <memory>

class CTKFlatTabCtrl;
class ICrossRefHost;

class CChFrmCrossRef : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChFrmCrossRef)
public:
    CChFrmCrossRef();
    ~CChFrmCrossRef() override;

    CTKFlatTabCtrl* GetTabStrip() const { return m_tabs.get(); }
    CWnd* GetView() const { return m_view; }

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnClose() override;

private:
    ICrossRefHost* FindCrossRefHost();

    std::unique_ptr<CTKFlatTabCtrl> m_tabs;
    CWnd* m_view = nullptr;
};
