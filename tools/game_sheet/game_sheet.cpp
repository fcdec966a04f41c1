// Paints the game's grid and its number keypads onto one sheet, so their
// looks can be judged by eye.  Every frame is a real game (Game<N>) over the
// window controller on the headless backend, loaded from puzzle bytes by the
// game's own command and driven with mouse and key events through the
// controller, and painted at the game form's 480 x 640 by the controller's
// paint pass, as the game would show it.
//
// The sheet holds a 9x9 game at full size with the selection, pencil marks,
// guide lines, a flagged mistake and a hint; each keypad type for each box
// size at half size, with a popup open where the type has popups; and the
// candidate keypad of one panel type and one popup type, at half size.
//
//   paint_game_sheet <resources folder/> <settings folder> <out.ppm>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "engine/CHintInfo.h"
#include "forms/gameobject/Game.h"
#include "game/CommandHistory.h"
#include "game/commands/PuzzleCommands.h"
#include "game/commands/Services.h"
#include "notus/impl/event.h"
#include "notus/platform/ownerdrawWin32/GDIBuffer.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/svg_glyph.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "tools/picture_file/PpmFile.h"
#include "winapi/headless/headless.h"

namespace {

using notus::impl::details::app;
using notus::impl::details::GDIBuffer;
using notus::impl::details::virtual_window_controller;
using window_ops = notus::impl::virtual_window_impl<notus::traits>;
using device = notus::gdi::device<notus::traits>;
using gamecommands::Services;

constexpr int frame_width = 480;
constexpr int frame_height = 640;
constexpr int sheet_width = 1980;
constexpr int sheet_height = 1060;
// The page colour of the forms, behind the captions.
constexpr std::uint32_t page_colour = 0xFFE1E1E1;

// A well-known 9x9 puzzle with one solution, row by row, 0 for an open cell.
constexpr const char* classic_puzzle =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";

// The game in play, for the commands, and whether a loaded game gets every
// pencil mark.
std::shared_ptr<GameBase> current_game;
bool auto_pencil_marks = false;

// A frame's pixels, placed on the sheet at (x, y), with its caption above.
struct stamp {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::wstring caption;
};

class sheet {
 public:
  // The back buffer after a full paint pass, at (x, y) on the sheet, each
  // scale x scale block averaged into one pixel.
  void capture(int x, int y, int scale, const std::wstring& caption) {
    notus::impl::details::add_invalid_rect({0, 0, frame_width, frame_height});
    m_controller.paint(*app::instance().back_buffer(), nullptr);
    const GDIBuffer& buffer = *app::instance().back_buffer();
    stamp s{x, y, frame_width / scale, frame_height / scale, {}, caption};
    s.pixels.reserve(std::size_t(s.width) * s.height);
    for (int sy = 0; sy < s.height; ++sy)
      for (int sx = 0; sx < s.width; ++sx) {
        unsigned r = 0, g = 0, b = 0;
        for (int dy = 0; dy < scale; ++dy)
          for (int dx = 0; dx < scale; ++dx) {
            const std::uint32_t p = buffer.pixel(sx * scale + dx, sy * scale + dy);
            r += (p >> 16) & 0xFF;
            g += (p >> 8) & 0xFF;
            b += p & 0xFF;
          }
        const unsigned n = unsigned(scale * scale);
        s.pixels.push_back(0xFF000000u | ((r / n) << 16) | ((g / n) << 8) | (b / n));
      }
    m_stamps.push_back(std::move(s));
  }

  // The page with every caption in the device's text, then the frames.
  void compose() {
    app::resize_back_buffer(sheet_width, sheet_height);
    auto dev = device::create_for_dc(nullptr, nullptr, 0, 0);
    dev->fill_rect({0, 0, sheet_width, sheet_height}, RGB(225, 225, 225), 255);
    for (const stamp& s : m_stamps)
      dev->draw_text(s.caption, {s.x, s.y - 20, s.x + s.width, s.y - 2}, DT_LEFT | DT_VCENTER);
    const GDIBuffer& buffer = *app::instance().back_buffer();
    for (int y = 0; y < sheet_height; ++y)
      for (int x = 0; x < sheet_width; ++x) m_pixels[std::size_t(y) * sheet_width + x] = buffer.pixel(x, y);
    for (const stamp& s : m_stamps)
      for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
          m_pixels[std::size_t(s.y + y) * sheet_width + s.x + x] = s.pixels[std::size_t(y) * s.width + x];
  }

  bool write_ppm(const char* path) const { return picture_file::WritePpm(path, sheet_width, sheet_height, m_pixels); }

  virtual_window_controller& controller() { return m_controller; }

 private:
  virtual_window_controller m_controller;
  std::vector<stamp> m_stamps;
  std::vector<std::uint32_t> m_pixels =
      std::vector<std::uint32_t>(std::size_t(sheet_width) * sheet_height, page_colour);
};

// The game's views lay themselves out on their size event; this main window
// hands one to a window resized with notification, as the game's does.
LRESULT CALLBACK answer_size_requests(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != notus::impl::message_size_event) return DefWindowProcW(window, message, wparam, lparam);
  virtual_window_controller* controller = virtual_window_controller::current();
  auto* w = reinterpret_cast<notus::impl::details::winobj_virtual_window*>(lparam);
  if (controller == nullptr || !controller->is_registered(w)) return 0;
  const RECT& r = w->rect();
  notus::impl::event<notus::traits> size(notus::impl::ev_size{0, r.right - r.left, r.bottom - r.top});
  controller->send_event(w, size);
  return 0;
}

void dispatch(sheet& s, notus::impl::event<notus::traits> e) { s.controller().dispatch(e); }

void click(sheet& s, int x, int y) {
  dispatch(s, notus::impl::event<notus::traits>(notus::impl::ev_mouse{0, notus::impl::mouse_action::down, 1, x, y}));
  dispatch(s, notus::impl::event<notus::traits>(notus::impl::ev_mouse{0, notus::impl::mouse_action::up, 1, x, y}));
}

template <class View>
void click_view(sheet& s, View& v) {
  const auto r = window_ops::rect(v.display().handle());
  click(s, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The middle of a cell of the grid window, in the main window.
template <unsigned N>
void click_cell(sheet& s, Game<N>& game, std::uint32_t cell) {
  const auto r = window_ops::rect(game.gridView().display().handle());
  const int S = int(N * N);
  const int column = int(cell) % S, row = int(cell) / S;
  click(s, r.left + (2 * column + 1) * (r.right - r.left) / (2 * S),
        r.top + (2 * row + 1) * (r.bottom - r.top) / (2 * S));
}

void type_digit(sheet& s, std::uint32_t value) {
  dispatch(s, notus::impl::event<notus::traits>(notus::impl::ev_key{0, 1, static_cast<int>('1' + value), 0}));
  dispatch(s, notus::impl::event<notus::traits>(notus::impl::ev_key{0, 0, static_cast<int>('1' + value), 0}));
}

// A complete grid of box size N: each row is the one above shifted by N,
// and by one more at each new band; about two cells in three given.
template <unsigned N>
std::vector<std::uint8_t> patterned_puzzle() {
  constexpr std::uint32_t S = N * N;
  std::vector<std::uint8_t> bytes(S * S);
  for (std::uint32_t i = 0; i < S * S; ++i) {
    const std::uint32_t row = i / S, column = i % S;
    const bool open = (row * 5 + column * 7 + row / N) % 3 == 0;
    bytes[i] = open ? 0 : static_cast<std::uint8_t>((row * N + row / N + column) % S + 1);
  }
  return bytes;
}

template <unsigned N>
std::vector<std::uint8_t> puzzle() {
  if constexpr (N != 3) {
    return patterned_puzzle<N>();
  } else {
    std::vector<std::uint8_t> bytes;
    for (const char* c = classic_puzzle; *c != '\0'; ++c) bytes.push_back(static_cast<std::uint8_t>(*c - '0'));
    return bytes;
  }
}

// The open cell nearest the middle of the grid, where a popup has room on
// every side.
template <unsigned N>
std::uint32_t open_cell_near_middle(Game<N>& game) {
  constexpr int S = int(N * N);
  std::uint32_t best = 0;
  int best_distance = 1 << 20;
  for (int i = 0; i < S * S; ++i) {
    if (game.gridView().model().cells[std::size_t(i)].given != 0) continue;
    const int dr = 2 * (i / S) - (S - 1), dc = 2 * (i % S) - (S - 1);
    if (dr * dr + dc * dc < best_distance) {
      best_distance = dr * dr + dc * dc;
      best = std::uint32_t(i);
    }
  }
  return best;
}

// A game of box size N loaded from its puzzle by the game's command, with
// keypad type `type`, shown as the application shows a new game.
template <unsigned N>
std::shared_ptr<Game<N>> load_game(std::uint32_t type) {
  gamecommands::LoadGrid_Command(N, 1, puzzle<N>()).Execute();
  auto game = std::static_pointer_cast<Game<N>>(current_game);
  game->SetEnteringNumbers(type);
  game->Deactivate();
  game->Activate(false);
  return game;
}

void finish_game() {
  current_game.reset();
  app::resize_back_buffer(frame_width, frame_height);
}

const wchar_t* type_name(std::uint32_t type) {
  static const wchar_t* const names[] = {L"right panel",  L"bottom panel",    L"popup rect 1",
                                         L"popup rect 0", L"popup row/col 0", L"popup row/col 1"};
  return names[type];
}

// The 9x9 game with everything the grid can show: every pencil mark, guide
// lines on, a wrong digit typed into an open cell and flagged, the next
// hint, and a selected cell.
void detailed_grid(sheet& s) {
  auto_pencil_marks = true;
  auto game = load_game<3>(0);
  auto_pencil_marks = false;
  game->SetShowGuideLines(true);
  game->SetFlagMistakes(true);
  // A digit the cell still has as a pencil mark but is not its solution:
  // no clue contradicts it, only the solution does.
  const std::uint32_t wrong_cell = 2;  // row 1, column 3
  const auto& cell = game->gridView().model().cells[wrong_cell];
  std::uint32_t wrong = 0;
  while (wrong < 9 && (wrong == cell.solution || !cell.candidates.test(wrong))) ++wrong;
  click_cell(s, *game, wrong_cell);
  type_digit(s, wrong);
  CHintInfo hint;
  if (game->FindHint(hint)) game->ShowHint(hint);
  click_cell(s, *game, 4 * 9 + 4);
  game->NotifyViews();
  s.capture(10, 30, 1, L"9x9: selection, pencil marks, guide lines, mistake, hint");
  finish_game();
}

// Each keypad type for box size N, in row `row` of the right part of the
// sheet; a popup type opens its popup at a cell near the middle.
template <unsigned N>
void keypad_row(sheet& s, int row) {
  constexpr unsigned S = N * N;
  for (std::uint32_t type = 0; type < 6; ++type) {
    auto game = load_game<N>(type);
    click_cell(s, *game, open_cell_near_middle(*game));
    const std::wstring caption =
        std::to_wstring(S) + L"x" + std::to_wstring(S) + L" type " + std::to_wstring(type) + L": " + type_name(type);
    s.capture(500 + int(type) * 245, 30 + row * 345, 2, caption);
    finish_game();
  }
}

// The candidate keypad of a 9x9 game with every pencil mark, reached from
// the value keypad's "s" after a click on a cell.
void candidate_keypad(sheet& s, std::uint32_t type, int x, const std::wstring& caption) {
  auto_pencil_marks = true;
  auto game = load_game<3>(type);
  auto_pencil_marks = false;
  click_cell(s, *game, open_cell_near_middle(*game));
  click_view(s, *game->keypads().value.s);
  s.capture(x, 720, 2, caption);
  finish_game();
}

int draw(const std::string& resources, const std::string& settings, const char* out) {
  setenv("TAVLIN_RESOURCES_DIR", resources.c_str(), 1);
  setenv("TAVLIN_SETTINGS_DIR", settings.c_str(), 1);
  ClearPathCache();
  winapi::headless::Reset();
  winapi::headless::SetTickCount(1'000'000);
  WNDCLASSW main_class{};
  main_class.lpfnWndProc = answer_size_requests;
  main_class.lpszClassName = L"GameSheet";
  RegisterClassW(&main_class);
  app::instance().set_main_window(
      CreateWindowExW(0, L"GameSheet", L"", 0, 0, 0, frame_width, frame_height, nullptr, nullptr, nullptr, nullptr));
  app::resize_back_buffer(frame_width, frame_height);
  if (!LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), L"en", frame_width, frame_height)) {
    std::fprintf(stderr, "paint_game_sheet: cannot load the form layouts from %s\n", resources.c_str());
    return 1;
  }
  notus::gdi::load_svg_glyphs(std::wstring(resources.begin(), resources.end()) + L"glyphs.dat");

  CommandHistory::Create();
  // As the application: a new game replaces the current one.
  Services::InstallNewGame([](std::uint32_t box_size, std::uint32_t level) -> std::shared_ptr<GameBase> {
    current_game.reset();
    switch (box_size) {
      case 2: current_game = std::make_shared<Game<2>>(level, nullptr); break;
      case 3: current_game = std::make_shared<Game<3>>(level, nullptr); break;
      case 4: current_game = std::make_shared<Game<4>>(level, nullptr); break;
      default: break;
    }
    return current_game;
  });
  Services::InstallCurrentGame([] { return current_game; });
  Services::InstallAutoPencilMarks([] { return auto_pencil_marks; });

  {
    sheet s;
    detailed_grid(s);
    keypad_row<2>(s, 0);
    keypad_row<3>(s, 1);
    keypad_row<4>(s, 2);
    candidate_keypad(s, 0, 10, L"9x9 candidates: type 0 panel");
    candidate_keypad(s, 2, 255, L"9x9 candidates: type 2 popup");
    s.compose();
    if (!s.write_ppm(out)) {
      std::fprintf(stderr, "paint_game_sheet: cannot write %s\n", out);
      return 1;
    }
  }
  Services::Reset();
  CommandHistory::Destroy();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: paint_game_sheet <resources folder/> <settings folder> <out.ppm>\n");
    return 2;
  }
  try {
    const int result = draw(argv[1], argv[2], argv[3]);
    app::instance().release();
    return result;
  } catch (const char* text) {
    std::fprintf(stderr, "paint_game_sheet: %s\n", text);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "paint_game_sheet: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "paint_game_sheet: a glyph could not be drawn\n");
  }
  return 1;
}
