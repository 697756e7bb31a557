#include "toolkit/commandbars/CTKToolBarExpandButton.h"

#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControls.h"
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
    CTKControlButton::SetRect(rect);
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
