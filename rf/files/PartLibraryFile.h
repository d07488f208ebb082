// A part library on disk: a folder with an index, index.csv, and a
// Touchstone two-port file for each part. The index has a header line
// "kind,value,tolerance,package,file" and a line for each part:
//   capacitor,10p,5%,0402,c0402_10p.s2p
//   inductor,22nH,2%,0603,l0603_22n.s2p
// kind "inductor" or "capacitor" (L or C); the nominal value with an SI
// prefix and an optional unit; the tolerance as a percentage or a share
// (blank: none); the package (0201 ... 1206, or blank); the file, relative
// to the folder. Lines that start with '#' are comments. Each file is a
// series-thru measurement: the part in series between port 1 and port 2,
// whose impedance is the B of the two-port's ABCD matrix.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "rf/circuit/PartLibrary.h"

namespace vorda::rf {

// What is wrong with a library: "FOLDER/index.csv:3: ..." or a part file's
// own "FILE:LINE: ..." from the Touchstone reader.
class LibraryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kLibraryIndex = "index.csv";

// The library of a folder, every file read and checked; throws
// LibraryError (or OpenError, ReadError for a file that cannot be read).
std::shared_ptr<const PartLibrary> ReadPartLibrary(const std::string& folder);

// A part's impedance from a series-thru two-port measured against a
// reference: B = R ((1 + S11)(1 + S22) - S12 S21) / (2 S21).
std::complex<double> SeriesThruImpedance(std::complex<double> s11, std::complex<double> s21,
                                         std::complex<double> s12, std::complex<double> s22,
                                         double reference);

}  // namespace vorda::rf
