#include "ui/designer/DesignInputs.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <QSignalBlocker>

#include "rf/circuit/Units.h"
#include "rf/files/InputFile.h"
#include "rf/files/MeasurementReader.h"
#include "rf/files/PartLibraryFile.h"
#include "rf/files/TwoPortReader.h"
#include "rf/request/ProjectFile.h"
#include "rf/synthesis/Ladders.h"
#include "ui/designer/DesignerTitle.h"

namespace vorda::designer {

namespace {

constexpr const char* kRankingKey = "design/best_by";
constexpr const char* kMeasurementKey = "design/measurement";
// Where earlier versions kept the inputs: under the fields' names.
constexpr const char* kFormerGroup = "inputs";
// How earlier versions kept "best by": as the words of its choice.
constexpr std::pair<const char*, rf::Ranking> kFormerRankings[] = {
    {"Return loss", rf::Ranking::kReturnLoss},
    {"Dissipation loss", rf::Ranking::kDissipation},
    {"Bandwidth", rf::Ranking::kBandwidth},
    {"Low-pass first", rf::Ranking::kLowPassFirst},
    {"Transducer gain", rf::Ranking::kTransducerGain},
    {"Yield", rf::Ranking::kYield},
};

// A value under its key, or else once under the key an earlier version used.
QVariant Stored(const QSettings& s, const char* key, const char* former) {
  const QString k = QString::fromLatin1(key);
  if (s.contains(k)) return s.value(k);
  return s.value(
      QStringLiteral("%1/%2").arg(QString::fromLatin1(kFormerGroup), QString::fromLatin1(former)));
}

QString Hz(double hertz) {
  return QString::fromStdString(rf::FormatEngineering(hertz, "Hz"));
}

// How the inputs name a file: absolute, as a project's paths read back.
QString Absolute(const QString& path) {
  return QString::fromStdString(rf::AbsolutePath(path.toStdString()));
}

}  // namespace

DesignInputs::DesignInputs(MessageBoxes& boxes, QWidget* parent)
    : QObject(parent), boxes_(boxes), panel_(new InputPanel(parent)) {
  connect(panel_, &InputPanel::Changed, this, &DesignInputs::Changed);
}

rf::ReadRequest DesignInputs::Read(std::size_t sweep_points) const {
  rf::ReadRequest read = rf::ProjectRequest(Gathered(), Files(), sweep_points);
  panel_->Mark(read.error ? std::optional<Field>(read.error->field) : std::nullopt);
  return read;
}

rf::Project DesignInputs::Gathered() const {
  rf::Project p;
  p.texts = panel_->Texts();
  p.series = panel_->Series();
  p.use_library = panel_->UsesLibrary() && library_ != nullptr;
  p.package = panel_->Package();
  p.ranking = panel_->Ranking();
  p.max_parts = panel_->MaxParts();
  p.elements = panel_->Elements();
  p.measurement = measurement_ ? measurement_path_.toStdString() : std::string();
  for (const QString& state : state_paths_) p.states.push_back(state.toStdString());
  p.fixture = fixture_ ? fixture_path_.toStdString() : std::string();
  p.library = library_ ? library_path_.toStdString() : std::string();
  p.given = given_;
  return p;
}

rf::ProjectFiles DesignInputs::Files() const {
  return {measurement_, states_, fixture_, library_};
}

void DesignInputs::Apply(const rf::Project& p, rf::ProjectFiles files) {
  const QSignalBlocker quiet(panel_);
  for (const rf::FieldInfo& f : rf::FieldInfos()) {
    if (panel_->Input(f.field) != nullptr)
      panel_->Input(f.field)->setText(QString::fromStdString(p.texts[f.field]));
  }
  panel_->SetPackage(p.package);
  panel_->SetRanking(p.ranking);
  panel_->SetMaxParts(p.max_parts);
  panel_->SetElements(p.elements);
  library_ = std::move(files.library);
  library_path_ = library_ ? QString::fromStdString(p.library) : QString();
  if (library_) {
    panel_->SetLibrary(QFileInfo(library_path_).fileName(), p.use_library);
  } else {
    panel_->ClearLibrary();
  }
  if (!p.use_library || !library_) panel_->SetSeries(p.series);
  if (files.measurement) {
    SetMeasurement(std::move(files.measurement), QString::fromStdString(p.measurement));
  } else {
    ClearMeasurement();
  }
  states_ = std::move(files.states);
  state_paths_.clear();
  for (const std::string& state : p.states) state_paths_.append(QString::fromStdString(state));
  ShowStates();
  fixture_ = std::move(files.fixture);
  fixture_path_ = fixture_ ? QString::fromStdString(p.fixture) : QString();
  panel_->ShowFixture(
      fixture_ ? QStringLiteral("Fixture %1 taken off").arg(QFileInfo(fixture_path_).fileName())
               : QStringLiteral("No fixture"));
  given_ = p.given;
}

std::optional<rf::Project> DesignInputs::OpenProject(const QString& path, QString& status) {
  const rf::ProjectReadResult read = rf::ReadProjectFile(path.toStdString());
  std::string error = read.error;
  std::optional<rf::ProjectFiles> files;
  if (read.project) {
    rf::ReadFilesResult f = rf::ReadProjectFiles(*read.project);
    files = std::move(f.files);
    if (!files) error = path.toStdString() + ": " + f.error;
  }
  if (!files) {
    status = QString::fromStdString(error);
    boxes_.MsgBox("The project could not be opened:\r\n" + error, MsgStyle::kCritical,
                  kDesignerTitle);
    return std::nullopt;
  }
  Apply(*read.project, std::move(*files));
  const QString name = QFileInfo(path).fileName();
  const std::string note = rf::IgnoredNote(read, name.toStdString());
  status = note.empty() ? QStringLiteral("Opened %1.").arg(name)
                        : QString::fromStdString(note) + QLatin1Char('.');
  return read.project;
}

std::shared_ptr<const rf::Measurement> DesignInputs::ReadMeasurementFile(const QString& path,
                                                                         QString& status) {
  const QString name = QFileInfo(path).fileName();
  try {
    const rf::FileHandle file = rf::OpenForReading(QFile::encodeName(path).toStdString());
    return std::make_shared<const rf::Measurement>(
        rf::ReadMeasurement(rf::FileSource(file.get(), name.toStdString())));
  } catch (const rf::TouchstoneError& e) {
    const std::string where = e.In(name.toStdString());
    status = QString::fromStdString(where);
    boxes_.MsgBox("The measurement could not be read:\r\n" + where, MsgStyle::kCritical,
                  kDesignerTitle);
  } catch (const std::runtime_error& e) {  // it cannot be opened, or read to its end
    status = QString::fromStdString(e.what());
    boxes_.MsgBox(std::string("The measurement could not be opened:\r\n") + e.what(),
                  MsgStyle::kCritical, kDesignerTitle);
  }
  return nullptr;
}

void DesignInputs::SetMeasurement(std::shared_ptr<const rf::Measurement> measurement,
                                  const QString& path) {
  measurement_ = std::move(measurement);
  measurement_path_ = Absolute(path);
  panel_->ShowMeasurement(
      QStringLiteral("%1: %2 to %3, %4 points")
          .arg(QFileInfo(path).fileName(), Hz(measurement_->First()), Hz(measurement_->Last()))
          .arg(measurement_->points.size()));
}

std::optional<QString> DesignInputs::OpenMeasurement(const QString& path, QString& status) {
  auto read = ReadMeasurementFile(path, status);
  if (!read) return std::nullopt;  // the load stays as it was
  SetMeasurement(std::move(read), path);
  // A design frequency the new file does not reach moves to its centre.
  QLineEdit* frequency = panel_->Input(Field::kFrequency);
  const auto hertz = rf::ParseFrequency(frequency->text().toStdString());
  if (hertz && measurement_->Covers(*hertz)) return QString();
  const double centre = (measurement_->First() + measurement_->Last()) / 2;
  const QSignalBlocker quiet(frequency);
  frequency->setText(QString::fromStdString(rf::ExactFrequencyText(centre)));
  return QStringLiteral("The design frequency moved to %1, the centre of the measurement.")
      .arg(Hz(centre));
}

void DesignInputs::ClearMeasurement() {
  measurement_.reset();
  measurement_path_.clear();
  panel_->ShowTyped();
}

bool DesignInputs::AddState(const QString& path, QString& status) {
  auto read = ReadMeasurementFile(path, status);
  if (!read) return false;
  states_.push_back(std::move(read));
  state_paths_.append(Absolute(path));
  ShowStates();
  return true;
}

void DesignInputs::ShowStates() {
  QStringList names;
  for (const QString& p : state_paths_) names.append(QFileInfo(p).fileName());
  if (names.isEmpty()) {
    panel_->ShowStates(QString());
    return;
  }
  panel_->ShowStates(
      QStringLiteral("Also in %1 %2: %3")
          .arg(names.size())
          .arg(names.size() == 1 ? QStringLiteral("state") : QStringLiteral("states"),
               names.join(QStringLiteral(", "))));
}

void DesignInputs::ClearStates() {
  states_.clear();
  state_paths_.clear();
  ShowStates();
}

bool DesignInputs::OpenPartsLibrary(const QString& folder, QString& status) {
  try {
    library_ = rf::ReadPartLibrary(Absolute(folder).toStdString());
  } catch (const std::runtime_error& e) {  // an index or a part file that is wrong or unreadable
    status = QString::fromStdString(e.what());
    boxes_.MsgBox(std::string("The parts library could not be read:\r\n") + e.what(),
                  MsgStyle::kCritical, kDesignerTitle);
    return false;
  }
  library_path_ = Absolute(folder);
  panel_->SetLibrary(QFileInfo(folder).fileName(), true);
  return true;
}

bool DesignInputs::OpenFixture(const QString& path, QString& status) {
  const QString name = QFileInfo(path).fileName();
  try {
    const rf::FileHandle file = rf::OpenForReading(QFile::encodeName(path).toStdString());
    fixture_ = rf::ReadTwoPort(rf::FileSource(file.get(), name.toStdString()));
  } catch (const rf::TouchstoneError& e) {
    status = QString::fromStdString(e.In(name.toStdString()));
    boxes_.MsgBox("The fixture could not be read:\r\n" + status.toStdString(), MsgStyle::kCritical,
                  kDesignerTitle);
    return false;
  } catch (const std::runtime_error& e) {
    status = QString::fromStdString(e.what());
    boxes_.MsgBox(std::string("The fixture could not be opened:\r\n") + e.what(),
                  MsgStyle::kCritical, kDesignerTitle);
    return false;
  }
  fixture_path_ = Absolute(path);
  panel_->ShowFixture(QStringLiteral("Fixture %1 taken off").arg(name));
  return true;
}

void DesignInputs::ClearFixture() {
  fixture_.reset();
  fixture_path_.clear();
  panel_->ShowFixture(QStringLiteral("No fixture"));
}

void DesignInputs::Load(const QSettings& s) {
  const QSignalBlocker quiet(panel_);
  for (const rf::FieldInfo& f : rf::FieldInfos()) {
    const QVariant v = Stored(s, f.key, f.name);
    if (panel_->Input(f.field) != nullptr && v.isValid())
      panel_->Input(f.field)->setText(v.toString());
  }
  // The series by its name ("E24", "Ideal"), the ranking by its key (or,
  // from an earlier version, by the words it kept).
  const QString series = Stored(s, rf::FieldKey(Field::kSeries), "Series").toString();
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
      library_ = rf::ReadPartLibrary(Absolute(library).toStdString());
      library_path_ = Absolute(library);
      panel_->SetLibrary(QFileInfo(library).fileName(),
                         s.value(QStringLiteral("design/use_library")).toBool());
    } catch (const std::runtime_error&) {
      library_.reset();
    }
  }
  const std::string ranking = Stored(s, kRankingKey, "Best by").toString().toStdString();
  if (ranking == "automatic") panel_->SetRanking(std::nullopt);
  if (const auto key = rf::ParseRanking(ranking)) panel_->SetRanking(*key);
  for (const auto& [former, r] : kFormerRankings) {
    if (ranking == former) panel_->SetRanking(r);
  }
  panel_->SetMaxParts(s.value(QStringLiteral("design/max_parts"), rf::kDefaultMaxParts).toInt());
  if (const auto e =
          rf::ParseElements(s.value(QStringLiteral("design/elements")).toString().toStdString())) {
    panel_->SetElements(*e);
  }
  const QString fixture = s.value(QStringLiteral("design/fixture")).toString();
  if (!fixture.isEmpty() && QFileInfo::exists(fixture)) {
    QString status;
    OpenFixture(fixture, status);
  }
  const QString measurement = Stored(s, kMeasurementKey, "measurement").toString();
  if (!measurement.isEmpty() && QFileInfo::exists(measurement)) {
    QString status;
    OpenMeasurement(measurement, status);
  }
  ClearStates();
  for (const QString& state : s.value(QStringLiteral("design/states")).toStringList()) {
    if (!QFileInfo::exists(state)) continue;
    QString status;
    AddState(state, status);
  }
}

void DesignInputs::Save(QSettings& s) const {
  for (const rf::FieldInfo& f : rf::FieldInfos()) {
    const bool measured = f.field == Field::kLoadR || f.field == Field::kLoadX;
    if (panel_->Input(f.field) == nullptr || (measurement_ && measured)) continue;
    s.setValue(QString::fromLatin1(f.key), panel_->Input(f.field)->text());
  }
  const auto series = panel_->Series();
  s.setValue(QString::fromLatin1(rf::FieldKey(Field::kSeries)),
             QString::fromLatin1(series ? rf::SeriesName(*series) : "Ideal"));
  const auto ranking = panel_->Ranking();
  s.setValue(QString::fromLatin1(kRankingKey),
             QString::fromLatin1(ranking ? rf::RankingKey(*ranking) : "automatic"));
  s.setValue(QStringLiteral("design/states"), state_paths_);
  s.setValue(QStringLiteral("design/max_parts"), panel_->MaxParts());
  s.setValue(QStringLiteral("design/elements"),
             QString::fromLatin1(rf::ElementsKey(panel_->Elements())));
  s.setValue(QStringLiteral("design/fixture"), fixture_path_);
  s.setValue(QString::fromLatin1(kMeasurementKey), measurement_path_);
  const auto package = panel_->Package();
  s.setValue(QStringLiteral("design/package"),
             QString::fromLatin1(package ? rf::PackageName(*package) : ""));
  s.setValue(QStringLiteral("design/parts_library"), library_path_);
  s.setValue(QStringLiteral("design/use_library"), panel_->UsesLibrary());
  s.remove(QString::fromLatin1(kFormerGroup));  // read once, now under the stable keys
}

}  // namespace vorda::designer
