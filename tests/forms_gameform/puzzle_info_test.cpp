// The puzzle information: the lines made of what the solver reports, and
// the dialog that shows them until OK.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/gameform/PuzzleInfoForm.h"
#include "forms/gameform/ShowPuzzleInfo.h"
#include "tests/support/RecordingGame.h"
#include "tests/support/gameform_fixture.h"

namespace gameform_test {
namespace {

using forms_test::virtual_window_controller;
using wstrings = std::vector<std::wstring>;

// A solver that reports what the test sets, but only about the cells it was
// given, and counts techniques only once it has solved.
class ReportingGame : public RecordingGame {
 public:
  void CopyCellsToSolver() override { loaded = true; }
  bool IsLogicallySolved() override {
    solved = loaded;
    return loaded && logical;
  }
  std::uint32_t GetRating() override { return solved ? rating : 0; }
  std::uint32_t CountFilledCells() override { return filled; }
  std::uint32_t GetPatternUsage(std::uint32_t id) override { return solved && id < usage.size() ? usage[id] : 0; }

  bool logical = false;
  std::uint32_t rating = 0;
  std::uint32_t filled = 0;
  std::array<std::uint32_t, 16> usage{};

 private:
  bool loaded = false;
  bool solved = false;
};

struct LinesCase {
  const char* name;
  bool logical;
  std::uint32_t rating;
  std::uint32_t filled;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> usage;  // technique, count
  wstrings lines;
};

TEST_F(GameFormTest, TheLinesSayHowTheSolverGotOn) {
  const LinesCase cases[] = {
      {"solved by logic, every technique used",
       true,
       412,
       27,
       {{0, 3}, {1, 9}, {2, 40}, {3, 12}, {4, 1}, {9, 2}, {13, 1}, {15, 7}},
       {L"The puzzle can be solved by logic alone.", L"Rating: 412", L"Filled cells: 27", L"Naked single: 40",
        L"Hidden single: 12", L"Box-line reduction: 1", L"Hidden pair: 2", L"X-wing: 1", L"Jellyfish: 7"}},
      {"needs guessing, nothing used",
       false,
       0,
       0,
       {},
       {L"The puzzle needs guessing.", L"Rating: 0", L"Filled cells: 0"}},
      {"only clashes counted",
       false,
       5,
       81,
       {{0, 2}, {1, 4}},
       {L"The puzzle needs guessing.", L"Rating: 5", L"Filled cells: 81"}},
  };
  for (const LinesCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReportingGame game;
    game.logical = c.logical;
    game.rating = c.rating;
    game.filled = c.filled;
    for (const auto& [id, count] : c.usage) game.usage[id] = count;
    EXPECT_EQ(PuzzleInfoLines(game), c.lines);
  }
}

TEST_F(GameFormTest, AStringTheResourcesLackLeavesOnlyItsNumber) {
  LoadResourcesWithoutString(104);
  LoadResourcesWithoutString(363);
  ReportingGame game;
  game.logical = true;
  game.rating = 9;
  game.filled = 30;
  game.usage[2] = 5;
  game.usage[4] = 2;
  EXPECT_EQ(PuzzleInfoLines(game), (wstrings{L"The puzzle can be solved by logic alone.", L"9", L"Filled cells: 30",
                                             L"Naked single: 5", L": 2"}));
}

// The dialog over a real puzzle: its lines in the list, closed by OK
// (clicked, or Return on it, as it has the focus); the game's cells stay.
TEST_F(GameFormTest, TheDialogListsThePuzzleUntilOk) {
  struct Close {
    const char* name;
    std::function<void(DialogScript::Steps&)> answer;
  };
  const Close closes[] = {
      {"OK clicked", [](DialogScript::Steps& s) { s.Click(puzzleinfoform::kForm, puzzleinfoform::kButtonItem); }},
      {"Return", [](DialogScript::Steps& s) { s.Key(VK_RETURN); }},
  };
  for (const Close& close : closes) {
    SCOPED_TRACE(close.name);
    StartPuzzle();
    const std::string cells = Cells();
    DialogScript script(main);
    strings shown;
    close.answer(script.Answer().Do([&] { shown = PaintedTexts(); }));
    ShowPuzzleInfo().Execute();
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(virtual_window_controller::current(), desktop->root());
    EXPECT_EQ(Cells(), cells);
    for (const char* text :
         {"Puzzle information", "OK", "The puzzle can be solved by logic alone.", "Filled cells: 30"})
      EXPECT_TRUE(dialogs_test::Shows(shown, text));
    // The counts follow; which techniques depends on the solver's order.
    ASSERT_GE(shown.size(), 6u);
    EXPECT_TRUE(std::find_if(shown.begin(), shown.end(), [](const std::string& s) {
                  return s.starts_with("Naked single: ") || s.starts_with("Hidden single: ");
                }) != shown.end());
  }
}

}  // namespace
}  // namespace gameform_test
