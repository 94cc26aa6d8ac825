#include "app/ui/window_raiser.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace mokpe::ui {

namespace {

void restoreAndRaise(QWidget *window)
{
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
}

} // namespace

WindowRaiser::WindowRaiser(QObject *parent) : QObject(parent)
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this] {
        if (QWidget *active = QApplication::activeWindow())
            lastActive_ = active;
    });
}

void WindowRaiser::bringToFront()
{
    QWidgetList shown;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        // An open menu or drop-down list goes with its window.
        const Qt::WindowType type = window->windowType();
        if (window->isVisible() && type != Qt::Popup && type != Qt::ToolTip)
            shown.append(window);
    }
    if (shown.isEmpty())
        return;
    QWidget *front = QApplication::activeModalWidget();
    if (!front || !shown.contains(front))
        front = shown.contains(lastActive_.data()) ? lastActive_.data() : nullptr;
    if (!front) {
        // Never active yet: the main window, or the editor that stands for it.
        const auto owner = std::find_if(shown.begin(), shown.end(),
                                        [](const QWidget *window) { return !window->parentWidget(); });
        front = owner != shown.end() ? *owner : shown.first();
    }
    for (QWidget *window : shown) {
        if (window != front)
            restoreAndRaise(window);
    }
    restoreAndRaise(front);
    front->activateWindow();
}

} // namespace mokpe::ui
