// Paints the keypads of a 9x9 game as the game form would show them, to be
// judged by eye: the panels in value and in candidate mode, and two popups
// (a neighbouring block in value mode, a column in candidate mode). The
// views are the real ones over a window controller on the headless backend;
// each scene is the back buffer after a paint pass, written as a PPM.
//
//   keypad_capture <resources folder/> <out folder/>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "forms/keypad/KeypadViewManager.h"
#include "notus/ownerdraw/frames.h"
#include "notus/platform/ownerdrawWin32/GDIBuffer.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/svg_glyph.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "winapi/headless/headless.h"

namespace {

using notus::impl::details::app;
using window_ops = notus::impl::virtual_window_impl<notus::traits>;

constexpr int kWidth = 480;
constexpr int kHeight = 596;
constexpr keypad::KeypadRect kOuter{0, 0, kWidth, kHeight};
constexpr keypad::KeypadRect kPanelGrid{8, 8, 408, 408};
constexpr keypad::KeypadRect kPopupGrid{8, 8, 472, 472};

bool write_ppm(const std::string& path) {
  const auto& buffer = *app::instance().back_buffer();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t argb = buffer.pixel(x, y);
      const unsigned char rgb[3] = {static_cast<unsigned char>(argb >> 16), static_cast<unsigned char>(argb >> 8),
                                    static_cast<unsigned char>(argb)};
      std::fwrite(rgb, 1, 3, f);
    }
  return std::fclose(f) == 0;
}

// One scene: a fresh controller, the page, the grid's outline and a keypad
// manager in the given topology with cell `cell` selected (its candidates
// {1, 4, 7}), in value or candidate mode.
bool scene(const std::string& out, std::uint32_t type, bool valueMode, std::uint32_t cell) {
  notus::impl::details::virtual_window_controller controller;
  app::resize_back_buffer(kWidth, kHeight);
  const keypad::KeypadRect g = type <= 1 ? kPanelGrid : kPopupGrid;
  notus::ownerdraw::simple_frame_view page;
  window_ops::move(page.display().handle(), {0, 0});
  window_ops::resize(page.display().handle(), {kWidth, kHeight}, false);
  window_ops::set_z_order(page.display().handle(), 100);
  notus::ownerdraw::simple_frame_view board;
  window_ops::move(board.display().handle(), {g.left, g.top});
  window_ops::resize(board.display().handle(), {g.right - g.left, g.bottom - g.top}, false);
  window_ops::set_z_order(board.display().handle(), 50);

  keypad::KeypadViewManager<3> keypads;
  const auto t = keypad::MakeKeypadTopologies<3>(type);
  keypad::SetTopologyOfValueKeypad(keypads, t.value);
  keypad::SetTopologyOfCandidateKeypad(keypads, t.candidate);
  keypads.layout(g, kOuter);
  keypad::HideKeypadPopup(keypads.value, true);
  keypad::HideKeypadPopup(keypads.candidate, true);
  keypad::ShowPanelKeypads(keypads);
  grid::GridCell<3> record;
  record.candidates = 0b1001001'0;
  record.solution = 2;
  keypads.value.allowOnlyValidEntries = 1;
  keypad::UpdateKeypadsForCell(keypads, cell, &record);
  if (!valueMode) keypad::SwitchToCandidateMode(keypads);
  keypad::ToggleKeypadForCell(keypads, &record, cell);
  controller.paint(*app::instance().back_buffer(), nullptr);
  return write_ppm(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: keypad_capture <resources folder/> <out folder/>\n");
    return 2;
  }
  try {
    winapi::headless::Reset();
    const std::string resources = argv[1];
    notus::gdi::load_svg_glyphs(std::wstring(resources.begin(), resources.end()) + L"glyphs.dat");
    const std::string out = argv[2];
    bool ok = scene(out + "keypad_panels_value.ppm", 0, true, 40);
    ok = scene(out + "keypad_panels_candidate.ppm", 0, false, 40) && ok;
    ok = scene(out + "keypad_popup_block_value.ppm", 2, true, 40) && ok;
    ok = scene(out + "keypad_popup_column_candidate.ppm", 4, false, 40) && ok;
    app::instance().release();
    return ok ? 0 : 1;
  } catch (const char* text) {
    std::fprintf(stderr, "keypad_capture: %s\n", text);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "keypad_capture: %s\n", e.what());
  }
  return 1;
}
