// The designer's inputs as a whole: the fields' texts, the choices, the
// files by their paths and the networks given or tuned by hand. The
// designer gathers them, a project file keeps them (rf/request/
// ProjectFile.h), and both programs make their request of them here, so
// that vorda-match --project designs what the window shows.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rf/circuit/Measurement.h"
#include "rf/circuit/Network.h"
#include "rf/circuit/PartLibrary.h"
#include "rf/circuit/StandardValues.h"
#include "rf/circuit/TwoPort.h"
#include "rf/request/DesignTexts.h"

namespace vorda::rf {

// The points of the designer's response around the design frequency.
inline constexpr std::size_t kDesignerSweepPoints = 1001;

// The texts the designer starts with: those of DesignRequest{}.
DesignTexts StartTexts();

struct Project {
  // By field, as typed; the series has no text (it is chosen).
  DesignTexts texts = StartTexts();
  std::optional<ESeries> series;  // none: ideal parts, or the library's
  bool use_library = false;       // the standard values come from the library
  std::optional<Package> package;
  std::optional<Ranking> ranking;  // none: automatic (DesignRequest::RankingOf)
  int max_parts = kDefaultMaxParts;
  Elements elements = Elements::kLumped;
  // The files by their paths (absolute once read from a project file);
  // empty: none. The measurement replaces the typed load, the states are
  // the load's other states, the fixture is taken off the measurement and
  // the library is a folder of measured parts.
  std::string measurement;
  std::vector<std::string> states;
  std::string fixture;
  std::string library;
  // A network whose parts are given, designed after the others.
  std::optional<Network> given;
  // The design tuned by hand, and the row it was tuned from.
  struct Tuned {
    Network network;
    std::string from_key;   // "pi-lp"
    std::string from_name;  // "Pi low-pass"
    bool operator==(const Tuned&) const = default;
  };
  std::optional<Tuned> tuned;
};

// The files a project names, read.
struct ProjectFiles {
  std::shared_ptr<const Measurement> measurement;
  std::vector<std::shared_ptr<const Measurement>> states;  // in the order of Project::states
  std::optional<TwoPortData> fixture;
  std::shared_ptr<const PartLibrary> library;
};

// Every file of a project read with the readers of rf/files, or why one
// cannot be: "the measurement could not be read: PATH:LINE: what".
struct ReadFilesResult {
  std::optional<ProjectFiles> files;
  std::string error;
};
ReadFilesResult ReadProjectFiles(const Project& project);

// The request the inputs make, as the designer makes it: the response at
// `sweep_points` around the design frequency, the VSWR-2 band searched,
// the figures without each row's response; each file named by its path.
// Or the field that is wrong (ReadDesignTexts).
ReadRequest ProjectRequest(const Project& project, const ProjectFiles& files,
                           std::size_t sweep_points = kDesignerSweepPoints);

// A path made absolute against the working folder, without "." or "..",
// with forward slashes: how both programs name a file they were given, so
// that a project's paths read back as the same names.
std::string AbsolutePath(const std::string& path);

}  // namespace vorda::rf
