#include "journal/journal_file.h"

#include "common/text_file.h"

#include "support/file_helpers.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

using test::cp932;

JournalGrid gridWithRows(const std::vector<RowTexts> &rows)
{
    JournalGrid grid;
    for (size_t i = 0; i < rows.size(); ++i)
        grid.setRowTexts(static_cast<int>(i) + 1, rows[i]);
    grid.setJournalRowCount(static_cast<int>(rows.size()));
    return grid;
}

CardHistory historyOf(const QByteArray &bytes)
{
    CardHistory history;
    history.cardKind = JournalFile;
    const common::TextReadResult decoded =
        common::decodeTextBytes(bytes, common::TextEncoding::Cp932, "j.csv");
    EXPECT_TRUE(decoded.ok);
    history.lines = decoded.lines;
    history.lastLineIndex = static_cast<int>(decoded.lines.size()) - 1;
    history.lines.append(QString());
    return history;
}

QByteArray written(const JournalGrid &grid, QString *error = nullptr)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString message = writeJournalFile(buffer, grid, QStringLiteral("j.csv"));
    if (error)
        *error = message;
    else
        EXPECT_EQ(message, QString());
    return buffer.data();
}

const std::vector<RowTexts> kThreeRows = {
    {"1", "2008/07/21", "旅費交通", "200", "電子マネー", "200", "ＪＲ東 新宿　"},
    {"2", "2008/07/20", "", "", "電子マネー", "", "ｺﾝﾋﾞﾆ, 弁当,お茶"},
    {"3", "2008/07/19", "電子マネー", "3000", "", "3000", ""},
};

TEST(JournalFile, HeadingsThenEveryJournalRowAsCp932Lines)
{
    JournalGrid grid = gridWithRows(kThreeRows);
    // Rows below the journal rows are not the journal's.
    grid.setText(4, DateColumn, QStringLiteral("2008/07/18"));
    EXPECT_EQ(written(grid), cp932(QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要\r\n"
                                                  "1,2008/07/21,旅費交通,200,電子マネー,200,ＪＲ東 新宿　\r\n"
                                                  "2,2008/07/20,,,電子マネー,,ｺﾝﾋﾞﾆ, 弁当,お茶\r\n"
                                                  "3,2008/07/19,電子マネー,3000,,3000,\r\n")));
    grid.setJournalRowCount(0);
    EXPECT_EQ(written(grid), cp932(QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要\r\n")));
}

TEST(JournalFile, ReloadAddsThePrefixAndSavesTheSameRows)
{
    const JournalGrid grid = gridWithRows(kThreeRows);
    const QByteArray first = written(grid);

    JournalGrid loaded;
    loaded.setColour(2, DebitAmountColumn, CellColour::Balance);
    Fm2_JournalLoad(loaded, historyOf(first), QStringLiteral("No.1: 山田，"));
    ASSERT_EQ(loaded.journalRowCount(), 3);
    EXPECT_EQ(loaded.text(0, SummaryColumn), QStringLiteral("No.1: 山田，摘要"));
    for (int r = 1; r <= 3; ++r) {
        for (int c = 0; c < SummaryColumn; ++c)
            EXPECT_EQ(loaded.text(r, c), kThreeRows[static_cast<size_t>(r - 1)][c]) << r << ":" << c;
        EXPECT_EQ(loaded.text(r, SummaryColumn),
                  QStringLiteral("No.1: 山田，") + kThreeRows[static_cast<size_t>(r - 1)][6]);
        for (int c = 0; c < kColumnCount; ++c)
            EXPECT_EQ(loaded.colour(r, c), CellColour::White);
    }
    EXPECT_EQ(loaded.current(), (CellPosition{1, 1}));

    // Saved again, only the prefixes differ; a second reload adds one more.
    EXPECT_EQ(written(loaded),
              cp932(QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,No.1: 山田，摘要\r\n"
                                   "1,2008/07/21,旅費交通,200,電子マネー,200,No.1: 山田，ＪＲ東 新宿　\r\n"
                                   "2,2008/07/20,,,電子マネー,,No.1: 山田，ｺﾝﾋﾞﾆ, 弁当,お茶\r\n"
                                   "3,2008/07/19,電子マネー,3000,,3000,No.1: 山田，\r\n")));
    JournalGrid again;
    Fm2_JournalLoad(again, historyOf(written(loaded)), QStringLiteral("No.1: 山田，"));
    EXPECT_EQ(again.text(2, SummaryColumn), QStringLiteral("No.1: 山田，No.1: 山田，ｺﾝﾋﾞﾆ, 弁当,お茶"));

    // Without a user the file comes back byte for byte.
    JournalGrid plain;
    Fm2_JournalLoad(plain, historyOf(first), QString());
    EXPECT_EQ(written(plain), first);
}

TEST(JournalFile, ShortLinesFillWhatTheyHave)
{
    JournalGrid grid;
    Fm2_JournalLoad(grid, historyOf(cp932(QStringLiteral("No.,日付\r\n1,2008/07/19,旅費交通\r\n\r\n"))),
                    "P，");
    EXPECT_EQ(grid.journalRowCount(), 2);
    EXPECT_EQ(grid.rowTexts(0), (RowTexts{"No.", QStringLiteral("日付"), "", "", "", "", ""}));
    EXPECT_EQ(grid.rowTexts(1), (RowTexts{"1", "2008/07/19", QStringLiteral("旅費交通"), "", "", "", ""}));
    EXPECT_EQ(grid.rowTexts(2), RowTexts{});
    EXPECT_EQ(grid.rowTotal(), kMinimumRowTotal);
}

TEST(JournalFile, LongFileGrowsTheGrid)
{
    QString text = QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要\r\n");
    for (int r = 1; r <= 2345; ++r)
        text += QStringLiteral("%1,2008/07/19,旅費交通,%1,電子マネー,%1,s\r\n").arg(r);
    JournalGrid grid;
    Fm2_JournalLoad(grid, historyOf(cp932(text)), QString());
    EXPECT_EQ(grid.journalRowCount(), 2345);
    EXPECT_EQ(grid.rowTotal(), 2346);
    EXPECT_EQ(grid.text(2345, DebitAmountColumn), QStringLiteral("2345"));
    EXPECT_EQ(written(grid), cp932(text));
}

TEST(JournalFile, CommaBeforeTheSummaryIsNamed)
{
    struct Case {
        int row;
        int column;
        QString message;
    };
    const Case cases[] = {
        {2, DebitAccountColumn,
         QStringLiteral("No. 2 行目 : 「借方科目」欄に「,」があるため保存できません．"
                        "「,」を取り除いて下さい．")},
        {3, CreditAmountColumn,
         QStringLiteral("No. 3 行目 : 「貸方金額」欄に「,」があるため保存できません．"
                        "「,」を取り除いて下さい．")},
        {1, NumberColumn,
         QStringLiteral("No. 1 行目 : 「No.」欄に「,」があるため保存できません．"
                        "「,」を取り除いて下さい．")},
        {1, DateColumn,
         QStringLiteral("No. 1 行目 : 「日付」欄に「,」があるため保存できません．"
                        "「,」を取り除いて下さい．")},
        // The summary is the last field and may hold commas.
        {1, SummaryColumn, QString()},
    };
    for (const Case &c : cases) {
        JournalGrid grid = gridWithRows(kThreeRows);
        grid.setText(c.row, c.column, QStringLiteral("1,000"));
        EXPECT_EQ(journalCommaCheck(grid), c.message) << c.row << ":" << c.column;
    }
    JournalGrid grid = gridWithRows(kThreeRows);
    grid.setText(4, DebitAccountColumn, QStringLiteral("a,b"));
    EXPECT_EQ(journalCommaCheck(grid), QString());
    grid.setText(3, CreditAccountColumn, QStringLiteral("a,b"));
    grid.setText(2, DebitAccountColumn, QStringLiteral("c,d"));
    EXPECT_TRUE(journalCommaCheck(grid).startsWith(QStringLiteral("No. 2 行目 : 「借方科目」")));
}

TEST(JournalFile, CharacterCp932CannotHoldIsNamedAndNothingWritten)
{
    JournalGrid grid = gridWithRows(kThreeRows);
    grid.setText(2, SummaryColumn, QStringLiteral("a,b,caf\u00E9"));
    QString error;
    EXPECT_EQ(written(grid, &error), QByteArray());
    EXPECT_EQ(error, QStringLiteral("No. 2 行目 : 「摘要」欄の文字「é」(U+00E9)は，"
                                    "Shift_JIS(CP932)で保存できないため，保存を中止しました．"));
    grid.setText(2, SummaryColumn, QString());
    grid.setText(3, CreditAccountColumn, QStringLiteral("\U0001F600"));
    written(grid, &error);
    EXPECT_TRUE(error.startsWith(QStringLiteral("No. 3 行目 : 「貸方科目」欄の文字"))) << error.toStdString();
}

TEST(JournalFile, DeviceFailureIsReported)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadOnly);
    const QString error = writeJournalFile(buffer, gridWithRows(kThreeRows), QStringLiteral("j.csv"));
    EXPECT_TRUE(error.startsWith(QStringLiteral("ファイル「j.csv」に書き込めません．\r\n")))
        << error.toStdString();
}

} // namespace
} // namespace mokpe::journal
