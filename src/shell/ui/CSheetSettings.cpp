#include "CSheetSettings.h"

#include "model/CZULAppData.h"

IMPLEMENT_DYNAMIC(CSheetSettings, CPropertySheet)

namespace {

constexpr char OPTIONS_CAPTION[] = "Options";

} // namespace

CSheetSettings::CSheetSettings(CZULAppData& app, CWnd* parentWnd)
    : CPropertySheet(OPTIONS_CAPTION, parentWnd), m_app(app), m_generalPage(app), m_filterPage(app)
{
    AddPage(&m_generalPage);
    AddPage(&m_filterPage);
    SetModalButtons(SHEET_APPLY_BUTTON | SHEET_HELP_BUTTON);
}

BOOL CSheetSettings::OnInitDialog()
{
    // Both pages initialise, so that OK applies both even when one was never shown.
    SetActivePage(&m_generalPage);
    SetActivePage(&m_filterPage);
    if (m_app.XrefOptionsRequest == 1) {
        m_app.XrefOptionsRequest = 0;
        return TRUE;
    }
    SetActivePage(&m_generalPage);
    return TRUE;
}
