#pragma once
// Text at the Qt boundary: GBK bytes in the program, Unicode in widgets,
// Qt file names and settings.

#include "platform/Gbk.h"

#include <QString>

#include <string>

inline QString ToQString(const std::string& gbk)
{
    return QString::fromStdString(GbkToUtf8(gbk));
}

inline std::string FromQString(const QString& text)
{
    return Utf8ToGbk(text.toStdString());
}
