// Reading a large Touchstone file against the floor of the same work: a
// plain std::from_chars pass over the same numbers, in the same run.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <string>

#include "rf/files/Touchstone.h"

namespace {

constexpr int kPoints = 200000;

std::string Number(double v) {
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return {buf, res.ptr};
}

// S11 of a resonant load from 1 to 3 GHz, as RI or MA with full digits.
const std::string& File(const char* format) {
  static std::string ri, ma;
  std::string& text = std::string(format) == "RI" ? ri : ma;
  if (!text.empty()) return text;
  text = std::string("! generated\n# Hz S ") + format + " R 50\n";
  for (int i = 0; i < kPoints; ++i) {
    const double f = 1e9 + i * (2e9 / kPoints);
    const double a = 0.5 + 0.4 * std::sin(i * 1e-4), b = 0.3 * std::cos(i * 3e-4);
    const double first = text[text.size() - 3] == 'R' ? a : std::hypot(a, b);
    const double second = std::string(format) == "RI" ? b : std::atan2(b, a) * 57.29577951308232;
    text += Number(f) + " " + Number(first) + " " + Number(second) + "\n";
  }
  return text;
}

void Read(benchmark::State& state, const char* format) {
  const std::string& text = File(format);
  for (auto _ : state) {
    vorda::rf::TouchstoneReader reader(vorda::rf::MemorySource(text));
    vorda::rf::LoadPoint p;
    double sum = 0;
    while (reader.Next(p)) sum += p.z.real();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

// Every number of the data lines through std::from_chars, nothing else.
void FromCharsFloor(benchmark::State& state, const char* format) {
  const std::string& text = File(format);
  const std::size_t data = text.find('\n', text.find('#')) + 1;
  for (auto _ : state) {
    double sum = 0;
    const char* p = text.data() + data;
    const char* end = text.data() + text.size();
    while (p < end) {
      while (p < end && (*p == ' ' || *p == '\n')) ++p;
      double v = 0;
      const auto res = std::from_chars(p, end, v);
      sum += v;
      p = res.ptr;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() - data));
}

BENCHMARK_CAPTURE(Read, RI, "RI")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FromCharsFloor, RI, "RI")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Read, MA, "MA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FromCharsFloor, MA, "MA")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
