#include "support/test_environment.h"

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

namespace mokpe::test {

namespace {
// A 0700 folder of this process's own, removed when it ends.
QString makeTempFolder(const QString &pattern)
{
    QTemporaryDir dir(QDir::tempPath() + QLatin1Char('/') + pattern + QStringLiteral("XXXXXX"));
    if (!dir.isValid())
        std::abort();
    dir.setAutoRemove(false);
    return dir.path();
}
QString homeFolder;
QString runtimeFolder;

void removeTestFolders()
{
    QDir(homeFolder).removeRecursively();
    QDir(runtimeFolder).removeRecursively();
}

void setEnv(const char *name, const QString &value)
{
    qputenv(name, value.toLocal8Bit());
}
} // namespace

void pinTestEnvironment()
{
#ifdef Q_OS_WIN
    // The C runtime of Windows knows no zone names, only a name and an offset.
    qputenv("TZ", "JST-9");
#else
    qputenv("TZ", "Asia/Tokyo");
#endif
    qputenv("LANG", "C.UTF-8");
    qputenv("LC_ALL", "C.UTF-8");
#ifdef Q_OS_WIN
    // Windows' own platform shows no window unless asked to, and its font
    // database is the system's; the offscreen one has no fonts there.
    qputenv("QT_QPA_PLATFORM", "windows");
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    homeFolder = makeTempFolder(QStringLiteral("mokpe-test-home-"));
    runtimeFolder = makeTempFolder(QStringLiteral("mokpe-test-run-"));
    // The process's own folders go when it ends, however the tests went.
    std::atexit(removeTestFolders);
    setEnv("HOME", homeFolder);
    setEnv("XDG_RUNTIME_DIR", runtimeFolder);
    setEnv("XDG_CONFIG_HOME", homeFolder + QStringLiteral("/.config"));
    setEnv("XDG_DATA_HOME", homeFolder + QStringLiteral("/.local/share"));
    qunsetenv("XDG_DESKTOP_DIR");
}

} // namespace mokpe::test
