#include "journal/journal_file.h"

#include "common/cp932.h"
#include "common/cp932_line_writer.h"
#include "common/text_file.h"
#include "journal/journal_messages.h"

#include <QIODevice>

#include <algorithm>

namespace mokpe::journal {

namespace {

const QLatin1Char kComma(',');

int lastWrittenRow(const JournalGrid &grid)
{
    return std::min(std::max(grid.journalRowCount(), 0), grid.rowTotal() - 1);
}

// Whether a saved summary already begins with a user's tag, "No." + the
// list position + ": " + the name + "，": a journal saved with a user chosen
// carries it in every summary and in the heading.
bool hasUserPrefix(QStringView summary)
{
    if (!summary.startsWith(u"No."))
        return false;
    qsizetype at = 3;
    while (at < summary.size() && summary[at] >= u'0' && summary[at] <= u'9')
        ++at;
    return at > 3 && summary.sliced(at).startsWith(u": ") && summary.indexOf(u'，', at + 2) >= 0;
}

} // namespace

QString journalFileLine(const JournalGrid &grid, int row)
{
    const RowTexts &cells = grid.rowTexts(row);
    qsizetype length = kColumnCount;
    for (const QString &cell : cells)
        length += cell.size();
    QString line;
    line.reserve(length);
    for (int c = 0; c < kColumnCount; ++c) {
        if (c > 0)
            line.append(kComma);
        line.append(cells[c]);
    }
    return line;
}

QString journalCommaCheck(const JournalGrid &grid)
{
    const int last = lastWrittenRow(grid);
    for (int r = 0; r <= last; ++r) {
        for (int c = NumberColumn; c < SummaryColumn; ++c) {
            if (grid.text(r, c).contains(kComma))
                return kCommaInFieldMessage.arg(r).arg(kHeadings[c]);
        }
    }
    return {};
}

QString writeJournalFile(QIODevice &device, const JournalGrid &grid, const QString &pathForMessages)
{
    const int last = lastWrittenRow(grid);
    // Every cell is checked before the first byte is written, so a character
    // CP932 cannot hold stops the save with nothing written; then the lines
    // stream through one converter and the file's text is never held whole.
    common::Cp932Encoder check;
    for (int r = 0; r <= last; ++r) {
        for (int c = 0; c < kColumnCount; ++c) {
            const QString &cell = grid.text(r, c);
            if (const qsizetype bad = check.firstUnencodable(cell); bad >= 0)
                return kUnsavableCharacterMessage.arg(r).arg(
                    kHeadings[static_cast<size_t>(c)],
                    common::describeCharacter(common::codePointAt(cell, bad)));
        }
    }
    common::Cp932LineWriter out(device);
    for (int r = 0; r <= last; ++r) {
        const RowTexts &cells = grid.rowTexts(r);
        for (int c = 0; c < kColumnCount; ++c) {
            if (c > 0)
                out.append(kComma);
            // The grid does not change while it is saved; its rows share
            // their dates, accounts, amounts and routes.
            out.appendLasting(cells[static_cast<size_t>(c)]);
        }
        out.endLine();
    }
    if (const QString error = out.finish(); !error.isEmpty())
        return common::writeFailureMessage(pathForMessages, error);
    return {};
}

bool Fm2_JournalLoad(JournalGrid &grid, const CardHistory &history, const QString &summaryPrefix,
                     common::Progress &progress)
{
    BulkChange bulk(grid);
    const int last = std::min(history.lastLineIndex, static_cast<int>(history.lines.size()) - 1);
    const int count = std::max(last, 0);
    grid.setRowTotal(std::max(kMinimumRowTotal, count + 1));
    common::ProgressSteps steps(progress, last + 1);
    for (int l = 0; l <= last; ++l) {
        if (steps.stopAt(l))
            return false;
        const QString &line = history.lines.at(l);
        RowTexts cells;
        qsizetype begin = 0;
        int c = 0;
        // Columns 0 to 5 end at a comma; a short line fills only what it has.
        for (; c < SummaryColumn; ++c) {
            const qsizetype comma = line.indexOf(kComma, begin);
            if (comma < 0) {
                cells[c] = line.mid(begin);
                break;
            }
            cells[c] = line.mid(begin, comma - begin);
            begin = comma + 1;
        }
        if (c == SummaryColumn) {
            const QStringView summary = QStringView(line).sliced(begin);
            // Put in front once: saved and reloaded with a user chosen, a
            // summary would otherwise gain one more tag each time.
            cells[SummaryColumn] =
                hasUserPrefix(summary) ? summary.toString() : summaryPrefix + summary.toString();
        }
        grid.setRowTexts(l, std::move(cells));
    }
    grid.setJournalRowCount(count);
    grid.setCurrent({1, 1});
    steps.finish();
    return true;
}

} // namespace mokpe::journal
