// Paint pass benchmark: a 480 x 640 back buffer full of typical widgets
// (buttons with cached faces, labels, check boxes, group boxes, a 9 x 9 grid
// with digits, glyph-like polygons), repainted whole and copied to the
// window, and a pass with nothing dirty.  Headless: no display involved.
//
//   paint_bench [frames] [--dump file.ppm]
//
// --dump writes what the window shows after one full frame, for looking at.
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/paint_timer.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "winapi/headless/headless.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using notus::impl::details::app;
using notus::impl::details::virtual_window_controller;
using notus::impl::details::winobj_virtual_window;
using device = notus::gdi::device<notus::traits>;
using paint_function = std::function<void(device&, int width, int height)>;

class widget : public winobj_virtual_window {
 public:
  widget(RECT r, paint_function paint) : winobj_virtual_window(0), m_paint(std::move(paint)) {
    move(r.left, r.top);
    resize(r.right - r.left, r.bottom - r.top);
    show();
  }
  void handle_event(notus::impl::event<notus::traits>& e) override {
    if (auto* p = e.kind.get_if<notus::impl::kind_paint>()) {
      auto dev = device::create_for_dc(p->dc, p->back_buffer, p->origin_x, p->origin_y);
      m_paint(*dev, p->client.right, p->client.bottom);
    }
  }

 private:
  paint_function m_paint;
};

void button(device& d, int w, int h, const wchar_t* caption, unsigned face_id) {
  // The face is drawn once per size and blended from the cache after.
  if (!d.draw_bitmap(face_id, {w, h}, {0, 0})) {
    d.begin_bitmap(face_id, w, h);
    d.fill_rounded_rect({0, 0, w - 1, h - 1}, 6, RGB(70, 110, 170), 240);
    d.frame_rounded_rect({0, 0, w - 1, h - 1}, 6, 1.5, RGB(30, 50, 90), 255);
    d.end_bitmap();
    d.draw_bitmap(face_id, {w, h}, {0, 0});
  }
  d.draw_text(caption, {0, 0, w - 1, h - 1}, DT_CENTER | DT_VCENTER);
}

void checkbox(device& d, int, int h, const wchar_t* caption) {
  d.fill_rect({0, 2, 14, 16}, RGB(255, 255, 255), 255);
  d.frame_rect({0, 2, 14, 16}, 1, RGB(60, 60, 60), 255);
  const notus::gdi::pointd tick[] = {{3, 9}, {6, 13}, {12, 5}};
  d.draw_polyline(tick, 2.0, 3, RGB(20, 120, 20), 255);
  d.draw_text(caption, {20, 0, 200, h - 1}, DT_VCENTER);
}

void grid(device& d, int w, int h) {
  d.fill_rect({0, 0, w - 1, h - 1}, RGB(255, 255, 255), 255);
  const int cell = w / 9;
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col) {
      const notus::gdi::device_rect r{col * cell, row * cell, col * cell + cell - 1, row * cell + cell - 1};
      if ((row + col) % 4 == 0) d.fill_rect(r, RGB(255, 240, 200), 200);
      d.frame_rect(r, 1, RGB(180, 180, 180), 255);
      const wchar_t digit[2] = {static_cast<wchar_t>(L'1' + (row * 3 + col) % 9), 0};
      d.draw_text(digit, r, DT_CENTER | DT_VCENTER);
    }
  for (int i = 0; i <= 3; ++i) {
    d.fill_rect({i * 3 * cell - 1, 0, i * 3 * cell, h - 1}, RGB(40, 40, 40), 255);
    d.fill_rect({0, i * 3 * cell - 1, w - 1, i * 3 * cell}, RGB(40, 40, 40), 255);
  }
  d.fill_ellipse(RGB(200, 40, 40), 120, cell * 4.5, cell * 4.5, cell * 0.4, cell * 0.4);
}

std::vector<std::unique_ptr<widget>> build_screen() {
  std::vector<std::unique_ptr<widget>> widgets;
  auto add = [&](RECT r, paint_function f) { widgets.push_back(std::make_unique<widget>(r, std::move(f))); };
  // Background of the form.
  add({0, 0, 480, 640}, [](device& d, int w, int h) {
    d.fill_rect({0, 0, w - 1, h - 1}, RGB(236, 240, 246), 255);
    d.fill_rounded_rect_radii({0, 0, w - 1, 60}, {0, 0, 0, 0, 20, 20, 20, 20}, RGB(90, 130, 190), 255);
  });
  // Tab bar with glyph-like shapes.
  for (int i = 0; i < 3; ++i)
    add({20 + i * 150, 8, 160 + i * 150, 52}, [i](device& d, int w, int h) {
      d.fill_rounded_rect({0, 0, w - 1, h - 1}, 10, RGB(250, 250, 255), i == 1 ? 255 : 160);
      const notus::gdi::pointd star[] = {{20, 6},  {25, 18}, {38, 18}, {27, 26}, {31, 38},
                                         {20, 30}, {9, 38},  {13, 26}, {2, 18},  {15, 18}};
      d.fill_polygon(star, 10, RGB(230, 160, 30), 255);
      d.draw_text(i == 0 ? L"Menu" : i == 1 ? L"Game" : L"Options", {44, 0, w - 1, h - 1}, DT_VCENTER);
    });
  // The grid.
  add({15, 75, 15 + 9 * 40, 75 + 9 * 40}, &grid);
  // Keypad buttons beside the grid.
  for (int i = 0; i < 9; ++i)
    add({390, 75 + i * 40, 465, 110 + i * 40}, [i](device& d, int w, int h) {
      const wchar_t caption[2] = {static_cast<wchar_t>(L'1' + i), 0};
      button(d, w, h, caption, 3);
    });
  // Group box with check boxes and labels.
  add({15, 450, 465, 580}, [](device& d, int w, int h) {
    d.frame_rounded_rect({0, 8, w - 1, h - 1}, 8, 1.0, RGB(120, 120, 140), 255);
    d.fill_rect({12, 0, 110, 16}, RGB(236, 240, 246), 255);
    d.draw_text(L"Assistance", {14, 0, 110, 16}, 0);
  });
  const wchar_t* options[] = {L"Automatic pencil marks", L"Flag mistakes", L"Allow only valid entries",
                              L"Show guide lines"};
  for (int i = 0; i < 4; ++i)
    add({30 + (i % 2) * 220, 475 + (i / 2) * 30, 240 + (i % 2) * 220, 495 + (i / 2) * 30},
        [text = options[i]](device& d, int w, int h) { checkbox(d, w, h, text); });
  add({30, 540, 450, 560}, [](device& d, int w, int h) {
    d.draw_text(L"Level: Intermediate   Time: 00:04:17", {0, 0, w - 1, h - 1}, DT_VCENTER);
  });
  // Bottom buttons.
  const wchar_t* captions[] = {L"Hint", L"Undo", L"Redo", L"Check"};
  for (int i = 0; i < 4; ++i)
    add({15 + i * 115, 595, 120 + i * 115, 630},
        [text = captions[i]](device& d, int w, int h) { button(d, w, h, text, 4); });
  return widgets;
}

void write_ppm(const char* path, HWND window) {
  const winapi::Image shown = winapi::headless::Capture(window);
  FILE* out = std::fopen(path, "wb");
  if (!out) {
    std::perror(path);
    return;
  }
  std::fprintf(out, "P6\n%d %d\n255\n", shown.width, shown.height);
  for (int y = 0; y < shown.height; ++y)
    for (int x = 0; x < shown.width; ++x) {
      const std::uint32_t p = shown.At(x, y);
      const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                    static_cast<unsigned char>(p)};
      std::fwrite(rgb, 1, 3, out);
    }
  std::fclose(out);
  std::printf("wrote %s\n", path);
}

double milliseconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The largest frame count: the pass with nothing dirty runs 100 times as
// many, which must still fit in an int.
constexpr int kMostFrames = 10000000;

void print_help(FILE* out) {
  std::fprintf(out,
               "usage: paint_bench [FRAMES] [--dump file.ppm]\n"
               "Times the paint pass on the headless backend (no display): a 480 x 640 screen of typical\n"
               "widgets repainted whole and copied to the window, and a pass with nothing dirty.  Prints the\n"
               "mean time of a full frame and of an idle pass.\n"
               "  FRAMES           full frames to time, 1 to %d (default 200); 100 times as many idle passes\n"
               "  --dump file.ppm  writes what the window shows after the first frame, for looking at\n"
               "  -h, --help       shows this help\n",
               kMostFrames);
}

// A frame count: decimal digits only, 1 to kMostFrames.
bool parse_frames(const char* text, int& frames) {
  if (*text == '\0') return false;
  long value = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
    value = value * 10 + (*c - '0');
    if (value > kMostFrames) return false;
  }
  if (value < 1) return false;
  frames = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 200;
  const char* dump = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      print_help(stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--dump") == 0 && i + 1 < argc) {
      dump = argv[++i];
    } else if (!parse_frames(argv[i], frames)) {
      std::fprintf(stderr, "paint_bench: %s '%s'\n",
                   std::strcmp(argv[i], "--dump") == 0 ? "a file name must follow" : "cannot use", argv[i]);
      print_help(stderr);
      return 2;
    }
  }

  WNDCLASSW wc{};
  wc.lpfnWndProc = &DefWindowProcW;
  wc.lpszClassName = L"Paint Bench";
  RegisterClassW(&wc);
  const HWND window =
      CreateWindowExW(0, L"Paint Bench", L"", WS_VISIBLE, 0, 0, 480, 640, nullptr, nullptr, nullptr, nullptr);
  app::instance().set_main_window(window);
  app::resize_back_buffer(480, 640);

  virtual_window_controller controller;
  const auto widgets = build_screen();

  // First frame: renders the cached faces too.
  notus::impl::details::PaintAndPresent(window, true);
  if (dump) write_ppm(dump, window);

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < frames; ++i) {
    notus::impl::details::add_invalid_rect(RECT{0, 0, 480, 640});
    notus::impl::details::PaintAndPresent(window, true);
  }
  const double full = milliseconds_since(start) / frames;

  const int idle_frames = frames * 100;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < idle_frames; ++i) notus::impl::details::PaintAndPresent(window, true);
  const double idle = milliseconds_since(start) / idle_frames;

  std::printf("%zu windows, 480x640\n", widgets.size());
  std::printf("full frame (paint pass + copy to the window): %.3f ms\n", full);
  std::printf("nothing dirty:                                %.4f ms\n", idle);
  app::instance().release();
  return 0;
}
