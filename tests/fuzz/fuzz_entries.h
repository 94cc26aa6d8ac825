#pragma once

#include <QByteArrayView>
#include <QStringList>

#include <span>

// The fuzzing entries: each takes the bytes of one input along one road of the
// program, as the windows and `mokpe` take a user's file, and returns the rules
// the program broke on the way (empty when every rule held). The fuzz targets
// abort on a broken rule; the regression test feeds every kept input to the
// same entry and expects no broken rule.
namespace mokpe::fuzz {

using Findings = QStringList;

// Card history bytes read as "会計CSVファイル読込み" reads a file, the journal
// editor's start-up on it, every balance cell settled, the totals, and the
// journal saved and read back.
Findings cardHistoryEntry(QByteArrayView input);

// Any readable file opened as a journal file (card kind 2): loaded, checked,
// saved and read back.
Findings journalFileEntry(QByteArrayView input);

// "kamoku_code.csv" through the start-up check into the account code table and
// the code system, the account code editor's contents and their save.
Findings accountTableEntry(QByteArrayView input);

// "inifile.ini" read at start-up and by the export dialog, and written back.
Findings settingsFileEntry(QByteArrayView input);

// "person.csv" read into the user list, and saved from the user editor.
Findings usersFileEntry(QByteArrayView input);

// One format byte, one option byte, then a card history, "kamoku_code.csv" and
// "inifile.ini", each ended by the byte 0x1E: the start-up, the journal of the
// history, the preflight and the writer of the chosen format into a buffer,
// and the settlement report laid out page by page.
Findings exportEntry(QByteArrayView input);

// The lean entries: one parser or writer alone, on bytes in memory, without
// the program folder's files or the editor's start-up, so that a run of
// millions of inputs is quick. Each whole road above keeps its own entry.

// The card history bytes decoded and taken as "会計CSVファイル読込み" takes
// them, the journal built (or loaded) into an empty grid, then settled and
// saved as cardHistoryEntry does.
Findings historyBuildEntry(QByteArrayView input);

// Any bytes decoded as a history file and loaded as a journal file into an
// empty grid, then checked and saved as journalFileEntry does.
Findings journalLoadEntry(QByteArrayView input);

// "kamoku_code.csv" bytes decoded into the account code table when every
// account line is well formed: the code system, the drop-down, the look-ups
// and the account code editor's contents, which come back once saved.
Findings accountLinesEntry(QByteArrayView input);

// One format byte, one option byte (bit 0 "空欄で出力", bits 1 and 2 the card
// kind), then the journal rows (UTF-8, a row a line, cells separated by tabs),
// "kamoku_code.csv" and the dialog's boxes (UTF-8, one a line: company code,
// company name, year-end, period start and end as "Y/M/D", rate), each ended
// by 0x1E: the preflight, the writer of the chosen format into a buffer, and
// the settlement report laid out.
Findings exportWritersEntry(QByteArrayView input);

struct Target {
    const char *name;
    Findings (*entry)(QByteArrayView input);
    // The folder of its seeds under tests/fuzz/ (a lean entry shares the
    // seeds of its whole road when it reads the same input).
    const char *seeds;
};

// Every target by the name of its folder of inputs under tests/fuzz/.
std::span<const Target> targets();
const Target *findTarget(QStringView name);

} // namespace mokpe::fuzz
