#include "ui/Display.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <fcntl.h>
#include <cerrno>
#endif

namespace vorda::ui {

namespace {

std::string& Why() {
  static std::string why =
      "no display to show the window on (DISPLAY is not set; for no window at all, "
      "QT_QPA_PLATFORM=offscreen)";
  return why;
}

}  // namespace

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

// Whether a local socket takes a connection (an abstract one: path after
// a zero byte, as X servers on Linux also listen).
bool LocalSocket(const std::string& path, bool abstract) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t at = abstract ? 1 : 0;
  if (path.size() + at >= sizeof(address.sun_path)) {
    ::close(fd);
    return false;
  }
  std::memcpy(address.sun_path + at, path.data(), path.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + at + path.size());
  const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  ::close(fd);
  return ok;
}

// Whether a TCP port of a host takes a connection within two seconds.
bool TcpPort(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  bool ok = false;
  for (const addrinfo* a = found; a != nullptr && !ok; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (fd < 0) continue;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
      ok = true;
    } else if (errno == EINPROGRESS) {
      pollfd p{fd, POLLOUT, 0};
      int error = 0;
      socklen_t size = sizeof error;
      ok = ::poll(&p, 1, 2000) == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 &&
           error == 0;
    }
    ::close(fd);
  }
  ::freeaddrinfo(found);
  return ok;
}

// Whether an X display ("[host]:N[.S]") takes a connection.
bool XDisplay(const std::string& display) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string::npos) return false;
  const std::string host = display.substr(0, colon);
  const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  if (host.empty() || host == "unix" || host.rfind('/', 0) == 0) {
    const std::string socket = "/tmp/.X11-unix/X" + number;
    // A launchd or similar path names its socket itself.
    if (host.rfind('/', 0) == 0) return LocalSocket(display.substr(0, colon), false);
    return LocalSocket(socket, false) || LocalSocket(socket, true);
  }
  return TcpPort(host, 6000 + std::atoi(number.c_str()));
}

// Whether a Wayland display takes a connection.
bool WaylandDisplay(const std::string& name) {
  if (name.rfind('/', 0) == 0) return LocalSocket(name, false);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return runtime != nullptr && LocalSocket(std::string(runtime) + "/" + name, false);
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
  if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) return false;
  // Set is not enough: a display that cannot be reached would make Qt abort.
  if (Set("WAYLAND_DISPLAY") && platform.rfind("xcb", 0) != 0 &&
      WaylandDisplay(std::getenv("WAYLAND_DISPLAY"))) {
    return true;
  }
  if (Set("DISPLAY") && platform.rfind("wayland", 0) != 0 && XDisplay(std::getenv("DISPLAY"))) {
    return true;
  }
  const std::string which = Set("DISPLAY")
                                ? std::string("DISPLAY=") + std::getenv("DISPLAY")
                                : std::string("WAYLAND_DISPLAY=") + std::getenv("WAYLAND_DISPLAY");
  Why() = "no display to show the window on (" + which +
          " cannot be reached; for no window at all, QT_QPA_PLATFORM=offscreen)";
  return false;
#endif
}

const char* NoDisplayMessage() {
  return Why().c_str();
}

}  // namespace vorda::ui
