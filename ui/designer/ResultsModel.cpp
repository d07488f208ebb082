#include "ui/designer/ResultsModel.h"

#include <QFont>
#include <cmath>

#include "rf/Units.h"

namespace vorda::designer {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Four significant digits.
QString Digits(double v) {
  return QString::number(v, 'g', 4);
}

// "10.13\u201322.81 MHz", "980 kHz\u20131.2 MHz", "\u2026\u201322.81 MHz": one
// unit when both edges share it; an edge beyond the search is "\u2026".
QString BandText(const std::optional<double>& low, const std::optional<double>& high) {
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

const rf::Part& Part(const rf::Network& n, bool first) {
  return n.elements[first ? 0 : 1].part;
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
  emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(set_.types.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
  // Compact, with the unit; the whole name in the tooltip.
  static const char* const kHeaders[kColumnCount] = {
      "Type", "Status",    "First part",         "Second part", "RL (dB)",
      "VSWR", "Loss (dB)", "VSWR \u2264 2 band", "QL"};
  static const char* const kNames[kColumnCount] = {
      "The L-section type",
      "Admitted, or why not",
      "The part on the source side: ideal \u2192 standard value",
      "The part at the load: ideal \u2192 standard value",
      "Return loss at the design frequency, with the parts as built",
      "VSWR at the design frequency, with the parts as built",
      "Dissipation loss in the parts at the design frequency",
      "The band around the design frequency where the VSWR stays at or below 2",
      "Loaded Q: the design frequency over the band's width"};
  if (role == Qt::DisplayRole) return QString::fromUtf8(kHeaders[section]);
  if (role == Qt::ToolTipRole) return QString::fromUtf8(kNames[section]);
  return {};
}

QVariant ResultsModel::Value(const rf::TypeResult& row, int column) const {
  if (!row.design) return {};
  const rf::TypeDesign& d = *row.design;
  switch (column) {
    case kColumnFirst:
    case kColumnSecond: {
      const rf::Part& part = Part(d.Chosen(), column == kColumnFirst);
      return part.IsReal() ? QVariant(part.value) : QVariant();
    }
    case kColumnReturnLoss:
      return row.at_design->return_loss_db ? QVariant(*row.at_design->return_loss_db) : QVariant();
    case kColumnVswr:
      return row.at_design->vswr ? QVariant(*row.at_design->vswr) : QVariant();
    case kColumnDissipation:
      return row.dissipation_db.value_or(0.0);
    case kColumnBand:
      if (d.band->low && d.band->high) return *d.band->high - *d.band->low;
      return {};
    case kColumnLoadedQ:
      return d.band->loaded_q ? QVariant(*d.band->loaded_q) : QVariant();
    default:
      break;
  }
  return {};
}

QString ResultsModel::Text(const rf::TypeResult& row, int column) const {
  const SectionType& type = *FindSectionType(row.engine.type_index);
  if (column == kColumnType) {
    return QStringLiteral("%1: %2").arg(row.engine.type_index).arg(Q(Caption(type)));
  }
  if (column == kColumnStatus) return Q(row.status);
  if (!row.design) return {};
  const rf::TypeDesign& d = *row.design;
  switch (column) {
    case kColumnFirst:
    case kColumnSecond: {
      const bool first = column == kColumnFirst;
      QString s = Q(rf::Describe(Part(d.ideal, first)));
      if (d.standard) s += " \u2192 " + Q(rf::Describe(Part(d.Chosen(), first)));
      return s;
    }
    case kColumnReturnLoss: {
      const auto& rl = row.at_design->return_loss_db;
      return rl ? Digits(*rl) : QStringLiteral("perfect");
    }
    case kColumnVswr:
      return row.at_design->vswr ? Digits(*row.at_design->vswr) : QStringLiteral("\u221e");
    case kColumnDissipation:
      return Digits(row.dissipation_db.value_or(0.0));
    case kColumnBand: {
      if (!d.band->holds) return QStringLiteral("none");
      return BandText(d.band->low, d.band->high);
    }
    case kColumnLoadedQ:
      return d.band->loaded_q ? Digits(*d.band->loaded_q) : QString();
    default:
      break;
  }
  return {};
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto r = static_cast<std::size_t>(index.row());
  const rf::TypeResult& row = set_.types[r];
  const bool best = set_.best == r;
  switch (role) {
    case Qt::DisplayRole: {
      QString text = Text(row, index.column());
      if (best && index.column() == kColumnType) text = QStringLiteral("\u2605 ") + text;
      return text;
    }
    case Qt::ToolTipRole:
      if (index.column() == kColumnType && best) return QStringLiteral("The best match");
      if (index.column() == kColumnFirst || index.column() == kColumnSecond) {
        const SectionType& type = *FindSectionType(row.engine.type_index);
        return Q(index.column() == kColumnFirst ? type.first_component : type.second_component) +
               ": " + Text(row, index.column());
      }
      if (index.column() == kColumnStatus && row.engine.run.outcome == Outcome::kRefused) {
        return QStringLiteral("This type cannot match a load %1.")
            .arg(Q(rf::RegionWords(row.engine.run.region.value_or(0))));
      }
      return Text(row, index.column());
    case Qt::FontRole: {
      if (!best) return {};
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    case kValueRole:
      return Value(row, index.column());
    case kSortRole: {
      if (index.column() == kColumnType) return index.row();
      if (index.column() == kColumnStatus) return Q(row.status);
      const QVariant v = Value(row, index.column());
      if (!row.design) return -HUGE_VAL;  // refused types last
      if (index.column() == kColumnReturnLoss && !v.isValid()) return HUGE_VAL;  // perfect
      return v.isValid() ? v : QVariant(-HUGE_VAL);
    }
    default:
      break;
  }
  return {};
}

}  // namespace vorda::designer
