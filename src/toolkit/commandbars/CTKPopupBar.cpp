#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKMenuSoundPlayer.h"
#include "toolkit/commandbars/CTKPopupAnimation.h"
#include "toolkit/commandbars/CTKToolBar.h"

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
#include "platform/ui/CTrackingLoop.h"
#include "platform/ui/CFrameWnd.h"

#include <QApplication>
#include <QCursor>

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
// Hide bits a torn-off copy of an item drops: hidden as rarely used, scrolled away.
constexpr DWORD kTornHideBits = kTKHideExpand | kTKHideScroll;
// The torn toolbar hangs this far above the mouse.
constexpr int kTornDrop = 10;
constexpr DWORD kTornLayoutMode = kTKLayoutHorz | kTKLayoutMRUWidth | kTKLayoutCommit;

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
    StopTearOffTimer();
    StopOpeningAnimation();
    m_bTearOffHot = FALSE;
    CTKPopupShadow& shadows = CTKPopupShadow::Get();
    shadows.RemoveShadows(this);
    // The shadow of the title the popup dropped from goes with it, or it
    // stays on screen beside the title.
    shadows.RemoveControlShadow(m_pParentControl);
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
    margins.top += MeasureTearOff();
    return margins;
}

int CTKPopupBar::MeasureTearOff() const
{
    CTKBarRenderer* renderer = GetBarRenderer();
    if (!m_bTearOff || !renderer)
        return 0;
    CQtImageDC dc(1, 1);
    CSize size;
    renderer->DrawTearOffTitle(&size, &dc, CRect(), FALSE, FALSE);
    return size.cy;
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
    m_rcTearOff = CRect(margins.left, margins.top - MeasureTearOff(), margins.left + itemWidth, margins.top);
    return CSize(margins.left + margins.right + itemWidth, y + margins.bottom);
}

CSize CTKPopupBar::CalcToolBarLayout()
{
    UpdateShortcuts();
    const int strip = MeasureTearOff();
    CRect borders = m_rcToolBarBorders;
    borders.top += strip;
    CQtImageDC dc(1, 1);
    CSize size;
    const DWORD mode = kTKLayoutHorz | kTKLayoutCommit | kTKLayoutRememberedWidth;
    m_pControls->CalcLayout(&size, &dc, 0, mode, borders, 0);
    m_rcTearOff = CRect(borders.left, borders.top - strip, size.cx - borders.left, borders.top);
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
    m_rcTearOff = CRect(left, margins.top - MeasureTearOff(), right, margins.top);
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
    const int type = mouseOnly && !IsCustomizeMode() && !hostsWindow ? GetAnimationType() : 0;
    StopOpeningAnimation();
    if (IsAnimated(type)) {
        if (parentBar && parentBar->IsWindow())
            parentBar->UpdateWindow();
        StartOpeningAnimation(type);
    }
    Invalidate(FALSE);
    if (parentBar)
        parentBar->SetMouseOnlyTracking(FALSE);
}

void CTKPopupBar::StartOpeningAnimation(int type)
{
    CTKBarRenderer* renderer = GetBarRenderer();
    CRect client;
    GetClientRect(&client);
    if (!renderer || renderer->m_nAnimationSteps <= 0 || client.IsRectEmpty())
        return;
    auto image = std::make_unique<CQtImageDC>(client.Width(), client.Height());
    DrawCommandBar(image.get());
    // Under the growing popup lies its empty face.
    auto below = std::make_unique<CQtImageDC>(client.Width(), client.Height());
    below->FillSolidRect(CRect(CPoint(0, 0), client.Size()), CSystemMetrics::Instance().GetSysColor(COLOR_MENU));
    m_pAnimation = std::make_unique<CTKPopupAnimation>(type, renderer->m_nAnimationSteps, std::move(image),
                                                       std::move(below), client);
    SetTimer(kTKAnimationTimer, CTKPopupAnimation::GetPeriod(renderer));
}

void CTKPopupBar::StopOpeningAnimation()
{
    if (!m_pAnimation)
        return;
    m_pAnimation.reset();
    if (IsWindow())
        KillTimer(kTKAnimationTimer);
}

BOOL CTKPopupBar::IsAnimated(int type)
{
    return type >= kTKAnimateUnfold && type <= kTKAnimateFade;
}

void CTKPopupBar::OnPaint()
{
    CTKBarRenderer* renderer = GetBarRenderer();
    if (m_pAnimation && renderer) {
        CPaintDC dc(this);
        m_pAnimation->Draw(renderer, &dc);
        return;
    }
    const BOOL expanding = m_bAnimateExpanding && IsAnimated(GetAnimationType());
    m_bAnimateExpanding = FALSE;
    if (!renderer || !expanding) {
        CTKCommandBar::OnPaint();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CTKOffscreenDC image(&dc, client);
    DrawCommandBar(image.GetDC());
    renderer->AnimateExpanding(this, &dc, image.GetDC());
}

void CTKPopupBar::DrawCommandBar(CDC* dc)
{
    CTKCommandBar::DrawCommandBar(dc);
    CTKBarRenderer* renderer = GetBarRenderer();
    if (!renderer)
        return;
    if (m_bTearOff && GetControlCount() > 0) {
        CSize size;
        renderer->DrawTearOffTitle(&size, dc, m_rcTearOff, m_bTearOffHot, TRUE);
    }
    if (!m_bScrolling)
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
    // A new layout makes the opening image stale.
    StopOpeningAnimation();
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
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_bTearOff) << m_strTearOffTitle << static_cast<DWORD>(m_nTearOffBarId)
           << static_cast<DWORD>(m_nTearOffWidth);
        ar << static_cast<int>(m_rcToolBarBorders.left) << static_cast<int>(m_rcToolBarBorders.top)
           << static_cast<int>(m_rcToolBarBorders.right) << static_cast<int>(m_rcToolBarBorders.bottom) << m_bShadow;
        return;
    }
    DWORD tearOff = 0;
    std::string tearOffTitle;
    DWORD tearOffId = 0;
    DWORD tearOffWidth = 0;
    ar >> tearOff >> tearOffTitle >> tearOffId >> tearOffWidth;
    m_bTearOff = tearOff != 0;
    m_strTearOffTitle = tearOffTitle;
    m_nTearOffBarId = static_cast<UINT>(tearOffId);
    m_nTearOffWidth = static_cast<int>(tearOffWidth);
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
    m_bTearOff = popup->m_bTearOff;
    m_strTearOffTitle = popup->m_strTearOffTitle;
    m_nTearOffBarId = popup->m_nTearOffBarId;
    m_nTearOffWidth = popup->m_nTearOffWidth;
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
    if (m_bTearOff && !IsCustomizeMode() && !m_bTearOffHot && m_rcTearOff.PtInRect(point)) {
        SetSelected(-1, FALSE);
        SetPopuped(-1, FALSE);
        if (m_nTearOffTimer == 0)
            m_nTearOffTimer = SetTimer(kTKTearOffTimer, kTKScrollPeriod);
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
    if (id == kTKTearOffTimer) {
        OnTearOffTimer();
        return;
    }
    if (id == kTKAnimationTimer) {
        if (!m_pAnimation || !m_pAnimation->Step())
            StopOpeningAnimation();
        Invalidate(FALSE);
        return;
    }
    CTKCommandBar::OnTimer(id);
}

void CTKPopupBar::SetTearOffPopup(const std::string& title, UINT barId, int width)
{
    m_bTearOff = TRUE;
    m_strTearOffTitle = title;
    m_nTearOffBarId = barId;
    m_nTearOffWidth = width;
}

void CTKPopupBar::StopTearOffTimer()
{
    if (m_nTearOffTimer != 0 && IsWindow())
        KillTimer(kTKTearOffTimer);
    m_nTearOffTimer = 0;
}

void CTKPopupBar::OnTearOffTimer()
{
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    const BOOL inside = m_rcTearOff.PtInRect(CPoint(cursor.x(), cursor.y()));
    if (inside && !m_bTearOffHot) {
        m_bTearOffHot = TRUE;
        Invalidate(FALSE);
        return;
    }
    if (inside || m_bTearing)
        return;
    // The mouse left the strip (perhaps before it ever lit up): the watch ends.
    if (m_bTearOffHot) {
        m_bTearOffHot = FALSE;
        Invalidate(FALSE);
    }
    StopTearOffTimer();
}

void CTKPopupBar::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_bTearOff && !IsCustomizeMode() && m_rcTearOff.PtInRect(point)) {
        QApplication::setOverrideCursor(Qt::SizeAllCursor);
        CTKPopupTracker& tracker = CTKPopupTracker::Get();
        tracker.EnterModal();
        m_bTearing = TRUE;
        TrackTearOff();
        m_bTearing = FALSE;
        tracker.LeaveModal();
        QApplication::restoreOverrideCursor();
        // The drag may have closed the menus.
        if (!IsWindow())
            return;
    }
    CTKCommandBar::OnLButtonDown(flags, point);
}

void CTKPopupBar::TrackTearOff()
{
    m_pTornToolBar = nullptr;
    if (CWnd::GetCapture() || !IsWindow())
        return;
    CRect strip = m_rcTearOff;
    ClientToScreen(&strip);
    strip.InflateRect(kTKTearOffSlack, kTKTearOffSlack);
    BOOL over = TRUE;
    CPoint last(-1, -1);
    CTrackingLoop loop(this);
    loop.SetFilter([&](const MSG& msg) {
        if (msg.message == WM_LBUTTONUP) {
            loop.End();
            return TRUE;
        }
        if (msg.message == WM_KEYDOWN) {
            if (msg.wParam == VK_ESCAPE)
                loop.End();
            return TRUE;
        }
        if (msg.message != WM_MOUSEMOVE)
            return FALSE;
        const CPoint point(msg.pt.x, msg.pt.y);
        if (point == last)
            return TRUE;
        last = point;
        const BOOL nowOver = strip.PtInRect(point);
        if (nowOver != over) {
            over = nowOver;
            ShowTearOff(over, point);
        }
        MoveTornToolBar(point);
        return TRUE;
    });
    loop.Run();
    if (m_pTornToolBar)
        CTKPopupTracker::Get().CloseTrackedBars();
}

void CTKPopupBar::MoveTornToolBar(CPoint point)
{
    if (!m_pTornToolBar || !m_pTornToolBar->IsWindow())
        return;
    m_pTornToolBar->MoveWindow(CRect(CPoint(point.x - m_szTorn.cx / 2, point.y - kTornDrop), m_szTorn), TRUE);
}

void CTKPopupBar::ShowTearOff(BOOL overPopup, CPoint point)
{
    ShowWindow(overPopup ? SW_SHOWNA : SW_HIDE);
    // The shadows go and come back with the popup they belong to.
    CTKPopupShadow& shadows = CTKPopupShadow::Get();
    shadows.RemoveShadows(this);
    if (overPopup && m_nPosition == kTKPositionPopup && m_bShadow)
        shadows.ShowShadow(this, m_rcExclude.IsRectEmpty() ? nullptr : &m_rcExclude);
    if (overPopup) {
        if (CTKToolBar* torn = m_pTornToolBar) {
            // A temporary toolbar goes with its hiding.
            m_pTornToolBar = nullptr;
            torn->SetVisible(FALSE);
        }
        return;
    }
    if (m_pTornToolBar)
        return;
    CTKCommandBars* bars = GetCommandBars();
    if (!bars)
        return;
    if (CTKToolBar* existing = bars->GetBarById(m_nTearOffBarId)) {
        m_pTornToolBar = existing;
        bars->FloatBar(existing);
        existing->SetVisible(TRUE);
        if (CFrameWnd* frame = bars->GetFrame())
            frame->RecalcLayout(FALSE);
    } else {
        m_pTornToolBar = bars->AddCustomToolBar(m_strTearOffTitle, m_nTearOffBarId, TRUE);
        if (!m_pTornToolBar)
            return;
        m_pTornToolBar->SetMRUWidth(m_nTearOffWidth);
        CTKControls* controls = m_pTornToolBar->GetControls();
        for (int i = 0; i < GetControlCount(); ++i) {
            const CTKControl* control = GetControl(i);
            if (control->GetID() == kTKMenuExpandButtonId)
                continue;
            CTKControl* clone = controls->AddClone(control, -1, FALSE);
            if (clone)
                clone->SetHideFlags(clone->GetHideFlags() & ~kTornHideBits);
        }
    }
    m_szTorn = m_pTornToolBar->CalcDynamicLayout(-1, kTornLayoutMode);
    MoveTornToolBar(point);
    m_pTornToolBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    m_pTornToolBar->Invalidate(FALSE);
}
