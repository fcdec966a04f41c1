// DIB sections, DCs, fonts, BitBlt and the paint bookkeeping of windows.
#include "winapi/gdi_objects.h"

#include "winapi/backend.h"
#include "winapi/default_font.h"
#include "winapi/handle_table.h"
#include "winapi/window_registry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace winapi::core {
namespace {

constexpr unsigned kDcTag = 2;
constexpr unsigned kBitmapTag = 3;
constexpr unsigned kFontTag = 7;

// What a fresh memory DC holds; selecting it back releases the DIB.
const HBITMAP kStockBitmap = reinterpret_cast<HBITMAP>(std::uintptr_t{0x10} | 5);
// What a fresh DC draws text in: the layer's default font, at whatever line
// height it is wanted at the time of drawing.
const HFONT kStockFont = reinterpret_cast<HFONT>(std::uintptr_t{0x10} | 8);

// Larger images than this are refused rather than attempted.
constexpr long long kMaxDibBytes = 1LL << 30;

struct Font {
  int lineHeight = 0;
};

struct Bitmap {
  std::unique_ptr<std::uint32_t[]> memory;
  PixelView view;
  HDC selectedInto = nullptr;
};

enum class DcKind { Memory, Window, Screen };

struct DeviceContext {
  DcKind kind = DcKind::Memory;
  HWND window = nullptr;
  HBITMAP bitmap = nullptr;
  HFONT font = nullptr;  // null: the stock font
  int backgroundMode = OPAQUE;
  std::optional<RECT> clip;
};

HandleTable<DeviceContext, kDcTag>& Dcs() {
  static auto* dcs = new HandleTable<DeviceContext, kDcTag>;
  return *dcs;
}

HandleTable<Bitmap, kBitmapTag>& Bitmaps() {
  static auto* bitmaps = new HandleTable<Bitmap, kBitmapTag>;
  return *bitmaps;
}

HandleTable<Font, kFontTag>& Fonts() {
  static auto* fonts = new HandleTable<Font, kFontTag>;
  return *fonts;
}

DeviceContext* LookupDc(HDC hdc) { return Dcs().Find(reinterpret_cast<std::uintptr_t>(hdc)); }
Bitmap* LookupBitmap(HGDIOBJ object) { return Bitmaps().Find(reinterpret_cast<std::uintptr_t>(object)); }
Font* LookupFont(HGDIOBJ object) { return Fonts().Find(reinterpret_cast<std::uintptr_t>(object)); }

// A font is selected by value: deleting it while a DC holds it leaves the
// DC drawing in the stock font, as the handle no longer names a font.
HGDIOBJ SelectFont(DeviceContext& dc, HGDIOBJ object) {
  const HFONT previous = dc.font != nullptr ? dc.font : kStockFont;
  if (object == kStockFont) {
    dc.font = nullptr;
    return previous;
  }
  if (LookupFont(object) == nullptr) {
    return nullptr;
  }
  dc.font = static_cast<HFONT>(object);
  return previous;
}

HDC AddDc(DcKind kind, HWND window) {
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = kind;
  dc->window = window;
  return reinterpret_cast<HDC>(Dcs().Add(std::move(dc)));
}

void Deselect(DeviceContext& dc) {
  if (Bitmap* bitmap = LookupBitmap(dc.bitmap)) {
    bitmap->selectedInto = nullptr;
  }
  dc.bitmap = nullptr;
}

}  // namespace

std::optional<DrawTarget> TargetOf(HDC hdc) {
  const DeviceContext* dc = LookupDc(hdc);
  if (dc == nullptr) {
    return std::nullopt;
  }
  DrawTarget target{};
  switch (dc->kind) {
    case DcKind::Memory: {
      const Bitmap* bitmap = LookupBitmap(dc->bitmap);
      if (bitmap == nullptr) {
        return std::nullopt;
      }
      target.view = bitmap->view;
      break;
    }
    case DcKind::Window: {
      Window* window = LookupWindow(dc->window);
      if (window == nullptr) {
        return std::nullopt;
      }
      target.view = window->surface.View();
      target.window = dc->window;
      break;
    }
    case DcKind::Screen: return std::nullopt;
  }
  target.clip = dc->clip ? Intersect(*dc->clip, target.view.Bounds()) : target.view.Bounds();
  return target;
}

bool IsValidDC(HDC hdc) { return LookupDc(hdc) != nullptr; }

int FontLineHeightOf(HDC hdc) {
  const DeviceContext* dc = LookupDc(hdc);
  const Font* font = dc == nullptr ? nullptr : LookupFont(dc->font);
  return font == nullptr ? 0 : font->lineHeight;
}

int BackgroundModeOf(HDC hdc) {
  const DeviceContext* dc = LookupDc(hdc);
  return dc == nullptr ? OPAQUE : dc->backgroundMode;
}

void ReportDrawn(const DrawTarget& target, const RECT& written) {
  if (target.window == nullptr || IsEmpty(written)) {
    return;
  }
  const POINT origin = OriginInTopLevel(target.window);
  winapi::CurrentBackend().SurfaceChanged(TopLevelOf(target.window), Offset(written, origin.x, origin.y));
}

void ResetGdiObjects() {
  Dcs().Clear();
  Bitmaps().Clear();
  Fonts().Clear();
}

}  // namespace winapi::core

using namespace winapi::core;

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (bits != nullptr) {
    *bits = nullptr;
  }
  if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr) {
    return nullptr;
  }
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biBitCount != 32 ||
      header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN) {
    return nullptr;
  }
  const int width = header.biWidth;
  const int height = std::abs(header.biHeight);
  // Divided rather than multiplied: two int extents can make a byte count
  // beyond 64 bits signed, which would wrap round to something small.
  if (height > kMaxDibBytes / 4 / width) {
    return nullptr;
  }
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->memory = std::make_unique<std::uint32_t[]>(static_cast<std::size_t>(width) * height);  // zeroed
  auto* memory = reinterpret_cast<std::uint8_t*>(bitmap->memory.get());
  const std::ptrdiff_t rowBytes = std::ptrdiff_t{4} * width;
  // A positive height means bottom-up: the top row is the last one in memory.
  bitmap->view = header.biHeight > 0 ? PixelView{memory + rowBytes * (height - 1), -rowBytes, width, height}
                                     : PixelView{memory, rowBytes, width, height};
  if (bits != nullptr) {
    *bits = memory;
  }
  return reinterpret_cast<HBITMAP>(Bitmaps().Add(std::move(bitmap)));
}

HDC GetDC(HWND hwnd) {
  if (hwnd == nullptr) {
    return AddDc(DcKind::Screen, nullptr);
  }
  return LookupWindow(hwnd) == nullptr ? nullptr : AddDc(DcKind::Window, hwnd);
}

int ReleaseDC(HWND, HDC hdc) {
  const DeviceContext* dc = LookupDc(hdc);
  if (dc == nullptr || dc->kind == DcKind::Memory) {
    return 0;
  }
  Dcs().Remove(reinterpret_cast<std::uintptr_t>(hdc));
  return 1;
}

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc != nullptr && LookupDc(hdc) == nullptr) {
    return nullptr;
  }
  return AddDc(DcKind::Memory, nullptr);
}

BOOL DeleteDC(HDC hdc) {
  DeviceContext* dc = LookupDc(hdc);
  if (dc == nullptr || dc->kind != DcKind::Memory) {
    return FALSE;
  }
  Deselect(*dc);
  Dcs().Remove(reinterpret_cast<std::uintptr_t>(hdc));
  return TRUE;
}

HFONT CreateFontW(int height, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, LPCWSTR) {
  auto font = std::make_unique<Font>();
  // The sign only says which of the font's heights is meant; both are the
  // line height here.
  font->lineHeight = static_cast<int>(std::min<long long>(std::llabs(height), kLargestLineHeight));
  return reinterpret_cast<HFONT>(Fonts().Add(std::move(font)));
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  DeviceContext* dc = LookupDc(hdc);
  if (dc != nullptr && (object == kStockFont || LookupFont(object) != nullptr)) {
    return SelectFont(*dc, object);
  }
  if (dc == nullptr || dc->kind != DcKind::Memory) {
    return nullptr;
  }
  const HBITMAP previous = dc->bitmap != nullptr ? dc->bitmap : kStockBitmap;
  if (object == kStockBitmap) {
    Deselect(*dc);
    return previous;
  }
  Bitmap* bitmap = LookupBitmap(object);
  // A bitmap lives in at most one DC at a time.
  if (bitmap == nullptr || (bitmap->selectedInto != nullptr && bitmap->selectedInto != hdc)) {
    return nullptr;
  }
  Deselect(*dc);
  dc->bitmap = static_cast<HBITMAP>(object);
  bitmap->selectedInto = hdc;
  return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
  if (object == kStockBitmap || object == kStockFont) {
    return TRUE;
  }
  if (Fonts().Remove(reinterpret_cast<std::uintptr_t>(object))) {
    return TRUE;
  }
  const Bitmap* bitmap = LookupBitmap(object);
  // Deleting a bitmap that a DC still draws into would leave the DC
  // pointing at freed pixels; Win32 refuses too.
  if (bitmap == nullptr || LookupDc(bitmap->selectedInto) != nullptr) {
    return FALSE;
  }
  Bitmaps().Remove(reinterpret_cast<std::uintptr_t>(object));
  return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop) {
  if (rop != SRCCOPY) {
    return FALSE;
  }
  const auto to = TargetOf(dest);
  const auto from = TargetOf(src);
  if (!to || !from) {
    return FALSE;
  }
  if (cx <= 0 || cy <= 0) {
    return TRUE;
  }
  // The rectangles are worked out in 64 bits: x + cx, and the shift from
  // destination to source, may both lie beyond an int.  Only the part that
  // lands inside the clip and comes from inside the source image is left,
  // and that fits.
  using Wide = long long;
  const Wide shiftX = Wide{x1} - x;
  const Wide shiftY = Wide{y1} - y;
  const RECT& clip = to->clip;
  const RECT source = from->view.Bounds();
  const Wide left = std::max({Wide{x}, Wide{clip.left}, source.left - shiftX});
  const Wide top = std::max({Wide{y}, Wide{clip.top}, source.top - shiftY});
  const Wide right = std::min({Wide{x} + cx, Wide{clip.right}, source.right - shiftX});
  const Wide bottom = std::min({Wide{y} + cy, Wide{clip.bottom}, source.bottom - shiftY});
  if (left >= right || top >= bottom) {
    return TRUE;
  }
  const RECT clipped{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                     static_cast<LONG>(bottom)};
  const POINT sourceOrigin{static_cast<LONG>(left + shiftX), static_cast<LONG>(top + shiftY)};
  ReportDrawn(*to, CopyPixels(to->view, clipped, from->view, sourceOrigin));
  return TRUE;
}

int SetBkMode(HDC hdc, int mode) {
  DeviceContext* dc = LookupDc(hdc);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
    return 0;
  }
  const int previous = dc->backgroundMode;
  dc->backgroundMode = mode;
  return previous;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = LookupDc(hdc);
  if (dc == nullptr) {
    return RGN_ERROR;
  }
  const RECT rect{left, top, right, bottom};
  dc->clip = dc->clip ? Intersect(*dc->clip, rect) : Intersect(rect, rect);
  return IsEmpty(*dc->clip) ? NULLREGION : SIMPLEREGION;
}

// --- Painting ----------------------------------------------------------------

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  Window* window = LookupWindow(hwnd);
  if (window == nullptr || paint == nullptr) {
    return nullptr;
  }
  *paint = PAINTSTRUCT{};
  ++window->validations;
  paint->rcPaint = Intersect(window->update, RECT{0, 0, window->Width(), window->Height()});
  window->update = RECT{0, 0, 0, 0};
  paint->hdc = AddDc(DcKind::Window, hwnd);
  LookupDc(paint->hdc)->clip = paint->rcPaint;
  return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  if (paint == nullptr) {
    return FALSE;
  }
  ReleaseDC(hwnd, paint->hdc);
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL) {
  if (hwnd == nullptr) {
    // As in Win32: every window is to be repainted.
    for (const HWND each : AllWindows()) {
      InvalidateRect(each, nullptr, FALSE);
    }
    return TRUE;
  }
  Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  const RECT client{0, 0, window->Width(), window->Height()};
  window->update = Union(window->update, rect != nullptr ? Intersect(*rect, client) : client);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  ++window->validations;
  RECT& update = window->update;
  if (rect == nullptr) {
    update = RECT{0, 0, 0, 0};
    return TRUE;
  }
  // The update region is kept as its bounding box; a validated band that
  // spans the whole box on one axis can shrink it, anything else leaves it.
  const RECT& v = *rect;
  const bool spansWidth = v.left <= update.left && v.right >= update.right;
  const bool spansHeight = v.top <= update.top && v.bottom >= update.bottom;
  if (spansWidth && spansHeight) {
    update = RECT{0, 0, 0, 0};
  } else if (spansWidth && v.top <= update.top && v.bottom > update.top) {
    update.top = v.bottom;
  } else if (spansWidth && v.bottom >= update.bottom && v.top < update.bottom) {
    update.bottom = v.top;
  } else if (spansHeight && v.left <= update.left && v.right > update.left) {
    update.left = v.right;
  } else if (spansHeight && v.right >= update.right && v.left < update.right) {
    update.right = v.left;
  }
  if (IsEmpty(update)) {
    update = RECT{0, 0, 0, 0};
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    if (rect != nullptr) {
      *rect = RECT{0, 0, 0, 0};
    }
    return FALSE;
  }
  if (rect != nullptr) {
    *rect = window->update;
  }
  return IsEmpty(window->update) ? FALSE : TRUE;
}

namespace winapi {

namespace {

void ComposeInto(const PixelView& dst, HWND hwnd, POINT origin, RECT clip) {
  Window* window = LookupWindow(hwnd);
  const RECT area = Intersect(Offset(RECT{0, 0, window->Width(), window->Height()}, origin.x, origin.y), clip);
  if (IsEmpty(area)) {
    return;
  }
  CopyPixels(dst, area, window->surface.View(), POINT{area.left - origin.x, area.top - origin.y});
  for (const HWND child : window->children) {
    const Window* c = LookupWindow(child);
    if (c->visible) {
      ComposeInto(dst, child, POINT{origin.x + c->rect.left, origin.y + c->rect.top}, area);
    }
  }
}

}  // namespace

void ComposeWindowArea(HWND topLevel, const RECT& area, void* pixels, std::ptrdiff_t pitchBytes) {
  Window* window = LookupWindow(topLevel);
  if (window == nullptr || pixels == nullptr) {
    return;
  }
  const PixelView dst{static_cast<std::uint8_t*>(pixels), pitchBytes, window->Width(), window->Height()};
  ComposeInto(dst, topLevel, POINT{0, 0}, Intersect(area, dst.Bounds()));
}

Image ComposeWindow(HWND topLevel) {
  Image image;
  const Window* window = LookupWindow(topLevel);
  if (window == nullptr) {
    return image;
  }
  image.width = window->Width();
  image.height = window->Height();
  image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 0);
  const PixelView dst{reinterpret_cast<std::uint8_t*>(image.pixels.data()),
                      static_cast<std::ptrdiff_t>(image.width) * 4, image.width, image.height};
  ComposeInto(dst, topLevel, POINT{0, 0}, dst.Bounds());
  return image;
}

}  // namespace winapi
