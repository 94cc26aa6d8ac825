#include "app/ui/window_raiser.h"

#include "app/ui/main_window.h"
#include "platform/lock_file_instance.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace mokpe::ui {
namespace {

// A later start, through the real instance files, brings back the running
// program's minimised main window as the active one.
TEST(WindowRaiser, ALaterStartRestoresAndActivatesTheMainWindow)
{
    test::TempFolder folder;
    AppState state;
    state.programFolder = folder.path();
    test::ScriptedServices fakes;
    platform::LockFileInstance running(folder.path());
    ASSERT_TRUE(running.acquire());
    WindowRaiser raiser;
    running.onShowRequest([&raiser] { raiser.bringToFront(); });
    MainWindow window(state, fakes.services());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    {
        // Another window takes the focus and goes, leaving the main window minimised.
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        window.showMinimized();
    }
    ASSERT_TRUE(window.isMinimized());
    ASSERT_NE(QApplication::activeWindow(), &window);

    platform::LockFileInstance later(folder.path());
    ASSERT_FALSE(later.acquire());
    ASSERT_TRUE(later.askHolderToShow());
    EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.isMinimized(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }, 10000));
}

} // namespace
} // namespace mokpe::ui
