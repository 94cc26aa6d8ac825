#pragma once

#include "common/app_state.h"
#include "common/progress.h"
#include "common/text_file.h"
#include "platform/messages.h"

#include <QString>
#include <QStringList>

#include <optional>

// Reads a card history file (a transit card or Edy export, a saved journal or a
// Money 2007 report) into the card history and tells which of the four it is.
namespace mokpe::import {

// The largest card history read. A card holds about 100 transactions, a few
// kilobytes of history; a Money report of ten years of daily entries is a few
// megabytes, and a journal file saved from a million rows under 100 MB. A file
// beyond this is no history, and reading it would take several times its
// size in memory.
inline constexpr qint64 kMaxCardHistoryBytes = qint64{128} * 1024 * 1024;

// The card kind from the first matching line among lines 0 to 3 (never past
// `lastLineIndex`). Within a line: "利用年月日" 0, "Edy" 1, "No." 2,
// "費目別取引" or "支払先/支払元別取引" 3; case-sensitive. None: nullopt.
std::optional<int> recognizeCardKind(const QStringList &lines, int lastLineIndex);

enum class CsvReadOutcome {
    Accepted,
    // The file could not be opened or decoded; the card history is as it was.
    Unreadable,
    // The file has no line; its (empty) content replaced the card history.
    NoLines,
    // No keyword in lines 0 to 3; the lines replaced the card history, the card
    // kind is as it was.
    Unrecognised,
    // The user stopped the reading; the card history is as it was.
    Cancelled,
};

// Reads every line of the file (CP932, or UTF-8 when the file is clearly UTF-8)
// into the card history, plus one final empty element, and sets the card kind.
// Every refusal is told through `messages`; Accepted means the journal editor
// is to be opened on the new history. The lines decoded are told to
// `progress`, which may stop the reading.
CsvReadOutcome Fm1_CsvFileRead(AppState &state, const QString &path, platform::MessageService &messages,
                               common::Progress &progress = common::noProgress());

// The rest of a read once the file's bytes are decoded (`read`): its lines go
// into the card history and its card kind is recognised. A refusal is told
// through `messages`; a cancelled read leaves the card history as it was.
CsvReadOutcome takeCardHistory(CardHistory &history, common::TextReadResult read,
                               platform::MessageService &messages);

} // namespace mokpe::import
