// The version 2 keywords of a Touchstone file and the values of
// [Reference].
#include <cmath>
#include <string>

#include "rf/files/TouchstoneParser.h"
#include "rf/files/TouchstoneText.h"

namespace vorda::rf {

using touchstone_text::Lower;
using touchstone_text::Quote;
using touchstone_text::Trim;

void TouchstoneParser::Keyword(std::string_view line) {
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) Fail("a keyword without its closing bracket");
  const std::string key = Lower(line.substr(1, close - 1));
  std::string_view rest = line.substr(close + 1);
  if (version_ == 1) Fail("a version 2 keyword in a version 1 file: " + Quote(line));
  if (in_information_) {
    if (key == "end information") in_information_ = false;
    return;
  }
  if (in_reference_) {
    if (references_read_ == 0) Fail("[Reference] without its value");
    in_reference_ = false;  // one value for both ports
  }
  if (count_ > 0) Unfinished();
  const bool two = ports_wanted_ == 2;
  if (key == "version") {
    const std::string v(Trim(rest));
    if (v != "2.0" && v != "2.1") Fail("an unknown version " + Quote(v));
  } else if (key == "number of ports") {
    const double ports = Number(rest, "the number of ports");
    if (ports != ports_wanted_) {
      Fail("a file of " + Quote(line.substr(close + 1)) + " ports; only " + (two ? "two" : "one") +
           "-port files can be read");
    }
    ports_ = ports_wanted_;
  } else if (key == "number of frequencies") {
    const double n = Number(rest, "the number of frequencies");
    if (!(n >= 1.0 && n <= 1e15 && n == std::floor(n))) {
      Fail("the number of frequencies must be a whole number from 1");
    }
    frequencies_ = static_cast<long long>(n);
  } else if (key == "reference") {
    references_read_ = 0;
    ReferenceValues(rest);
  } else if (key == "network data") {
    if (ports_ == 0) Fail("[Network Data] before [Number of Ports]");
    if (!frequencies_) Fail("[Network Data] before [Number of Frequencies]");
    if (two && !order_given_) Fail("[Network Data] before [Two-Port Data Order]");
    in_data_ = true;
  } else if (key == "end") {
    if (!in_data_) Fail("[End] before [Network Data]");
    ended_ = true;
  } else if (key == "begin information") {
    in_information_ = true;
  } else if (key == "mixed-mode order" || key == "number of noise frequencies" ||
             (key == "matrix format" && !two)) {
    // Nothing to do: one port, or no mixed modes in two.
  } else if (key == "matrix format") {
    const std::string format = Lower(Trim(rest));
    if (format != "full" && format != "lower" && format != "upper") {
      Fail("[Matrix Format] must be Full, Lower or Upper, not " + Quote(Trim(rest)));
    }
    // A triangle of a symmetric matrix: N11, N21, N22 (lower) or N11, N12,
    // N22 (upper) for each frequency.
    triangle_ = format == "full"    ? Triangle::kNone
                : format == "lower" ? Triangle::kLower
                                    : Triangle::kUpper;
  } else if (!two && (key == "two-port data order" || key == "noise data")) {
    Fail("[" + key + "] belongs to two-port files");
  } else if (key == "two-port data order") {
    const std::string order(Trim(rest));
    if (order != "12_21" && order != "21_12") {
      Fail("[Two-Port Data Order] must be 12_21 or 21_12, not " + Quote(order));
    }
    order_given_ = true;
    order_12_21_ = order == "12_21";
  } else if (key == "noise data") {
    if (!in_data_) Fail("[Noise Data] before [Network Data]");
    in_noise_ = true;
  } else {
    Fail("an unknown keyword " + Quote(line.substr(0, close + 1)));
  }
}

// The values of [Reference] on its own line or the lines after it.
void TouchstoneParser::ReferenceValues(std::string_view rest) {
  while (!Trim(rest).empty()) {
    if (references_read_ == ports_wanted_) {
      Fail(ports_wanted_ == 1 ? "a one-port file has one reference resistance"
                              : "a two-port file has two reference resistances, or one for both");
    }
    const double r = Number(rest, "the reference resistance");
    if (!(r > 0.0)) Fail("the reference resistance must be above zero");
    references_[references_read_++] = r;
    if (references_read_ == 1) references_[1] = r;
    reference_given_ = true;
  }
  in_reference_ = references_read_ < ports_wanted_;
}

}  // namespace vorda::rf
