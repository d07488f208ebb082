#include "rf/request/Inputs.h"

#include <cmath>

#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

// A whole number below 2^53 in plain digits ("90000000", not "9e+07"), as
// people type frequencies; any other the shortest text that reads back.
std::string Plain(double v) {
  if (v == std::floor(v) && std::fabs(v) < 0x1p53) {
    return std::to_string(static_cast<long long>(v));
  }
  return ShortestText(v);
}

Input Number(const char* key, const char* name, double v) {
  return {key, name, Plain(v), v};
}

Input Optional(const char* key, const char* name, const std::optional<double>& v,
               const char* none) {
  return v ? Number(key, name, *v) : Input{key, name, none, std::nullopt};
}

std::string ImpedanceText(Impedance z) {
  return ShortestText(z.real()) + (std::signbit(z.imag()) ? "-j" : "+j") +
         ShortestText(std::fabs(z.imag()));
}

}  // namespace

std::vector<Input> RequestInputs(const DesignRequest& r, const DesignResult& result) {
  std::vector<Input> in;
  in.push_back(Number("z0_ohms", "z0 (ohms)", r.z0));
  in.push_back(
      {"source_ohms", "source (ohms)", r.source ? ImpedanceText(*r.source) : "z0", std::nullopt});
  if (r.measurement) {
    in.push_back({"measurement", "measurement", r.measurement_name, std::nullopt});
    in.push_back(Number("load_r_ohms", "load r at the frequency (ohms)", result.load.real()));
    in.push_back(Number("load_x_ohms", "load x at the frequency (ohms)", result.load.imag()));
  } else {
    in.push_back(Number("load_r_ohms", "load r (ohms)", r.load.real()));
    in.push_back(Number("load_x_ohms", "load x (ohms)", r.load.imag()));
  }
  in.push_back(Number("frequency_hz", "frequency (Hz)", r.hertz));
  in.push_back(
      {"series", "series", r.parts.series ? SeriesName(*r.parts.series) : "ideal", std::nullopt});
  in.push_back(Optional("q_inductors", "q of inductors", r.parts.q_inductor, "ideal"));
  in.push_back(Optional("q_capacitors", "q of capacitors", r.parts.q_capacitor, "ideal"));
  // What the parts are made of, when more than their Q.
  if (r.parts.model.q_hertz > 0.0)
    in.push_back(Number("q_at_hz", "q given at (Hz)", r.parts.model.q_hertz));
  if (r.parts.model.package) {
    in.push_back({"package", "package", PackageName(*r.parts.model.package), std::nullopt});
  }
  if (r.parts.model.srf_inductor > 0.0) {
    in.push_back(
        Number("srf_inductors_hz", "self-resonance of inductors (Hz)", r.parts.model.srf_inductor));
  }
  if (r.parts.model.srf_capacitor > 0.0) {
    in.push_back(Number("srf_capacitors_hz", "self-resonance of capacitors (Hz)",
                        r.parts.model.srf_capacitor));
  }
  if (r.parts.library)
    in.push_back({"parts_library", "parts library", r.parts.library->folder, std::nullopt});
  in.push_back(Optional("loaded_q", "loaded q (pi and t)", r.loaded_q, "none"));
  in.push_back(Optional("intermediate_ohms", "intermediate resistance (ohms)", r.intermediate,
                        r.loaded_q ? "geometric mean" : "none"));
  if (const FrequencyAxis* band = r.Band()) {
    in.push_back(
        {"band_hz", "band (Hz)", Plain(band->start) + ":" + Plain(band->stop), std::nullopt});
    // Several bands, goals, bands to reject, the load's other states.
    if (r.bands.size() > 1 || r.bands.front().goal) {
      in.push_back({"bands", "bands", BandsText(r.bands), std::nullopt});
    }
    if (!r.rejects.empty()) {
      in.push_back({"reject", "bands to reject", RejectsText(r.rejects), std::nullopt});
    }
    if (!r.states.empty()) {
      std::string names = r.measurement_name;
      for (const DesignRequest::State& s : r.states) names += ", " + s.name;
      in.push_back({"states", "load states", names, std::nullopt});
    }
    in.push_back(Number("band_points", "band points", static_cast<double>(band->points)));
    in.push_back(Number("max_parts", "most parts over the band", r.max_parts));
  } else {
    in.push_back({"band_hz", "band (Hz)", "none", std::nullopt});
  }
  if (!result.frequencies.empty()) {
    in.push_back(Number("sweep_from_hz", "sweep from (Hz)", result.frequencies.front()));
    in.push_back(Number("sweep_to_hz", "sweep to (Hz)", result.frequencies.back()));
    in.push_back(
        Number("sweep_points", "sweep points", static_cast<double>(result.frequencies.size())));
  }
  in.push_back({"best_by", "best by", RankingName(r.RankingOf()), std::nullopt});
  if (r.radiation) {
    in.push_back({"radiation_efficiency", "radiation efficiency", r.radiation_name, std::nullopt});
  }
  // The values parts are proposed in, when widened.
  const std::pair<const ValueRange&, ValueRange> ranges[] = {{r.parts.inductors, kInductorRange},
                                                             {r.parts.capacitors, kCapacitorRange}};
  for (const auto& [range, standard] : ranges) {
    if (range == standard) continue;
    const bool l = &range == &r.parts.inductors;
    in.push_back({l ? "inductor_range_h" : "capacitor_range_f",
                  l ? "inductor values (H)" : "capacitor values (F)",
                  ShortestText(range.low) + ":" + ShortestText(range.high), std::nullopt});
  }
  // Lines, when asked for; where the measurement was moved to.
  if (r.elements != Elements::kLumped) {
    in.push_back({"elements", "elements", ElementsKey(r.elements), std::nullopt});
    in.push_back(Number("line_z0_ohms", "lines' impedance (ohms)", r.LineZ0()));
    in.push_back({"stub_spacing", "double stub spacing", LengthText(r.stub_spacing), std::nullopt});
  }
  if (r.substrate) {
    in.push_back({"substrate", "substrate", SubstrateText(*r.substrate), std::nullopt});
  }
  if (r.extend) {
    in.push_back({"extend", "measurement extended by", LineText(*r.extend), std::nullopt});
  }
  if (!r.deembed.empty()) {
    in.push_back({"deembed", "fixture de-embedded", r.deembed, std::nullopt});
  }
  return in;
}

}  // namespace vorda::rf
