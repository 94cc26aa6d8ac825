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

struct Target {
    const char *name;
    Findings (*entry)(QByteArrayView input);
};

// Every target by the name of its folder of inputs under tests/fuzz/.
std::span<const Target> targets();
const Target *findTarget(QStringView name);

} // namespace mokpe::fuzz
