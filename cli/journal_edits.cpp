#include "cli/journal_edits.h"

#include <QRegularExpression>

#include <algorithm>
#include <iterator>

#include <cstdio>
#include <optional>

namespace mokpe::cli {

namespace {

struct EditOption {
    const char *name;
    JournalEdit::Kind kind;
    // The form of the value; none for an option without one.
    const char *value;
};

const EditOption kOptions[] = {
    {"--assign", JournalEdit::Assign, "FIRST[-LAST]:COLUMN=ACCOUNT with COLUMN 2 or 4"},
    {"--set", JournalEdit::Set, "ROW:COLUMN=TEXT with COLUMN 1 to 6"},
    {"--insert", JournalEdit::Insert, "a row number from 1"},
    {"--append", JournalEdit::Append, nullptr},
    {"--delete", JournalEdit::Delete, "a row number from 1"},
    {"--delete-last", JournalEdit::DeleteLast, nullptr},
    {"--delete-zero", JournalEdit::DeleteZero, nullptr},
    {"--delete-goods", JournalEdit::DeleteGoods, nullptr},
    {"--undo", JournalEdit::Undo, nullptr},
};

std::optional<int> rowNumber(const QString &text)
{
    bool ok = false;
    const int row = text.toInt(&ok);
    if (!ok || row < 1 || text.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return row;
}

// Reads the option's value into `edit`; false when it is malformed.
bool readValue(JournalEdit &edit, const QString &value)
{
    static const QRegularExpression assign(QStringLiteral("^(\\d+)(?:-(\\d+))?:([24])=(.*)$"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression set(QStringLiteral("^(\\d+):([1-6])=(.*)$"),
                                        QRegularExpression::DotMatchesEverythingOption);
    switch (edit.kind) {
    case JournalEdit::Assign: {
        const QRegularExpressionMatch m = assign.match(value);
        if (!m.hasMatch())
            return false;
        const std::optional<int> first = rowNumber(m.captured(1));
        const std::optional<int> last = m.hasCaptured(2) ? rowNumber(m.captured(2)) : first;
        if (!first || !last)
            return false;
        edit.firstRow = *first;
        edit.lastRow = *last;
        edit.column = m.captured(3).toInt();
        edit.text = m.captured(4);
        return true;
    }
    case JournalEdit::Set: {
        const QRegularExpressionMatch m = set.match(value);
        const std::optional<int> row = m.hasMatch() ? rowNumber(m.captured(1)) : std::nullopt;
        if (!row)
            return false;
        edit.firstRow = *row;
        edit.column = m.captured(2).toInt();
        edit.text = m.captured(3);
        return true;
    }
    default: {
        const std::optional<int> row = rowNumber(value);
        if (!row)
            return false;
        edit.firstRow = *row;
        return true;
    }
    }
}

bool tellNotAJournalRow(const JournalEdit &edit, int row, int journalRowCount)
{
    std::fprintf(stderr, "mokpe: %s: row %d is not a journal row (the journal has %d rows)\n",
                 edit.given.toUtf8().constData(), row, journalRowCount);
    return false;
}

bool runEdit(journal::JournalEditor &editor, const JournalEdit &edit)
{
    const int count = editor.grid().journalRowCount();
    const int column = editor.grid().current().column;
    switch (edit.kind) {
    case JournalEdit::Assign:
        switch (editor.assignAccountCommand(edit.firstRow, edit.lastRow, edit.column, edit.text)) {
        case journal::JournalEditor::AssignOutcome::Assigned:
            return true;
        case journal::JournalEditor::AssignOutcome::NotAJournalRow:
            return tellNotAJournalRow(edit, edit.firstRow, count);
        case journal::JournalEditor::AssignOutcome::NotInTheList:
            std::fprintf(stderr,
                         "mokpe: %s: %s is not in the account list (the unsettled e-money account and the "
                         "accounts of kamoku_code.csv)\n",
                         edit.given.toUtf8().constData(), edit.text.toUtf8().constData());
            return false;
        case journal::JournalEditor::AssignOutcome::Refused:
            return false;
        }
        return false;
    case JournalEdit::Set:
        if (edit.firstRow > count)
            return tellNotAJournalRow(edit, edit.firstRow, count);
        editor.setCurrentCell(edit.firstRow, edit.column);
        return editor.enterKeyCommand(edit.text);
    case JournalEdit::Insert:
        // The row just below the journal may take the new row, as in the window.
        if (edit.firstRow > count + 1)
            return tellNotAJournalRow(edit, edit.firstRow, count);
        editor.setCurrentCell(edit.firstRow, column);
        return editor.insertRowCommand();
    case JournalEdit::Append:
        editor.appendRowCommand();
        return true;
    case JournalEdit::Delete:
        if (edit.firstRow > count)
            return tellNotAJournalRow(edit, edit.firstRow, count);
        editor.setCurrentCell(edit.firstRow, column);
        return editor.deleteRowCommand();
    case JournalEdit::DeleteLast:
        editor.deleteLastRowCommand();
        return true;
    case JournalEdit::DeleteZero:
        editor.Fm2_BulkRowDelete(journal::BulkDelete::ZeroAmountRows);
        return true;
    case JournalEdit::DeleteGoods:
        editor.Fm2_BulkRowDelete(journal::BulkDelete::GoodsRows);
        return true;
    case JournalEdit::Undo:
        editor.undoCommand();
        return true;
    }
    return false;
}

} // namespace

std::vector<OptionSpec> journalEditOptions()
{
    std::vector<OptionSpec> options;
    for (const EditOption &o : kOptions) {
        options.emplace_back(QLatin1String(o.name),
                             o.value ? OptionSpec::OrderedValue : OptionSpec::OrderedFlag,
                             o.value ? QLatin1String(o.value) : QString());
    }
    return options;
}

bool readJournalEdits(const CommandLine &line, std::vector<JournalEdit> &edits, QString &problem)
{
    for (const CommandLine::Given &given : line.ordered()) {
        const auto option =
            std::find_if(std::begin(kOptions), std::end(kOptions),
                         [&given](const EditOption &o) { return given.name == QLatin1String(o.name); });
        if (option == std::end(kOptions))
            continue;
        JournalEdit edit;
        edit.kind = option->kind;
        edit.given = given.name;
        if (option->value) {
            if (!readValue(edit, given.value)) {
                problem = QStringLiteral("%1 %2: expected %3")
                              .arg(edit.given, given.value, QLatin1String(option->value));
                return false;
            }
            edit.given += QLatin1Char(' ') + given.value;
        }
        edits.push_back(std::move(edit));
    }
    return true;
}

bool runJournalEdits(journal::JournalEditor &editor, const std::vector<JournalEdit> &edits)
{
    for (const JournalEdit &edit : edits) {
        if (!runEdit(editor, edit))
            return false;
    }
    return true;
}

} // namespace mokpe::cli
