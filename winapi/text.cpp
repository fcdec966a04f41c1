// DrawTextW and GetTextExtentPoint32W in the DC's font: black,
// anti-aliased, blended into the DC's pixels.  No '&' prefix processing is
// done: our texts never carry mnemonics.
#include "base/utf.h"
#include "winapi/default_font.h"
#include "winapi/gdi_objects.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

using namespace winapi::core;

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// The default font unless the DC holds a font of its own.
TTF_Font* FontOf(HDC hdc) {
  const int lineHeight = FontLineHeightOf(hdc);
  return lineHeight > 0 ? FontForLineHeight(lineHeight) : DefaultFont();
}

int LineHeight(TTF_Font* font) { return font == nullptr ? 0 : TTF_FontHeight(font); }

std::wstring_view TextOf(LPCWSTR text, int count) {
  return std::wstring_view(text, count < 0 ? std::wcslen(text) : static_cast<std::size_t>(count));
}

std::vector<std::wstring> SplitAtLineBreaks(std::wstring_view text) {
  std::vector<std::wstring> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      // CR LF is one break.
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
        ++i;
      }
      lines.emplace_back();
    } else {
      lines.back().push_back(text[i]);
    }
  }
  return lines;
}

// Greedy word wrap at spaces; a word wider than the line stays whole.
std::vector<std::wstring> WrapWords(TTF_Font* font, const std::wstring& line, int maxWidth) {
  std::vector<std::wstring> wrapped;
  std::wstring current;
  std::size_t start = 0;
  while (start <= line.size()) {
    std::size_t end = line.find(L' ', start);
    if (end == std::wstring::npos) {
      end = line.size();
    }
    const std::wstring word = line.substr(start, end - start);
    const std::wstring candidate = current.empty() ? word : current + L' ' + word;
    if (current.empty() || TextWidth(font, wide_to_utf8(candidate, utf_errors::lenient)) <= maxWidth) {
      current = candidate;
    } else {
      wrapped.push_back(current);
      current = word;
    }
    start = end + 1;
  }
  wrapped.push_back(current);
  return wrapped;
}

std::vector<std::wstring> LayOutLines(TTF_Font* font, std::wstring_view text, UINT format, int maxWidth) {
  if ((format & DT_SINGLELINE) != 0) {
    std::wstring line;
    for (const wchar_t c : text) {
      if (c != L'\r' && c != L'\n') {
        line.push_back(c);
      }
    }
    return {line};
  }
  std::vector<std::wstring> lines;
  for (const std::wstring& line : SplitAtLineBreaks(text)) {
    if ((format & DT_WORDBREAK) != 0) {
      for (std::wstring& part : WrapWords(font, line, maxWidth)) {
        lines.push_back(std::move(part));
      }
    } else {
      lines.push_back(line);
    }
  }
  return lines;
}

// Placement is worked out in 64 bits: a rectangle may span the whole int
// range, so its width, its centre or a line below its bottom may not fit.
using Wide = long long;

LONG Clamped(Wide value) { return static_cast<LONG>(std::clamp<Wide>(value, INT32_MIN, INT32_MAX)); }

// A rectangle given in 64 bits, cut to the int range; what is cut off lies
// outside every image anyway.
RECT ClampedRect(Wide left, Wide top, Wide right, Wide bottom) {
  return RECT{Clamped(left), Clamped(top), Clamped(right), Clamped(bottom)};
}

// Blends the glyph coverage of one rendered line into the target, within clip.
void BlendLine(TTF_Font* font, const DrawTarget& target, const RECT& clip, const std::string& utf8, Wide x, Wide y) {
  SurfacePtr rendered(TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{0, 0, 0, 255}));
  if (!rendered) {
    return;
  }
  SurfacePtr argb(SDL_ConvertSurfaceFormat(rendered.get(), SDL_PIXELFORMAT_ARGB8888, 0));
  if (!argb) {
    return;
  }
  const RECT area = Intersect(ClampedRect(x, y, x + argb->w, y + argb->h), clip);
  for (int py = area.top; py < area.bottom; ++py) {
    const auto* source =
        reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) + (py - y) * argb->pitch);
    std::uint32_t* row = target.view.Row(py);
    for (int px = area.left; px < area.right; ++px) {
      BlendBlack(row[px], source[px - x] >> 24);
    }
  }
}

}  // namespace

int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  TTF_Font* const font = FontOf(hdc);
  const int lineHeight = LineHeight(font);
  if (!IsValidDC(hdc) || text == nullptr || rect == nullptr || lineHeight == 0) {
    return 0;
  }
  const RECT box = *rect;
  const Wide boxWidth = Wide{box.right} - box.left;
  const std::vector<std::wstring> lines =
      LayOutLines(font, TextOf(text, count), format, static_cast<int>(std::clamp<Wide>(boxWidth, 0, INT32_MAX)));
  const bool singleLine = (format & DT_SINGLELINE) != 0;

  // Vertical placement exists only for one line; multi-line text starts at
  // the top whatever DT_VCENTER or DT_BOTTOM say.
  Wide y = box.top;
  if (singleLine && (format & DT_BOTTOM) != 0) {
    y = Wide{box.bottom} - lineHeight;
  } else if (singleLine && (format & DT_VCENTER) != 0) {
    y = box.top + (Wide{box.bottom} - box.top - lineHeight) / 2;
  }
  const Wide firstTop = y;

  const auto target = TargetOf(hdc);
  RECT clip{};
  if (target) {
    clip = (format & DT_NOCLIP) != 0 ? target->clip : Intersect(target->clip, box);
  }
  RECT written{0, 0, 0, 0};
  for (const std::wstring& line : lines) {
    const std::string utf8 = wide_to_utf8(line, utf_errors::lenient);
    const int width = TextWidth(font, utf8);
    Wide x = box.left;
    if ((format & DT_CENTER) != 0) {
      x = box.left + (boxWidth - width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
      x = Wide{box.right} - width;
    }
    if (target) {
      const RECT cell = Intersect(ClampedRect(x, y, x + width, y + lineHeight), clip);
      if (BackgroundModeOf(hdc) == OPAQUE) {
        FillPixels(target->view, cell, kOpaqueWhite);
      }
      if (!utf8.empty()) {
        BlendLine(font, *target, clip, utf8, x, y);
      }
      written = Union(written, cell);
    }
    y += lineHeight;
  }
  if (target) {
    ReportDrawn(*target, written);
  }
  // Win32 answers the text height, measured from the rectangle's top when
  // the text was placed lower.
  return Clamped(y - (singleLine ? Wide{box.top} : firstTop));
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size) {
  TTF_Font* const font = FontOf(hdc);
  const int lineHeight = LineHeight(font);
  if (!IsValidDC(hdc) || size == nullptr || (text == nullptr && count != 0) || lineHeight == 0) {
    return FALSE;
  }
  const std::wstring_view view = text == nullptr ? std::wstring_view() : TextOf(text, count);
  size->cx = TextWidth(font, wide_to_utf8(view, utf_errors::lenient));
  size->cy = lineHeight;
  return TRUE;
}
