#include "CWizard.h"

#include <utility>

CWizard::CWizard(PageFactory factory, QWidget* parent)
    : m_factory(std::move(factory))
    , m_parent(parent)
{
}

CWizard::~CWizard() = default;

BOOL CWizard::Start(UINT firstPage)
{
    m_page = m_factory(firstPage, m_parent);
    return m_page ? TRUE : FALSE;
}

BOOL CWizard::Advance()
{
    if (!m_page)
        return FALSE;
    const UINT next = m_page->GetNextPage();
    m_page.reset();
    if (next == WIZARD_END)
        return FALSE;
    return Start(next);
}

void CWizard::Run(UINT firstPage)
{
    if (!Start(firstPage))
        return;
    do {
        m_page->exec();
    } while (Advance());
}
