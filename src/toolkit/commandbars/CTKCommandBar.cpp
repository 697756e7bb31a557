#include "toolkit/commandbars/CTKCommandBar.h"

#include "platform/CArchive.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/HelpMessages.h"
#include "platform/ui/KeyboardMap.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlDragTracker.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKEdit.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKShortcutFormatter.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/CTKWindowHookMap.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/draw/CTKOffscreenDC.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"

#include <QApplication>

#include <algorithm>
#include <climits>
#include <cstdlib>

IMPLEMENT_SERIAL(CTKCommandBar, CWnd, 0x80000006)

namespace {

constexpr int kMarkerThickness = 6;
constexpr int kMarkerInset = 2;
constexpr int kDefaultIconSize = 16;
constexpr int kDropMoveThreshold = 4;

// The command-state record of one control: the update handlers' calls act
// on the control at once.
class CTKControlCmdUI : public CCmdUI {
public:
    explicit CTKControlCmdUI(CTKControl* control) : m_control(control) {}

    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        m_control->SetEnabled(on ? TRUE : FALSE);
    }
    void SetCheck(int check) override
    {
        CCmdUI::SetCheck(check);
        m_control->SetChecked(check != 0);
    }
    void SetText(const std::string& text) override
    {
        CCmdUI::SetText(text);
        m_control->SetCaption(text);
    }

private:
    CTKControl* m_control;
};

} // namespace

CTKCommandBar::CTKCommandBar()
{
    static const CMsgEntry<CTKCommandBar> table[] = {
        {WM_INITIALUPDATE, &CTKCommandBar::OnInitialUpdate},
        {WM_HELPHITTEST, &CTKCommandBar::OnHelpHitTest},
    };
    AddMessageTable(table);
    m_pControls = new CTKControls;
    m_pControls->SetParent(this);
}

CTKCommandBar::~CTKCommandBar()
{
    CTKPopupTracker::Get().OnBarDestroyed(this);
    CTKWindowHookMap::Get().RemoveTrackingHook(this);
    CTKWindowHookMap::Get().RemoveHookFromAll(this);
    m_pControls->RemoveAll();
    m_pControls->InternalRelease();
    SetBarRenderer(nullptr);
    SetImageStore(nullptr);
}

void CTKCommandBar::DelayRedraw()
{
    m_dwPendingWork |= kRedrawDue;
}

BOOL CTKCommandBar::SetTrackingMode(int mode, BOOL selectFirst, BOOL keyboard)
{
    if (mode == m_nTrackingMode || (m_nTrackingMode != 0 && mode != 0)) {
        m_nTrackingMode = mode;
        return FALSE;
    }
    m_nTrackingMode = mode;
    CTKPopupTracker& tracker = CTKPopupTracker::Get();
    if (mode != 0) {
        m_bMouseOnlyTracking = !selectFirst && !keyboard;
        if (!m_pSavedFocus)
            m_pSavedFocus = CWnd::GetFocus() ? CWnd::GetFocus() : GetSite();
        tracker.AddTrackedBar(this);
        CTKWindowHookMap::Get().AddTrackingHook(this);
        if (selectFirst)
            SetSelected(m_pControls->GetNextIndex(-1, 1, TRUE, FALSE), TRUE);
        return TRUE;
    }
    SetPopuped(-1, FALSE);
    SetSelected(-1, FALSE);
    m_bMouseOnlyTracking = FALSE;
    tracker.RemoveTrackedBar(this);
    CTKWindowHookMap::Get().RemoveTrackingHook(this);
    if (tracker.GetTrackedBars().empty())
        tracker.SetMenuExpanded(FALSE);
    m_pSavedFocus.clear();
    return TRUE;
}

BOOL CTKCommandBar::SetSelected(int index, BOOL keyboard)
{
    if (index == m_nSelected)
        return FALSE;
    if (CTKControl* previous = GetControl(m_nSelected))
        previous->SetSelected(kTKSelectedNone);
    m_nSelected = GetControl(index) ? index : -1;
    CTKControl* next = GetControl(m_nSelected);
    if (!next) {
        if (IsWindow())
            KillTimer(kTKHoverTimer);
        return TRUE;
    }
    next->SetSelected(keyboard ? kTKSelectedKeyboard : kTKSelectedHot);
    CTKPopupTracker::Get().SetHotBar(this);
    if (!keyboard && IsWindow())
        SetTimer(kTKHoverTimer, kTKHoverDelay);
    return TRUE;
}

int CTKCommandBar::OnHookMessage(CWnd*, UINT message, WPARAM* wParam, LPARAM*, LRESULT*)
{
    if (m_nTrackingMode == 0 || message != WM_KEYDOWN)
        return kTKHookNotHandled;
    return OnHookKeyDown(static_cast<UINT>(*wParam));
}

int CTKCommandBar::GetNavigationCode(UINT key, BOOL vertical)
{
    struct KeyCodes {
        UINT key;
        int horizontal;
        int vertical;
    };
    static constexpr KeyCodes kKeyCodes[] = {
        {VK_END, kTKKeyLast, kTKKeyLast},
        {VK_HOME, kTKKeyFirst, kTKKeyFirst},
        {VK_LEFT, kTKKeyPrevious, kTKKeyClosePopup},
        {VK_UP, kTKKeyClosePopup, kTKKeyPrevious},
        {VK_RIGHT, kTKKeyNext, kTKKeyOpenPopup},
        {VK_DOWN, kTKKeyOpenPopup, kTKKeyNext},
    };
    for (const KeyCodes& entry : kKeyCodes)
        if (entry.key == key)
            return vertical ? entry.vertical : entry.horizontal;
    return -1;
}

BOOL CTKCommandBar::OnHookKeyDown(UINT key)
{
    if (IsCustomizeMode())
        return FALSE;
    if (key == VK_TAB)
        return ProcessSpecialKey((GetKeyState(VK_SHIFT) & 0x8000) ? kTKKeyPrevious : kTKKeyNext);
    if (key == VK_RETURN)
        return ProcessSpecialKey(kTKKeyEnter);
    if (key == VK_ESCAPE)
        return ProcessSpecialKey(kTKKeyEscape);
    if (m_pKeyReceiver)
        return m_pKeyReceiver->OnHookKeyDown(key);
    const BOOL vertical = m_nPosition != kTKPositionTop && m_nPosition != kTKPositionBottom &&
                          m_nPosition != kTKPositionFloating;
    const int code = GetNavigationCode(key, vertical);
    if (code >= 0)
        return ProcessSpecialKey(code);
    const char character = CTKShortcutFormatter::ToUpperChar(static_cast<char>(MapVirtualKey(key, MAPVK_VK_TO_CHAR)));
    if (character == 0)
        return TRUE;
    BOOL several = FALSE;
    const int found = FindMnemonic(character, &several);
    if (found < 0) {
        MessageBeep(0);
        return TRUE;
    }
    if (several) {
        SetSelected(found, TRUE);
        return TRUE;
    }
    SetSelected(found, TRUE);
    GetControl(found)->OnClick(TRUE, CPoint());
    return TRUE;
}

BOOL CTKCommandBar::ProcessSpecialKey(int code)
{
    switch (code) {
    case kTKKeyNext:
    case kTKKeyPrevious:
        SetSelected(m_pControls->GetNextIndex(m_nSelected, code == kTKKeyNext ? 1 : -1, TRUE, FALSE), TRUE);
        return TRUE;
    case kTKKeyClosePopup:
        if (m_nPopuped < 0)
            return FALSE;
        SetPopuped(-1, FALSE);
        SetTrackingMode(1, FALSE, FALSE);
        return TRUE;
    case kTKKeyOpenPopup: {
        CTKControl* selected = GetControl(m_nSelected);
        if (!selected || m_nPopuped == m_nSelected)
            return FALSE;
        selected->SetSelected(kTKSelectedKeyboard);
        return SetPopuped(m_nSelected, FALSE);
    }
    case kTKKeyEscape:
        if (CTKCommandBar* parent = GetParentCommandBar())
            parent->SetTrackingMode(1, FALSE, FALSE);
        SetTrackingMode(0, FALSE, FALSE);
        SetSelected(-1, FALSE);
        return TRUE;
    case kTKKeyEnter:
        if (CTKControl* selected = GetControl(m_nSelected)) {
            selected->SetSelected(kTKSelectedKeyboard);
            selected->OnClick(TRUE, CPoint());
        }
        return TRUE;
    case kTKKeyFirst:
        SetSelected(m_pControls->GetNextIndex(-1, 1, TRUE, FALSE), TRUE);
        return TRUE;
    case kTKKeyLast:
        SetSelected(m_pControls->GetNextIndex(-1, -1, TRUE, FALSE), TRUE);
        return TRUE;
    default:
        return FALSE;
    }
}

char CTKCommandBar::GetMnemonic(const std::string& caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return CTKShortcutFormatter::ToUpperChar(caption[i + 1]);
        ++i;
    }
    return 0;
}

int CTKCommandBar::FindMnemonic(char character, BOOL* several) const
{
    *several = FALSE;
    const int start = m_pControls->GetNextIndex(m_nSelected, 1, TRUE, FALSE);
    if (start < 0)
        return -1;
    int mnemonicMatch = -1;
    int letterMatch = -1;
    int index = start;
    do {
        const CTKControl* control = GetControl(index);
        const std::string caption = control->GetDisplayCaption();
        if (control->IsVisible() && !caption.empty()) {
            const char mnemonic = GetMnemonic(caption);
            if (mnemonic != 0) {
                if (mnemonic == character && mnemonicMatch >= 0) {
                    *several = TRUE;
                    return mnemonicMatch;
                }
                if (mnemonic == character)
                    mnemonicMatch = index;
            } else if (CTKShortcutFormatter::ToUpperChar(caption[0]) == character) {
                if (letterMatch >= 0)
                    *several = TRUE;
                else
                    letterMatch = index;
            }
        }
        const int next = m_pControls->GetNextIndex(index, 1, TRUE, FALSE);
        if (next < 0 || next == index)
            break;
        index = next;
    } while (index != start);
    return mnemonicMatch >= 0 ? mnemonicMatch : letterMatch;
}

BOOL CTKCommandBar::SetPopuped(int index, BOOL keyboard)
{
    if (index == m_nPopuped)
        return FALSE;
    const BOOL closed = m_nPopuped != -1;
    if (closed) {
        CTKControl* open = GetControl(m_nPopuped);
        m_nPopuped = -1;
        if (open)
            open->SetPopuped(FALSE);
    }
    if (index == -1)
        return closed;
    auto* popup = dynamic_cast<CTKControlPopup*>(GetControl(index));
    if (!popup || !popup->GetEnabled())
        return FALSE;
    // Set first: selecting the control must not open it a second time.
    m_nPopuped = index;
    SetTrackingMode(2, FALSE, keyboard);
    SetSelected(index, keyboard);
    if (!popup->SetPopuped(TRUE)) {
        m_nPopuped = -1;
        return FALSE;
    }
    CTKCommandBars* bars = GetCommandBars();
    if (bars && bars->GetCommandBarsOptions()->bShowFullAfterDelay && IsWindow())
        SetTimer(kTKExpandTimer, kTKExpandDelay);
    if (IsWindow())
        Invalidate(FALSE);
    return TRUE;
}

BOOL CTKCommandBar::Popup(CTKControlPopup*, BOOL)
{
    return FALSE;
}

void CTKCommandBar::SetVisible(BOOL)
{
}

BOOL CTKCommandBar::IsVisible() const
{
    return FALSE;
}

BOOL CTKCommandBar::SetPosition(int)
{
    return FALSE;
}

void CTKCommandBar::OnRecalcLayout()
{
}

CTKCommandBar* CTKCommandBar::GetParentCommandBar() const
{
    return nullptr;
}

CSize CTKCommandBar::CalcDynamicLayout(int, DWORD)
{
    return CSize();
}

void CTKCommandBar::OnControlsChanged()
{
    m_nSelected = -1;
    m_nPopuped = -1;
    m_dwPendingWork |= kLayoutDue;
}

void CTKCommandBar::Copy(const CTKCommandBar* source, BOOL recursive)
{
    if (!source || source == this)
        return;
    m_nBarType = source->m_nBarType;
    m_nPosition = source->m_nPosition;
    m_nBarId = source->m_nBarId;
    m_dwFlags = source->m_dwFlags;
    m_dwStyle = source->m_dwStyle;
    m_strTitle = source->m_strTitle;
    m_bCustomizable = source->m_bCustomizable;
    m_nMRUWidth = source->m_nMRUWidth;
    m_szIcons = source->m_szIcons;
    m_pCommandBars = source->m_pCommandBars;
    m_pControls->RemoveAll();
    m_pControls->InternalRelease();
    m_pControls = source->m_pControls->Duplicate(recursive);
    m_pControls->SetParent(this);
}

namespace {

// The first stored schema that carries the button size.
constexpr int kSchemaButtonSize = 3;

// The child bars of the popup controls of a collection and of its reference copy.
std::vector<CTKControlPopup*> PopupControlsOf(const CTKControls* controls)
{
    std::vector<CTKControlPopup*> popups;
    const CTKControls* lists[] = {controls, controls ? controls->GetReferenceCopy() : nullptr};
    for (const CTKControls* list : lists) {
        if (!list)
            continue;
        for (int i = 0; i < list->GetCount(); ++i)
            if (auto* popup = dynamic_cast<CTKControlPopup*>(list->GetAt(i)))
                popups.push_back(popup);
    }
    return popups;
}

// Toolbars (the menu bar included) keep their own bar ids in the archive;
// every other bar, popup toolbars too, is a child bar known by its serial id.
BOOL IsToolBarClass(const CTKCommandBar* bar)
{
    return dynamic_cast<const CTKToolBar*>(bar) != nullptr;
}

} // namespace

void CTKCommandBar::SaveBarState(int* nextId, std::vector<CTKCommandBar*>* bars)
{
    if (std::find(bars->begin(), bars->end(), this) != bars->end())
        return;
    bars->push_back(this);
    if (!IsToolBarClass(this))
        m_nBarId = static_cast<UINT>((*nextId)++);
    SaveChildBarStates(m_pControls, nextId, bars);
}

void CTKCommandBar::SaveChildBarStates(const CTKControls* controls, int* nextId, std::vector<CTKCommandBar*>* bars)
{
    for (CTKControlPopup* popup : PopupControlsOf(controls))
        if (CTKCommandBar* child = popup->GetCommandBar())
            child->SaveBarState(nextId, bars);
}

void CTKCommandBar::LoadBarState(const std::vector<CTKCommandBar*>& bars)
{
    LoadChildBarStates(m_pControls, bars);
}

void CTKCommandBar::LoadChildBarStates(const CTKControls* controls, const std::vector<CTKCommandBar*>& bars)
{
    for (CTKControlPopup* popup : PopupControlsOf(controls)) {
        const UINT serial = popup->GetCommandBarSerial();
        if (serial == 0)
            continue;
        popup->SetCommandBarSerial(0);
        // A child bar is linked once: its id goes with the link, so a
        // damaged archive cannot make a bar its own ancestor.
        auto found = std::find_if(bars.begin(), bars.end(), [this, serial](const CTKCommandBar* bar) {
            return bar != this && !IsToolBarClass(bar) && bar->GetBarID() == serial;
        });
        if (found == bars.end())
            continue;
        CTKCommandBar* child = *found;
        child->SetBarID(0);
        popup->SetCommandBar(child);
        child->LoadBarState(bars);
    }
}

void CTKCommandBar::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nBarType << m_nPosition << m_nBarId << m_dwFlags << m_dwStyle << m_strTitle << m_bCustomizable
           << m_nMRUWidth << static_cast<int>(m_szIcons.cx) << static_cast<int>(m_szIcons.cy);
        m_pControls->Serialize(ar, kTKArchiveSchema);
        return;
    }
    int schema = 0;
    if (!CTKControl::AcceptLoadedSchema(ar, &schema))
        return;
    ar >> m_nBarType >> m_nPosition >> m_nBarId >> m_dwFlags >> m_dwStyle >> m_strTitle >> m_bCustomizable
        >> m_nMRUWidth;
    if (schema >= kSchemaButtonSize) {
        int cx = 0;
        int cy = 0;
        ar >> cx >> cy;
        m_szIcons = CSize(cx, cy);
    }
    if (m_nBarType < kTKBarMenu || m_nBarType > kTKBarPopup || m_nPosition < kTKPositionTop ||
        m_nPosition > kTKPositionNone) {
        ar.SetError(CArchive::badClass);
        return;
    }
    m_pControls->Serialize(ar, schema);
}

CTKCommandBar* CTKCommandBar::Clone(BOOL recursive) const
{
    auto* clone = dynamic_cast<CTKCommandBar*>(GetRuntimeClass()->CreateObject());
    if (clone)
        clone->Copy(this, recursive);
    return clone;
}

void CTKCommandBar::Reset()
{
}

CTKCommandBars* CTKCommandBar::GetCommandBars() const
{
    for (const CTKCommandBar* bar = this; bar; bar = bar->GetParentCommandBar()) {
        if (bar->m_pCommandBars)
            return bar->m_pCommandBars;
    }
    return nullptr;
}

BOOL CTKCommandBar::IsCustomizeMode() const
{
    // Customising is a mode of the command bars, which keep the flag.
    const CTKCommandBars* bars = GetCommandBars();
    return bars ? bars->IsCustomizeMode() : FALSE;
}

CTKControlDragTracker* CTKCommandBar::GetCustomizeContext() const
{
    const CTKCommandBars* bars = GetCommandBars();
    return bars ? bars->GetCustomizeContext() : nullptr;
}

CTKCommandBar* CTKCommandBar::GetRootBar() const
{
    const CTKCommandBar* bar = this;
    while (CTKCommandBar* parent = bar->GetParentCommandBar())
        bar = parent;
    return const_cast<CTKCommandBar*>(bar);
}

CWnd* CTKCommandBar::GetSite() const
{
    const CTKCommandBar* root = GetRootBar();
    if (root->m_pSite)
        return root->m_pSite;
    if (root->IsWindow()) {
        if (CWnd* owner = root->GetOwner())
            return owner;
        if (CWnd* parent = root->GetParent())
            return parent;
    }
    CWinApp* app = AfxGetApp();
    return app ? app->GetMainWnd() : nullptr;
}

CWnd* CTKCommandBar::GetOwnerSite() const
{
    const CTKCommandBar* root = GetRootBar();
    return root->m_pOwner ? root->m_pOwner : GetSite();
}

CFrameWnd* CTKCommandBar::GetFrameSite() const
{
    // The frame of the command bars; a bar without them has none.
    const CTKCommandBars* commandBars = GetCommandBars();
    return commandBars ? commandBars->GetFrame() : nullptr;
}

CTKBarRenderer* CTKCommandBar::GetBarRenderer() const
{
    if (m_pRenderer)
        return m_pRenderer;
    const CTKCommandBar* root = GetRootBar();
    if (root->m_pRenderer)
        return root->m_pRenderer;
    return CTKBarRenderer::GetCurrent();
}

void CTKCommandBar::SetBarRenderer(CTKBarRenderer* renderer)
{
    if (renderer)
        renderer->InternalAddRef();
    if (m_pRenderer)
        m_pRenderer->InternalRelease();
    m_pRenderer = renderer;
}

CTKCommandImages* CTKCommandBar::GetImageStore() const
{
    if (m_pImages)
        return m_pImages;
    const CTKCommandBar* root = GetRootBar();
    if (root->m_pImages)
        return root->m_pImages;
    return &CTKCommandImages::Global();
}

void CTKCommandBar::SetImageStore(CTKCommandImages* images)
{
    if (images)
        images->InternalAddRef();
    if (m_pImages)
        m_pImages->InternalRelease();
    m_pImages = images;
}

CTKControl* CTKCommandBar::GetControl(int index) const
{
    return m_pControls->GetAt(index);
}

int CTKCommandBar::GetControlCount() const
{
    return m_pControls->GetCount();
}

// The bar's own size, else the options' sizes (0,0 stands for 16 by 16
// small and twice the small size large); menus keep small icons.
CSize CTKCommandBar::GetButtonIconSize() const
{
    if (m_szIcons.cx > 0 && m_szIcons.cy > 0)
        return m_szIcons;
    const CTKCommandBars* bars = GetCommandBars();
    if (m_nBarType == kTKBarPopup || !bars)
        return CSize(kDefaultIconSize, kDefaultIconSize);
    const CTKCommandBarsOptions* options = bars->GetCommandBarsOptions();
    const CSize small = options->szIcons.cx > 0 && options->szIcons.cy > 0
        ? options->szIcons
        : CSize(kDefaultIconSize, kDefaultIconSize);
    if (!options->bLargeIcons)
        return small;
    if (options->szLargeIcons.cx > 0 && options->szLargeIcons.cy > 0)
        return options->szLargeIcons;
    return CSize(small.cx * 2, small.cy * 2);
}

BOOL CTKCommandBar::ShowsButtonText() const
{
    if (m_nTextLabels == 0 || m_nTextLabels == 1)
        return m_nTextLabels;
    // Any other setting follows the options' text labels, off without them.
    const CTKCommandBars* bars = GetCommandBars();
    return bars && bars->GetCommandBarsOptions()->bShowTextBelowIcons;
}

BOOL CTKCommandBar::LoadMenu(const CMenu* menu, BOOL removeExisting)
{
    if (!menu || !menu->IsMenu())
        return FALSE;
    if (removeExisting)
        m_pControls->RemoveAll();
    BOOL beginGroup = FALSE;
    for (int position = 0; position < menu->GetMenuItemCount(); ++position) {
        if (menu->GetMenuState(static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR) {
            beginGroup = TRUE;
            continue;
        }
        CTKControl* control = m_pControls->AddMenuItem(menu, position);
        if (control && beginGroup) {
            control->SetBeginGroup(TRUE);
            beginGroup = FALSE;
        }
    }
    if (CFrameWnd* frame = IsWindow() ? GetParentFrame() : nullptr)
        frame->DelayRecalcLayout();
    return TRUE;
}

BOOL CTKCommandBar::FilterDocumentTypes(UINT activeMenuId)
{
    if (activeMenuId == 0)
        return FALSE;
    BOOL changed = FALSE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        const DWORD before = control->GetHideFlags();
        DWORD after = before;
        if (!control->ShownDocumentTypes().empty()) {
            const BOOL shown = control->ShownDocumentTypes().count(activeMenuId) != 0;
            after = shown ? after & ~kTKHideDocumentType : after | kTKHideDocumentType;
        }
        if (!control->HiddenDocumentTypes().empty()) {
            const BOOL hidden = control->HiddenDocumentTypes().count(activeMenuId) != 0;
            after = hidden ? after | kTKHideDocumentType : after & ~kTKHideDocumentType;
        }
        if (after == before)
            continue;
        control->SetHideFlags(after);
        changed = TRUE;
    }
    if (changed)
        DelayLayout();
    return changed;
}

void CTKCommandBar::SetStatusText(const CTKControl* control)
{
    CWnd* site = GetSite();
    if (!site)
        return;
    const std::string text = control ? control->GetDescription() : std::string();
    if (!text.empty())
        site->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    else
        site->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    site->SendMessage(WM_TK_CONTROL_SELECTED, control ? control->GetID() : 0, 0);
}

BOOL CTKCommandBar::IsVerticalBar() const
{
    return m_nPosition == kTKPositionLeft || m_nPosition == kTKPositionRight || m_nBarType == kTKBarPopup;
}

int CTKCommandBar::CalcInsertPosition(const CTKControl* dragged, CPoint point, CRect* marker, BOOL* after) const
{
    const BOOL vertical = IsVerticalBar();
    const int along = vertical ? point.y : point.x;
    const CTKControl* candidate = nullptr;
    int nearest = INT_MAX;
    for (int i = 0; i < GetControlCount(); ++i) {
        const CTKControl* control = GetControl(i);
        if (!control->IsVisible() || (control->GetFlags() & kTKFlagNoCustomize))
            continue;
        const CRect& rc = control->GetRect();
        const int centre = vertical ? (rc.top + rc.bottom) / 2 : (rc.left + rc.right) / 2;
        const int distance = std::abs(centre - along);
        if (control->GetRowStart()) {
            if (!vertical) {
                if (rc.top > point.y)
                    break;
                candidate = control;
                nearest = distance;
                continue;
            }
            if (rc.right < point.x)
                break;
            nearest = INT_MAX;
        }
        if (distance < nearest) {
            nearest = distance;
            candidate = control;
        }
    }
    if (!candidate) {
        CRect client;
        GetClientRect(&client);
        *marker = CRect(client.left + kMarkerInset, client.top + kMarkerInset,
                        client.left + kMarkerInset + kMarkerThickness, client.bottom - kMarkerInset);
        *after = TRUE;
        return -1;
    }
    const CRect& rc = candidate->GetRect();
    const int centre = vertical ? (rc.top + rc.bottom) / 2 : (rc.left + rc.right) / 2;
    *after = centre < along;
    if (candidate == dragged) {
        marker->SetRectEmpty();
        return candidate->GetIndex();
    }
    int start = vertical ? rc.top : rc.left;
    if (*after) {
        const CTKControl* next = GetControl(candidate->GetIndex() + 1);
        const BOOL adjoining = next && !next->GetBeginGroup() && (vertical || !next->GetRowStart());
        const int farEdge = vertical ? rc.bottom : rc.right;
        start = adjoining ? farEdge : farEdge - kMarkerThickness;
    }
    if (vertical)
        *marker = CRect(rc.left, start, rc.right, start + kMarkerThickness);
    else
        *marker = CRect(start, rc.top, start + kMarkerThickness, rc.bottom);
    return candidate->GetIndex();
}

void CTKCommandBar::SetDropMarker(const CRect& marker, BOOL vertical)
{
    m_rcMarker = marker;
    m_bMarkerVertical = vertical;
    if (IsWindow())
        Invalidate(FALSE);
}

void CTKCommandBar::DrawDropMarker(CDC* dc) const
{
    if (m_rcMarker.IsRectEmpty())
        return;
    CBrush brush(GetSysColor(COLOR_BTNFACE));
    CTKDCSelectGuard select(dc, &brush);
    const CRect& r = m_rcMarker;
    const int w = r.Width();
    const int h = r.Height();
    if (!m_bMarkerVertical) {
        dc->PatBlt(r.left, r.top, w, 1, PATINVERT);
        dc->PatBlt(r.left + 1, r.top + 1, w - 2, 1, PATINVERT);
        dc->PatBlt(r.left, r.bottom - 1, w, 1, PATINVERT);
        dc->PatBlt(r.left + 1, r.bottom - 2, w - 2, 1, PATINVERT);
        dc->PatBlt(r.left + 2, r.top + 2, 2, h - 4, PATINVERT);
        return;
    }
    dc->PatBlt(r.left, r.top, 1, h, PATINVERT);
    dc->PatBlt(r.left + 1, r.top + 1, 1, h - 2, PATINVERT);
    dc->PatBlt(r.right - 1, r.top, 1, h, PATINVERT);
    dc->PatBlt(r.right - 2, r.top + 1, 1, h - 2, PATINVERT);
    dc->PatBlt(r.left + 2, r.top + 2, w - 4, 2, PATINVERT);
}

DWORD CTKCommandBar::OnCustomizeDragOver(CTKControl* dragged, CPoint point)
{
    if (!dragged || !IsCustomizable() || !IsWindow() || !IsWindowVisible())
        return kTKDropNone;
    DWORD effect = kTKDropNone;
    if (CTKControl* under = m_pControls->HitTest(point)) {
        if (!GetParentCommandBar() && under->GetIndex() != m_nPopuped)
            SetTrackingMode(0, FALSE, FALSE);
        under->OnCustomizeDragOver(dragged, point, &effect);
    }
    if (!dragged->IsCustomizeDragOverAvail(this, point, &effect))
        return effect;
    CRect marker;
    BOOL after = FALSE;
    CalcInsertPosition(dragged, point, &marker, &after);
    SetDropMarker(marker, IsVerticalBar());
    return effect;
}

void CTKCommandBar::OnCustomizeDragLeave()
{
    SetDropMarker(CRect(), FALSE);
}

DWORD CTKCommandBar::OnCustomizeDrop(CTKControl* dragged, DWORD dropEffect, CPoint point, CPoint start)
{
    if (!dragged)
        return kTKDropNone;
    CRect marker;
    BOOL after = FALSE;
    const int index = CalcInsertPosition(dragged, point, &marker, &after);
    DWORD result = dropEffect;
    if (GetControl(index) == dragged) {
        const BOOL moved = std::abs(point.x - start.x) > kDropMoveThreshold
            || std::abs(point.y - start.y) > kDropMoveThreshold;
        if (moved)
            dragged->SetBeginGroup(after && index > 0);
        result = kTKDropOnItself;
    } else {
        const int at = index + (after ? 1 : 0);
        CTKControl* displaced = after ? nullptr : GetControl(at);
        CTKControl* copy = m_pControls->AddClone(dragged, at, TRUE);
        if (copy && displaced) {
            copy->SetBeginGroup(displaced->GetBeginGroup());
            displaced->SetBeginGroup(FALSE);
        }
    }
    OnRecalcLayout();
    SetDropMarker(CRect(), FALSE);
    return result;
}

void CTKCommandBar::DrawCommandBar(CDC* dc)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    if (!renderer)
        return;
    renderer->FillCommandBarEntry(dc, this);
    if (m_dwStyle & kTKBarStyleGripper) {
        CSize gripper;
        renderer->DrawCommandBarGripper(&gripper, dc, this, TRUE);
    }
    BOOL first = TRUE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        if (!control->IsVisible())
            continue;
        if (control->GetBeginGroup() && !first) {
            CSize separator;
            renderer->DrawCommandBarSeparator(&separator, dc, this, control, TRUE);
        }
        first = FALSE;
        CTKDCSelectGuard font(dc, renderer->GetControlFont(this, control->IsDefaultItem()));
        control->Draw(dc);
    }
    if (IsCustomizeMode())
        DrawDropMarker(dc);
}

INT_PTR CTKCommandBar::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    const INT_PTR child = CWnd::OnToolHitTest(point, info);
    if (child != -1)
        return child;
    const CTKPopupTracker& tracker = CTKPopupTracker::Get();
    if (!tracker.GetTrackedBars().empty() && !tracker.IsTracked(this))
        return -1;
    if (tracker.GetModalDepth() > 0 || (m_nTrackingMode == 2 && m_nBarType != kTKBarPopup))
        return -1;
    const CTKCommandBars* bars = GetCommandBars();
    if (bars && !bars->GetCommandBarsOptions()->bToolBarScreenTips)
        return -1;
    const BOOL accelTips = bars && bars->GetCommandBarsOptions()->bToolBarAccelTips;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        if (!control->IsVisible() || !control->GetRect().PtInRect(point))
            continue;
        CRect tipRect = control->GetRect();
        int id = static_cast<int>(control->GetID());
        std::string text = control->GetTooltip(&point, &tipRect, &id);
        if (text.empty() || id == 0)
            return -1;
        std::string shortcut;
        if (accelTips && FindShortcutText(static_cast<UINT>(id), shortcut, bars) && !shortcut.empty())
            text += " (" + shortcut + ")";
        if (info) {
            info->uId = static_cast<UINT_PTR>(id);
            info->rect = tipRect;
            info->text = text;
        }
        return id;
    }
    return -1;
}

int CTKCommandBar::OnCreate()
{
    if (CWnd::OnCreate() == -1)
        return -1;
    // The list of a combo box takes no dropped controls.
    if (m_nPosition != kTKPositionList)
        if (CTKControlDragTracker* context = GetCustomizeContext())
            context->AddDropTarget(this);
    if (m_nBarType != kTKBarPopup)
        EnableToolTips(TRUE);
    return 0;
}

void CTKCommandBar::OnDestroy()
{
    if (m_nPosition != kTKPositionList)
        if (CTKControlDragTracker* context = GetCustomizeContext())
            context->RemoveDropTarget(this);
    if (m_nTrackingMode != 0)
        SetTrackingMode(0, FALSE, FALSE);
    CTKPopupTracker::Get().OnBarDestroyed(this);
    CWnd::OnDestroy();
}

void CTKCommandBar::OnFinalRelease()
{
    if (IsWindow())
        DestroyWindow();
    CWnd::OnFinalRelease();
}

void CTKCommandBar::OnMouseMove(UINT flags, CPoint point)
{
    if (IsCustomizeMode()) {
        CWnd::OnMouseMove(flags, point);
        return;
    }
    CTKPopupTracker& tracker = CTKPopupTracker::Get();
    const std::vector<CTKCommandBar*>& tracked = tracker.GetTrackedBars();
    if (!tracked.empty() && !tracker.IsTracked(this))
        return;
    if (m_nPosition != kTKPositionPopup && !QApplication::activeWindow())
        return;
    if (tracker.GetModalDepth() > 0)
        return;
    const BOOL popupWithoutSubPopup = m_nBarType == kTKBarPopup && m_nPopuped < 0;
    int candidate = m_nTrackingMode != 0 && !popupWithoutSubPopup ? m_nSelected : -1;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        if (!control->IsVisible() || !control->GetRect().PtInRect(point))
            continue;
        candidate = i;
        tracker.TrackMouseLeave(this);
        control->OnMouseMove(point);
    }
    SetSelected(candidate, FALSE);
}

void CTKCommandBar::OnMouseLeave()
{
    CWnd::OnMouseLeave();
    if (CTKPopupTracker::Get().GetModalDepth() > 0)
        return;
    if (m_nTrackingMode == 0 || (m_nBarType == kTKBarPopup && m_nPopuped < 0))
        SetSelected(-1, FALSE);
}

void CTKCommandBar::OnLButtonDown(UINT flags, CPoint point)
{
    CTKControl* control = m_pControls->HitTest(point);
    if (control && IsCustomizeMode() && (!IsCustomizable() || (control->GetFlags() & kTKFlagNoCustomize)))
        return;
    if (control) {
        control->OnClick(FALSE, point);
        return;
    }
    CWnd::OnLButtonDown(flags, point);
}

void CTKCommandBar::OnLButtonUp(UINT flags, CPoint point)
{
    CTKControl* control = IsCustomizeMode() ? nullptr : m_pControls->HitTest(point);
    if (control) {
        control->OnLButtonUp(point);
        return;
    }
    CWnd::OnLButtonUp(flags, point);
}

void CTKCommandBar::OnLButtonDblClk(UINT flags, CPoint point)
{
    CTKControl* control = IsCustomizeMode() ? nullptr : m_pControls->HitTest(point);
    if (control) {
        control->OnLButtonDblClk(point);
        return;
    }
    CWnd::OnLButtonDblClk(flags, point);
}

void CTKCommandBar::OnRButtonUp(UINT flags, CPoint point)
{
    CTKControl* control = m_pControls->HitTest(point);
    if (!control || IsCustomizeMode()) {
        CWnd::OnRButtonUp(flags, point);
        return;
    }
    const CTKCommandBar* root = GetRootBar();
    if (root && root->m_bRightButtonTracking)
        control->OnLButtonUp(point);
    else
        control->OnRButtonUp(point);
}

void CTKCommandBar::OnRButtonDown(UINT flags, CPoint point)
{
    CTKCommandBars* bars = GetCommandBars();
    if (!bars || !IsCustomizeMode() || !IsCustomizable()) {
        CWnd::OnRButtonDown(flags, point);
        return;
    }
    CTKControl* control = m_pControls->HitTest(point);
    if (!control || !control->IsVisible() || (control->GetFlags() & kTKFlagNoCustomize))
        return;
    SetPopuped(-1, FALSE);
    SetSelected(-1, FALSE);
    bars->SetCustomizeSelection(control);
    CTKControlDragTracker* context = bars->GetCustomizeContext();
    if (!context || !context->GetCustomizeWindow())
        return;
    ClientToScreen(&point);
    context->ShowCustomizeContextMenu(context->GetCustomizeWindow(), point.x, point.y);
}

void CTKCommandBar::OnTimer(UINT_PTR id)
{
    CWnd::OnTimer(id);
    if (id == kTKExpandTimer) {
        KillTimer(kTKExpandTimer);
        auto* popup = dynamic_cast<CTKControlPopup*>(GetControl(m_nPopuped));
        if (popup && m_nPopuped == m_nSelected)
            popup->ExpandPopupAfterDelay();
        return;
    }
    if (id != kTKHoverTimer)
        return;
    KillTimer(kTKHoverTimer);
    if (CTKControl* selected = GetControl(m_nSelected))
        selected->OnMouseHover();
}

void CTKCommandBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CTKOffscreenDC buffer(&dc, client);
    DrawCommandBar(buffer.GetDC());
}

BOOL CTKCommandBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKCommandBar::OnIdleUpdateCmdUI(BOOL disableIfNoHandler)
{
    if (!IsWindow() || !IsWindowVisible())
        return;
    if (CTKCommandBars* bars = GetCommandBars())
        FilterDocumentTypes(bars->GetActiveMenuId());
    CWnd* target = GetOwnerSite();
    if (target) {
        for (int i = 0; i < GetControlCount(); ++i)
            UpdateControlState(GetControl(i), i, target, disableIfNoHandler);
    }
    if (m_dwPendingWork & kRedrawDue) {
        m_dwPendingWork &= ~kRedrawDue;
        Invalidate(FALSE);
    }
    if (m_dwPendingWork & kLayoutDue) {
        m_dwPendingWork &= ~kLayoutDue;
        OnRecalcLayout();
    }
}

void CTKCommandBar::UpdateControlState(CTKControl* control, int index, CCmdTarget* target, BOOL disableIfNoHandler)
{
    if (control->GetPressed() == kTKPressedExecuting) {
        control->SetPressed(kTKPressedNone);
        DelayRedraw();
    }
    if (control->GetFlags() & kTKFlagNoUpdate)
        return;
    CTKControlCmdUI state(control);
    state.m_nID = control->GetID();
    state.m_nIndex = static_cast<UINT>(index);
    state.m_pOther = this;
    if (OnCmdMsg(0, kReflectedUpdateCode, &state, nullptr))
        return;
    if (OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
        return;
    if (IsCustomizeMode()) {
        state.Enable(TRUE);
        return;
    }
    // A bar's focused edit box answers for copy, cut and paste.
    if (auto* edit = dynamic_cast<CTKEdit*>(CWnd::GetFocus());
        edit && edit->OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
        return;
    // A submenu item has no command of its own: no handler is needed to open it.
    const BOOL submenu = control->GetID() == kTKSubmenuItemId;
    state.DoUpdate(target, disableIfNoHandler && !submenu);
}

LRESULT CTKCommandBar::OnInitialUpdate(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI(TRUE);
    return 0;
}

LRESULT CTKCommandBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(static_cast<DWORD>(lParam))),
                       static_cast<short>(HIWORD(static_cast<DWORD>(lParam))));
    const INT_PTR id = OnToolHitTest(point, nullptr);
    if (id > 0)
        return static_cast<LRESULT>(id) + HID_BASE_COMMAND;
    if (GetDlgCtrlID() != 0)
        return static_cast<LRESULT>(GetDlgCtrlID()) + HID_BASE_CONTROL;
    return 0;
}
