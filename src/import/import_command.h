#pragma once

#include "common/app_state.h"
#include "common/progress.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/messages.h"

#include <functional>

namespace mokpe::import {

// What reading a chosen card history asks of the person and the machine.
struct ImportServices {
    platform::MessageService &messages;
    platform::FileDialogService &dialogs;
    platform::FileSystemQuery &files;
};

// "会計CSVファイル読込み": checks that an account code table and a code system
// are there, asks for a file, remembers its path and name and reads it. After
// a successful read `showJournalEditor` is called (when set). The reading is
// told to `progress`; a reading the user stopped changes nothing and opens
// nothing.
void importCommand(AppState &state, const ImportServices &services,
                   const std::function<void()> &showJournalEditor,
                   common::Progress &progress = common::noProgress());

// A file dropped on the main window: the same checks and reading as
// importCommand, with `path` in place of the file the dialog would give.
void importDroppedFile(AppState &state, platform::MessageService &messages, platform::FileSystemQuery &files,
                       const QString &path, const std::function<void()> &showJournalEditor,
                       common::Progress &progress = common::noProgress());

} // namespace mokpe::import
