#include "toolkit/commandbars/CTKControlExpandButton.h"

#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

CTKControlExpandButton::CTKControlExpandButton()
{
    m_nId = kTKMenuExpandButtonId;
    m_dwFlags = kTKFlagNoCustomize | kTKFlagNoUpdate | kTKFlagSkipKeyboard;
    m_bTemporary = TRUE;
}

CSize CTKControlExpandButton::GetSize(CDC* dc)
{
    CSize size;
    if (CTKBarRenderer* renderer = GetBarRenderer())
        renderer->DrawSpecialControl(&size, dc, kTKSpecialPopupExpand, this, m_pParent, FALSE, nullptr);
    return size;
}

void CTKControlExpandButton::Draw(CDC* dc)
{
    CSize size;
    if (CTKBarRenderer* renderer = GetBarRenderer())
        renderer->DrawSpecialControl(&size, dc, kTKSpecialPopupExpand, this, m_pParent, TRUE, nullptr);
}

void CTKControlExpandButton::Execute()
{
    if (auto* popup = dynamic_cast<CTKPopupBar*>(m_pParent))
        popup->ExpandMenu();
}

void CTKControlExpandButton::OnMouseHover()
{
    CTKCommandBars* bars = m_pParent ? m_pParent->GetCommandBars() : nullptr;
    if (bars && bars->GetCommandBarsOptions()->bShowFullAfterDelay)
        Execute();
}
