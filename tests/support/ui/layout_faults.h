#pragma once

#include <QStringList>

class QWidget;

namespace mokpe::test {

// What is wrong with the layout of a shown window, one line per fault, naming
// the controls by objectName (or class):
// - a visible control that reaches outside its parent;
// - two visible controls of one parent that overlap;
// - a label, button, option, check box, text box or list narrower or lower
//   than its text needs;
// - a grid column narrower than its heading or than a cell's text (the last
//   column, whose long texts run on under the scroll bar, only its heading),
//   or rows lower than a line of its text.
// Controls laid over a scrolling area's contents (a grid's cell editor) move
// with them and are not checked against their parent.
QStringList layoutFaults(QWidget &window);

} // namespace mokpe::test
