#pragma once

#include "common/app_state.h"
#include "common/progress.h"
#include "platform/services.h"

#include <functional>

namespace mokpe::import {

// "会計CSVファイル読込み": checks that an account code table and a code system
// are there, asks for a file, remembers its path and name and reads it. After
// a successful read `showJournalEditor` is called (when set). The reading is
// told to `progress`; a reading the user stopped changes nothing and opens
// nothing.
// Uses services.messages, services.dialogs and services.files.
void importCommand(AppState &state, const platform::Services &services,
                   const std::function<void()> &showJournalEditor,
                   common::Progress &progress = common::noProgress());

// A file dropped on the main window: the same checks and reading as
// importCommand, with `path` in place of the file the dialog would give.
void importDroppedFile(AppState &state, const platform::Services &services, const QString &path,
                       const std::function<void()> &showJournalEditor,
                       common::Progress &progress = common::noProgress());

} // namespace mokpe::import
