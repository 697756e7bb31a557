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
#include <vector>

class CPropertyPage;
class QTabWidget;

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

protected:
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
};
