// Elementary functions that give the same bits on every platform.
//
// The C libraries disagree in the last bits of sin, cos, atan and log10:
// glibc, MinGW-w64's own functions and the Windows runtime each round in their
// own way, and a result in ohms or farads printed to the last digit shows it.
// These are computed here from the basic IEEE operations alone (+, -, *, /,
// all correctly rounded everywhere), in double-double arithmetic, and rounded
// once at the end: correctly rounded but for inputs that lie within about
// 2^-100 of a rounding boundary, and identical wherever IEEE doubles are.
#pragma once

namespace vorda::portable {

// sin and cos: correctly rounded for |x| < 2^30. Larger arguments are first
// reduced by an exact remainder of a double 2*pi: the same everywhere, but
// not accurate (the engine's angles never exceed 2*pi).
double Sin(double x);
double Cos(double x);
double Atan(double x);
// Base-10 logarithm: exact at the powers of ten, -inf at zero, NaN below.
double Log10(double x);

}  // namespace vorda::portable
