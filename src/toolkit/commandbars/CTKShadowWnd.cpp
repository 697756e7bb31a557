#include "CTKShadowWnd.h"

#include "CTKPopupShadow.h"
#include "CTKWindowHookMap.h"

#include "platform/ui/CWnd.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace {

// Rows (right strip) or columns (bottom strip) over which the ends fade in.
constexpr int kCornerLength = 4;
// Alpha step per pixel of the strip body and of the corner ramp.
constexpr int kBodyAlphaStep = 15;
constexpr int kCornerAlphaStep = 3;
constexpr double kBodyColorStep = 0.25;
constexpr double kCornerColorStep = 0.05;

// A premultiplied pixel of alpha a in the shadow colour weighted by c; no
// channel exceeds the alpha, so a coloured shadow stays a valid pixel.
QRgb ShadowPixel(int alpha, double weight, COLORREF shadow)
{
    auto channel = [&](int value) { return std::min(alpha, static_cast<int>(value * weight)); };
    return qRgba(channel(GetRValue(shadow)), channel(GetGValue(shadow)), channel(GetBValue(shadow)), alpha);
}

} // namespace

CTKShadowWnd::CTKShadowWnd(CTKPopupShadow& shadows, BOOL bottom, BOOL flat, CWnd* owner)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      m_shadows(shadows), m_bBottom(bottom), m_bFlat(flat), m_pOwner(owner)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

CTKShadowWnd::~CTKShadowWnd()
{
    CTKWindowHookMap::Get().RemoveHookFromAll(this);
}

CRect CTKShadowWnd::GetWindowRect() const
{
    return CRect(x(), y(), x() + width(), y() + height());
}

void CTKShadowWnd::MoveTo(const CRect& rect)
{
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (m_image.size() != size())
        m_image = BuildImage(m_bBottom, m_bFlat, width(), height(), m_shadowColor);
}

void CTKShadowWnd::SetShadowColor(COLORREF color)
{
    m_shadowColor = color;
    m_image = BuildImage(m_bBottom, m_bFlat, width(), height(), color);
}

void CTKShadowWnd::ExcludeRect(const CRect& rect)
{
    CRect own = GetWindowRect();
    CRect overlap;
    if (!overlap.IntersectRect(own, rect))
        return;
    overlap.OffsetRect(-own.left, -own.top);
    QRegion visible(0, 0, own.Width(), own.Height());
    setMask(visible.subtracted(QRegion(overlap.left, overlap.top, overlap.Width(), overlap.Height())));
}

QImage CTKShadowWnd::BuildImage(BOOL bottom, BOOL flat, int width, int height, COLORREF shadow)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const int k = flat ? 1 : 2;
    auto corner = [&](int x, int y, int i, int step) {
        if (x >= 0 && x < width && y >= 0 && y < height)
            image.setPixel(x, y, ShadowPixel(kCornerAlphaStep * k * i * step, kCornerColorStep * i * step, shadow));
    };
    if (!bottom) {
        // Column 0 lies against the popup; the top rows fade in.
        for (int y = kCornerLength; y < height; ++y)
            for (int c = 0; c < std::min(width, kThickness); ++c)
                image.setPixel(c, y, ShadowPixel((kThickness - c) * kBodyAlphaStep * k,
                                                 (kThickness - c) * kBodyColorStep, shadow));
        for (int i = 1; i <= kCornerLength; ++i)
            for (int j = 0; j < kCornerLength; ++j)
                corner(kThickness - i, j, i, j + 1);
        return image;
    }
    // Row r counts from the outer (lower) edge; the last row lies against
    // the popup. Both ends fade in.
    for (int r = 0; r < std::min(height, kThickness); ++r) {
        const int y = height - 1 - r;
        for (int x = kCornerLength; x < width - kCornerLength; ++x)
            image.setPixel(x, y, ShadowPixel(kBodyAlphaStep * k * (r + 1), (r + 1) * kBodyColorStep, shadow));
        for (int i = 1; i <= kCornerLength; ++i) {
            corner(i - 1, y, i, r + 1);
            corner(width - i, y, i, r + 1);
        }
    }
    return image;
}

int CTKShadowWnd::OnHookMessage(CWnd*, UINT message, WPARAM* wParam, LPARAM*, LRESULT*)
{
    if (message == WM_SHOWWINDOW) {
        setVisible(*wParam != 0);
        return kTKHookNotHandled;
    }
    if (message == WM_DESTROY)
        m_shadows.RemoveShadow(this);
    return kTKHookNotHandled;
}

void CTKShadowWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_image);
}
