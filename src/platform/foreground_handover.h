#pragma once

namespace mokpe::platform {

// Lets the running instance bring its window in front of this program, which
// the user has just started and which is about to end. Windows keeps a program
// in the background from taking the foreground unless the one in front allows
// it (foreground_handover_win.cpp); elsewhere the window manager decides alone
// (foreground_handover_posix.cpp).
void allowForegroundHandover();

} // namespace mokpe::platform
