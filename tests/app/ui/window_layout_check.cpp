// Opens every window of the program (the tour of tests/support/ui) at the scale
// factor this process was started with and prints each layout fault found as
// "window: fault". Exit status 1 when there was any. Run by the window layout
// test, once for each scale factor.
#include "app/ui/application.h"
#include "app/ui/qt_translation.h"
#include "support/test_environment.h"
#include "support/ui/layout_faults.h"
#include "support/ui/window_tour.h"

#include <QApplication>
#include <QFileDialog>
#include <QWidget>

#include <cstdio>

int main(int argc, char **argv)
{
    // The platform (offscreen, with its screen) and the scale come from the test.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    mokpe::test::pinTestEnvironment();
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    mokpe::ui::setUpFonts();
    mokpe::ui::installQtTranslation();
    int windows = 0;
    int faults = 0;
    mokpe::test::tourEveryWindow([&](const QString &name, QWidget &window) {
        ++windows;
        std::fprintf(stderr, "checking %s\n", qPrintable(name));
        for (const QString &fault : mokpe::test::layoutFaults(window)) {
            ++faults;
            std::printf("%s: %s\n", qPrintable(name), qPrintable(fault));
        }
        // A window the user may make smaller keeps everything whole down to
        // the smallest size it allows (Qt's own file dialog is Qt's to lay out).
        if (window.isWindow() && window.layout() && !qobject_cast<QFileDialog *>(&window) &&
            window.minimumSize() != window.maximumSize()) {
            const QSize shown = window.size();
            window.resize(window.minimumSize());
            QApplication::processEvents();
            for (const QString &fault : mokpe::test::layoutFaults(window)) {
                ++faults;
                std::printf("%s at its smallest: %s\n", qPrintable(name), qPrintable(fault));
            }
            window.resize(shown);
            QApplication::processEvents();
        }
    });
    std::printf("%d windows, %d faults\n", windows, faults);
    return faults == 0 && windows > 0 ? 0 : 1;
}
