#pragma once
// A device context on an image of its own: the back buffer of flicker-free
// painting and the memory device context of CreateCompatibleDC. The image
// is opaque and starts white.

#include "CQtDC.h"

#include <QImage>
#include <QPainter>

class CQtImageDC : public CQtDC {
public:
    CQtImageDC(int cx, int cy, int dpi = 96);
    ~CQtImageDC() override;

    // The pixels drawn so far.
    const QImage& GetImage() const { return m_image; }
    CIconImage ToIconImage() const;
    // Writes the image (PNG by the file's extension); FALSE on failure.
    BOOL Save(const std::string& path) const;

private:
    QImage m_image;
    QPainter m_painter;
};
