// A project file: the designer's inputs (rf/request/Project.h) as a JSON
// object that the designer's File › Open Project… and vorda-match --project
// read, and that later versions keep reading:
//   {"format": "vorda-designer-project", "version": 1,
//    "fields": {"z0": "50", "hertz": "14.2M", "band": "13M:15M", ...},
//    "series": "E24", "package": "0402", "best_by": "return-loss",
//    "max_parts": 4, "elements": "lumped",
//    "measurement": "dipole.s1p", "states": [], "fixture": null,
//    "library": null, "given": null, "tuned": null, "tuned_from": null}
// The fields by their keys (FieldKey without "design/"), the choices in the
// words of vorda-match's options (--series, --package, --best-by and
// "automatic", --max-parts, --elements; "ideal" and "library" as series),
// the files relative to the project file's folder, the networks in the
// words of --network. Only "format" and "version" must be there; what is
// left out is the designer's start. Keys this version does not know are
// read past and named.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rf/request/Project.h"

namespace vorda::rf {

inline constexpr const char* kProjectFormat = "vorda-designer-project";
inline constexpr int kProjectVersion = 1;

struct ProjectReadResult {
  std::optional<Project> project;
  std::string error;  // why not: "NAME: what is wrong"
  // The keys this version does not know, read past, in alphabetical
  // order: "colour", "fields.colour".
  std::vector<std::string> ignored;
};

// A project from its text; its relative paths resolved against `folder`,
// `name` naming it in messages. Refused when it is not JSON, not an
// object, of another format, or a key holds what it cannot.
ProjectReadResult ReadProject(std::string_view text, const std::string& folder,
                              const std::string& name);
// A project file, its paths relative to its own folder; refused too when
// it cannot be read.
ProjectReadResult ReadProjectFile(const std::string& path);

// "NAME: read without what this version does not know: fields.colour,
// layout"; empty when every key was known.
std::string IgnoredNote(const ProjectReadResult& read, const std::string& name);

// The project as the text of a file in `folder`: the paths relative to it
// (absolute where no relative path leads there, as to another drive).
std::string ProjectJson(const Project& project, const std::string& folder);

// The folder a project file is in, absolute.
std::string ProjectFolder(const std::string& path);

}  // namespace vorda::rf
