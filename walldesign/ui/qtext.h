// Text between the program's UTF-8 strings and Qt.
#pragma once

#include <QString>
#include <string>

namespace wd {

inline QString QStr(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string StdStr(const QString& s)
{
    return s.toUtf8().toStdString();
}

} // namespace wd
