// The table of a design as CSV, for spreadsheets: the inputs it was made
// from as a block of name,value rows, a blank line, then a row for each type
// with numbers in SI units and the unit in the column's header. The same
// writer serves vorda-match --table-csv and the designer's "Save Table".
#pragma once

#include <string>
#include <vector>

#include "rf/request/DesignRequest.h"

namespace vorda::rf {

// Rows have up to this many parts (two L-sections in cascade).
inline constexpr std::size_t kTableParts = 4;

std::string DesignTableCsv(const DesignRequest& request, const DesignResult& result);

// The names of a row's parts from the source side: an L type's components
// ("Series L", "Shunt C"), or each part's position and kind.
std::vector<std::string> ComponentNames(const TypeResult& t);

}  // namespace vorda::rf
