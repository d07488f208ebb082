// How rows rank against each other, by a request's ranking: at the design
// frequency, and over a band.
#pragma once

#include "rf/request/DesignRequest.h"
#include "rf/request/Rows.h"

namespace vorda::rf {

// Whether a ranks above b; both designed at the frequency.
bool Better(const Row& a, const Row& b, Ranking ranking);

// Whether a band row ranks above b; both over the band.
bool BetterOverBand(const Row& a, const Row& b, Ranking ranking);

// Band rows ranked by BetterOverBand, each row moved above those with more
// parts that do better than it by no more than kTieDb (for the rankings by
// a figure: return loss, transducer gain, margin; kTieDb of
// rf/synthesis/BandRequest.h).
void PreferFewerParts(std::vector<Row>& rows, Ranking ranking);

}  // namespace vorda::rf
