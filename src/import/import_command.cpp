#include "import/import_command.h"

#include "import/card_history_reader.h"
#include "import/import_messages.h"
#include "maintenance/account_code_file.h"
#include "platform/file_dialogs.h"

#include <QFileInfo>

namespace mokpe::import {

void importCommand(AppState &state, const platform::Services &services,
                   const std::function<void()> &showJournalEditor, common::Progress &progress)
{
    platform::MessageService &messages = *services.messages;
    if (!services.files->exists(state.programFile(maintenance::kAccountCodeFileName)) ||
        state.codeSystemState == -1) {
        messages.inform(kPrerequisiteMessage);
        return;
    }
    const QString path = services.dialogs->openFile(
        {platform::FileKind::History, platform::qtFilterFromPairs(kImportFilterPairs), {}, {}});
    if (path.isEmpty()) {
        messages.inform(kNoFileChosenMessage);
        return;
    }
    const CsvReadOutcome outcome = readCardHistory(state, path, messages, progress);
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

} // namespace mokpe::import
