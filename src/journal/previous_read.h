#pragma once

#include "common/app_state.h"
#include "journal/read_matching.h"
#include "platform/messages.h"

#include <QDateTime>
#include <QString>

// The comparison of a transit history with the previous reads of its card, run
// by the journal editor's start-up before the journal is built: which of the
// oldest transactions were booked before, whether some may be missing, and the
// read store brought up to date.
namespace mokpe::journal {

inline const QString kAllBookedMessage = QStringLiteral(
    "このファイルの取引は，すべて前回までに読み込み済みです．\r\n新しく仕訳する取引はありません．");

struct PreviousRead {
    enum class Comparison {
        // Not asked for ("前回の読込みと照合する" off), or no transit history.
        Off,
        // Asked for, but no earlier read of this card is stored.
        NoStore,
        // Asked for, but the store could not be used (told to the user).
        Damaged,
        Compared,
    };
    Comparison comparison = Comparison::Off;
    // Compared: what the comparison found; otherwise nothing.
    ReadMatch match;
    // The balance after the newest stored transaction.
    QString storedNewestBalance;

    // How many of the oldest transactions the construction leaves out.
    int bookedLines() const { return comparison == Comparison::Compared ? match.matched : 0; }
};

// For a transit history read into a program folder: loads the store of its
// card, compares when `state.matchPreviousRead` is on, and writes the store
// after the read whether or not it compared, so that the next read meets this
// one. A damaged store is told, set aside and started afresh; a store that
// cannot be written is told; neither stops the journal. A history wholly
// inside the store is told with kAllBookedMessage. Other card kinds, and an
// AppState without a program folder, leave everything as it is (Off).
PreviousRead consultPreviousRead(const AppState &state, platform::MessageService &messages,
                                 const QDateTime &now = QDateTime::currentDateTime());

// The editor's notice of the comparison: how many lines were recognised as
// booked, and a gap with its two dates; empty when the comparison was off.
QString previousReadNotice(const PreviousRead &read);

// The previous balance the unsettled-amount dialog offers in computed mode:
// the stored newest balance when the reads do not meet; empty otherwise.
QString previousBalanceOffer(const PreviousRead &read);

} // namespace mokpe::journal
