#pragma once

#include "platform/messages.h"

#include <QString>
#include <QStringList>

#include <optional>

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

// "--dir DIR" (default: the folder of the executable). Other options are left
// in `args`; false, with the problem, when "--dir" has no value or an empty one.
bool takeDirOption(QStringList &args, QString &dir, QString &problem);

// Removes "NAME VALUE" from `args` into `value`. False, with the problem, when
// NAME stands last without a value, or twice.
bool takeOptionValue(QStringList &args, const QString &name, std::optional<QString> &value, QString &problem);

// The program folder of "--dir" must be a folder that is there: otherwise told
// (false) before any file of it is looked for.
bool programFolderCheck(const QString &dir, platform::MessageService &messages);

// What is wrong with arguments a command did not take: an unknown option or
// an argument too many. Empty when none is left.
QString leftOverProblem(const QStringList &args);

} // namespace mokpe::cli
