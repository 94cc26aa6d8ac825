#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

namespace mokpe::test {

// One run of the real headless command.
struct CliRun {
    int exitCode = -1; // -1 when it did not end normally
    QString out;
    QString err;
};

CliRun runMokpe(const QStringList &arguments, const QString &workingFolder = QString());
// The same in `environment`, with `inChild` run in the child before the
// command starts (to set a limit or a signal as a shell would).
CliRun runMokpeWith(const QStringList &arguments, const std::function<void()> &inChild,
                    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
// Any program: command.first() with the rest as its arguments.
CliRun runProgram(const QStringList &command, const QString &workingFolder = QString());

} // namespace mokpe::test
