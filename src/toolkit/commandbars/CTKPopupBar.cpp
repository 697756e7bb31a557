#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKMenuSoundPlayer.h"

#include "platform/CArchive.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControlExpandButton.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupPlacement.h"
#include "toolkit/commandbars/CTKPopupShadow.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKShortcutFormatter.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/draw/CTKOffscreenDC.h"
#include "platform/ui/CPaintDC.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_SERIAL(CTKPopupBar, CTKCommandBar, 0x80000006)

namespace {

constexpr DWORD kPopupWindowStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
// Hide flags that still leave an item an ordinary visible one.
constexpr DWORD kOrdinaryHideFlags = kTKHideScroll | kTKHideExpand;
// The half size of the scroll arrows.
constexpr int kArrowHalf = 3;
// Option values of the animation.
constexpr int kAnimationSystem = 0;
constexpr int kAnimationRandom = 1;
constexpr int kRandomChoices = 3;

CRect WorkArea()
{
    return CSystemMetrics::Instance().GetWorkArea();
}

} // namespace

CTKPopupBar::CTKPopupBar()
{
    m_nBarType = kTKBarPopup;
    m_nPosition = kTKPositionPopup;
    m_nMRUWidth = 0;
}

CTKPopupBar::~CTKPopupBar() = default;

CTKPopupBar* CTKPopupBar::NewPopupBar(CTKCommandBars* commandBars)
{
    auto* popup = new CTKPopupBar;
    popup->SetCommandBars(commandBars);
    return popup;
}

void CTKPopupBar::DelayRedraw()
{
    if (IsWindow())
        Invalidate(FALSE);
}

CTKCommandBar* CTKPopupBar::GetParentCommandBar() const
{
    return m_pParentControl ? m_pParentControl->GetParent() : nullptr;
}

BOOL CTKPopupBar::SetPopupPosition(int x, int y, const CRect* exclude)
{
    m_ptPopup = CPoint(x, y);
    if (exclude)
        m_rcExclude = *exclude;
    return Popup(nullptr, FALSE);
}

BOOL CTKPopupBar::Popup(CTKControlPopup* parentControl, BOOL selectFirst)
{
    m_pParentControl = parentControl;
    if (!IsWindow() && !Create(GetSite(), CRect(), 0, kPopupWindowStyle))
        return FALSE;
    if (CWnd* owner = GetOwnerSite())
        owner->SendMessage(WM_TK_POPUP_OPENING, 0, reinterpret_cast<LPARAM>(this));
    m_bHiddenCommands = FALSE;
    m_bExpanded = IsCustomizeMode() || CTKPopupTracker::Get().IsMenuExpanded();
    m_bReleaseSuppressed = FALSE;
    UpdateLocation();
    UpdatePosition(CalcDynamicLayout(0, 0));
    SetTrackingMode(TRUE, selectFirst, FALSE);
    m_dwPendingWork &= ~kLayoutDue;
    OnIdleUpdateCmdUI(TRUE);
    DrawOpening();
    CTKMenuSoundPlayer::Get().Play(kTKSoundPopup);
    if (m_nPosition == kTKPositionPopup && m_bShadow) {
        CTKPopupShadow& shadows = CTKPopupShadow::Get();
        shadows.RemoveShadows(this);
        shadows.ShowShadow(this, m_rcExclude.IsRectEmpty() ? nullptr : &m_rcExclude);
    }
    return TRUE;
}

BOOL CTKPopupBar::SetTrackingMode(int mode, BOOL selectFirst, BOOL keyboard)
{
    if (!CTKCommandBar::SetTrackingMode(mode, selectFirst, keyboard))
        return FALSE;
    if (mode != 0)
        return TRUE;
    StopScrollTimer(kTKScrollDownTimer, &m_nScrollDownTimer);
    StopScrollTimer(kTKScrollUpTimer, &m_nScrollUpTimer);
    CTKPopupShadow::Get().RemoveShadows(this);
    DestroyWindow();
    CTKControlPopup* parentControl = m_pParentControl;
    if (CTKCommandBar* parentBar = parentControl ? parentControl->GetParent() : nullptr)
        parentBar->SetPopuped(-1, FALSE);
    if (CWnd* site = GetSite(); site && site->IsWindow())
        site->UpdateWindow();
    m_pParentControl = nullptr;
    return TRUE;
}

BOOL CTKPopupBar::DestroyWindow()
{
    if (!IsWindow())
        return FALSE;
    // Windows hosted by custom controls outlive the popup.
    CWnd* site = GetSite();
    for (QObject* object : children()) {
        auto* child = dynamic_cast<CWnd*>(object);
        if (!child || !child->IsWindow())
            continue;
        child->ShowWindow(SW_HIDE);
        child->SetParent(site);
    }
    return CTKCommandBar::DestroyWindow();
}

BOOL CTKPopupBar::SetSelected(int index, BOOL keyboard)
{
    if (!CTKCommandBar::SetSelected(index, keyboard))
        return FALSE;
    CTKControl* control = GetControl(index);
    if (!m_bScrolling || !control || (control->GetHideFlags() & kTKHideScroll) == 0)
        return TRUE;
    // A scrolled-away item chosen by the keyboard comes into view.
    if (index < m_nEndShown) {
        m_nFirstShown = index;
        LayoutScrolled(nullptr, FALSE, TRUE);
    } else {
        m_nEndShown = index + 1;
        LayoutScrolled(nullptr, TRUE, TRUE);
    }
    return TRUE;
}

BOOL CTKPopupBar::OnHookKeyDown(UINT key)
{
    if (m_bHiddenCommands && key == VK_DOWN) {
        const int next = m_pControls->GetNextIndex(m_nSelected, 1, TRUE, FALSE);
        if (GetKeyState(VK_CONTROL) < 0 || next <= m_nSelected)
            ExpandMenu();
    }
    return CTKCommandBar::OnHookKeyDown(key);
}

void CTKPopupBar::OnRecalcLayout()
{
    OnControlsChanged();
}

int CTKPopupBar::GetDefaultItem(UINT, BOOL byPosition) const
{
    for (int i = 0; i < GetControlCount(); ++i) {
        const CTKControl* control = GetControl(i);
        if (control->GetHideFlags() == 0 && control->IsDefaultItem())
            return byPosition ? i : static_cast<int>(control->GetID());
    }
    return -1;
}

void CTKPopupBar::ExpandMenu()
{
    if (m_bExpanded || !m_bHiddenCommands)
        return;
    m_bAnimateExpanding = TRUE;
    m_bExpanded = TRUE;
    // The release that follows the click on the expand button executes nothing.
    m_bReleaseSuppressed = TRUE;
    SetPopuped(-1, FALSE);
    SetSelected(-1, FALSE);
    OnRecalcLayout();
    CTKPopupTracker::Get().SetMenuExpanded(TRUE);
}

void CTKPopupBar::UpdateHiddenCommands()
{
    CTKCommandBars* bars = GetCommandBars();
    if (!bars)
        return;
    if (bars->GetCommandBarsOptions()->bAlwaysShowFullMenus) {
        for (int i = 0; i < GetControlCount(); ++i)
            GetControl(i)->SetHiddenCommand(FALSE);
        m_bExpanded = TRUE;
        return;
    }
    m_bHiddenCommands = FALSE;
    BOOL ordinaryItem = FALSE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        control->SetHiddenCommand(bars->IsHiddenCommand(control->GetID()));
        const BOOL ordinary = (control->GetHideFlags() & ~kOrdinaryHideFlags) == 0;
        if (!control->IsHiddenCommand() && control->GetID() != kTKMenuExpandButtonId && ordinary)
            ordinaryItem = TRUE;
    }
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        control->SetHideFlags(control->GetHideFlags() & ~kTKHideExpand);
    }
    // A menu made only of rarely used commands shows them all.
    if (m_bExpanded || !ordinaryItem)
        return;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        if (!control->IsHiddenCommand())
            continue;
        control->SetHideFlags(control->GetHideFlags() | kTKHideExpand);
        m_bHiddenCommands = TRUE;
    }
}

void CTKPopupBar::UpdateShortcuts()
{
    if (!GetFrameSite())
        return;
    CTKCommandBars* bars = GetCommandBars();
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        if (control->GetHideFlags() != 0 || control->GetID() == 0)
            continue;
        std::string text;
        FindShortcutText(control->GetID(), text, bars);
        control->SetShortcutText(text);
    }
}

CTKControlExpandButton* CTKPopupBar::FindExpandButton() const
{
    return dynamic_cast<CTKControlExpandButton*>(m_pControls->FindControl(kTKMenuExpandButtonId));
}

CRect CTKPopupBar::GetMargins(int* separatorHeight) const
{
    CRect margins;
    *separatorHeight = 0;
    CTKBarRenderer* renderer = GetBarRenderer();
    if (!renderer)
        return margins;
    auto* self = const_cast<CTKPopupBar*>(this);
    renderer->GetCommandBarBorders(&margins, self);
    CQtImageDC dc(1, 1);
    CSize separator;
    renderer->DrawCommandBarSeparator(&separator, &dc, self, nullptr, FALSE);
    *separatorHeight = separator.cy;
    return margins;
}

int CTKPopupBar::MeasureExpandButton() const
{
    CTKBarRenderer* renderer = GetBarRenderer();
    if (!renderer)
        return 0;
    CQtImageDC dc(1, 1);
    CSize size;
    renderer->DrawSpecialControl(&size, &dc, kTKSpecialPopupExpand, nullptr, const_cast<CTKPopupBar*>(this), FALSE,
                                 nullptr);
    return size.cy;
}

CSize CTKPopupBar::CalcDynamicLayout(int, DWORD)
{
    m_bInLayout = TRUE;
    const CSize size = m_nBarType == kTKBarToolbar ? CalcToolBarLayout() : CalcMenuLayout();
    m_bInLayout = FALSE;
    return size;
}

CSize CTKPopupBar::CalcMenuLayout()
{
    const CRect work = WorkArea();
    int separatorHeight = 0;
    CRect margins = GetMargins(&separatorHeight);
    for (int i = 0; i < GetControlCount(); ++i)
        GetControl(i)->OnCalcDynamicSize(0);
    UpdateHiddenCommands();

    CTKControlExpandButton* expand = FindExpandButton();
    int expandHeight = 0;
    if (m_bHiddenCommands) {
        expandHeight = MeasureExpandButton();
        margins.bottom += expandHeight;
        if (!expand) {
            expand = new CTKControlExpandButton;
            m_pControls->InsertControl(expand, kTKMenuExpandButtonId, {}, -1, TRUE);
        }
    }
    if (expand)
        expand->SetHideFlags(kTKHideListPlaceholder);
    UpdateShortcuts();

    CTKBarRenderer* renderer = GetBarRenderer();
    CQtImageDC dc(1, 1);
    const int widthCap = work.right / 3;
    int y = margins.top;
    int itemWidth = 0;
    BOOL first = TRUE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        control->SetHideFlags(control->GetHideFlags() & ~kTKHideScroll);
        if (control->GetHideFlags() != 0)
            continue;
        if (control->GetBeginGroup() && !first)
            y += separatorHeight;
        first = FALSE;
        CSize size;
        if (renderer) {
            CTKDCSelectGuard font(&dc, renderer->GetControlFont(this, control->IsDefaultItem()));
            size = control->GetSize(&dc);
        }
        size.cx = std::min<LONG>(size.cx, widthCap);
        control->SetRect(CRect(margins.left, y, margins.left + size.cx, y + size.cy));
        control->SetRowStart(FALSE);
        y += size.cy;
        itemWidth = std::max<int>(itemWidth, size.cx);
    }
    itemWidth = std::max(itemWidth, kTKPopupMinimumExtent);
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKControl* control = GetControl(i);
        if (control->GetHideFlags() != 0)
            continue;
        CRect rect = control->GetRect();
        rect.right = margins.left + itemWidth;
        control->SetRect(rect);
    }
    if (first)
        y = kTKPopupMinimumExtent;
    if (m_bHiddenCommands && expand) {
        expand->SetHideFlags(0);
        expand->SetRect(CRect(margins.left, y, margins.left + itemWidth, y + expandHeight));
    }
    return CSize(margins.left + margins.right + itemWidth, y + margins.bottom);
}

CSize CTKPopupBar::CalcToolBarLayout()
{
    UpdateShortcuts();
    CQtImageDC dc(1, 1);
    CSize size;
    const DWORD mode = kTKLayoutHorz | kTKLayoutCommit | kTKLayoutRememberedWidth;
    m_pControls->CalcLayout(&size, &dc, 0, mode, m_rcToolBarBorders, 0);
    return size;
}

void CTKPopupBar::UpdateLocation()
{
    if (!m_pParentControl)
        return;
    CTKCommandBar* bar = m_pParentControl->GetParent();
    if (!bar)
        return;
    m_dwPlacement = (m_pParentControl->GetFlags() & kTKFlagPopupLeft) ? kTKPopupLeftwards : 0;
    const int position = bar->GetPosition();
    if (position == kTKPositionLeft || position == kTKPositionPopup) {
        const auto* parentPopup = dynamic_cast<const CTKPopupBar*>(bar);
        if (bar->GetType() == kTKBarPopup && parentPopup && (parentPopup->m_dwPlacement & kTKPopupLeftwards))
            m_dwPlacement = kTKPopupLeftwards;
    } else if (position == kTKPositionRight) {
        m_dwPlacement = kTKPopupLeftwards;
    } else {
        m_dwPlacement |= kTKPopupDropDown;
    }
    m_rcExclude = m_pParentControl->GetRect();
    const BOOL comboOnBar = m_pParentControl->GetType() == kTKControlComboBox && bar->GetType() != kTKBarPopup;
    if (comboOnBar)
        m_dwPlacement = kTKPopupDropDown;
    else
        m_pParentControl->AdjustExcludeRect(m_rcExclude);
    if (bar->IsWindow())
        bar->ClientToScreen(&m_rcExclude);
    m_ptPopup = (m_dwPlacement & kTKPopupDropDown) ? CPoint(m_rcExclude.left, m_rcExclude.bottom)
                                                   : CPoint(m_rcExclude.right, m_rcExclude.top);
}

void CTKPopupBar::UpdatePosition(CSize size)
{
    const TKPOPUPPLACE place = CTKPopupPlacement::UpdatePosition(m_ptPopup, size, m_dwPlacement, m_rcExclude,
                                                                 WorkArea());
    m_dwPlacement = place.flags;
    m_bScrolling = place.scrolling;
    if (m_bScrolling) {
        m_nFirstShown = 0;
        LayoutScrolled(&place.size, FALSE, FALSE);
    }
    SetWindowPos(wndTopMost, place.origin.x, place.origin.y, place.size.cx, place.size.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CTKPopupBar::LayoutScrolled(const CSize* size, BOOL fromEnd, BOOL repaint)
{
    CSize extent;
    if (size) {
        extent = *size;
    } else if (IsWindow()) {
        CRect client;
        GetClientRect(&client);
        extent = client.Size();
    }
    int separatorHeight = 0;
    CRect margins = GetMargins(&separatorHeight);
    CTKControlExpandButton* expand = m_bHiddenCommands ? FindExpandButton() : nullptr;
    const int expandHeight = expand ? MeasureExpandButton() : 0;
    margins.bottom += expandHeight;
    m_rcScrollDown.SetRectEmpty();
    m_rcScrollUp.SetRectEmpty();
    const int count = GetControlCount();
    const int left = margins.left;
    const int right = extent.cx - margins.right;
    const int bottom = extent.cy - margins.bottom;
    CQtImageDC dc(1, 1);
    auto measure = [&](CTKControl* control) {
        CTKBarRenderer* renderer = GetBarRenderer();
        if (!renderer)
            return CSize();
        CTKDCSelectGuard font(&dc, renderer->GetControlFont(this, control->IsDefaultItem()));
        return control->GetSize(&dc);
    };
    if (!fromEnd) {
        if (m_nFirstShown == 1)
            m_nFirstShown = 0;
        int y = margins.top;
        if (m_nFirstShown > 0) {
            m_rcScrollUp = CRect(left, y, right, y + kTKScrollBandHeight);
            y += kTKScrollBandHeight;
        }
        int stop = m_nFirstShown;
        for (; stop < count; ++stop) {
            CTKControl* control = GetControl(stop);
            if (control == expand)
                continue;
            control->SetHideFlags(control->GetHideFlags() & ~kTKHideScroll);
            if (control->GetHideFlags() != 0)
                continue;
            if (control->GetBeginGroup())
                y += separatorHeight;
            const int height = measure(control).cy;
            if (bottom - y - height < kTKScrollBandHeight)
                break;
            control->SetRect(CRect(left, y, right, y + height));
            y += height;
        }
        for (int i = stop; i < count; ++i) {
            CTKControl* control = GetControl(i);
            if (control != expand)
                control->SetHideFlags(control->GetHideFlags() | kTKHideScroll);
        }
        for (int i = 0; i < m_nFirstShown; ++i)
            GetControl(i)->SetHideFlags(GetControl(i)->GetHideFlags() | kTKHideScroll);
        m_nEndShown = stop;
        if (stop < count)
            m_rcScrollDown = CRect(left, bottom - kTKScrollBandHeight, right, bottom);
    } else {
        if (m_nEndShown == count - 1)
            m_nEndShown = count;
        int y = bottom;
        if (m_nEndShown < count) {
            m_rcScrollDown = CRect(left, y - kTKScrollBandHeight, right, y);
            y -= kTKScrollBandHeight;
        }
        int stop = m_nEndShown - 1;
        for (; stop >= 0; --stop) {
            CTKControl* control = GetControl(stop);
            if (control == expand)
                continue;
            control->SetHideFlags(control->GetHideFlags() & ~kTKHideScroll);
            if (control->GetHideFlags() != 0)
                continue;
            const int top = y - measure(control).cy;
            if (top < kTKScrollBandHeight)
                break;
            control->SetRect(CRect(left, top, right, y));
            y = top;
            if (control->GetBeginGroup())
                y -= separatorHeight;
        }
        for (int i = 0; i <= stop; ++i) {
            CTKControl* control = GetControl(i);
            if (control != expand)
                control->SetHideFlags(control->GetHideFlags() | kTKHideScroll);
        }
        for (int i = m_nEndShown; i < count; ++i) {
            CTKControl* control = GetControl(i);
            if (control != expand)
                control->SetHideFlags(control->GetHideFlags() | kTKHideScroll);
        }
        m_nFirstShown = stop + 1;
        if (m_nFirstShown > 0)
            m_rcScrollUp = CRect(left, margins.top, right, margins.top + kTKScrollBandHeight);
    }
    if (expand) {
        expand->SetHideFlags(0);
        expand->SetRect(CRect(left, bottom, right, bottom + expandHeight));
    }
    if (repaint && IsWindow())
        Invalidate(FALSE);
}

int CTKPopupBar::GetAnimationType() const
{
    CTKCommandBars* bars = GetCommandBars();
    if (!bars || (IsWindow() && !findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty()))
        return kTKAnimateNone;
    const int option = bars->GetCommandBarsOptions()->nAnimationType;
    if (option == kAnimationSystem) {
        // The desktop keeps no menu animation preference here.
        return 0;
    }
    if (option == kAnimationRandom) {
        static constexpr int kRandomTypes[kRandomChoices] = {kTKAnimateFade, kTKAnimateSlide, kTKAnimateUnfold};
        return kRandomTypes[std::rand() % kRandomChoices];
    }
    return option;
}

void CTKPopupBar::DrawOpening()
{
    CTKCommandBar* parentBar = GetParentCommandBar();
    const BOOL mouseOnly = !parentBar || parentBar->IsMouseOnlyTracking();
    const BOOL hostsWindow = !findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
    m_nOpeningAnimation = mouseOnly && !IsCustomizeMode() && !hostsWindow ? GetAnimationType() : 0;
    if (IsAnimated(m_nOpeningAnimation) && parentBar && parentBar->IsWindow())
        parentBar->UpdateWindow();
    // The first paint shows the popup, animated when a type was chosen.
    Invalidate(FALSE);
    if (parentBar)
        parentBar->SetMouseOnlyTracking(FALSE);
}

BOOL CTKPopupBar::IsAnimated(int type)
{
    return type >= kTKAnimateUnfold && type <= kTKAnimateFade;
}

void CTKPopupBar::OnPaint()
{
    CTKBarRenderer* renderer = GetBarRenderer();
    const int opening = m_nOpeningAnimation;
    const BOOL expanding = m_bAnimateExpanding && IsAnimated(GetAnimationType());
    m_nOpeningAnimation = 0;
    m_bAnimateExpanding = FALSE;
    if (!renderer || (!IsAnimated(opening) && !expanding)) {
        CTKCommandBar::OnPaint();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CTKOffscreenDC image(&dc, client);
    DrawCommandBar(image.GetDC());
    if (expanding)
        renderer->AnimateExpanding(this, &dc, image.GetDC());
    else
        renderer->AnimatePopup(&dc, image.GetDC(), client, opening);
}

void CTKPopupBar::DrawCommandBar(CDC* dc)
{
    CTKCommandBar::DrawCommandBar(dc);
    CTKBarRenderer* renderer = GetBarRenderer();
    if (!m_bScrolling || !renderer)
        return;
    const COLORREF color = CSystemMetrics::Instance().GetSysColor(COLOR_BTNTEXT);
    if (!m_rcScrollDown.IsRectEmpty()) {
        const CPoint c = m_rcScrollDown.CenterPoint();
        renderer->DrawFilledTriangle(dc, c.x - kArrowHalf, c.y, c.x + kArrowHalf, c.y, c.x, c.y + kArrowHalf, color);
    }
    if (!m_rcScrollUp.IsRectEmpty()) {
        const CPoint c = m_rcScrollUp.CenterPoint();
        renderer->DrawFilledTriangle(dc, c.x - kArrowHalf, c.y, c.x + kArrowHalf, c.y, c.x, c.y - kArrowHalf, color);
    }
}

void CTKPopupBar::OnControlsChanged()
{
    if (m_bInLayout || !IsWindow() || m_nTrackingMode == 0)
        return;
    CTKPopupShadow& shadows = CTKPopupShadow::Get();
    shadows.RemoveShadows(this);
    UpdateShortcuts();
    UpdateLocation();
    UpdatePosition(CalcDynamicLayout(0, 0));
    if (m_nPosition == kTKPositionPopup && m_bShadow)
        shadows.ShowShadow(this, m_rcExclude.IsRectEmpty() ? nullptr : &m_rcExclude);
    if (m_pParentControl)
        m_pParentControl->OnPopupShown();
    // The next paint shows the newly shown items growing in, when animated.
    Invalidate(FALSE);
}

namespace {

// The first stored schema that carries the toolbar borders and the shadow.
constexpr int kSchemaBorders = 4;

} // namespace

void CTKPopupBar::Serialize(CArchive& ar)
{
    CTKCommandBar::Serialize(ar);
    // This bar has no tear-off part: its place in the stored form stays empty.
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(FALSE) << std::string() << static_cast<DWORD>(0) << static_cast<DWORD>(0);
        ar << static_cast<int>(m_rcToolBarBorders.left) << static_cast<int>(m_rcToolBarBorders.top)
           << static_cast<int>(m_rcToolBarBorders.right) << static_cast<int>(m_rcToolBarBorders.bottom) << m_bShadow;
        return;
    }
    DWORD tearOff = 0;
    std::string tearOffTitle;
    DWORD tearOffId = 0;
    DWORD tearOffWidth = 0;
    ar >> tearOff >> tearOffTitle >> tearOffId >> tearOffWidth;
    if (ar.GetObjectSchema() < kSchemaBorders)
        return;
    int borders[4] = {};
    for (int& border : borders)
        ar >> border;
    ar >> m_bShadow;
    m_rcToolBarBorders = CRect(borders[0], borders[1], borders[2], borders[3]);
}

void CTKPopupBar::Copy(const CTKCommandBar* source, BOOL recursive)
{
    CTKCommandBar::Copy(source, recursive);
    const auto* popup = dynamic_cast<const CTKPopupBar*>(source);
    if (!popup || popup == this)
        return;
    m_bShadow = popup->m_bShadow;
    m_rcToolBarBorders = popup->m_rcToolBarBorders;
}

void CTKPopupBar::StartScrollTimer(UINT_PTR id, UINT_PTR* handle)
{
    if (*handle == 0 && IsWindow())
        *handle = SetTimer(id, kTKScrollPeriod);
}

void CTKPopupBar::StopScrollTimer(UINT_PTR id, UINT_PTR* handle)
{
    if (*handle != 0 && IsWindow())
        KillTimer(id);
    *handle = 0;
}

void CTKPopupBar::OnMouseMove(UINT flags, CPoint point)
{
    CTKCommandBar* parentBar = GetParentCommandBar();
    CRect client;
    GetClientRect(&client);
    if (parentBar && m_pParentControl && client.PtInRect(point))
        parentBar->SetSelected(m_pParentControl->GetIndex(), FALSE);
    if (m_bScrolling) {
        if (m_rcScrollDown.PtInRect(point)) {
            StartScrollTimer(kTKScrollDownTimer, &m_nScrollDownTimer);
            SetPopuped(-1, FALSE);
        } else {
            StopScrollTimer(kTKScrollDownTimer, &m_nScrollDownTimer);
        }
        if (m_rcScrollUp.PtInRect(point)) {
            StartScrollTimer(kTKScrollUpTimer, &m_nScrollUpTimer);
            SetPopuped(-1, FALSE);
        } else {
            StopScrollTimer(kTKScrollUpTimer, &m_nScrollUpTimer);
        }
    }
    CTKCommandBar::OnMouseMove(flags, point);
}

void CTKPopupBar::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_bReleaseSuppressed) {
        m_bReleaseSuppressed = FALSE;
        return;
    }
    CTKCommandBar::OnLButtonUp(flags, point);
}

void CTKPopupBar::ScrollDownStep()
{
    if (m_nEndShown >= GetControlCount()) {
        StopScrollTimer(kTKScrollDownTimer, &m_nScrollDownTimer);
        return;
    }
    ++m_nEndShown;
    LayoutScrolled(nullptr, TRUE, TRUE);
}

void CTKPopupBar::ScrollUpStep()
{
    if (m_nFirstShown <= 0) {
        StopScrollTimer(kTKScrollUpTimer, &m_nScrollUpTimer);
        return;
    }
    --m_nFirstShown;
    LayoutScrolled(nullptr, FALSE, TRUE);
}

void CTKPopupBar::OnTimer(UINT_PTR id)
{
    if (id == kTKScrollDownTimer) {
        ScrollDownStep();
        return;
    }
    if (id == kTKScrollUpTimer) {
        ScrollUpStep();
        return;
    }
    CTKCommandBar::OnTimer(id);
}
