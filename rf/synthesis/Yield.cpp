#include "rf/synthesis/Yield.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/PortableMath.h"
#include "rf/circuit/Match.h"
#include "rf/circuit/Units.h"
#include "rf/synthesis/BandObjective.h"

namespace vorda::rf {

namespace {

// splitmix64: the same numbers from the same seed on every platform.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  // Evenly in [-1, 1).
  double Symmetric() { return static_cast<double>(Next() >> 11) * 0x1p-52 - 1.0; }

 private:
  std::uint64_t state_;
};

std::vector<BandPoint> PointsAt(const LoadModel& load, const Source& source,
                                const std::vector<double>& frequencies) {
  std::vector<BandPoint> points;
  points.reserve(frequencies.size());
  std::transform(frequencies.begin(), frequencies.end(), std::back_inserter(points),
                 [&](double hz) {
                   return BandPoint{hz, kTwoPi * hz, load.At(hz), source.At(hz).z};
                 });
  return points;
}

std::vector<double> Nominal(const Network& built) {
  std::vector<double> v;
  for (const Element& e : built.elements) {
    if (e.line) {
      v.push_back(e.line->degrees);  // a line's length varies as its degrees
    } else if (e.part.IsReal()) {
      v.push_back(e.part.value);
    }
  }
  return v;
}

// The value drawn for each part of each build, part by part within a
// build: nominal (1 + t r), r evenly in [-1, 1).
std::vector<double> Draw(const std::vector<double>& nominal, const std::vector<double>& tolerance,
                         int builds, std::uint64_t seed) {
  Random random(seed);
  std::vector<double> v(nominal.size() * static_cast<std::size_t>(builds));
  for (std::size_t b = 0, k = 0; b < static_cast<std::size_t>(builds); ++b) {
    for (std::size_t i = 0; i < nominal.size(); ++i, ++k) {
      v[k] = nominal[i] * (1.0 + tolerance[i] * random.Symmetric());
    }
  }
  return v;
}

std::optional<double> ReturnLoss(double gamma) {
  if (gamma <= kPerfectGamma) return std::nullopt;
  return 0.0 - 20.0 * portable::Log10(gamma);
}

// The return loss of the builds at a share of them, counted from the best
// (0.05: the worst of the best 5 %); from |gamma| sorted ascending.
std::optional<double> Percentile(const std::vector<double>& sorted, double share) {
  const auto at = static_cast<std::size_t>(std::ceil(share * static_cast<double>(sorted.size())));
  return ReturnLoss(sorted[std::clamp<std::size_t>(at, 1, sorted.size()) - 1]);
}

// "5%" or "0.05": a share from 0 to below 1.
std::optional<double> Share(std::string_view text) {
  const bool percent = !text.empty() && text.back() == '%';
  if (percent) text.remove_suffix(1);
  const ReadNumber v = ReadEngineering(text);
  if (!v.value || text.empty()) return std::nullopt;
  const double share = percent ? *v.value / 100.0 : *v.value;
  if (!(share >= 0.0 && share < 1.0)) return std::nullopt;
  return share;
}

}  // namespace

ReadToleranceResult ReadTolerance(std::string_view text) {
  const std::string why = "\u201c" + std::string(text) +
                          "\u201d is not a tolerance (write 5%, L=2%,C=5%,T=1% or library)";
  if (text == "library") return {Tolerance{0.0, 0.0, true}, {}};
  Tolerance t;
  if (text.find('=') == std::string_view::npos) {
    const auto share = Share(text);
    if (!share) return {std::nullopt, why};
    return {Tolerance{*share, *share, false}, {}};
  }
  while (!text.empty()) {
    const std::size_t comma = std::min(text.find(','), text.size());
    const std::string_view item = text.substr(0, comma);
    text.remove_prefix(std::min(comma + 1, text.size()));
    if (item.size() < 3 || item[1] != '=') return {std::nullopt, why};
    const auto share = Share(item.substr(2));
    if (!share) return {std::nullopt, why};
    if (item[0] == 'L' || item[0] == 'l') {
      t.inductor = *share;
    } else if (item[0] == 'C' || item[0] == 'c') {
      t.capacitor = *share;
    } else if (item[0] == 'T' || item[0] == 't') {
      t.line = *share;
    } else {
      return {std::nullopt, why};
    }
  }
  return {t, {}};
}

std::string ToleranceText(const Tolerance& t) {
  if (t.from_library) return "library";
  // The shortest percentage that reads back as the same share.
  const auto percent = [](double share) {
    for (int digits = 1; digits < 17; ++digits) {
      std::string text = DigitsText(100.0 * share, digits) + "%";
      if (Share(text) == share) return text;
    }
    return DigitsText(100.0 * share, 17) + "%";
  };
  if (t.inductor == t.capacitor && t.line == 0.0) return percent(t.inductor);
  std::string s = "L=" + percent(t.inductor) + ",C=" + percent(t.capacitor);
  return t.line > 0.0 ? s + ",T=" + percent(t.line) : s;
}

std::vector<double> PartTolerances(const Network& built, const YieldRequest& r) {
  std::vector<double> t;
  std::size_t index = 0;
  for (const Element& e : built.elements) {
    const std::size_t i = index++;
    if (e.line) {
      t.push_back(r.tolerance.line);
      continue;
    }
    if (!e.part.IsReal()) continue;
    if (r.tolerance.from_library) {
      t.push_back(i < r.part_tolerances.size() ? r.part_tolerances[i] : 0.0);
    } else {
      t.push_back(e.part.kind == Part::Kind::kInductor ? r.tolerance.inductor
                                                       : r.tolerance.capacitor);
    }
  }
  return t;
}

namespace {

// The figures of the builds: each build's worst reflection over
// `reflection`, and whether it meets the goal there (|gamma| at most the
// goal VSWR's) or, with `goals`, at every point of them.
YieldFigures YieldCore(const Network& built, const BandObjective& reflection,
                       const BandObjective* goals, const YieldRequest& r) {
  const std::vector<double> nominal = Nominal(built), tolerance = PartTolerances(built, r);
  const std::size_t n = nominal.size();
  const double goal = (r.goal_vswr - 1.0) / (r.goal_vswr + 1.0);
  const auto meets = [&](const double* build, double gamma) {
    return goals != nullptr ? !(goals->WorstOf(build) > 1.0) : gamma <= goal;
  };
  const auto gamma_of = [&](const double* build) { return std::sqrt(reflection.WorstOf(build)); };
  const std::vector<double> drawn = Draw(nominal, tolerance, r.builds, r.seed);
  YieldFigures y;
  y.worst_gamma.resize(static_cast<std::size_t>(r.builds));
  std::size_t met = 0;
  std::vector<std::size_t> rescued(n, 0);  // missing builds that meet it with part i exact
  std::vector<double> v(n);
  for (std::size_t b = 0; b < y.worst_gamma.size(); ++b) {
    const double* build = &drawn[b * n];
    const double gamma = gamma_of(build);
    y.worst_gamma[b] = gamma;
    if (meets(build, gamma)) {
      ++met;
      continue;
    }
    // A build that misses: would it meet the goal with part i exact?
    for (std::size_t i = 0; i < n; ++i) {
      if (tolerance[i] == 0.0) continue;
      std::copy(build, build + n, v.begin());
      v[i] = nominal[i];
      rescued[i] += meets(v.data(), goals != nullptr ? 0.0 : gamma_of(v.data())) ? 1 : 0;
    }
  }
  const auto builds = static_cast<double>(r.builds);
  y.yield = static_cast<double>(met) / builds;
  // Agresti and Coull's estimate: two more builds that meet and two that
  // miss, so that a yield of 0 or 100 % has its noise too.
  const double adjusted = (static_cast<double>(met) + 2.0) / (builds + 4.0);
  y.noise = std::sqrt(adjusted * (1.0 - adjusted) / (builds + 4.0));
  for (std::size_t i = 0; i < n; ++i) {
    const double gain = static_cast<double>(rescued[i]) / builds;
    if (gain > y.sensitive_gain) {
      y.sensitive_gain = gain;
      y.most_sensitive = static_cast<int>(i) + 1;
    }
  }
  // The part's place in the network, shorts and opens counted.
  for (std::size_t k = 0, real = 0; k < built.elements.size() && y.most_sensitive > 0; ++k) {
    const Element& e = built.elements[k];
    if ((e.IsPart() || e.IsLine()) && ++real == static_cast<std::size_t>(y.most_sensitive)) {
      y.most_sensitive = static_cast<int>(k) + 1;
      break;
    }
  }
  std::vector<double> sorted = y.worst_gamma;
  std::sort(sorted.begin(), sorted.end());
  y.low_db = Percentile(sorted, 0.95);
  y.median_db = Percentile(sorted, 0.5);
  y.high_db = Percentile(sorted, 0.05);
  // Every part at one end of its range.
  std::size_t corners_met = 0;
  double worst_corner = 0.0;
  const std::size_t corners = std::size_t{1} << n;
  for (std::size_t c = 0; c < corners; ++c) {
    for (std::size_t i = 0; i < n; ++i)
      v[i] = nominal[i] * (1.0 + ((c >> i) & 1 ? 1 : -1) * tolerance[i]);
    const double gamma = gamma_of(v.data());
    worst_corner = std::max(worst_corner, gamma);
    corners_met += meets(v.data(), gamma) ? 1 : 0;
  }
  y.corners_yield = static_cast<double>(corners_met) / static_cast<double>(corners);
  y.worst_corner_db = ReturnLoss(worst_corner);
  return y;
}

}  // namespace

YieldFigures YieldOf(const Network& built, const LoadModel& load, const Source& source,
                     const std::vector<double>& frequencies, const YieldRequest& r) {
  return YieldCore(built, BandObjective(built, PointsAt(load, source, frequencies)), nullptr, r);
}

YieldFigures YieldOf(const Network& built, const std::vector<BandPoint>& goals,
                     const YieldRequest& r) {
  std::vector<BandPoint> pass;
  for (const BandPoint& p : goals) {
    if (p.figure != PointFigure::kReject) pass.push_back({p.hertz, p.omega, p.load, p.source});
  }
  const BandObjective objective(built, goals);
  return YieldCore(built, BandObjective(built, pass), &objective, r);
}

YieldRequest WithPartTolerances(YieldRequest y, const Network& built, const PartLibrary* library) {
  y.part_tolerances.clear();
  if (!y.tolerance.from_library || library == nullptr) return y;
  for (const Element& e : built.elements) {
    const LibraryPart* p =
        e.part.model.measured ? library->Find(e.part.kind, e.part.value) : nullptr;
    y.part_tolerances.push_back(p != nullptr ? p->tolerance : 0.0);
  }
  return y;
}

BuildScore ScoreBuilds(const Network& built, const std::vector<BandPoint>& goals,
                       const YieldRequest& r) {
  const BandObjective objective(built, goals);
  const std::vector<double> nominal = Nominal(built);
  const std::size_t n = nominal.size();
  const std::vector<double> drawn = Draw(nominal, PartTolerances(built, r), r.builds, r.seed);
  BuildScore s;
  double near = 0.0;
  for (std::size_t b = 0; b < static_cast<std::size_t>(r.builds); ++b) {
    const double worst = objective.WorstOf(&drawn[b * n]);
    if (!(worst > 1.0)) {
      ++s.met;
      continue;
    }
    // A miss by m dB counts 1 / (1 + m): nearer ones more.
    const double miss = std::isfinite(worst) ? 10.0 * portable::Log10(worst) : HUGE_VAL;
    near += 1.0 / (1.0 + miss);
  }
  s.score = static_cast<double>(s.met) + near / static_cast<double>(r.builds + 1);
  return s;
}

Envelope EnvelopeOf(const Network& built, const LoadModel& load, const Source& source,
                    const std::vector<double>& frequencies, const YieldRequest& r) {
  const BandObjective objective(built, PointsAt(load, source, frequencies));
  const std::vector<double> nominal = Nominal(built);
  const std::vector<double> drawn = Draw(nominal, PartTolerances(built, r), r.builds, r.seed);
  const std::size_t n = nominal.size(), points = frequencies.size();
  const auto builds = static_cast<std::size_t>(r.builds);
  std::vector<double> gamma(points * builds), g2;
  for (std::size_t b = 0; b < builds; ++b) {
    objective.GammasOf(&drawn[b * n], g2);
    for (std::size_t p = 0; p < points; ++p) gamma[p * builds + b] = std::sqrt(g2[p]);
  }
  Envelope e;
  std::vector<double> at(builds);
  for (std::size_t p = 0; p < points; ++p) {
    std::copy(gamma.begin() + static_cast<long>(p * builds),
              gamma.begin() + static_cast<long>((p + 1) * builds), at.begin());
    std::sort(at.begin(), at.end());
    e.low_db.push_back(Percentile(at, 0.95));
    e.high_db.push_back(Percentile(at, 0.05));
  }
  return e;
}

}  // namespace vorda::rf
