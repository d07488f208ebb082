#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "platform/linux/LinuxServices.h"
#include "platform/linux/Subprocess.h"

namespace vorda::platform::linux_impl {

namespace {

std::string Trimmed(std::string s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
  std::size_t first = 0;
  while (first < s.size() && std::isspace(static_cast<unsigned char>(s[first]))) ++first;
  return s.substr(first);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::int32_t LinuxShell::ShellExecute(WindowHandle /*owner*/, const std::string& operation,
                                      const std::string& file,
                                      const std::optional<std::string>& /*parameters*/,
                                      const std::optional<std::string>& directory,
                                      std::int32_t /*show_command*/) {
  if (!EqualsIgnoringCase(operation, "open")) return kShellNoAssociation;
  const std::size_t slash = file.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !IsDirectory(file.substr(0, slash))) {
    return kShellPathNotFound;
  }
  struct stat st {};
  if (file.empty() || ::stat(file.c_str(), &st) != 0) return kShellFileNotFound;

  const auto xdg_mime = FindInPath("xdg-mime");
  const auto xdg_open = FindInPath("xdg-open");
  const auto gio = FindInPath("gio");
  if (!xdg_mime || (!xdg_open && !gio)) {
    throw PlatformFailure(kFailureToolMissing,
                          "the desktop's opener (xdg-mime with xdg-open or gio) is not installed");
  }
  const Captured type = RunCapture({*xdg_mime, "query", "filetype", file});
  const std::string mime = Trimmed(type.output);
  if (type.exit_status != 0 || mime.empty()) return kShellNoAssociation;
  const Captured app = RunCapture({*xdg_mime, "query", "default", mime});
  if (app.exit_status != 0 || Trimmed(app.output).empty()) return kShellNoAssociation;

  if (xdg_open) {
    SpawnDetached({*xdg_open, file}, directory);
  } else {
    SpawnDetached({*gio, "open", file}, directory);
  }
  return kShellOpened;
}

}  // namespace vorda::platform::linux_impl
