#pragma once

#include <QString>

namespace mokpe::platform {

// Whether a file is there: asked through here so that fixed Windows paths can be
// answered by a test.
class FileSystemQuery {
public:
    virtual ~FileSystemQuery() = default;
    virtual bool exists(const QString &path) = 0;
};

class LocalFileSystem final : public FileSystemQuery {
public:
    bool exists(const QString &path) override;
};

} // namespace mokpe::platform
