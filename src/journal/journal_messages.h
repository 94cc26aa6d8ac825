#pragma once

#include <QString>

// The texts the journal editor shows, shared by the window, the headless
// command and the tests.
namespace mokpe::journal {

// "No. " + r + this: the last journal row lacking its date or an amount.
inline const QString kRowCountCheckMessage = QStringLiteral(" 行目 : 日付か金額欄に空欄行を検出しました．");
// r + this: the first journal row lacking its date or an amount.
inline const QString kBlankCheckMessage =
    QStringLiteral("行目：「　日付　」か「　金額　」列に空欄が有ります．");
inline const QString kSaveFilterPairs = QStringLiteral("CSVファイル (*.csv)|*.csv|");
inline const QString kOverwriteTitle = QStringLiteral("ファイルの上書き");
inline const QString kOverwriteQuestion = QStringLiteral("同じファイル名があります．上書きしますか？");
inline const QString kUnsavedTitle = QStringLiteral("データの保存");
inline const QString kUnsavedQuestion = QStringLiteral("データが変更されています．保存しますか？");
// %1 row, %2 column heading: a comma there would move the fields after it.
inline const QString kCommaInFieldMessage =
    QStringLiteral("No. %1 行目 : 「%2」欄に「,」があるため保存できません．「,」を取り除いて下さい．");
// %1 row, %2 column heading, %3 the cell: an amount that is no whole number of
// yen within 64 bits.
inline const QString kUnreadableAmountMessage = QStringLiteral(
    "No. %1 行目 : 「%2」欄の「%3」は金額として読めません．金額は半角数字の整数(円)で入力して下さい．");
// "金額ゼロ行削除" and "物販行削除" ask this first.
inline const QString kBulkDeleteTitle = QStringLiteral("連続行削除");
inline const QString kBulkDeleteQuestion =
    QStringLiteral("連続で行削除します．一度削除すると戻りません．\r\n削除しますか？");
// A commit into a date or amount cell that already holds a value.
inline const QString kFixedCellMessage = QStringLiteral("「　日付　」及び「　金額　」欄は変更できません．");
// %1 column heading: a comma typed or assigned into a field before the summary
// would move the fields after it in the saved journal file.
inline const QString kCommaInCellMessage =
    QStringLiteral("「%1」欄には「,」を入力できません．「,」を取り除いて下さい．");
// %1 column heading: a line end pasted into the one-line cell editor would
// split the row in the saved journal file and in an export.
inline const QString kLineEndInCellMessage =
    QStringLiteral("「%1」欄には改行を入力できません．改行を取り除いて下さい．");
// The name a journal built from a history is first offered under: the
// history's own name with this before its extension (the history itself is
// no place for a journal).
inline const QString kJournalNameSuffix = QStringLiteral("_仕訳");
// The status line after a save: %1 the file, %2 the journal rows.
inline const QString kSavedNotice = QStringLiteral("「%1」に%2行の仕訳を保存しました．");
// %1 row, %2 column heading, %3 the character.
inline const QString kUnsavableCharacterMessage = QStringLiteral(
    "No. %1 行目 : 「%2」欄の文字%3は，Shift_JIS(CP932)で保存できないため，保存を中止しました．");

} // namespace mokpe::journal
