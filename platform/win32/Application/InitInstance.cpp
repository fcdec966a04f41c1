#include "platform/win32/Application/app_entry.h"

#include "notus/platform/ownerdrawWin32/app.h"

namespace {

constexpr int kIconResource = 107;
constexpr int kTitleCapacity = 200;
// The first form resizes the window to its own size; until then the client
// area is this small square in the middle of the screen.
constexpr int kInitialClientSide = 100;

}  // namespace

bool InitInstance(HINSTANCE instance, int show_command) {
  WNDCLASSW window_class{};
  // No CS_DBLCLKS: a fast second click arrives as another button-down.
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  window_class.lpfnWndProc = &MainWindowProc;
  window_class.hInstance = instance;
  window_class.hIcon =
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_WINDOW + 1));
  window_class.lpszMenuName = L"AppMenu";
  window_class.lpszClassName = desktop::main_window_class;
  RegisterClassW(&window_class);

  wchar_t title[kTitleCapacity] = {};
  LoadStringW(instance, desktop::title_string_id, title, kTitleCapacity);

  const HWND window = CreateWindowExW(0, desktop::main_window_class, title, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                                      0, kInitialClientSide, kInitialClientSide, nullptr, nullptr, instance, nullptr);
  if (!window) return false;
  notus::impl::details::app::instance().set_main_window(window);

  RECT client{};
  GetClientRect(window, &client);
  const int side = 2 * kInitialClientSide;
  MoveWindow(window, GetSystemMetrics(SM_CXSCREEN) / 2 - kInitialClientSide,
             GetSystemMetrics(SM_CYSCREEN) / 2 - kInitialClientSide, side - (client.right - client.left),
             side - (client.bottom - client.top), FALSE);

  ShowWindow(window, show_command);
  if (const HDC dc = GetDC(window)) {
    RECT where{10, 10, 100, 30};
    DrawTextW(dc, L"Loading...", -1, &where, DT_BOTTOM);
    ReleaseDC(window, dc);
  }
  return true;
}
