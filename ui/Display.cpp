#include "ui/Display.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace vorda::ui {

#ifndef _WIN32
namespace {

bool Set(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0';
}

// Platforms that talk to a display server.
bool NeedsServer(const std::string& platform) {
  return platform.empty() || platform.rfind("xcb", 0) == 0 || platform.rfind("wayland", 0) == 0;
}

}  // namespace
#endif

bool HasDisplay(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  return true;
#else
  std::string platform = Set("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0) platform = argv[i + 1];
  }
  if (!NeedsServer(platform)) return true;
  return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
#endif
}

const char* NoDisplayMessage() {
  return "no display to show the window on (DISPLAY is not set; for no window at all, "
         "QT_QPA_PLATFORM=offscreen)";
}

}  // namespace vorda::ui
