#include "journal/read_store.h"

#include "common/text_file.h"
#include "common/vb_strings.h"
#include "journal/line_fields.h"
#include "journal/transit_line.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace mokpe::journal {

namespace {

QString storedLineText(const ReadLine &line)
{
    return line.date + QLatin1Char(',') + line.descriptionFields + QLatin1Char(',') + line.balance +
           QLatin1Char(',') + line.remark;
}

// The stored line as a classic transit line: field 0 the date, fields 1 to 6,
// field 7 the balance, the rest the remark.
std::optional<ReadLine> storedLine(const QString &text)
{
    const Commas commas = commasOf(text);
    if (!isDatedLine(text) || commas.size() < 8)
        return std::nullopt;
    ReadLine line;
    line.date = text.left(commas[0]);
    line.descriptionFields = text.mid(commas[0] + 1, commas[6] - commas[0] - 1);
    line.balance = field(text, commas, 7)->toString();
    line.remark = restAfterComma(text, commas, 8)->toString();
    return line;
}

} // namespace

QString cardIdOf(const CardHistory &history)
{
    const int last = std::min(history.lastLineIndex, static_cast<int>(history.lines.size()) - 1);
    for (int k = 0; k <= last; ++k) {
        const QString &line = history.lines.at(k);
        if (isDatedLine(line))
            break;
        if (line.startsWith(kCardIdPrefix))
            return common::trim(line.mid(kCardIdPrefix.size()));
    }
    return {};
}

std::vector<ReadLine> readLinesOf(const CardHistory &history, size_t newest)
{
    const TransitLayout layout = transitLayoutOf(history);
    std::vector<ReadLine> lines;
    const int last = std::min(history.lastLineIndex, static_cast<int>(history.lines.size()) - 1);
    // A long history is read from the top, newest first: the lines below the
    // ones asked for are never taken apart.
    for (int k = 0; k <= last && lines.size() < newest; ++k) {
        const QString &text = history.lines.at(k);
        if (!isDatedLine(text))
            continue;
        TransitLineParts parts = transitLineParts(text, layout);
        lines.push_back({std::move(parts.date), std::move(parts.descriptionFields), std::move(parts.balance),
                         std::move(parts.remark)});
    }
    return lines;
}

ReadStoreLoad loadReadStore(const QString &path, const QString &cardId)
{
    ReadStoreLoad load;
    if (!QFileInfo::exists(path))
        return load;
    const common::TextReadResult read = common::readTextFile(path);
    load.status = read.failure == common::ReadFailure::Unreadable ? ReadStoreLoad::Status::Unreadable
                                                                  : ReadStoreLoad::Status::Damaged;
    if (!read.ok) {
        load.problem = read.error;
        return load;
    }
    load.status = ReadStoreLoad::Status::Damaged;
    QStringList lines = read.lines;
    // An editor may leave blank lines at the end; the store never writes them.
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() < 2 || lines.at(0) != kCardIdPrefix + cardId || lines.at(1) != kReadStoreHeading) {
        load.problem = QStringLiteral("先頭の２行が，このカードの読込み記録のものではありません．");
        return load;
    }
    load.lines.reserve(static_cast<size_t>(lines.size() - 2));
    for (qsizetype i = 2; i < lines.size(); ++i) {
        std::optional<ReadLine> line = storedLine(lines.at(i));
        if (!line) {
            load.lines.clear();
            load.problem = QStringLiteral("%1行目が取引の行ではありません．").arg(i + 1);
            return load;
        }
        load.lines.push_back(std::move(*line));
    }
    load.status = ReadStoreLoad::Status::Loaded;
    return load;
}

QString saveReadStore(const QString &path, const QString &cardId, const std::vector<ReadLine> &lines)
{
    const size_t kept = std::min(lines.size(), static_cast<size_t>(kReadStoreLimit));
    QStringList texts{kCardIdPrefix + cardId, kReadStoreHeading};
    texts.reserve(static_cast<qsizetype>(kept) + 2);
    for (size_t i = 0; i < kept; ++i)
        texts.append(storedLineText(lines[i]));
    QByteArray bytes;
    if (QString error = common::encodeCp932Lines(texts, bytes, path); !error.isEmpty())
        return error;
    return common::writeFileAtomically(path, bytes);
}

} // namespace mokpe::journal
