// What vorda-match's JSON writers share: the document's type, an optional
// number as a number or null, an impedance, a figure, an engine run, and
// the document as text.
#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

#include "cli/Report.h"

namespace vorda::cli {

using Json = nlohmann::ordered_json;

Json OrNull(const std::optional<double>& v);
Json ZinJson(const rf::Impedance& z);
Json FigureJson(const rf::Figure& f, const rf::Row& row);
// The engine's run of a type; with a report (a design) its design too.
Json RunJson(const rf::Row& t, const Report* report);
// Texts from the command line need not be valid UTF-8: replaced, never thrown.
std::string Dump(const Json& j, int indent = 2);

}  // namespace vorda::cli
