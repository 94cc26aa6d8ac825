#include "maintenance/code_system_select.h"

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

TEST(CodeSystemSelect, TheFormatChoiceFixesTheCodeSystem)
{
    struct Case {
        const char *formatChoice;
        qint16 before;
        qint16 after;
    };
    const Case cases[] = {
        {"0", 1, 1},     {"0", 0, 0},   {"0", -1, -1}, {"1", 0, 1},  {"2", -1, 1},
        {"3", 1, 0},     {"4", -1, 0},  {"5", 1, 1},   {"-1", 0, 0}, {"", 1, 1},
        {"abc", -1, -1}, {" 2 ", 0, 1}, {"3.0", 1, 0}, {"02", 0, 1}, {"1a", 0, 0},
    };
    for (const Case &c : cases) {
        AppState state;
        state.settings.formatChoice = QString::fromUtf8(c.formatChoice);
        state.codeSystemState = c.before;
        selectCodeSystem(state);
        EXPECT_EQ(state.codeSystemState, c.after) << c.formatChoice << " from " << c.before;
    }
}

} // namespace
} // namespace mokpe::maintenance
