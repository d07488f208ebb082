#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/linux/LinuxServices.h"
#include "platform/linux/Subprocess.h"

namespace vorda::platform::linux_impl {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

const std::vector<std::string>& SystemInformationTools() {
  static const std::vector<std::string> tools = {
      "hardinfo2",
      "hardinfo",
      "kinfocenter",
      "gnome-system-monitor",
      "mate-system-monitor",
      "plasma-systemmonitor",
      "ksysguard",
      "xfce4-taskmanager",
      "lxtask",
  };
  return tools;
}

long BuiltInRegistry::RegOpenKeyEx(RegKey root, const std::string& sub_key,
                                   std::uint32_t /*options*/, std::uint32_t /*access*/,
                                   RegKey* result) {
  if (result == nullptr) return kRegInvalidHandle;
  if (root != kHKeyLocalMachine || Lower(sub_key) != Lower(kMsinfoKey)) return kRegFileNotFound;
  for (const std::string& tool : SystemInformationTools()) {
    // cppcheck-suppress useStlAlgorithm ; the loop stores the first tool it finds
    if (const auto path = FindInPath(tool)) {
      const RegKey handle = next_handle_++;
      open_keys_[handle][Lower(kMsinfoPathValue)] = Value{kRegSz, *path + std::string(1, '\0')};
      *result = handle;
      return kRegSuccess;
    }
  }
  return kRegFileNotFound;
}

long BuiltInRegistry::RegQueryValueEx(RegKey key, const std::string& value_name,
                                      std::uint32_t* type, unsigned char* data,
                                      std::uint32_t* size) {
  const auto key_it = open_keys_.find(key);
  if (key_it == open_keys_.end()) return kRegInvalidHandle;
  const auto value_it = key_it->second.find(Lower(value_name));
  if (value_it == key_it->second.end()) return kRegFileNotFound;
  const Value& value = value_it->second;
  if (type != nullptr) *type = value.type;
  const auto length = static_cast<std::uint32_t>(value.bytes.size());
  if (data == nullptr) {
    if (size != nullptr) *size = length;
    return kRegSuccess;
  }
  if (size == nullptr) return kRegInvalidHandle;
  if (*size < length) {
    *size = length;
    return kRegMoreData;
  }
  // Registry data are bytes; a text value carries its own NUL.
  std::memcpy(data, value.bytes.data(), length);  // NOLINT(bugprone-not-null-terminated-result)
  *size = length;
  return kRegSuccess;
}

long BuiltInRegistry::RegCloseKey(RegKey key) {
  return open_keys_.erase(key) == 1 ? kRegSuccess : kRegInvalidHandle;
}

}  // namespace vorda::platform::linux_impl
