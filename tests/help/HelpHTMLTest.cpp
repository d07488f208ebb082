#include "help/HelpHTML.h"

#include <gtest/gtest.h>

#include "tests/support/PlatformFakes.h"
#include "tests/support/RecordingBoxes.h"

namespace vorda::HelpHTML {
namespace {

using platform::testing::FakeShell;
using vorda::testing::Box;
using vorda::testing::RecordingBoxes;

TEST(InvokeDocumentTest, OnlyFileNotFoundIsReported) {
  for (std::int32_t result : {0, 3, 5, 31, 32, 33, 42}) {
    FakeShell shell;
    shell.result = result;
    RecordingBoxes boxes;
    InvokeDocument(shell, boxes, "Open", "/x/Generic.chm", std::nullopt, std::nullopt, 1);
    EXPECT_TRUE(boxes.boxes.empty()) << result;
    ASSERT_EQ(shell.calls.size(), 1u);
  }
  FakeShell shell;
  shell.result = 2;
  RecordingBoxes boxes;
  InvokeDocument(shell, boxes, "Open", "/x/Generic.chm", std::nullopt, std::nullopt, 1);
  const Box expected{"HTML Help File Not Found \r\n/x/Generic.chm", MsgStyle::kPlain,
                     "VordaForWin"};
  EXPECT_EQ(boxes.boxes, std::vector<Box>{expected});
}

TEST(InvokeHelpTest, OpensTheHelpFileBesideTheProgram) {
  FakeShell shell;
  RecordingBoxes boxes;
  InvokeHelp(shell, boxes, [] { return std::string("/opt/vorda"); });
  ASSERT_EQ(shell.calls.size(), 1u);
  const auto& call = shell.calls[0];
  EXPECT_EQ(call.owner, FakeShell::kDesktop);
  EXPECT_EQ(call.operation, "Open");
  EXPECT_EQ(call.file, platform::JoinPath("/opt/vorda", "Generic.chm"));
  EXPECT_FALSE(call.parameters.has_value());
  EXPECT_FALSE(call.directory.has_value());
  EXPECT_EQ(call.show, 1);
  EXPECT_TRUE(boxes.boxes.empty());
  // Every command opens the file again.
  InvokeHelp(shell, boxes, [] { return std::string("/opt/vorda"); });
  EXPECT_EQ(shell.calls.size(), 2u);
}

TEST(InvokeHelpTest, TrapReportsTheFailureCode) {
  for (int code : {53, -5}) {
    FakeShell shell;
    shell.fail = true;
    shell.failure_code = code;
    RecordingBoxes boxes;
    InvokeHelp(shell, boxes, [] { return std::string("/opt/vorda"); });
    const Box expected{"Error in Invoking Help!\r\nError Code = " + std::to_string(code),
                       MsgStyle::kPlain, "VordaForWin"};
    EXPECT_EQ(boxes.boxes, std::vector<Box>{expected});
  }
  FakeShell shell;
  RecordingBoxes boxes;
  InvokeHelp(shell, boxes, []() -> std::string { throw std::runtime_error("no folder"); });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].prompt, "Error in Invoking Help!\r\nError Code = 51");
  EXPECT_TRUE(shell.calls.empty());
}

}  // namespace
}  // namespace vorda::HelpHTML
