#pragma once
// The property sheet inside the CANopen configuration page: the master and
// global settings page, all its pages initialised at once when its window
// is created.

#include "CMasterAndGlobal.h"
#include "platform/ui/CPropertySheet.h"

class CZULProject;

class CCanOpenSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CCanOpenSheet)
public:
    CCanOpenSheet(CZULProject& project, CWnd* parentWnd);
    ~CCanOpenSheet() override;

    CMasterAndGlobal& MasterPage() { return m_masterPage; }

    BOOL OnInitDialog() override;

private:
    CMasterAndGlobal m_masterPage;
};
