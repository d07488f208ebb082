// The Windows file test, process launch and program folder through the real
// calls, and the code page that gives their narrow strings their meaning.
#include <gtest/gtest.h>

#include "tests/platform/windows/WindowsTestSupport.h"

namespace vorda::platform::testing {
namespace {

const std::string kNonAscii = "\xce\xa9mega R\xc3\xa9sum\xc3\xa9";  // "Ωmega Résumé"

// The manifest makes UTF-8 the ANSI code page: the A calls take and give
// UTF-8, as the Linux calls do.
TEST(WindowsCodePageTest, NarrowStringsAreUtf8) {
  EXPECT_EQ(::GetACP(), static_cast<UINT>(CP_UTF8));
}

TEST(WindowsFilesTest, OrdinaryVisibleFilesOnly) {
  TempFolder dir;
  struct Case {
    const char* name;
    DWORD attributes;  // 0: a folder instead of a file
    bool exists;
  };
  const Case cases[] = {
      {"MSINFO32.EXE", FILE_ATTRIBUTE_NORMAL, true},
      {"readonly.exe", FILE_ATTRIBUTE_READONLY, true},
      {"\xc3\x9c"
       "bersicht.exe",
       FILE_ATTRIBUTE_NORMAL, true},  // "Übersicht.exe"
      {"hidden.exe", FILE_ATTRIBUTE_HIDDEN, false},
      {"system.exe", FILE_ATTRIBUTE_SYSTEM, false},
      {"folder.exe", 0, false},
  };
  for (const Case& c : cases) {
    if (c.attributes == 0) {
      ::CreateDirectoryW(Wide(dir.File(c.name)).c_str(), nullptr);
    } else {
      dir.Write(c.name, "x");
      ::SetFileAttributesW(Wide(dir.File(c.name)).c_str(), c.attributes);
    }
  }
  Services services = CreateServices();
  for (const Case& c : cases) {
    EXPECT_EQ(services.files->FileExists(dir.File(c.name)), c.exists) << c.name;
  }
  EXPECT_FALSE(services.files->FileExists(dir.File("absent.exe")));
  for (const Case& c : cases) ::SetFileAttributesW(Wide(dir.File(c.name)).c_str(), 0);
}

TEST(WindowsProcessesTest, LaunchesOrFails) {
  ProbeMarker marker;
  Services services = CreateServices();
  services.processes->Launch(ProbePath());
  EXPECT_EQ(marker.Wait(), ProgramFolder() + "\n");

  TempFolder dir;
  for (const std::string& path :
       {dir.File("absent.exe"), std::string(), dir.Write("plain.txt", "not a program")}) {
    EXPECT_THROW(services.processes->Launch(path), PlatformFailure) << path;
  }
}

TEST(WindowsProgramFolderTest, FolderOfTheExecutable) {
  wchar_t module[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, module, MAX_PATH);
  const std::wstring exe(module, n);
  const std::string expected = Utf8(exe.substr(0, exe.find_last_of(L'\\')));
  const std::string folder = ProgramFolder();
  EXPECT_EQ(folder, expected);
  ASSERT_GE(folder.size(), 3u);
  EXPECT_EQ(folder.substr(1, 2), ":\\") << folder;
  EXPECT_NE(folder.back(), '\\');
  EXPECT_EQ(JoinPath(folder, "Generic.chm"), folder + "\\Generic.chm");
}

// A program in a folder whose name is outside every single-byte code page
// finds its folder, and is started by that name.
TEST(WindowsProgramFolderTest, NonAsciiFolder) {
  TempFolder dir(kNonAscii);
  const std::string probe = dir.Copy(ProbePath(), "probe.exe");
  ProbeMarker marker;
  CreateServices().processes->Launch(probe);
  EXPECT_EQ(marker.Wait(), dir.Path() + "\n");
  EXPECT_NE(dir.Path().find(kNonAscii), std::string::npos);
}

}  // namespace
}  // namespace vorda::platform::testing
