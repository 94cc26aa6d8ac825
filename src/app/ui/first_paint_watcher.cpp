#include "app/ui/first_paint_watcher.h"

#include <QEvent>
#include <QWidget>

namespace mokpe::ui {

FirstPaintWatcher::FirstPaintWatcher(const char *className, std::function<void()> painted, QObject *parent)
    : QObject(parent), className_(className), painted_(std::move(painted))
{}

bool FirstPaintWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (painted_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->isWindow() && static_cast<QWidget *>(watched)->isVisible() &&
        watched->inherits(className_)) {
        // Once only: the call may end the program.
        std::function<void()> painted = std::move(painted_);
        painted_ = nullptr;
        painted();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mokpe::ui
