// The start-up steps that must not let stale settings stop every start: the
// player to start with, and the language whose layouts are loaded (or, when
// none can be, the player told why).
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "app/Users.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "startup/CannotStart.h"
#include "startup/StartupSteps.h"
#include "tests/support/folders.h"

namespace {

std::string Utf16Le(const std::string& ascii) {
  std::string bytes;
  for (char c : ascii) bytes += {c, '\0'};
  return bytes;
}

class StartupStepsTest : public ::testing::Test {
 protected:
  std::filesystem::path File(const std::string& folder, const std::string& name) const {
    return folders.root / folder / name;
  }
  std::string Read(const std::filesystem::path& file) const {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void Write(const std::filesystem::path& file, const std::string& bytes) const {
    std::ofstream(file, std::ios::binary) << bytes;
  }

  grid_test::Folders folders{{"resources.dat"}};
};

TEST_F(StartupStepsTest, ThePlayerListAlwaysNamesAnExistingCurrentPlayer) {
  const std::string ann = "\n3\n" + Utf16Le("Ann") + "\n0";
  const std::string bob = "\n3\n" + Utf16Le("Bob") + "\n1";
  struct Case {
    const char* name;
    bool exists;
    std::string stored;
    std::string file;  // after the step
    int current;
  };
  const Case cases[] = {
      {"a first run", false, "", "1\n0\n8\n" + Utf16Le("Player 1") + "\n0", 0},
      {"a list without players keeps its next id", true, "5\n3", "6\n5\n8\n" + Utf16Le("Player 1") + "\n5", 5},
      {"a current id of nobody", true, "2\n7" + ann + bob, "2\n0" + ann + bob, 0},
      {"a current player", true, "2\n1" + ann + bob, "2\n1" + ann + bob, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::filesystem::path file = File("settings", "users.txt");
    std::filesystem::remove(file);
    if (c.exists) Write(file, c.stored);
    data_objects::users users;
    startup::LoadPlayers(users);
    EXPECT_EQ(users.currentId, c.current);
    EXPECT_EQ(Read(file), c.file);
  }
}

// The languages of the source tree's resource file are "en" and "de"; a
// stale language or a file that has lost English must still load one.
TEST_F(StartupStepsTest, AMissingLanguageFallsBackToEnglishThenToTheFirstOne) {
  const std::filesystem::path resources = File("resources", "resources.dat");
  const std::string full = Read(resources);
  const std::size_t english = full.find("<lang value=\"en\">");
  const std::size_t german = full.find("<lang value=\"de\">");
  ASSERT_NE(english, std::string::npos);
  ASSERT_NE(german, std::string::npos);
  const std::string withoutEnglish = full.substr(0, english) + full.substr(german);

  const std::string half = full.substr(0, full.size() / 2);
  struct Case {
    const char* name;
    const std::string* file;  // null: no resource file
    const wchar_t* stored;
    const wchar_t* loaded;    // null when nothing loads
    const wchar_t* undoText;  // item (16, 3), when a language loads
  };
  const Case cases[] = {
      {"the stored language", &full, L"de", L"de", L"Rückgängig"},
      {"a language that is gone", &full, L"xx", L"en", L"Undo"},
      {"gone, and English too", &withoutEnglish, L"xx", L"de", L"Rückgängig"},
      {"English gone", &withoutEnglish, L"en", L"de", L"Rückgängig"},
      {"no resource file", nullptr, L"de", nullptr, nullptr},
      {"half a resource file", &half, L"en", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(NativePath(CachedResourcesFileName()));
    std::filesystem::remove(resources);
    if (c.file != nullptr) Write(resources, *c.file);
    ResourceManager::Clear();
    if (c.loaded != nullptr) {
      EXPECT_EQ(startup::LoadLanguageResources(c.stored, 480, 640), c.loaded);
      EXPECT_EQ(ResourceManager::GetItemConfig(16, 3).text, c.undoText);
      continue;
    }
    // Nothing could be shown: the player is told which file, and where.
    try {
      startup::LoadLanguageResources(c.stored, 480, 640);
      ADD_FAILURE() << "loaded without a usable resource file";
    } catch (const startup::CannotStart& failure) {
      const std::wstring said = c.file != nullptr ? L"is damaged" : L"is missing";
      EXPECT_EQ(failure.text(), L"The game cannot start: its resource file " + said + L".\n\nLooked for:\n" +
                                    ResourcesFileName() + L"\n\nInstall the game again to restore the file.");
    }
    EXPECT_THROW(ResourceManager::GetItemConfig(16, 3), std::invalid_argument) << "nothing loaded";
  }
}

// The art is checked whole before any of it is used: a file that is gone,
// cut short, lacks a drawing the game draws or holds one our SVG reader
// refuses is named, and the glyphs are not loaded.
TEST_F(StartupStepsTest, ArtThatIsMissingOrDamagedIsNamedAndNothingIsLoaded) {
  const std::string glyphs = Read(std::filesystem::path(TAVLIN_SOURCE_RESOURCES) / "glyphs.dat");
  const std::string digits = Read(std::filesystem::path(TAVLIN_SOURCE_RESOURCES) / "titular_digits.dat");
  const auto without = [](const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t start = text.find(from);
    const std::size_t end = text.find(to, start);
    return start == std::string::npos || end == std::string::npos ? std::string()
                                                                  : text.substr(0, start) + text.substr(end);
  };
  // The clock's glyph, and the 16x16 grid's last symbol.
  const std::string noClock = without(glyphs, "<g id=\"118\"", "<g id=\"119\"");
  const std::string noP = without(digits, "<g id=\"P\"", "</svg>");
  std::string unreadable = glyphs;
  const std::size_t path = unreadable.find(" d=\"M");
  ASSERT_NE(path, std::string::npos);
  unreadable.insert(path + 5, "!");
  ASSERT_FALSE(noClock.empty());
  ASSERT_FALSE(noP.empty());

  struct Case {
    const char* name;
    const char* file;
    const std::string* bytes;  // null: missing
    const wchar_t* said;       // null: it loads
  };
  const std::string halfGlyphs = glyphs.substr(0, glyphs.size() / 2);
  const std::string halfDigits = digits.substr(0, digits.size() / 2);
  const Case cases[] = {
      {"the shipped art", "glyphs.dat", &glyphs, nullptr},
      {"the glyphs missing", "glyphs.dat", nullptr, L"is missing"},
      {"the glyphs cut in half", "glyphs.dat", &halfGlyphs, L"is damaged"},
      {"a glyph the game draws gone", "glyphs.dat", &noClock, L"is damaged"},
      {"a glyph our reader refuses", "glyphs.dat", &unreadable, L"is damaged"},
      {"the value symbols missing", "titular_digits.dat", nullptr, L"is missing"},
      {"the value symbols cut in half", "titular_digits.dat", &halfDigits, L"is damaged"},
      {"a value symbol gone", "titular_digits.dat", &noP, L"is damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write(File("resources", "glyphs.dat"), glyphs);
    Write(File("resources", "titular_digits.dat"), digits);
    const std::filesystem::path file = File("resources", c.file);
    std::filesystem::remove(file);
    if (c.bytes != nullptr) Write(file, *c.bytes);
    notus::impl::details::app::instance().glyph_document().Clear();
    if (c.said == nullptr) {
      EXPECT_NO_THROW(startup::LoadArt());
      EXPECT_NE(notus::impl::details::app::instance().glyph_document().RootElement(), nullptr);
      continue;
    }
    try {
      startup::LoadArt();
      ADD_FAILURE() << "loaded";
    } catch (const startup::CannotStart& failure) {
      EXPECT_EQ(failure.text(), std::wstring(L"The game cannot start: its art file ") + c.said + L".\n\nLooked for:\n" +
                                    file.wstring() + L"\n\nInstall the game again to restore the file.");
    }
    EXPECT_EQ(notus::impl::details::app::instance().glyph_document().RootElement(), nullptr) << "nothing loaded";
  }
}

// Once the resource file is read, the art's problem is told in the loaded
// language.
TEST_F(StartupStepsTest, MissingOrDamagedArtIsToldInTheLoadedLanguage) {
  const std::wstring file = File("resources", "glyphs.dat").wstring();
  struct Case {
    const wchar_t* language;
    bool present;  // then cut short
    std::wstring said;
  };
  const Case cases[] = {
      {L"de", false,
       L"Das Spiel kann nicht starten: Eine Grafikdatei fehlt.\n\nGesucht unter:\n" + file +
           L"\n\nInstallieren Sie das Spiel neu, um die Datei wiederherzustellen."},
      {L"de", true,
       L"Das Spiel kann nicht starten: Eine Grafikdatei ist beschädigt.\n\nGesucht unter:\n" + file +
           L"\n\nInstallieren Sie das Spiel neu, um die Datei wiederherzustellen."},
      {L"en", false,
       L"The game cannot start: its art file is missing.\n\nLooked for:\n" + file +
           L"\n\nInstall the game again to restore the file."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    ASSERT_EQ(startup::LoadLanguageResources(c.language, 480, 640), c.language);
    std::filesystem::remove(file);
    if (c.present) Write(file, "<svg><g id=\"100\">");
    try {
      startup::LoadArt();
      ADD_FAILURE() << "loaded";
    } catch (const startup::CannotStart& failure) {
      EXPECT_EQ(failure.text(), c.said);
    }
  }
}

// How often the file is opened while `run` runs.  Its closes are watched
// too: inotify merges an event into an unread identical one before it.
int OpensDuring(const std::filesystem::path& file, const std::function<void()>& run) {
  const int watch = inotify_init1(IN_NONBLOCK);
  if (watch < 0 || inotify_add_watch(watch, file.c_str(), IN_OPEN | IN_CLOSE) < 0) {
    ADD_FAILURE() << "cannot watch " << file;
    return -1;
  }
  run();
  int opens = 0;
  alignas(inotify_event) char events[4096];
  for (ssize_t got = 0; (got = read(watch, events, sizeof events)) > 0;) {
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      if ((event->mask & IN_OPEN) != 0) ++opens;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  close(watch);
  return opens;
}

TEST_F(StartupStepsTest, TheGlyphsAreReadOnce) {
  const std::filesystem::path shipped(TAVLIN_SOURCE_RESOURCES);
  Write(File("resources", "glyphs.dat"), Read(shipped / "glyphs.dat"));
  Write(File("resources", "titular_digits.dat"), Read(shipped / "titular_digits.dat"));
  notus::impl::details::app::instance().glyph_document().Clear();
  EXPECT_EQ(OpensDuring(File("resources", "glyphs.dat"), [] { startup::LoadArt(); }), 1);
  EXPECT_NE(notus::impl::details::app::instance().glyph_document().RootElement(), nullptr);
}

}  // namespace
