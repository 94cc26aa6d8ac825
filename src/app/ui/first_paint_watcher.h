#pragma once

#include <QObject>

#include <functional>

namespace mokpe::ui {

// Calls `painted` once, when the first top-level window of class `className`
// (or a class derived from it) has been painted on screen: the moment a user
// sees it. Drawing a hidden window into an image does not count.
// Installed on the application for timing the start-up.
class FirstPaintWatcher final : public QObject {
public:
    FirstPaintWatcher(const char *className, std::function<void()> painted, QObject *parent = nullptr);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const char *className_;
    std::function<void()> painted_;
};

// The environment variable that ends MokpeCnv once its main window is on
// screen (bench/startup.sh).
inline constexpr char kExitWhenShownVariable[] = "MOKPE_EXIT_WHEN_SHOWN";

} // namespace mokpe::ui
