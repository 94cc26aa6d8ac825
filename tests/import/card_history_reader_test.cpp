#include "import/card_history_reader.h"

#include "import/import_messages.h"
#include "support/file_helpers.h"
#include "support/file_kinds.h"
#include "support/scripted_services.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace mokpe::import {
namespace {

using test::cp932;
using test::writeBytes;

struct KindCase {
    const char *name;
    QStringList lines;
    std::optional<int> kind;
};

void PrintTo(const KindCase &c, std::ostream *os)
{
    *os << c.name;
}

class RecognizeCardKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(RecognizeCardKindTest, FirstMatchingLineAndKeywordDecide)
{
    const KindCase &c = GetParam();
    EXPECT_EQ(recognizeCardKind(c.lines, static_cast<int>(c.lines.size()) - 1), c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, RecognizeCardKindTest,
    ::testing::Values(
        KindCase{"Transit", {QStringLiteral("利用年月日,種別,残額")}, 0},
        KindCase{"Edy", {QStringLiteral("Edy番号 1234")}, 1},
        KindCase{"Journal", {QStringLiteral("No.,日付,借方科目")}, 2},
        KindCase{"MoneyByItem", {QStringLiteral("費目別取引 - 2026/01/01")}, 3},
        KindCase{"MoneyByPayee", {QStringLiteral("支払先/支払元別取引")}, 3},
        // Within a line the order is 0, 1, 2, 3.
        KindCase{"EdyBeforeNo", {QStringLiteral("No. Edy")}, 1},
        KindCase{"TransitBeforeAll", {QStringLiteral("No. Edy 費目別取引 利用年月日")}, 0},
        KindCase{"NoBeforeMoney", {QStringLiteral("費目別取引 No.")}, 2},
        // Earlier lines win over the order within a line.
        KindCase{"EarlierLineWins", {QStringLiteral("No."), QStringLiteral("利用年月日")}, 2},
        KindCase{"KeywordOnLine3", {"a", "b", "c", QStringLiteral("Edy")}, 1},
        KindCase{"KeywordOnLine4Only", {"a", "b", "c", "d", QStringLiteral("利用年月日")}, std::nullopt},
        KindCase{"CaseSensitive", {QStringLiteral("EDY edy no. NO.")}, std::nullopt},
        // "No" without its full stop, the full-width "Ｎｏ．" and a half of the
        // payee keyword are not keywords.
        KindCase{"NearMisses", {QStringLiteral("No Ｎｏ． 支払先 利用年月")}, std::nullopt},
        KindCase{"BlankLines", {"", "", ""}, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RecognizeCardKind, NeverLooksPastTheLastLineIndex)
{
    const QStringList lines{QStringLiteral("x"), QStringLiteral("利用年月日")};
    EXPECT_EQ(recognizeCardKind(lines, 0), std::nullopt);
    EXPECT_EQ(recognizeCardKind(lines, 1), 0);
    EXPECT_EQ(recognizeCardKind(lines, -1), std::nullopt);
    EXPECT_EQ(recognizeCardKind({}, 5), std::nullopt);
}

struct CsvFileReadTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedMessages messages;
    QString file(const QByteArray &bytes, const QString &name = QStringLiteral("card.csv"))
    {
        QString path = folder.file(name);
        writeBytes(path, bytes);
        return path;
    }
};

TEST_F(CsvFileReadTest, TransitHistoryIsReadWithAFinalEmptyElement)
{
    const QString path = file(cp932(QStringLiteral("利用年月日,種別,利用駅,,,,,残額,メモ\r\n"
                                                   "2026/11/05,ﾊﾞｽ等,ﾊﾞｽ,東京都交通局,,,,1234,\r\n"
                                                   "2026/11/04,現金,ﾁｬｰｼﾞ,,,,,1444,\r\n")));
    state.history.cardKind = Edy;
    EXPECT_EQ(Fm1_CsvFileRead(state, path, messages), CsvReadOutcome::Accepted);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.history.cardKind, TransitCard);
    EXPECT_EQ(state.history.lastLineIndex, 2);
    EXPECT_EQ(state.history.lines,
              (QStringList{QStringLiteral("利用年月日,種別,利用駅,,,,,残額,メモ"),
                           QStringLiteral("2026/11/05,ﾊﾞｽ等,ﾊﾞｽ,東京都交通局,,,,1234,"),
                           QStringLiteral("2026/11/04,現金,ﾁｬｰｼﾞ,,,,,1444,"), QString()}));
}

TEST_F(CsvFileReadTest, EdyYenSignIsTheBackslashByte)
{
    // 0x5C is the yen sign of the Japanese code page; it reads as "\".
    const QString path = file(QByteArray("Edy\r\n2026/11/05 12:00 \\1,000\r\n"));
    EXPECT_EQ(Fm1_CsvFileRead(state, path, messages), CsvReadOutcome::Accepted);
    EXPECT_EQ(state.history.cardKind, Edy);
    EXPECT_EQ(state.history.lines.at(1), QStringLiteral("2026/11/05 12:00 \\1,000"));
}

TEST_F(CsvFileReadTest, HeaderOnlyFileIsAcceptedWithLastLineIndexZero)
{
    const QString path = file(cp932(QStringLiteral("利用年月日,種別\r\n")));
    EXPECT_EQ(Fm1_CsvFileRead(state, path, messages), CsvReadOutcome::Accepted);
    EXPECT_EQ(state.history.lastLineIndex, 0);
    EXPECT_EQ(state.history.lines, (QStringList{QStringLiteral("利用年月日,種別"), QString()}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CsvFileReadTest, EmptyFileGivesTheFirstMessage)
{
    state.history.cardKind = MoneyReport;
    EXPECT_NE(Fm1_CsvFileRead(state, file({}), messages), CsvReadOutcome::Accepted);
    EXPECT_EQ(messages.texts(), QStringList{kEmptyFileMessage});
    EXPECT_EQ(messages.texts().first(),
              QStringLiteral("このファイルは，読み込み可能なＣＳＶファイルではありません．"));
    EXPECT_EQ(state.history.lastLineIndex, -1);
    EXPECT_EQ(state.history.lines, QStringList{QString()});
    EXPECT_EQ(state.history.cardKind, MoneyReport);
}

TEST_F(CsvFileReadTest, BlankLinesAreReadThenRejected)
{
    state.history.cardKind = Edy;
    EXPECT_NE(Fm1_CsvFileRead(state, file("\r\n\r\n\r\n"), messages), CsvReadOutcome::Accepted);
    EXPECT_EQ(messages.texts(), QStringList{kUnrecognisedFileMessage});
    EXPECT_EQ(messages.texts().first(), QStringLiteral("このファイルは，Siuca／Edyまたは，\r\n"
                                                       "読み込み可能なＣＳＶファイルではありません．"));
    EXPECT_EQ(state.history.lastLineIndex, 2);
    EXPECT_EQ(state.history.lines, (QStringList{"", "", "", ""}));
    EXPECT_EQ(state.history.cardKind, Edy);
}

TEST_F(CsvFileReadTest, RejectedFileKeepsTheCardKindButReplacesTheLines)
{
    ASSERT_EQ(Fm1_CsvFileRead(state, file(QByteArray("No.,a\r\nrow\r\n"), "a.csv"), messages),
              CsvReadOutcome::Accepted);
    ASSERT_EQ(state.history.cardKind, JournalFile);
    const QString rejected = file(QByteArray("a\r\nb\r\nc\r\nd\r\nEdy\r\n"), "b.csv");
    EXPECT_NE(Fm1_CsvFileRead(state, rejected, messages), CsvReadOutcome::Accepted);
    EXPECT_EQ(messages.texts(), QStringList{kUnrecognisedFileMessage});
    EXPECT_EQ(state.history.cardKind, JournalFile);
    EXPECT_EQ(state.history.lastLineIndex, 4);
    EXPECT_EQ(state.history.lines, (QStringList{"a", "b", "c", "d", "Edy", ""}));
}

TEST_F(CsvFileReadTest, UnreadableFileLeavesTheHistoryAsItWas)
{
    ASSERT_EQ(Fm1_CsvFileRead(state, file(QByteArray("Edy\r\nline\r\n")), messages),
              CsvReadOutcome::Accepted);
    const CardHistory before = state.history;

    // A missing file, and a file with bytes that are no CP932 on its third line.
    const QString missing = folder.file(QStringLiteral("missing.csv"));
    const QString broken = file(QByteArray("No.\r\nok\r\n\x81\x20\r\n"), QStringLiteral("broken.csv"));
    for (const QString &path : {missing, broken}) {
        messages.shown.clear();
        EXPECT_EQ(Fm1_CsvFileRead(state, path, messages), CsvReadOutcome::Unreadable);
        EXPECT_EQ(state.history.lines, before.lines);
        EXPECT_EQ(state.history.lastLineIndex, before.lastLineIndex);
        EXPECT_EQ(state.history.cardKind, before.cardKind);
        ASSERT_EQ(messages.shown.size(), 1u);
    }
    EXPECT_EQ(messages.texts().first(),
              QStringLiteral("ファイル「%1」の3行目に，読み込めない文字があります．")
                  .arg(QDir::toNativeSeparators(broken)));
    messages.shown.clear();
    EXPECT_NE(Fm1_CsvFileRead(state, missing, messages), CsvReadOutcome::Accepted);
    EXPECT_TRUE(messages.texts().first().startsWith(
        QStringLiteral("ファイル「%1」を開けません．\r\n").arg(QDir::toNativeSeparators(missing))));
}

TEST_F(CsvFileReadTest, OnlyOrdinaryFilesOfAHistorysSizeAreRead)
{
    ASSERT_EQ(Fm1_CsvFileRead(state, file(QByteArray("Edy\r\nline\r\n")), messages),
              CsvReadOutcome::Accepted);
    const QStringList before = state.history.lines;
    const QString pipe = test::makePipe(folder.file(QStringLiteral("pipe.csv")));
    // One byte more than a history may have, sparse: nothing of it is read.
    const QString huge = folder.file(QStringLiteral("huge.csv"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(kMaxCardHistoryBytes + 1));
    }
    const QString opening = QStringLiteral("ファイル「%1」を開けません．\r\n");
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {folder.path(), opening + QStringLiteral("ファイルではなく，フォルダーです．")},
        {pipe, opening + QStringLiteral("通常のファイルではありません(パイプやデバイスは読み込めません)．")},
        {test::endlessDevice(),
         opening + QStringLiteral("通常のファイルではありません(パイプやデバイスは読み込めません)．")},
        {huge,
         QStringLiteral("ファイル「%1」は大きすぎるため，読み込めません．\r\n読み込めるのは128MBまでです．")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        messages.shown.clear();
        EXPECT_EQ(Fm1_CsvFileRead(state, c.path, messages), CsvReadOutcome::Unreadable);
        EXPECT_EQ(messages.texts(), QStringList{c.message.arg(QDir::toNativeSeparators(c.path))});
        EXPECT_EQ(state.history.lines, before);
    }
}

TEST_F(CsvFileReadTest, Utf8FilesAreRead)
{
    const QByteArray text = QStringLiteral("利用年月日,種別\r\n2026/11/05,ﾊﾞｽ等,,,,,,980,\r\n").toUtf8();
    for (const QByteArray &bytes : {text, QByteArray("\xEF\xBB\xBF") + text}) {
        EXPECT_EQ(Fm1_CsvFileRead(state, file(bytes), messages), CsvReadOutcome::Accepted);
        EXPECT_EQ(state.history.lines,
                  (QStringList{QStringLiteral("利用年月日,種別"),
                               QStringLiteral("2026/11/05,ﾊﾞｽ等,,,,,,980,"), QString()}));
        EXPECT_EQ(state.history.cardKind, TransitCard);
    }
}

TEST_F(CsvFileReadTest, LastLineWithoutLineEndAndMixedLineEndsAreLines)
{
    EXPECT_EQ(Fm1_CsvFileRead(state, file(QByteArray("x\ny\rEdy\r\nlast")), messages),
              CsvReadOutcome::Accepted);
    EXPECT_EQ(state.history.lines, (QStringList{"x", "y", "Edy", "last", ""}));
    EXPECT_EQ(state.history.lastLineIndex, 3);
    EXPECT_EQ(state.history.cardKind, Edy);
}

TEST_F(CsvFileReadTest, LongFilesAreReadWhole)
{
    QByteArray bytes = cp932(QStringLiteral("利用年月日\r\n"));
    for (int i = 0; i < 40000; ++i)
        bytes += "2026/11/05,x,,,,,," + QByteArray::number(i) + ",\r\n";
    EXPECT_EQ(Fm1_CsvFileRead(state, file(bytes), messages), CsvReadOutcome::Accepted);
    EXPECT_EQ(state.history.lastLineIndex, 40000);
    EXPECT_EQ(state.history.lines.size(), 40002);
    EXPECT_EQ(state.history.lines.at(40000), QStringLiteral("2026/11/05,x,,,,,,39999,"));
}

} // namespace
} // namespace mokpe::import
