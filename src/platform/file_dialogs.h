#pragma once

#include <QString>

namespace mokpe::platform {

// What a file dialog is for. Each kind opens in the folder last used for it,
// remembered per user (RecentFolders).
enum class FileKind {
    // A card history or a journal file to read ("会計CSVファイル読込み").
    History,
    // A journal to save ("保　存").
    Journal,
    // An export file to write ("実　行").
    Export,
    // The settlement report as a PDF ("PDFで保存").
    Report,
};

struct FileRequest {
    FileKind kind = FileKind::History;
    // A Qt name filter such as "CSVファイル (*.csv)".
    QString filter;
    // Save dialogs: the file name filled in.
    QString presetName;
    // Where the dialog opens while no folder has been used for `kind` yet
    // (empty: the user's documents).
    QString fallbackFolder;
};

// Open and save dialogs; a cancelled dialog gives an empty name.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    virtual QString openFile(const FileRequest &request) = 0;
    virtual QString saveFile(const FileRequest &request) = 0;
};

// "CSVファイル (*.csv)|*.csv|" (description|pattern pairs) as a Qt filter,
// one entry per pair joined by ";;".
QString qtFilterFromPairs(const QString &pairs);

} // namespace mokpe::platform
