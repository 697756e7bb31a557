#include "toolkit/docking/CTKDockingPaneRendererThemed.h"

#include "toolkit/docking/tabs/CTKTabRenderer.h"

namespace {

constexpr int kThemedColors = 8;

} // namespace

CTKDockingPaneRendererThemed::CTKDockingPaneRendererThemed()
{
    for (CTKTabRenderer* tabs : {m_containerTabs.get(), m_stripTabs.get()}) {
        tabs->SetLook(0);
        tabs->SetColors(kThemedColors);
        tabs->SetHotTracking(TRUE);
    }
}
