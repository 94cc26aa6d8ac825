// `mokpe export`: every folder under tests/data/export through the command
// (a saved journal with the format its settings remember, or a card history
// with its own arguments), then the refusals, each leaving OUT and the
// settings as they were.
#include "common/cp932.h"
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/program_folder_copy.h"
#include "support/text_compare.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QString kDataDir = QStringLiteral(MOKPE_TEST_DATA_DIR "/export");
const QString kJournalProgram = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program");
const QByteArray kOldOut = "old export\r\n";

// A program folder made of the files of `from` (inifile.ini, kamoku_code.csv,
// person.csv); the users of the journal tests when the folder has none.
struct ProgramFolder : test::ProgramFolderCopy {
    explicit ProgramFolder(const QString &from = kJournalProgram) : ProgramFolderCopy(kJournalProgram)
    {
        for (const char *name : {"inifile.ini", "kamoku_code.csv", "person.csv"}) {
            if (const QString source = QDir(from).filePath(QLatin1String(name)); QFile::exists(source))
                writeBytes(file(QLatin1String(name)), fileBytes(source));
        }
    }
    QByteArray settings() const { return fileBytes(file(QStringLiteral("inifile.ini"))); }
};

test::CliRun runExport(const ProgramFolder &program, const QString &input, const QStringList &more)
{
    return test::runMokpe(
        QStringList{QStringLiteral("export"), input, QStringLiteral("--dir"), program.path()} + more);
}

QStringList argsOf(const QDir &dir)
{
    QStringList args = QString::fromUtf8(fileBytes(dir.filePath(QStringLiteral("args.txt")))).split('\n');
    args.removeAll(QString());
    return args;
}

TEST(ExportCommand, GoldenFolders)
{
    const QStringList cases = QDir(kDataDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(cases.size(), 10);
    for (const QString &name : cases) {
        SCOPED_TRACE(name.toStdString());
        const QDir dir(kDataDir + QLatin1Char('/') + name);
        ProgramFolder program(dir.path());
        const QString out = program.file(QStringLiteral("out.csv"));
        writeBytes(out, QByteArray(100000, 'x'));
        QStringList args{QStringLiteral("-o"), out};
        QString input = dir.filePath(QStringLiteral("history.csv"));
        if (QFile::exists(input)) {
            args += argsOf(dir);
        } else {
            // A saved journal, exported in the format its settings remember.
            input = dir.filePath(QStringLiteral("journal.csv"));
            const QString format = common::decodeCp932(fileBytes(dir.filePath(QStringLiteral("inifile.ini"))))
                                       .text.section(QStringLiteral("\r\n"), 0, 0);
            args += QStringList{QStringLiteral("--format"), format, QStringLiteral("--today"),
                                QStringLiteral("20260106")};
        }
        const test::CliRun run = runExport(program, input, args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, QString());
        test::expectSameCp932Bytes(fileBytes(out), fileBytes(dir.filePath(QStringLiteral("expected.csv"))));
        test::expectSameCp932Bytes(program.settings(),
                                   fileBytes(dir.filePath(QStringLiteral("expected_inifile.ini"))));
    }
}

// A saved journal with rows in "date,debit,amount,credit,amount,summary" form.
QString journalFile(const test::ProgramFolderCopy &folder, const QStringList &rows,
                    const char *name = "journal.csv")
{
    QByteArray bytes = cp932(QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要\r\n"));
    for (qsizetype i = 0; i < rows.size(); ++i)
        bytes += cp932(QStringLiteral("%1,%2\r\n").arg(i + 1).arg(rows.at(i)));
    QString path = folder.file(QLatin1String(name));
    writeBytes(path, bytes);
    return path;
}

TEST(ExportCommand, RefusalsWriteNothingAndExitTwo)
{
    const QString good = QStringLiteral("2008/07/19,旅費交通費,160,電子マネー,160,乗車");
    const struct {
        const char *what;
        QStringList rows;
        QStringList args;
        QString message; // part of standard error
        bool settingsSaved;
        // The travel account's line of the account code table, as edited by hand.
        const char16_t *travelAccountLine = nullptr;
    } cases[] = {
        {"format the code system does not offer",
         {good},
         {"--format", "3"},
         QStringLiteral("CSVファイル出力形式を選択して下さい．\n"),
         false},
        {"blank amount at the hand-over",
         {QStringLiteral("2008/07/19,旅費交通費,,電子マネー,160,乗車")},
         {"--format", "1"},
         QStringLiteral("No. 1 行目 : 日付か金額欄に空欄行を検出しました．\n"),
         false},
        {"name without a code, no --yes",
         {good, QStringLiteral("2008/07/20,未登録科目,160,電子マネー,160,乗車")},
         {"--format", "2"},
         QStringLiteral("2行目「借方科目」：未登録科目　科目コード設定に無い勘定科目です（科目コードは空欄に"
                        "なります）．"),
         true},
        // Codes are written unquoted: a double quote in one would shift every later field.
        {"account code with a double quote, no --yes",
         {good},
         {"--format", "1"},
         QStringLiteral(
             "1行目「借方科目」：旅費交通費　科目コード「84\"1」に「,」か「\"」があるため，CSVの項目の"
             "区切りが崩れます．"),
         true,
         u"842,84\"1,旅費交通費"},
        {"company name outside CP932",
         {good},
         {"--format", "2", "--company-name", "Café"},
         QStringLiteral("「会社名」：Café　Shift_JIS(CP932)で表せない文字「é」(U+00E9)があります．"),
         false},
        // A pasted line end would break the export's line and move every
        // later line of the settings file.
        {"company name with a line end",
         {good},
         {"--format", "2", "--company-name", "AB\rCD"},
         QStringLiteral("「会社名」欄には改行を入力できません．改行を取り除いて下さい．\n"),
         false},
        {"company code with a line end",
         {good},
         {"--format", "1", "--company-code", "12\n34"},
         QStringLiteral("「商　号」欄には改行を入力できません．改行を取り除いて下さい．\n"),
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder program;
        if (c.travelAccountLine) {
            const QString table = program.file(QStringLiteral("kamoku_code.csv"));
            writeBytes(table, cp932(common::decodeCp932(fileBytes(table))
                                        .text.replace(QStringLiteral("842,8471,旅費交通費"),
                                                      QString::fromUtf16(c.travelAccountLine))));
        }
        const QString input = journalFile(program, c.rows);
        const QByteArray settingsBefore = program.settings();
        const QString out = program.file(QStringLiteral("out.csv"));
        writeBytes(out, kOldOut);
        const test::CliRun run = runExport(program, input, QStringList{QStringLiteral("-o"), out} + c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_EQ(fileBytes(out), kOldOut);
        // A company name outside CP932 cannot be saved in the settings either:
        // told, and the old settings file stays.
        EXPECT_EQ(program.settings() != settingsBefore, c.settingsSaved);
    }
}

TEST(ExportCommand, YesWritesTheListedTextsAsTheyStand)
{
    ProgramFolder program;
    const QString input =
        journalFile(program, {QStringLiteral("2008/07/19,未登録科目,160,電子マネー,160,\"特急\"")});
    const QString out = program.file(QStringLiteral("out.csv"));
    const test::CliRun run = runExport(program, input,
                                       {QStringLiteral("-o"), out, QStringLiteral("--format"),
                                        QStringLiteral("1"), QStringLiteral("--yes")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("このまま出力しますか？"))) << run.err.toStdString();
    EXPECT_TRUE(fileBytes(out).contains(cp932(
        QStringLiteral("1000,0,20080719,,\"未登録科目\",\"未登録科目\",,\"\",\"\",\"\",\"\",160,0,1131,"))));
    EXPECT_TRUE(fileBytes(out).contains(cp932(QStringLiteral(",\"\"特急\"\",,,0,,0,\r\n"))));
}

TEST(ExportCommand, DialogOptionsFillTheFieldsAndTheSettings)
{
    ProgramFolder program;
    const QString input = journalFile(program, {QStringLiteral("2027/03/31,交際費,5000,現金,5000,会食")});
    const QString out = program.file(QStringLiteral("out.csv"));
    const test::CliRun run =
        runExport(program, input,
                  {QStringLiteral("-o"), out, QStringLiteral("--format"), QStringLiteral("1"),
                   QStringLiteral("--company-code"), QStringLiteral("42"), QStringLiteral("--company-name"),
                   QStringLiteral("モコペ商事"), QStringLiteral("--year-end"), QStringLiteral("20270331"),
                   QStringLiteral("--period"), QStringLiteral("20260401,20270331"),
                   QStringLiteral("--tax-blank"), QStringLiteral("--today"), QStringLiteral("20260415")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = common::decodeCp932(fileBytes(out)).text.split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("// 0042 モコペ商事 令和9年3月31日決算"));
    EXPECT_EQ(lines[1], QStringLiteral("// 出力期間 ： 20260401 ～ 20270331 "));
    EXPECT_EQ(lines[4],
              QStringLiteral("1000,0,20270331,8491,\"交際費\",\"交際費\",,\"\",\"\",\"\",\"\",5000,0,1111,"
                             "\"現金\",\"現金\",,\"\",\"\",\"\",\"\",5000,0,\"会食\",,,0,,0,"));
    const QStringList settings = common::decodeCp932(program.settings()).text.split(QStringLiteral("\r\n"));
    EXPECT_EQ(settings.mid(0, 9),
              (QStringList{QStringLiteral("1"), QStringLiteral("0042"), QStringLiteral("モコペ商事"),
                           QStringLiteral("20270331"), QStringLiteral("20260401,20270331"),
                           QStringLiteral("&H8000000F"), QStringLiteral("&H8000000F"), QStringLiteral("0"),
                           QStringLiteral("0")}));
}

TEST(ExportCommand, UsageErrorsExitOne)
{
    ProgramFolder program;
    const QString input =
        journalFile(program, {QStringLiteral("2008/07/19,旅費交通費,160,電子マネー,160,乗車")});
    const QString out = program.file(QStringLiteral("out.csv"));
    const char *cases[] = {
        "-o OUT",
        "--format 1",
        "-o OUT --format 5",
        "-o OUT --format 1 --year-end 2027331",
        "-o OUT --format 1 --period 20260401",
        "-o OUT --format 2 --tax-blank --tax-rate 8",
        "-o OUT --format 1 --today 20260230",
        "-o OUT --format 1 --unknown",
    };
    for (const char *line : cases) {
        const QStringList args = QString::fromLatin1(line).replace(QStringLiteral("OUT"), out).split(' ');
        const test::CliRun run = runExport(program, input, args);
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(out)) << args.join(' ').toStdString();
    }
}

TEST(ExportCommand, FuurinCodeSystemRefusesTheFieldsItDisables)
{
    ProgramFolder program;
    writeBytes(
        program.file(QStringLiteral("inifile.ini")),
        cp932(QStringLiteral("3\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n186\r\n1882\r\n"
                             "電子未決\r\n113\r\n1131\r\n電子マネー\r\n")));
    const QString input =
        journalFile(program, {QStringLiteral("2008/07/19,旅費交通費,160,電子マネー,160,乗車")});
    const QString out = program.file(QStringLiteral("0123KAI.CSV"));
    const test::CliRun run =
        runExport(program, input,
                  {QStringLiteral("-o"), out, QStringLiteral("--format"), QStringLiteral("3"),
                   QStringLiteral("--company-name"), QStringLiteral("モコペ")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--company-name"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
} // namespace mokpe::cli
