#include "support/cli_runner.h"

#include <QProcess>

namespace mokpe::test {

CliRun runMokpe(const QStringList &arguments, const QString &workingFolder)
{
    return runProgram(QStringList{QStringLiteral(MOKPE_CLI_PATH)} + arguments, workingFolder);
}

CliRun runProgram(const QStringList &command, const QString &workingFolder)
{
    QProcess process;
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(command.first(), command.mid(1));
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace mokpe::test
