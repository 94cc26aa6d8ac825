#include "app/second_start.h"
#include "platform/lock_file_instance.h"

#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::app {
namespace {

using namespace std::chrono_literals;

// A second start on a program folder in use: quiet when the running one came
// to the front, else it says why it opens nothing.
TEST(SecondStart, SaysWhyItOpensNothingUnlessTheRunningOneCameForward)
{
    const struct {
        const char *name;
        bool watched;
        QStringList told;
    } cases[] = {
        {"Shown", true, {}},
        {"NoAnswer", false, {kRunningMessage}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        platform::LockFileInstance running(folder.path());
        ASSERT_TRUE(running.acquire());
        if (c.watched)
            running.onShowRequest([] {});
        platform::LockFileInstance second(folder.path());
        ASSERT_FALSE(second.acquire());
        test::ScriptedMessages messages;
        answerSecondStart(second, messages, 1s);
        EXPECT_EQ(messages.texts(), c.told);
        // Nothing of the request is left for a later holder.
        EXPECT_TRUE(QDir(running.requestFolder()).entryList(QDir::Files).isEmpty());
    }
}

} // namespace
} // namespace mokpe::app
