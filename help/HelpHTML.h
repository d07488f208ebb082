// Opening the help file beside the program with the shell's "Open" verb.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/MessageBoxes.h"
#include "platform/Platform.h"

namespace vorda::HelpHTML {

inline constexpr const char* kHelpFileName = "Generic.chm";
inline constexpr const char* kNotFoundPrompt = "HTML Help File Not Found ";
inline constexpr const char* kInvokeErrorPrompt = "Error in Invoking Help!";

// Hands a file to the shell, owned by the desktop window. Only the shell's
// file-not-found result (2) is reported; every other result is ignored.
// Failures of the shell itself are not handled here.
void InvokeDocument(platform::Shell& shell, MessageBoxes& boxes, const std::string& operation,
                    const std::string& file, const std::optional<std::string>& parameters,
                    const std::optional<std::string>& directory, std::int32_t show_command);

// Opens Generic.chm from the program folder. Any failure on the way is
// reported as "Error in Invoking Help!" with its numeric code; none reaches
// the caller.
void InvokeHelp(platform::Shell& shell, MessageBoxes& boxes,
                const std::function<std::string()>& program_folder);

}  // namespace vorda::HelpHTML
