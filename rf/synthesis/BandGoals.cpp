#include "rf/synthesis/BandGoals.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/PortableMath.h"
#include "rf/circuit/Match.h"
#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The comma-separated items of a list, trimmed.
std::vector<std::string_view> Items(std::string_view text) {
  std::vector<std::string_view> items;
  while (true) {
    const std::size_t comma = text.find(',');
    items.push_back(Trim(text.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return items;
}

// "START:STOP" and what follows a third colon, if anything.
struct RangeAndRest {
  ReadAxis axis;
  std::optional<std::string_view> rest;
};
RangeAndRest SplitRange(std::string_view item, std::size_t points) {
  RangeAndRest r;
  const std::size_t first = item.find(':');
  const std::size_t second = first == std::string_view::npos ? first : item.find(':', first + 1);
  if (second != std::string_view::npos) {
    r.rest = Trim(item.substr(second + 1));
    item = item.substr(0, second);
  }
  r.axis = ReadRange(item, 0, true);
  if (r.axis.axis) r.axis.axis->points = points;
  return r;
}

// "10", "10dB", "10 dB": a number of decibels.
std::optional<double> Decibels(std::string_view text) {
  text = Trim(text);
  if (text.size() > 2 &&
      (text.substr(text.size() - 2) == "dB" || text.substr(text.size() - 2) == "db")) {
    text = Trim(text.substr(0, text.size() - 2));
  }
  const ReadNumber n = ReadEngineering(text);
  if (!n.value || text.empty()) return std::nullopt;
  return n.value;
}

std::string Quoted(std::string_view text) {
  return "\u201c" + std::string(text) + "\u201d";
}

// "698M": the exact frequency, without "Hz" and blanks.
std::string Compact(double hertz) {
  std::string text = ExactFrequencyText(hertz);
  text.erase(text.size() - 2);
  std::erase(text, ' ');
  return text;
}

std::string AxisText(const FrequencyAxis& a) {
  return Compact(a.start) + ":" + Compact(a.stop);
}

// 10^(db / 10), exactly 1 for 0 dB.
double Power(double db) {
  return db == 0.0 ? 1.0 : portable::Pow10(db / 10.0);
}

}  // namespace

const char* BandFigureName(BandFigure figure) {
  return figure == BandFigure::kTransducerGain ? "transducer gain" : "return loss";
}

ReadBandsResult ReadBands(std::string_view text, std::size_t points) {
  ReadBandsResult r;
  for (const std::string_view item : Items(text)) {
    const RangeAndRest split = SplitRange(item, points);
    if (!split.axis.axis) return {{}, Quoted(item) + ": " + split.axis.error};
    PassBand band{*split.axis.axis, std::nullopt};
    if (split.rest) {
      const std::string_view g = *split.rest;
      const bool rl = g.rfind("rl=", 0) == 0, tg = g.rfind("tg=", 0) == 0;
      const auto db = rl || tg ? Decibels(g.substr(3)) : std::nullopt;
      if (!db) {
        return {{},
                Quoted(item) +
                    ": a band's goal is rl=DB (a return loss) or tg=DB (a "
                    "transducer gain), as in 698M:960M:rl=10"};
      }
      if (rl && !(*db > 0.0 && *db <= 100.0)) {
        return {{}, Quoted(item) + ": a return loss to reach lies above 0 dB, at most 100 dB"};
      }
      if (tg && !(*db <= 0.0 && *db >= -100.0)) {
        return {{}, Quoted(item) + ": a transducer gain to reach lies from -100 dB to 0 dB"};
      }
      band.goal = BandGoal{tg ? BandFigure::kTransducerGain : BandFigure::kReturnLoss, *db};
    }
    r.bands.push_back(std::move(band));
  }
  return r;
}

ReadRejectsResult ReadRejects(std::string_view text, std::size_t points) {
  ReadRejectsResult r;
  for (const std::string_view item : Items(text)) {
    const RangeAndRest split = SplitRange(item, points);
    if (!split.axis.axis) return {{}, Quoted(item) + ": " + split.axis.error};
    RejectBand band{*split.axis.axis, kDefaultRejectDb};
    if (split.rest) {
      const auto db = Decibels(*split.rest);
      if (!db || !(*db > 0.0 && *db <= 200.0)) {
        return {{},
                Quoted(item) +
                    ": the attenuation to reach is a number of dB above 0, at "
                    "most 200 (4.8G:5G:30)"};
      }
      band.db = *db;
    }
    r.rejects.push_back(std::move(band));
  }
  return r;
}

std::string GoalText(const BandGoal& goal) {
  return std::string(goal.figure == BandFigure::kTransducerGain ? "tg=" : "rl=") +
         ShortestText(goal.db);
}

std::string BandsText(const std::vector<PassBand>& bands) {
  std::string s;
  for (const PassBand& b : bands) {
    s += (s.empty() ? "" : ", ") + AxisText(b.axis) + (b.goal ? ":" + GoalText(*b.goal) : "");
  }
  return s;
}

std::string RejectsText(const std::vector<RejectBand>& rejects) {
  std::string s;
  for (const RejectBand& b : rejects) {
    s += (s.empty() ? "" : ", ") + AxisText(b.axis) +
         (b.db != kDefaultRejectDb ? ":" + ShortestText(b.db) : "");
  }
  return s;
}

double MarginDb(double figure) {
  return 0.0 - 10.0 * portable::Log10(figure);
}

GoalPoints GoalPointsOf(const std::vector<PassBand>& bands, const std::vector<RejectBand>& rejects,
                        const std::vector<LoadState>& states, const Source& source,
                        BandFigure figure, const EfficiencyCurve* radiation) {
  GoalPoints g;
  const auto add = [&](const FrequencyAxis& axis, std::size_t band, std::size_t state, bool reject,
                       PointFigure kind, const auto& weight) {
    Segment s{band, state, reject, axis.Frequencies(), 0, g.points.size(), 0};
    const auto inside = [&](double hz) { return hz >= axis.start && hz <= axis.stop; };
    const std::vector<double>& measured = states[state].measured;
    s.measured_points =
        static_cast<std::size_t>(std::count_if(measured.begin(), measured.end(), inside));
    std::copy_if(measured.begin(), measured.end(), std::back_inserter(s.frequencies), inside);
    std::sort(s.frequencies.begin(), s.frequencies.end());
    s.frequencies.erase(std::unique(s.frequencies.begin(), s.frequencies.end()),
                        s.frequencies.end());
    const LoadModel& load = *states[state].load;
    for (const double hz : s.frequencies) {
      g.points.push_back(
          BandPoint{hz, kTwoPi * hz, load.At(hz), source.At(hz).z, kind, weight(hz)});
    }
    s.end = g.points.size();
    g.segments.push_back(std::move(s));
  };
  for (std::size_t state = 0; state < states.size(); ++state) {
    for (std::size_t b = 0; b < bands.size(); ++b) {
      const BandGoal goal = bands[b].goal.value_or(BandGoal{figure, 0.0});
      const double w = Power(goal.db);
      if (goal.figure == BandFigure::kReturnLoss) {
        add(bands[b].axis, b, state, false, PointFigure::kReflection, [w](double) { return w; });
      } else {
        add(bands[b].axis, b, state, false, PointFigure::kGain,
            [w, radiation](double hz) { return radiation != nullptr ? w / radiation->At(hz) : w; });
      }
    }
  }
  for (std::size_t state = 0; state < states.size(); ++state) {
    for (std::size_t b = 0; b < rejects.size(); ++b) {
      const double w = Power(rejects[b].db);
      add(rejects[b].axis, b, state, true, PointFigure::kReject, [w](double) { return w; });
    }
  }
  return g;
}

std::vector<BandPoint> Spread(const std::vector<BandPoint>& all, std::size_t most) {
  if (all.size() <= most) return all;
  std::vector<BandPoint> some;
  for (std::size_t i = 0; i < most; ++i) some.push_back(all[i * (all.size() - 1) / (most - 1)]);
  return some;
}

std::vector<BandPoint> SpreadSegments(const GoalPoints& g, std::size_t most) {
  if (g.segments.size() == 1) return Spread(g.points, most);
  std::vector<BandPoint> some;
  const auto total = static_cast<double>(g.points.size());
  for (const Segment& s : g.segments) {
    const std::vector<BandPoint> points(g.points.begin() + static_cast<long>(s.begin),
                                        g.points.begin() + static_cast<long>(s.end));
    const auto share = static_cast<std::size_t>(
        std::lround(static_cast<double>(most) * static_cast<double>(points.size()) / total));
    const std::vector<BandPoint> spread = Spread(points, std::max<std::size_t>(12, share));
    some.insert(some.end(), spread.begin(), spread.end());
  }
  return some;
}

}  // namespace vorda::rf
