// The request log of the resource manager: the validator of resources.dat
// trusts it to say what the forms asked for and what the file lacked, so a
// request it drops or a miss it reports as found would hide a gap in the file.
#include "app/ResourceManager.h"

#include "TempFolders.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Request = ResourceManager::Request;
using Kind = Request::Kind;

const char* const kResources =
    "<resources><lang value=\"en\"><Forms><block width=\"480\" height=\"640\"><form id=\"16\">"
    "<item id=\"5\" tabIndex=\"0\" orderIndex=\"0\" left=\"0\" top=\"0\" right=\"9\" bottom=\"9\">Hint</item>"
    "</form></block></Forms><Strings><string id=\"220\">Solved</string><string id=\"403\"/></Strings></lang>"
    "</resources>";

class ResourceRequestLogTest : public TempFolders {
 protected:
  void SetUp() override {
    TempFolders::SetUp();
    WriteBytes(Resources("resources.dat"), kResources);
    ASSERT_TRUE(LoadResources(L"en", 480, 640));
  }
  void TearDown() override {
    ResourceManager::SetRequestLogging(false);
    TempFolders::TearDown();
  }

  // Asks for one item that is there, one that is not, and strings that are
  // there (one of them empty in the file) or not, each more than once.
  static void AskForEverything() {
    for (int round = 0; round < 2; ++round) {
      ResourceManager::GetItemConfig(16, 5);
      EXPECT_THROW(ResourceManager::GetItemConfig(16, 8), std::invalid_argument);
      EXPECT_EQ(ResourceManager::GetString(220), L"Solved");
      EXPECT_EQ(ResourceManager::GetString(403), L"");
      EXPECT_EQ(ResourceManager::GetString(999), L"");
    }
  }
};

TEST_F(ResourceRequestLogTest, RecordsEachRequestOnceWithWhetherItWasThere) {
  ResourceManager::SetRequestLogging(true);
  AskForEverything();
  // The second ask for 999 finds the "" that the first one left behind; it
  // is still a miss.
  const std::vector<Request> expected = {
      {Kind::kItem, 16, 5, true},    {Kind::kItem, 16, 8, false},    {Kind::kString, 0, 220, true},
      {Kind::kString, 0, 403, true}, {Kind::kString, 0, 999, false},
  };
  EXPECT_EQ(ResourceManager::RequestLog(), expected);
}

TEST_F(ResourceRequestLogTest, IsOffUnlessTurnedOnAndStartsEmptyEachTime) {
  EXPECT_FALSE(ResourceManager::RequestLogging());
  AskForEverything();
  EXPECT_TRUE(ResourceManager::RequestLog().empty());

  ResourceManager::SetRequestLogging(true);
  EXPECT_TRUE(ResourceManager::RequestLog().empty());
  // 999 was remembered as "" while the log was off; asked for now, it is
  // still reported missing.
  ResourceManager::GetString(999);
  EXPECT_EQ(ResourceManager::RequestLog(), (std::vector<Request>{{Kind::kString, 0, 999, false}}));

  ResourceManager::SetRequestLogging(false);
  ResourceManager::GetString(220);
  EXPECT_TRUE(ResourceManager::RequestLog().empty());
}

// A string missed in one language and present in the next one loaded (a
// change of language): the miss must not outlive the language it was in.
TEST_F(ResourceRequestLogTest, AMissDoesNotOutliveItsLanguage) {
  ResourceManager::GetString(999);
  std::string withTheString = kResources;
  withTheString.replace(withTheString.find("<string id=\"403\"/>"), 0, "<string id=\"999\">Here</string>");
  WriteBytes(Resources("resources.dat"), withTheString);
  ASSERT_TRUE(LoadResourceStrings(Settings("other_cache.dat").wstring(), Resources("resources.dat").wstring(), L"en",
                                  480, 640));
  ResourceManager::SetRequestLogging(true);
  EXPECT_EQ(ResourceManager::GetString(999), L"Here");
  EXPECT_EQ(ResourceManager::RequestLog(), (std::vector<Request>{{Kind::kString, 0, 999, true}}));
}

}  // namespace
