#pragma once
// One page of a property sheet, made from a dialog template: its caption is
// the sheet's tab text. Its window is created the first time the sheet
// brings it to the front; OnInitDialog then builds the controls and loads
// the values. The page model of a settings page: load (OnInitDialog),
// factory values (SetDefaultSettings), the stored values again
// (ReloadSettings) and the store (OnApply). F1 inside the page calls its
// OnHelp and passes the key on.

#include "platform/ui/CWnd.h"

#include <string>

class CPropertySheet;

class CPropertyPage : public CWnd {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage(UINT templateId, const std::string& caption);
    ~CPropertyPage() override;

    UINT GetTemplateId() const { return m_templateId; }
    const std::string& GetCaption() const { return m_caption; }
    // The sheet the page belongs to; null before AddPage.
    CPropertySheet* GetSheet() const { return m_sheet; }
    void SetSheet(CPropertySheet* sheet) { m_sheet = sheet; }

    virtual BOOL OnInitDialog();
    // The page came to the front (after its initialisation the first time) or left it.
    virtual void OnSetActive() {}
    virtual void OnKillActive() {}
    // The page's controls changed: the sheet offers Apply.
    void SetModified(BOOL changed = TRUE);
    virtual void SetDefaultSettings() {}
    virtual void ReloadSettings() {}
    // Validates and stores the page; FALSE after the page showed why not.
    virtual BOOL OnApply() { return TRUE; }
    // F1 reached the page: a page with a help topic opens it.
    virtual void OnHelp() {}

    BOOL PreTranslateMessage(MSG* msg) override;

private:
    UINT m_templateId;
    std::string m_caption;
    CPropertySheet* m_sheet = nullptr;
};
