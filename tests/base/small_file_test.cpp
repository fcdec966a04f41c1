// Bounded reads and the atomic replace: a read stops at its limit, the file
// holds exactly the new bytes after a replace, and a replace that cannot
// finish leaves what was there and no temporary file.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/SmallFile.h"
#include "base/utf.h"

namespace {

class SmallFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-atomic-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  // What the folder holds, by name: a left-over temporary file shows here.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path folder;
};

TEST_F(SmallFileTest, WritesAndReplacesWholeFiles) {
  const std::string path = (folder / "settings.xml").string();
  ASSERT_TRUE(ReplaceFileAtomically(path, "a longer first version"));
  EXPECT_EQ(Read(path), "a longer first version");

  // A shorter version leaves nothing of the longer one behind it.
  ASSERT_TRUE(ReplaceFileAtomically(path, std::string("sh\0rt", 5)));
  EXPECT_EQ(Read(path), std::string("sh\0rt", 5));

  ASSERT_TRUE(ReplaceFileAtomically(path, ""));
  EXPECT_EQ(Read(path), "");
  EXPECT_EQ(Names(), std::vector<std::string>{"settings.xml"});
}

TEST_F(SmallFileTest, AFailedReplaceLeavesWhatWasThere) {
  // No folder to put the temporary file in.
  EXPECT_FALSE(ReplaceFileAtomically((folder / "missing" / "file").string(), "bytes"));

  // The rename fails: a folder stands where the file should go.  The folder
  // stays, and the temporary file written beside it is removed again.
  std::filesystem::create_directory(folder / "taken");
  std::ofstream(folder / "taken" / "inside", std::ios::binary) << "kept";
  EXPECT_FALSE(ReplaceFileAtomically((folder / "taken").string(), "bytes"));
  EXPECT_EQ(Read(folder / "taken" / "inside"), "kept");
  EXPECT_EQ(Names(), std::vector<std::string>{"taken"});
}

TEST_F(SmallFileTest, ReadsStopAtTheirLimit) {
  const std::string path = (folder / "users.txt").string();
  ASSERT_TRUE(ReplaceFileAtomically(path, "0123456789"));
  EXPECT_EQ(ReadSmallFile(path, 10), "0123456789");
  EXPECT_EQ(ReadSmallFile(path, 9), std::nullopt) << "a longer file is refused, not cut";
  EXPECT_EQ(ReadFileStart(path, 4), "0123");
  EXPECT_EQ(ReadFileStart(path, 40), "0123456789");
  EXPECT_EQ(ReadSmallFile((folder / "missing").string(), 10), std::nullopt);
  EXPECT_EQ(ReadSmallFile("/dev/zero", 1000), std::nullopt) << "a device that reports no size";
}

TEST_F(SmallFileTest, WidePathsNameTheSameFiles) {
  const std::wstring path = utf8_to_wide(folder.string()) + L"/sp\u00E9l\u00E9.xml";
  ASSERT_TRUE(ReplaceFileAtomically(path, "bytes"));
  EXPECT_EQ(Read(folder / "sp\xC3\xA9l\xC3\xA9.xml"), "bytes");
  EXPECT_EQ(ReadSmallFile(path, 5), "bytes");
  EXPECT_EQ(ReadFileStart(path, 2), "by");
}

}  // namespace
