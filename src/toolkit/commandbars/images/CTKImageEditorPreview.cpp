#include "toolkit/commandbars/images/CTKImageEditorPreview.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CPaintDC.h"
#include "toolkit/commandbars/draw/CTKOffscreenDC.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/CTKButtonEditorDlg.h"
#include "toolkit/commandbars/images/CTKImageEditorPicture.h"
#include "toolkit/commandbars/images/ImageEditorBitmaps.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kInnerFrame = 3;

COLORREF SysColor(int index)
{
    return CTKSystemColors::Instance().LookupColor(static_cast<UINT>(index));
}

} // namespace

CTKImageEditorPreview::CTKImageEditorPreview(QWidget* parent) : QWidget(parent)
{
}

void CTKImageEditorPreview::Attach(CTKButtonEditorDlg* dialog)
{
    m_dialog = dialog;
    const CSize size = dialog->GetPictureSize();
    m_width = size.cx;
    m_height = size.cy;
}

void CTKImageEditorPreview::paintEvent(QPaintEvent*)
{
    OnPaint();
}

void CTKImageEditorPreview::OnPaint()
{
    CPaintDC paint(this);
    const CRect client(0, 0, width(), height());
    CTKOffscreenDC dc(&paint, client);
    const COLORREF face = SysColor(COLOR_BTNFACE);
    dc->FillSolidRect(client, face);
    CRect image(kImageLeft, (client.Height() - m_height) / 2, kImageLeft + m_width,
                (client.Height() - m_height) / 2 + m_height);
    CRect frame = image;
    frame.InflateRect(kInnerFrame, kInnerFrame);
    dc->Draw3dRect(frame, kWhite, SysColor(COLOR_BTNSHADOW));
    frame.InflateRect(1, 1);
    dc->Draw3dRect(frame, face, SysColor(COLOR_3DDKSHADOW));
    if (m_dialog == nullptr || m_dialog->GetPicture()->GetImage().IsEmpty())
        return;
    const CIconImage& current = m_dialog->GetPicture()->GetImage();
    if (current.IsAlpha()) {
        dc->DrawIcon(image.left, image.top, current, m_width, m_height);
        return;
    }
    // A plain image shows its transparent pixels in the button's face colour.
    CIconImage shown = CopyImage(current, m_width, m_height, 0, 0, kImageEditorTransparent, face);
    SetAlphaBytes(&shown, 255);
    dc->DrawIcon(image.left, image.top, shown, m_width, m_height);
}
