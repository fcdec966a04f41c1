// The id cipher and the anonymous id: the form of what is sent, what it
// depends on, and when "remote.dat" is made again.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "app/web/AnonymousId.h"
#include "app/web/RequestCipher.h"

namespace web_test {
namespace {

namespace fs = std::filesystem;

bool AllLettersAToP(const std::string& text) {
  for (const char c : text)
    if (c < 'a' || c > 'p') return false;
  return true;
}

TEST(RequestCipherTest, EachByteBecomesTwoLettersAToP) {
  RequestCipher cipher("20433");
  std::string plain;
  for (int length = 0; length <= 40; ++length) {
    const std::string letters = cipher.Encipher(plain);
    EXPECT_EQ(letters.size(), plain.size() * 2) << length;
    EXPECT_TRUE(AllLettersAToP(letters)) << letters;
    plain.push_back(static_cast<char>(length * 37 + 200));  // every byte value range, the high ones too
  }
}

TEST(RequestCipherTest, TheOutputDependsOnKeyAndTextAloneNotOnEarlierCalls) {
  RequestCipher cipher("20433");
  const std::string first = cipher.Encipher("Q7Z1abc9");
  EXPECT_EQ(cipher.Encipher("other input"), RequestCipher("20433").Encipher("other input"));
  EXPECT_EQ(cipher.Encipher("Q7Z1abc9"), first) << "state left over from the calls before";
  EXPECT_EQ(RequestCipher("20433").Encipher("Q7Z1abc9"), first);
}

TEST(RequestCipherTest, TheKeyCountsForItsFirst32Bytes) {
  const std::string text = "Q7Z1abc9";
  const std::string base = RequestCipher("20433").Encipher(text);
  EXPECT_NE(RequestCipher("20434").Encipher(text), base);
  EXPECT_NE(RequestCipher("").Encipher(text), base);
  const std::string key32(32, 'k');
  EXPECT_NE(RequestCipher(key32).Encipher(text), RequestCipher(key32.substr(0, 31) + "j").Encipher(text));
  EXPECT_EQ(RequestCipher(key32 + "a").Encipher(text), RequestCipher(key32 + "b").Encipher(text));
}

TEST(RequestCipherTest, EachByteChangesTheLettersOfTheBytesAfterIt) {
  // Every byte is mixed into the key for the next, so ids that share a tail
  // do not share its letters.
  const std::string a = RequestCipher("20433").Encipher("AAAAAAAA");
  const std::string b = RequestCipher("20433").Encipher("BAAAAAAA");
  EXPECT_NE(a.substr(0, 2), b.substr(0, 2));
  EXPECT_NE(a.substr(2), b.substr(2));
}

TEST(AnonymousIdTest, EachRandValueGivesTheCharacterOfItsSignedByte) {
  // (r % 122) + 49 as a signed byte: 49..90 stand, 91..127 are above 'Z',
  // 128..170 are negative.
  const struct {
    int first, last;
    char firstCharacter;
    bool rising;
  } ranges[] = {{0, 41, '1', true}, {42, 78, '1', false}, {79, 121, 'Z', false}};
  for (const auto& range : ranges) {
    for (int r = range.first; r <= range.last; ++r) {
      const char expected =
          range.rising ? static_cast<char>(range.firstCharacter + (r - range.first)) : range.firstCharacter;
      EXPECT_EQ(IdCharacter(r), expected) << r;
      EXPECT_EQ(IdCharacter(r + 122 * 1000), expected) << "only r % 122 counts: " << r;
    }
  }
}

TEST(AnonymousIdTest, AnIdIsSixteenLettersAndFollowsSeedAndDay) {
  const std::string id = MakeAnonymousId(12345, 20433);
  EXPECT_TRUE(IsAnonymousId(id)) << id;
  EXPECT_EQ(MakeAnonymousId(12345, 20433), id);
  EXPECT_NE(MakeAnonymousId(12346, 20433), id);
  EXPECT_NE(MakeAnonymousId(12345, 20434), id);
}

TEST(AnonymousIdTest, OnlySixteenLettersAToPAreAnId) {
  const struct {
    const char* token;
    bool id;
  } cases[] = {
      {"abcdefghijklmnop", true},  {"pppppppppppppppp", true},   {"", false},
      {"abcdefghijklmno", false},  {"abcdefghijklmnopa", false}, {"abcdefghijklmnoq", false},
      {"ABCDEFGHIJKLMNOP", false}, {"abcdefgh jklmnop", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsAnonymousId(c.token), c.id) << '"' << c.token << '"';
}

TEST(AnonymousIdTest, TheDayCountIsTodaysLocalDateSince1970) {
  // Computed the other way round: back from the count to a date.
  const long days = LocalDayCount();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::time_t midnightUtcOfThatDay = static_cast<std::time_t>(days) * 86400;
  std::tm date{};
  gmtime_r(&midnightUtcOfThatDay, &date);
  EXPECT_EQ(date.tm_year, local.tm_year);
  EXPECT_EQ(date.tm_mon, local.tm_mon);
  EXPECT_EQ(date.tm_mday, local.tm_mday);
}

class RemoteFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavlin-id-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    file = folder / "remote.dat";
  }
  void TearDown() override { fs::remove_all(folder); }
  std::optional<std::string> Read() const {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::wstring Path() const { return file.wstring(); }

  fs::path folder;
  fs::path file;
};

TEST_F(RemoteFileTest, AMissingIdIsMadeStoredAndThenReused) {
  const std::string id = ReadOrMakeAnonymousId(Path());
  EXPECT_TRUE(IsAnonymousId(id)) << id;
  EXPECT_EQ(Read(), id);
  EXPECT_EQ(ReadOrMakeAnonymousId(Path()), id);
  EXPECT_EQ(Read(), id) << "a good file is not written again";
}

TEST_F(RemoteFileTest, AGoodFirstTokenIsKeptWhateverFollows) {
  std::ofstream(file) << "  abcdefghijklmnop\nmore\n";
  EXPECT_EQ(ReadOrMakeAnonymousId(Path()), "abcdefghijklmnop");
  EXPECT_EQ(Read(), "  abcdefghijklmnop\nmore\n");
}

TEST_F(RemoteFileTest, AnEmptyOrGarbledFileIsReplacedByANewId) {
  const char* garbled[] = {"", "\n", "abc", "ABCDEFGHIJKLMNOP", "abcdefghijklmnoq", "abcdefghijklmnopa", "\xff\xfe"};
  for (const char* text : garbled) {
    SCOPED_TRACE(text);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    const std::string id = ReadOrMakeAnonymousId(Path());
    EXPECT_TRUE(IsAnonymousId(id)) << id;
    EXPECT_EQ(Read(), id);
  }
}

TEST_F(RemoteFileTest, AFolderInTheWayStillGivesAnIdForThisRun) {
  fs::create_directory(file);
  EXPECT_TRUE(IsAnonymousId(ReadOrMakeAnonymousId(Path())));
}

}  // namespace
}  // namespace web_test
