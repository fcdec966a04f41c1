#include "tools/picture_file/PpmFile.h"

#include <cstdio>

namespace picture_file {

bool WritePpm(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb) {
  if (width <= 0 || height <= 0 || argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return false;
  }
  std::vector<unsigned char> rgb;
  rgb.reserve(argb.size() * 3);
  for (std::uint32_t pixel : argb) {
    rgb.push_back(static_cast<unsigned char>(pixel >> 16));
    rgb.push_back(static_cast<unsigned char>(pixel >> 8));
    rgb.push_back(static_cast<unsigned char>(pixel));
  }
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fprintf(file, "P6\n%d %d\n255\n", width, height) > 0 &&
                       std::fwrite(rgb.data(), 1, rgb.size(), file) == rgb.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace picture_file
