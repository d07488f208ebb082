// The eight L-section types as the engine knows them: family, component names
// and the rule that picks one root of the section's quadratic.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vorda {

inline constexpr const char* kSeriesL = "Series L";
inline constexpr const char* kShuntC = "Shunt C";
inline constexpr const char* kSeriesC = "Series C";
inline constexpr const char* kShuntL = "Shunt L";

// Shunt-at-load types put a shunt element across the load and work with its
// admittance; series-at-load types put a series element in line with the load
// and work with its impedance.
enum class Family { kShuntAtLoad, kSeriesAtLoad };

// How a type picks t from root1 (the +sqrt root) and root2 (the -sqrt root).
enum class RootRule {
  kLarger,           // root1 if root1 > root2, otherwise root2
  kSmaller,          // root2 if root2 < root1, otherwise root1
  kPositiveLarger,   // root1 if root1 > 0 and root1 > root2, otherwise root2
  kNegativeSmaller,  // root2 if root2 < 0 and root2 < root1, otherwise root1
  kPositiveSmaller,  // root2 if root2 > 0 and root2 < root1, otherwise root1
  kNegativeLarger,   // root1 if root1 < 0 and root1 > root2, otherwise root2
};

// What a component is, apart from its name.
enum class PartKind { kInductor, kCapacitor };

struct SectionType {
  Family family;
  const char* first_component;   // between the source and the second component
  const char* second_component;  // connected directly to the load
  RootRule rule;
  std::array<int, 2> regions;  // region codes admitted (0 marks no second code)
  PartKind first_kind;         // what the components are
  PartKind second_kind;
};

inline constexpr int kTypeCount = 8;

// Indexed by TypeIndex - 1.
inline constexpr std::array<SectionType, kTypeCount> kSectionTypes = {{
    {Family::kShuntAtLoad,
     kSeriesL,
     kShuntC,
     RootRule::kLarger,
     {2, 3},
     PartKind::kInductor,
     PartKind::kCapacitor},
    {Family::kSeriesAtLoad,
     kShuntC,
     kSeriesL,
     RootRule::kPositiveLarger,
     {1, 4},
     PartKind::kCapacitor,
     PartKind::kInductor},
    {Family::kShuntAtLoad,
     kSeriesC,
     kShuntL,
     RootRule::kSmaller,
     {2, 4},
     PartKind::kCapacitor,
     PartKind::kInductor},
    {Family::kSeriesAtLoad,
     kShuntL,
     kSeriesC,
     RootRule::kNegativeSmaller,
     {1, 3},
     PartKind::kInductor,
     PartKind::kCapacitor},
    {Family::kShuntAtLoad,
     kSeriesC,
     kShuntC,
     RootRule::kPositiveSmaller,
     {3, 0},
     PartKind::kCapacitor,
     PartKind::kCapacitor},
    {Family::kSeriesAtLoad,
     kShuntC,
     kSeriesC,
     RootRule::kNegativeLarger,
     {3, 0},
     PartKind::kCapacitor,
     PartKind::kCapacitor},
    {Family::kShuntAtLoad,
     kSeriesL,
     kShuntL,
     RootRule::kNegativeLarger,
     {4, 0},
     PartKind::kInductor,
     PartKind::kInductor},
    {Family::kSeriesAtLoad,
     kShuntL,
     kSeriesL,
     RootRule::kPositiveSmaller,
     {4, 0},
     PartKind::kInductor,
     PartKind::kInductor},
}};

// The type of a TypeIndex, or nothing outside 1 to 8.
inline const SectionType* FindSectionType(std::int16_t type_index) {
  if (type_index < 1 || type_index > kTypeCount) return nullptr;
  return &kSectionTypes[static_cast<std::size_t>(type_index - 1)];
}

// The type's name as its option button shows it: the first component, a
// comma, a blank and the second component ("Series L, Shunt C").
inline std::string Caption(const SectionType& type) {
  return std::string(type.first_component) + ", " + type.second_component;
}

// Whether a type matches loads of a region code; code 0 is admitted by none.
inline bool Admits(const SectionType& type, int region) {
  return region != 0 && (type.regions[0] == region || type.regions[1] == region);
}

// Picks the root of a type's rule; all comparisons are strict.
inline double ChooseRoot(RootRule rule, double root1, double root2) {
  switch (rule) {
    case RootRule::kLarger:
      return root1 > root2 ? root1 : root2;
    case RootRule::kSmaller:
      return root2 < root1 ? root2 : root1;
    case RootRule::kPositiveLarger:
      return root1 > 0 && root1 > root2 ? root1 : root2;
    case RootRule::kNegativeSmaller:
      return root2 < 0 && root2 < root1 ? root2 : root1;
    case RootRule::kPositiveSmaller:
      return root2 > 0 && root2 < root1 ? root2 : root1;
    case RootRule::kNegativeLarger:
      break;
  }
  return root1 < 0 && root1 > root2 ? root1 : root2;
}

}  // namespace vorda
