#pragma once

#include <QString>
#include <QStringList>

// The texts the import commands show, shared by the windows, the headless
// command and the tests.
namespace mokpe::import {

inline const QString kPrerequisiteMessage = QStringLiteral(
    "科目種類の選択は，\r\n\r\n「メンテナンス」→「科目コード設定」→「初回読込み」欄より\r\n\r\n"
    "選択して下さい．");
inline const QString kNoFileChosenMessage = QStringLiteral("ファイルを選択して下さい．");
inline const QString kEmptyFileMessage =
    QStringLiteral("このファイルは，読み込み可能なＣＳＶファイルではありません．");
inline const QString kUnrecognisedFileMessage =
    QStringLiteral("このファイルは，Siuca／Edyまたは，\r\n読み込み可能なＣＳＶファイルではありません．");
inline const QString kReaderNotFoundMessage = QStringLiteral("読込みソフトが見つかりません．");
// %1: the path of the card reader program.
inline const QString kReaderStartFailedMessage = QStringLiteral("読込みソフト「%1」を起動できませんでした．");

// The open dialog's filter, as description|pattern pairs.
inline const QString kImportFilterPairs = QStringLiteral("CSVファイル (*.csv)|*.csv|");

// The card reader program, looked for in this order. It is a 32-bit program:
// on 64-bit Windows it is installed under "Program Files (x86)".
inline const QStringList kReaderPaths = {
    QStringLiteral("C:\\Program Files\\Sony\\SFCard Viewer 2\\SFCV.exe"),
    QStringLiteral("D:\\Program Files\\Sony\\SFCard Viewer 2\\SFCV.exe"),
    QStringLiteral("C:\\Program Files (x86)\\Sony\\SFCard Viewer 2\\SFCV.exe"),
    QStringLiteral("D:\\Program Files (x86)\\Sony\\SFCard Viewer 2\\SFCV.exe"),
};

} // namespace mokpe::import
