#include "app/ui/application.h"

#include "app/ui/font_setup.h"
#include "app/ui/main_window.h"
#include "app/ui/splash_window.h"

#include <QApplication>
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
    splash_->show();
    // A coarse timer, Qt's choice for two seconds and more, may end the splash
    // up to a twentieth early or late.
    QTimer::singleShot(splashMilliseconds, Qt::PreciseTimer, splash_.get(), [this] { showMainWindow(); });
}

void Application::showMainWindow()
{
    splash_->close();
    main_ = std::make_unique<MainWindow>(state_, services_);
    QObject::connect(main_.get(), &MainWindow::endRequested, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    main_->load();
    main_->show();
}

void setUpFonts()
{
    installFontSubstitutions();
    QApplication::setFont(QFont(kUiFace, 10));
}

} // namespace mokpe::ui
