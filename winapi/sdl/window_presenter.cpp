#include "winapi/sdl/window_presenter.h"

#include "winapi/backend.h"
#include "winapi/pixels.h"

#include <algorithm>

namespace winapi::sdl {

void WindowPresenter::MarkDirty(const RECT& rect) { dirty_ = core::Union(dirty_, rect); }

void WindowPresenter::MarkAllDirty() { dirty_ = RECT{0, 0, 1 << 15, 1 << 15}; }

void WindowPresenter::Present(SDL_Window* window) {
  if (core::IsEmpty(dirty_)) {
    return;
  }
  RECT client{};
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr || !GetClientRect(topLevel_, &client)) {
    return;
  }
  // The surface may still have the old size until SDL hears of a resize;
  // only the part both have in common is drawn now, the rest follows.
  const int width = std::min<int>(client.right, surface->w);
  const int height = std::min<int>(client.bottom, surface->h);
  const RECT area = core::Intersect(dirty_, RECT{0, 0, width, height});
  dirty_ = RECT{0, 0, 0, 0};
  if (core::IsEmpty(area)) {
    return;
  }
  const std::size_t stride = static_cast<std::size_t>(client.right);
  picture_.resize(stride * static_cast<std::size_t>(client.bottom));
  ComposeWindowArea(topLevel_, area, picture_.data(), static_cast<std::ptrdiff_t>(stride * 4));

  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
    return;
  }
  const auto* source = picture_.data() + static_cast<std::size_t>(area.top) * stride + area.left;
  auto* target = static_cast<std::uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(area.top) * surface->pitch +
                 static_cast<std::ptrdiff_t>(area.left) * surface->format->BytesPerPixel;
  // Our pixels are 0xAARRGGBB words; the surface's format may differ.
  SDL_ConvertPixels(area.right - area.left, area.bottom - area.top, SDL_PIXELFORMAT_ARGB8888, source,
                    static_cast<int>(stride * 4), surface->format->format, target, surface->pitch);
  if (SDL_MUSTLOCK(surface)) {
    SDL_UnlockSurface(surface);
  }
  const SDL_Rect rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
  SDL_UpdateWindowSurfaceRects(window, &rect, 1);
}

}  // namespace winapi::sdl
