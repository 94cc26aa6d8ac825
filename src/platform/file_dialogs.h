#pragma once

#include <QString>

namespace mokpe::platform {

// Open and save dialogs; a cancelled dialog gives an empty name.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // `filter` is a Qt name filter such as "CSVファイル (*.csv)".
    virtual QString openFile(const QString &filter) = 0;
    virtual QString saveFile(const QString &filter, const QString &presetName) = 0;
};

// "CSVファイル (*.csv)|*.csv|" (description|pattern pairs) as a Qt filter,
// one entry per pair joined by ";;".
QString qtFilterFromPairs(const QString &pairs);

} // namespace mokpe::platform
