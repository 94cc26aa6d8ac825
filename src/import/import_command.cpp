#include "import/import_command.h"

#include "import/card_history_reader.h"
#include "import/import_messages.h"
#include "maintenance/account_code_file.h"
#include "platform/file_dialogs.h"
#include "settings/program_files.h"

#include <QFileInfo>

namespace mokpe::import {

namespace {

// An account code table and a code system must be there before a file is read.
bool prerequisitesMet(const AppState &state, platform::MessageService &messages,
                      platform::FileSystemQuery &files)
{
    if (!files.exists(settings::accountCodeFilePath(state)) || state.codeSystemState == -1) {
        messages.inform(kPrerequisiteMessage);
        return false;
    }
    return true;
}

void readChosenFile(AppState &state, platform::MessageService &messages, const QString &path,
                    const std::function<void()> &showJournalEditor, common::Progress &progress)
{
    const CsvReadOutcome outcome = Fm1_CsvFileRead(state, path, messages, progress);
    // A file that could not be read, or whose reading was stopped, leaves the
    // whole card history as it was, its path and name included; any other
    // file replaced it.
    if (outcome != CsvReadOutcome::Unreadable && outcome != CsvReadOutcome::Cancelled) {
        state.history.sourcePath = path;
        state.history.sourceName = QFileInfo(path).fileName();
    }
    if (outcome == CsvReadOutcome::Accepted && showJournalEditor)
        showJournalEditor();
}

} // namespace

void importCommand(AppState &state, const ImportServices &services,
                   const std::function<void()> &showJournalEditor, common::Progress &progress)
{
    if (!prerequisitesMet(state, services.messages, services.files))
        return;
    const QString path = services.dialogs.openFile(
        {platform::FileKind::History, platform::qtFilterFromPairs(kImportFilterPairs), {}, {}});
    if (path.isEmpty()) {
        services.messages.inform(kNoFileChosenMessage);
        return;
    }
    readChosenFile(state, services.messages, path, showJournalEditor, progress);
}

void importDroppedFile(AppState &state, platform::MessageService &messages, platform::FileSystemQuery &files,
                       const QString &path, const std::function<void()> &showJournalEditor,
                       common::Progress &progress)
{
    if (prerequisitesMet(state, messages, files))
        readChosenFile(state, messages, path, showJournalEditor, progress);
}

} // namespace mokpe::import
