#include "rf/circuit/Line.h"

#include <cmath>
#include <limits>
#include <vector>

#include "engine/PortableMath.h"
#include "rf/circuit/Microstrip.h"
#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

constexpr double kNepersPerDb = 0.11512925464970229;  // ln(10) / 20
constexpr double kLog10E = 0.43429448190325182;
// Where a length in its own units is given at: delays and physical lengths
// are kept as degrees at 1 GHz.
constexpr double kDelayHertz = 1e9;

bool EndsWith(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

std::string Quoted(std::string_view s) {
  return "\u201c" + std::string(s) + "\u201d";
}

// "0.2dB@2.4G".
std::optional<Attenuation> ReadAttenuation(std::string_view text) {
  const std::size_t at = text.find('@');
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view db = text.substr(0, at);
  if (!EndsWith(db, "dB")) return std::nullopt;
  db.remove_suffix(2);
  const auto value = ParseEngineering(db);
  const auto hertz = ParseFrequency(text.substr(at + 1));
  if (!value || !hertz || *value < 0.0 || !(*hertz > 0.0)) return std::nullopt;
  return Attenuation{*value, *hertz};
}

std::string Compact(double hertz) {
  std::string f = ExactFrequencyText(hertz);
  f.erase(f.size() - 2);
  std::erase(f, ' ');
  return f;
}

std::string AttenuationText(const Attenuation& a) {
  return ShortestText(a.db) + "dB@" + Compact(a.hertz);
}

// exp(x), from the portable power of ten: the same bits everywhere.
double Exp(double x) {
  return portable::Pow10(x * kLog10E);
}

}  // namespace

double Line::NepersAt(double hertz) const {
  double np = 0.0;
  if (conductor.db > 0.0) np += conductor.db * std::sqrt(hertz / conductor.hertz);
  if (dielectric.db > 0.0) np += dielectric.db * (hertz / dielectric.hertz);
  np *= kNepersPerDb;
  return degrees < 0.0 ? -np : np;  // a line taken back takes its loss back
}

Line LineOfDelay(double impedance, double seconds) {
  Line l;
  l.impedance = impedance;
  l.degrees = 360.0 * kDelayHertz * seconds;
  l.at_hertz = kDelayHertz;
  l.form = LengthForm::kDelay;
  l.given = seconds;
  return l;
}

Line LineOfDegrees(double impedance, double degrees, double hertz) {
  Line l;
  l.impedance = impedance;
  l.degrees = degrees;
  l.at_hertz = hertz;
  return l;
}

Line LineOfLength(double impedance, double metres, double velocity_factor) {
  Line l = LineOfDelay(impedance, metres / (velocity_factor * kSpeedOfLight));
  l.form = LengthForm::kPhysical;
  l.given = metres;
  l.velocity_factor = velocity_factor;
  return l;
}

Line WithDegrees(Line line, double degrees) {
  const double scale = degrees / line.degrees;
  line.degrees = degrees;
  if (line.form != LengthForm::kElectrical) line.given *= scale;
  return line;
}

namespace {

// sin and cos of an angle in degrees, in plain arithmetic: the angle
// brought exactly to within 45 degrees of a multiple of 90, then series to
// a few units in the last place. Exact 0 and 1 at the multiples of 90.
void SinCosDegrees(double degrees, double& s, double& c) {
  double r = degrees >= 0.0 && degrees < 360.0 ? degrees : std::fmod(degrees, 360.0);  // exact
  const double q = std::nearbyint(r / 90.0);
  r -= 90.0 * q;  // exact: within a factor of two of each other
  const double x = r * (3.141592653589793 / 180.0), x2 = x * x;
  // Taylor series to x^17 and x^16: their next terms are below 1e-19 for
  // |x| <= pi / 4.
  constexpr double kSin[] = {
      -1.0 / 6.0,        1.0 / 120.0,        -1.0 / 5040.0,          1.0 / 362880.0,
      -1.0 / 39916800.0, 1.0 / 6227020800.0, -1.0 / 1307674368000.0, 1.0 / 355687428096000.0};
  constexpr double kCos[] = {
      -1.0 / 2.0,       1.0 / 24.0,        -1.0 / 720.0,         1.0 / 40320.0,
      -1.0 / 3628800.0, 1.0 / 479001600.0, -1.0 / 87178291200.0, 1.0 / 20922789888000.0};
  double sp = kSin[7], cp = kCos[7];
  for (int i = 6; i >= 0; --i) {
    sp = kSin[i] + x2 * sp;
    cp = kCos[i] + x2 * cp;
  }
  const double sx = x + x * (x2 * sp), cx = 1.0 + x2 * cp;
  switch ((static_cast<long long>(q) % 4 + 4) % 4) {
    case 0:
      s = sx, c = cx;
      break;
    case 1:
      s = cx, c = -sx;
      break;
    case 2:
      s = -sx, c = -cx;
      break;
    default:
      s = -cx, c = sx;
      break;
  }
  c += 0.0;  // no -0: -0 + 0 is +0
  s += 0.0;
}

}  // namespace

std::pair<double, double> CoshSinh(double nepers) {
  if (nepers == 0.0) return {1.0, 0.0};
  const double e = Exp(nepers), inverse = 1.0 / e;
  return {0.5 * (e + inverse), 0.5 * (e - inverse)};
}

Propagation PropagationOf(double degrees, double cosh_alpha, double sinh_alpha) {
  const double ch = cosh_alpha, sh = sinh_alpha;
  double s = 0.0, c = 1.0;
  SinCosDegrees(degrees, s, c);
  if (sh == 0.0) return {{c, 0.0}, {0.0, s}};
  return {{ch * c, sh * s}, {sh * c, ch * s}};
}

Propagation PropagationAt(const Line& line, double hertz) {
  const auto [ch, sh] = CoshSinh(line.NepersAt(hertz));
  return PropagationOf(line.DegreesAt(hertz), ch, sh);
}

std::complex<double> StubImpedance(const Line& stub, double hertz) {
  const Propagation p = PropagationAt(stub, hertz);
  const bool open = stub.end == Line::End::kOpen;
  const std::complex<double> num = open ? p.cosh : p.sinh, den = open ? p.sinh : p.cosh;
  if (den == std::complex<double>(0.0, 0.0)) {
    const double inf = std::numeric_limits<double>::infinity();
    return {inf, inf};
  }
  return stub.impedance * num / den;
}

std::string LengthText(const Line& l) {
  switch (l.form) {
    case LengthForm::kPhysical: {
      std::string s = FormatEngineering(l.given, "m", 17);
      for (int digits = 1; digits < 17; ++digits) {
        const std::string t = FormatEngineering(l.given, "m", digits);
        if (ParseEngineering(t, " m") == l.given || ParseEngineering(t, "m") == l.given) {
          s = t;
          break;
        }
      }
      std::erase(s, ' ');
      return l.velocity_factor == 1.0 ? s : s + " vf=" + ShortestText(l.velocity_factor);
    }
    case LengthForm::kDelay: {
      std::string s = FormatEngineering(l.given, "s", 17);
      for (int digits = 1; digits < 17; ++digits) {
        std::string t = FormatEngineering(l.given, "s", digits);
        std::erase(t, ' ');
        if (ParseEngineering(t, "s") == l.given) {
          s = t;
          break;
        }
      }
      std::erase(s, ' ');
      return s;
    }
    case LengthForm::kElectrical:
      break;
  }
  const std::string degrees = ShortestText(l.degrees) + "deg";
  return l.at_hertz > 0.0 ? degrees + "@" + Compact(l.at_hertz) : degrees;
}

std::string LineText(const Line& l) {
  std::string s;
  if (l.strip_width > 0.0) {
    s = "w=" + LengthText(LineOfLength(0, l.strip_width, 1.0)) +
        " l=" + LengthText(LineOfLength(0, l.strip_length, 1.0));
  } else {
    if (l.impedance > 0.0) s = ShortestText(l.impedance) + "ohm ";
    s += LengthText(l);
  }
  if (l.conductor.db > 0.0) s += " loss=" + AttenuationText(l.conductor);
  if (l.dielectric.db > 0.0) s += " dloss=" + AttenuationText(l.dielectric);
  return s;
}

namespace {

// The length of a line from its word ("90deg@2.4G", "12.5mm", "40ps"), with
// a velocity factor for a physical length; nothing when it is none.
std::optional<Line> LengthOf(std::string_view t, double vf, bool negative_allowed,
                             std::string& why) {
  const bool negative = !t.empty() && t.front() == '-';
  if (negative && !negative_allowed) {
    why = "a length is not negative here";
    return std::nullopt;
  }
  const std::string_view v = negative ? t.substr(1) : t;
  const double sign = negative ? -1.0 : 1.0;
  const std::size_t at = v.find('@');
  const std::string_view number = v.substr(0, at);
  if (EndsWith(number, "deg")) {
    const auto degrees = ParseEngineering(number.substr(0, number.size() - 3));
    std::optional<double> hertz = 0.0;
    if (at != std::string_view::npos) hertz = ParseFrequency(v.substr(at + 1));
    if (degrees && *degrees > 0.0 && hertz) return LineOfDegrees(0.0, sign * *degrees, *hertz);
    why = Quoted(t) + " is not an electrical length (write 90deg@2.4G)";
  } else if (EndsWith(v, "mil")) {
    const auto mils = ParseEngineering(v.substr(0, v.size() - 3));
    if (mils && *mils > 0.0) return LineOfLength(0.0, sign * *mils * 25.4e-6, vf);
    why = Quoted(t) + " is not a length (write 12.5mm vf=0.66)";
  } else if (EndsWith(v, "m")) {
    const auto metres = ParseEngineering(v, "m");
    if (metres && *metres > 0.0) return LineOfLength(0.0, sign * *metres, vf);
    why = Quoted(t) + " is not a length (write 12.5mm vf=0.66)";
  } else if (EndsWith(v, "s")) {
    const auto seconds = ParseEngineering(v, "s");
    if (seconds && *seconds > 0.0) return LineOfDelay(0.0, sign * *seconds);
    why = Quoted(t) + " is not a delay (write 40ps)";
  } else {
    why = Quoted(t) + " is not a length (write 90deg@2.4G, 12.5mm vf=0.66 or 40ps)";
  }
  return std::nullopt;
}

}  // namespace

ReadLineResult ReadLine(std::string_view words, bool negative_allowed) {
  const std::string all = Quoted(words);
  const auto bad = [&](const std::string& why) {
    return ReadLineResult{std::nullopt, all + ": " + why};
  };
  double impedance = 0.0, vf = 1.0, strip_width = 0.0, strip_length = 0.0;
  bool vf_given = false;
  Attenuation conductor, dielectric;
  std::optional<std::string_view> length;
  for (std::size_t at = 0; at < words.size();) {
    const std::size_t end = std::min(words.find(' ', at), words.size());
    const std::string_view t = words.substr(at, end - at);
    at = end + 1;
    if (t.empty()) continue;
    if (EndsWith(t, "ohms") || EndsWith(t, "ohm") || EndsWith(t, "\u03a9")) {
      const auto z = ParseEngineering(t.substr(0, t.find_first_of("o\xce")));
      if (!z || !(*z > 0.0)) return bad(Quoted(t) + " is not an impedance (write 50ohm)");
      impedance = *z;
    } else if (t.rfind("vf=", 0) == 0) {
      const auto v = ParseEngineering(t.substr(3));
      if (!v || !(*v > 0.0 && *v <= 1.0)) {
        return bad(Quoted(t) + " is not a velocity factor (above 0, at most 1)");
      }
      vf = *v;
      vf_given = true;
    } else if (t.rfind("w=", 0) == 0 || t.rfind("l=", 0) == 0) {
      const auto metres = ParseEngineering(t.substr(2), "m");
      if (!metres || !(*metres > 0.0) || t.back() != 'm') {
        return bad(Quoted(t) + " is not a strip's width or length (write w=3mm l=10mm)");
      }
      (t[0] == 'w' ? strip_width : strip_length) = *metres;
    } else if (t.rfind("loss=", 0) == 0 || t.rfind("dloss=", 0) == 0) {
      const bool d = t[0] == 'd';
      const auto a = ReadAttenuation(t.substr(d ? 6 : 5));
      if (!a) return bad(Quoted(t) + " is not an attenuation (write loss=0.2dB@2.4G)");
      (d ? dielectric : conductor) = *a;
    } else if (!length) {
      length = t;
    } else {
      return bad(Quoted(t) + " is not a line's word (an impedance, a length, vf=, loss=, dloss=)");
    }
  }
  if (strip_width > 0.0 || strip_length > 0.0) {
    if (!(strip_width > 0.0 && strip_length > 0.0) || length || impedance > 0.0 || vf_given) {
      return bad("a strip is its width and length alone (w=3mm l=10mm)");
    }
    Line strip;
    strip.strip_width = strip_width;
    strip.strip_length = strip_length;
    strip.form = LengthForm::kPhysical;
    strip.conductor = conductor;
    strip.dielectric = dielectric;
    return {strip, {}};
  }
  if (!length) return bad("no length (write 90deg@2.4G, 12.5mm vf=0.66 or 40ps)");
  std::string why;
  std::optional<Line> line = LengthOf(*length, vf, negative_allowed, why);
  if (!line) return bad(why);
  if (vf_given && line->form != LengthForm::kPhysical) {
    return bad("vf= goes with a physical length (12.5mm vf=0.66)");
  }
  line->impedance = impedance;
  line->conductor = conductor;
  line->dielectric = dielectric;
  return {line, {}};
}

std::optional<Line> Resolved(Line line, double z0, double hertz, const Substrate* substrate) {
  if (line.strip_width > 0.0) {
    if (substrate == nullptr) return std::nullopt;
    const auto strip = AnalyseMicrostrip(*substrate, line.strip_width, hertz);
    if (!strip) return std::nullopt;
    Line l = LineOfLength(strip->z0, line.strip_length, 1.0 / std::sqrt(strip->er_eff));
    l.strip_width = line.strip_width;
    l.strip_length = line.strip_length;
    l.conductor = line.conductor;
    l.dielectric = line.dielectric;
    l.end = line.end;
    return l;
  }
  if (line.impedance == 0.0) line.impedance = z0;
  if (line.at_hertz == 0.0) line.at_hertz = hertz;
  return line;
}

}  // namespace vorda::rf
