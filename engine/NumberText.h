// Conversion between the texts of the window and numbers.
#pragma once

#include <string>
#include <string_view>

namespace vorda {

// Converts the leading number of a text (the number prefix rule):
// - blanks, tabs and line feeds are ignored everywhere, also between digits;
// - an optional sign, digits, an optional "." and digits, and an optional
//   exponent: E or D (either case), an optional sign and digits; "." is the
//   decimal point whatever the locale;
// - or a radix prefix &H (hexadecimal) or &O (octal) followed by digits, read
//   as a non-negative whole number of any length;
// - the first character that cannot continue the number ends the scan, and a
//   text without a number gives 0.
// The decimal digits are converted with correct rounding. A number outside
// the double range throws ArithmeticFault (overflow, code 6); one too small
// for a double becomes 0. Runs in time linear in the length of the text.
double Val(std::string_view text);
// The same, and how much of the text the number took: the characters from
// `used` on were not read (blanks among them are ignored anyway).
double Val(std::string_view text, std::size_t& used);

// Renders a number through the format "#.000": rounded to three decimals, no
// leading zero before the decimal symbol, no digit grouping, "-" before a
// negative value.
// - Rounding: the exact binary value is rounded to three decimals; an exact
//   half (only odd multiples of 1/16 are) goes away from zero, so 2.0625
//   shows 2.063 and -2.0625 shows -2.063. 1.0005 shows 1.000, because the
//   double nearest to 1.0005 lies a little below it.
// - A value that shows as zero never carries a minus sign: -0 and -0.0001
//   both show .000.
// - The decimal symbol is the only thing a locale changes; it is passed in.
// Infinities and NaN, which no computed label can hold, show as "inf", "-inf"
// and "nan".
std::string FormatNumber(double value, std::string_view decimal_symbol = ".");

}  // namespace vorda
