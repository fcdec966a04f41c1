// The one font of the layer: DejaVu Sans through SDL_ttf (FreeType, no
// display needed), at the size whose line height is closest to 16 pixels,
// the height of the classic default DC font.
#pragma once

#include <string>

struct _TTF_Font;

namespace winapi::core {

// Null, after one message on stderr, when no font can be opened.
_TTF_Font* DefaultFont();

// Pixel width of UTF-8 text in the default font.
int TextWidth(const std::string& utf8);

}  // namespace winapi::core
