#pragma once
// A chain of modal pages run one at a time: each page ends with the page to
// run next (or none), the wizard destroys it and only then constructs and
// runs the next one, so moving forward and back never nests dialogs.

#include "platform/ui/CWizardPage.h"

#include <functional>
#include <memory>

class QWidget;

class CWizard {
public:
    // Makes the page of a dialog id; null for an unknown id.
    using PageFactory = std::function<std::unique_ptr<CWizardPage>(UINT dialogId, QWidget* parent)>;

    CWizard(PageFactory factory, QWidget* parent = nullptr);
    ~CWizard();

    // Runs the chain from the first page until a page ends it.
    void Run(UINT firstPage);

    // Stepwise, as Run does it: the first page made (not shown modally), then
    // each Advance ends the page that has closed and makes the next one.
    BOOL Start(UINT firstPage);
    BOOL Advance();
    CWizardPage* CurrentPage() const { return m_page.get(); }

private:
    PageFactory m_factory;
    QWidget* m_parent;
    std::unique_ptr<CWizardPage> m_page;
};
