#include "tools/form_captures/Scenes.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "app/Users.h"
#include "forms/about/ShowAboutFormCommand.h"
#include "forms/about/ShowHelpFormCommand.h"
#include "forms/buildpuzzle/ShowBuildPuzzleFormCommand.h"
#include "forms/commands/OpenFileCommand.h"
#include "forms/commands/SaveAsCommand.h"
#include "forms/dialogs/GameSolvedCommand.h"
#include "forms/dialogs/OkCancelDialog.h"
#include "forms/dialogs/OkDialog.h"
#include "forms/editbox/editbox_dialog.h"
#include "forms/gameform/GameForm.h"
#include "forms/gameform/ShowGameFormCommand.h"
#include "forms/gameform/ShowPuzzleInfo.h"
#include "forms/gameobject/Game.h"
#include "forms/help/HelpDialog.h"
#include "forms/language/GetSupportedLanguagesCommand.h"
#include "forms/language/LanguageChangeCommand.h"
#include "forms/menu/ShowMenuFormCommand.h"
#include "forms/progress/GenerateGridCommand.h"
#include "forms/selectpuzzle/ShowPuzzleSelectedFormCommand.h"
#include "forms/tabbar/ApplicationTabBar.h"
#include "forms/tabbar/TabCommands.h"
#include "forms/users/ShowUsersFormCommand.h"
#include "forms/web/NewVersionDialog.h"
#include "game/commands/Services.h"
#include "game/grid/GridSymbols.h"
#include "notus/ownerdraw/list_sizes.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "platform/handheld/ShowSplashLogo.h"
#include "platform/win32/Application/ShowSplashLogo.h"

namespace form_captures {

namespace {

// Strings the grid check shows (the game layer's ids).
constexpr int kCheckGridTitle = 405;
constexpr int kGridHasMistakes = 407;
constexpr int kHelpCaption = 389;
constexpr int kNewPlayerPrompt = 401;
constexpr int kRenamePlayerPrompt = 400;

constexpr int kLanguageForm = 23;
constexpr int kLanguageOk = 3;
constexpr int kLanguageCombo = 5;

// The combo boxes the scenes choose in, and the options form's tabs.
constexpr int kBuildPuzzleForm = 10;
constexpr int kBuildPuzzleLevelItem = 2;
constexpr int kSelectPuzzleForm = 9;
constexpr int kSelectPuzzleSizeItem = 5;
constexpr int kOptionsForm = 3;
constexpr int kOptionsGameTab = 1;
constexpr int kOptionsAssistanceTab = 2;
constexpr int kOptionsStatisticsTab = 3;
constexpr int kOptionsPreferencesTab = 5;
constexpr int kOptionsPreferencesPage = 6;
constexpr int kChangeLanguageButton = 96;

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

// What start-up shows while it loads: the program's splash over the whole
// main window, taken as it was painted (nothing has painted since).  The
// settings folder holds no downloaded logo, so the logo is the built-in one.
winapi::Image Splash(CaptureHost& host) {
  if (host.Program().kind == ProgramKind::handheld) {
    handheld::ShowSplashLogo();
    // The handheld's splash reaches the window at the next WM_PAINT, which
    // its start-up's loop sends; the capture has no such loop.
    UpdateWindow(notus::impl::details::app::instance().main_window());
  } else {
    desktop::ShowSplashLogo();
  }
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

// A closed combo box is the top of its item, as high as the text needs; its
// list drops below it or opens above it.
POINT ComboClosedCentre(int form, int item) {
  const ItemConfig combo = ResourceManager::GetItemConfig(form, item);
  return {(combo.left + combo.right) / 2, combo.top + notus::ownerdraw::current_list_sizes().closed / 2};
}

// Opens the language dialog's list and walks it by keys from the current
// language's row to the other's (on a small screen the list may show one
// row only), takes that row and accepts.
void ChooseLanguage(CaptureHost& host, int currentRow, int otherRow) {
  const POINT closed = ComboClosedCentre(kLanguageForm, kLanguageCombo);
  host.ClickAt(closed.x, closed.y);
  for (int row = currentRow; row != otherRow; row += otherRow > currentRow ? 1 : -1)
    host.Key(otherRow > currentRow ? VK_DOWN : VK_UP);
  host.Key(VK_RETURN);
  host.ClickItem(kLanguageForm, kLanguageOk);
}

// The rows of the current language and of another in the language list.
struct LanguageRows {
  int current = -1;
  int other = -1;
};

LanguageRows RowsOfLanguages(const std::wstring& current) {
  GetSupportedLanguagesCommand supported;
  supported.Execute();
  LanguageRows rows;
  for (std::size_t row = 0; row < supported.languages.size(); ++row) {
    if (supported.languages[row] == current)
      rows.current = static_cast<int>(row);
    else if (rows.other < 0)
      rows.other = static_cast<int>(row);
  }
  if (rows.current < 0 || rows.other < 0) throw std::runtime_error("the resource file lists no other language");
  return rows;
}

winapi::Image ChangeLanguageListOpen(CaptureHost& host) {
  return host.CaptureDialog([] { LanguageChangeCommand(true).Execute(); },
                            [&host] {
                              const POINT closed = ComboClosedCentre(kLanguageForm, kLanguageCombo);
                              host.ClickAt(closed.x, closed.y);
                            },
                            [&host] { host.Close(); });
}

// The wait form is painted once, while the other language loads, and gets
// no loop of its own: what the window shows right after the change is what
// the player saw during the load (nothing has painted since).
winapi::Image WaitWhileLoading(CaptureHost& host) {
  const auto [currentRow, otherRow] = RowsOfLanguages(host.Language());
  LanguageChangeCommand command(true);
  host.CaptureDialog([&command] { command.Execute(); }, nullptr,
                     [&host, currentRow, otherRow] { ChooseLanguage(host, currentRow, otherRow); });
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

// Runs show with a player list of four, the second one current, in place:
// the menu's title and the players form read it.  The settings folder is
// shared by every scene, so the list there is put back as it was.
winapi::Image WithPlayers(const std::function<winapi::Image()>& show) {
  const std::filesystem::path file = NativePath(JoinPath(SettingsDirectory(), L"users.txt"));
  std::optional<std::string> saved;
  if (std::ifstream in{file, std::ios::binary})
    saved.emplace(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  data_objects::users users;
  for (const wchar_t* name : {L"Ann", L"Bob", L"Cid", L"Dana"}) AddUser(users, name);
  SelectUserByName(users, L"Bob");
  if (!SaveUsers(users)) throw std::runtime_error("the player list cannot be written");
  winapi::Image shot = show();
  if (saved)
    std::ofstream(file, std::ios::binary) << *saved;
  else
    std::filesystem::remove(file);
  return shot;
}

// A form shown by its command, as the menu's buttons show them.
winapi::Image FormShownBy(CaptureHost& host, ApplicationCommand&& show) {
  show.Execute();
  host.Settle();
  return host.Shot();
}

winapi::Image PlayersForm(CaptureHost& host) {
  return WithPlayers([&host] { return FormShownBy(host, ShowUsersFormCommand()); });
}

// The menu as its tab opens it, over a game in progress, which it pauses.
winapi::Image Menu(CaptureHost& host) {
  ShowPuzzleOnGameForm(host);
  return WithPlayers([&host] {
    host.ClickItem(application_tab_bar::kTabBarForm, application_tab_bar::kMenuTab);
    host.Settle();
    return host.Shot();
  });
}

// Opens the closed combo box of item (form, item) and takes row of its list,
// walking there by keys from the top: on a small screen the list shows only
// some of its rows.
void ChooseInCombo(CaptureHost& host, int form, int item, int row) {
  constexpr int kMoreRowsThanAnyList = 32;
  const POINT closed = ComboClosedCentre(form, item);
  host.ClickAt(closed.x, closed.y);
  for (int step = 0; step < kMoreRowsThanAnyList; ++step) host.Key(VK_UP);
  for (int step = 0; step < row; ++step) host.Key(VK_DOWN);
  host.Key(VK_RETURN);
  host.Settle();
}

// The build-puzzle form with a level chosen: 0 (an empty grid of one's own,
// no techniques) or 5 (the longest list of techniques).
winapi::Image BuildPuzzleAtLevel(CaptureHost& host, int level) {
  ShowBuildPuzzleFormCommand().Execute();
  host.Settle();
  ChooseInCombo(host, kBuildPuzzleForm, kBuildPuzzleLevelItem, level);
  return host.Shot();
}

// The select-puzzle form on a shipped package; box size 4 swaps the 9x9
// preview for the 16x16 one.
winapi::Image SelectPuzzleOfBoxSize(CaptureHost& host, int boxSize) {
  ShowPuzzleSelectedFormCommand().Execute();
  host.Settle();
  if (boxSize == 4) ChooseInCombo(host, kSelectPuzzleForm, kSelectPuzzleSizeItem, 1);
  return host.Shot();
}

// The options form as its tab opens it (on Game), then on the page of tab.
winapi::Image OptionsOnPage(CaptureHost& host, int tab) {
  ShowPuzzleOnGameForm(host);
  host.ClickItem(application_tab_bar::kTabBarForm, application_tab_bar::kOptionsTab);
  host.Settle();
  if (tab != kOptionsGameTab) {
    host.ClickItem(kOptionsForm, tab);
    host.Settle();
  }
  return host.Shot();
}

// The options form as the player leaves it after choosing the other
// language with its Preferences page's button: built again, in the new
// texts, on that page.
winapi::Image OptionsAfterLanguageChange(CaptureHost& host) {
  const auto [currentRow, otherRow] = RowsOfLanguages(host.Language());
  const std::wstring before = ResourceManager::GetItemConfig(kOptionsPreferencesPage, kChangeLanguageButton).text;
  ShowPuzzleOnGameForm(host);
  host.ClickItem(application_tab_bar::kTabBarForm, application_tab_bar::kOptionsTab);
  host.Settle();
  host.ClickItem(kOptionsForm, kOptionsPreferencesTab);
  host.Settle();
  host.CaptureDialog([&host] { host.ClickItem(kOptionsPreferencesPage, kChangeLanguageButton), host.Settle(); },
                     nullptr, [&host, currentRow, otherRow] { ChooseLanguage(host, currentRow, otherRow); });
  host.Settle();
  if (ResourceManager::GetItemConfig(kOptionsPreferencesPage, kChangeLanguageButton).text == before)
    throw std::runtime_error("the texts did not change");
  return host.Shot();
}

// The file dialogs choose path.
void ChooseFile(const std::wstring& path) {
  winapi::headless::SetFileDialogHook(
      [path](const winapi::FileDialogRequest&) { return winapi::FileDialogResult::Chosen(path); });
}

// Open... on the menu with a file that is not a puzzle: the refusal.
winapi::Image RefusedFile(CaptureHost& host) {
  const std::wstring file = JoinPath(SettingsDirectory(), L"not_a_puzzle.txt");
  std::ofstream(NativePath(file)) << "12345\n";
  return WithPlayers([&host, &file] {
    ShowMenuFormCommand().Execute();
    host.Settle();
    ChooseFile(file);
    return host.CaptureDialog([] { OpenFileCommand().Execute(); }, nullptr, [&host] { host.Close(); });
  });
}

// Open... with a file that is not there, its name longer than a line of the
// box: the refusal naming it.
winapi::Image UnreadableFile(CaptureHost& host) {
  const std::wstring file = JoinPath(SettingsDirectory(), L"wochenendraetsel_aus_der_zeitung_vom_samstag-2026.txt");
  return WithPlayers([&host, &file] {
    ShowMenuFormCommand().Execute();
    host.Settle();
    ChooseFile(file);
    return host.CaptureDialog([] { OpenFileCommand().Execute(); }, nullptr, [&host] { host.Close(); });
  });
}

// Save as... into a folder that is not there: the failure.
winapi::Image UnwrittenFile(CaptureHost& host) {
  ShowPuzzleOnGameForm(host);
  return WithPlayers([&host] {
    ShowMenuFormCommand().Execute();
    host.Settle();
    ChooseFile(JoinPath(SettingsDirectory(), L"no folder/puzzle.txt"));
    return host.CaptureDialog([] { SaveAsCommand().Execute(); }, nullptr, [&host] { host.Close(); });
  });
}

// The question of a start after the last run learnt of a newer version.
winapi::Image NewVersion(CaptureHost& host) {
  ShowPuzzleOnGameForm(host);
  return host.CaptureDialog([] { AskAboutNewVersion(); }, nullptr, [&host] { host.Close(); });
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
      {"players", PlayersForm},
      {"menu", Menu},
      {"about", [](CaptureHost& host) { return FormShownBy(host, ShowAboutFormCommand()); }},
      {"help_form", [](CaptureHost& host) { return FormShownBy(host, ShowHelpFormCommand()); }},
      {"build_puzzle_level_0", [](CaptureHost& host) { return BuildPuzzleAtLevel(host, 0); }},
      {"build_puzzle_level_5", [](CaptureHost& host) { return BuildPuzzleAtLevel(host, 5); }},
      {"select_puzzle_9x9", [](CaptureHost& host) { return SelectPuzzleOfBoxSize(host, 3); }},
      {"select_puzzle_16x16", [](CaptureHost& host) { return SelectPuzzleOfBoxSize(host, 4); }},
      {"options_game", [](CaptureHost& host) { return OptionsOnPage(host, kOptionsGameTab); }},
      {"options_assistance", [](CaptureHost& host) { return OptionsOnPage(host, kOptionsAssistanceTab); }},
      {"options_statistics", [](CaptureHost& host) { return OptionsOnPage(host, kOptionsStatisticsTab); }},
      {"options_preferences", [](CaptureHost& host) { return OptionsOnPage(host, kOptionsPreferencesTab); }},
      {"options_after_language_change", OptionsAfterLanguageChange},
      {"ok_not_a_puzzle", RefusedFile},
      {"ok_not_readable", UnreadableFile},
      {"ok_not_written", UnwrittenFile},
      {"ok_cancel_new_version", NewVersion},
  };
  return scenes;
}

}  // namespace form_captures
