#include "tools/form_captures/Scenes.h"

#include <stdexcept>
#include <string>

#include "app/ResourceManager.h"
#include "forms/dialogs/GameSolvedCommand.h"
#include "forms/dialogs/OkCancelDialog.h"
#include "forms/dialogs/OkDialog.h"
#include "forms/editbox/editbox_dialog.h"
#include "forms/game/Game.h"
#include "forms/gameform/GameForm.h"
#include "forms/gameform/ShowGameFormCommand.h"
#include "forms/gameform/ShowPuzzleInfo.h"
#include "forms/help/HelpDialog.h"
#include "forms/language/GetSupportedLanguagesCommand.h"
#include "forms/language/LanguageChangeCommand.h"
#include "forms/progress/GenerateGridCommand.h"
#include "forms/tabbar/ApplicationTabBar.h"
#include "forms/tabbar/TabCommands.h"
#include "game/commands/Services.h"
#include "game/grid/GridSymbols.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "startup/Splash.h"

namespace form_captures {

namespace {

// Strings the grid check shows (the game layer's ids).
constexpr int kCheckGridTitle = 405;
constexpr int kGridHasMistakes = 407;
constexpr int kHelpCaption = 389;
constexpr int kNewPlayerPrompt = 401;
constexpr int kRenamePlayerPrompt = 400;

// The closed combo box of the language dialog is the top 20 px of its item;
// the list's rows, 25 px high, drop below it.
constexpr int kLanguageForm = 23;
constexpr int kLanguageOk = 3;
constexpr int kLanguageCombo = 5;
constexpr int kComboClosedHeight = 20;
constexpr int kComboRowHeight = 25;

// Long enough to wrap, with paragraph breaks and a word longer than most
// lines, so the text box is seen at work; the resource file's own help
// texts come with the forms that show them.
std::wstring HelpSample(const std::wstring& language) {
  if (language == L"de") {
    return L"Jede Zeile, jede Spalte und jeder Block enth\u00e4lt jede Ziffer genau einmal. "
           L"Tippen Sie auf ein Feld und w\u00e4hlen Sie die Ziffer auf der Tastatur darunter.\r"
           L"Notizen halten fest, welche Ziffern in einem Feld noch m\u00f6glich sind. "
           L"Die Pr\u00fcfung des Rasters zeigt, ob sich schon ein Fehler eingeschlichen hat, "
           L"ohne die L\u00f6sung zu verraten. Ein sehr langes Wort wie "
           L"Donaudampfschifffahrtsgesellschaftskapit\u00e4nsm\u00fctze muss ebenfalls Platz finden.\r"
           L"Abs\u00e4tze werden durch einen Zeilenumbruch getrennt.";
  }
  return L"Every row, every column and every box holds each digit exactly once. "
         L"Tap a cell and choose its digit on the keypad below the grid.\r"
         L"Pencil marks keep track of the digits that a cell can still take. "
         L"Checking the grid tells you whether a mistake has crept in, without giving the solution away. "
         L"A very long word such as Pneumonoultramicroscopicsilicovolcanoconiosis has to fit as well.\r"
         L"Paragraphs are separated by a line break.";
}

winapi::Image FrameAsBuilt(CaptureHost& host) { return host.Shot(); }

// What start-up shows while it loads: the host's splash over the whole main
// window, taken as it was painted (nothing has painted since).  The settings
// folder holds no downloaded logo, so the logo is the built-in one.
winapi::Image Splash(CaptureHost& host) {
  ShowSplashLogo();
  return host.Shot();
}

// A click on a tab selects it and gives it the focus; no show-form command
// is installed, so the frame stays empty above the bar.
winapi::Image FrameWithTab(CaptureHost& host, int tab) {
  host.ClickItem(application_tab_bar::kTabBarForm, tab);
  host.Settle();
  return host.Shot();
}

// Menu selected, the focus frame moved on to Game by the arrow key.
winapi::Image FrameFocusApartFromSelection(CaptureHost& host) {
  host.ClickItem(application_tab_bar::kTabBarForm, application_tab_bar::kMenuTab);
  host.Settle();
  host.Key(VK_RIGHT);
  host.Settle();
  return host.Shot();
}

winapi::Image DeletePlayer(CaptureHost& host) {
  return host.CaptureDialog([] { AskOkCancel(); }, nullptr, [&host] { host.Close(); });
}

winapi::Image NewPlayerTyped(CaptureHost& host) {
  return host.CaptureDialog([] { AskForText(L"", ResourceManager::GetString(kNewPlayerPrompt)); },
                            [&host] { host.Type(L"Ann"); }, [&host] { host.Close(); });
}

winapi::Image RenamePlayer(CaptureHost& host) {
  return host.CaptureDialog([] { AskForText(L"Ann", ResourceManager::GetString(kRenamePlayerPrompt)); },
                            [&host] { host.Type(L"e-Marie Lindqvist-\u00d6sterberg"); }, [&host] { host.Close(); });
}

winapi::Image PuzzleSolved(CaptureHost& host) {
  return host.CaptureDialog(
      [] {
        ShowOkDialog(ResourceManager::GetString(kSolvedTitleText), ResourceManager::GetString(kSolvedMessageText));
      },
      nullptr, [&host] { host.Close(); });
}

winapi::Image GridHasMistakes(CaptureHost& host) {
  return host.CaptureDialog(
      [] { ShowOkDialog(ResourceManager::GetString(kCheckGridTitle), ResourceManager::GetString(kGridHasMistakes)); },
      nullptr, [&host] { host.Close(); });
}

winapi::Image Help(CaptureHost& host) {
  const std::wstring text = HelpSample(host.Language());
  return host.CaptureDialog(
      [&text] {
        help_dialog dialog(text, ResourceManager::GetString(kHelpCaption));
        dialog.Show();
        notus::impl::details::app::run_message_loop();
      },
      nullptr, [&host] { host.Close(); });
}

winapi::Image ChangeLanguage(CaptureHost& host) {
  return host.CaptureDialog([] { LanguageChangeCommand(true).Execute(); }, nullptr, [&host] { host.Close(); });
}

POINT ComboClosedCentre() {
  const ItemConfig combo = ResourceManager::GetItemConfig(kLanguageForm, kLanguageCombo);
  return {(combo.left + combo.right) / 2, combo.top + kComboClosedHeight / 2};
}

winapi::Image ChangeLanguageListOpen(CaptureHost& host) {
  return host.CaptureDialog([] { LanguageChangeCommand(true).Execute(); },
                            [&host] {
                              const POINT closed = ComboClosedCentre();
                              host.ClickAt(closed.x, closed.y);
                            },
                            [&host] { host.Close(); });
}

// The wait form is painted once, while the other language loads, and gets
// no loop of its own: what the window shows right after the change is what
// the player saw during the load (nothing has painted since).
winapi::Image WaitWhileLoading(CaptureHost& host) {
  GetSupportedLanguagesCommand supported;
  supported.Execute();
  int otherRow = -1;
  for (std::size_t row = 0; row < supported.languages.size(); ++row) {
    if (supported.languages[row] != host.Language()) {
      otherRow = static_cast<int>(row);
      break;
    }
  }
  if (otherRow < 0) throw std::runtime_error("the resource file lists no other language");
  LanguageChangeCommand command(true);
  host.CaptureDialog(
      [&command] { command.Execute(); }, nullptr,
      [&host, otherRow] {
        const POINT closed = ComboClosedCentre();
        host.ClickAt(closed.x, closed.y);
        host.ClickAt(closed.x, closed.y + kComboClosedHeight / 2 + kComboRowHeight * otherRow + kComboRowHeight / 2);
        host.ClickItem(kLanguageForm, kLanguageOk);
      });
  if (!command.changed) throw std::runtime_error("the other language was not loaded");
  return host.Shot();
}

// A puzzle on the game form, with the pencil marks the automatic option
// fills in, as start-up shows a new one.
void ShowPuzzleOnGameForm(CaptureHost& host, int boxSize, const std::string& clues) {
  host.State().SeGameSize(boxSize, 1);
  GameBase& game = *host.State().game;
  game.SetGridFromString(clues);
  game.CopyCellsToSolver();
  game.ResetSolverCandidates();
  game.UpdateSolverCandidates();
  game.CopyCandidatesFromSolver();
  ShowGameFormCommand(false).Execute();
  host.Settle();
}

// Thirty clues.
void ShowPuzzleOnGameForm(CaptureHost& host) {
  ShowPuzzleOnGameForm(host, 3, "530070000600195000098000060800060003400803001700020006060000280000419005000080079");
}

// A complete grid of box size n (each row the one above shifted by n, and
// by one more at each new band) with about a third of its cells given.
std::string ShiftedGridClues(unsigned n) {
  const unsigned size = n * n;
  std::string clues(size * size, '0');
  for (unsigned cell = 0; cell < size * size; ++cell) {
    const unsigned row = cell / size, column = cell % size;
    if ((cell * 7 + row) % 3 == 0) clues[cell] = grid::ValueToSymbol((row * n + row / n + column) % size);
  }
  return clues;
}

winapi::Image GameForm9x9(CaptureHost& host) {
  ShowPuzzleOnGameForm(host);
  return host.Shot();
}

winapi::Image GameFormOfBoxSize(CaptureHost& host, unsigned n) {
  ShowPuzzleOnGameForm(host, static_cast<int>(n), ShiftedGridClues(n));
  return host.Shot();
}

// The clock clicked to show the playing time (a new game starts with it
// hidden), 12 minutes 34 seconds into the game.
winapi::Image GameFormClockShown(CaptureHost& host) {
  ShowPuzzleOnGameForm(host);
  host.ClickItem(GameForm::kForm, game_form::kClockItem);
  winapi::headless::AdvanceTickCount((12 * 60 + 34) * 1000);
  host.Settle();
  return host.Shot();
}

// The Hint button clicked: the hint shown in the grid, its text under the
// buttons with the help button beside it.
winapi::Image GameFormAfterHint(CaptureHost& host) {
  gamecommands::Services::InstallCurrentGame([&host] { return host.State().game; });
  gamecommands::Services::InstallHintDisplay([&host](std::uint32_t text, std::uint32_t help) {
    host.State().ShowHintDisplay(ResourceManager::GetString(static_cast<int>(text)), help);
  });
  ShowPuzzleOnGameForm(host);
  host.ClickItem(GameForm::kForm, GameForm::kHintItem);
  host.Settle();
  gamecommands::Services::Reset();
  return host.Shot();
}

// A new 9x9 puzzle generated from the game form: the progress form over it,
// taken at the first report of the generator that lets a message through,
// with the count that report wrote.
winapi::Image Progress(CaptureHost& host) {
  ShowPuzzleOnGameForm(host);
  return host.CaptureWhilePumping([] { GenerateGrid_Command(3, 1).Execute(); });
}

winapi::Image PuzzleInformation(CaptureHost& host) {
  ShowPuzzleOnGameForm(host);
  return host.CaptureDialog([] { ShowPuzzleInfo().Execute(); }, nullptr, [&host] { host.Close(); });
}

}  // namespace

const std::vector<Scene>& Scenes() {
  using application_tab_bar::kGameTab;
  using application_tab_bar::kMenuTab;
  using application_tab_bar::kOptionsTab;
  static const std::vector<Scene> scenes = {
      {"splash", Splash},
      {"frame", FrameAsBuilt},
      {"frame_menu", [](CaptureHost& host) { return FrameWithTab(host, kMenuTab); }},
      {"frame_game", [](CaptureHost& host) { return FrameWithTab(host, kGameTab); }},
      {"frame_options", [](CaptureHost& host) { return FrameWithTab(host, kOptionsTab); }},
      {"frame_focus_on_game", FrameFocusApartFromSelection},
      {"ok_cancel_delete_player", DeletePlayer},
      {"editbox_new_player", NewPlayerTyped},
      {"editbox_rename_player", RenamePlayer},
      {"ok_puzzle_solved", PuzzleSolved},
      {"ok_grid_has_mistakes", GridHasMistakes},
      {"help", Help},
      {"language", ChangeLanguage},
      {"language_list_open", ChangeLanguageListOpen},
      {"wait", WaitWhileLoading},
      {"game_form", GameForm9x9},
      {"game_form_clock", GameFormClockShown},
      {"game_form_hint", GameFormAfterHint},
      {"game_form_4x4", [](CaptureHost& host) { return GameFormOfBoxSize(host, 2); }},
      {"game_form_16x16", [](CaptureHost& host) { return GameFormOfBoxSize(host, 4); }},
      {"puzzle_information", PuzzleInformation},
      {"progress", Progress},
  };
  return scenes;
}

}  // namespace form_captures
