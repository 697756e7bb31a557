#include "CCmdTarget.h"

#include "CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info)
{
    for (auto it = m_tables.rbegin(); it != m_tables.rend(); ++it)
        if (it->dispatch(this, it->entries, it->count, id, code, extra, info))
            return TRUE;
    return FALSE;
}

long CCmdTarget::InternalAddRef()
{
    return ++m_refCount;
}

long CCmdTarget::InternalRelease()
{
    if (m_refCount == 0)
        return 0;
    long left = --m_refCount;
    if (left == 0)
        OnFinalRelease();
    return left;
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

void CCmdTarget::BeginUpdate(CCmdUI* cmdUI)
{
    cmdUI->m_bContinueRouting = FALSE;
}

BOOL CCmdTarget::EndUpdate(CCmdUI* cmdUI)
{
    BOOL handled = !cmdUI->m_bContinueRouting;
    cmdUI->m_bContinueRouting = FALSE;
    return handled;
}
