#pragma once

#include "common/app_state.h"
#include "settings/program_files.h"

#include <QString>

#include <cstdint>
#include <vector>

// The read store: what the program keeps of the transit histories it has read,
// so that the next read of the same card can tell which of its transactions
// were booked already. One small file per card in the program folder, named
// after the card ID where the history gives one ("カードID=…"), else one file
// for the folder. The file is itself a transit history in the classic layout
// (CP932, CR LF): "カードID=" + the ID, the heading, then the transactions,
// newest first.
namespace mokpe::journal {

// One transaction as the store keeps it: what the matching compares (date,
// description fields, balance) and the remark.
struct ReadLine {
    QString date;
    // Fields 1 to 6 as written, joined by their five commas.
    QString descriptionFields;
    QString balance;
    QString remark;
    friend bool operator==(const ReadLine &, const ReadLine &) = default;
};

inline const QString kCardIdPrefix = QStringLiteral("カードID=");
inline const QString kReadStoreHeading =
    QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考");
// A card keeps at most about a hundred transactions; a thousand covers every
// read that can still overlap the next one.
inline constexpr int kReadStoreLimit = 1000;

// The card ID a transit history gives before its first transaction; empty when
// it gives none.
QString cardIdOf(const CardHistory &history);

// The transactions of a transit history (either layout), newest first; only
// the newest `newest` of them when that is fewer.
std::vector<ReadLine> readLinesOf(const CardHistory &history, size_t newest = SIZE_MAX);

struct ReadStoreLoad {
    // Unreadable: something is there that could not be read (see
    // common::ReadFailure); it may be a good store, and is neither set aside
    // nor replaced.
    enum class Status { Missing, Loaded, Damaged, Unreadable };
    Status status = Status::Missing;
    std::vector<ReadLine> lines;
    // Damaged or Unreadable: why, in words for the user.
    QString problem;
    // Whether a store is there that cannot be used.
    bool unusable() const { return status == Status::Damaged || status == Status::Unreadable; }
};

// Reads the store of `cardId` at `path`. A file that cannot be decoded, whose
// first two lines are not this card's ID and the heading, or with a line that
// is no stored transaction is damaged: nothing of it is used.
ReadStoreLoad loadReadStore(const QString &path, const QString &cardId);

// Writes the newest kReadStoreLimit of `lines` atomically; an empty text on
// success, else the message for the user.
QString saveReadStore(const QString &path, const QString &cardId, const std::vector<ReadLine> &lines);

} // namespace mokpe::journal
