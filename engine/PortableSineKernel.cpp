#include "engine/PortableSineKernel.h"

#include <array>
#include <cstddef>

#include "engine/DoubleDouble.h"

namespace vorda::portable::detail {

namespace {

DD Series(DD r2, DD first, const std::array<DD, kSeriesTerms>& factors) {
  DD term = first;
  DD sum = first;
  for (std::size_t k = 1; k < kSeriesTerms && !Negligible(term, sum); ++k) {
    term = Mul(Mul(term, r2), factors[k]);
    sum = Add(sum, term);
  }
  return sum;
}

}  // namespace

const SeriesFactors& Factors() noexcept {
  static const SeriesFactors f = [] {
    SeriesFactors t;
    for (int k = 1; k < kSeriesTerms; ++k) {
      const auto i = static_cast<std::size_t>(k);
      t.sin[i] = Div({-1.0, 0.0}, {(2.0 * k) * (2.0 * k + 1.0), 0.0});
      t.cos[i] = Div({-1.0, 0.0}, {(2.0 * k - 1.0) * (2.0 * k), 0.0});
      t.odd[i] = Div({1.0, 0.0}, {2.0 * k + 1.0, 0.0});
    }
    return t;
  }();
  return f;
}

DD SinSeries(DD r) noexcept {
  return Series(Mul(r, r), r, Factors().sin);
}
DD CosSeries(DD r) noexcept {
  return Series(Mul(r, r), {1.0, 0.0}, Factors().cos);
}

[[gnu::noinline]] SinTables MakeSinTable() noexcept {
  SinTables t{};
  for (std::size_t i = 0; i < t.size(); ++i) {
    // Past an eighth of a turn, the cosine of the complement.
    const bool low = i <= kSinSteps / 2;
    const std::size_t j = low ? i : kSinSteps - i;
    const DD angle = Mul(kHalfPiDD, {static_cast<double>(j) / kSinSteps, 0.0});
    t[i] = low ? SinSeries(angle) : CosSeries(angle);
  }
  return t;
}

}  // namespace vorda::portable::detail
