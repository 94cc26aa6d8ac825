#include "app/ui/application.h"

#include "app/ui/font_setup.h"
#include "app/ui/main_window.h"
#include "app/ui/splash_window.h"

#include <QApplication>
#include <QImage>
#include <QLayout>
#include <QScreen>
#include <QTimer>

namespace mokpe::ui {

Application::Application(AppState &state, const platform::Services &services)
    : state_(state), services_(services)
{}

Application::~Application() = default;

void Application::start(int splashMilliseconds)
{
    splash_ = std::make_unique<SplashWindow>();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        splash_->move(screen->availableGeometry().center() - splash_->rect().center());
    // The splash is up for two seconds with nothing to do: the main window's
    // controls are built then, not after it. Its start-up sequence, which may
    // ask and tell things, still waits for the splash to end.
    QObject::connect(
        splash_.get(), &SplashWindow::firstPainted, splash_.get(), [this] { prepareMainWindow(); },
        Qt::QueuedConnection);
    splash_->show();
    // A coarse timer, Qt's choice for two seconds and more, may end the splash
    // up to a twentieth early or late.
    QTimer::singleShot(splashMilliseconds, Qt::PreciseTimer, splash_.get(), [this] { showMainWindow(); });
}

void Application::prepareMainWindow()
{
    if (prepared_ || main_)
        return;
    // The splash is a stored picture: the fonts are first needed here.
    setUpFonts();
    prepared_ = std::make_unique<MainWindow>(state_, services_);
    QObject::connect(prepared_.get(), &MainWindow::endRequested, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // Styled, laid out, given its native window and drawn once off screen now
    // (the first drawing loads the glyphs of its faces and the style's
    // images), showing it later only has to fill in what the start-up read and
    // put it on screen.
    prepared_->ensurePolished();
    if (QLayout *layout = prepared_->layout())
        layout->activate();
    prepared_->winId();
    QImage scratch(prepared_->size(), QImage::Format_ARGB32_Premultiplied);
    prepared_->render(&scratch);
}

void Application::showMainWindow()
{
    splash_->close();
    prepareMainWindow();
    main_ = std::move(prepared_);
    main_->load();
    main_->show();
}

void setUpFonts()
{
    installFontSubstitutions();
    QApplication::setFont(QFont(kUiFace, 10));
}

} // namespace mokpe::ui
