#pragma once

#include "common/app_state.h"
#include "journal/journal_build.h"
#include "journal/read_matching.h"
#include "platform/messages.h"

#include <QDateTime>
#include <QString>

// The comparison of a transit history with the previous reads of its card, run
// by the journal editor's start-up before the journal is built: which of the
// oldest transactions were booked before and whether some may be missing. The
// read's transactions count as booked (they go into the card's read store) only
// when the journal that holds them is saved or exported, whichever comes
// first: a journal closed unsaved books nothing, and reading the same file
// again builds the same journal. The store's lock is held while the store is
// read for the comparison and again while the read is booked into it, never in
// between: another program may read the card while the journal is edited.
namespace mokpe::journal {

// A read that brings no transaction the store does not hold opens no journal.
inline const QString kAllBookedMessage = QStringLiteral(
    "このファイルの取引は，すべて前回までに読み込み済みです．\r\n新しく仕訳する取引はありません．"
    "\r\nもう一度仕訳する場合は，「前回の読込みと照合する」のチェックを外して読み込んで下さい．");

// A history without a card ID while no user is chosen.
inline const QString kNoUserNotice =
    QStringLiteral("カードIDの無い履歴のため，前回の読込みと照合していません．"
                   "照合するには，使用者を選択してから読み込んで下さい．");

struct PreviousRead {
    enum class Comparison {
        // Not asked for ("前回の読込みと照合する" off), or no transit history.
        Off,
        // Asked for, but the history gives no card ID and no user is chosen:
        // whose earlier reads to compare with is unknown (told).
        NoUser,
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

    // Where the read is booked: the store's file and the card's ID.
    QString storePath;
    QString cardId;
    // The read has transactions to book and they are not booked yet.
    bool toBook = false;
    // Another program held the store past the wait: the journal is not built
    // (told).
    bool storeBusy = false;

    // Every transaction of the history was booked before: nothing to journal.
    bool nothingNew() const { return comparison == Comparison::Compared && match.whollyInside; }
    // The transactions the construction leaves out.
    BookedLines bookedLines() const;
};

// For a transit history read into a program folder: loads the store of its
// card and, when `state.matchPreviousRead` is on, compares. Writes nothing. Other
// card kinds, and an AppState without a program folder, give Off and nothing
// to book. The store's lock is held while the store is read, waiting a little
// for another program's booking of the card; past the wait, storeBusy (told,
// nothing compared).
PreviousRead comparePreviousRead(const AppState &state, platform::MessageService &messages);

// What booking a read did.
struct ReadBooking {
    // There was something to book.
    bool meant = false;
    // It is in the store now.
    bool kept = false;
    QString storePath;
};

// Books the transactions of `state.history` (the read `read` compared) in the
// card's store, once: the store is read again under its lock and the history
// merged into it as it stands now (another program may have booked the card
// since the comparison). A damaged store is told and set aside (never
// deleted), then the new store is written; a busy store, a failed write and a
// store that could not be set aside (something other than a file in its place,
// left as it is) are told and leave the read to book at the next save or
// export. Nothing meant when the read has nothing (more) to book.
ReadBooking bookRead(const AppState &state, PreviousRead &read, platform::MessageService &messages,
                     const QDateTime &now = QDateTime::currentDateTime());

// The editor's notice of the comparison: how many lines were recognised as
// booked, a gap with its two dates, an older read with the newest dates of
// the history and of the store; empty when the comparison was off.
QString previousReadNotice(const PreviousRead &read);

// The previous balance the unsettled-amount dialog offers in computed mode:
// the stored newest balance when the reads do not meet; empty otherwise.
QString previousBalanceOffer(const PreviousRead &read);

} // namespace mokpe::journal
