#pragma once

#include <QString>

class QAbstractItemView;
class QLineEdit;

namespace mokpe::ui {

// Sizes taken from the control's own font and style instead of fixed twips, so
// that a control holds its text with any face and at any scale.

// The width of a text box that shows `sample` whole (frame and margins included).
int lineEditWidthFor(const QLineEdit &box, const QString &sample);

// The width of a grid column whose cells show `sample` whole in the view's font.
int columnWidthFor(const QAbstractItemView &view, const QString &sample);

} // namespace mokpe::ui
