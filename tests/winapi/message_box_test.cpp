// Our own message box, run headless: the keys, buttons and close box that
// answer it, a quit that ends it and reaches the caller's loop, its
// modality, what it shows, and a layout that fits every screen from the
// smallest handheld up and shows the whole text.
#include "layer_fixture.h"
#include "modal_steps.h"

#include "winapi/close_signals.h"
#include "winapi/default_font.h"
#include "winapi/device.h"
#include "winapi/message_box.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

using winapi_test::Key;
using winapi_test::LayerTest;
using winapi_test::RaiseRecorder;
using winapi_test::Step;

namespace {

int TextWidth(const std::wstring& text) {
  const HDC screen = GetDC(nullptr);
  SIZE size{};
  GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
  ReleaseDC(nullptr, screen);
  return size.cx;
}

int LineHeight() {
  const HDC screen = GetDC(nullptr);
  SIZE size{};
  GetTextExtentPoint32W(screen, L"X", 1, &size);
  ReleaseDC(nullptr, screen);
  return size.cy;
}

// The centre of a part of the box.
POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class MessageBoxTest : public LayerTest {
 protected:
  void TearDown() override {
    winapi::SetMessageBoxTexts({});
    winapi::core::SetWantedLineHeight(winapi::core::kDefaultLineHeight);
    LayerTest::TearDown();
  }

  // Runs the box; the steps are played one at a time whenever its loop
  // waits, each on the focused window.
  std::optional<int> Run(HWND owner, const std::wstring& text, UINT type, std::deque<Step> steps) {
    return winapi_test::RunWithSteps(std::move(steps), &GetFocus, "the box",
                                     [&] { return winapi::RunMessageBox(owner, text, L"Title", type); });
  }

  // The layout the box takes on the headless screen.
  static winapi::MessageBoxLayout LayoutFor(const std::wstring& text, UINT type, SIZE room) {
    return winapi::LayoutMessageBox(room, SIZE{1024, 768}, text, LabelsOf(type), &TextWidth, LineHeight());
  }

  // The buttons' texts of a box of `type`, as the layer starts with them.
  static std::vector<std::wstring> LabelsOf(UINT type) {
    std::vector<std::wstring> labels;
    const winapi::MessageBoxTexts texts;
    for (const int id : winapi::MessageBoxButtons(type)) {
      labels.push_back(id == IDOK ? texts.ok : id == IDCANCEL ? texts.cancel : id == IDYES ? texts.yes : texts.no);
    }
    return labels;
  }
};

}  // namespace

TEST_F(MessageBoxTest, KeysButtonsAndTheCloseBoxAnswerAsAWin32BoxDoes) {
  const auto click = [](UINT type, std::size_t button) {
    return [type, button](HWND box) {
      const RECT part = LayoutFor(L"Text", type, SIZE{1024, 768}).buttons[button];
      const POINT at = Centre(part);
      winapi::headless::InjectClick(box, at.x, at.y);
    };
  };
  const Step closeBox = [](HWND box) { winapi::headless::Inject(box, WM_SYSCOMMAND, SC_CLOSE, 0); };
  struct Case {
    const char* what;
    UINT type;
    std::deque<Step> steps;
    int answer;
  };
  const Case cases[] = {
      {"OK: Return", MB_OK | MB_ICONERROR, {Key(VK_RETURN)}, IDOK},
      {"OK: Escape", MB_OK, {Key(VK_ESCAPE)}, IDOK},
      {"OK: close box", MB_OK, {closeBox}, IDOK},
      {"OK/Cancel: Escape", MB_OKCANCEL, {Key(VK_ESCAPE)}, IDCANCEL},
      {"OK/Cancel: close box", MB_OKCANCEL, {closeBox}, IDCANCEL},
      {"OK/Cancel: Tab, Return", MB_OKCANCEL, {Key(VK_TAB), Key(VK_RETURN)}, IDCANCEL},
      {"Yes/No: Return", MB_YESNO | MB_ICONEXCLAMATION, {Key(VK_RETURN)}, IDYES},
      {"Yes/No: Escape", MB_YESNO, {Key(VK_ESCAPE)}, IDNO},
      {"Yes/No: close box", MB_YESNO, {closeBox}, IDNO},
      {"Yes/No: Right, Space", MB_YESNO, {Key(VK_RIGHT), Key(VK_SPACE)}, IDNO},
      {"Yes/No: click No", MB_YESNO, {click(MB_YESNO, 1)}, IDNO},
      {"Yes/No/Cancel: Escape", MB_YESNOCANCEL, {Key(VK_ESCAPE)}, IDCANCEL},
      {"Yes/No/Cancel: Left wraps to Cancel", MB_YESNOCANCEL, {Key(VK_LEFT), Key(VK_RETURN)}, IDCANCEL},
      {"Yes/No/Cancel: click No", MB_YESNOCANCEL, {click(MB_YESNOCANCEL, 1)}, IDNO},
      {"Yes/No/Cancel: a click beside the buttons, then Yes",
       MB_YESNOCANCEL,
       {[](HWND box) { winapi::headless::InjectClick(box, 2, 2); }, click(MB_YESNOCANCEL, 0)},
       IDYES},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Run(nullptr, L"Text", c.type, c.steps), c.answer);
  }
  EXPECT_TRUE(winapi::headless::MessageBoxes().empty()) << "the box is ours, not the backend's";
}

// The button that Return and Space press shows the focus ring inside its
// frame, the others none; the ring moves with the focus.
TEST_F(MessageBoxTest, TheFocusedButtonShowsTheFocusRing) {
  const UINT type = MB_YESNOCANCEL;
  const std::vector<RECT> buttons = LayoutFor(L"Text", type, SIZE{1024, 768}).buttons;
  const auto expect = [&buttons](std::size_t focused) -> Step {
    return [&buttons, focused](HWND box) {
      const winapi::Image shot = winapi::headless::Capture(box);
      for (std::size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(shot.At(buttons[i].left + 2, Centre(buttons[i]).y) == 0xFFFF9B00u, i == focused) << "button " << i;
      }
    };
  };
  EXPECT_EQ(Run(nullptr, L"Text", type,
                {expect(0), Key(VK_TAB), expect(1), Key(VK_LEFT), Key(VK_LEFT), expect(2), Key(VK_ESCAPE)}),
            IDCANCEL);
}

// A termination request ends every loop: the box's, with the answer of its
// close box, and the caller's after it.
TEST_F(MessageBoxTest, AQuitOrATerminationRequestEndsTheBoxAndReachesTheCallersLoop) {
  EXPECT_EQ(Run(nullptr, L"Replace?", MB_YESNO, {[](HWND) { PostQuitMessage(3); }}), IDNO);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "ended one loop only";

  EXPECT_EQ(Run(nullptr, L"Saved?", MB_OKCANCEL, {[](HWND) { winapi::EndEveryMessageLoop(0); }}), IDCANCEL);
  for (int outerLoop = 0; outerLoop < 2; ++outerLoop) {
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0) << "every loop around the box ends too";
  }
}

// The owner's input is dropped while the box is up, a click there raises
// the box, and the focus comes back afterwards.
TEST_F(MessageBoxTest, IsModalOwnedAndCentredOnItsOwnersWindow) {
  RaiseRecorder shell;
  winapi::device::DeviceShell* const previousShell = winapi::device::InstallDeviceShell(&shell);
  const HWND owner = MakeWindow({100, 100, 580, 740});
  const HWND field = MakeWindow({10, 10, 100, 40}, WS_VISIBLE, owner);
  SetFocus(field);
  log.clear();
  HWND box = nullptr;
  HWND boxOwner = nullptr;
  RECT placed{};
  const std::optional<int> answer = Run(field, L"Text", MB_OKCANCEL,
                                        {[&](HWND shown) {
                                           box = shown;
                                           boxOwner = winapi::OwnerOf(shown);
                                           GetWindowRect(shown, &placed);
                                           winapi::headless::InjectClick(owner, 50, 50);
                                           winapi::headless::InjectKey(owner, 'A', true);
                                           winapi::headless::Inject(owner, WM_SYSCOMMAND, SC_CLOSE, 0);
                                         },
                                         Key(VK_RETURN)});
  winapi::device::InstallDeviceShell(previousShell);
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(boxOwner, owner);
  EXPECT_EQ(shell.raised, std::vector<HWND>{box});
  for (const auto& received : log) {
    EXPECT_FALSE(received.message >= WM_MOUSEFIRST && received.message <= WM_MOUSELAST) << received.message;
    EXPECT_FALSE(received.message >= WM_KEYFIRST && received.message <= WM_KEYLAST) << received.message;
    EXPECT_NE(received.message, WM_CLOSE);
  }
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(GetFocus(), field);
  EXPECT_EQ((placed.left + placed.right) / 2, 340);
  EXPECT_EQ((placed.top + placed.bottom) / 2, 420);
}

// What the box shows: each line of its text, and the buttons' texts the
// program set.
TEST_F(MessageBoxTest, ShowsItsTextAndTheButtonTextsTheProgramSet) {
  winapi::MessageBoxTexts german;
  german.yes = L"Ja";
  german.no = L"Nein";
  german.cancel = L"Abbrechen";
  winapi::SetMessageBoxTexts(german);
  const std::wstring text = L"\"/home/ann/puzzles\" ist ein Ordner. Geben Sie den Namen einer Datei ein.";
  Run(nullptr, text, MB_YESNOCANCEL,
      {[&](HWND box) {
         const winapi::Image shot = winapi::headless::Capture(box);
         RECT client{};
         GetClientRect(box, &client);
         const winapi::MessageBoxLayout layout = winapi::LayoutMessageBox(
             SIZE{1024, 768}, SIZE{1024, 768}, text, {L"Ja", L"Nein", L"Abbrechen"}, &TextWidth, LineHeight());
         ASSERT_EQ(shot.width, layout.size.cx);
         ASSERT_EQ(shot.height, layout.size.cy);
         EXPECT_EQ(shot.At(shot.width - 1, shot.height / 2), 0xFF5A5A5Au) << "the box's frame";
         // The ink's columns in a rectangle: the text's dark grey, not the
         // focus ring's colour.
         const auto inkSpan = [&](const RECT& r) {
           int first = r.right, last = r.left - 1;
           for (int y = r.top + 2; y < r.bottom - 2; ++y) {
             for (int x = r.left + 2; x < r.right - 2; ++x) {
               if ((shot.At(x, y) & 0x808080u) == 0) {
                 first = std::min(first, x);
                 last = std::max(last, x);
               }
             }
           }
           return last - first + 1;
         };
         ASSERT_GE(layout.lines.size(), 2u);
         int top = layout.text.top;
         for (const std::wstring& line : layout.lines) {
           const RECT area{layout.text.left - 2, top, layout.text.right + 2, top + layout.lineHeight};
           EXPECT_NEAR(inkSpan(area), TextWidth(line), 4);
           top += layout.lineHeight;
         }
         const wchar_t* labels[] = {L"Ja", L"Nein", L"Abbrechen"};
         for (std::size_t i = 0; i < 3; ++i) {
           EXPECT_NEAR(inkSpan(layout.buttons[i]), TextWidth(labels[i]), 4) << "button " << i;
         }
       },
       Key(VK_ESCAPE)});
}

TEST(WrapMessageText, BreaksBetweenWordsAndInsideAWordOnlyWhereItMust) {
  // Ten pixels a character, twenty characters to a line.
  const winapi::TextWidth measure = [](const std::wstring& line) { return static_cast<int>(line.size()) * 10; };
  struct Case {
    const wchar_t* text;
    std::vector<std::wstring> lines;
  };
  const Case cases[] = {
      {L"short", {L"short"}},
      {L"", {L""}},
      {L"one two three four five six", {L"one two three four", L"five six"}},
      {L"exactly twenty chars", {L"exactly twenty chars"}},
      {L"a   spaced    text", {L"a spaced text"}},
      {L"first\nsecond\r\nthird\rfourth", {L"first", L"second", L"third", L"fourth"}},
      {L"para\n\nafter a blank line", {L"para", L"", L"after a blank line"}},
      {L"\"/home/ann/a/very/long/folder/name\" is a folder.",
       {L"\"/home/ann/a/very/lo", L"ng/folder/name\" is a", L"folder."}},
      {L"x abcdefghijklmnopqrstuvwxyz", {L"x", L"abcdefghijklmnopqrst", L"uvwxyz"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(winapi::WrapMessageText(c.text, 200, measure), c.lines) << std::wstring(c.text).size();
  }
  // Narrower than a character: one to a line, and no empty line after them.
  EXPECT_EQ(winapi::WrapMessageText(L"abc", 5, measure), (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

// On every room from the smallest handheld screen up to full screen on a
// large monitor, at the game's text size there, the box fits (the screen's
// height at most), its parts lie inside it without overlapping,
// every line fits the text's width, the lines hold the whole text, and each
// button holds its text.
TEST_F(MessageBoxTest, TheLayoutFitsEveryRoomAndShowsTheWholeText) {
  const std::wstring folder =
      L"\"/home/ann/Documents/Sudoku/Meine selbstgebauten Rätsel/ein sehr langer Ordnername ohne Ende\" ist ein "
      L"Ordner. Geben Sie den Namen einer Datei ein.";
  const std::wstring oneWord = L"\"/home/ann/" + std::wstring(120, L'x') + L".txt\" was not found.";
  const std::wstring lines = L"Tavlin could not save its files in /home/ann/.local/share/tavlin/.\nFirst\n\nLast";
  // Each room at the game's text size there.
  const std::pair<SIZE, int> rooms[] = {{{240, 240}, 11},  {{240, 320}, 11},   {{320, 240}, 11},  {{480, 640}, 16},
                                        {{1024, 768}, 16}, {{1920, 1080}, 27}, {{3840, 2160}, 54}};
  for (const auto& [room, lineHeight] : rooms) {
    winapi::core::SetWantedLineHeight(lineHeight);
    for (const std::wstring& text : {folder, oneWord, lines}) {
      for (const UINT type : {MB_OK, MB_YESNO, MB_YESNOCANCEL}) {
        SCOPED_TRACE(std::to_string(room.cx) + "x" + std::to_string(room.cy) + " type " + std::to_string(type) +
                     " text of " + std::to_string(text.size()));
        const winapi::MessageBoxLayout layout = LayoutFor(text, type, room);
        EXPECT_LE(layout.size.cx, room.cx - 8);
        EXPECT_LE(layout.size.cy, std::max<LONG>(room.cy, 768) - 8);
        const RECT client{0, 0, layout.size.cx, layout.size.cy};
        std::vector<RECT> parts = layout.buttons;
        parts.push_back(layout.text);
        for (std::size_t a = 0; a < parts.size(); ++a) {
          const RECT& p = parts[a];
          EXPECT_TRUE(p.left >= client.left && p.top >= client.top && p.right <= client.right &&
                      p.bottom <= client.bottom)
              << "part " << a;
          for (std::size_t b = a + 1; b < parts.size(); ++b) {
            const RECT& q = parts[b];
            EXPECT_FALSE(p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom)
                << "parts " << a << " and " << b;
          }
        }
        EXPECT_EQ(layout.text.bottom - layout.text.top, static_cast<LONG>(layout.lines.size()) * layout.lineHeight);
        std::wstring shown;
        for (const std::wstring& line : layout.lines) {
          EXPECT_LE(TextWidth(line), layout.text.right - layout.text.left) << std::string(line.begin(), line.end());
          shown += line;
        }
        std::wstring whole;
        for (const wchar_t c : text) {
          if (c != L' ' && c != L'\n') whole += c;
        }
        std::erase(shown, L' ');
        EXPECT_EQ(shown, whole) << "the whole text, in order";
        const std::vector<std::wstring> labels = LabelsOf(type);
        ASSERT_EQ(layout.buttons.size(), labels.size());
        for (std::size_t i = 0; i < labels.size(); ++i) {
          EXPECT_GE(layout.buttons[i].right - layout.buttons[i].left, TextWidth(labels[i]));
          EXPECT_GE(layout.buttons[i].bottom - layout.buttons[i].top, LineHeight());
        }
      }
    }
  }
  // The desktop's room keeps a box of the usual width.
  winapi::core::SetWantedLineHeight(winapi::core::kDefaultLineHeight);
  EXPECT_EQ(LayoutFor(folder, MB_OK, {480, 640}).size.cx, 420);
}

// A text the screen cannot hold is cut after the lines that fit; the mark
// that says so fits the text's width too, so it is drawn, also where the
// last line kept is full (a long path broken inside its name).
TEST_F(MessageBoxTest, ACutTextEndsInAMarkThatShows) {
  const std::wstring path = L"\"/home/ann/" + std::wstring(6000, L'x') + L".txt\"";
  struct Case {
    SIZE room;
    SIZE screen;
    int lineHeight;
    std::wstring text;
  };
  const Case cases[] = {
      {{240, 320}, {240, 320}, 11, path + L" ist ein Ordner. Geben Sie den Namen einer Datei ein."},
      {{480, 640}, {1024, 768}, 16, path + L" was not found."},
      {{1920, 1080}, {1920, 1080}, 27, path + L" ist ein Ordner. Geben Sie den Namen einer Datei ein."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.room.cx) + "x" + std::to_string(c.room.cy));
    winapi::core::SetWantedLineHeight(c.lineHeight);
    const winapi::MessageBoxLayout layout =
        winapi::LayoutMessageBox(c.room, c.screen, c.text, {L"OK"}, &TextWidth, LineHeight());
    ASSERT_FALSE(layout.lines.empty());
    EXPECT_LE(layout.size.cy, std::max(c.room.cy, c.screen.cy) - 8);
    std::wstring shown;
    for (const std::wstring& line : layout.lines) {
      EXPECT_LE(TextWidth(line), layout.text.right - layout.text.left);
      shown += line;
    }
    ASSERT_TRUE(shown.ends_with(L"\u2026"));
    shown.pop_back();
    EXPECT_GT(shown.size(), 100u);
    EXPECT_TRUE(c.text.starts_with(shown)) << "the text's start, in order";
  }
}

// Full screen on a large monitor the game's text is large: the box's
// buttons, margins and width grow with it, in the proportions they have at
// the desktop's text size, so a button's text keeps room around it.
TEST_F(MessageBoxTest, GrowsWithTheGamesText) {
  winapi::MessageBoxTexts german;
  german.yes = L"Ja";
  german.no = L"Nein";
  winapi::SetMessageBoxTexts(german);
  const std::wstring text = L"\"/home/ann/r.txt\" gibt es schon.\nM\u00f6chten Sie die Datei ersetzen?";
  for (const auto& [screen, lineHeight] :
       {std::pair{SIZE{480, 640}, 16}, std::pair{SIZE{1920, 1080}, 27}, std::pair{SIZE{3840, 2160}, 54}}) {
    SCOPED_TRACE(std::to_string(screen.cx) + "x" + std::to_string(screen.cy));
    winapi::headless::Reset();
    winapi::headless::SetScreenSize(screen.cx, screen.cy);
    winapi::core::SetWantedLineHeight(lineHeight);
    const double scale = lineHeight / 16.0;
    const winapi::MessageBoxLayout layout =
        winapi::LayoutMessageBox(screen, screen, text, {L"Ja", L"Nein"}, &TextWidth, LineHeight());
    EXPECT_NEAR(layout.size.cx, 420 * scale, 1);
    EXPECT_NEAR(layout.text.left, 12 * scale, 1);
    ASSERT_EQ(layout.buttons.size(), 2u);
    for (const RECT& button : layout.buttons) {
      EXPECT_NEAR(button.bottom - button.top, 28 * scale, 1);
      EXPECT_NEAR(button.right - button.left, 84 * scale, 1);
    }
    // The box the player sees is that one.
    const HWND owner = MakeWindow({0, 0, screen.cx, screen.cy});
    RECT placed{};
    Run(owner, text, MB_YESNO, {[&placed](HWND box) { GetWindowRect(box, &placed); }, Key(VK_ESCAPE)});
    EXPECT_EQ(placed.right - placed.left, layout.size.cx);
    EXPECT_EQ(placed.bottom - placed.top, layout.size.cy);
  }
}
