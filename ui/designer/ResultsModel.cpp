#include "ui/designer/ResultsModel.h"
#include <algorithm>
#include <iterator>

#include <QFont>
#include <cmath>

#include "rf/circuit/NetworkText.h"
#include "rf/circuit/Units.h"
#include "rf/request/GoalTexts.h"
#include "ui/designer/SchematicHtml.h"

namespace vorda::designer {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// "92.88 pF \u2192 100 pF, 18.52 nH \u2192 22 nH": each part, ideal then
// standard; with more than two, their kind first ("C 73.97 pF, L ...").
QString PartsText(const rf::Network& ideal, const std::optional<rf::Network>& standard) {
  QString s;
  const bool kinds = ideal.elements.size() > 2;
  for (std::size_t i = 0; i < ideal.elements.size(); ++i) {
    const rf::Element& e = ideal.elements[i];
    const rf::Part& p = e.part;
    if (i > 0) s += QStringLiteral(", ");
    if (kinds && e.IsPart() && p.kind == rf::Part::Kind::kInductor) s += QStringLiteral("L ");
    if (kinds && e.IsPart() && p.kind == rf::Part::Kind::kCapacitor) s += QStringLiteral("C ");
    s += Q(rf::DescribeElement(e));
    if (standard && e.IsPart()) {
      s += QStringLiteral(" \u2192 ") + Q(rf::Describe(standard->elements[i].part));
    }
  }
  return s;
}

// The parts as they are bought: the standard values with a series, the
// ideal ones otherwise ("C 820 pF, L 270 nH, C 1 nF").
QString ChosenText(const rf::Network& chosen) {
  return PartsText(chosen, std::nullopt);
}

// The status in a word or two; the whole of it is in the tooltip.
QString ShortStatus(const rf::Row& t) {
  switch (t.verdict) {
    case rf::Verdict::kDesigned:
      switch (t.origin) {
        case rf::Origin::kOverBand:
          return QStringLiteral("optimised");
        case rf::Origin::kTuned:
          return QStringLiteral("tuned");
        case rf::Origin::kGiven:
          return QStringLiteral("given");
        case rf::Origin::kAtFrequency:
          break;
      }
      return QStringLiteral("admitted");
    case rf::Verdict::kAlreadyMatched:
      return QStringLiteral("matched");
    case rf::Verdict::kNotComputable:
      return QStringLiteral("not computable");
    case rf::Verdict::kRefused:
      return QStringLiteral("refused");
    case rf::Verdict::kNotComputed:
      break;
  }
  return t.engine && t.engine->run.outcome == Outcome::kFault ? QStringLiteral("stopped")
                                                              : QStringLiteral("refused");
}

QVariant PartValues(const rf::Network& chosen) {
  QVariantList values;
  for (const rf::Element& e : chosen.elements) {
    values.append(e.part.IsReal() ? QVariant(e.part.value) : QVariant());
  }
  return values;
}

}  // namespace

int FigureColumn(const rf::Figure& figure) {
  return kFirstFigureColumn + static_cast<int>(&figure - rf::Figures().data());
}

const rf::Figure* FigureOf(int column) {
  const auto at = static_cast<std::size_t>(column - kFirstFigureColumn);
  if (column < kFirstFigureColumn || at >= rf::Figures().size()) return nullptr;
  return &rf::Figures()[at];
}

int ColumnCount() {
  return kFirstFigureColumn + static_cast<int>(rf::Figures().size());
}

namespace {

// The goal columns of a result: none for one band of one load.
std::vector<std::pair<int, std::size_t>> GoalLayout(const rf::DesignResult& r) {
  std::vector<std::pair<int, std::size_t>> layout;  // (0 pass, 1 reject, 2 worst), index
  if (!r.plan || !r.plan->band || r.plan->band->Single() || !r.band) return layout;
  std::size_t pass = 0, reject = 0;
  std::transform(r.band->segments.begin(), r.band->segments.end(), std::back_inserter(layout),
                 [&](const rf::Segment& s) {
                   return std::pair(s.reject ? 1 : 0, s.reject ? reject++ : pass++);
                 });
  layout.emplace_back(2, 0);
  return layout;
}

}  // namespace

void ResultsModel::SetResult(rf::DesignResult result) {
  std::vector<GoalColumn> goals;
  const auto layout = GoalLayout(result);
  for (std::size_t k = 0; k < layout.size(); ++k) {
    const auto [kind, i] = layout[k];
    using W = GoalColumn::What;
    if (kind == 2) {
      goals.push_back({W::kWorstMargin, 0, QStringLiteral("Margin (dB)"),
                       QStringLiteral("the worst margin to the goals over every band")});
      continue;
    }
    const rf::Segment& seg = result.band->segments[k];
    const QString name = Q(rf::SegmentName(result.plan->request, seg));
    const QString tag =
        QStringLiteral("%1%2%3")
            .arg(seg.reject ? QStringLiteral("R") : QStringLiteral("B"))
            .arg(seg.band + 1)
            .arg(seg.state > 0 ? QStringLiteral("/%1").arg(seg.state + 1) : QString());
    if (kind == 1) {
      goals.push_back({W::kAttenuation, i, tag + QStringLiteral(" att. (dB)"),
                       name + QStringLiteral(": the least attenuation")});
      continue;
    }
    goals.push_back({W::kWorstReturnLoss, i, tag + QStringLiteral(" RL (dB)"),
                     name + QStringLiteral(": the worst return loss")});
    goals.push_back({W::kMargin, i, tag + QStringLiteral(" margin (dB)"),
                     name + QStringLiteral(": the worst margin to its goal")});
  }
  const bool same_columns =
      goals.size() == goal_columns_.size() &&
      std::equal(goals.begin(), goals.end(), goal_columns_.begin(),
                 [](const GoalColumn& a, const GoalColumn& b) { return a.title == b.title; });
  const bool same_rows =
      same_columns && result.rows.size() == result_.rows.size() &&
      std::equal(result.rows.begin(), result.rows.end(), result_.rows.begin(),
                 [](const rf::Row& a, const rf::Row& b) { return rf::RowKey(a) == rf::RowKey(b); });
  if (!same_rows) {
    beginResetModel();
    result_ = std::move(result);
    band_best_ = rf::BandBest(result_);
    goal_columns_ = std::move(goals);
    endResetModel();
    return;
  }
  result_ = std::move(result);  // the same rows: a selection stays where it is
  band_best_ = rf::BandBest(result_);
  goal_columns_ = std::move(goals);
  if (!result_.rows.empty()) {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }
}

const ResultsModel::GoalColumn* ResultsModel::GoalAt(int column) const {
  const int at = column - ColumnCount();
  if (at < 0 || at >= GoalColumns()) return nullptr;
  return &goal_columns_[static_cast<std::size_t>(at)];
}

std::optional<double> ResultsModel::GoalValue(const rf::Row& t, const GoalColumn& g) const {
  if (!t.goals) return std::nullopt;
  const rf::GoalFigures& f = *t.goals;
  switch (g.what) {
    case GoalColumn::What::kWorstReturnLoss:
      return f.bands[g.index].worst_return_loss_db;
    case GoalColumn::What::kMargin:
      return f.margins_db[g.index];
    case GoalColumn::What::kAttenuation:
      return f.rejects[g.index].attenuation_db;
    case GoalColumn::What::kWorstMargin:
      break;
  }
  return f.worst_margin_db;
}

const rf::Row* ResultsModel::RowAt(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= result_.rows.size()) return nullptr;
  return &result_.rows[static_cast<std::size_t>(row)];
}

int ResultsModel::RowOfKey(const std::string& key) const {
  for (std::size_t i = 0; i < result_.rows.size(); ++i) {
    if (rf::RowKey(result_.rows[i]) == key) return static_cast<int>(i);
  }
  return -1;
}

const rf::Network* ResultsModel::BuiltAt(int row) const {
  const rf::Row* t = RowAt(row);
  return t != nullptr && t->design ? &t->design->built : nullptr;
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(result_.rows.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount() + GoalColumns();
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (const GoalColumn* g = GoalAt(section)) {
    if (role == Qt::DisplayRole) return g->title;
    if (role == Qt::ToolTipRole) return g->tooltip;
    return {};
  }
  // Compact, with the unit; the whole name in the tooltip.
  static const char* const kHeaders[] = {"Network", "Status", "Parts"};
  static const char* const kNames[] = {
      "The L-section type or the network", "Admitted, or why not",
      "The parts from the source side: ideal \u2192 standard value"};
  const rf::Figure* f = FigureOf(section);
  if (role == Qt::DisplayRole) {
    return QString::fromUtf8(f != nullptr ? f->title : kHeaders[section]);
  }
  if (role == Qt::ToolTipRole) return QString::fromUtf8(f != nullptr ? f->csv : kNames[section]);
  return {};
}

QVariant ResultsModel::Value(const rf::Row& t, int column) const {
  if (!t.design) return {};
  if (const GoalColumn* g = GoalAt(column)) {
    const auto v = GoalValue(t, *g);
    return v ? QVariant(*v) : QVariant();
  }
  if (column == kColumnParts) return PartValues(t.design->Chosen());
  const rf::Figure* f = FigureOf(column);
  if (f == nullptr || !rf::HasGroup(t, f->group)) return {};
  if (f->format == rf::FigureFormat::kImpedance) {
    const auto z = f->impedance(t);
    return z ? QVariant(QVariantList{z->real(), z->imag()}) : QVariant();
  }
  const auto v = f->value(t);
  return v ? QVariant(*v) : QVariant();
}

QString ResultsModel::Text(const rf::Row& t, int column) const {
  // An L type at the frequency by its number and parts, as its option button
  // names it ("2: Shunt C, Series L"); every other row by its name.
  if (column == kColumnType && t.kind.topology == rf::Topology::kL &&
      t.origin == rf::Origin::kAtFrequency) {
    return QStringLiteral("%1: %2%3")
        .arg(t.kind.type)
        .arg(Q(Caption(*FindSectionType(t.kind.type))),
             t.solution > 0 ? QStringLiteral(" (2nd)") : QString());
  }
  if (column == kColumnType) return Q(rf::RowName(t));
  if (column == kColumnStatus) return ShortStatus(t);
  if (!t.design) return {};
  if (column == kColumnParts) return ChosenText(t.design->Chosen());
  if (const GoalColumn* g = GoalAt(column)) {
    if (!t.goals) return {};
    const bool blocked = g->what == GoalColumn::What::kWorstMargin ? t.goals->worst_blocked
                         : g->what == GoalColumn::What::kMargin    ? t.goals->blocked[g->index]
                                                                   : false;
    const auto v = GoalValue(t, *g);
    if (blocked) return QStringLiteral("none");
    if (!v) return QStringLiteral("\u221e");  // a perfect match, a band rejected entirely
    return Q(rf::DigitsText(*v, 4));
  }
  const rf::Figure* f = FigureOf(column);
  if (f == nullptr || !rf::HasGroup(t, f->group)) return {};
  const bool empty = f->format == rf::FigureFormat::kImpedance ? !f->impedance(t) : !f->value(t);
  if (empty) return QString::fromUtf8(f->short_none);  // the whole word in the tooltip
  return Q(rf::FigureText(*f, t, false));
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
  const rf::Row* t = index.isValid() ? RowAt(index.row()) : nullptr;
  if (t == nullptr) return {};
  const int c = index.column();
  // The best at the frequency and the best over the band, each starred in
  // its table.
  const bool band_best = band_best_ == static_cast<std::size_t>(index.row());
  const bool best = band_best || result_.best == static_cast<std::size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole: {
      QString text = Text(*t, c);
      if (best && c == kColumnType) text = QStringLiteral("\u2605 ") + text;
      return text;
    }
    case Qt::ToolTipRole: {
      if (c == kColumnType) {
        // The network drawn, under "The best match" for the best.
        const QString best_text = band_best ? QStringLiteral("The best match over the band")
                                  : best    ? QStringLiteral("The best match")
                                            : QString();
        if (!t->design) return best_text;
        return QStringLiteral("<p>%1</p>%2").arg(best_text, SchematicHtml(t->design->ideal));
      }
      if (c == kColumnStatus && t->engine && t->engine->run.outcome == Outcome::kRefused) {
        return QStringLiteral("%1: this type cannot match a load %2.")
            .arg(Q(rf::StatusText(*t)), Q(rf::RegionWords(t->engine->run.region.value_or(0))));
      }
      if (c == kColumnStatus) return Q(rf::StatusText(*t));
      if (c == kColumnParts && t->design) {
        return PartsText(t->design->ideal, t->design->standard);  // ideal \u2192 standard
      }
      const rf::Figure* f = FigureOf(c);
      if (f != nullptr && t->design && rf::HasGroup(*t, f->group)) {
        return QString::fromUtf8(f->label) + QStringLiteral(": ") + Q(rf::FigureText(*f, *t));
      }
      return Text(*t, c);
    }
    case Qt::FontRole: {
      if (!best) return {};
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    case kValueRole:
      return Value(*t, c);
    case kKeyRole:
      return Q(rf::RowKey(*t));
    case kOriginRole:
      return static_cast<int>(t->origin);
    case kSortRole: {
      if (c == kColumnType) return index.row();
      if (c == kColumnStatus) return Text(*t, kColumnStatus);
      if (!t->design) return -HUGE_VAL;  // refused rows last
      if (c == kColumnParts) return Text(*t, kColumnParts);
      const QVariant v = Value(*t, c);
      const rf::Figure* f = FigureOf(c);
      if (!v.isValid()) return f != nullptr && f->none_is_best ? HUGE_VAL : -HUGE_VAL;
      return v.typeId() == QMetaType::QVariantList ? v.toList().at(0) : v;
    }
    default:
      break;
  }
  return {};
}

}  // namespace vorda::designer
