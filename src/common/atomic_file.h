#pragma once

#include <QFile>
#include <QString>

// The atomic write: the new file is written in full under a temporary name
// beside the file it replaces, put on the disk, then renamed over it, so that
// the old file stays whole until the new one is complete. The temporary name is
// the program's own: "<file name>.mokpe-XXXXXX.tmp", six letters or digits. A
// write cut short (the program killed, the machine off) leaves one behind; the
// next write of that file removes it, and the start of the program those of its
// folder. Only names of that form are removed, only ordinary files, and never
// one that a writer, in this program or another, still holds (see
// durable_write.h; on Windows a writer lets go of its temporary just before the
// rename, and a clean-up in that instant makes the rename fail, which is told:
// the old file stays).
namespace mokpe::common {

// The temporary of one write. Written through as a QFile; every write after a
// failed one fails too, so that a commit never puts a file with a hole in place.
// Opened by openAtomicWrite() and committed by commitAtomicWrite() (text_file.h);
// a write not committed is removed with its object.
class AtomicFile : public QFile {
public:
    // `path` as given: the write replaces the file its links lead to, and the
    // links stay.
    explicit AtomicFile(QString path);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // The path as given, for messages.
    const QString &targetPath() const { return path_; }
    // The file that is replaced (see writtenFilePath); known once begun.
    const QString &writtenPath() const { return written_; }

    // Makes the temporary and opens it for writing; removes the temporaries
    // earlier writes of the same file left. False with the system's reason.
    bool begin(QString &reason);
    // Puts the temporary (flushed and synced) in the file's place. False with
    // the system's reason; the temporary is then gone.
    bool replaceTarget(QString &reason);
    // Nothing more is written, and the temporary goes with its object.
    void cancelWriting();
    // The write given up now: the temporary is closed and removed.
    void discard();
    // Whether a write failed or the writing was cancelled.
    bool writeFailed() const { return failed_; }

protected:
    qint64 writeData(const char *data, qint64 len) override;

private:
    QString path_;
    QString written_;
    bool failed_ = false;
    // The temporary is there and this object's to remove.
    bool open_ = false;
};

// The file a write to `path` lands on: every symbolic link followed to its end,
// also a chain that ends where nothing is yet; for an existing file its
// canonical path, else the canonical path of its folder with the name the
// links end on. Empty when the links go round in a circle.
QString writtenFilePath(const QString &path);

// Whether `name` is the name of a temporary of an atomic write of the file
// named `fileName`, or of any file when `fileName` is empty.
bool isTemporaryName(const QString &name, const QString &fileName = QString());

// Removes what atomic writes left behind in `folder`: the temporaries of the
// file named `fileName`, or all of them when it is empty.
void removeLeftoverTemporaries(const QString &folder, const QString &fileName = QString());

} // namespace mokpe::common
