#include "rf/synthesis/GlobalSearch.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <numeric>

namespace vorda::rf {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kPrimes[] = {2, 3, 5, 7, 11, 13, 17, 19};
// How many of the best starts are refined.

// The i-th point of the Halton sequence in a base: evenly spread in [0, 1).
double Halton(int i, int base) {
  double f = 1.0, r = 0.0;
  for (; i > 0; i /= base) {
    f /= base;
    r += f * (i % base);
  }
  return r;
}

// The objective, infinite more than a decade outside the box.
Objective Bounded(std::function<double(const double*)> f, const SearchBox& box, long& count) {
  return [f = std::move(f), &box, &count](const double* u) {
    ++count;
    for (std::size_t i = 0; i < box.lo.size(); ++i) {
      if (!(u[i] >= box.lo[i] - 1.0 && u[i] <= box.hi[i] + 1.0)) return kInf;
      if (i < box.least.size() && !(u[i] >= box.least[i] && u[i] <= box.most[i])) return kInf;
    }
    return f(u);
  };
}

// Whether two points lie within 0.15 decades of each other in every value.
bool Near(const std::vector<double>& a, const std::vector<double>& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::fabs(a[i] - b[i]) > 0.15) return false;
  }
  return true;
}

}  // namespace

std::vector<double> Simplex(const Objective& f, std::vector<double> u, double step, int most,
                            const std::atomic<bool>* cancel, long& evaluations) {
  const std::size_t n = u.size();
  if (n == 0) return u;
  std::vector<std::vector<double>> s(n + 1, u);
  for (std::size_t i = 0; i < n; ++i) s[i + 1][i] += step;
  std::vector<double> fs(n + 1);
  for (std::size_t i = 0; i <= n; ++i) fs[i] = f(s[i].data());
  int used = static_cast<int>(n + 1);
  std::vector<std::size_t> order(n + 1);
  std::vector<double> centroid(n), x(n);
  const auto toward = [&](std::size_t worst, double t) {  // centroid + t (centroid - worst)
    for (std::size_t k = 0; k < n; ++k) x[k] = centroid[k] + t * (centroid[k] - s[worst][k]);
    ++used;
    return f(x.data());
  };
  while (used < most && !(cancel != nullptr && cancel->load(std::memory_order_relaxed))) {
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return fs[a] < fs[b]; });
    const std::size_t best = order[0], worst = order[n], second = order[n - 1];
    double size = 0.0;
    for (std::size_t i = 0; i <= n; ++i) {
      for (std::size_t k = 0; k < n; ++k) size = std::max(size, std::fabs(s[i][k] - s[best][k]));
    }
    if (size < 1e-8) break;
    std::fill(centroid.begin(), centroid.end(), 0.0);
    for (std::size_t i = 0; i <= n; ++i) {
      if (i == worst) continue;
      for (std::size_t k = 0; k < n; ++k) centroid[k] += s[i][k] / static_cast<double>(n);
    }
    const double fr = toward(worst, 1.0);
    std::vector<double> reflected = x;
    if (fr < fs[best]) {
      const double fe = toward(worst, 2.0);
      if (fe < fr) {
        s[worst] = x;
        fs[worst] = fe;
      } else {
        s[worst] = std::move(reflected);
        fs[worst] = fr;
      }
      continue;
    }
    if (fr < fs[second]) {
      s[worst] = std::move(reflected);
      fs[worst] = fr;
      continue;
    }
    const bool outside = fr < fs[worst];
    const double fc = toward(worst, outside ? 0.5 : -0.5);
    if (fc < (outside ? fr : fs[worst])) {
      s[worst] = x;
      fs[worst] = fc;
      continue;
    }
    for (std::size_t i = 0; i <= n; ++i) {  // shrink towards the best
      if (i == best) continue;
      for (std::size_t k = 0; k < n; ++k) s[i][k] = s[best][k] + 0.5 * (s[i][k] - s[best][k]);
      fs[i] = f(s[i].data());
      ++used;
    }
  }
  evaluations += used;
  const auto best = std::min_element(fs.begin(), fs.end()) - fs.begin();
  return s[static_cast<std::size_t>(best)];
}

SearchResult Refine(const BandObjective& full, const SearchBox& box, std::vector<double> u,
                    double step, const std::atomic<bool>* cancel) {
  SearchResult r;
  long count = 0;
  const Objective worst = Bounded([&](const double* v) { return full.Worst(v); }, box, count);
  const int n = static_cast<int>(u.size());
  for (const double s : {step, step / 5}) u = Simplex(worst, u, s, 80 * n, cancel, r.evaluations);
  r.worst = full.Worst(u.data());
  r.u = std::move(u);
  return r;
}

SearchResult GlobalSearch(const BandObjective& coarse, const BandObjective& full,
                          const SearchBox& box, const std::vector<std::vector<double>>& starts,
                          const std::vector<std::vector<double>>& always,
                          const std::atomic<bool>* cancel, const SearchEffort& effort) {
  const std::size_t n = box.lo.size();
  long count = 0, evaluations = 0;
  const Objective worst = Bounded([&](const double* u) { return coarse.Worst(u); }, box, count);
  // The analytic starts and points spread through the box, best first.
  const int spread = 8 + effort.spread_per_value * static_cast<int>(n);
  std::vector<std::pair<double, std::vector<double>>> tried;
  tried.reserve(starts.size() + static_cast<std::size_t>(spread));
  std::transform(starts.begin(), starts.end(), std::back_inserter(tried),
                 [&](const std::vector<double>& s) { return std::pair(worst(s.data()), s); });
  for (int i = 1; i <= spread; ++i) {
    std::vector<double> u(n);
    for (std::size_t k = 0; k < n; ++k) {
      u[k] = box.lo[k] + (box.hi[k] - box.lo[k]) * Halton(i, kPrimes[k % std::size(kPrimes)]);
    }
    tried.emplace_back(worst(u.data()), std::move(u));
  }
  std::stable_sort(tried.begin(), tried.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::vector<double>> chosen = always;
  for (const auto& entry : tried) {
    const std::vector<double>& u = entry.second;
    if (chosen.size() >= effort.refined + always.size()) break;
    if (std::none_of(chosen.begin(), chosen.end(),
                     [&](const std::vector<double>& c) { return Near(c, u); })) {
      chosen.push_back(u);
    }
  }
  // Each refined on the smooth stand-ins, then on the worst itself.
  const int most = effort.per_value * static_cast<int>(n);
  SearchResult best;
  best.worst = kInf;
  for (std::vector<double> u : chosen) {
    for (const int power : {4, 16}) {
      const Objective smooth =
          Bounded([&](const double* v) { return coarse.Smooth(v, power); }, box, count);
      u = Simplex(smooth, u, power == 4 ? 0.25 : 0.05, most, cancel, evaluations);
    }
    for (const double step : {0.02, 0.004}) u = Simplex(worst, u, step, most, cancel, evaluations);
    const double value = full.Worst(u.data());
    if (value < best.worst) {
      best.worst = value;
      best.u = u;
    }
  }
  if (best.u.empty()) best.u = tried.empty() ? box.lo : tried.front().second;
  // The whole band decides.
  if (effort.polish && full.Points().size() > coarse.Points().size()) {
    SearchResult r = Refine(full, box, best.u, 0.002, cancel);
    if (r.worst <= best.worst) {
      best.u = std::move(r.u);
      best.worst = r.worst;
    }
    evaluations += r.evaluations;
  }
  best.evaluations = evaluations + static_cast<long>(tried.size());
  return best;
}

}  // namespace vorda::rf
