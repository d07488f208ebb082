// Fonts the windows ask for by their classic names, and the free fonts with
// close metrics that stand in for them.
#pragma once

#include <QFont>

namespace vorda::ui {

// Registers "MS Sans Serif" -> Liberation Sans, "Times New Roman" ->
// Liberation Serif and "Courier" -> Liberation Mono. Safe to call repeatedly.
void RegisterFontSubstitutes();

// "MS Sans Serif", 8.25 point, bold: the main window and its controls.
QFont WindowFont();

}  // namespace vorda::ui
