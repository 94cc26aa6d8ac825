#pragma once

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
// Prints the usage text on standard error and returns 1.
int usageError();
// Writes text + newline to standard output (UTF-8).
void printLine(const QString &text);

// "--dir DIR" (default: the folder of the executable). Other options are left
// in `rest`; returns false when "--dir" has no value.
bool takeDirOption(QStringList &args, QString &dir);

// Removes "NAME VALUE" from `args` into `value`. False when NAME stands last
// without a value, or twice.
bool takeOptionValue(QStringList &args, const QString &name, std::optional<QString> &value);

} // namespace mokpe::cli
