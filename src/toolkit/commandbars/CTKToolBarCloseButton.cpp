#include "toolkit/commandbars/CTKToolBarCloseButton.h"

#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

namespace {

constexpr DWORD kCloseFlags = kTKFlagSkipKeyboard | kTKFlagNoUpdate | kTKFlagNoCustomize;

} // namespace

CTKToolBarCloseButton::CTKToolBarCloseButton()
{
    m_nType = kTKControlButton;
    m_dwFlags = kCloseFlags;
}

void CTKToolBarCloseButton::Draw(CDC* dc)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    if (!renderer)
        return;
    CSize size;
    renderer->DrawSpecialControl(&size, dc, kTKSpecialClose, this, GetParent(), TRUE, nullptr);
}

void CTKToolBarCloseButton::Execute()
{
    if (CTKCommandBar* bar = GetParent())
        bar->SetVisible(FALSE);
}
