// What the command says of a limit or a permission only POSIX systems set
// this way: a file-size limit with its signal, a file the user may not write,
// a file of the program folder the user may not read.
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/program_folder_copy.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace mokpe::cli {
namespace {

using test::fileBytes;
using test::writeBytes;

const QString kProgramData = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program");
const QString kHistory = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/transit/history.csv");
const QStringList kSettle{QStringLiteral("--settle"), QStringLiteral("220"), QStringLiteral("--no-match")};

struct ProgramFolder : test::ProgramFolderCopy {
    ProgramFolder() : ProgramFolderCopy(kProgramData) {}
};

// A file-size limit (ulimit -f, prlimit --fsize) with the signal it sends at
// its default: the write that passes the limit fails and is told like a full
// disk, instead of the signal ending the program without a word.
TEST(MessagesCommand, AFileSizeLimitIsToldLikeAFullDisk)
{
    ProgramFolder program;
    const QString out = program.file(QStringLiteral("journal.csv"));
    writeBytes(out, "old\r\n");
    const test::CliRun run =
        test::runMokpeWith(QStringList{QStringLiteral("journal"), kHistory, QStringLiteral("--dir"),
                                       program.path(), QStringLiteral("-o"), out} +
                               kSettle,
                           [] {
                               ::signal(SIGXFSZ, SIG_DFL);
                               rlimit limit{};
                               ::getrlimit(RLIMIT_FSIZE, &limit);
                               limit.rlim_cur = 256;
                               ::setrlimit(RLIMIT_FSIZE, &limit);
                           });
    EXPECT_EQ(run.exitCode, 2) << "ended by a signal when -1";
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("ファイル「%1」に書き込めません．\nファイルが大きすぎます．").arg(out)))
        << run.err.toStdString();
    EXPECT_EQ(fileBytes(out), QByteArray("old\r\n"));
}

// An existing output its permissions keep from being written: the reason in
// Japanese, not Qt's "Existing file … is not writable". Root may write any
// file, so the command runs as nobody there.
TEST(MessagesCommand, AReadOnlyOutputIsToldInJapanese)
{
    ProgramFolder program;
    const QString out = program.file(QStringLiteral("journal.csv"));
    writeBytes(out, "old\r\n");
    const bool root = ::geteuid() == 0;
    // The folders and the program's files readable and writable by nobody, the output not.
    if (root)
        program.shareWithEveryone();
    ASSERT_TRUE(
        QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    const test::CliRun run =
        test::runMokpeWith(QStringList{QStringLiteral("journal"), kHistory, QStringLiteral("--dir"),
                                       program.path(), QStringLiteral("-o"), out} +
                               kSettle,
                           [root] {
                               if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                                   ::_exit(99);
                           });
    EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
    EXPECT_EQ(run.err, QStringLiteral("ファイル「%1」に書き込めません．\n"
                                      "書き込みが許可されていないファイルです(読み取り専用)．\n")
                           .arg(out));
    EXPECT_EQ(fileBytes(out), QByteArray("old\r\n"));
}

// Printed into a full or closed standard output, a command's output is lost:
// told, with status 2, never as done.
TEST(MessagesCommand, AnOutputThatCannotBeWrittenIsAFailure)
{
    ProgramFolder program;
    const QString dir = program.path();
    const QList<QStringList> commands{
        {QStringLiteral("journal"), kHistory, QStringLiteral("--dir"), dir, QStringLiteral("--no-match")},
        {QStringLiteral("read"), kHistory},
        {QStringLiteral("settings"), QStringLiteral("--dir"), dir},
        {QStringLiteral("users"), QStringLiteral("--dir"), dir},
        {QStringLiteral("accounts"), QStringLiteral("--dir"), dir},
    };
    const struct {
        const char *name;
        void (*inChild)();
    } outputs[] = {
        {"full", [] { ::dup2(::open("/dev/full", O_WRONLY), 1); }},
        {"closed", [] { ::close(1); }},
    };
    for (const auto &output : outputs) {
        for (const QStringList &command : commands) {
            SCOPED_TRACE(output.name + (QLatin1Char(' ') + command.first()).toStdString());
            const test::CliRun run = test::runMokpeWith(command, output.inChild);
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_TRUE(run.err.startsWith(QStringLiteral("標準出力に書き込めません．\n")))
                << run.err.toStdString();
        }
    }
}

// A file of the program folder the user may not read is told by name, and
// left where it is: neither set aside as damaged nor replaced (by a new read
// store, by a default account set). Root reads any file, so the command runs
// as nobody there.
TEST(MessagesCommand, AFileThatMayNotBeReadIsToldAndLeftAlone)
{
    const struct {
        const char *file;
        QStringList command;
    } cases[] = {
        {"kamoku_code.csv", {QStringLiteral("journal"), kHistory}},
        {"kamoku_code.csv", {QStringLiteral("accounts"), QStringLiteral("--load"), QStringLiteral("w")}},
        {"user_reads__5c71_7530_0020_592a_90ce.csv",
         {QStringLiteral("journal"), kHistory, QStringLiteral("--user"), QStringLiteral("1")}},
        {"inifile.ini", {QStringLiteral("settings")}},
        {"person.csv", {QStringLiteral("users")}},
    };
    const bool root = ::geteuid() == 0;
    for (const auto &c : cases) {
        ProgramFolder program;
        const QString file = program.file(QLatin1String(c.file));
        writeBytes(file, "kept\r\n");
        if (root)
            program.shareWithEveryone();
        ASSERT_TRUE(QFile::setPermissions(file, {}));
        QStringList arguments = c.command + QStringList{QStringLiteral("--dir"), program.path()};
        if (c.command.first() == QLatin1String("journal"))
            arguments +=
                QStringList{QStringLiteral("-o"), program.file(QStringLiteral("journal.csv"))} + kSettle;
        const test::CliRun run = test::runMokpeWith(arguments, [root] {
            if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(99);
        });
        EXPECT_EQ(run.exitCode, 2) << c.file << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(
            QStringLiteral("ファイル「%1」を開けません．\nアクセスが許可されていません．").arg(file)))
            << run.err.toStdString();
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(fileBytes(file), QByteArray("kept\r\n")) << c.file;
        EXPECT_EQ(QDir(program.path()).entryList({QStringLiteral("*.bad-*")}), QStringList()) << c.file;
    }
}

} // namespace
} // namespace mokpe::cli
