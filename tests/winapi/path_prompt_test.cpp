// Our own path prompt, run headless: typing, the keys and buttons that end
// it, the questions it asks before letting a path go, and its modality.
#include "layer_fixture.h"
#include "modal_steps.h"

#include "base/utf.h"
#include "winapi/default_font.h"
#include "winapi/device.h"
#include "winapi/path_prompt.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

using winapi::FileDialogRequest;
using winapi::FileDialogResult;
using winapi_test::Key;
using winapi_test::LayerTest;
using winapi_test::RaiseRecorder;
using winapi_test::Step;

namespace {

using Outcome = FileDialogResult::Outcome;

// Where the prompt draws its buttons and its entry, in its client area.
constexpr POINT kOkCentre{270, 92};
constexpr POINT kCancelCentre{366, 92};
constexpr int kOkLeft = 228;
constexpr int kCancelLeft = 324;
constexpr POINT kEntryPoint{200, 47};

// The prompt's window, whether its entry or a button has the keyboard.
HWND PromptWindow() {
  const HWND focus = GetFocus();
  return GetParent(focus) != nullptr ? GetParent(focus) : focus;
}

// A key as the display sends it: pressed, with its character if it types
// one, and released; Shift held around it when asked.
Step Press(int key, wchar_t character = 0, bool shift = false) {
  return [=](HWND prompt) {
    if (shift) {
      winapi::headless::InjectKey(prompt, VK_SHIFT, true);
    }
    winapi::headless::InjectKey(prompt, key, true);
    if (character != 0) {
      winapi::headless::InjectChar(prompt, character);
    }
    winapi::headless::InjectKey(prompt, key, false);
    if (shift) {
      winapi::headless::InjectKey(prompt, VK_SHIFT, false);
    }
  };
}
const Step kTab = Press(VK_TAB, L'\t');
const Step kShiftTab = Press(VK_TAB, L'\t', true);
const Step kReturn = Press(VK_RETURN, L'\r');
const Step kSpace = Press(VK_SPACE, L' ');

Step Type(std::wstring text) {
  return [text](HWND prompt) {
    for (const wchar_t c : text) {
      winapi::headless::InjectChar(prompt, c);
    }
  };
}
Step Click(POINT at) {
  return [at](HWND prompt) { winapi::headless::InjectClick(prompt, at.x, at.y); };
}

SIZE Extent(const std::wstring& text) {
  const HDC screen = GetDC(nullptr);
  SIZE size{};
  GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
  ReleaseDC(nullptr, screen);
  return size;
}

// The width of the ink (dark pixels) in a part of a picture.
int InkWidth(const winapi::Image& shot, const RECT& part) {
  int first = part.right;
  int last = part.left - 1;
  for (int y = part.top; y < part.bottom; ++y) {
    for (int x = part.left; x < part.right; ++x) {
      if ((shot.At(x, y) & 0xFF) < 0x80) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
  }
  return last - first + 1;
}

class PathPromptTest : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    folder = std::filesystem::temp_directory_path() / ("path_prompt_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    here = utf8_to_wide(folder.string()) + L"/";
  }
  void TearDown() override {
    std::filesystem::remove_all(folder);
    winapi::core::SetWantedLineHeight(winapi::core::kDefaultLineHeight);
    LayerTest::TearDown();
  }

  // Runs the prompt; the steps are played one at a time whenever its loop
  // waits, each on the prompt's window.
  FileDialogResult Run(FileDialogRequest request, std::deque<Step> steps) {
    return winapi_test::RunWithSteps(std::move(steps), &PromptWindow, "the prompt",
                                     [&] { return winapi::RunPathPrompt(request); });
  }

  std::wstring MakeFile(const std::wstring& name) {
    std::ofstream(wide_to_utf8(here + name)) << "x";
    return here + name;
  }

  std::filesystem::path folder;
  std::wstring here;  // the temporary folder, ending in '/'
};

}  // namespace

TEST_F(PathPromptTest, KeysAndButtonsEndThePrompt) {
  struct Case {
    const char* what;
    std::wstring initial;
    std::deque<Step> steps;
    Outcome outcome;
    std::wstring path;
  };
  const std::wstring a = here + L"a \"b\" \u00e9.txt";
  const Case cases[] = {
      {"the suggestion accepted", a, {Key(VK_RETURN)}, Outcome::chosen, a},
      {"typed after a folder", here, {Type(L"grid 1.txt"), Key(VK_RETURN)}, Outcome::chosen, here + L"grid 1.txt"},
      {"edited",
       here + L"ab.txt",
       {Key(VK_LEFT), Key(VK_LEFT), Key(VK_LEFT), Key(VK_LEFT), Type(L"c"), Key(VK_RETURN)},
       Outcome::chosen,
       here + L"abc.txt"},
      {"OK", L"", {Type(here + L"q.txt"), Click(kOkCentre)}, Outcome::chosen, here + L"q.txt"},
      {"Escape", a, {Type(L"x"), Key(VK_ESCAPE)}, Outcome::cancelled, L""},
      {"Cancel", a, {Click(kCancelCentre)}, Outcome::cancelled, L""},
      {"close box",
       a,
       {[](HWND prompt) { winapi::headless::Inject(prompt, WM_SYSCOMMAND, SC_CLOSE, 0); }},
       Outcome::cancelled,
       L""},
      // Return on an empty line keeps the prompt open.
      {"empty", L"", {Key(VK_RETURN), Click(kOkCentre), Key(VK_ESCAPE)}, Outcome::cancelled, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileDialogRequest request;
    request.initialPath = c.initial;
    const FileDialogResult result = Run(request, c.steps);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.path, c.path);
    EXPECT_EQ(result.error, 0u);
  }
  EXPECT_TRUE(winapi::headless::MessageBoxes().empty());
}

// Tab and Shift+Tab go round the entry, OK and Cancel; Return and Space
// press the button that has the keyboard, and in the entry Return accepts
// and Space is typed.
TEST_F(PathPromptTest, TabMovesAmongEntryOkAndCancelAndReturnOrSpacePressesTheFocusedButton) {
  struct Case {
    const char* what;
    std::deque<Step> steps;
    Outcome outcome;
    std::wstring typed;  // after the suggestion, when chosen
  };
  const Case cases[] = {
      {"Tab, Return: OK", {kTab, kReturn}, Outcome::chosen, L""},
      {"Tab, Space: OK", {kTab, kSpace}, Outcome::chosen, L""},
      {"Tab twice, Return: Cancel", {kTab, kTab, kReturn}, Outcome::cancelled, L""},
      {"Tab twice, Space: Cancel", {kTab, kTab, kSpace}, Outcome::cancelled, L""},
      {"Shift+Tab, Return: Cancel", {kShiftTab, kReturn}, Outcome::cancelled, L""},
      {"Shift+Tab twice, Space: OK", {kShiftTab, kShiftTab, kSpace}, Outcome::chosen, L""},
      {"round to the entry, which takes a space",
       {kTab, kTab, kTab, Type(L"a"), kSpace, Type(L"b"), kReturn},
       Outcome::chosen,
       L"a b"},
      {"Shift+Tab from the entry, Tab back", {kShiftTab, kTab, Type(L"c"), kReturn}, Outcome::chosen, L"c"},
      {"no typing while a button has the keyboard", {kTab, Type(L"x"), kShiftTab, kReturn}, Outcome::chosen, L""},
      {"a click into the entry takes the keyboard from Cancel",
       {kTab, kTab, Click(kEntryPoint), kReturn},
       Outcome::chosen,
       L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileDialogRequest request;
    request.initialPath = here + L"grid";
    const FileDialogResult result = Run(request, c.steps);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.path, c.outcome == Outcome::chosen ? here + L"grid" + c.typed : L"");
  }
  EXPECT_TRUE(winapi::headless::MessageBoxes().empty());
}

// The button that has the keyboard shows the focus ring inside its frame;
// with the keyboard in the entry, neither does.
TEST_F(PathPromptTest, TheButtonWithTheKeyboardShowsTheFocusRing) {
  enum class Ring { none, ok, cancel };
  const auto expect = [](Ring ring) -> Step {
    return [ring](HWND prompt) {
      const winapi::Image shot = winapi::headless::Capture(prompt);
      const auto ringed = [&shot](int left, int y) { return shot.At(left + 2, y) == 0xFFFF9B00u; };
      EXPECT_EQ(ringed(kOkLeft, kOkCentre.y), ring == Ring::ok) << "OK";
      EXPECT_EQ(ringed(kCancelLeft, kCancelCentre.y), ring == Ring::cancel) << "Cancel";
    };
  };
  FileDialogRequest request;
  request.initialPath = here;
  const FileDialogResult result =
      Run(request, {expect(Ring::none), kTab, expect(Ring::ok), kTab, expect(Ring::cancel), kTab, expect(Ring::none),
                    kShiftTab, expect(Ring::cancel), Click(kEntryPoint), expect(Ring::none), Key(VK_ESCAPE)});
  EXPECT_EQ(result.outcome, Outcome::cancelled);
}

TEST_F(PathPromptTest, AsksBeforeReplacingAndRefusesMissingFilesAndFolders) {
  const std::wstring existing = MakeFile(L"saved.txt");
  const std::wstring missing = here + L"missing.txt";
  struct Case {
    const char* what;
    bool save;
    DWORD flags;
    std::wstring initial;
    std::vector<int> answers;  // to the boxes, in order
    std::deque<Step> steps;
    Outcome outcome;
  };
  const Case cases[] = {
      {"replace: no, then yes", true, 0, existing, {IDNO, IDYES}, {Key(VK_RETURN), Key(VK_RETURN)}, Outcome::chosen},
      {"replace: no, then cancel", true, 0, existing, {IDNO}, {Key(VK_RETURN), Key(VK_ESCAPE)}, Outcome::cancelled},
      {"save a new file", true, 0, missing, {}, {Key(VK_RETURN)}, Outcome::chosen},
      {"open a missing file that must exist",
       false,
       OFN_FILEMUSTEXIST,
       missing,
       {IDOK},
       {Key(VK_RETURN), Key(VK_ESCAPE)},
       Outcome::cancelled},
      {"open a missing file", false, 0, missing, {}, {Key(VK_RETURN)}, Outcome::chosen},
      {"open an existing file", false, OFN_FILEMUSTEXIST, existing, {}, {Key(VK_RETURN)}, Outcome::chosen},
      {"a folder", true, 0, here, {IDOK}, {Key(VK_RETURN), Key(VK_ESCAPE)}, Outcome::cancelled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    winapi::headless::Reset();
    std::vector<int> answers = c.answers;
    winapi::headless::SetMessageBoxHook([&](const winapi::headless::MessageBoxRecord& box) {
      EXPECT_EQ(box.owner, PromptWindow()) << "the box belongs to the prompt";
      EXPECT_NE(box.text.find(c.initial), std::wstring::npos) << "the box names the path";
      EXPECT_FALSE(answers.empty());
      const int answer = answers.empty() ? IDCANCEL : answers.front();
      if (!answers.empty()) {
        answers.erase(answers.begin());
      }
      return answer;
    });
    FileDialogRequest request;
    request.save = c.save;
    request.flags = c.flags;
    request.title = L"Title";
    request.initialPath = c.initial;
    const FileDialogResult result = Run(request, c.steps);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.path, c.outcome == Outcome::chosen ? c.initial : L"");
    EXPECT_EQ(winapi::headless::MessageBoxes().size(), c.answers.size());
    EXPECT_TRUE(answers.empty());
    for (const auto& box : winapi::headless::MessageBoxes()) {
      EXPECT_EQ(box.caption, L"Title");
    }
  }
}

TEST_F(PathPromptTest, OtherWindowsGetNoInputAClickThereRaisesThePromptAndTheFocusComesBack) {
  RaiseRecorder shell;
  winapi::device::DeviceShell* const previousShell = winapi::device::InstallDeviceShell(&shell);
  const HWND owner = MakeWindow({100, 100, 580, 740});
  const HWND field = MakeWindow({10, 10, 100, 40}, WS_VISIBLE, owner);
  SetFocus(field);
  log.clear();
  HWND prompt = nullptr;
  RECT placed{};
  FileDialogRequest request;
  request.owner = field;
  request.title = L"Open";
  HWND promptOwner = nullptr;
  const FileDialogResult result = Run(request, {[&](HWND shown) {
                                                  prompt = shown;
                                                  promptOwner = winapi::OwnerOf(shown);
                                                  GetWindowRect(shown, &placed);
                                                  winapi::headless::InjectClick(owner, 50, 50);
                                                  winapi::headless::InjectKey(owner, 'A', true);
                                                  winapi::headless::Inject(owner, WM_SYSCOMMAND, SC_CLOSE, 0);
                                                },
                                                Key(VK_ESCAPE)});
  winapi::device::InstallDeviceShell(previousShell);
  EXPECT_EQ(result.outcome, Outcome::cancelled);
  EXPECT_EQ(promptOwner, owner) << "kept above the caller's top-level window";
  EXPECT_EQ(shell.raised, std::vector<HWND>{prompt}) << "the click on the owner, and only it";
  for (const auto& received : log) {
    EXPECT_FALSE(received.message >= WM_MOUSEFIRST && received.message <= WM_MOUSELAST) << received.message;
    EXPECT_FALSE(received.message >= WM_KEYFIRST && received.message <= WM_KEYLAST) << received.message;
    EXPECT_NE(received.message, WM_CLOSE);
  }
  ASSERT_NE(prompt, nullptr);
  EXPECT_FALSE(IsWindow(prompt));
  EXPECT_EQ(GetFocus(), field);
  EXPECT_EQ((placed.left + placed.right) / 2, 340) << "centred over the owner's top-level window";
  EXPECT_EQ((placed.top + placed.bottom) / 2, 420);
}

TEST_F(PathPromptTest, AQuitCancelsThePromptAndReachesTheCallersLoop) {
  const FileDialogResult result = Run(FileDialogRequest{}, {Type(L"half typed"), [](HWND) { PostQuitMessage(3); }});
  EXPECT_EQ(result.outcome, Outcome::cancelled);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(PathPromptTest, ThePromptShowsItsEntryAndButtons) {
  FileDialogRequest request;
  request.initialPath = L"/tmp/grid.txt";
  Run(request, {[](HWND prompt) {
                  const winapi::Image shot = winapi::headless::Capture(prompt);
                  ASSERT_EQ(shot.width, 420);
                  const auto inkIn = [&](RECT r) {
                    int dark = 0;
                    for (int y = r.top; y < r.bottom; ++y) {
                      for (int x = r.left; x < r.right; ++x) {
                        dark += (shot.At(x, y) & 0xFF) < 0x80 ? 1 : 0;
                      }
                    }
                    return dark;
                  };
                  EXPECT_GT(inkIn({240, 82, 300, 102}), 10) << "\"OK\"";
                  EXPECT_GT(inkIn({336, 82, 396, 102}), 10) << "\"Cancel\"";
                  EXPECT_GT(inkIn({14, 38, 150, 56}), 20) << "the suggested path";
                  EXPECT_EQ(inkIn({300, 38, 400, 56}), 0) << "nothing past the path";
                  EXPECT_EQ(shot.At(228, 90), 0xFF5A5A5Au) << "the OK button's frame";
                  EXPECT_EQ(shot.At(0, 60), 0xFF5A5A5Au) << "the prompt's own frame, seen without a window manager";
                },
                Key(VK_ESCAPE)});
}

// On every room from the smallest handheld screen up, at the text size the
// game has there, the prompt fits with a frame's width to spare, its parts
// lie inside it without overlapping, and each holds its whole text (the
// longest texts of the shipped languages).
TEST_F(PathPromptTest, TheLayoutFitsEveryRoomAndHoldsItsTexts) {
  struct Room {
    SIZE size;
    int lineHeight;
  };
  const Room rooms[] = {{{240, 240}, 11},   {{240, 4096}, 11}, {{4096, 240}, 16}, {{240, 320}, 11},
                        {{320, 240}, 11},   {{480, 640}, 16},  {{800, 480}, 16},  {{1920, 1080}, 27},
                        {{3840, 2160}, 54}, {{4096, 4096}, 64}};
  for (const Room& room : rooms) {
    SCOPED_TRACE(std::to_string(room.size.cx) + "x" + std::to_string(room.size.cy) + " at " +
                 std::to_string(room.lineHeight) + " px");
    winapi::core::SetWantedLineHeight(room.lineHeight);
    const SIZE title = Extent(L"R\u00e4tsel speichern unter");
    const SIZE label = Extent(L"Dateiname:");
    const SIZE ok = Extent(L"OK");
    const SIZE cancel = Extent(L"Abbrechen");
    const winapi::PathPromptLayout layout = winapi::LayoutPathPrompt(room.size, title, label, ok, cancel);
    EXPECT_LE(layout.size.cx, room.size.cx - 8);
    EXPECT_LE(layout.size.cy, room.size.cy - 8);
    const RECT client{0, 0, layout.size.cx, layout.size.cy};
    const std::pair<RECT, SIZE> parts[] = {{layout.title, title},
                                           {layout.label, label},
                                           {layout.entry, {0, label.cy}},
                                           {layout.ok, ok},
                                           {layout.cancel, cancel}};
    for (std::size_t i = 0; i < std::size(parts); ++i) {
      const auto& [part, text] = parts[i];
      EXPECT_TRUE(part.left >= client.left && part.top >= client.top && part.right <= client.right &&
                  part.bottom <= client.bottom)
          << part.left << "," << part.top << "," << part.right << "," << part.bottom;
      EXPECT_GE(part.bottom - part.top, text.cy);
      EXPECT_GE(part.right - part.left, text.cx);
    }
    for (std::size_t a = 0; a < std::size(parts); ++a) {
      for (std::size_t b = a + 1; b < std::size(parts); ++b) {
        const RECT& p = parts[a].first;
        const RECT& q = parts[b].first;
        const bool overlap = p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
        EXPECT_FALSE(overlap) << "parts " << a << " and " << b;
      }
    }
  }
  // The desktop's room keeps the prompt as it was, a line taller for its
  // title, and one without a title exactly as it was.
  winapi::core::SetWantedLineHeight(winapi::core::kDefaultLineHeight);
  const SIZE label = Extent(L"Dateiname:");
  const SIZE ok = Extent(L"OK");
  const SIZE cancel = Extent(L"Abbrechen");
  const winapi::PathPromptLayout desktop =
      winapi::LayoutPathPrompt({480, 640}, Extent(L"Open puzzle"), label, ok, cancel);
  EXPECT_EQ(desktop.size.cx, 420);
  EXPECT_EQ(desktop.size.cy, 118 + 22);
  const winapi::PathPromptLayout untitled = winapi::LayoutPathPrompt({480, 640}, SIZE{0, 0}, label, ok, cancel);
  EXPECT_EQ(untitled.size.cy, 118);
  EXPECT_EQ(untitled.title.bottom - untitled.title.top, 0);
}

// Full screen on a large monitor the game's text is large: the prompt grows
// with it, its buttons keep their look around their texts, and it shows its
// title, on the desktop too.  Its parts keep the proportions they have at
// the desktop's text size.
TEST_F(PathPromptTest, GrowsWithTheGamesTextAndShowsItsTitle) {
  struct Screen {
    SIZE size;
    int lineHeight;
  };
  for (const Screen screen : {Screen{{480, 640}, 16}, Screen{{1920, 1080}, 27}, Screen{{3840, 2160}, 54}}) {
    SCOPED_TRACE(std::to_string(screen.size.cx) + "x" + std::to_string(screen.size.cy));
    winapi::headless::Reset();
    winapi::headless::SetScreenSize(screen.size.cx, screen.size.cy);
    winapi::core::SetWantedLineHeight(screen.lineHeight);
    const double scale = screen.lineHeight / 16.0;
    const HWND owner = MakeWindow({0, 0, screen.size.cx, screen.size.cy});
    FileDialogRequest request;
    request.owner = owner;
    request.title = L"Save puzzle as";
    request.initialPath = L"/tmp/grid.txt";
    const winapi::PathPromptLayout layout = winapi::LayoutPathPrompt(
        screen.size, Extent(request.title), Extent(L"File name:"), Extent(L"OK"), Extent(L"Cancel"));
    EXPECT_NEAR(layout.size.cx, 420 * scale, 1);
    EXPECT_NEAR(layout.ok.bottom - layout.ok.top, 28 * scale, 1);
    EXPECT_NEAR(layout.cancel.right - layout.cancel.left, 84 * scale, 1);
    EXPECT_NEAR(layout.label.left, 12 * scale, 1);
    Run(request, {[&](HWND prompt) {
                    const winapi::Image shot = winapi::headless::Capture(prompt);
                    ASSERT_EQ(shot.width, layout.size.cx);
                    ASSERT_EQ(shot.height, layout.size.cy);
                    // The ink is narrower than the extent by the glyphs' side bearings.
                    EXPECT_NEAR(InkWidth(shot, layout.title), Extent(request.title).cx, 4 * scale) << "the title";
                    EXPECT_NEAR(InkWidth(shot, layout.label), Extent(L"File name:").cx, 4 * scale) << "the label";
                  },
                  Key(VK_ESCAPE)});
  }
}

// The texts a program sets are the ones the prompt and its boxes show.
TEST_F(PathPromptTest, SaysWhatTheProgramSetsInItsLanguage) {
  winapi::PathPromptTexts german;
  german.label = L"Dateiname:";
  german.cancel = L"Abbrechen";
  german.isFolder = L"ist ein Ordner.";
  german.exists = L"gibt es schon.";
  german.replace = L"Ersetzen?";
  german.notFound = L"fehlt.";
  winapi::SetPathPromptTexts(german);
  const std::wstring existing = MakeFile(L"da.txt");
  const struct {
    bool save;
    std::wstring path;
    std::wstring said;
  } cases[] = {
      {true, here, L"\"" + here + L"\" ist ein Ordner."},
      {true, existing, L"\"" + existing + L"\" gibt es schon.\nErsetzen?"},
      {false, here + L"nicht.txt", L"\"" + here + L"nicht.txt\" fehlt."},
  };
  for (const auto& c : cases) {
    winapi::headless::Reset();
    winapi::headless::SetMessageBoxHook([](const auto&) { return IDNO; });
    FileDialogRequest request;
    request.save = c.save;
    request.flags = OFN_FILEMUSTEXIST;
    request.initialPath = c.path;
    Run(request, {Key(VK_RETURN), Key(VK_ESCAPE)});
    ASSERT_EQ(winapi::headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(winapi::headless::MessageBoxes()[0].text, c.said);
  }
  winapi::SetPathPromptTexts({});
}

TEST(ResolveTypedPath, HomeRelativeAndAbsolutePaths) {
  struct Case {
    const wchar_t* typed;
    const wchar_t* folder;
    const wchar_t* path;
  };
  const Case cases[] = {
      {L"/tmp/a.txt", L"/work", L"/tmp/a.txt"},
      {L"a.txt", L"/work", L"/work/a.txt"},
      {L"a.txt", L"/", L"/a.txt"},
      {L"~", L"/work", L"/home/ann"},
      {L"~/g 1.txt", L"/work", L"/home/ann/g 1.txt"},
      {L"~bob/x", L"/work", L"/work/~bob/x"},
      {L"", L"/work", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(winapi::ResolveTypedPath(c.typed, L"/home/ann", c.folder), c.path) << c.typed;
  }
}
