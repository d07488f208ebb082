// The family of ladders the band search tries, against every sequence of
// series and shunt inductors and capacitors; and how a ladder is drawn.
#include "rf/synthesis/Ladders.h"

#include <gtest/gtest.h>

#include <set>

#include "rf/circuit/NetworkText.h"

namespace vorda::rf {
namespace {

Part Inductor(double henries) {
  return {Part::Kind::kInductor, henries};
}
Part Capacitor(double farads) {
  return {Part::Kind::kCapacitor, farads};
}

// Every sequence of n parts, each a series or shunt L or C, brought to its
// canonical form: those that keep n parts are exactly the ladders of n
// parts, each once, and each code reads back as its ladder.
TEST(LaddersTest, EverySequenceOfPartsIsOneLadderOnce) {
  const Element kinds[] = {{Position::kSeries, Inductor(1)},
                           {Position::kSeries, Capacitor(1)},
                           {Position::kShunt, Inductor(1)},
                           {Position::kShunt, Capacitor(1)}};
  const std::size_t expected[] = {0, 0, 10, 24, 58, 140, 338};
  for (int n = 2; n <= kMostParts; ++n) {
    std::set<std::string> from_sequences;
    std::vector<int> pick(static_cast<std::size_t>(n), 0);
    for (;;) {
      Network sequence;
      for (const int k : pick) sequence.elements.push_back(kinds[k]);
      const Network canonical = Canonical(sequence);
      if (canonical.elements.size() == static_cast<std::size_t>(n)) {
        from_sequences.insert(LadderCode(canonical));
      }
      std::size_t i = 0;
      for (; i < pick.size() && ++pick[i] == 4; ++i) pick[i] = 0;
      if (i == pick.size()) break;
    }
    std::set<std::string> searched;
    for (const Network& ladder : Ladders(n, n)) {
      EXPECT_TRUE(searched.insert(LadderCode(ladder)).second) << LadderCode(ladder);
      ASSERT_TRUE(LadderOfCode(LadderCode(ladder)));
      EXPECT_EQ(LadderCode(*LadderOfCode(LadderCode(ladder))), LadderCode(ladder));
    }
    EXPECT_EQ(searched, from_sequences) << n << " parts";
    EXPECT_EQ(searched.size(), expected[n]);
  }
  EXPECT_FALSE(LadderOfCode("sL-sC"));  // two series blocks in a row
  EXPECT_FALSE(LadderOfCode("pX"));
}

// The named members keep their names; the others are named by their parts.
TEST(LaddersTest, NamesAndDrawings) {
  EXPECT_EQ(KindName(KindOfLadder(*LadderOfCode("pC-sL-pC"))), "Pi low-pass");
  EXPECT_EQ(LadderName("sL-pLC-sC"), "Series L, shunt L, shunt C, series C");
  const Network n = {{{Position::kSeries, Inductor(1e-9)},
                      {Position::kShunt, Inductor(1e-9)},
                      {Position::kShunt, Capacitor(1e-12)},
                      {Position::kSeries, Capacitor(1e-12)}}};
  EXPECT_EQ(SchematicText(n),
            "source \u2500\u2500L1\u2500\u252c\u2500\u2500\u2500\u252c\u2500\u2500\u2500"
            "\u2500C4\u2500\u2500 load\n"
            "            L2  C3\n"
            "            \u23da   \u23da");
}

}  // namespace
}  // namespace vorda::rf
