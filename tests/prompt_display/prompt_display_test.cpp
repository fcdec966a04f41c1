// The file prompts of both programs on a real display under a window
// manager, as the player meets them: our own path prompt (no chooser program
// on PATH) stays above the game, which hands the prompt the focus when
// clicked; its message boxes stay above it; on the handheld it fits the
// window and speaks German; a chooser program's window leaves nothing of
// itself behind, and a Save as that fails shows the game's own message only;
// a termination signal while a box or the chooser is up closes and saves.
// Without a window manager, on a display of their own, the keyboard goes
// back to the prompt after its box and to the game after the prompt.
#include "tests/display/x_tools.h"
#include "tests/support/ChildProcess.h"

#include "app/ResourceManager.h"
#include "app/Users.h"
#include "winapi/default_font.h"
#include "winapi/path_prompt.h"
#include "winapi/sdl/sdl.h"
#include "winapi/windows.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// Last: Xlib's macros (None, Status, ...) would rename parts of the above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace prompt_display_test {
namespace {

using display_test::Picture;
using display_test::Screenshot;
namespace fs = std::filesystem;

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

using test_support::ChildProcess;

// `argv` as a child process with this environment, less PATH and the
// TAVLIN_ variables, plus the "NAME=value" entries of `add`; killed, if a
// test leaves it running, with whatever it started (a chooser, a message
// box's process): left over, that would stay on the display and keep
// ctest's output open.
ChildProcess Start(const std::vector<std::string>& argv, const std::vector<std::string>& add) {
  test_support::ChildOptions options;
  options.arguments.assign(argv.begin() + 1, argv.end());
  options.errors = test_support::ChildErrors::inherited;
  options.ownGroup = true;
  return ChildProcess(argv.front(), test_support::EnvironmentWith(add, {"TAVLIN_", "PATH="}), options);
}

// A folder removed with everything in it at the end.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "tavlin-prompt-display-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// What an earlier run left: one player, in `language`, without automatic
// pencil marks, and the resources cached, so no question comes between the
// splash and the game.
bool PrepareSettings(const fs::path& folder, const std::wstring& language) {
  data_objects::users users;
  AddUser(users, L"Player 1");
  std::ofstream(folder / "users.txt", std::ios::binary) << SerializeUsers(users);
  std::ofstream(folder / "UserSettings0.xml", std::ios::binary)
      << "<root version=\"1\"><options><autoPencilMarks value=\"false\" /><language value=\""
      << std::string(language.begin(), language.end()) << "\" /></options><statistics /></root>";
  return LoadResourceStrings((folder / "cached_resources.dat").wstring(), TAVLIN_SOURCE_RESOURCES L"/resources.dat",
                             language, 480, 640);
}

// --- The X side -----------------------------------------------------------

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool Inside(const Rect& outer) const {
    return x >= outer.x && y >= outer.y && x + width <= outer.x + outer.width && y + height <= outer.y + outer.height;
  }
};

class X {
 public:
  X() : display_(XOpenDisplay(nullptr)) {}
  ~X() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  X(const X&) = delete;
  X& operator=(const X&) = delete;
  bool Open() const { return display_ != nullptr; }

  // Whether a window manager says it runs (EWMH).
  bool ManagerRuns() { return !Windows(DefaultRootWindow(display_), "_NET_SUPPORTING_WM_CHECK").empty(); }

  // The window manager's client windows, bottom first.
  std::vector<Window> Stacking() { return Windows(DefaultRootWindow(display_), "_NET_CLIENT_LIST_STACKING"); }

  Window TransientFor(Window window) {
    Window owner = 0;
    return XGetTransientForHint(display_, window, &owner) != 0 ? owner : 0;
  }

  bool HasAtom(Window window, const char* property, const char* value) {
    const std::vector<Window> atoms = Windows(window, property, XA_ATOM);
    return std::find(atoms.begin(), atoms.end(), XInternAtom(display_, value, False)) != atoms.end();
  }

  // Where the window's own area lies on the screen.
  Rect Geometry(Window window) {
    XWindowAttributes attributes{};
    int x = 0, y = 0;
    Window child = 0;
    if (XGetWindowAttributes(display_, window, &attributes) == 0 ||
        !XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child))
      return {};
    return Rect{x, y, attributes.width, attributes.height};
  }

  // The windows on the screen, bottom first: without a window manager,
  // every top-level window is a child of the root window.
  std::vector<Window> Mapped() {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<Window> mapped;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count) == 0) return mapped;
    for (unsigned i = 0; i < count; ++i) {
      XWindowAttributes attributes{};
      if (XGetWindowAttributes(display_, children[i], &attributes) != 0 && attributes.map_state == IsViewable)
        mapped.push_back(children[i]);
    }
    if (children != nullptr) XFree(children);
    return mapped;
  }

  Window Focus() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus;
  }

  std::string Name(Window window) {
    char* name = nullptr;
    std::string text;
    if (XFetchName(display_, window, &name) != 0 && name != nullptr) text = name;
    if (name != nullptr) XFree(name);
    return text;
  }

 private:
  std::vector<Window> Windows(Window window, const char* property, Atom type = XA_WINDOW) {
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Window> found;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, property, False), 0, 1024, False, type, &actual,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && format == 32) {
      const auto* values = reinterpret_cast<const unsigned long*>(data);
      found.assign(values, values + count);
    }
    if (data != nullptr) XFree(data);
    return found;
  }

  Display* display_;
};

// Whether this run is the one on a display without a window manager (the
// tests of PromptWithoutAWindowManager, on an X server of their own).
bool BareDisplayRun() {
  const char* bare = std::getenv("TAVLIN_TEST_WITHOUT_WINDOW_MANAGER");
  return bare != nullptr && std::string(bare) == "1";
}

// Openbox on this test's own X server, for the whole run.
class WindowManager : public ::testing::Environment {
 public:
  void SetUp() override {
    if (BareDisplayRun() || !winapi::sdl::IsActive() || !display_test::HaveTools() ||
        std::system("command -v openbox >/dev/null 2>&1") != 0)
      return;
    openbox_ = std::make_unique<ChildProcess>(Start({OpenboxPath(), "--sm-disable"}, {"PATH=/usr/bin:/bin"}));
    X x;
    for (int attempt = 0; attempt < 100 && x.Open() && !x.ManagerRuns(); ++attempt) Sleep(100);
    running_ = x.Open() && x.ManagerRuns();
  }
  void TearDown() override { openbox_.reset(); }
  static bool Running() { return running_; }

 private:
  static std::string OpenboxPath() {
    std::string path = display_test::Run("command -v openbox");
    while (!path.empty() && path.back() == '\n') path.pop_back();
    return path;
  }
  std::unique_ptr<ChildProcess> openbox_;
  static inline bool running_ = false;
};
[[maybe_unused]] const auto* const kWindowManager = ::testing::AddGlobalTestEnvironment(new WindowManager);

// The first window whose title matches `title`, or 0 when none comes.
Window WaitForWindow(const std::string& title, int timeoutMs = 10000) {
  for (int waited = 0; waited < timeoutMs; waited += 100) {
    std::istringstream found(display_test::Run("xdotool search --name '" + title + "' 2>/dev/null"));
    if (unsigned long window = 0; found >> window) return window;
    Sleep(100);
  }
  return 0;
}

// Asks X every 100 ms, for at most `timeoutMs`, until `found` gives a value
// that is not 0 (or false); that value, or the last one `found` gave.
template <typename Found>
auto PollX(int timeoutMs, Found found) {
  for (int waited = 0;; waited += 100) {
    X x;
    const auto value = found(x);
    if (value || waited >= timeoutMs) return value;
    Sleep(100);
  }
}

bool Holds(const std::vector<Window>& windows, Window window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

// A window the window manager took on besides those `known`: a message box,
// found through the manager, as the name SDL gives a box is not one that
// every tool reads.
Window WaitForNewWindow(const std::vector<Window>& known, int timeoutMs = 10000) {
  return PollX(timeoutMs, [&known](X& x) -> Window {
    for (const Window window : x.Stacking())
      if (!Holds(known, window)) return window;
    return 0;
  });
}

bool WaitUntilGone(Window window, int timeoutMs = 10000) {
  return PollX(timeoutMs, [window](X& x) { return !Holds(x.Stacking(), window); });
}

// A window of `width` x `height`, with points of the 480 x 640 layouts
// scaled to it.
struct Screen {
  int width;
  int height;
  int X(double x) const { return static_cast<int>(x * width / 480); }
  int Y(double y) const { return static_cast<int>(y * height / 640); }
};

// The game form: the Menu and Options tabs show the same light colour,
// which neither the splash (white) nor an empty buffer has.
bool GameShown(const Picture& p, const Screen& s) {
  if (p.width != s.width || p.height != s.height) return false;
  const std::uint32_t tab = p.At(s.X(460), s.Y(612));
  return (tab & 0x808080u) == 0x808080u && tab != 0xFFFFFFu && tab != 0xE1E1E1u && p.At(s.X(20), s.Y(612)) == tab;
}

bool WaitForGame(Window window, const Screen& s) {
  for (int attempt = 0; attempt < 300; ++attempt) {
    if (GameShown(Screenshot(window), s)) return true;
    Sleep(100);
  }
  return false;
}

// The window titled `title` of a program just started, once it shows the
// game form on `s`; 0, with the failure said, when it does not.
Window GameWindow(const ChildProcess& program, const std::string& title, const Screen& s) {
  if (!program.Started()) {
    ADD_FAILURE() << "the program did not start";
    return 0;
  }
  const Window main = WaitForWindow(title, 30000);
  if (main == 0 || !WaitForGame(main, s)) {
    ADD_FAILURE() << (main == 0 ? "no window " + title : std::string("no game form"));
    return 0;
  }
  return main;
}

std::string Id(Window window) { return std::to_string(window); }

// A real click at a point of the 480 x 640 layout in the window.
void Click(Window window, const Screen& s, double x, double y) {
  display_test::Run("xdotool mousemove --window " + Id(window) + " " + std::to_string(s.X(x)) + " " +
                    std::to_string(s.Y(y)) + " sleep 0.2 click 1 sleep 0.5 2>/dev/null");
}

// The menu's Open… or Save as… item, through the Menu tab.
void ChooseFromMenu(Window main, const Screen& s, double itemTop) {
  Click(main, s, 80, 618);
  Sleep(800);
  Click(main, s, 240, itemTop + 22);
}
constexpr double kOpenItemTop = 226;
constexpr double kSaveAsItemTop = 278;

// Keys through the window manager's active window, as typing reaches it (in
// a command of its own: chained to the activation, xdotool would send them
// to the window as synthetic events, which SDL ignores).
void Keys(Window window, const std::string& keys) {
  display_test::Run("xdotool windowactivate --sync " + Id(window) + " 2>/dev/null; sleep 0.3; xdotool " + keys +
                    " 2>/dev/null; sleep 0.3");
}

class PromptOnTheDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!winapi::sdl::IsActive() || !display_test::HaveTools())
      GTEST_SKIP() << "no display (or no xdotool and import) to run the program on";
    if (!WindowManager::Running()) GTEST_SKIP() << "openbox could not be started";
    ASSERT_FALSE(settings.Path().empty());
    ASSERT_FALSE(noChooser.Path().empty());
  }

  TemporaryFolder settings;
  TemporaryFolder noChooser;  // PATH holds this empty folder only
};

// Menu → Open… → a folder → OK on the box → a click on the game: the prompt
// stays on top and has the focus, so typing reaches it.
TEST_F(PromptOnTheDisplay, TheDesktopPromptStaysAboveTheGameAndItsBoxAboveIt) {
  ASSERT_TRUE(PrepareSettings(settings.Path(), L"en"));
  ChildProcess program =
      Start({TAVLIN_PROGRAM}, {"TAVLIN_SETTINGS_DIR=" + settings.Path().string(), "PATH=" + noChooser.Path().string()});
  const Screen screen{480, 640};
  const Window main = GameWindow(program, "^Tavlin - Kestrel Mill$", screen);
  ASSERT_NE(main, 0u);

  ChooseFromMenu(main, screen, kOpenItemTop);
  const Window prompt = WaitForWindow("^Open puzzle$");
  ASSERT_NE(prompt, 0u) << "no prompt";
  X x;
  EXPECT_EQ(x.TransientFor(prompt), main);
  EXPECT_TRUE(x.HasAtom(prompt, "_NET_WM_STATE", "_NET_WM_STATE_MODAL"));
  const Rect mainArea = x.Geometry(main);
  const Rect promptArea = x.Geometry(prompt);
  EXPECT_TRUE(promptArea.Inside(mainArea));
  EXPECT_NEAR(promptArea.x + promptArea.width / 2, mainArea.x + mainArea.width / 2, 2) << "centred on the game";

  Keys(prompt, "type --delay 30 /tmp");  // type takes every word after it
  Keys(prompt, "key Return");
  const Window box = WaitForNewWindow({main, prompt});
  ASSERT_NE(box, 0u) << "no box about the folder";
  EXPECT_EQ(x.TransientFor(box), prompt);
  Keys(box, "key Return");
  ASSERT_TRUE(WaitUntilGone(box));

  Click(main, screen, 240, 30);
  Sleep(500);
  const std::vector<Window> stacking = x.Stacking();
  const auto at = [&stacking](Window w) { return std::find(stacking.begin(), stacking.end(), w) - stacking.begin(); };
  ASSERT_LT(at(main), static_cast<long>(stacking.size()));
  ASSERT_LT(at(prompt), static_cast<long>(stacking.size()));
  EXPECT_GT(at(prompt), at(main)) << "the prompt dropped behind the game";
  EXPECT_EQ(x.Focus(), prompt) << "the prompt takes the keys after a click on the game";

  Keys(prompt, "key Escape");
  EXPECT_TRUE(WaitUntilGone(prompt));
  display_test::PressCloseBox(main);
  EXPECT_EQ(program.WaitForExit(30000), 0);
}

// The columns of the picture inside `area` that hold dark ink: the first and
// one past the last, or {0, 0}.
std::pair<int, int> InkColumns(const Picture& p, const RECT& area) {
  int first = area.right, last = area.left - 1;
  for (int y = area.top + 2; y < area.bottom - 2; ++y)
    for (int x = area.left + 2; x < area.right - 2; ++x)
      if (p.DarkIn(x, y, x + 1, y + 1) > 0) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  return first <= last ? std::pair{first, last + 1} : std::pair{0, 0};
}

// The handheld at 240 x 320 in German: Menu → Save as… brings a prompt that
// lies inside the game's window, says "Abbrechen" and takes typing.
TEST_F(PromptOnTheDisplay, TheHandheldPromptFitsItsWindowAndSpeaksItsLanguage) {
  ASSERT_TRUE(PrepareSettings(settings.Path(), L"de"));
  ChildProcess program =
      Start({TAVLIN_HANDHELD_PROGRAM}, {"TAVLIN_SETTINGS_DIR=" + settings.Path().string(),
                                        "PATH=" + noChooser.Path().string(), "TAVLIN_HANDHELD_SCREEN=240x320"});
  const Screen screen{240, 320};
  const Window main = GameWindow(program, "^Games$", screen);
  ASSERT_NE(main, 0u);

  ChooseFromMenu(main, screen, kSaveAsItemTop);
  const Window prompt = WaitForWindow("speichern unter$");
  ASSERT_NE(prompt, 0u) << "no prompt";
  X x;
  EXPECT_EQ(x.TransientFor(prompt), main);
  const Rect mainArea = x.Geometry(main);
  const Rect promptArea = x.Geometry(prompt);
  EXPECT_TRUE(promptArea.Inside(mainArea)) << promptArea.width << "x" << promptArea.height << " at "
                                           << promptArea.x - mainArea.x << "," << promptArea.y - mainArea.y;

  // The Cancel button, where the layout puts it, is as wide in ink as
  // "Abbrechen" in the game's font at this size, and wider than "Cancel".
  winapi::core::SetWantedLineHeight(TextLineHeightFor(240, 320, 480, 640));
  const HDC dc = GetDC(nullptr);
  const std::wstring title = L"R\u00e4tsel speichern unter";
  SIZE titleText{}, label{}, ok{}, cancel{}, english{};
  GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &titleText);
  GetTextExtentPoint32W(dc, L"Dateiname:", 10, &label);
  GetTextExtentPoint32W(dc, L"OK", 2, &ok);
  GetTextExtentPoint32W(dc, L"Abbrechen", 9, &cancel);
  GetTextExtentPoint32W(dc, L"Cancel", 6, &english);
  ReleaseDC(nullptr, dc);
  const winapi::PathPromptLayout layout = winapi::LayoutPathPrompt({240, 320}, titleText, label, ok, cancel);
  EXPECT_EQ(promptArea.width, layout.size.cx);
  const Picture shown = Screenshot(prompt);
  const auto [first, end] = InkColumns(shown, layout.cancel);
  EXPECT_GE(end - first, cancel.cx - 4) << "the Cancel button's text";
  EXPECT_GT(end - first, english.cx + 8) << "the Cancel button's text";
  // Its title shows inside it, above the label.
  const auto [titleFirst, titleEnd] = InkColumns(shown, layout.title);
  EXPECT_GE(titleEnd - titleFirst, titleText.cx - 4) << "the title";

  // Typing reaches it: a folder's name brings the box that refuses it.
  Keys(prompt, "type --delay 30 /tmp");
  Keys(prompt, "key Return");
  const Window box = WaitForNewWindow({main, prompt});
  ASSERT_NE(box, 0u) << "no box about the folder: the prompt took no typing";
  EXPECT_EQ(x.TransientFor(box), prompt);
  Keys(box, "key Return");
  ASSERT_TRUE(WaitUntilGone(box));

  Keys(prompt, "key Escape");
  EXPECT_TRUE(WaitUntilGone(prompt));
  display_test::PressCloseBox(main);
  EXPECT_EQ(program.WaitForExit(30000), 0);
}

// The pixels of the fake chooser's colour in the picture.
int MagentaIn(const Picture& p) {
  int count = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) count += p.At(x, y) == 0xFF00FFu ? 1 : 0;
  return count;
}

// With a chooser program that covers the screen for a moment: a Save as into
// /proc shows no box besides the game's own dialog, and when the chooser
// fails, the game under its error box is whole again.
TEST_F(PromptOnTheDisplay, AChoosersWindowLeavesNothingBehindAndAFailedSaveAsSaysSoOnce) {
  ASSERT_TRUE(PrepareSettings(settings.Path(), L"en"));
  const fs::path chooser = noChooser.Path();
  {
    std::ofstream script(chooser / "zenity");
    script << "#!/bin/sh\nexec '" << FAKE_CHOOSER << "' '" << chooser.string() << "' \"$@\"\n";
  }
  fs::permissions(chooser / "zenity", fs::perms::owner_all);
  const auto answer = [&chooser](int status, const std::string& path) {
    fs::remove(chooser / "ran");
    std::ofstream(chooser / "answer") << status << "\n" << path << "\n";
  };
  const auto waitForChooser = [&chooser] {
    for (int attempt = 0; attempt < 100 && !fs::exists(chooser / "ran"); ++attempt) Sleep(100);
    return fs::exists(chooser / "ran");
  };

  ChildProcess program =
      Start({TAVLIN_PROGRAM}, {"TAVLIN_SETTINGS_DIR=" + settings.Path().string(), "PATH=" + chooser.string()});
  const Screen screen{480, 640};
  const Window main = GameWindow(program, "^Tavlin - Kestrel Mill$", screen);
  ASSERT_NE(main, 0u);
  X x;

  answer(0, "/proc/forbidden.txt");
  ChooseFromMenu(main, screen, kSaveAsItemTop);
  ASSERT_TRUE(waitForChooser());
  Sleep(1500);
  EXPECT_EQ(x.Stacking(), std::vector<Window>{main}) << "a box besides the game's own dialog: " << [&] {
    std::string names;
    for (const Window w : x.Stacking()) names += "\"" + x.Name(w) + "\" ";
    return names;
  }();
  EXPECT_EQ(MagentaIn(Screenshot(main)), 0);
  Keys(main, "key Return");  // the game's dialog that the file could not be written
  for (const Window w : x.Stacking())
    if (w != main) Keys(w, "key Return");

  answer(3, "");
  ChooseFromMenu(main, screen, kOpenItemTop);
  ASSERT_TRUE(waitForChooser());
  const Window box = WaitForNewWindow({main});
  ASSERT_NE(box, 0u) << "no box for the chooser that failed";
  Sleep(500);
  EXPECT_EQ(MagentaIn(Screenshot(main)), 0) << "the chooser's window still shows on the game";
  Keys(box, "key Return");
  EXPECT_TRUE(WaitUntilGone(box));

  display_test::PressCloseBox(main);
  EXPECT_EQ(program.WaitForExit(30000), 0);
}

// A logout while a box or the chooser is up: SIGTERM ends the box's loop,
// or zenity, and every loop around it, and the program closes as its close
// box does, saving the options and the game, within two seconds.  The
// handheld finds zenity on its PATH and still asks with its own prompt.
TEST_F(PromptOnTheDisplay, ATerminationSignalClosesAndSavesFromABoxAndFromTheChooser) {
  const bool haveZenity = std::system("PATH=/usr/bin:/bin command -v zenity >/dev/null 2>&1") == 0;
  struct Case {
    const char* what;
    const char* program;
    const char* title;
    Screen screen;
    std::vector<std::string> extra;
    bool zenity;
  };
  const Case cases[] = {
      {"the handheld's box about a folder",
       TAVLIN_HANDHELD_PROGRAM,
       "^Games$",
       {240, 320},
       {"TAVLIN_HANDHELD_SCREEN=240x320"},
       false},
      {"the desktop's box about a folder", TAVLIN_PROGRAM, "^Tavlin - Kestrel Mill$", {480, 640}, {}, false},
      {"the desktop's zenity", TAVLIN_PROGRAM, "^Tavlin - Kestrel Mill$", {480, 640}, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.zenity && !haveZenity) {
      GTEST_SKIP() << "no zenity in /usr/bin or /bin";
    }
    const TemporaryFolder folder;
    ASSERT_TRUE(PrepareSettings(folder.Path(), L"en"));
    const auto read = [&folder](const char* name) {
      std::ifstream in(folder.Path() / name, std::ios::binary);
      std::ostringstream bytes;
      bytes << in.rdbuf();
      return bytes.str();
    };
    const std::string storedOptions = read("UserSettings0.xml");
    std::vector<std::string> environment = {
        "TAVLIN_SETTINGS_DIR=" + folder.Path().string(),
        // zenity where the system keeps it; none for the desktop's prompt.
        "PATH=" + (c.zenity || c.program == std::string(TAVLIN_HANDHELD_PROGRAM) ? std::string("/usr/bin:/bin")
                                                                                 : noChooser.Path().string()),
        // This bound is the program's own closing.
        test_support::WithoutLeakCheck()};
    environment.insert(environment.end(), c.extra.begin(), c.extra.end());
    ChildProcess program = Start({c.program}, environment);
    const Window main = GameWindow(program, c.title, c.screen);
    ASSERT_NE(main, 0u);

    ChooseFromMenu(main, c.screen, kOpenItemTop);
    const Window chooser = WaitForWindow("^Open puzzle$");
    ASSERT_NE(chooser, 0u) << "no file dialog";
    X x;
    if (c.zenity) {
      EXPECT_NE(x.TransientFor(chooser), main) << "our own prompt, not zenity";
      Sleep(1000);  // zenity's window up and drawn
    } else {
      ASSERT_EQ(x.TransientFor(chooser), main) << "zenity, not our own prompt";
      Keys(chooser, "type --delay 30 /tmp");
      Keys(chooser, "key Return");
      const Window box = WaitForNewWindow({main, chooser});
      ASSERT_NE(box, 0u) << "no box about the folder";
      EXPECT_EQ(x.TransientFor(box), chooser);
    }
    // What the shutdown writes, gone, so that only it can bring them back.
    fs::remove(folder.Path() / "current_game.xml");
    ASSERT_EQ(kill(program.Pid(), SIGTERM), 0);
    EXPECT_EQ(program.WaitForExit(2000), 0) << "not closed within 2 s";
    EXPECT_NE(read("current_game.xml").find("<cell "), std::string::npos) << "no game saved";
    EXPECT_NE(read("UserSettings0.xml"), storedOptions) << "the options were not saved";
  }
}

// Without a window manager nobody hands the keyboard on: each window of
// ours that closes must give it back to the one it was made for.
class PromptWithoutAWindowManager : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!winapi::sdl::IsActive() || !display_test::HaveTools())
      GTEST_SKIP() << "no display (or no xdotool and import) to run the program on";
    if (X x; x.ManagerRuns()) GTEST_SKIP() << "a window manager runs on this display";
    ASSERT_FALSE(settings.Path().empty());
    ASSERT_FALSE(noChooser.Path().empty());
  }

  TemporaryFolder settings;
  TemporaryFolder noChooser;  // PATH holds this empty folder only
};

// Keys as the player's keyboard sends them: to the window X gives the focus.
void Keys(const std::string& keys) { display_test::Run("xdotool " + keys + " 2>/dev/null; sleep 0.4"); }

// A window on the screen that was made for `owner`, or 0.
Window WaitForWindowOf(Window owner, int timeoutMs = 10000) {
  return PollX(timeoutMs, [owner](X& x) -> Window {
    for (const Window window : x.Mapped())
      if (x.TransientFor(window) == owner) return window;
    return 0;
  });
}

bool WaitUntilUnmapped(Window window, int timeoutMs = 10000) {
  return PollX(timeoutMs, [window](X& x) { return !Holds(x.Mapped(), window); });
}

// The game's own dialog, drawn in its window: its pale yellow-green lies
// where the menu under it is white.
bool GameDialogShown(Window main, const Screen& s) {
  const std::uint32_t rgb = Screenshot(main).At(s.X(60), s.Y(260));
  return (rgb >> 16) > 200 && ((rgb >> 8) & 0xFF) > 200 && (rgb & 0xFF) < 200;
}

// Menu → Open… → the name of a file that cannot be read → Return: the
// game's dialog that says so takes the key that presses its button.  With a
// folder's name first, and Return on the box that refuses it, the prompt
// has the keyboard again and takes the file's name after the box.
TEST_F(PromptWithoutAWindowManager, TheKeyboardGoesBackToThePromptAfterItsBoxAndToTheGameAfterThePrompt) {
  const fs::path unreadable = settings.Path() / "pipe.txt";  // no regular file: never read
  ASSERT_EQ(mkfifo(unreadable.c_str(), 0600), 0);
  struct Case {
    const char* what;
    bool folderFirst;
    const char* dialogKey;  // on the game's dialog
  };
  const Case cases[] = {{"straight to the file, Space on the dialog", false, "space"},
                        {"a folder first, Return on the dialog", true, "Return"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(PrepareSettings(settings.Path(), L"en"));
    ChildProcess program = Start(
        {TAVLIN_PROGRAM}, {"TAVLIN_SETTINGS_DIR=" + settings.Path().string(), "PATH=" + noChooser.Path().string()});
    const Screen screen{480, 640};
    const Window main = GameWindow(program, "^Tavlin - Kestrel Mill$", screen);
    ASSERT_NE(main, 0u);

    ChooseFromMenu(main, screen, kOpenItemTop);
    const Window prompt = WaitForWindowOf(main);
    ASSERT_NE(prompt, 0u) << "no prompt";
    // The keyboard follows a window's map by a few round trips to X.
    const auto focusComesTo = [](Window window) { return PollX(2000, [window](X& x) { return x.Focus() == window; }); };
    ASSERT_TRUE(focusComesTo(prompt)) << "a new window takes the keyboard";
    if (c.folderFirst) {
      Keys("type --delay 30 /tmp");
      Keys("key Return");
      const Window box = WaitForWindowOf(prompt);
      ASSERT_NE(box, 0u) << "no box about the folder";
      Keys("key Return");
      ASSERT_TRUE(WaitUntilUnmapped(box)) << "the box took no Return";
      EXPECT_TRUE(focusComesTo(prompt)) << "the keyboard went nowhere when the box closed";
      Keys("key BackSpace BackSpace BackSpace BackSpace");
    }
    Keys("type --delay 30 " + unreadable.string());
    Keys("key Return");
    ASSERT_TRUE(WaitUntilUnmapped(prompt)) << "the prompt took no typing";
    bool asked = false;
    for (int attempt = 0; attempt < 50 && !asked; ++attempt, Sleep(100)) asked = GameDialogShown(main, screen);
    ASSERT_TRUE(asked) << "no dialog about the file that cannot be read";
    EXPECT_TRUE(focusComesTo(main)) << "the keyboard went nowhere when the prompt closed";
    Keys(std::string("key ") + c.dialogKey);
    bool closed = false;
    for (int attempt = 0; attempt < 50 && !closed; ++attempt, Sleep(100)) closed = !GameDialogShown(main, screen);
    EXPECT_TRUE(closed) << "the game's dialog took no " << c.dialogKey;

    display_test::PressCloseBox(main);
    EXPECT_EQ(program.WaitForExit(30000), 0);
  }
}

}  // namespace
}  // namespace prompt_display_test
