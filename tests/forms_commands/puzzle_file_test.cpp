// Puzzles saved as text files and opened again through the file dialogs
// (answered by the headless hook): the file's exact form, what the opened
// game holds, the files that are refused without touching the game and the
// OK dialog that says why, and what a cancelled or failed dialog shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/ResourceManager.h"
#include "base/SmallFile.h"
#include "base/utf.h"
#include "forms/commands/OpenFileCommand.h"
#include "forms/commands/PuzzleFileDialog.h"
#include "forms/commands/SaveAsCommand.h"
#include "forms/gameform/ShowGameFormCommand.h"
#include "game/commands/BulkCommands.h"
#include "game/commands/ExecuteCommand.h"
#include "game/commands/PuzzleCommands.h"
#include "game/grid/GridSymbols.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "tests/forms_commands/commands_fixture.h"
#include "tests/support/DialogScript.h"
#include "tests/support/PaintedTexts.h"
#include "winapi/path_prompt.h"

namespace commands_test {
namespace {

using winapi::FileDialogRequest;
using winapi::FileDialogResult;

class PuzzleFileTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    // A dialog no test answers fails the test rather than waiting.
    script = std::make_unique<forms_test::DialogScript>(main);
  }
  void TearDown() override {
    script.reset();
    CommandsTest::TearDown();
  }

  // The next dialog is the file problem's OK dialog: answers it with Return
  // and, once the command is done, tells whether it showed the title and
  // that message.
  struct Problem {
    std::vector<std::string> texts;
    // The message may end with a detail, the file's name.
    ::testing::AssertionResult Told(int messageId, const std::string& detail = {}) const {
      for (const int id : {416, messageId}) {
        const std::string text = wide_to_utf8(ResourceManager::GetString(id)) + (id == messageId ? detail : "");
        if (std::find(texts.begin(), texts.end(), text) == texts.end())
          return ::testing::AssertionFailure() << "no \"" << text << "\" among " << ::testing::PrintToString(texts);
      }
      return ::testing::AssertionSuccess();
    }
  };
  void ExpectProblem(Problem& problem) {
    script->Answer().Do([this, &problem] { problem.texts = forms_test::PaintedTexts(main); }).Key(VK_RETURN);
  }

  // The dialogs choose this file.
  void Choose(const std::filesystem::path& file) {
    winapi::headless::SetFileDialogHook(
        [file](const FileDialogRequest&) { return FileDialogResult::Chosen(file.wstring()); });
  }
  std::filesystem::path Write(const std::string& name, const std::string& text) const {
    const std::filesystem::path file = folders.root / name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }
  static std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Saves a played puzzle of box size N and opens the file again.
  template <unsigned N>
  void SaveAndOpen(bool autoPencilMarks);

  // What the game form was asked to show, still pending: whether with the
  // puzzle information; empty when nothing asked for it.
  std::vector<bool> Shown() const {
    const auto* show = dynamic_cast<const ShowGameFormCommand*>(state->PendingFormCommand());
    return show != nullptr ? std::vector<bool>{show->showPuzzleInfo} : std::vector<bool>{};
  }
  std::unique_ptr<forms_test::DialogScript> script;
};

// The puzzle of the round trips: the valid grid of SolutionAt with one
// empty cell in each row (on the diagonal, so the solution is unique) and
// one player's value in each row; the other cells are clues.
enum class Kind { clue, player, empty };
template <unsigned N>
Kind KindAt(std::uint32_t cell) {
  constexpr std::uint32_t S = N * N;
  const std::uint32_t row = cell / S, column = cell % S;
  return column == row ? Kind::empty : column == (row + S / 2) % S ? Kind::player : Kind::clue;
}

template <unsigned N>
void MakePlayedPuzzle(GameBase& game) {
  constexpr std::uint32_t S = N * N;
  std::string clues(S * S, '0');
  for (std::uint32_t i = 0; i < S * S; ++i)
    if (KindAt<N>(i) == Kind::clue) clues[i] = grid::ValueToSymbol(SolutionAt<N>(i));
  game.SetGridFromString(clues);
  for (std::uint32_t i = 0; i < S * S; ++i)
    if (KindAt<N>(i) == Kind::player) game.SetCellValue(i, static_cast<std::uint8_t>(SolutionAt<N>(i)));
}

// The file of that puzzle, written independently of the grid text code.
template <unsigned N>
std::string PlayedPuzzleFile() {
  constexpr std::uint32_t S = N * N;
  std::string text;
  for (std::uint32_t row = 0; row < S; ++row) {
    for (std::uint32_t column = 0; column < S; ++column) {
      const std::uint32_t i = row * S + column;
      text += KindAt<N>(i) == Kind::empty ? '0' : grid::ValueToSymbol(SolutionAt<N>(i));
    }
    text += '\n';
  }
  return text;
}

template <unsigned N>
void PuzzleFileTest::SaveAndOpen(bool autoPencilMarks) {
  constexpr std::uint32_t S = N * N;
  state->SeGameSize(N, 3);
  MakePlayedPuzzle<N>(*state->game);
  const std::filesystem::path file = folders.root / "puzzle.txt";
  Choose(file);

  SaveAsCommand().Execute();
  EXPECT_EQ(Read(file), PlayedPuzzleFile<N>());

  state->options.autoPencilMarks = autoPencilMarks;
  const GameBase* const saved = state->game.get();
  OpenFileCommand().Execute();
  ASSERT_NE(state->game.get(), saved);
  Game<N>& opened = CurrentGame<N>();
  EXPECT_EQ(opened.GetDifficulty(), 0u);
  EXPECT_EQ(Shown(), std::vector<bool>{true});
  for (std::uint32_t i = 0; i < S * S; ++i) {
    SCOPED_TRACE("cell " + std::to_string(i));
    const auto& cell = opened.gridView().model().cells[i];
    EXPECT_EQ(cell.given != 0, KindAt<N>(i) != Kind::empty);  // the player's values are clues now
    EXPECT_EQ(cell.solution, SolutionAt<N>(i));
    EXPECT_FALSE(cell.HasUserValue());
    if (KindAt<N>(i) != Kind::empty) continue;
    if (autoPencilMarks) {
      EXPECT_TRUE(cell.candidates.test(SolutionAt<N>(i)));
      EXPECT_FALSE(cell.candidates.all());
    } else {
      EXPECT_TRUE(cell.candidates.none());
    }
  }
  EXPECT_TRUE(winapi::headless::MessageBoxes().empty());

  const std::vector<FileDialogRequest>& dialogs = winapi::headless::FileDialogs();
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_TRUE(dialogs[0].save);
  EXPECT_FALSE(dialogs[1].save);
  for (const FileDialogRequest& request : dialogs) {
    EXPECT_EQ(request.owner, main);
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].name, L"All");
    EXPECT_EQ(request.filters[0].patterns, std::vector<std::wstring>{L"*.*"});
    EXPECT_EQ(request.filters[1].name, L"Text");
    EXPECT_EQ(request.filters[1].patterns, std::vector<std::wstring>{L"*.TXT"});
    EXPECT_EQ(request.filterIndex, 0u);  // the first pair
  }
}

TEST_F(PuzzleFileTest, A9x9PuzzleComesBackWithItsCluesSolutionAndCandidates) { SaveAndOpen<3>(true); }

TEST_F(PuzzleFileTest, A16x16PuzzleComesBackWithItsCluesAndSolutionButNoCandidatesWhenAskedForNone) {
  SaveAndOpen<4>(false);
}

TEST_F(PuzzleFileTest, SavingReplacesAnOldFileAndAFailedSaveSaysSoNamingTheFile) {
  state->game->SetGridFromString(std::string(81, '0'));
  const std::filesystem::path file = Write("old.txt", std::string(200, 'x'));
  Choose(file);
  SaveAsCommand().Execute();
  std::string zeros;
  for (int row = 0; row < 9; ++row) zeros += "000000000\n";
  EXPECT_EQ(Read(file), zeros);
  EXPECT_TRUE(winapi::headless::MessageBoxes().empty());

  // The report of the program's own files that could not be saved is not
  // for a file the player chose: the player's dialog alone tells of it, in
  // the language loaded, naming the file.
  const struct {
    const wchar_t* language;
    std::string told;
  } cases[] = {
      {L"en", "This file cannot be written: puzzle.txt"},
      {L"de", "Diese Datei kann nicht geschrieben werden: puzzle.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(wide_to_utf8(c.language));
    ASSERT_TRUE(LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), c.language, 480, 640));
    int reported = 0;
    SetReplaceFailureReporter([&reported](const std::string&) { ++reported; });
    Choose(folders.root / "no such folder" / "puzzle.txt");
    Problem problem;
    ExpectProblem(problem);
    SaveAsCommand().Execute();
    SetReplaceFailureReporter({});
    EXPECT_TRUE(script->Done());
    EXPECT_TRUE(problem.Told(puzzle_file::kNotWritten, "puzzle.txt"));
    EXPECT_NE(std::find(problem.texts.begin(), problem.texts.end(), c.told), problem.texts.end())
        << ::testing::PrintToString(problem.texts);
    EXPECT_EQ(reported, 0);
    EXPECT_TRUE(winapi::headless::MessageBoxes().empty());
    EXPECT_FALSE(std::filesystem::exists(folders.root / "no such folder"));
  }
}

// A device that types through a soft keyboard shows it while a dialog asks
// for a file, as for any text entry, and hides it after.
TEST_F(PuzzleFileTest, TheSoftKeyboardShowsWhileADialogAsks) {
  static int shown = 0;
  shown = 0;
  notus::impl::details::set_native_edit_hooks({[] { ++shown; }, [] { --shown; }});
  std::vector<int> whileAsked;
  winapi::headless::SetFileDialogHook([&whileAsked](const FileDialogRequest&) {
    whileAsked.push_back(shown);
    return FileDialogResult::Cancelled();
  });
  OpenFileCommand().Execute();
  SaveAsCommand().Execute();
  notus::impl::details::set_native_edit_hooks({});
  EXPECT_EQ(whileAsked, (std::vector<int>{1, 1}));
  EXPECT_EQ(shown, 0);
}

// Without a file chooser on the desktop, our own prompt asks: its title and
// its words are those of the language loaded.
TEST_F(PuzzleFileTest, OurOwnPromptSpeaksTheLoadedLanguage) {
  script.reset();  // the prompt's loop is scripted here, key by key
  const std::wstring folder = folders.root.wstring() + L"/";
  const struct {
    const wchar_t* language;
    std::wstring title;
    std::wstring isFolder;
  } cases[] = {
      {L"en", L"Open puzzle", L"is a folder. Type the name of a file."},
      {L"de", L"R\u00e4tsel \u00f6ffnen", L"ist ein Ordner. Geben Sie den Namen einer Datei ein."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(wide_to_utf8(c.language));
    ASSERT_TRUE(LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), c.language, 480, 640));
    winapi::headless::SetFileDialogHook([&folder](const FileDialogRequest& request) {
      FileDialogRequest typed = request;
      typed.initialPath = folder;
      // Return on the folder, then Escape once its box is answered.
      std::deque<int> keys{VK_RETURN, VK_ESCAPE};
      winapi::headless::SetIdleHook([&keys] {
        if (keys.empty()) return false;
        const HWND prompt = GetParent(GetFocus());
        winapi::headless::InjectKey(prompt, keys.front(), true);
        winapi::headless::InjectKey(prompt, keys.front(), false);
        keys.pop_front();
        return true;
      });
      const FileDialogResult result = winapi::RunPathPrompt(typed);
      winapi::headless::SetIdleHook(nullptr);
      return result;
    });
    const std::size_t boxes = winapi::headless::MessageBoxes().size();
    OpenFileCommand().Execute();
    EXPECT_EQ(winapi::headless::FileDialogs().back().title, c.title);
    ASSERT_EQ(winapi::headless::MessageBoxes().size(), boxes + 1);
    EXPECT_EQ(winapi::headless::MessageBoxes().back().text, L"\"" + folder + L"\" " + c.isFolder);
    EXPECT_EQ(winapi::headless::MessageBoxes().back().caption, c.title);
  }
}

// Each refused file leaves the same game with the same cells and tells why.
TEST_F(PuzzleFileTest, AFileThatIsNotAPuzzleChangesNothingAndSaysSo) {
  const std::string nine = "123456789\n";
  std::string rows9;
  for (int row = 0; row < 9; ++row) rows9 += nine;
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"first line of 5", "12345\n" + rows9},
      {"first line of 8", "12345678\n" + rows9},
      {"first line of 10", "1234567890\n" + rows9},
      {"a later line of 8", nine + "12345678\n" + rows9.substr(20)},
      {"too few lines", rows9.substr(10)},
      {"a line too many", rows9 + nine},
      {"a bad symbol", "12345678x\n" + rows9.substr(10)},
      {"'G' in a 9x9", "G00000000\n" + rows9.substr(10)},
      {"'5' in a 4x4", "1234\n1234\n1234\n1235\n"},
      {"an empty file", ""},
      {"a puzzle followed by 64 KB of blanks", rows9 + std::string(64 * 1024, ' ')},
  };
  MakePlayedPuzzle<3>(*state->game);
  // Held, so that a game wrongly replaced is still there to compare.
  const std::shared_ptr<GameBase> game = state->game;
  const std::string cells = game->GetGridString();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    state->game = game;  // each case on its own, should an earlier one fail
    Choose(Write("refused.txt", c.text));
    Problem problem;
    ExpectProblem(problem);
    OpenFileCommand().Execute();
    EXPECT_TRUE(script->Done());
    EXPECT_TRUE(problem.Told(puzzle_file::kNotAPuzzle));
    EXPECT_EQ(state->game, game);
    EXPECT_EQ(game->GetGridString(), cells);
    EXPECT_TRUE(Shown().empty());
  }
  EXPECT_TRUE(winapi::headless::MessageBoxes().empty());
}

// A path that leads to nothing readable is not blamed on its contents: the
// message says the file cannot be read and names it.
TEST_F(PuzzleFileTest, AFileThatCannotBeReadIsNamedAndChangesNothing) {
  std::filesystem::create_directory(folders.root / "puzzles");
  const struct {
    const char* name;
    std::filesystem::path path;
    std::string shown;
  } cases[] = {
      {"a file that does not exist", folders.root / "missing.txt", "missing.txt"},
      {"one in a folder that does not exist", folders.root / "gone" / "puzzle.txt", "puzzle.txt"},
      {"a folder", folders.root / "puzzles", "puzzles"},
  };
  MakePlayedPuzzle<3>(*state->game);
  const std::shared_ptr<GameBase> game = state->game;
  const std::string cells = game->GetGridString();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Choose(c.path);
    Problem problem;
    ExpectProblem(problem);
    OpenFileCommand().Execute();
    EXPECT_TRUE(script->Done());
    EXPECT_TRUE(problem.Told(puzzle_file::kNotReadable, c.shown));
    EXPECT_EQ(state->game, game);
    EXPECT_EQ(game->GetGridString(), cells);
    EXPECT_TRUE(Shown().empty());
  }
}

// The mistakes, the hints and the check rest on one solution, so a puzzle
// with none or several is refused whole, as the player saved it.
TEST_F(PuzzleFileTest, APuzzleWithoutExactlyOneSolutionIsRefusedAndChangesNothing) {
  auto rows = [](const std::string& cells, std::size_t side) {
    std::string text;
    for (std::size_t at = 0; at < cells.size(); at += side) text += cells.substr(at, side) + "\n";
    return text;
  };
  const struct {
    const char* name;
    std::string cells;
    int message;
  } cases[] = {
      {"a 1 twice in the first row of a 9x9",
       "100000001000000000000000000000000000000000000000000000000000000000000000000000000", puzzle_file::kBrokenRules},
      // The hard puzzle below with a 1 where its solution has a 7: the 1
      // breaks no rule where it stands, as a wrong entry saved would not.
      {"no solution", "000000003001009060050080400000900080008670000010000200006001020030800500400000008",
       puzzle_file::kNoSolution},
      {"several solutions", "800000000095000000076000000000426798000571243000893165000000916000030487000010532",
       puzzle_file::kSeveralSolutions},
      {"an empty 4x4", "0000000000000000", puzzle_file::kSeveralSolutions},
  };
  MakePlayedPuzzle<3>(*state->game);
  const std::shared_ptr<GameBase> game = state->game;
  const std::string cells = game->GetGridString();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    state->game = game;
    Choose(Write("refused.txt", rows(c.cells, c.cells.size() == 16 ? 4 : 9)));
    Problem problem;
    ExpectProblem(problem);
    OpenFileCommand().Execute();
    EXPECT_TRUE(script->Done());
    EXPECT_TRUE(problem.Told(c.message));
    EXPECT_EQ(state->game, game);
    EXPECT_EQ(game->GetGridString(), cells);
    EXPECT_TRUE(Shown().empty());
  }
}

// A puzzle whose search the game's own solver gives up on opens with its
// solution all the same, so the check of the untouched grid finds no
// mistake and Solve fills in the grid.
TEST_F(PuzzleFileTest, AHardPuzzleOpensWithItsSolutionSoCheckAndSolveWork) {
  const std::string puzzle = "000000003001009060050080400000900080008670000010000200006007020030800500400000008";
  std::string text;
  for (std::size_t row = 0; row < 9; ++row) text += puzzle.substr(row * 9, 9) + "\n";
  Choose(Write("hard.txt", text));
  OpenFileCommand().Execute();
  ASSERT_EQ(Shown(), std::vector<bool>{true});
  Game<3>& opened = CurrentGame<3>();
  std::string solution;
  for (std::uint32_t i = 0; i < 81; ++i) {
    const auto& cell = opened.gridView().model().cells[i];
    ASSERT_LT(cell.solution, 9u) << "cell " << i;
    if (puzzle[i] != '0') {
      EXPECT_EQ(grid::ValueToSymbol(cell.solution), puzzle[i]) << "cell " << i;
    }
    solution += grid::ValueToSymbol(cell.solution);
  }
  // Every row, column and box holds each digit once.
  for (std::uint32_t group = 0; group < 9; ++group) {
    std::string row, column, box;
    for (std::uint32_t k = 0; k < 9; ++k) {
      row += solution[group * 9 + k];
      column += solution[k * 9 + group];
      box += solution[(group / 3 * 3 + k / 3) * 9 + group % 3 * 3 + k % 3];
    }
    for (std::string* line : {&row, &column, &box}) {
      std::sort(line->begin(), line->end());
      EXPECT_EQ(*line, "123456789") << "group " << group;
    }
  }

  std::vector<std::pair<std::uint32_t, std::uint32_t>> dialogs;
  gamecommands::Services::InstallOkDialog([&](std::uint32_t a, std::uint32_t b) { dialogs.emplace_back(a, b); });
  gamecommands::CheckForCorrectGrid_Command().Execute();
  EXPECT_EQ(dialogs, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{405, 406}}));
  gamecommands::ExecuteCommand(std::make_shared<gamecommands::SolveGrid>());
  for (std::uint32_t i = 0; i < 81; ++i)
    EXPECT_EQ(opened.GetCellValue(i), grid::SymbolToValue(solution[i])) << "cell " << i;
}

// The file reader goes by blank-separated rows, so line ends of either kind
// and stray blanks do not matter, and '0' is an empty cell.
TEST_F(PuzzleFileTest, LineEndsAndBlanksDoNotMatter) {
  Choose(Write("crlf.txt", " 1200\r\n0000\r\n\r\n0000\r\n000G \t"));
  Problem problem;
  ExpectProblem(problem);
  OpenFileCommand().Execute();
  EXPECT_TRUE(problem.Told(puzzle_file::kNotAPuzzle)) << "'G' is no clue of a 4x4";

  // A puzzle of one solution, as Open takes no other.
  Choose(Write("crlf.txt", " 1200\r\n3400\r\n\r\n0043\r\n0021 \t"));
  OpenFileCommand().Execute();
  ASSERT_EQ(state->game->GetBoxSize(), 2u);
  EXPECT_EQ(state->game->GetGridString(), "1200340000430021");
}

TEST_F(PuzzleFileTest, ACancelledDialogDoesNothingAndAFailedOneShowsItsErrorNumber) {
  const struct {
    const char* name;
    std::function<void()> run;
  } commands[] = {
      {"open", [] { OpenFileCommand().Execute(); }},
      {"save as", [] { SaveAsCommand().Execute(); }},
  };
  GameBase* const game = state->game.get();
  for (const auto& command : commands) {
    SCOPED_TRACE(command.name);
    const std::size_t boxes = winapi::headless::MessageBoxes().size();
    winapi::headless::SetFileDialogHook([](const FileDialogRequest&) { return FileDialogResult::Cancelled(); });
    command.run();
    EXPECT_EQ(winapi::headless::MessageBoxes().size(), boxes);

    winapi::headless::SetFileDialogHook(
        [](const FileDialogRequest&) { return FileDialogResult::Failed(FNERR_INVALIDFILENAME); });
    command.run();
    ASSERT_EQ(winapi::headless::MessageBoxes().size(), boxes + 1);
    const winapi::headless::MessageBoxRecord& box = winapi::headless::MessageBoxes().back();
    EXPECT_EQ(box.text, L"12290");
    EXPECT_EQ(box.caption, L"Error code");
    EXPECT_EQ(box.type, UINT{MB_ICONEXCLAMATION});
    EXPECT_EQ(state->game.get(), game);
    EXPECT_TRUE(Shown().empty());
  }
}

}  // namespace
}  // namespace commands_test
