#include "platform/qt/responsive_printer_service.h"

#include "support/fake_printers.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>

#include <gtest/gtest.h>

namespace mokpe::platform {
namespace {

// "精算印刷" pressed while the print service is still being woken: the lookup
// waits for that wake-up (it starts no other) with the event loop running, so
// the progress dialog comes up, and then answers the system's printers. A
// later lookup wakes the service again.
TEST(ResponsivePrinterService, ALookupWaitsForTheWakeUpWithTheEventLoopRunning)
{
    test::FakePrinterService system;
    system.names = {QStringLiteral("事務所"), QStringLiteral("経理")};
    system.defaultName = QStringLiteral("経理");
    std::atomic<bool> release{false};
    std::atomic<int> wakeUps{0};
    // Held until the test lets it go; never past ten seconds, so that a lookup
    // that blocks the event loop fails the test instead of hanging it.
    const auto wakeUp = [&] {
        ++wakeUps;
        for (int ms = 0; ms < 10000 && !release; ++ms)
            QThread::msleep(1);
    };
    ResponsivePrinterService printers(system, wakeUp, 0);
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    printers.wakeAhead();

    bool dialogShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto *dialog = window.findChild<QProgressDialog *>();
        if (dialog && dialog->isVisible() && dialog->labelText() == ui::kPrintersLabel) {
            dialogShown = true;
            release = true;
        }
    });
    watch.start(5);
    EXPECT_EQ(printers.printerNames(), system.names);
    watch.stop();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(wakeUps, 1);
    EXPECT_EQ(window.findChild<QProgressDialog *>(), nullptr);

    EXPECT_EQ(printers.defaultPrinter(), system.defaultName);
    EXPECT_EQ(wakeUps, 2);
}

} // namespace
} // namespace mokpe::platform
