// Every figure of the table of figures in every writer of vorda-match: the
// JSON document, the text and JSON Lines.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <sstream>

#include "cli/Report.h"
#include "rf/circuit/Units.h"
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

// An antenna's radiation efficiency across the band: the total efficiency.
std::vector<std::string> WithRadiation(std::vector<std::string> args) {
  const std::string path = ::testing::TempDir() + "radiation.csv";
  std::ofstream(path) << "frequency,efficiency\n80M,70%\n120M,0.9\n";
  args.insert(args.begin(), {"--radiation-efficiency", path});
  return args;
}

TEST(CliFiguresTest, EveryFigureInJsonAndText) {
  std::vector<std::string> args = WithRadiation(kEverything);
  args.insert(args.begin(), "--json");
  const Result json = RunArgs(args);
  ASSERT_EQ(json.status, 0) << json.err;
  const auto doc = nlohmann::json::parse(json.out);
  const auto& pi = doc["networks"][0];
  ASSERT_EQ(pi["key"], "pi-lp");
  const Result text = RunArgs(WithRadiation(kEverything));
  const std::size_t at = text.out.find("Pi low-pass: designed");
  ASSERT_NE(at, std::string::npos) << text.out;
  const std::string pi_text = text.out.substr(at, text.out.find("\n\n", at) - at);
  for (const rf::Figure& f : rf::Figures()) {
    const std::string group = rf::GroupKey(f.group);
    const auto& where = group.empty() ? pi : pi[group];
    ASSERT_TRUE(where.contains(f.json)) << group << "." << f.json;
    // The text says the same figure as the document: its label, then its
    // value as the text writes it.
    const auto& v = where[f.json];
    std::string value;
    if (v.is_null() && std::string(f.json) == "below_limit_db") {
      // With parts that take power the limit says nothing of the design.
      EXPECT_EQ(where["bode_fano_use"], "lossy");
      value = "none to give (the limit bounds lossless networks; these parts take power)";
    } else if (v.is_null()) {
      value = f.none;
    } else if (f.format == rf::FigureFormat::kImpedance) {
      value = rf::DigitsText(v[0].get<double>(), 4);
    } else if (f.format == rf::FigureFormat::kFrequency) {
      value = rf::FormatEngineering(v.get<double>(), "Hz");
    } else {
      const double x = v.get<double>() * (f.format == rf::FigureFormat::kPercent ? 100 : 1);
      value = rf::DigitsText(x, 4) + (*f.unit != '\0' ? std::string(" ") + f.unit : "");
    }
    EXPECT_NE(pi_text.find(std::string(f.label) + " " + value), std::string::npos)
        << f.label << " " << value << " in\n"
        << pi_text;
  }
}

// With a band every row has its figures over it, the L types at the
// frequency and a given network too: those of its own response at the
// band's points (a sweep over the same 11 points).
TEST(CliFiguresTest, EveryRowHasItsBandFigures) {
  const Result r =
      RunArgs({"--json", "--band", "90M:110M", "--band-points", "11", "--sweep", "90M:110M:11",
               "--type", "1", "--network", "series 61nH, shunt 30pF", "40", "30"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto doc = nlohmann::json::parse(r.out);
  for (const auto& row : {doc["runs"][0], doc["networks"][0]}) {
    const auto& band = row["band"];
    const auto& sweep = row["sweep"];
    double worst = HUGE_VAL, covered = 0;
    for (std::size_t i = 0; i < 11; ++i) {
      worst = std::min(worst, sweep["return_loss_db"][i].get<double>());
      covered += sweep["vswr"][i].get<double>() <= 2.0 ? 1 : 0;
    }
    EXPECT_NEAR(band["worst_return_loss_db"].get<double>(), worst, 1e-9) << row.dump();
    EXPECT_DOUBLE_EQ(band["vswr2_coverage"].get<double>(), covered / 11);
  }
  EXPECT_EQ(doc["networks"][0]["key"], "given");
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
