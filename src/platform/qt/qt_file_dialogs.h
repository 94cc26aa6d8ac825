#pragma once

#include "platform/file_dialogs.h"

namespace mokpe::platform {

class QtFileDialogService final : public FileDialogService {
public:
    QString openFile(const QString &filter) override;
    QString saveFile(const QString &filter, const QString &presetName) override;
};

} // namespace mokpe::platform
