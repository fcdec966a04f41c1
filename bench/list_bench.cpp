// List box benchmark: a list box of N rows (default 10,000) with 16 visible,
// scrolled one step per frame and painted after each step by the
// controller's paint pass.  Two kinds of step: Down on the last visible row
// (the list scrolls by one item) and a click on the bar's down arrow.  The
// same frames with 100 items show whether any per-frame work grows with the
// number of items.  Headless: no display involved.
//
//   list_bench [ITEMS] [FRAMES]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "notus/impl/event.h"
#include "notus/ownerdraw/list_box.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "winapi/windows.h"

namespace {

using notus::impl::details::app;
using notus::impl::details::virtual_window_controller;
using event = notus::impl::event<notus::traits>;
using window_ops = notus::impl::virtual_window_impl<notus::traits>;
namespace od = notus::ownerdraw;

constexpr int kWidth = 480;
constexpr int kHeight = 640;
// 16 rows of 25 px; the bar's down arrow is its bottom 20 px.
constexpr notus::rect<notus::traits> kBox{40, 40, 340, 440};
constexpr int kDownArrowX = 330;
constexpr int kDownArrowY = 430;
constexpr int kKeyDown = 16;

// The host's answer to a window resized with notification: its size event,
// at once (the bar lays itself out on it).
LRESULT CALLBACK host_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != notus::impl::message_size_event) return DefWindowProcW(window, message, wparam, lparam);
  auto* w = reinterpret_cast<notus::impl::details::winobj_virtual_window*>(lparam);
  virtual_window_controller* controller = virtual_window_controller::current();
  if (controller == nullptr || !controller->is_registered(w)) return 0;
  const RECT& r = w->rect();
  event size(notus::impl::ev_size{0, r.right - r.left, r.bottom - r.top});
  controller->send_event(w, size);
  return 0;
}

struct timing {
  double mean = 0;
  double worst = 0;
};

struct bench {
  virtual_window_controller& controller;
  od::listbox_manager box{kBox, std::shared_ptr<notus::displays::display<notus::traits>>()};

  bench(virtual_window_controller& c, int items) : controller(c) {
    auto& model = box.list_view->model();
    for (int i = 0; i < items; ++i)
      model.items.push_back(std::make_shared<std::wstring>(L"Player " + std::to_wstring(i)));
    od::listbox_model::model_update u;
    model.raise(u);
    window_ops::set_focus(box.list_view->display().handle());
    paint();
  }

  void paint() { controller.paint(*app::instance().back_buffer(), nullptr); }

  void send(const notus::impl::event_kind& kind) {
    event e;
    e.kind = kind;
    controller.dispatch(e);
  }

  // Down on the last visible row: one item further, one row scrolled.
  void key_step() {
    auto& model = box.list_view->model();
    if (model.top + 16 >= static_cast<int>(model.size())) {
      model.set_top(0);
      model.set_selected(15);
      od::listbox_model::model_update u;
      model.raise(u);
    } else if (model.selected != model.top + 15) {
      model.set_selected(model.top + 15);
    }
    send(notus::impl::ev_key{0, 1, 0, kKeyDown});
    send(notus::impl::ev_key{0, 0, 0, kKeyDown});
  }

  void arrow_step() {
    send(notus::impl::ev_mouse{0, notus::impl::mouse_action::down, 1, kDownArrowX, kDownArrowY});
    send(notus::impl::ev_mouse{0, notus::impl::mouse_action::up, 1, kDownArrowX, kDownArrowY});
  }

  template <class Step>
  timing run(int frames, Step step) {
    timing t;
    double total = 0;
    for (int i = 0; i < frames; ++i) {
      const auto start = std::chrono::steady_clock::now();
      step();
      paint();
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      total += ms;
      t.worst = std::max(t.worst, ms);
    }
    t.mean = total / frames;
    return t;
  }
};

int parse(const char* text, int fallback) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return (end != text && *end == '\0' && value > 0 && value <= 10000000) ? static_cast<int>(value) : fallback;
}

void report(virtual_window_controller& controller, int items, int frames) {
  bench b(controller, items);
  const timing key = b.run(frames, [&] { b.key_step(); });
  const timing arrow = b.run(frames, [&] { b.arrow_step(); });
  std::printf("%8d items  Down on the last row + paint: mean %.3f ms, worst %.3f ms\n", items, key.mean, key.worst);
  std::printf("%8d items  bar arrow click + paint:      mean %.3f ms, worst %.3f ms\n", items, arrow.mean, arrow.worst);
}

}  // namespace

int main(int argc, char** argv) {
  const int items = argc > 1 ? parse(argv[1], 10000) : 10000;
  const int frames = argc > 2 ? parse(argv[2], 2000) : 2000;

  WNDCLASSW wc{};
  wc.lpfnWndProc = &host_procedure;
  wc.lpszClassName = L"List Bench";
  RegisterClassW(&wc);
  const HWND window =
      CreateWindowExW(0, L"List Bench", L"", WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
  app::instance().set_main_window(window);
  app::resize_back_buffer(kWidth, kHeight);
  {
    virtual_window_controller controller;
    std::printf("list box %dx%d, 16 rows visible, %d frames each\n", kBox.right - kBox.left, kBox.bottom - kBox.top,
                frames);
    report(controller, 100, frames);
    report(controller, items, frames);
  }
  app::instance().release();
  return 0;
}
