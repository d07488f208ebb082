// Whether a window can be shown at all, asked before Qt is started: Qt ends
// the program with an abort when it finds no display.
#pragma once

namespace vorda::ui {

// On Windows always. Elsewhere: a platform named by QT_QPA_PLATFORM or
// -platform that needs no display server (offscreen, vnc, ...), or DISPLAY
// or WAYLAND_DISPLAY set to a display that takes a connection.
bool HasDisplay(int argc, char** argv);

// Why there is none, after HasDisplay said so: "no display to show the
// window on (DISPLAY is not set; for no window at all,
// QT_QPA_PLATFORM=offscreen)", or "(DISPLAY=:58 cannot be reached; ...)".
const char* NoDisplayMessage();

}  // namespace vorda::ui
