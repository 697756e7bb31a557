#include "toolkit/commandbars/CTKToolBar.h"

#include "platform/CArchive.h"
#include "platform/CUserInterface.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/commandbars/CTKAddRemoveButtonItem.h"
#include "toolkit/commandbars/CTKBarDragTracker.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKDockBar.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKShortcutFormatter.h"
#include "toolkit/commandbars/CTKToolBarCloseButton.h"
#include "toolkit/commandbars/CTKToolBarExpandButton.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"

#include <QApplication>

#include <vector>

IMPLEMENT_SERIAL(CTKToolBar, CTKCommandBar, 0x80000006)

namespace {

// Room at the end of a docked bar for the expand button.
constexpr int kExpandRoom = 11;
// Margins of a floating bar around its controls, below the caption.
constexpr int kFloatingMargin = 3;
constexpr int kFloatingCaptionGap = 4;
// The resizing edge of a floating bar.
constexpr int kSizingEdge = 3;
constexpr int kDefaultFloatingSide = 100;
constexpr int kDefaultIconSide = 16;
constexpr DWORD kFloatingStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kTKSyncActivation;
constexpr DWORD kFloatingRecalc = kTKLayoutHorz | kTKLayoutMRUWidth | kTKLayoutCommit;
constexpr DWORD kParentLayoutMode = kTKLayoutHorz | kTKLayoutHorzDock | kTKLayoutCommit;
constexpr int kParentLayoutLength = 32000;
// "Are you sure you want to reset the changes made to the '%s' toolbar?"
constexpr UINT kResetQuestion = 9349;
constexpr char kTitlePlaceholder[] = "%s";

// What the dock bar flags mean for one bar's layout mode.
constexpr DWORD kDockFlagSides = 0x1F;
// Buttons that the Add or Remove Buttons list does not offer.
constexpr DWORD kNotListedHideFlags = kTKHideListPlaceholder | kTKHideDocumentType;

BOOL SameButton(const CTKControl* a, const CTKControl* b)
{
    return a->GetID() == b->GetID() && a->GetType() == b->GetType();
}

// The index of the first control from first on that is the same button; -1 when none is.
template <class Get>
int FindButton(const CTKControl* button, int first, int count, Get get)
{
    for (int i = first; i < count; ++i) {
        if (SameButton(get(i), button))
            return i;
    }
    return -1;
}

// The picture of a button in the list: its own, else its command's.
int ListIconOf(const CTKControl* control)
{
    if (control->GetCustomIconId() != 0)
        return static_cast<int>(control->GetCustomIconId());
    if (control->GetIconId() > 0)
        return control->GetIconId();
    const int type = control->GetType();
    return type >= kTKControlButton && type <= kTKControlSplitButtonPopup ? static_cast<int>(control->GetID()) : 0;
}

} // namespace

CTKToolBar::CTKToolBar()
{
    m_dwStyle = kTKBarStyleGripper;
    m_nBarType = kTKBarToolbar;
}

CTKToolBar::~CTKToolBar() = default;

void CTKToolBar::EnableDocking(DWORD flags)
{
    if (!m_pTracker)
        m_pTracker = std::make_unique<CTKBarDragTracker>(this);
    m_dwFlags = flags;
}

BOOL CTKToolBar::CreateToolBar(DWORD, CTKCommandBars* commandBars, int position)
{
    SetCommandBars(commandBars);
    if (!CreateBarWindow(commandBars ? commandBars->GetFrame() : nullptr, position == kTKPositionFloating))
        return FALSE;
    if (position == kTKPositionFloating) {
        m_nPosition = kTKPositionFloating;
        OnRecalcLayout();
        return TRUE;
    }
    return SetPosition(position);
}

BOOL CTKToolBar::CreateBarWindow(CWnd* frame, BOOL floating)
{
    if (!IsWindow()) {
        SetClassStyle(CS_DBLCLKS);
        CSize size(kDefaultFloatingSide, kDefaultFloatingSide);
        // A docked bar starts as a child: its window never needs a native one.
        const DWORD style = floating ? kFloatingStyle : (kFloatingStyle & ~(WS_POPUP | kTKSyncActivation)) | WS_CHILD;
        if (!Create(frame, CRect(CPoint(), size), 0, style, m_strTitle))
            return FALSE;
        ShowWindow(SW_SHOWNA);
    }
    return MakeBarWindow(frame, floating);
}

BOOL CTKToolBar::MakeBarWindow(CWnd* frame, BOOL floating)
{
    if (!IsWindow())
        return CreateBarWindow(frame, floating);
    // Docked or floating, the frame owns the bar and takes its commands.
    if (floating) {
        ModifyStyle(WS_CHILD, WS_POPUP | kTKSyncActivation);
        SetParent(frame);
    } else {
        ModifyStyle(WS_POPUP, WS_CHILD);
    }
    SetOwner(frame);
    return TRUE;
}

BOOL CTKToolBar::SetPosition(int position)
{
    CTKCommandBars* commandBars = GetCommandBars();
    if (!commandBars)
        return FALSE;
    if (position >= kTKPositionTop && position <= kTKPositionRight)
        return commandBars->DockBarAtSide(this, position);
    if (position == kTKPositionFloating)
        return commandBars->FloatBar(this);
    return FALSE;
}

void CTKToolBar::SetVisible(BOOL visible)
{
    m_bVisible = visible;
    if (!visible && m_nTrackingMode != 0)
        SetTrackingMode(0, FALSE, FALSE);
    if (IsWindow())
        ShowWindow(visible ? SW_SHOWNA : SW_HIDE);
    CTKCommandBars* commandBars = GetCommandBars();
    if (m_pDockBar) {
        if (CFrameWnd* frame = commandBars ? commandBars->GetFrame() : nullptr)
            frame->RecalcLayout(FALSE);
    }
    if (!visible && m_bTemporary && commandBars)
        commandBars->RemoveBar(this);
}

BOOL CTKToolBar::IsVisible() const
{
    return m_bVisible;
}

void CTKToolBar::HideForPrintPreview(BOOL hide)
{
    if (hide) {
        m_bPreviewVisible = m_bVisible;
        if (m_bVisible) {
            m_bVisible = FALSE;
            ShowWindow(SW_HIDE);
        }
        return;
    }
    if (m_bPreviewVisible) {
        m_bVisible = TRUE;
        ShowWindow(SW_SHOWNA);
    }
}

BOOL CTKToolBar::LoadToolBar(UINT id, BOOL loadBitmap)
{
    m_nBarId = id;
    const CToolBarResource* resource = CResourceStore::Instance().FindToolBar(id);
    m_pControls->RemoveAll();
    if (!resource)
        return FALSE;
    const std::vector<UINT>& commands = resource->commands;
    SetButtons(commands.data(), static_cast<int>(commands.size()));
    m_pControls->CreateReferenceCopy();
    if (!loadBitmap)
        return TRUE;
    if (resource->buttonWidth != kDefaultIconSide)
        m_szIcons = CSize(resource->buttonWidth, resource->buttonHeight);
    return GetImageStore()->SetIcons(id, commands.data(), static_cast<int>(commands.size()), resource->buttonWidth,
                                     resource->buttonHeight, CTKCommandImages::kNormal);
}

void CTKToolBar::SetButtons(const UINT* ids, int count)
{
    m_pControls->RemoveAll();
    BOOL beginGroup = FALSE;
    for (int i = 0; i < count; ++i) {
        if (ids[i] == 0) {
            beginGroup = TRUE;
            continue;
        }
        CTKControl* control = m_pControls->AddNewControl(kTKControlButton, ids[i]);
        if (control && beginGroup)
            control->SetBeginGroup(TRUE);
        beginGroup = FALSE;
    }
}

CRect CTKToolBar::GetBorders()
{
    CRect borders;
    CTKBarRenderer* renderer = GetBarRenderer();
    if (!renderer)
        return borders;
    renderer->GetCommandBarBorders(&borders, this);
    if (m_dwStyle & kTKBarStyleGripper) {
        CQtImageDC dc(1, 1);
        CSize gripper;
        renderer->DrawCommandBarGripper(&gripper, &dc, this, FALSE);
        borders.left += gripper.cx;
        borders.top += gripper.cy;
    }
    return borders;
}

CTKControl* CTKToolBar::FindOrAddSpecial(UINT id)
{
    if (CTKControl* control = m_pControls->FindControl(id))
        return control;
    CTKControl* control = id == kTKExpandButtonId ? static_cast<CTKControl*>(new CTKToolBarExpandButton)
                                                  : static_cast<CTKControl*>(new CTKToolBarCloseButton);
    return m_pControls->InsertControl(control, id, {}, -1, TRUE);
}

CSize CTKToolBar::CalcDockingLayout(int length, DWORD mode, int rowHeight)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    if (!renderer)
        return CSize();
    CRect borders = GetBorders();
    CQtImageDC dc(1, 1);
    CTKDCSelectGuard font(&dc, renderer->GetControlFont(this, FALSE));
    if (CTKControl* close = m_pControls->FindControl(kTKCloseButtonId))
        close->SetHideFlags(kTKHideListPlaceholder);
    CTKControl* expand = nullptr;
    if (m_nBarType != kTKBarMenu && m_pTracker) {
        expand = FindOrAddSpecial(kTKExpandButtonId);
        expand->SetHideFlags(kTKHideListPlaceholder);
    }
    CTKCommandBars* commandBars = GetCommandBars();
    const BOOL alwaysShow = !commandBars || commandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
    const BOOL horizontal = (mode & kTKLayoutHorzDock) != 0;
    if (!alwaysShow) {
        CSize size;
        if (!(mode & kTKLayoutCommit)) {
            m_pControls->CalcLayout(&size, &dc, length, mode, borders, rowHeight);
            CSize narrow;
            m_pControls->CalcLayout(&narrow, &dc, 1, mode, borders, rowHeight);
            // The narrowest a bar gets keeps room for its expand button.
            if (horizontal)
                size.cx = std::max(size.cx, narrow.cx + kExpandRoom);
            else
                size.cy = std::max(size.cy, narrow.cy + kExpandRoom);
            return size;
        }
        m_pControls->CalcLayout(&size, &dc, length, mode, borders, rowHeight);
        BOOL dropped = FALSE;
        for (int i = 0; i < m_pControls->GetCount(); ++i)
            dropped |= m_pControls->GetAt(i)->GetHideFlags() == kTKHideWrap;
        if (!dropped || !expand)
            return size;
    }
    if (horizontal)
        borders.right += kExpandRoom;
    else
        borders.bottom += kExpandRoom;
    CSize size;
    m_pControls->CalcLayout(&size, &dc, length, mode, borders, rowHeight);
    if (expand) {
        expand->SetHideFlags(0);
        CSize placed;
        renderer->DrawSpecialControl(&placed, &dc, kTKSpecialExpand, expand, this, FALSE, &size);
    }
    return size;
}

CSize CTKToolBar::CalcDynamicLayout(int length, DWORD mode)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    if (!renderer)
        return CSize();
    CQtImageDC dc(1, 1);
    CSize caption;
    renderer->DrawCommandBarGripper(&caption, &dc, this, FALSE);
    const int captionHeight = caption.cy;
    const CRect borders(kFloatingMargin, captionHeight + kFloatingCaptionGap, kFloatingMargin, kFloatingMargin);
    CTKControl* close = nullptr;
    CTKControl* expand = nullptr;
    if (m_nBarType != kTKBarMenu) {
        close = FindOrAddSpecial(kTKCloseButtonId);
        expand = FindOrAddSpecial(kTKExpandButtonId);
        close->SetHideFlags(kTKHideListPlaceholder);
        expand->SetHideFlags(kTKHideListPlaceholder);
    }
    CTKDCSelectGuard font(&dc, renderer->GetControlFont(this, FALSE));
    CSize size;
    m_pControls->CalcLayout(&size, &dc, length, mode, borders, 0);
    if (!close)
        return size;
    int x = size.cx - kFloatingMargin;
    close->SetHideFlags(0);
    close->SetRect(CRect(x - captionHeight, kFloatingMargin, x, captionHeight + kFloatingMargin));
    x -= captionHeight;
    CTKCommandBars* commandBars = GetCommandBars();
    const BOOL alwaysShow = !commandBars || commandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
    if (x - captionHeight > 0 && alwaysShow) {
        expand->SetHideFlags(0);
        expand->SetRect(CRect(x - captionHeight, kFloatingMargin, x, captionHeight + kFloatingMargin));
    }
    return size;
}

void CTKToolBar::OnRecalcLayout()
{
    if (m_nPosition == kTKPositionFloating) {
        const CSize size = CalcDynamicLayout(-1, kFloatingRecalc);
        CRect window;
        GetWindowRect(&window);
        MoveWindow(CRect(window.TopLeft(), size), TRUE);
        Invalidate(FALSE);
        return;
    }
    if (CTKCommandBars* commandBars = GetCommandBars())
        commandBars->RelayoutFrame(FALSE);
}

void CTKToolBar::Copy(const CTKCommandBar* source, BOOL recursive)
{
    CTKCommandBar::Copy(source, recursive);
    if (const auto* toolBar = dynamic_cast<const CTKToolBar*>(source)) {
        m_bBuiltIn = toolBar->m_bBuiltIn;
        m_bTemporary = toolBar->m_bTemporary;
    }
}

void CTKToolBar::Serialize(CArchive& ar)
{
    CTKCommandBar::Serialize(ar);
    if (ar.IsStoring())
        ar << m_bBuiltIn << m_bTemporary;
    else
        ar >> m_bBuiltIn >> m_bTemporary;
}

CTKCommandBar* CTKToolBar::Clone(BOOL recursive) const
{
    auto* bar = new CTKToolBar;
    bar->Copy(this, recursive);
    return bar;
}

BOOL CTKToolBar::ConfirmReset() const
{
    // The title goes in as text, never as a format.
    std::string question = CResourceStore::Instance().LoadString(kResetQuestion);
    const std::size_t placeholder = question.find(kTitlePlaceholder);
    if (placeholder != std::string::npos)
        question.replace(placeholder, sizeof kTitlePlaceholder - 1, m_strTitle);
    const std::string caption = AfxGetApp() ? AfxGetApp()->GetAppName() : std::string();
    return ShowMessage(caption, question, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

void CTKToolBar::RemoveKeepingMarks(int index)
{
    m_pControls->Remove(index);
    if (m_nSelected > index)
        --m_nSelected;
    if (m_nPopuped > index)
        --m_nPopuped;
}

CTKControl* CTKToolBar::InsertCopyKeepingMarks(const CTKControl* source, int index)
{
    CTKControl* copy = m_pControls->AddClone(source, index, FALSE);
    if (m_nSelected >= index)
        ++m_nSelected;
    if (m_nPopuped >= index)
        ++m_nPopuped;
    return copy;
}

void CTKToolBar::BuildAddRemoveList(CTKPopupBar* list)
{
    if (!list)
        return;
    const CTKControls* resetSet = m_pControls->GetReferenceCopy();
    std::vector<const CTKControl*> reference;
    for (int i = 0; resetSet && i < resetSet->GetCount(); ++i)
        reference.push_back(resetSet->GetAt(i));
    const std::vector<const CTKControl*> loaded = reference;
    for (int i = GetControlCount() - 1; i >= 0; --i) {
        if (GetControl(i)->GetHideFlags() & kTKHideCustomize)
            RemoveKeepingMarks(i);
    }
    const auto onBar = [this](int i) { return GetControl(i); };
    const auto inReference = [&reference](int i) { return reference[static_cast<std::size_t>(i)]; };
    CTKControls* items = list->GetControls();
    std::size_t a = 0;
    for (int i = 0; i < GetControlCount() || a < reference.size(); ++i) {
        CTKControl* button = i < GetControlCount() ? GetControl(i) : nullptr;
        const CTKControl* wanted = a < reference.size() ? reference[a] : nullptr;
        const int wantedAt = wanted ? FindButton(wanted, i, GetControlCount(), onBar) : -1;
        const int buttonAt = button ? FindButton(button, static_cast<int>(a), static_cast<int>(reference.size()),
                                                 inReference)
                                    : -1;
        if (wanted && wantedAt < 0) {
            button = InsertCopyKeepingMarks(wanted, i);
            button->SetHideFlags(kTKHideCustomize);
            ++a;
        } else if (wanted && wantedAt == i) {
            ++a;
        } else if (buttonAt >= 0) {
            reference.erase(reference.begin() + buttonAt);
        }
        if (!button || button->GetID() == kTKCloseButtonId || button->GetID() == kTKExpandButtonId
            || (button->GetHideFlags() & kNotListedHideFlags))
            continue;
        auto* item = new CTKAddRemoveButtonItem(button);
        item->SetCaption(button->GetDisplayCaption());
        item->SetIconId(ListIconOf(button));
        std::string shortcut;
        FindShortcutText(button->GetID(), shortcut, GetCommandBars());
        item->SetShortcutText(shortcut);
        const int loadedAt = FindButton(button, 0, static_cast<int>(loaded.size()),
                                        [&loaded](int k) { return loaded[static_cast<std::size_t>(k)]; });
        item->SetEnabled(loadedAt >= 0);
        item->SetChecked((button->GetHideFlags() & kTKHideCustomize) == 0);
        items->InsertControl(item, 0, {}, -1, TRUE);
    }
    if (resetSet && m_bBuiltIn && !m_bTemporary) {
        auto* reset = new CTKAddRemoveButtonItem(this);
        reset->SetCaption(kTKResetButtonsString);
        reset->SetBeginGroup(TRUE);
        items->InsertControl(reset, 0, {}, -1, TRUE);
    }
}

void CTKToolBar::Reset()
{
    if (!m_bBuiltIn || m_nBarId == 0)
        return;
    if (!ConfirmReset())
        return;
    if (const CTKControls* reference = m_pControls->GetReferenceCopy()) {
        m_pControls->RemoveAll();
        for (int i = 0; i < reference->GetCount(); ++i)
            if (!reference->GetAt(i)->IsTemporary())
                m_pControls->AddClone(reference->GetAt(i), -1, TRUE);
    } else {
        LoadToolBar(m_nBarId, FALSE);
    }
    OnIdleUpdateCmdUI(TRUE);
    OnRecalcLayout();
}

LRESULT CTKToolBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    if (!(GetStyle() & WS_VISIBLE) || m_pDockBar)
        return 0;
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD mode = kParentLayoutMode;
    if (m_dwFlags & kTKDockStretch)
        mode |= kTKLayoutStretch;
    if (m_dwFlags & kTKDockHideOverflow)
        mode |= kTKLayoutSingleRow;
    CSize size = CalcDockingLayout(kParentLayoutLength, mode, 0);
    CRect& free = layout->rect;
    size.cx = std::min(size.cx, free.Width());
    size.cy = std::min(size.cy, free.Height());
    MoveWindow(CRect(free.left, free.top, free.left + size.cx, free.top + size.cy));
    free.top += size.cy;
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
    return 0;
}

LRESULT CTKToolBar::OnNcHitTest(CPoint screenPoint)
{
    if (m_nPosition != kTKPositionFloating)
        return CTKCommandBar::OnNcHitTest(screenPoint);
    CRect inner;
    GetWindowRect(&inner);
    inner.DeflateRect(kSizingEdge, kSizingEdge);
    if (screenPoint.y < inner.top)
        return HTTOP;
    if (screenPoint.y >= inner.bottom)
        return HTBOTTOM;
    if (screenPoint.x < inner.left)
        return HTLEFT;
    if (screenPoint.x >= inner.right)
        return HTRIGHT;
    return CTKCommandBar::OnNcHitTest(screenPoint);
}

void CTKToolBar::OnLButtonDown(UINT flags, CPoint point)
{
    raise();
    // On a control the bar's own press rules hold (a control kept out of
    // customising is not dragged).
    if (m_pControls->HitTest(point)) {
        CTKCommandBar::OnLButtonDown(flags, point);
        return;
    }
    SetTrackingMode(0, FALSE, FALSE);
    if (!m_pTracker || !(m_dwFlags & kDockFlagSides))
        return;
    CPoint screen = point;
    ClientToScreen(&screen);
    m_pTracker->TrackMove(screen.x, screen.y);
}

void CTKToolBar::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (m_pControls->HitTest(point) || !m_pTracker) {
        CTKCommandBar::OnLButtonDblClk(flags, point);
        return;
    }
    m_pTracker->ToggleDocking();
}

void CTKToolBar::OnClose()
{
    // A floating toolbar closes only through its close button or the toolbars menu.
}

BOOL CTKToolBar::IsTopParentActive() const
{
    QWidget* top = window();
    if (m_nPosition == kTKPositionFloating && parentWidget())
        top = parentWidget()->window();
    return top && top->isActiveWindow();
}

LRESULT CTKToolBar::OnFloatStatus(WPARAM flags)
{
    if (m_nPosition != kTKPositionFloating || !m_bVisible)
        return 0;
    const LRESULT answer = (GetStyle() & kTKSyncActivation) && (flags & FS_SYNCACTIVE);
    CTKCommandBars* commandBars = GetCommandBars();
    const BOOL follow = !commandBars || commandBars->GetCommandBarsOptions()->bSyncFloatingBars;
    if (follow && (flags & FS_DEACTIVATE) && !IsTopParentActive())
        setVisible(false);
    if (follow && (flags & FS_ACTIVATE) && IsTopParentActive())
        setVisible(true);
    if (flags & FS_SHOW)
        setVisible(true);
    if (flags & FS_HIDE)
        setVisible(false);
    if (flags & FS_ENABLE)
        EnableWindow(TRUE);
    if (flags & FS_DISABLE)
        EnableWindow(FALSE);
    return answer;
}

BOOL CTKToolBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        if (m_nPosition != kTKPositionFloating)
            break;
        *result = MA_NOACTIVATE;
        return TRUE;
    case WM_NCACTIVATE:
        if (!wParam)
            break;
        *result = 0;
        return TRUE;
    case WM_FLOATSTATUS:
        *result = OnFloatStatus(wParam);
        return TRUE;
    case WM_NCLBUTTONDOWN: {
        const auto hit = static_cast<LRESULT>(wParam);
        if (!m_pTracker || hit < HTLEFT || hit > HTBOTTOMRIGHT)
            break;
        raise();
        SetTrackingMode(0, FALSE, FALSE);
        const CPoint screen(static_cast<short>(LOWORD(static_cast<DWORD>(lParam))),
                            static_cast<short>(HIWORD(static_cast<DWORD>(lParam))));
        m_pTracker->TrackResize(static_cast<int>(hit), screen.x, screen.y);
        *result = 0;
        return TRUE;
    }
    default:
        break;
    }
    return CTKCommandBar::OnWndMsg(message, wParam, lParam, result);
}

void CTKToolBar::OnRButtonDown(UINT flags, CPoint point)
{
    CTKCommandBars* bars = GetCommandBars();
    if (!bars || IsCustomizeMode()) {
        CTKCommandBar::OnRButtonDown(flags, point);
        return;
    }
    SetTrackingMode(0, TRUE, FALSE);
    Invalidate(FALSE);
    ClientToScreen(&point);
    bars->ShowToolBarsMenu(point.x, point.y);
}
