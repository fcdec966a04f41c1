// Grid painter benchmark: full repaints of a 16x16 grid at the game's size
// (472 x 472) with a third of the cells filled, every candidate in the empty
// cells, a hint shown and guide lines on; the size event that lays it out and
// renders its images; and a 9x9 repaint. Headless: no display involved.
//
//   grid_bench [frames] [--dump prefix]
//
// --dump writes the 9x9 and 16x16 scenes as prefix9.ppm and prefix16.ppm,
// for looking at.
#include "forms/grid/GridPainter.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "winapi/headless/headless.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using notus::impl::details::app;
using device = notus::gdi::device<notus::traits>;
using clock_type = std::chrono::steady_clock;

// A third of the cells given or filled (one in three of those wrong), all
// candidates elsewhere, a hint naming cells of both kinds, a row, a column
// and a box, the selection in the middle with guide lines, and the shading.
template <unsigned N>
void Scene(grid::GridModel<N>& model, bool guideLines) {
  constexpr unsigned S = N * N;
  for (unsigned i = 0; i < S * S; ++i) {
    auto& cell = model.cells[i];
    cell.solution = static_cast<std::uint8_t>((i % S + (i / S) * N + i / (S * N)) % S);
    if (i % 3 == 0) {
      if (i % 2 == 0)
        cell.given = 1;
      else
        cell.user = static_cast<std::int8_t>(i % 9 == 0 ? (cell.solution + 1) % S : cell.solution);
    }
  }
  model.flagMistakes = 1;
  model.gridPaintType = 1;
  model.showGuideLines = guideLines ? 1 : 0;
  model.selected = S * S / 2 + S / 2;
  CHintInfo hint;
  hint.SetPatternId(3);
  hint.AddItem(kHintEffect, 1, S + 1, 0x3);
  hint.AddItem(kHintCause, 2, 2 * S + 4, 0x5);
  hint.AddItem(kHintCause, 3, 7 * S + 7, 0x10);
  model.ShowHint(hint);
}

template <unsigned N>
double Repaint(grid::grid_main_strategy<N>& painter, const grid::GridModel<N>& model, int size, int frames) {
  auto dev = device::create_for_dc(nullptr, nullptr, 4, 4);
  const auto start = clock_type::now();
  for (int f = 0; f < frames; ++f) painter.Paint(*dev, model, size, size, true);
  return std::chrono::duration<double, std::milli>(clock_type::now() - start).count() / frames;
}

void Dump(const std::string& path, int size) {
  const auto& buffer = *app::instance().back_buffer();
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return;
  std::fprintf(out, "P6\n%d %d\n255\n", size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const std::uint32_t p = buffer.pixel(x, y);
      const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                    static_cast<unsigned char>(p)};
      std::fwrite(rgb, 1, 3, out);
    }
  std::fclose(out);
}

}  // namespace

[[noreturn]] void Usage(const char* why) {
  if (why != nullptr) std::fprintf(stderr, "grid_bench: %s\n", why);
  std::fprintf(why != nullptr ? stderr : stdout,
               "usage: grid_bench [FRAMES] [--dump PREFIX]\n"
               "Times a full repaint of a 16x16 grid at 472 px (a third filled, all candidates,\n"
               "a hint, guide lines), its size event, and a 9x9 repaint, on the headless backend.\n"
               "  FRAMES          repaints to time, 1 to 1000000 (default 200)\n"
               "  --dump PREFIX   also write the scenes as PREFIX9.ppm and PREFIX16.ppm\n");
  std::exit(why != nullptr ? 2 : 0);
}

int main(int argc, char** argv) {
  int frames = 200;
  std::string dump;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") Usage(nullptr);
    if (arg == "--dump") {
      if (i + 1 >= argc) Usage("--dump needs a file name prefix");
      dump = argv[++i];
      continue;
    }
    char* end = nullptr;
    const long value = std::strtol(arg.c_str(), &end, 10);
    if (arg.empty() || *end != '\0' || value < 1 || value > 1000000) Usage(("not a frame count: " + arg).c_str());
    frames = static_cast<int>(value);
  }
  if (std::getenv("TAVLIN_RESOURCES_DIR") == nullptr) setenv("TAVLIN_RESOURCES_DIR", TAVLIN_SOURCE_RESOURCES, 1);
  winapi::headless::Reset();
  app::resize_back_buffer(480, 640);

  grid::GridModel<4> model16;
  Scene(model16, true);
  grid::grid_main_strategy<4> painter16;
  const auto sizeStart = clock_type::now();
  const int sizeRuns = std::max(1, frames / 20);
  for (int i = 0; i < sizeRuns; ++i) painter16.Resize(472, 472, true);
  const double sizeMs = std::chrono::duration<double, std::milli>(clock_type::now() - sizeStart).count() / sizeRuns;
  const double ms16 = Repaint(painter16, model16, 472, frames);

  grid::GridModel<3> model9;
  Scene(model9, true);
  grid::grid_main_strategy<3> painter9;
  painter9.Resize(472, 472, true);
  const double ms9 = Repaint(painter9, model9, 472, frames);

  std::printf("16x16 repaint at 472 px:    %.3f ms (%d frames)\n", ms16, frames);
  std::printf("16x16 size event at 472 px: %.3f ms (%d runs)\n", sizeMs, sizeRuns);
  std::printf("9x9 repaint at 472 px:      %.3f ms (%d frames)\n", ms9, frames);

  if (!dump.empty()) {
    // Without guide lines, so the selection frame shows; with the focus.
    auto dev = device::create_for_dc(nullptr, nullptr, 0, 0);
    model9.showGuideLines = 0;
    app::resize_back_buffer(480, 640);
    painter9.Paint(*dev, model9, 472, 472, true);
    Dump(dump + "9.ppm", 472);
    app::resize_back_buffer(480, 640);
    painter16.Paint(*dev, model16, 472, 472, true);
    Dump(dump + "16.ppm", 472);
  }
  return 0;
}
