#include "toolkit/docking/tabs/CTKTabLookStacked.h"

#include "platform/CDC.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"

#include <algorithm>

namespace {

constexpr int kGripInset = 7;
constexpr int kGripTop = 4;
constexpr int kGripStep = 2;
constexpr int kGripBottom = 3;
constexpr int kGripWidth = 3;
constexpr int kColorGrip = 38;

int SelectedIndex(const CTKTabSet* tabSet)
{
    const CTKTabItem* selected = tabSet->GetSelectedTab();
    return selected ? selected->GetIndex() : -1;
}

BOOL IsFramed(const CTKTabRenderer* renderer)
{
    return renderer->GetClientFrame() != CTKTabRenderer::kFrameNone;
}

} // namespace

CRect CTKTabLookStacked::GetHeaderRect(CRect, CTKTabSet*)
{
    return CRect();
}

CRect CTKTabLookStacked::GetClientAreaRect(CRect rect, CTKTabSet* tabSet)
{
    const int n = tabSet->GetTabCount();
    const int i = SelectedIndex(tabSet);
    const int h = GetHeaderHeight(tabSet);
    rect.top = rect.top + 1 + (i + 1) * h;
    rect.bottom = std::max(rect.bottom - (n - i - 1) * h, rect.top + h);
    const BOOL framed = IsFramed(m_renderer);
    if (i == n - 1 && framed)
        rect.bottom -= 1;
    if (framed) {
        rect.left += 1;
        rect.right -= 1;
    }
    return rect;
}

void CTKTabLookStacked::RepositionTabs(CTKTabSet* tabSet, CDC*, CRect rect)
{
    const CRect margins = m_renderer->GetHeaderMargins();
    CTKTabRenderer::DeflateRectByPosition(&rect, margins.left, margins.top, margins.right, margins.bottom,
                                          PositionOf(tabSet));
    const int n = tabSet->GetTabCount();
    const int selected = SelectedIndex(tabSet);
    const int h = GetHeaderHeight(tabSet);
    const int x = rect.left + (IsFramed(m_renderer) ? 1 : 0);
    int y = rect.top + 1;
    for (int i = 0; i < n; ++i) {
        CTKTabItem* tab = tabSet->GetTab(i);
        tab->SetRect(CRect(x, y, rect.right, y + h));
        tab->SetLength(h);
        y += h;
        if (i != selected)
            continue;
        const int below = std::min(std::max(rect.bottom - (n - i - 1) * h, y + h), rect.bottom - 1);
        y = std::max(y, below);
    }
}

void CTKTabLookStacked::AdjustClientRect(CTKTabSet* tabSet, CRect* rect)
{
    const int position = PositionOf(tabSet);
    const CRect header = m_renderer->GetHeaderMargins();
    CTKTabRenderer::DeflateRectByPosition(rect, header.left, header.top, header.right, header.bottom, position);
    *rect = GetClientAreaRect(*rect, tabSet);
    const CRect client = GetClientMargins();
    CTKTabRenderer::DeflateRectByPosition(rect, client.left, client.top, client.right, client.bottom, position);
}

void CTKTabLookStacked::DrawTabSet(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    const CRect whole = rect;
    dc->FillSolidRect(rect, colors->faceColor);
    const CRect margins = m_renderer->GetHeaderMargins();
    CTKTabRenderer::DeflateRectByPosition(&rect, margins.left, margins.top, margins.right, margins.bottom,
                                          PositionOf(tabSet));
    CRect device = rect;
    dc->LPtoDP(&device);
    CRgn clip;
    clip.CreateRectRgnIndirect(device);
    dc->SelectClipRgn(&clip);
    if (!IsFramed(m_renderer)) {
        if (tabSet->GetTabCount() > 0)
            dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, colors->frameColor);
    } else {
        dc->Draw3dRect(rect, colors->frameColor, colors->frameColor);
    }
    dc->SetBkMode(TRANSPARENT);
    CRect meet;
    for (int i = tabSet->GetTabCount() - 1; i >= 0; --i) {
        CTKTabItem* tab = tabSet->GetTab(i);
        if (tab->GetRect().IsRectEmpty() || !meet.IntersectRect(tab->GetRect(), whole))
            continue;
        DrawTab(dc, tab);
    }
    dc->SelectClipRgn(nullptr);
}

void CTKTabLookStacked::DrawTab(CDC* dc, CTKTabItem* tab)
{
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    const CRect rect = tab->GetRect();
    colors->FillTab(dc, rect, tab);
    dc->Draw3dRect(rect, colors->lightColor, colors->frameColor);
    const COLORREF grip = CTKSystemColors::Instance().LookupColor(kColorGrip);
    for (int y = rect.top + kGripTop; y < rect.bottom - kGripBottom; y += kGripStep)
        dc->FillSolidRect(rect.right - kGripInset, y, kGripWidth, 1, grip);
    DrawLabel(dc, tab, CRect(rect.left, rect.top, rect.right - kGripInset, rect.bottom));
}
