#include "help/HelpHTML.h"

#include <new>

namespace vorda::HelpHTML {

void InvokeDocument(platform::Shell& shell, MessageBoxes& boxes, const std::string& operation,
                    const std::string& file, const std::optional<std::string>& parameters,
                    const std::optional<std::string>& directory, std::int32_t show_command) {
  const platform::WindowHandle desktop = shell.GetDesktopWindow();
  const std::int32_t result =
      shell.ShellExecute(desktop, operation, file, parameters, directory, show_command);
  if (result == platform::kShellFileNotFound) {
    boxes.MsgBox(std::string(kNotFoundPrompt) + "\r\n" + file, MsgStyle::kPlain, kAppTitle);
  }
}

void InvokeHelp(platform::Shell& shell, MessageBoxes& boxes,
                const std::function<std::string()>& program_folder) {
  int code = 0;
  try {
    const std::string path = platform::JoinPath(program_folder(), kHelpFileName);
    InvokeDocument(shell, boxes, "Open", path, std::nullopt, std::nullopt, 1);
    return;
  } catch (const platform::PlatformFailure& failure) {
    code = failure.Code();
  } catch (const std::bad_alloc&) {
    code = platform::kFailureOutOfMemory;
  } catch (...) {
    code = platform::kFailureInternal;
  }
  boxes.MsgBox(std::string(kInvokeErrorPrompt) + "\r\nError Code = " + std::to_string(code),
               MsgStyle::kPlain, kAppTitle);
}

}  // namespace vorda::HelpHTML
