#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace mokpe::test {

// A temporary folder that stands in for the program folder.
class TempFolder {
public:
    TempFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

QByteArray fileBytes(const QString &path);
// Every file of `fromFolder` (not its folders) into `toFolder`.
void copyFiles(const QString &fromFolder, const QString &toFolder);
void writeBytes(const QString &path, const QByteArray &bytes);
// Text as CP932 bytes (for building inputs in tests; no CR LF added).
QByteArray cp932(const QString &text);

} // namespace mokpe::test
