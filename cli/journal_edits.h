#pragma once

#include "cli/command_line.h"
#include "journal/journal_editor.h"

#include <QString>
#include <QStringList>

#include <vector>

// The editing options of the commands that open a journal: the journal
// editor's buttons, its cell editor and its account drop-down, run in the
// order given on the command line.
namespace mokpe::cli {

struct JournalEdit {
    enum Kind { Assign, Set, Insert, Append, Delete, DeleteLast, DeleteZero, DeleteGoods, Undo };
    Kind kind = Append;
    // The option and its value as given, for messages.
    QString given;
    int firstRow = 0;
    int lastRow = 0;
    int column = 0;
    QString text;
};

// The editing options: "--assign FIRST[-LAST]:COLUMN=ACCOUNT" (COLUMN 2 or
// 4), "--set ROW:COLUMN=TEXT" (COLUMN 1 to 6), "--insert ROW", "--append",
// "--delete ROW", "--delete-last", "--delete-zero", "--delete-goods" and
// "--undo". Rows count from 1.
std::vector<OptionSpec> journalEditOptions();

// The edits of a parsed command line, in their order. False, with the
// problem, when a value is malformed.
bool readJournalEdits(const CommandLine &line, std::vector<JournalEdit> &edits, QString &problem);

// Runs the edits on the journal as the window would, the bulk deletions'
// question answered Yes by the editor's message service. A row outside the
// journal, an account that is not in the drop-down's list and every refusal of
// the editor stop the run: false, after the message on standard error.
bool runJournalEdits(journal::JournalEditor &editor, const std::vector<JournalEdit> &edits);

} // namespace mokpe::cli
