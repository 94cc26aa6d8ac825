#include "support/test_environment.h"

#include <QByteArray>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace mokpe::test {

namespace {
std::string makeTempFolder(const char *pattern)
{
    std::string path = std::string("/tmp/") + pattern + "XXXXXX";
    if (!mkdtemp(path.data()))
        std::abort();
    chmod(path.c_str(), 0700);
    return path;
}
std::string homeFolder;
std::string runtimeFolder;

void removeTestFolders()
{
    std::error_code ignored;
    std::filesystem::remove_all(homeFolder, ignored);
    std::filesystem::remove_all(runtimeFolder, ignored);
}
} // namespace

void pinTestEnvironment()
{
    setenv("TZ", "Asia/Tokyo", 1);
    setenv("LANG", "C.UTF-8", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    homeFolder = makeTempFolder("mokpe-test-home-");
    runtimeFolder = makeTempFolder("mokpe-test-run-");
    // The process's own folders go when it ends, however the tests went.
    std::atexit(removeTestFolders);
    const std::string &home = homeFolder;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    unsetenv("XDG_DESKTOP_DIR");
}

} // namespace mokpe::test
