#include "CQtImageDC.h"

#include "QtText.h"

#include <QString>

CQtImageDC::CQtImageDC(int cx, int cy, int dpi)
    : m_image(cx > 0 ? cx : 1, cy > 0 ? cy : 1, QImage::Format_RGB32)
{
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254 + 0.5);
    m_image.setDotsPerMeterX(dotsPerMeter);
    m_image.setDotsPerMeterY(dotsPerMeter);
    m_image.fill(Qt::white);
    m_painter.begin(&m_image);
    Attach(&m_painter, &m_image);
}

CQtImageDC::~CQtImageDC()
{
    m_painter.end();
}

CIconImage CQtImageDC::ToIconImage() const
{
    CIconImage picture(m_image.width(), m_image.height());
    for (int y = 0; y < m_image.height(); ++y) {
        for (int x = 0; x < m_image.width(); ++x)
            picture.SetPixel(x, y, m_image.pixel(x, y) | 0xFF000000u);
    }
    return picture;
}

BOOL CQtImageDC::Save(const std::string& path) const
{
    return m_image.save(ToQString(path)) ? TRUE : FALSE;
}
