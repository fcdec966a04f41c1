// "current_game.xml": the document the writer produces and everything the
// reader makes of good, odd and damaged files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "game/SavedGame.h"

namespace {

using Grid9 = grid::GridModel<3>;

class SavedGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-game-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  std::filesystem::path folder;
};

// An unfinished 9x9 game: clues with their solutions, right and wrong
// player's values, trimmed candidates, one clue without a solution.
Grid9 UnfinishedGame() {
  Grid9 model;
  const std::string solution = "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
  for (std::uint32_t i = 0; i < 81; ++i) {
    auto& cell = model.cells[i];
    cell.solution = static_cast<std::uint8_t>(solution[i] - '1');
    cell.given = i % 3 == 0 ? 1 : 0;
    if (i % 3 == 1) cell.user = static_cast<std::int8_t>(i % 9 == 1 ? cell.solution : (cell.solution + 1) % 9);
    cell.candidates = Grid9::Cell::Candidates((i * 37) & 0x1FF);
  }
  model.cells[80].given = 1;
  model.cells[80].solution = 0xFF;
  return model;
}

// A 9x9 document from the root's attributes and the cells' attributes,
// cellsPerRow cells to a row.
std::string Document(const std::string& rootAttributes, const std::vector<std::string>& cells,
                     std::size_t cellsPerRow = 9) {
  std::string text = "<grid " + rootAttributes + ">";
  for (std::size_t i = 0; i < cells.size(); i += cellsPerRow) {
    text += "<row>";
    for (std::size_t j = i; j < std::min(cells.size(), i + cellsPerRow); ++j) text += "<cell " + cells[j] + "/>";
    text += "</row>";
  }
  return text + "</grid>";
}

std::string Cell(const std::string& titular, const std::string& user, const std::string& fixed,
                 const std::string& candidates) {
  return "titular_value=\"" + titular + "\" user_value=\"" + user + "\" fixed_value=\"" + fixed +
         "\" candidate_values=\"" + candidates + "\"";
}

const std::string kRoot = R"(size="3" time="100" difficulty="2" game_already_solved="false")";
const std::string kClue = Cell("true", "-1", "4", "0");

std::vector<std::string> Cells(std::size_t count, const std::string& cell = Cell("false", "-1", "-1", "511")) {
  return std::vector<std::string>(count, cell);
}

Grid9 WithCells(const std::vector<std::pair<std::uint32_t, Grid9::Cell>>& cells) {
  Grid9 model;
  for (const auto& [index, cell] : cells) model.cells[index] = cell;
  return model;
}

Grid9::Cell MakeCell(std::uint8_t given, std::uint8_t solution, std::int8_t user, unsigned long candidates) {
  Grid9::Cell cell;
  cell.given = given;
  cell.solution = solution;
  cell.user = user;
  cell.candidates = Grid9::Cell::Candidates(candidates);
  return cell;
}

void ExpectSameCells(const Grid9& actual, const Grid9& expected) {
  for (std::uint32_t i = 0; i < 81; ++i) {
    const auto& a = actual.cells[i];
    const auto& e = expected.cells[i];
    EXPECT_EQ(a.given, e.given) << "cell " << i;
    EXPECT_EQ(a.solution, e.solution) << "cell " << i;
    EXPECT_EQ(a.user, e.user) << "cell " << i;
    EXPECT_EQ(a.candidates, e.candidates) << "cell " << i;
  }
}

TEST_F(SavedGameTest, ReaderTable) {
  // Every case starts from a dirty grid and a header that differs from what
  // a file holds, so a reset and a kept field both show.
  const SavedGameHeader preset{7, true, 2};
  struct Case {
    std::string name;
    std::optional<std::string> file;  // nothing: no file at all
    SavedGameHeader header;
    Grid9 grid;
  };
  std::vector<std::string> oddValues = Cells(81);
  oddValues[0] = Cell("true", "9", "9", "65535");  // out of range; candidates masked
  oddValues[1] = Cell("TRUE", "abc", "3x", "-1");  // not numbers; -1 is every bit
  oddValues[2] = R"(user_value="8")";              // others missing
  oddValues[3] = Cell("false", " 2", "+2", "");    // blanks and signs are not numbers
  std::vector<std::string> eightyTwo = Cells(82);
  eightyTwo[0] = kClue;
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";  // deep enough to run the parser out of stack
  std::string deepWithinTheCap;                    // refused by its depth, not by its size
  for (int i = 0; i < 20000; ++i) deepWithinTheCap += "<a>";

  const std::vector<Case> cases = {
      {"round trip of an unfinished game",
       FormatSavedGame(UnfinishedGame(), {4321, false, 3}),
       {4321, false, 3},
       UnfinishedGame()},
      {"solved, level 0",
       Document(R"(time="9" difficulty="0" game_already_solved="true")", Cells(81)),
       {9, true, 0},
       Grid9()},
      {"difficulty 7", Document(R"(difficulty="7")", Cells(81)), {7, true, 5}, Grid9()},
      {"difficulty -1", Document(R"(difficulty="-1")", Cells(81)), {7, true, 5}, Grid9()},
      {"difficulty not a number", Document(R"(difficulty="hard")", Cells(81)), preset, Grid9()},
      {"\"True\" is not solved", Document(R"(game_already_solved="True")", Cells(81)), {7, false, 2}, Grid9()},
      {"largest time", Document(R"(time="2147483647")", Cells(81)), {2147483647, true, 2}, Grid9()},
      {"negative time", Document(R"(time="-5")", Cells(81)), preset, Grid9()},
      {"time past 2^31-1", Document(R"(time="2147483648")", Cells(81)), preset, Grid9()},
      {"time with trailing text", Document(R"(time="12s")", Cells(81)), preset, Grid9()},
      {"odd cell values",
       Document(kRoot, oddValues),
       {100, false, 2},
       WithCells({{0, MakeCell(1, 0xFF, -1, 0x1FF)},
                  {1, MakeCell(0, 0xFF, -1, 0x1FF)},
                  {2, MakeCell(0, 0xFF, 8, 0x1FF)},
                  {3, MakeCell(0, 0xFF, -1, 0x1FF)}})},
      {"82 cells empty the grid", Document(kRoot, eightyTwo), {100, false, 2}, Grid9()},
      {"fewer cells, rows of any length",
       Document(kRoot, {kClue, Cell("false", "3", "5", "6"), kClue}, 2),
       {100, false, 2},
       WithCells({{0, MakeCell(1, 4, -1, 0)}, {1, MakeCell(0, 5, 3, 6)}, {2, MakeCell(1, 4, -1, 0)}})},
      {"element names are not checked", "<game><line><x " + kClue + "/></line></game>", preset,
       WithCells({{0, MakeCell(1, 4, -1, 0)}})},
      {"missing file", std::nullopt, preset, Grid9()},
      {"empty file", "", preset, Grid9()},
      {"malformed file", R"(<grid time="5"><row><cell titular_value="true")", preset, Grid9()},
      {"not XML at all", "123456789\n", preset, Grid9()},
      {"nested 100000 deep", deep, preset, Grid9()},
      {"nested 20000 deep", deepWithinTheCap, preset, Grid9()},
      {"larger than any saved game", Document(kRoot, {kClue}) + std::string(70000, ' '), preset, Grid9()},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::filesystem::path path = folder / "current_game.xml";
    std::filesystem::remove(path);
    if (c.file) WriteBytes(path, *c.file);

    Grid9 model;
    for (auto& cell : model.cells) cell = MakeCell(1, 3, 2, 0);
    SavedGameHeader header = preset;
    ReadSavedGame(path.string(), model, header);

    EXPECT_EQ(header.time, c.header.time);
    EXPECT_EQ(header.solved, c.header.solved);
    EXPECT_EQ(header.level, c.header.level);
    ExpectSameCells(model, c.grid);
  }
}

TEST_F(SavedGameTest, DocumentHasTheAttributesInOrderAndNoDeclaration) {
  grid::GridModel<2> model;
  model.SetGridFromString(
      "1000"
      "0000"
      "0000"
      "0004");
  model.cells[0].candidates.reset();
  model.cells[1].user = 2;
  model.cells[1].candidates = 0b0101;
  const std::string text = FormatSavedGame(model, {77, true, 4});

  const std::string start = R"(<grid size="2" time="77" difficulty="4" game_already_solved="true"><row>)"
                            R"(<cell titular_value="true" user_value="-1" fixed_value="0" candidate_values="0" />)"
                            R"(<cell titular_value="false" user_value="2" fixed_value="-1" candidate_values="5" />)";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_TRUE(text.ends_with(
      R"(<cell titular_value="true" user_value="-1" fixed_value="3" candidate_values="15" /></row></grid>)"));
  std::size_t rows = 0, cells = 0;
  for (std::size_t at = text.find("<row>"); at != std::string::npos; at = text.find("<row>", at + 1)) ++rows;
  for (std::size_t at = text.find("<cell "); at != std::string::npos; at = text.find("<cell ", at + 1)) ++cells;
  EXPECT_EQ(rows, 4u);
  EXPECT_EQ(cells, 16u);
  EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST_F(SavedGameTest, SixteenBySixteenRoundTripsThroughAFile) {
  grid::GridModel<4> model;
  for (std::uint32_t i = 0; i < 256; ++i) {
    model.cells[i].given = i % 5 == 0;
    model.cells[i].solution = static_cast<std::uint8_t>(i % 16);
    if (i % 5 == 2) model.cells[i].user = static_cast<std::int8_t>(15 - i % 16);
    model.cells[i].candidates = grid::GridModel<4>::Cell::Candidates(0xFFFF - i);
  }
  const std::string path = (folder / "current_game.xml").string();
  ASSERT_TRUE(WriteSavedGame(path, model, {60, false, 5}));

  grid::GridModel<4> read;
  SavedGameHeader header;
  ReadSavedGame(path, read, header);
  EXPECT_EQ(header.time, 60u);
  EXPECT_EQ(header.level, 5u);
  EXPECT_EQ(FormatSavedGame(read, header), FormatSavedGame(model, {60, false, 5}));
}

TEST_F(SavedGameTest, WritingReplacesTheFileUnderAnyNameAndFailsCleanly) {
  const Grid9 game = UnfinishedGame();
  const std::filesystem::path named = folder / "Spieler \xC3\xA4\xE2\x82\xAC" / "current_game.xml";
  std::filesystem::create_directory(named.parent_path());
  WriteBytes(named, "old contents");
  ASSERT_TRUE(WriteSavedGame(named.string(), game, {1, false, 1}));
  EXPECT_EQ(ReadBytes(named), FormatSavedGame(game, {1, false, 1}));
  // Only the file itself is left in the folder: no temporary beside it.
  EXPECT_EQ(
      std::distance(std::filesystem::directory_iterator(named.parent_path()), std::filesystem::directory_iterator()),
      1);

  EXPECT_FALSE(WriteSavedGame((folder / "no such folder" / "current_game.xml").string(), game, {}));
}

}  // namespace
