#pragma once
// The property sheet inside the CANopen configuration page: the master and
// global settings page, the network page, the mapping page and the address
// overview, all
// initialised at once when the sheet's window is created, the network page
// in front. The overview reads the network page's working slave list.

#include "CCanOpenCrossRef.h"
#include "CCanOpenMapOD.h"
#include "CCanOpenNetwork.h"
#include "CMasterAndGlobal.h"
#include "platform/ui/CPropertySheet.h"

#include <string>

class CZULAppData;

class CCanOpenSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CCanOpenSheet)
public:
    // userCanOpenFolder: where imported slave-type files lie.
    CCanOpenSheet(CZULAppData& app, const std::string& userCanOpenFolder, CWnd* parentWnd);
    ~CCanOpenSheet() override;

    CMasterAndGlobal& MasterPage() { return m_masterPage; }
    CCanOpenNetwork& NetworkPage() { return m_networkPage; }
    CCanOpenMapOD& MapPage() { return m_mapPage; }
    CCanOpenCrossRef& CrossRefPage() { return m_crossRefPage; }

    BOOL OnInitDialog() override;

private:
    CMasterAndGlobal m_masterPage;
    CCanOpenNetwork m_networkPage;
    CCanOpenMapOD m_mapPage;
    CCanOpenCrossRef m_crossRefPage;
};
