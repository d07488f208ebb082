// The reading of a Touchstone file that the one-port and the two-port
// readers share: its lines, the option line, the version 2 keywords and the
// numbers of each frequency as the file gives them, checked line by line.
#pragma once

#include <array>
#include <complex>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "rf/files/Touchstone.h"

namespace vorda::rf {

class TouchstoneParser {
 public:
  enum class Parameter { kS, kY, kZ };

  // One frequency: its parameters N11, N21, N12, N22 (a one-port's alone in
  // values[0]) whatever the file's order, as complex numbers; Y and Z as the
  // file has them, normalized to the reference in version 1.
  struct Point {
    double hertz = 0.0;
    std::array<std::complex<double>, 4> values{};
    std::size_t line = 0;  // where the point begins
  };

  // Reads files of `ports` ports, 1 or 2; a file of any other is refused.
  TouchstoneParser(ByteSource source, int ports);

  // The next point; false after the last one, once the rest of the file has
  // been checked. Frequencies are strictly increasing. Throws
  // TouchstoneError at the line that breaks the format.
  bool Next(Point& point);
  // The number of the last line read.
  std::size_t Line() const { return line_; }
  // Throws TouchstoneError at the last line read.
  [[noreturn]] void Fail(const std::string& what) const;

  int Version() const { return version_; }
  Parameter Kind() const { return parameter_; }
  // The reference resistance of port 0 or 1: the option line's R, or what
  // [Reference] gives (one value for both ports, or one for each).
  double Reference(int port) const { return references_[port]; }

 private:
  enum class Format { kRI, kMA, kDB };
  enum class Triangle { kNone, kLower, kUpper };  // [Matrix Format] Full, Lower, Upper
  static constexpr std::size_t kBlock = 1 << 16;

  bool ReadLine(std::string_view& line);
  bool Take(std::string_view line, Point& point);
  double Number(std::string_view& s, const char* what) const;
  void Options(std::string_view rest);
  void Keyword(std::string_view line);
  void ReferenceValues(std::string_view rest);
  bool Data(std::string_view line, Point& point);
  bool OnePortData(std::string_view line, Point& point);
  bool TwoPortData(std::string_view line, Point& point);
  std::string NameOf(std::size_t number) const;
  void Noise(std::string_view line);
  [[noreturn]] void Unfinished() const;
  std::complex<double> Value(double a, double b) const;
  void Finish();
  // A two-port's numbers for one frequency: the frequency and 4 parameters,
  // or 3 of a symmetric matrix's triangle.
  std::size_t NumbersPerPoint() const { return triangle_ == Triangle::kNone ? 9 : 7; }

  ByteSource source_;
  const int ports_wanted_;
  std::unique_ptr<char[]> chunk_ = std::make_unique_for_overwrite<char[]>(kBlock);
  std::string buffer_;
  std::size_t pos_ = 0;
  bool at_end_ = false;
  std::size_t line_ = 0;
  bool first_line_ = true;
  int version_ = 1;

  bool options_seen_ = false;
  double scale_ = 1e9;  // GHz
  Parameter parameter_ = Parameter::kS;
  Format format_ = Format::kMA;
  std::array<double, 2> references_{50.0, 50.0};
  bool reference_given_ = false;  // by [Reference]
  int references_read_ = 0;       // values of the last [Reference] so far

  int ports_ = 0;
  std::optional<long long> frequencies_;
  bool order_given_ = false;  // [Two-Port Data Order]
  bool order_12_21_ = false;  // N12 before N21 on a line
  Triangle triangle_ = Triangle::kNone;
  bool in_reference_ = false;
  bool in_information_ = false;
  bool in_data_ = false;
  bool in_noise_ = false;
  bool ended_ = false;

  long long points_ = 0;
  double last_hertz_ = 0.0;
  // A two-port frequency whose numbers may go on over several lines.
  std::array<double, 9> numbers_{};
  std::size_t count_ = 0;
  std::size_t first_line_of_point_ = 0;
};

}  // namespace vorda::rf
