// The progress dialog of a long operation appears from one of its steps, never
// on its own while a message between two steps waits for the user: it would
// take the keyboard, and Enter meant for the message would press "中止".
#include "common/ui/progress_dialog.h"

#include <QProgressDialog>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace mokpe::ui {
namespace {

TEST(ProgressDialog, AppearsFromAStepOnceTheDelayHasPassed)
{
    QWidget window;
    window.show();
    ProgressDialog progress(&window, kBuildingLabel, ProgressDialog::Cancel::Allowed, 50);
    progress.setRange(10);
    progress.setValue(1);
    ASSERT_NE(progress.dialog(), nullptr);
    EXPECT_FALSE(progress.dialog()->isVisible());
    // A message waits for the user well past the delay: nothing appears.
    QTest::qWait(300);
    EXPECT_FALSE(progress.dialog()->isVisible());
    // The next step shows it.
    progress.setValue(2);
    EXPECT_TRUE(progress.dialog()->isVisible());
    EXPECT_EQ(progress.dialog()->labelText(), kBuildingLabel);
}

} // namespace
} // namespace mokpe::ui
