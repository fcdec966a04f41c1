// The one font of the layer: DejaVu Sans through SDL_ttf (FreeType, no
// display needed), at the size whose line height is closest to the wanted
// one: 16 pixels, the height of the classic default DC font, unless a
// screen whose layouts are scaled asked for text in proportion.
#pragma once

#include <string>

struct _TTF_Font;

namespace winapi::core {

// Null, after one message on stderr, when no font can be opened.
_TTF_Font* DefaultFont();
// The face at the size whose line height is closest to lineHeight (below 1
// counts as 1, above kLargestLineHeight as that); opened once and kept, as
// DefaultFont's.
_TTF_Font* FontForLineHeight(int lineHeight);

inline constexpr int kDefaultLineHeight = 16;
// Far above any screen's text; a font asked to be larger is this large.
inline constexpr int kLargestLineHeight = 4096;

// The line height DefaultFont is chosen for from now on (each size is
// opened once and kept for the life of the process).  Below 1 counts as 1,
// above kLargestLineHeight as that.
void SetWantedLineHeight(int pixels);
int WantedLineHeight();

// Pixel width of UTF-8 text in the default font, or in font (0 for a null
// font).
int TextWidth(const std::string& utf8);
int TextWidth(_TTF_Font* font, const std::string& utf8);

}  // namespace winapi::core
