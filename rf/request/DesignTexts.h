// A design request from texts typed into fields, read strictly: a text that
// is not a number names its field and what is wrong, and nothing is
// computed from it.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "rf/request/DesignRequest.h"

namespace vorda::rf {

struct DesignTexts {
  std::array<std::string, kFieldCount> text;  // by Field
  std::string& operator[](Field f) { return text[static_cast<std::size_t>(f)]; }
  const std::string& operator[](Field f) const { return text[static_cast<std::size_t>(f)]; }
};

struct ReadRequest {
  std::optional<DesignRequest> request;
  std::optional<RequestError> error;  // the first field that is wrong
};

// Values in engineering notation ("14.2M", "2.2k", "3.3n"); a blank Q means
// an ideal part and a blank span the automatic sweep. With the base's
// measurement the load fields are not read; the series and the ranking are
// the base's (they are chosen, not typed). The request is the base with
// the fields read into it, checked with CheckRequest.
ReadRequest ReadDesignTexts(const DesignTexts& texts, DesignRequest base);

// The field's name as a window labels it ("Z0", "Q of inductors").
const char* FieldName(Field field);

}  // namespace vorda::rf
