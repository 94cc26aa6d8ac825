#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace mokpe::ui {

// Brings the program to the front when a later start asks (main.cpp): every
// window it is showing comes forward, a minimised one restored: the main
// window or the journal editor in its place, the maintenance windows, the
// export dialog, a dialog open over them. The one on top, and active, is an
// open modal dialog, else the window last worked in.
class WindowRaiser final : public QObject {
public:
    explicit WindowRaiser(QObject *parent = nullptr);
    void bringToFront();

private:
    // Once the program is behind another, none of its windows is active.
    QPointer<QWidget> lastActive_;
};

} // namespace mokpe::ui
