#pragma once

#include "common/app_state.h"
#include "journal/journal_build.h"
#include "journal/read_matching.h"
#include "journal/read_store_lock.h"
#include "platform/messages.h"

#include <QDateTime>
#include <QString>

// The comparison of a transit history with the previous reads of its card, run
// by the journal editor's start-up before the journal is built: which of the
// oldest transactions were booked before and whether some may be missing. The
// read is kept in the store afterwards (keepPreviousRead): by the window as
// soon as the journal is open, by the headless command once it has done its
// work, so that a command that failed leaves every file as it was. From the
// comparison to the keeping, the store's lock is held: no other program reads
// or writes the card's store in between.
namespace mokpe::journal {

inline const QString kAllBookedMessage = QStringLiteral(
    "このファイルの取引は，すべて前回までに読み込み済みです．\r\n新しく仕訳する取引はありません．");

struct PreviousRead {
    enum class Comparison {
        // Not asked for ("前回の読込みと照合する" off), or no transit history.
        Off,
        // Asked for, but no earlier read of this card is stored.
        NoStore,
        // Asked for, but the store could not be used.
        Damaged,
        Compared,
    };
    Comparison comparison = Comparison::Off;
    // Compared: what the comparison found; otherwise nothing.
    ReadMatch match;
    // The balance after the newest stored transaction, and its date.
    QString storedNewestBalance;
    QString storedNewestDate;
    // The newest date of the history read.
    QString newestDate;

    // What keepPreviousRead does: the store's file, why it could not be used,
    // and what it holds after this read (nullopt: it stays as it is).
    QString storePath;
    QString cardId;
    QString storeProblem;
    std::optional<std::vector<ReadLine>> storeAfter;
    // Held from the comparison until the read is kept (or dropped).
    ReadStoreLock lock;
    // Another program held the store past the wait: the journal is not built
    // (told).
    bool storeBusy = false;

    // The transactions the construction leaves out.
    BookedLines bookedLines() const;
};

// For a transit history read into a program folder: loads the store of its
// card and, when `state.matchPreviousRead` is on, compares; what the store
// holds after the read is worked out either way, so that the next read meets
// this one. A history wholly inside the store is told (kAllBookedMessage).
// Writes nothing. Other card kinds, and an AppState without a program folder,
// give Off and nothing to keep. The store's lock is taken first, waiting a
// little for another program's read of the card; past the wait, storeBusy
// (told, nothing compared).
PreviousRead comparePreviousRead(const AppState &state, platform::MessageService &messages);

// Keeps the read in the store: a damaged store is told and set aside (never
// deleted), then the new store is written; a failed write is told, and so is
// a store that could not be set aside (something other than a file in its
// place), which is left as it is. Neither stops anything. Runs once: `read`
// has nothing more to keep afterwards, and the store's lock is released.
// False when the read should have been kept and was not.
bool keepPreviousRead(PreviousRead &read, platform::MessageService &messages,
                      const QDateTime &now = QDateTime::currentDateTime());

// The editor's notice of the comparison: how many lines were recognised as
// booked, a gap with its two dates, an older read with the newest dates of
// the history and of the store; empty when the comparison was off.
QString previousReadNotice(const PreviousRead &read);

// The previous balance the unsettled-amount dialog offers in computed mode:
// the stored newest balance when the reads do not meet; empty otherwise.
QString previousBalanceOffer(const PreviousRead &read);

} // namespace mokpe::journal
