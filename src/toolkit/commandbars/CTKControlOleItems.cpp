#include "toolkit/commandbars/CTKControlOleItems.h"

IMPLEMENT_SERIAL(CTKControlOleItems, CTKControlButton, 0x80000006)

CTKControlOleItems::CTKControlOleItems()
{
    m_nId = kTKOleVerbsId;
    m_strCaption = kTKOleVerbsText;
}

void CTKControlOleItems::OnCalcDynamicSize(DWORD)
{
    RemoveFollowing([this](const CTKControl* control) {
        return control->GetIndex() == m_nIndex + 1 && control->GetParameter() == kTKOleItemParameter;
    });
    // The program's views hold no OLE items: there are never verbs to list.
    ShowPlaceholderForCustomising();
}
