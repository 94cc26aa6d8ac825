#pragma once

#include "journal/journal_editor.h"
#include "support/scripted_services.h"
#include "journal/journal_grid.h"

#include <gtest/gtest.h>

namespace mokpe::test {

// A journal editor on a transit journal (the settlement label shown) whose rows
// are given directly, as the start-up leaves them: snapshot taken, modified
// flag clear, current cell row 1, column 1.
struct EditorFixture : ::testing::Test {
    ScriptedServices scripted;
    AppState state;
    journal::JournalGrid grid;
    journal::JournalEditor editor{state, grid, {scripted.messages, scripted.dialogs}};

    EditorFixture()
    {
        state.settings.formatChoice = QStringLiteral("0");
        state.history.cardKind = TransitCard;
    }
    // Each row "summary" or "summary|debit amount" (credit amount alike;
    // default 100): the 19 July fare of one e-money card.
    void load(const QStringList &rows)
    {
        using namespace journal;
        grid.initialise(std::max(kMinimumRowTotal, static_cast<int>(rows.size()) + 1));
        for (int r = 1; r <= rows.size(); ++r) {
            const QStringList f = rows.at(r - 1).split(QLatin1Char('|'));
            const QString amount = f.size() > 1 ? f.at(1) : QStringLiteral("100");
            grid.setRowTexts(r, {QString::number(r), QStringLiteral("2008/07/19"), QStringLiteral("旅費交通"),
                                 amount, QStringLiteral("電子マネー"), amount, f.at(0)});
        }
        grid.setJournalRowCount(static_cast<int>(rows.size()));
        editor.Fm2_UndoInit();
        editor.Fm2_TotalShow();
        grid.setModified(false);
        grid.setCurrent({1, DateColumn});
    }
    // Column `column` of every journal row, as "number:text".
    QStringList column(int column) const
    {
        QStringList out;
        for (int r = 1; r <= grid.journalRowCount(); ++r)
            out.append(grid.text(r, journal::NumberColumn) + ':' + grid.text(r, column));
        return out;
    }
    QStringList told() const { return scripted.messages.texts(); }
};

} // namespace mokpe::test
