#include "engine/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <system_error>

#include "engine/ArithmeticFault.h"

namespace vorda {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}

int HexDigitValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a text from the left, skipping blanks, tabs and line feeds wherever
// they stand.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}
  int Peek() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1;
  }
  void Next() { ++pos_; }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

[[noreturn]] void Overflow() {
  throw ArithmeticFault{FaultKind::kOverflow};
}

// Exponents are saturated far beyond any double, so a huge written exponent
// cannot wrap around.
constexpr std::int64_t kExponentLimit = 1'000'000'000'000;
// Decimal exponents beyond these bounds are certainly out of the double range.
constexpr std::int64_t kMaxDecimalExponent = 310;
constexpr std::int64_t kMinDecimalExponent = -330;

// Converts hexadecimal digits (no leading zeros) to a double, rounded to
// nearest.
double HexDigitsToDouble(const std::string& digits) {
  if (digits.empty()) return 0.0;
  if (digits.size() <= 16) {
    std::uint64_t v = 0;
    // cppcheck-suppress useStlAlgorithm ; a digit loop reads plainer than accumulate
    for (char c : digits) v = v * 16 + static_cast<std::uint64_t>(HexDigitValue(c));
    return static_cast<double>(v);
  }
  if (digits.size() > 256) Overflow();  // at least 2^1024
  double value = 0.0;
  const auto res =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::hex);
  if (res.ec != std::errc() || std::isinf(value)) Overflow();
  return value;
}

double ScanRadix(Scanner& in, int radix) {
  std::string digits;  // significant digits, leading zeros dropped
  for (;;) {
    const int c = in.Peek();
    const int d = HexDigitValue(c);
    if (d < 0 || d >= radix) break;
    if (!(digits.empty() && d == 0)) digits.push_back(static_cast<char>(c));
    in.Next();
  }
  if (radix == 16) return HexDigitsToDouble(digits);
  // Octal: regroup the bits, three per digit, into hexadecimal digits.
  if (digits.size() > 342) Overflow();  // at least 2^1025
  std::string bits;
  for (char c : digits) {
    const int d = c - '0';
    bits.push_back(static_cast<char>('0' + ((d >> 2) & 1)));
    bits.push_back(static_cast<char>('0' + ((d >> 1) & 1)));
    bits.push_back(static_cast<char>('0' + (d & 1)));
  }
  bits.insert(0, (4 - bits.size() % 4) % 4, '0');
  std::string hex;
  for (std::size_t i = 0; i < bits.size(); i += 4) {
    const int nibble = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 +
                       (bits[i + 3] - '0');
    if (!(hex.empty() && nibble == 0)) hex.push_back("0123456789abcdef"[nibble]);
  }
  return HexDigitsToDouble(hex);
}

// The digits of a decimal number: "d" then the further digits, leading
// zeros dropped, with where the decimal point stood.
struct DecimalDigits {
  std::string significant;
  bool any_digit = false;                   // also a zero counts
  std::int64_t integer_digits = 0;          // significant digits before the point
  std::int64_t leading_fraction_zeros = 0;  // zeros right after the point, before any digit
};

DecimalDigits ScanDigits(Scanner& in) {
  DecimalDigits d;
  while (IsDigit(in.Peek())) {
    const char c = static_cast<char>(in.Peek());
    d.any_digit = true;
    if (!(d.significant.empty() && c == '0')) {
      d.significant.push_back(c);
      ++d.integer_digits;
    }
    in.Next();
  }
  if (in.Peek() != '.') return d;
  in.Next();
  while (IsDigit(in.Peek())) {
    const char c = static_cast<char>(in.Peek());
    d.any_digit = true;
    if (d.significant.empty() && c == '0') {
      ++d.leading_fraction_zeros;
    } else {
      d.significant.push_back(c);
    }
    in.Next();
  }
  return d;
}

// An exponent, E or D, an optional sign and digits; 0 when there is none.
// "1E" or "1E+" without digits ends the number before the E.
std::int64_t ScanExponent(Scanner& in) {
  const int e = in.Peek();
  if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return 0;
  const std::size_t mark = in.Position();
  in.Next();
  bool negative = false;
  if (in.Peek() == '+' || in.Peek() == '-') {
    negative = in.Peek() == '-';
    in.Next();
  }
  if (!IsDigit(in.Peek())) {
    in.Rewind(mark);
    return 0;
  }
  std::int64_t exponent = 0;
  while (IsDigit(in.Peek())) {
    if (exponent < kExponentLimit) exponent = exponent * 10 + (in.Peek() - '0');
    in.Next();
  }
  return negative ? -exponent : exponent;
}

// Up to 15 digits times an exact power of ten up to 10^22: one correctly
// rounded operation gives the correctly rounded value. Nothing otherwise.
std::optional<double> ExactSmall(const std::string& significant, std::int64_t scale) {
  if (significant.size() > 15 || scale < -22 || scale > 22) return std::nullopt;
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  std::uint64_t mantissa = 0;
  // cppcheck-suppress useStlAlgorithm ; a digit loop reads plainer than accumulate
  for (char c : significant) mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
  const auto m = static_cast<double>(mantissa);
  return scale >= 0 ? m * kPowers[scale] : m / kPowers[-scale];
}

// d.ddd... x 10^decimal_exponent, correctly rounded.
double DigitsToDouble(const std::string& significant, std::int64_t decimal_exponent) {
  if (decimal_exponent > kMaxDecimalExponent) Overflow();
  if (decimal_exponent < kMinDecimalExponent) return 0.0;
  const auto scale = decimal_exponent - static_cast<std::int64_t>(significant.size() - 1);
  if (const auto exact = ExactSmall(significant, scale)) return *exact;

  std::string normal;
  normal.reserve(significant.size() + 8);
  normal.push_back(significant[0]);
  if (significant.size() > 1) {
    normal.push_back('.');
    normal.append(significant, 1, std::string::npos);
  }
  normal.push_back('e');
  normal.append(std::to_string(decimal_exponent));
  double value = 0.0;
  const auto res = std::from_chars(normal.data(), normal.data() + normal.size(), value,
                                   std::chars_format::scientific);
  if (res.ec == std::errc::result_out_of_range) {
    if (decimal_exponent > 0) Overflow();
    return 0.0;
  }
  if (std::isinf(value)) Overflow();
  return value;
}

double ScanDecimal(Scanner& in) {
  bool negative = false;
  if (in.Peek() == '+' || in.Peek() == '-') {
    negative = in.Peek() == '-';
    in.Next();
  }
  const DecimalDigits d = ScanDigits(in);
  if (!d.any_digit) return 0.0;
  const std::int64_t exponent = ScanExponent(in);
  if (d.significant.empty()) return 0.0;
  const std::int64_t decimal_exponent =
      (d.integer_digits > 0 ? d.integer_digits - 1 : -(d.leading_fraction_zeros + 1)) + exponent;
  const double value = DigitsToDouble(d.significant, decimal_exponent);
  return negative ? -value : value;
}

}  // namespace

double Val(std::string_view text) {
  std::size_t used = 0;
  return Val(text, used);
}

double Val(std::string_view text, std::size_t& used) {
  Scanner in(text);
  const auto done = [&](double value) {
    used = in.Position();
    return value;
  };
  if (in.Peek() == '&') {
    in.Next();
    const int r = in.Peek();
    if (r == 'H' || r == 'h') {
      in.Next();
      return done(ScanRadix(in, 16));
    }
    if (r == 'O' || r == 'o') {
      in.Next();
      return done(ScanRadix(in, 8));
    }
    in.Rewind(0);
    return done(0.0);
  }
  return done(ScanDecimal(in));
}

namespace {

// "#.000" from round(|value| * 1000) given as decimal digits.
std::string Compose(bool negative, std::string_view thousandths, std::string_view decimal_symbol) {
  std::string_view integer_part = thousandths.substr(0, thousandths.size() - 3);
  const std::string_view decimals = thousandths.substr(thousandths.size() - 3);
  const std::size_t first = integer_part.find_first_not_of('0');
  integer_part = first == std::string_view::npos ? std::string_view() : integer_part.substr(first);
  const bool shows_zero = integer_part.empty() && decimals == "000";
  std::string out;
  out.reserve(integer_part.size() + decimal_symbol.size() + 4);
  if (negative && !shows_zero) out.push_back('-');
  out.append(integer_part);
  out.append(decimal_symbol);
  out.append(decimals);
  return out;
}

// Exact rounding of the binary value to three decimals, an exact half going
// away from zero. Only odd multiples of 1/16 are exact halves at the third
// decimal; to_chars rounds those to even, so they are mended here.
std::string FormatExact(double value, std::string_view decimal_symbol) {
  const double magnitude = std::fabs(value);
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, 3);
  const double sixteenths = magnitude * 16.0;
  if (sixteenths < 9007199254740992.0 && sixteenths == std::floor(sixteenths) &&
      std::fmod(sixteenths, 2.0) == 1.0) {
    // An exact half: take the digits down to 10^-4 (the last one is 5),
    // drop that 5 and round the rest up.
    res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, 4);
    char* last = res.ptr - 2;  // the third decimal
    res.ptr -= 1;
    while (last >= buf && (*last == '9' || *last == '.')) {
      if (*last == '9') *last = '0';
      --last;
    }
    if (last >= buf) {
      ++*last;
    } else {
      std::memmove(buf + 1, buf, static_cast<std::size_t>(res.ptr - buf));
      buf[0] = '1';
      ++res.ptr;
    }
  }
  // buf holds "I.DDD"; compose without the point.
  std::string thousandths(buf, res.ptr);
  thousandths.erase(thousandths.size() - 4, 1);
  return Compose(std::signbit(value), thousandths, decimal_symbol);
}

}  // namespace

std::string FormatNumber(double value, std::string_view decimal_symbol) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";

  // Fast path. The product |value| * 1000 is rounded once, so it lies within
  // half an ulp of the exact product, that is within 2^-53 (about 1.11e-16)
  // of it relatively. A fraction that differs from a half by more than four
  // times that bound (4.5e-16 * scaled, with room to spare) therefore rounds
  // as the exact value does; the rest go the exact way. The 1e-300 keeps the
  // test meaningful for a zero product.
  const double scaled = std::fabs(value) * 1000.0;
  if (scaled < 1e15) {
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) > 4.5e-16 * scaled + 1e-300) {
      auto n = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
      char buf[24];
      char* end = std::to_chars(buf, buf + sizeof buf, n).ptr;
      const auto len = static_cast<std::size_t>(end - buf);
      if (len >= 3) return Compose(std::signbit(value), std::string_view(buf, len), decimal_symbol);
      char padded[3] = {'0', '0', '0'};
      for (std::size_t i = 0; i < len; ++i) padded[3 - len + i] = buf[i];
      return Compose(std::signbit(value), std::string_view(padded, 3), decimal_symbol);
    }
  }
  return FormatExact(value, decimal_symbol);
}

}  // namespace vorda
