#include "ui/about/SysInfo.h"

#include <algorithm>
#include <array>

namespace vorda::about {

namespace {

// A text form of a 32-bit number stored least significant byte first.
std::string DwordText(const unsigned char* bytes, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = std::min<std::size_t>(count, 4); i > 0; --i) {
    value = (value << 8) | bytes[i - 1];
  }
  return std::to_string(value);
}

}  // namespace

bool GetKeyValue(platform::Registry& registry, std::int32_t& KeyRoot, std::string& KeyName,
                 std::string& SubKeyRef, std::string& KeyVal) {
  const auto root = static_cast<platform::RegKey>(static_cast<std::uint32_t>(KeyRoot));
  platform::RegKey key = 0;
  if (registry.RegOpenKeyEx(root, KeyName, 0, kKeyAccess, &key) != platform::kRegSuccess) {
    KeyVal.clear();
    return false;
  }
  std::array<unsigned char, kValueBufferSize> buffer{};
  std::uint32_t size = kValueBufferSize;
  std::uint32_t type = 0;
  if (registry.RegQueryValueEx(key, SubKeyRef, &type, buffer.data(), &size) !=
      platform::kRegSuccess) {
    KeyVal.clear();
    registry.RegCloseKey(key);
    return false;
  }
  // The first N characters of the buffer, N the value's size; a NUL at the
  // end is dropped. A size beyond the buffer is not believed.
  std::size_t n = std::min<std::size_t>(size, buffer.size());
  if (n > 0 && buffer[n - 1] == '\0') --n;
  if (type == platform::kRegSz) {
    KeyVal.assign(reinterpret_cast<const char*>(buffer.data()), n);
  } else if (type == platform::kRegDword) {
    KeyVal = DwordText(buffer.data(), std::min<std::size_t>(size, buffer.size()));
  }
  registry.RegCloseKey(key);
  return true;
}

void StartSysInfo(platform::Registry& registry, platform::Files& files,
                  platform::Processes& processes, MessageBoxes& boxes) {
  try {
    auto root = static_cast<std::int32_t>(platform::kHKeyLocalMachine);
    std::string path;
    std::string key = platform::kMsinfoKey;
    std::string value = platform::kMsinfoPathValue;
    if (!GetKeyValue(registry, root, key, value, path)) {
      key = platform::kToolsLocationKey;
      value = platform::kToolsLocationValue;
      if (!GetKeyValue(registry, root, key, value, path)) {
        boxes.MsgBox(kUnavailablePrompt, MsgStyle::kPlain, kAppTitle);
        return;
      }
      const std::string executable = platform::JoinPath(path, kMsinfoExecutable);
      if (!files.FileExists(executable)) {
        boxes.MsgBox(kUnavailablePrompt, MsgStyle::kPlain, kAppTitle);
        return;
      }
      path = executable;
    }
    processes.Launch(path);
  } catch (...) {
    boxes.MsgBox(kUnavailablePrompt, MsgStyle::kPlain, kAppTitle);
  }
}

}  // namespace vorda::about
