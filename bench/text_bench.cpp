// Text wrapping benchmark: about 100 KB of generated prose (a few thousand
// distinct words, sentences, paragraphs ended by CR LF) split and wrapped to
// a 300-px text box, measured by the screen device's text extent as the text
// box measures it; then the text box's refresh and paint with that text,
// whose cost must not grow with the text.  Headless: no display involved.
//
//   text_bench [RUNS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "notus/ownerdraw/text_box.h"
#include "notus/ownerdraw/text_wrapper.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "winapi/headless/headless.h"

namespace {

using notus::impl::details::app;
using notus::impl::details::virtual_window_controller;
using device = notus::gdi::device<notus::traits>;

// Words made of syllables by a fixed linear congruential generator, with
// short words far more common than long ones, as in prose.
std::wstring prose(std::size_t characters) {
  static const wchar_t* const syllables[] = {L"ka",  L"ter", L"mo", L"lin", L"sa", L"dor", L"pe",  L"vu",
                                             L"ran", L"ol",  L"mi", L"stu", L"e",  L"ba",  L"gre", L"no"};
  std::uint32_t seed = 12345;
  auto next = [&seed](std::uint32_t below) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % below;
  };
  std::wstring text;
  int words_in_sentence = 0;
  int sentences_in_paragraph = 0;
  while (text.size() < characters) {
    const std::uint32_t length = 1 + next(3) * next(3);
    std::wstring word;
    for (std::uint32_t i = 0; i < length; ++i) word += syllables[next(16)];
    if (words_in_sentence == 0) word[0] = static_cast<wchar_t>(std::towupper(word[0]));
    text += word;
    if (++words_in_sentence >= 8 + static_cast<int>(next(10))) {
      text += L".";
      words_in_sentence = 0;
      if (++sentences_in_paragraph >= 5) {
        text += L"\r\n";
        sentences_in_paragraph = 0;
        continue;
      }
    }
    text += L" ";
  }
  return text;
}

double milliseconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct timings {
  double best = 1e300;
  double total = 0;
  void add(double ms) {
    best = std::min(best, ms);
    total += ms;
  }
};

}  // namespace

int main(int argc, char** argv) {
  int runs = 20;
  if (argc > 1) {
    runs = std::atoi(argv[1]);
    if (runs < 1 || runs > 100000) {
      std::fprintf(stderr, "usage: text_bench [RUNS]  (1 to 100000, default 20)\n");
      return 2;
    }
  }

  WNDCLASSW wc{};
  wc.lpfnWndProc = &DefWindowProcW;
  wc.lpszClassName = L"Text Bench";
  RegisterClassW(&wc);
  const HWND window =
      CreateWindowExW(0, L"Text Bench", L"", WS_VISIBLE, 0, 0, 480, 640, nullptr, nullptr, nullptr, nullptr);
  app::instance().set_main_window(window);
  app::resize_back_buffer(480, 640);

  const std::wstring text = prose(100 * 1024);
  std::unordered_set<std::wstring> distinct;
  {
    text_algorithms::text_wrapper w;
    w.split(text);
    for (const auto& a : w.atoms) distinct.insert(a->text);
  }

  // Split and wrap, as the text box does on a new text.
  timings wrap;
  std::size_t lines = 0;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const auto screen = device::create_for_screen();
    text_algorithms::text_wrapper w;
    w.max_width = 298;
    w.split(text);
    w.wrap([&screen](const std::wstring& s, SIZE& out) {
      const auto extent = screen->text_extent(s);
      out.cx = extent.width;
      out.cy = extent.height;
    });
    wrap.add(milliseconds_since(start));
    lines = w.lines.size();
  }

  // The text box: a fresh text (split, wrap, bar), then a scroll step and
  // its repaint, which must cost the same for any length of text.
  virtual_window_controller controller;
  auto parent = std::make_shared<notus::displays::virtual_window_frame<notus::traits>>();
  notus::ownerdraw::textbox_manager box(parent, RECT{10, 10, 330, 410});
  notus::impl::virtual_window_impl<notus::traits>::set_focus(box.text_view->display().handle());
  timings refresh;
  timings step;
  for (int i = 0; i < runs; ++i) {
    auto& model = box.text_view->model();
    model.text = (i % 2 == 0) ? text : text + L" ";
    auto start = std::chrono::steady_clock::now();
    notus::ownerdraw::announce(model);
    refresh.add(milliseconds_since(start));
    controller.paint(*app::instance().back_buffer(), nullptr);

    start = std::chrono::steady_clock::now();
    notus::impl::event<notus::traits> down(notus::impl::ev_key{0, 1, 0, 16});
    controller.dispatch(down);
    const RECT painted = controller.paint(*app::instance().back_buffer(), nullptr);
    step.add(milliseconds_since(start));
    if (box.text_view->model().first_line != 1 || painted.right <= painted.left) {
      std::fprintf(stderr, "text_bench: the Down key did not scroll and repaint the text box\n");
      return 1;
    }
  }

  std::printf("text: %zu characters, %zu distinct atoms, %zu lines at 298 px\n", text.size(), distinct.size(), lines);
  std::printf("split + wrap (screen text extent): best %.2f ms, mean %.2f ms over %d runs\n", wrap.best,
              wrap.total / runs, runs);
  std::printf("text box, new text announced:      best %.2f ms, mean %.2f ms\n", refresh.best, refresh.total / runs);
  std::printf("text box, Down key and repaint:    best %.3f ms, mean %.3f ms\n", step.best, step.total / runs);
  app::instance().release();
  return 0;
}
