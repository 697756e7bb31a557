#include "CCmdUI.h"

#include "CCmdTarget.h"

void CCmdUI::Enable(BOOL on)
{
    m_bEnabled = on ? TRUE : FALSE;
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check)
{
    m_nCheck = check;
}

void CCmdUI::SetRadio(BOOL on)
{
    m_bRadio = on ? TRUE : FALSE;
    SetCheck(on ? 1 : 0);
}

void CCmdUI::SetText(const std::string& text)
{
    m_strText = text;
    m_bTextChanged = TRUE;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler)
{
    if (!target)
        return FALSE;
    m_bEnableChanged = FALSE;
    BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (disableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}
