// Every folder under tests/data/export is one export: the settings and the
// account code table of the program folder, a saved journal, the file the
// export must write (expected.csv) and the settings file after the run
// (expected_inifile.ini), compared byte for byte.
#include "output/csv_export.h"
#include "output/export_options.h"
#include "output/export_settings.h"

#include "import/card_history_reader.h"
#include "journal/journal_editor.h"
#include "maintenance/account_code_file.h"
#include "maintenance/code_system_select.h"
#include "settings/settings_file.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"
#include "support/text_compare.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

QString caseRoot()
{
    return QStringLiteral(MOKPE_TEST_DATA_DIR "/export");
}

std::vector<std::string> caseNames()
{
    std::vector<std::string> names;
    // Folders with a card history instead of a journal need the headless
    // command's settling; tests/cli runs them.
    const QDir root(caseRoot());
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (QFile::exists(root.filePath(name + QStringLiteral("/journal.csv"))))
            names.push_back(name.toStdString());
    }
    return names;
}

class ExportGoldenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ExportGoldenTest, WritesTheExpectedBytesAndSettings)
{
    const QString dir = caseRoot() + QLatin1Char('/') + QString::fromStdString(GetParam());
    test::TempFolder program;
    for (const char *name : {"inifile.ini", "kamoku_code.csv"})
        ASSERT_TRUE(
            QFile::copy(dir + QLatin1Char('/') + QLatin1String(name), program.file(QLatin1String(name))));

    // The main window's start-up, the import of the journal, the dialog's opening.
    AppState state;
    state.programFolder = program.path();
    test::ScriptedServices services;
    settings::Fm1_IniFileRead(state, services.messages);
    maintenance::KamokuFileRead(state, services.messages);
    maintenance::selectCodeSystem(state);
    ASSERT_EQ(import::Fm1_CsvFileRead(state, dir + QStringLiteral("/journal.csv"), services.messages),
              import::CsvReadOutcome::Accepted);
    journal::JournalGrid grid;
    journal::JournalEditor editor(state, grid, {services.messages, services.dialogs});
    editor.startUp();
    ExportFields fields;
    Fm3_IniFileRead(fields, state, services.clock.today(), services.messages);
    Fm3_SelectedKamoku(fields, state);

    test::TempFolder outputs;
    const QString out = outputs.file(QStringLiteral("out.csv"));
    services.dialogs.chooseNext(out);
    const ExportResult result =
        runExportCommand(fields, state, grid, {services.messages, services.dialogs, services.clock});

    EXPECT_EQ(result.outcome, ExportOutcome::Written);
    EXPECT_TRUE(result.settingsSaved);
    EXPECT_EQ(services.messages.texts().join(QLatin1Char('|')).toStdString(), "");
    const QByteArray expected = test::fileBytes(dir + QStringLiteral("/expected.csv"));
    const QByteArray written = test::fileBytes(out);
    test::expectSameCp932Bytes(written, expected);
    const QByteArray expectedSettings = test::fileBytes(dir + QStringLiteral("/expected_inifile.ini"));
    const QByteArray settingsAfter = test::fileBytes(program.file(QStringLiteral("inifile.ini")));
    test::expectSameCp932Bytes(settingsAfter, expectedSettings);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportGoldenTest, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string> &info) { return info.param; });

} // namespace
} // namespace mokpe::output
