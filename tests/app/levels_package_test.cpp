#include "app/LevelsPackage.h"

#include "TempFolders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using Package = data_objects::levels_package<kPuzzlesPerLevel>;

TEST(LevelsPackage, LevelOffsets) {
  struct Case {
    int bytesPerPuzzle, level, offset;
  };
  for (const Case& c : {Case{81, 1, 0}, Case{81, 2, 8100}, Case{81, 3, 16200}, Case{81, 4, 24300}, Case{81, 5, 32400},
                        Case{256, 2, 25600}, Case{256, 3, 51200}, Case{256, 5, 102400}}) {
    EXPECT_EQ(GetLevelOffset(c.bytesPerPuzzle, c.level), c.offset) << c.bytesPerPuzzle << " " << c.level;
  }
}

TEST(LevelsPackage, BadLevelsAndKindsThrowAnEmptyString) {
  auto throwsEmpty = [](auto call) {
    try {
      call();
    } catch (const char* message) {
      return std::strlen(message) == 0;
    }
    return false;
  };
  EXPECT_TRUE(throwsEmpty([] { GetLevelOffset(81, 0); }));
  EXPECT_TRUE(throwsEmpty([] { GetLevelOffset(81, 6); }));
  EXPECT_TRUE(throwsEmpty([] { GetPackageFileName(0); }));
  EXPECT_TRUE(throwsEmpty([] { GetPackageFileName(3); }));
  EXPECT_TRUE(throwsEmpty([] { Package(1, 3); }));
  EXPECT_TRUE(throwsEmpty([] { Package(6, 1); }));
}

TEST(LevelsPackage, ANewPackageIsZeroedAndNotLoaded) {
  const Package package(2, 2);
  EXPECT_EQ(package.bytesPerPuzzle, 256);
  EXPECT_FALSE(package.loaded);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(package.data.get()), 25600), std::string(25600, '\0'));
}

class PackageFileTest : public TempFolders {
 protected:
  // Every byte of level L's block is L, so a block read from the wrong
  // place shows.
  static std::string MarkedPackage(int bytesPerPuzzle) {
    std::string bytes;
    for (int level = 1; level <= 5; ++level) bytes += std::string(bytesPerPuzzle * 100, static_cast<char>(level));
    return bytes;
  }
};

TEST_F(PackageFileTest, ReadsTheBlockOfItsLevel) {
  WriteBytes(Resources("Packege3x3.dat"), MarkedPackage(81));
  WriteBytes(Resources("Packege4x4.dat"), MarkedPackage(256));
  EXPECT_EQ(GetPackageFileName(1), Resources().wstring() + L"Packege3x3.dat");
  for (int kind : {1, 2}) {
    for (int level = 1; level <= 5; ++level) {
      Package package(level, kind);
      ASSERT_TRUE(LoadLevelsPackage(package));
      EXPECT_TRUE(package.loaded);
      const std::string block(reinterpret_cast<const char*>(package.data.get()), package.Size());
      EXPECT_EQ(block, std::string(package.Size(), static_cast<char>(level))) << kind << " " << level;
    }
  }
}

TEST_F(PackageFileTest, MissingShortOrBadFilesLeaveTheBytesAlone) {
  Package package(5, 1);
  EXPECT_FALSE(LoadLevelsPackage(package));  // no file

  WriteBytes(Resources("Packege3x3.dat"), MarkedPackage(81).substr(0, 40499));
  EXPECT_FALSE(LoadLevelsPackage(package));

  std::string tooLarge = MarkedPackage(81);
  tooLarge[32400 + 80] = 10;  // a cell byte above 9 in level 5
  WriteBytes(Resources("Packege3x3.dat"), tooLarge);
  EXPECT_FALSE(LoadLevelsPackage(package));

  EXPECT_FALSE(package.loaded);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(package.data.get()), 8100), std::string(8100, '\0'));
}

}  // namespace
