#include "toolkit/commandbars/CTKCustomizeCommandsList.h"

#include "platform/ui/CPaintDC.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlDragTracker.h"
#include "toolkit/commandbars/CTKCustomizeCommandsPage.h"
#include "toolkit/commandbars/CTKCustomizeSheet.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKOffscreenDC.h"

#include <algorithm>

namespace {

// The list's selection-change notification to its owner.
constexpr WORD kSelChangeCode = 1;
constexpr int kWheelStep = 120;
constexpr int kRowsPerWheelStep = 3;

} // namespace

void CTKCustomizeCommandsList::ResetContent()
{
    m_items.clear();
    m_nCurSel = -1;
    m_nTopIndex = 0;
    if (IsWindow())
        Invalidate(FALSE);
}

void CTKCustomizeCommandsList::AddItem(CTKControl* control)
{
    m_items.push_back(control);
    if (IsWindow())
        Invalidate(FALSE);
}

CTKControl* CTKCustomizeCommandsList::GetItemData(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[static_cast<std::size_t>(index)];
}

void CTKCustomizeCommandsList::SetCurSel(int index)
{
    m_nCurSel = index >= 0 && index < GetCount() ? index : -1;
    if (IsWindow())
        Invalidate(FALSE);
}

CRect CTKCustomizeCommandsList::GetItemRect(int index) const
{
    CRect client;
    GetClientRect(&client);
    const int top = (index - m_nTopIndex) * m_nItemHeight;
    return CRect(client.left, top, client.right, top + m_nItemHeight);
}

int CTKCustomizeCommandsList::ItemFromPoint(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return -1;
    const int index = m_nTopIndex + point.y / m_nItemHeight;
    return index < GetCount() ? index : -1;
}

CTKBarRenderer* CTKCustomizeCommandsList::GetRenderer() const
{
    const CTKCustomizeSheet* sheet = m_pPage ? m_pPage->GetSheet() : nullptr;
    const CTKCommandBars* bars = sheet ? sheet->GetCommandBars() : nullptr;
    return bars ? bars->GetBarRenderer() : CTKBarRenderer::GetCurrent();
}

void CTKCustomizeCommandsList::SetTopIndex(int index)
{
    CRect client;
    GetClientRect(&client);
    const int visible = std::max(1, client.Height() / m_nItemHeight);
    m_nTopIndex = std::clamp(index, 0, std::max(0, GetCount() - visible));
    Invalidate(FALSE);
}

void CTKCustomizeCommandsList::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CTKOffscreenDC buffer(&dc, client);
    CTKBarRenderer* renderer = GetRenderer();
    if (!renderer)
        return;
    CSize size;
    renderer->DrawListBoxControl(&size, buffer.GetDC(), nullptr, client, FALSE, TRUE);
    for (int i = m_nTopIndex; i < GetCount(); ++i) {
        const CRect row = GetItemRect(i);
        if (row.top >= client.bottom)
            break;
        renderer->DrawListBoxControl(&size, buffer.GetDC(), GetItemData(i), row, i == m_nCurSel, TRUE);
    }
}

BOOL CTKCustomizeCommandsList::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CTKCustomizeCommandsList::OnMouseWheel(UINT, short delta, CPoint)
{
    SetTopIndex(m_nTopIndex - delta / kWheelStep * kRowsPerWheelStep);
    return TRUE;
}

void CTKCustomizeCommandsList::OnLButtonDown(UINT flags, CPoint point)
{
    CTKCustomizeSheet* sheet = m_pPage ? m_pPage->GetSheet() : nullptr;
    CTKCommandBars* bars = sheet ? sheet->GetCommandBars() : nullptr;
    if (bars)
        bars->SetCustomizeSelection(nullptr);
    const int index = ItemFromPoint(point);
    if (index < 0) {
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    SetCurSel(index);
    CWnd* notify = GetOwner() ? GetOwner() : GetParent();
    if (notify)
        notify->PostMessage(WM_COMMAND, static_cast<WPARAM>(MAKELONG(GetDlgCtrlID(), kSelChangeCode)),
                            reinterpret_cast<LPARAM>(this));
    SetFocus();
    CTKControl* control = GetItemData(index);
    if (control && bars && bars->GetCustomizeContext())
        bars->GetCustomizeContext()->Track(control, TRUE);
}
