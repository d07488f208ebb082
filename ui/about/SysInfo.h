// The About box's System Information launcher and its registry reader,
// written against the platform services so that they run anywhere.
#pragma once

#include <cstdint>
#include <string>

#include "engine/MessageBoxes.h"
#include "platform/Platform.h"

namespace vorda::about {

inline constexpr const char* kMsinfoExecutable = "MSINFO32.EXE";
inline constexpr const char* kUnavailablePrompt = "System Information Is Unavailable At This Time";

// Access mask of the key: query and set value, create and enumerate subkeys,
// notify, create link and read control.
inline constexpr std::uint32_t kKeyAccess = 0x2003F;
inline constexpr std::uint32_t kValueBufferSize = 1024;

// Reads a text value. True when the value was read; False when the key cannot
// be opened or the value cannot be read (also when it is longer than 1024
// bytes), with KeyVal then empty. A value of another type than text or
// number leaves KeyVal as it was. Shows no message; the key is always closed.
bool GetKeyValue(platform::Registry& registry, std::int32_t& KeyRoot, std::string& KeyName,
                 std::string& SubKeyRef, std::string& KeyVal);

// Locates and launches the System Information tool, or tells the user that
// it is unavailable. No failure reaches the caller.
void StartSysInfo(platform::Registry& registry, platform::Files& files,
                  platform::Processes& processes, MessageBoxes& boxes);

}  // namespace vorda::about
