// Project files: what is written reads back as it was, its files found
// beside the project wherever it is moved; a later version's keys are read
// past and named; a file that is no project is refused, saying why.
#include "rf/request/ProjectFile.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "rf/circuit/NetworkText.h"

namespace vorda::rf {
namespace {

// A folder from the root, absolute on every platform ("C:/lab" on Windows).
std::string At(const std::string& path) {
  return AbsolutePath(path);
}

Network Parsed(const std::string& text) {
  return *ParseNetwork(text).network;
}

Project Everything() {
  Project p;
  p.texts[Field::kZ0] = "75";
  p.texts[Field::kFrequency] = "433.92M";
  p.texts[Field::kBand] = "420M:450M";
  p.texts[Field::kQInductor] = "60";
  p.texts[Field::kTolerance] = "5%";
  p.texts[Field::kReject] = "1.3G:1.4G:30";
  p.series = ESeries::kE24;
  p.package = Package::k0402;
  p.ranking = Ranking::kYield;
  p.max_parts = 5;
  p.elements = Elements::kBoth;
  p.measurement = At("/lab/project/data/antenna free.s1p");
  p.states = {At("/lab/project/data/hand.s1p"), At("/lab/project/head.s1p")};
  p.fixture = At("/lab/fixtures/sma.s2p");
  p.library = At("/lab/project/parts");
  p.given = Parsed("series 270nH, shunt 220pF");
  // A value of every digit, which a rounded text would not give back.
  p.tuned = Project::Tuned{Parsed("shunt 1.2345678901234567e-11F, series 3.3e-8H"), "pi-lp",
                           "Pi low-pass"};
  return p;
}

void ExpectSameInputs(const Project& a, const Project& b) {
  EXPECT_EQ(a.texts.text, b.texts.text);
  EXPECT_EQ(a.series, b.series);
  EXPECT_EQ(a.use_library, b.use_library);
  EXPECT_EQ(a.package, b.package);
  EXPECT_EQ(a.ranking, b.ranking);
  EXPECT_EQ(a.max_parts, b.max_parts);
  EXPECT_EQ(a.elements, b.elements);
  EXPECT_EQ(a.given, b.given);
  EXPECT_EQ(a.tuned, b.tuned);
}

TEST(ProjectFile, WrittenReadsBackWithItsFilesBesideIt) {
  const Project p = Everything();
  const std::string text = ProjectJson(p, At("/lab/project"));
  // The file holds the paths relative to its folder, in the words of the options.
  const auto json = nlohmann::json::parse(text);
  EXPECT_EQ(json["measurement"], "data/antenna free.s1p");
  EXPECT_EQ(json["states"], nlohmann::json({"data/hand.s1p", "head.s1p"}));
  EXPECT_EQ(json["fixture"], "../fixtures/sma.s2p");
  EXPECT_EQ(json["best_by"], "yield");
  EXPECT_EQ(json["fields"]["hertz"], "433.92M");

  const ProjectReadResult same = ReadProject(text, At("/lab/project"), "p.json");
  ASSERT_TRUE(same.project) << same.error;
  EXPECT_TRUE(same.ignored.empty());
  ExpectSameInputs(*same.project, p);
  EXPECT_EQ(same.project->measurement, p.measurement);
  EXPECT_EQ(same.project->states, p.states);
  EXPECT_EQ(same.project->fixture, p.fixture);
  EXPECT_EQ(same.project->library, p.library);

  // Moved with its files, the project finds them where it now is.
  const ProjectReadResult moved = ReadProject(text, At("/home/me/copy"), "p.json");
  ASSERT_TRUE(moved.project) << moved.error;
  ExpectSameInputs(*moved.project, p);
  EXPECT_EQ(moved.project->measurement, At("/home/me/copy/data/antenna free.s1p"));
  EXPECT_EQ(moved.project->states, (std::vector<std::string>{At("/home/me/copy/data/hand.s1p"),
                                                             At("/home/me/copy/head.s1p")}));
  EXPECT_EQ(moved.project->fixture, At("/home/me/fixtures/sma.s2p"));
  EXPECT_EQ(moved.project->library, At("/home/me/copy/parts"));
}

TEST(ProjectFile, TheStartAndTheLibraryReadBack) {
  Project p;
  p.library = At("/lab/parts");
  p.use_library = true;
  const ProjectReadResult read = ReadProject(ProjectJson(p, At("/lab")), At("/lab"), "p.json");
  ASSERT_TRUE(read.project) << read.error;
  ExpectSameInputs(*read.project, p);
  EXPECT_TRUE(read.project->measurement.empty() && read.project->states.empty());
  EXPECT_EQ(read.project->library, At("/lab/parts"));
}

TEST(ProjectFile, LaterKeysAreReadPastAndNamed) {
  const std::string later = R"({"format": "vorda-designer-project", "version": 3,
      "fields": {"hertz": "7.1M", "wobble": "2"}, "series": "E12", "colour": "red",
      "layout": {"split": 0.4}})";
  const ProjectReadResult read = ReadProject(later, At("/lab"), "later.json");
  ASSERT_TRUE(read.project) << read.error;
  EXPECT_EQ(read.project->texts[Field::kFrequency], "7.1M");
  EXPECT_EQ(read.project->series, ESeries::kE12);
  EXPECT_EQ(read.ignored, (std::vector<std::string>{"colour", "fields.wobble", "layout"}));
  const std::string note = IgnoredNote(read, "later.json");
  for (const char* name : {"later.json", "colour", "fields.wobble", "layout"}) {
    EXPECT_NE(note.find(name), std::string::npos) << note;
  }
  EXPECT_EQ(
      IgnoredNote(ReadProject(ProjectJson(Project{}, At("/lab")), At("/lab"), "p.json"), "p.json"),
      "");
}

TEST(ProjectFile, WhatIsNoProjectIsRefusedSayingWhy) {
  const std::string head = R"({"format": "vorda-designer-project", "version": 1, )";
  const std::pair<std::string, std::string> cases[] = {
      {"{\"format\": ", "not JSON"},
      {"[1, 2]", "not an object"},
      {R"({"version": 1})", "no \"format\""},
      {R"({"format": "touchstone", "version": 1})", "\"touchstone\""},
      {R"({"format": "vorda-designer-project"})", "\"version\""},
      {head + R"("series": "E7"})", "E7"},
      {head + R"("max_parts": 9})", "\"max_parts\""},
      {head + R"("fields": {"z0": 50}})", "\"z0\""},
      {head + R"("best_by": "luck"})", "luck"},
      {head + R"("states": ["a.s1p"]})", "\"measurement\""},
      {head + R"("series": "library"})", "\"library\""},
      {head + R"("tuned": "series 3 apples"})", "\"tuned\""},
  };
  for (const auto& [text, why] : cases) {
    const ProjectReadResult read = ReadProject(text, At("/lab"), "bad.json");
    EXPECT_FALSE(read.project) << text;
    EXPECT_EQ(read.error.rfind("bad.json: ", 0), 0u) << read.error;
    EXPECT_NE(read.error.find(why), std::string::npos) << text << " -> " << read.error;
  }
}

TEST(ProjectFile, AFileThatCannotBeReadIsNamed) {
  Project p;
  p.measurement = std::string(VORDA_SOURCE_DIR) + "/docs/examples/dipole.s1p";
  p.states = {std::string(VORDA_SOURCE_DIR) + "/docs/examples/no-such-state.s1p"};
  const ReadFilesResult read = ReadProjectFiles(p);
  EXPECT_FALSE(read.files);
  EXPECT_NE(read.error.find("no-such-state.s1p"), std::string::npos) << read.error;
}

}  // namespace
}  // namespace vorda::rf
