// The yardstick of the start-up: a bare Qt Widgets program that shows a main
// window holding one line of Japanese text and ends once the window has been
// painted, measured as MokpeCnv is (bench/startup.sh). The text makes it load
// the fonts any real window needs: a window without text would skip the font
// set-up that every program with a caption on a control pays for.
#include "app/ui/first_paint_watcher.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.installEventFilter(new mokpe::ui::FirstPaintWatcher(
        QMainWindow::staticMetaObject.className(),
        [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); }, &app));
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("仕訳帳 — 日本語のラベル"), &window));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
