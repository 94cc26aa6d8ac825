// Grabs each window of the program to a PNG, as the window tour of the tests
// opens them on sample files in a temporary program folder. Run under a real X
// server (tools/screenshots.sh uses Xvfb, once for each scale factor).
#include "app/ui/application.h"
#include "app/ui/qt_translation.h"
#include "app/ui/splash_window.h"
#include "support/ui/window_tour.h"

#include <QApplication>
#include <QDir>
#include <QImageWriter>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(out);
    mokpe::ui::setUpFonts();
    mokpe::ui::installQtTranslation();

    bool ok = true;
    mokpe::test::tourEveryWindow([&](const QString &name, QWidget &window) {
        const QString path = QDir(out).filePath(name + QStringLiteral(".png"));
        const bool saved = window.grab().save(path);
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
        ok &= saved;
    });
    {
        // The splash's stored picture, drawn afresh: copy it to
        // src/app/ui/splash_picture.png after changing the drawing.
        const QString path = QDir(out).filePath(QStringLiteral("splash_picture.png"));
        QImageWriter writer(path, "PNG");
        writer.setQuality(0);
        const bool written = writer.write(
            mokpe::ui::SplashWindow::drawPicture().toImage().convertToFormat(QImage::Format_RGB32));
        std::printf("%s %s\n", written ? "wrote" : "FAILED", qPrintable(path));
        ok &= written;
    }
    return ok ? 0 : 1;
}
