// The handheld program on the display at a device's size: the window of
// that size shows the splash and then the game form laid out for it, a real
// click on an open cell and a digit key put the digit there, the close box
// saves it, and a second start meanwhile raises the first and ends at once.
#include "tests/display/x_tools.h"

#include "app/ResourceManager.h"
#include "app/Users.h"
#include "tests/support/ChildProcess.h"
#include "winapi/sdl/sdl.h"

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

namespace handheld_display_test {
namespace {

using display_test::Picture;
using display_test::Screenshot;
namespace fs = std::filesystem;

// A run of the program with the variables `add` besides this environment
// (none of ours from it); killed if a test leaves it running.
class Program : public test_support::ChildProcess {
 public:
  explicit Program(const std::vector<std::string>& add)
      : ChildProcess(TAVLIN_HANDHELD_PROGRAM, test_support::EnvironmentWith(add, {"TAVLIN_"})) {}
};

// A settings folder that an earlier run left: a player without automatic
// pencil marks (an open cell shows no ink) and the resources cached, so no
// language question comes between the splash and the game.
class SettingsFolder {
 public:
  SettingsFolder() {
    std::string pattern = (fs::temp_directory_path() / "tavlin-handheld-display-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    data_objects::users users;
    AddUser(users, L"Player 1");
    std::ofstream(path_ / "users.txt", std::ios::binary) << SerializeUsers(users);
    std::ofstream(path_ / "UserSettings0.xml", std::ios::binary)
        << "<root version=\"1\"><options><autoPencilMarks value=\"false\" /></options><statistics /></root>";
    cached_ = LoadResourceStrings((path_ / "cached_resources.dat").wstring(), TAVLIN_SOURCE_RESOURCES L"/resources.dat",
                                  L"en", 480, 640);
  }
  ~SettingsFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  bool Ready() const { return cached_; }
  std::string Variable() const { return "TAVLIN_SETTINGS_DIR=" + path_.string(); }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  fs::path path_;
  bool cached_ = false;
};

struct Device {
  int width;
  int height;
  std::string Variable() const {
    return "TAVLIN_HANDHELD_SCREEN=" + std::to_string(width) + "x" + std::to_string(height);
  }
  // A point of the 480 x 640 layouts on this screen.
  int X(double x) const { return static_cast<int>(x * width / 480); }
  int Y(double y) const { return static_cast<int>(y * height / 640); }
};

// The splash: white above the logo, which fills the middle, and
// "Loading..." at the bottom left.
bool SplashShown(const Picture& p, const Device& d) {
  return p.width == d.width && p.height == d.height && p.At(2, 2) == 0xFFFFFFu &&
         p.DarkIn(0, d.height / 4, d.width, d.height * 3 / 4) > d.width * d.height / 100 &&
         p.DarkIn(0, d.height - 16, d.width / 4, d.height) > 10;
}

// The game form: the Menu and Options tabs at the bottom show the same light
// colour, which neither the splash (white) nor an empty buffer has.
bool GameShown(const Picture& p, const Device& d) {
  if (p.width != d.width || p.height != d.height) return false;
  // Near the tabs' outer ends, away from their icons.
  const std::uint32_t tab = p.At(d.X(460), d.Y(612));
  return (tab & 0x808080u) == 0x808080u && tab != 0xFFFFFFu && tab != 0xE1E1E1u && p.At(d.X(20), d.Y(612)) == tab;
}

template <class Test>
Picture WaitFor(unsigned long window, const Device& d, Test shown) {
  Picture picture;
  for (int attempt = 0; attempt < 200; ++attempt) {
    picture = Screenshot(window);
    if (shown(picture, d)) return picture;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return picture;
}

// The first open cell of "current_game.xml", or 81.
int FirstOpenCell(const std::string& xml, int& solution) {
  int index = 0;
  for (std::size_t at = xml.find("<cell "); at != std::string::npos; at = xml.find("<cell ", at + 1), ++index) {
    const std::string element = xml.substr(at, xml.find("/>", at) - at);
    if (element.find("titular_value=\"false\"") == std::string::npos) continue;
    const std::size_t fixed = element.find("fixed_value=\"");
    solution = std::atoi(element.c_str() + fixed + 13);
    return index;
  }
  return 81;
}

int UserValueOf(const std::string& xml, int cell) {
  std::size_t at = xml.find("<cell ");
  for (int i = 0; i < cell && at != std::string::npos; ++i) at = xml.find("<cell ", at + 1);
  if (at == std::string::npos) return -2;
  return std::atoi(xml.c_str() + xml.find("user_value=\"", at) + 12);
}

class HandheldOnTheDisplay : public ::testing::TestWithParam<Device> {};

TEST_P(HandheldOnTheDisplay, ShowsTheSplashAndTheGameAtTheDevicesSizeAndTakesAClickAndAKey) {
  if (!winapi::sdl::IsActive() || !display_test::HaveTools()) {
    GTEST_SKIP() << "no display (or no xdotool and import) to run the program on";
  }
  const Device device = GetParam();
  const SettingsFolder settings;
  ASSERT_TRUE(settings.Ready());
  {
    Program first({settings.Variable(), device.Variable()});
    ASSERT_TRUE(first.Started());
    const unsigned long window = display_test::FindWindow("^Games$", 30000);
    ASSERT_NE(window, 0u) << "no window titled Games";
    const Picture splash = WaitFor(window, device, SplashShown);
    EXPECT_TRUE(SplashShown(splash, device)) << "the splash at " << splash.width << "x" << splash.height;
    EXPECT_TRUE(GameShown(WaitFor(window, device, GameShown), device)) << "no game form";
    display_test::PressCloseBox(window);
    ASSERT_EQ(first.WaitForExit(30000), 0) << first.Errors();
  }
  int solution = 0;
  const int open = FirstOpenCell(settings.Read("current_game.xml"), solution);
  ASSERT_LT(open, 81);

  Program program({settings.Variable(), device.Variable()});
  ASSERT_TRUE(program.Started());
  const unsigned long window = display_test::FindWindow("^Games$", 30000);
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(GameShown(WaitFor(window, device, GameShown), device)) << "no game form";

  {
    Program second({settings.Variable(), device.Variable()});
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(10000), 0) << second.Errors();
  }
  EXPECT_EQ(display_test::Run("xdotool search --name '^Games$' 2>/dev/null | wc -l"), "1\n") << "one window";

  // The grid fills layout item (16, 6), {4, 4, 476, 476} on the 480 x 640
  // layout, scaled to the device.  The first click opens the value keypad,
  // the second closes it and leaves the keys to the grid.
  const double side = 472.0 / 9;
  const std::string point = std::to_string(device.X(4 + (open % 9 + 0.5) * side)) + " " +
                            std::to_string(device.Y(4 + (open / 9 + 0.5) * side));
  display_test::Run("xdotool windowfocus " + std::to_string(window) + " sleep 0.3 mousemove --window " +
                    std::to_string(window) + " " + point + " sleep 0.2 click 1 sleep 0.6 click 1 sleep 0.6 key " +
                    std::to_string(solution + 1) + " 2>/dev/null");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  display_test::PressCloseBox(window);
  EXPECT_EQ(program.WaitForExit(30000), 0) << program.Errors();
  EXPECT_EQ(UserValueOf(settings.Read("current_game.xml"), open), solution) << "the digit entered and saved";
}

INSTANTIATE_TEST_SUITE_P(Sizes, HandheldOnTheDisplay, ::testing::Values(Device{240, 320}, Device{480, 640}),
                         [](const ::testing::TestParamInfo<Device>& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
}  // namespace handheld_display_test
