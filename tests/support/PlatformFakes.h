// Recording fakes of the platform services.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace vorda::platform::testing {

// A registry of fixed values that records every call.
class FakeRegistry : public Registry {
 public:
  struct Value {
    std::uint32_t type;
    std::string bytes;
  };
  // Values by key path, then by value name.
  std::map<std::string, std::map<std::string, Value>> keys;
  std::vector<std::uint32_t> access_masks;
  std::vector<std::uint32_t> query_capacities;
  int opened = 0;
  int closed = 0;

  long RegOpenKeyEx(RegKey root, const std::string& sub_key, std::uint32_t options,
                    std::uint32_t access, RegKey* result) override {
    access_masks.push_back(access);
    if (root != kHKeyLocalMachine || options != 0) return kRegFileNotFound;
    const auto it = keys.find(sub_key);
    if (it == keys.end()) return kRegFileNotFound;
    ++opened;
    handles_[next_] = sub_key;
    *result = next_++;
    return kRegSuccess;
  }
  long RegQueryValueEx(RegKey key, const std::string& value_name, std::uint32_t* type,
                       unsigned char* data, std::uint32_t* size) override {
    const auto h = handles_.find(key);
    if (h == handles_.end()) return kRegInvalidHandle;
    query_capacities.push_back(*size);
    const auto& values = keys[h->second];
    const auto v = values.find(value_name);
    if (v == values.end()) return kRegFileNotFound;
    *type = v->second.type;
    const auto length = static_cast<std::uint32_t>(v->second.bytes.size());
    if (*size < length) {
      *size = length;
      return kRegMoreData;
    }
    std::memcpy(data, v->second.bytes.data(), length);
    *size = length;
    return kRegSuccess;
  }
  long RegCloseKey(RegKey key) override {
    if (handles_.erase(key) != 1) return kRegInvalidHandle;
    ++closed;
    return kRegSuccess;
  }

 private:
  std::map<RegKey, std::string> handles_;
  RegKey next_ = 100;
};

class FakeFiles : public Files {
 public:
  std::vector<std::string> existing;
  std::vector<std::string> asked;
  bool FileExists(const std::string& path) override {
    asked.push_back(path);
    return std::find(existing.begin(), existing.end(), path) != existing.end();
  }
};

// Launches nothing: records the paths, and fails like a real launch for an
// empty path or a path it is told to refuse.
class FakeProcesses : public Processes {
 public:
  std::vector<std::string> launched;
  std::vector<std::string> refused;
  void Launch(const std::string& path) override {
    if (path.empty() || std::find(refused.begin(), refused.end(), path) != refused.end()) {
      throw PlatformFailure(kFailureLaunch, "cannot start " + path);
    }
    launched.push_back(path);
  }
};

struct ShellCall {
  WindowHandle owner;
  std::string operation;
  std::string file;
  std::optional<std::string> parameters;
  std::optional<std::string> directory;
  std::int32_t show;
};

class FakeShell : public Shell {
 public:
  std::int32_t result = kShellOpened;
  bool fail = false;
  int failure_code = kFailureToolMissing;
  std::vector<ShellCall> calls;
  static constexpr WindowHandle kDesktop = 0x1234;

  WindowHandle GetDesktopWindow() override { return kDesktop; }
  std::int32_t ShellExecute(WindowHandle owner, const std::string& operation,
                            const std::string& file, const std::optional<std::string>& parameters,
                            const std::optional<std::string>& directory,
                            std::int32_t show) override {
    if (fail) throw PlatformFailure(failure_code, "shell missing");
    calls.push_back({owner, operation, file, parameters, directory, show});
    return result;
  }
};

}  // namespace vorda::platform::testing
