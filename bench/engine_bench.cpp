// Cost of one Compute run and of the input conversion, with std::strtod on
// the same texts as the baseline measured in the same run.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <string>

#include "engine/Compute.h"
#include "engine/NumberText.h"
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

}  // namespace

BENCHMARK_MAIN();
