#include "forms/options/StatisticsPage.h"

#include "app/SessionMemory.h"
#include "forms/application/FormatSeconds.h"
#include "forms/common/Application.h"
#include "notus/ownerdraw/list_strategies.h"

namespace options_statistics_form {

namespace {

// -1 (nothing committed) is stored as it is, and reads back as an index no
// entry has, so the box again commits nothing.
std::int32_t Committed(const std::shared_ptr<ComboBox>& combo) { return combo ? combo->selected : -1; }

}  // namespace

StoredChoice ReadStoredChoice() {
  StoredChoice choice;
  SessionMemoryReader reader(kSessionMemoryId);
  if (reader.version != SessionMemoryReader::kNoRecord) reader >> choice.level >> choice.size;
  return choice;
}

std::vector<std::wstring> StatisticRows(const StatisticRecord& record) {
  auto row = [](int offset, const std::wstring& value) {
    return ResourceManager::GetString(kFirstRowString + offset) + L": " + value;
  };
  return {row(0, std::to_wstring(record.solved_puzzles)), row(1, FormatSeconds(record.min_time)),
          row(2, FormatSeconds(record.max_time)), row(3, FormatSeconds(record.average_time))};
}

std::vector<std::wstring> Create::LevelNames() {
  std::vector<std::wstring> names;
  for (int i = 0; i < kLevelCount; ++i) names.push_back(ResourceManager::GetString(kFirstLevelString + i));
  return names;
}

Model::~Model() {
  {
    SessionMemoryWriter writer(kSessionMemoryId);
    writer << Committed(level) << '\n' << Committed(size) << '\n';
  }
  list.reset();
  size.reset();
  level.reset();
  label.reset();
}

void Model::RefreshStatistics(unsigned int) {
  StatisticRecord record;
  record.difficulty = Committed(level);
  record.dimantion = Committed(size);
  if (const Application* state = Application::Instance()) FindStatistic(state->statistics, record);
  notus::ownerdraw::listbox_model& rows = list->list_view->model();
  rows.items.clear();
  rows.selected = -1;
  rows.top = 0;
  for (const std::wstring& text : StatisticRows(record)) rows.items.push_back(std::make_shared<std::wstring>(text));
  notus::ownerdraw::list_details::announce(*list->list_view);
}

}  // namespace options_statistics_form
