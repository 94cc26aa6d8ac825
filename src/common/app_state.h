#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace mokpe {

// One account of fixed role: 3-digit code, 4-digit code, name.
struct AccountTriple {
    QString code3;
    QString code4;
    QString name;
    friend bool operator==(const AccountTriple &, const AccountTriple &) = default;
};

// The values of "inifile.ini" and what is derived from them whenever it is read.
struct SettingsRecord {
    static constexpr int kLineCount = 15;
    static constexpr int kSlotCount = 16;
    std::array<QString, kSlotCount> lines;
    QString formatChoice;
    QString screenColour;
    QString buttonColour;
    AccountTriple unsettledAccount;
    AccountTriple emoneyAccount;
    QString emoneyNameCopy;
};

enum CardKind : int { TransitCard = 0, Edy = 1, JournalFile = 2, MoneyReport = 3 };

// The lines of the last imported file. `lines` has one more element than the
// file had lines: a final empty one.
struct CardHistory {
    QStringList lines{QString()};
    int lastLineIndex = 0;
    int cardKind = TransitCard;
    QString sourcePath;
    QString sourceName;
    // The folder of the imported file; empty before any import.
    QString sourceFolder() const;
};

// The lines of "kamoku_code.csv": 3-digit code, 4-digit code, name; line 0 the
// unsettled e-money account, line 1 the e-money account.
struct AccountCodeTable {
    QStringList lines;
    int lastIndex = -1;
};

// The lines of "person.csv", each one user entry taken whole.
struct UserTable {
    QStringList entries;
    int lastIndex = 0;
};

// The program-wide values every window shares. Made in main, passed by reference.
struct AppState {
    // Where "inifile.ini", "kamoku_code.csv" and "person.csv" live.
    QString programFolder;
    SettingsRecord settings;
    CardHistory history;
    // 1: the Ｗ code system, 0: the 楓林 code system, -1: none chosen yet.
    qint16 codeSystemState = 0;
    // "No." + list position + ": " + user entry + "，", or empty.
    QString summaryPrefix;
    // The chosen user's entry; empty when none is chosen. A transit history
    // without a card ID is compared with this user's earlier reads.
    QString userEntry;
    AccountCodeTable accounts;
    UserTable users;
    int osMajorVersion = 0;
    // Which default set the account code editor loaded last in this run: 1 Ｗ, 0 楓林.
    int accountEditorDefaultSet = 0;
    // "前回の読込みと照合する": a transit history is compared with the previous
    // reads of its card, and what was booked then is left out of the journal.
    bool matchPreviousRead = false;
};

inline const QString kVersionText = QStringLiteral("Ver.081030-00");
inline const QString kProgramCaption = QStringLiteral("モコペ！");

} // namespace mokpe
