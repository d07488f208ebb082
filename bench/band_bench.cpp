// The band search: every ladder of up to 3, 4 and 6 parts optimised over a
// 201-point band (and up to 4 over 100,000 points), against one evaluation
// of every ladder of up to 4 parts at the same 201 points (the baseline),
// in the same run. The ratio is how many evaluations the search costs.
// Real parts: the search with the sample library against the same search
// with E12 values; 10,000 builds within 5 % over 201 points.
#include <benchmark/benchmark.h>

#include "rf/circuit/FrequencyAxis.h"
#include "rf/files/PartLibraryFile.h"
#include "rf/request/CentredRows.h"
#include "rf/request/Rows.h"
#include "rf/synthesis/BandObjective.h"
#include "rf/synthesis/BandSearch.h"
#include "rf/synthesis/Yield.h"

namespace {

using vorda::rf::BandRequest;

// 40 ohms and 120 nH, 295 to 405 MHz: the published example whose
// Bode-Fano limit is 13.16 dB.
const vorda::rf::SeriesLoad kLoad(40, vorda::rf::kTwoPi * 350e6 * 120e-9, 350e6);

BandRequest Request(int max_parts, std::size_t points) {
  BandRequest r = vorda::rf::OneBand(vorda::rf::FrequencyAxis::Linear(295e6, 405e6, points), kLoad);
  r.centre = 350e6;
  r.max_parts = max_parts;
  return r;
}

// Args: the most parts, the band's points.
void Search(benchmark::State& state) {
  const BandRequest r =
      Request(static_cast<int>(state.range(0)), static_cast<std::size_t>(state.range(1)));
  long evaluations = 0;
  for (auto _ : state) {
    const vorda::rf::BandResult result = vorda::rf::OptimizeBand(r);
    evaluations = result.evaluations;
    benchmark::DoNotOptimize(result);
  }
  state.counters["evaluations"] = static_cast<double>(evaluations);
}
BENCHMARK(Search)->Args({3, 201})->Args({4, 201})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Search)
    ->Args({4, 100000})
    ->Args({6, 201})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// With lines: 0 lumped (the baseline of this pair), 1 lines and stubs, 2
// both, up to four elements over 201 points.
void SearchWithLines(benchmark::State& state) {
  BandRequest r = Request(4, 201);
  r.elements = static_cast<vorda::rf::Elements>(state.range(0));
  long evaluations = 0;
  std::size_t ladders = 0;
  for (auto _ : state) {
    const vorda::rf::BandResult result = vorda::rf::OptimizeBand(r);
    evaluations = result.evaluations;
    ladders = vorda::rf::Ladders(2, 4, r.elements).size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["evaluations"] = static_cast<double>(evaluations);
  state.counters["ladders"] = static_cast<double>(ladders);
}
BENCHMARK(SearchWithLines)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Standard E12 values with Q 100 inductors and Q 500 capacitors.
void SearchLossyStandard(benchmark::State& state) {
  BandRequest r = Request(4, 201);
  r.parts.series = vorda::rf::ESeries::kE12;
  r.parts.q_inductor = 100;
  r.parts.q_capacitor = 500;
  for (auto _ : state) benchmark::DoNotOptimize(vorda::rf::OptimizeBand(r));
}
BENCHMARK(SearchLossyStandard)->Unit(benchmark::kMillisecond)->UseRealTime();

// 0: E12 values, ideal parts; 1: E12 values with the parasitics of 0402
// parts; 2: the sample library of 0402 parts (measured data at every
// point), their package's parasitics in the search.
void SearchWithParts(benchmark::State& state) {
  static const auto library =
      vorda::rf::ReadPartLibrary(VORDA_SOURCE_DIR "/docs/examples/parts-0402");
  BandRequest r = Request(4, 201);
  if (state.range(0) > 0) r.parts.model.package = vorda::rf::Package::k0402;
  if (state.range(0) == 2) {
    r.parts.library = library;
  } else {
    r.parts.series = vorda::rf::ESeries::kE12;
  }
  for (auto _ : state) benchmark::DoNotOptimize(vorda::rf::OptimizeBand(r));
}
BENCHMARK(SearchWithParts)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// 10,000 builds of a four-part design within 5 %, over 201 points.
void TenThousandBuilds(benchmark::State& state) {
  const BandRequest r = Request(4, 201);
  const vorda::rf::BandResult found = vorda::rf::OptimizeBand(r);
  const vorda::rf::Network& n = found.designs.front().ideal;
  vorda::rf::YieldRequest y;
  y.tolerance = {0.05, 0.05, false};
  y.builds = 10000;
  const std::vector<double> f = r.Axis().Frequencies();
  for (auto _ : state) {
    benchmark::DoNotOptimize(vorda::rf::YieldOf(n, kLoad, r.source, f, y));
  }
  state.counters["parts"] = static_cast<double>(n.elements.size());
}
BENCHMARK(TenThousandBuilds)->Unit(benchmark::kMillisecond);

// Two bands, 295-335 and 365-405 MHz, of 201 points each (0), against one
// band of the same 402 points (1, the baseline of this pair), up to four
// parts.
void TwoBands(benchmark::State& state) {
  BandRequest r = Request(4, 402);
  if (state.range(0) == 0) {
    r.bands = {{vorda::rf::FrequencyAxis::Linear(295e6, 335e6, 201), std::nullopt},
               {vorda::rf::FrequencyAxis::Linear(365e6, 405e6, 201), std::nullopt}};
  }
  for (auto _ : state) benchmark::DoNotOptimize(vorda::rf::OptimizeBand(r));
}
BENCHMARK(TwoBands)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// With --best-by yield: the ten best designs' values centred for yield,
// 1,000 builds within 10 % over the band's 201 points (0), against the
// yield of the best design once (1, the baseline).
void CentringForYield(benchmark::State& state) {
  vorda::rf::DesignRequest q;
  q.load = {40, kLoad.At(350e6).imag()};
  q.hertz = 350e6;
  q.bands = {{vorda::rf::FrequencyAxis::Linear(295e6, 405e6, 201), std::nullopt}};
  q.yield = vorda::rf::YieldRequest{};
  q.yield->tolerance = {0.1, 0.1, false};
  q.yield->goal_vswr = 3.0;
  q.ranking = vorda::rf::Ranking::kYield;
  const auto plan = vorda::rf::PlanOf(q);
  const vorda::rf::BandResult found = vorda::rf::RunBand(*plan);
  std::size_t centred = 0;
  for (auto _ : state) {
    if (state.range(0) == 0) {
      const auto c = vorda::rf::CentredDesigns(found, *plan);
      centred = c.size();
      benchmark::DoNotOptimize(c);
    } else {
      benchmark::DoNotOptimize(
          vorda::rf::YieldOf(found.designs.front().evaluated, plan->yield_goals.points, *q.yield));
    }
  }
  state.counters["designs"] = static_cast<double>(centred);
}
BENCHMARK(CentringForYield)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The baseline: every ladder of 2 to 4 parts evaluated once at the 201
// points, its values the part-level of the band.
void EveryLadderEvaluatedOnce(benchmark::State& state) {
  const BandRequest r = Request(4, 201);
  std::vector<vorda::rf::BandPoint> points;
  for (const double f : r.Axis().Frequencies()) {
    points.push_back({f, vorda::rf::kTwoPi * f, kLoad.At(f), r.source.At(f).z});
  }
  std::vector<vorda::rf::BandObjective> ladders;
  for (const vorda::rf::Network& n : vorda::rf::Ladders(2, 4)) ladders.emplace_back(n, points);
  const std::vector<double> u(6, -9.0);
  for (auto _ : state) {
    for (const vorda::rf::BandObjective& f : ladders) benchmark::DoNotOptimize(f.Worst(u.data()));
  }
}
BENCHMARK(EveryLadderEvaluatedOnce)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
