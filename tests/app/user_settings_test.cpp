#include "app/UserSettings.h"

#include "TempFolders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

StatisticRecord Record(int difficulty, int dimantion, std::uint32_t total, std::uint32_t solved, std::uint32_t min,
                       std::uint32_t max, std::uint32_t average) {
  return StatisticRecord{difficulty, dimantion, total, solved, min, max, average};
}

const std::string kOptionsXml =
    "<options><autoPencilMarks value=\"true\" /><allowOnlyValidEntries value=\"false\" />"
    "<flagMistakes value=\"true\" /><showGuideLines value=\"false\" /><onTabClueDigits value=\"2\" />"
    "<gridPaintType value=\"1\" /><enteringNumbers value=\"2\" /><sound value=\"true\" />"
    "<gridSymbols value=\"0\" /><language value=\"en\" /></options>";

std::string Repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

class UserSettingsTest : public TempFolders {
 protected:
  void WriteSettings(int id, const std::string& xml) {
    WriteBytes(Settings("UserSettings" + std::to_string(id) + ".xml"), xml);
  }
};

TEST_F(UserSettingsTest, ANewPlayerHasTheDefaults) {
  UserSettings settings(L"Ann");
  EXPECT_FALSE(LoadUserSettings(settings, 0));  // no file yet
  const Options& options = settings.options;
  EXPECT_TRUE(options.autoPencilMarks);
  EXPECT_FALSE(options.allowOnlyValidEntries);
  EXPECT_TRUE(options.flagMistakes);
  EXPECT_FALSE(options.showGuideLines);
  EXPECT_EQ(options.onTabClueDigits, 2);
  EXPECT_EQ(options.gridPaintType, 1);
  EXPECT_EQ(options.enteringNumbers, 2);
  EXPECT_TRUE(options.sound);
  EXPECT_EQ(options.gridSymbols, 0);
  EXPECT_EQ(options.language, L"en");
  EXPECT_TRUE(settings.statistics.empty());
  EXPECT_EQ(settings.data, std::vector<unsigned char>(500, 0));
}

TEST_F(UserSettingsTest, WritesTheStreamPrintedDocument) {
  UserSettings settings(L"Ann");
  settings.statistics.push_back(Record(1, 1, 95, 1, 95, 95, 95));
  settings.statistics.push_back(Record(5, 2, 3000000000u, 1, 7, 7, 7));  // unsigned, written signed
  ASSERT_TRUE(SaveUserSettings(settings, 7));
  EXPECT_EQ(ReadBytes(Settings("UserSettings7.xml")),
            "<root version=\"1\">" + kOptionsXml +
                "<statistics><statistic difficulty=\"1\" dimantion=\"1\" total_time=\"95\" solved_puzzles=\"1\" "
                "min_time=\"95\" max_time=\"95\" average_time=\"95\" />"
                "<statistic difficulty=\"5\" dimantion=\"2\" total_time=\"-1294967296\" solved_puzzles=\"1\" "
                "min_time=\"7\" max_time=\"7\" average_time=\"7\" /></statistics></root>");
  EXPECT_EQ(ReadBytes(Settings("UserData7.txt")), std::string(500, '\0'));
}

TEST_F(UserSettingsTest, RoundTripsEveryValueAndTheDataBlock) {
  UserSettings saved(L"Ann");
  saved.options = Options{false, true, false, true, 4, 0, 5, false, 1, L"sv"};
  saved.statistics = {Record(1, 1, 155, 2, 60, 95, 77), Record(3, 2, 400, 1, 400, 400, 400),
                      Record(2, 0, 3000000000u, 4, 1, 3000000000u, 750000000)};
  for (int i = 0; i < 500; ++i) saved.data[i] = static_cast<unsigned char>(i * 7);
  ASSERT_TRUE(SaveUserSettings(saved, 2));

  UserSettings loaded(L"Ann");
  ASSERT_TRUE(LoadUserSettings(loaded, 2));
  EXPECT_EQ(loaded.options, saved.options);
  EXPECT_EQ(loaded.statistics, saved.statistics);
  EXPECT_EQ(loaded.data, saved.data);
}

TEST_F(UserSettingsTest, ANonAsciiLanguageNameSurvives) {
  UserSettings saved(L"Ann");
  saved.options.language = L"f\u00F8";
  ASSERT_TRUE(SaveUserSettings(saved, 1));
  UserSettings loaded(L"Ann");
  ASSERT_TRUE(LoadUserSettings(loaded, 1));
  EXPECT_EQ(loaded.options.language, L"f\u00F8");
}

TEST_F(UserSettingsTest, BadOptionValuesKeepTheDefaults) {
  WriteSettings(0,
                "<root version=\"1\"><options><autoPencilMarks value=\"TRUE\" /><flagMistakes value=\"1\" />"
                "<showGuideLines value=\"true\" /><onTabClueDigits value=\"5\" /><gridPaintType value=\"-1\" />"
                "<enteringNumbers value=\"9\" /><gridSymbols value=\"1x\" /><sound />"
                "<language value=\"\xFF\" /><unknown value=\"3\" /></options><statistics /></root>");
  UserSettings settings(L"Ann");
  ASSERT_TRUE(LoadUserSettings(settings, 0));
  Options expected;
  expected.autoPencilMarks = false;  // only "true" is true
  expected.flagMistakes = false;
  expected.showGuideLines = true;
  EXPECT_EQ(settings.options, expected);
}

TEST_F(UserSettingsTest, WithoutStatisticsTheOptionsAreReadButTheDataIsNot) {
  WriteSettings(0, "<root version=\"1\"><options><enteringNumbers value=\"4\" /></options></root>");
  WriteBytes(Settings("UserData0.txt"), std::string(500, 'x'));
  UserSettings settings(L"Ann");
  EXPECT_FALSE(LoadUserSettings(settings, 0));
  EXPECT_EQ(settings.options.enteringNumbers, 4);
  EXPECT_EQ(settings.data, std::vector<unsigned char>(500, 0));
}

TEST_F(UserSettingsTest, DamagedFilesGiveTheDefaultsAndStayUntouched) {
  const std::string damaged[] = {
      "", "not xml at all", "<root version=\"1\"><options><sound value=\"false\" /></opt",
      "<root><statistics /><options><sound value=\"false\" /></options></root>", std::string("\0\0\0", 3),
      // deep enough to run the parser out of stack, yet within the size cap
      "<root version=\"1\"><options>" + Repeated("<a>", 60000),
      // a sound file padded past any settings file
      "<root version=\"1\"><options><sound value=\"false\" /></options><statistics /></root>" +
          std::string(300 * 1024, ' ')};
  for (const std::string& bytes : damaged) {
    WriteSettings(0, bytes);
    UserSettings settings(L"Ann");
    EXPECT_FALSE(LoadUserSettings(settings, 0)) << bytes.substr(0, 80);
    EXPECT_EQ(settings.options, Options{}) << bytes.substr(0, 80);
    EXPECT_TRUE(settings.statistics.empty());
    EXPECT_EQ(ReadBytes(Settings("UserSettings0.xml")), bytes);
  }
}

TEST_F(UserSettingsTest, LaterDuplicatesWinAndIncompleteRecordsAreSkipped) {
  WriteSettings(0, "<root version=\"1\">" + kOptionsXml +
                       "<statistics>"
                       "<statistic difficulty=\"1\" dimantion=\"1\" total_time=\"10\" solved_puzzles=\"1\" "
                       "min_time=\"10\" max_time=\"10\" average_time=\"10\" />"
                       "<statistic difficulty=\"2\" dimantion=\"1\" total_time=\"5\" />"
                       "<statistic difficulty=\"3\" dimantion=\"1\" total_time=\"x\" solved_puzzles=\"1\" "
                       "min_time=\"1\" max_time=\"1\" average_time=\"1\" />"
                       "<statistic difficulty=\"1\" dimantion=\"1\" total_time=\"30\" solved_puzzles=\"2\" "
                       "min_time=\"10\" max_time=\"20\" average_time=\"15\" />"
                       "</statistics></root>");
  UserSettings settings(L"Ann");
  ASSERT_TRUE(LoadUserSettings(settings, 0));
  EXPECT_EQ(settings.statistics, (std::vector<StatisticRecord>{Record(1, 1, 30, 2, 10, 20, 15)}));
}

TEST_F(UserSettingsTest, AShortDataFileLeavesTheBlockZeroed) {
  UserSettings saved(L"Ann");
  ASSERT_TRUE(SaveUserSettings(saved, 0));
  WriteBytes(Settings("UserData0.txt"), "short");
  UserSettings loaded(L"Ann");
  EXPECT_TRUE(LoadUserSettings(loaded, 0));
  EXPECT_EQ(loaded.data, std::vector<unsigned char>(500, 0));
}

TEST_F(UserSettingsTest, OnlyTheBlockIsReadFromALongerDataFile) {
  UserSettings saved(L"Ann");
  ASSERT_TRUE(SaveUserSettings(saved, 0));
  WriteBytes(Settings("UserData0.txt"), std::string(500, 'd') + "tail that is not ours");
  UserSettings loaded(L"Ann");
  EXPECT_TRUE(LoadUserSettings(loaded, 0));
  EXPECT_EQ(loaded.data, std::vector<unsigned char>(500, 'd'));

  // A device in its place (here a link to an endless one) is not read at
  // all: the block stays as it was.
  std::filesystem::remove(Settings("UserData0.txt"));
  std::filesystem::create_symlink("/dev/zero", Settings("UserData0.txt"));
  loaded.data.assign(500, 'x');
  EXPECT_TRUE(LoadUserSettings(loaded, 0));
  EXPECT_EQ(loaded.data, std::vector<unsigned char>(500, 'x'));
}

}  // namespace
