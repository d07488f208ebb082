// What the window shows of the eight L-section types beyond their engine
// names, in TypeIndex order: picture, region diagram, region caption and
// description. The component names and button captions come from the
// engine's type table.
#pragma once

#include <array>

#include "engine/SectionTypes.h"

namespace vorda::ui {

// The six region diagrams; types 5 and 6 share one, and so do 7 and 8.
enum class Diagram {
  kUpperRedBlue,
  kLowerRedGreen,
  kLowerRedBlue,
  kUpperRedGreen,
  kUpperRed,
  kLowerRed,
};

struct CatalogueEntry {
  const char* picture;  // file in the program folder
  Diagram diagram;
  const char* region_caption;  // the static label beside the button
  const char* description;
};

extern const std::array<CatalogueEntry, kTypeCount> kCatalogue;

}  // namespace vorda::ui
