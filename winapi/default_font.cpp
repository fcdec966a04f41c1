#include "winapi/default_font.h"

#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace winapi::core {
namespace {

constexpr int kWantedLineHeight = 16;

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

TTF_Font* OpenFont() {
  if (TTF_WasInit() == 0 && TTF_Init() != 0) {
    std::fprintf(stderr, "winapi: cannot start the font library: %s\n", TTF_GetError());
    return nullptr;
  }
  const char* path = FindFontFile();
  if (path == nullptr) {
    std::fputs("winapi: DejaVuSans.ttf not found; install fonts-dejavu-core\n", stderr);
    return nullptr;
  }
  // Line height grows with the point size but not exactly in proportion,
  // so try the sizes around it and keep the closest.
  TTF_Font* best = nullptr;
  int bestDistance = 0;
  for (int size = 10; size <= 16; ++size) {
    TTF_Font* font = TTF_OpenFont(path, size);
    if (font == nullptr) {
      continue;
    }
    const int distance = std::abs(TTF_FontHeight(font) - kWantedLineHeight);
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

_TTF_Font* DefaultFont() {
  // Opened once and kept for the life of the process: text may be drawn by
  // static objects while the program ends.
  static TTF_Font* const font = OpenFont();
  return font;
}

int TextWidth(const std::string& utf8) {
  TTF_Font* font = DefaultFont();
  int width = 0;
  int height = 0;
  if (font == nullptr || utf8.empty() || TTF_SizeUTF8(font, utf8.c_str(), &width, &height) != 0) {
    return 0;
  }
  return width;
}

}  // namespace winapi::core
