#pragma once

#include <QString>
#include <QStringList>

namespace mokpe::test {

// One run of the real headless command.
struct CliRun {
    int exitCode = -1; // -1 when it did not end normally
    QString out;
    QString err;
};

CliRun runMokpe(const QStringList &arguments, const QString &workingFolder = QString());
// Any program: command.first() with the rest as its arguments.
CliRun runProgram(const QStringList &command, const QString &workingFolder = QString());

} // namespace mokpe::test
