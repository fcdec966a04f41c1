// The generation of a new puzzle under the progress form: what the form
// shows while the engine reports, what a cancel or a close stops and what it
// leaves, and the new game the command leaves behind.  A scripted game
// reports at fixed counts where the exact pace matters; the real engine
// shows the board, candidates and solution a player gets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Paths.h"
#include "forms/application/SavedGameCommands.h"
#include "forms/progress/GenerateGridCommand.h"
#include "game/grid/GridSymbols.h"
#include "notus/platform/ownerdrawWin32/paint_timer.h"
#include "tests/support/RecordingGame.h"
#include "tests/support/dialogs_fixture.h"
#include "winapi/close_signals.h"

namespace progress_test {
namespace {

using dialogs_test::strings;
using forms_test::app;
using forms_test::virtual_window_controller;

// Execute's steps after the new game exists, on a game the test gives.
class ProbedCommand : public GenerateGrid_Command {
 public:
  using GenerateGrid_Command::GenerateGrid_Command;
  using GenerateGrid_Command::GenerateInto;
};

// What the test saw right after one report had returned to the engine.
struct Report {
  std::uint32_t count;
  bool toldToCancel;   // what the command answered the engine
  bool formCancelled;  // the form's flag after the report's pump
  std::wstring shown;  // item 4's text
  bool localController;
};

// Reports 100, 200, ... from the generation and from the solve, as the
// engine does, and stops a search when told to; notes the game steps.
class ScriptedGame : public RecordingGame {
 public:
  void ResetAllCells() override { calls.push_back("ResetAllCells"); }
  void GenerateGrid(CProgressCallback* progress) override {
    calls.push_back("GenerateGrid");
    Search(progress, generationReports, generation);
  }
  void MarkGivenCells() override { calls.push_back("MarkGivenCells"); }
  void ResetSolverCandidates() override { calls.push_back("ResetSolverCandidates"); }
  void UpdateSolverCandidates() override { calls.push_back("UpdateSolverCandidates"); }
  void CopyCandidatesFromSolver() override { calls.push_back("CopyCandidatesFromSolver"); }
  void ClearAllCandidates() override { calls.push_back("ClearAllCandidates"); }
  bool SolveTable(CProgressCallback* progress) override {
    calls.push_back("SolveTable");
    return Search(progress, solveReports, solve) && solvable;
  }
  void CopySolutionFromSolver() override { calls.push_back("CopySolutionFromSolver"); }
  void SetDifficulty(std::uint32_t level) override { calls.push_back("SetDifficulty(" + std::to_string(level) + ")"); }

  // True when the search ran to its end.
  bool Search(CProgressCallback* progress, int reports, std::vector<Report>& seen) {
    for (int i = 1; i <= reports; ++i) {
      const auto count = static_cast<std::uint32_t>(100 * i);
      if (beforeReport) beforeReport(count);
      bool cancel = false;
      progress->OnProgress(count, &cancel, 0);
      const ProgresForm::Manager* form = command->form();
      seen.push_back({count, cancel, form && form->cancel, form ? form->count->model().text : L"(no form)",
                      virtual_window_controller::current() != root});
      if (cancel) return false;
    }
    return true;
  }

  const GenerateGrid_Command* command = nullptr;
  const virtual_window_controller* root = nullptr;
  int generationReports = 5;
  int solveReports = 2;
  bool solvable = true;
  std::function<void(std::uint32_t)> beforeReport;
  std::vector<Report> generation;
  std::vector<Report> solve;
};

std::vector<std::uint32_t> Counts(const std::vector<Report>& reports) {
  std::vector<std::uint32_t> counts;
  for (const Report& r : reports) counts.push_back(r.count);
  return counts;
}

class GenerateGridTest : public dialogs_test::DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    // A real game's clock and keypads draw glyphs.
    app::load_glyph_document(std::filesystem::path(TAVLIN_SOURCE_RESOURCES "/glyphs.dat").wstring());
    std::srand(7);
    Settle();
  }
  void TearDown() override {
    state->game.reset();
    DialogsTest::TearDown();
  }

  std::shared_ptr<ScriptedGame> Scripted(const GenerateGrid_Command& command) {
    auto game = std::make_shared<ScriptedGame>();
    game->command = &command;
    game->root = desktop->root();
    return game;
  }

  void ClickCancel() {
    const ItemConfig c = ResourceManager::GetItemConfig(ProgresForm::kForm, ProgresForm::kCancelItem);
    winapi::headless::InjectClick(main, (c.left + c.right) / 2, (c.top + c.bottom) / 2);
  }
};

TEST_F(GenerateGridTest, EachCountIsShownAndPaintedUnderTheFormsOwnController) {
  SetTimer(main, desktop::paint_timer_id, desktop::paint_timer_period_ms, &notus::impl::details::PaintTimerProc);
  ProbedCommand command(3, 1);
  auto game = Scripted(command);
  // Only the generation's counts, each painted by its own report.
  game->solveReports = 0;
  strings drawn;
  game->beforeReport = [&](std::uint32_t) {
    // The report's one message is then the paint timer's.
    winapi::headless::AdvanceTickCount(desktop::paint_timer_period_ms);
  };
  const winapi::Image before = Shot();
  notus::gdi::set_device_recorder([&drawn](const std::string& call) { drawn.push_back(call); });
  command.GenerateInto(game);
  notus::gdi::set_device_recorder(nullptr);

  ASSERT_EQ(Counts(game->generation), (std::vector<std::uint32_t>{100, 200, 300, 400, 500}));
  for (const Report& r : game->generation) {
    SCOPED_TRACE(r.count);
    EXPECT_EQ(r.shown, std::to_wstring(r.count));
    EXPECT_TRUE(r.localController);
    EXPECT_FALSE(r.toldToCancel);
    const std::string text = "draw_text(\"" + std::to_string(r.count) + "\"";
    EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [&](const std::string& c) { return c.starts_with(text); }));
  }
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());
  EXPECT_EQ(command.form(), nullptr);
  // The panel's place is painted again from what lies beneath.
  EXPECT_NE(Shot().pixels, before.pixels);
  EXPECT_FALSE(Settle());
  EXPECT_EQ(Shot().pixels, before.pixels);
}

// The form's title, text and button are those of form 19; before the first
// report the count shows item 4's own text.
TEST_F(GenerateGridTest, TheFormShowsItsLayoutTexts) {
  ProbedCommand command(3, 1);
  auto game = Scripted(command);
  strings shown;
  game->generationReports = 1;
  game->solveReports = 0;
  game->beforeReport = [&](std::uint32_t) { shown = PaintedTexts(); };
  command.GenerateInto(game);
  for (const char* text : {"Generating puzzle", "Please wait…", "0", "Cancel"})
    EXPECT_TRUE(dialogs_test::Shows(shown, text));
}

// A click queued before the run: its button-down and button-up go through
// the first two reports' pumps, the third tells the engine to stop.
TEST_F(GenerateGridTest, ACancelStopsTheGenerationOnlyAndQuitsNothing) {
  ProbedCommand command(3, 1);
  auto game = Scripted(command);
  game->generationReports = 10;
  game->solveReports = 3;
  ClickCancel();
  command.GenerateInto(game);

  ASSERT_EQ(Counts(game->generation), (std::vector<std::uint32_t>{100, 200, 300}));
  EXPECT_FALSE(game->generation[0].formCancelled);
  EXPECT_TRUE(game->generation[1].formCancelled);
  EXPECT_FALSE(game->generation[1].toldToCancel);
  EXPECT_TRUE(game->generation[2].toldToCancel);
  EXPECT_EQ(game->generation.back().shown, L"300");
  // The solve still reports, and is never cancelled, so its whole solution
  // is stored.
  ASSERT_EQ(Counts(game->solve), (std::vector<std::uint32_t>{100, 200, 300}));
  for (const Report& r : game->solve) EXPECT_FALSE(r.toldToCancel) << r.count;
  EXPECT_EQ(game->calls,
            (strings{"ResetAllCells", "GenerateGrid", "MarkGivenCells", "ResetSolverCandidates",
                     "UpdateSolverCandidates", "CopyCandidatesFromSolver", "SolveTable", "CopySolutionFromSolver",
                     "SetDifficulty(5)", "UpdateHighlights", "LayoutKeypads", "NotifyViews"}));
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());
  EXPECT_FALSE(Settle()) << "a WM_QUIT was left in the queue";
}

// The close box while generating: the quit the pump takes stops the
// generation there, and is queued again for the loop that follows, once.
TEST_F(GenerateGridTest, AQuitTakenByAReportStopsTheGenerationAndIsPostedAgain) {
  ProbedCommand command(3, 1);
  auto game = Scripted(command);
  game->generationReports = 10;
  PostMessageW(main, WM_CLOSE, 0, 0);
  command.GenerateInto(game);

  // WM_CLOSE goes through the first pump and posts the quit; the second
  // takes it; the third answers.  The game is left half-made: nothing more
  // is done to it.
  EXPECT_EQ(Counts(game->generation), (std::vector<std::uint32_t>{100, 200, 300}));
  EXPECT_TRUE(game->generation.back().toldToCancel);
  EXPECT_EQ(game->calls, (strings{"ResetAllCells", "GenerateGrid"}));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

struct StepsCase {
  const char* name;
  std::uint32_t level;
  bool autoPencilMarks;
  bool solvable;
  strings middle;  // between MarkGivenCells and SetDifficulty(5)
};

// The candidates follow the player's option; the own puzzle (level 0) is
// not solved; a failed solve stores no solution.
TEST_F(GenerateGridTest, TheStepsFollowTheOptionTheLevelAndTheSolve) {
  const strings filled{"ResetSolverCandidates", "UpdateSolverCandidates", "CopyCandidatesFromSolver"};
  const StepsCase cases[] = {
      {"candidates filled", 1, true, true, {filled[0], filled[1], filled[2], "SolveTable", "CopySolutionFromSolver"}},
      {"candidates empty", 2, false, true, {"ClearAllCandidates", "SolveTable", "CopySolutionFromSolver"}},
      {"own puzzle", 0, true, true, filled},
      {"unsolvable", 4, false, false, {"ClearAllCandidates", "SolveTable"}},
  };
  for (const StepsCase& c : cases) {
    SCOPED_TRACE(c.name);
    state->options.autoPencilMarks = c.autoPencilMarks;
    ProbedCommand command(3, c.level);
    auto game = Scripted(command);
    game->solvable = c.solvable;
    command.GenerateInto(game);
    strings expected{"ResetAllCells", "GenerateGrid", "MarkGivenCells"};
    expected.insert(expected.end(), c.middle.begin(), c.middle.end());
    expected.insert(expected.end(), {"SetDifficulty(5)", "UpdateHighlights", "LayoutKeypads", "NotifyViews"});
    EXPECT_EQ(game->calls, expected);
  }
}

// ---- The real engine, as start-up and the build-puzzle form run it. ----

struct Board {
  std::uint32_t n;
  std::vector<std::uint8_t> clues;  // 0 or value + 1
  std::string solved;               // the solution as symbols, after FillSolution
};

Board ReadBoard(GameBase& game) {
  Board board{game.GetBoxSize(), game.GetGridBytes(), ""};
  game.FillSolution();
  board.solved = game.GetGridString();
  return board;
}

// Every row, column and box holds every value once, and the clues are part
// of it.
::testing::AssertionResult CompleteSolution(const Board& b) {
  const std::uint32_t n = b.n, s = n * n;
  if (b.solved.size() != s * s) return ::testing::AssertionFailure() << "size " << b.solved.size();
  auto value = [&](std::uint32_t r, std::uint32_t c) { return grid::SymbolToValue(b.solved[r * s + c]); };
  const std::uint32_t all = (1u << s) - 1;
  for (std::uint32_t unit = 0; unit < s; ++unit) {
    std::uint32_t row = 0, column = 0, box = 0;
    for (std::uint32_t k = 0; k < s; ++k) {
      row |= 1u << value(unit, k);
      column |= 1u << value(k, unit);
      box |= 1u << value(unit / n * n + k / n, unit % n * n + k % n);
    }
    if (row != all || column != all || box != all)
      return ::testing::AssertionFailure() << "unit " << unit << " incomplete in " << b.solved;
  }
  for (std::size_t i = 0; i < b.clues.size(); ++i)
    if (b.clues[i] != 0 && b.clues[i] != grid::SymbolToValue(b.solved[i]) + 1)
      return ::testing::AssertionFailure() << "clue " << i << " is not the solution's value";
  return ::testing::AssertionSuccess();
}

std::size_t ClueCount(const Board& b) {
  return static_cast<std::size_t>(std::count_if(b.clues.begin(), b.clues.end(), [](std::uint8_t v) { return v; }));
}

struct RealCase {
  const char* name;
  std::uint32_t level;
  bool autoPencilMarks;
};

// A plain call with nothing shown yet, as at start-up: a new 9x9 game with
// a puzzle, its candidates by the option, a complete solution, and the
// level it was asked for, not the solver's.
TEST_F(GenerateGridTest, TheNewGameHasItsPuzzleCandidatesSolutionAndLevel) {
  const RealCase cases[] = {{"level 1, candidates", 1, true}, {"level 2, none", 2, false}, {"own puzzle", 0, true}};
  for (const RealCase& c : cases) {
    SCOPED_TRACE(c.name);
    state->options.autoPencilMarks = c.autoPencilMarks;
    GenerateGrid_Command(3, c.level).Execute();
    ASSERT_NE(state->game, nullptr);
    GameBase& game = *state->game;
    EXPECT_EQ(game.GetBoxSize(), 3u);
    EXPECT_EQ(game.GetDifficulty(), c.level);
    const std::vector<std::uint8_t> clues = game.GetGridBytes();
    std::vector<std::uint16_t> candidates;
    for (std::uint32_t i = 0; i < 81; ++i) candidates.push_back(game.GetCandidates(i));
    const Board board = ReadBoard(game);
    if (c.level == 0) {
      EXPECT_EQ(ClueCount(board), 0u);
    } else {
      EXPECT_GT(ClueCount(board), 16u);
      EXPECT_LT(ClueCount(board), 81u);
      EXPECT_TRUE(CompleteSolution(board));
    }
    for (std::uint32_t i = 0; i < 81; ++i) {
      if (clues[i] != 0) continue;
      SCOPED_TRACE(i);
      if (!c.autoPencilMarks) {
        EXPECT_EQ(candidates[i], 0);
      } else if (c.level == 0) {
        EXPECT_EQ(candidates[i], 0x1FF);
      } else {
        // The solution's digit stays, no clue of the cell's units does.
        EXPECT_NE(candidates[i] & (1u << grid::SymbolToValue(board.solved[i])), 0u);
        const std::uint32_t r = i / 9, col = i % 9;
        for (std::uint32_t j = 0; j < 81; ++j) {
          const bool related = j / 9 == r || j % 9 == col || (j / 27 == i / 27 && j % 9 / 3 == col / 3);
          if (related && clues[j] != 0) {
            EXPECT_EQ(candidates[i] & (1u << (clues[j] - 1)), 0u) << "clue at " << j;
          }
        }
      }
    }
    EXPECT_EQ(virtual_window_controller::current(), desktop->root());
    EXPECT_FALSE(Settle());
  }
}

// A 16x16 master puzzle takes the engine hundreds of reports; a click
// queued before the run stops it within its first few, long before it has
// taken most clues away.  The board it had reached stays, solved
// completely.
TEST_F(GenerateGridTest, ACancelledRealGenerationKeepsItsBoardWithAFullSolution) {
  ClickCancel();
  GenerateGrid_Command(4, 5).Execute();
  ASSERT_NE(state->game, nullptr);
  EXPECT_EQ(state->game->GetDifficulty(), 5u);
  const Board board = ReadBoard(*state->game);
  // A finished one keeps about 100 of the 256.
  EXPECT_GT(ClueCount(board), 160u);
  EXPECT_LT(ClueCount(board), 256u);
  EXPECT_TRUE(CompleteSolution(board));
  EXPECT_FALSE(Settle()) << "a WM_QUIT was left in the queue";
}

// A window of the test's own that takes one message at each report's
// pump: each message it is given posts the next, and the one taken at
// report `at` runs `action` instead, in the middle of a generation.
class AtReport {
 public:
  AtReport(int at, std::function<void()> action) : m_at(at), m_action(std::move(action)) {
    WNDCLASSW kind{};
    kind.lpfnWndProc = &Procedure;
    kind.lpszClassName = L"tavlin report probe";
    RegisterClassW(&kind);
    m_window = CreateWindowExW(0, kind.lpszClassName, L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    s_current = this;
    PostMessageW(m_window, kMessage, 0, 0);
  }
  ~AtReport() {
    s_current = nullptr;
    DestroyWindow(m_window);
  }
  AtReport(const AtReport&) = delete;
  AtReport& operator=(const AtReport&) = delete;

  bool Done() const { return m_taken >= m_at; }

 private:
  static constexpr UINT kMessage = WM_USER + 77;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != kMessage || s_current == nullptr) return DefWindowProcW(window, message, w, l);
    if (++s_current->m_taken == s_current->m_at) {
      s_current->m_action();
    } else {
      PostMessageW(window, kMessage, 0, 0);
    }
    return 0;
  }

  static inline AtReport* s_current = nullptr;
  int m_at;
  std::function<void()> m_action;
  HWND m_window = nullptr;
  int m_taken = 0;
};

// The game the player had: a 4x4 with a move, as the save writes it.
std::shared_ptr<GameBase> PlayedGame(Application& state) {
  state.SeGameSize(2, 2);
  state.game->SetCellValue(0, 3);
  return state.game;
}

// A 16x16 Sorcerer generation is the longest a player waits.  A save in its
// middle (what a lost display does) writes the game the player had, not
// the one being made; the new game is the application's once complete.
TEST_F(GenerateGridTest, ASaveDuringAGenerationWritesTheGameThePlayerHad) {
  const std::shared_ptr<GameBase> played = PlayedGame(*state);
  const std::string file = NativePath(SavedGameFileName());
  std::string saved;
  const AtReport midway(20, [&] {
    EXPECT_EQ(state->game, played);
    SerializeGameXMLCommand().Execute();
    saved = dialogs_test::Bytes(SavedGameFileName());
  });
  GenerateGrid_Command(4, 5).Execute();

  ASSERT_TRUE(midway.Done()) << "fewer reports than expected";
  EXPECT_TRUE(saved.starts_with("<grid size=\"2\"")) << saved.substr(0, 60);
  EXPECT_NE(saved.find("user_value=\"3\""), std::string::npos);
  ASSERT_NE(state->game, played);
  EXPECT_EQ(state->game->GetBoxSize(), 4u);
  EXPECT_TRUE(CompleteSolution(ReadBoard(*state->game)));
}

// The program closing while a game is made: a termination request (which
// ends every loop) or the close box.  The half-made game is dropped, the
// player's game stays the application's, and the close goes on.
TEST_F(GenerateGridTest, AClosingProgramDropsTheGameBeingMade) {
  struct Case {
    const char* name;
    std::function<void()> close;
  };
  // The request last: every loop of the test would end after it.
  const Case cases[] = {
      {"close box", [this] { PostMessageW(main, WM_CLOSE, 0, 0); }},
      {"termination request", [] { winapi::EndEveryMessageLoop(0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::shared_ptr<GameBase> played = PlayedGame(*state);
    {
      const AtReport midway(20, c.close);
      GenerateGrid_Command(4, 5).Execute();
      EXPECT_TRUE(midway.Done()) << "fewer reports than expected";
    }
    EXPECT_EQ(state->game, played);
    EXPECT_EQ(state->game->GetCellValue(0), 3);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT)) << "the close does not end the next loop";
  }
}

TEST_F(GenerateGridTest, AMissingItemThrowsAndTheControllerComesBack) {
  LoadLayoutsWithout(ProgresForm::kForm, ProgresForm::kCountItem);
  GenerateGrid_Command command(3, 1);
  try {
    command.Execute();
    FAIL() << "the form was built without item 4";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "ResourceManager::GetItemConfig no such ItemConfig ( 19,4)");
  }
  EXPECT_EQ(command.form(), nullptr);
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());
  // The frame still paints under the root controller.
  EXPECT_FALSE(Settle());
}

}  // namespace
}  // namespace progress_test
