// The yardstick of the start-up: a bare Qt Widgets program that shows an empty
// main window and ends once the window has been painted, measured as
// MokpeCnv is (bench/startup.sh).
#include "app/ui/first_paint_watcher.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.installEventFilter(new mokpe::ui::FirstPaintWatcher(
        QMainWindow::staticMetaObject.className(),
        [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); }, &app));
    QMainWindow window;
    window.resize(640, 480);
    window.show();
    return app.exec();
}
