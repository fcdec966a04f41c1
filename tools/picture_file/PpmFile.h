#pragma once
// The picture files the look-at tools write: binary PPM ("P6"), 8 bits a
// channel, no alpha.  Every tool paints into 0xAARRGGBB pixels (the headless
// back buffer's and winapi::Image's layout); the custom targets then turn the
// PPM into PNG with ImageMagick's convert.  PPM keeps the tools free of an
// image library: the format is a header line and the raw bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace picture_file {

// Writes width x height pixels, row by row from the top, each 0xAARRGGBB
// (alpha is dropped).  False when the file cannot be written or the pixel
// count does not match the size.
bool WritePpm(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb);

}  // namespace picture_file
