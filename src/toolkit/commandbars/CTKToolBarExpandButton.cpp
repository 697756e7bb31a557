#include "toolkit/commandbars/CTKToolBarExpandButton.h"

#include "platform/ui/CResourceStore.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupToolBar.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

namespace {

constexpr DWORD kExpandFlags = kTKFlagPopupLeft | kTKFlagNoUpdate | kTKFlagNoCustomize;

} // namespace

CTKToolBarExpandButton::CTKToolBarExpandButton()
{
    m_nType = kTKControlButtonPopup;
    m_dwFlags = kExpandFlags;
}

void CTKToolBarExpandButton::SetRect(const CRect& rect)
{
    CTKControlPopup::SetRect(rect);
    m_bHiddenControls = FALSE;
    const CTKControls* controls = GetControls();
    for (int i = 0; controls && i < controls->GetCount(); ++i)
        if (controls->GetAt(i)->GetHideFlags() == kTKHideWrap)
            m_bHiddenControls = TRUE;
}

void CTKToolBarExpandButton::Draw(CDC* dc)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    CTKCommandBar* bar = GetParent();
    if (!renderer || !bar)
        return;
    const BOOL floating = bar->GetPosition() == kTKPositionFloating;
    CSize size;
    BOOL hidden = m_bHiddenControls;
    renderer->DrawSpecialControl(&size, dc, floating ? kTKSpecialDropDown : kTKSpecialExpand, this, bar, TRUE, &hidden);
}

BOOL CTKToolBarExpandButton::SetPopuped(BOOL popuped)
{
    if (!popuped)
        return CTKControlPopup::SetPopuped(FALSE);
    auto* bar = dynamic_cast<CTKToolBar*>(m_pParent);
    CTKCommandBars* bars = bar ? bar->GetCommandBars() : nullptr;
    if (!bars)
        return FALSE;
    CTKPopupToolBar* popup = CTKPopupToolBar::NewPopupToolBar(bars);
    SetCommandBar(popup);
    popup->InternalRelease();
    bars->FillExpandPopup(bar, popup);
    const BOOL addRemove = bars->GetCommandBarsOptions()->bShowExpandButtonAlways || bars->IsCustomizeAvailable();
    if (addRemove) {
        auto* item = new CTKControlPopup;
        std::string caption;
        CResourceStore::Instance().FindString(kTKAddRemoveButtonsString, &caption);
        item->SetCaption(caption);
        item->SetBeginGroup(popup->GetControlCount() > 1);
        CTKPopupBar* list = CTKPopupBar::NewPopupBar(bars);
        item->SetCommandBar(list);
        list->InternalRelease();
        popup->GetControls()->InsertControl(item, kTKSubmenuItemId);
        bars->FillAddRemovePopup(bar, list);
    } else {
        popup->SetMRUWidth(kTKExpandPopupWidth);
    }
    const BOOL opened = CTKControlPopup::SetPopuped(TRUE);
    RedrawParent();
    return opened;
}
