// A whole game played headless: loaded from puzzle bytes, played with mouse
// and key events through the window controller onto the grid and the
// keypads, with undo and redo, a hint and a hint step, saved and restored
// into a fresh game, and finished.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/commands/ExecuteCommand.h"
#include "game/commands/HintCommands.h"
#include "game/commands/PuzzleCommands.h"
#include "game/commands/UndoRedo.h"
#include "tests/forms_game/game_fixture.h"

namespace {

using namespace game_test;
using gamecommands::Services;

// The cells left open: one per row, so the puzzle has one solution.
const std::vector<std::uint32_t> kOpen = {0 * 9 + 0, 1 * 9 + 4, 2 * 9 + 8, 3 * 9 + 1, 4 * 9 + 5, 5 * 9 + 6};

class ScriptedGameTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    // As the application: a new game replaces the current one and is shown.
    Services::InstallNewGame([this](std::uint32_t boxSize, std::uint32_t level) -> std::shared_ptr<GameBase> {
      if (boxSize != 3) return nullptr;
      current = MakeGame<3>(level);
      current->Deactivate();
      current->Activate(false);
      return current;
    });
    Services::InstallCurrentGame([this] { return std::static_pointer_cast<GameBase>(current); });
    Services::InstallSolvedReport([this](GameBase& game) {
      ++reports;
      game.MarkSolved();
    });
    Services::InstallHintDisplay([this](std::uint32_t text, std::uint32_t help) { hints.emplace_back(text, help); });
  }

  // The middle of a cell of the grid window, in the main window.
  void ClickCell(std::uint32_t cell) {
    const RECT r = RectOf(current->gridView());
    const int size = (r.right - r.left) / 9;
    click(r.left + static_cast<int>(cell % 9) * size + size / 2, r.top + static_cast<int>(cell / 9) * size + size / 2);
  }
  void TypeDigit(std::uint32_t value) {
    route(widget_test::platform_event(notus::impl::ev_key{0, 1, static_cast<int>('1' + value), 0}));
    route(widget_test::platform_event(notus::impl::ev_key{0, 0, static_cast<int>('1' + value), 0}));
  }
  template <class View>
  void ClickButton(const std::shared_ptr<View>& v) {
    ASSERT_TRUE(Visible(v));
    const RECT r = RectOf(*v);
    click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void Undo() { gamecommands::UndoLast(*CommandHistory::Instance(), *current); }
  void Redo() { gamecommands::RedoNext(*CommandHistory::Instance(), *current); }
  std::uint8_t Solution(std::uint32_t cell) const { return SolutionAt<3>(cell); }

  std::shared_ptr<Game<3>> current;
  int reports = 0;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> hints;
};

TEST_F(ScriptedGameTest, APuzzleIsPlayedToSolvedThroughTheViews) {
  std::vector<std::uint8_t> bytes(81);
  for (std::uint32_t i = 0; i < 81; ++i) bytes[i] = static_cast<std::uint8_t>(Solution(i) + 1);
  for (std::uint32_t i : kOpen) bytes[i] = 0;
  gamecommands::LoadGrid_Command(3, 2, bytes).Execute();
  ASSERT_TRUE(current);
  EXPECT_EQ(current->CountFilledCells(), 81u - kOpen.size());
  EXPECT_EQ(current->gridView().model().cells[kOpen[0]].solution, Solution(kOpen[0]));
  EXPECT_FALSE(CommandHistory::Instance()->CanUndo());
  auto& pads = current->keypads();

  // A wrong digit typed on the first open cell, undone, redone, then the
  // right one typed over it.
  const std::uint32_t a = kOpen[0];
  ClickCell(a);
  EXPECT_EQ(current->GetCurrentCell(), a);
  TypeDigit((Solution(a) + 1) % 9);
  EXPECT_EQ(current->GetCellValue(a), (Solution(a) + 1) % 9);
  Undo();
  EXPECT_EQ(current->GetCellValue(a), -1);
  Redo();
  EXPECT_EQ(current->GetCellValue(a), (Solution(a) + 1) % 9);
  TypeDigit(Solution(a));
  EXPECT_EQ(current->GetCellValue(a), Solution(a));
  // A digit typed on a clue changes nothing.
  ClickCell(a + 1);
  TypeDigit((Solution(a + 1) + 1) % 9);
  EXPECT_EQ(current->GetCellValue(a + 1), -1);

  // A hint on a grid without pencil marks changes no cell.
  const std::string before = current->GetGridString();
  gamecommands::Hint().Execute();
  EXPECT_EQ(hints.size(), 1u);
  EXPECT_EQ(current->GetGridString(), before);

  // The second open cell gets its one pencil mark from the candidate keypad;
  // the hint step then places it as a single, which undoes and redoes.
  const std::uint32_t b = kOpen[1];
  ClickCell(b);
  ClickButton(pads.value.s);  // to candidate mode
  EXPECT_FALSE(current->IsValueInputMode());
  ClickButton(pads.candidate.digits[Solution(b)]);
  EXPECT_EQ(current->GetCandidates(b), 1u << Solution(b));
  ClickButton(pads.candidate.s);  // back to value mode
  EXPECT_TRUE(current->IsValueInputMode());
  gamecommands::ExecuteCommand(std::make_shared<gamecommands::Hint_Step>());
  EXPECT_EQ(current->GetCellValue(b), Solution(b));
  Undo();
  EXPECT_EQ(current->GetCellValue(b), -1);
  EXPECT_EQ(current->GetCandidates(b), 1u << Solution(b));
  Redo();
  EXPECT_EQ(current->GetCellValue(b), Solution(b));

  // Saved, then restored into a fresh game that goes on.
  Advance(30);
  const std::string path = (folders.root / "settings" / "current_game.xml").string();
  current->SaveToXML(path);
  const std::string played = current->GetGridString();
  current = MakeGame<3>(1);
  current->Deactivate();
  current->LoadFromXML(path);
  current->Activate(false);
  EXPECT_EQ(current->GetGridString(), played);
  EXPECT_EQ(current->GetDifficulty(), 2u);
  EXPECT_EQ(current->GetElapsedSeconds(), 30u);
  EXPECT_EQ(current->gridView().model().cells[kOpen[5]].solution, Solution(kOpen[5]));

  // The rest from the value keypad's buttons, the last one solving it.
  auto& restoredPads = current->keypads();
  for (std::size_t k = 2; k < kOpen.size(); ++k) {
    SCOPED_TRACE(kOpen[k]);
    ClickCell(kOpen[k]);
    ClickButton(restoredPads.value.digits[Solution(kOpen[k])]);
    EXPECT_EQ(current->GetCellValue(kOpen[k]), Solution(kOpen[k]));
    EXPECT_EQ(reports, k + 1 == kOpen.size() ? 1 : 0);
  }
  EXPECT_TRUE(current->IsAlreadySolved());
  const std::uint32_t elapsed = current->GetElapsedSeconds();
  // Taken back and filled in again: still one report.
  Undo();
  Redo();
  ClickCell(kOpen.back());
  ClickButton(restoredPads.value.x);
  ClickButton(restoredPads.value.digits[Solution(kOpen.back())]);
  EXPECT_EQ(reports, 1);
  Advance(60);
  current->Deactivate();
  current->Activate(false);
  Advance(60);
  EXPECT_EQ(current->GetElapsedSeconds(), elapsed);
}

}  // namespace
