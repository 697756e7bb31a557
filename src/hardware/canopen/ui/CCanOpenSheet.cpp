#include "CCanOpenSheet.h"

#include "hardware/canopen/CanOpenTexts.h"
#include "model/CZULAppData.h"

IMPLEMENT_DYNAMIC(CCanOpenSheet, CPropertySheet)

CCanOpenSheet::CCanOpenSheet(CZULAppData& app, const std::string& userCanOpenFolder, CWnd* parentWnd)
    : CPropertySheet(kMessageCaption, parentWnd), m_masterPage(app.Project), m_networkPage(app, userCanOpenFolder),
      m_mapPage(app, m_networkPage),
      m_crossRefPage(app, m_networkPage.Model().SlaveGrid())
{
    AddPage(&m_masterPage);
    AddPage(&m_networkPage);
    AddPage(&m_mapPage);
    AddPage(&m_crossRefPage);
}

CCanOpenSheet::~CCanOpenSheet() = default;

BOOL CCanOpenSheet::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    // Every page loads the project's settings now, not when first shown.
    SetActivePage(&m_crossRefPage);
    SetActivePage(&m_mapPage);
    SetActivePage(&m_masterPage);
    SetActivePage(&m_networkPage);
    return TRUE;
}
