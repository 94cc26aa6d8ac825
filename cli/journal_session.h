#pragma once

#include "cli/journal_edits.h"
#include "cli/written_files.h"
#include "common/app_state.h"
#include "journal/journal_editor.h"
#include "journal/journal_grid.h"
#include "platform/console_messages.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/os_system_info.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

// What `mokpe journal` and the commands built on it share: the options that
// open a journal, and the journal opened as the windows would open it.
namespace mokpe::cli {

struct JournalOptions {
    QString file;
    QString dir;
    // The main window's list position: 1 the first user; none: "-- 選択なし --".
    std::optional<int> user;
    // Every balance cell settled in direct mode with this amount.
    std::optional<QString> settle;
    // Every balance cell settled in computed mode with this previous balance.
    std::optional<QString> previousBalance;
    // "--no-match": the history is not compared with the previous reads.
    bool match = true;
    // Run after the settling, in this order.
    std::vector<JournalEdit> edits;
};

// The options that open a journal: "--dir DIR", "--user N", "--settle
// AMOUNT", "--previous-balance N", "--no-match" and the editing options
// (journalEditOptions). A command adds its own to them.
std::vector<OptionSpec> journalOptions();

// Reads those options and FILE from a parsed command line, after the
// command's own. False, with the problem: a malformed value, both ways of
// settling, a missing FILE or an argument too many.
bool readJournalOptions(const CommandLine &line, JournalOptions &options, QString &problem);

// A file dialog that answers the file given on the command line; a save
// dialog is cancelled (the commands name their output without one).
class PresetFileDialogs final : public platform::FileDialogService {
public:
    explicit PresetFileDialogs(QString path) : path_(std::move(path)) {}
    QString openFile(const platform::FileRequest &) override { return path_; }
    QString saveFile(const platform::FileRequest &) override { return {}; }

private:
    QString path_;
};

// The journal of FILE opened as the windows open it, messages on standard error.
class JournalSession {
public:
    explicit JournalSession(const JournalOptions &options);
    JournalSession(const JournalSession &) = delete;
    JournalSession &operator=(const JournalSession &) = delete;

    // The main window's start-up in DIR, the user chosen, "会計CSVファイル読込み"
    // on FILE, the journal editor's start-up, then every balance cell settled
    // as the unsettled-amount dialog would, in row order and column 3 before
    // 5, and "再計算"; then the editing options in their order, questions
    // answered Yes, and "再計算" again. Returns 0 when the journal is open, 1
    // when the user is not in the list (told on standard error), 2 when the
    // system refused, a file of the program folder could not be read or
    // written or another program was reading the same card (its message shown).
    int open();

    // The read store goes into `files` when the journal's save or export had
    // something to book there (the window books a read at the same steps). A
    // command that saved and exported nothing books nothing, so that it can be
    // run again.
    void recordBooking(WrittenFiles &files);

    AppState &state() { return state_; }
    journal::JournalEditor &editor() { return editor_; }
    const journal::JournalGrid &grid() const { return grid_; }
    platform::ConsoleMessageService &messages() { return messages_; }

private:
    bool chooseUser();
    bool settleBalanceCells();
    bool runEdits();

    JournalOptions options_;
    AppState state_;
    journal::JournalGrid grid_;
    platform::ConsoleMessageService messages_{stderr, false};
    PresetFileDialogs dialogs_;
    platform::LocalFileSystem files_;
    platform::OsSystemInfo system_;
    journal::JournalEditor editor_;
};

} // namespace mokpe::cli
