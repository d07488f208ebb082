// What vorda-match is asked to do, as its arguments say it: the design
// request itself (rf/request/DesignRequest.h), the texts the window's
// conversion reads, the files to read and the outputs to write.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rf/request/DesignRequest.h"
#include "rf/synthesis/Topology.h"

namespace vorda::cli {

inline constexpr int kExitComputed = 0;
inline constexpr int kExitNotComputed = 1;
inline constexpr int kExitUsage = 2;

// What is written besides the report.
struct Outputs {
  bool json = false;
  bool jsonl = false;               // --each: a compact JSON object per line per point
  std::vector<std::string> fields;  // the figures each line of --jsonl carries
  std::string csv;                  // the sweep as a table
  std::string table_csv;            // the table of the designs, as the designer saves it
  std::string spice;                // a netlist of one network
  std::string s2p;                  // the same network as a Touchstone two-port
  bool s2p_load_reference = false;  // port 2 referred to the load's R (2.0)
  bool s2p_version2 = false;
  // The network the files are of (--topology): its key as typed and kind.
  std::string topology_key;
  std::optional<rf::NetworkKind> topology;
};

struct Command {
  enum class Mode {
    kEngine,  // the window's Compute on the texts alone (no frequency)
    kDesign,  // the design at one frequency, and over a band
    kEach,    // a design at every point of a measurement
  } mode = Mode::kEngine;
  // R, X and Z0 as typed: the engine reads them as the window reads its
  // boxes, and the design from the numbers they convert to.
  std::string z0 = "50";
  std::string real;
  std::string imag;
  bool hertz_given = false;         // --freq; else the design frequency is the first band's centre
  std::string s1p;                  // a measured load instead of R and X; "-" standard input
  std::vector<std::string> states;  // the load's other states, each a file
  std::string radiation;            // an antenna's radiation efficiency (CSV)
  std::string parts_dir;            // a library of measured parts, read into the request
  std::string deembed;              // a fixture two-port to take off the measurement
  std::string project;              // a designer project: every input from it
  // Every input of the design; the load, the measurement and the library
  // are filled in once their texts and files are read.
  rf::DesignRequest request;
  Outputs outputs;
};

}  // namespace vorda::cli
