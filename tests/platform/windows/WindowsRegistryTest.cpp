// GetKeyValue and StartSysInfo on the real registry: each test writes the
// two System Information values into the throwaway Wine prefix's
// HKEY_LOCAL_MACHINE, and the About box's code reads them through
// RegOpenKeyExA, RegQueryValueExA and RegCloseKey. These tests change those
// keys, so CTest runs them one at a time.
#include <gtest/gtest.h>

#include "tests/platform/windows/WindowsTestSupport.h"
#include "tests/support/RecordingBoxes.h"
#include "ui/about/SysInfo.h"

namespace vorda::platform::testing {
namespace {

using vorda::testing::Box;
using vorda::testing::RecordingBoxes;

// The real registry, counting the keys opened and closed; every call goes
// through to it.
class CountingRegistry : public Registry {
 public:
  explicit CountingRegistry(Registry& real) : real_(real) {}
  long RegOpenKeyEx(RegKey root, const std::string& sub_key, std::uint32_t options,
                    std::uint32_t access, RegKey* result) override {
    const long rc = real_.RegOpenKeyEx(root, sub_key, options, access, result);
    if (rc == kRegSuccess) {
      ++opened;
      last = *result;
    }
    return rc;
  }
  long RegQueryValueEx(RegKey key, const std::string& value_name, std::uint32_t* type,
                       unsigned char* data, std::uint32_t* size) override {
    capacities.push_back(*size);
    return real_.RegQueryValueEx(key, value_name, type, data, size);
  }
  long RegCloseKey(RegKey key) override {
    const long rc = real_.RegCloseKey(key);
    if (rc == kRegSuccess) ++closed;
    return rc;
  }
  int opened = 0;
  int closed = 0;
  RegKey last = 0;
  std::vector<std::uint32_t> capacities;

 private:
  Registry& real_;
};

// The real launcher, keeping why a launch failed: the box alone does not say.
class NotingProcesses : public Processes {
 public:
  explicit NotingProcesses(Processes& real) : real_(real) {}
  void Launch(const std::string& path) override {
    try {
      real_.Launch(path);
    } catch (const PlatformFailure& e) {
      failure = std::string(e.what()) + " (error " + std::to_string(e.Code()) + ")";
      throw;
    }
  }
  std::string failure;

 private:
  Processes& real_;
};

struct Value {
  DWORD type;
  std::string bytes;
};
Value Text(const std::string& text, DWORD type = REG_SZ) {
  return {type, text + '\0'};
}

class SystemInfoRegistry : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    DeleteKey(HKEY_LOCAL_MACHINE, kMsinfoKey);
    DeleteKey(HKEY_LOCAL_MACHINE, kToolsLocationKey);
  }
  // The MSINFO key with its PATH value, or with no value.
  static void SetPath(const std::optional<Value>& path) {
    EXPECT_EQ(CreateKey(HKEY_LOCAL_MACHINE, kMsinfoKey), ERROR_SUCCESS);
    if (path) {
      EXPECT_EQ(SetValue(HKEY_LOCAL_MACHINE, kMsinfoKey, kMsinfoPathValue, path->type, path->bytes),
                ERROR_SUCCESS);
    }
  }
  static void SetLocation(const Value& folder) {
    EXPECT_EQ(SetValue(HKEY_LOCAL_MACHINE, kToolsLocationKey, kToolsLocationValue, folder.type,
                       folder.bytes),
              ERROR_SUCCESS);
  }
  // Every key opened was closed. Right after GetKeyValue (before anything
  // else can be given the same handle) closing the last one again fails.
  static void ExpectEveryKeyClosed(const CountingRegistry& registry, const std::string& what,
                                   bool close_again) {
    EXPECT_EQ(registry.opened, registry.closed) << what;
    if (close_again && registry.opened > 0) {
      EXPECT_EQ(::RegCloseKey(reinterpret_cast<HKEY>(registry.last)), ERROR_INVALID_HANDLE) << what;
    }
  }

  Services services = CreateServices();
};

TEST_F(SystemInfoRegistry, GetKeyValueReadsEachKindOfValue) {
  const std::string unchanged = "unchanged";
  struct Case {
    const char* what;
    bool key;
    std::optional<Value> value;
    bool read;
    std::string expected;
  };
  const Case cases[] = {
      {"text", true, Text("C:\\Tools\\msinfo32.exe"), true, "C:\\Tools\\msinfo32.exe"},
      {"text without its NUL", true, Value{REG_SZ, "C:\\Tools"}, true, "C:\\Tools"},
      {"non-ASCII text", true, Text("C:\\Syst\xc3\xa8me\\\xce\xa9.exe"), true,
       "C:\\Syst\xc3\xa8me\\\xce\xa9.exe"},
      {"empty text", true, Text(""), true, ""},
      {"1023 characters and the NUL fill the buffer", true, Text(std::string(1023, 'a')), true,
       std::string(1023, 'a')},
      {"1024 characters do not fit", true, Text(std::string(1024, 'b')), false, ""},
      {"1023 characters without the NUL", true, Value{REG_SZ, std::string(1023, 'c')}, true,
       std::string(1023, 'c')},
      {"expandable text", true, Text("%SystemRoot%\\msinfo32.exe", REG_EXPAND_SZ), true, unchanged},
      {"number", true, Value{REG_DWORD, std::string("\x39\x30\x00\x00", 4)}, true, "12345"},
      {"bytes", true, Value{REG_BINARY, "\x01\x02"}, true, unchanged},
      {"missing value", true, std::nullopt, false, ""},
      {"missing key", false, std::nullopt, false, ""},
  };
  for (const Case& c : cases) {
    Clear();
    if (c.key) SetPath(c.value);
    CountingRegistry registry(*services.registry);
    std::int32_t root = static_cast<std::int32_t>(kHKeyLocalMachine);
    std::string key = kMsinfoKey, value = kMsinfoPathValue, out = unchanged;
    EXPECT_EQ(about::GetKeyValue(registry, root, key, value, out), c.read) << c.what;
    EXPECT_EQ(out, c.expected) << c.what;
    EXPECT_EQ(registry.opened, c.key ? 1 : 0) << c.what;
    ExpectEveryKeyClosed(registry, c.what, true);
    EXPECT_EQ(registry.capacities, std::vector<std::uint32_t>(c.key ? 1 : 0, 1024)) << c.what;
  }
}

// Folders for the Shared Tools Location: with the probe as MSINFO32.EXE,
// with it hidden, and without it; and the probe in a non-ASCII folder.
struct ToolFolders {
  ToolFolders() {
    tools.Copy(ProbePath(), "MSINFO32.EXE");
    ::SetFileAttributesW(Wide(hidden.Copy(ProbePath(), "MSINFO32.EXE")).c_str(),
                         FILE_ATTRIBUTE_HIDDEN);
  }
  ~ToolFolders() {
    ::SetFileAttributesW(Wide(hidden.File("MSINFO32.EXE")).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  TempFolder tools{"Shared Tools"};
  TempFolder hidden{"Hidden Tools"};
  TempFolder empty{"No Tools"};
  TempFolder odd{"\xce\xa9mega R\xc3\xa9sum\xc3\xa9"};  // "Ωmega Résumé"
  std::string odd_probe = odd.Copy(ProbePath(), "probe.exe");
};

TEST_F(SystemInfoRegistry, StartSysInfoStartsTheRegisteredTool) {
  const ToolFolders folders;
  const TempFolder& tools = folders.tools;
  const TempFolder& empty = folders.empty;
  const std::string none;  // not started: the box instead
  struct Case {
    const char* what;
    bool msinfo_key;
    std::optional<Value> path;
    std::optional<Value> location;
    int keys_opened;
    std::string ran_in;
  };
  const Value number{REG_DWORD, std::string("\x39\x30\x00\x00", 4)};
  const Case cases[] = {
      {"PATH names the tool", true, Text(ProbePath()), std::nullopt, 1, ProgramFolder()},
      {"PATH in a non-ASCII folder", true, Text(folders.odd_probe), std::nullopt, 1,
       folders.odd.Path()},
      {"PATH names a missing program", true, Text(empty.File("gone.exe")), Text(tools.Path()), 1,
       none},
      {"PATH expandable: read, but empty", true, Text(ProbePath(), REG_EXPAND_SZ),
       Text(tools.Path()), 1, none},
      {"PATH a number", true, number, std::nullopt, 1, none},
      {"PATH too long, the folder instead", true, Text(std::string(1100, 'x')), Text(tools.Path()),
       2, tools.Path()},
      {"no PATH, the folder instead", true, std::nullopt, Text(tools.Path()), 2, tools.Path()},
      {"no MSINFO key, the folder instead", false, std::nullopt, Text(tools.Path()), 1,
       tools.Path()},
      {"folder without MSINFO32.EXE", true, std::nullopt, Text(empty.Path()), 2, none},
      {"hidden MSINFO32.EXE", true, std::nullopt, Text(folders.hidden.Path()), 2, none},
      {"nothing registered", false, std::nullopt, std::nullopt, 0, none},
  };
  const Box unavailable{"System Information Is Unavailable At This Time", MsgStyle::kPlain,
                        "VordaForWin"};
  for (const Case& c : cases) {
    Clear();
    if (c.msinfo_key) SetPath(c.path);
    if (c.location) SetLocation(*c.location);
    ProbeMarker marker;
    CountingRegistry registry(*services.registry);
    RecordingBoxes boxes;
    NotingProcesses processes(*services.processes);
    about::StartSysInfo(registry, *services.files, processes, boxes);
    if (c.ran_in.empty()) {
      EXPECT_EQ(boxes.boxes, std::vector<Box>{unavailable}) << c.what;
    } else {
      EXPECT_TRUE(boxes.boxes.empty()) << c.what << ": " << processes.failure;
      EXPECT_EQ(marker.Wait(), c.ran_in + "\n") << c.what;
    }
    // A launch opens handles of its own, which may reuse a closed key's.
    ExpectEveryKeyClosed(registry, c.what, false);
    EXPECT_EQ(registry.opened, c.keys_opened) << c.what;
  }
}

}  // namespace
}  // namespace vorda::platform::testing
