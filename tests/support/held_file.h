#pragma once

#include <QString>

namespace mokpe::test {

// A file held open as a spreadsheet program holds the file it shows: read
// and written, shared for reading only, until this object goes. On Windows
// (held_file_win.cpp) nobody else may then write, rename or replace it.
class HeldFile {
public:
    explicit HeldFile(const QString &path);
    // Not defaulted here: the Windows build closes the handle.
    ~HeldFile(); // NOLINT(performance-trivially-destructible)
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;
    // Why holding a file keeps nobody from replacing it on this system, or
    // empty where it does (Windows): a test that needs it skips itself.
    static QString cannotHoldReason();

private:
    void *handle_ = nullptr;
};

} // namespace mokpe::test
