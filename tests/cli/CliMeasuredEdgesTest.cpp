// A measured load at its edges: a point that is not passive anywhere in a
// file, and harmonics beyond what the file measured.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <complex>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>

#include "rf/circuit/Units.h"
#include "tests/cli/CliRun.h"

namespace vorda::cli::testing {
namespace {

// 40 ohms and 120 nH from 100 to 200 MHz in 21 points, as S RI against 50
// ohms; the point `bad` has |S11| = magnitude (1 or more: not passive).
std::string File(int bad, double magnitude) {
  std::string text = "# MHz S RI R 50\n";
  for (int i = 0; i <= 20; ++i) {
    const double mhz = 100 + 5 * i;
    std::complex<double> g =
        (std::complex<double>(40, 2 * std::numbers::pi * mhz * 1e6 * 120e-9) - 50.0) /
        (std::complex<double>(40, 2 * std::numbers::pi * mhz * 1e6 * 120e-9) + 50.0);
    if (i == bad) g *= magnitude / std::abs(g);
    text += rf::ShortestText(mhz) + " " + rf::ShortestText(g.real()) + " " +
            rf::ShortestText(g.imag()) + "\n";
  }
  return text;
}

// Wherever the point lies, a band over it, a design at it or between it and
// a neighbour, and the design at every point refuse it by its frequency;
// a design away from it is made.
TEST(CliMeasuredEdgesTest, NotPassiveAnywhereIsRefusedByName) {
  const std::string path = ::testing::TempDir() + "/not-passive.s1p";
  std::mt19937 random(28);
  for (int trial = 0; trial < 12; ++trial) {
    const int bad = std::uniform_int_distribution<int>(0, 20)(random);
    const double magnitude = trial % 3 == 0 ? 1.0 : 1.3;
    std::ofstream(path) << File(bad, magnitude);
    const std::string mhz = rf::ShortestText(100 + 5 * bad) + "M";
    const std::string named = rf::FormatEngineering((100 + 5 * bad) * 1e6, "Hz");
    const std::string between = rf::ShortestText(100 + 5 * bad + (bad < 20 ? 2.5 : -2.5)) + "M";
    const std::string away = bad < 10 ? "190M" : "110M";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--band", "100M:200M", "--band-points", "11"},
          std::vector<std::string>{"--freq", mhz}, std::vector<std::string>{"--freq", between},
          std::vector<std::string>{"--freq", away, "--sweep"}}) {  // every point of the file
      std::vector<std::string> all = args;
      all.insert(all.end(), {"--type", "all", "--s1p", path});
      const Result r = RunArgs(all);
      EXPECT_EQ(r.status, 2) << args[1] << " with " << named;
      EXPECT_NE(r.err.find("not passive"), std::string::npos) << r.err;
      EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
    }
    EXPECT_EQ(RunArgs({"--freq", away, "--type", "all", "--s1p", path}).status, 0);
    // At its neighbour the VSWR-2 band is looked for only as far as the
    // file knows the load: never past the point, never a figure that is
    // not a number.
    const int next = bad < 10 ? bad + 1 : bad - 1;
    const double next_hz = (100 + 5 * next) * 1e6;
    const std::string at = rf::ShortestText(100 + 5 * next) + "M";
    const std::vector<std::string> near = {
        "--freq", at,    "--sweep", bad < 10 ? at + ":200M" : "100M:" + at,
        "--type", "all", "--s1p",   path};
    const Result text = RunArgs(near);
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.find("inf"), std::string::npos) << text.out;
    std::vector<std::string> json = near;
    json.insert(json.begin(), "--json");
    int searched = 0;
    const auto doc = nlohmann::json::parse(RunArgs(json).out);
    for (const auto& row : doc["runs"]) {
      if (!row.contains("bandwidth")) continue;
      ++searched;
      const auto& limits = row["bandwidth"]["searched"];
      EXPECT_EQ(limits[bad < 10 ? "low" : "high"].get<double>(), next_hz) << named;
    }
    EXPECT_GT(searched, 0) << named;
    const Result each = RunArgs({"--each", "--jsonl", "--type", "all", "--s1p", path});
    EXPECT_EQ(each.status, 0);
    std::istringstream lines(each.out);
    int refused = 0;
    for (std::string line; std::getline(lines, line);) {
      const auto point = nlohmann::json::parse(line);
      if (!point.contains("refused")) continue;
      ++refused;
      EXPECT_EQ(point["frequency"].get<double>(), (100 + 5 * bad) * 1e6);
      EXPECT_NE(point["refused"].get<std::string>().find("not passive"), std::string::npos);
    }
    EXPECT_EQ(refused, 1);
  }
  std::filesystem::remove(path);
}

// The dipole ends at 15 MHz: 2f and 3f of a design at 14.2 MHz, or at any
// of its points, are not known, in every mode.
TEST(CliMeasuredEdgesTest, HarmonicsBeyondTheDataAreNotKnown) {
  const std::string dipole = VORDA_SOURCE_DIR "/docs/examples/dipole.s1p";
  const Result once =
      RunArgs({"--json", "--freq", "14.2M", "--loaded-q", "5", "--type", "all", "--s1p", dipole});
  ASSERT_EQ(once.status, 0) << once.err;
  const auto doc = nlohmann::json::parse(once.out);
  int rows = 0;
  for (const char* list : {"runs", "networks"}) {
    for (const auto& row : doc[list]) {
      if (row["verdict"] != "designed") continue;
      ++rows;
      EXPECT_TRUE(row["attenuation_2f_db"].is_null()) << row["attenuation_2f_db"];
      EXPECT_TRUE(row["attenuation_3f_db"].is_null());
    }
  }
  EXPECT_GE(rows, 6);
  const Result each = RunArgs(
      {"--each", "--jsonl", "--fields", "attenuation_2f_db", "--type", "2", "--s1p", dipole});
  std::istringstream lines(each.out);
  for (std::string line; std::getline(lines, line);) {
    const auto row = nlohmann::json::parse(line)["rows"][0];
    if (row["verdict"] == "designed") {
      EXPECT_TRUE(row["attenuation_2f_db"].is_null()) << line;
    }
  }
}

}  // namespace
}  // namespace vorda::cli::testing
