#include "tests/engine/MpfrArguments.h"

#include <mpfr.h>

#include "engine/Module1.h"

namespace vorda::testing {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr mpfr_prec_t kPrecision = 200;

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

}  // namespace

void SinOrCosArguments(Random& rng, const Check& check, long count) {
  for (long n = 0; n < count; ++n) {
    switch (n % 10) {
      case 0:
      case 1:
      case 2:  // the engine's range
        check(rng.Uniform(-2 * kPi, 2 * kPi));
        break;
      case 3: {  // near multiples of pi/2, up to 2^20 and up to 2^29
        const int bits = (rng.Bits() & 3) == 0 ? 29 : rng.Integer(1, 20);
        const double k = std::floor(rng.Unit() * std::ldexp(1.0, bits)) * rng.Sign();
        check(Ulps(MultipleOfPi(k, 2), rng.Integer(-30, 30)));
        break;
      }
      case 4: {  // near the table's points, multiples of pi/512
        const double k = std::floor(rng.Unit() * 4096.0) * rng.Sign();
        check(Ulps(MultipleOfPi(k, 512), rng.Integer(-1000, 1000)));
        break;
      }
      case 5:  // near 0, below and above the 2^-30 shortcut
        check(rng.Sign() * rng.Binade(rng.Integer(-40, -3)));
        break;
      case 6:  // large, up to 2^30
        check(rng.Sign() * rng.Binade(rng.Integer(3, 29)));
        break;
      default: {  // the angles the engine forms: -atan(x/r) (+ pi)
        check(-EngineAngle(EngineLoad(rng)));
        break;
      }
    }
  }
}

void AtanArguments(Random& rng, const Check& check, long count) {
  for (long n = 0; n < count; ++n) {
    switch (n % 10) {
      case 0:
      case 1:
        check(rng.Uniform(-100.0, 100.0));
        break;
      case 2:
      case 3:  // all magnitudes, through the shortcuts at 2^-30 and 2^60
        check(rng.Sign() * rng.Binade(rng.Integer(-35, 65)));
        break;
      case 4: {  // near the table's points i/64 and 64/i, and 1
        const int i = rng.Integer(1, 64);
        const double point = (rng.Bits() & 1) != 0 ? i / 64.0 : 64.0 / i;
        check(Ulps(point, rng.Integer(-50, 50)) * rng.Sign());
        break;
      }
      default: {  // the engine's ratios x/r
        const Load load = EngineLoad(rng);
        check(load.x / load.r);
        break;
      }
    }
  }
}

void Log10Arguments(Random& rng, const Check& check, long count) {
  for (long n = 0; n < count; ++n) {
    switch (n % 10) {
      case 0:
        check(1e-6 * std::pow(1e12, rng.Unit()));
        break;
      case 1:  // any positive double, from the bits
        check(std::bit_cast<double>(rng.Bits() % 0x7FF0000000000000u));
        break;
      case 2:  // subnormals
        check(std::ldexp(rng.Unit(), -1022));
        break;
      case 3: {  // near 1, both sides
        const double distance = std::ldexp(1.0 + rng.Unit(), rng.Integer(-53, -4));
        check(1.0 + rng.Sign() * distance);
        break;
      }
      case 4:  // efficiencies near 1: 1 - 1e-6 ... 1 - 1e-16
        check(1.0 - std::pow(10.0, rng.Uniform(-16.0, -6.0)));
        break;
      case 5: {  // powers of ten and their neighbours
        const std::string text = "1e" + std::to_string(rng.Integer(-307, 308));
        check(Ulps(std::strtod(text.c_str(), nullptr), rng.Integer(-3, 3)));
        break;
      }
      case 6:  // efficiencies and gains in (0, 1)
        check(1.0 - std::pow(10.0, rng.Uniform(-17.0, 0.0)));
        break;
      default: {  // |reflection coefficient| of the engine's loads
        const Load load = EngineLoad(rng);
        const double r = std::fabs(load.r);
        const double num = (r - 1.0) * (r - 1.0) + load.x * load.x;
        const double den = (r + 1.0) * (r + 1.0) + load.x * load.x;
        check(std::sqrt(num / den));
        break;
      }
    }
  }
}

// 10^x: a decibel value over 20 as a Touchstone file writes it, every
// magnitude from the subnormals to the overflow, whole numbers and their
// neighbours, tiny ones.
void Pow10Arguments(Random& rng, const Check& check, long count) {
  for (long n = 0; n < count; ++n) {
    switch (n % 10) {
      case 0:
      case 1:
        check(rng.Uniform(-20.0, 20.0));
        break;
      case 2:  // dB to three decimals
        check(std::round(rng.Uniform(-200.0, 60.0) * 1000.0) / 1000.0 / 20.0);
        break;
      case 3:
      case 4:
        check(rng.Uniform(-330.0, 310.0));
        break;
      case 5:  // whole numbers, exact powers included, and their neighbours
        check(Ulps(static_cast<double>(rng.Integer(-325, 309)), rng.Integer(-2, 2)));
        break;
      case 6:  // subnormal results
        check(rng.Uniform(-323.7, -307.6));
        break;
      case 7:  // near the overflow
        check(rng.Uniform(308.2, 308.3));
        break;
      case 8:  // tiny, about the shortcut at 2^-56
        check(rng.Sign() * rng.Binade(rng.Integer(-70, -20)));
        break;
      default:
        check(rng.Sign() * rng.Binade(rng.Integer(-20, 8)));
        break;
    }
  }
}

// Angles in degrees: as a Touchstone file writes them, all of one turn and
// many, near the whole quarter turns and the table's steps, huge and tiny.
void DegreesArguments(Random& rng, const Check& check, long count) {
  for (long n = 0; n < count; ++n) {
    switch (n % 10) {
      case 0:
      case 1:  // to three decimals
        check(std::round(rng.Uniform(-180.0, 180.0) * 1000.0) / 1000.0);
        break;
      case 2:
        check(rng.Uniform(-360.0, 360.0));
        break;
      case 3: {  // near multiples of 15 degrees, exact ones included
        const double k = 15.0 * rng.Integer(-100, 100);
        check(Ulps(k, rng.Integer(-3, 3)));
        break;
      }
      case 4:  // whole degrees
        check(static_cast<double>(rng.Integer(-100000, 100000)));
        break;
      case 5:  // many turns, up to the largest doubles
        check(rng.Sign() * rng.Binade(rng.Integer(9, 1023)));
        break;
      case 6:  // small, down to the subnormals
        check(rng.Sign() * std::ldexp(1.0 + rng.Unit(), rng.Integer(-1074, -1)));
        break;
      case 7:  // near the table's steps of 180/512 degrees
        check(Ulps(rng.Integer(-2048, 2048) * (180.0 / 512.0), rng.Integer(-100, 100)));
        break;
      default:
        check(rng.Uniform(-1e6, 1e6));
        break;
    }
  }
}
}  // namespace vorda::testing
