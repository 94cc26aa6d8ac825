#include "common/regular_file.h"

#include "support/file_helpers.h"
#include "support/file_kinds.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace mokpe::common {
namespace {

using test::writeBytes;

const QString kFolder = QStringLiteral("ファイル「%1」を開けません．\r\nファイルではなく，フォルダーです．");
const QString kSpecial = QStringLiteral(
    "ファイル「%1」を開けません．\r\n通常のファイルではありません(パイプやデバイスは読み込めません)．");
const QString kMissing =
    QStringLiteral("ファイル「%1」を開けません．\r\nファイルまたはフォルダーがありません．");
const QString kTooLarge =
    QStringLiteral("ファイル「%1」は大きすぎるため，読み込めません．\r\n読み込めるのは%2までです．");

// Makes the thing to read inside `folder` and returns its path.
using Maker = std::function<QString(const QDir &folder)>;

// The system a case needs, where a means of the other has no counterpart.
enum class Only { Both, Linux, Windows };

struct ReadCase {
    const char *name;
    Maker make;
    qint64 limit;
    // What is read, or the message (%1 the path, %2 the limit's text).
    QByteArray bytes;
    QString error;
    QString limitText = {};
    Only only = Only::Both;
    const char *why = "";
};

void PrintTo(const ReadCase &c, std::ostream *os)
{
    *os << c.name;
}

Maker fileOf(const QByteArray &bytes)
{
    return [bytes](const QDir &folder) {
        QString path = folder.filePath(QStringLiteral("f.csv"));
        writeBytes(path, bytes);
        return path;
    };
}

QString pipeIn(const QDir &folder)
{
    return test::makePipe(folder.filePath(QStringLiteral("pipe.csv")));
}

QString linkTo(const QDir &folder, const QString &target)
{
    QString link = folder.filePath(QStringLiteral("link.csv"));
    if (!QFile::link(target, link))
        ADD_FAILURE() << "symlink";
    return link;
}

class ReadRegularFileTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadRegularFileTest, ReadsOnlyOrdinaryFilesUpToTheLimit)
{
    const ReadCase &c = GetParam();
#ifdef Q_OS_WIN
    if (c.only == Only::Linux)
#else
    if (c.only == Only::Windows)
#endif
        GTEST_SKIP() << c.why;
    test::TempFolder folder;
    const QString path = c.make(QDir(folder.path()));
    const RegularFileRead read = readRegularFile(path, c.limit);
    // Only a file that was there and could be opened is told as damaged.
    EXPECT_EQ(read.failure, c.error.isEmpty()      ? ReadFailure::None
                            : c.error == kTooLarge ? ReadFailure::Damaged
                            : c.error == kMissing  ? ReadFailure::Missing
                                                   : ReadFailure::Unreadable);
    if (c.error.isEmpty()) {
        EXPECT_TRUE(read.ok) << read.error.toStdString();
        EXPECT_EQ(read.bytes, c.bytes);
        EXPECT_EQ(read.error, QString());
    } else {
        EXPECT_FALSE(read.ok);
        EXPECT_TRUE(read.bytes.isEmpty());
        EXPECT_EQ(read.error, c.error.arg(QDir::toNativeSeparators(path), c.limitText));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ReadRegularFileTest,
    ::testing::Values(
        ReadCase{"OrdinaryFile", fileOf("a\r\nb\r\n"), 100, "a\r\nb\r\n", {}},
        ReadCase{"EmptyFile", fileOf({}), 100, {}, {}},
        ReadCase{"ExactlyTheLimit", fileOf("0123456789"), 10, "0123456789", {}},
        ReadCase{"OneByteOverTheLimit", fileOf("0123456789X"), 10, {}, kTooLarge, QStringLiteral("10バイト")},
        // Measured, not read: a sparse file costs nothing to make.
        ReadCase{"SparseFileOverTheLimit",
                 [](const QDir &folder) {
                     QString path = folder.filePath(QStringLiteral("big.csv"));
                     QFile file(path);
                     if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64{3} * 1024 * 1024))
                         ADD_FAILURE() << "sparse file";
                     return path;
                 },
                 qint64{2} * 1024 * 1024,
                 {},
                 kTooLarge,
                 QStringLiteral("2MB")},
        ReadCase{"Folder", [](const QDir &folder) { return folder.path(); }, 100, {}, kFolder},
        // Opening a pipe for reading would wait for a writer: the test would hang.
        ReadCase{"Fifo", pipeIn, 100, {}, kSpecial},
        ReadCase{"LinkToAFifo",
                 [](const QDir &folder) { return linkTo(folder, pipeIn(folder)); },
                 100,
                 {},
                 kSpecial,
                 {},
                 Only::Linux,
                 "Windows keeps pipes out of folders"},
        ReadCase{"LinkToAFile",
                 [](const QDir &folder) { return linkTo(folder, fileOf("x\r\n")(folder)); },
                 100,
                 "x\r\n",
                 {},
                 {},
                 Only::Linux,
                 "QFile::link makes a shell shortcut on Windows, which is an ordinary file"},
        // Endless: reading it would fill the memory.
        ReadCase{"CharacterDevice", [](const QDir &) { return test::endlessDevice(); }, 100, {}, kSpecial},
        // Reserved names stand for devices in every folder on Windows;
        // elsewhere they are ordinary names.
        ReadCase{"NulDevice",
                 [](const QDir &) { return QStringLiteral("NUL"); },
                 100,
                 {},
                 kSpecial,
                 {},
                 Only::Windows,
                 "a reserved device name is an ordinary file name here"},
        ReadCase{"SerialPortInAFolder",
                 [](const QDir &folder) { return folder.filePath(QStringLiteral("com1.csv")); },
                 100,
                 {},
                 kSpecial,
                 {},
                 Only::Windows,
                 "a reserved device name is an ordinary file name here"},
        ReadCase{"Missing",
                 [](const QDir &folder) { return folder.filePath(QStringLiteral("none.csv")); },
                 100,
                 {},
                 kMissing},
        // An ordinary file whose size says 0 but which has bytes: the limit
        // holds for what is read, not only for what the size said.
        ReadCase{"MoreBytesThanItsSizeSays",
                 [](const QDir &) { return QStringLiteral("/proc/self/status"); },
                 16,
                 {},
                 kTooLarge,
                 QStringLiteral("16バイト"),
                 Only::Linux,
                 "no /proc on Windows"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ReadRegularFile, ReadsPastASizeOfZero)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "no /proc on Windows";
#endif
    const RegularFileRead read = readRegularFile(QStringLiteral("/proc/self/status"), qint64{1024} * 1024);
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    EXPECT_TRUE(read.bytes.startsWith("Name:")) << read.bytes.left(40).toStdString();
}

} // namespace
} // namespace mokpe::common
