#include "CQtClipboard.h"

#include "platform/CClipboard.h"
#include "platform/Gbk.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace {

const QString kOwnMimePrefix = QStringLiteral("application/x-orvelbuilder-");

QImage ToQImage(const CIconImage& bitmap)
{
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x)
            image.setPixel(x, y, bitmap.GetPixel(x, y));
    }
    return image;
}

CIconImage FromQImage(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    CIconImage bitmap(image.width(), image.height());
    bitmap.SetAlpha(image.hasAlphaChannel());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            bitmap.SetPixel(x, y, image.pixel(x, y));
    }
    return bitmap;
}

} // namespace

std::vector<std::string> CQtClipboard::GetFormatNames() const
{
    std::vector<std::string> names;
    const QMimeData* offer = m_clipboard->mimeData();
    if (offer == nullptr)
        return names;
    for (const QString& type : offer->formats()) {
        if (type.startsWith(kOwnMimePrefix))
            names.push_back(type.mid(kOwnMimePrefix.size()).replace('-', ' ').toStdString());
        else
            names.push_back(type.toStdString());
    }
    return names;
}

CQtClipboard::CQtClipboard(QClipboard* clipboard)
    : m_clipboard(clipboard ? clipboard : QGuiApplication::clipboard())
{
}

CQtClipboard::~CQtClipboard() = default;

QString CQtClipboard::MimeType(UINT format)
{
    QString name = QString::fromUtf8(CClipboard::FormatName(format));
    name.replace(' ', '-');
    return kOwnMimePrefix + name;
}

void CQtClipboard::Install()
{
    static CQtClipboard clipboard;
    CClipboard::Set(&clipboard);
}

void CQtClipboard::Publish()
{
    auto* offer = new QMimeData;
    if (m_hasText)
        offer->setText(QString::fromUtf8(GbkToUtf8(m_text)));
    if (!m_bitmap.IsEmpty())
        offer->setImageData(ToQImage(m_bitmap));
    for (const auto& [format, bytes] : m_data)
        offer->setData(MimeType(format), QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    m_clipboard->setMimeData(offer);
}

void CQtClipboard::Empty()
{
    m_hasText = FALSE;
    m_text.clear();
    m_bitmap = CIconImage();
    m_data.clear();
    m_clipboard->clear();
}

BOOL CQtClipboard::SetText(const std::string& text)
{
    m_text = text;
    m_hasText = TRUE;
    Publish();
    return TRUE;
}

BOOL CQtClipboard::GetText(std::string* text) const
{
    const QMimeData* offer = m_clipboard->mimeData();
    if (offer == nullptr || !offer->hasText() || text == nullptr)
        return FALSE;
    *text = Utf8ToGbk(offer->text().toStdString());
    return TRUE;
}

BOOL CQtClipboard::SetBitmap(const CIconImage& bitmap)
{
    if (bitmap.IsEmpty())
        return FALSE;
    m_bitmap = bitmap;
    Publish();
    return TRUE;
}

BOOL CQtClipboard::GetBitmap(CIconImage* bitmap) const
{
    const QMimeData* offer = m_clipboard->mimeData();
    if (offer == nullptr || !offer->hasImage() || bitmap == nullptr)
        return FALSE;
    const QImage image = qvariant_cast<QImage>(offer->imageData());
    if (image.isNull())
        return FALSE;
    *bitmap = FromQImage(image);
    return TRUE;
}

BOOL CQtClipboard::SetData(UINT format, const std::vector<BYTE>& bytes)
{
    if (CClipboard::FormatName(format).empty())
        return FALSE;
    m_data[format] = bytes;
    Publish();
    return TRUE;
}

BOOL CQtClipboard::GetData(UINT format, std::vector<BYTE>* bytes) const
{
    const QMimeData* offer = m_clipboard->mimeData();
    if (offer == nullptr || bytes == nullptr || CClipboard::FormatName(format).empty())
        return FALSE;
    const QString type = MimeType(format);
    if (!offer->hasFormat(type))
        return FALSE;
    const QByteArray data = offer->data(type);
    bytes->assign(data.begin(), data.end());
    return TRUE;
}

BOOL CQtClipboard::IsFormatAvailable(UINT format) const
{
    const QMimeData* offer = m_clipboard->mimeData();
    if (offer == nullptr)
        return FALSE;
    if (format == CF_TEXT)
        return offer->hasText();
    if (format == CF_BITMAP)
        return offer->hasImage();
    if (CClipboard::FormatName(format).empty())
        return FALSE;
    return offer->hasFormat(MimeType(format));
}
