#pragma once
// One player's stored settings: options and statistics in
// "UserSettings<id>.xml", and a 500-byte block in "UserData<id>.txt" that is
// carried along but never interpreted.
//
// The XML is TinyXML's stream form, no declaration:
//   <root version="1"><options><autoPencilMarks value="true" />...</options>
//   <statistics><statistic difficulty=".." dimantion=".." total_time=".."
//   solved_puzzles=".." min_time=".." max_time=".." average_time=".." />...
//   </statistics></root>
// The language is stored as UTF-8.

#include "app/Options.h"
#include "app/Statistics.h"

#include <string>
#include <vector>

class TiXmlElement;

struct UserSettings {
  explicit UserSettings(const std::wstring& name);

  std::wstring name;
  int dataSize = 500;
  Options options;
  std::vector<StatisticRecord> statistics;
  std::vector<unsigned char> data;  // dataSize bytes, zeroed until loaded
};

// Writes the settings file, then the data file, each replaced atomically.
// False when either could not be written; callers go on with what they hold.
bool SaveUserSettings(const UserSettings& settings, int id);

// Reads the player's files.  The root must hold "options" and then
// "statistics"; only then is the data file read and true returned.  Whatever
// is missing or damaged keeps the value it had (the options are read even
// when "statistics" is missing).
bool LoadUserSettings(UserSettings& settings, int id);

// Reads the option elements by name.  A bool is true only for exactly
// "true"; an integer that does not parse or lies outside its range keeps the
// value it had, as does any option without a "value".
void ReadOptions(const TiXmlElement& element, Options& options);
// Stores every complete "statistic" element with StoreStatistic, so a later
// duplicate replaces an earlier one; incomplete records are skipped.
void ReadStatistics(const TiXmlElement& element, std::vector<StatisticRecord>& statistics);
