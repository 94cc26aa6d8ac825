#pragma once

#include "cli/command_line.h"
#include "platform/messages.h"

#include <QString>
#include <QStringList>

// The subcommands of the headless command. Each takes the arguments after its
// name and returns the exit status: 0 done, 1 usage error, 2 refused by the system.
namespace mokpe::cli {

int runRead(const QStringList &args);
int runSettings(const QStringList &args);
int runAccounts(const QStringList &args);
int runUsers(const QStringList &args);
int runJournal(const QStringList &args);
int runExport(const QStringList &args);
// Needs a QGuiApplication: it measures and draws text.
int runReport(const QStringList &args);

const char *usageText();
// Prints "mokpe COMMAND: PROBLEM" and a line pointing to --help on standard
// error and returns 1 (the whole usage would bury what was wrong).
int usageError(const QString &command, const QString &problem);
// Writes text + newline to standard output (UTF-8).
void printLine(const QString &text);

// "--dir DIR" (default: the folder of the executable).
OptionSpec dirOption();
// The folder "--dir" gives, else the executable's; false, with the problem,
// when the name is empty.
bool readDirOption(const CommandLine &line, QString &dir, QString &problem);

// Parses the arguments of a command that takes options only, "--dir" among
// them, and reads the folder into `dir`. Empty when all is well, else the
// problem.
QString parseFolderCommand(CommandLine &line, const QStringList &args, QString &dir);

// The program folder of "--dir" must be a folder that is there: otherwise told
// (false) before any file of it is looked for.
bool programFolderCheck(const QString &dir, platform::MessageService &messages);

} // namespace mokpe::cli
