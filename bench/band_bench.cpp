// The band search: every topology optimised over a 201-point band, against
// one evaluation of every topology's analytic design at the same points
// (the baseline), in the same run. The ratio is how many evaluations the
// search costs.
#include <benchmark/benchmark.h>

#include "rf/circuit/FrequencyAxis.h"
#include "rf/synthesis/BandSearch.h"

namespace {

using vorda::rf::BandRequest;

// The 40 m dipole's neighbourhood: 30 ohms and a little inductance, 7.0 to
// 7.3 MHz, standard parts with losses.
const vorda::rf::SeriesLoad kLoad(30, 45, 7.15e6);

BandRequest Request() {
  BandRequest r;
  r.axis = vorda::rf::FrequencyAxis::Linear(7.0e6, 7.3e6);
  r.centre = 7.15e6;
  r.load = &kLoad;
  r.series = vorda::rf::ESeries::kE12;
  r.q_inductor = 100;
  r.q_capacitor = 500;
  return r;
}

void AllTopologiesOptimised(benchmark::State& state) {
  const BandRequest r = Request();
  long evaluations = 0;
  for (auto _ : state) {
    const vorda::rf::BandResult result = vorda::rf::OptimizeBand(r);
    evaluations = result.evaluations;
    benchmark::DoNotOptimize(result);
  }
  state.counters["evaluations"] = static_cast<double>(evaluations);
}
BENCHMARK(AllTopologiesOptimised)->Unit(benchmark::kMillisecond);

// Each topology's analytic design evaluated once at the same 201 points.
void AllTopologiesEvaluatedOnce(benchmark::State& state) {
  const BandRequest r = Request();
  const std::vector<double> f = r.axis.Frequencies();
  std::vector<vorda::rf::Network> networks;
  for (const vorda::rf::NetworkKind& kind : vorda::rf::AllKinds()) {
    const auto s = vorda::rf::Synthesize(kind, r.source, kLoad.At(r.centre), r.centre, r.z0, 8.0);
    if (s.network) networks.push_back(*s.network);
  }
  for (auto _ : state) {
    for (const vorda::rf::Network& n : networks) {
      benchmark::DoNotOptimize(vorda::rf::FiguresOf(n, r, f));
    }
  }
}
BENCHMARK(AllTopologiesEvaluatedOnce)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
