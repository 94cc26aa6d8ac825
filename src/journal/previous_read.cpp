#include "journal/previous_read.h"

#include "journal/read_store_lock.h"
#include "maintenance/set_aside_file.h"
#include "settings/program_files.h"

#include <QDir>
#include <QFileInfo>

namespace mokpe::journal {

namespace {

QString damagedStoreMessage(const QString &path, const QString &problem, const QString &keptAs)
{
    QString text =
        QStringLiteral("前回の読込み記録「%1」を使用できません．\r\n").arg(QDir::toNativeSeparators(path)) +
        problem;
    if (keptAs.isEmpty()) {
        // Whatever stands there is not replaced: it may be the user's.
        return text + QStringLiteral("\r\n照合には使いません．置き換えることもできないため，"
                                     "今回の読込みは記録されません．");
    }
    return text + QStringLiteral("\r\n照合には使わず，今回の読込みから記録し直します．") +
           QStringLiteral("\r\n元の記録は「%1」として残しました．").arg(QFileInfo(keptAs).fileName());
}

} // namespace

PreviousRead comparePreviousRead(const AppState &state, platform::MessageService &messages)
{
    PreviousRead read;
    if (state.history.cardKind != TransitCard || state.programFolder.isEmpty())
        return read;
    read.cardId = cardIdOf(state.history);
    read.storePath = settings::readStoreFilePath(state, read.cardId);
    if (read.storePath.isEmpty()) {
        // No card ID and no user: nothing to compare with, nowhere to book.
        if (state.matchPreviousRead)
            read.comparison = PreviousRead::Comparison::NoUser;
        return read;
    }
    const ReadStoreLock lock = lockReadStore(read.storePath);
    if (lock.status == ReadStoreLock::Status::Busy) {
        messages.inform(readStoreBusyMessage(read.storePath));
        read.storeBusy = true;
        return read;
    }
    read.toBook = true;
    if (!state.matchPreviousRead)
        return read;
    const ReadStoreLoad store = loadReadStore(read.storePath, read.cardId);
    if (store.unusable()) {
        read.comparison = PreviousRead::Comparison::Damaged;
        return read;
    }
    if (store.lines.empty()) {
        read.comparison = PreviousRead::Comparison::NoStore;
        return read;
    }
    const std::vector<ReadLine> fresh = readLinesOf(state.history);
    read.comparison = PreviousRead::Comparison::Compared;
    read.match = matchReads(fresh, store.lines);
    read.storedNewestBalance = store.lines.front().balance;
    read.storedNewestDate = store.lines.front().date;
    if (!fresh.empty())
        read.newestDate = fresh.front().date;
    read.toBook = !read.match.whollyInside;
    return read;
}

BookedLines PreviousRead::bookedLines() const
{
    if (comparison != Comparison::Compared)
        return {};
    return {match.booked};
}

ReadBooking bookRead(const AppState &state, PreviousRead &read, platform::MessageService &messages,
                     const QDateTime &now)
{
    ReadBooking booking;
    if (!read.toBook)
        return booking;
    booking.meant = true;
    booking.storePath = read.storePath;
    const ReadStoreLock lock = lockReadStore(read.storePath);
    if (lock.status == ReadStoreLock::Status::Busy) {
        messages.inform(readStoreBusyMessage(read.storePath));
        return booking;
    }
    ReadStoreLoad store = loadReadStore(read.storePath, read.cardId);
    if (store.unusable()) {
        // Kept under another name, never deleted: the user may want to look at
        // it. What could not be read at all is left where it is, and so is a
        // file that cannot be moved aside.
        const QString keptAs = store.status == ReadStoreLoad::Status::Damaged
                                   ? maintenance::setAsideFile(read.storePath, now)
                                   : QString();
        messages.inform(damagedStoreMessage(read.storePath, store.problem, keptAs));
        if (keptAs.isEmpty())
            return booking;
        store.lines.clear();
    }
    // With nothing stored there is nothing to meet, and the store will keep
    // only the newest lines: the rest of a long history need not be parsed.
    const std::vector<ReadLine> fresh =
        readLinesOf(state.history, store.lines.empty() ? static_cast<size_t>(kReadStoreLimit) : SIZE_MAX);
    const std::optional<std::vector<ReadLine>> after = storeAfterRead(fresh, store.lines);
    read.toBook = false;
    if (!after) {
        // The store holds the read already: nothing was meant to be written.
        booking.meant = store.status == ReadStoreLoad::Status::Damaged;
        booking.kept = true;
        return booking;
    }
    if (const QString error = saveReadStore(read.storePath, read.cardId, *after); !error.isEmpty()) {
        messages.inform(QStringLiteral("前回の読込み記録を保存できません．\r\n") + error);
        read.toBook = true;
        return booking;
    }
    booking.kept = true;
    return booking;
}

QString previousReadNotice(const PreviousRead &read)
{
    switch (read.comparison) {
    case PreviousRead::Comparison::Off:
        return {};
    case PreviousRead::Comparison::NoUser:
        return kNoUserNotice;
    case PreviousRead::Comparison::NoStore:
        return QStringLiteral("前回の読込み記録はまだありません．すべての取引を仕訳しました．");
    case PreviousRead::Comparison::Damaged:
        return QStringLiteral("前回の読込み記録が使用できないため，照合していません．");
    case PreviousRead::Comparison::Compared:
        break;
    }
    const ReadMatch &match = read.match;
    if (match.olderRead) {
        QString text = QStringLiteral("今回の読込み（%1まで）は，前回の読込み（%2まで）より前のものです．")
                           .arg(read.newestDate, read.storedNewestDate);
        if (match.matched > 0)
            return text + QStringLiteral("読込み済みの%1行を除き，記録に無い取引だけを仕訳しました．")
                              .arg(match.matched);
        return text + QStringLiteral("読込み済みの取引は無く，すべてを仕訳しました．");
    }
    if (match.whollyInside)
        return QStringLiteral("前回の読込みと照合：%1行すべてが読込み済みです．新しい取引はありません．")
            .arg(match.matched);
    QString text = QStringLiteral("前回の読込みと照合：読込み済みの%1行を除きました．").arg(match.matched);
    if (match.gap) {
        text += QStringLiteral("\n前回の読込み（%1）と今回の読込み（%2）が重なりません．"
                               "%1から%2までの間の取引が欠けている可能性があります．")
                    .arg(match.gap->from, match.gap->to);
    }
    return text;
}

QString previousBalanceOffer(const PreviousRead &read)
{
    if (read.comparison != PreviousRead::Comparison::Compared || !read.match.gap)
        return {};
    return read.storedNewestBalance;
}

} // namespace mokpe::journal
