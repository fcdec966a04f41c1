#pragma once
// The path codec: file names between the bytes the file system takes and the
// wide strings the application keeps its folders in.
//
// A Linux file name is a string of bytes, by convention UTF-8 but never
// checked: a folder made under a Latin-1 locale ("/home/j\xF6rg") is as valid
// as any.  Text goes through base/utf.h, which refuses such bytes or replaces
// them; a path must come back to the very bytes it was read from, or the
// program opens a different file or none.  So paths have a codec of their
// own, lossless for every byte string:
//
//  - bytes to wide: each well-formed UTF-8 sequence becomes its code point;
//    every byte that is not part of one becomes U+DC00 + byte (U+DC80 to
//    U+DCFF, lone low surrogates that decoded text never holds);
//  - wide to bytes: U+DC80 to U+DCFF become their byte again, every other
//    code point its UTF-8 bytes.
//
// PathToBytes(PathFromBytes(b)) == b for every byte string b.  A UTF-8 name
// reads as the text it is, so a path can still be shown and compared with
// names the program spells out (L"settings/").

#include <string>
#include <string_view>

std::wstring PathFromBytes(std::string_view bytes);
// A code point that UTF-8 cannot hold and that is no escaped byte (another
// surrogate, a value beyond U+10FFFF) never comes from PathFromBytes; it is
// written as U+FFFD's bytes.
std::string PathToBytes(std::wstring_view path);
