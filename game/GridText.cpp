#include "game/GridText.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Hands out the whitespace-separated tokens of a text one by one.
class Tokens {
 public:
  explicit Tokens(std::string_view text) : m_text(text) {}

  std::optional<std::string_view> Next() {
    while (m_position < m_text.size() && IsBlank(m_text[m_position])) ++m_position;
    if (m_position == m_text.size()) return std::nullopt;
    const std::size_t start = m_position;
    while (m_position < m_text.size() && !IsBlank(m_text[m_position])) ++m_position;
    return m_text.substr(start, m_position - start);
  }

 private:
  std::string_view m_text;
  std::size_t m_position = 0;
};

std::uint32_t BoxSizeOfSide(std::size_t side) {
  switch (side) {
    case 4: return 2;
    case 9: return 3;
    case 16: return 4;
    default: return 0;
  }
}

}  // namespace

std::optional<GridText> ParseGridText(std::string_view fileText) {
  Tokens tokens(fileText);
  const std::optional<std::string_view> first = tokens.Next();
  if (!first) return std::nullopt;
  const std::size_t side = first->size();
  const std::uint32_t boxSize = BoxSizeOfSide(side);
  if (boxSize == 0) return std::nullopt;

  GridText grid{boxSize, std::string(*first)};
  for (std::size_t row = 1; row < side; ++row) {
    const std::optional<std::string_view> line = tokens.Next();
    if (!line || line->size() != side) return std::nullopt;
    grid.cells.append(*line);
  }
  return grid;
}

std::string FormatGridText(std::string_view cells, std::uint32_t side) {
  std::string text;
  text.reserve(static_cast<std::size_t>(side) * (side + 1));
  for (std::uint32_t row = 0; row < side; ++row) {
    const std::size_t start = static_cast<std::size_t>(row) * side;
    if (start < cells.size()) text.append(cells.substr(start, side));
    text.push_back('\n');
  }
  return text;
}
