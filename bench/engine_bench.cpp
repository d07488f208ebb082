// Cost of one Compute run and of the input conversion, with std::strtod on
// the same texts as the baseline measured in the same run; and each portable
// function against the C library's on the same arguments.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/Compute.h"
#include "engine/NumberText.h"
#include "engine/PortableMath.h"
#include "tests/support/RecordingView.h"

namespace {

using vorda::testing::RecordingView;

// One Compute run, the recorded captions cleared before the next.
void RunCompute(benchmark::State& state, RecordingView& view) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(vorda::cmdCompute_Click(view));
    view.Clear();
  }
}

void ComputeShuntAtLoad(benchmark::State& state) {
  RecordingView view("50", "40", "30", 1);
  RunCompute(state, view);
}
BENCHMARK(ComputeShuntAtLoad);

void ComputeSeriesAtLoad(benchmark::State& state) {
  RecordingView view("50", "20", "10", 2);
  RunCompute(state, view);
}
BENCHMARK(ComputeSeriesAtLoad);

const std::array<std::string, 4> kTexts = {"50", "40", "-30", "123.456789E-2"};

void ConvertVal(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& t : kTexts) benchmark::DoNotOptimize(vorda::Val(t));
  }
}
BENCHMARK(ConvertVal);

void ConvertStrtodBaseline(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& t : kTexts) benchmark::DoNotOptimize(std::strtod(t.c_str(), nullptr));
  }
}
BENCHMARK(ConvertStrtodBaseline);

void FormatNumber(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(vorda::FormatNumber(-50.00000000000001));
}
BENCHMARK(FormatNumber);

// 1024 arguments spread over [low, high] (a logarithmic spread when asked),
// the same for both sides of a comparison.
std::vector<double> Arguments(double low, double high, bool logarithmic) {
  std::vector<double> xs(1024);
  std::uint64_t state = 0x2545F4914F6CDD1Du;
  for (double& x : xs) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    const double u = static_cast<double>(state >> 11) * 0x1p-53;
    x = logarithmic ? low * std::pow(high / low, u) : low + (high - low) * u;
  }
  return xs;
}

template <double (*F)(double)>
void Apply(benchmark::State& state, const std::vector<double>& xs) {
  for (auto _ : state) {
    for (const double x : xs) benchmark::DoNotOptimize(F(x));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(xs.size()));
}

constexpr double kTwoPi = 6.283185307179586;
const std::vector<double> kAngles = Arguments(-kTwoPi, kTwoPi, false);
const std::vector<double> kRatios = Arguments(-100.0, 100.0, false);
const std::vector<double> kMagnitudes = Arguments(1e-6, 1e6, true);
const std::vector<double> kDecibelsOver20 = Arguments(-10.0, 3.0, false);
const std::vector<double> kDegrees = Arguments(-180.0, 180.0, false);

double LibSin(double x) {
  return std::sin(x);
}
double LibCos(double x) {
  return std::cos(x);
}
double LibAtan(double x) {
  return std::atan(x);
}
// What a reader of degrees would write with the C library.
double LibSinDegrees(double x) {
  return std::sin(x * (kTwoPi / 360.0));
}
double LibCosDegrees(double x) {
  return std::cos(x * (kTwoPi / 360.0));
}
double LibPow10(double x) {
  return std::pow(10.0, x);
}
double LibLog10(double x) {
  return std::log10(x);
}

void SinPortable(benchmark::State& state) {
  Apply<vorda::portable::Sin>(state, kAngles);
}
void SinLibrary(benchmark::State& state) {
  Apply<LibSin>(state, kAngles);
}
void CosPortable(benchmark::State& state) {
  Apply<vorda::portable::Cos>(state, kAngles);
}
void CosLibrary(benchmark::State& state) {
  Apply<LibCos>(state, kAngles);
}
void AtanPortable(benchmark::State& state) {
  Apply<vorda::portable::Atan>(state, kRatios);
}
void AtanLibrary(benchmark::State& state) {
  Apply<LibAtan>(state, kRatios);
}
void Log10Portable(benchmark::State& state) {
  Apply<vorda::portable::Log10>(state, kMagnitudes);
}
void Log10Library(benchmark::State& state) {
  Apply<LibLog10>(state, kMagnitudes);
}
BENCHMARK(SinPortable);
BENCHMARK(SinLibrary);
BENCHMARK(CosPortable);
BENCHMARK(CosLibrary);
BENCHMARK(AtanPortable);
BENCHMARK(AtanLibrary);
void Pow10Portable(benchmark::State& state) {
  Apply<vorda::portable::Pow10>(state, kDecibelsOver20);
}
void Pow10Library(benchmark::State& state) {
  Apply<LibPow10>(state, kDecibelsOver20);
}
BENCHMARK(Log10Portable);
BENCHMARK(Log10Library);
void SinDegreesPortable(benchmark::State& state) {
  Apply<vorda::portable::SinDegrees>(state, kDegrees);
}
void SinDegreesLibrary(benchmark::State& state) {
  Apply<LibSinDegrees>(state, kDegrees);
}
void CosDegreesPortable(benchmark::State& state) {
  Apply<vorda::portable::CosDegrees>(state, kDegrees);
}
void CosDegreesLibrary(benchmark::State& state) {
  Apply<LibCosDegrees>(state, kDegrees);
}
BENCHMARK(Pow10Portable);
BENCHMARK(Pow10Library);
BENCHMARK(SinDegreesPortable);
BENCHMARK(SinDegreesLibrary);
BENCHMARK(CosDegreesPortable);
BENCHMARK(CosDegreesLibrary);

}  // namespace

BENCHMARK_MAIN();
