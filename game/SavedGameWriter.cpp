#include <tinyxml.h>

#include <sstream>

#include "base/SmallFile.h"
#include "game/SavedGame.h"

namespace {

void SetNumber(TiXmlElement& element, const char* name, long long value) {
  element.SetAttribute(name, std::to_string(value).c_str());
}

}  // namespace

template <unsigned N>
std::string FormatSavedGame(const grid::GridModel<N>& grid, const SavedGameHeader& header) {
  constexpr std::uint32_t S = grid::GridModel<N>::S;
  TiXmlDocument document;
  auto* root = new TiXmlElement("grid");
  document.LinkEndChild(root);
  SetNumber(*root, "size", N);
  SetNumber(*root, "time", header.time);
  SetNumber(*root, "difficulty", header.level);
  root->SetAttribute("game_already_solved", header.solved ? "true" : "false");

  for (std::uint32_t row = 0; row < S; ++row) {
    auto* rowElement = new TiXmlElement("row");
    root->LinkEndChild(rowElement);
    for (std::uint32_t column = 0; column < S; ++column) {
      const grid::GridCell<N>& cell = grid.cells.at(column + row * S);
      auto* cellElement = new TiXmlElement("cell");
      rowElement->LinkEndChild(cellElement);
      cellElement->SetAttribute("titular_value", cell.given != 0 ? "true" : "false");
      SetNumber(*cellElement, "user_value", cell.user);
      SetNumber(*cellElement, "fixed_value", static_cast<std::int8_t>(cell.solution));
      SetNumber(*cellElement, "candidate_values", static_cast<long long>(cell.candidates.to_ulong()));
    }
  }

  // Stream printing: no declaration, no indentation, no line breaks.
  std::ostringstream text;
  text << document;
  return text.str();
}

template <unsigned N>
bool WriteSavedGame(const std::string& path, const grid::GridModel<N>& grid, const SavedGameHeader& header) {
  return ReplaceFileAtomically(path, FormatSavedGame(grid, header));
}

template std::string FormatSavedGame<2>(const grid::GridModel<2>&, const SavedGameHeader&);
template std::string FormatSavedGame<3>(const grid::GridModel<3>&, const SavedGameHeader&);
template std::string FormatSavedGame<4>(const grid::GridModel<4>&, const SavedGameHeader&);
template bool WriteSavedGame<2>(const std::string&, const grid::GridModel<2>&, const SavedGameHeader&);
template bool WriteSavedGame<3>(const std::string&, const grid::GridModel<3>&, const SavedGameHeader&);
template bool WriteSavedGame<4>(const std::string&, const grid::GridModel<4>&, const SavedGameHeader&);
