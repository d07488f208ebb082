// The words of a search's several bands, states and goals, for every
// output: what each band in each state is called, its margin to its goal,
// and what a band to reject did.
#pragma once

#include <optional>
#include <string>

#include "rf/request/DesignRequest.h"
#include "rf/request/Rows.h"

namespace vorda::rf {

// "band 1, 698 MHz to 960 MHz", with ", in hand.s1p" for a state beyond
// the first when there are several; "reject band 1, 4.8 GHz to 5 GHz".
std::string SegmentName(const DesignRequest& request, const Segment& segment);

// A band's goal: "return loss 10 dB", "transducer gain -1 dB"; "none" for
// a band without one.
std::string GoalName(const std::optional<BandGoal>& goal);

// A margin to a goal: "2.51 dB", "-0.3 dB"; "infinite (a perfect match)"
// for an empty one, "none (no power reaches the load)" when blocked.
std::string MarginText(const std::optional<double>& margin_db, bool blocked);

// A band to reject: "attenuated at least 23.4 dB, met by 3.4 dB" or
// "attenuated at least 12 dB, missed by 8 dB"; "no power passes, met".
std::string RejectText(const RejectFigures& j);

// A row whose only figures over the band are those given: the figures'
// table reads each band's from it.
Row BandRow(const BandFigures& figures);

}  // namespace vorda::rf
