#include "journal/read_store.h"

#include "support/file_helpers.h"

#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QString kNewerHeader = QStringLiteral("利用年月日,定期,鉄道会社名,入場駅/事業者名,定期,鉄道会社名,"
                                            "出場駅/降車場所,利用額(円),残額(円),メモ");

CardHistory historyOf(const QStringList &lines)
{
    CardHistory history;
    history.lines = lines + QStringList{QString()};
    history.lastLineIndex = static_cast<int>(lines.size()) - 1;
    return history;
}

// Both layouts give the same transactions: description fields as written
// (missing ones empty), balance and remark without trailing spaces.
TEST(ReadStore, TransactionsOfBothLayouts)
{
    const struct {
        const char *name;
        QStringList lines;
        QString cardId;
        std::vector<ReadLine> expected;
    } cases[] = {
        {"Classic",
         {QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考"),
          QStringLiteral("2008/07/21,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000 ,窓口, 定期  "),
          QStringLiteral("2008/07/20,入,ＪＲ東"), QStringLiteral("以上")},
         QString(),
         {{"2008/07/21", "入,ＪＲ東,新宿,出,ＪＲ東,渋谷", "1000", "窓口, 定期"},
          {"2008/07/20", "入,ＪＲ東,,,,", "", ""}}},
        {"Newer",
         {QStringLiteral("カードID= JE80F1234567890A "), kNewerHeader,
          QStringLiteral("2024/05/02,,,ｺﾝﾋﾞﾆ,,,,-1000,2000,ﾁｬｰｼﾞ"),
          QStringLiteral("2024/05/01,,ＪＲ東,池袋,,ＪＲ東,新宿,200,1000,")},
         QStringLiteral("JE80F1234567890A"),
         {{"2024/05/02", ",,ｺﾝﾋﾞﾆ,,,", "2000", "ﾁｬｰｼﾞ"},
          {"2024/05/01", ",ＪＲ東,池袋,,ＪＲ東,新宿", "1000", ""}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CardHistory history = historyOf(c.lines);
        EXPECT_EQ(readLinesOf(history), c.expected);
        // Asked for fewer, the newest come first.
        EXPECT_EQ(readLinesOf(history, 1), std::vector<ReadLine>(c.expected.begin(), c.expected.begin() + 1));
        EXPECT_TRUE(readLinesOf(history, 0).empty());
        EXPECT_EQ(cardIdOf(history), c.cardId);
    }
}

// The store is itself a classic transit history, written whole or not at all,
// bounded to the newest thousand lines; it reads back as written.
TEST(ReadStore, SavedBytesReadBack)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("card_reads_X1.csv"));
    std::vector<ReadLine> lines{{"2024/05/02", ",,ｺﾝﾋﾞﾆ,,,", "2000", "ﾁｬｰｼﾞ, 店頭"}};
    for (int i = 0; i < kReadStoreLimit + 5; ++i)
        lines.push_back({"2024/05/01", "入,ＪＲ東,新宿,出,ＪＲ東,渋谷", QString::number(i), ""});
    ASSERT_EQ(saveReadStore(path, QStringLiteral("X1"), lines), QString());

    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.startsWith(
        cp932(QStringLiteral("カードID=X1\r\n"
                             "利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考\r\n"
                             "2024/05/02,,,ｺﾝﾋﾞﾆ,,,,2000,ﾁｬｰｼﾞ, 店頭\r\n"
                             "2024/05/01,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,0,\r\n"))));
    EXPECT_TRUE(bytes.endsWith(cp932(QStringLiteral(",998,\r\n"))));
    EXPECT_EQ(bytes.count("\r\n"), kReadStoreLimit + 2);

    const ReadStoreLoad load = loadReadStore(path, QStringLiteral("X1"));
    EXPECT_EQ(load.status, ReadStoreLoad::Status::Loaded);
    lines.resize(kReadStoreLimit);
    EXPECT_EQ(load.lines, lines);

    // A character the code page cannot hold is told, and the old store stays.
    lines[0].remark = QStringLiteral("€");
    EXPECT_TRUE(saveReadStore(path, QStringLiteral("X1"), lines).contains(QStringLiteral("3行目")));
    EXPECT_EQ(fileBytes(path), bytes);
}

TEST(ReadStore, DamagedStoreIsNotUsed)
{
    const QByteArray top = cp932(
        QStringLiteral("カードID=X1\r\n利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考\r\n"));
    const QByteArray line = cp932(QStringLiteral("2024/05/01,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,\r\n"));
    const struct {
        const char *name;
        QByteArray bytes;
        ReadStoreLoad::Status status;
        QString problem;
    } cases[] = {
        {"BlankLinesAtTheEnd", top + line + "\r\n\r\n", ReadStoreLoad::Status::Loaded, {}},
        {"OnlyTheHeading", top, ReadStoreLoad::Status::Loaded, {}},
        {"Empty",
         {},
         ReadStoreLoad::Status::Damaged,
         "先頭の２行が，このカードの読込み記録のものではありません．"},
        {"AnotherCard", cp932(QStringLiteral("カードID=X2\r\n")) + top.mid(top.indexOf('\n') + 1) + line,
         ReadStoreLoad::Status::Damaged, "先頭の２行が，このカードの読込み記録のものではありません．"},
        {"ShortLine", top + line + cp932(QStringLiteral("2024/04/30,入,ＪＲ東,1000\r\n")) + line,
         ReadStoreLoad::Status::Damaged, "4行目が取引の行ではありません．"},
        {"UndatedLine", top + "x,,,,,,,,\r\n", ReadStoreLoad::Status::Damaged,
         "3行目が取引の行ではありません．"},
        {"BlankLineInside", top + "\r\n" + line, ReadStoreLoad::Status::Damaged,
         "3行目が取引の行ではありません．"},
    };
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("store.csv"));
    EXPECT_EQ(loadReadStore(path, QStringLiteral("X1")).status, ReadStoreLoad::Status::Missing);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path, c.bytes);
        const ReadStoreLoad load = loadReadStore(path, QStringLiteral("X1"));
        EXPECT_EQ(load.status, c.status);
        EXPECT_EQ(load.problem, c.problem);
        EXPECT_EQ(load.lines.size(), c.status == ReadStoreLoad::Status::Loaded ? c.bytes.count(",1000,") : 0);
    }
    // Bytes that are no CP932 name the file and the line.
    writeBytes(path, top + "2024/05/01,\x81\x20\r\n");
    const ReadStoreLoad bad = loadReadStore(path, QStringLiteral("X1"));
    EXPECT_EQ(bad.status, ReadStoreLoad::Status::Damaged);
    EXPECT_TRUE(bad.problem.contains(QStringLiteral("3行目"))) << bad.problem.toStdString();
    // What cannot be read at all is no damaged store: it may be a good one.
    const QString folderInPlace = folder.file(QStringLiteral("folder.csv"));
    ASSERT_TRUE(QDir().mkdir(folderInPlace));
    EXPECT_EQ(loadReadStore(folderInPlace, QStringLiteral("X1")).status, ReadStoreLoad::Status::Unreadable);
}

} // namespace
} // namespace mokpe::journal
