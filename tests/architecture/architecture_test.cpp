// The tree's dependencies point down: the rules on small planted trees, then
// the real tree's includes and the build's link table.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/architecture/dependency_rules.h"

namespace {

namespace fs = std::filesystem;
using architecture::Describe;

// A throwaway source tree: files with the given lines.
class PlantedTree : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("tavlin_architecture_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  void Plant(const std::string& file, const std::string& text) {
    fs::create_directories((root_ / file).parent_path());
    std::ofstream(root_ / file) << text;
  }

  fs::path root_;
};

TEST_F(PlantedTree, IncludesThatPointDownOrStayInsideAFolderPass) {
  Plant("base/utf.h", "#include <string>\n");
  Plant("engine/board.h", "#include \"base/utf.h\"\n");
  Plant("game/model.h", "#include \"engine/board.h\"\n#include \"ttl/signal.h\"\n");
  Plant("notus/view.h", "#include \"notus/details/handle.h\"\n");
  Plant("notus/platform/win/app.h", "#include \"notus/details/handle.h\"\n#include \"local.h\"\n");
  Plant("notus/platform/win/local.h", "");
  Plant("winapi/sdl/backend.cpp", "#include \"winapi/headless/headless.h\"\n");
  Plant("tests/game/model_test.cpp", "#include \"platform/host/entry.h\"\n#include \"app/users.h\"\n");
  Plant("tools/maker.cpp", "#include \"app/users.h\"\n");
  Plant("resources/notes.txt", "#include \"platform/x.h\"\n");  // not a source file
  EXPECT_EQ(Describe(architecture::CheckIncludes(root_)), "");
}

TEST_F(PlantedTree, IncludesThatPointUpOrSidewaysAreReportedWithTheirLine) {
  Plant("svg/reader.cpp", "// reads files\n#include <string>\n#include \"game/GuardedXml.h\"\n");
  Plant("engine/board.h", "  #  include \"winapi/windows.h\"\n");
  EXPECT_EQ(Describe(architecture::CheckIncludes(root_)),
            "engine/board.h:1: includes \"winapi/windows.h\": engine/ (layer 2) depends on winapi/ (layer 2), a folder "
            "on its own layer\n"
            "svg/reader.cpp:3: includes \"game/GuardedXml.h\": svg/ (layer 3) depends on game/ (layer 5), a higher "
            "layer\n")
      << "sorted by the walk; both breaches are reported";
}

TEST_F(PlantedTree, ADetailsFolderIsPrivateToTheFolderThatHoldsIt) {
  Plant("notus/platform/win/details/devobj.h", "");
  Plant("notus/platform/win/device.cpp", "#include \"details/devobj.h\"\n");              // beside it: fine
  Plant("platform/host/main.cpp", "#include \"notus/platform/win/details/devobj.h\"\n");  // above, yet private
  Plant("tests/notus/device_test.cpp", "#include \"notus/platform/win/details/devobj.h\"\n");
  const std::string report = Describe(architecture::CheckIncludes(root_));
  EXPECT_NE(report.find("platform/host/main.cpp:1: includes \"notus/platform/win/details/devobj.h\": reaches into "
                        "notus/platform/win/details/"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("tests/notus/device_test.cpp:1:"), std::string::npos) << report;
  EXPECT_EQ(report.find("device.cpp"), std::string::npos) << report;
}

TEST_F(PlantedTree, AFolderOfCodeOutsideTheOrderIsReported) {
  Plant("base/utf.h", "");
  Plant("widgets/button.h", "");
  Plant("docs/readme.md", "");
  EXPECT_EQ(Describe(architecture::CheckFoldersPlaced(root_)), "widgets/: holds code but has no layer in the order\n");
}

TEST(LinkRules, LibrariesLinkOnlyLowerLayers) {
  const std::string table =
      "base base tinyxml\n"
      "svg svg base game PkgConfig::AGG\n"
      "notus_win32 notus/platform/ownerdrawWin32 notus winapi svg\n"
      "game game engine ttl notus_win32\n"
      "engine engine\n"
      "winapi winapi engine\n"
      "notus notus ttl\n"
      "ttl ttl\n"
      "tavlin platform/win32/Application notus_win32 game\n"
      "engine_tests tests/engine engine tavlin\n";
  EXPECT_EQ(Describe(architecture::CheckLinks(table)),
            "svg: links game: svg/ (layer 3) depends on game/ (layer 5), a higher layer\n"
            "winapi: links engine: winapi/ (layer 2) depends on engine/ (layer 2), a folder on its own layer\n");
}

// The real tree and the link table the build wrote for it.
TEST(Tree, EveryDependencyPointsDown) {
  const fs::path root = TAVLIN_SOURCE_DIR;
  EXPECT_EQ(Describe(architecture::CheckFoldersPlaced(root)), "");
  EXPECT_EQ(Describe(architecture::CheckIncludes(root)), "");
  std::ifstream in(TAVLIN_LINK_TABLE);
  ASSERT_TRUE(in) << TAVLIN_LINK_TABLE;
  const std::string table((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(table.find("\nengine engine"), std::string::npos) << "the table lists our libraries:\n" << table;
  EXPECT_EQ(Describe(architecture::CheckLinks(table)), "");
}

}  // namespace
