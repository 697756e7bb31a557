#include "CQtStartup.h"

#include <QGuiApplication>

#include <cstring>

namespace {

const char kDefaultPlatform[] = "xcb";

} // namespace

const char* CQtStartup::PlatformToSelect(int argc, const char* const* argv, const char* platformVariable)
{
    if (platformVariable && *platformVariable)
        return nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "-platform") == 0 || std::strcmp(arg, "--platform") == 0
            || std::strncmp(arg, "-platform=", std::strlen("-platform=")) == 0)
            return nullptr;
    }
    return kDefaultPlatform;
}

void CQtStartup::Prepare(int argc, const char* const* argv)
{
    QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (const char* platform = PlatformToSelect(argc, argv, chosen.isEmpty() ? nullptr : chosen.constData()))
        qputenv("QT_QPA_PLATFORM", platform);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
}
