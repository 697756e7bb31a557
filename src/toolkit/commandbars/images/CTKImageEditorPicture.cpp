#include "toolkit/commandbars/images/CTKImageEditorPicture.h"

#include "platform/CClipboard.h"
#include "platform/CSystemMetrics.h"
#include "platform/FileSystem.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/CTKButtonEditorDlg.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/commandbars/images/IconBitmaps.h"

#include <QCursor>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMouseEvent>

#include <algorithm>
#include <vector>

namespace {

constexpr COLORREF kCheckerGrey = RGB(235, 235, 235);
constexpr COLORREF kCheckerWhite = RGB(255, 255, 255);
constexpr int kCheckerGreyLevel = 235;
constexpr int kCheckerWhiteLevel = 255;
constexpr int kCheckerSide = 4;
constexpr DWORD kRgbMask = 0x00FFFFFF;
constexpr DWORD kOpaque = 0xFF000000;

COLORREF ButtonFace()
{
    return CTKSystemColors::Instance().LookupColor(COLOR_BTNFACE);
}

int Blend(int level, int alpha, int channel)
{
    return level - alpha * (level - channel) / 255;
}

// One screen pixel of an image pixel over the checker of that parity.
DWORD ScreenPixel(DWORD pixel, BOOL alpha, BOOL odd)
{
    if (alpha) {
        const int level = odd ? kCheckerGreyLevel : kCheckerWhiteLevel;
        const int a = CIconImage::AlphaOf(pixel);
        const COLORREF c = CIconImage::ColorFromArgb(pixel);
        return CIconImage::ArgbFromColor(
            RGB(Blend(level, a, GetRValue(c)), Blend(level, a, GetGValue(c)), Blend(level, a, GetBValue(c))));
    }
    if ((pixel & kRgbMask) == kImageEditorTransparentPixel)
        return CIconImage::ArgbFromColor(odd ? kCheckerGrey : kCheckerWhite);
    return pixel | kOpaque;
}

// A plain image of the picture size with the pixels of the read picture
// that are opaque enough; the others stay transparent.
CIconImage PlainFromPicture(const QImage& picture, int cx, int cy)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const int rows = std::min(cy, argb.height());
    const int cols = std::min(cx, argb.width());
    CIconImage part(cols, rows);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x)
            part.SetPixel(x, y, argb.pixel(x, y));
    }
    return PlainImageFromIcon(part, cx, cy);
}

// Reads a picture, stretched to cx by cy when they are given; a null image
// when the file is damaged, of a foreign kind or too large.
QImage ReadPicture(const std::string& path, int cx = 0, int cy = 0)
{
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return QImage();
    QImage picture = reader.read();
    if (picture.isNull() || cx <= 0 || cy <= 0)
        return picture;
    return picture.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

CTKImageEditorPicture::CTKImageEditorPicture(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

CTKImageEditorPicture::~CTKImageEditorPicture() = default;

void CTKImageEditorPicture::Attach(CTKButtonEditorDlg* dialog)
{
    m_dialog = dialog;
    const CSize size = dialog->GetPictureSize();
    m_columns = std::max(1, static_cast<int>(size.cx));
    m_rows = std::max(1, static_cast<int>(size.cy));
    m_cellWidth = std::max(1, width() / m_columns);
    m_cellHeight = std::max(1, height() / m_rows);
    setFixedSize(m_columns * m_cellWidth + 1, m_rows * m_cellHeight + 1);
}

void CTKImageEditorPicture::SetImage(const CIconImage& image)
{
    m_current = image;
    Changed();
}

CPoint CTKImageEditorPicture::PointToCell(int x, int y) const
{
    return CPoint(x / m_cellWidth, y / m_cellHeight);
}

COLORREF CTKImageEditorPicture::GetPixelAt(int column, int row) const
{
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows)
        return CLR_INVALID;
    const CIconImage shown = CopyCurrent();
    return CIconImage::ColorFromArgb(shown.GetPixel(column, row));
}

CIconImage CTKImageEditorPicture::CopyCurrent() const
{
    return CopyImage(m_current, m_columns, m_rows, 0, 0, 0, 0);
}

CIconImage CTKImageEditorPicture::Render() const
{
    const int w = width();
    const int h = height();
    CIconImage screen(w, h, CIconImage::ArgbFromColor(kCheckerWhite));
    for (int b = 0; b < h; ++b) {
        // Image rows counted from the bottom, as the bitmap stores them.
        const int row = m_rows - 1 - b * m_rows / h;
        const int y = h - b - 1;
        for (int x = 0; x < w; ++x) {
            const int column = x * m_columns / w;
            const BOOL odd = ((x + kCheckerSide - 1) / kCheckerSide + (b + kCheckerSide - 1) / kCheckerSide) % 2;
            const DWORD pixel = m_current.IsEmpty() ? kImageEditorTransparentPixel : m_current.GetPixel(column, row);
            screen.SetPixel(x, y, ScreenPixel(pixel, m_current.IsAlpha(), odd));
        }
    }
    for (int x = 0; x < w; ++x) {
        screen.SetPixel(x, 0, kOpaque);
        screen.SetPixel(x, h - 1, kOpaque);
    }
    for (int y = 0; y < h; ++y) {
        screen.SetPixel(0, y, kOpaque);
        screen.SetPixel(w - 1, y, kOpaque);
    }
    return screen;
}

void CTKImageEditorPicture::paintEvent(QPaintEvent*)
{
    CPaintDC dc(this);
    dc.DrawIcon(0, 0, Render());
}

void CTKImageEditorPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(CPoint(event->position().toPoint().x(), event->position().toPoint().y()));
}

void CTKImageEditorPicture::mouseMoveEvent(QMouseEvent* event)
{
    OnSetCursor();
    if (m_tracking)
        OnMouseMove(CPoint(event->position().toPoint().x(), event->position().toPoint().y()));
}

void CTKImageEditorPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(CPoint(event->position().toPoint().x(), event->position().toPoint().y()));
}

void CTKImageEditorPicture::enterEvent(QEnterEvent*)
{
    OnSetCursor();
}

void CTKImageEditorPicture::OnSetCursor()
{
    UINT id = kCrosshairCursor;
    switch (m_dialog ? m_dialog->GetTool() : kPencil) {
    case kPencil:
        id = kPencilCursor;
        break;
    case kFill:
        id = kPaintBucketCursor;
        break;
    case kPickColor:
        id = kEyedropperCursor;
        break;
    default:
        break;
    }
    QCursor cursor(Qt::CrossCursor);
    CResourceStore::Instance().LoadCursor(id, &cursor);
    setCursor(cursor);
}

void CTKImageEditorPicture::OnLButtonDown(CPoint point)
{
    if (m_dialog == nullptr || m_tracking)
        return;
    const CPoint cell = PointToCell(point.x, point.y);
    const int tool = m_dialog->GetTool();
    if (tool == kFill) {
        BeginChange();
        CIconImage filled = CopyCurrent();
        const COLORREF surface = GetPixelAt(cell.x, cell.y);
        if (surface != CLR_INVALID)
            FloodFillSurface(&filled, cell.x, cell.y, surface, m_dialog->GetCurrentColor());
        if (m_pending->IsAlpha())
            RestoreAlpha(&filled, *m_pending);
        m_current = std::move(filled);
        PushUndo();
        return;
    }
    if (tool == kPickColor) {
        const COLORREF color = GetPixelAt(cell.x, cell.y);
        if (color != CLR_INVALID)
            m_dialog->OnColorPicked(color);
        OnSetCursor();
        return;
    }
    if (tool != kPencil && tool != kLine && tool != kRectangle && tool != kEllipse)
        return;
    BeginChange();
    m_current = CopyCurrent();
    m_start = point;
    // A click on the current colour erases along the whole stroke.
    const COLORREF color = m_dialog->GetCurrentColor();
    m_strokeColor = GetPixelAt(cell.x, cell.y) == color ? kImageEditorTransparent : color;
    m_tracking = TRUE;
    grabMouse();
    OnMouseMove(point);
}

void CTKImageEditorPicture::OnMouseMove(CPoint point)
{
    if (!m_tracking || m_dialog == nullptr)
        return;
    const CPoint cell = PointToCell(point.x, point.y);
    const int tool = m_dialog->GetTool();
    if (tool == kPencil) {
        CIconImage next = m_current;
        next.SetPixel(cell.x, cell.y, ImageEditorPixel(m_strokeColor));
        if (next.IsAlpha())
            RestoreAlpha(&next, m_current);
        m_current = std::move(next);
    } else {
        // The figure is drawn again from the state before the stroke.
        CIconImage next = CopyImage(*m_pending, m_columns, m_rows, 0, 0, 0, 0);
        const CPoint startCell = PointToCell(m_start.x, m_start.y);
        const ImageEditorFigure figure = tool == kLine ? ImageEditorFigure::kLine
            : tool == kRectangle                       ? ImageEditorFigure::kRectangle
                                                       : ImageEditorFigure::kEllipse;
        DrawFigure(&next, figure, startCell, cell, m_dialog->GetCurrentColor(), kImageEditorTransparent);
        if (next.IsAlpha())
            RestoreAlpha(&next, *m_pending);
        m_current = std::move(next);
    }
    Changed();
}

void CTKImageEditorPicture::OnLButtonUp(CPoint)
{
    if (!m_tracking)
        return;
    m_tracking = FALSE;
    releaseMouse();
    OnCaptureChanged();
}

void CTKImageEditorPicture::OnCaptureChanged()
{
    m_tracking = FALSE;
    if (m_pending)
        PushUndo();
}

void CTKImageEditorPicture::BeginChange()
{
    m_pending = m_current;
}

void CTKImageEditorPicture::PushUndo()
{
    if (!m_pending)
        return;
    m_redo.clear();
    while (static_cast<int>(m_undo.size()) >= kUndoLimit)
        m_undo.pop_front();
    m_undo.push_back(std::move(*m_pending));
    m_pending.reset();
    Changed();
}

void CTKImageEditorPicture::Commit(const CIconImage& image)
{
    BeginChange();
    m_current = image;
    PushUndo();
}

void CTKImageEditorPicture::Changed()
{
    update();
    if (m_dialog)
        m_dialog->OnPictureChanged();
}

void CTKImageEditorPicture::Undo()
{
    if (m_undo.empty() || m_tracking)
        return;
    m_redo.push_back(std::move(m_current));
    m_current = std::move(m_undo.back());
    m_undo.pop_back();
    Changed();
}

void CTKImageEditorPicture::Redo()
{
    if (m_redo.empty() || m_tracking)
        return;
    m_undo.push_back(std::move(m_current));
    m_current = std::move(m_redo.back());
    m_redo.pop_back();
    Changed();
}

void CTKImageEditorPicture::Clear()
{
    Commit(CIconImage());
}

void CTKImageEditorPicture::Move(int dx, int dy)
{
    Commit(CopyImage(m_current, m_columns, m_rows, dx, dy, 0, 0));
}

void CTKImageEditorPicture::Copy()
{
    IClipboard& clipboard = CClipboard::Get();
    clipboard.Empty();
    CIconImage bitmap = CopyImage(m_current, m_columns, m_rows, 0, 0, kImageEditorTransparent, ButtonFace());
    const BOOL alpha = m_current.IsAlpha();
    // Other programs read a plain bitmap as opaque.
    if (!alpha)
        SetAlphaBytes(&bitmap, 255);
    bitmap.SetAlpha(alpha);
    if (!clipboard.SetBitmap(bitmap) || !alpha)
        return;
    clipboard.SetData(CTKCommandImages::Global().GetAlphaMarkerFormat(), std::vector<BYTE>(1, 0));
}

void CTKImageEditorPicture::Paste()
{
    const IClipboard& clipboard = CClipboard::Get();
    CIconImage bitmap;
    if (!clipboard.IsFormatAvailable(CF_BITMAP) || !clipboard.GetBitmap(&bitmap) || bitmap.IsEmpty())
        return;
    BOOL alpha = FALSE;
    for (const std::string& name : clipboard.GetFormatNames())
        alpha = alpha || IsAlphaClipboardFormatName(name);
    if (!alpha)
        alpha = clipboard.IsFormatAvailable(CTKCommandImages::Global().GetAlphaMarkerFormat());
    if (!alpha)
        SetAlphaBytes(&bitmap, 0);
    bitmap.SetAlpha(alpha);
    Commit(CopyImage(bitmap, m_columns, m_rows, 0, 0, ButtonFace(), kImageEditorTransparent));
}

void CTKImageEditorPicture::LoadFromFile()
{
    std::string path;
    if (m_dialog == nullptr || !m_dialog->AskPictureFile(&path))
        return;
    LoadFile(path);
}

BOOL CTKImageEditorPicture::LoadFile(const std::string& path)
{
    const QString extension = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    CIconImage image;
    BOOL loaded = FALSE;
    if (extension == "ico")
        loaded = LoadIconFile(path, &image);
    else if (extension == "bmp")
        loaded = LoadBitmapFile(path, &image);
    else
        loaded = LoadOtherPicture(path, &image);
    if (!loaded)
        return FALSE;
    Commit(image);
    return TRUE;
}

BOOL CTKImageEditorPicture::LoadIconFile(const std::string& path, CIconImage* image) const
{
    const CIconImage icon = LoadAlphaIcon(path, m_columns);
    if (!icon.IsEmpty()) {
        *image = CopyImage(icon, m_columns, m_rows, 0, 0, 0, 0);
        image->SetAlpha(TRUE);
        return TRUE;
    }
    const QImage picture = ReadPicture(path, m_columns, m_rows);
    if (picture.isNull())
        return FALSE;
    *image = PlainFromPicture(picture, m_columns, m_rows);
    return TRUE;
}

BOOL CTKImageEditorPicture::LoadBitmapFile(const std::string& path, CIconImage* image) const
{
    if (IsAlphaBitmapFile(path)) {
        std::vector<BYTE> file;
        CIconImage bitmap;
        if (!FileSystem::ReadFileBytes(path, file) || !ParseAlphaBitmapFile(file, &bitmap))
            return FALSE;
        *image = CopyImage(bitmap, m_columns, m_rows, 0, 0, 0, 0);
        return TRUE;
    }
    const QImage picture = ReadPicture(path);
    if (picture.isNull())
        return FALSE;
    *image = PlainFromPicture(picture, m_columns, m_rows);
    return TRUE;
}

BOOL CTKImageEditorPicture::LoadOtherPicture(const std::string& path, CIconImage* image) const
{
    const QImage picture = ReadPicture(path, m_columns, m_rows);
    if (picture.isNull())
        return FALSE;
    *image = PlainFromPicture(picture, m_columns, m_rows);
    return TRUE;
}
