// Complex arithmetic: polar form, four-quadrant arc tangent, admittance and
// the roots of a quadratic. A complex value travels as two doubles, real part
// first. Every argument is passed by reference; results come back through the
// output arguments. The routines trap their own arithmetic faults and report
// them in message boxes, so no fault reaches the caller from CAdmittance,
// MyAtan or SolveQuadratic.
#pragma once

#include "engine/MessageBoxes.h"

namespace vorda::Module1 {

// The module's value of pi: half a turn. A quarter turn is kPi / 2 and a full
// turn 2 * kPi, both computed from this constant.
inline constexpr double kPi = 3.14159;

inline constexpr const char* kCAdmittanceDivisionPrompt =
    "Division by Zero Error Occurred - I was taking the reciprocol of tempymag. ";
inline constexpr const char* kCAdmittanceTitle = "Complex Arithmetic Module in Routine CAdmittance";
inline constexpr const char* kSolveQuadraticTitle = "SolveQuadratic Error";
inline constexpr const char* kAIsZeroPrompt = "a is zero - illegal";
inline constexpr const char* kUnexpectedErrorPrompt = "Unexpected error code ";

// Angle of x + jy in radians. No trap of a division message: a fault only
// makes it return at once, the angle unwritten.
void MyAtan(double& x, double& y, double& angle);

// Magnitude and angle of x + jy. No trap: its faults reach the caller.
void RectToPolar(double& x, double& y, double& magnitude, double& angle);

// Admittance g + jb of the impedance x + jy. Division by zero (code 11) is
// reported and the routine goes on with the next statement; any other fault
// makes it return at once, leaving unwritten outputs as they were.
void CAdmittance(double& x, double& y, double& g, double& b, MessageBoxes& boxes);

// Roots of a*t^2 + b*t + c = 0: root1 with +sqrt, root2 with -sqrt. A fault
// is reported as "Unexpected error code N" and ends the routine.
void SolveQuadratic(double& a, double& b, double& c, double& root1, double& root2,
                    MessageBoxes& boxes);

}  // namespace vorda::Module1
