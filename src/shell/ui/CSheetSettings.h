#pragma once
// The modal "Options" sheet: the General page and the cross-reference
// filter page, with Apply and Help beside OK and Cancel. OK applies both
// pages, Apply only the page in front, Cancel nothing. The filter page is
// in front when the cross-reference window asked for the sheet.

#include "platform/ui/CPropertySheet.h"
#include "shell/ui/CPageGenSetting.h"
#include "shell/ui/CPropSelCross.h"

class CZULAppData;

class CSheetSettings : public CPropertySheet {
    DECLARE_DYNAMIC(CSheetSettings)
public:
    explicit CSheetSettings(CZULAppData& app, CWnd* parentWnd = nullptr);

    CPageGenSetting& GeneralPage() { return m_generalPage; }
    CPropSelCross& FilterPage() { return m_filterPage; }

    BOOL OnInitDialog() override;

private:
    CZULAppData& m_app;
    CPageGenSetting m_generalPage;
    CPropSelCross m_filterPage;
};
