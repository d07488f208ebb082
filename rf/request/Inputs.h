// Every input of a request, written the way vorda-match reads it back, so
// that a table or a document says how to make each of its rows again.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rf/request/Rows.h"

namespace vorda::rf {

struct Input {
  const char* key;               // JSON: "z0_ohms"
  std::string name;              // in a table: "z0 (ohms)"
  std::string text;              // "50", "150+j75", "E12", "ideal", "13000000:15000000"
  std::optional<double> number;  // when the input is one number
};

// The request's inputs, those not given included ("ideal", "none").
std::vector<Input> RequestInputs(const DesignRequest& request, const DesignResult& result);

}  // namespace vorda::rf
