#pragma once
// A property sheet: a tab per page, in the order the pages were added, the
// caption of each page's template as its tab text. The sheet does not own
// its pages. A page's window is created, and the page initialised, the
// first time it comes to the front. The sheet is either a child window
// inside another window (Create) or a modal dialog with "OK" and "Cancel"
// (DoModal), whose "OK" applies every initialised page in tab order and
// closes only when all of them stored.

#include "platform/ui/CWnd.h"

#include <string>
#include <utility>
#include <vector>

class CPropertyPage;
class QPushButton;
class QTabWidget;

// Buttons a modal sheet may show beside OK and Cancel.
constexpr UINT SHEET_APPLY_BUTTON = 0x1;
constexpr UINT SHEET_HELP_BUTTON = 0x2;
constexpr int ID_APPLY_NOW = 12321;
constexpr int ID_SHEET_HELP = 5;

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(const std::string& caption, CWnd* parentWnd = nullptr);
    ~CPropertySheet() override;

    // Appends a page; once the window exists the page becomes the last tab.
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // Brings the page to the front, creating and initialising it first.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    std::string GetTabText(int index) const;
    // The tab control with the pages; null before the window exists.
    QTabWidget* GetTabControl() const { return m_tabs; }
    // A page that goes before the sheet leaves it with its tab.
    void ForgetPage(CPropertyPage* page);

    // The sheet as a child window of the parent (style WS_CHILD, WS_VISIBLE, ...).
    BOOL Create(CWnd* parent, DWORD style);
    // The sheet as a modal dialog; IDOK or IDCANCEL.
    int DoModal();

    // After the window exists: the first page comes to the front.
    virtual BOOL OnInitDialog();

    // The buttons of the next modal run beside OK and Cancel (SHEET_*_BUTTON).
    // Apply starts greyed; a page's SetModified enables it.
    void SetModalButtons(UINT buttons) { m_modalButtons = buttons; }
    // A page reported a change: Apply becomes available.
    void OnPageModified();
    // Whether the running modal sheet's Apply button is enabled.
    BOOL IsApplyEnabled() const;
    // Presses a button of the running modal sheet as the user would (IDOK,
    // IDCANCEL, ID_APPLY_NOW, ID_SHEET_HELP); FALSE when it is absent or greyed.
    BOOL PressButton(int id);

protected:
    // Apply: the page in front stores; on success Apply is greyed again.
    virtual void OnApplyNow();
    // Help: the page in front opens its help.
    virtual void OnHelpButton();

    void OnSize(UINT type, int cx, int cy) override;

private:
    BOOL CreateSheetWindow(CWnd* parent, DWORD style);
    void InsertTab(CPropertyPage* page);
    BOOL CreatePageWindow(CPropertyPage* page);
    // The page in front leaves it, the page of the index comes to it.
    void ActivateTab(int index);
    BOOL ApplyInitialisedPages();
    void ReleaseTabs();

    std::string m_caption;
    CWnd* m_parentWnd = nullptr;
    std::vector<CPropertyPage*> m_pages;
    QTabWidget* m_tabs = nullptr;
    int m_activeIndex = -1;
    UINT m_modalButtons = 0;
    // The running modal sheet's buttons by id; empty between runs.
    std::vector<std::pair<int, QPushButton*>> m_buttons;
};
