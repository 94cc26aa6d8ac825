// Amounts of a saved journal that are no whole number of yen: named by row and
// column before anything is saved, exported or printed; spaces around a whole
// number are no fault, and the number is written without them.
#include "common/cp932.h"
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/pdf_words.h"
#include "support/program_folder_copy.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QString kProgramData = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program");

struct ProgramFolder : test::ProgramFolderCopy {
    ProgramFolder() : ProgramFolderCopy(kProgramData) {}
};

// A saved journal: its second row's debit and credit amounts as given.
QString journalWith(const ProgramFolder &program, const QString &debit, const QString &credit)
{
    const QString path = program.file(QStringLiteral("journal.csv"));
    writeBytes(path, cp932(QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要\r\n"
                                          "1,2008/07/19,旅費交通費,160,電子マネー,160,乗車\r\n"
                                          "2,2008/07/20,旅費交通費,%1,電子マネー,%2,乗車\r\n")
                               .arg(debit, credit)));
    return path;
}

test::CliRun run(const ProgramFolder &program, const QString &command, const QString &journal,
                 const QString &out)
{
    QStringList args{command, journal, QStringLiteral("--dir"), program.path(), QStringLiteral("-o"), out};
    if (command == QLatin1String("export"))
        args += QStringList{QStringLiteral("--format"), QStringLiteral("1"), QStringLiteral("--yes")};
    return test::runMokpe(args);
}

TEST(AmountCommand, AnAmountThatIsNoWholeNumberOfYenIsNamedAndNothingIsWritten)
{
    const struct {
        QString debit;
        QString credit;
        // The cell named: its column and text.
        QString column;
        QString cell;
    } cases[] = {
        {QStringLiteral("1e9"), QStringLiteral("160"), QStringLiteral("借方金額"), QStringLiteral("1e9")},
        {QStringLiteral("160"), QStringLiteral("２１０"), QStringLiteral("貸方金額"),
         QStringLiteral("２１０")},
        {QStringLiteral("0x10"), QStringLiteral("0x10"), QStringLiteral("借方金額"), QStringLiteral("0x10")},
        {QStringLiteral("210"), QStringLiteral("210.5"), QStringLiteral("貸方金額"), QStringLiteral("210.5")},
        {QStringLiteral("9223372036854775808"), QStringLiteral("1"), QStringLiteral("借方金額"),
         QStringLiteral("9223372036854775808")},
    };
    for (const auto &c : cases) {
        for (const QString &command :
             {QStringLiteral("journal"), QStringLiteral("export"), QStringLiteral("report")}) {
            SCOPED_TRACE((command + QLatin1Char(' ') + c.cell).toStdString());
            ProgramFolder program;
            const QString journal = journalWith(program, c.debit, c.credit);
            const QString out = program.file(QStringLiteral("out"));
            const test::CliRun result = run(program, command, journal, out);
            EXPECT_EQ(result.exitCode, 2);
            EXPECT_TRUE(
                result.err.contains(QStringLiteral("No. 2 行目 : 「%1」欄の「%2」は金額として読めません．"
                                                   "金額は半角数字の整数(円)で入力して下さい．\n")
                                        .arg(c.column, c.cell)))
                << result.err.toStdString();
            EXPECT_FALSE(QFile::exists(out));
        }
    }
}

TEST(AmountCommand, SpacesAroundAnAmountAreNotWritten)
{
    ProgramFolder program;
    const QString journal = journalWith(program, QStringLiteral(" 210 "), QStringLiteral(" 210 "));

    const QString csv = program.file(QStringLiteral("out.csv"));
    const test::CliRun exported = run(program, QStringLiteral("export"), journal, csv);
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    const QString text = common::decodeCp932(fileBytes(csv)).text;
    EXPECT_TRUE(text.contains(QStringLiteral(",210,0,1131,"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral(" 210"))) << text.toStdString();

    const QString pdf = program.file(QStringLiteral("out.pdf"));
    const test::CliRun printed = run(program, QStringLiteral("report"), journal, pdf);
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    const std::vector<test::PdfPageWords> pages = test::readPdfWords(pdf);
    ASSERT_EQ(pages.size(), 1u);
    const QString words = test::pageText(pages[0]);
    EXPECT_TRUE(words.contains(QStringLiteral(" 210 "))) << words.toStdString();
    EXPECT_FALSE(words.contains(QStringLiteral("2,10"))) << words.toStdString();
}

TEST(AmountCommand, AmountsPast32BitsCountInTheSettlement)
{
    ProgramFolder program;
    // A charge of 3,000,000,600 yen, then 100 and 3,000,000,000 yen spent.
    const QString history = program.file(QStringLiteral("history.csv"));
    writeBytes(history,
               cp932(QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考\r\n"
                                    "2008/07/23,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,500,\r\n"
                                    "2008/07/22,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,3000000500,\r\n"
                                    "2008/07/21,現金,ﾁｬｰｼﾞ,,,,,3000000600,\r\n")));
    const test::CliRun printed =
        test::runMokpe({QStringLiteral("journal"), history, QStringLiteral("--dir"), program.path()});
    EXPECT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    EXPECT_TRUE(
        printed.out.contains(QStringLiteral("1,2008/07/23,旅費交通,3000000000,電子マネー,3000000000,")))
        << printed.out.toStdString();
    EXPECT_TRUE(printed.out.contains(QStringLiteral("settlement: 精算金額：　　　500\n")))
        << printed.out.toStdString();
}

} // namespace
} // namespace mokpe::cli
