#pragma once

#include "platform/single_instance.h"

#include <QLockFile>
#include <QString>

#include <memory>

class QFileSystemWatcher;

namespace mokpe::platform {

// One instance per user: a lock file in the user's runtime folder. A lock left
// by a crashed instance is taken over (QLockFile checks whether its owner lives).
// A later start leaves an empty file in a request folder beside the lock; the
// holder watches that folder, takes the files away and runs its handler. Files
// and a folder watch work alike on every system, where a local socket would
// need Qt's network module.
class LockFileInstance final : public SingleInstance {
public:
    // An empty folder means the user's runtime folder.
    explicit LockFileInstance(const QString &folder = QString());
    ~LockFileInstance() override;
    bool acquire() override;
    bool askHolderToShow() override;
    void onShowRequest(std::function<void()> handler) override;
    QString lockPath() const { return path_; }
    QString requestFolder() const { return requestFolder_; }

private:
    void takeRequests();

    QString path_;
    QString requestFolder_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QFileSystemWatcher> watcher_;
    std::function<void()> handler_;
};

} // namespace mokpe::platform
