// The table of a design as CSV, for spreadsheets: the inputs it was made
// from as a block of name,value rows, a blank line, then a row for each type
// with numbers in SI units and the unit in the column's header. The same
// writer serves vorda-match --table-csv and the designer's "Save Table".
#pragma once

#include <string>

#include "rf/DesignRequest.h"

namespace vorda::rf {

std::string DesignTableCsv(const DesignRequest& request, const DesignResult& result);

}  // namespace vorda::rf
