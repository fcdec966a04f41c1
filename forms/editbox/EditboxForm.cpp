#include "forms/editbox/EditboxForm.h"

#include <cstdint>

namespace EditboxForm {

std::wstring CutToUtf16Units(const std::wstring& text, std::size_t maxUnits) {
  std::size_t units = 0;
  std::size_t kept = 0;
  for (; kept < text.size(); ++kept) {
    const std::size_t width = static_cast<std::uint32_t>(text[kept]) > 0xFFFF ? 2 : 1;
    if (units + width > maxUnits) break;
    units += width;
  }
  return text.substr(0, kept);
}

}  // namespace EditboxForm
