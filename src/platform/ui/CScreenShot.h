#pragma once
// A picture of the screen as the window layer shows it: every visible
// top-level window at its place, in the layer's stacking order, on a screen
// of a fixed size (so that pictures do not depend on the machine).

#include "platform/WinTypes.h"

#include <QImage>
#include <QSize>

#include <string>

class CScreenShot {
public:
    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 1024;

    static QImage Compose(QSize screen = QSize(kScreenWidth, kScreenHeight));
    // Writes the picture as a PNG file (UTF-8 path); FALSE when it cannot.
    static BOOL SavePng(const std::string& path, QSize screen = QSize(kScreenWidth, kScreenHeight));
};
