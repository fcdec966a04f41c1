#pragma once
// The dialog tests' host: the forms host (real main window, window
// procedure and resource file, private folders) plus what these tests look
// at: the texts a dialog draws, a resource file lacking one item, players
// with their settings files on disk, and a disk that refuses to grow.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "app/UserSettings.h"
#include "app/Users.h"
#include "game/commands/Services.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "tests/support/DialogScript.h"
#include "tests/support/FormsHost.h"
#include "tests/support/PaintedTexts.h"

// Read in failure messages as {difficulty, dimantion, total, solved, min,
// max, average}.
inline void PrintTo(const StatisticRecord& r, std::ostream* os) {
  *os << "{" << r.difficulty << ", " << r.dimantion << ", " << r.total_time << ", " << r.solved_puzzles << ", "
      << r.min_time << ", " << r.max_time << ", " << r.average_time << "}";
}

// The options that the tests set, as {bools, clue digits, paint type,
// keypad arrangement, sound, symbols}.
inline void PrintTo(const Options& o, std::ostream* os) {
  *os << "{" << o.autoPencilMarks << o.allowOnlyValidEntries << o.flagMistakes << o.showGuideLines << ", "
      << o.onTabClueDigits << ", " << o.gridPaintType << ", " << o.enteringNumbers << ", " << o.sound << ", "
      << o.gridSymbols << "}";
}

namespace dialogs_test {

using forms_test::app;
using forms_test::DialogScript;
using strings = std::vector<std::string>;

class DialogsTest : public forms_test::FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    installed.Install(&notus::gdi::set_device_recorder);
  }
  void TearDown() override {
    gamecommands::Services::Reset();
    FormsTest::TearDown();
  }

  // Paints what is invalid now and answers the texts drawn, in drawing
  // order (UTF-8).  Run inside a dialog's loop it shows what the dialog
  // shows.
  strings PaintedTexts() { return forms_test::PaintedTexts(main); }

  // Reloads the layouts from a copy of the resource file without item
  // (form, item), in every language.
  void LoadLayoutsWithout(int form, int item) {
    const std::filesystem::path file = folders.root / "resources" / "resources.dat";
    std::ifstream in(file);
    std::ostringstream kept;
    const std::string formHead = "<form id=\"";
    const std::string itemHead = "<item id=\"" + std::to_string(item) + "\"";
    int currentForm = -1;
    for (std::string line; std::getline(in, line);) {
      if (const std::size_t at = line.find(formHead); at != std::string::npos)
        currentForm = std::stoi(line.substr(at + formHead.size()));
      if (currentForm == form && line.find(itemHead) != std::string::npos) continue;
      kept << line << '\n';
    }
    in.close();
    std::ofstream(file) << kept.str();
    std::filesystem::remove(NativePath(CachedResourcesFileName()));
    ASSERT_TRUE(LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), L"en", 480, 640));
    ASSERT_THROW(ResourceManager::GetItemConfig(form, item), std::invalid_argument);
  }
};

// Whether text is among the texts drawn; the message lists them.
inline ::testing::AssertionResult Shows(const strings& shown, const std::string& text) {
  std::string all;
  for (const std::string& s : shown) all += " \"" + s + "\"";
  if (std::find(shown.begin(), shown.end(), text) != shown.end())
    return ::testing::AssertionSuccess() << "\"" << text << "\" is drawn among" << all;
  return ::testing::AssertionFailure() << "\"" << text << "\" is not drawn; drawn:" << all;
}

// Players as the users form would have made them, each with a settings
// file of their own options (keypad arrangement = index) and statistics
// (one record, solved count = index + 1), and a data file.
inline Options OptionsOfPlayer(int index) {
  Options options;
  options.enteringNumbers = index;
  options.autoPencilMarks = false;
  return options;
}
inline std::vector<StatisticRecord> StatisticsOfPlayer(int index) {
  const auto n = static_cast<std::uint32_t>(index + 1);
  return {StatisticRecord{2, 1, 60 * n, n, 60, 60, 60}};
}

inline void WritePlayers(const std::vector<std::wstring>& names, const std::wstring& current) {
  data_objects::users users;
  for (const std::wstring& name : names) ASSERT_TRUE(AddUser(users, name));
  SelectUserByName(users, current);
  ASSERT_TRUE(SaveUsers(users));
  for (std::size_t i = 0; i < users.players.size(); ++i) {
    UserSettings settings(users.players[i]->name);
    settings.options = OptionsOfPlayer(static_cast<int>(i));
    settings.statistics = StatisticsOfPlayer(static_cast<int>(i));
    ASSERT_TRUE(SaveUserSettings(settings, users.players[i]->id));
  }
}

inline data_objects::users StoredPlayers() {
  data_objects::users users;
  LoadUsers(users);
  return users;
}

inline std::vector<std::wstring> StoredNames() {
  std::vector<std::wstring> names;
  for (const auto& player : StoredPlayers().players) names.push_back(player->name);
  return names;
}

inline std::wstring UsersFileName() { return JoinPath(SettingsDirectory(), L"users.txt"); }

inline std::string Bytes(const std::wstring& path) {
  std::ifstream in(NativePath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Whether the player's settings and data files are there, both or none.
inline bool PlayerFilesExist(int id) {
  const bool settings = std::filesystem::exists(NativePath(UserSettingsFileName(id)));
  const bool data = std::filesystem::exists(NativePath(UserDataFileName(id)));
  EXPECT_EQ(settings, data) << "player " << id;
  return settings && data;
}

// While it lives, files the process writes cannot grow past a few bytes:
// a save fails as on a full disk, and reading still works.
class FullDisk {
 public:
  FullDisk() {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_handler = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = m_saved;
    limited.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    signal(SIGXFSZ, m_handler);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

 private:
  rlimit m_saved{};
  sighandler_t m_handler;
};

}  // namespace dialogs_test
