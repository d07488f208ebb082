#include "rf/files/TouchstoneParser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "engine/PortableMath.h"
#include "rf/files/TouchstoneText.h"

namespace vorda::rf {

using touchstone_text::IsSpace;
using touchstone_text::Lower;
using touchstone_text::Quote;
using touchstone_text::Trim;
using touchstone_text::Word;

namespace {

constexpr std::size_t kMaxLine = 1 << 20;

// The three numbers of a one-port data line, the common case read directly:
// each followed by a blank or the end of the line. False when the line needs
// the careful reading of Number.
bool FastNumbers(std::string_view line, double (&v)[3]) {
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

}  // namespace

TouchstoneParser::TouchstoneParser(ByteSource source, int ports)
    : source_(std::move(source)), ports_wanted_(ports) {}

bool TouchstoneParser::Next(Point& point) {
  std::string_view line;
  while (ReadLine(line)) {
    if (Take(line, point)) return true;
  }
  Finish();
  return false;
}

void TouchstoneParser::Fail(const std::string& what) const {
  throw TouchstoneError(line_, what);
}

// --- Lines -------------------------------------------------------------------

bool TouchstoneParser::ReadLine(std::string_view& line) {
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

// Whether the line completes a point.
bool TouchstoneParser::Take(std::string_view line, Point& point) {
  // A byte-order mark, as some Windows editors write at the start.
  if (line_ == 1 && line.substr(0, 3) == "\xef\xbb\xbf") line.remove_prefix(3);
  const std::size_t bang = line.find('!');
  if (bang != std::string_view::npos) line = line.substr(0, bang);
  line = Trim(line);
  if (first_line_ && !line.empty()) {
    first_line_ = false;
    if (Lower(line.substr(0, 9)) == "[version]") version_ = 2;
  }
  if (line.empty() || ended_) return false;
  if (in_information_ && line.front() != '[') return false;
  if (line.front() == '#') {
    Options(line.substr(1));
    return false;
  }
  if (line.front() == '[') {
    Keyword(line);
    return false;
  }
  return Data(line, point);
}

double TouchstoneParser::Number(std::string_view& s, const char* what) const {
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

// --- The option line ---------------------------------------------------------

void TouchstoneParser::Options(std::string_view rest) {
  if (options_seen_) {
    if (version_ == 2) Fail("a second option line");
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
      Fail(ports_wanted_ == 1 ? "G and H parameters belong to two-port files"
                              : "G and H parameters cannot be read; only S, Y and Z");
    } else if (t == "ri" || t == "ma" || t == "db") {
      once(format, "format");
      format_ = t == "ri" ? Format::kRI : t == "ma" ? Format::kMA : Format::kDB;
    } else if (t == "r") {
      once(ref, "reference resistance");
      const double r = Number(rest, "the reference resistance");
      if (!(r > 0.0)) Fail("the reference resistance must be above zero");
      if (!reference_given_) references_ = {r, r};
    } else {
      Fail("the option line has an unknown word " + Quote(w));
    }
  }
}

// --- Data --------------------------------------------------------------------

bool TouchstoneParser::Data(std::string_view line, Point& point) {
  if (in_reference_) {
    ReferenceValues(line);
    return false;
  }
  if (version_ == 2 && !in_data_) Fail("data before [Network Data]");
  if (in_noise_) {
    Noise(line);
    return false;
  }
  return ports_wanted_ == 1 ? OnePortData(line, point) : TwoPortData(line, point);
}

bool TouchstoneParser::OnePortData(std::string_view line, Point& point) {
  double v[3];
  if (!FastNumbers(line, v)) {
    v[0] = Number(line, "the frequency");
    v[1] = Number(line, "the first number of the parameter");
    v[2] = Number(line, "the second number of the parameter");
    if (!Trim(line).empty()) {
      Fail("more than three numbers on a line: not a one-port file, or a stray column");
    }
  }
  point.hertz = v[0] * scale_;
  point.line = line_;
  if (point.hertz < 0.0 || !std::isfinite(point.hertz)) Fail("a negative or too large frequency");
  if (points_ > 0 && !(point.hertz > last_hertz_)) Fail("the frequencies do not increase");
  last_hertz_ = point.hertz;
  ++points_;
  point.values[0] = Value(v[1], v[2]);
  return true;
}

// A frequency's numbers may go on over the following lines, in whole pairs.
bool TouchstoneParser::TwoPortData(std::string_view line, Point& point) {
  const std::string_view whole = line;
  while (!Trim(line).empty()) {
    if (count_ == NumbersPerPoint()) {
      const std::string most = std::to_string(NumbersPerPoint());
      if (first_line_of_point_ == line_) {
        Fail("more than " + most +
             " numbers for a frequency: not a two-port file, or a stray column");
      }
      Fail("more than " + most + " numbers for the frequency of line " +
           std::to_string(first_line_of_point_));
    }
    const double v = Number(line, NameOf(count_).c_str());
    if (count_ == 0) {
      const double hertz = v * scale_;
      if (hertz < 0.0 || !std::isfinite(hertz)) Fail("a negative or too large frequency");
      if (points_ > 0 && !(hertz > last_hertz_)) {
        // Version 1 noise data follow the network data from a lower frequency.
        std::size_t words = 0;
        for (std::string_view s = whole; !Word(s).empty();) ++words;
        if (version_ != 1 || words != 5) Fail("the frequencies do not increase");
        in_noise_ = true;
        Noise(whole);
        return false;
      }
      first_line_of_point_ = line_;
    }
    numbers_[count_++] = v;
  }
  if (count_ % 2 == 0) Fail("the line ends between the two numbers of a parameter");
  if (count_ < NumbersPerPoint()) return false;
  count_ = 0;
  point.hertz = numbers_[0] * scale_;
  point.line = first_line_of_point_;
  if (triangle_ != Triangle::kNone) {
    // N11, the one off the diagonal (N21 = N12), N22.
    point.values[0] = Value(numbers_[1], numbers_[2]);
    point.values[1] = point.values[2] = Value(numbers_[3], numbers_[4]);
    point.values[3] = Value(numbers_[5], numbers_[6]);
  } else {
    for (std::size_t i = 0; i < 4; ++i) {
      // N11 N21 N12 N22, or N11 N12 N21 N22.
      const std::size_t at = order_12_21_ && (i == 1 || i == 2) ? 3 - i : i;
      point.values[at] = Value(numbers_[1 + 2 * i], numbers_[2 + 2 * i]);
    }
  }
  last_hertz_ = point.hertz;
  ++points_;
  return true;
}

// "the frequency", "the angle of S21", ...
std::string TouchstoneParser::NameOf(std::size_t number) const {
  if (number == 0) return "the frequency";
  static constexpr const char* kParts[3][2] = {{"the real part", "the imaginary part"},
                                               {"the magnitude", "the angle"},
                                               {"the magnitude in dB", "the angle"}};
  const std::size_t i = (number - 1) / 2;
  const char* indices = triangle_ == Triangle::kLower   ? "112122"
                        : triangle_ == Triangle::kUpper ? "111222"
                        : order_12_21_                  ? "11122122"
                                                        : "11211222";
  return std::string(kParts[static_cast<int>(format_)][(number - 1) % 2]) + " of " +
         "SYZ"[static_cast<int>(parameter_)] + std::string(indices + 2 * i, 2);
}

// A line of noise data, not read but checked.
void TouchstoneParser::Noise(std::string_view line) {
  std::size_t n = 0;
  for (; !Trim(line).empty(); ++n) Number(line, "a noise parameter");
  if (n != 5) Fail("a line of noise data holds 5 numbers, not " + std::to_string(n));
}

void TouchstoneParser::Unfinished() const {
  throw TouchstoneError(first_line_of_point_, "a frequency with only " + std::to_string(count_) +
                                                  " of its " + std::to_string(NumbersPerPoint()) +
                                                  " numbers");
}

std::complex<double> TouchstoneParser::Value(double a, double b) const {
  if (format_ == Format::kRI) return {a, b};
  // The portable functions: a file reads to the same bits on every platform.
  const double magnitude = format_ == Format::kMA ? a : portable::Pow10(a / 20.0);
  return {magnitude * portable::CosDegrees(b), magnitude * portable::SinDegrees(b)};
}

void TouchstoneParser::Finish() {
  line_ = std::max<std::size_t>(line_, 1);  // an empty file is told at its line 1
  if (count_ > 0) Unfinished();
  if (version_ == 2) {
    if (!in_data_) Fail("the file has no [Network Data]");
    if (!ended_) Fail("the file ends without [End]");
    if (frequencies_ && *frequencies_ != points_) {
      Fail("[Number of Frequencies] is " + std::to_string(*frequencies_) + " but the data hold " +
           std::to_string(points_));
    }
  }
  if (points_ == 0) Fail("the file holds no data");
}

}  // namespace vorda::rf
