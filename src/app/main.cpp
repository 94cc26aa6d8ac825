#include "app/second_start.h"
#include "app/ui/application.h"
#include "app/ui/first_paint_watcher.h"
#include "app/ui/main_window.h"
#include "app/ui/qt_translation.h"
#include "app/ui/window_raiser.h"
#include "common/file_size_signal.h"
#include "platform/desktop_shortcut.h"
#include "platform/file_system.h"
#include "platform/lock_file_instance.h"
#include "platform/os_system_info.h"
#include "platform/processes.h"
#include "platform/qt/print_service_wake_up.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_input_modes.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_printer_service.h"
#include "platform/qt/responsive_printer_service.h"
#include "platform/settings_launcher_entry.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    mokpe::common::ignoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MokpeCnv"));
    // Qt's own buttons and dialogs speak Japanese like the rest of the program.
    mokpe::ui::installQtTranslation();

    mokpe::AppState state;
    state.programFolder = QCoreApplication::applicationDirPath();
    mokpe::platform::QtMessageService messages;

    // One program per program folder: a second start brings the running one to
    // the front, or says that it runs elsewhere, and ends.
    mokpe::platform::LockFileInstance instance(state.programFolder);
    if (!instance.acquire()) {
        mokpe::app::answerSecondStart(instance, messages);
        return 0;
    }
    mokpe::ui::WindowRaiser raiser;
    instance.onShowRequest([&raiser] { raiser.bringToFront(); });

    mokpe::platform::RecentFolders folders;
    mokpe::platform::QtFileDialogService dialogs(folders);
    mokpe::platform::DetachedProcessLauncher processes;
    mokpe::platform::LocalFileSystem files;
    mokpe::platform::SettingsLauncherEntry launcher;
    mokpe::platform::DesktopShortcut shortcuts;
    mokpe::platform::OsSystemInfo system;
    mokpe::platform::SystemClock clock;
    mokpe::platform::QtPrinterService systemPrinters;
    mokpe::platform::ResponsivePrinterService printers(systemPrinters, mokpe::platform::wakePrintService);
    // The print service's first answer may take seconds: it is woken while the
    // splash is up, for the first "精算印刷".
    printers.wakeAhead();
    mokpe::platform::QtInputModes inputModes;
    const mokpe::platform::Services services{messages,  dialogs, processes, files,    launcher,
                                             shortcuts, system,  clock,     printers, inputModes};

    // For timing the start-up: the program ends once its main window has been
    // painted, leaving the event loop as a closed window would.
    if (qEnvironmentVariableIsSet(mokpe::ui::kExitWhenShownVariable)) {
        app.installEventFilter(new mokpe::ui::FirstPaintWatcher(
            mokpe::ui::MainWindow::staticMetaObject.className(),
            [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); }, &app));
    }

    mokpe::ui::Application gui(state, services);
    gui.start();
    return app.exec();
}
