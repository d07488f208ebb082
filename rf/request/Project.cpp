#include "rf/request/Project.h"

#include <filesystem>

#include "rf/files/InputFile.h"
#include "rf/files/MeasurementReader.h"
#include "rf/files/PartLibraryFile.h"
#include "rf/files/TwoPortReader.h"

namespace vorda::rf {

namespace {

// What went wrong with one of the files, in words that name it.
struct FileFault {
  std::string message;
};

std::shared_ptr<const Measurement> MeasurementAt(const std::string& path, const char* what) {
  try {
    const FileHandle file = OpenForReading(path);
    return std::make_shared<const Measurement>(ReadMeasurement(FileSource(file.get(), path)));
  } catch (const TouchstoneError& e) {
    throw FileFault{std::string(what) + " could not be read: " + e.In(path)};
  } catch (const std::runtime_error& e) {  // it cannot be opened, or read to its end
    throw FileFault{std::string(what) + " could not be read: " + e.what()};
  }
}

}  // namespace

DesignTexts StartTexts() {
  const DesignRequest start;
  return TextsOf(start);
}

ReadFilesResult ReadProjectFiles(const Project& p) {
  ProjectFiles files;
  try {
    if (!p.measurement.empty()) files.measurement = MeasurementAt(p.measurement, "the measurement");
    for (const std::string& state : p.states) {
      files.states.push_back(MeasurementAt(state, "a state of the load"));
    }
    if (!p.fixture.empty()) {
      try {
        const FileHandle file = OpenForReading(p.fixture);
        files.fixture = ReadTwoPort(FileSource(file.get(), p.fixture));
      } catch (const TouchstoneError& e) {
        throw FileFault{"the fixture could not be read: " + e.In(p.fixture)};
      } catch (const std::runtime_error& e) {
        throw FileFault{std::string("the fixture could not be read: ") + e.what()};
      }
    }
    if (!p.library.empty()) {
      try {
        files.library = ReadPartLibrary(p.library);
      } catch (const std::runtime_error& e) {  // an index or a part file wrong or unreadable
        throw FileFault{std::string("the parts library could not be read: ") + e.what()};
      }
    }
  } catch (const FileFault& fault) {
    return {std::nullopt, fault.message};
  }
  return {std::move(files), std::string()};
}

ReadRequest ProjectRequest(const Project& p, const ProjectFiles& files, std::size_t sweep_points) {
  DesignRequest base;
  base.measurement = files.measurement;
  base.measurement_name = p.measurement;
  for (std::size_t i = 0; i < files.states.size() && i < p.states.size(); ++i) {
    base.states.push_back({files.states[i], p.states[i]});
  }
  base.bandwidth = true;
  base.sweep.kind = SweepPlan::Kind::kAround;
  base.sweep.axis.points = sweep_points;
  base.responses = false;
  base.parts.series = p.series;
  base.ranking = p.ranking;
  base.max_parts = p.max_parts;
  base.parts.model.package = p.package;
  if (p.use_library) base.parts.library = files.library;
  base.elements = p.elements;
  base.given = p.given;
  base.deembed = files.fixture ? p.fixture : std::string();
  return ReadDesignTexts(p.texts, std::move(base), files.fixture ? &*files.fixture : nullptr);
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code failed;
  std::filesystem::path absolute = std::filesystem::absolute(path, failed);
  if (failed) absolute = path;
  return absolute.lexically_normal().generic_string();
}

}  // namespace vorda::rf
