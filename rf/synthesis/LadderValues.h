// A ladder's values as the band search takes them: each part's value as
// its decimal logarithm and each line's length in half turns; the box they
// are searched in; and the worst figure of a network over points.
#pragma once

#include <vector>

#include "rf/circuit/Network.h"
#include "rf/synthesis/BandObjective.h"
#include "rf/synthesis/BandRequest.h"
#include "rf/synthesis/GlobalSearch.h"

namespace vorda::rf {

std::vector<double> LogValues(const Network& network);
Network WithLogValues(Network network, const std::vector<double>& u);
// The impedance level between the source and the load at the centre.
double Level(const BandRequest& request);
// Each part's values from a thousandth to a thousand times the impedance
// level between the source and the load at the centre, in reactance; a
// line's from half a degree to half a wave; when `ranged`, never beyond
// the values parts are proposed in.
SearchBox BoxFor(const Network& shape, const BandRequest& request, bool ranged = false);

// The network with the request's quality factors.
Network LossyFor(Network network, const BandRequest& request);
// The worst figure of a network with the request's losses over points.
double WorstOver(const Network& network, const BandRequest& request,
                 const std::vector<BandPoint>& points);
// A network's values refined over points with the request's losses, in
// the range parts are proposed in; never worse than the network given.
Network RefinedOver(const Network& network, const BandRequest& request,
                    const std::vector<BandPoint>& points);
// Whether every part of a network lies in the range parts are proposed in.
bool InRange(const Network& network, const BandRequest& request);

}  // namespace vorda::rf
