// The shell's open operation through the real ShellExecuteA, and the help
// invocation's report of each result. No test opens a file that a real
// viewer would show.
#include <gtest/gtest.h>

#include <iostream>
#include <set>

#include "help/HelpHTML.h"
#include "tests/platform/windows/WindowsTestSupport.h"
#include "tests/support/RecordingBoxes.h"

namespace vorda::platform::testing {
namespace {

using vorda::testing::Box;
using vorda::testing::RecordingBoxes;

std::int32_t Open(Shell& shell, const std::string& file) {
  return shell.ShellExecute(shell.GetDesktopWindow(), "Open", file, std::nullopt, std::nullopt, 1);
}

// What the help invocation shows for a result, the same on every platform:
// only "file not found" is reported, with the full path.
std::vector<Box> ReportOf(std::int32_t result, const std::string& file) {
  if (result != kShellFileNotFound) return {};
  return {{"HTML Help File Not Found \r\n" + file, MsgStyle::kPlain, "VordaForWin"}};
}

TEST(WindowsShellTest, ResultsAndTheirReports) {
  TempFolder dir;
  struct Case {
    const char* what;
    std::string file;
    std::set<std::int32_t> results;
  };
  const Case cases[] = {
      {"missing file", dir.File("Generic.chm"), {kShellFileNotFound}},
      // Windows documents "path not found" (3); Wine answers 2.
      {"missing folder",
       dir.File("nowhere\\Generic.chm"),
       {kShellFileNotFound, kShellPathNotFound}},
      {"type nothing opens", dir.Write("notes.vordanone", "plain text\n"), {kShellNoAssociation}},
  };
  Services services = CreateServices();
  for (const Case& c : cases) {
    const std::int32_t result = Open(*services.shell, c.file);
    std::cout << "ShellExecuteA, " << c.what << ": " << result << "\n";
    EXPECT_EQ(c.results.count(result), 1u) << c.what << ": " << result;
    RecordingBoxes boxes;
    HelpHTML::InvokeDocument(*services.shell, boxes, "Open", c.file, std::nullopt, std::nullopt, 1);
    EXPECT_EQ(boxes.boxes, ReportOf(result, c.file)) << c.what;
  }
}

TEST(WindowsShellTest, HelpFileMissingBesideTheProgram) {
  Services services = CreateServices();
  RecordingBoxes boxes;
  HelpHTML::InvokeHelp(*services.shell, boxes, ProgramFolder);
  const std::string path = ProgramFolder() + "\\Generic.chm";
  EXPECT_EQ(boxes.boxes, ReportOf(kShellFileNotFound, path));
  EXPECT_EQ(path.find('/'), std::string::npos) << path;
}

TEST(WindowsShellTest, NonAsciiFolder) {
  TempFolder dir("\xce\xa9mega R\xc3\xa9sum\xc3\xa9");  // "Ωmega Résumé"
  Services services = CreateServices();
  // The file is found (no association rather than not found): the name
  // reached the file system intact.
  EXPECT_EQ(Open(*services.shell, dir.Write("notes.vordanone", "x")), kShellNoAssociation);
  RecordingBoxes boxes;
  HelpHTML::InvokeHelp(*services.shell, boxes, [&dir] { return dir.Path(); });
  EXPECT_EQ(boxes.boxes, ReportOf(kShellFileNotFound, dir.File("Generic.chm")));
}

// The real shell, keeping the result of its last call.
class ResultOf : public Shell {
 public:
  explicit ResultOf(Shell& real) : real_(real) {}
  WindowHandle GetDesktopWindow() override { return real_.GetDesktopWindow(); }
  std::int32_t ShellExecute(WindowHandle owner, const std::string& operation,
                            const std::string& file, const std::optional<std::string>& parameters,
                            const std::optional<std::string>& directory,
                            std::int32_t show) override {
    result = real_.ShellExecute(owner, operation, file, parameters, directory, show);
    return result;
  }
  std::int32_t result = 0;

 private:
  Shell& real_;
};

// A file type of the test's own, opened by the probe: the "Open" verb
// reaches the associated program with the file, and the result is success.
TEST(WindowsShellTest, OpensWithTheAssociatedProgram) {
  const std::string type = "VordaForWin.TestProbe";
  ASSERT_EQ(SetValue(HKEY_CLASSES_ROOT, ".vordaprobe", "", REG_SZ, type + '\0'), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(HKEY_CLASSES_ROOT, type + "\\shell\\open\\command", "", REG_SZ,
                     "\"" + ProbePath() + "\" \"%1\"" + '\0'),
            ERROR_SUCCESS);
  TempFolder dir;
  const std::string file = dir.Write("data.vordaprobe", "x");
  ProbeMarker marker;
  Services services = CreateServices();
  ResultOf shell(*services.shell);
  RecordingBoxes boxes;
  HelpHTML::InvokeDocument(shell, boxes, "Open", file, std::nullopt, std::nullopt, 1);
  const std::optional<std::string> ran = marker.Wait();
  DeleteKey(HKEY_CLASSES_ROOT, ".vordaprobe");
  DeleteKey(HKEY_CLASSES_ROOT, type);
  EXPECT_GT(shell.result, 32);
  EXPECT_TRUE(boxes.boxes.empty());
  ASSERT_TRUE(ran.has_value());
  EXPECT_EQ(*ran, ProgramFolder() + "\n" + file + "\n");
}

}  // namespace
}  // namespace vorda::platform::testing
