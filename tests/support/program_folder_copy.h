#pragma once

#include "support/file_helpers.h"

#include <QString>

namespace mokpe::test {

// The files of a program folder copied into a folder of the test's own, for a
// command to read and change. The program folder is "program" in the test's
// folder; the histories and outputs go beside it, where the program may write.
class ProgramFolderCopy {
public:
    explicit ProgramFolderCopy(const QString &from);
    // The program folder.
    QString path() const { return program_; }
    // A file the program keeps, in the program folder; any other beside it.
    QString file(const QString &name) const;
    // The test's folder, the program folder and every file in them readable
    // and writable by everyone: for a command run as another user.
    void shareWithEveryone() const;

private:
    TempFolder folder_;
    QString program_ = folder_.file(QStringLiteral("program"));
};

} // namespace mokpe::test
