// What the Windows tests share: UTF-8 and wide names, throwaway folders,
// registry values written for a test, and the probe program that the tests
// start in place of a viewer or the System Information tool.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "platform/windows/Win32.h"

namespace vorda::platform::testing {

inline std::wstring Wide(const std::string& utf8) {
  const int n =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

inline std::string Utf8(const std::wstring& wide) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                        nullptr, nullptr);
  return utf8;
}

// A new folder in the temporary folder, made and removed through the wide
// API, so that a name outside any code page is made as it is meant.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name = "vorda-test") {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    path_ = std::filesystem::path(temp) /
            (Wide(name) + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
             std::to_wstring(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder as the program's narrow strings hold it: UTF-8, with "\".
  std::string Path() const { return Utf8(path_.wstring()); }
  std::string File(const std::string& name) const { return Path() + "\\" + name; }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(path_ / Wide(name), std::ios::binary) << text;
    return File(name);
  }
  std::string Copy(const std::string& from, const std::string& name) const {
    ::CopyFileW(Wide(from).c_str(), (path_ / Wide(name)).c_str(), FALSE);
    return File(name);
  }

 private:
  std::filesystem::path path_;
};

// Registry set-up through the real API: a value of any type with exactly
// the given bytes, a key with no values, and a key removed with its subkeys.
// Each returns the error code of the first call that failed, or
// ERROR_SUCCESS.
inline LONG CreateKey(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  const LONG rc = ::RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &handle, nullptr);
  if (rc == ERROR_SUCCESS) ::RegCloseKey(handle);
  return rc;
}
inline LONG SetValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                     const std::string& bytes) {
  HKEY handle = nullptr;
  LONG rc = ::RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                              nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = ::RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()));
  ::RegCloseKey(handle);
  return rc;
}
inline void DeleteKey(HKEY root, const std::string& key) {
  ::RegDeleteTreeA(root, key.c_str());
  ::RegDeleteKeyA(root, key.c_str());
}

// The probe, built beside the tests: it writes its program folder and then
// its arguments, a line each, to the file that VORDA_PROBE_MARKER names.
inline std::string ProbePath() {
  return JoinPath(ProgramFolder(), "windows_probe.exe");
}

// Points the probes this process starts at a file of their own, and reads
// what a probe wrote there.
class ProbeMarker {
 public:
  ProbeMarker() : file_(folder_.File("probe-ran.txt")) {
    ::SetEnvironmentVariableA("VORDA_PROBE_MARKER", file_.c_str());
  }
  ~ProbeMarker() { ::SetEnvironmentVariableA("VORDA_PROBE_MARKER", nullptr); }

  // What the probe wrote, once it has; nothing after ten seconds.
  std::optional<std::string> Wait() const {
    for (int i = 0; i < 400; ++i) {
      std::ifstream in(std::filesystem::path(Wide(file_)), std::ios::binary);
      if (in) {
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return std::nullopt;
  }

 private:
  TempFolder folder_{"vorda-probe"};
  std::string file_;
};

}  // namespace vorda::platform::testing
