#include "toolkit/commandbars/CTKControlButton.h"

#include "platform/CArchive.h"
#include "toolkit/commandbars/CTKCommandBar.h"

IMPLEMENT_SERIAL(CTKControlButton, CTKControl, 0x80000006)

CTKControlButton::CTKControlButton()
{
    m_nType = kTKControlButton;
}

void CTKControlButton::Copy(const CTKControl* source, BOOL recursive)
{
    CTKControl::Copy(source, recursive);
    if (source)
        m_nStyle = source->GetStyle();
}

void CTKControlButton::Serialize(CArchive& ar)
{
    CTKControl::Serialize(ar);
    if (ar.IsStoring())
        ar << m_nStyle;
    else
        ar >> m_nStyle;
}

void CTKControlButton::OnClick(BOOL keyboard, CPoint)
{
    if (!m_bEnabled)
        return;
    if (IsCustomizeMode()) {
        m_pParent->SetPopuped(-1, FALSE);
        m_pParent->SetSelected(-1, FALSE);
        OnCustomizeMouseDown();
        return;
    }
    if (keyboard) {
        Execute();
        return;
    }
    if (m_pParent && m_pParent->GetType() != kTKBarPopup)
        TrackButton(CRect());
}

void CTKControlButton::OnLButtonUp(CPoint)
{
    if (m_bEnabled && m_pParent && m_pParent->GetType() == kTKBarPopup)
        Execute();
}
