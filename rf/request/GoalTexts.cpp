#include "rf/request/GoalTexts.h"

#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

std::string Db(double db) {
  return DigitsText(db, 4) + " dB";
}

}  // namespace

std::string SegmentName(const DesignRequest& r, const Segment& s) {
  const FrequencyAxis& a = s.reject ? r.rejects[s.band].axis : r.bands[s.band].axis;
  std::string name = std::string(s.reject ? "reject band " : "band ") + std::to_string(s.band + 1) +
                     ", " + RangeText(a.start, a.stop);
  if (!r.states.empty()) {
    name += ", in " + (s.state == 0 ? r.measurement_name : r.states[s.state - 1].name);
  }
  return name;
}

std::string GoalName(const std::optional<BandGoal>& goal) {
  if (!goal) return "none";
  return std::string(BandFigureName(goal->figure)) + " " + Db(goal->db);
}

std::string MarginText(const std::optional<double>& margin_db, bool blocked) {
  if (blocked) return "none (no power reaches the load)";
  if (!margin_db) return "infinite (a perfect match)";
  return Db(*margin_db);
}

std::string RejectText(const RejectFigures& j) {
  std::string s = j.attenuation_db ? "attenuated at least " + Db(*j.attenuation_db)
                                   : std::string("no power passes");
  if (!j.margin_db) return s + ", met";
  return s + (j.met ? ", met by " : ", missed by ") + Db(std::fabs(*j.margin_db));
}

Row BandRow(const BandFigures& figures) {
  Row t;
  t.band = figures;
  return t;
}

}  // namespace vorda::rf
