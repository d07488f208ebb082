#include "rf/files/PartLibraryFile.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "rf/circuit/Units.h"
#include "rf/files/InputFile.h"
#include "rf/files/TwoPortReader.h"

namespace vorda::rf {

namespace {

std::string Trim(const std::string& s) {
  const auto begin = s.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return {};
  return s.substr(begin, s.find_last_not_of(" \t\r") - begin + 1);
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  for (std::string cell; std::getline(in, cell, ',');) cells.push_back(Trim(cell));
  if (!line.empty() && line.back() == ',') cells.emplace_back();
  return cells;
}

// A tolerance: "5%", "0.05" or blank.
std::optional<double> Tolerance(const std::string& text) {
  if (text.empty()) return 0.0;
  const bool percent = text.back() == '%';
  const ReadNumber v = ReadEngineering(percent ? text.substr(0, text.size() - 1) : text);
  if (!v.value || *v.value < 0.0) return std::nullopt;
  const double share = percent ? *v.value / 100.0 : *v.value;
  if (share >= 1.0) return std::nullopt;
  return share;
}

// The part's measured impedance from its file.
std::shared_ptr<const PartData> Measured(const std::string& folder, const std::string& file,
                                         double nominal) {
  const std::string path = folder + "/" + file;
  const FileHandle f = OpenForReading(path);
  TwoPortData data;
  try {
    data = ReadTwoPort(FileSource(f.get(), path));
  } catch (const TouchstoneError& e) {
    throw LibraryError(e.In(path));
  }
  auto d = std::make_shared<PartData>();
  d->file = path;
  d->nominal = nominal;
  for (const TwoPortPoint& p : data.points) {
    const std::string at =
        path + ":" + std::to_string(p.line) + ": at " + FormatEngineering(p.hertz, "Hz") + " ";
    const auto z = SeriesThruImpedance(p.s11, p.s21, p.s12, p.s22, data.reference);
    if (std::isfinite(z.real()) && z.real() < -1e-9 * std::abs(z)) {
      throw LibraryError(at + "the part is not passive: its resistance is " +
                         FormatEngineering(z.real(), "\u03a9"));
    }
    // A passive two-port reflects and passes at most what it is given.
    const std::pair<const char*, std::complex<double>> s[] = {
        {"S11", p.s11}, {"S21", p.s21}, {"S12", p.s12}, {"S22", p.s22}};
    for (const auto& [name, v] : s) {
      if (!(std::abs(v) <= 1.0 + 1e-9)) {
        throw LibraryError(at + "the part is not passive: |" + name +
                           "| = " + DigitsText(std::abs(v), 4) + ", more than 1");
      }
    }
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) {
      throw LibraryError(at + "the part has no finite impedance (S21 = 0: it is an open there)");
    }
    d->hertz.push_back(p.hertz);
    d->z.push_back(z);
  }
  return d;
}

}  // namespace

std::complex<double> SeriesThruImpedance(std::complex<double> s11, std::complex<double> s21,
                                         std::complex<double> s12, std::complex<double> s22,
                                         double reference) {
  return reference * ((1.0 + s11) * (1.0 + s22) - s12 * s21) / (2.0 * s21);
}

std::shared_ptr<const PartLibrary> ReadPartLibrary(const std::string& folder) {
  const std::string index = folder + "/" + kLibraryIndex;
  std::stringstream in(ReadWholeFile(index));
  auto library = std::make_shared<PartLibrary>();
  library->folder = folder;
  std::size_t number = 0;
  bool header = false;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const auto fail = [&](const std::string& why) {
      std::string message = index + ":" + std::to_string(number) + ": ";
      message += why;
      throw LibraryError(message);
    };
    // A spreadsheet's "CSV UTF-8" begins with a byte-order mark.
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    line = Trim(line);
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string> cells = Cells(line);
    if (!header) {
      if (Lower(line) != "kind,value,tolerance,package,file") {
        fail("the first line must be kind,value,tolerance,package,file");
      }
      header = true;
      continue;
    }
    if (cells.size() != 5) fail("a part has five cells: kind,value,tolerance,package,file");
    LibraryPart p;
    const std::string kind = Lower(cells[0]);
    const bool inductor = kind == "inductor" || kind == "l";
    if (!inductor && kind != "capacitor" && kind != "c") {
      fail("the kind is inductor or capacitor, not \u201c" + cells[0] + "\u201d");
    }
    const ReadNumber value = ReadEngineering(cells[1], inductor ? "H" : "F");
    if (!value.value && ReadEngineering(cells[1], inductor ? "F" : "H").value) {
      fail("the value \u201c" + cells[1] + "\u201d is " +
           (inductor ? "a capacitance, of an inductor" : "an inductance, of a capacitor"));
    }
    if (!value.value || !(*value.value > 0.0) || !std::isfinite(*value.value)) {
      fail("the value \u201c" + cells[1] + "\u201d is not a positive number");
    }
    const auto tolerance = Tolerance(cells[2]);
    if (!tolerance) fail("the tolerance \u201c" + cells[2] + "\u201d is not 0 to 100 %");
    if (!cells[3].empty()) {
      p.package = ParsePackage(cells[3]);
      if (!p.package) fail("the package is 0201, 0402, 0603, 0805, 1206 or blank");
    }
    if (cells[4].empty()) fail("the part has no file");
    p.part = {inductor ? Part::Kind::kInductor : Part::Kind::kCapacitor, *value.value};
    p.part.model.measured = Measured(folder, cells[4], *value.value);
    p.tolerance = *tolerance;
    p.file = cells[4];
    library->parts.push_back(std::move(p));
  }
  if (!header) throw LibraryError(index + ": the index is empty");
  if (library->parts.empty()) throw LibraryError(index + ": the index lists no part");
  std::stable_sort(library->parts.begin(), library->parts.end(),
                   [](const LibraryPart& a, const LibraryPart& b) {
                     if (a.part.kind != b.part.kind) return a.part.kind < b.part.kind;
                     return a.part.value < b.part.value;
                   });
  return library;
}

}  // namespace vorda::rf
