// vorda-match's command line: what it asks for, checked.
#pragma once

#include <complex>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "rf/circuit/FrequencyAxis.h"
#include "rf/circuit/Network.h"
#include "rf/circuit/StandardValues.h"
#include "rf/request/DesignRequest.h"
#include "rf/synthesis/Yield.h"

namespace vorda::cli {

inline constexpr int kExitComputed = 0;
inline constexpr int kExitNotComputed = 1;
inline constexpr int kExitUsage = 2;

// --sweep START:STOP[:N], or --sweep alone with a file: the file's own
// frequencies.
struct SweepOption {
  rf::FrequencyAxis axis;
  bool file_frequencies = false;
};

struct Options {
  std::string z0 = "50";
  std::string real;
  std::string imag;
  std::vector<std::int16_t> types;  // TypeIndex values to compute, in order
  bool types_given = false;         // --type was given (not the default type 1)
  std::optional<double> hertz;      // --freq
  std::optional<rf::ESeries> series;
  std::optional<double> q_inductor;
  std::optional<double> q_capacitor;
  std::optional<SweepOption> sweep;
  std::string csv_path;
  std::string table_csv_path;  // the table of the designs, as the designer saves it
  std::string spice_path;
  std::string s1p_path;  // a measured load instead of R and X; "-" standard input
  bool each = false;     // design at every measured point
  bool json = false;
  bool jsonl = false;               // with --each: a compact JSON object per line per point
  std::vector<std::string> fields;  // --fields: the figures each row of --jsonl carries
  // Beyond one frequency and two parts:
  std::optional<std::complex<double>> source;  // --source; none: Z0
  std::optional<double> loaded_q;              // --loaded-q: Pi, T and two L-sections at F
  std::optional<double> intermediate;          // --intermediate: between two L-sections
  std::optional<rf::FrequencyAxis> band;       // --band START:STOP, --band-points N
  int max_parts = rf::kDefaultMaxParts;        // --max-parts N: the band search's largest ladders
  rf::Ranking ranking = rf::Ranking::kReturnLoss;  // --best-by KEY
  std::optional<std::string> topology;  // --topology KEY: the network the files are written for
  std::string s2p_path;                 // --s2p FILE
  bool s2p_load_reference = false;      // --s2p-reference load: port 2 at the load's R
  bool s2p_version2 = false;            // --s2p-version 2.0
  std::optional<rf::Network> network;   // --network: parts given (a tuned design)
  rf::PartModel model;                  // --package, --srf-l, --srf-c, --q-at
  std::string parts_dir;                // --parts DIR: a library of measured parts
  std::shared_ptr<const rf::PartLibrary> library;  // read from it before the run
  std::optional<rf::YieldRequest> yield;           // --tolerance, --builds, --seed, --goal-vswr
};

// The options of a run, or the exit status when the program ends with the
// parsing: after --help or --version, or a usage error (reported on err).
struct Parsed {
  std::optional<Options> options;
  int exit_status = kExitComputed;
};
Parsed ParseOptions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vorda::cli
