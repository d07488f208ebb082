// The Windows implementations: the real shell, registry and process calls.
#include <vector>

#include "platform/Platform.h"
#include "platform/windows/Win32.h"

namespace vorda::platform {

namespace {

// Predefined root keys are 32-bit values that Windows sign-extends.
HKEY ToHkey(RegKey key) {
  if (key >= 0x80000000u && key <= 0xFFFFFFFFu) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
  }
  return reinterpret_cast<HKEY>(key);
}

class WindowsShell : public Shell {
 public:
  WindowHandle GetDesktopWindow() override {
    return reinterpret_cast<WindowHandle>(::GetDesktopWindow());
  }
  std::int32_t ShellExecute(WindowHandle owner, const std::string& operation,
                            const std::string& file, const std::optional<std::string>& parameters,
                            const std::optional<std::string>& directory,
                            std::int32_t show_command) override {
    HINSTANCE result = ::ShellExecuteA(reinterpret_cast<HWND>(owner), operation.c_str(),
                                       file.c_str(), parameters ? parameters->c_str() : nullptr,
                                       directory ? directory->c_str() : nullptr, show_command);
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(result));
  }
};

class WindowsRegistry : public Registry {
 public:
  long RegOpenKeyEx(RegKey root, const std::string& sub_key, std::uint32_t options,
                    std::uint32_t access, RegKey* result) override {
    HKEY key = nullptr;
    const LONG rc =
        ::RegOpenKeyExA(ToHkey(root), sub_key.c_str(), options, static_cast<REGSAM>(access), &key);
    if (rc == ERROR_SUCCESS && result != nullptr) *result = reinterpret_cast<RegKey>(key);
    return rc;
  }
  long RegQueryValueEx(RegKey key, const std::string& value_name, std::uint32_t* type,
                       unsigned char* data, std::uint32_t* size) override {
    DWORD value_type = 0;
    DWORD value_size = size != nullptr ? *size : 0;
    const LONG rc = ::RegQueryValueExA(reinterpret_cast<HKEY>(key), value_name.c_str(), nullptr,
                                       &value_type, data, size != nullptr ? &value_size : nullptr);
    if (type != nullptr) *type = value_type;
    if (size != nullptr) *size = value_size;
    return rc;
  }
  long RegCloseKey(RegKey key) override { return ::RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

class WindowsFiles : public Files {
 public:
  bool FileExists(const std::string& path) override {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
  }
};

class WindowsProcesses : public Processes {
 public:
  void Launch(const std::string& path) override {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    // The program's name, quoted, is its whole command line: unquoted, a
    // path with spaces ("C:\Program Files\...") would reach the program
    // as several arguments.
    const std::string quoted = "\"" + path + "\"";
    std::vector<char> command(quoted.begin(), quoted.end());
    command.push_back('\0');
    if (!::CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info)) {
      throw PlatformFailure(static_cast<int>(::GetLastError()), "cannot start " + path);
    }
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
  }
};

}  // namespace

Services CreateServices() {
  Services s;
  s.shell = std::make_unique<WindowsShell>();
  s.registry = std::make_unique<WindowsRegistry>();
  s.files = std::make_unique<WindowsFiles>();
  s.processes = std::make_unique<WindowsProcesses>();
  return s;
}

std::string ProgramFolder() {
  std::vector<char> buf(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return ".";
    if (n < buf.size()) {
      std::string exe(buf.data(), n);
      const std::size_t sep = exe.find_last_of("\\/");
      return sep == std::string::npos ? std::string(".") : exe.substr(0, sep);
    }
    buf.resize(buf.size() * 2);
  }
}

}  // namespace vorda::platform
