// The design layer's frequency response per point against a plain
// std::complex<double> evaluation of the same input impedance, in the same
// run; and the VSWR <= 2 band search with its evaluations per edge.
#include <benchmark/benchmark.h>

#include <complex>
#include <numbers>
#include <vector>

#include "rf/circuit/FrequencyAxis.h"
#include "rf/synthesis/Design.h"

namespace {

using vorda::rf::Impedance;

constexpr double kF = 14.2e6;
const std::vector<double> kFrequencies = vorda::rf::LinearFrequencies(1e6, 30e6, 1001);

// Type 1 for 40 + j30 ohms at 14.2 MHz with lossy parts.
vorda::rf::Network LossySection() {
  vorda::rf::Network s = vorda::rf::SectionAt(*vorda::FindSectionType(1), 25, -50, 50, kF);
  s.elements[0].part.q = 50;
  s.elements[1].part.q = 200;
  return s;
}

void SectionResponse(benchmark::State& state) {
  const vorda::rf::Network section = LossySection();
  const vorda::rf::SeriesLoad load(40, 30, kF);
  for (auto _ : state) {
    for (const double f : kFrequencies) {
      benchmark::DoNotOptimize(section.InputImpedance(f, load.At(f)));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kFrequencies.size()));
}
BENCHMARK(SectionResponse);

// The same input impedance written out by hand.
void PlainComplexBaseline(benchmark::State& state) {
  const vorda::rf::Network section = LossySection();
  const double l1 = section.elements[0].part.value, q1 = section.elements[0].part.q;
  const double c2 = section.elements[1].part.value, q2 = section.elements[1].part.q;
  const double load_l = 30 / (2 * std::numbers::pi * kF);
  for (auto _ : state) {
    for (const double f : kFrequencies) {
      const double w = 2 * std::numbers::pi * f;
      const std::complex<double> z1(w * l1 / q1, w * l1);
      const double x2 = -1 / (w * c2);
      const std::complex<double> z2(-x2 / q2, x2);
      const std::complex<double> zl(40, w * load_l);
      benchmark::DoNotOptimize(z1 + z2 * zl / (z2 + zl));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kFrequencies.size()));
}
BENCHMARK(PlainComplexBaseline);

void BandSearch(benchmark::State& state) {
  // 1000 ohms to 100 at 100 MHz: both edges inside the search range.
  const vorda::rf::Network section =
      vorda::rf::SectionAt(*vorda::FindSectionType(1), 300, -1000.0 / 3, 100, 100e6);
  int evaluations = 0;
  for (auto _ : state) {
    const vorda::rf::Band band = vorda::rf::FindBand(
        [&](double hz) { return vorda::rf::Vswr(section.InputImpedance(hz, 1000.0), 100); }, 100e6,
        vorda::rf::LimitsAround(100e6));
    evaluations = band.evaluations;
    benchmark::DoNotOptimize(band);
  }
  state.counters["evaluations_per_edge"] = (evaluations - 1) / 2.0;
}
BENCHMARK(BandSearch);

}  // namespace

BENCHMARK_MAIN();
