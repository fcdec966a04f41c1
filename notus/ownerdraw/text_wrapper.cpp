#include "notus/ownerdraw/text_wrapper.h"

#include <string_view>
#include <unordered_map>

namespace text_algorithms {

namespace {

std::uint32_t kind_of(wchar_t c) {
  switch (c) {
    case L' ': return text_wrapper::kind_space;
    case L'\t': return text_wrapper::kind_tab;
    case L'\r': return text_wrapper::kind_carriage_return;
    case L'\n': return text_wrapper::kind_line_feed;
    default: return text_wrapper::kind_word;
  }
}

// A line that breaks because the next atom does not fit ends where its last
// word ends.
void drop_trailing_spaces(std::wstring& line) {
  const std::size_t end = line.find_last_not_of(L' ');
  line.erase(end == std::wstring::npos ? 0 : end + 1);
}

}  // namespace

void text_wrapper::split(const std::wstring& text) {
  atoms.clear();
  lines.clear();
  const std::shared_ptr<atom> separators[] = {
      nullptr,
      std::make_shared<atom>(atom{kind_space, L" "}),
      std::make_shared<atom>(atom{kind_tab, L"    "}),
      std::make_shared<atom>(atom{kind_carriage_return, L""}),
      std::make_shared<atom>(atom{kind_line_feed, L""}),
  };
  std::size_t word_start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const std::uint32_t kind = i < text.size() ? kind_of(text[i]) : kind_carriage_return;
    if (kind == kind_word) continue;
    if (i > word_start)
      atoms.push_back(std::make_shared<atom>(atom{kind_word, text.substr(word_start, i - word_start)}));
    if (i < text.size()) atoms.push_back(separators[kind]);
    word_start = i + 1;
  }
}

void text_wrapper::wrap(const measure_function& measure) {
  lines.clear();
  // The widths by text, keyed by views of the atoms' own strings, which
  // outlive the map.
  std::unordered_map<std::wstring_view, std::uint32_t> widths;
  auto width_of = [&](const std::wstring& text) {
    auto known = widths.find(text);
    if (known != widths.end()) return known->second;
    SIZE size{0, 0};
    measure(text, size);
    const std::uint32_t cx = size.cx > 0 ? static_cast<std::uint32_t>(size.cx) : 0u;
    widths.emplace(text, cx);
    return cx;
  };

  std::wstring current;
  std::uint32_t width = 0;
  for (const std::shared_ptr<atom>& a : atoms) {
    if (a->kind == kind_carriage_return) {
      lines.push_back(current);
      current.clear();
      width = 0;
      continue;
    }
    if (a->kind == kind_line_feed) continue;
    if (a->kind == kind_space && width == 0) continue;
    const std::uint32_t cx = width_of(a->text);
    width += cx;
    if (width < max_width) {
      current += a->text;
    } else if (current.empty()) {
      lines.push_back(a->kind == kind_space ? std::wstring() : a->text);
      width = 0;
    } else {
      drop_trailing_spaces(current);
      lines.push_back(current);
      if (a->kind == kind_space) {
        current.clear();
        width = 0;
      } else {
        current = a->text;
        width = cx;
      }
    }
  }
  if (!current.empty()) lines.push_back(current);
}

}  // namespace text_algorithms
