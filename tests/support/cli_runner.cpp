#include "support/cli_runner.h"

#include <QProcess>

namespace mokpe::test {

CliRun runMokpe(const QStringList &arguments, const QString &workingFolder)
{
    return runProgram(QStringList{QStringLiteral(MOKPE_CLI_PATH)} + arguments, workingFolder);
}

namespace {

CliRun finish(QProcess &process, const QStringList &command)
{
    process.start(command.first(), command.mid(1));
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

CliRun runProgram(const QStringList &command, const QString &workingFolder)
{
    QProcess process;
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    return finish(process, command);
}

CliRun runMokpeWith(const QStringList &arguments, const std::function<void()> &inChild,
                    const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
#ifdef Q_OS_UNIX
    process.setChildProcessModifier(inChild);
#else
    Q_UNUSED(inChild);
#endif
    return finish(process, QStringList{QStringLiteral(MOKPE_CLI_PATH)} + arguments);
}

} // namespace mokpe::test
