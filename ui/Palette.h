// Keeping the windows readable under a dark desktop palette.
#pragma once

class QWidget;

namespace vorda::ui {

// The windows draw some texts black on the button-face colour. When the
// desktop's palette has a dark button face, the window takes the style's
// standard light palette instead, so that those texts stay readable;
// otherwise it follows the desktop's palette. The window keeps doing so
// whenever the application palette changes.
void KeepReadablePalette(QWidget* window);

}  // namespace vorda::ui
