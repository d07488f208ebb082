#include "rf/circuit/Parts.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

struct PackageFigures {
  // cppcheck-suppress unusedStructMember ; ParsePackage returns it
  Package package;
  const char* name;
  double series_l;    // of a capacitor, henries
  double parallel_c;  // of an inductor, farads
};
// Typical figures of multilayer ceramic capacitors and chip inductors of
// each size, mounting not included (see the README).
constexpr PackageFigures kPackages[] = {
    {Package::k0201, "0201", 0.3e-9, 0.05e-12}, {Package::k0402, "0402", 0.5e-9, 0.08e-12},
    {Package::k0603, "0603", 0.8e-9, 0.12e-12}, {Package::k0805, "0805", 1.0e-9, 0.16e-12},
    {Package::k1206, "1206", 1.2e-9, 0.22e-12},
};
static_assert(std::size(kPackages) == kPackageCount);

std::complex<double> Interpolate(const PartData& d, double hertz) {
  const auto hi = std::lower_bound(d.hertz.begin(), d.hertz.end(), hertz);
  const auto i = static_cast<std::size_t>(hi - d.hertz.begin());
  if (i < d.hertz.size() && d.hertz[i] == hertz) return d.z[i];
  if (i == 0 || i == d.hertz.size()) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan};
  }
  const double t = (hertz - d.hertz[i - 1]) / (d.hertz[i] - d.hertz[i - 1]);
  return d.z[i - 1] + t * (d.z[i] - d.z[i - 1]);
}

}  // namespace

std::complex<double> PartData::At(double at) const {
  return Interpolate(*this, at);
}

PartKernel KernelOf(const Part& part) {
  const Parasitics& m = part.model;
  return {part.kind == Part::Kind::kInductor, std::isinf(part.q) ? 0.0 : 1.0 / part.q,
          m.q_hertz > 0.0 ? kTwoPi * m.q_hertz : 0.0, m.series_l, m.parallel_c};
}

std::complex<double> KernelImpedance(const PartKernel& k, double value, double omega) {
  // a b and a / b (as a b* / |b|^2) without the library's care for
  // infinities: the impedance is finite, or no number either way.
  const auto multiply = [](std::complex<double> a, std::complex<double> b) {
    return std::complex<double>(a.real() * b.real() - a.imag() * b.imag(),
                                a.real() * b.imag() + a.imag() * b.real());
  };
  const auto divide = [](std::complex<double> a, std::complex<double> b) {
    const double d = b.real() * b.real() + b.imag() * b.imag();
    return std::complex<double>((a.real() * b.real() + a.imag() * b.imag()) / d,
                                (a.imag() * b.real() - a.real() * b.imag()) / d);
  };
  const double x = k.inductor ? omega * value : -1.0 / (omega * value);
  double r = std::fabs(x) * k.inverse_q;
  if (k.q_omega > 0.0 && k.inverse_q > 0.0) {
    // The Q holds at one frequency: an inductor's resistance grows with the
    // square root of the frequency, a capacitor's stays.
    r = (k.inductor ? k.q_omega * value : 1.0 / (k.q_omega * value)) * k.inverse_q;
    if (k.inductor) r *= std::sqrt(omega / k.q_omega);
  }
  std::complex<double> z(r, x);
  if (!k.inductor && k.series_l > 0.0) z += std::complex<double>(0, omega * k.series_l);
  if (k.inductor && k.parallel_c > 0.0) {
    z = divide(z, 1.0 + multiply({0, omega * k.parallel_c}, z));
  }
  return z;
}

std::complex<double> Part::ImpedanceAt(double hertz) const {
  if (model.measured) {
    const PartData& d = *model.measured;
    const double scale = kind == Kind::kInductor ? value / d.nominal : d.nominal / value;
    return d.At(hertz) * scale;
  }
  if (kind == Kind::kShort) return {0.0, 0.0};
  if (kind == Kind::kOpen) return {0.0, std::numeric_limits<double>::infinity()};
  return KernelImpedance(KernelOf(*this), value, kTwoPi * hertz);
}

std::optional<double> Part::SelfResonance() const {
  if (model.measured) {
    const PartData& d = *model.measured;
    for (std::size_t i = 1; i < d.hertz.size(); ++i) {
      const double a = d.z[i - 1].imag(), b = d.z[i].imag();
      if ((a < 0) != (b < 0)) return d.hertz[i - 1] + (d.hertz[i] - d.hertz[i - 1]) * a / (a - b);
    }
    return std::nullopt;
  }
  const double lc = kind == Kind::kCapacitor  ? value * model.series_l
                    : kind == Kind::kInductor ? value * model.parallel_c
                                              : 0.0;
  if (!(lc > 0.0)) return std::nullopt;
  return 1.0 / (kTwoPi * std::sqrt(lc));
}

bool Part::Reversed(double hertz) const {
  if (!IsReal()) return false;
  const double x = ImpedanceAt(hertz).imag();
  return kind == Kind::kCapacitor ? x > 0.0 : x < 0.0;
}

const char* PackageName(Package package) {
  return kPackages[static_cast<std::size_t>(package)].name;
}

std::optional<Package> ParsePackage(std::string_view name) {
  const auto* p = std::find_if(std::begin(kPackages), std::end(kPackages),
                               [&](const PackageFigures& f) { return name == f.name; });
  if (p == std::end(kPackages)) return std::nullopt;
  return p->package;
}

double PackageSeriesL(Package package) {
  return kPackages[static_cast<std::size_t>(package)].series_l;
}

double PackageParallelC(Package package) {
  return kPackages[static_cast<std::size_t>(package)].parallel_c;
}

Parasitics PartModel::For(const Part& part) const {
  Parasitics p = part.model;
  if (p.measured) return p;
  p.q_hertz = q_hertz;
  p.series_l = 0.0;
  p.parallel_c = 0.0;
  const auto resonating = [&](double srf) {
    return 1.0 / (kTwoPi * kTwoPi * srf * srf * part.value);
  };
  if (part.kind == Part::Kind::kCapacitor) {
    p.series_l = srf_capacitor > 0.0 ? resonating(srf_capacitor)
                 : package           ? PackageSeriesL(*package)
                                     : 0.0;
  }
  if (part.kind == Part::Kind::kInductor) {
    p.parallel_c = srf_inductor > 0.0 ? resonating(srf_inductor)
                   : package          ? PackageParallelC(*package)
                                      : 0.0;
  }
  return p;
}

Part PartFor(double reactance_ohms, double hertz, double q_inductor, double q_capacitor) {
  const double omega = kTwoPi * hertz;
  if (reactance_ohms > 0.0) return {Part::Kind::kInductor, reactance_ohms / omega, q_inductor};
  if (reactance_ohms < 0.0) {
    return {Part::Kind::kCapacitor, -1.0 / (omega * reactance_ohms), q_capacitor};
  }
  return {};
}

Part MatchingPart(double reactance_ohms, double reference_ohms, double hertz) {
  const double normalized = std::fabs(reactance_ohms / reference_ohms);
  if (!(normalized > kShortReactance)) return {Part::Kind::kShort, 0.0, kIdealQ};
  if (normalized >= kOpenReactance) return {Part::Kind::kOpen, 0.0, kIdealQ};
  return PartFor(reactance_ohms, hertz);
}

Part WithValue(const Part& part, double value) {
  Part p = part;
  p.value = value;
  return p;
}

std::string Describe(const Part& part) {
  switch (part.kind) {
    case Part::Kind::kInductor:
      return FormatEngineering(part.value, "H");
    case Part::Kind::kCapacitor:
      return FormatEngineering(part.value, "F");
    case Part::Kind::kOpen:
      return "open (leave out)";
    case Part::Kind::kShort:
      break;
  }
  return "short";
}

const char* ValueKey(const Part& part) {
  switch (part.kind) {
    case Part::Kind::kInductor:
      return "henries";
    case Part::Kind::kCapacitor:
      return "farads";
    case Part::Kind::kShort:
    case Part::Kind::kOpen:
      break;
  }
  return nullptr;
}

const char* KindName(const Part& part) {
  switch (part.kind) {
    case Part::Kind::kInductor:
      return "inductor";
    case Part::Kind::kCapacitor:
      return "capacitor";
    case Part::Kind::kOpen:
      return "open";
    case Part::Kind::kShort:
      break;
  }
  return "short";
}

}  // namespace vorda::rf
