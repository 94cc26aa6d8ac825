#include "support/test_environment.h"

#include <QByteArray>

#include <cstdlib>
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
} // namespace

void pinTestEnvironment()
{
    setenv("TZ", "Asia/Tokyo", 1);
    setenv("LANG", "C.UTF-8", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static const std::string home = makeTempFolder("mokpe-test-home-");
    static const std::string runtime = makeTempFolder("mokpe-test-run-");
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    unsetenv("XDG_DESKTOP_DIR");
}

} // namespace mokpe::test
