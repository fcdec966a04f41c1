#include "app/UserSettings.h"

#include "app/Users.h"
#include "app/XmlFiles.h"
#include "base/SmallFile.h"
#include "base/utf.h"

#include <tinyxml.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace {

// A settings file holds ten options and one statistic per level and grid
// size, under 2 KB; the cap leaves ample room for hand editing and keeps a
// foreign file from being read whole (and its records stored one by one).
constexpr std::size_t kMaxSettingsFileBytes = 256 * 1024;

struct IntOption {
  const char* key;
  int Options::*field;
  int lowest;
  int highest;
};

struct BoolOption {
  const char* key;
  bool Options::*field;
};

constexpr BoolOption kBoolOptions[] = {
    {"autoPencilMarks", &Options::autoPencilMarks},
    {"allowOnlyValidEntries", &Options::allowOnlyValidEntries},
    {"flagMistakes", &Options::flagMistakes},
    {"showGuideLines", &Options::showGuideLines},
    {"sound", &Options::sound},
};

constexpr IntOption kIntOptions[] = {
    {"onTabClueDigits", &Options::onTabClueDigits, 0, 4},
    {"gridPaintType", &Options::gridPaintType, 0, 1},
    {"enteringNumbers", &Options::enteringNumbers, 0, 5},
    {"gridSymbols", &Options::gridSymbols, 0, 1},
};

// A whole attribute text as a decimal integer within [lowest, highest].
bool ParseDecimal(const char* text, std::int64_t lowest, std::int64_t highest, std::int64_t& value) {
  if (text == nullptr) return false;
  const char* end = text + std::strlen(text);
  std::int64_t parsed = 0;
  const auto [stop, error] = std::from_chars(text, end, parsed);
  if (error != std::errc() || stop != end || parsed < lowest || parsed > highest) return false;
  value = parsed;
  return true;
}

void AddValueElement(TiXmlElement& parent, const char* key, const std::string& value) {
  TiXmlElement element(key);
  element.SetAttribute("value", value);
  parent.InsertEndChild(element);
}

std::string BoolText(bool value) { return value ? "true" : "false"; }

TiXmlElement OptionsElement(const Options& options) {
  // Written in the fixed key order of the file format, which is not the
  // order of the tables above.
  TiXmlElement element("options");
  AddValueElement(element, "autoPencilMarks", BoolText(options.autoPencilMarks));
  AddValueElement(element, "allowOnlyValidEntries", BoolText(options.allowOnlyValidEntries));
  AddValueElement(element, "flagMistakes", BoolText(options.flagMistakes));
  AddValueElement(element, "showGuideLines", BoolText(options.showGuideLines));
  AddValueElement(element, "onTabClueDigits", std::to_string(options.onTabClueDigits));
  AddValueElement(element, "gridPaintType", std::to_string(options.gridPaintType));
  AddValueElement(element, "enteringNumbers", std::to_string(options.enteringNumbers));
  AddValueElement(element, "sound", BoolText(options.sound));
  AddValueElement(element, "gridSymbols", std::to_string(options.gridSymbols));
  AddValueElement(element, "language", wide_to_utf8(options.language));
  return element;
}

TiXmlElement StatisticsElement(const std::vector<StatisticRecord>& statistics) {
  TiXmlElement element("statistics");
  for (const StatisticRecord& record : statistics) {
    TiXmlElement statistic("statistic");
    // Every field is written in signed decimal, the unsigned ones included.
    statistic.SetAttribute("difficulty", record.difficulty);
    statistic.SetAttribute("dimantion", record.dimantion);
    statistic.SetAttribute("total_time", static_cast<std::int32_t>(record.total_time));
    statistic.SetAttribute("solved_puzzles", static_cast<std::int32_t>(record.solved_puzzles));
    statistic.SetAttribute("min_time", static_cast<std::int32_t>(record.min_time));
    statistic.SetAttribute("max_time", static_cast<std::int32_t>(record.max_time));
    statistic.SetAttribute("average_time", static_cast<std::int32_t>(record.average_time));
    element.InsertEndChild(statistic);
  }
  return element;
}

bool ReadStatistic(const TiXmlElement& element, StatisticRecord& record) {
  constexpr std::int64_t kSignedLowest = INT32_MIN;
  constexpr std::int64_t kSignedHighest = INT32_MAX;
  constexpr std::int64_t kUnsignedHighest = UINT32_MAX;
  std::int64_t values[7];
  if (!ParseDecimal(element.Attribute("difficulty"), kSignedLowest, kSignedHighest, values[0]) ||
      !ParseDecimal(element.Attribute("dimantion"), kSignedLowest, kSignedHighest, values[1])) {
    return false;
  }
  const char* timeKeys[] = {"total_time", "solved_puzzles", "min_time", "max_time", "average_time"};
  for (int i = 0; i < 5; ++i) {
    // Written signed, so a large unsigned value comes back negative.
    if (!ParseDecimal(element.Attribute(timeKeys[i]), kSignedLowest, kUnsignedHighest, values[i + 2])) {
      return false;
    }
  }
  record.difficulty = static_cast<std::int32_t>(values[0]);
  record.dimantion = static_cast<std::int32_t>(values[1]);
  record.total_time = static_cast<std::uint32_t>(values[2]);
  record.solved_puzzles = static_cast<std::uint32_t>(values[3]);
  record.min_time = static_cast<std::uint32_t>(values[4]);
  record.max_time = static_cast<std::uint32_t>(values[5]);
  record.average_time = static_cast<std::uint32_t>(values[6]);
  return true;
}

}  // namespace

UserSettings::UserSettings(const std::wstring& name) : name(name), data(static_cast<std::size_t>(dataSize), 0) {}

void ReadOptions(const TiXmlElement& element, Options& options) {
  for (const TiXmlElement* option = element.FirstChildElement(); option != nullptr;
       option = option->NextSiblingElement()) {
    const char* value = option->Attribute("value");
    if (value == nullptr) continue;
    const std::string& key = option->ValueStr();
    for (const BoolOption& entry : kBoolOptions) {
      if (key == entry.key) options.*entry.field = std::strcmp(value, "true") == 0;
    }
    for (const IntOption& entry : kIntOptions) {
      std::int64_t parsed = 0;
      if (key == entry.key && ParseDecimal(value, entry.lowest, entry.highest, parsed)) {
        options.*entry.field = static_cast<int>(parsed);
      }
    }
    if (key == "language") {
      try {
        options.language = utf8_to_wide(value);
      } catch (const std::invalid_argument&) {
        // A language name that is not text keeps the one we had.
      }
    }
  }
}

void ReadStatistics(const TiXmlElement& element, std::vector<StatisticRecord>& statistics) {
  for (const TiXmlElement* statistic = element.FirstChildElement("statistic"); statistic != nullptr;
       statistic = statistic->NextSiblingElement("statistic")) {
    StatisticRecord record;
    if (ReadStatistic(*statistic, record)) StoreStatistic(statistics, record);
  }
}

bool SaveUserSettings(const UserSettings& settings, int id) {
  TiXmlDocument document;
  TiXmlElement root("root");
  root.SetAttribute("version", "1");
  root.InsertEndChild(OptionsElement(settings.options));
  root.InsertEndChild(StatisticsElement(settings.statistics));
  document.InsertEndChild(root);
  const bool settingsWritten = SaveXmlFile(UserSettingsFileName(id), document);
  const std::string data(settings.data.begin(), settings.data.end());
  const bool dataWritten = ReplaceFileAtomically(UserDataFileName(id), data);
  return settingsWritten && dataWritten;
}

bool LoadUserSettings(UserSettings& settings, int id) {
  TiXmlDocument document;
  if (!LoadXmlFile(UserSettingsFileName(id), document, kMaxSettingsFileBytes)) return false;
  const TiXmlElement* options = document.RootElement()->FirstChildElement();
  if (options == nullptr || options->ValueStr() != "options") return false;
  ReadOptions(*options, settings.options);
  const TiXmlElement* statistics = options->NextSiblingElement();
  if (statistics == nullptr || statistics->ValueStr() != "statistics") return false;
  ReadStatistics(*statistics, settings.statistics);

  const auto size = static_cast<std::size_t>(settings.dataSize);
  // Only the block is read: whatever follows it is not ours.
  const std::optional<std::string> data = ReadFileStart(UserDataFileName(id), size);
  if (data && data->size() == size) settings.data.assign(data->begin(), data->end());
  return true;
}
