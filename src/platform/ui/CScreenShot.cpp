#include "CScreenShot.h"

#include "CWindowStack.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace {

// The desktop behind the windows.
const QColor kDesktop(0, 128, 128);

} // namespace

QImage CScreenShot::Compose(QSize screen)
{
    QImage image(screen, QImage::Format_RGB32);
    image.fill(kDesktop);
    QPainter painter(&image);
    for (QWidget* window : CWindowStack::Instance().VisibleBottomToTop()) {
        QPixmap picture = window->grab();
        painter.drawPixmap(QRect(window->geometry().topLeft(), window->size()), picture);
    }
    return image;
}

BOOL CScreenShot::SavePng(const std::string& path, QSize screen)
{
    return Compose(screen).save(QString::fromStdString(path), "PNG") ? TRUE : FALSE;
}
