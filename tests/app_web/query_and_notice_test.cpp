// What the statistics report asks for, and which stored replies offer a new
// version to the player.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/web/StatisticsQuery.h"
#include "app/web/VersionNotice.h"
#include "app/web/WebEnvironment.h"

namespace web_test {
namespace {

TEST(StatisticsQueryTest, APlayerWithoutSolvesSendsSixZeros) {
  EXPECT_EQ(StatisticsQueryPath("abcdefghijklmnop", {}),
            "/products/tavlin/sudoku_pc_stat.php?guid=abcdefghijklmnop"
            "&solved_puzzles2x2=0&total_time2x2=0&solved_puzzles3x3=0&total_time3x3=0"
            "&solved_puzzles4x4=0&total_time4x4=0");
}

TEST(StatisticsQueryTest, EachGridSizeSendsItsSumsOverAllLevels) {
  auto record = [](int level, int dimantion, std::uint32_t seconds, std::uint32_t solved) {
    StatisticRecord r;
    r.difficulty = level;
    r.dimantion = dimantion;
    r.total_time = seconds;
    r.solved_puzzles = solved;
    r.min_time = 1;
    r.max_time = 99;
    r.average_time = 7;
    return r;
  };
  const std::vector<StatisticRecord> statistics = {
      record(1, 1, 100, 2),  record(3, 1, 4000000000u, 5),  // 9x9; the sum as the unsigned 32 bits give it
      record(2, 0, 30, 3),                                  // 4x4
      record(5, 2, 7200, 1), record(4, 2, 0, 0),            // 16x16
  };
  EXPECT_EQ(StatisticsQueryPath("pppppppppppppppp", statistics),
            "/products/tavlin/sudoku_pc_stat.php?guid=pppppppppppppppp"
            "&solved_puzzles2x2=3&total_time2x2=30&solved_puzzles3x3=7&total_time3x3=4000000100"
            "&solved_puzzles4x4=1&total_time4x4=7200");
}

TEST(VersionNoticeTest, OnlyAnotherVersionWithAWebAddressIsOffered) {
  const struct {
    const char* name;
    std::string text;
    bool offered;
  } cases[] = {
      {"ours", "1.1 http://www.kestrelmill.example/", false},
      {"older", "1.0 http://www.kestrelmill.example/", true},
      {"newer", "1.2 https://www.kestrelmill.example/get?v=1.2#top", true},
      {"spread over lines", "\n  1.2\r\n\thttp://a.example/\n", true},
      {"scheme in capitals", "1.2 HTTP://A.EXAMPLE/", true},
      {"empty file", "", false},
      {"blank file", " \n ", false},
      {"no address", "1.2", false},
      {"file address", "1.2 file:///etc/passwd", false},
      {"script address", "1.2 javascript:alert(1)", false},
      {"bare path", "1.2 /usr/bin/xterm", false},
      {"scheme alone", "1.2 http://", false},
      {"scheme inside", "1.2 xhttp://a.example/", false},
      {"control character", "1.2 http://a.example/\x01x", false},
      {"escape sequence", "1.2 http://a.example/\x1b]0;x", false},
      {"not ASCII", "1.2 http://a.example/\xc3\xa4", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<NewVersionNotice> notice = NewVersionIn(c.text);
    EXPECT_EQ(notice.has_value(), c.offered);
  }
  const std::optional<NewVersionNotice> notice = NewVersionIn("1.2 http://a.example/x extra words");
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->version, "1.2");
  EXPECT_EQ(notice->address, "http://a.example/x");
}

TEST(WebEnvironmentTest, AHostWithBlanksOrLineBreaksIsNoHost) {
  EXPECT_TRUE(IsUsableHost("127.0.0.1:8080"));
  EXPECT_TRUE(IsUsableHost("www.kestrelmill.example"));
  EXPECT_FALSE(IsUsableHost(""));
  EXPECT_FALSE(IsUsableHost("a.example\r\nX-Injected: 1"));
  EXPECT_FALSE(IsUsableHost("a.example 80"));
}

}  // namespace
}  // namespace web_test
