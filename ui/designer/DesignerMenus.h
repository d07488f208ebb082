// The designer's menus: File, Help, Tune and View, each item doing what the
// window offers.
#pragma once

#include <vector>

class QAction;

namespace vorda::designer {

class DesignerWindow;

// Builds the menus on the window's menu bar; the View menu's grid items,
// each with its SmithGrid as its data.
std::vector<QAction*> BuildMenus(DesignerWindow& window);

}  // namespace vorda::designer
