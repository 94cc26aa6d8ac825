#pragma once

#include "support/file_helpers.h"

#include <QString>

namespace mokpe::test {

// The files of a program folder copied into a folder of the test's own, for a
// command to read and change.
class ProgramFolderCopy {
public:
    explicit ProgramFolderCopy(const QString &from) { copyFiles(from, folder_.path()); }
    QString path() const { return folder_.path(); }
    QString file(const QString &name) const { return folder_.file(name); }

private:
    TempFolder folder_;
};

} // namespace mokpe::test
