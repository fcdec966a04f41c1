// The about and help forms through the real main window, tab bar and
// resource file: the about text's exact lines on both programs, the help
// text, and the tab bar's highlight cleared as either opens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf.h"
#include "forms/about/AboutForm.h"
#include "forms/about/AboutText.h"
#include "forms/about/HelpForm.h"
#include "forms/about/ShowAboutFormCommand.h"
#include "forms/about/ShowHelpFormCommand.h"
#include "tests/support/gameform_fixture.h"

namespace {

using Lines = std::vector<std::wstring>;

class AboutHelpTest : public gameform_test::GameFormTest {
 protected:
  // The lines the current form's text box shows, once the loop has turned.
  Lines ShownLines() const {
    auto* page = dynamic_cast<text_page::Model*>(state->currentForm.get());
    if (page == nullptr) return {L"<no text page>"};
    return page->text->text_view->model().lines;
  }
  // Puts a text into the current page's box as the form does and answers
  // the lines the box shows.
  Lines LinesOf(const std::wstring& text) {
    auto& model = dynamic_cast<text_page::Model&>(*state->currentForm).text->text_view->model();
    model.text = text;
    notus::ownerdraw::announce(model);
    return model.lines;
  }
  // Handles the queued messages without painting.
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) forms_test::app::pump_message();
  }
};

// A text's lines by the text box's rule, before any wrapping: a carriage
// return ends a line, a line feed is skipped.
Lines TextLines(const std::wstring& text) {
  Lines lines(1);
  for (const wchar_t c : text) {
    if (c == L'\r')
      lines.emplace_back();
    else if (c != L'\n')
      lines.back() += c;
  }
  lines.pop_back();  // what follows the last return
  return lines;
}

TEST_F(AboutHelpTest, TheAboutTextReadsAsItsLinesOnBothPrograms) {
  EXPECT_FALSE(aboutform::HandheldBuild()) << "this program is the desktop's";
  ShowAboutFormCommand().Execute();
  Settle();
  ASSERT_NE(dynamic_cast<aboutform::Manager*>(state->currentForm.get()), nullptr);
  const Lines desktop{L"Tavlin", L"version 1.1", L"", L"developed by Kestrel Mill", L"Copyright 2026", L""};
  EXPECT_EQ(ShownLines(), desktop);

  Lines handheld = desktop;
  handheld[1] = L"version 1.2";
  EXPECT_EQ(LinesOf(aboutform::ComposeAboutText(true, L"Copyright", L"2026")), handheld);
}

// Without strings 1000 and 1001 the copyright line is the one space between
// them (which the box, breaking at blanks, shows as an empty line); the
// fixed lines stay.
TEST_F(AboutHelpTest, EmptyCopyrightStringsLeaveASpace) {
  EXPECT_EQ(TextLines(aboutform::AboutText()),
            (Lines{L"Tavlin", L"version 1.1", L"", L"developed by Kestrel Mill", L"Copyright 2026", L""}));
  LoadResourcesWithoutString(aboutform::kYearString);
  LoadResourcesWithoutString(aboutform::kCopyrightString);
  EXPECT_EQ(TextLines(aboutform::AboutText()),
            (Lines{L"Tavlin", L"version 1.1", L"", L"developed by Kestrel Mill", L" ", L""}));
  ShowAboutFormCommand().Execute();
  Settle();
  const Lines shown = ShownLines();
  ASSERT_EQ(shown.size(), 6u);
  EXPECT_EQ(shown[3], L"developed by Kestrel Mill");
  EXPECT_EQ(shown[4], L"") << "the blank, wrapped away";
}

// Each form opens on the deferred message with the tab bar's highlight
// cleared at once, and shows its caption and its text from the first line.
TEST_F(AboutHelpTest, OpeningClearsTheTabsAndShowsCaptionAndText) {
  const struct {
    const char* name;
    void (*show)();
    int form;
    std::wstring firstLine;
  } cases[] = {
      {"about", [] { ShowAboutFormCommand().Execute(); }, aboutform::kForm, L"Tavlin"},
      {"help", [] { ShowHelpFormCommand().Execute(); }, HelpForm::kForm,
       ResourceManager::GetString(HelpForm::kHelpString).substr(0, ResourceManager::GetString(371).find(L'\r'))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    application_tab_bar::TabOf(Bar(), application_tab_bar::kMenuTab)->model().selected = true;
    const auto before = state->currentForm;
    c.show();
    EXPECT_EQ(Highlight(), "000");
    EXPECT_EQ(state->currentForm, before) << "built only when the loop turns";
    Pump();
    auto* page = dynamic_cast<text_page::Model*>(state->currentForm.get());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->caption->model().text, ResourceManager::GetItemConfig(c.form, text_page::kCaptionItem).text);
    EXPECT_EQ(page->caption->model().id, 1u);
    const Lines lines = ShownLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), c.firstLine);
    EXPECT_EQ(page->text->text_view->model().first_line, 0u);
    EXPECT_TRUE(dialogs_test::Shows(PaintedTexts(), wide_to_utf8(c.firstLine)));
  }
}

// The help text is long: it wraps within the box and scrolls, and the
// scroll bar's range is the number of lines.
TEST_F(AboutHelpTest, TheHelpTextWrapsWithinTheBox) {
  ShowHelpFormCommand().Execute();
  Settle();
  auto& page = dynamic_cast<text_page::Model&>(*state->currentForm);
  const Lines lines = ShownLines();
  const ItemConfig box = ResourceManager::GetItemConfig(HelpForm::kForm, text_page::kTextItem);
  EXPECT_GT(lines.size(), 10u);
  EXPECT_EQ(page.text->bar_view->model().max, static_cast<std::int32_t>(lines.size()));
  const auto screen = notus::ownerdraw::face_device::create_for_screen();
  for (const std::wstring& line : lines)
    EXPECT_LE(screen->text_extent(line).width, box.right - box.left - notus::ownerdraw::textbox_manager_base::bar_width)
        << wide_to_utf8(line);
}

}  // namespace
