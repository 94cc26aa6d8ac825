#include "cli/commands.h"
#include "cli/standard_streams.h"

#include "common/app_state.h"
#include "common/file_size_signal.h"
#include "common/os_error_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace mokpe::cli {

namespace {

const char *const kUsageText =
    "usage: mokpe COMMAND [OPTIONS]\n"
    "\n"
    "  read FILE                        read a card history file and recognise its kind\n"
    "  settings [--dir DIR]             read (or create) inifile.ini and print its 15 values\n"
    "  accounts [--dir DIR]             check and read kamoku_code.csv, print the code system\n"
    "  accounts --load w|kai [--dir DIR]  load a default account set and save it\n"
    "  users [--dir DIR]                read person.csv and print the user list\n"
    "  journal FILE [--dir DIR] [--user N] [--settle AMOUNT | --previous-balance N]\n"
    "         [--no-match] [EDIT...] [-o OUT]\n"
    "                                   open FILE in the journal editor, settle its balance cells,\n"
    "                                   edit it, print the journal or save it to OUT\n"
    "  export FILE --format 1|2|3|4 -o OUT [journal options] [--company-code C] [--company-name S]\n"
    "         [--year-end YYYYMMDD] [--period YYYYMMDD,YYYYMMDD] [--tax-rate R | --tax-blank]\n"
    "         [--today YYYYMMDD] [--yes]\n"
    "                                   open FILE as journal does, hand it to the export dialog and\n"
    "                                   write format 1 出納帳, 2 会計, 3 楓林 3-digit, 4 楓林 4-digit to "
    "OUT\n"
    "  report FILE [journal options] (-o OUT.pdf | --print [--printer NAME])\n"
    "                                   the settlement report of that journal: into one PDF,\n"
    "                                   or one print job per page to the default printer or NAME\n"
    "  --help                           this text\n"
    "  --version                        the version\n"
    "\n"
    "EDIT, run in the order given (rows count from 1; a bulk deletion's question is answered yes):\n"
    "  --assign FIRST[-LAST]:COLUMN=ACCOUNT  account of the drop-down into column 2 or 4 of the rows\n"
    "  --set ROW:COLUMN=TEXT            the cell editor's Enter with TEXT on column 1 to 6 of ROW\n"
    "  --insert ROW | --append | --delete ROW | --delete-last | --delete-zero | --delete-goods | --undo\n"
    "                                   the editor's row buttons and undo\n"
    "\n"
    "DIR is the program folder (default: the folder of this program).\n"
    "Messages go to standard error. Exit status: 0 done, 1 usage, 2 refused or not everything\n"
    "written (the output, the card's read store, the export's settings); a run that wrote some\n"
    "of them ends by naming the files it wrote and those it did not.\n"
    "\n"
    "A transit history is compared with the previous reads of its card (kept in DIR): the\n"
    "transactions booked then are left out; journal prints \"matched: K\" and, when the reads do\n"
    "not meet, \"gap: FROM TO\"; for a history older than the store, \"older: NEWEST STORED\" (its\n"
    "newest date and the store's). --no-match (journal, export, report) books every transaction.\n";

QtMessageHandler qtMessageHandler = nullptr;

// Qt warns on standard error, before the command has said anything, when it
// finds no runtime folder of a desktop login (a server, a scheduled job, root
// without a session): the report needs none. Every other message goes on.
void withoutRuntimeFolderWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.startsWith(QLatin1String("QStandardPaths: ")) &&
        (text.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
         text.contains(QLatin1String("runtime directory"))))
        return;
    qtMessageHandler(type, context, text);
}

// What the command printed must have reached standard output whole (a full
// disk, a closed output): otherwise the run failed, whatever it did besides.
int finishStandardOutput(int status)
{
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout))
        return status;
    const QString reason = error != 0 ? common::osReasonForUser(QString::fromLocal8Bit(std::strerror(error)))
                                      : QStringLiteral("書き込みに失敗しました．");
    std::fputs(
        (QStringLiteral("標準出力に書き込めません．\n") + reason + QLatin1Char('\n')).toUtf8().constData(),
        stderr);
    return 2;
}

} // namespace

const char *usageText()
{
    return kUsageText;
}

int usageError(const QString &command, const QString &problem)
{
    const QString text =
        (command.isEmpty() ? QStringLiteral("mokpe: ") : QStringLiteral("mokpe %1: ").arg(command)) +
        problem + QStringLiteral("\nTry 'mokpe --help' for more information.\n");
    std::fputs(text.toUtf8().constData(), stderr);
    return 1;
}

void printLine(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

OptionSpec dirOption()
{
    return {QStringLiteral("--dir")};
}

bool readDirOption(const CommandLine &line, QString &dir, QString &problem)
{
    const std::optional<QString> given = line.value(QStringLiteral("--dir"));
    if (!given) {
        dir = QCoreApplication::applicationDirPath();
        return true;
    }
    // An empty name would quietly mean the current folder.
    if (given->isEmpty()) {
        problem = QStringLiteral("--dir needs a folder name");
        return false;
    }
    dir = *given;
    return true;
}

QString parseFolderCommand(CommandLine &line, const QStringList &args, QString &dir)
{
    if (!line.parse(args))
        return line.problem();
    QString problem;
    if (readDirOption(line, dir, problem))
        problem = positionalProblem(line.positionalArguments(), 0);
    return problem;
}

bool programFolderCheck(const QString &dir, platform::MessageService &messages)
{
    const QFileInfo folder(dir);
    if (folder.isDir())
        return true;
    messages.inform(
        QStringLiteral("プログラムのフォルダー「%1」がありません．%2")
            .arg(QDir::toNativeSeparators(dir),
                 folder.exists() ? QStringLiteral("\r\n同じ名前のファイルがあります．") : QString()));
    return false;
}

} // namespace mokpe::cli

int main(int argc, char *argv[])
{
    mokpe::cli::prepareStandardStreams();
    mokpe::common::ignoreFileSizeSignal();
    mokpe::cli::qtMessageHandler = qInstallMessageHandler(mokpe::cli::withoutRuntimeFolderWarnings);
    // The report measures and draws text, which takes a GUI application; it
    // runs without a display (on Linux the offscreen platform). Every other command
    // stays a console application.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        // Windows' own platform needs no display, and the offscreen one has no fonts there.
#ifndef Q_OS_WIN
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    using namespace mokpe::cli;
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usageError({}, QStringLiteral("no command given"));
    const QString command = args.takeFirst();
    int status = 1;
    if (command == QLatin1String("--help") || command == QLatin1String("--version")) {
        if (!args.isEmpty())
            return usageError({}, QStringLiteral("%1 takes no arguments").arg(command));
        if (command == QLatin1String("--help"))
            std::fputs(kUsageText, stdout);
        else
            printLine(mokpe::kVersionText);
        status = 0;
    } else if (command == QLatin1String("read")) {
        status = runRead(args);
    } else if (command == QLatin1String("settings")) {
        status = runSettings(args);
    } else if (command == QLatin1String("accounts")) {
        status = runAccounts(args);
    } else if (command == QLatin1String("users")) {
        status = runUsers(args);
    } else if (command == QLatin1String("journal")) {
        status = runJournal(args);
    } else if (command == QLatin1String("export")) {
        status = runExport(args);
    } else if (command == QLatin1String("report")) {
        status = runReport(args);
    } else {
        status = usageError({}, QStringLiteral("unknown command %1").arg(command));
    }
    return finishStandardOutput(status);
}
