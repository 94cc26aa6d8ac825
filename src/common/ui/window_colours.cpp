#include "common/ui/window_colours.h"

#include "common/colour_value.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace mokpe::ui {

namespace {

QColor resolve(const QString &colour)
{
    return common::colourFromText(colour, QApplication::palette());
}

} // namespace

void applyScreenColour(QWidget *widget, const QString &colour)
{
    if (!widget)
        return;
    QPalette palette = widget->palette();
    const QColor c = resolve(colour);
    palette.setColor(QPalette::Window, c);
    palette.setColor(QPalette::Button, c);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void applyButtonColour(QWidget *button, const QString &colour)
{
    if (!button)
        return;
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, resolve(colour));
    button->setPalette(palette);
    button->setAutoFillBackground(true);
}

void applyWindowColours(QWidget *window, const QString &screenColour, const QString &buttonColour)
{
    if (!window)
        return;
    applyScreenColour(window, screenColour);
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (qobject_cast<QPushButton *>(child))
            applyButtonColour(child, buttonColour);
        else if (qobject_cast<QGroupBox *>(child) || qobject_cast<QLabel *>(child) ||
                 qobject_cast<QRadioButton *>(child) || qobject_cast<QCheckBox *>(child))
            applyScreenColour(child, screenColour);
    }
}

} // namespace mokpe::ui
