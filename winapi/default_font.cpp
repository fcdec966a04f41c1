#include "winapi/default_font.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace winapi::core {
namespace {

std::atomic<int> g_wantedLineHeight{kDefaultLineHeight};

const char* const kFontCandidates[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans.ttf",
    "/usr/local/share/fonts/DejaVuSans.ttf",
};

const char* FindFontFile() {
  for (const char* path : kFontCandidates) {
    if (std::FILE* file = std::fopen(path, "rb")) {
      std::fclose(file);
      return path;
    }
  }
  return nullptr;
}

TTF_Font* OpenFont(int wantedLineHeight) {
  if (TTF_WasInit() == 0 && TTF_Init() != 0) {
    std::fprintf(stderr, "winapi: cannot start the font library: %s\n", TTF_GetError());
    return nullptr;
  }
  const char* path = FindFontFile();
  if (path == nullptr) {
    std::fputs("winapi: DejaVuSans.ttf not found; install fonts-dejavu-core\n", stderr);
    return nullptr;
  }
  // Line height grows with the point size but not exactly in proportion
  // (about 7 pixels for 6 points), so try the sizes around it and keep the
  // closest.
  TTF_Font* best = nullptr;
  int bestDistance = 0;
  const int guess = wantedLineHeight * 6 / 7;
  for (int size = std::max(1, guess - 3); size <= guess + 3; ++size) {
    TTF_Font* font = TTF_OpenFont(path, size);
    if (font == nullptr) {
      continue;
    }
    const int distance = std::abs(TTF_FontHeight(font) - wantedLineHeight);
    if (best == nullptr || distance < bestDistance) {
      if (best != nullptr) {
        TTF_CloseFont(best);
      }
      best = font;
      bestDistance = distance;
    } else {
      TTF_CloseFont(font);
    }
  }
  if (best == nullptr) {
    std::fprintf(stderr, "winapi: cannot open %s: %s\n", path, TTF_GetError());
  }
  return best;
}

}  // namespace

_TTF_Font* DefaultFont() { return FontForLineHeight(g_wantedLineHeight.load()); }

_TTF_Font* FontForLineHeight(int lineHeight) {
  // Each size is opened once and kept for the life of the process: text may
  // be drawn by static objects while the program ends.  Text is measured and
  // drawn on the GUI thread only; the lock keeps a stray caller safe.
  // The table is never destroyed, so no font goes before the last text.
  static std::mutex lock;
  static auto* const fonts = new std::map<int, TTF_Font*>;
  const int wanted = std::clamp(lineHeight, 1, kLargestLineHeight);
  const std::lock_guard<std::mutex> held(lock);
  const auto found = fonts->find(wanted);
  if (found != fonts->end()) return found->second;
  TTF_Font* const font = OpenFont(wanted);
  fonts->emplace(wanted, font);
  return font;
}

void SetWantedLineHeight(int pixels) { g_wantedLineHeight.store(std::clamp(pixels, 1, kLargestLineHeight)); }

int WantedLineHeight() { return g_wantedLineHeight.load(); }

int TextWidth(const std::string& utf8) { return TextWidth(DefaultFont(), utf8); }

int TextWidth(TTF_Font* font, const std::string& utf8) {
  int width = 0;
  int height = 0;
  if (font == nullptr || utf8.empty() || TTF_SizeUTF8(font, utf8.c_str(), &width, &height) != 0) {
    return 0;
  }
  return width;
}

}  // namespace winapi::core
