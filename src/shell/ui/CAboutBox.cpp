#include "shell/ui/CAboutBox.h"

#include "platform/CUserInterface.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CWnd.h"
#include "shell/ui/CSplashWindow.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kAboutHelpContext = 1;

const char* const kTexts[] = {
    "Programming Tool for Orvel-Q7 Serias Micro PLC",
    "Version: V1.1.8.0",
};

QPixmap PictureOf(const CIconImage& image)
{
    QImage picture(image.Width(), image.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x)
            picture.setPixel(x, y, image.GetPixel(x, y));
    }
    return QPixmap::fromImage(picture);
}

} // namespace

CAboutBox::CAboutBox(CWnd* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Orvel-Q7"));
    auto* layout = new QVBoxLayout(this);
    if (const CIconImage* bitmap = CResourceStore::Instance().FindBitmap(IDB_SPLASH)) {
        auto* picture = new QLabel(this);
        picture->setPixmap(PictureOf(*bitmap));
        layout->addWidget(picture);
    }
    for (const char* text : kTexts)
        layout->addWidget(new QLabel(QString::fromLatin1(text), this));
    auto* buttons = new QHBoxLayout;
    auto* exitButton = new QPushButton(QStringLiteral("Exit"), this);
    auto* helpButton = new QPushButton(QStringLiteral("Help"), this);
    exitButton->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(exitButton);
    buttons->addWidget(helpButton);
    layout->addLayout(buttons);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(helpButton, &QPushButton::clicked, this, [this] { OnHelp(); });
}

void CAboutBox::OnHelp()
{
    CUserInterface::Help().ShowHelp({}, kAboutHelpContext);
}
