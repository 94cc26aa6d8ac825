#include "common/device_names.h"

#include <gtest/gtest.h>

namespace mokpe::common {
namespace {

TEST(WindowsDeviceName, IsTheNameBeforeTheFirstDotInAnyCase)
{
    const struct {
        const char *name;
        bool device;
    } cases[] = {
        {"CON", true},      {"con", true},       {"Nul.csv", true},  {"aux.tar.gz", true},
        {"PRN ", true},     {"COM1", true},      {"lpt9.txt", true}, {"CONIN$", true},
        {"conout$", true},  {"COM0", false},     {"COM10", false},   {"LPT", false},
        {"CONSOLE", false}, {"nul_data", false}, {"my.nul", false},  {"履歴.csv", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isWindowsDeviceName(QString::fromUtf8(c.name)), c.device) << c.name;
}

} // namespace
} // namespace mokpe::common
