#include "rf/request/CentredRows.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace vorda::rf {

std::vector<std::optional<Centred>> CentredDesigns(const BandResult& band, const RequestPlan& p) {
  const DesignRequest& r = p.request;
  if (!r.yield || !p.band || r.RankingOf() != Ranking::kYield) return {};
  CentringRequest c;
  c.parts = p.parts;
  c.yield = *r.yield;
  c.full = p.yield_goals.points;
  c.coarse = SpreadSegments(p.yield_goals, kCoarsePoints);
  const std::size_t count = std::min(kCentred, band.designs.size());
  std::vector<std::optional<Centred>> centred(count);
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next++) < count;) {
      const BandDesign& d = band.designs[i];
      centred[i] = CentreForYield(d.ideal, d.standard, c);
    }
  };
  const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  return centred;
}

}  // namespace vorda::rf
