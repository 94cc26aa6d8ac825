#pragma once

#include "platform/single_instance.h"

#include <QString>

#include <memory>

class QFileSystemWatcher;

namespace mokpe::platform {

// One instance per program folder: whoever runs it, from whatever session,
// all of them would write the same settings, tables and read stores. The
// claim is a lock file in the program folder that only a living program holds
// (common/exclusive_lock.h). A later start leaves a request file, naming its
// session, in a request folder beside the lock; the holder watches that
// folder, takes the requests of its own session away and runs its handler,
// and answers the others by renaming them. Files and a folder watch work alike
// on every system, where a local socket would need Qt's network module.
class LockFileInstance final : public SingleInstance {
public:
    explicit LockFileInstance(const QString &programFolder);
    ~LockFileInstance() override;
    bool acquire() override;
    bool askHolderToShow() override;
    Answer holderAnswer(std::chrono::milliseconds wait) override;
    void onShowRequest(std::function<void()> handler) override;
    QString lockPath() const { return path_; }
    QString requestFolder() const { return requestFolder_; }

private:
    void takeRequests();

    QString path_;
    QString requestFolder_;
    // The request this start left, without its suffix.
    QString request_;
    std::shared_ptr<void> lock_;
    std::unique_ptr<QFileSystemWatcher> watcher_;
    std::function<void()> handler_;
};

} // namespace mokpe::platform
