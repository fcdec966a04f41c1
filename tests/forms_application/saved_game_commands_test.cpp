// The game in progress across runs: written by SerializeGameXMLCommand and
// read back by DeserializeGameXMLCommand into a new game of the saved size
// and level; a file that cannot be read leaves the game as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "app/Paths.h"
#include "engine/CHintInfo.h"
#include "forms/application/SavedGameCommands.h"
#include "tests/support/application_fixture.h"

namespace application_test {
namespace {

// Every cell as "given solution user candidates;", and the clock.
template <unsigned N>
std::string DescribeCells(GameBase& base) {
  std::ostringstream out;
  for (const auto& cell : GameOfSize<N>(base).gridView().model().cells)
    out << int{cell.given} << " " << int{cell.solution} << " " << int{cell.user} << " " << cell.candidates.to_ulong()
        << ";";
  out << " time " << base.GetElapsedSeconds();
  return out.str();
}

std::string DescribeCells(GameBase& game) {
  switch (game.GetBoxSize()) {
    case 2: return DescribeCells<2>(game);
    case 3: return DescribeCells<3>(game);
    case 4: return DescribeCells<4>(game);
  }
  return "box size " + std::to_string(game.GetBoxSize());
}

// A classic 9x9 with a single solution.
constexpr const char* kPuzzle = "530070000600195000098000060800060003400803001700020006060000280000419005000080079";

std::string SavedText() { return dialogs_test::Bytes(SavedGameFileName()); }
void WriteSaved(const std::string& text) { std::ofstream(NativePath(SavedGameFileName()), std::ios::binary) << text; }

TEST_F(ApplicationTest, ASavedGameComesBackWithItsSizeLevelCellsAndClock) {
  for (int n : {2, 3, 4}) {
    SCOPED_TRACE("box size " + std::to_string(n));
    const std::uint32_t side = static_cast<std::uint32_t>(n * n);
    state->SeGameSize(n, 2);
    GameBase& game = *state->game;
    std::string clues(side * side, '0');
    clues[0] = '1';
    clues[side + 2] = '2';
    game.SetGridFromString(clues);
    game.SetCellValue(side - 1, 1);
    game.SetCandidates(2 * side, 0x5);
    game.SetElapsedSeconds(3725);
    const std::string before = DescribeCells(game);

    SerializeGameXMLCommand().Execute();
    state->SeGameSize(n == 3 ? 2 : 3, 0);
    DeserializeGameXMLCommand load;
    load.Execute();

    EXPECT_TRUE(load.loaded);
    EXPECT_EQ(state->game->GetBoxSize(), static_cast<std::uint32_t>(n));
    EXPECT_EQ(state->game->GetDifficulty(), 2u);
    EXPECT_EQ(DescribeCells(*state->game), before);
  }
}

// The level decides the game's solver, so the game must be made with the
// level its cells are read with: saved 0 to 4 as it is, any other number
// the highest, 5; no usable level leaves the reader's 1.  Each restored
// game solves its puzzle and finds a hint.
TEST_F(ApplicationTest, ASavedLevelIsTakenAsTheReaderTakesItAndTheGameIsUsable) {
  struct Case {
    const char* difficulty;  // the attribute, or nothing
    std::uint32_t level;
  };
  const Case cases[] = {{"difficulty=\"3\"", 3},           {"difficulty=\"7\"", 5}, {"difficulty=\"-1\"", 5},
                        {"difficulty=\"99999999999\"", 5}, {"difficulty=\"x\"", 1}, {"", 1}};
  state->SeGameSize(3, 2);
  state->game->SetGridFromString(kPuzzle);
  SerializeGameXMLCommand().Execute();
  const std::string saved = SavedText();
  const std::string level = "difficulty=\"2\"";
  ASSERT_NE(saved.find(level), std::string::npos) << saved.substr(0, 80);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.difficulty);
    WriteSaved(std::string(saved).replace(saved.find(level), level.size(), c.difficulty));
    state->SeGameSize(2, 0);
    DeserializeGameXMLCommand load;
    load.Execute();
    ASSERT_TRUE(load.loaded);
    GameBase& game = *state->game;
    EXPECT_EQ(game.GetDifficulty(), c.level);
    EXPECT_EQ(game.GetGridString(), kPuzzle);
    CHintInfo hint;
    EXPECT_TRUE(game.FindHint(hint));
    game.CopyCellsToSolver();
    EXPECT_TRUE(game.SolveTable(nullptr));
    EXPECT_EQ(game.CountEmptySolverCells(), 0u);
  }
}

// The application starts with an empty 9x9 grid that stands in until a game
// is restored or made: a save before then (a lost display during the first
// generation) writes nothing, and the file, missing or kept as it was, is
// not replaced by a blank game.
TEST_F(ApplicationTest, TheGameTheApplicationStartsWithIsNeverWritten) {
  const std::string file = NativePath(SavedGameFileName());
  SerializeGameXMLCommand().Execute();
  EXPECT_FALSE(std::filesystem::exists(file));
  WriteSaved("<grid size=\"3\"");
  SerializeGameXMLCommand().Execute();
  EXPECT_EQ(SavedText(), "<grid size=\"3\"");

  state->SeGameSize(3, 0);
  SerializeGameXMLCommand().Execute();
  EXPECT_TRUE(SavedText().starts_with("<grid size=\"3\"")) << "a player's own puzzle, empty as it starts";
  EXPECT_NE(SavedText(), "<grid size=\"3\"");
}

TEST_F(ApplicationTest, ASaveThatCannotBeReadLeavesTheGameAsItWas) {
  struct Case {
    const char* name;
    std::optional<std::string> text;  // nothing: no file
  };
  const Case cases[] = {
      {"no file", std::nullopt},
      {"empty", ""},
      {"not XML", "<grid size=\"3\" time=\"1\""},
      {"no size", "<grid time=\"5\" difficulty=\"1\"><row><cell /></row></grid>"},
      {"size 1", "<grid size=\"1\"/>"},
      {"size 5", "<grid size=\"5\"/>"},
      {"size 9, the side", "<grid size=\"9\"/>"},
      {"size not a number", "<grid size=\"three\"/>"},
      {"size with a blank", "<grid size=\"3 \"/>"},
      // Longer than the cells' reader reads: it would give an empty grid.
      {"too long", "<grid size=\"3\">" + std::string(70 * 1024, ' ') + "</grid>"},
  };
  state->SeGameSize(2, 3);
  state->game->SetCellValue(5, 2);
  const std::shared_ptr<GameBase> game = state->game;
  const std::string before = DescribeCells(*game);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(NativePath(SavedGameFileName()));
    if (c.text) WriteSaved(*c.text);
    DeserializeGameXMLCommand load(true);
    load.Execute();
    EXPECT_FALSE(load.loaded);
    EXPECT_EQ(state->game, game);
    EXPECT_EQ(DescribeCells(*state->game), before);
  }
}

}  // namespace
}  // namespace application_test
