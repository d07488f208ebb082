// Every figure of the table of figures in every writer of vorda-match: the
// JSON document, the text and JSON Lines.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

#include "cli/Report.h"
#include "rf/request/Figures.h"
#include "tests/cli/CliRun.h"

namespace vorda::cli::testing {
namespace {

// Standard values, losses, the VSWR <= 2 band, a loaded Q and a band: every
// group of figures, on the Pi low-pass row.
const std::vector<std::string> kEverything = {
    "--freq",      "100M",     "--series",      "E12", "--q-l",   "60",
    "--q-c",       "400",      "--loaded-q",    "5",   "--sweep", "90M:110M:11",
    "--band",      "90M:110M", "--band-points", "21",  "--type",  "1",
    "--tolerance", "20%",      "--goal-vswr",   "6",   "40",      "30"};

TEST(CliFiguresTest, EveryFigureInJsonAndText) {
  std::vector<std::string> args = kEverything;
  args.insert(args.begin(), "--json");
  const Result json = RunArgs(args);
  ASSERT_EQ(json.status, 0) << json.err;
  const auto doc = nlohmann::json::parse(json.out);
  const auto& pi = doc["networks"][0];
  ASSERT_EQ(pi["key"], "pi-lp");
  const Result text = RunArgs(kEverything);
  const std::size_t at = text.out.find("Pi low-pass: designed");
  ASSERT_NE(at, std::string::npos) << text.out;
  const std::string pi_text = text.out.substr(at, text.out.find("\n\n", at) - at);
  for (const rf::Figure& f : rf::Figures()) {
    const std::string group = rf::GroupKey(f.group);
    const auto& where = group.empty() ? pi : pi[group];
    EXPECT_TRUE(where.contains(f.json)) << group << "." << f.json;
    EXPECT_NE(pi_text.find(f.label), std::string::npos) << f.label << " in\n" << pi_text;
  }
}

// With a band every row has its figures over it: the L types at the
// frequency and a given network too, the same as a band design of the same
// values.
TEST(CliFiguresTest, EveryRowHasItsBandFigures) {
  const Result r = RunArgs({"--json", "--band", "90M:110M", "--band-points", "11", "--type", "1",
                            "--network", "series 61nH, shunt 30pF", "40", "30"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_TRUE(doc["runs"][0]["band"].contains("worst_return_loss_db"));
  const auto& given = doc["networks"][0];
  ASSERT_EQ(given["key"], "given");
  EXPECT_GT(given["band"]["worst_return_loss_db"].get<double>(), 0.0);
  EXPECT_EQ(given["band"]["vswr2_coverage"].get<double>() >= 0.0, true);
}

// --fields takes every figure's flat key, and a row carries each of them
// that it has.
TEST(CliFiguresTest, EveryFigureInJsonLines) {
  const std::string file = ::testing::TempDir() + "/figures.s1p";
  {
    std::ofstream out(file);
    out << "# MHz Z RI R 50\n99 40 28\n100 40 30\n101 40 32\n";
  }
  std::string all;
  for (const rf::Figure& f : rf::Figures()) all += (all.empty() ? "" : ",") + FigureKey(f);
  const Result r = RunArgs({"--jsonl", "--each", "--type", "1", "--series", "E12", "--q-l", "60",
                            "--fields", all, "--s1p", file});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto row = nlohmann::json::parse(r.out.substr(0, r.out.find('\n')))["rows"][0];
  for (const char* key : {"match_zin", "match_return_loss_db", "standard_match_vswr",
                          "loss_efficiency", "insertion_loss_db", "attenuation_3f_db"}) {
    EXPECT_TRUE(row.contains(key)) << key << " in " << row.dump();
  }
  std::remove(file.c_str());
}

}  // namespace
}  // namespace vorda::cli::testing
