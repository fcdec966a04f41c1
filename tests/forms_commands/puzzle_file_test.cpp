// Puzzles saved as text files and opened again through the file dialogs
// (answered by the headless hook): the file's exact form, what the opened
// game holds, the files that are refused without touching the game, and
// what a cancelled or failed dialog shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "forms/commands/OpenFileCommand.h"
#include "forms/commands/SaveAsCommand.h"
#include "game/grid/GridSymbols.h"
#include "tests/forms_commands/commands_fixture.h"

namespace commands_test {
namespace {

using winapi::FileDialogRequest;
using winapi::FileDialogResult;

class PuzzleFileTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    application_commands::InstallShowGameForm([this](bool showPuzzleInfo) { shown.push_back(showPuzzleInfo); });
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

  // What the game form's show step was asked, in order.
  std::vector<bool> shown;
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
  EXPECT_EQ(shown, std::vector<bool>{true});
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

TEST_F(PuzzleFileTest, SavingReplacesAnOldFileAndAFailedSaveSaysSo) {
  state->game->SetGridFromString(std::string(81, '0'));
  const std::filesystem::path file = Write("old.txt", std::string(200, 'x'));
  Choose(file);
  SaveAsCommand().Execute();
  std::string zeros;
  for (int row = 0; row < 9; ++row) zeros += "000000000\n";
  EXPECT_EQ(Read(file), zeros);
  EXPECT_TRUE(winapi::headless::MessageBoxes().empty());

  Choose(folders.root / "no such folder" / "puzzle.txt");
  SaveAsCommand().Execute();
  ASSERT_EQ(winapi::headless::MessageBoxes().size(), 1u);
  const winapi::headless::MessageBoxRecord& box = winapi::headless::MessageBoxes()[0];
  EXPECT_EQ(box.text, SaveAsCommand::kFailedText);
  EXPECT_EQ(box.caption, SaveAsCommand::kCaption);
  EXPECT_EQ(box.type, UINT{MB_OK | MB_ICONEXCLAMATION});
  EXPECT_EQ(box.owner, main);
}

// Each refused file leaves the same game with the same cells and tells why.
TEST_F(PuzzleFileTest, AFileThatIsNotAPuzzleChangesNothingAndSaysSo) {
  const std::string nine = "123456789\n";
  std::string rows9;
  for (int row = 0; row < 9; ++row) rows9 += nine;
  const struct {
    const char* name;
    std::string text;
    const wchar_t* message;
  } cases[] = {
      {"first line of 5", "12345\n" + rows9, OpenFileCommand::kNotAPuzzleText},
      {"first line of 8", "12345678\n" + rows9, OpenFileCommand::kNotAPuzzleText},
      {"first line of 10", "1234567890\n" + rows9, OpenFileCommand::kNotAPuzzleText},
      {"a later line of 8", nine + "12345678\n" + rows9.substr(20), OpenFileCommand::kNotAPuzzleText},
      {"too few lines", rows9.substr(10), OpenFileCommand::kNotAPuzzleText},
      {"a line too many", rows9 + nine, OpenFileCommand::kNotAPuzzleText},
      {"a bad symbol", "12345678x\n" + rows9.substr(10), OpenFileCommand::kNotAPuzzleText},
      {"'G' in a 9x9", "G00000000\n" + rows9.substr(10), OpenFileCommand::kNotAPuzzleText},
      {"'5' in a 4x4", "1234\n1234\n1234\n1235\n", OpenFileCommand::kNotAPuzzleText},
      {"an empty file", "", OpenFileCommand::kNotAPuzzleText},
      {"a folder", "", OpenFileCommand::kUnreadableText},
  };
  MakePlayedPuzzle<3>(*state->game);
  // Held, so that a game wrongly replaced is still there to compare.
  const std::shared_ptr<GameBase> game = state->game;
  const std::string cells = game->GetGridString();
  std::size_t boxes = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    state->game = game;  // each case on its own, should an earlier one fail
    if (c.message == OpenFileCommand::kUnreadableText)
      Choose(folders.root);
    else
      Choose(Write("refused.txt", c.text));
    OpenFileCommand().Execute();
    EXPECT_EQ(state->game, game);
    EXPECT_EQ(game->GetGridString(), cells);
    EXPECT_TRUE(shown.empty());
    if (winapi::headless::MessageBoxes().size() != ++boxes) {
      ADD_FAILURE() << "no message box";
      boxes = winapi::headless::MessageBoxes().size();
      continue;
    }
    const winapi::headless::MessageBoxRecord& box = winapi::headless::MessageBoxes().back();
    EXPECT_EQ(box.text, c.message);
    EXPECT_EQ(box.caption, OpenFileCommand::kCaption);
    EXPECT_EQ(box.type, UINT{MB_OK | MB_ICONEXCLAMATION});
  }
}

// The file reader goes by blank-separated rows, so line ends of either kind
// and stray blanks do not matter, and '0' is an empty cell.
TEST_F(PuzzleFileTest, LineEndsAndBlanksDoNotMatter) {
  Choose(Write("crlf.txt", " 1200\r\n0000\r\n\r\n0000\r\n000G \t"));
  OpenFileCommand().Execute();
  EXPECT_EQ(winapi::headless::MessageBoxes().size(), 1u) << "'G' is no clue of a 4x4";

  Choose(Write("crlf.txt", " 1200\r\n0000\r\n\r\n0000\r\n0004 \t"));
  OpenFileCommand().Execute();
  ASSERT_EQ(state->game->GetBoxSize(), 2u);
  EXPECT_EQ(state->game->GetGridString(), "1200000000000004");
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
    EXPECT_TRUE(shown.empty());
  }
}

}  // namespace
}  // namespace commands_test
