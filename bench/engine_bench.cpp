// Cost of one Compute run and of the input conversion, with std::strtod on
// the same texts as the baseline measured in the same run.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <string>

#include "Compute.h"
#include "NumberText.h"

namespace {

// A view with no allocation of its own: fixed texts in, captions kept.
class BenchView : public vorda::ComputeView {
 public:
  BenchView(const char* z0, const char* real, const char* imag, std::int16_t type)
      : z0_(z0), real_(real), imag_(imag), type_(type) {}
  std::string InputText(std::string_view box) override {
    if (box == vorda::kTxtNormR) return z0_;
    return box == vorda::kTxtInReal ? real_ : imag_;
  }
  std::int16_t TypeIndex() override { return type_; }
  void SetCaption(std::string_view, const std::string& caption) override {
    benchmark::DoNotOptimize(caption.data());
  }
  void MsgBox(const std::string&, vorda::MsgStyle, const std::string&) override {}

 private:
  std::string z0_, real_, imag_;
  std::int16_t type_;
};

void ComputeShuntAtLoad(benchmark::State& state) {
  BenchView view("50", "40", "30", 1);
  for (auto _ : state) benchmark::DoNotOptimize(vorda::cmdCompute_Click(view));
}
BENCHMARK(ComputeShuntAtLoad);

void ComputeSeriesAtLoad(benchmark::State& state) {
  BenchView view("50", "20", "10", 2);
  for (auto _ : state) benchmark::DoNotOptimize(vorda::cmdCompute_Click(view));
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
