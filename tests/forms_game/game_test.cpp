// The game object built for real: its parts after construction, the keypad
// topologies and grid placement per entry type, the digit labels, the clock
// and the level classes.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <typeinfo>

#include "game/commands/CellCommands.h"
#include "tests/forms_game/game_fixture.h"

namespace {

using namespace game_test;

// Grid window rectangles of the game form's items 6 and 7.
constexpr RECT kPopupGrid{4, 4, 476, 476};
constexpr RECT kPanelGrid{4, 4, 400, 400};

template <unsigned N>
std::string Kind(const keypad::KeypadTopology<N>* t) {
  using namespace keypad;
  if (dynamic_cast<const KeypadRightTopology<N>*>(t)) return "Right";
  if (dynamic_cast<const KeypadBottomTopology<N>*>(t)) return "Bottom";
  if (dynamic_cast<const KeypadRectangleTopology<N, 0>*>(t)) return "Rect0";
  if (dynamic_cast<const KeypadRectangleTopology<N, 1>*>(t)) return "Rect1";
  if (dynamic_cast<const KeypadRowColTopology<N, 0>*>(t)) return "RowCol0";
  if (dynamic_cast<const KeypadRowColTopology<N, 1>*>(t)) return "RowCol1";
  return t ? "other" : "none";
}

template <unsigned N>
void ExpectConstructed() {
  SCOPED_TRACE("N=" + std::to_string(N));
  // A command of an earlier game that could be undone.
  CommandHistory::Instance()->Record(std::make_shared<gamecommands::SetFixedValue>(0));
  ASSERT_TRUE(CommandHistory::Instance()->CanUndo());

  auto game = std::make_shared<Game<N>>(2, nullptr);
  EXPECT_FALSE(CommandHistory::Instance()->CanUndo());
  EXPECT_FALSE(CommandHistory::Instance()->CanRedo());
  EXPECT_EQ(game->keypadType(), 0u);
  EXPECT_EQ(Kind<N>(game->keypads().value.topology.get()), "Right");
  EXPECT_EQ(Kind<N>(game->keypads().candidate.topology.get()), "Bottom");
  EXPECT_TRUE(RectOf(game->gridView()) == kPanelGrid) << ToString(RectOf(game->gridView()));
  // The grid's layout reached the keypads through the layout callback.
  const auto& grid = game->keypads().value.topology->grid;
  EXPECT_EQ(grid.right - grid.left, kPanelGrid.right - kPanelGrid.left);
  const auto& clock = game->clockView().model();
  EXPECT_TRUE(RectOf(game->clockView()) == (RECT{220, 490, 340, 538}));
  EXPECT_EQ(clock.id, 10);
  EXPECT_EQ(clock.hidden_glyph, 118u);
  EXPECT_EQ(clock.shown_glyph, 119u);
  EXPECT_FALSE(clock.shown);
  EXPECT_EQ(game->GetBoxSize(), N);
  EXPECT_EQ(game->GetDifficulty(), 2u);
  EXPECT_NE(dynamic_cast<CSudokuGeneratorIntermediate<N>*>(&game->generator()), nullptr);
  EXPECT_FALSE(game->IsAlreadySolved());
}

TEST_F(GameTest, ConstructionGivesTypeZeroKeypadsThePanelGridTheClockAndAnEmptyHistory) {
  ExpectConstructed<2>();
  ExpectConstructed<3>();
  ExpectConstructed<4>();
}

TEST_F(GameTest, ALevelAboveTheHighestIsTakenAsTheHighestAndNoHistoryIsNeeded) {
  CommandHistory::Destroy();
  auto game = MakeGame<3>(9);
  EXPECT_EQ(game->GetDifficulty(), 5u);
  EXPECT_NE(dynamic_cast<CSudokuGeneratorSorcerer<3>*>(&game->generator()), nullptr);
  // The generator is there for the solver calls.
  game->CopyCellsToSolver();
  EXPECT_EQ(game->CountEmptySolverCells(), 81u);
}

TEST_F(GameTest, TheClockButtonsShownFlagPassesToTheNextGameThroughSessionMemory) {
  EXPECT_FALSE(MakeGame<3>()->clockView().model().shown);  // nothing stored yet
  EXPECT_EQ(SessionMemory::Get(16), "1\n0\n");
  MakeGame<3>()->clockView().model().shown = true;
  EXPECT_EQ(SessionMemory::Get(16), "1\n1\n");
  EXPECT_TRUE(MakeGame<2>()->clockView().model().shown);
}

TEST_F(GameTest, SetEnteringNumbersGivesEachKeypadItsOwnTopologyAndPlacesTheGrid) {
  struct Case {
    std::uint32_t type;
    const char* value;
    const char* candidate;
    RECT grid;
  };
  auto game = MakeGame<3>();
  auto& pads = game->keypads();
  // From type 5 down, so every step changes the type, ending at the type the
  // game was built with.
  for (const Case& c : {Case{5, "RowCol1", "RowCol1", kPopupGrid}, Case{4, "RowCol0", "RowCol0", kPopupGrid},
                        Case{3, "Rect0", "Rect0", kPopupGrid}, Case{2, "Rect1", "Rect1", kPopupGrid},
                        Case{1, "Bottom", "Right", kPanelGrid}, Case{0, "Right", "Bottom", kPanelGrid}}) {
    SCOPED_TRACE("type " + std::to_string(c.type));
    const auto* oldValue = pads.value.topology.get();
    game->SetEnteringNumbers(c.type);
    EXPECT_EQ(game->keypadType(), c.type);
    EXPECT_NE(pads.value.topology.get(), oldValue);
    EXPECT_NE(pads.value.topology.get(), pads.candidate.topology.get());
    EXPECT_EQ(Kind<3>(pads.value.topology.get()), c.value);
    EXPECT_EQ(Kind<3>(pads.candidate.topology.get()), c.candidate);
    EXPECT_TRUE(RectOf(game->gridView()) == c.grid) << ToString(RectOf(game->gridView()));
    // The resize told the keypads where the grid now is.
    EXPECT_EQ(pads.candidate.topology->grid.left, c.grid.left);
    EXPECT_EQ(pads.candidate.topology->grid.right, c.grid.right);
  }
}

TEST_F(GameTest, SetEnteringNumbersWithTheSameTypeDoesNothingAndAnUnknownTypeThrowsKeepingTheKeypads) {
  auto game = MakeGame<3>();
  game->SetEnteringNumbers(3);
  auto& pads = game->keypads();
  const auto* value = pads.value.topology.get();
  const auto* candidate = pads.candidate.topology.get();
  pads.value.laidOutCell = 7;  // a re-layout would move it to cell 0
  game->SetEnteringNumbers(3);
  EXPECT_EQ(pads.value.topology.get(), value);
  EXPECT_EQ(pads.value.laidOutCell, 7u);

  try {
    game->SetEnteringNumbers(6);
    ADD_FAILURE() << "no throw";
  } catch (const char* message) {
    EXPECT_STREQ(message, "No such type of Topology selected!");
  }
  EXPECT_EQ(game->keypadType(), 6u);
  EXPECT_EQ(pads.value.topology.get(), value);
  EXPECT_EQ(pads.candidate.topology.get(), candidate);
  EXPECT_TRUE(RectOf(game->gridView()) == kPopupGrid);
  EXPECT_NO_THROW(game->SetEnteringNumbers(6));  // stored, so the same type
}

TEST_F(GameTest, GridSymbolsRelabelBothKeypadsOfA16x16Grid) {
  auto game = MakeGame<4>();
  auto labels = [](auto& pad) {
    std::wstring text;
    for (auto& d : pad.digits) text += d->model().text;
    return text;
  };
  struct Case {
    std::uint32_t symbols;
    const wchar_t* labels;
  };
  for (const Case& c : {Case{1, L"ABCDEFGHIJKLMNOP"}, Case{0, L"123456789ABCDEFG"}, Case{2, L"ABCDEFGHIJKLMNOP"}}) {
    SCOPED_TRACE(c.symbols);
    game->SetGridSymbols(c.symbols);
    EXPECT_EQ(game->gridView().model().gridSymbols, c.symbols);
    EXPECT_EQ(labels(game->keypads().value), c.labels);
    EXPECT_EQ(labels(game->keypads().candidate), c.labels);
  }
  // The grid stays where it was.
  EXPECT_TRUE(RectOf(game->gridView()) == kPanelGrid);
}

TEST_F(GameTest, TheClockCountsOnlyActiveTimeAndStopsForGoodWhenSolved) {
  auto game = MakeGame<3>();
  Advance(5);
  EXPECT_EQ(game->GetElapsedSeconds(), 5u);
  game->Deactivate();
  Advance(100);
  EXPECT_EQ(game->GetElapsedSeconds(), 5u);
  game->Deactivate();  // a second pause adds nothing
  game->Activate(false);
  Advance(3);
  EXPECT_EQ(game->GetElapsedSeconds(), 8u);
  game->SetElapsedSeconds(100);  // running: the seconds since the resume still count
  EXPECT_EQ(game->GetElapsedSeconds(), 103u);
  Advance(1);
  EXPECT_EQ(game->GetElapsedSeconds(), 104u);

  game->MarkSolved();
  EXPECT_TRUE(game->IsAlreadySolved());
  Advance(10);
  game->Deactivate();
  game->Activate(true);
  Advance(10);
  EXPECT_EQ(game->GetElapsedSeconds(), 104u);
}

TEST_F(GameTest, ARestoredGameKeepsItsTimeAndResumesOnlyWhenNotSolved) {
  const std::string path = (folders.root / "settings" / "current_game.xml").string();
  for (const bool solved : {true, false}) {
    SCOPED_TRACE(solved);
    {
      auto saved = MakeGame<3>(4);
      FillGrid(*saved, [](std::uint32_t i) { return i % 3 == 0; });
      saved->SetElapsedSeconds(40);
      saved->Deactivate();
      if (solved) saved->MarkSolved();
      saved->SaveToXML(path);
    }
    // As the application restores: a new game, deactivated, then read.
    auto restored = MakeGame<3>(1);
    restored->Deactivate();
    Advance(7);
    restored->LoadFromXML(path);
    EXPECT_EQ(restored->IsAlreadySolved(), solved);
    EXPECT_EQ(restored->GetDifficulty(), 4u);
    // The generator stays of the class the game was built with.
    EXPECT_NE(dynamic_cast<CSudokuGeneratorBeginner<3>*>(&restored->generator()), nullptr);
    EXPECT_EQ(restored->GetGridBytes()[3], SolutionAt<3>(3) + 1);
    EXPECT_EQ(restored->GetElapsedSeconds(), 40u);
    restored->Activate(false);
    Advance(6);
    EXPECT_EQ(restored->GetElapsedSeconds(), solved ? 40u : 46u);
  }
}

TEST_F(GameTest, SetDifficultyPicksTheLevelClassAndIgnoresUnknownLevels) {
  auto game = MakeGame<3>(3);
  struct Case {
    std::uint32_t level;
    const std::type_info& type;
  };
  for (const Case& c : {Case{0, typeid(CSudokuGeneratorBeginner<3>)}, Case{1, typeid(CSudokuGeneratorBeginner<3>)},
                        Case{2, typeid(CSudokuGeneratorIntermediate<3>)}, Case{3, typeid(CSudokuGeneratorAdvanced<3>)},
                        Case{4, typeid(CSudokuGeneratorMaster<3>)}, Case{5, typeid(CSudokuGeneratorSorcerer<3>)}}) {
    SCOPED_TRACE(c.level);
    const auto* before = &game->generator();
    game->SetDifficulty(c.level);
    EXPECT_NE(&game->generator(), before);  // a new object each time
    EXPECT_EQ(typeid(game->generator()), c.type);
    EXPECT_EQ(game->GetDifficulty(), 3u);
  }
  const auto* before = &game->generator();
  game->SetDifficulty(6);
  EXPECT_EQ(&game->generator(), before);
}

TEST_F(GameTest, PatternUsageOfAnUnknownIdIsZero) {
  auto game = MakeGame<3>();
  FillGrid(*game, [](std::uint32_t i) { return i % 2 == 0; });
  game->CopyCellsToSolver();
  ASSERT_TRUE(game->SolveTable(nullptr));
  EXPECT_GT(game->GetPatternUsage(2) + game->GetPatternUsage(3), 0u);
  EXPECT_EQ(game->GetPatternUsage(16), 0u);
  EXPECT_EQ(game->GetPatternUsage(0xFFFFFFFF), 0u);
}

TEST_F(GameTest, DeactivateHidesEverythingAndActivateShowsThePanelsOnly) {
  for (const std::uint32_t type : {0u, 2u}) {
    SCOPED_TRACE(type);
    auto game = MakeGame<3>();
    game->SetEnteringNumbers(type);
    auto& pads = game->keypads();
    game->Deactivate();
    EXPECT_FALSE(game->gridView().display().handle().get()->visible());
    EXPECT_FALSE(game->clockView().display().handle().get()->visible());
    EXPECT_FALSE(Visible(pads.value.digits[0]));
    EXPECT_FALSE(Visible(pads.candidate.x));
    game->Activate(false);
    EXPECT_TRUE(game->gridView().display().handle().get()->visible());
    EXPECT_TRUE(game->clockView().display().handle().get()->visible());
    EXPECT_EQ(Visible(pads.value.digits[0]), type == 0);
    EXPECT_EQ(Visible(pads.candidate.digits[8]), type == 0);
    // Value mode: only the value keypad's "s" on the shared corner.
    EXPECT_EQ(Visible(pads.value.s), type == 0);
    EXPECT_FALSE(Visible(pads.candidate.s));
  }
}

TEST_F(GameTest, SwitchingOnlyValidEntriesOffEnablesEveryValueDigitAtOnce) {
  auto game = MakeGame<3>();
  game->SetCandidates(0, 0b101);
  game->SetAllowOnlyValidEntries(true);
  game->SelectCell(0);
  game->LayoutKeypads();
  auto& digits = game->keypads().value.digits;
  EXPECT_TRUE(digits[0]->model().active);
  EXPECT_FALSE(digits[1]->model().active);
  game->SetAllowOnlyValidEntries(false);
  for (auto& d : digits) EXPECT_TRUE(d->model().active);
  // On again: nothing changes before the next update of the keypad.
  game->SetAllowOnlyValidEntries(true);
  EXPECT_TRUE(digits[1]->model().active);
  game->LayoutKeypads();
  EXPECT_FALSE(digits[1]->model().active);
}

TEST_F(GameTest, ClickingACellTogglesOnlyPopups) {
  auto game = MakeGame<3>();
  FillGrid(*game, [](std::uint32_t i) { return i == 5; });
  auto& pads = game->keypads();
  auto clickCell = [&](std::uint32_t cell) {
    game->SetCurrentCell(cell);
    game->LayoutKeypads();
    game->ClickCurrentCell();
  };
  clickCell(1);
  game->HideKeypads();
  EXPECT_TRUE(Visible(pads.value.digits[0]));  // panels stay
  game->SetEnteringNumbers(3);
  game->Deactivate();
  game->Activate(false);
  clickCell(1);
  EXPECT_TRUE(Visible(pads.value.digits[0]));
  clickCell(2);  // another cell keeps it open
  EXPECT_TRUE(Visible(pads.value.digits[0]));
  clickCell(2);  // the same cell again closes it
  EXPECT_FALSE(Visible(pads.value.digits[0]));
  clickCell(2);
  clickCell(5);  // a clue closes it
  EXPECT_FALSE(Visible(pads.value.digits[0]));
  // Candidate mode: no popup where the solution is unknown.
  pads.valueMode = 0;
  game->gridView().model().cells[7].solution = grid::kUnknownSolution;
  clickCell(7);
  EXPECT_FALSE(Visible(pads.candidate.digits[0]));
  clickCell(8);
  EXPECT_TRUE(Visible(pads.candidate.digits[0]));
}

}  // namespace
