// The designer's title: its window's caption, the title of its message
// boxes and the name its settings are kept under.
#pragma once

namespace vorda::designer {

inline constexpr const char* kDesignerTitle = "VordaForWin Designer";

}  // namespace vorda::designer
