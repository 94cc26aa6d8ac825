#pragma once

#include "common/app_state.h"
#include "platform/services.h"

#include <memory>

namespace mokpe::ui {

class MainWindow;
class SplashWindow;

// The running GUI: the splash window, then after 2000 ms the main window.
class Application {
public:
    Application(AppState &state, const platform::Services &services);
    ~Application();
    // Shows the splash window and arms the one-shot timer.
    void start(int splashMilliseconds = 2000);
    MainWindow *mainWindow() const { return main_.get(); }

private:
    // Builds the main window, hidden, while the splash is up.
    void prepareMainWindow();
    void showMainWindow();

    AppState &state_;
    platform::Services services_;
    std::unique_ptr<SplashWindow> splash_;
    // Built but not yet loaded and shown.
    std::unique_ptr<MainWindow> prepared_;
    std::unique_ptr<MainWindow> main_;
};

// Maps the Windows faces, sets the application font. Run before the main
// window is built (Application does); running it again changes nothing.
void setUpFonts();

} // namespace mokpe::ui
