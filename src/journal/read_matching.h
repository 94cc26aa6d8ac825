#pragma once

#include "journal/read_store.h"

#include <QString>

#include <optional>
#include <vector>

// Where a new read of a card meets what earlier reads stored. The store holds
// every transaction ever booked from the card, whatever order the reads came
// in: a line of the new history that the store holds was booked before, and
// is never booked again. Two lines are the same transaction when date,
// description fields and balance are the same; the remark may have been
// edited in the reader since.
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
    // Per line of the new history, newest first: booked before.
    std::vector<bool> booked;
    // How many lines were booked before.
    int matched = 0;
    // Every line of the new history was booked before: read twice.
    bool whollyInside = false;
    // Nothing of the new history was booked, it lies wholly after the store,
    // and nothing says what happened in between.
    std::optional<ReadGap> gap;
    // An older read brought in after a newer one: its newest new transaction
    // lies below stored ones.
    bool olderRead = false;
    friend bool operator==(const ReadMatch &, const ReadMatch &) = default;
};

// Both lists newest first. A new line is booked when the store holds it (each
// stored line answers for one new line, the oldest new ones first), or when
// the store is full and the line goes below all of it: the store dropped it.
// Time linear in the two lengths, and a logarithm.
ReadMatch matchReads(const std::vector<ReadLine> &fresh, const std::vector<ReadLine> &stored);

// What the store holds after the new read, newest first and at most
// kReadStoreLimit lines (the oldest dropped): every stored line, and every new
// line not booked before put in its place. A run of new lines goes where its
// booked neighbours stand in the store; without one, by date, where lines of
// one day from both sides are ordered as their reads are (the read that ends
// later, or else begins later, above). Booked lines take the new read's
// remark. nullopt when the store stays as it is.
std::optional<std::vector<ReadLine>> storeAfterRead(const std::vector<ReadLine> &fresh,
                                                    const std::vector<ReadLine> &stored);

} // namespace mokpe::journal
