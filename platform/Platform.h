// What the program asks of the operating system: the shell's open operation,
// a read-only registry, a file test, a process launch and the program folder.
// One implementation per platform stands behind these interfaces.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace vorda::platform {

using WindowHandle = std::intptr_t;
using RegKey = std::uintptr_t;

// Predefined root key HKEY_LOCAL_MACHINE.
inline constexpr RegKey kHKeyLocalMachine = 0x80000002;

// Where the System Information tool is registered, below HKEY_LOCAL_MACHINE:
// its full path, or else the folder that holds MSINFO32.EXE.
inline constexpr const char* kMsinfoKey = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
inline constexpr const char* kMsinfoPathValue = "PATH";
inline constexpr const char* kToolsLocationKey = R"(SOFTWARE\Microsoft\Shared Tools Location)";
inline constexpr const char* kToolsLocationValue = "MSINFO";

// Registry results (the Windows error codes).
inline constexpr long kRegSuccess = 0;
inline constexpr long kRegFileNotFound = 2;
inline constexpr long kRegInvalidHandle = 6;
inline constexpr long kRegMoreData = 234;

// Registry value types.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// Shell results: above 32 is success.
inline constexpr std::int32_t kShellFileNotFound = 2;
inline constexpr std::int32_t kShellPathNotFound = 3;
inline constexpr std::int32_t kShellNoAssociation = 31;
inline constexpr std::int32_t kShellOpened = 42;

// Failure codes of operations that cannot be carried out at all.
inline constexpr int kFailureToolMissing = 53;  // a system tool or library is not there
inline constexpr int kFailureLaunch = 5;        // a program could not be started
inline constexpr int kFailureOutOfMemory = 7;
inline constexpr int kFailureInternal = 51;

// A platform operation that failed as a whole (not a result code).
class PlatformFailure : public std::runtime_error {
 public:
  PlatformFailure(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

class Shell {
 public:
  virtual ~Shell() = default;
  virtual WindowHandle GetDesktopWindow() = 0;
  // Opens a file with the application associated with it. Returns the
  // shell's result (above 32 is success; 2 file not found, 3 path not found,
  // 31 no association, ...). Throws PlatformFailure when the shell itself
  // is missing.
  virtual std::int32_t ShellExecute(WindowHandle owner, const std::string& operation,
                                    const std::string& file,
                                    const std::optional<std::string>& parameters,
                                    const std::optional<std::string>& directory,
                                    std::int32_t show_command) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  virtual long RegOpenKeyEx(RegKey root, const std::string& sub_key, std::uint32_t options,
                            std::uint32_t access, RegKey* result) = 0;
  // Reads a value: its type, and its bytes into data (capacity *size).
  // On return *size holds the value's length; a value longer than the
  // capacity gives kRegMoreData.
  virtual long RegQueryValueEx(RegKey key, const std::string& value_name, std::uint32_t* type,
                               unsigned char* data, std::uint32_t* size) = 0;
  virtual long RegCloseKey(RegKey key) = 0;
};

class Files {
 public:
  virtual ~Files() = default;
  // Whether an ordinary file (not a folder, not hidden) exists at path.
  virtual bool FileExists(const std::string& path) = 0;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts an executable with no arguments as a separate process, shown
  // normally, without waiting for it. Throws PlatformFailure when it cannot.
  virtual void Launch(const std::string& path) = 0;
};

// All services of this platform.
struct Services {
  std::unique_ptr<Shell> shell;
  std::unique_ptr<Registry> registry;
  std::unique_ptr<Files> files;
  std::unique_ptr<Processes> processes;
};
Services CreateServices();

// The folder of the running executable, links resolved, with no trailing
// separator.
std::string ProgramFolder();

// The platform's path separator, and a folder joined with a file name by it.
char PathSeparator();
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace vorda::platform
