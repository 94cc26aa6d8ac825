#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace mokpe::test {

// Opens every window and dialog of the program in turn, as a user reaches
// them, on a sample program folder and a transit history long enough to
// scroll: the splash, the main window (and its maintenance frame), the colour
// dialog, the account code and user editors, the journal editor (also at its
// largest text), the unsettled-amount dialog in both modes, the export
// dialog, a progress dialog, the report preview, the no-printer message, a
// question and the save dialog. Each is handed to `visit` with its name while
// it is shown. Needs a QApplication with the program's fonts set up; the
// user's configuration should be a throw-away one (the save dialog remembers
// its folder there).
void tourEveryWindow(const std::function<void(const QString &name, QWidget &window)> &visit);

} // namespace mokpe::test
