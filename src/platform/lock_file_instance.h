#pragma once

#include "platform/single_instance.h"

#include <QLockFile>
#include <QString>

#include <memory>

namespace mokpe::platform {

// One instance per user: a lock file in the user's runtime folder. A lock left
// by a crashed instance is taken over (QLockFile checks whether its owner lives).
class LockFileInstance final : public SingleInstance {
public:
    // An empty folder means the user's runtime folder.
    explicit LockFileInstance(const QString &folder = QString());
    bool acquire() override;
    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace mokpe::platform
