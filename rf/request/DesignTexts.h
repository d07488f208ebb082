// A design request from texts typed into fields, read strictly: a text that
// is not a number names its field and what is wrong, and nothing is
// computed from it.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>

#include "rf/circuit/TwoPort.h"
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
// A fixture, when given, is taken off the base's measurement (named by the
// base's deembed).
ReadRequest ReadDesignTexts(const DesignTexts& texts, DesignRequest base,
                            const TwoPortData* fixture = nullptr);

// What the program knows of each field besides its text: its name in
// messages (as a window labels it, "Z0", "Q of inductors") and the key its
// text is kept under between runs ("design/z0").
struct FieldInfo {
  Field field;
  const char* name;
  const char* key;
};
std::span<const FieldInfo> FieldInfos();  // in the order of Field
const char* FieldName(Field field);
const char* FieldKey(Field field);

// The texts that read back as a request's inputs: "50", "40", "30",
// "14.2M", "13M:15M", blank for what it leaves out (an ideal Q, no band);
// the start texts are those of DesignRequest{}. The series has no text (it
// is chosen).
DesignTexts TextsOf(const DesignRequest& request);

}  // namespace vorda::rf
