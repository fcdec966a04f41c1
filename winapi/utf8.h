// Wide strings hold one code point per element; the layer's edges (the font
// library, stderr) want UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace winapi::core {

// Code points that cannot be encoded (surrogates, values above U+10FFFF)
// become U+FFFD.
std::string ToUtf8(std::wstring_view text);

// Malformed input (a stray or missing continuation byte, an overlong form,
// an encoded surrogate, a value above U+10FFFF) gives one U+FFFD per bad
// sequence and decoding goes on after it.
std::wstring FromUtf8(std::string_view text);

}  // namespace winapi::core
