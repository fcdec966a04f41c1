// The forms of the main menu, shown: from the click on a menu button to the
// form painted (the click handled, the form built on the deferred message,
// one paint pass), per form, on the real main window, start-up's services
// and the shipped resources, headless.  Also a level change and a size
// change on the select-puzzle form (the package read, the preview made and
// painted).  The first showing of each is timed apart from the rest: it
// pays for the faces, glyphs and text extents the later ones find cached.
//
//   form_show_bench [repeats]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "app/Users.h"
#include "forms/common/Application.h"
#include "forms/menu/MainForm.h"
#include "forms/menu/ShowMenuFormCommand.h"
#include "forms/selectpuzzle/SelectPuzzleForm.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "startup/StartupInstalls.h"
#include "tests/support/HeadlessDesktop.h"
#include "winapi/headless/headless.h"

namespace {

using clock_type = std::chrono::steady_clock;
using notus::impl::details::app;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) app::pump_message();
}

void Paint(HWND main) { SendMessageW(main, notus::impl::message_paint_now, 0, 0); }

double Milliseconds(clock_type::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Timing {
  double first = 0;
  std::vector<double> rest;
};

void Print(const char* name, Timing t) {
  std::sort(t.rest.begin(), t.rest.end());
  const double median = t.rest.empty() ? 0 : t.rest[t.rest.size() / 2];
  const double worst = t.rest.empty() ? 0 : t.rest.back();
  std::printf("%-28s first %7.2f ms   median %7.2f ms   max %7.2f ms\n", name, t.first, median, worst);
}

// Runs prepare (untimed), then action and a paint pass (timed), repeats+1
// times.
Timing Measure(HWND main, int repeats, const std::function<void()>& prepare, const std::function<void()>& action) {
  Timing timing;
  for (int i = 0; i <= repeats; ++i) {
    prepare();
    const clock_type::time_point start = clock_type::now();
    action();
    Paint(main);
    const double ms = Milliseconds(clock_type::now() - start);
    if (i == 0)
      timing.first = ms;
    else
      timing.rest.push_back(ms);
  }
  return timing;
}

class Folders {
 public:
  Folders() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    m_root = pattern;
    setenv("TAVLIN_SETTINGS_DIR", m_root.c_str(), 1);
    setenv("TAVLIN_RESOURCES_DIR", TAVLIN_SOURCE_RESOURCES, 1);
    ClearPathCache();
  }
  ~Folders() {
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
  }

 private:
  std::filesystem::path m_root;
};

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  Folders folders;
  test_support::HeadlessDesktop desktop(1'000'000);
  const HWND main = desktop.main();
  if (!LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), L"en", 480, 640)) {
    std::fprintf(stderr, "cannot read the resources\n");
    return 1;
  }
  app::load_glyph_document(JoinPath(GetResourcesDirectory(), L"glyphs.dat"));
  data_objects::users users;
  AddUser(users, L"Bench");
  SaveUsers(users);
  InstallStartupServices();

  {
    Application state;
    const auto showMenu = [main] {
      ShowMenuFormCommand().Execute();
      Pump();
      Paint(main);
    };
    const auto clickItem = [main, &state](int form, int item) {
      const ItemConfig c = ResourceManager::GetItemConfig(form, item);
      winapi::headless::InjectClick(main, (c.left + c.right) / 2, (c.top + c.bottom) / 2);
      Pump();
      // A click that missed would time nothing.
      if (dynamic_cast<mainform::Manager*>(state.currentForm.get()) != nullptr) {
        std::fprintf(stderr, "item %d of form %d left the menu on screen\n", item, form);
        std::exit(1);
      }
    };

    const struct {
      const char* name;
      int item;
    } buttons[] = {
        {"players", mainform::kPlayersItem},
        {"select puzzle", mainform::kSelectPuzzleItem},
        {"build puzzle", mainform::kBuildPuzzleItem},
        {"help", mainform::kHelpItem},
        {"about", mainform::kAboutItem},
    };
    std::printf("menu click to form painted, %d repeats after the first\n", repeats);
    for (const auto& b : buttons)
      Print(b.name, Measure(main, repeats, showMenu, [&] { clickItem(mainform::kForm, b.item); }));

    // The select-puzzle form's own changes, committed as a choice in its
    // combo boxes commits them.
    showMenu();
    clickItem(mainform::kForm, mainform::kSelectPuzzleItem);
    Paint(main);
    auto& form = dynamic_cast<SelectPuzzleForm::Model&>(*state.currentForm);
    unsigned level = 0, size = 0;
    const auto nextLevel = [&] {
      level = (level + 1) % SelectPuzzleForm::kLevels;
      form.level->select_item(static_cast<int>(level));
    };
    const auto otherSize = [&] {
      size = 1 - size;
      form.size->select_item(static_cast<int>(size));
    };
    Print("select puzzle: level", Measure(
                                      main, repeats, [] {}, nextLevel));
    Print("select puzzle: size", Measure(
                                     main, repeats, [] {}, otherSize));
    state.currentForm.reset();
    state.game.reset();
  }
  return 0;
}
