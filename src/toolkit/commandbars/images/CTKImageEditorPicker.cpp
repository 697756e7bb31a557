#include "toolkit/commandbars/images/CTKImageEditorPicker.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CPaintDC.h"
#include "toolkit/commandbars/draw/CTKOffscreenDC.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/ImageEditorBitmaps.h"

#include <QMouseEvent>

namespace {

constexpr COLORREF kCheckerGrey = RGB(235, 235, 235);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

} // namespace

CTKImageEditorPicker::CTKImageEditorPicker(QWidget* parent) : QWidget(parent)
{
}

void CTKImageEditorPicker::SetColor(COLORREF color)
{
    m_color = color;
    update();
}

void CTKImageEditorPicker::SetSelected(BOOL selected)
{
    m_selected = selected;
    update();
}

void CTKImageEditorPicker::paintEvent(QPaintEvent*)
{
    OnPaint();
}

void CTKImageEditorPicker::OnPaint()
{
    CPaintDC paint(this);
    CRect rect(0, 0, width(), height());
    CTKOffscreenDC dc(&paint, rect);
    if (m_color == kImageEditorTransparent) {
        dc->FillSolidRect(rect, kWhite);
        const int halfWidth = rect.Width() / 2;
        const int halfHeight = rect.Height() / 2;
        dc->FillSolidRect(0, 0, halfWidth, halfHeight, kCheckerGrey);
        dc->FillSolidRect(halfWidth, halfHeight, rect.Width() - halfWidth, rect.Height() - halfHeight, kCheckerGrey);
    } else {
        dc->FillSolidRect(rect, m_color);
    }
    if (!m_selected) {
        dc->Draw3dRect(rect, CTKSystemColors::Instance().LookupColor(COLOR_3DDKSHADOW),
                       CTKSystemColors::Instance().LookupColor(COLOR_3DDKSHADOW));
        return;
    }
    static constexpr COLORREF kRings[] = {kBlack, kWhite, kBlack};
    for (COLORREF ring : kRings) {
        dc->Draw3dRect(rect, ring, ring);
        rect.DeflateRect(1, 1);
    }
}

void CTKImageEditorPicker::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked(this);
}
