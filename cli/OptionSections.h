// The sections of vorda-match's option table (cli/OptionTable.h), each
// declared in its own file, and what their declarations share.
#pragma once

#include <vector>

#include "cli/OptionTable.h"

namespace vorda::cli {

// What most options need: a design frequency, from --freq or a band; the
// parts' options also go with a design at each measured point.
extern const Relation kFrequency;
// What the outputs need: a design frequency, or a project that gives one.
extern const Relation kFrequencyOrProject;
extern const Relation kFrequencyOrEach;
extern const Relation kNotEach;

// The request the options fill.
rf::DesignRequest& Q(OptionContext& context);

// The options beyond one frequency and two parts, and those of parts as
// built.
std::vector<OptionSpec> NetworkOptions();
std::vector<OptionSpec> LineOptions();
std::vector<OptionSpec> BuiltPartOptions();
std::vector<OptionSpec> GoalOptions();

}  // namespace vorda::cli
