#pragma once

#include <QString>
#include <QStringList>

namespace mokpe::platform {

// Starts another program without waiting for it, with an argument list (no shell).
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
};

class DetachedProcessLauncher final : public ProcessLauncher {
public:
    bool startDetached(const QString &program, const QStringList &arguments) override;
};

} // namespace mokpe::platform
