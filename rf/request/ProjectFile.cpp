#include "rf/request/ProjectFile.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <nlohmann/json.hpp>

#include "rf/circuit/NetworkText.h"
#include "rf/files/InputFile.h"

namespace vorda::rf {

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

constexpr const char* kSeriesWords = "E6, E12, E24, E48, E96, E192, ideal or library";

// What is wrong with the project, said without its name.
struct Wrong {
  std::string why;
};

// A field's key in the file: its settings key without "design/".
std::string FileKey(const FieldInfo& f) {
  const std::string key = f.key;
  return key.substr(key.find('/') + 1);
}

bool Known(const char* key) {
  constexpr const char* kKeys[] = {"format",  "version",   "fields",   "series",      "package",
                                   "best_by", "max_parts", "elements", "measurement", "states",
                                   "fixture", "library",   "given",    "tuned",       "tuned_from"};
  return std::any_of(std::begin(kKeys), std::end(kKeys),
                     [&](const char* k) { return std::string_view(k) == key; });
}

// A text, or nothing for null, an empty text or a key left out.
std::optional<std::string> Text(const json& o, const char* key) {
  const auto at = o.find(key);
  if (at == o.end() || at->is_null()) return std::nullopt;
  if (!at->is_string()) throw Wrong{std::string("\"") + key + "\" must be a text or null"};
  std::string text = at->get<std::string>();
  if (text.empty()) return std::nullopt;
  return text;
}

std::string Resolved(const std::string& path, const std::string& folder) {
  const fs::path p(path);
  return AbsolutePath(p.is_absolute() ? path : (fs::path(folder) / p).generic_string());
}

std::string Relative(const std::string& path, const std::string& folder) {
  if (path.empty()) return path;
  const fs::path relative =
      fs::path(AbsolutePath(path)).lexically_relative(fs::path(AbsolutePath(folder)));
  return relative.empty() ? AbsolutePath(path) : relative.generic_string();
}

// A network in the words of --network.
Network NetworkOf(const std::string& text, const char* key) {
  ParsedNetwork parsed = ParseNetwork(text);
  if (!parsed.network) throw Wrong{std::string("\"") + key + "\": " + parsed.error};
  return std::move(*parsed.network);
}

void ReadFields(const json& o, Project& p, std::vector<std::string>& ignored) {
  const auto fields = o.find("fields");
  if (fields == o.end() || fields->is_null()) return;
  if (!fields->is_object()) throw Wrong{"\"fields\" must be an object of texts"};
  for (const auto& [key, value] : fields->items()) {
    const std::string& name = key;  // (clang 14 lambdas capture no structured binding)
    const auto& infos = FieldInfos();
    const auto info = std::find_if(infos.begin(), infos.end(), [&](const FieldInfo& f) {
      return f.field != Field::kSeries && FileKey(f) == name;
    });
    if (info == infos.end()) {
      ignored.push_back("fields." + name);
      continue;
    }
    if (!value.is_string()) throw Wrong{R"("fields": ")" + name + R"(" must be a text)"};
    p.texts[info->field] = value.get<std::string>();
  }
}

void ReadChoices(const json& o, Project& p) {
  if (const auto series = Text(o, "series")) {
    p.series = ParseSeries(*series);
    p.use_library = *series == "library";
    if (!p.series && !p.use_library && *series != "ideal") {
      throw Wrong{std::string("\"series\" must be ") + kSeriesWords + ": " + *series};
    }
  }
  if (const auto package = Text(o, "package")) {
    p.package = ParsePackage(*package);
    if (!p.package) {
      throw Wrong{"\"package\" must be 0201, 0402, 0603, 0805, 1206 or null: " + *package};
    }
  }
  if (const auto best = Text(o, "best_by"); best && *best != "automatic") {
    p.ranking = ParseRanking(*best);
    if (!p.ranking) {
      std::string keys;
      for (std::size_t k = 0; k < kRankingCount; ++k) {
        keys += std::string(RankingKey(static_cast<Ranking>(k))) + ", ";
      }
      throw Wrong{"\"best_by\" must be " + keys + "or automatic: " + *best};
    }
  }
  if (const auto parts = o.find("max_parts"); parts != o.end() && !parts->is_null()) {
    if (!parts->is_number_integer() || *parts < 2 || *parts > kMostParts) {
      throw Wrong{"\"max_parts\" must be a whole number from 2 to " + std::to_string(kMostParts)};
    }
    p.max_parts = parts->get<int>();
  }
  if (const auto elements = Text(o, "elements")) {
    const auto e = ParseElements(*elements);
    if (!e) throw Wrong{"\"elements\" must be lumped, lines or both: " + *elements};
    p.elements = *e;
  }
}

void ReadFiles(const json& o, const std::string& folder, Project& p) {
  const auto path = [&](const char* key) {
    const auto text = Text(o, key);
    return text ? Resolved(*text, folder) : std::string();
  };
  p.measurement = path("measurement");
  p.fixture = path("fixture");
  p.library = path("library");
  if (const auto states = o.find("states"); states != o.end() && !states->is_null()) {
    const auto text = [](const json& s) { return s.is_string() && !s.get<std::string>().empty(); };
    if (!states->is_array() || !std::all_of(states->begin(), states->end(), text)) {
      throw Wrong{"\"states\" must be a list of file names"};
    }
    for (const json& s : *states) p.states.push_back(Resolved(s.get<std::string>(), folder));
  }
  if (!p.states.empty() && p.measurement.empty()) {
    throw Wrong{R"("states" are the load's other states: they need a "measurement")"};
  }
  if (!p.fixture.empty() && p.measurement.empty()) {
    throw Wrong{R"("fixture" is taken off the measurement: it needs a "measurement")"};
  }
  if (p.use_library && p.library.empty()) {
    throw Wrong{R"("series" is library: it needs a "library" folder)"};
  }
}

void ReadNetworks(const json& o, Project& p) {
  if (const auto given = Text(o, "given")) p.given = NetworkOf(*given, "given");
  if (const auto tuned = Text(o, "tuned")) {
    p.tuned = Project::Tuned{NetworkOf(*tuned, "tuned"), {}, {}};
    const auto from = o.find("tuned_from");
    if (from != o.end() && !from->is_null()) {
      if (!from->is_object()) throw Wrong{"\"tuned_from\" must be an object or null"};
      p.tuned->from_key = Text(*from, "key").value_or("");
      p.tuned->from_name = Text(*from, "name").value_or("");
    }
  }
}

Project Read(const json& o, const std::string& folder, std::vector<std::string>& ignored) {
  if (!o.is_object()) throw Wrong{"not a project: its JSON is not an object"};
  const auto format = o.find("format");
  if (format == o.end() || !format->is_string()) {
    throw Wrong{std::string(R"(not a project: it has no "format" (a project's is ")") +
                kProjectFormat + "\")"};
  }
  if (*format != kProjectFormat) {
    throw Wrong{R"(not a project: its "format" is ")" + format->get<std::string>() + R"(", not ")" +
                kProjectFormat + "\""};
  }
  const auto version = o.find("version");
  if (version == o.end() || !version->is_number_integer() || *version < 1) {
    throw Wrong{"\"version\" must be a whole number from 1"};
  }
  for (const auto& [key, value] : o.items()) {
    if (!Known(key.c_str())) ignored.push_back(key);
  }
  Project p;
  ReadFields(o, p, ignored);
  ReadChoices(o, p);
  ReadFiles(o, folder, p);
  ReadNetworks(o, p);
  return p;
}

nlohmann::ordered_json PathOrNull(const std::string& path, const std::string& folder) {
  return path.empty() ? nlohmann::ordered_json(nullptr)
                      : nlohmann::ordered_json(Relative(path, folder));
}

}  // namespace

ProjectReadResult ReadProject(std::string_view text, const std::string& folder,
                              const std::string& name) {
  ProjectReadResult read;
  json o;
  try {
    o = json::parse(text);
  } catch (const json::parse_error& e) {
    // "[json.exception.parse_error.101] parse error at line 1, ...": the words after the tag.
    std::string why = e.what();
    const std::size_t tag = why.find("] ");
    if (tag != std::string::npos) why.erase(0, tag + 2);
    read.error = name + ": not a project: it is not JSON (" + why + ")";
    return read;
  }
  try {
    read.project = Read(o, folder, read.ignored);
    std::sort(read.ignored.begin(), read.ignored.end());
  } catch (const Wrong& w) {
    read.error = name + ": " + w.why;
    read.ignored.clear();
  }
  return read;
}

ProjectReadResult ReadProjectFile(const std::string& path) {
  std::string text;
  try {
    text = ReadWholeFile(path);
  } catch (const std::runtime_error& e) {  // it cannot be opened, or read to its end
    ProjectReadResult read;
    read.error = e.what();
    return read;
  }
  return ReadProject(text, ProjectFolder(path), path);
}

std::string IgnoredNote(const ProjectReadResult& read, const std::string& name) {
  if (read.ignored.empty()) return {};
  std::string keys;
  for (const std::string& k : read.ignored) keys += (keys.empty() ? "" : ", ") + k;
  return name + ": read without what this version does not know: " + keys;
}

std::string ProjectJson(const Project& p, const std::string& folder) {
  using Out = nlohmann::ordered_json;  // in the order of the documentation
  Out fields = Out::object();
  for (const FieldInfo& f : FieldInfos()) {
    if (f.field != Field::kSeries) fields[FileKey(f)] = p.texts[f.field];
  }
  Out states = Out::array();
  std::transform(p.states.begin(), p.states.end(), std::back_inserter(states),
                 [&](const std::string& s) { return Relative(s, folder); });
  Out o;
  o["format"] = kProjectFormat;
  o["version"] = kProjectVersion;
  o["fields"] = fields;
  o["series"] = p.use_library ? "library" : p.series ? SeriesName(*p.series) : "ideal";
  o["package"] = p.package ? Out(PackageName(*p.package)) : Out(nullptr);
  o["best_by"] = p.ranking ? RankingKey(*p.ranking) : "automatic";
  o["max_parts"] = p.max_parts;
  o["elements"] = ElementsKey(p.elements);
  o["measurement"] = PathOrNull(p.measurement, folder);
  o["states"] = states;
  o["fixture"] = PathOrNull(p.fixture, folder);
  o["library"] = PathOrNull(p.library, folder);
  o["given"] = p.given ? Out(NetworkText(*p.given)) : Out(nullptr);
  o["tuned"] = p.tuned ? Out(NetworkText(p.tuned->network)) : Out(nullptr);
  o["tuned_from"] =
      p.tuned ? Out{{"key", p.tuned->from_key}, {"name", p.tuned->from_name}} : Out(nullptr);
  return o.dump(2) + "\n";
}

std::string ProjectFolder(const std::string& path) {
  return fs::path(AbsolutePath(path)).parent_path().generic_string();
}

}  // namespace vorda::rf
