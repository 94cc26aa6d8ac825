#include "support/file_helpers.h"

#include "common/cp932.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace mokpe::test {

TempFolder::TempFolder()
{
    if (!dir_.isValid())
        std::abort();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void copyFiles(const QString &fromFolder, const QString &toFolder)
{
    const QDir from(fromFolder);
    for (const QString &name : from.entryList(QDir::Files))
        writeBytes(QDir(toFolder).filePath(name), fileBytes(from.filePath(name)));
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

QByteArray cp932(const QString &text)
{
    const common::Cp932Encoded encoded = common::encodeCp932(text);
    if (!encoded.ok)
        std::abort();
    return encoded.bytes;
}

} // namespace mokpe::test
