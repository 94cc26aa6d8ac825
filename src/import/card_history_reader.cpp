#include "import/card_history_reader.h"

#include "common/text_file.h"
#include "import/import_messages.h"

#include <algorithm>

namespace mokpe::import {

namespace {

// Keywords of each card kind, in the order they are tried within one line.
struct KindKeyword {
    int kind;
    const char16_t *keyword;
};

constexpr KindKeyword kKeywords[] = {
    {TransitCard, u"利用年月日"},          {Edy, u"Edy"}, {JournalFile, u"No."}, {MoneyReport, u"費目別取引"},
    {MoneyReport, u"支払先/支払元別取引"},
};

// Only the first four lines carry the heading of a known layout.
constexpr int kHeadingLinesSearched = 4;

} // namespace

std::optional<int> recognizeCardKind(const QStringList &lines, int lastLineIndex)
{
    const qsizetype lastSearched =
        std::min<qsizetype>({static_cast<qsizetype>(kHeadingLinesSearched - 1),
                             static_cast<qsizetype>(lastLineIndex), lines.size() - 1});
    for (qsizetype n = 0; n <= lastSearched; ++n) {
        const QString &line = lines.at(n);
        for (const KindKeyword &k : kKeywords) {
            if (line.contains(QStringView(k.keyword), Qt::CaseSensitive))
                return k.kind;
        }
    }
    return std::nullopt;
}

CsvReadOutcome Fm1_CsvFileRead(AppState &state, const QString &path, platform::MessageService &messages,
                               common::Progress &progress)
{
    return takeCardHistory(
        state.history,
        common::readTextFile(path, common::TextEncoding::Cp932OrUtf8, kMaxCardHistoryBytes, progress),
        messages);
}

CsvReadOutcome takeCardHistory(CardHistory &history, common::TextReadResult read,
                               platform::MessageService &messages)
{
    if (read.cancelled)
        return CsvReadOutcome::Cancelled;
    if (!read.ok) {
        messages.inform(read.error);
        return CsvReadOutcome::Unreadable;
    }
    history.lastLineIndex = static_cast<int>(read.lines.size()) - 1;
    history.lines = std::move(read.lines);
    // The journal construction reads one element past the last line. Room for
    // exactly that one: a list grown by doubling would hold room for a second
    // history.
    history.lines.reserve(history.lines.size() + 1);
    history.lines.append(QString());
    if (history.lastLineIndex < 0) {
        messages.inform(kEmptyFileMessage);
        return CsvReadOutcome::NoLines;
    }
    const std::optional<int> kind = recognizeCardKind(history.lines, history.lastLineIndex);
    if (!kind) {
        messages.inform(kUnrecognisedFileMessage);
        return CsvReadOutcome::Unrecognised;
    }
    history.cardKind = *kind;
    return CsvReadOutcome::Accepted;
}

} // namespace mokpe::import
