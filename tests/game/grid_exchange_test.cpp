// Puzzles in and out of the grid model as bytes and as text, and the text
// file form read and written by the open and save-as commands.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "game/GridText.h"
#include "game/grid/GridModel.h"

namespace {

template <class Box>
class GridExchange : public ::testing::Test {
 protected:
  static constexpr unsigned N = Box::value;
  static constexpr std::uint32_t S = N * N;
  static constexpr std::uint32_t Cells = S * S;
  using Model = grid::GridModel<N>;

  // Every clue value of the size appears, with empty cells in between.
  static std::vector<std::uint8_t> SampleBytes() {
    std::vector<std::uint8_t> bytes(Cells);
    for (std::uint32_t i = 0; i < Cells; ++i) bytes[i] = static_cast<std::uint8_t>((i * 7) % (S + 1));
    return bytes;
  }
};

using BoxSizes = ::testing::Types<std::integral_constant<unsigned, 2>, std::integral_constant<unsigned, 3>,
                                  std::integral_constant<unsigned, 4>>;
TYPED_TEST_SUITE(GridExchange, BoxSizes);

TYPED_TEST(GridExchange, BytesRoundTripAsCluesWithSolutions) {
  using Fixture = GridExchange<TypeParam>;
  const std::vector<std::uint8_t> bytes = Fixture::SampleBytes();
  typename Fixture::Model model;
  model.SetGridFromBytes(bytes);
  EXPECT_EQ(model.GetGridBytes(), bytes);
  for (std::uint32_t i = 0; i < Fixture::Cells; ++i) {
    const auto& cell = model.cells[i];
    EXPECT_EQ(cell.given, bytes[i] != 0 ? 1 : 0) << i;
    EXPECT_EQ(cell.solution, bytes[i] != 0 ? bytes[i] - 1 : 0xFF) << i;
    EXPECT_EQ(cell.user, -1) << i;
    EXPECT_TRUE(cell.candidates.all()) << i;
  }
}

TYPED_TEST(GridExchange, TextRoundTripsWithEverySymbolOfTheSize) {
  using Fixture = GridExchange<TypeParam>;
  std::string text;
  for (const std::uint8_t byte : Fixture::SampleBytes()) text.push_back(byte == 0 ? '0' : "123456789ABCDEFG"[byte - 1]);
  typename Fixture::Model model;
  model.SetGridFromString(text);
  EXPECT_EQ(model.GetGridString(), text);
  EXPECT_EQ(model.GetGridBytes(), Fixture::SampleBytes());
}

TYPED_TEST(GridExchange, SettersReplaceTheWholeGrid) {
  using Fixture = GridExchange<TypeParam>;
  typename Fixture::Model model;
  for (auto& cell : model.cells) {
    cell.given = 1;
    cell.solution = 0;
    cell.user = 0;
    cell.candidates.reset();
  }
  model.SetGridFromBytes(std::vector<std::uint8_t>(Fixture::Cells, 0));
  EXPECT_EQ(model.CountFilledCells(), 0u);
  for (const auto& cell : model.cells) {
    EXPECT_EQ(cell.solution, 0xFF);
    EXPECT_TRUE(cell.candidates.all());
  }
}

TEST(GridExchange, TextHoldsThePlayersValuesAndBytesDoNot) {
  grid::GridModel<2> model;
  model.SetGridFromString(
      "1000"
      "0000"
      "0000"
      "0004");
  model.cells[1].user = 2;          // a player's value
  model.cells[2].candidates.set();  // candidates alone show nothing
  model.cells[15].user = 3;         // a clue's own value is not what it shows
  EXPECT_EQ(model.GetGridString(),
            "1300"
            "0000"
            "0000"
            "0004");
  const std::vector<std::uint8_t> clues = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4};
  EXPECT_EQ(model.GetGridBytes(), clues);

  // Read back, the player's values become clues.
  grid::GridModel<2> reread;
  reread.SetGridFromString(model.GetGridString());
  EXPECT_EQ(reread.cells[1].given, 1);
  EXPECT_EQ(reread.cells[1].solution, 2);
}

TEST(GridExchange, InvalidInputGivesEmptyCells) {
  struct Case {
    std::string name;
    unsigned boxSize;
    std::string text;  // used when bytes is empty
    std::vector<std::uint8_t> bytes;
    std::string expected;  // GetGridString afterwards
  };
  const std::string empty9(81, '0');
  const std::vector<Case> cases = {
      {"byte above S",
       2,
       "",
       {5, 1, 0, 255, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 17},
       "0100"
       "4000"
       "0000"
       "0000"},
      {"short bytes", 2, "", {2, 3}, "23" + std::string(14, '0')},
      {"'9' in a 4x4 grid",
       2,
       "9234"
       "5678"
       "1111"
       "4444",
       {},
       "0234"
       "0000"
       "1111"
       "4444"},
      {"'G' and 'A' in a 9x9 grid", 3, "GA9" + std::string(78, '1'), {}, "009" + std::string(78, '1')},
      {"stray characters",
       2,
       ".a \n"
       "\t-1/"
       "2:@\xFF"
       "1234",
       {},
       "0000"
       "0010"
       "2000"
       "1234"},
      {"short text", 3, "123", {}, "123" + empty9.substr(3)},
      {"long text", 2, std::string(16, '1') + "2222", {}, std::string(16, '1')},
      {"nothing at all", 3, "", {}, empty9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string shown;
    auto load = [&](auto& model) {
      if (c.bytes.empty())
        model.SetGridFromString(c.text);
      else
        model.SetGridFromBytes(c.bytes);
      for (const auto& cell : model.cells) EXPECT_TRUE(cell.given == 0 || cell.solution < model.S);
      shown = model.GetGridString();
    };
    if (c.boxSize == 2) {
      grid::GridModel<2> model;
      load(model);
    } else {
      grid::GridModel<3> model;
      load(model);
    }
    EXPECT_EQ(shown, c.expected);
  }
}

// ---- The text file form ----

TEST(GridTextFile, ReadsTokensWhateverTheLineEnds) {
  struct Case {
    std::string name;
    std::string file;
    std::optional<GridText> expected;
  };
  const std::string rows4 =
      "1234"
      "3412"
      "2143"
      "4321";
  const std::string rows16 = std::string(16 * 15, '0') + "123456789ABCDEFG";
  std::string file16;
  for (int row = 0; row < 16; ++row) file16 += rows16.substr(row * 16, 16) + "\r\n";
  std::string file9;
  for (int row = 0; row < 8; ++row) file9 += "000000000\n";
  file9 += "12345678.\n";
  const std::vector<Case> cases = {
      {"LF", "1234\n3412\n2143\n4321\n", GridText{2, rows4}},
      {"CR LF", "1234\r\n3412\r\n2143\r\n4321\r\n", GridText{2, rows4}},
      {"blanks and no last line end", "  1234 \t3412\n\n2143\r\n4321", GridText{2, rows4}},
      {"further lines are not read", "1234\n3412\n2143\n4321\n9999\nxyz\n", GridText{2, rows4}},
      {"9x9 keeps its symbols unchecked", file9, GridText{3, std::string(72, '0') + "12345678."}},
      {"16x16 with letters", file16, GridText{4, rows16}},
      {"a line too few", "1234\n3412\n2143\n", std::nullopt},
      {"a short line", "1234\n341\n2143\n4321\n", std::nullopt},
      {"a long line", "1234\n34120\n2143\n4321\n", std::nullopt},
      {"first line of no grid size", "12345\n12345\n12345\n12345\n12345\n", std::nullopt},
      {"empty file", "", std::nullopt},
      {"blanks only", " \r\n\n", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<GridText> read = ParseGridText(c.file);
    ASSERT_EQ(read.has_value(), c.expected.has_value());
    if (read) {
      EXPECT_EQ(read->boxSize, c.expected->boxSize);
      EXPECT_EQ(read->cells, c.expected->cells);
    }
  }
}

TEST(GridTextFile, WritesOneLinePerRowAndReadsBack) {
  grid::GridModel<2> model;
  model.SetGridFromString(
      "1000"
      "0200"
      "0030"
      "0004");
  model.cells[5].user = -1;
  model.cells[6].user = 0;
  const std::string file = FormatGridText(model.GetGridString(), model.S);
  EXPECT_EQ(file, "1000\n0210\n0030\n0004\n");
  const std::optional<GridText> read = ParseGridText(file);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->boxSize, 2u);
  EXPECT_EQ(read->cells, model.GetGridString());
}

}  // namespace
