// Elementary functions that give the same bits on every platform.
//
// The C libraries disagree in the last bits of sin, cos, atan and log10:
// glibc, MinGW-w64's own functions and the Windows runtime each round in their
// own way, and a result in ohms or farads printed to the last digit shows it.
// These are computed here from the basic IEEE operations alone (+, -, *, /,
// all correctly rounded everywhere), so that they are identical wherever
// IEEE doubles are, and correctly rounded: a fast table-driven estimate with
// a bound on its error (58 to 75 good bits, 64 or more for most arguments)
// is returned rounded when the whole interval it vouches for rounds to the
// same double; otherwise (a few times in ten thousand) a double-double
// series decides, which is correct but for inputs within about 2^-100 of a
// rounding boundary. Each family's file states its bounds and their grounds:
// PortableSinCos.cpp, PortableAtan.cpp, PortableLog10.cpp, PortablePow10.cpp
// and PortableSinCosDegrees.cpp (PortableRounding.h for the rounding test).
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
// 10^x, correctly rounded for every x (subnormal results included), exact
// at the whole x from 0 to 22 whose powers are doubles; +inf above
// 308.2547..., 0 below -323.6...
double Pow10(double x);
// sin and cos of x degrees, correctly rounded for every finite x (degrees
// reduce exactly); the sine's zeros keep x's sign, the cosine's are +0.
double SinDegrees(double x);
double CosDegrees(double x);

}  // namespace vorda::portable
