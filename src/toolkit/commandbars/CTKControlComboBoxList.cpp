#include "toolkit/commandbars/CTKControlComboBoxList.h"

#include "platform/CArchive.h"
#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/WinMessages.h"
#include "toolkit/commandbars/CTKControlComboBox.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKUIMetrics.h"

#include <QAbstractItemView>
#include <QMouseEvent>

#include <algorithm>

IMPLEMENT_SERIAL(CTKControlComboBoxList, CTKPopupBar, 0x80000006)

namespace {

// The list box's own view scrolls, so the window needs no scroll bar of its own.
constexpr DWORD kListStyle = WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS;
constexpr DWORD kListExStyle = WS_EX_STATICEDGE | WS_EX_TOOLWINDOW;
// The outer frame of the list in this colour-table entry.
constexpr UINT kListFrameEntry = 43;
// The stored strings cannot take less than their length prefix each.
constexpr size_t kMinStoredString = 1;

} // namespace

CTKControlComboBoxList::CTKControlComboBoxList()
{
    m_nPosition = kTKPositionList;
    m_bShadow = FALSE;
}

CTKControlComboBoxList::~CTKControlComboBoxList()
{
    if (m_bModal)
        CTKPopupTracker::Get().LeaveModal();
}

BOOL CTKControlComboBoxList::CreateListWindow()
{
    if (IsWindow())
        return TRUE;
    if (!Create(nullptr, CRect(), 0, kListStyle))
        return FALSE;
    ModifyStyleEx(0, kListExStyle);
    m_pList = new CListBox(this);
    CRect client;
    GetClientRect(&client);
    if (!m_pList->Create(this, client, 0, WS_CHILD | WS_VISIBLE))
        return FALSE;
    // The list window takes the mouse over the rows itself: it moves and
    // picks the current item. The wheel and the scroll bar stay the view's.
    if (auto* view = m_pList->findChild<QAbstractItemView*>()) {
        view->viewport()->setMouseTracking(true);
        view->viewport()->installEventFilter(this);
    }
    return TRUE;
}

CTKControlComboBox* CTKControlComboBoxList::GetComboBox() const
{
    return dynamic_cast<CTKControlComboBox*>(m_pParentControl);
}

int CTKControlComboBoxList::AddString(const std::string& text)
{
    if (!CreateListWindow())
        return static_cast<int>(LB_ERR);
    return m_pList->AddString(text);
}

int CTKControlComboBoxList::GetCount() const
{
    return m_pList && IsWindow() ? m_pList->GetCount() : 0;
}

int CTKControlComboBoxList::GetCurSel() const
{
    return m_pList && IsWindow() ? m_pList->GetCurSel() : static_cast<int>(LB_ERR);
}

void CTKControlComboBoxList::SetCurSel(int index)
{
    if (m_pList && IsWindow())
        m_pList->SetCurSel(index);
}

std::string CTKControlComboBoxList::GetText(int index) const
{
    return m_pList && IsWindow() ? m_pList->GetText(index) : std::string();
}

void CTKControlComboBoxList::ResetContent()
{
    if (m_pList && IsWindow())
        m_pList->SendMessage(LB_RESETCONTENT);
}

LRESULT CTKControlComboBoxList::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The list-box messages sent to the list window go to its list box.
    const BOOL listMessage = (message >= LB_ADDSTRING && message <= LB_ITEMFROMPOINT) || message == WM_KEYDOWN;
    if (listMessage && m_pList && IsWindow())
        return m_pList->SendMessage(message, wParam, lParam);
    return CTKPopupBar::DefWindowProc(message, wParam, lParam);
}

BOOL CTKControlComboBoxList::SetTrackingMode(int mode, BOOL selectFirst, BOOL keyboard)
{
    // The list is no menu: it is hidden, never destroyed, when it closes.
    if (!CTKCommandBar::SetTrackingMode(mode, selectFirst, keyboard))
        return FALSE;
    CTKPopupTracker& tracker = CTKPopupTracker::Get();
    if (mode != 0) {
        if (!m_bModal)
            tracker.EnterModal();
        m_bModal = TRUE;
        return TRUE;
    }
    if (m_bModal)
        tracker.LeaveModal();
    m_bModal = FALSE;
    if (IsWindow())
        ShowWindow(SW_HIDE);
    CTKControlPopup* parentControl = m_pParentControl;
    m_pParentControl = nullptr;
    if (CTKCommandBar* parentBar = parentControl ? parentControl->GetParent() : nullptr)
        parentBar->SetPopuped(-1, FALSE);
    return TRUE;
}

BOOL CTKControlComboBoxList::Popup(CTKControlPopup* parentControl, BOOL)
{
    auto* combo = dynamic_cast<CTKControlComboBox*>(parentControl);
    if (!combo || !CreateListWindow())
        return FALSE;
    m_pList->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&GetUIMetrics()->fonts[CTKUIMetrics::kRegular]), TRUE);
    m_pParentControl = combo;
    // The owner may fill the list now.
    if (CWnd* owner = GetOwnerSite())
        owner->SendMessage(WM_TK_POPUP_OPENING, 0, reinterpret_cast<LPARAM>(this));
    SetTrackingMode(TRUE, FALSE, FALSE);
    UpdateLocation();
    const int rows = std::clamp(m_pList->GetCount(), 1, kTKComboListMaxRows);
    const int height = m_pList->GetItemHeight() * rows + 2 * kTKComboListFrame;
    const int width = m_nMRUWidth > 0 ? m_nMRUWidth : combo->GetRect().Width();
    UpdatePosition(CSize(width, height));
    return TRUE;
}

BOOL CTKControlComboBoxList::OnHookKeyDown(UINT key)
{
    CTKControlComboBox* combo = GetComboBox();
    if (key == VK_ESCAPE || !combo)
        return CTKPopupBar::OnHookKeyDown(key);
    if (key == VK_TAB)
        return FALSE;
    if (key == VK_RETURN) {
        combo->Execute();
        return TRUE;
    }
    const int before = GetCurSel();
    SendMessage(WM_KEYDOWN, key);
    if (GetCurSel() != before)
        combo->OnSelChanged();
    return TRUE;
}

void CTKControlComboBoxList::DrawCommandBar(CDC* dc)
{
    // The list box paints its rows over this.
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client, GetSysColor(COLOR_WINDOW));
}

void CTKControlComboBoxList::OnNcCalcSize(BOOL, CRect* rect)
{
    if (rect)
        rect->DeflateRect(kTKComboListFrame, kTKComboListFrame);
}

void CTKControlComboBoxList::OnNcPaint(CDC* dc)
{
    if (!dc)
        return;
    CRect frame;
    GetWindowRect(&frame);
    frame.OffsetRect(-frame.left, -frame.top);
    CTKBarRenderer* renderer = GetBarRenderer();
    const COLORREF outer = renderer ? renderer->LookupColor(kListFrameEntry) : GetSysColor(COLOR_WINDOWFRAME);
    dc->Draw3dRect(frame, outer, outer);
    frame.DeflateRect(1, 1);
    const COLORREF inner = GetSysColor(COLOR_WINDOW);
    dc->Draw3dRect(frame, inner, inner);
}

void CTKControlComboBoxList::OnSize(UINT type, int cx, int cy)
{
    CTKPopupBar::OnSize(type, cx, cy);
    if (m_pList && m_pList->IsWindow())
        m_pList->MoveWindow(CRect(0, 0, cx, cy), TRUE);
}

void CTKControlComboBoxList::SelectItemAt(CPoint point)
{
    if (!m_pList || !m_pList->IsWindow())
        return;
    BOOL outside = TRUE;
    const int item = static_cast<int>(m_pList->ItemFromPoint(point, outside));
    if (!outside && item != m_pList->GetCurSel())
        m_pList->SetCurSel(item);
}

void CTKControlComboBoxList::OnMouseMove(UINT flags, CPoint point)
{
    SelectItemAt(point);
    CTKPopupBar::OnMouseMove(flags, point);
}

void CTKControlComboBoxList::OnLButtonUp(UINT, CPoint point)
{
    CTKControlComboBox* combo = GetComboBox();
    if (!combo)
        return;
    // The row under the release is the one the mouse moved onto.
    SelectItemAt(point);
    combo->OnSelChanged();
    combo->Execute();
}

bool CTKControlComboBoxList::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const bool release = type == QEvent::MouseButtonRelease;
    if (type != QEvent::MouseMove && !press && !release)
        return CTKPopupBar::eventFilter(watched, event);
    auto* rows = qobject_cast<QWidget*>(watched);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!rows)
        return false;
    const QPoint global = rows->mapToGlobal(mouse->position().toPoint());
    CPoint point(global.x(), global.y());
    ScreenToClient(&point);
    if (type == QEvent::MouseMove)
        SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    else if (release && mouse->button() == Qt::LeftButton)
        SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    return true;
}

BOOL CTKControlComboBoxList::DestroyWindow()
{
    // The list box goes with the list window; no hosted window lives here.
    const BOOL destroyed = CWnd::DestroyWindow();
    delete m_pList;
    m_pList = nullptr;
    return destroyed;
}

void CTKControlComboBoxList::Copy(const CTKCommandBar* source, BOOL recursive)
{
    CTKPopupBar::Copy(source, recursive);
    m_nPosition = kTKPositionList;
    const auto* list = dynamic_cast<const CTKControlComboBoxList*>(source);
    if (!list || list == this || !CreateListWindow())
        return;
    for (int i = 0; i < list->GetCount(); ++i)
        m_pList->AddString(list->GetText(i));
}

void CTKControlComboBoxList::Serialize(CArchive& ar)
{
    CTKPopupBar::Serialize(ar);
    if (ar.IsStoring()) {
        const int count = GetCount();
        ar.WriteCount(static_cast<DWORD>(count));
        for (int i = 0; i < count; ++i)
            ar << GetText(i);
        return;
    }
    const DWORD count = ar.ReadCount(kMinStoredString);
    if (count > 0 && !CreateListWindow()) {
        ar.SetError(CArchive::badClass);
        return;
    }
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        std::string text;
        ar >> text;
        if (ar.IsOK())
            m_pList->AddString(text);
    }
}
