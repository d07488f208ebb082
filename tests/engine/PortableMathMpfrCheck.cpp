// Checks the portable functions against MPFR: for each of Sin, Cos, Atan,
// Log10, Pow10, SinDegrees and CosDegrees, a million or more arguments
// (random ones, hard ones, and the ones the engine forms), each result
// compared with MPFR's value at 200 bits rounded to nearest, and so is the
// accurate path alone. It also checks each fast path's error bound (the exact
// value lies within err of hi + lo) and the tables behind the fast paths.
//
// Usage: portable_math_mpfr_check [arguments per function [function...]]
// (functions: sin cos atan log10 pow10 sind cosd; all by default).
// The seed is fixed; VORDA_MPFR_SEED=<number> chooses another. Exits 1 on
// any misrounding, broken bound or table entry.
#include <mpfr.h>

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/Module1.h"
#include "engine/PortableMath.h"
#include "engine/PortableMathDetail.h"
#include "tests/engine/MpfrArguments.h"

using vorda::testing::Random;

namespace {

namespace portable = vorda::portable;
namespace detail = vorda::portable::detail;

constexpr mpfr_prec_t kPrecision = 200;
constexpr double kPi = 3.141592653589793;

using Function = double (*)(double);
using EstimateFunction = bool (*)(double, detail::Estimate&);
using AccurateFunction = double (*)(double);
using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

struct Checked {
  const char* name;
  Function function;
  EstimateFunction estimate;
  AccurateFunction accurate;
  MpfrFunction reference;
  // Correctly rounded for |x| below this; larger arguments are not checked.
  double limit;
};

class Checker {
 public:
  explicit Checker(const Checked& f) : f_(f) {
    mpfr_inits2(kPrecision, x_, y_, nullptr);
    mpfr_init2(d_, 2 * kPrecision);
  }
  ~Checker() { mpfr_clears(x_, y_, d_, nullptr); }
  Checker(const Checker&) = delete;
  Checker& operator=(const Checker&) = delete;

  void Check(double x) {
    if (!(std::fabs(x) < f_.limit)) return;
    ++arguments_;
    mpfr_set_d(x_, x, MPFR_RNDN);
    f_.reference(y_, x_, MPFR_RNDN);
    const double expected = mpfr_get_d(y_, MPFR_RNDN);
    const double got = f_.function(x);
    if (std::bit_cast<std::uint64_t>(got) != std::bit_cast<std::uint64_t>(expected)) {
      if (++wrong_ <= 10) {
        std::printf("  %s(%a) = %a, correctly rounded %a\n", f_.name, x, got, expected);
      }
    }
    // The accurate path alone, which the function falls back on (from 2^-30
    // on, below which each function has its shortcut).
    const double accurate = std::fabs(x) >= 0x1p-30 ? f_.accurate(x) : expected;
    if (std::bit_cast<std::uint64_t>(accurate) != std::bit_cast<std::uint64_t>(expected)) {
      if (++accurate_wrong_ <= 10) {
        std::printf("  accurate path %s(%a) = %a, correctly rounded %a\n", f_.name, x, accurate,
                    expected);
      }
    }
    detail::Estimate e{};
    if (!f_.estimate(x, e)) return;
    ++estimated_;
    if (e.hi + (e.lo + e.err) != e.hi + (e.lo - e.err)) ++slow_;
    // |hi + lo - y| against err: hi + lo is exact at twice the precision.
    mpfr_set_d(d_, e.hi, MPFR_RNDN);
    mpfr_add_d(d_, d_, e.lo, MPFR_RNDN);
    mpfr_sub(d_, d_, y_, MPFR_RNDN);
    mpfr_abs(d_, d_, MPFR_RNDN);
    const double error = mpfr_get_d(d_, MPFR_RNDU);
    if (error > e.err) {
      if (++broken_ <= 10) {
        std::printf("  %s(%a): fast error %a above its bound %a\n", f_.name, x, error, e.err);
      }
    }
    if (e.err > 0.0 && error / e.err > worst_) worst_ = error / e.err;
  }

  bool Report() const {
    std::printf(
        "%-6s %9ld arguments, %ld misroundings (the accurate path alone: %ld); fast path %ld, of "
        "them %ld (%.4f%%) to the accurate path; fast error at most %.3f of its bound%s\n",
        f_.name, arguments_, wrong_, accurate_wrong_, estimated_, slow_,
        estimated_ > 0 ? 100.0 * static_cast<double>(slow_) / estimated_ : 0.0, worst_,
        broken_ > 0 ? " (BOUND BROKEN)" : "");
    return wrong_ == 0 && accurate_wrong_ == 0 && broken_ == 0;
  }

 private:
  const Checked& f_;
  mpfr_t x_, y_, d_;
  long arguments_ = 0;
  long wrong_ = 0;
  long accurate_wrong_ = 0;
  long estimated_ = 0;
  long slow_ = 0;
  long broken_ = 0;
  double worst_ = 0.0;
};

int MpfrSinDegrees(mpfr_ptr y, mpfr_srcptr x, mpfr_rnd_t rounding) {
  return mpfr_sinu(y, x, 360, rounding);
}
int MpfrCosDegrees(mpfr_ptr y, mpfr_srcptr x, mpfr_rnd_t rounding) {
  return mpfr_cosu(y, x, 360, rounding);
}

// Pow10's estimate as hi + lo itself, where 2^n scales it exactly.
bool Pow10Estimate(double x, detail::Estimate& e) {
  int n = 0;
  if (!detail::Pow10Estimate(x, e, n) || n < -900 || n > 900) return false;
  e = {std::ldexp(e.hi, n), std::ldexp(e.lo, n), std::ldexp(e.err, n)};
  return true;
}

// Each table entry hi + lo within 2^-100 of its value.
bool TablesHold() {
  mpfr_t v, d;
  mpfr_inits2(kPrecision, v, d, nullptr);
  int bad = 0;
  int entries = 0;
  auto compare = [&](const detail::Pair& p, const char* what, int i) {
    ++entries;
    mpfr_set_d(d, p.hi, MPFR_RNDN);
    mpfr_add_d(d, d, p.lo, MPFR_RNDN);
    mpfr_sub(d, d, v, MPFR_RNDN);
    const double error = std::fabs(mpfr_get_d(d, MPFR_RNDN));
    if (error > 0x1p-100 * std::fabs(mpfr_get_d(v, MPFR_RNDN))) {
      ++bad;
      std::printf("  %s table entry %d off by %a\n", what, i, error);
    }
  };
  for (int i = 0; i <= 256; ++i) {
    mpfr_const_pi(v, MPFR_RNDN);
    mpfr_mul_si(v, v, i, MPFR_RNDN);
    mpfr_div_si(v, v, 512, MPFR_RNDN);
    mpfr_sin(v, v, MPFR_RNDN);
    compare(detail::SinTableEntry(i), "sine", i);
  }
  for (int i = 0; i <= 64; ++i) {
    mpfr_set_si(v, i, MPFR_RNDN);
    mpfr_div_si(v, v, 64, MPFR_RNDN);
    mpfr_atan(v, v, MPFR_RNDN);
    compare(detail::AtanTableEntry(i), "arc tangent", i);
    mpfr_const_pi(d, MPFR_RNDN);
    mpfr_div_si(d, d, 2, MPFR_RNDN);
    mpfr_sub(v, d, v, MPFR_RNDN);
    compare(detail::AtanComplementEntry(i), "arc tangent complement", i);
  }
  for (int i = 0; i <= 128; ++i) {
    mpfr_set_d(v, detail::Log10Factor(i), MPFR_RNDN);
    mpfr_log10(v, v, MPFR_RNDN);
    mpfr_neg(v, v, MPFR_RNDN);
    compare(detail::Log10TableEntry(i), "log10", i);
  }
  for (int j = 0; j < 128; ++j) {
    mpfr_set_d(v, j / 128.0, MPFR_RNDN);
    mpfr_exp2(v, v, MPFR_RNDN);
    compare(detail::Pow2TableEntry(j), "power of two", j);
  }
  mpfr_clears(v, d, nullptr);
  std::printf("tables %d entries, %d off by more than 2^-100\n", entries, bad);
  return bad == 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t seed = 20240611;
  if (const char* text = std::getenv("VORDA_MPFR_SEED")) seed = std::strtoull(text, nullptr, 0);
  const long count = argc > 1 ? std::atol(argv[1]) : 1000000;
  std::printf("seed %" PRIu64 " (VORDA_MPFR_SEED chooses another)\n", seed);
  // The functions named after the count, or all of them.
  auto chosen = [argc, argv](const std::string& name) {
    if (argc <= 2) return true;
    for (int i = 2; i < argc; ++i) {
      if (name == argv[i]) return true;
    }
    return false;
  };

  bool ok = TablesHold();
  // sin and cos are correctly rounded below 2^30; the others everywhere.
  const Checked functions[] = {
      {"sin", portable::Sin, detail::SinEstimate, detail::SinAccurate, mpfr_sin, 0x1p30},
      {"cos", portable::Cos, detail::CosEstimate, detail::CosAccurate, mpfr_cos, 0x1p30},
      {"atan", portable::Atan, detail::AtanEstimate, detail::AtanAccurate, mpfr_atan, INFINITY},
      {"log10", portable::Log10, detail::Log10Estimate, detail::Log10Accurate, mpfr_log10,
       INFINITY},
      {"pow10", portable::Pow10, Pow10Estimate, detail::Pow10Accurate, mpfr_exp10, INFINITY},
      {"sind", portable::SinDegrees, detail::SinDegreesEstimate, detail::SinDegreesAccurate,
       MpfrSinDegrees, INFINITY},
      {"cosd", portable::CosDegrees, detail::CosDegreesEstimate, detail::CosDegreesAccurate,
       MpfrCosDegrees, INFINITY},
  };
  std::uint64_t stream = 0;
  for (const Checked& f : functions) {
    Random rng(seed + 0x100000 * ++stream);
    const std::string name = f.name;
    if (!chosen(name)) continue;
    Checker check(f);
    if (name == "atan") {
      vorda::testing::AtanArguments(
          rng, [&check](double x) { check.Check(x); }, count);
    } else if (name == "pow10") {
      vorda::testing::Pow10Arguments(
          rng, [&check](double x) { check.Check(x); }, count);
    } else if (name == "sind" || name == "cosd") {
      vorda::testing::DegreesArguments(
          rng, [&check](double x) { check.Check(x); }, count);
    } else if (name == "log10") {
      vorda::testing::Log10Arguments(
          rng, [&check](double x) { check.Check(x); }, count);
    } else {
      vorda::testing::SinOrCosArguments(
          rng, [&check](double x) { check.Check(x); }, count);
    }
    ok = check.Report() && ok;
  }
  std::printf("%s\n", ok ? "all correctly rounded" : "MISROUNDED");
  return ok ? 0 : 1;
}
