// What the message box and the path prompt share, run headless on both: a
// fault in their loop leaves no window behind, and they lie inside the
// screen wherever their owner is.
#include "layer_fixture.h"
#include "modal_steps.h"

#include "winapi/message_box.h"
#include "winapi/modal_window.h"
#include "winapi/path_prompt.h"

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>

using winapi_test::Key;
using winapi_test::LayerTest;
using winapi_test::Step;

namespace {

HWND BoxWindow() { return GetFocus(); }
HWND PromptWindow() { return GetParent(GetFocus()); }

// A modal window of the layer, shown for `owner`, that plays `steps`.
struct Modal {
  const char* what;
  HWND (*window)();
  std::function<void(HWND owner, std::deque<Step> steps)> run;
};

// A box with `text`.
Modal BoxWith(std::wstring text) {
  return Modal{"a box", &BoxWindow, [text](HWND owner, std::deque<Step> steps) {
                 winapi_test::RunWithSteps(std::move(steps), &BoxWindow, "the box",
                                           [&] { return winapi::RunMessageBox(owner, text, L"Title", MB_OK); });
               }};
}

const Modal kBox = BoxWith(L"Text");

const Modal kPrompt{"the prompt", &PromptWindow, [](HWND owner, std::deque<Step> steps) {
                      winapi::FileDialogRequest request;
                      request.owner = owner;
                      request.title = L"Open";
                      winapi_test::RunWithSteps(std::move(steps), &PromptWindow, "the prompt",
                                                [&] { return winapi::RunPathPrompt(request); });
                    }};

void CALLBACK FailingTimerProc(HWND, UINT, UINT_PTR, DWORD) { throw std::runtime_error("a fault in a timer"); }

class ModalWindowTest : public LayerTest {};

}  // namespace

// A timer procedure of the game throws while the modal window is up: the
// exception reaches the caller with the window gone and the focus back, so
// the fatal-error box that the main loop's handler opens next runs alone.
TEST_F(ModalWindowTest, AFaultInAModalLoopLeavesNoWindowBehind) {
  for (const Modal& modal : {kBox, kPrompt}) {
    SCOPED_TRACE(modal.what);
    const HWND owner = MakeWindow({100, 100, 580, 740});
    const HWND field = MakeWindow({10, 10, 100, 40}, WS_VISIBLE, owner);
    SetFocus(field);
    HWND shown = nullptr;
    const Step fault = [&](HWND window) {
      shown = window;
      SetTimer(owner, 1, 50, &FailingTimerProc);
    };
    EXPECT_THROW(modal.run(field, {fault}), std::runtime_error);
    KillTimer(owner, 1);
    winapi::headless::SetIdleHook(nullptr);
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(IsWindow(shown)) << "left on the screen, its procedure reading a dead frame";
    EXPECT_EQ(GetFocus(), field);

    // The fatal-error box.
    const std::optional<int> answer = winapi_test::RunWithSteps({Key(VK_RETURN)}, &BoxWindow, "the error box", [&] {
      return winapi::RunMessageBox(nullptr, L"Not enough memory or unknown error!", L"Kestrel Mill", MB_ICONERROR);
    });
    EXPECT_EQ(answer, IDOK);
    DestroyWindow(owner);
  }
}

// The owner anywhere on a 1024 x 768 screen, partly off it too; a box whose
// text takes the screen's width, one that takes its height, a small one,
// and the prompt.
TEST_F(ModalWindowTest, AModalWindowLiesInsideTheScreenWhereverItsOwnerIs) {
  std::wstring lines;
  for (int i = 0; i < 60; ++i) {
    lines += L"Line " + std::to_wstring(i) + L"\n";
  }
  const Modal modals[] = {BoxWith(L"\"/home/ann/" + std::wstring(2400, L'x') + L"\" was not found."), BoxWith(lines),
                          kBox, kPrompt};
  const POINT corners[] = {{0, 0}, {300, 128}, {700, 500}, {-300, -200}, {900, -100}};
  for (const POINT corner : corners) {
    for (const Modal& modal : modals) {
      SCOPED_TRACE(std::string(modal.what) + " over a window at " + std::to_string(corner.x) + "," +
                   std::to_string(corner.y));
      const HWND owner = MakeWindow({corner.x, corner.y, corner.x + 480, corner.y + 640});
      RECT placed{};
      modal.run(owner, {[&placed](HWND window) { GetWindowRect(window, &placed); }, Key(VK_ESCAPE)});
      EXPECT_GE(placed.left, 0);
      EXPECT_GE(placed.top, 0);
      EXPECT_LE(placed.right, 1024);
      EXPECT_LE(placed.bottom, 768);
      EXPECT_GT(placed.right - placed.left, 100);
      DestroyWindow(owner);
    }
  }
}

// Centred on its owner, then moved no further than its display needs, on
// whichever display that is: a second monitor keeps its own boxes.
TEST(PlaceModalWindow, CentresOnTheOwnerAndMovesOnlyAsFarAsTheOwnersDisplayNeeds) {
  const RECT first{0, 0, 1024, 768};
  const RECT second{1024, -100, 2944, 980};
  const struct {
    const char* what;
    RECT room;
    SIZE size;
    RECT display;
    POINT at;
  } cases[] = {
      {"inside: centred", {100, 50, 580, 690}, {200, 100}, first, {240, 320}},
      {"over the right and bottom edges", {700, 500, 1180, 1140}, {300, 200}, first, {724, 568}},
      {"over the left edge", {-300, -200, 180, 440}, {300, 200}, first, {0, 20}},
      {"larger than the display", {0, 0, 480, 640}, {2000, 900}, first, {0, 0}},
      {"on the second display", {1500, 200, 1980, 840}, {200, 100}, second, {1640, 470}},
      {"over the second display's right and top edges", {2800, -500, 3280, 140}, {300, 200}, second, {2644, -100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const POINT at = winapi::core::PlaceModalWindow(c.room, c.size, c.display);
    EXPECT_EQ(at.x, c.at.x);
    EXPECT_EQ(at.y, c.at.y);
  }
}
