// The two paths behind each portable function, for the check against MPFR
// (tests/engine/PortableMathMpfrCheck.cpp): the engine calls only
// PortableMath.h.
//
// Each function first evaluates a fast estimate hi + lo with a bound err on
// its error, and returns hi + lo rounded when every value within err of it
// rounds to the same double. Otherwise (rarely) it takes the accurate path,
// the double-double series.
#pragma once

namespace vorda::portable::detail {

// The exact value lies within err of hi + lo (hi + lo is not normalized).
struct Estimate {
  double hi;
  double lo;
  double err;
};

// The fast estimates, for 2^-30 <= |x| < 2^20 (Sin, Cos), 2^-30 <= |x| <
// 2^60 (Atan) and finite x > 0 (Log10); false outside those domains.
bool SinEstimate(double x, Estimate& out);
bool CosEstimate(double x, Estimate& out);
bool AtanEstimate(double x, Estimate& out);
bool Log10Estimate(double x, Estimate& out);

// The accurate paths alone, for the same domains and beyond them.
double SinAccurate(double x);
double CosAccurate(double x);
double AtanAccurate(double x);
double Log10Accurate(double x);

// The tables of the fast paths, as double-doubles hi + lo:
// sin(i pi/512) for 0 <= i <= 256; atan(i/64) and pi/2 - atan(i/64) for
// 0 <= i <= 64; and for 0 <= i <= 128 the factor f of Log10's interval i (a
// double of at most 21 bits) with -log10(f).
struct Pair {
  double hi;
  double lo;
};
Pair SinTableEntry(int i);
Pair AtanTableEntry(int i);
Pair AtanComplementEntry(int i);
double Log10Factor(int i);
Pair Log10TableEntry(int i);
// 2^(j/128) for 0 <= j < 128, Pow10's table.
Pair Pow2TableEntry(int j);

// Pow10's fast estimate of 10^x as (hi + lo) 2^n, for 2^-56 <= |x| < 330, and
// its accurate path.
bool Pow10Estimate(double x, Estimate& out, int& n);
double Pow10Accurate(double x);

// SinDegrees' and CosDegrees' fast estimates, for 2^-900 <= |x| (2^-21 for
// the cosine) but not at whole quarter turns, and their accurate paths.
bool SinDegreesEstimate(double x, Estimate& out);
bool CosDegreesEstimate(double x, Estimate& out);
double SinDegreesAccurate(double x);
double CosDegreesAccurate(double x);

}  // namespace vorda::portable::detail
