#pragma once

#include "common/text_file.h"

#include <QDir>
#include <QString>

// The program folder the window benchmarks start in: the Ｗ code system's
// settings and a short account code table.
namespace mokpe::bench {

inline void writeProgramFolder(const QString &folder)
{
    common::writeCp932Lines(QDir(folder).filePath(QStringLiteral("inifile.ini")),
                            {QStringLiteral("0"),
                             {},
                             {},
                             {},
                             {},
                             QStringLiteral("&H8000000F"),
                             QStringLiteral("&H8000000F"),
                             QStringLiteral("1"),
                             QStringLiteral("0"),
                             QStringLiteral("186"),
                             QStringLiteral("1882"),
                             QStringLiteral("電子未決"),
                             QStringLiteral("113"),
                             QStringLiteral("1131"),
                             QStringLiteral("電子マネー")});
    common::writeCp932Lines(QDir(folder).filePath(QStringLiteral("kamoku_code.csv")),
                            {QStringLiteral("186,1882,電子未決"), QStringLiteral("113,1131,電子マネー"),
                             QStringLiteral("842,8471,旅費交通費"), QStringLiteral("854,8641,運賃")});
}

} // namespace mokpe::bench
