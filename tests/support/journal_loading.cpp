#include "support/journal_loading.h"

#include "import/card_history_reader.h"
#include "support/scripted_services.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::test {

void loadJournalFile(AppState &state, const QString &path)
{
    ScriptedMessages messages;
    ASSERT_TRUE(import::Fm1_CsvFileRead(state, path, messages)) << messages.texts().join('|').toStdString();
    state.history.sourcePath = path;
    state.history.sourceName = QFileInfo(path).fileName();
    journal::JournalGrid &grid = state.journal;
    const int last = state.history.lastLineIndex;
    grid.initialise(std::max(journal::kMinimumRowTotal, last + 1));
    // Fields 0 to 5 end at a comma; the summary is the rest of the line.
    for (int r = 0; r <= last; ++r) {
        const QString &line = state.history.lines.at(r);
        journal::RowTexts texts;
        qsizetype start = 0;
        for (int c = 0; c < journal::kColumnCount - 1; ++c) {
            const qsizetype comma = line.indexOf(QLatin1Char(','), start);
            texts[static_cast<size_t>(c)] = comma < 0 ? line.mid(start) : line.mid(start, comma - start);
            start = comma < 0 ? line.size() : comma + 1;
        }
        texts[journal::SummaryColumn] = line.mid(start);
        grid.setRowTexts(r, texts);
    }
    grid.setJournalRowCount(last);
}

} // namespace mokpe::test
