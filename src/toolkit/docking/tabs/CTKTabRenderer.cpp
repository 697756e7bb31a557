#include "toolkit/docking/tabs/CTKTabRenderer.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabLook.h"
#include "toolkit/docking/tabs/CTKTabSet.h"
#include "toolkit/docking/tabs/TabFactories.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr LONG kVerticalEscapement = 2700;
constexpr LONG kVerticalOrientation = 900;
constexpr LONG kSmallestVerticalHeight = -11;
constexpr LONG kSmallHeightLimit = -10;
constexpr int kLabelPadding = 12;
constexpr int kIconOnlyPadding = 8;
constexpr int kLabelIndent = 6;
constexpr int kIconGap = 2;
constexpr int kCaptionEndGap = 2;
constexpr int kVerticalCaptionMinimum = 8;
constexpr UINT kMeasureFormat = DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE;

// The static frame's insets, stated for the top position.
constexpr int kStaticFrameLeft = 2;
constexpr int kStaticFrameTop = 1;
constexpr int kStaticFrameRight = 2;
constexpr int kStaticFrameBottom = 2;

} // namespace

CTKTabRenderer::CTKTabRenderer()
{
    SetLook(0);
    RefreshMetrics();
}

CTKTabRenderer::~CTKTabRenderer() = default;

CTKTabLook* CTKTabRenderer::SetLook(int type)
{
    m_lookType = type;
    AttachLook(CreateTabLook(type).release());
    return m_look.get();
}

void CTKTabRenderer::AttachLook(CTKTabLook* look)
{
    if (look) {
        m_look.reset(look);
        m_look->SetRenderer(this);
        m_look->RefreshMetrics();
        SetColors(m_look->GetDefaultColorType());
    }
    NotifyTabSets();
}

CTKTabColorSet* CTKTabRenderer::SetColors(int type)
{
    m_colorType = type;
    AttachColorSet(CreateTabColorSet(type).release());
    return m_colorSet.get();
}

void CTKTabRenderer::AttachColorSet(CTKTabColorSet* colorSet)
{
    if (colorSet) {
        m_colorSet.reset(colorSet);
        m_colorSet->SetRenderer(this);
        m_colorSet->RefreshColors();
    }
    NotifyTabSets();
}

void CTKTabRenderer::SetPosition(int position)
{
    m_position = position;
    NotifyTabSets();
}

void CTKTabRenderer::SetLayoutMode(int mode)
{
    m_layoutMode = mode;
    NotifyTabSets();
}

BOOL CTKTabRenderer::IsLunaColorsOff() const
{
    return m_lunaColorsOff || CTKSystemColors::Instance().IsLunaColorsDisabled();
}

void CTKTabRenderer::DrawNavigateButtonFrame(CDC* dc, CTKTabNavigateButton* button, CRect* rect)
{
    if (m_colorSet)
        m_colorSet->DrawNavigateButtonFrame(dc, button, rect);
}

void CTKTabRenderer::RefreshMetrics()
{
    LOGFONT record = CSystemMetrics::Instance().GetIconTitleFont();
    record.lfWeight = FW_NORMAL;
    m_fontRegular.CreateFontIndirect(&record);
    record.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&record);

    CFont::SetFaceName(record, "Arial");
    record.lfEscapement = kVerticalEscapement;
    record.lfOrientation = kVerticalOrientation;
    if (record.lfHeight < 0 && record.lfHeight >= kSmallHeightLimit)
        record.lfHeight = kSmallestVerticalHeight;
    record.lfWeight = FW_NORMAL;
    m_fontVertical.CreateFontIndirect(&record);
    record.lfWeight = FW_BOLD;
    m_fontVerticalBold.CreateFontIndirect(&record);

    if (m_colorSet)
        m_colorSet->RefreshColors();
    if (m_look)
        m_look->RefreshMetrics();
}

void CTKTabRenderer::NotifyTabSets()
{
    for (CTKTabSet* tabSet : m_tabSets)
        tabSet->RequestLayout();
}

void CTKTabRenderer::DrawTabSet(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    m_look->DrawTabSet(dc, rect, tabSet);
}

void CTKTabRenderer::RepositionTabs(CTKTabSet* tabSet, CDC* dc, CRect rect)
{
    if (tabSet == nullptr)
        return;
    tabSet->SetHeaderRect(CRect());
    tabSet->SetWholeRect(rect);
    tabSet->SetClientRect(rect);
    m_look->RepositionTabs(tabSet, dc, rect);
    CRect client = tabSet->GetClientRect();
    AdjustClientRect(tabSet, &client);
    tabSet->SetClientRect(client);
}

void CTKTabRenderer::AdjustClientRect(CTKTabSet* tabSet, CRect* rect)
{
    if (tabSet == nullptr || rect == nullptr)
        return;
    if (tabSet->IsFrameVisible())
        DeflateRectByPosition(rect, kStaticFrameLeft, kStaticFrameTop, kStaticFrameRight, kStaticFrameBottom,
                              tabSet->GetPosition());
    if (tabSet->GetTabCount() > 0)
        m_look->AdjustClientRect(tabSet, rect);
}

void CTKTabRenderer::InflateRectByPosition(CRect* rect, int left, int top, int right, int bottom, int position)
{
    switch (position) {
    case kLeft:
        rect->left -= top;
        rect->top -= left;
        rect->bottom += right;
        rect->right += bottom;
        break;
    case kBottom:
        rect->left -= left;
        rect->bottom += top;
        rect->right += right;
        rect->top -= bottom;
        break;
    case kRight:
        rect->right += top;
        rect->top -= left;
        rect->left -= bottom;
        rect->bottom += right;
        break;
    default:
        rect->left -= left;
        rect->top -= top;
        rect->right += right;
        rect->bottom += bottom;
        break;
    }
}

void CTKTabRenderer::DeflateRectByPosition(CRect* rect, int left, int top, int right, int bottom, int position)
{
    InflateRectByPosition(rect, -left, -top, -right, -bottom, position);
}

CFont* CTKTabRenderer::LabelFont(const CTKTabItem* tab, BOOL vertical)
{
    const CTKTabSet* tabSet = tab->GetTabSet();
    const BOOL bold = m_boldSelected && tabSet && tabSet->GetSelectedTab() == tab && tabSet->IsActive();
    if (vertical)
        return bold ? &m_fontVerticalBold : &m_fontVertical;
    return bold ? &m_fontBold : &m_fontRegular;
}

int CTKTabRenderer::ClampExtent(const CTKTabSet* tabSet, int value) const
{
    value += m_tabInsets.left + m_tabInsets.right;
    CSize minimum;
    CSize maximum;
    tabSet->GetTabSizes(nullptr, &minimum, &maximum);
    if (minimum.cx > 0 && value < minimum.cx)
        value = minimum.cx;
    if (maximum.cx > 0 && value > maximum.cx)
        value = maximum.cx;
    return value;
}

int CTKTabRenderer::MeasureCaption(CDC* dc, const std::string& caption, CFont* font) const
{
    CTKDCSelectGuard select(dc, font);
    CRect rect;
    dc->DrawText(caption, &rect, kMeasureFormat);
    return rect.Width();
}

int CTKTabRenderer::DrawTabLabel(CDC* dc, CTKTabItem* tab, CRect rect, BOOL draw)
{
    CTKTabSet* tabSet = tab ? tab->GetTabSet() : nullptr;
    if (dc == nullptr || tabSet == nullptr)
        return 0;
    const int position = tabSet->GetPosition();
    const BOOL vertical = !IsHorizontal(position);
    const BOOL selected = tabSet->GetSelectedTab() == tab;
    CTKDCSelectGuard font(dc, LabelFont(tab, vertical));
    if (draw) {
        const BOOL showCaption = m_layoutMode != kLayoutSelectedCaption || selected;
        if (vertical)
            DrawLabelVertical(dc, tab, rect, showCaption);
        else
            DrawLabelHorizontal(dc, tab, rect, showCaption);
        return 0;
    }

    const BOOL hasIcon = tabSet->DrawTabIcon(dc, 0, 0, tab, FALSE);
    const int iconExtent = vertical ? m_imageSize.cy : m_imageSize.cx;
    if (m_layoutMode == kLayoutFixed) {
        CSize fixed;
        tabSet->GetTabSizes(&fixed, nullptr, nullptr);
        return ClampExtent(tabSet, fixed.cx);
    }
    if (m_layoutMode == kLayoutSelectedCaption && !selected)
        return ClampExtent(tabSet, iconExtent + kIconOnlyPadding);
    int caption = 0;
    if (m_layoutMode == kLayoutSelectedCaption) {
        CFont* measureFont = m_boldSelected ? (vertical ? &m_fontVerticalBold : &m_fontBold)
                                            : (vertical ? &m_fontVertical : &m_fontRegular);
        for (int i = 0; i < tabSet->GetTabCount(); ++i)
            caption = std::max(caption, MeasureCaption(dc, tabSet->GetTab(i)->GetCaption(), measureFont));
    } else {
        caption = MeasureCaption(dc, tab->GetCaption(), const_cast<CFont*>(&dc->GetCurrentFont()));
    }
    return ClampExtent(tabSet, caption + (hasIcon ? iconExtent : 0) + kLabelPadding);
}

void CTKTabRenderer::DrawLabelHorizontal(CDC* dc, CTKTabItem* tab, CRect rect, BOOL showCaption)
{
    CTKTabSet* tabSet = tab->GetTabSet();
    const BOOL bottom = tabSet->GetPosition() == kBottom;
    rect.left += m_tabInsets.left + kLabelIndent;
    rect.top += bottom ? m_tabInsets.bottom : m_tabInsets.top;
    rect.bottom -= bottom ? m_tabInsets.top : m_tabInsets.bottom;
    if (tabSet->DrawTabIcon(dc, 0, 0, tab, FALSE)) {
        if (m_imageSize.cx <= rect.Width())
            tabSet->DrawTabIcon(dc, rect.left - 1, rect.CenterPoint().y - m_imageSize.cy / 2, tab, TRUE);
        rect.left += m_imageSize.cx + kIconGap;
    }
    if (!showCaption || rect.left >= rect.right)
        return;
    rect.right -= m_tabInsets.right + kCaptionEndGap;
    dc->DrawText(tab->GetCaption(), &rect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CTKTabRenderer::DrawLabelVertical(CDC* dc, CTKTabItem* tab, CRect rect, BOOL showCaption)
{
    CTKTabSet* tabSet = tab->GetTabSet();
    const BOOL right = tabSet->GetPosition() == kRight;
    rect.top += m_tabInsets.left + kLabelIndent;
    rect.left += right ? m_tabInsets.bottom : m_tabInsets.top;
    rect.right -= right ? m_tabInsets.top : m_tabInsets.bottom;
    if (tabSet->DrawTabIcon(dc, 0, 0, tab, FALSE)) {
        if (m_imageSize.cy <= rect.Height())
            tabSet->DrawTabIcon(dc, rect.CenterPoint().x - m_imageSize.cx / 2, rect.top - 1, tab, TRUE);
        rect.top += m_imageSize.cy + kIconGap;
    }
    if (!showCaption || rect.top + kVerticalCaptionMinimum >= rect.bottom)
        return;
    const std::string caption = tab->GetCaption();
    CRect measure;
    const int textHeight = dc->DrawText(caption, &measure, kMeasureFormat);
    CRect text = rect;
    text.left = rect.right - (rect.right - rect.left - textHeight - (right ? 1 : 0)) / 2;
    text.right = text.left + (rect.bottom - rect.top);
    text.bottom = rect.bottom - m_tabInsets.right - kCaptionEndGap;
    dc->DrawText(caption, &text, DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CTKTabRenderer::ShrinkTabsToFit(std::vector<int>* extents, int available)
{
    if (extents == nullptr || extents->empty())
        return;
    std::vector<int>& e = *extents;
    const int total = std::accumulate(e.begin(), e.end(), 0);
    if (total <= available)
        return;
    const int n = static_cast<int>(e.size());
    if (n == 1) {
        e[0] = available;
        return;
    }
    std::vector<int> order(e.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return e[a] > e[b]; });
    int excess = total - available;
    for (;;) {
        const int widest = e[order[0]];
        int k = 1;
        while (k < n && e[order[k]] == widest)
            ++k;
        if (k >= n) {
            for (int& extent : e)
                extent = available / n;
            return;
        }
        const int next = e[order[k]];
        if ((widest - next) * k < excess) {
            for (int i = 0; i < k; ++i)
                e[order[i]] = next;
            excess -= (widest - next) * k;
            continue;
        }
        for (int i = 0; i < k; ++i)
            e[order[i]] -= excess / k;
        return;
    }
}

CRect CTKTabRenderer::PlaceNavigateButtons(CTKTabSet* tabSet, CRect rect)
{
    CRect header = m_look->GetHeaderRect(rect, tabSet);
    const CRect m = m_look->GetTabAreaMargins();
    if (IsHorizontal(tabSet->GetPosition())) {
        header.left += m.left + m.right;
        header.right -= 1;
    } else {
        header.top += m.left + m.right;
        header.bottom -= 1;
    }
    for (int i = tabSet->GetNavigateButtonCount() - 1; i >= 0; --i)
        tabSet->GetNavigateButton(i)->Layout(&header);
    return header;
}

void CTKTabRenderer::LayoutTabs(CTKTabSet* tabSet, CDC* dc, CRect rect)
{
    // Tabs are measured on a device of the screen when the owner gives none.
    CQtImageDC screen(1, 1);
    if (dc == nullptr)
        dc = &screen;
    const int position = tabSet->GetPosition();
    if (tabSet->IsFrameVisible())
        DeflateRectByPosition(&rect, kStaticFrameLeft, kStaticFrameTop, kStaticFrameRight, kStaticFrameBottom,
                              position);
    DeflateRectByPosition(&rect, m_headerMargins.left, m_headerMargins.top, m_headerMargins.right,
                          m_headerMargins.bottom, position);
    CRect header = m_look->GetHeaderRect(rect, tabSet);
    tabSet->SetHeaderRect(header);
    if (tabSet->GetTabCount() == 0)
        return;

    const CRect m = m_look->GetTabAreaMargins();
    const int h = m_look->GetHeaderHeight(tabSet);
    const BOOL horizontal = IsHorizontal(position);
    int cross = 0;
    if (horizontal)
        cross = position == kBottom ? rect.bottom - m.top - h : rect.top + m.top;
    else
        cross = position == kRight ? rect.right - m.top - h : rect.left + m.top;

    std::vector<int> extents;
    for (int i = 0; i < tabSet->GetTabCount(); ++i) {
        CTKTabItem* tab = tabSet->GetTab(i);
        extents.push_back(tab->IsVisible() ? m_look->GetTabExtent(dc, tab) : 0);
    }
    int available = (horizontal ? rect.Width() : rect.Height()) - m.left - m.right;
    for (int i = 0; i < tabSet->GetNavigateButtonCount(); ++i)
        tabSet->GetNavigateButton(i)->ReserveSpace(&available);
    if (m_layoutMode == kLayoutShrink)
        ShrinkTabsToFit(&extents, available);
    for (int i = 0; i < tabSet->GetTabCount(); ++i)
        tabSet->GetTab(i)->SetLength(extents[static_cast<size_t>(i)]);
    const int total = tabSet->GetTotalTabLength();

    if (tabSet->GetScrollOffset() < 0) {
        const CRect room = PlaceNavigateButtons(tabSet, rect);
        const int w = horizontal ? room.Width() : room.Height();
        if (total + tabSet->GetScrollOffset() < w)
            tabSet->SetScrollOffset(std::min(0, w - total));
    }
    int along = (horizontal ? rect.left : rect.top) + m.left + tabSet->GetScrollOffset();
    for (int i = 0; i < tabSet->GetTabCount(); ++i) {
        CTKTabItem* tab = tabSet->GetTab(i);
        const int length = tab->GetLength();
        if (horizontal)
            tab->SetRect(CRect(along, cross, along + length, cross + h));
        else
            tab->SetRect(CRect(cross, along, cross + h, along + length));
        along += length;
    }
    const CRect room = PlaceNavigateButtons(tabSet, rect);
    if (horizontal)
        header.right = room.right;
    else
        header.bottom = room.bottom;
    tabSet->SetHeaderRect(header);
}

void CTKTabRenderer::EnsureTabVisible(CTKTabSet* tabSet, CTKTabItem* tab)
{
    if (tabSet == nullptr || tab == nullptr)
        return;
    const CRect header = tabSet->GetHeaderRect();
    const CRect rect = tab->GetRect();
    if (header.IsRectEmpty() || rect.IsRectEmpty())
        return;
    const CRect m = m_look->GetTabAreaMargins();
    int offset = tabSet->GetScrollOffset();
    if (IsHorizontal(tabSet->GetPosition())) {
        if (rect.left < header.left)
            offset = offset - rect.left + header.left + m.left;
        else if (rect.right > header.right)
            offset = offset - rect.right + header.right;
    } else {
        if (rect.top < header.top)
            offset = offset - rect.top + header.top + m.left;
        else if (rect.bottom > header.bottom)
            offset = offset - rect.bottom + header.bottom;
    }
    tabSet->SetScrollOffset(offset);
}

void CTKTabRenderer::DrawTabSetDefault(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    if (dc == nullptr || tabSet == nullptr)
        return;
    const int position = tabSet->GetPosition();
    const CRect whole = rect;
    if (tabSet->IsFrameVisible()) {
        dc->Draw3dRect(rect, m_colorSet->GetFrameColor(), m_colorSet->GetFrameColor());
        rect.DeflateRect(1, 1);
        dc->Draw3dRect(rect, m_colorSet->GetFaceColor(), m_colorSet->GetFaceColor());
        DeflateRectByPosition(&rect, 1, 0, 1, 1, position);
    }
    if (m_fillBackground)
        dc->FillSolidRect(rect, m_colorSet->GetFaceColor());
    DeflateRectByPosition(&rect, m_headerMargins.left, m_headerMargins.top, m_headerMargins.right,
                          m_headerMargins.bottom, position);
    dc->SetBkMode(TRANSPARENT);
    const CRect header = m_fillBackground ? m_look->FillClient(dc, rect, tabSet) : m_look->GetHeaderRect(rect, tabSet);

    CRect clip = header;
    for (int i = 0; i < tabSet->GetNavigateButtonCount(); ++i) {
        const CRect button = tabSet->GetNavigateButton(i)->GetRect();
        if (button.IsRectEmpty())
            continue;
        if (IsHorizontal(position) && button.left < clip.right)
            clip.right = button.left;
        if (!IsHorizontal(position) && button.top < clip.bottom)
            clip.bottom = button.top;
    }
    CRgn region;
    CRect deviceClip = clip;
    dc->LPtoDP(&deviceClip);
    region.CreateRectRgnIndirect(deviceClip);
    dc->SelectClipRgn(&region);
    m_colorSet->FillHeader(dc, header, tabSet);

    CTKTabItem* selected = tabSet->GetSelectedTab();
    CRect meet;
    for (int i = tabSet->GetTabCount() - 1; i >= 0; --i) {
        CTKTabItem* tab = tabSet->GetTab(i);
        if (tab == selected || !tab->IsVisible() || !meet.IntersectRect(tab->GetRect(), whole))
            continue;
        m_look->DrawTab(dc, tab);
    }
    if (selected && selected->IsVisible() && meet.IntersectRect(selected->GetRect(), whole))
        m_look->DrawTab(dc, selected);

    dc->SelectClipRgn(nullptr);
    for (int i = tabSet->GetNavigateButtonCount() - 1; i >= 0; --i)
        tabSet->GetNavigateButton(i)->Draw(dc);
}
