// Why the design layer gives no network, or no figures to trust, as a code
// with the numbers that go with it; the words for it are made in one place
// (rf/request/Verdict.h).
#pragma once

namespace vorda::rf {

enum class Reason {
  kNone,
  // A network that cannot pass power as drawn.
  kSeriesOpen,  // a series part would be an open circuit
  kShuntShort,  // a shunt part would be a short circuit
  // Figures that are no numbers (at `hertz`).
  kValueNotANumber,       // a part's value
  kStandardNotANumber,    // the input impedance of the standard parts
  kBuiltNotANumber,       // the input impedance of the parts as built
  kEfficiencyNotANumber,  // the efficiency
  kResponseNotANumber,    // the response over the sweep, somewhere
  // Networks that cannot be synthesised.
  kTypeCannotMatch,    // this L type cannot match the load to the source
  kNeedsLoadedQ,       // a Pi or T needs a loaded Q
  kLoadedQBelowLeast,  // the loaded Q `value` is below the least, `bound`
  kNoIntermediateL,    // no L-section reaches the resistance `value` in between
  kNoForm,             // no low-pass or high-pass form for these terminations
  kNotSynthesised,     // a given network is given, not synthesised
  // Designs with lines.
  kNoSingleStub,              // no point of the line has the conductance `value` (normalized)
  kHalfWaveSpacing,           // stubs `value` degrees apart are at one place
  kDoubleStubCannotMatch,     // the load's conductance `value` above `bound` (normalized)
  kQuarterWaveComplexSource,  // a quarter-wave transformer matches a resistance only
  // Standard values that are none.
  kLibraryNotAtFrequency,  // no library part of the kind was measured at `hertz`
                           // (they span `value` to `bound`)
  kNotSold,                // part `bound` would need `value` (H or F), beyond what is sold
  kSoldReversed,           // part `bound` of `value` is past its self-resonance at `hertz`
};

struct Why {
  Reason reason = Reason::kNone;
  double value = 0.0;
  double bound = 0.0;
  double hertz = 0.0;
  bool low_pass = false;
  bool inductor = false;  // the part of kNotSold and kSoldReversed
  bool operator==(const Why&) const = default;
  explicit operator bool() const { return reason != Reason::kNone; }
};

// What a network synthesised at one frequency came to be, when it is not
// what its name says.
enum class Became {
  kAsNamed,
  kPiAsL,      // at its least loaded Q this Pi network is an L-section
  kTAsL,       // the same for T
  kTwoLAsOne,  // with a termination's resistance in between, the two L-sections are one
};

}  // namespace vorda::rf
