#pragma once

#include "journal/read_store.h"

#include <QString>

#include <optional>
#include <vector>

// Where a new read of a card meets what earlier reads stored. A card keeps only
// its latest transactions, so consecutive reads overlap: the oldest lines of the
// new history repeat the newest stored ones. Two lines are the same transaction
// when date, description fields and balance are the same; the remark may have
// been edited in the reader since.
namespace mokpe::journal {

// The stored lines end before the new history begins, and nothing says what
// happened in between.
struct ReadGap {
    // The newest stored date and the oldest new date, as the histories write them.
    QString from;
    QString to;
    friend bool operator==(const ReadGap &, const ReadGap &) = default;
};

struct ReadMatch {
    // How many of the new history's oldest lines were booked before (its
    // newest ones for an older read); all of them when the history lies
    // wholly inside the store.
    int matched = 0;
    // Every line of the new history is a run of stored lines: read twice.
    bool whollyInside = false;
    std::optional<ReadGap> gap;
    // An older read brought in after a newer one: the history ends before the
    // store does, and `matched` of its newest lines lie in the store.
    bool olderRead = false;
    friend bool operator==(const ReadMatch &, const ReadMatch &) = default;
};

// Both lists newest first. The meeting point is the longest run of `fresh`'s
// oldest lines that equals the same number of `stored`'s newest lines, in
// order; where `fresh` holds every stored line, all its lines from the newest
// stored one down (the store keeps only the newest lines of a card). Without a
// meeting point, the longest run of `fresh`'s newest lines found anywhere in
// the store makes an older read; so does a history whose newest date lies
// before the newest stored one. Otherwise a gap is told when the oldest new
// date lies after the newest stored date. Time linear in the two lengths.
ReadMatch matchReads(const std::vector<ReadLine> &fresh, const std::vector<ReadLine> &stored);

// What the store holds after the new read, newest first and at most
// kReadStoreLimit lines: the new lines over the stored ones they continue (at
// the meeting point, or after a gap); the new lines alone when they do not
// continue the store and are at least as recent; for an older read, its lines
// the store did not hold put in below the stored ones they continue, or below
// the whole store when the history is older than all of it; nullopt when the
// store stays as it is (read twice, or an older read that neither meets the
// store nor lies wholly below it).
std::optional<std::vector<ReadLine>> storeAfterRead(const std::vector<ReadLine> &fresh,
                                                    const std::vector<ReadLine> &stored,
                                                    const ReadMatch &match);

} // namespace mokpe::journal
