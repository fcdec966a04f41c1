// The language question as a new player meets it, on the screens the
// handheld runs on and on the desktop's: the real layouts scaled to the
// screen, the dialog over the frame, the player's clicks through the real
// main window and controller, and what the paint pass leaves in the window.
// The drop-down shows every language whole and each can be clicked; its
// scroll bar's arrows stay apart; and once it closes, the see-through
// dialog looks as it did when it first appeared.
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "forms/language/ChangeLanguageDialog.h"
#include "notus/ownerdraw/scroll_bar.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "tests/support/FormsHost.h"
#include "winapi/default_font.h"

namespace forms_test {
namespace {

struct Screen {
  int width;
  int height;
};

std::string Name(const Screen& s) { return std::to_string(s.width) + "x" + std::to_string(s.height); }

RECT RectOf(const notus::details::handle& h) {
  const auto r = forms::window_ops::rect(h);
  return {r.left, r.top, r.right, r.bottom};
}

// The rectangle a recorded draw_text call drew its text into.
RECT TextBox(const std::string& call) {
  RECT r{};
  std::sscanf(call.c_str() + call.find("\", {") + 3, "{%d,%d,%d,%d}", &r.left, &r.top, &r.right, &r.bottom);
  return r;
}

// The pixels of `area` differ between the two shots: "(x,y)" of the first.
std::string FirstDifference(const winapi::Image& a, const winapi::Image& b, const RECT& area) {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (a.At(x, y) != b.At(x, y)) return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
  return "";
}

class LanguageDialogOnScreens : public DesktopHostTest {
 protected:
  void TearDown() override {
    state.reset();
    winapi::core::SetWantedLineHeight(winapi::core::kDefaultLineHeight);
    DesktopHostTest::TearDown();
  }

  // The English layouts and strings for the screen, and the frame on it.
  void OpenOn(const Screen& screen) {
    state.reset();
    ASSERT_TRUE(
        LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), L"en", screen.width, screen.height));
    state = std::make_unique<Application>();
    state->options.language = L"en";
    Settle();
    RECT client{};
    GetClientRect(main, &client);
    ASSERT_EQ(client.right, screen.width);
    ASSERT_EQ(client.bottom, screen.height);
  }

  // The dialog the first start asks its question in, shown on `screen` (not
  // yet painted); none when the screen could not be set up.
  std::unique_ptr<change_language_dialog_type> ShowOn(const Screen& screen) {
    OpenOn(screen);
    if (HasFatalFailure()) return nullptr;
    auto dialog = std::make_unique<change_language_dialog_type>(false);
    dialog->Show();
    return dialog;
  }

  // Settles and answers the texts the pass drew, as recorded calls.
  std::vector<std::string> SettleDrawing() {
    std::vector<std::string> drawn;
    installed.Install(&notus::gdi::set_device_recorder, [&drawn](const std::string& call) {
      if (call.rfind("draw_text(", 0) == 0) drawn.push_back(call);
    });
    Settle();
    installed.Install(&notus::gdi::set_device_recorder);
    return drawn;
  }

  static int LineHeight() {
    return notus::ownerdraw::face_device::create_for_screen()->text_extent(std::wstring()).height;
  }

  void Click(int x, int y) {
    winapi::headless::InjectClick(main, x, y);
    Settle();
  }

  std::unique_ptr<Application> state;
};

const Screen kScreens[] = {{240, 240}, {240, 320}, {320, 240}, {800, 480}, {480, 640}, {1920, 1080}, {3840, 2160}};

TEST_F(LanguageDialogOnScreens, BothLanguagesShowWholeAndTheSecondIsChosenByAClick) {
  for (const Screen& screen : kScreens) {
    SCOPED_TRACE(Name(screen));
    const auto dialog = ShowOn(screen);
    if (!dialog) return;
    const std::vector<std::string> closed = SettleDrawing();
    const int line = LineHeight();
    auto& combo = *dialog->form()->languages;
    ASSERT_EQ(combo.label_view->model().text, L"en");

    // The closed drop-down gives its text the room it has on the desktop,
    // and the whole line where the text is large.
    for (const std::string& call : closed) {
      if (call.rfind("draw_text(\"en\"", 0) != 0) continue;
      const RECT box = TextBox(call);
      EXPECT_GE(box.bottom - box.top, line >= 24 ? line : line - 2) << call;
    }

    const RECT label = RectOf(combo.label_view->display().handle());
    Click((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    ASSERT_TRUE(combo.list_view->display().handle().get()->visible()) << "the list opened";
    const RECT list = RectOf(combo.list_view->display().handle());
    if (combo.rows->size() < 2) {
      ADD_FAILURE() << "one row for two languages";
      continue;
    }
    EXPECT_LE(list.bottom, screen.height);
    EXPECT_GE(list.top, 0);
    std::vector<std::wstring> shown;
    for (const auto& row : *combo.rows) {
      const auto& r = row->display().rectangle();
      EXPECT_LE(r.bottom, list.bottom - list.top) << "row " << row->model().id << " lies whole in the list";
      EXPECT_GE(r.bottom - r.top, line + 6) << "row " << row->model().id << " holds its line";
      if (!row->model().text.empty()) shown.push_back(row->model().text);
    }
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"en", L"de"}));

    const auto& second = (*std::next(combo.rows->begin()))->display().rectangle();
    Click(list.left + (second.left + second.right) / 2, list.top + (second.top + second.bottom) / 2);
    EXPECT_FALSE(combo.list_view->display().handle().get()->visible()) << "the click closed the list";
    EXPECT_EQ(combo.selected, 1);
    EXPECT_EQ(combo.label_view->model().text, L"de");
  }
}

// The bar beside the list shows two arrows, one above the other.
TEST_F(LanguageDialogOnScreens, TheListsArrowsStayApart) {
  for (const Screen& screen : kScreens) {
    SCOPED_TRACE(Name(screen));
    const auto dialog = ShowOn(screen);
    if (!dialog) return;
    Settle();
    auto& bar = *dialog->form()->languages->scrollbar_view;
    auto& parts = bar.strategy<notus::ownerdraw::vertical_scrollbar_main_strategies>();
    const auto& up = parts.up->display().rectangle();
    const auto& down = parts.down->display().rectangle();
    EXPECT_GT(up.bottom, up.top);
    EXPECT_LE(up.bottom, down.top);
    EXPECT_GT(down.bottom, down.top);
  }
}

// Open the list, take "de": where the list was, the dialog shows what it
// showed when it first appeared, and a repaint of everything changes
// nothing.
TEST_F(LanguageDialogOnScreens, AClosedListLeavesNoGhostAndARepaintChangesNothing) {
  for (const Screen& screen : kScreens) {
    SCOPED_TRACE(Name(screen));
    const auto dialog = ShowOn(screen);
    if (!dialog) return;
    Settle();
    const winapi::Image first = Shot();
    auto& combo = *dialog->form()->languages;

    const RECT label = RectOf(combo.label_view->display().handle());
    Click((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    const RECT list = RectOf(combo.list_view->display().handle());
    const RECT bar = RectOf(combo.scrollbar_view->display().handle());
    const RECT covered{list.left, list.top, bar.right, list.bottom};
    EXPECT_NE(FirstDifference(first, Shot(), covered), "") << "the open list is on screen";
    // "de", or the one row there is.
    ASSERT_FALSE(combo.rows->empty());
    const auto& row = (*std::next(combo.rows->begin(), combo.rows->size() > 1 ? 1 : 0))->display().rectangle();
    Click(list.left + (row.left + row.right) / 2, list.top + (row.top + row.bottom) / 2);
    ASSERT_FALSE(combo.list_view->display().handle().get()->visible());

    const winapi::Image closed = Shot();
    EXPECT_EQ(FirstDifference(first, closed, covered), "") << "where the list was";

    notus::impl::details::add_invalid_rect({0, 0, screen.width, screen.height});
    Settle();
    EXPECT_EQ(FirstDifference(closed, Shot(), {0, 0, screen.width, screen.height}), "") << "after a repaint";
  }
}

}  // namespace
}  // namespace forms_test
