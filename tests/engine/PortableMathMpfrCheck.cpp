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

namespace {

namespace portable = vorda::portable;
namespace detail = vorda::portable::detail;

constexpr mpfr_prec_t kPrecision = 200;
constexpr double kPi = 3.141592653589793;

// xoshiro256** seeded through splitmix64.
class Random {
 public:
  explicit Random(std::uint64_t seed) {
    for (std::uint64_t& s : s_) {
      seed += 0x9E3779B97F4A7C15u;
      std::uint64_t z = seed;
      z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
      z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
      s = z ^ (z >> 31);
    }
  }
  std::uint64_t Bits() {
    const std::uint64_t result = std::rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = std::rotl(s_[3], 45);
    return result;
  }
  double Unit() { return static_cast<double>(Bits() >> 11) * 0x1p-53; }  // [0, 1)
  double Uniform(double low, double high) { return low + (high - low) * Unit(); }
  int Integer(int low, int high) {  // [low, high]
    return low + static_cast<int>(Bits() % static_cast<std::uint64_t>(high - low + 1));
  }
  double Sign() { return (Bits() & 1) != 0 ? -1.0 : 1.0; }
  // A random mantissa in [1, 2) times 2^e.
  double Binade(int e) { return std::ldexp(1.0 + Unit(), e); }

 private:
  std::uint64_t s_[4];
};

// x moved by n ulps (n may be negative).
double Ulps(double x, int n) {
  for (; n > 0; --n) x = std::nextafter(x, INFINITY);
  for (; n < 0; ++n) x = std::nextafter(x, -INFINITY);
  return x;
}

// The double nearest to k pi/d.
double MultipleOfPi(double k, long d) {
  mpfr_t t;
  mpfr_init2(t, kPrecision);
  mpfr_const_pi(t, MPFR_RNDN);
  mpfr_mul_d(t, t, k, MPFR_RNDN);
  mpfr_div_si(t, t, d, MPFR_RNDN);
  const double r = mpfr_get_d(t, MPFR_RNDN);
  mpfr_clear(t);
  return r;
}

// A load as a person types it (whole ohms half the time) and the engine's
// normalized resistance and reactance from it.
struct Load {
  double r;
  double x;
};
Load EngineLoad(Random& rng) {
  double big_r = rng.Uniform(-1000.0, 1000.0);
  double big_x = rng.Uniform(-1000.0, 1000.0);
  double z0 = rng.Uniform(1.0, 1000.0);
  if ((rng.Bits() & 1) != 0) {
    big_r = std::round(big_r);
    big_x = std::round(big_x);
    z0 = std::round(z0);
  }
  return {big_r / z0, big_x / z0};
}
// The angle MyAtan forms for a load, with the module's pi.
double EngineAngle(const Load& load) {
  double x = load.r;
  double y = load.x;
  double angle = 0.0;
  vorda::Module1::MyAtan(x, y, angle);
  return angle;
}

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

void SinOrCosArguments(Random& rng, Checker& check, long count) {
  for (long n = 0; n < count; ++n) {
    switch (n % 10) {
      case 0:
      case 1:
      case 2:  // the engine's range
        check.Check(rng.Uniform(-2 * kPi, 2 * kPi));
        break;
      case 3: {  // near multiples of pi/2, up to 2^20 and up to 2^29
        const int bits = (rng.Bits() & 3) == 0 ? 29 : rng.Integer(1, 20);
        const double k = std::floor(rng.Unit() * std::ldexp(1.0, bits)) * rng.Sign();
        check.Check(Ulps(MultipleOfPi(k, 2), rng.Integer(-30, 30)));
        break;
      }
      case 4: {  // near the table's points, multiples of pi/512
        const double k = std::floor(rng.Unit() * 4096.0) * rng.Sign();
        check.Check(Ulps(MultipleOfPi(k, 512), rng.Integer(-1000, 1000)));
        break;
      }
      case 5:  // near 0, below and above the 2^-30 shortcut
        check.Check(rng.Sign() * rng.Binade(rng.Integer(-40, -3)));
        break;
      case 6:  // large, up to 2^30
        check.Check(rng.Sign() * rng.Binade(rng.Integer(3, 29)));
        break;
      default: {  // the angles the engine forms: -atan(x/r) (+ pi)
        check.Check(-EngineAngle(EngineLoad(rng)));
        break;
      }
    }
  }
}

void AtanArguments(Random& rng, Checker& check, long count) {
  for (long n = 0; n < count; ++n) {
    switch (n % 10) {
      case 0:
      case 1:
        check.Check(rng.Uniform(-100.0, 100.0));
        break;
      case 2:
      case 3:  // all magnitudes, through the shortcuts at 2^-30 and 2^60
        check.Check(rng.Sign() * rng.Binade(rng.Integer(-35, 65)));
        break;
      case 4: {  // near the table's points i/64 and 64/i, and 1
        const int i = rng.Integer(1, 64);
        const double point = (rng.Bits() & 1) != 0 ? i / 64.0 : 64.0 / i;
        check.Check(Ulps(point, rng.Integer(-50, 50)) * rng.Sign());
        break;
      }
      default: {  // the engine's ratios x/r
        const Load load = EngineLoad(rng);
        check.Check(load.x / load.r);
        break;
      }
    }
  }
}

void Log10Arguments(Random& rng, Checker& check, long count) {
  for (long n = 0; n < count; ++n) {
    switch (n % 10) {
      case 0:
        check.Check(1e-6 * std::pow(1e12, rng.Unit()));
        break;
      case 1:  // any positive double, from the bits
        check.Check(std::bit_cast<double>(rng.Bits() % 0x7FF0000000000000u));
        break;
      case 2:  // subnormals
        check.Check(std::ldexp(rng.Unit(), -1022));
        break;
      case 3: {  // near 1, both sides
        const double distance = std::ldexp(1.0 + rng.Unit(), rng.Integer(-53, -4));
        check.Check(1.0 + rng.Sign() * distance);
        break;
      }
      case 4:  // efficiencies near 1: 1 - 1e-6 ... 1 - 1e-16
        check.Check(1.0 - std::pow(10.0, rng.Uniform(-16.0, -6.0)));
        break;
      case 5: {  // powers of ten and their neighbours
        const std::string text = "1e" + std::to_string(rng.Integer(-307, 308));
        check.Check(Ulps(std::strtod(text.c_str(), nullptr), rng.Integer(-3, 3)));
        break;
      }
      case 6:  // efficiencies and gains in (0, 1)
        check.Check(1.0 - std::pow(10.0, rng.Uniform(-17.0, 0.0)));
        break;
      default: {  // |reflection coefficient| of the engine's loads
        const Load load = EngineLoad(rng);
        const double r = std::fabs(load.r);
        const double num = (r - 1.0) * (r - 1.0) + load.x * load.x;
        const double den = (r + 1.0) * (r + 1.0) + load.x * load.x;
        check.Check(std::sqrt(num / den));
        break;
      }
    }
  }
}

// 10^x: a decibel value over 20 as a Touchstone file writes it, every
// magnitude from the subnormals to the overflow, whole numbers and their
// neighbours, tiny ones.
void Pow10Arguments(Random& rng, Checker& check, long count) {
  for (long n = 0; n < count; ++n) {
    switch (n % 10) {
      case 0:
      case 1:
        check.Check(rng.Uniform(-20.0, 20.0));
        break;
      case 2:  // dB to three decimals
        check.Check(std::round(rng.Uniform(-200.0, 60.0) * 1000.0) / 1000.0 / 20.0);
        break;
      case 3:
      case 4:
        check.Check(rng.Uniform(-330.0, 310.0));
        break;
      case 5:  // whole numbers, exact powers included, and their neighbours
        check.Check(Ulps(static_cast<double>(rng.Integer(-325, 309)), rng.Integer(-2, 2)));
        break;
      case 6:  // subnormal results
        check.Check(rng.Uniform(-323.7, -307.6));
        break;
      case 7:  // near the overflow
        check.Check(rng.Uniform(308.2, 308.3));
        break;
      case 8:  // tiny, about the shortcut at 2^-56
        check.Check(rng.Sign() * rng.Binade(rng.Integer(-70, -20)));
        break;
      default:
        check.Check(rng.Sign() * rng.Binade(rng.Integer(-20, 8)));
        break;
    }
  }
}

// Angles in degrees: as a Touchstone file writes them, all of one turn and
// many, near the whole quarter turns and the table's steps, huge and tiny.
void DegreesArguments(Random& rng, Checker& check, long count) {
  for (long n = 0; n < count; ++n) {
    switch (n % 10) {
      case 0:
      case 1:  // to three decimals
        check.Check(std::round(rng.Uniform(-180.0, 180.0) * 1000.0) / 1000.0);
        break;
      case 2:
        check.Check(rng.Uniform(-360.0, 360.0));
        break;
      case 3: {  // near multiples of 15 degrees, exact ones included
        const double k = 15.0 * rng.Integer(-100, 100);
        check.Check(Ulps(k, rng.Integer(-3, 3)));
        break;
      }
      case 4:  // whole degrees
        check.Check(static_cast<double>(rng.Integer(-100000, 100000)));
        break;
      case 5:  // many turns, up to the largest doubles
        check.Check(rng.Sign() * rng.Binade(rng.Integer(9, 1023)));
        break;
      case 6:  // small, down to the subnormals
        check.Check(rng.Sign() * std::ldexp(1.0 + rng.Unit(), rng.Integer(-1074, -1)));
        break;
      case 7:  // near the table's steps of 180/512 degrees
        check.Check(Ulps(rng.Integer(-2048, 2048) * (180.0 / 512.0), rng.Integer(-100, 100)));
        break;
      default:
        check.Check(rng.Uniform(-1e6, 1e6));
        break;
    }
  }
}
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
      AtanArguments(rng, check, count);
    } else if (name == "pow10") {
      Pow10Arguments(rng, check, count);
    } else if (name == "sind" || name == "cosd") {
      DegreesArguments(rng, check, count);
    } else if (name == "log10") {
      Log10Arguments(rng, check, count);
    } else {
      SinOrCosArguments(rng, check, count);
    }
    ok = check.Report() && ok;
  }
  std::printf("%s\n", ok ? "all correctly rounded" : "MISROUNDED");
  return ok ? 0 : 1;
}
