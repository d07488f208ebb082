// The rows of a design as one CSV table, for spreadsheets and pandas: the
// inputs first, as comment lines ("# z0 (ohms): 50"), then a header and a
// line for each row, numbers in SI units with the unit in the column's
// header. pandas.read_csv(FILE, comment="#") reads it as it is. The same
// writer serves vorda-match --table-csv and the designer's "Save Table".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "rf/request/Rows.h"

namespace vorda::rf {

// Rows have up to this many parts.
inline constexpr std::size_t kTableParts = 6;

std::string DesignTableCsv(const DesignRequest& request, const DesignResult& result);

// The names of a row's parts from the source side: an L type's components
// ("Series L", "Shunt C"), or each part's position and kind.
std::vector<std::string> ComponentNames(const Row& t);

}  // namespace vorda::rf
