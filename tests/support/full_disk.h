#pragma once

#include <QString>
#include <QStringList>

namespace mokpe::test {

// A folder on a file system that can be made full: a small tmpfs where this
// process may mount one (root), otherwise a file-size limit (RLIMIT_FSIZE, with
// SIGXFSZ ignored) that makes any write past a few bytes fail. The test puts its
// old files in place first, then calls makeFull(). On Windows
// (full_disk_win.cpp) the folder is on the small drive that the test run
// names in MOKPE_TEST_SMALL_DRIVE (under Wine a drive letter on a tmpfs).
class FullDiskFolder {
public:
    FullDiskFolder();
    ~FullDiskFolder();
    FullDiskFolder(const FullDiskFolder &) = delete;
    FullDiskFolder &operator=(const FullDiskFolder &) = delete;

    QString path() const { return path_; }
    QString file(const QString &name) const;
    // Fills the tmpfs to the last byte, or sets the file-size limit for this
    // process; from now on writing a file of more than a few bytes fails.
    void makeFull();
    // A write failing half-way: from now on no file of this process may grow
    // past `bytes` (RLIMIT_FSIZE, SIGXFSZ ignored); the write that crosses it
    // is cut short with EFBIG.
    void limitFileSize(unsigned long long bytes);
    // Undoes makeFull() and limitFileSize() (also done by the destructor).
    void release();
    bool onTmpfs() const { return mounted_; }
    // Why this folder's disk cannot be made full here, or empty when it can:
    // a test that needs it skips itself with this reason.
    QString cannotFillReason() const;
    // Why no write can be cut off half-way here (limitFileSize(),
    // commandLimitedTo()), or empty when it can.
    static QString cannotCutShortReason();
    // Arguments that run `program` with the same limit where no tmpfs is used:
    // a shell that sets `ulimit -f` and ignores SIGXFSZ, then execs the program.
    QStringList commandFor(const QString &program, const QStringList &arguments) const;
    // Arguments that run `program` with a write failing half-way: no file it
    // writes may grow past `bytes` (prlimit, SIGXFSZ ignored).
    static QStringList commandLimitedTo(unsigned long long bytes, const QString &program,
                                        const QStringList &arguments);

private:
    QString path_;
    bool mounted_ = false;
    bool limited_ = false;
    unsigned long long oldLimit_ = 0;
};

} // namespace mokpe::test
