// Modal message boxes as the engine asks for them.
#pragma once

#include <string>

namespace vorda {

// The application title: the title of every box that names no title of its own.
inline constexpr const char* kAppTitle = "VordaForWin";

// Message box styles: OK button only, with no icon, the stop icon or the
// exclamation icon.
enum class MsgStyle : int { kPlain = 0, kCritical = 16, kExclamation = 48 };

// Shows one modal message box and returns when the user has dismissed it.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) = 0;
};

}  // namespace vorda
