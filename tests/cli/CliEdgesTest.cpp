// vorda-match at the edges of what it designs: every figure it prints is a
// number or a documented refusal, and what it read is said.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <random>

#include "tests/cli/CliRun.h"

namespace vorda::cli {
namespace {

using testing::Result;
using testing::RunArgs;
using Json = nlohmann::json;

// Where the JSON may hold null, and what it means there (the README's list).
bool NullAllowed(const std::string& key) {
  static const char* const kKeys[] = {"fault",
                                      "region",  // the engine's run
                                      "first",
                                      "second",  // not designed: see verdict
                                      "return_loss_db",
                                      "load_return_loss_db",  // a perfect match
                                      "vswr",                 // |gamma| >= 1
                                      "low",
                                      "high",
                                      "q",  // an edge beyond the search
                                      "lblNormReal",
                                      "lblNormImag",
                                      "lblSecondComponent",
                                      "lblSecondOhms",
                                      "lblFirstComponent",
                                      "lblFirstOhms"};
  return std::any_of(std::begin(kKeys), std::end(kKeys), [&](const char* k) { return key == k; });
}

// Every number finite and every null where a null means something.
void ExpectHonest(const Json& j, const std::string& key, const std::string& where) {
  EXPECT_TRUE(!j.is_null() || NullAllowed(key)) << where << ": null at " << key;
  EXPECT_TRUE(!j.is_number_float() || std::isfinite(j.get<double>())) << where << ": " << key;
  if (j.is_object()) {
    for (const auto& [k, v] : j.items()) ExpectHonest(v, k, where);
  }
  if (j.is_array()) {
    for (const auto& v : j) ExpectHonest(v, key, where);
  }
}

// Whether a text holds "nan" or "inf" as a word of its own.
bool SaysNotANumber(const std::string& text) {
  for (const std::string word : {"nan", "inf"}) {
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
      const bool before = at == 0 || !std::isalpha(static_cast<unsigned char>(text[at - 1]));
      const std::size_t end = at + word.size();
      const bool after = end == text.size() || !std::isalpha(static_cast<unsigned char>(text[end]));
      if (before && after) return true;
    }
  }
  return false;
}

// Extreme R, X, Z0, f and Q through the command: a usage error that says
// what it refuses, or output in which every figure is a number.
TEST(CliEdgesTest, ExtremeInputsPrintNumbersOrARefusal) {
  const char* values[] = {"0", "1e-300", "1e-7", "1e-3", "50", "1e5", "1e300", "-5", "1e400"};
  std::mt19937 random(18);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(values) - 1);
  int refused = 0;
  for (int i = 0; i < 150; ++i) {
    const std::string r = values[pick(random)], x = values[pick(random)];
    const std::string z0 = values[pick(random)], f = values[pick(random)] + std::string("M");
    const std::string q = values[pick(random)];
    const std::vector<std::string> args = {"--type",  "all",      "--z0", z0,      "--freq",
                                           f,         "--series", "E24",  "--q-l", q,
                                           "--sweep", "1:2G:21",  "--",   r,       x};
    const std::string where = "R " + r + " X " + x + " Z0 " + z0 + " f " + f + " Q " + q;
    const Result text = RunArgs(args);
    if (text.status == 2) {
      ++refused;
      EXPECT_NE(text.err.find("vorda-match: "), std::string::npos) << where;
      EXPECT_TRUE(text.out.empty()) << where;
      continue;
    }
    EXPECT_FALSE(SaysNotANumber(text.out)) << where << "\n" << text.out;
    std::vector<std::string> json_args = args;
    json_args.insert(json_args.begin(), "--json");
    const Result json = RunArgs(json_args);
    ExpectHonest(Json::parse(json.out), "", where);
  }
  EXPECT_GT(refused, 10);
  EXPECT_LT(refused, 150);
}

TEST(CliEdgesTest, RefusalsAndVerdicts) {
  // Not a number reported as a perfect match, before: a refusal now.
  Result r = RunArgs({"--type", "2", "--freq", "1e307", "--q-l", "50", "--", "20", "10"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("1 THz"), std::string::npos) << r.err;
  // Passive loads and references only, with a design.
  r = RunArgs({"--freq", "14.2M", "--", "-10", "5"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("passive load: -10 ohms"), std::string::npos) << r.err;
  r = RunArgs({"--freq", "14.2M", "--z0", "-50", "40", "30"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Z0 must be above zero"), std::string::npos) << r.err;
  // Without a design the engine's run is as ever.
  EXPECT_NE(RunArgs({"--z0", "-50", "40", "30"}).out.find("Normalized load: r -.800"),
            std::string::npos);
  // Already matched: no parts needed, and that is a success.
  r = RunArgs({"--type", "all", "--freq", "14.2M", "50", "0"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("design: already matched: no parts needed"), std::string::npos);
  const Json j = Json::parse(RunArgs({"--json", "--type", "1", "--freq", "14.2M", "50", "0"}).out);
  EXPECT_EQ(j["runs"][0]["verdict"], "already matched");
  EXPECT_EQ(j["runs"][0]["fault"]["code"], 11);  // the engine's run stays as it is
  // An open is named, never a value.
  r = RunArgs({"--type", "3", "--freq", "14.2M", "--series", "E12", "--", "50", "30"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("ohms, open (leave out)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("second open (leave out)"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("e-14"), std::string::npos) << r.out;
}

TEST(CliEdgesTest, WhatWasReadIsSaid) {
  Result r = RunArgs({"--freq", "14.2M", "12,5", "30"});
  EXPECT_EQ(r.err, "vorda-match: R \"12,5\" read as 12\n");
  r = RunArgs({"--freq", "7.1 mhz", "--z0", "50 ohm", "2.2u", "50 Ohms"});
  EXPECT_EQ(r.err, "vorda-match: R \"2.2u\" read as 2.2\n");
  EXPECT_EQ(RunArgs({"12,5", "30"}).err, "");  // without a design, as the window reads it
  r = RunArgs({"--freq", "7.1m", "40", "30"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("m would be milli"), std::string::npos) << r.err;
}

TEST(CliEdgesTest, TextWithTypeAllNamesTypesAndShowsNoFalseResults) {
  const Result r = RunArgs({"--type", "all", "40", "30"});
  EXPECT_NE(r.err.find("type 2: Skipping computations: "), std::string::npos) << r.err;
  // Type 2 is refused: its block has the heading and nothing else.
  const std::string heading = "Type 2 (Shunt C, Series L): refused for region 3\n";
  const std::size_t at = r.out.find(heading);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(r.out.compare(at + heading.size(), 8, "\nType 3 "), 0) << r.out.substr(at, 80);
}

std::string Mhz(double mhz) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", mhz);
  return buf;
}

// A file in a temporary folder, removed with it.
struct Folder {
  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("vorda-edges-" + std::to_string(std::random_device{}()));
  Folder() { std::filesystem::create_directories(path); }
  ~Folder() { std::filesystem::remove_all(path); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream((path / name).string(), std::ios::binary) << text;
    return (path / name).string();
  }
};

TEST(CliEdgesTest, MeasuredFilesAtTheirEdges) {
  const Folder folder;
  // A byte-order mark, a DC point and a notch: the DC point is no design,
  // and the band stops before the notch.
  std::string text = "\xef\xbb\xbf! exported\n# MHz Z RI R 1\n0 50 0\n";
  for (int i = 0; i <= 30; ++i) {
    const double mhz = 14.0 + i * 0.01;
    text += Mhz(mhz) + (i == 25 ? " 5 0\n" : " 45 0\n");
  }
  const std::string file = folder.Write("notch.s1p", text);
  Result r = RunArgs({"--s1p", file, "--each", "--type", "2"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("0 Hz          50 + j0 ohms              no design: no L-section exists at "
                       "0 Hz"),
            std::string::npos)
      << r.out;
  r = RunArgs({"--s1p", file, "--freq", "14.1M", "--type", "2", "--sweep"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("below 14 MHz (as far down as the file knows the load) to 14.2"),
            std::string::npos)
      << r.out;
  // A folder is named as one.
  r = RunArgs({"--s1p", folder.path.string(), "--each"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("is a folder, not a file"), std::string::npos) << r.err;
}

// A given network with real parts says its input impedance once, and the
// parts as built, where they differ, under their own label.
TEST(CliEdgesTest, GivenNetworkSaysItsZinOnce) {
  const std::vector<std::vector<std::string>> parts = {
      {"--parts", VORDA_SOURCE_DIR "/docs/examples/parts-0402"},
      {"--package", "0402", "--series", "E24"},
      {"--package", "0603"},
      {"--series", "E12", "--q-l", "40"}};
  for (const auto& with : parts) {
    for (const char* network : {"shunt 10pF, series 6.8nH", "shunt 3.3pF, series 15nH"}) {
      std::vector<std::string> args = {"--freq", "900M", "--network", network};
      args.insert(args.end(), with.begin(), with.end());
      args.insert(args.end(), {"20", "10"});
      const Result r = RunArgs(args);
      const std::string given = r.out.substr(r.out.find("Given network"));
      int bare = 0;  // Zin lines under no label of their own
      std::istringstream lines(given);
      std::string before;
      for (std::string line; std::getline(lines, line); before = line) {
        if (line.rfind("    Zin ", 0) == 0 && (before.empty() || before.back() != ':')) ++bare;
      }
      EXPECT_EQ(bare, 1) << network << " " << with[0] << "\n" << given;
    }
  }
}

}  // namespace
}  // namespace vorda::cli
