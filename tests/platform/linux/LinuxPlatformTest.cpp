// The Linux services for real, on temporary files and folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "help/HelpHTML.h"
#include "platform/Platform.h"
#include "platform/linux/LinuxServices.h"
#include "tests/support/RecordingBoxes.h"

namespace vorda::platform {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class TempDir {
 public:
  TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "vorda-test-XXXXXX").string();
    path_ = ::mkdtemp(tmpl.data());
  }
  ~TempDir() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }
  std::string Write(const std::string& name, const std::string& text, bool executable = false) {
    const fs::path p = path_ / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p) << text;
    if (executable) fs::permissions(p, fs::perms::owner_all);
    return p.string();
  }

 private:
  fs::path path_;
};

bool WaitForFile(const fs::path& p) {
  for (int i = 0; i < 200 && !fs::exists(p); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return fs::exists(p);
}

// A desktop with the system's MIME database but no applications, to which a
// test may add one.
struct Desktop {
  TempDir home;
  bool linked = [this] {
    fs::create_directories(home.Path() / "share");
    fs::create_directory_symlink("/usr/share/mime", home.Path() / "share" / "mime");
    return true;
  }();
  ScopedEnv data_home{"XDG_DATA_HOME", (home.Path() / "data").string()};
  ScopedEnv data_dirs{"XDG_DATA_DIRS", (home.Path() / "share").string()};
  ScopedEnv config_home{"XDG_CONFIG_HOME", (home.Path() / "config").string()};
  ScopedEnv config_dirs{"XDG_CONFIG_DIRS", (home.Path() / "none").string()};
  ScopedEnv desktop{"XDG_CURRENT_DESKTOP", "X-Generic"};
  ScopedEnv session{"DESKTOP_SESSION", ""};
};

TEST(LinuxShellTest, ResultCodes) {
  Desktop desktop;
  TempDir dir;
  linux_impl::LinuxShell shell;
  const std::string missing_folder = (dir.Path() / "nowhere" / "Generic.chm").string();
  EXPECT_EQ(shell.ShellExecute(1, "Open", missing_folder, std::nullopt, std::nullopt, 1), 3);
  const std::string missing_file = (dir.Path() / "Generic.chm").string();
  EXPECT_EQ(shell.ShellExecute(1, "Open", missing_file, std::nullopt, std::nullopt, 1), 2);
  const std::string text = dir.Write("notes.txt", "plain text\n");
  EXPECT_EQ(shell.ShellExecute(1, "Open", text, std::nullopt, std::nullopt, 1), 31);
}

TEST(LinuxShellTest, OpensWithTheAssociatedApplication) {
  Desktop desktop;
  TempDir dir;
  const fs::path marker = dir.Path() / "opened";
  const std::string opener =
      dir.Write("opener.sh", "#!/bin/sh\necho \"$1\" > '" + marker.string() + "'\n", true);
  desktop.home.Write("data/applications/vorda-test.desktop",
                     "[Desktop Entry]\nType=Application\nName=Test\nExec=" + opener +
                         " %f\nMimeType=text/plain;\n");
  desktop.home.Write("config/mimeapps.list",
                     "[Default Applications]\ntext/plain=vorda-test.desktop\n");
  const std::string text = dir.Write("notes.txt", "plain text\n");
  ScopedEnv display("DISPLAY", ":97");  // the opener only opens files on a desktop
  linux_impl::LinuxShell shell;
  EXPECT_GT(shell.ShellExecute(1, "Open", text, std::nullopt, std::nullopt, 1), 32);
  ASSERT_TRUE(WaitForFile(marker));
}

TEST(LinuxShellTest, MissingOpenerToolsAreAFailure) {
  TempDir empty;
  TempDir dir;
  const std::string text = dir.Write("notes.txt", "plain text\n");
  ScopedEnv path("PATH", empty.Path().string());
  linux_impl::LinuxShell shell;
  try {
    shell.ShellExecute(1, "Open", text, std::nullopt, std::nullopt, 1);
    FAIL() << "no failure";
  } catch (const PlatformFailure& f) {
    EXPECT_EQ(f.Code(), kFailureToolMissing);
  }
}

TEST(LinuxShellTest, HelpFileMissingBesideTheProgram) {
  TempDir dir;
  linux_impl::LinuxShell shell;
  vorda::testing::RecordingBoxes boxes;
  HelpHTML::InvokeHelp(shell, boxes, [&dir] { return dir.Path().string(); });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].prompt,
            "HTML Help File Not Found \r\n" + (dir.Path() / "Generic.chm").string());
  EXPECT_EQ(boxes.boxes[0].title, "VordaForWin");
}

TEST(BuiltInRegistryTest, HoldsTheFirstSystemInformationTool) {
  TempDir bin;
  const std::string tool = bin.Write("gnome-system-monitor", "#!/bin/sh\n", true);
  bin.Write("lxtask", "#!/bin/sh\n", true);
  ScopedEnv path("PATH", bin.Path().string());
  linux_impl::BuiltInRegistry registry;
  RegKey key = 0;
  ASSERT_EQ(registry.RegOpenKeyEx(kHKeyLocalMachine, kMsinfoKey, 0, 0x2003F, &key), kRegSuccess);
  std::uint32_t type = 0;
  std::uint32_t size = 4;
  unsigned char small[4];
  EXPECT_EQ(registry.RegQueryValueEx(key, "path", &type, small, &size), kRegMoreData);
  EXPECT_EQ(size, tool.size() + 1);
  unsigned char data[1024];
  size = sizeof data;
  ASSERT_EQ(registry.RegQueryValueEx(key, "PATH", &type, data, &size), kRegSuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), tool + std::string(1, '\0'));
  EXPECT_EQ(registry.RegQueryValueEx(key, "Other", &type, data, &size), kRegFileNotFound);
  EXPECT_EQ(registry.RegCloseKey(key), kRegSuccess);
  EXPECT_EQ(registry.RegCloseKey(key), kRegInvalidHandle);
  EXPECT_EQ(registry.RegOpenKeyEx(kHKeyLocalMachine, kToolsLocationKey, 0, 0x2003F, &key),
            kRegFileNotFound);
}

TEST(BuiltInRegistryTest, EmptyWithoutATool) {
  TempDir bin;
  ScopedEnv path("PATH", bin.Path().string());
  linux_impl::BuiltInRegistry registry;
  RegKey key = 0;
  EXPECT_EQ(registry.RegOpenKeyEx(kHKeyLocalMachine, kMsinfoKey, 0, 0x2003F, &key),
            kRegFileNotFound);
}

TEST(LinuxFilesTest, OrdinaryVisibleFilesOnly) {
  TempDir dir;
  linux_impl::LinuxFiles files;
  EXPECT_TRUE(files.FileExists(dir.Write("MSINFO32.EXE", "x")));
  EXPECT_FALSE(files.FileExists(dir.Write(".hidden", "x")));
  EXPECT_FALSE(files.FileExists(dir.Path().string()));
  EXPECT_FALSE(files.FileExists((dir.Path() / "absent").string()));
}

TEST(LinuxProcessesTest, LaunchesDetachedOrFails) {
  TempDir dir;
  const fs::path marker = dir.Path() / "ran";
  const std::string program =
      dir.Write("tool.sh", "#!/bin/sh\ntouch '" + marker.string() + "'\n", true);
  linux_impl::LinuxProcesses processes;
  processes.Launch(program);
  EXPECT_TRUE(WaitForFile(marker));
  EXPECT_THROW(processes.Launch((dir.Path() / "absent").string()), PlatformFailure);
  EXPECT_THROW(processes.Launch(""), PlatformFailure);
  EXPECT_THROW(processes.Launch(dir.Write("plain.txt", "not a program")), PlatformFailure);
}

TEST(ProgramFolderTest, FolderOfTheExecutable) {
  const std::string folder = ProgramFolder();
  EXPECT_EQ(folder, fs::canonical("/proc/self/exe").parent_path().string());
  EXPECT_NE(folder.back(), '/');
  EXPECT_EQ(JoinPath(folder, "Generic.chm"), folder + "/Generic.chm");
}

}  // namespace
}  // namespace vorda::platform
