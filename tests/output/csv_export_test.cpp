#include "output/csv_export.h"

#include "common/cp932.h"
#include "journal/journal_messages.h"
#include "output/export_options.h"
#include "support/export_fixture.h"
#include "support/file_helpers.h"
#include "support/full_disk.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

using test_support::ExportFixture;
using test_support::settingsFor;

const QByteArray kOldExport = "old export\r\n";

std::string joined(const QStringList &texts)
{
    return texts.join(QLatin1Char('|')).toStdString();
}

TEST(ExportRun, EachWayOfEndingTellsWhatTheWindowShowsAndSavesTheSettingsOnlyAfterAFormat)
{
    const struct {
        const char *what;
        const char *formatChoice;
        const char *companyCode;
        bool chooseFile;
        bool fileExists;
        int overwriteAnswer; // -1: not asked
        ExportOutcome outcome;
        std::vector<QString> messages;
        bool settingsSaved;
    } cases[] = {
        {"no format chosen", "0", "7", true, false, -1, ExportOutcome::NoFormat, {kNoFormatMessage}, false},
        {"save dialog cancelled",
         "1",
         "7",
         false,
         false,
         -1,
         ExportOutcome::Cancelled,
         {kNoFileChosenMessage},
         true},
        {"existing file kept",
         "2",
         "7",
         true,
         true,
         0,
         ExportOutcome::NotOverwritten,
         {kOverwriteQuestion},
         true},
        {"existing file replaced",
         "2",
         "7",
         true,
         true,
         1,
         ExportOutcome::Written,
         {kOverwriteQuestion},
         true},
        {"new file", "1", "7", true, false, -1, ExportOutcome::Written, {}, true},
        {"company code too long",
         "1",
         "12345",
         true,
         false,
         -1,
         ExportOutcome::Written,
         {kCompanyCodeMessage},
         true},
    };
    for (const auto &c : cases) {
        ExportFixture f(settingsFor(QString::fromLatin1(c.formatChoice)));
        f.setJournal({QStringLiteral("2026/01/06|旅費交通費|160|電子マネー|160|乗車")});
        f.openDialog();
        f.fields.companyCode = QString::fromLatin1(c.companyCode);
        const QByteArray settingsBefore = test::fileBytes(f.iniPath());
        const QString out = f.file(QStringLiteral("out.csv"));
        if (c.fileExists)
            test::writeBytes(out, kOldExport);
        f.services.dialogs.chooseNext(c.chooseFile ? out : QString());
        if (c.overwriteAnswer >= 0)
            f.services.messages.answerNext(c.overwriteAnswer == 1);

        const ExportResult result = runExportCommand(f.fields, f.state, f.grid, f.exportServices());

        EXPECT_EQ(result.outcome, c.outcome) << c.what;
        QStringList expectedMessages;
        for (const QString &m : c.messages)
            expectedMessages.append(m);
        EXPECT_EQ(joined(f.services.messages.texts()), joined(expectedMessages)) << c.what;
        if (c.overwriteAnswer >= 0) {
            EXPECT_EQ(f.services.messages.shown[0].title, kOverwriteTitle) << c.what;
        }
        EXPECT_EQ(result.settingsSaved, c.settingsSaved) << c.what;
        const QByteArray settingsAfter = test::fileBytes(f.iniPath());
        EXPECT_EQ(settingsAfter != settingsBefore, c.settingsSaved) << c.what;
        const QByteArray written = test::fileBytes(out);
        if (c.outcome == ExportOutcome::Written) {
            EXPECT_TRUE(written.startsWith(c.formatChoice[0] == '1' ? "// " : "\"")) << c.what;
        } else if (c.fileExists) {
            EXPECT_EQ(written, kOldExport) << c.what;
        } else {
            EXPECT_FALSE(QFile::exists(out)) << c.what;
        }
    }
}

// The dialog's month and day lists are editable as its text boxes are: a line
// end pasted into any of them is refused, naming the box, and neither the
// export nor the settings are written.
TEST(ExportRun, ALineEndInADateListIsRefusedAndNothingIsWritten)
{
    const struct {
        const char *what;
        QString DateBoxes::*part;
        DateBoxes ExportFields::*date;
        const char16_t *caption;
    } cases[] = {
        {"year-end month", &DateBoxes::month, &ExportFields::yearEnd, u"決算年月日"},
        {"year-end day", &DateBoxes::day, &ExportFields::yearEnd, u"決算年月日"},
        {"period start month", &DateBoxes::month, &ExportFields::periodStart, u"出力期間"},
        {"period start day", &DateBoxes::day, &ExportFields::periodStart, u"出力期間"},
        {"period end month", &DateBoxes::month, &ExportFields::periodEnd, u"出力期間"},
        {"period end day", &DateBoxes::day, &ExportFields::periodEnd, u"出力期間"},
    };
    for (const auto &c : cases) {
        for (const QString &lineEnd : {QStringLiteral("\r"), QStringLiteral("\n")}) {
            ExportFixture f(settingsFor(QStringLiteral("1")));
            f.setJournal({QStringLiteral("2026/01/06|旅費交通費|160|電子マネー|160|乗車")});
            f.openDialog();
            const QByteArray settingsBefore = test::fileBytes(f.iniPath());
            QString &text = f.fields.*(c.date).*(c.part);
            text = QStringLiteral("1") + lineEnd + QStringLiteral("2");
            f.services.dialogs.chooseNext(f.file(QStringLiteral("out.csv")));
            const ExportResult result = runExportCommand(f.fields, f.state, f.grid, f.exportServices());
            EXPECT_EQ(result.outcome, ExportOutcome::Refused) << c.what;
            EXPECT_EQ(joined(f.services.messages.texts()),
                      journal::kLineEndInCellMessage.arg(QString::fromUtf16(c.caption)).toStdString())
                << c.what;
            EXPECT_FALSE(QFileInfo::exists(f.file(QStringLiteral("out.csv")))) << c.what;
            EXPECT_EQ(test::fileBytes(f.iniPath()), settingsBefore) << c.what;
        }
    }
}

TEST(ExportRun, TheSaveDialogOffersTheDefaultNameAndTheChoiceBecomesTheExportFileName)
{
    const struct {
        const char *formatChoice;
        const char *companyCode;
        const char16_t *preset;
        const char *paddedCode;
    } cases[] = {
        {"1", "0123", u"260106出納帳card.csv", "0123"},
        {"2", "12", u"260106会計card.csv", "0012"},
        {"3", "7", u"0007KAI.CSV", "0007"},
        {"4", "12345", u"12345KAI.CSV", "12345"},
    };
    for (const auto &c : cases) {
        ExportFixture f(settingsFor(QString::fromLatin1(c.formatChoice)),
                        c.formatChoice[0] >= '3' ? test_support::fuurinAccountLines()
                                                 : test_support::wAccountLines());
        f.openDialog();
        f.fields.companyCode = QString::fromLatin1(c.companyCode);
        f.state.history.sourcePath = f.file(QStringLiteral("card.csv"));
        const QString out = f.file(QStringLiteral("chosen name.csv"));
        f.services.dialogs.chooseNext(out);
        runExportCommand(f.fields, f.state, f.grid, f.exportServices());
        ASSERT_EQ(f.services.dialogs.presetNames.size(), 1) << c.formatChoice;
        EXPECT_EQ(f.services.dialogs.presetNames[0], QString::fromUtf16(c.preset)) << c.formatChoice;
        EXPECT_EQ(f.services.dialogs.filters[0], QStringLiteral("CSVファイル (*.csv)")) << c.formatChoice;
        // The history's folder until an export has been written somewhere.
        EXPECT_EQ(f.services.dialogs.requests[0].kind, platform::FileKind::Export) << c.formatChoice;
        EXPECT_EQ(f.services.dialogs.requests[0].fallbackFolder, QFileInfo(out).absolutePath())
            << c.formatChoice;
        EXPECT_EQ(f.fields.companyCode, QString::fromLatin1(c.paddedCode)) << c.formatChoice;
        EXPECT_EQ(f.fields.exportFileName, QStringLiteral("chosen name.csv")) << c.formatChoice;
        EXPECT_EQ(f.iniLines().value(1), QString::fromLatin1(c.paddedCode)) << c.formatChoice;
    }
}

TEST(ExportRun, AnInvalidRateIsToldOncePerExportNotOncePerRow)
{
    const struct {
        const char *what;
        const char *rateBox;
        bool taxBlank;
        bool rows;
        int messages;
    } cases[] = {
        {"invalid rate, three rows", "abc", false, true, 1},
        {"invalid rate, no rows", "abc", false, false, 0},
        {"invalid rate under blank tax", "abc", true, true, 0},
        {"valid rate", "8", false, true, 0},
    };
    for (const auto &c : cases) {
        ExportFixture f(settingsFor(QStringLiteral("2")));
        if (c.rows) {
            f.setJournal({QStringLiteral("2026/01/04|旅費交通費|160|電子マネー|160|乗車"),
                          QStringLiteral("2026/01/05|旅費交通費|160|電子マネー|160|乗車"),
                          QStringLiteral("2026/01/06|旅費交通費|160|電子マネー|160|乗車")});
        }
        f.openDialog();
        f.fields.rateBox = QString::fromLatin1(c.rateBox);
        if (c.taxBlank)
            chooseTaxBlank(f.fields);
        const QString out = f.file(QStringLiteral("out.csv"));
        f.services.dialogs.chooseNext(out);
        const ExportResult result = runExportCommand(f.fields, f.state, f.grid, f.exportServices());
        EXPECT_EQ(result.outcome, ExportOutcome::Written) << c.what;
        EXPECT_EQ(f.services.messages.texts().count(kRateDigitsMessage), c.messages) << c.what;
        if (c.messages > 0) {
            // The rate is written unchanged, its full-width form empty.
            const QString text = common::decodeCp932(test::fileBytes(out)).text;
            EXPECT_EQ(text.count(QStringLiteral(",abc,\"税率　％　　　\",")), 3) << c.what;
        }
    }
}

TEST(ExportRun, AFileThatCannotBeWrittenIsToldAndTheOldOneStaysWhole)
{
    // The chosen name is a folder: refused before the overwrite question.
    ExportFixture f(settingsFor(QStringLiteral("1")));
    f.setJournal({QStringLiteral("2026/01/06|旅費交通費|160|電子マネー|160|乗車")});
    f.openDialog();
    const QString folder = f.file(QStringLiteral("folder.csv"));
    ASSERT_TRUE(QDir().mkpath(folder));
    f.services.dialogs.chooseNext(folder);
    EXPECT_EQ(runExportCommand(f.fields, f.state, f.grid, f.exportServices()).outcome,
              ExportOutcome::Unwritable);
    ASSERT_EQ(f.services.messages.shown.size(), 1u);
    EXPECT_EQ(f.services.messages.shown[0].text,
              QStringLiteral("ファイル「%1」に書き込めません．\r\n同じ名前のフォルダーがあります．")
                  .arg(QDir::toNativeSeparators(folder)));
}

TEST(ExportRun, AFullDiskLeavesTheOldExportWhole)
{
    test::FullDiskFolder disk;
    if (const QString why = disk.cannotFillReason(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    ExportFixture f(settingsFor(QStringLiteral("2")));
    for (int r = 1; r <= 500; ++r)
        f.grid.setRowTexts(r, {QString::number(r), QStringLiteral("2026/01/06"), QStringLiteral("旅費交通費"),
                               QStringLiteral("160"), QStringLiteral("電子マネー"), QStringLiteral("160"),
                               QStringLiteral("乗車")});
    f.grid.setJournalRowCount(500);
    f.openDialog();
    const QString out = disk.file(QStringLiteral("export.csv"));
    test::writeBytes(out, kOldExport);
    disk.makeFull();
    f.services.dialogs.chooseNext(out);
    f.services.messages.answerNext(true);
    const ExportResult result = runExportCommand(f.fields, f.state, f.grid, f.exportServices());
    disk.release();
    EXPECT_EQ(result.outcome, ExportOutcome::Failed);
    EXPECT_EQ(test::fileBytes(out), kOldExport);
    EXPECT_TRUE(f.services.messages.texts().last().contains(QStringLiteral("に書き込めません．")))
        << joined(f.services.messages.texts());
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("export.csv")});
}

} // namespace
} // namespace mokpe::output
