#include "toolkit/docking/tabs/CTKTabLook.h"

#include "platform/CDC.h"
#include "platform/CRgn.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kTextHeightExtra = 3;
constexpr int kIconHeaderExtra = 4;
constexpr int kClientFrameWidth = 2;
constexpr int kMaxPolygonPoints = 16;

enum WorkspacePart { kPartFrame = 0, kPartClient = 1, kPartCornerRight = 2, kPartCornerBottom = 3 };

// The inside of a polygon as one rectangle per pixel row, sampled at the
// middle of each row as a polygon fill covers it.
CRgn PolygonRegion(const CPoint* points, int count)
{
    CRgn region;
    int top = points[0].y;
    int bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    for (int y = top; y < bottom; ++y) {
        const double sample = y + 0.5;
        std::vector<double> crossings;
        for (int i = 0; i < count; ++i) {
            const CPoint a = points[i];
            const CPoint b = points[(i + 1) % count];
            if ((a.y <= sample) == (b.y <= sample))
                continue;
            crossings.push_back(a.x + (sample - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int left = static_cast<int>(crossings[i] + 0.5);
            const int right = static_cast<int>(crossings[i + 1] + 0.5);
            region.AddRect(CRect(left, y, right, y + 1));
        }
    }
    return region;
}

} // namespace

int CTKTabLook::PositionOf(const CTKTabSet* tabSet) const
{
    if (tabSet)
        return tabSet->GetPosition();
    return m_renderer ? m_renderer->GetPosition() : CTKTabRenderer::kTop;
}

void CTKTabLook::DrawLabel(CDC* dc, CTKTabItem* tab, const CRect& rect)
{
    m_renderer->GetColorSet()->SetTabTextColor(dc, tab);
    m_renderer->DrawTabLabel(dc, tab, rect, TRUE);
}

void CTKTabLook::FillEdge(CDC* dc, const CRect& rect, COLORREF color)
{
    if (color != kNoColor)
        dc->FillSolidRect(rect, color);
}

void CTKTabLook::RefreshMetrics()
{
    if (m_renderer == nullptr)
        return;
    CQtImageDC dc(1, 1);
    CTKDCSelectGuard font(&dc, m_renderer->GetRegularFont());
    m_textHeight = std::max(dc.GetTextExtent(" ").cy + kTextHeightExtra, kMinTextHeight);
}

CRect CTKTabLook::GetHeaderRect(CRect rect, CTKTabSet* tabSet)
{
    const int thickness = GetHeaderHeight(tabSet) + m_margins.top + m_margins.bottom;
    switch (PositionOf(tabSet)) {
    case CTKTabRenderer::kLeft:
        return CRect(rect.left, rect.top, rect.left + thickness, rect.bottom);
    case CTKTabRenderer::kBottom:
        return CRect(rect.left, rect.bottom - thickness, rect.right, rect.bottom);
    case CTKTabRenderer::kRight:
        return CRect(rect.right - thickness, rect.top, rect.right, rect.bottom);
    default:
        return CRect(rect.left, rect.top, rect.right, rect.top + thickness);
    }
}

CRect CTKTabLook::GetClientAreaRect(CRect rect, CTKTabSet* tabSet)
{
    const CRect header = GetHeaderRect(rect, tabSet);
    switch (PositionOf(tabSet)) {
    case CTKTabRenderer::kLeft:
        rect.left = header.right - 1;
        break;
    case CTKTabRenderer::kBottom:
        rect.bottom = header.top + 1;
        break;
    case CTKTabRenderer::kRight:
        rect.right = header.left + 1;
        break;
    default:
        rect.top = header.bottom - 1;
        break;
    }
    return rect;
}

CRect CTKTabLook::GetClientMargins() const
{
    return m_renderer ? m_renderer->GetClientMargins() : CRect();
}

int CTKTabLook::GetTabExtent(CDC* dc, CTKTabItem* tab)
{
    return m_renderer ? m_renderer->DrawTabLabel(dc, tab, CRect(), FALSE) : 0;
}

int CTKTabLook::GetHeaderHeight(CTKTabSet* tabSet)
{
    if (m_renderer == nullptr)
        return m_textHeight;
    const CRect insets = m_renderer->GetTabInsets();
    const int v = insets.top + insets.bottom;
    int h = m_textHeight + v;
    if (tabSet) {
        CSize minimum;
        tabSet->GetTabSizes(nullptr, &minimum, nullptr);
        h = std::max(h, minimum.cy);
    }
    if (m_renderer->IsShowIcons()) {
        const CSize s = m_renderer->GetImageSize();
        h = std::max(h, std::max(s.cx, s.cy) + v + kIconHeaderExtra);
    }
    return h;
}

void CTKTabLook::DrawTabSet(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    m_renderer->DrawTabSetDefault(dc, rect, tabSet);
}

CRect CTKTabLook::FillClient(CDC*, CRect rect, CTKTabSet*)
{
    return rect;
}

void CTKTabLook::RepositionTabs(CTKTabSet* tabSet, CDC* dc, CRect rect)
{
    m_renderer->LayoutTabs(tabSet, dc, rect);
}

void CTKTabLook::AdjustClientRect(CTKTabSet* tabSet, CRect* rect)
{
    const int position = PositionOf(tabSet);
    const CRect header = m_renderer->GetHeaderMargins();
    CTKTabRenderer::DeflateRectByPosition(rect, header.left, header.top, header.right, header.bottom, position);
    *rect = GetClientAreaRect(*rect, tabSet);
    const CRect client = GetClientMargins();
    CTKTabRenderer::DeflateRectByPosition(rect, client.left, client.top, client.right, client.bottom, position);
    if (m_renderer->GetClientFrame() == CTKTabRenderer::kFrame3D)
        rect->DeflateRect(kClientFrameWidth, kClientFrameWidth);
    else if (m_renderer->GetClientFrame() == CTKTabRenderer::kFrameSingle)
        CTKTabRenderer::DeflateRectByPosition(rect, 0, kClientFrameWidth, 0, 0, position);
}

void CTKTabLook::DrawTab(CDC*, CTKTabItem*)
{
}

void CTKTabLook::DrawWorkspacePart(CDC* dc, CRect* rect, int part)
{
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    if (!m_renderer->IsStaticFrame()) {
        if (part == kPartClient)
            rect->InflateRect(kClientFrameWidth, kClientFrameWidth);
        else if (part == kPartCornerRight || part == kPartCornerBottom)
            dc->FillSolidRect(*rect, colors->headerGradient.first);
        return;
    }
    switch (part) {
    case kPartFrame:
        dc->Draw3dRect(CRect(1, 0, rect->Width() - 1, rect->Height() - 1), colors->faceColor, colors->faceColor);
        dc->Draw3dRect(CRect(0, 0, rect->Width(), rect->Height()), colors->frameColor, colors->frameColor);
        break;
    case kPartClient:
        rect->top -= 1;
        break;
    case kPartCornerRight:
        dc->FillSolidRect(*rect, colors->faceColor);
        dc->FillSolidRect(rect->right - 1, rect->top, 1, rect->Height(), colors->frameColor);
        break;
    case kPartCornerBottom:
        dc->FillSolidRect(*rect, colors->faceColor);
        dc->FillSolidRect(rect->left, rect->bottom - 1, rect->Width(), 1, colors->frameColor);
        break;
    default:
        break;
    }
}

void CTKTabLook::DrawTabEdgeLine(CDC* dc, CRect rect, int position, COLORREF first, COLORREF second)
{
    switch (position) {
    case CTKTabRenderer::kLeft:
        if (first != kNoColor)
            dc->FillSolidRect(rect.left, rect.top, 1, rect.Height(), first);
        break;
    case CTKTabRenderer::kBottom:
        if (second != kNoColor)
            dc->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, second);
        break;
    case CTKTabRenderer::kRight:
        if (second != kNoColor)
            dc->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), second);
        break;
    default:
        if (first != kNoColor)
            dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, first);
        break;
    }
}

void CTKTabLook::DrawRelativePolyline(CDC* dc, COLORREF color, const CPoint* points, int count)
{
    if (color == kNoColor || count < 2)
        return;
    CPen pen(PS_SOLID, 1, color);
    CTKDCSelectGuard select(dc, &pen);
    CPoint at = points[0];
    dc->MoveTo(at);
    for (int i = 1; i < count; ++i) {
        at.Offset(points[i].x, points[i].y);
        dc->LineTo(at);
    }
}

void CTKTabLook::DrawLine(CDC* dc, COLORREF color, int x1, int y1, int x2, int y2)
{
    if (color == kNoColor)
        return;
    CPen pen(PS_SOLID, 1, color);
    CTKDCSelectGuard select(dc, &pen);
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

COLORREF CTKTabLook::FillTabPolygon(CDC* dc, CTKTabItem* tab, const CPoint* points, int count, int,
                                    BOOL absolute)
{
    if (count < 3 || count > kMaxPolygonPoints)
        return kNoColor;
    CPoint polygon[kMaxPolygonPoints];
    polygon[0] = points[0];
    for (int i = 1; i < count; ++i)
        polygon[i] = absolute ? points[i] : CPoint(polygon[i - 1].x + points[i].x, polygon[i - 1].y + points[i].y);
    CRect box(polygon[0], CSize());
    for (int i = 0; i < count; ++i) {
        box.left = std::min(box.left, static_cast<int>(polygon[i].x));
        box.top = std::min(box.top, static_cast<int>(polygon[i].y));
        box.right = std::max(box.right, static_cast<int>(polygon[i].x));
        box.bottom = std::max(box.bottom, static_cast<int>(polygon[i].y));
    }
    CRect saved;
    dc->GetClipBox(&saved);
    CRgn region = PolygonRegion(polygon, count);
    region.IntersectRect(saved);
    CRgn deviceRegion;
    for (CRect part : region.GetRects()) {
        dc->LPtoDP(&part);
        deviceRegion.AddRect(part);
    }
    dc->SelectClipRgn(&deviceRegion);
    const COLORREF color = m_renderer->GetColorSet()->FillTab(dc, box, tab);
    CRgn restore;
    CRect savedDevice = saved;
    dc->LPtoDP(&savedDevice);
    restore.CreateRectRgnIndirect(savedDevice);
    dc->SelectClipRgn(&restore);
    return color;
}

CRect CTKTabLook::FillClientFrame3D(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    const int position = PositionOf(tabSet);
    const CRect h = GetHeaderRect(rect, tabSet);
    const CRect c = GetClientAreaRect(rect, tabSet);
    CRect grown = h;
    CTKTabRenderer::InflateRectByPosition(&grown, 0, 0, 0, 1, position);
    colors->FillHeaderGradient(dc, grown, tabSet);
    const int style = m_renderer->GetClientFrame();
    if (style == CTKTabRenderer::kFrame3D) {
        colors->FillClient(dc, c, tabSet);
        if (colors->light3D != kNoColor && colors->darkShadow3D != kNoColor)
            dc->Draw3dRect(c, colors->light3D, colors->darkShadow3D);
        if (colors->shadow3D != kNoColor) {
            dc->FillSolidRect(c.left + 1, c.bottom - 2, c.Width() - 2, 1, colors->shadow3D);
            dc->FillSolidRect(c.right - 2, c.top + 1, 1, c.Height() - 2, colors->shadow3D);
        }
        return h;
    }
    if (style != CTKTabRenderer::kFrameSingle)
        return h;
    switch (position) {
    case CTKTabRenderer::kBottom:
        if (colors->darkShadow3D != kNoColor)
            dc->FillSolidRect(c.left, c.bottom - 1, c.Width(), 1, colors->darkShadow3D);
        if (colors->shadow3D != kNoColor)
            dc->FillSolidRect(c.left, c.bottom - 2, c.Width(), 1, colors->shadow3D);
        break;
    case CTKTabRenderer::kRight:
        if (colors->darkShadow3D != kNoColor)
            dc->FillSolidRect(c.right - 1, c.top, 1, c.Height(), colors->darkShadow3D);
        if (colors->shadow3D != kNoColor)
            dc->FillSolidRect(c.right - 2, c.top, 1, c.Height(), colors->shadow3D);
        break;
    default:
        DrawTabEdgeLine(dc, c, position, colors->light3D, colors->light3D);
        break;
    }
    return h;
}

CRect CTKTabLook::FillClientFrameLine(CDC* dc, CRect rect, CTKTabSet* tabSet, COLORREF first, COLORREF second)
{
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    const CRect h = GetHeaderRect(rect, tabSet);
    const CRect c = GetClientAreaRect(rect, tabSet);
    colors->FillHeaderGradient(dc, h, tabSet);
    const int style = m_renderer->GetClientFrame();
    if (style == CTKTabRenderer::kFrame3D) {
        colors->FillClient(dc, c, tabSet);
        dc->Draw3dRect(c, first, second);
    } else if (style == CTKTabRenderer::kFrameSingle) {
        DrawTabEdgeLine(dc, c, PositionOf(tabSet), first, second);
    }
    return h;
}
