#pragma once

#include "common/app_state.h"
#include "common/progress.h"
#include "journal/journal_grid.h"
#include "output/export_fields.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/messages.h"

#include <QString>

// "実　行" of the export dialog without its window: the format check, the file
// choice, the check of every text before anything is written, the writer of
// the selected format into a file that replaces the old one only when whole,
// and the settings saved. Everything the user is told or asked goes through
// the services; the window and the headless command call the same functions.
namespace mokpe::output {

inline const QString kNoFormatMessage = QStringLiteral("CSVファイル出力形式を選択して下さい．");
inline const QString kCompanyCodeMessage = QStringLiteral("商号は，半角数字４桁で入力して下さい．");
inline const QString kNoFileChosenMessage = QStringLiteral("ファイルを選択して下さい．");
inline const QString kOverwriteQuestion = QStringLiteral("同じファイル名があります．上書きしますか？");
inline const QString kOverwriteTitle = QStringLiteral("ファイルの上書き");
inline const QString kRateDigitsMessage = QStringLiteral("半角数字で整数のみ入力して下さい");
inline const QString kExportStoppedMessage =
    QStringLiteral("ＣＳＶ出力を中止しました．\r\nファイルは書き込まれていません．");
// The dialog's status line after a written export: %1 the file, %2 the
// journal rows.
inline const QString kExportedNotice = QStringLiteral("「%1」に%2行を書き出しました．");
// The save dialog's filter, as description|pattern pairs.
inline const QString kExportFilterPairs = QStringLiteral("CSVファイル (*.csv)|*.csv|");

enum class ExportOutcome {
    NoFormat,       // no format option selected: nothing written, settings not saved
    Cancelled,      // the save dialog gave no file
    NotOverwritten, // the user kept the existing file
    Unwritable,     // no export may go where the dialog pointed (told)
    Refused,        // the check found texts that cannot be written
    Declined,       // the user did not want the listed texts written as they stand
    Failed,         // the file could not be written; an old file is whole
    Stopped,        // the user stopped the check or the writing; an old file is whole
    Written,
};

// What the export asks of the person and the machine: the messages, the save
// dialog and today's date (for the file name the dialog proposes).
struct ExportServices {
    platform::MessageService &messages;
    platform::FileDialogService &dialogs;
    platform::Clock &clock;
};

struct ExportResult {
    ExportOutcome outcome = ExportOutcome::NoFormat;
    // The chosen file, when there was one.
    QString path;
    // Whether the settings file was written after the run.
    bool settingsSaved = false;
};

// The file choice and the writing (the export proper, after the format check).
// The company code box is padded; the export file name follows the choice. A
// chosen file where no output may go (the journal's input, a file of the
// program folder, a pipe or a device) is refused before the overwrite question.
ExportResult Fm3_CsvExport(ExportFields &fields, AppState &state, const journal::JournalGrid &grid,
                           const ExportServices &services, common::Progress &progress = common::noProgress());

// The check and the writing into `path`, without any dialog: what the file
// choice leads to. The path is replaced only by a whole new file. The check
// and the writing are told to `progress` as one range of twice the journal
// rows; when the user stops either, nothing is written and
// kExportStoppedMessage is told.
ExportOutcome writeExportFile(ExportFields &fields, const AppState &state, const journal::JournalGrid &grid,
                              const QString &path, platform::MessageService &messages,
                              common::Progress &progress = common::noProgress());

// The refusal of a line end in one of the dialog's typed boxes (the company
// code and name, the dates' years, months and days, the rate), naming the box;
// empty when there is none. Pasted into a box, one would end a line of the
// export early and move every later line of the settings file.
QString dialogLineEndRefusal(const ExportFields &fields);

// "実　行": Fm3_FormatCheck, dialogLineEndRefusal, Fm3_CsvExport, then
// Fm3_IniFileSave (after every run that passed both checks, also a cancelled
// one). A refused line end writes nothing.
ExportResult runExportCommand(ExportFields &fields, AppState &state, const journal::JournalGrid &grid,
                              const ExportServices &services,
                              common::Progress &progress = common::noProgress());

} // namespace mokpe::output
