#include "toolkit/commandbars/CTKControls.h"

#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CMenu.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlButton.h"

#include <algorithm>

IMPLEMENT_SERIAL(CTKControls, CCmdTarget, 0xFFFF)

CTKControls::CTKControls() = default;

CTKControls::~CTKControls()
{
    RemoveAll();
    ReleaseReferenceCopy();
}

void CTKControls::SetParent(CTKCommandBar* parent)
{
    m_pParent = parent;
    if (!m_controls.empty())
        RefreshIndexes();
}

CTKCommandBars* CTKControls::GetCommandBars() const
{
    return m_pParent ? m_pParent->GetCommandBars() : m_pCommandBars;
}

void CTKControls::RefreshIndexes()
{
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        CTKControl* control = m_controls[i];
        control->m_nIndex = static_cast<int>(i);
        control->m_pControls = this;
        control->SetParent(m_pParent);
    }
    if (m_pParent)
        m_pParent->OnControlsChanged();
}

CTKControl* CTKControls::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_controls[static_cast<std::size_t>(index)];
}

void CTKControls::GetNext(CTKControl*& control) const
{
    control = control ? GetAt(control->GetIndex() + 1) : nullptr;
}

CTKControl* CTKControls::FindControl(UINT id) const
{
    return FindControl(0, id, FALSE, FALSE);
}

CTKControl* CTKControls::FindControl(int type, UINT id, BOOL visibleOnly, BOOL recursive) const
{
    for (CTKControl* control : m_controls) {
        const BOOL typeMatches = type == 0 || type == control->GetType();
        const BOOL shown = !visibleOnly || control->GetHideFlags() == 0;
        const BOOL idMatches = id == static_cast<UINT>(-1) || id == control->GetID();
        if (typeMatches && shown && idMatches)
            return control;
        const int kind = control->GetType();
        const BOOL popup = kind == kTKControlPopup || kind == kTKControlButtonPopup || kind == kTKControlSplitButtonPopup;
        CTKCommandBar* child = control->GetCommandBar();
        if (!recursive || !popup || !child)
            continue;
        if (CTKControl* found = child->GetControls()->FindControl(type, id, visibleOnly, recursive))
            return found;
    }
    return nullptr;
}

CTKControl* CTKControls::HitTest(CPoint point) const
{
    for (CTKControl* control : m_controls) {
        if (control->GetHideFlags() == 0 && control->GetRect().PtInRect(point))
            return control;
    }
    return nullptr;
}

int CTKControls::GetVisibleCount(BOOL strict) const
{
    int count = 0;
    for (const CTKControl* control : m_controls) {
        const DWORD hidden = control->GetHideFlags();
        if (hidden == 0 || (!strict && hidden == kTKHideWrap))
            ++count;
    }
    return count;
}

void CTKControls::InsertAt(CTKControl* control, int before)
{
    if (before < 0 || before >= GetCount())
        m_controls.push_back(control);
    else
        m_controls.insert(m_controls.begin() + before, control);
}

CTKControl* CTKControls::AddNewControl(int type, UINT id, const std::string& parameter, int before, BOOL temporary)
{
    // Popups, boxes and hosted windows are made by their own classes.
    if (type != kTKControlButton)
        return nullptr;
    CTKControl* control = new CTKControlButton;
    control->SetID(id);
    control->SetType(type);
    control->m_strParameter = parameter;
    control->m_bTemporary = temporary;
    InsertAt(control, before);
    RefreshIndexes();
    return control;
}

CTKControl* CTKControls::InsertControl(CTKControl* control, UINT id, const std::string& parameter, int before,
                                       BOOL temporary)
{
    if (!control)
        return nullptr;
    control->m_strParameter = parameter;
    control->m_bTemporary = temporary;
    control->SetID(id);
    InsertAt(control, before);
    RefreshIndexes();
    return control;
}

CTKControl* CTKControls::AddClone(const CTKControl* source, int before, BOOL recursive)
{
    if (!source)
        return nullptr;
    CTKControl* clone = source->Clone(recursive);
    if (!clone)
        return nullptr;
    InsertAt(clone, before);
    RefreshIndexes();
    return clone;
}

CWnd* CTKControls::FindSite() const
{
    if (!m_pParent)
        return nullptr;
    if (CWnd* frame = m_pParent->GetFrameSite())
        return frame;
    return m_pParent->GetSite();
}

CTKControl* CTKControls::CreateButtonFor(UINT, const std::string&)
{
    // The window list, workspace actions, toolbars list, OLE verbs and
    // recent files are list controls of their own; until they exist every
    // item is a plain button.
    return new CTKControlButton;
}

CTKControl* CTKControls::AddMenuItem(const CMenu* menu, int position)
{
    if (!menu)
        return nullptr;
    const CMenu* submenu = menu->GetSubMenu(position);
    UINT id = menu->GetMenuItemID(position);
    if (id == kTKMdiFirstChildId)
        return nullptr;
    std::string text = menu->GetMenuString(static_cast<UINT>(position), MF_BYPOSITION);
    int type = submenu ? kTKControlPopup : kTKControlButton;

    CTKControl* control = nullptr;
    if (CWnd* site = FindSite()) {
        TKMENUITEMRECORD record;
        record.nId = id;
        record.nPosition = position;
        record.pMenu = menu;
        record.pBar = m_pParent;
        record.strCaption = text;
        record.nType = type;
        if (site->SendMessage(WM_TK_MENUITEM_CONTROL, 0, reinterpret_cast<LPARAM>(&record)) != 0) {
            type = record.nType;
            control = record.pControl;
            text = record.strCaption;
            id = record.nId;
        }
    }
    if (!control) {
        // Popup items open bars of their own, which come with the popup control.
        if (type != kTKControlButton)
            return nullptr;
        control = CreateButtonFor(id, text);
    }
    control->SetType(type);
    control->SetID(id);
    control->SetCaption(text);
    m_controls.push_back(control);
    RefreshIndexes();
    return control;
}

void CTKControls::Remove(CTKControl* control)
{
    if (!control)
        return;
    if (control->GetSelected() != kTKSelectedNone && m_pParent)
        m_pParent->SetSelected(-1, FALSE);
    const int index = control->GetIndex();
    if (index < 0 || index >= GetCount() || m_controls[static_cast<std::size_t>(index)] != control)
        return;
    m_controls.erase(m_controls.begin() + index);
    control->m_pControls = nullptr;
    control->SetParent(nullptr);
    control->InternalRelease();
    RefreshIndexes();
}

void CTKControls::Remove(int index)
{
    Remove(GetAt(index));
}

void CTKControls::RemoveAll()
{
    std::vector<CTKControl*> controls;
    controls.swap(m_controls);
    for (CTKControl* control : controls) {
        control->m_pControls = nullptr;
        control->SetParent(nullptr);
        control->InternalRelease();
    }
}

int CTKControls::GetNextIndex(int index, int step, BOOL keyboard, BOOL skipTemporary) const
{
    const int count = GetCount();
    if (count == 0)
        return -1;
    const BOOL fromEnd = index == -1 && step == -1;
    const BOOL fromStart = index == -1 && step == 1;
    int candidate = fromEnd ? count - 1 : index + step;
    if (candidate == index)
        return candidate;
    for (;;) {
        if (candidate >= count) {
            if (fromStart)
                return -1;
            candidate = 0;
        } else if (candidate < 0) {
            if (fromEnd)
                return -1;
            candidate = count - 1;
        }
        if (candidate == index)
            return index;
        const CTKControl* control = m_controls[static_cast<std::size_t>(candidate)];
        const BOOL shown = (control->GetHideFlags() & ~kTKHideScroll) == 0;
        const BOOL reachable = !keyboard || (control->GetFlags() & kTKFlagSkipKeyboard) == 0;
        const BOOL kept = !skipTemporary || !control->IsTemporary();
        if (shown && reachable && kept)
            return candidate;
        candidate += step;
    }
}

CTKControls* CTKControls::Duplicate(BOOL recursive) const
{
    auto* copy = new CTKControls;
    for (const CTKControl* control : m_controls) {
        if (control->IsTemporary())
            continue;
        if (CTKControl* clone = control->Clone(recursive))
            copy->m_controls.push_back(clone);
    }
    copy->RefreshIndexes();
    if (m_pReferenceCopy)
        copy->m_pReferenceCopy = m_pReferenceCopy->Duplicate(recursive);
    return copy;
}

BOOL CTKControls::IsEqual(const CTKControls* other) const
{
    if (!other)
        return FALSE;
    auto next = [](const std::vector<CTKControl*>& list, std::size_t at) {
        while (at < list.size() && list[at]->IsTemporary())
            ++at;
        return at;
    };
    std::size_t mine = next(m_controls, 0);
    std::size_t theirs = next(other->m_controls, 0);
    while (mine < m_controls.size() && theirs < other->m_controls.size()) {
        if (!m_controls[mine]->IsEqual(other->m_controls[theirs]))
            return FALSE;
        mine = next(m_controls, mine + 1);
        theirs = next(other->m_controls, theirs + 1);
    }
    return mine == m_controls.size() && theirs == other->m_controls.size();
}

CTKControls* CTKControls::CreateReferenceCopy()
{
    ReleaseReferenceCopy();
    m_pReferenceCopy = Duplicate(TRUE);
    return m_pReferenceCopy;
}

void CTKControls::ReleaseReferenceCopy()
{
    if (!m_pReferenceCopy)
        return;
    m_pReferenceCopy->InternalRelease();
    m_pReferenceCopy = nullptr;
}

BOOL CTKControls::IsChanged() const
{
    if (!m_pReferenceCopy)
        return FALSE;
    return !m_pReferenceCopy->IsEqual(this);
}
