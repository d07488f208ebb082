// The arguments the portable functions are checked on against MPFR: random
// ones, hard ones (next to multiples of pi, table points, whole powers), and
// the ones the engine and the Touchstone reader form.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>

namespace vorda::testing {

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

// Each argument is handed to check.
using Check = std::function<void(double)>;
void SinOrCosArguments(Random& rng, const Check& check, long count);
void AtanArguments(Random& rng, const Check& check, long count);
void Log10Arguments(Random& rng, const Check& check, long count);
void Pow10Arguments(Random& rng, const Check& check, long count);
void DegreesArguments(Random& rng, const Check& check, long count);

}  // namespace vorda::testing
