// The Linux implementations of the platform services.
#pragma once

#include <map>
#include <vector>

#include "platform/Platform.h"

namespace vorda::platform::linux_impl {

// Opens files with the desktop's opener: xdg-mime tells whether the file's
// type has an application, xdg-open (or gio open) starts it. Missing opener
// tools are a PlatformFailure with code kFailureToolMissing.
class LinuxShell : public Shell {
 public:
  WindowHandle GetDesktopWindow() override { return kDesktopWindow; }
  std::int32_t ShellExecute(WindowHandle owner, const std::string& operation,
                            const std::string& file, const std::optional<std::string>& parameters,
                            const std::optional<std::string>& directory,
                            std::int32_t show_command) override;

  // The desktop has no window of its own here; this handle stands for it.
  static constexpr WindowHandle kDesktopWindow = 0x10010;
};

// The system information programs looked for, in this order.
const std::vector<std::string>& SystemInformationTools();

// A read-only registry built into the program. It holds one value: "PATH"
// under HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\Shared Tools\MSINFO", the full
// path of the first system information program found in $PATH, as a text
// ending in NUL (type 1). Without such a program the key does not exist.
// Key and value names are compared without regard to case.
class BuiltInRegistry : public Registry {
 public:
  long RegOpenKeyEx(RegKey root, const std::string& sub_key, std::uint32_t options,
                    std::uint32_t access, RegKey* result) override;
  long RegQueryValueEx(RegKey key, const std::string& value_name, std::uint32_t* type,
                       unsigned char* data, std::uint32_t* size) override;
  long RegCloseKey(RegKey key) override;

 private:
  struct Value {
    std::uint32_t type;
    std::string bytes;
  };
  std::map<RegKey, std::map<std::string, Value>> open_keys_;
  RegKey next_handle_ = 0x1000;
};

class LinuxFiles : public Files {
 public:
  bool FileExists(const std::string& path) override;
};

class LinuxProcesses : public Processes {
 public:
  void Launch(const std::string& path) override;
};

}  // namespace vorda::platform::linux_impl
