#include "ui/about/SysInfo.h"

#include <gtest/gtest.h>

#include "tests/support/PlatformFakes.h"
#include "tests/support/RecordingBoxes.h"

namespace vorda::about {
namespace {

using platform::kRegBinary;
using platform::kRegDword;
using platform::kRegExpandSz;
using platform::kRegSz;
using platform::testing::FakeFiles;
using platform::testing::FakeProcesses;
using platform::testing::FakeRegistry;
using vorda::testing::RecordingBoxes;

const std::string kNul(1, '\0');

struct SysInfoFixture : ::testing::Test {
  FakeRegistry registry;
  FakeFiles files;
  FakeProcesses processes;
  RecordingBoxes boxes;

  void Run() { StartSysInfo(registry, files, processes, boxes); }
  bool Read(const std::string& key, const std::string& value, std::string& out) {
    std::int32_t root = static_cast<std::int32_t>(platform::kHKeyLocalMachine);
    std::string k = key, v = value;
    return GetKeyValue(registry, root, k, v, out);
  }
  bool Unavailable() const {
    return boxes.boxes.size() == 1 &&
           boxes.boxes[0] == vorda::testing::Box{"System Information Is Unavailable At This Time",
                                                 MsgStyle::kPlain, "VordaForWin"};
  }
};

TEST_F(SysInfoFixture, PathValueWithAndWithoutNul) {
  registry.keys[platform::kMsinfoKey]["PATH"] = {kRegSz, "/opt/tools/msinfo" + kNul};
  Run();
  EXPECT_EQ(processes.launched, std::vector<std::string>{"/opt/tools/msinfo"});
  registry.keys[platform::kMsinfoKey]["PATH"] = {kRegSz, "/opt/tools/msinfo"};
  Run();
  EXPECT_EQ(processes.launched.back(), "/opt/tools/msinfo");
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(files.asked.empty());  // no existence test after "PATH"
  EXPECT_EQ(registry.opened, registry.closed);
}

TEST_F(SysInfoFixture, PathOfAnotherTypeIsReadButEmpty) {
  registry.keys[platform::kMsinfoKey]["PATH"] = {kRegExpandSz,
                                                 "%ProgramFiles%\\msinfo32.exe" + kNul};
  std::string path = "unchanged";
  EXPECT_TRUE(Read(platform::kMsinfoKey, "PATH", path));
  EXPECT_EQ(path, "unchanged");
  Run();  // launching the empty path fails
  EXPECT_TRUE(processes.launched.empty());
  EXPECT_TRUE(Unavailable());
}

TEST_F(SysInfoFixture, ValueSizeLimit) {
  const std::string exact = std::string(1023, 'a') + kNul;  // 1024 bytes with its NUL
  registry.keys["K"]["exact"] = {kRegSz, exact};
  registry.keys["K"]["long"] = {kRegSz, std::string(1024, 'b') + kNul};  // 1025 bytes
  std::string out = "x";
  EXPECT_TRUE(Read("K", "exact", out));
  EXPECT_EQ(out, std::string(1023, 'a'));
  EXPECT_FALSE(Read("K", "long", out));
  EXPECT_EQ(out, "");
  EXPECT_EQ(registry.query_capacities, (std::vector<std::uint32_t>{1024, 1024}));
  EXPECT_EQ(registry.opened, 2);
  EXPECT_EQ(registry.closed, 2);
}

TEST_F(SysInfoFixture, OpensWithTheWideAccessMask) {
  std::string out;
  Read("missing", "PATH", out);
  EXPECT_EQ(registry.access_masks, std::vector<std::uint32_t>{0x2003F});
}

TEST_F(SysInfoFixture, TypesOfValues) {
  registry.keys["K"]["dword"] = {kRegDword, std::string("\x39\x30\x00\x00", 4)};
  registry.keys["K"]["binary"] = {kRegBinary, "\x01\x02"};
  registry.keys["K"]["empty"] = {kRegSz, ""};
  registry.keys["K"]["inner"] = {kRegSz, std::string("a\0b", 3)};
  std::string out = "keep";
  EXPECT_TRUE(Read("K", "dword", out));
  EXPECT_EQ(out, "12345");
  out = "keep";
  EXPECT_TRUE(Read("K", "binary", out));
  EXPECT_EQ(out, "keep");
  EXPECT_TRUE(Read("K", "empty", out));
  EXPECT_EQ(out, "");
  EXPECT_TRUE(Read("K", "inner", out));
  EXPECT_EQ(out, std::string("a\0b", 3));
  EXPECT_FALSE(Read("K", "absent", out));
  EXPECT_EQ(out, "");
  EXPECT_EQ(registry.opened, registry.closed);
}

TEST_F(SysInfoFixture, ToolsLocationFolderWithTheExecutable) {
  registry.keys[platform::kToolsLocationKey]["MSINFO"] = {kRegSz, "/opt/shared" + kNul};
  // The folder and the name joined with the platform's separator.
  const std::string executable = platform::JoinPath("/opt/shared", "MSINFO32.EXE");
  files.existing = {executable};
  Run();
  EXPECT_EQ(files.asked, std::vector<std::string>{executable});
  EXPECT_EQ(processes.launched, std::vector<std::string>{executable});
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SysInfoFixture, FolderWithoutTheExecutable) {
  registry.keys[platform::kToolsLocationKey]["MSINFO"] = {kRegSz, "/opt/shared" + kNul};
  Run();
  EXPECT_TRUE(processes.launched.empty());
  EXPECT_TRUE(Unavailable());
}

TEST_F(SysInfoFixture, NothingRegistered) {
  Run();
  EXPECT_TRUE(processes.launched.empty());
  EXPECT_TRUE(Unavailable());
  EXPECT_EQ(registry.access_masks.size(), 2u);  // both look-ups, in order
}

TEST_F(SysInfoFixture, LaunchFailureIsReported) {
  registry.keys[platform::kMsinfoKey]["PATH"] = {kRegSz, "/gone" + kNul};
  processes.refused = {"/gone"};
  Run();
  EXPECT_TRUE(Unavailable());
}

TEST_F(SysInfoFixture, TwoClicksLaunchTwice) {
  registry.keys[platform::kMsinfoKey]["PATH"] = {kRegSz, "/usr/bin/hardinfo" + kNul};
  Run();
  Run();
  EXPECT_EQ(processes.launched.size(), 2u);
  EXPECT_EQ(registry.opened, 2);
  EXPECT_EQ(registry.closed, 2);
}

// A registry that claims more bytes than the buffer holds is not believed.
class LyingRegistry : public FakeRegistry {
 public:
  long RegQueryValueEx(platform::RegKey, const std::string&, std::uint32_t* type,
                       unsigned char* data, std::uint32_t* size) override {
    *type = kRegSz;
    std::memset(data, 'z', *size);
    *size = 100000;
    return platform::kRegSuccess;
  }
};

TEST(GetKeyValueTest, OversizedAnswerIsClamped) {
  LyingRegistry registry;
  registry.keys["K"] = {};
  std::int32_t root = static_cast<std::int32_t>(platform::kHKeyLocalMachine);
  std::string key = "K", value = "V", out;
  EXPECT_TRUE(GetKeyValue(registry, root, key, value, out));
  EXPECT_EQ(out, std::string(1024, 'z'));
}

}  // namespace
}  // namespace vorda::about
