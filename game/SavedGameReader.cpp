#include <tinyxml.h>

#include <charconv>
#include <limits>
#include <optional>

#include "base/GuardedXml.h"
#include "base/SmallFile.h"
#include "game/SavedGame.h"

std::optional<std::int64_t> SavedGameDecimal(const TiXmlElement& element, const char* name) {
  const char* text = element.Attribute(name);
  if (text == nullptr) return std::nullopt;
  const std::string_view digits(text);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

namespace {

bool IsTrue(const TiXmlElement& element, const char* name) {
  const char* text = element.Attribute(name);
  return text != nullptr && std::string_view(text) == "true";
}

void ReadHeader(const TiXmlElement& root, SavedGameHeader& header) {
  if (const auto time = SavedGameDecimal(root, "time");
      time && *time >= 0 && *time <= std::numeric_limits<std::int32_t>::max())
    header.time = static_cast<std::uint32_t>(*time);
  if (root.Attribute("game_already_solved") != nullptr) header.solved = IsTrue(root, "game_already_solved");
  if (const auto level = SavedGameDecimal(root, "difficulty")) header.level = SavedGameLevel(*level);
}

template <unsigned N>
void ReadCell(const TiXmlElement& element, grid::GridCell<N>& cell) {
  constexpr std::int64_t S = grid::GridCell<N>::S;
  if (IsTrue(element, "titular_value")) cell.given = 1;
  if (const auto user = SavedGameDecimal(element, "user_value"); user && *user >= 0 && *user < S)
    cell.user = static_cast<std::int8_t>(*user);
  if (const auto solution = SavedGameDecimal(element, "fixed_value"); solution && *solution >= 0 && *solution < S)
    cell.solution = static_cast<std::uint8_t>(*solution);
  if (const auto candidates = SavedGameDecimal(element, "candidate_values"))
    cell.candidates = typename grid::GridCell<N>::Candidates(static_cast<std::uint64_t>(*candidates) &
                                                             grid::GridCell<N>::kAllCandidates);
}

}  // namespace

template <unsigned N>
void ParseSavedGame(std::string_view text, grid::GridModel<N>& grid, SavedGameHeader& header) {
  grid.ResetAllCells();
  TiXmlDocument document;
  if (!ParseGuardedXml(std::string(text), document)) return;
  const TiXmlElement* root = document.FirstChildElement();
  if (root == nullptr) return;
  ReadHeader(*root, header);

  std::uint32_t index = 0;
  for (const TiXmlElement* row = root->FirstChildElement(); row != nullptr; row = row->NextSiblingElement()) {
    for (const TiXmlElement* cell = row->FirstChildElement(); cell != nullptr; cell = cell->NextSiblingElement()) {
      if (index == grid::GridModel<N>::CellCount) {
        // Too many cells: the document is not a grid of this size.
        grid.ResetAllCells();
        return;
      }
      ReadCell<N>(*cell, grid.cells[index]);
      ++index;
    }
  }
}

template <unsigned N>
void ReadSavedGame(const std::string& path, grid::GridModel<N>& grid, SavedGameHeader& header) {
  const std::optional<std::string> text = ReadSmallFile(path, kMaxSavedGameBytes);
  if (!text) {
    grid.ResetAllCells();
    return;
  }
  ParseSavedGame(*text, grid, header);
}

template void ParseSavedGame<2>(std::string_view, grid::GridModel<2>&, SavedGameHeader&);
template void ParseSavedGame<3>(std::string_view, grid::GridModel<3>&, SavedGameHeader&);
template void ParseSavedGame<4>(std::string_view, grid::GridModel<4>&, SavedGameHeader&);
template void ReadSavedGame<2>(const std::string&, grid::GridModel<2>&, SavedGameHeader&);
template void ReadSavedGame<3>(const std::string&, grid::GridModel<3>&, SavedGameHeader&);
template void ReadSavedGame<4>(const std::string&, grid::GridModel<4>&, SavedGameHeader&);
