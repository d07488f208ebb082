// Every figure a row can carry, each once: what it is called in text, its
// JSON key, its CSV column with the SI unit, its column title in the
// designer, how it is written, and where in a row it is found. The JSON,
// JSON Lines, text and CSV writers and the designer's table are all made
// from this one table.
#pragma once

#include <complex>
#include <optional>
#include <span>
#include <string>

#include "rf/request/Rows.h"

namespace vorda::rf {

// The figures that stand together: in one line of text, one JSON object.
enum class FigureGroup {
  kMatch,      // the parts as built at the design frequency
  kStandard,   // the standard parts, lossless, at the design frequency
  kLoss,       // what the losses cost at the design frequency
  kBandwidth,  // the VSWR <= 2 band around the design frequency
  kHarmonics,  // insertion loss at f, and how much more 2f and 3f are attenuated
  kDesign,     // what the network was designed for
  kBand,       // over the band
  kTotal,      // with an antenna's radiation efficiency: its total efficiency over the band
  kYield,      // what the parts' tolerances leave
};

enum class FigureFormat {
  kNumber,     // four significant digits
  kPercent,    // a share, times 100, with "%"
  kFrequency,  // hertz with a multiplier: "10.13 MHz"
  kImpedance,  // "50.85 - j2.421 ohms"
};

struct Figure {
  FigureGroup group;
  const char* label;  // in text and tooltips: "return loss"
  const char* json;   // key in its group's object ("return_loss_db"); the flat key of
                      // JSON Lines is the group's key, "_" and this one
  const char* csv;    // column with the unit: "return loss (dB)"
  const char* title;  // compact column title: "RL (dB)"
  const char* unit;   // after the number in text: "dB", "" for none
  const char* none;   // what an empty value means: "perfect", "infinite", "not known"
  FigureFormat format;
  bool shown;  // a column of the designer's table unless the user hides it
  // The value in SI units (or the impedance), or nothing (see `none`).
  std::optional<double> (*value)(const Row& row);
  std::optional<std::complex<double>> (*impedance)(const Row& row);
  bool none_is_best = false;          // an empty value is the best there is (a perfect match)
  const char* short_none = "\u2013";  // an empty value in a table's cell
  // Where an empty value of a row means something else than `none`, what.
  const char* (*none_of)(const Row& row) = nullptr;
};

// What an empty value of a figure means for this row (`none`, or the row's own).
const char* NoneText(const Figure& figure, const Row& row);

// The table, in the order of the columns.
std::span<const Figure> Figures();

// Whether a designed row has the figures of a group at all: a standard
// match only with a series, losses only with a Q, the bandwidth only when
// searched, the band figures only with a band.
bool HasGroup(const Row& row, FigureGroup group);

// The group's key in JSON ("match", "standard_match", "loss", "bandwidth",
// "band", "yield"; the total efficiency is the band's); empty for figures at
// the row's top level.
const char* GroupKey(FigureGroup group);

// A figure as text: "31.89 dB", "perfect", "98.64 %", "10.13 MHz",
// "50.85 - j2.421 ohms"; with_unit false leaves the unit out ("31.89").
std::string FigureText(const Figure& figure, const Row& row, bool with_unit = true);

}  // namespace vorda::rf
