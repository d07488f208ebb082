// vorda-match's exit status over combinations of options: 0 when everything
// asked for was produced, 1 when a design or a file asked for could not be
// (with a line that says which), 2 for a usage error, which includes an
// option that has no effect where it is given.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/cli/CliRun.h"

namespace vorda::cli::testing {
namespace {

namespace fs = std::filesystem;

struct Case {
  std::vector<std::string> args;  // "FILE" stands for a file to write
  int status;
  const char* err;  // a part of what standard error must hold, or nullptr
};

TEST(CliStatusTest, OptionCombinations) {
  const Case cases[] = {
      {{"40", "30"}, 0, nullptr},
      {{"20", "10"}, 1, "Skipping computations"},  // type 1 refused for region 1
      {{"--type", "all", "20", "10"}, 0, nullptr},
      {{"--freq", "14.2M", "20", "10"}, 1, nullptr},
      // The default type is not asked for when a band is: it does not decide.
      {{"--band", "10M:20M", "--band-points", "11", "--s2p", "FILE", "20", "10"}, 0, nullptr},
      {{"--band", "10M:20M", "--band-points", "11", "--type", "1", "20", "10"}, 1, nullptr},
      {{"--freq", "100M", "--loaded-q", "5", "20", "10"}, 0, nullptr},
      {{"--freq", "100M", "--loaded-q", "5", "--type", "1", "20", "10"}, 1, nullptr},
      {{"--freq", "100M", "--loaded-q", "5", "--topology", "pi-lp", "--spice", "FILE", "40", "30"},
       0,
       nullptr},
      {{"--freq", "100M", "--network", "series 1nH", "--spice", "FILE", "40", "30"}, 0, nullptr},
      // Pi needs a loaded Q of at least 3 from 100 to 1000 ohms: neither the
      // networks nor the netlist asked for exist.
      {{"--z0", "100", "--freq", "1M", "--loaded-q", "2", "--topology", "pi-lp", "--spice", "FILE",
        "1000", "0"},
       1,
       "no netlist written"},
      {{"--freq", "14.2M", "--sweep", "10M:20M:5", "--csv", "no/such/folder/x.csv", "40", "30"},
       1,
       "cannot write"},
      // Options without effect where they are given.
      {{"--freq", "100M", "--topology", "pi-lp", "--spice", "FILE", "40", "30"}, 2, "--loaded-q"},
      {{"--freq", "100M", "--intermediate", "45", "40", "30"}, 2, "--intermediate"},
      {{"--freq", "100M", "--loaded-q", "5", "--topology", "l1", "40", "30"}, 2, "--spice"},
      {{"--freq", "100M", "--topology", "l3", "--spice", "FILE", "40", "30"}, 2, "--type 3"},
      {{"--freq", "100M", "--topology", "given", "--s2p", "FILE", "40", "30"}, 2, "--network"},
      {{"--freq", "1M", "--csv", "FILE", "40", "30"}, 2, "--sweep"},
      // Standard values that are none: a library that does not reach F, a
      // part past its self-resonance.
      {{"--freq", "7G", "--parts", VORDA_SOURCE_DIR "/docs/examples/parts-0402", "--type", "2",
        "20", "10"},
       1,
       "has no standard values: no library part of a kind it needs was measured at 7 GHz"},
      {{"--freq", "2.4G", "--package", "0402", "--series", "E24", "--loaded-q", "5", "20", "10"},
       1,
       "is past its self-resonance at 2.4 GHz"},
      {{"--freq", "1G", "--package", "0402", "--srf-l", "1G", "--srf-c", "2G", "20", "10"},
       2,
       "--package has no effect with both --srf-l and --srf-c"},
      {{"--s1p", VORDA_SOURCE_DIR "/docs/examples/dipole.s1p", "--band", "20M:22M"},
       2,
       "the band 20 MHz to 22 MHz reaches outside the file's"},
      // A project gives every input: an option that gives one too is
      // refused, and so is a file that is no project.
      {{"--project", "p.json", "--freq", "14M", "--table-csv", "FILE"}, 2, "leave out --freq"},
      {{"--project", "p.json", "--series", "E12"}, 2, "leave out --series"},
      {{"--project", "p.json", "40", "30"}, 2, "leave out R and X"},
      {{"--project", VORDA_SOURCE_DIR "/docs/examples/dipole.s1p", "--json"}, 2, "not JSON"},
  };
  // A folder of this run's own: another run of the tests may be under way.
  const fs::path dir =
      fs::temp_directory_path() / ("vorda-cli-status-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    std::string file;
    for (std::string& a : args) {
      if (a == "FILE") a = file = (dir / "out").string();
    }
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    fs::remove(dir / "out");
    const Result r = RunArgs(args);
    EXPECT_EQ(r.status, c.status) << line << "\n" << r.err;
    if (c.err != nullptr) {
      EXPECT_NE(r.err.find(c.err), std::string::npos) << line << "\n" << r.err;
    }
    // What was asked for is there when the status says so.
    if (!file.empty() && c.status == 0) {
      EXPECT_TRUE(fs::exists(file)) << line;
    }
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace vorda::cli::testing
