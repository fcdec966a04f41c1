// The layer's EDIT control on the headless backend: typing and editing keys,
// its text messages, its pixels, the caret, clicks and horizontal scrolling.
#include "dib.h"
#include "layer_fixture.h"

#include "winapi/edit_line.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using winapi_test::Dib;
using winapi_test::LayerTest;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageW(&msg);
  }
}

std::wstring TextOf(HWND hwnd) {
  wchar_t buffer[256] = {};
  const int copied = GetWindowTextW(hwnd, buffer, 256);
  EXPECT_EQ(copied, GetWindowTextLengthW(hwnd));
  return std::wstring(buffer, static_cast<std::size_t>(copied));
}

// Plays a script at the keyboard of `main`: characters are typed, and
// <L> <R> <H>ome <E>nd <D>elete <B>ackspace are keys.  Backspace arrives as
// the character 8, as a real keyboard's text input delivers it.
void Play(HWND main, const std::wstring& script) {
  for (std::size_t i = 0; i < script.size(); ++i) {
    if (script[i] == L'<' && i + 2 < script.size() && script[i + 2] == L'>') {
      const wchar_t name = script[i + 1];
      i += 2;
      if (name == L'B') {
        winapi::headless::InjectChar(main, L'\b');
        continue;
      }
      const int key = name == L'L'   ? VK_LEFT
                      : name == L'R' ? VK_RIGHT
                      : name == L'H' ? VK_HOME
                      : name == L'E' ? VK_END
                                     : VK_DELETE;
      winapi::headless::InjectKey(main, key, true);
      winapi::headless::InjectKey(main, key, false);
    } else {
      winapi::headless::InjectChar(main, script[i]);
    }
  }
  Drain();
}

class EditTest : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    main = MakeWindow({0, 0, 300, 100});
    edit = MakeEdit({10, 20, 130, 44});
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
  }

  HWND MakeEdit(RECT r) {
    return CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left, r.bottom - r.top,
                           main, nullptr, nullptr, nullptr);
  }

  // What the control shows, read through its DC as the paint pass does.
  std::unique_ptr<Dib> Pixels(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    auto dib = std::make_unique<Dib>(client.right, client.bottom, 0);
    const HDC dc = GetDC(control);
    EXPECT_TRUE(BitBlt(dib->Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY));
    ReleaseDC(control, dc);
    return dib;
  }

  // Columns of the picture that are black from `top` for `height` rows: the
  // caret (no glyph of 'o' has such a column).
  static std::vector<int> CaretColumns(Dib& dib) {
    std::vector<int> columns;
    for (int x = 0; x < dib.Width(); ++x) {
      int run = 0;
      for (int y = 0; y < dib.Height(); ++y) {
        run = dib.At(x, y) == kBlack ? run + 1 : 0;
        if (run >= 12) {
          columns.push_back(x);
          break;
        }
      }
    }
    return columns;
  }

  HWND main = nullptr;
  HWND edit = nullptr;
  std::vector<std::unique_ptr<Dib>> keep;  // pictures taken during a test
};

struct Script {
  const wchar_t* start;  // text set before the script
  const wchar_t* keys;
  const wchar_t* expected;
};

}  // namespace

TEST_F(EditTest, TypingAndEditingKeys) {
  const Script scripts[] = {
      {L"", L"abc", L"abc"},
      {L"", L"abc<B>", L"ab"},
      {L"", L"abc<L><L><B>", L"bc"},
      {L"", L"abc<H>x", L"xabc"},
      {L"", L"abc<H><D>", L"bc"},
      {L"", L"abc<L><L><E>x", L"abcx"},
      {L"", L"ab<R><R>x", L"abx"},    // Right stops at the end
      {L"", L"<B><D><L><H>a", L"a"},  // nothing to do on an empty line
      {L"",
       L"a\t\r\x1b\x7f"
       L"b",
       L"ab"},  // control characters are not text
      {L"", L"\u00e9\u4e2d\U0001F600", L"\u00e9\u4e2d\U0001F600"},
      // Characters beyond the BMP that arrive as two UTF-16 halves, as
      // WM_CHAR carries them, are one character; a lone half is none.
      {L"", L"x\xD83D\xDE00y", L"x\U0001F600y"},
      {L"", L"x\xD83D\xDE00<B>", L"x"},
      {L"",
       L"a\xDE00"
       L"b\xD83D"
       L"c",
       L"abc"},
      {L"", L"\xD83D\xD83D\xDE00", L"\U0001F600"},
      {L"",
       L"\xD83D<L>\xDE00"
       L"z",
       L"z"},
      {L"Player 1", L"<B>2", L"Player 2"},  // the caret starts after set text
      {L"Player", L"<H><D><D>", L"ayer"},
  };
  for (const Script& s : scripts) {
    SetWindowTextW(edit, s.start);
    Play(main, s.keys);
    EXPECT_EQ(TextOf(edit), s.expected) << "start \"" << s.start << "\", keys \"" << s.keys << "\"";
  }
}

TEST_F(EditTest, TextMessagesRoundTripAndAnEmptyControlHasNoText) {
  EXPECT_EQ(GetWindowTextLengthW(edit), 0);
  wchar_t buffer[8] = {L'x', L'x'};
  EXPECT_EQ(GetWindowTextW(edit, buffer, 8), 0);
  EXPECT_EQ(buffer[0], 0);

  EXPECT_TRUE(SetWindowTextW(edit, L"Kestrel Mill"));
  EXPECT_EQ(TextOf(edit), L"Kestrel Mill");
  EXPECT_EQ(GetWindowTextW(edit, buffer, 8), 7);  // cut to the buffer, terminated
  EXPECT_EQ(std::wstring(buffer), L"Kestrel");
  EXPECT_TRUE(SetWindowTextW(edit, nullptr));
  EXPECT_EQ(TextOf(edit), L"");
}

TEST_F(EditTest, WhiteWithBlackTextAndACaretOnlyWhileFocused) {
  SetFocus(main);
  Dib& blank = *keep.emplace_back(Pixels(edit));
  EXPECT_EQ(blank.Ink(kWhite).right, 0) << "an empty control without the focus is all white";

  SetFocus(edit);
  Dib& focused = *keep.emplace_back(Pixels(edit));
  const std::vector<int> caret = CaretColumns(focused);
  ASSERT_EQ(caret.size(), 1u);
  EXPECT_LE(caret[0], 3) << "the caret of an empty line is at its start";

  Play(main, L"ooo");
  Dib& typed = *keep.emplace_back(Pixels(edit));
  const RECT ink = typed.Ink(kWhite);
  EXPECT_GE(ink.left, 1);
  EXPECT_LT(ink.left, 6);
  EXPECT_GT(ink.bottom - ink.top, 5);
  const std::vector<int> moved = CaretColumns(typed);
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0] + 1, ink.right) << "the caret follows the text";

  SetFocus(main);
  Dib& left = *keep.emplace_back(Pixels(edit));
  EXPECT_TRUE(CaretColumns(left).empty());
  EXPECT_LE(left.Ink(kWhite).right, moved[0]) << "the caret goes";
  EXPECT_GT(left.Ink(kWhite).right, ink.left + 5) << "the text stays";
}

TEST_F(EditTest, ChangesReachTheScreenWithoutARepaintOfTheParent) {
  Drain();
  winapi::headless::TakeDrawnRect(main);
  Play(main, L"o");
  const RECT drawn = winapi::headless::TakeDrawnRect(main);
  EXPECT_GE(drawn.left, 10);
  EXPECT_GE(drawn.top, 20);
  EXPECT_LE(drawn.right, 130);
  EXPECT_LE(drawn.bottom, 44);
  EXPECT_LT(drawn.left, drawn.right);
  // And the picture of the main window shows the control's pixels.
  const winapi::Image picture = winapi::headless::Capture(main);
  Dib& own = *keep.emplace_back(Pixels(edit));
  for (int x = 0; x < 120; x += 7) {
    EXPECT_EQ(picture.At(10 + x, 32), own.At(x, 12)) << "column " << x;
  }
}

TEST_F(EditTest, AClickPlacesTheCaretAndTakesTheFocus) {
  SetWindowTextW(edit, L"oooo");
  SetFocus(main);
  winapi::headless::InjectClick(main, 11, 30);  // left edge of the control
  Drain();
  EXPECT_EQ(GetFocus(), edit);
  Play(main, L"x");
  EXPECT_EQ(TextOf(edit), L"xoooo");

  winapi::headless::InjectClick(main, 125, 30);  // right of the text
  Play(main, L"y");
  EXPECT_EQ(TextOf(edit), L"xooooy");
}

TEST_F(EditTest, TextWiderThanTheControlScrollsToKeepTheCaretInView) {
  const HWND narrow = MakeEdit({10, 60, 50, 84});
  SetFocus(narrow);
  Play(main, L"oooooooooooooooooooo");
  Dib& end = *keep.emplace_back(Pixels(narrow));
  std::vector<int> caret = CaretColumns(end);
  ASSERT_EQ(caret.size(), 1u);
  EXPECT_GE(caret[0], 30) << "the caret is at the right edge";
  EXPECT_LT(caret[0], 40);
  EXPECT_LT(end.Ink(kWhite).left, 3) << "the start of the text is scrolled out";

  Play(main, L"<H>");
  Dib& home = *keep.emplace_back(Pixels(narrow));
  caret = CaretColumns(home);
  ASSERT_EQ(caret.size(), 1u);
  EXPECT_LE(caret[0], 3);
  EXPECT_EQ(TextOf(narrow).size(), 20u);
}

TEST(EditLine, ScrollKeepsTheCaretInsideAndWastesNoSpace) {
  // Every character is 10 pixels wide; 35 pixels are visible.
  winapi::core::EditLine line([](const std::wstring& text) { return static_cast<int>(text.size()) * 10; });
  struct Step {
    const char* what;
    std::function<void()> act;
    int scroll;
  };
  const Step steps[] = {
      {"fits", [&] { line.SetText(L"abc"); }, 0},
      {"caret at 40 needs 6 pixels", [&] { line.Type(L'd'); }, 6},
      {"one more character", [&] { line.Type(L'e'); }, 16},
      {"left stays in view", [&] { line.Left(); }, 16},
      {"home shows the start", [&] { line.Home(); }, 0},
      {"end again", [&] { line.End(); }, 16},
      {"deleting brings text back",
       [&] {
         line.Backspace();
         line.Backspace();
       },
       0},
      {"a click counts from the scroll", [&] { line.SetText(L"abcdefgh"); }, 46},
  };
  for (const Step& step : steps) {
    step.act();
    line.KeepCaretVisible(35);
    EXPECT_EQ(line.Scroll(), step.scroll) << step.what;
  }
  EXPECT_TRUE(line.PlaceCaretAt(4));  // 4 + 46 = 50: between 'e' and 'f'
  EXPECT_EQ(line.Caret(), 5u);
  EXPECT_FALSE(line.PlaceCaretAt(6));  // nearest is still 5
}
