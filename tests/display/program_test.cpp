// The program itself on the display: its window appears with its title,
// shows the splash, takes a real click and key into the game, and the close
// box ends it with exit code 0 and the game saved.  Without a display it says
// so and ends, unless running without a window is asked for.
#include "x_tools.h"

#include "app/ResourceManager.h"
#include "app/Users.h"
#include "tests/support/ChildProcess.h"
#include "winapi/sdl/sdl.h"
#include "winapi/windows.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace display_test {
namespace {

const char* const kTitle = "Tavlin - Kestrel Mill";

// The program as a child process, with what it writes to stderr kept in a
// file; killed if a test leaves it running.  Its environment is this one's
// without the variables named in `unset` and with the "NAME=value" entries of
// `add`.
class Program : public test_support::ChildProcess {
 public:
  explicit Program(const std::vector<std::string>& unset = {}, const std::vector<std::string>& add = {})
      : ChildProcess(TAVLIN_PROGRAM, test_support::EnvironmentWith(add, Assignments(unset))) {}

 private:
  static std::vector<std::string> Assignments(std::vector<std::string> names) {
    for (std::string& name : names) name += "=";
    return names;
  }
};

// A private folder for one run of the program, removed afterwards with
// whatever it then holds.  Empty, or as settings holding what an earlier run
// on this computer left: a player, the player's settings and the resources
// cached for the language chosen then, so no language dialog stands between
// the splash and the game.  The player does without automatic pencil marks,
// so an open cell shows no ink.
class TestFolder {
 public:
  enum class Holding { nothing, anEarlierRun };

  explicit TestFolder(Holding holding = Holding::anEarlierRun) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-display-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    if (holding == Holding::nothing) {
      ready_ = true;
      return;
    }
    data_objects::users users;
    AddUser(users, L"Player 1");
    std::ofstream(path_ / "users.txt", std::ios::binary) << SerializeUsers(users);
    std::ofstream(path_ / "UserSettings0.xml", std::ios::binary)
        << "<root version=\"1\"><options><autoPencilMarks value=\"false\" /></options><statistics /></root>";
    ready_ = LoadResourceStrings((path_ / "cached_resources.dat").wstring(), TAVLIN_SOURCE_RESOURCES L"/resources.dat",
                                 L"en", 480, 640);
  }
  ~TestFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  bool Ready() const { return ready_; }
  std::string Path() const { return path_.string(); }
  std::string Variable() const { return "TAVLIN_SETTINGS_DIR=" + Path(); }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::filesystem::path path_;
  bool ready_ = false;
};

}  // namespace

TEST(Program, ShowsItsTitledWindowWithTheSplashAndEndsWithTheCloseBox) {
  if (!winapi::sdl::IsActive() || !HaveTools()) {
    GTEST_SKIP() << "no display (or no xdotool and import) to run the program on";
  }
  const TestFolder settings;
  ASSERT_TRUE(settings.Ready());
  Program program({}, {settings.Variable()});
  ASSERT_TRUE(program.Started());
  const unsigned long window = FindWindow(kTitle, 30000);
  ASSERT_NE(window, 0u) << "no window titled " << kTitle;

  // The window starts small and grows to the screen's size for the splash;
  // until its first paint reaches the screen it is black, so wait for the
  // white page with the logo on it.
  Picture shown;
  auto splashShown = [](const Picture& p) {
    return p.width == 480 && p.At(5, 5) == 0xFFFFFFu && p.DarkIn(0, 100, 480, 540) > 5000;
  };
  for (int attempt = 0; attempt < 100 && !splashShown(shown); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    shown = Screenshot(window);
  }
  ASSERT_EQ(shown.width, 480);
  ASSERT_EQ(shown.height, 640);
  // White, the logo across the middle, "Loading..." at the bottom left and
  // the web address at the bottom right, in the default font.
  const HDC screen = GetDC(nullptr);
  SIZE text{};
  ASSERT_TRUE(GetTextExtentPoint32W(screen, L"Loading...", 10, &text));
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(shown.At(5, 5), 0xFFFFFFu);
  EXPECT_GT(shown.DarkIn(0, 100, 480, 540), 5000) << "the logo";
  EXPECT_GT(shown.DarkIn(0, 640 - text.cy, text.cx + 1, 640), 30) << "Loading...";
  EXPECT_GT(shown.DarkIn(480 - text.cx, 640 - text.cy, 480, 640), 30) << "the address";
  EXPECT_EQ(shown.DarkIn(text.cx + 1, 640 - text.cy, 240, 640), 0) << "two lines apart";

  PressCloseBox(window);
  EXPECT_EQ(program.WaitForExit(30000), 0) << program.Errors();
}

namespace {

// The game form, once the splash has gone: the Menu and Options tabs of the
// tab bar show their light colour, where the splash is white, a new back
// buffer light grey and a window not yet drawn black.  An empty picture when
// it did not come within 20 s.
Picture WhenGameShown(unsigned long window) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    const Picture picture = Screenshot(window);
    const std::uint32_t tab = picture.width == 480 && picture.height == 640 ? picture.At(400, 620) : 0xFFFFFFu;
    const bool light = (tab & 0x808080u) == 0x808080u;
    if (light && tab != 0xFFFFFFu && tab != 0xE1E1E1u && picture.At(80, 620) == tab) return picture;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return {};
}

struct SavedCell {
  bool given = false;
  int solution = 0;  // 0-based
  int user = -1;
};

// The cells of "current_game.xml" in grid order.
std::vector<SavedCell> SavedCells(const std::string& xml) {
  const auto attribute = [](const std::string& element, const std::string& name) {
    const std::size_t at = element.find(name + "=\"");
    return at == std::string::npos
               ? std::string()
               : element.substr(at + name.size() + 2, element.find('"', at + name.size() + 2) - at - name.size() - 2);
  };
  std::vector<SavedCell> cells;
  for (std::size_t at = xml.find("<cell "); at != std::string::npos; at = xml.find("<cell ", at + 1)) {
    const std::string element = xml.substr(at, xml.find("/>", at) - at);
    cells.push_back({attribute(element, "titular_value") == "true",
                     std::atoi(attribute(element, "fixed_value").c_str()),
                     std::atoi(attribute(element, "user_value").c_str())});
  }
  return cells;
}

}  // namespace

// The player's side of a whole game on the display: the first run makes and
// saves a puzzle; the second restores it, takes a real click on an open cell
// and a digit key, shows the digit there and saves it at the close box.
TEST(Program, AClickOnACellAndADigitKeyPutTheDigitThereAndTheCloseBoxSavesIt) {
  if (!winapi::sdl::IsActive() || !HaveTools()) {
    GTEST_SKIP() << "no display (or no xdotool and import) to run the program on";
  }
  const TestFolder settings;
  ASSERT_TRUE(settings.Ready());
  {
    Program first({}, {settings.Variable()});
    ASSERT_TRUE(first.Started());
    const unsigned long window = FindWindow(kTitle, 30000);
    ASSERT_NE(window, 0u);
    ASSERT_GT(WhenGameShown(window).width, 0) << "no game form";
    PressCloseBox(window);
    ASSERT_EQ(first.WaitForExit(30000), 0) << first.Errors();
  }
  std::vector<SavedCell> cells = SavedCells(settings.Read("current_game.xml"));
  ASSERT_EQ(cells.size(), 81u);
  std::size_t open = 0;
  while (open < 81 && cells[open].given) ++open;
  ASSERT_LT(open, 81u);

  Program program({}, {settings.Variable()});
  ASSERT_TRUE(program.Started());
  const unsigned long window = FindWindow(kTitle, 30000);
  ASSERT_NE(window, 0u);
  const Picture before = WhenGameShown(window);
  ASSERT_GT(before.width, 0) << "no game form";
  // The grid fills layout item (16, 6), {4, 4, 476, 476}: 52 px cells.  Only
  // the middle of the cell is compared, away from its lines and highlight.
  const int left = 4 + static_cast<int>(open % 9) * 472 / 9;
  const int top = 4 + static_cast<int>(open / 9) * 472 / 9;
  // Ink is anything well below the light backgrounds of cells, also the
  // player's digits, which are drawn in a middle blue.
  const auto inkIn = [&](const Picture& picture) {
    int ink = 0;
    for (int y = top + 10; y < top + 42; ++y)
      for (int x = left + 12; x < left + 40; ++x) {
        const std::uint32_t rgb = picture.At(x, y);
        ink += ((rgb >> 16) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF)) / 3 < 170 ? 1 : 0;
      }
    return ink;
  };
  ASSERT_EQ(inkIn(before), 0) << "an open cell without pencil marks is blank";

  // The first click opens the value keypad over the grid, the second closes
  // it again and leaves the keys to the grid.
  const std::string point = std::to_string(left + 26) + " " + std::to_string(top + 26);
  display_test::Run("xdotool windowfocus " + std::to_string(window) + " sleep 0.3 mousemove --window " +
                    std::to_string(window) + " " + point + " sleep 0.2 click 1 sleep 0.6 click 1 sleep 0.6 key " +
                    std::to_string(cells[open].solution + 1) + " 2>/dev/null");
  int ink = 0;
  for (int attempt = 0; attempt < 50 && ink < 40; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ink = inkIn(Screenshot(window));
  }
  EXPECT_GE(ink, 40) << "the digit's ink in the cell";

  PressCloseBox(window);
  EXPECT_EQ(program.WaitForExit(30000), 0) << program.Errors();
  cells = SavedCells(settings.Read("current_game.xml"));
  ASSERT_EQ(cells.size(), 81u);
  EXPECT_EQ(cells[open].user, cells[open].solution);
}

// Needs no display: it takes the program's away.  The line carries SDL's
// own reason, so a display that refused the program can be told from none.
TEST(Program, WithoutADisplaySaysSoAndWhyAndEndsUnlessRunningWithoutAWindowIsAsked) {
  const std::vector<std::string> noDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "TAVLIN_HEADLESS"};
  struct Case {
    const char* name;
    std::vector<std::string> add;
    std::string reason;  // "" for any
  };
  const Case cases[] = {
      {"no display at all", {}, ""},
      {"a video driver SDL lacks", {"SDL_VIDEODRIVER=tavlin_no_such_driver"}, "tavlin_no_such_driver not available"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program program(noDisplay, c.add);
    ASSERT_TRUE(program.Started());
    const int status = program.WaitForExit(30000);
    EXPECT_NE(status, -1) << "still running after 30 s without a display";
    EXPECT_NE(status, 0);
    const std::string errors = program.Errors();
    const std::string opening = "tavlin: no display to open a window on: ";
    const std::string advice = " (set DISPLAY, or TAVLIN_HEADLESS=1";
    const std::size_t start = errors.find(opening);
    const std::size_t end = errors.find(advice);
    ASSERT_NE(start, std::string::npos) << errors;
    ASSERT_NE(end, std::string::npos) << errors;
    const std::string reason = errors.substr(start + opening.size(), end - start - opening.size());
    EXPECT_FALSE(reason.empty()) << errors;
    if (!c.reason.empty()) {
      EXPECT_EQ(reason, c.reason);
    }
  }
  {
    const TestFolder settings;
    Program program(noDisplay, {"TAVLIN_HEADLESS=1", settings.Variable()});
    ASSERT_TRUE(program.Started());
    EXPECT_EQ(program.WaitForExit(3000), -1) << "ended: " << program.Errors();
    EXPECT_EQ(program.Errors().find("no display"), std::string::npos) << program.Errors();
  }
}

std::string SourceResource(const std::string& name) {
  std::ifstream in(std::string(TAVLIN_SOURCE_RESOURCES "/") + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Starts the program without a window on the given folders, expecting it to
// refuse to start: it must end with exit status 1 within 30 s, and what it
// said on stderr is returned.
std::string ErrorsOfAStartThatFails(const TestFolder& resources, const TestFolder& settings) {
  Program program({"TAVLIN_HEADLESS"},
                  {"TAVLIN_HEADLESS=1", "TAVLIN_RESOURCES_DIR=" + resources.Path(), settings.Variable()});
  EXPECT_TRUE(program.Started());
  const int status = program.WaitForExit(30000);
  EXPECT_NE(status, -1) << "still running after 30 s";
  EXPECT_EQ(status, 1) << program.Errors();
  return program.Errors();
}

// Needs no display: runs without a window.  The resource file is damaged
// or gone and there is no cached copy (a first run): the program cannot
// show anything of its own, so it says in its fatal-error box which file,
// and where, and its exit status says it failed.
TEST(Program, WithoutAUsableResourceFileItNamesTheFileAndEndsWithAFailure) {
  const std::string full = SourceResource("resources.dat");
  ASSERT_GT(full.size(), 1000u);
  struct Case {
    const char* name;
    const char* file;  // null: none
    const char* said;
  };
  const std::string half = full.substr(0, full.size() / 2);
  const Case cases[] = {
      {"cut in half", half.c_str(), "is damaged"},
      {"missing", nullptr, "is missing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TestFolder resources(TestFolder::Holding::nothing), settings(TestFolder::Holding::nothing);
    ASSERT_TRUE(resources.Ready() && settings.Ready());
    const std::string file = resources.Path() + "/resources.dat";
    if (c.file != nullptr) std::ofstream(file, std::ios::binary) << c.file;
    const std::string errors = ErrorsOfAStartThatFails(resources, settings);
    EXPECT_NE(errors.find(std::string("[message box] Kestrel Mill: The game cannot start: its resource file ") +
                          c.said + ".\n\nLooked for:\n" + file),
              std::string::npos)
        << errors;
  }
}

// Needs no display: runs without a window.  The resource file is whole, but
// an art file beside it is damaged or gone: the program says in its
// fatal-error box which file, and where, and its exit status says it
// failed, on a first start and on the next one, which finds the resource
// file's cached copy made by the first.
TEST(Program, WithoutUsableArtItNamesTheFileAndEndsWithAFailure) {
  const std::string glyphs = SourceResource("glyphs.dat");
  const std::string digits = SourceResource("titular_digits.dat");
  ASSERT_GT(glyphs.size(), 1000u);
  ASSERT_GT(digits.size(), 1000u);
  struct Case {
    const char* name;
    const char* file;
    const std::string* bytes;  // null: missing
    const char* said;
  };
  const std::string halfGlyphs = glyphs.substr(0, glyphs.size() / 2);
  const std::string halfDigits = digits.substr(0, digits.size() / 2);
  const Case cases[] = {
      {"the glyphs missing", "glyphs.dat", nullptr, "is missing"},
      {"the glyphs cut in half", "glyphs.dat", &halfGlyphs, "is damaged"},
      {"the value symbols missing", "titular_digits.dat", nullptr, "is missing"},
      {"the value symbols cut in half", "titular_digits.dat", &halfDigits, "is damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TestFolder resources(TestFolder::Holding::nothing), settings(TestFolder::Holding::nothing);
    ASSERT_TRUE(resources.Ready() && settings.Ready());
    for (const char* name : {"resources.dat", "glyphs.dat", "titular_digits.dat", "Packege3x3.dat", "Packege4x4.dat"})
      std::filesystem::copy_file(std::string(TAVLIN_SOURCE_RESOURCES "/") + name, resources.Path() + "/" + name);
    const std::string file = resources.Path() + "/" + c.file;
    std::filesystem::remove(file);
    if (c.bytes != nullptr) std::ofstream(file, std::ios::binary) << *c.bytes;
    for (const char* start : {"first start", "start with the cached resources"}) {
      SCOPED_TRACE(start);
      const std::string errors = ErrorsOfAStartThatFails(resources, settings);
      EXPECT_NE(errors.find(std::string("[message box] Kestrel Mill: The game cannot start: its art file ") + c.said +
                            ".\n\nLooked for:\n" + file + "\n\nInstall the game again to restore the file.\n"),
                std::string::npos)
          << errors;
    }
    EXPECT_TRUE(std::filesystem::exists(settings.Path() + "/cached_resources.dat"));
  }
}

}  // namespace display_test
