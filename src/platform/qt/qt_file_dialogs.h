#pragma once

#include "platform/file_dialogs.h"
#include "platform/recent_folders.h"

namespace mokpe::platform {

// Qt's own open and save dialogs (in Japanese once Qt's translation is
// loaded), each opened in the folder last used for its kind of file.
class QtFileDialogService final : public FileDialogService {
public:
    explicit QtFileDialogService(RecentFolders &folders) : folders_(folders) {}
    QString openFile(const FileRequest &request) override;
    QString saveFile(const FileRequest &request) override;

private:
    RecentFolders &folders_;
};

} // namespace mokpe::platform
