#pragma once

#include <QString>

// Things that stand where a file is expected and must never be read as one:
// a pipe and an endless device, as each system has them.
namespace mokpe::test {

// A pipe to give a program in place of a file: on Linux a FIFO made at
// `path`. Windows keeps pipes in a name space of their own (\\.\pipe\...):
// there a named pipe that this process serves until it ends, whose name is
// returned instead.
QString makePipe(const QString &path);

// Whether the pipe made by makePipe() is still there and no program opened it.
bool pipeUntouched(const QString &path);

// Why no pipe can take a file's place inside a folder on this system (empty
// on Linux, where a FIFO can).
QString pipeInFolderUnavailable();

// A device whose reading never ends: /dev/zero on Linux, the console input
// (CON) on Windows.
QString endlessDevice();

// A character device standing at `path` (the null device's numbers, on Linux
// where the test may make one: root); empty where none can be made.
QString makeDevice(const QString &path);

// Another name for the file `existing`: a hard link, a symbolic link. False
// where the system (or the test's rights) cannot make one.
bool makeHardLink(const QString &existing, const QString &link);
bool makeSymbolicLink(const QString &existing, const QString &link);

} // namespace mokpe::test
