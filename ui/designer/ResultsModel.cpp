#include "ui/designer/ResultsModel.h"

#include <QFont>
#include <cmath>

#include "rf/circuit/Units.h"

namespace vorda::designer {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Four significant digits.
QString Digits(double v) {
  return QString::number(v, 'g', 4);
}

QString DigitsOr(const std::optional<double>& v, const QString& none) {
  return v ? Digits(*v) : none;
}

// "10.13\u201322.81 MHz", "980 kHz\u20131.2 MHz", "\u2026\u201322.81 MHz": one
// unit when both edges share it; an edge beyond the search is "\u2026".
QString BandEdges(const std::optional<double>& low, const std::optional<double>& high) {
  const auto text = [](const std::optional<double>& hz) {
    return hz ? Q(rf::FormatEngineering(*hz, "Hz")) : QStringLiteral("\u2026");
  };
  const QString a = text(low), b = text(high);
  const qsizetype space_a = a.indexOf(' '), space_b = b.indexOf(' ');
  if (space_a > 0 && space_b > 0 && a.mid(space_a) == b.mid(space_b)) {
    return a.left(space_a) + QStringLiteral("\u2013") + b;
  }
  return a + QStringLiteral("\u2013") + b;
}

// "92.88 pF \u2192 100 pF, 18.52 nH \u2192 22 nH": each part, ideal then
// standard; with more than two, their kind first ("C 73.97 pF, L ...").
QString PartsText(const rf::Network& ideal, const std::optional<rf::Network>& standard) {
  QString s;
  const bool kinds = ideal.elements.size() > 2;
  for (std::size_t i = 0; i < ideal.elements.size(); ++i) {
    const rf::Part& p = ideal.elements[i].part;
    if (i > 0) s += QStringLiteral(", ");
    if (kinds && p.kind == rf::Part::Kind::kInductor) s += QStringLiteral("L ");
    if (kinds && p.kind == rf::Part::Kind::kCapacitor) s += QStringLiteral("C ");
    s += Q(rf::Describe(p));
    if (standard && p.IsReal()) {
      s += QStringLiteral(" \u2192 ") + Q(rf::Describe(standard->elements[i].part));
    }
  }
  return s;
}

QVariant PartValues(const rf::Network& chosen) {
  QVariantList values;
  for (const rf::Element& e : chosen.elements) {
    values.append(e.part.IsReal() ? QVariant(e.part.value) : QVariant());
  }
  return values;
}

QVariant OrNone(const std::optional<double>& v) {
  return v ? QVariant(*v) : QVariant();
}

}  // namespace

void ResultsModel::SetDesigns(rf::DesignResult set) {
  if (set.types.size() != set_.types.size()) {
    beginResetModel();
    set_ = std::move(set);
    endResetModel();
    return;
  }
  set_ = std::move(set);  // the same rows: a selection stays where it is
  emit dataChanged(index(0, 0), index(static_cast<int>(set_.types.size()) - 1, kColumnCount - 1));
}

void ResultsModel::SetBand(std::optional<rf::BandResult> band) {
  beginResetModel();
  band_ = std::move(band);
  endResetModel();
}

void ResultsModel::SetTuned(std::optional<rf::TypeResult> tuned, const QString& from) {
  if (tuned.has_value() == tuned_.has_value()) {
    tuned_ = std::move(tuned);
    if (!from.isEmpty()) tuned_from_ = from;
    if (tuned_) emit dataChanged(index(TunedRow(), 0), index(TunedRow(), kColumnCount - 1));
    return;
  }
  beginResetModel();
  tuned_ = std::move(tuned);
  tuned_from_ = from;
  endResetModel();
}

int ResultsModel::TunedRow() const {
  return tuned_ ? rowCount() - 1 : -1;
}

const rf::TypeResult* ResultsModel::TypeAt(int row) const {
  if (tuned_ && row == TunedRow()) return &*tuned_;
  if (row < 0 || static_cast<std::size_t>(row) >= set_.types.size()) return nullptr;
  return &set_.types[static_cast<std::size_t>(row)];
}

const rf::BandDesign* ResultsModel::BandAt(int row) const {
  const auto at = static_cast<std::size_t>(row) - set_.types.size();
  if (row < 0 || !band_ || static_cast<std::size_t>(row) < set_.types.size() ||
      at >= band_->designs.size()) {
    return nullptr;
  }
  return &band_->designs[at];
}

const rf::Network* ResultsModel::BuiltAt(int row) const {
  if (const rf::TypeResult* t = TypeAt(row)) return t->design ? &t->design->evaluated : nullptr;
  if (const rf::BandDesign* b = BandAt(row)) return &b->evaluated;
  return nullptr;
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(set_.types.size() + (band_ ? band_->designs.size() : 0) +
                          (tuned_ ? 1 : 0));
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
  // Compact, with the unit; the whole name in the tooltip.
  static const char* const kHeaders[kColumnCount] = {
      "Network",   "Status",  "Parts",   "RL (dB)", "VSWR",
      "Loss (dB)", "IL (dB)", "2f (dB)", "3f (dB)", "VSWR \u2264 2 band",
      "QL"};
  static const char* const kNames[kColumnCount] = {
      "The L-section type or the network",
      "Admitted, or why not",
      "The parts from the source side: ideal \u2192 standard value",
      "Return loss at the design frequency, with the parts as built (over a band: the worst)",
      "VSWR at the design frequency, with the parts as built (over a band: the worst)",
      "Dissipation loss in the parts at the design frequency",
      "Insertion loss at the design frequency: the power the load does not get",
      "How much more the second harmonic is attenuated than the design frequency",
      "How much more the third harmonic is attenuated than the design frequency",
      ("The band around the design frequency where the VSWR stays at or below 2 (over a band: "
       "the share of it where it does)"),
      "Loaded Q: the design frequency over the band's width"};
  if (role == Qt::DisplayRole) return QString::fromUtf8(kHeaders[section]);
  if (role == Qt::ToolTipRole) return QString::fromUtf8(kNames[section]);
  return {};
}

QVariant ResultsModel::Value(int r, int column) const {
  if (const rf::BandDesign* b = BandAt(r)) {
    const rf::BandFigures& f = b->figures;
    switch (column) {
      case kColumnParts:
        return PartValues(b->evaluated);
      case kColumnReturnLoss:
        return OrNone(f.worst_return_loss_db);
      case kColumnVswr:
        return f.worst_gamma < 1 ? QVariant((1 + f.worst_gamma) / (1 - f.worst_gamma)) : QVariant();
      case kColumnDissipation:
        return f.dissipation_centre_db;
      case kColumnInsertion:
        return OrNone(b->harmonics.insertion_loss_db);
      case kColumnSecondHarmonic:
        return OrNone(b->harmonics.attenuation_2f_db);
      case kColumnThirdHarmonic:
        return OrNone(b->harmonics.attenuation_3f_db);
      case kColumnBand:
        return f.vswr2_coverage;
      default:
        return {};
    }
  }
  const rf::TypeResult* row = TypeAt(r);
  if (row == nullptr || !row->design) return {};
  const rf::TypeDesign& d = *row->design;
  switch (column) {
    case kColumnParts:
      return PartValues(d.Chosen());
    case kColumnReturnLoss:
      return OrNone(row->at_design->return_loss_db);
    case kColumnVswr:
      return OrNone(row->at_design->vswr);
    case kColumnDissipation:
      return row->dissipation_db.value_or(0.0);
    case kColumnInsertion:
      return OrNone(d.harmonics.insertion_loss_db);
    case kColumnSecondHarmonic:
      return OrNone(d.harmonics.attenuation_2f_db);
    case kColumnThirdHarmonic:
      return OrNone(d.harmonics.attenuation_3f_db);
    case kColumnBand:
      if (d.band->low && d.band->high) return *d.band->high - *d.band->low;
      return {};
    case kColumnLoadedQ:
      return OrNone(d.band->loaded_q);
    default:
      break;
  }
  return {};
}

QString ResultsModel::BandText(int r, const rf::BandDesign& b, int column) const {
  const rf::BandFigures& f = b.figures;
  switch (column) {
    case kColumnType:
      return QStringLiteral("Band: ") + Q(rf::KindName(b.kind));
    case kColumnStatus:
      return QStringLiteral("optimised over the band");
    case kColumnParts:
      return PartsText(b.ideal, b.standard);
    case kColumnReturnLoss:
      return DigitsOr(f.worst_return_loss_db, QStringLiteral("perfect"));
    case kColumnBand:
      return QStringLiteral("%1 % of it").arg(Digits(100 * f.vswr2_coverage));
    default:
      break;
  }
  const QVariant v = Value(r, column);
  return v.isValid() ? Digits(v.toDouble()) : QString();
}

QString ResultsModel::Text(int r, int column) const {
  if (const rf::BandDesign* b = BandAt(r)) return BandText(r, *b, column);
  const rf::TypeResult& row = *TypeAt(r);
  if (column == kColumnType && r == TunedRow()) return QStringLiteral("Tuned: ") + tuned_from_;
  if (column == kColumnType) {
    if (row.kind.topology != rf::Topology::kL) return Q(rf::KindName(row.kind));
    return QStringLiteral("%1: %2")
        .arg(row.kind.type)
        .arg(Q(Caption(*FindSectionType(row.kind.type))));
  }
  if (column == kColumnStatus) return Q(row.status);
  if (!row.design) return {};
  const rf::TypeDesign& d = *row.design;
  switch (column) {
    case kColumnParts:
      return PartsText(d.ideal, d.standard);
    case kColumnReturnLoss:
      return DigitsOr(row.at_design->return_loss_db, QStringLiteral("perfect"));
    case kColumnVswr:
      return DigitsOr(row.at_design->vswr, QStringLiteral("\u221e"));
    case kColumnInsertion:
      return DigitsOr(d.harmonics.insertion_loss_db, QStringLiteral("\u2013"));
    case kColumnSecondHarmonic:
      return DigitsOr(d.harmonics.attenuation_2f_db, QStringLiteral("\u2013"));
    case kColumnThirdHarmonic:
      return DigitsOr(d.harmonics.attenuation_3f_db, QStringLiteral("\u2013"));
    case kColumnDissipation:
      return Digits(row.dissipation_db.value_or(0.0));
    case kColumnBand:
      return d.band->holds ? BandEdges(d.band->low, d.band->high) : QStringLiteral("none");
    case kColumnLoadedQ:
      return DigitsOr(d.band->loaded_q, QString());
    default:
      break;
  }
  return {};
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const int r = index.row();
  const rf::TypeResult* row = TypeAt(r);
  const bool best = row != nullptr && set_.best == static_cast<std::size_t>(r);
  switch (role) {
    case Qt::DisplayRole: {
      QString text = Text(r, index.column());
      if (best && index.column() == kColumnType) text = QStringLiteral("\u2605 ") + text;
      return text;
    }
    case Qt::ToolTipRole:
      if (index.column() == kColumnType && best) return QStringLiteral("The best match");
      if (index.column() == kColumnStatus && row != nullptr && row->engine &&
          row->engine->run.outcome == Outcome::kRefused) {
        return QStringLiteral("This type cannot match a load %1.")
            .arg(Q(rf::RegionWords(row->engine->run.region.value_or(0))));
      }
      return Text(r, index.column());
    case Qt::FontRole: {
      if (!best) return {};
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    case kValueRole:
      return Value(r, index.column());
    case kSortRole: {
      if (index.column() == kColumnType) return r;
      if (index.column() == kColumnStatus) return Text(r, kColumnStatus);
      if (BuiltAt(r) == nullptr) return -HUGE_VAL;  // refused rows last
      const QVariant v = Value(r, index.column());
      if (index.column() == kColumnParts) return Text(r, kColumnParts);
      if (index.column() == kColumnReturnLoss && !v.isValid()) return HUGE_VAL;  // perfect
      return v.isValid() ? v : QVariant(-HUGE_VAL);
    }
    default:
      break;
  }
  return {};
}

}  // namespace vorda::designer
