// The eight L-section types the window offers, in TypeIndex order.
#pragma once

#include <array>

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
  const char* button_caption;  // first component, ", ", second component
  const char* first_component;
  const char* second_component;
  const char* picture;  // file in the program folder
  Diagram diagram;
  const char* region_caption;  // the static label beside the button
  const char* description;
};

extern const std::array<CatalogueEntry, 8> kCatalogue;

}  // namespace vorda::ui
