// vorda-match with a measured load from a Touchstone file.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <complex>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <sstream>

#include "cli/Cli.h"
#include "rf/circuit/Units.h"
#include "rf/files/Touchstone.h"
#include "tests/cli/CliRun.h"

namespace vorda::cli {
namespace {

using testing::Result;
using testing::RunArgs;

nlohmann::json Json(const std::vector<std::string>& args) {
  const Result r = RunArgs(args);
  EXPECT_EQ(r.status, 0) << r.err;
  return nlohmann::json::parse(r.out);
}

// A file in a temporary folder, removed with it.
class TempFile {
 public:
  explicit TempFile(const std::string& contents)
      : path_((std::filesystem::temp_directory_path() /
               ("vorda-" + std::to_string(std::random_device{}()) + ".s1p"))
                  .string()) {
    std::ofstream(path_, std::ios::binary) << contents;
  }
  ~TempFile() { std::filesystem::remove(path_); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// 30 ohms in series with 200 nH, measured from 10 to 20 MHz every 1 MHz.
constexpr double kR = 30, kL = 200e-9;
double X(double hertz) {
  return 2 * std::numbers::pi * hertz * kL;
}
std::string SeriesRlFile() {
  std::vector<rf::LoadPoint> points;
  for (int mhz = 10; mhz <= 20; ++mhz) points.push_back({mhz * 1e6, {kR, X(mhz * 1e6)}});
  return rf::WriteTouchstone(points, 50);
}

// The design from the file at a measured frequency equals the design from
// R + jX typed directly, for every type.
TEST(CliMeasuredTest, FileAndTypedLoadGiveTheSameDesign) {
  const TempFile file(SeriesRlFile());
  for (const double mhz : {10.0, 14.0, 20.0}) {
    const std::string f = rf::ShortestText(mhz * 1e6);
    const auto measured = Json({"--json", "--type", "all", "--s1p", file.Path(), "--freq", f});
    const auto typed = Json({"--json", "--type", "all", "--freq", f, "--", rf::ShortestText(kR),
                             rf::ShortestText(X(mhz * 1e6))});
    EXPECT_EQ(measured["measured_load"]["load"][1].get<double>(), X(mhz * 1e6));
    for (std::size_t t = 0; t < 8; ++t) {
      EXPECT_EQ(measured["runs"][t]["labels"], typed["runs"][t]["labels"]) << mhz << " " << t;
      EXPECT_EQ(measured["runs"][t]["first"], typed["runs"][t]["first"]) << mhz << " " << t;
    }
  }
}

// At the measured frequencies the measured-load sweep is the series model's.
TEST(CliMeasuredTest, MeasuredSweepMatchesTheSeriesModelAtItsPoints) {
  const TempFile file(SeriesRlFile());
  const std::string f = "14M";
  const auto measured =
      Json({"--json", "--type", "2", "--s1p", file.Path(), "--freq", f, "--q-l", "60", "--sweep"});
  const auto typed = Json({"--json", "--type", "2", "--freq", f, "--q-l", "60", "--sweep",
                           "10M:20M:11", "--", rf::ShortestText(kR), rf::ShortestText(X(14e6))});
  const auto& ms = measured["runs"][0]["sweep"];
  const auto& ts = typed["runs"][0]["sweep"];
  ASSERT_EQ(ms["frequencies"], ts["frequencies"]);
  for (std::size_t i = 0; i < 11; ++i) {
    EXPECT_NEAR(ms["return_loss_db"][i].get<double>(), ts["return_loss_db"][i].get<double>(), 1e-9);
    EXPECT_TRUE(ms["load_return_loss_db"][i].is_number());
  }
  EXPECT_FALSE(ts.contains("load_return_loss_db"));
  EXPECT_EQ(measured["runs"][0]["bandwidth"]["high"].is_null(),
            typed["runs"][0]["bandwidth"]["high"].get<double>() > 20e6);
}

TEST(CliMeasuredTest, EachPointAndStandardInput) {
  const TempFile file(SeriesRlFile());
  const auto doc =
      Json({"--json", "--each", "--type", "all", "--series", "E24", "--s1p", file.Path()});
  ASSERT_EQ(doc["points"].size(), 11u);
  EXPECT_EQ(doc["points"][3]["frequency"], 13e6);
  EXPECT_EQ(doc["points"][3]["runs"].size(), 8u);
  EXPECT_TRUE(doc["points"][3]["runs"][1]["first"]["standard"].is_object());  // type 2
  const Result text = RunArgs({"--each", "--s1p", file.Path()});
  EXPECT_EQ(text.status, 0);
  EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), 12);  // heading and 11 rows
  // JSON lines: each point on a line of its own, numbers only (under 1 KB
  // for the eight types), the same numbers as in the document.
  const Result lines =
      RunArgs({"--jsonl", "--each", "--type", "all", "--series", "E24", "--s1p", file.Path()});
  EXPECT_EQ(lines.status, 0);
  std::istringstream in(lines.out);
  std::string line;
  std::size_t n = 0;
  while (std::getline(in, line)) {
    ASSERT_LT(n, doc["points"].size());
    EXPECT_LT(line.size(), 1024u);
    const auto j = nlohmann::json::parse(line);
    const auto& point = doc["points"][n++];
    EXPECT_EQ(j["frequency"], point["frequency"]);
    ASSERT_EQ(j["rows"].size(), point["runs"].size());
    for (std::size_t t = 0; t < j["rows"].size(); ++t) {
      const auto &row = j["rows"][t], &run = point["runs"][t];
      EXPECT_EQ(row["verdict"], run["verdict"]);
      if (run["verdict"] != "designed") continue;
      const auto& standard = run["second"]["standard"];
      EXPECT_EQ(row["parts"][1],
                standard.contains("henries") ? standard["henries"] : standard["farads"]);
      EXPECT_EQ(row["match_return_loss_db"], run["match"]["return_loss_db"]);
      EXPECT_FALSE(row.contains("labels"));
    }
  }
  EXPECT_EQ(n, 11u);
  // The fields are chosen by name, and a name that is no figure is refused.
  const Result chosen = RunArgs(
      {"--jsonl", "--each", "--fields", "insertion_loss_db,match_zin", "--s1p", file.Path()});
  EXPECT_NE(chosen.out.find("\"match_zin\":["), std::string::npos);
  EXPECT_EQ(chosen.out.find("match_vswr"), std::string::npos);
  EXPECT_EQ(RunArgs({"--jsonl", "--each", "--fields", "zin", "--s1p", file.Path()}).status, 2);
  EXPECT_EQ(RunArgs({"--jsonl", "--freq", "1M", "40", "30"}).status, 2);
}

TEST(CliMeasuredTest, BrokenFilesAndWrongUse) {
  const TempFile broken("# MHz S RI\n1 0 0\n2 0 0\n3 zero 0\n");
  for (const auto& args : {std::vector<std::string>{"--each", "--s1p", broken.Path()},
                           {"--s1p", broken.Path(), "--freq", "1.5M"}}) {
    const Result r = RunArgs(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty()) << r.out;  // nothing from a half-read file
    EXPECT_EQ(r.err.rfind(broken.Path() + ":4: ", 0), 0u) << r.err;
  }
  const TempFile good(SeriesRlFile());
  const std::vector<std::vector<std::string>> wrong = {
      {"--s1p", good.Path(), "--freq", "25M"},  // outside the file
      {"--s1p", good.Path(), "--freq", "14M", "--sweep", "5M:15M"},
      {"--s1p", "/nonexistent/file.s1p", "--freq", "14M"},
      {"--s1p", good.Path(), "--freq", "14M", "40", "30"},
      {"--s1p", good.Path()},
      {"--s1p", good.Path(), "--each", "--freq", "14M"},
      {"--each", "40", "30"},
      {"--s1p", good.Path(), "--each", "--sweep"},
      {"--freq", "14M", "--sweep", "--", "40", "30"},
  };
  for (const auto& args : wrong) {
    const Result r = RunArgs(args);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
    EXPECT_TRUE(r.out.empty()) << ::testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace vorda::cli
