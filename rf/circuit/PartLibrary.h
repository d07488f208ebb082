// A library of real parts: each a value of a kind, with its tolerance, its
// package and its measured impedance over frequency (read from a folder of
// Touchstone two-port files by rf/files/PartLibraryFile.h). Standard
// values come from it instead of an E series.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "rf/circuit/Parts.h"

namespace vorda::rf {

struct LibraryPart {
  Part part;               // its kind and nominal value, its data as its model
  double tolerance = 0.0;  // a share: 0.05 for 5 %
  std::optional<Package> package;
  std::string file;  // as the index names it
};

struct PartLibrary {
  std::string folder;
  std::vector<LibraryPart> parts;  // by kind, then ascending value

  // The parts of a kind next to a value: the largest at or below it and the
  // smallest at or above it (one when the value is in the library, or lies
  // beyond its range), that were measured at `hertz` (0: any).
  std::vector<const LibraryPart*> Neighbours(Part::Kind kind, double value,
                                             double hertz = 0.0) const {
    const LibraryPart* below = nullptr;
    const LibraryPart* above = nullptr;
    for (const LibraryPart& p : parts) {
      if (p.part.kind != kind) continue;
      const PartData& d = *p.part.model.measured;
      if (hertz > 0.0 && !(hertz >= d.First() && hertz <= d.Last())) continue;
      if (p.part.value <= value) below = &p;
      if (p.part.value >= value && above == nullptr) above = &p;
    }
    std::vector<const LibraryPart*> n;
    if (below != nullptr) n.push_back(below);
    if (above != nullptr && above != below) n.push_back(above);
    return n;
  }
  // The package every part has, if they all have one and the same: its
  // parasitics stand for the parts while values are searched.
  std::optional<Package> CommonPackage() const {
    if (parts.empty() || !parts.front().package) return std::nullopt;
    const bool same = std::all_of(parts.begin(), parts.end(), [&](const LibraryPart& p) {
      return p.package == parts.front().package;
    });
    return same ? parts.front().package : std::nullopt;
  }
  // The library's part of a kind and value, if there is one.
  const LibraryPart* Find(Part::Kind kind, double value) const {
    const auto at = std::find_if(parts.begin(), parts.end(), [&](const LibraryPart& p) {
      return p.part.kind == kind && p.part.value == value;
    });
    return at == parts.end() ? nullptr : &*at;
  }
};

}  // namespace vorda::rf
