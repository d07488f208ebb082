#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>

#include "engine/PortableMath.h"
#include "rf/circuit/Match.h"
#include "rf/files/Touchstone.h"

namespace vorda::rf {

namespace {

constexpr std::size_t kBlock = 1 << 16;
constexpr std::size_t kMaxLine = 1 << 20;

enum class Parameter { kS, kY, kZ };
enum class Format { kRI, kMA, kDB };

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// The next blank-separated word of s, removed from it.
std::string_view Word(std::string_view& s) {
  s = Trim(s);
  std::size_t n = 0;
  while (n < s.size() && !IsSpace(s[n])) ++n;
  const std::string_view w = s.substr(0, n);
  s.remove_prefix(n);
  return w;
}

std::string Quote(std::string_view w) {
  std::string q = "\"";
  for (const char c : w.substr(0, 40)) q += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
  return q + (w.size() > 40 ? "...\"" : "\"");
}

}  // namespace

// The state of one reading: the options, the version's keywords and where
// the data stand.
class TouchstoneReader::Parser {
 public:
  explicit Parser(ByteSource source) : source_(std::move(source)) {}

  bool Next(LoadPoint& point) {
    std::string_view line;
    while (ReadLine(line)) {
      if (const auto p = Line(line)) {
        point = *p;
        return true;
      }
    }
    Finish();
    return false;
  }

  std::size_t Line() const { return line_; }

  double reference = 50.0;
  int version = 1;

 private:
  // --- Lines ---------------------------------------------------------------

  bool ReadLine(std::string_view& line) {
    for (;;) {
      const std::size_t nl = buffer_.find('\n', pos_);
      if (nl != std::string::npos) {
        line = std::string_view(buffer_).substr(pos_, nl - pos_);
        pos_ = nl + 1;
        ++line_;
        return true;
      }
      if (buffer_.size() - pos_ > kMaxLine) Fail("a line longer than 1 MiB");
      buffer_.erase(0, pos_);
      pos_ = 0;
      if (at_end_) {
        if (buffer_.empty()) return false;
        line = buffer_;  // the last line has no line feed
        pos_ = buffer_.size();
        ++line_;
        return true;
      }
      const std::size_t got = source_(chunk_.get(), kBlock);
      buffer_.append(chunk_.get(), got);
      at_end_ = got == 0;
    }
  }

  // A point, or nothing for a line that holds none.
  std::optional<LoadPoint> Line(std::string_view line) {
    // A byte-order mark, as some Windows editors write at the start.
    if (line_ == 1 && line.substr(0, 3) == "\xef\xbb\xbf") line.remove_prefix(3);
    const std::size_t bang = line.find('!');
    if (bang != std::string_view::npos) line = line.substr(0, bang);
    line = Trim(line);
    if (first_line_ && !line.empty()) {
      first_line_ = false;
      if (Lower(line.substr(0, 9)) == "[version]") version = 2;
    }
    if (line.empty() || ended_) return std::nullopt;
    if (in_information_ && line.front() != '[') return std::nullopt;
    if (line.front() == '#') {
      Options(line.substr(1));
      return std::nullopt;
    }
    if (line.front() == '[') {
      Keyword(line);
      return std::nullopt;
    }
    return Data(line);
  }

  [[noreturn]] void Fail(const std::string& what) const { throw TouchstoneError(line_, what); }

  double Number(std::string_view& s, const char* what) {
    const std::string_view w = Word(s);
    if (w.empty()) Fail(std::string("missing ") + what);
    std::string_view digits = w;
    if (digits.front() == '+') digits.remove_prefix(1);
    double v = 0.0;
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (res.ec != std::errc() || res.ptr != digits.data() + digits.size() || !std::isfinite(v)) {
      Fail(std::string(what) + " is not a number: " + Quote(w));
    }
    return v;
  }

  // --- The option line -----------------------------------------------------

  void Options(std::string_view rest) {
    if (options_seen_) {
      if (version == 2) Fail("a second option line");
      return;  // version 1 reads the first one only
    }
    if (points_ > 0) Fail("the option line comes after the data");
    options_seen_ = true;
    bool unit = false, parameter = false, format = false, ref = false;
    auto once = [&](bool& seen, const char* what) {
      if (seen) Fail(std::string("the option line gives the ") + what + " twice");
      seen = true;
    };
    for (std::string_view w = Word(rest); !w.empty(); w = Word(rest)) {
      const std::string t = Lower(w);
      if (t == "hz" || t == "khz" || t == "mhz" || t == "ghz") {
        once(unit, "frequency unit");
        scale_ = t == "hz" ? 1.0 : t == "khz" ? 1e3 : t == "mhz" ? 1e6 : 1e9;
      } else if (t == "s" || t == "y" || t == "z") {
        once(parameter, "parameter");
        parameter_ = t == "s" ? Parameter::kS : t == "y" ? Parameter::kY : Parameter::kZ;
      } else if (t == "g" || t == "h") {
        Fail("G and H parameters belong to two-port files");
      } else if (t == "ri" || t == "ma" || t == "db") {
        once(format, "format");
        format_ = t == "ri" ? Format::kRI : t == "ma" ? Format::kMA : Format::kDB;
      } else if (t == "r") {
        once(ref, "reference resistance");
        option_reference_ = Number(rest, "the reference resistance");
        if (!(option_reference_ > 0.0)) Fail("the reference resistance must be above zero");
        if (!reference_given_) reference = option_reference_;
      } else {
        Fail("the option line has an unknown word " + Quote(w));
      }
    }
  }

  // --- Version 2 keywords --------------------------------------------------

  void Keyword(std::string_view line) {
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) Fail("a keyword without its closing bracket");
    const std::string key = Lower(line.substr(1, close - 1));
    std::string_view rest = line.substr(close + 1);
    if (version == 1) Fail("a version 2 keyword in a version 1 file: " + Quote(line));
    if (in_information_) {
      if (key == "end information") in_information_ = false;
      return;
    }
    if (in_reference_) Fail("[Reference] without its value");
    if (key == "version") {
      const std::string v(Trim(rest));
      if (v != "2.0" && v != "2.1") Fail("an unknown version " + Quote(v));
    } else if (key == "number of ports") {
      const double ports = Number(rest, "the number of ports");
      if (ports != 1.0) {
        Fail("a file of " + Quote(line.substr(close + 1)) +
             " ports; only one-port files can be read");
      }
      ports_ = 1;
    } else if (key == "number of frequencies") {
      const double n = Number(rest, "the number of frequencies");
      if (!(n >= 1.0 && n <= 1e15 && n == std::floor(n))) {
        Fail("the number of frequencies must be a whole number from 1");
      }
      frequencies_ = static_cast<long long>(n);
    } else if (key == "reference") {
      in_reference_ = Trim(rest).empty();
      if (!in_reference_) ReferenceValue(rest);
    } else if (key == "network data") {
      if (ports_ == 0) Fail("[Network Data] before [Number of Ports]");
      if (!frequencies_) Fail("[Network Data] before [Number of Frequencies]");
      in_data_ = true;
    } else if (key == "end") {
      if (!in_data_) Fail("[End] before [Network Data]");
      ended_ = true;
    } else if (key == "begin information") {
      in_information_ = true;
    } else if (key == "matrix format" || key == "mixed-mode order" ||
               key == "number of noise frequencies") {
      // Nothing to do for one port.
    } else if (key == "two-port data order" || key == "noise data") {
      Fail("[" + key + "] belongs to two-port files");
    } else {
      Fail("an unknown keyword " + Quote(line.substr(0, close + 1)));
    }
  }

  void ReferenceValue(std::string_view rest) {
    reference = Number(rest, "the reference resistance");
    if (!(reference > 0.0)) Fail("the reference resistance must be above zero");
    reference_given_ = true;
    if (!Trim(rest).empty()) Fail("a one-port file has one reference resistance");
  }

  // --- Data ----------------------------------------------------------------

  // The three numbers of a data line, the common case read directly: each
  // followed by a blank or the end of the line. Nothing when the line needs
  // the careful reading of Number.
  static bool FastNumbers(std::string_view line, double (&v)[3]) {
    const char* p = line.data();
    const char* end = p + line.size();
    for (double& x : v) {
      while (p < end && (*p == ' ' || *p == '\t')) ++p;
      if (p < end && *p == '+') ++p;
      const auto res = std::from_chars(p, end, x);
      if (res.ec != std::errc() || (res.ptr < end && !IsSpace(*res.ptr)) || !std::isfinite(x)) {
        return false;
      }
      p = res.ptr;
    }
    while (p < end && IsSpace(*p)) ++p;
    return p == end;
  }

  std::optional<LoadPoint> Data(std::string_view line) {
    if (in_reference_) {
      in_reference_ = false;
      ReferenceValue(line);
      return std::nullopt;
    }
    if (version == 2 && !in_data_) Fail("data before [Network Data]");
    double v[3];
    if (!FastNumbers(line, v)) {
      v[0] = Number(line, "the frequency");
      v[1] = Number(line, "the first number of the parameter");
      v[2] = Number(line, "the second number of the parameter");
      if (!Trim(line).empty()) {
        Fail("more than three numbers on a line: not a one-port file, or a stray column");
      }
    }
    LoadPoint p;
    p.hertz = v[0] * scale_;
    if (p.hertz < 0.0 || !std::isfinite(p.hertz)) Fail("a negative or too large frequency");
    const double a = v[1], b = v[2];
    if (points_ > 0 && !(p.hertz > last_hertz_)) Fail("the frequencies do not increase");
    last_hertz_ = p.hertz;
    ++points_;
    p.z = ToImpedance(Value(a, b));
    return p;
  }

  std::complex<double> Value(double a, double b) const {
    if (format_ == Format::kRI) return {a, b};
    // The portable functions: a file reads to the same bits on every platform.
    const double magnitude = format_ == Format::kMA ? a : portable::Pow10(a / 20.0);
    return {magnitude * portable::CosDegrees(b), magnitude * portable::SinDegrees(b)};
  }

  std::complex<double> ToImpedance(std::complex<double> v) const {
    std::complex<double> z;
    switch (parameter_) {
      case Parameter::kS:
        if (v == 1.0) Fail("S11 = 1 is an open circuit: no finite load impedance");
        z = ImpedanceOf(v, reference);
        break;
      case Parameter::kZ:
        z = version == 1 ? v * reference : v;
        break;
      case Parameter::kY: {
        if (v == 0.0) Fail("Y11 = 0 is an open circuit: no finite load impedance");
        z = 1.0 / (version == 1 ? v / reference : v);
        break;
      }
    }
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) {
      Fail("the point gives no finite load impedance");
    }
    return z;
  }

  void Finish() {
    line_ = std::max<std::size_t>(line_, 1);  // an empty file is told at its line 1
    if (version == 2) {
      if (!in_data_) Fail("the file has no [Network Data]");
      if (!ended_) Fail("the file ends without [End]");
      if (frequencies_ && *frequencies_ != points_) {
        Fail("[Number of Frequencies] is " + std::to_string(*frequencies_) + " but the data hold " +
             std::to_string(points_));
      }
    }
    if (points_ == 0) Fail("the file holds no data");
  }

  ByteSource source_;
  std::unique_ptr<char[]> chunk_ = std::make_unique_for_overwrite<char[]>(kBlock);
  std::string buffer_;
  std::size_t pos_ = 0;
  bool at_end_ = false;
  std::size_t line_ = 0;
  bool first_line_ = true;

  bool options_seen_ = false;
  double scale_ = 1e9;  // GHz
  Parameter parameter_ = Parameter::kS;
  Format format_ = Format::kMA;
  double option_reference_ = 50.0;
  bool reference_given_ = false;  // by [Reference]

  int ports_ = 0;
  std::optional<long long> frequencies_;
  bool in_reference_ = false;
  bool in_information_ = false;
  bool in_data_ = false;
  bool ended_ = false;

  long long points_ = 0;
  double last_hertz_ = 0.0;
};

TouchstoneReader::TouchstoneReader(ByteSource source)
    : parser_(std::make_unique<Parser>(std::move(source))) {}
TouchstoneReader::~TouchstoneReader() = default;

bool TouchstoneReader::Next(LoadPoint& point) {
  return parser_->Next(point);
}
double TouchstoneReader::Reference() const {
  return parser_->reference;
}
std::size_t TouchstoneReader::Line() const {
  return parser_->Line();
}

}  // namespace vorda::rf
