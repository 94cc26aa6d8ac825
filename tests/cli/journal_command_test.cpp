// `mokpe journal`: one golden folder per card kind under tests/data/journal/
// (the history, the arguments, the expected output and journal file bytes),
// then the refusals.
#include "common/cp932.h"
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/program_folder_copy.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QString kDataDir = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal");

// A program folder with the settings, the account table and two users.
struct ProgramFolder : test::ProgramFolderCopy {
    ProgramFolder() : ProgramFolderCopy(kDataDir + QStringLiteral("/program")) {}
};

test::CliRun runJournal(const ProgramFolder &program, const QString &history, const QStringList &more = {})
{
    return test::runMokpe(
        QStringList{QStringLiteral("journal"), history, QStringLiteral("--dir"), program.path()} + more);
}

// A case may bring program files of its own (another code system), which
// replace the shared ones.
void useCaseProgramFiles(const QDir &caseDir, const ProgramFolder &program)
{
    for (const QString &name : {QStringLiteral("inifile.ini"), QStringLiteral("kamoku_code.csv")}) {
        if (caseDir.exists(name))
            writeBytes(program.file(name), fileBytes(caseDir.filePath(name)));
    }
}

QStringList caseFolders()
{
    QStringList cases = QDir(kDataDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    cases.removeAll(QStringLiteral("program"));
    return cases;
}

TEST(JournalCommand, GoldenFolders)
{
    const QStringList cases = caseFolders();
    ASSERT_GE(cases.size(), 7);
    for (const QString &name : cases) {
        SCOPED_TRACE(name.toStdString());
        const QDir dir(kDataDir + QLatin1Char('/') + name);
        const QString history = dir.filePath(QStringLiteral("history.csv"));
        QStringList args =
            QString::fromUtf8(fileBytes(dir.filePath(QStringLiteral("args.txt")))).split(QLatin1Char('\n'));
        args.removeAll(QString());
        ProgramFolder program;
        useCaseProgramFiles(dir, program);

        const test::CliRun printed = runJournal(program, history, args);
        EXPECT_EQ(printed.exitCode, 0);
        EXPECT_EQ(printed.err, QString());
        EXPECT_EQ(printed.out,
                  QString::fromUtf8(fileBytes(dir.filePath(QStringLiteral("expected_output.txt")))));

        // Saved over an older file, which is replaced whole; read for the
        // first time in its program folder, as the printed one was.
        ProgramFolder savedIn;
        useCaseProgramFiles(dir, savedIn);
        const QString out = savedIn.file(QStringLiteral("saved.csv"));
        writeBytes(out, QByteArray(100000, 'x'));
        const test::CliRun saved =
            runJournal(savedIn, history, args + QStringList{QStringLiteral("-o"), out});
        EXPECT_EQ(saved.out, QString());
        // A journal the checks refuse is not saved: the old file stays.
        const QString refusal = dir.filePath(QStringLiteral("expected_save_err.txt"));
        if (QFile::exists(refusal)) {
            EXPECT_EQ(saved.exitCode, 2);
            EXPECT_EQ(saved.err, QString::fromUtf8(fileBytes(refusal)));
            EXPECT_EQ(fileBytes(out), QByteArray(100000, 'x'));
            continue;
        }
        const QByteArray expectedJournal = fileBytes(dir.filePath(QStringLiteral("expected_journal.csv")));
        EXPECT_EQ(saved.exitCode, 0);
        EXPECT_EQ(saved.err, QString());
        EXPECT_EQ(fileBytes(out), expectedJournal);

        // Read back without a user, the journal file prints its own rows.
        const test::CliRun reloaded = runJournal(program, out);
        EXPECT_EQ(reloaded.exitCode, 0);
        EXPECT_EQ(
            reloaded.out.section(QStringLiteral("balance cells:"), 0, 0),
            common::decodeCp932(expectedJournal).text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        EXPECT_TRUE(reloaded.out.endsWith(QStringLiteral("balance cells: none\nsettlement: \nmatched: 0\n")));
    }
}

const QString kTransit = QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考\r\n"
                                        "2008/07/21,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,\r\n"
                                        "2008/07/20,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1200,\r\n"
                                        "2008/07/19,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1500,\r\n");

struct Refusal {
    const char *name;
    QString history;
    QStringList args;
    int exitCode;
    QString err;
};

void PrintTo(const Refusal &c, std::ostream *os)
{
    *os << c.name;
}

class JournalRefusalTest : public ::testing::TestWithParam<Refusal> {};

// Every refusal tells the window's message and writes nothing.
TEST_P(JournalRefusalTest, ToldAndNothingWritten)
{
    const Refusal &c = GetParam();
    ProgramFolder program;
    const QString history = program.file(QStringLiteral("h.csv"));
    writeBytes(history, cp932(c.history));
    const QString out = program.file(QStringLiteral("out.csv"));
    writeBytes(out, "old\r\n");
    const test::CliRun run = runJournal(
        program, history, c.args + QStringList{QStringLiteral("--no-match"), QStringLiteral("-o"), out});
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(fileBytes(out), QByteArray("old\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, JournalRefusalTest,
    ::testing::Values(
        Refusal{"AmountWithSeparator",
                kTransit,
                {QStringLiteral("--settle"), QStringLiteral("1,000")},
                2,
                QStringLiteral("半角数字で整数のみ入力して下さい\n")},
        Refusal{"UnknownFile",
                QStringLiteral("a\r\nb\r\n"),
                {},
                2,
                QStringLiteral(
                    "このファイルは，Siuca／Edyまたは，\n読み込み可能なＣＳＶファイルではありません．\n")},
        // A line without its balance leaves two amounts empty; the last such
        // row is named.
        Refusal{"BlankAmounts",
                QStringLiteral("利用年月日,種別\r\n2008/07/21,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,\r\n"
                               "2008/07/20,入,ＪＲ東\r\n2008/07/19,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1500,\r\n"),
                {},
                2,
                QStringLiteral("No. 2 行目 : 日付か金額欄に空欄行を検出しました．\n")},
        // An Edy amount of a million yen keeps its second separator.
        Refusal{"CommaInAnAmount",
                QStringLiteral("Edy\r\n2008/07/19 12:00 ｼｮｯﾋﾟﾝｸﾞ  \\1,234,567\r\n"),
                {},
                2,
                // The 10-character window of a million yen keeps a separator: no amount.
                QStringLiteral("No. 1 行目 : 「借方金額」欄の「1234,567」は金額として読めません．"
                               "金額は半角数字の整数(円)で入力して下さい．\n")},
        Refusal{"UserNotListed",
                kTransit,
                {QStringLiteral("--user"), QStringLiteral("3")},
                1,
                QStringLiteral("mokpe journal: --user 3: the user list has 2 entries\n")},
        // The editing options refuse as the editor does, and stop there.
        Refusal{"SetIntoAnAmount",
                kTransit,
                {QStringLiteral("--set"), QStringLiteral("1:3=5")},
                2,
                QStringLiteral("「　日付　」及び「　金額　」欄は変更できません．\n")},
        Refusal{"CommaInAnAccount",
                kTransit,
                {QStringLiteral("--set"), QStringLiteral("2:4=普通預金,三井")},
                2,
                QStringLiteral("「貸方科目」欄には「,」を入力できません．「,」を取り除いて下さい．\n")},
        Refusal{"AccountNotInTheList",
                kTransit,
                {QStringLiteral("--assign"), QStringLiteral("1-3:4=現金X")},
                2,
                QStringLiteral("mokpe: --assign 1-3:4=現金X: 現金X is not in the account list (the unsettled "
                               "e-money account and the accounts of kamoku_code.csv)\n")},
        Refusal{"DeleteBelowTheJournal",
                kTransit,
                {QStringLiteral("--delete"), QStringLiteral("4")},
                2,
                QStringLiteral("mokpe: --delete 4: row 4 is not a journal row (the journal has 3 rows)\n")},
        Refusal{"InsertApartFromTheJournal",
                kTransit,
                {QStringLiteral("--insert"), QStringLiteral("5")},
                2,
                QStringLiteral("mokpe: --insert 5: row 5 is not a journal row (the journal has 3 rows)\n")},
        Refusal{"EditsRunInTheirOrder",
                kTransit,
                {QStringLiteral("--settle"), QStringLiteral("300"), QStringLiteral("--delete-last"),
                 QStringLiteral("--set"), QStringLiteral("3:6=x"), QStringLiteral("--append")},
                2,
                QStringLiteral("mokpe: --set 3:6=x: row 3 is not a journal row (the journal has 2 rows)\n")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JournalCommand, StartUpMessagesThenTheImportRefusal)
{
    test::TempFolder folder;
    const QString history = folder.file(QStringLiteral("h.csv"));
    writeBytes(history, cp932(kTransit));
    const test::CliRun run =
        test::runMokpe({QStringLiteral("journal"), history, QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(
        run.err,
        QStringLiteral("ショートカットを作成する場合は，メンテナンスボタンより作成出来ます．\n"
                       "使用者設定ファイル(person.csv)がありません．\n"
                       "最初にメンテナンス画面から，「 使用者 」設定を行って下さい．\n"
                       "科目種類の設定は，\n\n「メンテナンス」→「科目コード設定」→「初回読込み」欄より\n\n"
                       "選択して下さい．\n"
                       "科目種類の選択は，\n\n「メンテナンス」→「科目コード設定」→「初回読込み」欄より\n\n"
                       "選択して下さい．\n"));
}

TEST(JournalCommand, UnreadableUserFileRefuses)
{
    ProgramFolder program;
    writeBytes(program.file(QStringLiteral("person.csv")), "a\r\n\x81\x20\r\n");
    const QString history = program.file(QStringLiteral("h.csv"));
    writeBytes(history, cp932(kTransit));
    const test::CliRun run = runJournal(program, history);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, QString());
    EXPECT_TRUE(run.err.contains(QStringLiteral("の2行目に，読み込めない文字があります．")))
        << run.err.toStdString();
}

TEST(JournalCommand, WrongArgumentsExitWithOneAndSayWhatIsWrong)
{
    const struct {
        const char *line;
        const char *said;
    } cases[] = {
        {"", "FILE is missing"},
        {"a.csv b.csv", "unexpected argument b.csv"},
        {"a.csv --settle 1 --previous-balance 2", "--settle and --previous-balance: give only one of them"},
        {"a.csv -o", "-o needs a value"},
        {"a.csv -o x -o y", "-o is given twice"},
        {"a.csv --user x", "--user x: expected a list position (0 for no user)"},
        {"a.csv --user", "--user needs a value"},
        {"a.csv --settle", "--settle needs a value"},
        {"a.csv --frobnicate", "unknown option --frobnicate"},
        {"a.csv --assign 1:3=x", "--assign 1:3=x: expected FIRST[-LAST]:COLUMN=ACCOUNT with COLUMN 2 or 4"},
        {"a.csv --assign 1-:2=x", "--assign 1-:2=x: expected FIRST[-LAST]:COLUMN=ACCOUNT with COLUMN 2 or 4"},
        {"a.csv --assign 0-2:2=x",
         "--assign 0-2:2=x: expected FIRST[-LAST]:COLUMN=ACCOUNT with COLUMN 2 or 4"},
        {"a.csv --assign 2", "--assign 2: expected FIRST[-LAST]:COLUMN=ACCOUNT with COLUMN 2 or 4"},
        {"a.csv --set 1:0=x", "--set 1:0=x: expected ROW:COLUMN=TEXT with COLUMN 1 to 6"},
        {"a.csv --set 1:7=x", "--set 1:7=x: expected ROW:COLUMN=TEXT with COLUMN 1 to 6"},
        {"a.csv --set x:1=y", "--set x:1=y: expected ROW:COLUMN=TEXT with COLUMN 1 to 6"},
        {"a.csv --set 1=y", "--set 1=y: expected ROW:COLUMN=TEXT with COLUMN 1 to 6"},
        {"a.csv --insert 0", "--insert 0: expected a row number from 1"},
        {"a.csv --insert +1", "--insert +1: expected a row number from 1"},
        {"a.csv --delete", "--delete needs a value: a row number from 1"},
        {"a.csv --delete x", "--delete x: expected a row number from 1"},
    };
    for (const auto &c : cases) {
        const QStringList args = QString::fromLatin1(c.line).split(' ', Qt::SkipEmptyParts);
        const test::CliRun run = test::runMokpe(QStringList{QStringLiteral("journal")} + args);
        EXPECT_EQ(run.exitCode, 1) << c.line;
        EXPECT_EQ(run.err, QStringLiteral("mokpe journal: %1\nTry 'mokpe --help' for more information.\n")
                               .arg(QLatin1String(c.said)))
            << c.line;
        EXPECT_EQ(run.out, QString());
    }
}

} // namespace
} // namespace mokpe::cli
