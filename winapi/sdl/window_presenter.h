// Presents what a top-level window shows in its SDL window.  Changes are
// collected as one dirty rectangle and pushed to the screen together, when
// the message loop next looks for input, so a paint pass made of many
// drawing calls reaches the screen once.
#pragma once

#include "winapi/windows.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace winapi::sdl {

class WindowPresenter {
 public:
  explicit WindowPresenter(HWND topLevel) : topLevel_(topLevel) {}

  void MarkDirty(const RECT& rect);
  void MarkAllDirty();
  // Copies the dirty part of the window's picture to `window`'s surface
  // and updates that part of the screen.
  void Present(SDL_Window* window);

 private:
  HWND topLevel_;
  RECT dirty_{0, 0, 0, 0};
  std::vector<std::uint32_t> picture_;  // the window's size, top row first
};

}  // namespace winapi::sdl
