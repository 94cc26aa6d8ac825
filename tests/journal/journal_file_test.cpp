#include "journal/journal_file.h"

#include "support/file_helpers.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

using test::cp932;

const QString kHeadingLine = QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要");

JournalGrid loaded(const QStringList &lines, const QString &prefix = QString())
{
    CardHistory history;
    history.cardKind = JournalFile;
    history.lines = lines + QStringList{QString()};
    history.lastLineIndex = static_cast<int>(lines.size()) - 1;
    JournalGrid grid;
    grid.setColour(2, DebitAmountColumn, CellColour::Balance);
    Fm2_JournalLoad(grid, history, prefix);
    return grid;
}

QByteArray written(const JournalGrid &grid, QString &error)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    error = writeJournalFile(buffer, grid, QStringLiteral("j.csv"));
    return buffer.data();
}

TEST(JournalFile, LoadSplitsSixFieldsAndPrefixesTheRest)
{
    const JournalGrid grid =
        loaded({kHeadingLine, "1,2008/07/19,旅費交通,160,電子マネー,160,喫茶, 打合せ,３名",
                "2,2008/07/20,現金", QString()},
               QStringLiteral("No.1: 山田，"));
    EXPECT_EQ(grid.journalRowCount(), 3);
    EXPECT_EQ(journalFileLine(grid, 0), kHeadingLine.chopped(2) + QStringLiteral("No.1: 山田，摘要"));
    EXPECT_EQ(journalFileLine(grid, 1),
              QStringLiteral("1,2008/07/19,旅費交通,160,電子マネー,160,No.1: 山田，喫茶, 打合せ,３名"));
    // A short line fills what it has.
    EXPECT_EQ(journalFileLine(grid, 2), QStringLiteral("2,2008/07/20,現金,,,,"));
    EXPECT_EQ(grid.rowTexts(3), RowTexts{});
    EXPECT_EQ(grid.colour(2, DebitAmountColumn), CellColour::White);
    EXPECT_EQ(grid.current(), (CellPosition{1, 1}));
}

// A summary saved with a user's tag is loaded as it stands, whoever is chosen
// now; any other summary, and the heading, get the chosen user's tag.
TEST(JournalFile, LoadTagsASummaryOnce)
{
    const struct {
        const char *saved;
        const char *loaded;
    } cases[] = {
        {"No.1: 山田太郎，新宿 出 渋谷", "No.1: 山田太郎，新宿 出 渋谷"},
        {"No.1: 山田太郎，摘要", "No.1: 山田太郎，摘要"},
        {"No.12: ，物販", "No.12: ，物販"},
        {"摘要", "No.2: 佐藤，摘要"},
        {"新宿 出 渋谷", "No.2: 佐藤，新宿 出 渋谷"},
        // Not a tag: no number, no ": " after it, or no "，" to end it.
        {"No.: 山田，新宿", "No.2: 佐藤，No.: 山田，新宿"},
        {"No.1:山田，新宿", "No.2: 佐藤，No.1:山田，新宿"},
        {"No.1: 山田 新宿", "No.2: 佐藤，No.1: 山田 新宿"},
        {"", "No.2: 佐藤，"},
    };
    for (const auto &c : cases) {
        const JournalGrid grid =
            loaded({QStringLiteral("1,2008/07/19,旅費交通,160,電子マネー,160,") + QString::fromUtf8(c.saved)},
                   QStringLiteral("No.2: 佐藤，"));
        EXPECT_EQ(grid.text(0, SummaryColumn), QString::fromUtf8(c.loaded)) << c.saved;
    }
}

TEST(JournalFile, LongFileComesBackByteForByte)
{
    QStringList lines{kHeadingLine};
    for (int r = 1; r <= 2345; ++r)
        lines.append(QStringLiteral("%1,2008/07/19,旅費交通,%1,電子マネー,%1,ｺﾝﾋﾞﾆ, 弁当").arg(r));
    const JournalGrid grid = loaded(lines);
    EXPECT_EQ(grid.rowTotal(), 2346);
    QString error;
    EXPECT_EQ(written(grid, error), cp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    EXPECT_EQ(error, QString());
}

TEST(JournalFile, CommaBeforeTheSummaryIsNamed)
{
    const JournalGrid base = loaded({kHeadingLine, "1,2008/07/19,a,1,b,1,s", "2,2008/07/20,a,2,b,2,s"});
    const QString refusal =
        QStringLiteral("No. %1 行目 : 「%2」欄に「,」があるため保存できません．「,」を取り除いて下さい．");
    struct Case {
        int row;
        int column;
        QString message;
    };
    const Case cases[] = {
        {2, DebitAccountColumn, refusal.arg(2).arg(QStringLiteral("借方科目"))},
        {1, CreditAmountColumn, refusal.arg(1).arg(QStringLiteral("貸方金額"))},
        {1, NumberColumn, refusal.arg(1).arg(QStringLiteral("No."))},
        // The summary is the last field; rows past the journal are not saved.
        {1, SummaryColumn, QString()},
        {3, DateColumn, QString()},
    };
    for (const Case &c : cases) {
        JournalGrid grid = base;
        grid.setText(c.row, c.column, QStringLiteral("1,000"));
        EXPECT_EQ(journalCommaCheck(grid), c.message) << c.row << ":" << c.column;
    }
}

TEST(JournalFile, FailuresAreToldAndNothingWritten)
{
    JournalGrid grid = loaded({kHeadingLine, "1,2008/07/19,a,1,b,1,s", "2,2008/07/20,a,2,b,2,s"});
    grid.setText(2, SummaryColumn, QStringLiteral("a,b,caf\u00E9"));
    QString error;
    EXPECT_EQ(written(grid, error), QByteArray());
    EXPECT_EQ(error, QStringLiteral("No. 2 行目 : 「摘要」欄の文字「é」(U+00E9)は，"
                                    "Shift_JIS(CP932)で保存できないため，保存を中止しました．"));
    grid.setText(2, SummaryColumn, QString());
    grid.setText(1, CreditAccountColumn, QStringLiteral("\U0001F600"));
    written(grid, error);
    EXPECT_TRUE(error.startsWith(QStringLiteral("No. 1 行目 : 「貸方科目」欄の文字"))) << error.toStdString();

    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    grid.setText(1, CreditAccountColumn, QString());
    EXPECT_TRUE(writeJournalFile(readOnly, grid, QStringLiteral("j.csv"))
                    .startsWith(QStringLiteral("ファイル「j.csv」に書き込めません．\r\n")));
}

} // namespace
} // namespace mokpe::journal
