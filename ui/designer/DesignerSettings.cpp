// What the designer keeps between runs: its inputs, the measurement, what
// "best" means and its size.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <QSplitter>

#include "rf/files/PartLibraryFile.h"
#include "rf/synthesis/Ladders.h"
#include "ui/designer/DesignerWindow.h"
#include "ui/designer/ResponseChart.h"
#include "ui/designer/SmithChart.h"

namespace vorda::designer {

namespace {

QSettings Settings(const SettingsPlace& place) {
  return QSettings(place.organization, place.application);
}

// Stable keys, whatever the fields are labelled: by Field. (Keys differ from
// the former ones in more than case: the Windows registry ignores case.)
constexpr const char* kFieldKeys[rf::kFieldCount] = {
    "design/z0",          "design/source",   "design/load_r",     "design/load_x",
    "design/hertz",       "design/band",     "design/series",     "design/q_inductor",
    "design/q_capacitor", "design/loaded_q", "design/sweep_span", "design/tolerance"};
constexpr const char* kRankingKey = "design/best_by";
constexpr const char* kMeasurementKey = "design/measurement";
// Where earlier versions kept the inputs: under the fields' labels.
constexpr const char* kFormerGroup = "inputs";

// A value under its key, or else once under the key an earlier version used.
QVariant Stored(const QSettings& s, const char* key, const QString& former) {
  const QString k = QString::fromLatin1(key);
  if (s.contains(k)) return s.value(k);
  return s.value(QStringLiteral("%1/%2").arg(QString::fromLatin1(kFormerGroup), former));
}

}  // namespace

void DesignerWindow::LoadSettings() {
  QSettings s = Settings(settings_);
  for (std::size_t i = 0; i < rf::kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    const QVariant v = Stored(s, kFieldKeys[i], QString::fromLatin1(rf::FieldName(field)));
    if (Input(field) != nullptr && v.isValid()) Input(field)->setText(v.toString());
  }
  // The series by its name ("E24", "Ideal"), the ranking by its key (or,
  // from an earlier version, by the box's text).
  const QString series =
      Stored(s, kFieldKeys[static_cast<std::size_t>(Field::kSeries)], QStringLiteral("Series"))
          .toString();
  const auto parsed = rf::ParseSeries(series.toStdString());
  if (parsed || series.compare(QStringLiteral("ideal"), Qt::CaseInsensitive) == 0) {
    panel_->SetSeries(parsed);
  }
  panel_->SetPackage(
      rf::ParsePackage(s.value(QStringLiteral("design/package")).toString().toStdString()));
  // The library is read again; one that has gone is let go quietly.
  const QString library = s.value(QStringLiteral("design/parts_library")).toString();
  if (!library.isEmpty()) {
    try {
      library_ = rf::ReadPartLibrary(QFile::encodeName(library).toStdString());
      library_path_ = library;
      panel_->SetLibrary(QFileInfo(library).fileName(),
                         s.value(QStringLiteral("design/use_library")).toBool());
    } catch (const std::runtime_error&) {
      library_.reset();
    }
  }
  const QString ranking = Stored(s, kRankingKey, QStringLiteral("Best by")).toString();
  if (const auto key = rf::ParseRanking(ranking.toStdString())) panel_->SetRanking(*key);
  for (std::size_t r = 0; r < rf::kRankingCount; ++r) {
    if (ranking == RankingChoice(static_cast<rf::Ranking>(r))) {
      panel_->SetRanking(static_cast<rf::Ranking>(r));
    }
  }
  panel_->SetMaxParts(s.value(QStringLiteral("design/max_parts"), rf::kDefaultMaxParts).toInt());
  smith_->SetGrid(
      static_cast<SmithGrid>(std::clamp(s.value(QStringLiteral("view/grid"), 0).toInt(), 0, 2)));
  for (QAction* a : findChildren<QAction*>()) {
    if (a->objectName().startsWith(QStringLiteral("actGrid"))) {
      a->setChecked(a->data().toInt() == static_cast<int>(smith_->Grid()));
    }
  }
  PlotBox()->setCurrentIndex(std::clamp(s.value(QStringLiteral("view/plot"), 0).toInt(), 0, 3));
  restoreGeometry(s.value(QStringLiteral("window/geometry")).toByteArray());
  split_restored_ = main_split_->restoreState(s.value(QStringLiteral("window/main")).toByteArray());
  chart_split_->restoreState(s.value(QStringLiteral("window/charts")).toByteArray());
  const QString measurement = Stored(s, kMeasurementKey, QStringLiteral("measurement")).toString();
  if (!measurement.isEmpty() && QFileInfo::exists(measurement)) OpenMeasurement(measurement);
}

void DesignerWindow::SaveSettings() const {
  QSettings s = Settings(settings_);
  for (std::size_t i = 0; i < rf::kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    const bool measured = field == Field::kLoadR || field == Field::kLoadX;
    if (Input(field) == nullptr || (measurement_ && measured)) continue;
    s.setValue(QString::fromLatin1(kFieldKeys[i]), Input(field)->text());
  }
  const auto series = panel_->Series();
  s.setValue(QString::fromLatin1(kFieldKeys[static_cast<std::size_t>(Field::kSeries)]),
             QString::fromLatin1(series ? rf::SeriesName(*series) : "Ideal"));
  s.setValue(QString::fromLatin1(kRankingKey),
             QString::fromLatin1(rf::RankingKey(panel_->Ranking())));
  s.setValue(QStringLiteral("design/max_parts"), panel_->MaxParts());
  s.setValue(QString::fromLatin1(kMeasurementKey), measurement_path_);
  const auto package = panel_->Package();
  s.setValue(QStringLiteral("design/package"),
             QString::fromLatin1(package ? rf::PackageName(*package) : ""));
  s.setValue(QStringLiteral("design/parts_library"), library_path_);
  s.setValue(QStringLiteral("design/use_library"), panel_->UsesLibrary());
  s.remove(QString::fromLatin1(kFormerGroup));  // read once, now under the stable keys
  s.setValue(QStringLiteral("view/grid"), static_cast<int>(smith_->Grid()));
  s.setValue(QStringLiteral("view/plot"), PlotBox()->currentIndex());
  s.setValue(QStringLiteral("window/geometry"), saveGeometry());
  s.setValue(QStringLiteral("window/main"), main_split_->saveState());
  s.setValue(QStringLiteral("window/charts"), chart_split_->saveState());
}

void DesignerWindow::closeEvent(QCloseEvent* event) {
  SaveSettings();
  event->accept();
}

}  // namespace vorda::designer
