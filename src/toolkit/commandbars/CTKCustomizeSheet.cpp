#include "toolkit/commandbars/CTKCustomizeSheet.h"

#include "toolkit/commandbars/CTKCustomizeToolbarsPage.h"

IMPLEMENT_DYNAMIC(CTKCustomizeSheet, CPropertySheet)

CTKCustomizeSheet::CTKCustomizeSheet(CTKCommandBars* bars, CWnd* parent)
    : CPropertySheet("Customize", parent), m_pCommandBars(bars),
      m_toolbarsPage(std::make_unique<CTKCustomizeToolbarsPage>(this))
{
    AddPage(m_toolbarsPage.get());
}

CTKCustomizeSheet::~CTKCustomizeSheet()
{
    ForgetPage(m_toolbarsPage.get());
}
