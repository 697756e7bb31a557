#include "toolkit/commandbars/CTKPopupToolBar.h"

IMPLEMENT_SERIAL(CTKPopupToolBar, CTKPopupBar, 0x80000006)

CTKPopupToolBar::CTKPopupToolBar()
{
    m_nBarType = kTKBarToolbar;
}

CTKPopupToolBar* CTKPopupToolBar::NewPopupToolBar(CTKCommandBars* commandBars)
{
    auto* popup = new CTKPopupToolBar;
    popup->SetCommandBars(commandBars);
    return popup;
}
