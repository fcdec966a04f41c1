// The solution counter: named puzzles that need real search (one, several or
// no solutions), grids that break the rules, the bound on trial digits, and
// many random grids of every size checked against the tests' own oracle.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/CSolutionCounter.h"
#include "tests/engine/GridHelpers.h"
#include "tests/support/SolutionCounter.h"

namespace {

using SolutionCount::Result;

std::string Describe(Result result) {
  switch (result) {
    case Result::kBrokenRules: return "broken rules";
    case Result::kNone: return "none";
    case Result::kOne: return "one";
    case Result::kSeveral: return "several";
    case Result::kUndecided: return "undecided";
  }
  return "?";
}

// '.' or '0' empty, then '1'..'9' and 'A'..'G' for the digits 0..15.
std::vector<std::uint8_t> Values(const std::string& text) {
  std::vector<std::uint8_t> values;
  for (const char c : text) {
    if (c == '.' || c == '0')
      values.push_back(kEmptyValue);
    else
      values.push_back(static_cast<std::uint8_t>(c <= '9' ? c - '1' : 9 + c - 'A'));
  }
  return values;
}

template <unsigned N>
Result CountOf(const std::vector<std::uint8_t>& values,
               std::uint32_t maxGuesses = CSolutionCounter<N>::kDefaultMaxGuesses) {
  CSolutionCounter<N> counter(maxGuesses);
  return counter.Count(values.data());
}

TEST(SolutionCounterTest, NamedPuzzles) {
  const struct {
    const char* name;
    std::string puzzle;
    Result expected;
  } cases[] = {
      {"hard, one solution", "........3..1..9.6..5..8.4.....9...8...867.....1....2....6..7.2..3.8..5..4.......8",
       Result::kOne},
      {"several solutions", "8.........95.......76.........426798...571243...893165......916....3.487....1.532",
       Result::kSeveral},
      // The hard puzzle with 1 for the 7 in its seventh row: every digit of
      // it is allowed where it stands, but nothing completes it.
      {"no solution", "........3..1..9.6..5..8.4.....9...8...867.....1....2....6..1.2..3.8..5..4.......8",
       Result::kNone},
      {"a digit twice in a box", "12..2...........", Result::kBrokenRules},
      {"a digit twice in a column", "1.......1.......", Result::kBrokenRules},
      {"empty", "................", Result::kSeveral},
      {"full", "1234341221434321", Result::kOne},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::uint8_t> values = Values(c.puzzle);
    const Result result = values.size() == 16 ? CountOf<2>(values) : CountOf<3>(values);
    EXPECT_EQ(Describe(result), Describe(c.expected));
  }
}

TEST(SolutionCounterTest, TheOneSolutionKeepsTheGivensAndKeepsTheRules) {
  const std::vector<std::uint8_t> puzzle =
      Values("........3..1..9.6..5..8.4.....9...8...867.....1....2....6..7.2..3.8..5..4.......8");
  CSolutionCounter<3> counter;
  ASSERT_EQ(Describe(counter.Count(puzzle.data())), Describe(Result::kOne));
  const std::uint8_t* solution = counter.Solution();
  EXPECT_EQ(GridHelpers<3>::CountFilled(solution), 81u);
  EXPECT_TRUE(GridHelpers<3>::IsConsistent(solution));
  for (std::uint32_t cell = 0; cell < 81; ++cell)
    if (puzzle[cell] != kEmptyValue) {
      EXPECT_EQ(solution[cell], puzzle[cell]) << "cell " << cell;
    }
  // It had to guess, which the bound below relies on.
  EXPECT_GT(counter.GetGuesses(), 0u);
}

// A count cut short says so rather than passing for "none" or "one".
TEST(SolutionCounterTest, ACountThatReachesItsBoundIsUndecided) {
  const std::vector<std::uint8_t> hard =
      Values("........3..1..9.6..5..8.4.....9...8...867.....1....2....6..7.2..3.8..5..4.......8");
  EXPECT_EQ(Describe(CountOf<3>(hard, 1)), Describe(Result::kUndecided));
  const std::vector<std::uint8_t> empty(256, kEmptyValue);
  EXPECT_EQ(Describe(CountOf<4>(empty, 0)), Describe(Result::kUndecided));
  EXPECT_EQ(Describe(CountOf<4>(empty)), Describe(Result::kSeveral));
}

// Random grids: a complete grid with its digits relabelled and cells taken
// away, sometimes with one given changed; the counter must agree with the
// oracle on the verdict and, for one solution, on the solution.
template <unsigned N>
void AgreeWithTheOracle(unsigned trials) {
  constexpr std::uint32_t S = N * N;
  constexpr std::uint32_t Cells = S * S;
  std::mt19937 random(N * 1000 + trials);
  CSolutionCounter<N> counter;
  unsigned seen[5] = {};
  for (unsigned trial = 0; trial < trials; ++trial) {
    std::vector<std::uint8_t> labels(S);
    for (std::uint32_t d = 0; d < S; ++d) labels[d] = static_cast<std::uint8_t>(d);
    std::shuffle(labels.begin(), labels.end(), random);
    std::vector<std::uint8_t> values(Cells);
    for (std::uint32_t cell = 0; cell < Cells; ++cell)
      values[cell] = labels[GridHelpers<N>::Complete(cell / S, cell % S)];
    // Keep between a quarter and three quarters of the cells.
    const std::uint32_t kept = Cells / 4 + random() % (Cells / 2);
    std::vector<std::uint32_t> order(Cells);
    for (std::uint32_t cell = 0; cell < Cells; ++cell) order[cell] = cell;
    std::shuffle(order.begin(), order.end(), random);
    for (std::uint32_t i = kept; i < Cells; ++i) values[order[i]] = kEmptyValue;
    if (trial % 3 == 0) values[order[0]] = static_cast<std::uint8_t>(random() % S);

    SCOPED_TRACE("N=" + std::to_string(N) + " trial " + std::to_string(trial));
    SolutionCounter oracle(N, GridHelpers<N>::AsGivens(values.data()).data());
    const int count = oracle.Consistent() ? oracle.Count(2) : -1;
    const Result expected = count < 0    ? Result::kBrokenRules
                            : count == 0 ? Result::kNone
                            : count == 1 ? Result::kOne
                                         : Result::kSeveral;
    const Result result = counter.Count(values.data());
    ASSERT_EQ(Describe(result), Describe(expected));
    ++seen[static_cast<int>(result)];
    if (result != Result::kOne) continue;
    for (std::uint32_t cell = 0; cell < Cells; ++cell)
      ASSERT_EQ(counter.Solution()[cell] + 1, oracle.FirstSolution()[cell]) << "cell " << cell;
  }
  // The random grids reached every verdict, or the table proves little.
  for (const Result r : {Result::kBrokenRules, Result::kNone, Result::kOne, Result::kSeveral})
    EXPECT_GT(seen[static_cast<int>(r)], 0u) << Describe(r);
}

TEST(SolutionCounterTest, AgreesWithTheOracleOnRandomGridsOfEverySize) {
  AgreeWithTheOracle<2>(300);
  AgreeWithTheOracle<3>(300);
  AgreeWithTheOracle<4>(60);
}

}  // namespace
