// Running other programs without a shell in between.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorda::platform::linux_impl {

// The full path of an executable found in the folders of $PATH.
std::optional<std::string> FindInPath(const std::string& name);

struct Captured {
  int exit_status = -1;  // -1 when the program could not be run
  std::string output;    // standard output, at most 64 KiB
};

// Runs argv[0] (a full path) with the arguments and waits for it.
Captured RunCapture(const std::vector<std::string>& argv);

// Starts argv[0] (a full path) in a session of its own, optionally in a
// working folder, and does not wait for it. Throws PlatformFailure when the
// program cannot be started.
void SpawnDetached(const std::vector<std::string>& argv,
                   const std::optional<std::string>& directory = std::nullopt);

}  // namespace vorda::platform::linux_impl
