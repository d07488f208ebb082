// Whether a window can be shown at all, asked before Qt is started: Qt ends
// the program with an abort when it finds no display.
#pragma once

namespace vorda::ui {

// On Windows always. Elsewhere: a platform named by QT_QPA_PLATFORM or
// -platform that needs no display server (offscreen, vnc, ...), or DISPLAY
// or WAYLAND_DISPLAY set.
bool HasDisplay(int argc, char** argv);

// "PROGRAM: no display to show the window on (DISPLAY is not set; for no
// window at all, QT_QPA_PLATFORM=offscreen)".
const char* NoDisplayMessage();

}  // namespace vorda::ui
